#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Eight bytes of a verse at a time: the word matchers' splitting and comparing,
// where a byte-by-byte loop mispredicts a branch at every space.
namespace synopter::word_bytes {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;

// The top bit of each zero byte of `x`, exactly (no borrow between bytes).
inline std::uint64_t ZeroBytes(std::uint64_t x) { return ~(((x & kLow7) + kLow7) | x | kLow7); }

// How many top bits ZeroBytes set: a multiply sums the bytes, where
// std::popcount without a popcnt instruction is a call.
inline size_t CountZeroBytes(std::uint64_t x) { return static_cast<size_t>(((ZeroBytes(x) >> 7) * kOnes) >> 56); }

inline std::uint64_t Load8(const void* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

inline size_t CountSpaces(std::string_view text)
{
    size_t n = 0;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8)
        n += CountZeroBytes(Load8(text.data() + i) ^ (' ' * kOnes));
    for (; i < text.size(); ++i)
        n += text[i] == ' ' ? 1 : 0;
    return n;
}

// Where the word starting at `from` ends: its next space, or the end.
inline size_t NextSpace(std::string_view text, size_t from)
{
    size_t i = from;
    if constexpr (std::endian::native == std::endian::little)
        for (; i + 8 <= text.size(); i += 8)
            if (const std::uint64_t spaces = ZeroBytes(Load8(text.data() + i) ^ (' ' * kOnes)); spaces != 0)
                return i + static_cast<size_t>(std::countr_zero(spaces)) / 8; // the lowest is the first
    while (i < text.size() && text[i] != ' ')
        ++i;
    return i;
}

// The spaces among the bytes [i, min(i + 8, end)) of `text`: the top bit of
// byte k set for a space at i + k. `end` is at most text.size().
inline std::uint64_t SpacesAt(std::string_view text, size_t i, size_t end)
{
    const size_t n = end - i < 8 ? end - i : 8;
    std::uint64_t spaces = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t w = 0; // a zero byte is no space
        if (i + 8 <= text.size())
            w = Load8(text.data() + i);
        else if (text.size() >= 8) // the text's last eight bytes, shifted down to i
            w = Load8(text.data() + text.size() - 8) >> (8 * (i + 8 - text.size()));
        else
            std::memcpy(&w, text.data() + i, text.size() - i);
        spaces = ZeroBytes(w ^ (' ' * kOnes));
    } else {
        for (size_t k = 0; k < n; ++k)
            spaces |= text[i + k] == ' ' ? std::uint64_t{0x80} << (8 * k) : 0;
    }
    return n == 8 ? spaces : spaces & ((std::uint64_t{1} << (8 * n)) - 1);
}

// memset for the few bytes of a word, without a call for each.
inline void FillWord(std::uint8_t* p, size_t n, std::uint8_t value)
{
    if (n >= 8) {
        const std::uint64_t v = value * kOnes;
        for (size_t i = 0; i + 8 <= n; i += 8)
            std::memcpy(p + i, &v, 8);
        std::memcpy(p + n - 8, &v, 8); // the tail, overlapping
    } else if (n >= 4) {
        const auto v = static_cast<std::uint32_t>(value * kOnes);
        std::memcpy(p, &v, 4);
        std::memcpy(p + n - 4, &v, 4);
    } else if (n >= 2) {
        const auto v = static_cast<std::uint16_t>(value * kOnes);
        std::memcpy(p, &v, 2);
        std::memcpy(p + n - 2, &v, 2);
    } else if (n == 1) {
        p[0] = value;
    }
}

// How many leading bytes `a` and `b` share.
inline size_t CommonPrefix(std::string_view a, std::string_view b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    size_t i = 0;
    for (; i + 8 <= n; i += 8)
        if (const std::uint64_t diff = Load8(a.data() + i) ^ Load8(b.data() + i); diff != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return i + static_cast<size_t>(std::countr_zero(diff)) / 8;
            break; // the bytes below find it
        }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// How many trailing bytes `a` and `b` share.
inline size_t CommonSuffix(std::string_view a, std::string_view b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    const char* const aEnd = a.data() + a.size();
    const char* const bEnd = b.data() + b.size();
    size_t i = 0;
    for (; i + 8 <= n; i += 8)
        if (const std::uint64_t diff = Load8(aEnd - i - 8) ^ Load8(bEnd - i - 8); diff != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return i + static_cast<size_t>(std::countl_zero(diff)) / 8;
            break;
        }
    while (i < n && aEnd[-1 - static_cast<std::ptrdiff_t>(i)] == bEnd[-1 - static_cast<std::ptrdiff_t>(i)])
        ++i;
    return i;
}

} // namespace synopter::word_bytes
