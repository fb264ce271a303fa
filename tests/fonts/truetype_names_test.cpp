#include "fonts/truetype_names.h"

#include "fonts/font_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace synopter {
namespace {

using test::FontBytes;
using test::FontWithNames;
using test::NameTable;
using test::Utf16;

struct NamesCase {
    const char* what;
    std::string file;
    bool found;
    std::string family;
    std::string subfamily = "";
    std::string fullName = "";
};

const std::string kPlainNames = NameTable({{1, Utf16(u"Plain")}});

std::vector<NamesCase> NamesCases()
{
    return {
        {"symbol encoding", FontWithNames({{1, Utf16(u"Riruzi"), 3, 0}}), true, "Riruzi"},
        {"symbol private-use units keep their low byte", FontWithNames({{1, Utf16(u"\uF041\uF062"), 3, 0}}), true, "Ab"},
        {"unicode family, subfamily and full name",
         FontWithNames({{1, Utf16(u"Riruzi")}, {2, Utf16(u"Bold")}, {4, Utf16(u"Riruzi Bold")}}), true, "Riruzi", "Bold",
         "Riruzi Bold"},
        {"last record of each name wins, whatever its language",
         FontWithNames({{1, Utf16(u"Familie"), 3, 1, 0x407},
                        {2, Utf16(u"Fett"), 3, 1, 0x407},
                        {1, Utf16(u"Family"), 3, 1, 0x409},
                        {4, Utf16(u"Full"), 3, 1, 0x409},
                        {1, Utf16(u"Famille"), 3, 0, 0x40C}}),
         true, "Famille", "Fett", "Full"},
        {"empty record after a non-empty one", FontWithNames({{1, Utf16(u"Riruzi")}, {1, ""}}), true, ""},
        {"odd length drops the unpaired byte", FontWithNames({{1, Utf16(u"Abcd").substr(0, 7)}}), true, "Abc"},
        {"greek arrives as low bytes", FontWithNames({{1, Utf16(u"\u0391\u03B2")}}), true, "\x91\xB2"},
        {"a zero low byte stays", FontWithNames({{1, Utf16(u"A\u0100B")}}), true, std::string("A\0B", 3)},
        {"only other name ids", FontWithNames({{0, Utf16(u"(c)")}, {6, Utf16(u"PS")}}), true, ""},
        {"macintosh and other platforms are ignored",
         FontWithNames({{1, "Mac", 1, 0, 0}, {1, Utf16(u"Uni"), 0, 3}, {2, Utf16(u"Win")}}), true, "", "Win"},
        {"only macintosh names", FontWithNames({{1, "Mac", 1, 0, 0}}), false, ""},
        {"full unicode encoding only", FontWithNames({{1, Utf16(u"Wide"), 3, 10}}), false, ""},
        {"format 1 naming table", FontBytes({{"name", NameTable({{1, Utf16(u"Riruzi")}}, 1)}}), false, ""},
        {"no naming records", FontWithNames({}), false, ""},
        {"capital NAME is another table", FontBytes({{"NAME", kPlainNames}}), false, ""},
        {"first of two naming tables", FontBytes({{"name", kPlainNames}, {"name", NameTable({{1, Utf16(u"Other")}})}}), true,
         "Plain"},
        {"naming table after other tables",
         FontBytes({{"cmap", std::string(40, '\x7F')}, {"head", std::string(54, 'h')}, {"name", kPlainNames}}), true, "Plain"},
        {"no tables", FontBytes({}), false, ""},
        {"CFF outlines", FontBytes({{"name", kPlainNames}}, "OTTO"), false, ""},
        {"apple signature", FontBytes({{"name", kPlainNames}}, "true"), false, ""},
        {"font collection", FontBytes({{"name", kPlainNames}}, "ttcf"), false, ""},
        {"shorter than a signature", std::string("\0\1\0", 3), false, ""},
        {"empty file", "", false, ""},
    };
}

int OpenFileCount()
{
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

TEST(ReadTrueTypeNames, ReadsTheAcceptedRecords)
{
    const test::TempFolder folder;
    const std::string path = folder.path() + "font.ttf";
    for (const NamesCase& c : NamesCases()) {
        SCOPED_TRACE(c.what);
        test::WriteBytes(path, c.file);
        std::string family = "x", subfamily = "y", fullName = "z";
        EXPECT_EQ(ReadTrueTypeNames(path, family, subfamily, fullName), c.found);
        EXPECT_EQ(family, c.family);
        EXPECT_EQ(subfamily, c.subfamily);
        EXPECT_EQ(fullName, c.fullName);
    }
}

TEST(ReadTrueTypeNames, MissingFileOrFolder)
{
    const test::TempFolder folder;
    std::string family = "x", subfamily = "y", fullName = "z";
    EXPECT_FALSE(ReadTrueTypeNames(folder.path() + "absent.ttf", family, subfamily, fullName));
    EXPECT_EQ(family + subfamily + fullName, "");
    EXPECT_FALSE(ReadTrueTypeNames(folder.path(), family, subfamily, fullName));
}

TEST(ReadTrueTypeNames, StringsAreReadWhereverTheyPoint)
{
    // An empty string storage whose one record claims 8 bytes: they are read
    // from the table that follows, as no bound is checked.
    std::string names = NameTable({{1, ""}});
    names.replace(6 + 8, 2, test::Be16(8));
    const test::TempFolder folder;
    test::WriteBytes(folder.path() + "f.ttf", FontBytes({{"name", names}, {"data", Utf16(u"Tail")}}));
    std::string family, subfamily, fullName;
    EXPECT_TRUE(ReadTrueTypeNames(folder.path() + "f.ttf", family, subfamily, fullName));
    EXPECT_EQ(family, "Tail");
}

// Every cut of a small file returns normally, delivers only what was read before
// the cut (a string cut short keeps its read part) and leaves no file open.
TEST(ReadTrueTypeNames, FileCutShortAtEveryLength)
{
    const std::string full =
        FontWithNames({{1, Utf16(u"Riruzi")}, {2, Utf16(u"Regular")}, {4, Utf16(u"Riruzi Regular")}});
    const size_t firstRecordEnd = 12 + 16 + 6 + 12;
    const size_t strings = 12 + 16 + 6 + 3 * 12;
    const auto readPart = [&](size_t cut, size_t start, const std::string& text) {
        const size_t bytes = std::clamp<std::ptrdiff_t>(std::ptrdiff_t(cut) - std::ptrdiff_t(start), 0,
                                                        std::ptrdiff_t(2 * text.size()));
        return text.substr(0, bytes / 2);
    };
    const test::TempFolder folder;
    const std::string path = folder.path() + "cut.ttf";
    const int openBefore = OpenFileCount();
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        test::WriteBytes(path, full.substr(0, cut));
        std::string family = "x", subfamily = "y", fullName = "z";
        EXPECT_EQ(ReadTrueTypeNames(path, family, subfamily, fullName), cut >= firstRecordEnd);
        EXPECT_EQ(family, readPart(cut, strings, "Riruzi"));
        EXPECT_EQ(subfamily, readPart(cut, strings + 12, "Regular"));
        EXPECT_EQ(fullName, readPart(cut, strings + 26, "Riruzi Regular"));
        EXPECT_EQ(OpenFileCount(), openBefore);
    }
}

} // namespace
} // namespace synopter
