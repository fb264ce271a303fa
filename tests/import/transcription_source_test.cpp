// Manuscript transcriptions: the plain-text reader's marks and hands, the
// builder's lacunae, and one transcription made from a sample edition imported
// by each hand.

#include "common/file_io.h"
#include "common/greek_letters.h"
#include "common/temp_folder.h"
#include "common/text_lines.h"
#include "editions/edition.h"
#include "editions/edition_lines.h"
#include "editions/nt_layout.h"
#include "import/hand_choice.h"
#include "import/importer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace synopter {
namespace {

// What the reader reported: "40001001 words" (transliterated, # where text is
// lost), "lost 40001002", "absent 40001003", "skip"; and the counts.
class RecordingSink : public VerseSink {
public:
    explicit RecordingSink(Hand hand = Hand::Scribe) : hand_(hand) {}
    void Verse(const VerseRef& ref, std::string_view text) override
    {
        std::string words;
        for (std::string_view piece = text;;) {
            const size_t mark = piece.find(kLostTextMark);
            const std::string part = TransliterateGreek(piece.substr(0, mark));
            words += (words.empty() || part.empty() ? "" : " ") + part;
            if (mark == std::string_view::npos)
                break;
            words += words.empty() ? "#" : " #";
            piece.remove_prefix(mark + 1);
        }
        calls.push_back(Number(ref) + " " + words);
    }
    void Lacunose(const VerseRef& ref) override { calls.push_back("lost " + Number(ref)); }
    void Absent(const VerseRef& ref) override { calls.push_back("absent " + Number(ref)); }
    void Transcription(const TranscriptionCounts& c) override { counts += c; }
    Hand TextHand() const override { return hand_; }
    void SkippedLine() override { calls.push_back("skip"); }

    static std::string Number(const VerseRef& ref)
    {
        char text[40];
        std::snprintf(text, sizeof text, "%02d%03d%03d", ref.book + 40, ref.chapter, ref.verse);
        return text;
    }

    std::vector<std::string> calls;
    TranscriptionCounts counts;

private:
    Hand hand_;
};

using Calls = std::vector<std::string>;

RecordingSink Read(std::string_view bytes, Hand hand = Hand::Scribe)
{
    RecordingSink sink(hand);
    ReadTranscriptionSource(bytes, "ms.txt", sink);
    return sink;
}

TEST(ReadTranscriptionSource, MarksAreDroppedOrExpandedAndCounted)
{
    const struct {
        std::string line; // after "40001001 "
        std::string words;
        int uncertain, supplied, expanded, replacement;
        const char* unknown;
    } cases[] = {
        {"\\1186 βι/βλος γε|νεσεως\\ αυτου", "biblov genesewv autou", 0, 0, 0, 0, ""},
        {"λογο%ς κα^ι ~του +θεου", "logov kai tou yeou", 2, 2, 0, 0, ""},
        {"=θσ =κυ. =ξσ", "yeov kuriou xv", 0, 0, 2, 0, "ξσ"},
        {"$ιβ το¯ ϗ ⳨ος", "ib ton kai taurov", 0, 0, 0, 0, ""},
        {"_εν αρχη [ην] \"ο\" 'λογος' `και`", "en arch hn o logov kai", 0, 0, 0, 0, ""},
        {"λογος\xEF\xBF\xBD ην", "logov hn", 0, 0, 0, 1, ""},
        {"αυτο& και *", "auto # kai #", 0, 0, 0, 0, ""},
        {"* =θ&", "# y #", 0, 0, 0, 0, ""},
    };
    for (const auto& c : cases) {
        const RecordingSink sink = Read("40001001 " + c.line + "\n");
        EXPECT_EQ(sink.calls, Calls{"40001001 " + c.words}) << c.line;
        EXPECT_EQ(sink.counts.uncertainLetters, c.uncertain) << c.line;
        EXPECT_EQ(sink.counts.suppliedWords, c.supplied) << c.line;
        EXPECT_EQ(sink.counts.contractionsExpanded, c.expanded) << c.line;
        EXPECT_EQ(sink.counts.replacementCharacters, c.replacement) << c.line;
        EXPECT_EQ(sink.counts.unknownContractions.size(), *c.unknown ? 1u : 0u) << c.line;
        if (*c.unknown) {
            EXPECT_EQ(sink.counts.unknownContractions.count(c.unknown), 1u) << c.line;
        }
    }
}

TEST(ReadTranscriptionSource, EachHandReadsItsOwnTextAcrossVerses)
{
    const std::string text = "40001001 αx{υ}{ο}του x{πανταν} {παντα} a{παντες} b{παντων} και x{} {ο} λογος\n"
                             "40001002 ειπεν x{αυτω\n"
                             "40001003 ουν} {αυτοις\n"
                             "40001003 δε} λογος\r\n"
                             "40001004 a{και} ην\n";
    const struct {
        Hand hand;
        Calls calls;
    } cases[] = {
        {Hand::First, {"40001001 autou pantan kai logov", "40001002 eipen autw", "40001003 oun logov", "40001004 hn"}},
        {Hand::Scribe, {"40001001 aotou panta kai o logov", "40001002 eipen autoiv", "40001003 de logov",
                        "40001004 hn"}},
        {Hand::Last, {"40001001 aotou pantwn kai o logov", "40001002 eipen autoiv", "40001003 de logov",
                      "40001004 kai hn"}},
    };
    for (const auto& c : cases) {
        const RecordingSink sink = Read(text, c.hand);
        EXPECT_EQ(sink.calls, c.calls) << HandName(c.hand);
        const std::map<std::string, int> corrections{{"a", 2}, {"b", 1}, {"scribe", 4}};
        EXPECT_EQ(sink.counts.corrections, corrections);
    }
    // Readings ranked first hand 0, scribe 1, later hands 2 and up.
    const int ranks[] = {0, 2, 1, 3, 1};
    EXPECT_EQ(ChooseReading(Hand::First, ranks), 0);
    EXPECT_EQ(ChooseReading(Hand::Scribe, ranks), 4);
    EXPECT_EQ(ChooseReading(Hand::Last, ranks), 3);
    EXPECT_EQ(ChooseReading(Hand::First, std::span<const int>(ranks + 1, 2)), -1);
}

TEST(ReadTranscriptionSource, LacunaeAbsentVersesAndTheBuilder)
{
    const std::string text = "\xEF\xBB\xBF" "Codex X, a test\n"
                             "40001001 & βιβλος γενεσεως *\n"
                             "40001002 -\n"
                             "40001003 +\n"
                             "40001004 \n"
                             "01001001 εν αρχη\n"
                             "40001005 =ιυ =χυ\n";
    const RecordingSink sink = Read(text);
    EXPECT_EQ(sink.calls, (Calls{"skip", "40001001 # biblov genesewv #", "absent 40001002", "40001003 #",
                                 "lost 40001004", "skip", "40001005 ihsou cristou"}));
    EXPECT_EQ(sink.counts.presentUntranscribed, 1);

    EditionBuilder builder;
    ReadTranscriptionSource(text, "ms.txt", builder);
    const ImportSummary s = builder.Summary();
    EXPECT_TRUE(s.manuscript);
    EXPECT_EQ(s.absent, 1);
    EXPECT_EQ(s.remnants, 1);
    EXPECT_EQ(s.versesWithoutGreek, 0); // nomina sacra alone are Greek
    EXPECT_EQ(s.lacunose, 7961 - 3); // all but 1:1, 1:2 and 1:5; 1:3 is there, its words unknown
    const std::vector<std::string> lines = SplitLines(builder.EditionText());
    const Lacunae lacunae = builder.TextLacunae();
    const size_t first = size_t(layout::VerseLine(0, 1, 1));
    EXPECT_EQ(lines[first], " 1:1 biblov genesewv");
    EXPECT_EQ(std::vector<uint16_t>(lacunae.Gaps(first).begin(), lacunae.Gaps(first).end()),
              (std::vector<uint16_t>{0, 2}));
    EXPECT_FALSE(lacunae.Lacunose(first + 1));
    EXPECT_TRUE(lacunae.Lacunose(first + 2));
    EXPECT_TRUE(lacunae.Lacunose(first + 3));
    EXPECT_EQ(LacunaeSectionText(lacunae, lines),
              "[Lacunae]\r\n40001003-40001004=lost\r\n40001006-66022021=lost\r\n40001001=gaps 0 2\r\n");

    // A printed edition's builder knows nothing of lacunae.
    EditionBuilder printed;
    printed.Verse({0, 1, 1}, "βίβλος");
    EXPECT_FALSE(printed.Summary().manuscript);
    EXPECT_TRUE(printed.TextLacunae().Empty());
}

TEST(ReadTranscriptionSource, FoundByContentAndNamed)
{
    EXPECT_EQ(DetectFormat("40001001 βιβλος\n", "a.txt"), SourceFormat::Transcription);
    EXPECT_EQ(DetectFormat("Codex X\n\n43003016 ουτως\n", "a.txt"), SourceFormat::Transcription);
    EXPECT_EQ(DetectFormat("John 3:16 ουτως\n", "a.txt"), SourceFormat::Text);
    EXPECT_EQ(DetectFormat("12345678 ουτως\n", "a.txt"), std::nullopt); // no New Testament book
    EXPECT_EQ(DetectFormat("400010011 ουτως\n", "a.txt"), std::nullopt);
    EXPECT_EQ(ParseSourceFormat("transcription"), SourceFormat::Transcription);
    EXPECT_EQ(SourceFormatName(SourceFormat::Transcription), "transcription");
}

TEST(DescribeSummary, AManuscriptsReport)
{
    ImportSummary s;
    s.manuscript = true;
    s.hand = Hand::First;
    s.versesPlaced = 40;
    s.slotsEmpty = 7922;
    s.absent = 2;
    s.lacunose = 7919;
    s.remnants = 3;
    s.transcription.corrections = {{"scribe", 5}, {"a", 2}};
    s.transcription.contractionsExpanded = 9;
    s.transcription.unknownContractions = {{"ξσ", 1}, {"πρσ", 3}};
    s.transcription.uncertainLetters = 4;
    s.transcription.suppliedWords = 1;
    s.transcription.replacementCharacters = 2;
    const std::vector<std::string> expected = {
        "40 verses placed.",
        "A manuscript, its text as first written: 2 verses absent (not written by the scribe), 7919 lacunose "
        "(lost), 3 remnants (partly lost).",
        "1 verse slot left empty.",
        "Corrections: 2 by hand a, 5 by the scribe.",
        "9 nomina sacra written out.",
        "4 contractions unknown, kept as written: πρσ ×3, ξσ.",
        "4 uncertain letters (damaged or supplied) kept.",
        "1 word supplied by the transcriber kept.",
        "2 replacement characters (U+FFFD) dropped.",
    };
    EXPECT_EQ(DescribeSummary(s), expected);
}

// John 1 of a sample edition back in Greek, as a manuscript would give it:
// 1:1 with a nomen sacrum, 1:2 left out, 1:3 corrected by two hands, 1:4 a
// remnant; the rest of the New Testament lost.
TEST(ImportTranscription, OneTranscriptionByEachHandMakesThreeWitnesses)
{
    const auto edition = LoadEditionText(std::string(SYNOPTER_EDITIONS_DIR) + "/Byzantine2018.dat");
    if (!edition || edition->size() != size_t(layout::kLineCount))
        GTEST_SKIP() << "no sample edition";
    const size_t first = size_t(layout::VerseLine(3, 1, 1));
    const int verses = layout::VerseCount(3, 1);
    std::string transcription;
    std::vector<std::string> original;
    for (int v = 1; v <= verses; ++v) {
        const std::string& line = (*edition)[first + size_t(v - 1)];
        const std::vector<std::string_view> words = SplitWords(ParseVerseLine(line).words);
        ASSERT_GE(words.size(), 3u);
        original.push_back(line);
        std::string greek;
        for (size_t w = 0; w < words.size(); ++w) {
            std::string word = ToGreek(words[w]);
            if (v == 1 && words[w] == "yeov")
                word = "=θ̅σ̅";
            if (v == 3 && w == 0)
                word = "x{" + word + "} {δε} a{ουν}";
            if (v == 4 && w + 1 == words.size())
                word = "&";
            greek += (w ? " " : "") + word;
        }
        char number[40];
        std::snprintf(number, sizeof number, "43001%03d ", v);
        transcription += number + (v == 2 ? std::string("-") : greek) + "\n";
    }
    test::TempFolder folder;
    const std::string source = folder.Write("john.txt", transcription);
    std::vector<std::vector<std::string>> texts;
    for (const Hand hand : {Hand::First, Hand::Scribe, Hand::Last}) {
        ImportRequest request;
        request.sources = {source};
        request.hand = hand;
        const ImportedEdition imported = ImportEdition(request);
        WriteImportedEdition(folder.Path(), imported, false);
        const std::string name = "john" + std::string(WitnessNameSuffix(hand));
        ASSERT_EQ(imported.name, name);
        const auto lines = LoadEditionText(folder / (name + ".dat"));
        ASSERT_TRUE(lines);
        texts.push_back(*lines);
        const EditionDescriptor descriptor = ReadEditionDescriptor(folder / (name + ".bk"));
        EXPECT_EQ(descriptor.hand, HandName(hand));
        EXPECT_EQ(descriptor.siglum, hand == Hand::First ? "john*" : hand == Hand::Last ? "johnc" : "john");
        const Lacunae lacunae = ReadLacunae(folder / (name + ".bk"), *lines);
        EXPECT_EQ(lacunae.LacunoseCount(), size_t(7961 - verses));
        EXPECT_FALSE(lacunae.Lacunose(first + 1)); // absent, not lost
        const size_t remnantWords = SplitWords(ParseVerseLine(original[3]).words).size() - 1;
        EXPECT_EQ(std::vector<uint16_t>(lacunae.Gaps(first + 3).begin(), lacunae.Gaps(first + 3).end()),
                  std::vector<uint16_t>{uint16_t(remnantWords)});
        EXPECT_EQ(imported.summary.absent, 1);
        EXPECT_EQ(imported.summary.transcription.contractionsExpanded, 1);
        // The nomen sacrum written out and the untouched verses read as printed.
        EXPECT_EQ((*lines)[first], original[0]);
        EXPECT_EQ((*lines)[first + 4], original[4]);
        EXPECT_EQ((*lines)[first + 1], " 1:2");
    }
    const auto thirdVerse = [&](size_t witness) { return SplitWords(ParseVerseLine(texts[witness][first + 2]).words); };
    EXPECT_EQ(thirdVerse(0)[0], SplitWords(ParseVerseLine(original[2]).words)[0]);
    EXPECT_EQ(thirdVerse(1)[0], "de");
    EXPECT_EQ(thirdVerse(2)[0], "oun");
}

} // namespace
} // namespace synopter
