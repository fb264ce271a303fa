// Whole New Testament imports: the Byzantine CSV folder, and a TEI and an OSIS
// document made from its verses at start (in a temporary folder, removed at the end).
//
//   build/bench/synopter_import_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "common/file_io.h"
#include "editions/edition_lines.h"
#include "editions/nt_layout.h"
#include "import/importer.h"

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

// The generated documents, written once into a temporary folder.
struct Documents {
    std::string folder;
    std::string tei;
    std::string osis;
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
    documents.expected = *expected;
    WriteFileAtomically(documents.tei, TeiDocument(collector.verses));
    WriteFileAtomically(documents.osis, OsisDocument(collector.verses));
    return documents;
}

void Import(benchmark::State& state, const std::string& source, const std::string& expected)
{
    ImportedEdition edition;
    for (auto _ : state) {
        edition = ImportEdition({{source}, SourceFormat::Auto, "", ""});
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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (documents) {
        std::error_code ec;
        fs::remove_all(documents->folder, ec);
    }
    return 0;
}
