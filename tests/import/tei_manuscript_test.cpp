#include "import/source_readers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace synopter {
namespace {

// What the TEI reader delivers: "John 1:1 text" with the lost-text mark as
// "#", "John 1:1 lacunose", and the counts of a Transcription call in brief.
struct Recorder : VerseSink {
    Hand hand = Hand::Scribe;
    std::vector<std::string> events;
    std::string transcription;
    int transcriptions = 0;

    void Verse(const VerseRef& ref, std::string_view text) override
    {
        std::string shown(text);
        for (char& c : shown)
            if (c == kLostTextMark)
                c = '#';
        events.push_back(FormatVerseRef(ref) + " " + shown);
    }
    void Lacunose(const VerseRef& ref) override { events.push_back(FormatVerseRef(ref) + " lacunose"); }
    void Absent(const VerseRef& ref) override { events.push_back(FormatVerseRef(ref) + " absent"); }
    void Transcription(const TranscriptionCounts& c) override
    {
        ++transcriptions;
        for (const auto& [h, n] : c.corrections)
            transcription += "corr " + h + "=" + std::to_string(n) + "; ";
        for (const auto& [w, n] : c.unknownContractions)
            transcription += "unknown " + w + "=" + std::to_string(n) + "; ";
        transcription += "expanded " + std::to_string(c.contractionsExpanded) + "; uncertain " +
                         std::to_string(c.uncertainLetters) + "; supplied " + std::to_string(c.suppliedWords);
    }
    Hand TextHand() const override { return hand; }
    void SkippedLine() override {}
};

std::string Verse(const std::string& n, const std::string& body)
{
    return "<ab n=\"" + n + "\">" + body + "</ab>";
}

std::string Tei(const std::string& body)
{
    return "<?xml version=\"1.0\"?><TEI xmlns=\"http://www.tei-c.org/ns/1.0\"><text><body><pb n=\"1r\"/>" + body +
           "</body></text></TEI>";
}

// A passage as the first hand wrote it, corrected by the scribe and by two
// later hands, the later one listed first.
const std::string kCorrected = Verse("B04K1V1",
    "<w>και</w><app><rdg type=\"orig\" hand=\"firsthand\"><w>ελεγεν</w><w>αυτοις</w></rdg>"
    "<rdg type=\"corr\" hand=\"firsthand\"><w>ελεγε</w><w>αυτοις</w></rdg>"
    "<rdg type=\"corr\" hand=\"corrector2\"><w>ειπεν</w></rdg>"
    "<rdg type=\"corr\" hand=\"corrector1\"><w>λεγει</w><w><unclear>αυ</unclear>τοις</w></rdg></app><w>παλιν</w>");

// Corrected by a hand without a number and by a third hand, who deleted.
const std::string kDeleted = Tei(Verse("B04K1V6",
    "<app><rdg type=\"orig\" hand=\"firsthand\"><w>ο</w></rdg><rdg type=\"corr\" hand=\"corrector\"><w>ος</w></rdg>"
    "</app><w>μεν</w><app><rdg type=\"orig\" hand=\"firsthand\"><w>δε</w></rdg><rdg type=\"corr\" hand=\"corrector3\"/>"
    "</app>"));

struct Case {
    const char* what;
    std::string document;
    std::vector<std::string> events;
    std::string transcription; // empty: no Transcription call
    Hand hand = Hand::Scribe;
};

TEST(TeiManuscriptTest, LostTextHandsContractionsAndLayout)
{
    const std::string counts0 = "expanded 0; uncertain 0; supplied 0";
    const std::string correctedCounts = "corr corrector1=1; corr corrector2=1; corr firsthand=1; ";
    const std::string deletedCounts = "corr corrector=1; corr corrector3=1; " + counts0;
    const Case cases[] = {
        {"a printed edition, its pages and lines marked: no transcription",
         "<TEI><text><body><pb n=\"12\"/>" + Verse("B04K1V1", "<w>ὁ</w><lb/><w>λό<lb break=\"no\"/>γος</w><pc>,</pc>") +
             Verse("B04K1V2", " ") + "</body></text></TEI>",
         {"John 1:1 ὁ λόγος"}, ""},
        {"gaps between words, inside a word, at either end; a reasonless gap passed over",
         Tei(Verse("B04K1V2", "<gap reason=\"lacuna\" unit=\"char\" extent=\"3\"/><w>ουτος</w>"
                              "<w>ην</w><gap reason=\"lacuna\" unit=\"word\" extent=\"2\"/><w>εν</w><w>αρ<gap reason="
                              "\"illegible\" unit=\"char\" extent=\"1\"/>η</w><w>προ<gap/>ς</w><w>τον</w><w>θε"
                              "<gap reason=\"lacuna\" unit=\"char\" extent=\"2\"/></w>")),
         {"John 1:2 # ουτος ην # εν αρ#η προς τον θε#"}, counts0},
        {"a verse all in gaps and supplied lacunae is lacunose; a lost part of a verse is a gap",
         Tei(Verse("B04K1V3", "<gap reason=\"lacuna\" unit=\"line\" extent=\"2\"/><w><supplied reason=\"lacuna\">"
                              "παντα</supplied></w> <supplied reason=\"lacuna\">δι αυτου</supplied>") +
             "<ab n=\"B04K1V4\" part=\"I\"><w>εν</w></ab><pb/><ab n=\"B04K1V4\" part=\"F\"><gap reason=\"lacuna\" "
             "unit=\"page\" extent=\"1\"/></ab>"),
         {"John 1:3 lacunose", "John 1:4 εν", "John 1:4 #"}, counts0},
        {"supplied lacuna: one mark for the run, inside a word or over words; other supplied text kept",
         Tei(Verse("B04K1V5", "<w>το</w><w>φω<supplied reason=\"lacuna\">ς</supplied></w><supplied reason=\"lacuna\">"
                              "<w>εν</w><w>τη</w></supplied><w>σκοτια</w><w><supplied reason=\"omitted\">φαινει"
                              "</supplied></w><supplied>και η</supplied>")),
         {"John 1:5 το φω# # σκοτια φαινει και η"}, "expanded 0; uncertain 0; supplied 3"},
        {"corrections: the first hand", kCorrected, {"John 1:1 και ελεγεν αυτοις παλιν"},
         correctedCounts + counts0, Hand::First},
        {"corrections: the scribe's own", kCorrected, {"John 1:1 και ελεγε αυτοις παλιν"},
         correctedCounts + counts0, Hand::Scribe},
        {"corrections: the latest hand", kCorrected, {"John 1:1 και ειπεν παλιν"}, correctedCounts + counts0, Hand::Last},
        {"the scribe's hand without a correction of its own keeps the first hand's", kDeleted, {"John 1:6 ο μεν δε"},
         deletedCounts, Hand::Scribe},
        {"a later hand's correction, a deletion", kDeleted, {"John 1:6 ος μεν"}, deletedCounts, Hand::Last},
        {"a verse only a later hand wrote is absent from the first hand's text, reported at the end",
         Tei(Verse("B04K1V11", "<app><rdg type=\"orig\" hand=\"firsthand\">&#x20;</rdg><rdg type=\"corr\" hand=\"corrector1\">"
                               "<w>ηλθεν</w></rdg></app>") + Verse("B04K1V12", "<w>οσοι</w>")),
         {"John 1:12 οσοι", "John 1:11 absent"}, "corr corrector1=1; " + counts0, Hand::First},
        {"nomina sacra: from the table, with the expansion given, unknown; other abbreviations as written",
         Tei(Verse("B04K1V7", "<w><abbr type=\"nomSac\"><hi rend=\"overline\">θς</hi></abbr></w><w>και</w><w>"
                              "<abbr type=\"nomSac\"><hi rend=\"overline\">κ<ex>υριο</ex>ς</hi></abbr></w><w>του</w>"
                              "<w><abbr type=\"nomSac\"><hi rend=\"overline\">ζβ</hi></abbr></w><w><abbr type=\""
                              "numeral\"><hi rend=\"overline\">ιβ</hi></abbr></w><w>κ<abbr type=\"other\">αι<ex>ς</ex>"
                              "</abbr></w>")),
         {"John 1:7 yeov και κυριος του ζβ ιβ καις"}, "unknown ζβ=1; expanded 2; uncertain 0; supplied 0"},
        {"breaks inside words join, layout, running titles, notes, marginalia and punctuation dropped",
         Tei(Verse("B04K1V8", "ο λο<lb break=\"no\"/>γος<cb n=\"2\"/>ην<fw type=\"pageNum\">ιβ</fw> παρα<pb "
                              "break=\"no\"/>\n τον<note type=\"local\">rubbed</note> θεον<pc>·</pc>και<seg type="
                              "\"margin\" subtype=\"pagebottom\">κεφ α</seg> <num value=\"3\">γ</num>")),
         {"John 1:8 ο λογος ην παρατον θεον και γ"}, counts0},
        {"verses named the OSIS way; uncertain letters counted where they are chosen",
         Tei("<ab osisID=\"John.1.9\"><w>ην</w><w><unclear>το</unclear></w></ab><ab n=\"John.1.10\"><app><rdg "
             "type=\"orig\" hand=\"firsthand\"><unclear>εν</unclear></rdg><rdg type=\"corr\" hand=\"corrector1\">"
             "<unclear>εις</unclear></rdg></app></ab>"),
         {"John 1:9 ην το", "John 1:10 εν"}, "corr corrector1=1; expanded 0; uncertain 4; supplied 0"},
    };
    for (const Case& c : cases) {
        Recorder got;
        got.hand = c.hand;
        ReadTeiSource(c.document, "ms.xml", got);
        EXPECT_EQ(got.events, c.events) << c.what;
        EXPECT_EQ(got.transcription, c.transcription) << c.what;
        EXPECT_EQ(got.transcriptions, c.transcription.empty() ? 0 : 1) << c.what;
    }
}

// A codex of the whole New Testament as a transcription project publishes it,
// a few megabytes of pages, lines, words, corrections and gaps, in well under
// a second (the bound leaves room for the sanitizer build).
TEST(TeiManuscriptTest, WholeCodexIsReadQuickly)
{
    const std::string page = "<pb n=\"1r\"/><cb n=\"1\"/><lb n=\"1\"/>";
    std::string doc = "<TEI><text><body>";
    int verses = 0;
    for (int book = 1; book <= 27; ++book)
        for (int chapter = 1; chapter <= 12; ++chapter)
            for (int verse = 1; verse <= 25; ++verse, ++verses) {
                doc += (verse % 10 == 1 ? page : "<lb/>") + std::string("<ab n=\"B") + std::to_string(book) + "K" +
                       std::to_string(chapter) + "V" + std::to_string(verse) + "\"><w>και</w><w>ελε<lb break=\"no\"/>"
                       "γεν</w><app><rdg type=\"orig\" hand=\"firsthand\"><w>αυτοις</w></rdg><rdg type=\"corr\" "
                       "hand=\"corrector1\"><w>αυτω</w></rdg></app><w><abbr type=\"nomSac\"><hi rend=\"overline\">ις"
                       "</hi></abbr></w><w>ο<unclear>τι</unclear></w><w>ε<gap reason=\"lacuna\" unit=\"char\" "
                       "extent=\"2\"/></w><w><supplied reason=\"lacuna\">ερχεται</supplied></w><w>ο</w><w>υιος</w>"
                       "<w>του</w><w>ανθρωπου</w></ab>";
            }
    doc += "</body></text></TEI>";
    ASSERT_GT(doc.size(), 3'000'000u);
    Recorder got;
    const auto start = std::chrono::steady_clock::now();
    ReadTeiSource(doc, "codex.xml", got);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 2.0) << doc.size() << " bytes";
    ASSERT_EQ(got.events.size(), size_t(verses));
    EXPECT_EQ(got.events.back(), "Revelation 12:25 και ελεγεν αυτοις ihsouv οτι ε# # ο υιος του ανθρωπου");
}

} // namespace
} // namespace synopter
