#include "common/greek_letters.h"

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

} // namespace synopter
