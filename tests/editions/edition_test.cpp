#include "common/error.h"
#include "common/file_io.h"
#include "common/temp_folder.h"
#include "editions/edition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace synopter {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

TEST(EditionNameTest, TextBeforeTheFirstSmallBk)
{
    struct Case {
        const char* file;
        const char* name;
    };
    for (const Case& c : {Case{"alpha.bk", "alpha"}, Case{"alpha.bk.bk", "alpha"}, Case{"ALPHA.BK", ""},
                          Case{"x.BK.bk", "x.BK"}, Case{"alpha.Bk", ""}, Case{".bk", ""},
                          Case{"my.edition.bk", "my.edition"}, Case{"a.bkup.bk", "a"},
                          Case{"Westcott Hort.bk", "Westcott Hort"}})
        EXPECT_EQ(EditionName(c.file), c.name) << c.file;
}

TEST(ListEditionsTest, EveryDescriptorInNameOrder)
{
    TempFolder folder;
    for (const char* name : {"beta.bk", "alpha.bk", "Gamma.BK", "delta.bk.bk", "zeta.dat", "eta.bk.txt", ".hidden.bk"})
        folder.Write(name, "");
    fs::create_directory(folder / "epsilon.bk");

    // A descriptor without a text is listed; one in capitals gives the empty name.
    const Lines expected{".hidden", "alpha", "beta", "delta", "epsilon", ""};
    EXPECT_EQ(ListEditions(folder.Path()), expected);
}

TEST(ListEditionsTest, NoDescriptors)
{
    TempFolder folder;
    folder.Write("alpha.dat", " 1:1 a\r\n");
    EXPECT_TRUE(ListEditions(folder.Path()).empty());
    EXPECT_TRUE(ListEditions(folder / "absent/").empty());
}

// The user's editions and the program's own: each name once, the user's text wins.
TEST(ListEditionsTest, SeveralFoldersUserFirst)
{
    TempFolder user;
    TempFolder program;
    for (const char* name : {"mine.bk", "mine.dat", "shared.bk", "shared.dat"})
        user.Write(name, "");
    for (const char* name : {"Alpha.bk", "Alpha.dat", "shared.bk", "shared.dat", "zeta.bk", "zeta.dat"})
        program.Write(name, "");
    const std::vector<std::string> folders{user.Path(), program.Path()};

    EXPECT_EQ(ListEditions(folders), (Lines{"Alpha", "mine", "shared", "zeta"}));
    EXPECT_EQ(EditionFolder(folders, "shared"), user.Path());
    EXPECT_EQ(EditionFolder(folders, "zeta"), program.Path());
    EXPECT_EQ(EditionFolder(folders, "absent"), user.Path());
}

struct DescriptorCase {
    const char* name;
    std::string file; // "<none>": no descriptor
    std::optional<std::string> fontFace;
    std::string information;
};

void PrintTo(const DescriptorCase& c, std::ostream* os) { *os << c.name; }

class DescriptorTest : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(DescriptorTest, Reads)
{
    const DescriptorCase& c = GetParam();
    TempFolder folder;
    const std::string path = c.file == "<none>" ? folder / "alpha.bk" : folder.Write("alpha.bk", c.file);
    const EditionDescriptor d = ReadEditionDescriptor(path);
    EXPECT_EQ(d.fontFace, c.fontFace);
    EXPECT_EQ(d.information, c.information);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DescriptorTest,
    ::testing::Values(
        DescriptorCase{"both", "[TextFont]\r\nName=Riruzi\r\n[English]\r\nInformation=Westcott and Hort 1881\r\n",
                       "Riruzi", "Westcott and Hort 1881"},
        DescriptorCase{"case_ignored", "[textfont]\r\nNAME=Riruzi\r\n[ENGLISH]\r\ninformation=About\r\n", "Riruzi",
                       "About"},
        DescriptorCase{"missing_file", "<none>", std::nullopt, ""},
        DescriptorCase{"empty_file", "", std::nullopt, ""},
        // Present but empty: the face stays as it is, which is not the same as absent.
        DescriptorCase{"empty_name", "[TextFont]\r\nName=\r\n", "", ""},
        DescriptorCase{"name_cut_to_31", "[TextFont]\r\nName=" + std::string(40, 'F') + "\r\n", std::string(31, 'F'), ""},
        DescriptorCase{"name_of_31_kept", "[TextFont]\r\nName=" + std::string(31, 'G') + "\r\n", std::string(31, 'G'), ""},
        DescriptorCase{"quoted_name", "[TextFont]\r\nName=\"Times New Roman\"\r\n", "Times New Roman", ""},
        DescriptorCase{"empty_information", "[English]\r\nInformation=\r\n", std::nullopt, ""},
        DescriptorCase{"other_language_ignored", "[Greek]\r\nInformation=Other\r\n[English]\r\nName=x\r\n",
                       std::nullopt, ""},
        DescriptorCase{"information_bytes_kept", "[English]\r\nInformation= \xc1\xe2 text \r\n", std::nullopt,
                       "\xc1\xe2 text"}),
    [](const ::testing::TestParamInfo<DescriptorCase>& info) { return std::string(info.param.name); });

// LoadEditionText's lines, which ReadEditionText's views must equal.
std::optional<Lines> Load(const std::string& path)
{
    std::optional<Lines> lines = LoadEditionText(path);
    const std::optional<EditionText> text = ReadEditionText(path);
    EXPECT_EQ(text.has_value(), lines.has_value()) << path;
    if (text && lines) {
        EXPECT_EQ(Lines(text->lines.begin(), text->lines.end()), *lines) << path;
    }
    return lines;
}

TEST(LoadEditionTextTest, EveryLineEndGivesTheSameLines)
{
    TempFolder folder;
    const Lines expected{"KATA 1", " 1:1 a b", "", " 1:2 c"};
    EXPECT_EQ(Load(folder.Write("crlf.dat", "KATA 1\r\n 1:1 a b\r\n\r\n 1:2 c\r\n")), expected);
    EXPECT_EQ(Load(folder.Write("lf.dat", "KATA 1\n 1:1 a b\n\n 1:2 c\n")), expected);
    EXPECT_EQ(Load(folder.Write("cr.dat", "KATA 1\r 1:1 a b\r\r 1:2 c")), expected);
    EXPECT_EQ(Load(folder.Write("mixed.dat", "KATA 1\r 1:1 a b\n\r\n 1:2 c\r")), expected);
}

TEST(LoadEditionTextTest, NulEndsTheText)
{
    TempFolder folder;
    EXPECT_EQ(Load(folder.Write("nul.dat", "KATA 1\r\n 1:1 a\0b\r\n 1:2 c\r\n"s)), (Lines{"KATA 1", " 1:1 a"}));
}

TEST(LoadEditionTextTest, MissingAndUnreadable)
{
    TempFolder folder;
    EXPECT_EQ(Load(folder / "absent.dat"), std::nullopt);
    EXPECT_EQ(Load(folder.Write("empty.dat", "")), Lines{});
    fs::create_directory(folder / "folder.dat");
    EXPECT_THROW(LoadEditionText(folder / "folder.dat"), Error);
    // A link loop is unreadable, as a loop in place of a result file is, not missing.
    fs::create_symlink(folder / "loop.dat", folder / "loop.dat");
    EXPECT_THROW(LoadEditionText(folder / "loop.dat"), Error);
    // Sparse: past the edition limit without taking room.
    fs::resize_file(folder.Write("huge.dat", ""), kMaxEditionTextBytes + 1);
    EXPECT_THROW(LoadEditionText(folder / "huge.dat"), Error);
}

TEST(EditionPathsTest, PlainConcatenation)
{
    EXPECT_EQ(EditionTextPath("/opt/synopter/", "alpha"), "/opt/synopter/alpha.dat");
    EXPECT_EQ(EditionDescriptorPath("/opt/synopter/", "alpha"), "/opt/synopter/alpha.bk");
}

TEST(RealEditionsTest, AllLoadAligned)
{
    const std::string dir = std::string(SYNOPTER_EDITIONS_DIR) + "/";
    if (!fs::is_directory(dir))
        GTEST_SKIP() << "no editions in " << dir;
    const Lines names = ListEditions(dir);
    ASSERT_FALSE(names.empty());
    Lines firstHeadings;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const auto lines = LoadEditionText(EditionTextPath(dir, name));
        ASSERT_TRUE(lines.has_value());
        EXPECT_EQ(lines->size(), 8221u);
        Lines headings;
        for (const std::string& line : *lines)
            if (!line.empty() && line.front() != ' ')
                headings.push_back(line);
        EXPECT_EQ(headings.size(), 260u);
        // Aligned: the same chapter labels in every edition.
        if (firstHeadings.empty())
            firstHeadings = headings;
        EXPECT_EQ(headings, firstHeadings);
        EXPECT_TRUE(std::none_of(lines->begin(), lines->end(),
                                 [](const std::string& l) { return l.find('\r') != std::string::npos; }));
        const EditionDescriptor d = ReadEditionDescriptor(EditionDescriptorPath(dir, name));
        EXPECT_TRUE(d.fontFace.has_value() && !d.fontFace->empty());
        EXPECT_FALSE(d.information.empty());
    }
}

} // namespace
} // namespace synopter
