#include "import/source_readers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace synopter {
namespace {

// What a reader reported, one entry per call: "John 3:16 text" or "skip".
class RecordingSink : public VerseSink {
public:
    void Verse(const VerseRef& ref, std::string_view text) override
    {
        calls.push_back(FormatVerseRef(ref) + " " + std::string(text));
    }
    void SkippedLine() override { calls.push_back("skip"); }
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

struct ReaderCase {
    const char* what;
    std::string fileName;
    std::string bytes;
    Calls expected;
};

TEST(ReadTextSource, ReadsReferencesAndBookLines)
{
    const ReaderCase cases[] = {
        {"book and tab", "a.txt", "Matt 1:1\tΒίβλος γενέσεως\nMatt 1:2  Ἀβραὰμ\n",
         {"Matthew 1:1 Βίβλος γενέσεως", "Matthew 1:2 Ἀβραὰμ"}},
        {"numbered and roman books", "a.txt", "1 Cor 1:1 Παῦλος\nIII John 1:2 ἀγαπητέ\n1Jn 5:7 ὅτι",
         {"1 Corinthians 1:1 Παῦλος", "3 John 1:2 ἀγαπητέ", "1 John 5:7 ὅτι"}},
        {"book line then C:V", "a.txt", "ΚΑΤΑ ΙΩΑΝΝΗΝ\nJohn\n3:16 Οὕτως\n\n3:17 οὐ\n",
         {"skip", "John 3:16 Οὕτως", "skip", "John 3:17 οὐ"}},
        {"a book named in a verse line carries on", "a.txt", "Mark 2:1 Καὶ\n2:2 καὶ\n",
         {"Mark 2:1 Καὶ", "Mark 2:2 καὶ"}},
        {"BOM and CR LF", "a.txt", "\xEF\xBB\xBFRom 1:1 Παῦλος\r\nRom 1:2 ὃ\r\n",
         {"Romans 1:1 Παῦλος", "Romans 1:2 ὃ"}},
        {"no book yet, unknown book, not a reference", "a.txt",
         "1:1 λόγος\nTobit 1:1 λόγος\nJohn 3:16a λόγος\nChapter 3: λόγος\nJude\n1:3 Ἀγαπητοί",
         {"skip", "skip", "skip", "skip", "Jude 1:3 Ἀγαπητοί"}},
    };
    for (const ReaderCase& c : cases) {
        RecordingSink sink;
        ReadTextSource(c.bytes, c.fileName, sink);
        EXPECT_EQ(sink.calls, c.expected) << c.what;
    }
}

TEST(ReadCsvSource, ReadsRowsAndQuoting)
{
    const ReaderCase cases[] = {
        {"book from the file name", "/x/MAT.csv", "chapter,verse,text\n1,1,Βίβλος\n1,2,Ἀβραὰμ\n",
         {"Matthew 1:1 Βίβλος", "Matthew 1:2 Ἀβραὰμ"}},
        {"numbered file name", "40-Matthew.csv", "chapter,verse,text\n1,1,Βίβλος", {"Matthew 1:1 Βίβλος"}},
        {"1CO", "1CO.csv", "chapter,verse,text\n1,1,Παῦλος", {"1 Corinthians 1:1 Παῦλος"}},
        {"columns in any order and case, book column", "all.csv",
         "\xEF\xBB\xBFText,BOOK,Verse,Chapter\r\nοὐ,John,17,3\r\nΑγαπητοί,Jude,3,1\r\n",
         {"John 3:17 οὐ", "Jude 1:3 Αγαπητοί"}},
        {"quotes, commas, doubled quotes, line breaks", "REV.csv",
         "chapter,verse,text\n1,1,\"a, b\"\n1,2,\"say \"\"c\"\"\"\n1,3,\"d\r\ne\"\n",
         {"Revelation 1:1 a, b", "Revelation 1:2 say \"c\"", "Revelation 1:3 d\r\ne"}},
        {"rows that are no verse", "MAR.csv", "chapter,verse,text\nx,1,a\n1,,b\n\n1,2\n1,3,c\n",
         {"skip", "skip", "skip", "skip", "Mark 1:3 c"}},
        {"unknown book in the column", "all.csv", "book,chapter,verse,text\nTobit,1,1,a\nActs,1,1,b\n",
         {"skip", "Acts 1:1 b"}},
    };
    for (const ReaderCase& c : cases) {
        RecordingSink sink;
        ReadCsvSource(c.bytes, c.fileName, sink);
        EXPECT_EQ(sink.calls, c.expected) << c.what;
    }
}

TEST(ReadCsvSource, RefusesWhatItCannotRead)
{
    const std::pair<std::string, std::string> cases[] = {
        {"MAT.csv", "chapter,text\n1,a\n"},           // no verse column
        {"MAT.csv", ""},                              // no header at all
        {"notes.csv", "chapter,verse,text\n1,1,a\n"}, // no book column, no book in the name
        {"MAT.csv", "chapter,verse,text\n1,1,\"open\n"},
    };
    for (const auto& [name, bytes] : cases) {
        RecordingSink sink;
        try {
            ReadCsvSource(bytes, name, sink);
            ADD_FAILURE() << "no error for " << bytes;
        } catch (const ImportError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
}

TEST(DetectFormat, TellsFormatsByContent)
{
    const struct {
        std::string bytes;
        std::string fileName;
        std::optional<SourceFormat> expected;
    } cases[] = {
        {"\xEF\xBB\xBF <?xml version=\"1.0\"?>\n<osis xmlns=\"x\">", "a.xml", SourceFormat::Osis},
        {"<?xml version=\"1.0\"?><TEI xmlns=\"x\">", "a", SourceFormat::Tei},
        {"<text><ab n=\"B04K1V1\">", "a", SourceFormat::Tei},
        {"<html><body>", "a.xml", std::nullopt},
        {"Verse,Chapter,Book,Text\n", "a", SourceFormat::Csv},
        {"anything\n", "MAT.CSV", SourceFormat::Csv},
        {"Title\n\nMatt 1:1 Βίβλος\n", "a", SourceFormat::Text},
        {"Matthew\n1:1 Βίβλος\n", "a", SourceFormat::Text},
        {"Read me first.\nSee the files.\n", "README", std::nullopt},
        {std::string("Matt 1:1 a\0b", 12), "a.bin", std::nullopt},
        {"", "a.txt", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectFormat(c.bytes, c.fileName), c.expected) << c.bytes;
}

} // namespace
} // namespace synopter
