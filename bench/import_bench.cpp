// Whole New Testament imports: the Byzantine CSV folder, and a TEI and an OSIS
// document made from its verses at start, and a manuscript transcription made
// from its edition (in a temporary folder, removed at the end).
//
//   build/bench/synopter_import_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "common/file_io.h"
#include "common/greek_letters.h"
#include "editions/edition_lines.h"
#include "editions/nt_layout.h"
#include "import/importer.h"
#include "common/text_lines.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace synopter;
namespace fs = std::filesystem;

const std::string kCsvFolder = std::string(SYNOPTER_SOURCES_DIR) + "/byzantine2018-csv";
const std::string kEditionPath = std::string(SYNOPTER_EDITIONS_DIR) + "/Byzantine2018.dat";

struct SourceVerse {
    VerseRef ref;
    std::string text;
};

class Collector : public VerseSink {
public:
    void Verse(const VerseRef& ref, std::string_view text) override { verses.push_back({ref, std::string(text)}); }
    void SkippedLine() override {}
    std::vector<SourceVerse> verses;
};

std::string Escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

// Verses of <w> words, as the transcription projects write them.
std::string TeiDocument(const std::vector<SourceVerse>& verses)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TEI xmlns=\"http://www.tei-c.org/ns/1.0\">"
                      "<teiHeader><fileDesc><titleStmt><title>Byzantine (TEI)</title></titleStmt></fileDesc>"
                      "</teiHeader><text><body>\n";
    for (const SourceVerse& v : verses) {
        xml += v.ref.book < 9 ? "<ab n=\"B0" : "<ab n=\"B";
        xml += std::to_string(v.ref.book + 1);
        xml += 'K';
        xml += std::to_string(v.ref.chapter);
        xml += 'V';
        xml += std::to_string(v.ref.verse);
        xml += "\">";
        for (const std::string_view word : SplitWords(v.text))
            xml += "<w>" + Escaped(word) + "</w> ";
        xml += "</ab>\n";
    }
    return xml + "</body></text></TEI>\n";
}

std::string OsisDocument(const std::vector<SourceVerse>& verses)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<osis xmlns=\"http://www.bibletechnologies.net/2003/OSIS/namespace\">"
                      "<osisText osisIDWork=\"Byz\" osisRefWork=\"Bible\"><header><work osisWork=\"Byz\">"
                      "<title>Byzantine (OSIS)</title></work></header>\n";
    int book = -1;
    int chapter = 0;
    for (const SourceVerse& v : verses) {
        const std::string osis(layout::BookAt(v.ref.book).osis);
        if (v.ref.book != book || v.ref.chapter != chapter) {
            if (book >= 0)
                xml += "</chapter>";
            if (v.ref.book != book) {
                xml += book >= 0 ? "</div>\n" : "";
                xml += "<div type=\"book\" osisID=\"" + osis + "\">";
            }
            book = v.ref.book;
            chapter = v.ref.chapter;
            xml += "<chapter osisID=\"" + osis + "." + std::to_string(chapter) + "\">\n";
        }
        xml += "<verse osisID=\"" + osis + "." + std::to_string(v.ref.chapter) + "." + std::to_string(v.ref.verse) +
               "\">" + Escaped(v.text) + "</verse>\n";
    }
    if (book >= 0)
        xml += "</chapter></div>";
    return xml + "</osisText></osis>\n";
}

// The edition turned back into Greek as a codex's transcriber would write it:
// line and page breaks, damaged letters, nomina sacra contracted, corrections
// by two hands, holes, verses the scribe left out.
std::string Transcription(const std::string& edition)
{
    const std::pair<std::string_view, std::string_view> contracted[] = {
        {"yeov", "=θσ"}, {"yeou", "=θυ"}, {"kuriou", "=κυ"}, {"ihsouv", "=ιησ"}, {"cristou", "=χυ"}};
    std::string text;
    text.reserve(edition.size() * 2);
    int book = -1;
    int verseCount = 0;
    long long wordCount = 0;
    for (const std::string& line : SplitLines(edition)) {
        if (IsHeadingLine(line)) {
            book = BookOfTitle(BookTitle(line)).value_or(-1);
            continue;
        }
        const VerseParts parts = ParseVerseLine(line);
        if (parts.chapter == 0 || book < 0)
            continue;
        ++verseCount;
        char number[40];
        std::snprintf(number, sizeof number, "%02d%03d%03d ", 40 + book, parts.chapter, parts.verse);
        text += number;
        if (verseCount % 500 == 0) {
            text += "-\n";
            continue;
        }
        if (verseCount % 60 == 0)
            text += "\\" + std::to_string(verseCount / 60) + " ";
        for (const std::string_view word : SplitWords(parts.words)) {
            ++wordCount;
            const auto nomen = std::find_if(std::begin(contracted), std::end(contracted),
                                            [&](const auto& c) { return c.first == word; });
            if (nomen != std::end(contracted)) {
                text += nomen->second;
            } else if (wordCount % 97 == 0) {
                text += "x{" + ToGreek(word) + "} {" + ToGreek(word.substr(1)) + "} a{" + ToGreek(word) + "}";
            } else if (wordCount % 11 == 0 && word.size() > 3) {
                text += ToGreek(word.substr(0, 2)) + "/" + ToGreek(word.substr(2, 1)) + "%" + ToGreek(word.substr(3));
            } else {
                text += ToGreek(word);
            }
            text += ' ';
        }
        if (verseCount % 70 == 0)
            text += '&';
        text += '\n';
    }
    return text;
}

// The generated documents, written once into a temporary folder.
struct Documents {
    std::string folder;
    std::string tei;
    std::string osis;
    std::string transcription;
    std::string expected; // Byzantine2018.dat, which every import should give
};

std::optional<Documents> MakeDocuments()
{
    const auto expected = ReadFileBytes(kEditionPath, kMaxEditionTextBytes);
    if (!fs::is_directory(kCsvFolder) || !expected)
        return std::nullopt;
    Collector collector;
    for (const auto& entry : fs::directory_iterator(kCsvFolder))
        if (entry.path().extension() == ".csv")
            ReadCsvSource(*ReadFileBytes(entry.path().string(), kMaxImportSourceBytes), entry.path().string(), collector);
    std::sort(collector.verses.begin(), collector.verses.end(), [](const SourceVerse& a, const SourceVerse& b) {
        return std::tie(a.ref.book, a.ref.chapter, a.ref.verse) < std::tie(b.ref.book, b.ref.chapter, b.ref.verse);
    });

    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/synopter-import-bench-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return std::nullopt;
    Documents documents;
    documents.folder = pattern;
    documents.tei = pattern + "/byzantine-tei.xml";
    documents.osis = pattern + "/byzantine-osis.xml";
    documents.transcription = pattern + "/codex.txt";
    documents.expected = *expected;
    WriteFileAtomically(documents.tei, TeiDocument(collector.verses));
    WriteFileAtomically(documents.osis, OsisDocument(collector.verses));
    WriteFileAtomically(documents.transcription, Transcription(*expected));
    return documents;
}

void Import(benchmark::State& state, const std::string& source, const std::string& expected)
{
    ImportedEdition edition;
    for (auto _ : state) {
        edition = ImportEdition({{source}, SourceFormat::Auto, "", "", Hand::Scribe, ""});
        benchmark::DoNotOptimize(edition.text.data());
    }
    state.counters["verses_placed"] = edition.summary.versesPlaced;
    state.counters["same_as_edition"] = edition.text == expected ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const std::optional<Documents> documents = MakeDocuments();
    const auto import = [&](const char* name, std::string Documents::*source) {
        benchmark::RegisterBenchmark(name, [&, source](benchmark::State& state) {
            if (!documents)
                return state.SkipWithError("the Byzantine CSV sources or edition are missing");
            const std::string path = source ? (*documents).*source : kCsvFolder;
            Import(state, path, documents->expected);
        })->Unit(benchmark::kMillisecond);
    };
    import("ImportEdition/csv_folder", nullptr);
    import("ImportEdition/tei", &Documents::tei);
    import("ImportEdition/osis", &Documents::osis);
    // A manuscript's edition is not the printed one: the counters say what it holds.
    benchmark::RegisterBenchmark("ImportEdition/transcription", [&](benchmark::State& state) {
        if (!documents)
            return state.SkipWithError("the Byzantine CSV sources or edition are missing");
        ImportedEdition edition;
        for (auto _ : state) {
            edition = ImportEdition({{documents->transcription}, SourceFormat::Auto, "", "", Hand::Last, ""});
            benchmark::DoNotOptimize(edition.text.data());
        }
        state.counters["source_bytes"] = double(std::filesystem::file_size(documents->transcription));
        state.counters["verses_placed"] = edition.summary.versesPlaced;
        state.counters["absent"] = edition.summary.absent;
        state.counters["remnants"] = edition.summary.remnants;
        state.counters["expanded"] = edition.summary.transcription.contractionsExpanded;
    })->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (documents) {
        std::error_code ec;
        fs::remove_all(documents->folder, ec);
    }
    return 0;
}
