#include "compare/aligned_marking.h"

#include "compare/spelling_rules.h"
#include "compare/word_alignment.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <unordered_map>
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

    void Read(std::string_view line, MatchMask& mask)
    {
        verse = line;
        places.clear();
        size_t start = 0;
        for (size_t i = 0; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == ' ') {
                places.emplace_back(start, i);
                if (i < line.size())
                    mask[i] = 1;
                start = i + 1;
            }
        }
        partner.assign(places.size(), kNone);
        moved.assign(places.size(), 0);
        keys.assign(places.size(), kNone);
    }
    std::string_view Word(size_t i) const { return verse.substr(places[i].first, places[i].second - places[i].first); }
    void Mark(MatchMask& mask, size_t i, std::uint8_t value) const
    {
        std::memset(mask.data() + places[i].first, value, places[i].second - places[i].first);
    }
};

// Everything a run of markings reuses.
struct Marker {
    Side r, l;
    std::unordered_map<std::string_view, int> ids;
    std::deque<std::string> ownedKeys;
    std::string scratch;
    std::vector<std::pair<int, int>> matches;
    std::vector<int> gapR, gapL, gapRIds, gapLIds;
    AlignmentBuffers buffers;

    int Id(std::string_view text) { return ids.try_emplace(text, static_cast<int>(ids.size())).first->second; }

    void Pair(int i, int j, MatchMask& rightMask, MatchMask& leftMask, std::uint8_t value)
    {
        r.partner[static_cast<size_t>(i)] = j;
        l.partner[static_cast<size_t>(j)] = i;
        r.Mark(rightMask, static_cast<size_t>(i), value);
        l.Mark(leftMask, static_cast<size_t>(j), value);
    }

    void KeyIds(Side& side, const SpellingRules& spelling)
    {
        for (size_t i = 0; i < side.places.size(); ++i) {
            if (side.partner[i] != kNone)
                continue;
            std::string_view key = spelling.CachedKey(side.Word(i), scratch);
            if (key.data() == scratch.data())
                key = ownedKeys.emplace_back(scratch);
            side.keys[i] = Id(key);
        }
    }

    // The unpaired words between two pairs, aligned by their keys.
    void AlignGaps(MatchMask& rightMask, MatchMask& leftMask, std::uint8_t value)
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
                    Pair(gapR[static_cast<size_t>(a)], gapL[static_cast<size_t>(b)], rightMask, leftMask, value);
            }
            // Both now stand at a pair of the first alignment (or the end).
            ++i;
            ++j;
        }
    }

    // Unpaired right words claim the nearest unpaired equal left word within
    // kMaxMovedWords of where the alignment would set them.
    void PairMoved(const std::vector<int>& rightIds, const std::vector<int>& leftIds, MatchMask& rightMask,
                   MatchMask& leftMask)
    {
        std::vector<std::pair<int, int>> open; // (id, left index) of the unpaired left words
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
                Pair(at, best, rightMask, leftMask, kMovedMatch);
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
    m.ids.clear();
    m.ownedKeys.clear();
    m.r.Read(right, rightMask);
    m.l.Read(left, leftMask);
    m.r.ids.clear();
    m.l.ids.clear();
    for (size_t i = 0; i < m.r.places.size(); ++i)
        m.r.ids.push_back(m.Id(m.r.Word(i)));
    for (size_t j = 0; j < m.l.places.size(); ++j)
        m.l.ids.push_back(m.Id(m.l.Word(j)));

    m.matches.clear();
    AlignWords(m.r.ids, m.l.ids, 0, static_cast<int>(m.r.ids.size()), 0, static_cast<int>(m.l.ids.size()), m.matches,
               m.buffers);
    for (const auto& [i, j] : m.matches)
        m.Pair(i, j, rightMask, leftMask, 1);

    if (spelling) {
        // Keys share the id table with the words: a key equal to a word is that word.
        m.KeyIds(m.r, *spelling);
        m.KeyIds(m.l, *spelling);
        m.AlignGaps(rightMask, leftMask, markSpelling ? kSpellingMatch : std::uint8_t{1});
    }
    // Byte-equal moved words first, then moved spelling variants.
    m.PairMoved(m.r.ids, m.l.ids, rightMask, leftMask);
    if (spelling)
        m.PairMoved(m.r.keys, m.l.keys, rightMask, leftMask);
}

} // namespace synopter
