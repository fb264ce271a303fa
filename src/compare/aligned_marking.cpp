#include "compare/aligned_marking.h"

#include "compare/spelling_rules.h"
#include "compare/word_alignment.h"
#include "compare/word_bytes.h"

#include <algorithm>
#include <bit>
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

// One middle word: where it lies and what pairs it.
struct MiddleWord {
    size_t start = 0; // [start, end) in the verse
    size_t end = 0;
    int partner = kNone;    // the other side's word
    std::uint8_t value = 0; // its mask value
    bool moved = false;     // paired out of order
    bool Empty() const { return end == start; }
};

// The middle words of one verse, those its equal ends leave, their ids and
// their keys' ids. Indices count from the first of them.
struct Side {
    std::string_view verse;
    std::vector<MiddleWord> words;
    std::vector<int> ids;  // apart: the alignment reads them as one span
    std::vector<int> keys; // spelling keys' ids; kNone for a paired word

    // The words ended by the spaces in bytes [from, to), and with `last` the
    // word after them too, which ends at the next space or the line's end.
    void Read(std::string_view line, size_t from, size_t to, bool last)
    {
        verse = line;
        words.clear();
        size_t start = from;
        // Eight bytes at a time: a loop per word mispredicts its end at every space.
        for (size_t i = from; i < to; i += 8)
            for (std::uint64_t spaces = word_bytes::SpacesAt(line, i, to); spaces != 0; spaces &= spaces - 1) {
                const size_t at = i + static_cast<size_t>(std::countr_zero(spaces)) / 8;
                words.push_back({start, at});
                start = at + 1;
            }
        if (last)
            words.push_back({start, word_bytes::NextSpace(line, start)});
        ids.resize(words.size());
    }
    size_t Size() const { return words.size(); }
    std::string_view Word(size_t i) const { return {verse.data() + words[i].start, words[i].end - words[i].start}; }
    size_t Readable(size_t i) const { return verse.size() - words[i].start; }
    // Every byte of the verse: 1 for the equal ends and the spaces, the middle
    // words' values over that. A mask the comparison marked before needs no clearing.
    void Write(MatchMask& mask) const
    {
        std::memset(mask.data(), 1, verse.size());
        for (const MiddleWord& word : words)
            if (word.value != 1)
                word_bytes::FillWord(mask.data() + word.start, word.end - word.start, word.value);
    }
};

// The words both verses share at their start and at their end, found by
// comparing bytes: most verses found differ in a few words, and only the
// middle between the ends is split into words and aligned. As the alignment
// would pair them: word by word from the start, then from the end, the two
// never overlapping.
struct Middle {
    size_t start = 0; // byte of the first middle word, the same in both
    // A verse's middle words are those ended by a space in [start, end), and
    // with `last` one more, ending at the next space or the verse's end.
    size_t rightEnd = 0, leftEnd = 0;
    bool rightLast = false, leftLast = false;

    Middle(std::string_view r, std::string_view l)
    {
        using namespace word_bytes;
        const size_t p = CommonPrefix(r, l);
        // The word the common bytes end in is equal when both verses end it there.
        if ((p == r.size() || r[p] == ' ') && (p == l.size() || l[p] == ' ')) {
            start = p + 1;
            if (p == r.size() || p == l.size()) { // one verse is all head: the other's rest is the middle
                rightLast = p < r.size();
                leftLast = p < l.size();
                rightEnd = rightLast ? r.size() : start;
                leftEnd = leftLast ? l.size() : start;
                return;
            }
        } else {
            const size_t space = r.substr(0, p).rfind(' ');
            start = space == std::string_view::npos ? 0 : space + 1;
        }
        const std::string_view rRest = r.substr(start);
        const std::string_view lRest = l.substr(start);
        const size_t s = CommonSuffix(rRest, lRest);
        rightEnd = r.size() - s;
        leftEnd = l.size() - s;
        // Words wholly in the common end bytes are the tail, and the one they
        // start in too when both verses start it there.
        const auto wordStarts = [s](std::string_view rest) { return s == rest.size() || rest[rest.size() - s - 1] == ' '; };
        rightLast = leftLast = !(wordStarts(rRest) && wordStarts(lRest));
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
    // `readable`: how many bytes from text.data() may be read, the word's and after.
    int Id(std::string_view text, size_t readable)
    {
        const std::uint64_t print = Print(text, readable);
        for (size_t at = Hash(print, text.size()) & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.stamp != stamp_) {
                slot = {text, print, next_, stamp_};
                return next_++;
            }
            // The print is the whole word up to eight bytes: no compare of bytes then.
            if (slot.print == print && slot.text.size() == text.size() && (text.size() <= 8 || slot.text == text))
                return slot.id;
        }
    }

    int Count() const { return next_; }

private:
    // A word's bytes as one number, its first eight in order (little endian),
    // and for a longer word its last eight folded in: all of a word of up to
    // eight, so that equal prints are equal words there.
    static std::uint64_t Print(std::string_view text, size_t readable)
    {
        using word_bytes::Load8;
        const char* const p = text.data();
        const size_t n = text.size();
        if (std::endian::native == std::endian::little && readable >= 8) {
            // One load, the bytes past the word masked off: with no branch on
            // the word's length, which varies from word to word.
            const std::uint64_t keep = n >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * n)) - 1;
            const std::uint64_t last = std::rotl(Load8(p + std::max<size_t>(n, 8) - 8), 29);
            return (Load8(p) & keep) ^ (n > 8 ? last : 0);
        }
        // Near the end of the text: the same number from overlapping pieces
        // (bytes copied one by one into a number would stall the load of it).
        const auto load = [](const char* at, auto piece) {
            std::memcpy(&piece, at, sizeof piece);
            return static_cast<std::uint64_t>(piece);
        };
        if (n > 8)
            return Load8(p) ^ std::rotl(Load8(p + n - 8), 29);
        if (n == 8)
            return Load8(p);
        if (n >= 4)
            return load(p, std::uint32_t{}) | load(p + n - 4, std::uint32_t{}) << (8 * (n - 4));
        if (n >= 2)
            return load(p, std::uint16_t{}) | load(p + n - 2, std::uint16_t{}) << (8 * (n - 2));
        return n == 1 ? static_cast<unsigned char>(p[0]) : 0;
    }
    static size_t Hash(std::uint64_t print, size_t size)
    {
        const std::uint64_t h = (print ^ size * 0x9E3779B97F4A7C15ull) * 0xFF51AFD7ED558CCDull;
        return static_cast<size_t>(h ^ (h >> 29));
    }
    struct Slot {
        std::string_view text;
        std::uint64_t print = 0;
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
    std::vector<char> openIds; // by id: some unpaired left word has it
    AlignmentBuffers buffers;

    size_t pairs = 0;
    // Whether both verses still have a word unpaired: else nothing more pairs.
    bool BothUnpaired() const { return pairs < std::min(r.Size(), l.Size()); }

    void Pair(int i, int j, std::uint8_t value)
    {
        ++pairs;
        MiddleWord& right = r.words[static_cast<size_t>(i)];
        MiddleWord& left = l.words[static_cast<size_t>(j)];
        right.partner = j;
        left.partner = i;
        right.value = left.value = value;
    }

    void KeyIds(Side& side, const SpellingRules& spelling)
    {
        side.keys.assign(side.Size(), kNone);
        for (size_t i = 0; i < side.Size(); ++i) {
            if (side.words[i].partner != kNone)
                continue;
            std::string_view key = spelling.CachedKey(side.Word(i), scratch);
            if (key.data() == scratch.data())
                key = ownedKeys.emplace_back(scratch);
            side.keys[i] = ids.Id(key, key.size());
        }
    }

    // The unpaired words between two pairs, aligned by their keys.
    void AlignGaps(std::uint8_t value)
    {
        const int nR = static_cast<int>(r.Size());
        const int nL = static_cast<int>(l.Size());
        int i = 0, j = 0;
        while (i < nR || j < nL) {
            gapR.clear();
            gapL.clear();
            for (; i < nR && r.words[static_cast<size_t>(i)].partner == kNone; ++i)
                gapR.push_back(i);
            for (; j < nL && l.words[static_cast<size_t>(j)].partner == kNone; ++j)
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

    // Pairs the middle words: by their common subsequence, then by spelling
    // key between those pairs, then the moved words.
    void Align(const SpellingRules* spelling, bool markSpelling)
    {
        const int mR = static_cast<int>(r.Size());
        const int mL = static_cast<int>(l.Size());
        // Room for the keys too: at most one a word.
        ids.Reset(2 * static_cast<size_t>(mR + mL));
        for (int i = 0; i < mR; ++i)
            r.ids[size_t(i)] = ids.Id(r.Word(size_t(i)), r.Readable(size_t(i)));
        // The right words' ids come first: a left id among them is a word both share.
        const int rightIds = ids.Count();
        bool shared = false;
        for (int j = 0; j < mL; ++j) {
            l.ids[size_t(j)] = ids.Id(l.Word(size_t(j)), l.Readable(size_t(j)));
            shared = shared || l.ids[size_t(j)] < rightIds;
        }
        if (shared) { // else neither the alignment nor the moved words pair one
            matches.clear();
            AlignWords(r.ids, l.ids, 0, mR, 0, mL, matches, buffers);
            for (const auto& [i, j] : matches)
                Pair(i, j, 1);
        }

        if (spelling && BothUnpaired()) {
            // Keys share the id table with the words: a key equal to a word is that word.
            KeyIds(r, *spelling);
            KeyIds(l, *spelling);
            AlignGaps(markSpelling ? kSpellingMatch : std::uint8_t{1});
        }
        // Byte-equal moved words first, then moved spelling variants. Before
        // any middle pair a word is expected at its own index, as the head's
        // last pair (k, k) would set it.
        if (shared && BothUnpaired())
            PairMoved(r.ids, l.ids);
        if (spelling && BothUnpaired())
            PairMoved(r.keys, l.keys);
    }

    // Unpaired right words claim the nearest unpaired equal left word within
    // kMaxMovedWords of where the alignment would set them.
    void PairMoved(const std::vector<int>& rightIds, const std::vector<int>& leftIds)
    {
        open.clear(); // (id, left index) of the unpaired left words
        openIds.assign(static_cast<size_t>(ids.Count()), 0);
        for (size_t j = 0; j < l.Size(); ++j)
            if (l.words[j].partner == kNone && leftIds[j] != kNone && !l.words[j].Empty()) {
                open.emplace_back(leftIds[j], static_cast<int>(j));
                openIds[static_cast<size_t>(leftIds[j])] = 1;
            }
        // Most words left unpaired have no equal on the other side at all.
        const auto candidate = [&](size_t i) {
            return r.words[i].partner == kNone && rightIds[i] != kNone && !r.words[i].Empty() &&
                   openIds[static_cast<size_t>(rightIds[i])];
        };
        bool any = false;
        for (size_t i = 0; i < r.Size() && !any; ++i)
            any = candidate(i);
        if (!any)
            return;
        std::sort(open.begin(), open.end());
        int lastR = kNone, lastL = kNone;
        for (size_t i = 0; i < r.Size(); ++i) {
            const int at = static_cast<int>(i);
            if (r.words[i].partner != kNone) {
                if (!r.words[i].moved) { // only words in order say where the others belong
                    lastR = at;
                    lastL = r.words[i].partner;
                }
                continue;
            }
            if (!candidate(i))
                continue;
            const int expected = lastL + (at - lastR);
            auto it = std::lower_bound(open.begin(), open.end(), std::pair{rightIds[i], expected - kMaxMovedWords});
            int best = kNone;
            for (; it != open.end() && it->first == rightIds[i] && it->second <= expected + kMaxMovedWords; ++it)
                if (l.words[static_cast<size_t>(it->second)].partner == kNone &&
                    (best == kNone || std::abs(it->second - expected) < std::abs(best - expected)))
                    best = it->second;
            if (best != kNone) {
                Pair(at, best, kMovedMatch);
                r.words[i].moved = true;
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
    m.pairs = 0;
    const Middle middle(right, left);
    m.r.Read(right, middle.start, middle.rightEnd, middle.rightLast);
    m.l.Read(left, middle.start, middle.leftEnd, middle.leftLast);
    if (m.BothUnpaired())
        m.Align(spelling, markSpelling);
    m.r.Write(rightMask);
    m.l.Write(leftMask);
}

} // namespace synopter
