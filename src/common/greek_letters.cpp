#include "common/greek_letters.h"

#include <algorithm>
#include <cstring>

#include <array>

namespace synopter {

namespace {

constexpr std::string_view kLatinSmall = "abgdezhyiklmnxoprsvtufcqw";
constexpr std::string_view kLatinCapital = "ABGDEZHYIKLMNXOPRSVTUFCQW";
// Two bytes each, in the order above.
constexpr std::string_view kGreekSmall = "αβγδεζηθικλμνξοπρσςτυφχψω";
constexpr std::string_view kGreekCapital = "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΣΤΥΦΧΨΩ";
static_assert(kGreekSmall.size() == 2 * kLatinSmall.size() && kGreekCapital.size() == 2 * kLatinCapital.size());

constexpr std::array<std::string_view, 128> MakeTable()
{
    std::array<std::string_view, 128> table{};
    for (size_t i = 0; i < kLatinSmall.size(); ++i) {
        table[static_cast<unsigned char>(kLatinSmall[i])] = kGreekSmall.substr(2 * i, 2);
        table[static_cast<unsigned char>(kLatinCapital[i])] = kGreekCapital.substr(2 * i, 2);
    }
    return table;
}

constexpr std::array<std::string_view, 128> kTable = MakeTable();

} // namespace

std::string_view GreekLetter(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b < 0x80 ? kTable[b] : std::string_view();
}

void AppendGreek(std::string& out, std::string_view transliterated)
{
    out.reserve(out.size() + 2 * transliterated.size());
    for (const char ch : transliterated) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80) {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        } else if (!kTable[b].empty()) {
            out += kTable[b];
        } else {
            out += ch;
        }
    }
}

ByteTranslation::ByteTranslation(const std::function<std::string(unsigned char)>& replacement)
{
    for (int c = 0; c < 256; ++c) {
        const std::string text = replacement(static_cast<unsigned char>(c));
        const size_t size = std::min(text.size(), kMaxBytes);
        std::memcpy(table_[size_t(c)].bytes, text.data(), size);
        table_[size_t(c)].size = static_cast<std::uint8_t>(size);
    }
}

void ByteTranslation::Append(std::string& out, std::string_view bytes) const
{
    const size_t at = out.size();
    out.resize(at + Room(bytes.size()));
    char* const end = Write(out.data() + at, bytes);
    out.resize(static_cast<size_t>(end - out.data()));
}

char* ByteTranslation::Write(char* out, std::string_view bytes) const
{
    static_assert(Room(1) >= sizeof(Entry::bytes), "the last copy reaches sizeof(Entry::bytes) past its start");
    for (const char ch : bytes) {
        const Entry& e = table_[static_cast<unsigned char>(ch)];
        std::memcpy(out, e.bytes, sizeof e.bytes);
        out += e.size;
    }
    return out;
}

} // namespace synopter
