#include "common/json_text.h"

#include <gtest/gtest.h>

#include <string>

namespace synopter {
namespace {

// The skip over plain stretches eight bytes at a time must not pass over a
// byte to escape wherever it stands.
TEST(JsonTextTest, EscapesWhatJsonCannotHoldAndReadsLatin1)
{
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"", R"("")"},
        {"en arch hn o logov", R"("en arch hn o logov")"},
        {"a\"b\\c", R"("a\"b\\c")"},
        {std::string("\x00\x01\t\n\x1f\x7f", 6), "\"\\u0000\\u0001\\u0009\\u000a\\u001f\x7f\""},
        {"\xe9\xff\x80\xa0", "\"é\xc3\xbf\xc2\x80\xc2\xa0\""},
        {"01234567\"", R"("01234567\"")"},
        {"0123456\x01" "89abcdef", "\"0123456\\u000189abcdef\""},
        {"0123456789abcde\xe1", "\"0123456789abcde\xc3\xa1\""},
    };
    for (const auto& c : cases) {
        std::string out = "x";
        AppendJsonLatin1(out, c.in);
        EXPECT_EQ(out, "x" + c.out) << c.in;
    }
}

} // namespace
} // namespace synopter
