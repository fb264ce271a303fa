#include "compare/word_match.h"

#include "compare/spelling_rules.h"
#include "compare/word_bytes.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>

namespace synopter {

namespace {

struct Word {
    std::string_view text;
    size_t end = 0; // number (from 1) of the word's last character; 0 for an empty word
    bool matched = false;
    size_t Length() const { return text.size(); }
};

// A word compared by its spelling key; marks the word's own characters.
struct KeyWord {
    std::string_view text; // the key
    size_t end = 0;
    bool matched = false;
    size_t length = 0;
    size_t Length() const { return length; }
};

// Asks the caller's "keep going?" once every kKeepGoingWords steps.
class Poll {
public:
    explicit Poll(const KeepGoing& keepGoing) : keepGoing_(keepGoing) {}
    bool Step(size_t steps = 1)
    {
        steps_ += steps;
        if (steps_ < nextAsk_ || !keepGoing_)
            return true;
        nextAsk_ = steps_ + kKeepGoingWords;
        return keepGoing_();
    }

private:
    const KeepGoing& keepGoing_;
    size_t steps_ = 0;
    size_t nextAsk_ = kKeepGoingWords;
};

// v.assign(n, value) a piece at a time: a first touch of many megabytes of new
// memory takes long enough to be asked about.
template <typename T>
bool AssignPolled(std::vector<T>& v, size_t n, const T& value, Poll& poll)
{
    v.clear();
    v.reserve(n);
    while (v.size() < n) {
        const size_t piece = std::min(n - v.size(), kKeepGoingWords);
        v.insert(v.end(), piece, value);
        if (!poll.Step(piece))
            return false;
    }
    return true;
}

using namespace word_bytes;

// Splits at every space and marks the spaces; a verse of n spaces has n + 1 words.
// False when the poll said stop.
bool Split(std::string_view verse, MatchMask& mask, std::vector<Word>& words, Poll& poll)
{
    // Sized once: growing by doubling copies the words of a long line at a stretch.
    words.resize(CountSpaces(verse) + 1);
    Word* word = words.data();
    const char* const text = verse.data();
    size_t start = 0;
    const auto wordEndingAt = [&](size_t i) { // i: index of the space or the verse length
        *word++ = Word{std::string_view(text + start, i - start), i == start ? 0 : i, false};
        start = i + 1;
    };
    // Eight bytes at a time: a byte-by-byte loop mispredicts a branch at every
    // space, and splitting is most of the time of a comparison run.
    size_t i = 0;
    for (; std::endian::native == std::endian::little && i + 8 <= verse.size(); i += 8) {
        std::uint64_t spaces = ZeroBytes(Load8(text + i) ^ (' ' * kOnes));
        if (spaces == 0)
            continue;
        const Word* const first = word;
        do {
            // Little endian: the lowest set bit is the first space.
            const size_t at = i + static_cast<size_t>(std::countr_zero(spaces)) / 8;
            mask[at] = 1;
            wordEndingAt(at);
            spaces &= spaces - 1;
        } while (spaces != 0);
        if (!poll.Step(static_cast<size_t>(word - first)))
            return false;
    }
    for (; i < verse.size(); ++i) {
        if (verse[i] == ' ') {
            mask[i] = 1;
            wordEndingAt(i);
            if (!poll.Step())
                return false;
        }
    }
    wordEndingAt(verse.size());
    return poll.Step();
}

template <typename W>
void Mark(W& r, W& l, MatchMask& rightMask, MatchMask& leftMask, std::uint8_t value)
{
    r.matched = true;
    l.matched = true;
    if (const size_t n = r.Length(); n != 0)
        FillWord(rightMask.data() + (r.end - n), n, value);
    if (const size_t n = l.Length(); n != 0)
        FillWord(leftMask.data() + (l.end - n), n, value);
}

// Below this many pairs of unmatched words the nested loop is quicker than a table.
constexpr size_t kNestedLoopPairs = 1024;

// Pass 3: every unmatched right word, in order, claims all unmatched left words
// equal to it. A later equal right word finds them taken, so each group of
// equal left words goes whole to the first right word of its text: a table of
// the unmatched left words by content gives the same masks in linear time.
template <typename W>
bool MarkMovedWords(std::vector<W>& R, std::vector<W>& L, MatchMask& rightMask, MatchMask& leftMask,
                    Poll& poll, std::uint8_t value)
{
    const auto unmatched = [](const std::vector<W>& words) {
        return static_cast<size_t>(std::count_if(words.begin(), words.end(), [](const W& w) { return !w.matched; }));
    };
    const size_t unmatchedLeft = unmatched(L);
    if (unmatchedLeft == 0)
        return true;
    const size_t unmatchedRight = unmatched(R);
    if (unmatchedRight * unmatchedLeft <= kNestedLoopPairs) {
        for (W& r : R) {
            if (r.matched)
                continue;
            for (W& l : L)
                if (!l.matched && l.text == r.text)
                    Mark(r, l, rightMask, leftMask, value);
        }
        return true;
    }

    // Open addressing: a slot holds the hash and the first left word of one
    // text; the others of that text follow through `next`.
    constexpr size_t kNone = static_cast<size_t>(-1);
    struct Slot {
        size_t hash = 0;
        size_t head = kNone;
    };
    thread_local std::vector<Slot> slotsStore;
    thread_local std::vector<size_t> nextStore;
    std::vector<Slot>& slots = slotsStore;
    std::vector<size_t>& next = nextStore;
    size_t capacity = 16;
    while (capacity < 2 * unmatchedLeft)
        capacity *= 2;
    const size_t mask = capacity - 1;
    if (!AssignPolled(slots, capacity, Slot{}, poll) || !AssignPolled(next, L.size(), kNone, poll))
        return false;
    const std::hash<std::string_view> hasher;

    // The slot of `text`: its group's, or the empty one where it would go.
    const auto find = [&](std::string_view text, size_t hash) -> Slot& {
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& slot = slots[at];
            if (slot.head == kNone || (slot.hash == hash && L[slot.head].text == text))
                return slot;
        }
    };
    for (size_t i = L.size(); i-- > 0;) {
        if (L[i].matched)
            continue;
        const size_t hash = hasher(L[i].text);
        Slot& slot = find(L[i].text, hash);
        next[i] = slot.head;
        slot.hash = hash;
        slot.head = i;
        if (!poll.Step())
            return false;
    }
    for (W& r : R) {
        if (!poll.Step())
            return false;
        if (r.matched)
            continue;
        const Slot& slot = find(r.text, hasher(r.text));
        // A group is claimed whole, so a matched head means a taken group.
        if (slot.head == kNone || L[slot.head].matched)
            continue;
        for (size_t i = slot.head; i != kNone; i = next[i]) {
            Mark(r, L[i], rightMask, leftMask, value);
            if (!poll.Step())
                return false;
        }
    }
    return true;
}

// Words compare by text in the first round: pass 2 may pair a word pass 1
// matched already. Keys compare only between words both rounds left over.
bool Pairable(const Word& r, const Word& l) { return r.text == l.text; }
bool Pairable(const KeyWord& r, const KeyWord& l) { return !r.matched && !l.matched && r.text == l.text; }

// Passes 1 to 3 over words not matched yet, marking with `value`.
template <typename W>
bool MarkPasses(std::vector<W>& R, std::vector<W>& L, MatchMask& rightMask, MatchMask& leftMask,
                bool exactPositions, Poll& poll, std::uint8_t value)
{
    const long nR = static_cast<long>(R.size());
    const long nL = static_cast<long>(L.size());

    // Word numbers below are 1-based, as are t and the end positions.
    for (long t = 1; t <= std::min(nR, nL); ++t) {
        if (Pairable(R[t - 1], L[t - 1]))
            Mark(R[t - 1], L[t - 1], rightMask, leftMask, value);
        if (!poll.Step())
            return false;
    }

    if (nR != nL) {
        const long d = nR - nL;
        const long ad = d < 0 ? -d : d;
        if (nL >= ad + 1) {
            for (long t = nL; t >= ad + 1; --t) {
                if (Pairable(R[t + d - 1], L[t - 1]))
                    Mark(R[t + d - 1], L[t - 1], rightMask, leftMask, value);
                if (!poll.Step())
                    return false;
            }
        }
    }

    if (!exactPositions)
        return MarkMovedWords(R, L, rightMask, leftMask, poll, value);
    return true;
}

} // namespace

bool MarkCommonWords(std::string_view right, std::string_view left,
                     MatchMask& rightMask, MatchMask& leftMask, bool exactPositions,
                     const KeepGoing& keepGoing, const SpellingRules* spelling)
{
    if (right.empty() || left.empty())
        return true;
    if (rightMask.size() < right.size())
        rightMask.resize(right.size(), 0);
    if (leftMask.size() < left.size())
        leftMask.resize(left.size(), 0);

    Poll poll(keepGoing);
    // Reused between calls: a comparison run calls this thousands of times.
    thread_local std::vector<Word> R;
    thread_local std::vector<Word> L;
    if (!Split(right, rightMask, R, poll) || !Split(left, leftMask, L, poll))
        return false;
    if (!MarkPasses(R, L, rightMask, leftMask, exactPositions, poll, 1))
        return false;
    if (!spelling)
        return true;

    // The words left over, compared by their spelling keys; the keys are made
    // for unmatched words only, which are few in verses that mostly agree.
    thread_local std::vector<std::string> keys; // room for keys past the rules' memory
    thread_local std::vector<KeyWord> KR;
    thread_local std::vector<KeyWord> KL;
    const auto unmatched = [](const std::vector<Word>& words) {
        return static_cast<size_t>(std::count_if(words.begin(), words.end(), [](const Word& w) { return !w.matched; }));
    };
    const size_t unmatchedRight = unmatched(R);
    const size_t unmatchedLeft = unmatched(L);
    if (unmatchedRight == 0 || unmatchedLeft == 0)
        return true; // an addition or omission: nothing to pair
    const size_t unmatchedWords = unmatchedRight + unmatchedLeft;
    if (keys.size() < unmatchedWords)
        keys.resize(unmatchedWords);
    size_t nextKey = 0;
    const auto keyWords = [&](const std::vector<Word>& words, std::vector<KeyWord>& out) {
        out.clear();
        out.reserve(words.size());
        for (const Word& w : words) {
            KeyWord k{{}, w.end, w.matched, w.text.size()};
            if (!w.matched) {
                k.text = spelling->CachedKey(w.text, keys[nextKey++]);
            }
            out.push_back(k);
            if (!poll.Step())
                return false;
        }
        return true;
    };
    if (!keyWords(R, KR) || !keyWords(L, KL))
        return false;
    return MarkPasses(KR, KL, rightMask, leftMask, exactPositions, poll, kSpellingMatch);
}

int CountUnmatched(const MatchMask& mask, size_t length)
{
    const size_t n = std::min(length, mask.size());
    // Bytes past the mask count as unmatched: the verse was never marked there.
    size_t zeros = length - n;
    size_t i = 0;
    for (; i + 8 <= n; i += 8)
        zeros += CountZeroBytes(Load8(mask.data() + i));
    for (; i < n; ++i)
        zeros += mask[i] == 0 ? 1 : 0;
    return static_cast<int>(zeros);
}

} // namespace synopter
