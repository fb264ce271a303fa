#include "common/text_lines.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Lines lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

// SplitLineViews gives the same lines, as views into the text.
Lines Copied(const std::vector<std::string_view>& views) { return Lines(views.begin(), views.end()); }

TEST_P(SplitLinesTest, Splits)
{
    EXPECT_EQ(SplitLines(GetParam().text), GetParam().lines);
    EXPECT_EQ(Copied(SplitLineViews(GetParam().text)), GetParam().lines);
}

using namespace std::string_literals; // NUL bytes inside literals

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SplitLinesTest,
    ::testing::Values(
        SplitCase{"crlf", "KATA 1\r\n 1:1 a b\r\n", {"KATA 1", " 1:1 a b"}},
        SplitCase{"lf", "KATA 1\n 1:1 a b\n", {"KATA 1", " 1:1 a b"}},
        SplitCase{"cr", "KATA 1\r 1:1 a b\r", {"KATA 1", " 1:1 a b"}},
        SplitCase{"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        SplitCase{"no_final_end", "a\r\nb", {"a", "b"}},
        SplitCase{"empty_text", "", {}},
        SplitCase{"only_a_line_end", "\r\n", {""}},
        SplitCase{"empty_lines_kept", "a\r\n\r\n\nb\r\r", {"a", "", "", "b", ""}},
        SplitCase{"lf_cr_is_two_ends", "a\n\rb", {"a", "", "b"}},
        SplitCase{"cr_cr_lf", "a\r\r\nb", {"a", "", "b"}},
        SplitCase{"leading_empty_line", "\nx", {"", "x"}},
        SplitCase{"blanks_kept", "  \r\n x ", {"  ", " x "}},
        SplitCase{"nul_ends_text", "a\r\nb\0c\r\nd"s, {"a", "b"}},
        SplitCase{"nul_after_line_end", "a\r\n\0b"s, {"a"}},
        SplitCase{"nul_between_cr_and_lf", "a\r\0\nb"s, {"a"}},
        SplitCase{"nul_first", "\0a\r\n"s, {}},
        SplitCase{"high_bytes", "\xe1\xe2\r\n\xff", {"\xe1\xe2", "\xff"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(SplitLinesTest, ManyLongLines)
{
    // Lines far longer than any buffer, in every kind of line end.
    Lines expected;
    std::string text;
    const char* ends[] = {"\r\n", "\n", "\r"};
    for (int i = 0; i < 300; ++i) {
        expected.push_back(std::string(static_cast<size_t>(i * 97 % 5000), static_cast<char>('a' + i % 26)));
        text += expected.back() + ends[i % 3];
    }
    EXPECT_EQ(SplitLines(text), expected);
    EXPECT_EQ(Copied(SplitLineViews(text)), expected);
}

TEST(SplitLinesTest, EmptyViewWithoutData)
{
    EXPECT_TRUE(SplitLines(std::string_view()).empty());
    EXPECT_TRUE(SplitLineViews(std::string_view()).empty());
}

TEST(JoinLinesCrLfTest, EveryLineEndsInCrLf)
{
    EXPECT_EQ(JoinLinesCrLf({}), "");
    EXPECT_EQ(JoinLinesCrLf({""}), "\r\n");
    EXPECT_EQ(JoinLinesCrLf({"KATA 1", "", " 1:1 a"}), "KATA 1\r\n\r\n 1:1 a\r\n");
    const Lines lines{"x", "", " y z", "\xff"};
    EXPECT_EQ(SplitLines(JoinLinesCrLf(lines)), lines);
}

} // namespace
} // namespace synopter
