#include "editions/nt_layout.h"
#include "import/source_readers.h"
#include "import/xml_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace synopter {
namespace {

using Reader = void (*)(std::string_view, std::string_view, VerseSink&);

std::string CollapseSpace(std::string_view text)
{
    std::istringstream in{std::string(text)};
    std::string word, out;
    while (in >> word)
        out += (out.empty() ? "" : " ") + word;
    return out;
}

// Verses as "book chapter:verse text", book from 0, white space collapsed.
struct Recorder : VerseSink {
    std::vector<std::string> verses;
    std::vector<std::string> titles;
    int skipped = 0;
    int transcriptions = 0;

    void Verse(const VerseRef& ref, std::string_view text) override
    {
        verses.push_back(std::to_string(ref.book) + " " + std::to_string(ref.chapter) + ":" +
                         std::to_string(ref.verse) + " " + CollapseSpace(text));
    }
    void SkippedLine() override { ++skipped; }
    void Title(std::string_view title) override { titles.emplace_back(title); }
    void Transcription(const TranscriptionCounts&) override { ++transcriptions; }
};

std::string Tei(const std::string& body)
{
    return "<TEI xmlns=\"http://www.tei-c.org/ns/1.0\"><text><body>" + body + "</body></text></TEI>";
}

std::string Osis(const std::string& book)
{
    return "<osis xmlns=\"http://www.bibletechnologies.net/2003/OSIS/namespace\"><osisText osisIDWork=\"T\">"
           "<div type=\"book\">" + book + "</div></osisText></osis>";
}

struct Case {
    const char* what;
    Reader read;
    std::string document;
    std::vector<std::string> verses;
    int skipped = 0;
    std::vector<std::string> titles = {};
};

TEST(XmlSourcesTest, VersesWordsAndWhatIsLeftOut)
{
    const Case cases[] = {
        {"TEI words of <w> elements", ReadTeiSource,
         Tei("<ab n=\"B04K1V1\"><w>Ἐν</w><w>ἀρχῇ</w><w>ἦν</w></ab><ab n=\"B04K1V2\">οὗτος ἦν</ab>"),
         {"3 1:1 Ἐν ἀρχῇ ἦν", "3 1:2 οὗτος ἦν"}},
        {"TEI notes, running titles and gaps give nothing; inline markup keeps its text", ReadTeiSource,
         Tei("<pb n=\"2r\"/><fw type=\"runTitle\">κατα ιωαννην</fw><ab n=\"B04K1V2\"><w>οὗ<hi rend=\"cap\">τ</hi>ος</w>"
             "<note type=\"local\">a note</note><w><unclear>ἦ</unclear>ν</w><fw>β</fw><w>ἐ<gap extent=\"1\"/>ν</w>"
             "<w><supplied>ἀρχῇ</supplied></w> <abbr type=\"nomSac\"><hi>θ</hi><ex>εο</ex>ν</abbr></ab>"),
         {"3 1:2 οὗτος ἦν ἐν ἀρχῇ θεον"}},
        {"TEI first reading of <app> (<lem> first) and first child of <choice>", ReadTeiSource,
         Tei("<ab n=\"B04K1V3\"><w>πάντα</w><app><rdg type=\"orig\"><w>δι</w></rdg><rdg type=\"corr\"><w>διά</w></rdg>"
             "</app><app><rdg>α</rdg><lem>αὐτ<app><rdg>ου</rdg><rdg>ω</rdg></app></lem></app><w>ἐγένετο</w>"
             "<choice><sic>χορις</sic><corr>χωρὶς</corr></choice></ab>"),
         {"3 1:3 πάντα δι αὐτου ἐγένετο χορις"}},
        {"TEI line, column and page breaks", ReadTeiSource,
         Tei("<ab n=\"B04K1V4\"><w>ἐν</w><w>αὐ<lb break=\"no\"/>τῷ</w><w>ζω<lb/>ὴ</w>ἦν<lb/>καὶ<cb/>ἡ<pb/>ζωὴ "
             "ἦν τὸ φ\n  <lb break=\"no\"/>\n  ῶς</ab>"),
         {"3 1:4 ἐν αὐτῷ ζωὴ ἦν καὶ ἡ ζωὴ ἦν τὸ φῶς"}},
        {"TEI units that are not verses", ReadTeiSource,
         Tei("before<ab n=\"B04K1V0\">κατα</ab><ab n=\"B04incipit\">α</ab><ab>β</ab><ab n=\"B28K1V1\">γ</ab>"
             "between<ab n=\"B27K22V21\"><w>ἀμήν</w></ab><ab n=\"B27K22V20\"> </ab>after"),
         {"26 22:21 ἀμήν"}, 4},
        {"TEI header title, BOM, CR LF, a blank line before the declaration", ReadTeiSource,
         "\xEF\xBB\xBF\r\n<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<TEI><teiHeader><fileDesc><titleStmt>\r\n"
         "<title>Codex\r\n  Sinaiticus</title><title type=\"sub\">John</title></titleStmt><sourceDesc>"
         "<ab n=\"B04K1V9\">ν</ab></sourceDesc></fileDesc></teiHeader>\r\n<text><body><ab n=\"B04K1V1\">\r\n"
         "<w>Ἐν</w>\r\n<w>ἀρχῇ</w>\r\n</ab></body></text></TEI>\r\n",
         {"3 1:1 Ἐν ἀρχῇ"}, 0, {"Codex Sinaiticus"}},
        {"OSIS containers of <w> words", ReadOsisSource,
         Osis("<chapter osisID=\"John.1\"><verse osisID=\"John.1.1\"><w lemma=\"strong:G1722\" morph=\"robinson:PREP\">"
              "Ἐν</w><w lemma=\"strong:G746\">ἀρχῇ</w></verse> 2 <verse osisID=\"John.1.2\">οὗτος<w>ἦν</w></verse></chapter>"),
         {"3 1:1 Ἐν ἀρχῇ", "3 1:2 οὗτος ἦν"}},
        {"OSIS milestones across paragraphs, lines and quotations", ReadOsisSource,
         Osis("<p><verse sID=\"John.1.1\" osisID=\"John.1.1\"/>Ἐν ἀρχῇ</p><p>ἦν ὁ λόγος<verse eID=\"John.1.1\"/> x</p>"
              "<p><verse sID=\"John.1.2\" osisID=\"John.1.2\"/><q who=\"x\">οὗτος</q><lg><l>ἦν</l><l>ἐν</l></lg>"
              "ἀρ<hi type=\"bold\">χῇ</hi><verse eID=\"John.1.2\"/></p>"),
         {"3 1:1 Ἐν ἀρχῇ ἦν ὁ λόγος", "3 1:2 οὗτος ἦν ἐν ἀρχῇ"}},
        {"OSIS notes and titles left out", ReadOsisSource,
         Osis("<title type=\"main\">ΚΑΤΑ ΙΩΑΝΝΗΝ</title><verse osisID=\"John.1.1\"><title>Ὁ λόγος</title>Ἐν"
              "<note type=\"variant\"><rdg>ἐν τῇ</rdg></note> ἀρχῇ<note n=\"a\">see</note></verse>"),
         {"3 1:1 Ἐν ἀρχῇ"}},
        {"OSIS a verse naming several keeps all text under the first", ReadOsisSource,
         Osis("<verse sID=\"x\" osisID=\"Rom.16.25  Rom.16.26\"/>Τῷ δὲ <p>δυναμένῳ</p><verse eID=\"x\"/>"),
         {"5 16:25 Τῷ δὲ δυναμένῳ"}},
        {"OSIS books outside the New Testament, chapters and verse 0 skipped", ReadOsisSource,
         Osis("<verse osisID=\"Gen.1.1\">Ἐν ἀρχῇ ἐποίησεν</verse><verse sID=\"Ps.3.1\" osisID=\"Ps.3.1\"/>Κύριε"
              "<verse eID=\"Ps.3.1\"/><verse osisID=\"Matt.1\">α</verse><verse osisID=\"Matt.1.0\">β</verse>"
              "<verse osisID=\"Bible:Matt.1.1\">Βίβλος</verse>"),
         {"0 1:1 Βίβλος"}, 4},
        {"OSIS header title of the text's own work", ReadOsisSource,
         "<?xml version=\"1.0\"?><osis><osisText osisIDWork=\"Byz\"><header><work osisWork=\"Bible\"><title>Bible"
         "</title></work><work osisWork=\"Byz\"><title>Byzantine\n Text</title></work></header>"
         "<div><verse osisID=\"Jude.1.25\">ἀμήν</verse></div></osisText></osis>",
         {"25 1:25 ἀμήν"}, 0, {"Byzantine Text"}},
    };
    for (const Case& c : cases) {
        Recorder got;
        c.read(c.document, "source.xml", got);
        EXPECT_EQ(got.verses, c.verses) << c.what;
        EXPECT_EQ(got.skipped, c.skipped) << c.what;
        EXPECT_EQ(got.titles, c.titles) << c.what;
    }
}

TEST(XmlSourcesTest, MalformedDocumentsAreRefusedWithFileAndLine)
{
    struct Malformed {
        Reader read;
        std::string document;
    };
    const Malformed cases[] = {
        {ReadTeiSource, "<TEI><text>\n<body>\n<ab n=\"B04K1V1\"><w>Ἐν</ab></body></text></TEI>"},
        {ReadOsisSource, "<osis>\n<verse osisID=\"John.1.1\">\nἘν & ἀρχῇ</verse></osis>"},
        {ReadOsisSource, ""},
        {ReadTeiSource, "\xEF\xBB\xBF\n<?xml version=\"1.0\"?>\n<TEI><text>\xCE</text></TEI>"},
    };
    const std::string lines[] = {"line 3", "line 3", "line 1", "line 3"};
    for (size_t i = 0; i < std::size(cases); ++i) {
        Recorder got;
        try {
            cases[i].read(cases[i].document, "john.xml", got);
            ADD_FAILURE() << "accepted case " << i;
        } catch (const ImportError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("john.xml: not well-formed XML at " + lines[i] + ": ", 0), 0u) << message;
        }
    }
}

TEST(XmlSourcesTest, ASinkErrorStopsTheReading)
{
    struct Refusing : Recorder {
        void Verse(const VerseRef&, std::string_view) override { throw ImportError("stopped"); }
    } sink;
    const std::string doc = Osis("<verse osisID=\"John.1.1\">α</verse><verse osisID=\"John.1.2\">β</verse>");
    EXPECT_THROW(ReadOsisSource(doc, "x.xml", sink), ImportError);
}

// Robinson-Pierpont, written out as whole-NT TEI and OSIS documents, comes back
// verse for verse, quickly.
TEST(XmlSourcesTest, WholeNewTestamentComesBackFast)
{
    const std::filesystem::path folder = std::filesystem::path(SYNOPTER_SOURCES_DIR) / "byzantine2018-csv";
    if (!std::filesystem::exists(folder / "MAT.csv"))
        GTEST_SKIP() << "no Robinson-Pierpont CSV in " << folder;
    const char* books[] = {"MAT", "MAR", "LUK", "JOH", "ACT", "ROM", "1CO", "2CO", "GAL", "EPH", "PHP", "COL", "1TH", "2TH",
                           "1TI", "2TI", "TIT", "PHM", "HEB", "JAM", "1PE", "2PE", "1JO", "2JO", "3JO", "JUD", "REV"};
    std::vector<std::string> expected;
    std::string tei = "<TEI><text><body>", osis = "<osis><osisText><div>";
    for (int b = 0; b < 27; ++b) {
        std::ifstream in(folder / (std::string(books[b]) + ".csv"));
        std::string line;
        std::getline(in, line); // chapter,verse,text
        while (std::getline(in, line)) {
            int chapter = 0, verse = 0, used = 0;
            if (std::sscanf(line.c_str(), "%d,%d,%n", &chapter, &verse, &used) < 2)
                continue;
            std::string text = line.substr(size_t(used)), words;
            if (text.size() >= 2 && text.front() == '"')
                text = text.substr(1, text.size() - 2); // no doubled quotes in this text
            std::istringstream split(text);
            for (std::string w; split >> w;)
                words += "<w morph=\"robinson:N-NSM\">" + w + "</w>";
            const std::string id = std::to_string(chapter) + "." + std::to_string(verse);
            expected.push_back(std::to_string(b) + " " + std::to_string(chapter) + ":" + std::to_string(verse) + " " +
                               CollapseSpace(text));
            tei += "<ab n=\"B" + std::to_string(b + 1) + "K" + std::to_string(chapter) + "V" + std::to_string(verse) +
                   "\">" + words + "<lb/></ab>\n";
            osis += "<verse sID=\"v\" osisID=\"" + std::string(layout::BookAt(b).osis) + "." + id + "\"/>" + words + "<verse eID=\"v\"/>\n";
        }
    }
    tei += "</body></text></TEI>";
    osis += "</div></osisText></osis>";
    ASSERT_GT(expected.size(), 7900u);

    for (Reader read : {ReadTeiSource, ReadOsisSource}) {
        const std::string& doc = read == ReadTeiSource ? tei : osis;
        Recorder got;
        const auto start = std::chrono::steady_clock::now();
        read(doc, "nt.xml", got);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took.count(), 5.0) << doc.size() << " bytes";
        EXPECT_EQ(got.verses, expected);
        EXPECT_EQ(got.transcriptions, 0) << "a printed edition is no manuscript";
    }
}

} // namespace
} // namespace synopter
