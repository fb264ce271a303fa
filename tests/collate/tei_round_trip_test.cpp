// The TEI apparatus reads back: the whole New Testament collated, each
// witness imported from it with --witness gives its edition text byte for
// byte, a manuscript's lost verses and gaps included.

#include "collate/apparatus_document.h"
#include "collate/edition_set.h"
#include "common/temp_folder.h"
#include "editions/lacunae.h"
#include "editions/nt_layout.h"
#include "import/importer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace synopter::collate {
namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

// A papyrus of John alone from Byzantine2018's text: John 1:1-5 lost, then
// remnants lacking two words at the start of 1:6, at the end of 1:7 and in the
// middle of 1:8; every other book lost.
void WritePapyrus(const test::TempFolder& folder)
{
    std::vector<std::string> lines = Lines(FileBytes(folder / "Byzantine2018.dat"));
    ASSERT_EQ(lines.size(), size_t(layout::kLineCount));
    const int john = 3;
    Lacunae lost;
    for (size_t line = 0; line < lines.size(); ++line) {
        const bool inJohn = int(line) > layout::HeadingLine(john, 1) && int(line) < layout::HeadingLine(john + 1, 1);
        if (lines[line][0] == ' ' && (!inJohn || int(line) <= layout::VerseLine(john, 1, 5))) {
            lines[line] = lines[line].substr(0, lines[line].find(' ', 1));
            lost.SetLacunose(line);
        }
    }
    const auto cut = [&](int verse, size_t from, size_t count) {
        const size_t line = size_t(layout::VerseLine(john, 1, verse));
        std::vector<std::string> words;
        std::string& text = lines[line];
        for (size_t at = 1; at < text.size();) {
            const size_t end = std::min(text.find(' ', at), text.size());
            words.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        from = std::min(from, words.size() - 1 - count); // words[0] is the reference
        words.erase(words.begin() + 1 + long(from), words.begin() + 1 + long(from + count));
        text.clear();
        for (const std::string& w : words)
            text += " " + w;
        lost.SetGaps(line, {uint16_t(from)});
    };
    cut(6, 0, 2);
    cut(7, 100, 2);
    cut(8, 2, 2);
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    folder.Write("P.dat", text);
    folder.Write("P.bk", "[English]\r\nInformation=A papyrus\r\nSiglum=P\r\n" + LacunaeSectionText(lost, lines));
}

TEST(TeiRoundTripTest, EachWitnessReadsBackByteForByte)
{
    const std::string dir = std::string(SYNOPTER_EDITIONS_DIR) + "/";
    const std::vector<std::string> names{"WestcottHort1881", "Byzantine2018", "Scrivener1894"};
    for (const std::string& name : names)
        if (!std::filesystem::exists(dir + name + ".dat"))
            GTEST_SKIP() << "no editions at " << dir;
    test::TempFolder folder;
    for (const std::string& name : names)
        for (const char* suffix : {".dat", ".bk"})
            std::filesystem::copy_file(dir + name + suffix, folder / (name + suffix));
    WritePapyrus(folder);

    const EditionSet set = LoadEditionSet({folder.Path()}, {"WestcottHort1881", "Byzantine2018", "Scrivener1894", "P"});
    ASSERT_EQ(set.problem, "");
    ApparatusFacts facts;
    facts.witnesses = set.witnesses;
    facts.options.spelling = SpellingMode::Count;
    BlockOutput tei;
    ASSERT_TRUE(WriteApparatus(set.TextPointers(), facts, ApparatusFormat::Tei, tei, {}, {}, set.LacunaPointers()));
    const std::string source = folder.Write("apparatus.xml", tei.Text());

    const struct {
        std::string witness; // as --witness names it
        std::string edition;
        bool manuscript;
    } cases[] = {
        {"WestcottHort1881", "WestcottHort1881", false}, // the base: every <lem>
        {"Byzantine2018", "Byzantine2018", false},       // Romans 16:25-27 empty
        {"Scrivener1894", "Scrivener1894", false},
        {"P", "P", true}, // by its siglum
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.witness);
        ImportRequest request;
        request.sources = {source};
        request.witness = c.witness;
        const ImportedEdition imported = ImportEdition(request);
        EXPECT_EQ(imported.name, c.witness);
        const std::string original = FileBytes(folder / (c.edition + ".dat"));
        ASSERT_EQ(imported.text.size(), original.size());
        const std::vector<std::string> got = Lines(imported.text), want = Lines(original);
        for (size_t line = 0; line < want.size(); ++line)
            ASSERT_EQ(got[line], want[line]) << "line " << line + 1;
        EXPECT_EQ(imported.summary.manuscript, c.manuscript);
        if (c.manuscript)
            EXPECT_NE(imported.descriptor.find(LacunaeSectionText(set.lacunae[3], want)), std::string::npos)
                << imported.descriptor;
    }

    ImportRequest unknown;
    unknown.sources = {source};
    unknown.witness = "Elzevir1624";
    try {
        ImportEdition(unknown);
        ADD_FAILURE() << "an unknown witness was read";
    } catch (const ImportError& e) {
        EXPECT_NE(std::string(e.what()).find("WestcottHort1881, Byzantine2018, Scrivener1894, P"), std::string::npos)
            << e.what();
    }
}

} // namespace
} // namespace synopter::collate
