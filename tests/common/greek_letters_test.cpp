#include "common/greek_letters.h"

#include <gtest/gtest.h>

#include <string>

namespace synopter {
namespace {

TEST(GreekLettersTest, Conversion)
{
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"abgdezhyiklmnxoprsvtufcqw", "αβγδεζηθικλμνξοπρσςτυφχψω"},
        {"ABGDEZHYIKLMNXOPRSVTUFCQW", "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΣΤΥΦΧΨΩ"},
        // Final sigma only where the text has v; no guessing from word ends.
        {"outwv sws", "ουτως σωσ"},
        {"KATA IWANNHN 3", "ΚΑΤΑ ΙΩΑΝΝΗΝ 3"},
        {" 3:16 outwv gar", " 3:16 ουτως γαρ"},
        {" 17:21", " 17:21"},
        {"", ""},
        // j is no letter of the alphabet; punctuation, blanks and controls stay.
        {"jJ.,;:-'\"<&>\t\r\x01 0123456789", "jJ.,;:-'\"<&>\t\r\x01 0123456789"},
        // Bytes from 0x80 are Latin-1.
        {"\xe9\xff\x80", "é\xc3\xbf\xc2\x80"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToGreek(c.in), c.out) << c.in;

    std::string out = "x";
    AppendGreek(out, "ab");
    EXPECT_EQ(out, "xαβ");
    EXPECT_EQ(GreekLetter('v'), "ς");
    EXPECT_EQ(GreekLetter('j'), "");
    EXPECT_EQ(GreekLetter('\xe1'), "");
}

} // namespace
} // namespace synopter
