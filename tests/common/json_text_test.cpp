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

        // The same through a pointer, in the room promised and no more.
        std::string room(JsonLatin1Room(c.in.size()), '\0');
        char* end = WriteJsonLatin1(room.data(), c.in);
        EXPECT_EQ(std::string(room.data(), end), c.out) << c.in;
    }
    // Every byte at its widest.
    const std::string controls(5, '\x01');
    std::string room(JsonLatin1Room(controls.size()), '\0');
    EXPECT_EQ(WriteJsonLatin1(room.data(), controls), room.data() + room.size());
}

// Every byte at every place of a plain stretch, and after each other byte:
// the eight-byte skip must stop exactly where one byte at a time would.
TEST(JsonTextTest, EveryByteAnywhereAsOneAtATime)
{
    for (int c = 0; c < 256; ++c) {
        for (int before = 0; before < 256; before += 17) {
            for (size_t at = 0; at < 16; ++at) {
                std::string text(16, 'a');
                text[at] = static_cast<char>(c);
                text[(at + 9) % 16] = static_cast<char>(before);
                std::string expected = "\"";
                for (const char ch : text)
                    AppendJsonChar(expected, static_cast<unsigned char>(ch));
                expected += '"';
                std::string out;
                AppendJsonLatin1(out, text);
                ASSERT_EQ(out, expected) << c << " at " << at << " with " << before;
            }
        }
    }
}

} // namespace
} // namespace synopter
