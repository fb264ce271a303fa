#include "common/json_text.h"

#include <cstdint>
#include <cstring>

namespace synopter {

namespace {

// True when none of the 8 bytes needs escaping or re-encoding: no control
// byte, no byte >= 0x80, no quote and no backslash. Each test sets a top bit
// when some byte fails it (the classic "has zero byte" trick).
bool AllPlain(std::uint64_t w)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    const auto hasZero = [](std::uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    // A byte from 0x80 has its top bit; the first byte below 0x20 gets one
    // from the subtraction, no borrow reaching it from the plain bytes below.
    const std::uint64_t outside = (w | (w - 0x20 * kOnes)) & kHigh;
    const std::uint64_t quote = hasZero(w ^ ('"' * kOnes));
    const std::uint64_t backslash = hasZero(w ^ ('\\' * kOnes));
    return (outside | quote | backslash) == 0;
}

bool Plain(unsigned char c) { return c >= 0x20 && c < 0x80 && c != '"' && c != '\\'; }

// Byte `c` inside a JSON string at `out`, which has room for 6 bytes; returns the end.
char* WriteJsonChar(char* out, unsigned char c)
{
    static constexpr char kHex[] = "0123456789abcdef";
    if (c == '"' || c == '\\') {
        *out++ = '\\';
        *out++ = static_cast<char>(c);
    } else if (c < 0x20) {
        std::memcpy(out, "\\u00", 4);
        out[4] = kHex[c >> 4];
        out[5] = kHex[c & 0xF];
        out += 6;
    } else if (c >= 0x80) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(c);
    }
    return out;
}

// The bytes between the quotes: `asIs(data, size)` for stretches that go out
// as they stand, `escaped(c)` for each byte that does not.
template <typename AsIs, typename Escaped>
void JsonText(std::string_view bytes, AsIs asIs, Escaped escaped)
{
    size_t start = 0; // of the stretch that goes out as it stands
    for (size_t i = 0; i < bytes.size(); ++i) {
        // Verse text is nearly all plain: skip it eight bytes at a time.
        while (i + 8 <= bytes.size()) {
            std::uint64_t w;
            std::memcpy(&w, bytes.data() + i, 8);
            if (!AllPlain(w))
                break;
            i += 8;
        }
        if (i >= bytes.size())
            break;
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (Plain(c))
            continue;
        asIs(bytes.data() + start, i - start);
        start = i + 1;
        escaped(c);
    }
    asIs(bytes.data() + start, bytes.size() - start);
}

} // namespace

void AppendJsonChar(std::string& out, unsigned char c)
{
    char text[6];
    out.append(text, WriteJsonChar(text, c));
}

void AppendJsonLatin1(std::string& out, std::string_view bytes)
{
    out += '"';
    JsonText(
        bytes, [&out](const char* data, size_t size) { out.append(data, size); },
        [&out](unsigned char c) { AppendJsonChar(out, c); });
    out += '"';
}

char* WriteJsonLatin1(char* out, std::string_view bytes)
{
    *out++ = '"';
    JsonText(
        bytes,
        [&out](const char* data, size_t size) {
            if (size != 0) // data may be null
                std::memcpy(out, data, size);
            out += size;
        },
        [&out](unsigned char c) { out = WriteJsonChar(out, c); });
    *out++ = '"';
    return out;
}

} // namespace synopter
