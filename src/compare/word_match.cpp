#include "compare/word_match.h"

#include <algorithm>
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
    for (size_t i = 0; i <= verse.size(); ++i) {
        if (i == verse.size() || verse[i] == ' ') {
            Word w;
            w.text = verse.substr(start, i - start);
            w.end = w.text.empty() ? 0 : i;
            words.push_back(w);
            if (i < verse.size())
                mask[i] = 1;
            start = i + 1;
        }
    }
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
