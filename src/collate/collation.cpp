#include "collate/collation.h"

#include "compare/spelling_rules.h"
#include "editions/edition_lines.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <unordered_map>

namespace synopter::collate {

std::string_view KindName(ReadingKind kind)
{
    switch (kind) {
    case ReadingKind::Substitution: return "substitution";
    case ReadingKind::Omission: return "omission";
    case ReadingKind::Addition: return "addition";
    case ReadingKind::Transposition: return "transposition";
    case ReadingKind::Absent: return "absent";
    case ReadingKind::Spelling: return "spelling";
    }
    return "substitution";
}

VerseLine SplitVerseLine(std::string_view line)
{
    size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    const size_t end = std::min(line.find(' ', start), line.size());
    const std::string_view first = line.substr(start, end - start);
    const size_t colon = first.find(':');
    const bool isReference = colon != std::string_view::npos && colon > 0 && colon + 1 < first.size()
        && std::all_of(first.begin(), first.end(), [](char c) { return c == ':' || (c >= '0' && c <= '9'); });
    VerseLine out;
    if (isReference) {
        out.reference = first;
        start = end;
    }
    std::string_view words = line.substr(std::min(start, line.size()));
    const size_t from = words.find_first_not_of(' ');
    if (from == std::string_view::npos)
        return out;
    words.remove_prefix(from);
    words.remove_suffix(words.size() - (words.find_last_not_of(' ') + 1));
    out.words = words;
    return out;
}

namespace {

// Moved words are looked for within this many base words: an apparatus sets
// out a transposition as one reading only when it is short.
constexpr int kMaxMoveSpan = 12;
// A moved word joins the stretches around it into one reading within this
// many base words.
constexpr int kMaxShiftSpan = 6;
// Beyond this many cells the middle of a verse pair is aligned through words
// that occur once in both (one huge imported line must not take gigabytes).
constexpr size_t kMaxLcsCells = size_t{1} << 22;

// A stretch where a witness differs from the base: base words [bs, be) against
// witness words [ws, we). bs == be is an addition, ws == we an omission.
struct Hunk {
    int bs, be, ws, we;
    bool lettersOnly = false; // the same letters divided into other words (dia ti / diati)
};

void SplitWords(std::string_view text, std::vector<std::string_view>& words)
{
    words.clear();
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        pos = end;
    }
}

// True when a[a0, a1) and b[b0, b1) spell the same letters, spaces aside.
bool SameLetters(const std::vector<std::string_view>& a, int a0, int a1, const std::vector<std::string_view>& b,
                 int b0, int b1)
{
    size_t ai = static_cast<size_t>(a0), bi = static_cast<size_t>(b0), ac = 0, bc = 0;
    const auto skipEmpty = [](const std::vector<std::string_view>& words, size_t& word, size_t& c, int end) {
        while (word < static_cast<size_t>(end) && c == words[word].size()) {
            ++word;
            c = 0;
        }
    };
    for (;;) {
        skipEmpty(a, ai, ac, a1);
        skipEmpty(b, bi, bc, b1);
        const bool aDone = ai == static_cast<size_t>(a1), bDone = bi == static_cast<size_t>(b1);
        if (aDone || bDone)
            return aDone && bDone;
        if (a[ai][ac++] != b[bi][bc++])
            return false;
    }
}

// Appends the words [from, to) joined by single spaces.
std::string Join(const std::vector<std::string_view>& words, int from, int to)
{
    std::string out;
    for (int i = from; i < to; ++i) {
        if (i > from)
            out += ' ';
        out += words[static_cast<size_t>(i)];
    }
    return out;
}

} // namespace

// The collation of one verse slot, its buffers kept from slot to slot.
class Collator {
public:
    explicit Collator(const Options& options)
        : options_(options),
          rules_(options.spelling == SpellingMode::Count ? nullptr
                                                          : (options.spellingRules ? options.spellingRules
                                                                                   : &SpellingRules::BuiltIn()))
    {
    }

    std::vector<Unit> Collate(std::span<const std::string_view> verses);

private:
    struct Edition {
        std::vector<std::string_view> words;
        std::vector<int> ids; // equal ids: equal words (up to spelling, where it is ignored or marked)
        std::vector<Hunk> hunks;
        std::vector<int> startAt, endAt; // per base gap: where the witness's words there begin and end
        bool absent = false;
    };

    int Id(std::string_view word);
    void Align(const std::vector<int>& b, const std::vector<int>& w, int b0, int b1, int w0, int w1,
               std::vector<std::pair<int, int>>& matches);
    void AlignByUniqueWords(const std::vector<int>& b, const std::vector<int>& w, int b0, int b1, int w0, int w1,
                            std::vector<std::pair<int, int>>& matches);
    void MakeHunks(Edition& edition, const Edition& base, const std::vector<std::pair<int, int>>& matches);
    bool SameWords(const std::vector<int>& a, int a0, int a1, const std::vector<int>& b, int b0, int b1);
    bool WordMoved(const Edition& base, const Edition& witness, const std::vector<Hunk>& hunks, size_t from,
                   size_t to);
    ReadingKind Kind(const Edition& base, int bs, int be, const Edition& witness, int ws, int we);

    Options options_;
    const SpellingRules* rules_;
    std::vector<Edition> editions_;
    std::unordered_map<std::string_view, int> ids_;
    std::deque<std::string> ownedKeys_; // keys the rules could not keep for us
    std::string scratch_;
    std::vector<std::pair<int, int>> matches_;
    std::vector<std::uint32_t> table_;
    std::vector<int> counts_;
};

int Collator::Id(std::string_view word)
{
    std::string_view key = word;
    if (rules_) {
        key = rules_->CachedKey(word, scratch_);
        if (key.data() == scratch_.data())
            key = ownedKeys_.emplace_back(scratch_);
    }
    return ids_.try_emplace(key, static_cast<int>(ids_.size())).first->second;
}

// Longest common subsequence of b[b0, b1) and w[w0, w1), ends trimmed first,
// matches appended in order. Where both have a word equally well the earlier
// pairing is taken.
void Collator::Align(const std::vector<int>& b, const std::vector<int>& w, int b0, int b1, int w0, int w1,
                     std::vector<std::pair<int, int>>& matches)
{
    while (b0 < b1 && w0 < w1 && b[b0] == w[w0])
        matches.emplace_back(b0++, w0++);
    int tail = 0;
    while (b0 < b1 - tail && w0 < w1 - tail && b[b1 - 1 - tail] == w[w1 - 1 - tail])
        ++tail;
    const int n = b1 - tail - b0;
    const int m = w1 - tail - w0;
    if (n > 0 && m > 0) {
        if (static_cast<size_t>(n + 1) * static_cast<size_t>(m + 1) > kMaxLcsCells) {
            AlignByUniqueWords(b, w, b0, b1 - tail, w0, w1 - tail, matches);
        } else {
            // table_[i][j]: the common subsequence of b[b0+i ..] and w[w0+j ..]
            const size_t cols = static_cast<size_t>(m) + 1;
            table_.assign(static_cast<size_t>(n + 1) * cols, 0);
            for (int i = n - 1; i >= 0; --i)
                for (int j = m - 1; j >= 0; --j) {
                    const size_t at = static_cast<size_t>(i) * cols + static_cast<size_t>(j);
                    table_[at] = b[b0 + i] == w[w0 + j] ? table_[at + cols + 1] + 1
                                                        : std::max(table_[at + cols], table_[at + 1]);
                }
            int i = 0, j = 0;
            while (i < n && j < m) {
                const size_t at = static_cast<size_t>(i) * cols + static_cast<size_t>(j);
                if (b[b0 + i] == w[w0 + j]) {
                    matches.emplace_back(b0 + i++, w0 + j++);
                } else if (table_[at + cols] >= table_[at + 1]) {
                    ++i;
                } else {
                    ++j;
                }
            }
        }
    }
    for (int k = tail; k > 0; --k)
        matches.emplace_back(b1 - k, w1 - k);
}

// For stretches too long for the table: words found exactly once on each side
// anchor the alignment (the longest run of them in the same order), and the
// stretches between anchors are aligned again.
void Collator::AlignByUniqueWords(const std::vector<int>& b, const std::vector<int>& w, int b0, int b1, int w0,
                                  int w1, std::vector<std::pair<int, int>>& matches)
{
    std::unordered_map<int, std::pair<int, int>> seen; // id -> (count in b, index in b), then w's
    std::unordered_map<int, std::pair<int, int>> seenW;
    for (int i = b0; i < b1; ++i) {
        auto& [count, at] = seen[b[i]];
        ++count;
        at = i;
    }
    for (int j = w0; j < w1; ++j) {
        auto& [count, at] = seenW[w[j]];
        ++count;
        at = j;
    }
    std::vector<std::pair<int, int>> pairs; // (b index, w index) of words once on both sides, in w order
    for (int j = w0; j < w1; ++j) {
        const auto inB = seen.find(w[j]);
        if (inB != seen.end() && inB->second.first == 1 && seenW[w[j]].first == 1)
            pairs.emplace_back(inB->second.second, j);
    }
    // Longest increasing run of b indices (patience sorting).
    std::vector<int> tops, previous(pairs.size(), -1), topIndex;
    for (size_t k = 0; k < pairs.size(); ++k) {
        const auto pos = std::lower_bound(tops.begin(), tops.end(), pairs[k].first) - tops.begin();
        if (pos > 0)
            previous[k] = topIndex[static_cast<size_t>(pos) - 1];
        if (static_cast<size_t>(pos) == tops.size()) {
            tops.push_back(pairs[k].first);
            topIndex.push_back(static_cast<int>(k));
        } else {
            tops[static_cast<size_t>(pos)] = pairs[k].first;
            topIndex[static_cast<size_t>(pos)] = static_cast<int>(k);
        }
    }
    std::vector<std::pair<int, int>> anchors;
    for (int k = topIndex.empty() ? -1 : topIndex.back(); k >= 0; k = previous[static_cast<size_t>(k)])
        anchors.push_back(pairs[static_cast<size_t>(k)]);
    std::reverse(anchors.begin(), anchors.end());
    if (anchors.empty())
        return; // nothing to hold on to: one difference
    int bi = b0, wj = w0;
    for (const auto& [ai, aj] : anchors) {
        Align(b, w, bi, ai, wj, aj, matches);
        matches.emplace_back(ai, aj);
        bi = ai + 1;
        wj = aj + 1;
    }
    Align(b, w, bi, b1, wj, w1, matches);
}

bool Collator::SameWords(const std::vector<int>& a, int a0, int a1, const std::vector<int>& b, int b0, int b1)
{
    if (a1 - a0 != b1 - b0)
        return false;
    for (int i = a0; i < a1; ++i)
        ++counts_[static_cast<size_t>(a[i])];
    bool same = true;
    for (int j = b0; j < b1; ++j)
        if (counts_[static_cast<size_t>(b[j])]-- == 0)
            same = false;
    for (int i = a0; i < a1; ++i)
        counts_[static_cast<size_t>(a[i])] = 0;
    for (int j = b0; j < b1; ++j)
        counts_[static_cast<size_t>(b[j])] = 0;
    return same;
}

// True when a word the base has in stretch `to` the witness has in one of the
// stretches [from, to), or the other way round.
bool Collator::WordMoved(const Edition& base, const Edition& witness, const std::vector<Hunk>& hunks, size_t from,
                         size_t to)
{
    constexpr int kInBase = 1, kInWitness = 2;
    for (size_t h = from; h < to; ++h) {
        for (int i = hunks[h].bs; i < hunks[h].be; ++i)
            counts_[static_cast<size_t>(base.ids[static_cast<size_t>(i)])] |= kInBase;
        for (int j = hunks[h].ws; j < hunks[h].we; ++j)
            counts_[static_cast<size_t>(witness.ids[static_cast<size_t>(j)])] |= kInWitness;
    }
    bool moved = false;
    for (int i = hunks[to].bs; i < hunks[to].be && !moved; ++i)
        moved = counts_[static_cast<size_t>(base.ids[static_cast<size_t>(i)])] & kInWitness;
    for (int j = hunks[to].ws; j < hunks[to].we && !moved; ++j)
        moved = counts_[static_cast<size_t>(witness.ids[static_cast<size_t>(j)])] & kInBase;
    for (size_t h = from; h < to; ++h) {
        for (int i = hunks[h].bs; i < hunks[h].be; ++i)
            counts_[static_cast<size_t>(base.ids[static_cast<size_t>(i)])] = 0;
        for (int j = hunks[h].ws; j < hunks[h].we; ++j)
            counts_[static_cast<size_t>(witness.ids[static_cast<size_t>(j)])] = 0;
    }
    return moved;
}

void Collator::MakeHunks(Edition& edition, const Edition& base, const std::vector<std::pair<int, int>>& matches)
{
    const int n = static_cast<int>(base.ids.size());
    const int m = static_cast<int>(edition.ids.size());
    auto& hunks = edition.hunks;
    hunks.clear();
    int pb = 0, pw = 0;
    auto differ = [&](int bs, int be, int ws, int we) {
        if (bs == be && ws == we)
            return;
        if (!hunks.empty() && hunks.back().be == bs && hunks.back().we == ws) { // touching: one stretch
            hunks.back().be = be;
            hunks.back().we = we;
        } else {
            hunks.push_back({bs, be, ws, we});
        }
    };
    const bool markSpelling = options_.spelling == SpellingMode::Mark;
    for (const auto& [i, j] : matches) {
        differ(pb, i, pw, j);
        if (markSpelling && base.words[static_cast<size_t>(i)] != edition.words[static_cast<size_t>(j)])
            differ(i, i + 1, j, j + 1);
        pb = i + 1;
        pw = j + 1;
    }
    differ(pb, n, pw, m);

    // Neighbouring stretches are one reading when, with the words between
    // them, they hold the same words on both sides (a transposition), or when
    // close together a word left out in one turns up in another (a word moved
    // with other changes: "embav palin eiv ploion" / "palin embav"). The
    // shortest such run is taken, so two transpositions in a row stay two.
    if (!options_.exactPositions && hunks.size() > 1) {
        size_t out = 0;
        for (size_t k = 0; k < hunks.size();) {
            size_t last = k;
            for (size_t l = k + 1; last == k && l < hunks.size() && hunks[l].be - hunks[k].bs <= kMaxMoveSpan; ++l)
                if (SameWords(base.ids, hunks[k].bs, hunks[l].be, edition.ids, hunks[k].ws, hunks[l].we))
                    last = l;
            for (size_t l = k + 1; last == k && l < hunks.size() && hunks[l].be - hunks[k].bs <= kMaxShiftSpan; ++l)
                if (WordMoved(base, edition, hunks, k, l))
                    last = l;
            hunks[out++] = {hunks[k].bs, hunks[last].be, hunks[k].ws, hunks[last].we};
            k = last + 1;
        }
        hunks.resize(out);
    }

    if (options_.spelling != SpellingMode::Count)
        for (Hunk& h : hunks)
            h.lettersOnly = h.bs < h.be && h.ws < h.we && SameLetters(base.words, h.bs, h.be, edition.words, h.ws, h.we);

    // Where the witness's words stand at each gap between base words: between
    // stretches the words pair one to one.
    edition.startAt.assign(static_cast<size_t>(n) + 1, -1);
    edition.endAt.assign(static_cast<size_t>(n) + 1, -1);
    int cb = 0, cw = 0;     // the first base and witness words after the last stretch
    bool gapDone = false;   // gap cb holds an addition, already placed
    auto matched = [&](int upTo) {
        for (int g = gapDone ? cb + 1 : cb; g <= upTo; ++g)
            edition.startAt[static_cast<size_t>(g)] = edition.endAt[static_cast<size_t>(g)] = cw + (g - cb);
    };
    for (const Hunk& h : hunks) {
        matched(h.bs);
        gapDone = h.bs == h.be;
        if (gapDone)
            edition.endAt[static_cast<size_t>(h.bs)] = h.we;
        cb = h.be;
        cw = h.we;
    }
    matched(n);
}

ReadingKind Collator::Kind(const Edition& base, int bs, int be, const Edition& witness, int ws, int we)
{
    if (ws == we)
        return ReadingKind::Omission;
    if (bs == be)
        return ReadingKind::Addition;
    if ((be - bs == we - ws && std::equal(base.ids.begin() + bs, base.ids.begin() + be, witness.ids.begin() + ws))
        || (options_.spelling != SpellingMode::Count && SameLetters(base.words, bs, be, witness.words, ws, we)))
        return ReadingKind::Spelling; // equal ids or letters, other spelling: only under Mark
    if (SameWords(base.ids, bs, be, witness.ids, ws, we))
        return ReadingKind::Transposition;
    return ReadingKind::Substitution;
}

std::vector<Unit> Collator::Collate(std::span<const std::string_view> verses)
{
    std::vector<Unit> units;
    const int count = static_cast<int>(verses.size());
    const int baseIndex = options_.base;
    if (baseIndex < 0 || baseIndex >= count)
        return units;

    ids_.clear();
    ownedKeys_.clear();
    if (editions_.size() < verses.size())
        editions_.resize(verses.size());
    for (int e = 0; e < count; ++e) {
        Edition& edition = editions_[static_cast<size_t>(e)];
        SplitWords(verses[static_cast<size_t>(e)], edition.words);
        edition.ids.clear();
        for (const std::string_view word : edition.words)
            edition.ids.push_back(Id(word));
        edition.hunks.clear();
    }
    counts_.assign(ids_.size(), 0);

    Edition& base = editions_[static_cast<size_t>(baseIndex)];
    const int n = static_cast<int>(base.words.size());

    // Editions lacking a verse the base has: one unit, before the rest.
    Unit absentUnit;
    for (int e = 0; e < count; ++e) {
        Edition& edition = editions_[static_cast<size_t>(e)];
        edition.absent = n > 0 && edition.words.empty();
        if (edition.absent)
            absentUnit.readings.empty() ? absentUnit.readings.push_back({"", {e}, ReadingKind::Absent})
                                        : absentUnit.readings.front().editions.push_back(e);
        else
            absentUnit.agree.push_back(e);
    }
    if (!absentUnit.readings.empty()) {
        absentUnit.first = 0;
        absentUnit.last = n;
        absentUnit.base = Join(base.words, 0, n);
        units.push_back(std::move(absentUnit));
    }

    const bool ignoreSpelling = options_.spelling == SpellingMode::Ignore;
    // Each witness against the base, and the base words where any differs.
    struct Span {
        int first, last;
        bool real = true; // false: only other word division, ignored
    };
    std::vector<Span> spans; // non-empty stretches, then merged
    std::vector<int> additionGaps;
    for (int e = 0; e < count; ++e) {
        Edition& edition = editions_[static_cast<size_t>(e)];
        if (e == baseIndex || edition.absent)
            continue;
        matches_.clear();
        Align(base.ids, edition.ids, 0, n, 0, static_cast<int>(edition.ids.size()), matches_);
        MakeHunks(edition, base, matches_);
        for (const Hunk& h : edition.hunks) {
            if (h.bs == h.be)
                additionGaps.push_back(h.bs);
            else
                spans.push_back({h.bs, h.be, !(ignoreSpelling && h.lettersOnly)});
        }
    }
    if (spans.empty() && additionGaps.empty())
        return units;

    // Stretches sharing a base word are one unit; an addition inside a unit
    // belongs to it, one at its edge stands alone. Stretches that only divide
    // the words otherwise make no unit of their own when spelling is ignored.
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.first < b.first; });
    std::vector<Span> merged;
    for (const Span& s : spans) {
        if (!merged.empty() && s.first < merged.back().last) {
            merged.back().last = std::max(merged.back().last, s.last);
            merged.back().real = merged.back().real || s.real;
        } else
            merged.push_back(s);
    }
    std::sort(additionGaps.begin(), additionGaps.end());
    additionGaps.erase(std::unique(additionGaps.begin(), additionGaps.end()), additionGaps.end());
    size_t k = 0;
    std::vector<Span> places; // in base order, an addition before a unit at its gap
    for (const int g : additionGaps) {
        while (k < merged.size() && merged[k].last <= g)
            ++k;
        if (k == merged.size() || merged[k].first >= g)
            places.push_back({g, g});
        else
            merged[k].real = true; // an addition inside makes it a unit
    }
    for (const Span& span : merged)
        if (span.real)
            places.push_back(span);
    std::sort(places.begin(), places.end(), [](const Span& a, const Span& b) {
        return a.first != b.first ? a.first < b.first : a.last < b.last;
    });

    for (const Span& place : places) {
        Unit unit;
        unit.first = place.first;
        unit.last = place.last;
        unit.base = Join(base.words, place.first, place.last);
        std::vector<std::pair<int, int>> groupRange; // per reading: the first witness's word range
        for (int e = 0; e < count; ++e) {
            const Edition& edition = editions_[static_cast<size_t>(e)];
            if (edition.absent)
                continue;
            if (e == baseIndex) {
                unit.agree.push_back(e);
                continue;
            }
            int ws, we;
            if (place.first == place.last) {
                ws = edition.startAt[static_cast<size_t>(place.first)];
                we = edition.endAt[static_cast<size_t>(place.first)];
            } else {
                ws = edition.endAt[static_cast<size_t>(place.first)];
                we = edition.startAt[static_cast<size_t>(place.last)];
            }
            const auto sameAs = [&](const Edition& other, int from, int to) {
                if (ignoreSpelling && SameLetters(other.words, from, to, edition.words, ws, we))
                    return true;
                if (to - from != we - ws)
                    return false;
                for (int k = 0; k < we - ws; ++k)
                    if (ignoreSpelling ? other.ids[static_cast<size_t>(from + k)] != edition.ids[static_cast<size_t>(ws + k)]
                                       : other.words[static_cast<size_t>(from + k)] != edition.words[static_cast<size_t>(ws + k)])
                        return false;
                return true;
            };
            if (sameAs(base, place.first, place.last)) {
                unit.agree.push_back(e);
                continue;
            }
            size_t g = 0;
            for (; g < unit.readings.size(); ++g) {
                const Edition& first = editions_[static_cast<size_t>(unit.readings[g].editions.front())];
                if (sameAs(first, groupRange[g].first, groupRange[g].second))
                    break;
            }
            if (g == unit.readings.size()) {
                unit.readings.push_back({Join(edition.words, ws, we), {},
                                         Kind(base, place.first, place.last, edition, ws, we)});
                groupRange.emplace_back(ws, we);
            }
            unit.readings[g].editions.push_back(e);
        }
        if (!unit.readings.empty())
            units.push_back(std::move(unit));
    }
    return units;
}

std::vector<Unit> CollateVerse(std::span<const std::string_view> verses, const Options& options)
{
    Collator collator(options);
    return collator.Collate(verses);
}

void CollateTexts(std::span<const std::vector<std::string>* const> texts, const Options& options,
                  const std::function<bool(const VerseApparatus&)>& verse,
                  const std::function<bool(int line)>& include)
{
    if (texts.empty() || options.base < 0 || options.base >= static_cast<int>(texts.size()))
        return;
    size_t length = 0;
    for (const auto* text : texts)
        length = std::max(length, text->size());
    Collator collator(options);
    std::vector<std::string_view> words(texts.size());
    VerseApparatus out;
    static const std::string kNoLine;
    for (size_t line = 0; line < length; ++line) {
        const auto lineOf = [&](size_t e) -> const std::string& {
            return line < texts[e]->size() ? (*texts[e])[line] : kNoLine;
        };
        const std::string& baseLine = lineOf(static_cast<size_t>(options.base));
        const std::string* first = &baseLine;
        for (size_t e = 0; first->empty() && e < texts.size(); ++e)
            first = &lineOf(e);
        if (IsHeadingLine(*first)) {
            out.chapter = *first;
            continue;
        }
        if (include && !include(static_cast<int>(line)))
            continue;
        out.reference = {};
        for (size_t e = 0; e < texts.size(); ++e) {
            const VerseLine split = SplitVerseLine(lineOf(e));
            words[e] = split.words;
            if (out.reference.empty())
                out.reference = std::string(split.reference);
        }
        std::vector<Unit> units = collator.Collate(words);
        if (units.empty())
            continue;
        out.line = static_cast<int>(line);
        out.baseText = std::string(words[static_cast<size_t>(options.base)]);
        out.units = std::move(units);
        if (!verse(out))
            return;
    }
}

DistanceTable::DistanceTable(int editionCount)
    : size_(std::max(editionCount, 0)),
      cells_(static_cast<size_t>(size_) * static_cast<size_t>(size_), 0),
      group_(static_cast<size_t>(size_), -1)
{
}

void DistanceTable::Add(const VerseApparatus& verse)
{
    for (const Unit& unit : verse.units) {
        std::fill(group_.begin(), group_.end(), -1);
        for (const int e : unit.agree)
            if (e >= 0 && e < size_)
                group_[static_cast<size_t>(e)] = 0;
        for (size_t r = 0; r < unit.readings.size(); ++r)
            for (const int e : unit.readings[r].editions)
                if (e >= 0 && e < size_)
                    group_[static_cast<size_t>(e)] = static_cast<int>(r) + 1;
        for (int a = 0; a < size_; ++a)
            for (int b = a + 1; b < size_; ++b) {
                const int ga = group_[static_cast<size_t>(a)], gb = group_[static_cast<size_t>(b)];
                if (ga >= 0 && gb >= 0 && ga != gb) {
                    ++cells_[static_cast<size_t>(a) * size_ + b];
                    ++cells_[static_cast<size_t>(b) * size_ + a];
                }
            }
    }
}

} // namespace synopter::collate
