#include "common/error.h"
#include "common/ini_file.h"
#include "common/file_size_limit.h"
#include "common/temp_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>
#include <sys/resource.h>

namespace synopter {
namespace {

using test::FileSizeLimit;
using test::TempFolder;

// ---- Reading ---------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::string expected; // with the default "<default>"
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, ReadsValue)
{
    const ReadCase& c = GetParam();
    TempFolder folder;
    const IniFile ini(folder.Write("settings.ini", c.file));
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.expected);
}

const std::string kLong3000(3000, 'v');

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadTest,
    ::testing::Values(
        ReadCase{"plain", "[Init]\r\nleft=Alpha\r\n", "Init", "left", "Alpha"},
        ReadCase{"section_case_ignored", "[INIT]\r\nleft=Alpha\r\n", "init", "left", "Alpha"},
        ReadCase{"key_case_ignored", "[Init]\r\nLeFt=Alpha\r\n", "Init", "LEFT", "Alpha"},
        ReadCase{"missing_section", "[Init]\r\nleft=Alpha\r\n", "General", "left", "<default>"},
        ReadCase{"missing_key", "[Init]\r\nleft=Alpha\r\n", "Init", "right", "<default>"},
        ReadCase{"key_of_other_section", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n", "A", "y", "<default>"},
        ReadCase{"empty_value_is_not_default", "[Init]\r\nleft=\r\n", "Init", "left", ""},
        ReadCase{"blank_value_is_empty", "[Init]\r\nleft=   \t\r\n", "Init", "left", ""},
        ReadCase{"blanks_trimmed", "[Init]\r\n  left \t=  Alpha Beta \t\r\n", "Init", "left", "Alpha Beta"},
        ReadCase{"header_blanks", "  [ Init ]  \r\nleft=Alpha\r\n", "Init", "left", "Alpha"},
        ReadCase{"double_quotes", "[I]\r\nk=\"a b \"\r\n", "I", "k", "a b "},
        ReadCase{"single_quotes", "[I]\r\nk='a b'\r\n", "I", "k", "a b"},
        ReadCase{"quotes_inside_blanks", "[I]\r\nk=  \"x\"  \r\n", "I", "k", "x"},
        ReadCase{"only_one_pair_removed", "[I]\r\nk=\"\"x\"\"\r\n", "I", "k", "\"x\""},
        ReadCase{"quotes_must_match", "[I]\r\nk=\"x'\r\n", "I", "k", "\"x'"},
        ReadCase{"lone_quote_kept", "[I]\r\nk=\"\r\n", "I", "k", "\""},
        ReadCase{"opening_quote_only", "[I]\r\nk=\"abc\r\n", "I", "k", "\"abc"},
        ReadCase{"empty_quotes", "[I]\r\nk=\"\"\r\n", "I", "k", ""},
        ReadCase{"inner_quotes_kept", "[I]\r\nk=a\"b\"c\r\n", "I", "k", "a\"b\"c"},
        ReadCase{"equals_in_value", "[I]\r\nk=a=b\r\n", "I", "k", "a=b"},
        ReadCase{"cut_at_2047", "[I]\r\nk=" + kLong3000 + "\r\n", "I", "k", std::string(2047, 'v')},
        ReadCase{"cut_keeps_first_2047", "[I]\r\nk=" + std::string(2047, 'w') + "x\r\n", "I", "k", std::string(2047, 'w')},
        ReadCase{"first_key_counts", "[I]\r\nk=1\r\nK=2\r\n", "I", "k", "1"},
        ReadCase{"first_section_counts", "[I]\r\nk=1\r\n[i]\r\nk=2\r\n", "I", "k", "1"},
        ReadCase{"comment_is_no_key", "[I]\r\n;k=1\r\n", "I", "k", "<default>"},
        ReadCase{"lf_endings", "[I]\nk=lf\n", "I", "k", "lf"},
        ReadCase{"cr_endings", "[I]\rk=cr\r", "I", "k", "cr"},
        ReadCase{"no_final_line_end", "[I]\r\nk=last", "I", "k", "last"},
        ReadCase{"bytes_above_127", "[I]\r\nk=\xe1\xe2\xff\r\n", "I", "k", "\xe1\xe2\xff"},
        ReadCase{"key_before_any_section", "k=1\r\n[I]\r\nj=2\r\n", "I", "k", "<default>"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(IniFileTest, MissingFileGivesDefaults)
{
    TempFolder folder;
    const IniFile ini(folder / "absent.ini");
    EXPECT_EQ(ini.ReadString("Init", "left", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("Init", "differences", 20), 20);
    EXPECT_TRUE(ini.ReadBool("Init", "source", true));
    EXPECT_FALSE(ini.Find("Init", "left").has_value());
}

TEST(IniFileTest, FindTellsAbsentFromEmpty)
{
    TempFolder folder;
    const IniFile ini(folder.Write("d.bk", "[TextFont]\r\nName=\r\n"));
    ASSERT_TRUE(ini.Find("textfont", "name").has_value());
    EXPECT_EQ(*ini.Find("textfont", "name"), "");
    EXPECT_FALSE(ini.Find("TextFont", "Size").has_value());
}

// ---- Integer and boolean forms ---------------------------------------------

struct IntegerCase {
    const char* text;
    std::optional<int> expected;
};

void PrintTo(const IntegerCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ParseIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIntegerTest, Parses)
{
    EXPECT_EQ(IniFile::ParseInteger(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseIntegerTest,
    ::testing::Values(
        IntegerCase{"0", 0}, IntegerCase{"20", 20}, IntegerCase{"-17", -17}, IntegerCase{"+5", 5},
        IntegerCase{"007", 7}, IntegerCase{"  12", 12}, IntegerCase{"\t3", 3}, IntegerCase{"  -4", -4},
        IntegerCase{"$1F", 31}, IntegerCase{"$ff", 255}, IntegerCase{"0x1f", 31}, IntegerCase{"0X1F", 31},
        IntegerCase{"-$10", -16}, IntegerCase{"-0x10", -16},
        IntegerCase{"2147483647", INT_MAX}, IntegerCase{"-2147483648", INT_MIN},
        IntegerCase{"$7FFFFFFF", INT_MAX}, IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"$80000000", INT_MIN},
        IntegerCase{"-$80000000", INT_MIN}, IntegerCase{"-$7FFFFFFF", -INT_MAX},
        // Not a 32-bit number: the caller's default applies.
        IntegerCase{"2147483648", std::nullopt}, IntegerCase{"-2147483649", std::nullopt},
        IntegerCase{"99999999999999999999", std::nullopt}, IntegerCase{"$100000000", std::nullopt},
        IntegerCase{"", std::nullopt}, IntegerCase{"  ", std::nullopt}, IntegerCase{"-", std::nullopt},
        IntegerCase{"+", std::nullopt}, IntegerCase{"$", std::nullopt}, IntegerCase{"0x", std::nullopt},
        IntegerCase{"12abc", std::nullopt}, IntegerCase{"12 ", std::nullopt}, IntegerCase{"1.5", std::nullopt},
        IntegerCase{"--1", std::nullopt}, IntegerCase{"abc", std::nullopt}, IntegerCase{"$G1", std::nullopt},
        IntegerCase{"1e3", std::nullopt}, IntegerCase{"- 1", std::nullopt}, IntegerCase{"0x-1", std::nullopt}));

TEST(IniFileTest, IntegerAndBooleanKeys)
{
    TempFolder folder;
    const IniFile ini(folder.Write("kelvane.ini",
                                   "[Init]\r\n"
                                   "differences = 5 \r\n"
                                   "hex=\"$10\"\r\n"
                                   "junk=12abc\r\n"
                                   "huge=4294967296\r\n"
                                   "empty=\r\n"
                                   "on=1\r\n"
                                   "off=0\r\n"
                                   "many=-3\r\n"
                                   "hexoff=0x0\r\n"
                                   "word=yes\r\n"));
    EXPECT_EQ(ini.ReadInteger("init", "DIFFERENCES", 20), 5);
    EXPECT_EQ(ini.ReadInteger("Init", "hex", 20), 16);
    EXPECT_EQ(ini.ReadInteger("Init", "junk", 20), 20);
    EXPECT_EQ(ini.ReadInteger("Init", "huge", 20), 20);
    EXPECT_EQ(ini.ReadInteger("Init", "empty", 20), 20);
    EXPECT_EQ(ini.ReadInteger("Init", "absent", -7), -7);

    EXPECT_TRUE(ini.ReadBool("Init", "on", false));
    EXPECT_FALSE(ini.ReadBool("Init", "off", true));
    EXPECT_TRUE(ini.ReadBool("Init", "many", false));
    EXPECT_TRUE(ini.ReadBool("Init", "differences", false));
    EXPECT_FALSE(ini.ReadBool("Init", "hexoff", true));
    // Not a number: the default either way.
    EXPECT_TRUE(ini.ReadBool("Init", "word", true));
    EXPECT_FALSE(ini.ReadBool("Init", "word", false));
    EXPECT_TRUE(ini.ReadBool("Init", "empty", true));
    EXPECT_FALSE(ini.ReadBool("Init", "absent", false));
}

// ---- Writing ---------------------------------------------------------------

struct WriteCase {
    const char* name;
    std::string before; // "<none>": no file
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, WritesKey)
{
    const WriteCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder / "kelvane.ini";
    if (c.before != "<none>")
        folder.Write("kelvane.ini", c.before);
    IniFile ini(path);
    ini.WriteString(c.section, c.key, c.value);
    EXPECT_EQ(folder.Read("kelvane.ini"), c.after);
    // What was written reads back, also through a fresh reader.
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.value);
    EXPECT_EQ(IniFile(path).ReadString(c.section, c.key, "<default>"), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniWriteTest,
    ::testing::Values(
        WriteCase{"creates_file", "<none>", "Init", "left", "Alpha", "[Init]\r\nleft=Alpha\r\n"},
        WriteCase{"creates_section_at_end", "[Init]\r\nleft=A\r\n", "General", "Language", "English",
                  "[Init]\r\nleft=A\r\n[General]\r\nLanguage=English\r\n"},
        WriteCase{"replaces_in_place", "[Init]\r\nleft=A\r\nright=B\r\n", "Init", "left", "C",
                  "[Init]\r\nleft=C\r\nright=B\r\n"},
        WriteCase{"section_case_ignored", "[INIT]\r\nleft=A\r\nright=B\r\n", "Init", "left", "C",
                  "[INIT]\r\nleft=C\r\nright=B\r\n"},
        WriteCase{"replaces_empty_value", "[Init]\r\nleft=\r\nright=B\r\n", "Init", "left", "C",
                  "[Init]\r\nleft=C\r\nright=B\r\n"},
        WriteCase{"writes_empty_value", "[Init]\r\nleft=A\r\n", "Init", "left", "", "[Init]\r\nleft=\r\n"},
        WriteCase{"appends_at_end_of_section", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n"},
        WriteCase{"appends_before_trailing_blank_lines", "[A]\r\nx=1\r\n\r\n\r\n[B]\r\ny=2\r\n", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\n"},
        WriteCase{"appends_to_empty_section", "[A]\r\n[B]\r\ny=2\r\n", "A", "z", "3",
                  "[A]\r\nz=3\r\n[B]\r\ny=2\r\n"},
        WriteCase{"appends_to_last_section", "[A]\r\nx=1\r\n", "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n"},
        WriteCase{"final_line_gets_an_end_before_new_key", "[A]\r\nx=1", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n"},
        WriteCase{"final_line_gets_an_end_before_new_section", "[A]\r\nx=1", "B", "z", "3",
                  "[A]\r\nx=1\r\n[B]\r\nz=3\r\n"},
        WriteCase{"final_line_without_end_left_alone", "[A]\r\nx=1\r\n[B]\r\ny=2", "A", "x", "9",
                  "[A]\r\nx=9\r\n[B]\r\ny=2"},
        WriteCase{"final_key_replaced_keeps_missing_end", "[A]\r\nx=1", "A", "x", "9", "[A]\r\nx=9"},
        WriteCase{"keeps_mixed_line_ends_comments_and_foreign_sections",
                  "; settings\n[Other]\rfoo = bar \r\n[Init]\r\nleft=A\n\n;note\r[Tail]\nq=\"1\"",
                  "Init", "left", "B",
                  "; settings\n[Other]\rfoo = bar \r\n[Init]\r\nleft=B\n\n;note\r[Tail]\nq=\"1\""},
        WriteCase{"new_lines_take_the_file's_line_end", "[A]\nx=1\n", "B", "y", "2", "[A]\nx=1\n[B]\ny=2\n"},
        WriteCase{"empty_file", "", "Init", "left", "A", "[Init]\r\nleft=A\r\n"},
        WriteCase{"bytes_above_127", "<none>", "Init", "left", "\xc1\xe2\xff", "[Init]\r\nleft=\xc1\xe2\xff\r\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& info) {
        std::string name = info.param.name;
        std::erase(name, '\'');
        return name;
    });

TEST(IniFileTest, WritesSeveralKeysInOrder)
{
    TempFolder folder;
    const std::string path = folder / "kelvane.ini";
    IniFile ini(path);
    ini.WriteInteger("Init", "differences", -5);
    ini.WriteString("Init", "left", "Alpha");
    ini.WriteBool("Init", "scrollboth", true);
    ini.WriteBool("Init", "source", false);
    ini.WriteString("General", "Language", "English");
    ini.WriteInteger("Init", "differences", 7);
    EXPECT_EQ(folder.Read("kelvane.ini"),
              "[Init]\r\ndifferences=7\r\nleft=Alpha\r\nscrollboth=1\r\nsource=0\r\n"
              "[General]\r\nLanguage=English\r\n");
    const IniFile again(path);
    EXPECT_EQ(again.ReadInteger("Init", "differences", 0), 7);
    EXPECT_TRUE(again.ReadBool("Init", "scrollboth", false));
    EXPECT_FALSE(again.ReadBool("Init", "source", true));
}

TEST(IniFileTest, LineBreaksInAValueCannotAddLines)
{
    TempFolder folder;
    const std::string path = folder / "kelvane.ini";
    IniFile ini(path);
    ini.WriteString("Init", "left", "Alpha\r\n[General]\nLanguage=Evil");
    EXPECT_EQ(folder.Read("kelvane.ini"), "[Init]\r\nleft=Alpha  [General] Language=Evil\r\n");
    EXPECT_FALSE(IniFile(path).Find("General", "Language"));
}

TEST(IniFileTest, WriteIntoMissingFolderThrowsWithFullPath)
{
    TempFolder folder;
    const std::string path = folder / "no-such-folder/kelvane.ini";
    IniFile ini(path);
    try {
        ini.WriteString("Init", "left", "A");
        FAIL() << "no error";
    } catch (const WriteError& e) {
        EXPECT_STREQ(e.what(), ("Unable to write to " + path).c_str());
        EXPECT_EQ(e.path(), path);
        EXPECT_FALSE(e.reason().empty());
    }
}

TEST(IniFileTest, WriteBelowAFileThrows)
{
    // Tests may run as root, for whom a read-only folder is no obstacle; a
    // folder that is a regular file stops everyone.
    TempFolder folder;
    folder.Write("plain", "x");
    const std::string path = folder / "plain/kelvane.ini";
    IniFile ini(path);
    EXPECT_THROW(ini.WriteInteger("Init", "differences", 3), WriteError);
    std::string message;
    try {
        ini.WriteBool("Init", "source", true);
    } catch (const Error& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "Unable to write to " + path);
    EXPECT_EQ(folder.Read("plain"), "x");
}

TEST(IniFileTest, FailedWriteLeavesOldFileAndNothingElse)
{
    TempFolder folder;
    const std::string old = "[Init]\r\nleft=A\r\n";
    const std::string path = folder.Write("kelvane.ini", old);
    IniFile ini(path);
    {
        FileSizeLimit limit(old.size() + 4);
        EXPECT_THROW(ini.WriteString("Init", "right", "a value far too long to fit"), WriteError);
    }
    EXPECT_EQ(folder.Read("kelvane.ini"), old);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";

    // The failed key is forgotten; the next write starts from the file as it is.
    ini.WriteString("Init", "left", "B");
    EXPECT_EQ(folder.Read("kelvane.ini"), "[Init]\r\nleft=B\r\n");
}

// Held writes give the file, byte for byte, that the same writes one by one
// give, whatever the file held before.
TEST(IniFileTest, HeldWritesSaveOnceWhatWritesOneByOneWould)
{
    using Key = std::pair<const char*, const char*>; // section, key; the value is the key's position
    const struct {
        const char* name;
        std::string before;
        std::vector<Key> keys;
    } cases[] = {
        {"no file", "", {{"Init", "differences"}, {"Init", "left"}, {"General", "Language"}}},
        {"keys in place and new ones",
         "[Init]\r\nleft=X\r\n\r\n[Other]\r\nk=v",
         {{"Init", "differences"}, {"INIT", "Left"}, {"Other", "k2"}, {"General", "Language"}}},
        {"LF lines, no final line end, key written twice",
         "; note\n[General]\nLanguage=English",
         {{"General", "Language"}, {"Init", "width"}, {"General", "language"}}},
        {"a lone CR", "[Init]\rsource=1\r", {{"Init", "splitter"}, {"Init", "source"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string one = folder / "one.ini";
        const std::string held = folder / "held.ini";
        if (!c.before.empty()) {
            folder.Write("one.ini", c.before);
            folder.Write("held.ini", c.before);
        }
        IniFile byKey(one);
        IniFile atOnce(held);
        atOnce.HoldWrites();
        for (size_t i = 0; i < c.keys.size(); ++i) {
            byKey.WriteInteger(c.keys[i].first, c.keys[i].second, int(i));
            atOnce.WriteInteger(c.keys[i].first, c.keys[i].second, int(i));
        }
        EXPECT_EQ(folder.Read("held.ini"), c.before) << "written before the commit";
        atOnce.CommitWrites();
        EXPECT_EQ(folder.Read("held.ini"), folder.Read("one.ini"));
    }
}

} // namespace
} // namespace synopter
