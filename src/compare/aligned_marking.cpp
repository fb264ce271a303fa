#include "compare/aligned_marking.h"

#include "compare/spelling_rules.h"
#include "compare/word_alignment.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <functional>
#include <utility>
#include <vector>

namespace synopter {

namespace {

constexpr int kNone = -1;

// One verse's words: where each lies, its id, its key's id, and its partner.
struct Side {
    std::string_view verse;
    std::vector<std::pair<size_t, size_t>> places; // [start, end) of each word
    std::vector<int> ids;
    std::vector<int> keys;    // spelling keys' ids; kNone for a paired word
    std::vector<int> partner; // the other side's word, or kNone
    std::vector<char> moved;  // paired out of order
    std::vector<std::uint8_t> values; // each word's mask value

    void Read(std::string_view line)
    {
        verse = line;
        places.clear();
        // Byte by byte: words are short, a memchr a word costs more.
        size_t start = 0;
        for (size_t i = 0; i < line.size(); ++i)
            if (line[i] == ' ') {
                places.emplace_back(start, i);
                start = i + 1;
            }
        places.emplace_back(start, line.size());
        partner.assign(places.size(), kNone);
        moved.assign(places.size(), 0);
        keys.assign(places.size(), kNone);
        values.assign(places.size(), 0);
    }
    std::string_view Word(size_t i) const { return verse.substr(places[i].first, places[i].second - places[i].first); }
    // Every byte of the verse: the words' values, 1 on the spaces. A mask the
    // comparison marked before needs no clearing.
    void Write(MatchMask& mask) const
    {
        for (size_t i = 0; i < places.size(); ++i) {
            std::memset(mask.data() + places[i].first, values[i], places[i].second - places[i].first);
            if (places[i].second < verse.size())
                mask[places[i].second] = 1;
        }
    }
};

// Word ids for one marking: an open-addressing table reused from call to call,
// its slots emptied by a new stamp rather than by clearing.
class IdTable {
public:
    void Reset(size_t words)
    {
        size_t capacity = 64;
        while (capacity < 2 * words)
            capacity *= 2;
        if (slots_.size() < capacity || ++stamp_ == 0) {
            slots_.assign(std::max(capacity, slots_.size()), Slot{});
            stamp_ = 1;
        }
        mask_ = capacity - 1;
        next_ = 0;
    }
    int Id(std::string_view text)
    {
        for (size_t at = Hash(text) & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.stamp != stamp_) {
                slot = {text, next_, stamp_};
                return next_++;
            }
            if (slot.text == text)
                return slot.id;
        }
    }

private:
    // Words are a few letters: eight bytes at a time and a multiply, where
    // std::hash's general one costs more than the rest of a marking.
    static size_t Hash(std::string_view text)
    {
        std::uint64_t h = text.size() * 0x9E3779B97F4A7C15ull;
        for (size_t i = 0; i < text.size(); i += 8) {
            std::uint64_t w = 0;
            std::memcpy(&w, text.data() + i, std::min<size_t>(8, text.size() - i));
            h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        }
        return static_cast<size_t>(h ^ (h >> 29));
    }
    struct Slot {
        std::string_view text;
        int id = 0;
        unsigned stamp = 0;
    };
    std::vector<Slot> slots_;
    unsigned stamp_ = 0;
    size_t mask_ = 0;
    int next_ = 0;
};

// Everything a run of markings reuses.
struct Marker {
    Side r, l;
    IdTable ids;
    std::deque<std::string> ownedKeys;
    std::string scratch;
    std::vector<std::pair<int, int>> matches;
    std::vector<int> gapR, gapL, gapRIds, gapLIds;
    std::vector<std::pair<int, int>> open;
    AlignmentBuffers buffers;

    size_t pairs = 0;
    // Whether both verses still have a word unpaired: else nothing more pairs.
    bool BothUnpaired() const { return pairs < std::min(r.places.size(), l.places.size()); }

    void Pair(int i, int j, std::uint8_t value)
    {
        ++pairs;
        r.partner[static_cast<size_t>(i)] = j;
        l.partner[static_cast<size_t>(j)] = i;
        r.values[static_cast<size_t>(i)] = value;
        l.values[static_cast<size_t>(j)] = value;
    }

    void KeyIds(Side& side, const SpellingRules& spelling)
    {
        for (size_t i = 0; i < side.places.size(); ++i) {
            if (side.partner[i] != kNone)
                continue;
            std::string_view key = spelling.CachedKey(side.Word(i), scratch);
            if (key.data() == scratch.data())
                key = ownedKeys.emplace_back(scratch);
            side.keys[i] = ids.Id(key);
        }
    }

    // The unpaired words between two pairs, aligned by their keys.
    void AlignGaps(std::uint8_t value)
    {
        const int nR = static_cast<int>(r.places.size());
        const int nL = static_cast<int>(l.places.size());
        int i = 0, j = 0;
        while (i < nR || j < nL) {
            gapR.clear();
            gapL.clear();
            for (; i < nR && r.partner[static_cast<size_t>(i)] == kNone; ++i)
                gapR.push_back(i);
            for (; j < nL && l.partner[static_cast<size_t>(j)] == kNone; ++j)
                gapL.push_back(j);
            if (!gapR.empty() && !gapL.empty()) {
                gapRIds.clear();
                gapLIds.clear();
                for (const int k : gapR)
                    gapRIds.push_back(r.keys[static_cast<size_t>(k)]);
                for (const int k : gapL)
                    gapLIds.push_back(l.keys[static_cast<size_t>(k)]);
                matches.clear();
                AlignWords(gapRIds, gapLIds, 0, static_cast<int>(gapR.size()), 0, static_cast<int>(gapL.size()),
                           matches, buffers);
                for (const auto& [a, b] : matches)
                    Pair(gapR[static_cast<size_t>(a)], gapL[static_cast<size_t>(b)], value);
            }
            // Both now stand at a pair of the first alignment (or the end).
            ++i;
            ++j;
        }
    }

    // Unpaired right words claim the nearest unpaired equal left word within
    // kMaxMovedWords of where the alignment would set them.
    void PairMoved(const std::vector<int>& rightIds, const std::vector<int>& leftIds)
    {
        open.clear(); // (id, left index) of the unpaired left words
        for (size_t j = 0; j < l.places.size(); ++j)
            if (l.partner[j] == kNone && leftIds[j] != kNone && l.places[j].second > l.places[j].first)
                open.emplace_back(leftIds[j], static_cast<int>(j));
        if (open.empty())
            return;
        std::sort(open.begin(), open.end());
        int lastR = kNone, lastL = kNone;
        for (size_t i = 0; i < r.places.size(); ++i) {
            const int at = static_cast<int>(i);
            if (r.partner[i] != kNone) {
                if (!r.moved[i]) { // only words in order say where the others belong
                    lastR = at;
                    lastL = r.partner[i];
                }
                continue;
            }
            if (rightIds[i] == kNone || r.places[i].second == r.places[i].first)
                continue;
            const int expected = lastL + (at - lastR);
            auto it = std::lower_bound(open.begin(), open.end(), std::pair{rightIds[i], expected - kMaxMovedWords});
            int best = kNone;
            for (; it != open.end() && it->first == rightIds[i] && it->second <= expected + kMaxMovedWords; ++it)
                if (l.partner[static_cast<size_t>(it->second)] == kNone &&
                    (best == kNone || std::abs(it->second - expected) < std::abs(best - expected)))
                    best = it->second;
            if (best != kNone) {
                Pair(at, best, kMovedMatch);
                r.moved[i] = 1;
            }
        }
    }
};

} // namespace

void MarkAlignedWords(std::string_view right, std::string_view left, MatchMask& rightMask, MatchMask& leftMask,
                      const SpellingRules* spelling, bool markSpelling)
{
    if (right.empty() || left.empty())
        return;
    if (rightMask.size() < right.size())
        rightMask.resize(right.size(), 0);
    if (leftMask.size() < left.size())
        leftMask.resize(left.size(), 0);

    thread_local Marker m;
    m.ownedKeys.clear();
    m.r.Read(right);
    m.l.Read(left);
    m.pairs = 0;
    // Equal ends pair at once, as the alignment would pair them: most verses
    // found differ in a few words, and only the middle needs ids.
    const int nR = static_cast<int>(m.r.places.size());
    const int nL = static_cast<int>(m.l.places.size());
    int head = 0, tail = 0;
    while (head < nR && head < nL && m.r.Word(size_t(head)) == m.l.Word(size_t(head))) {
        m.Pair(head, head, 1);
        ++head;
    }
    while (tail < nR - head && tail < nL - head && m.r.Word(size_t(nR - 1 - tail)) == m.l.Word(size_t(nL - 1 - tail))) {
        m.Pair(nR - 1 - tail, nL - 1 - tail, 1);
        ++tail;
    }
    // Room for the keys too: at most one a word.
    m.ids.Reset(2 * size_t(nR + nL - 2 * (head + tail)));
    m.r.ids.assign(size_t(nR), kNone);
    m.l.ids.assign(size_t(nL), kNone);
    for (int i = head; i < nR - tail; ++i)
        m.r.ids[size_t(i)] = m.ids.Id(m.r.Word(size_t(i)));
    for (int j = head; j < nL - tail; ++j)
        m.l.ids[size_t(j)] = m.ids.Id(m.l.Word(size_t(j)));

    m.matches.clear();
    AlignWords(m.r.ids, m.l.ids, head, nR - tail, head, nL - tail, m.matches, m.buffers);
    for (const auto& [i, j] : m.matches)
        m.Pair(i, j, 1);

    if (spelling && m.BothUnpaired()) {
        // Keys share the id table with the words: a key equal to a word is that word.
        m.KeyIds(m.r, *spelling);
        m.KeyIds(m.l, *spelling);
        m.AlignGaps(markSpelling ? kSpellingMatch : std::uint8_t{1});
    }
    // Byte-equal moved words first, then moved spelling variants.
    if (m.BothUnpaired())
        m.PairMoved(m.r.ids, m.l.ids);
    if (spelling && m.BothUnpaired())
        m.PairMoved(m.r.keys, m.l.keys);
    m.r.Write(rightMask);
    m.l.Write(leftMask);
}

} // namespace synopter
