#include "compare/word_match.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace synopter {

namespace {

struct Word {
    std::string_view text;
    size_t end = 0; // number (from 1) of the word's last character; 0 for an empty word
    bool matched = false;
};

// Splits at every space and marks the spaces; a verse of n spaces has n + 1 words.
void Split(std::string_view verse, MatchMask& mask, std::vector<Word>& words)
{
    words.clear();
    size_t start = 0;
    const auto wordEndingAt = [&](size_t i) { // i: index of the space or the verse length
        Word w;
        w.text = verse.substr(start, i - start);
        w.end = w.text.empty() ? 0 : i;
        words.push_back(w);
        start = i + 1;
    };
    // Eight bytes at a time: a byte-by-byte loop mispredicts a branch at every
    // space, and splitting is most of the time of a comparison run.
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kSpaces = 0x2020202020202020ull;
    size_t i = 0;
    for (; std::endian::native == std::endian::little && i + 8 <= verse.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, verse.data() + i, 8);
        const std::uint64_t x = w ^ kSpaces; // a space becomes a zero byte
        // The top bit of each zero byte of x, exactly (no borrow between bytes).
        std::uint64_t spaces = ~(((x & kLow7) + kLow7) | x | kLow7);
        while (spaces != 0) {
            // Little endian: the lowest set bit is the first space.
            const size_t at = i + static_cast<size_t>(std::countr_zero(spaces)) / 8;
            mask[at] = 1;
            wordEndingAt(at);
            spaces &= spaces - 1;
        }
    }
    for (; i < verse.size(); ++i) {
        if (verse[i] == ' ') {
            mask[i] = 1;
            wordEndingAt(i);
        }
    }
    wordEndingAt(verse.size());
}

void Mark(Word& r, Word& l, MatchMask& rightMask, MatchMask& leftMask)
{
    r.matched = true;
    l.matched = true;
    const size_t n = r.text.size();
    if (n == 0)
        return;
    std::memset(rightMask.data() + (r.end - n), 1, n);
    std::memset(leftMask.data() + (l.end - n), 1, n);
}

} // namespace

void MarkCommonWords(std::string_view right, std::string_view left,
                     MatchMask& rightMask, MatchMask& leftMask, bool exactPositions)
{
    if (right.empty() || left.empty())
        return;
    if (rightMask.size() < right.size())
        rightMask.resize(right.size(), 0);
    if (leftMask.size() < left.size())
        leftMask.resize(left.size(), 0);

    // Reused between calls: a comparison run calls this thousands of times.
    thread_local std::vector<Word> R;
    thread_local std::vector<Word> L;
    Split(right, rightMask, R);
    Split(left, leftMask, L);
    const long nR = static_cast<long>(R.size());
    const long nL = static_cast<long>(L.size());

    // Word numbers below are 1-based, as are t and the end positions.
    for (long t = 1; t <= std::min(nR, nL); ++t)
        if (R[t - 1].text == L[t - 1].text)
            Mark(R[t - 1], L[t - 1], rightMask, leftMask);

    if (nR != nL) {
        const long d = nR - nL;
        const long ad = d < 0 ? -d : d;
        if (nL >= ad + 1) {
            for (long t = nL; t >= ad + 1; --t)
                if (R[t + d - 1].text == L[t - 1].text)
                    Mark(R[t + d - 1], L[t - 1], rightMask, leftMask);
        }
    }

    if (!exactPositions) {
        for (Word& r : R) {
            if (r.matched)
                continue;
            for (Word& l : L)
                if (!l.matched && l.text == r.text)
                    Mark(r, l, rightMask, leftMask);
        }
    }
}

int CountUnmatched(const MatchMask& mask, size_t length)
{
    const size_t n = std::min(length, mask.size());
    // Bytes past the mask count as unmatched: the verse was never marked there.
    return static_cast<int>(std::count(mask.begin(), mask.begin() + static_cast<std::ptrdiff_t>(n), 0) + (length - n));
}

} // namespace synopter
