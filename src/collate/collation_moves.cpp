#include "collate/collator.h"

#include <algorithm>

namespace synopter::collate {

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

    if (!options_.exactPositions && hunks.size() > 1)
        JoinMoves(hunks, base, edition);

    if (options_.spelling != SpellingMode::Count)
        for (Hunk& h : hunks)
            h.lettersOnly = h.bs < h.be && h.ws < h.we && SameLetters(base.words, h.bs, h.be, edition.words, h.ws, h.we);

    PlaceGaps(edition, n);
}

// Neighbouring stretches are one reading when, with the words between them,
// they hold the same words on both sides (a transposition), or when close
// together a word left out in one turns up in another (a word moved with other
// changes: "embav palin eiv ploion" / "palin embav"). The shortest such run is
// taken, so two transpositions in a row stay two.
void Collator::JoinMoves(std::vector<Hunk>& hunks, const Edition& base, const Edition& witness)
{
    size_t out = 0;
    for (size_t k = 0; k < hunks.size();) {
        size_t last = k;
        for (size_t l = k + 1; last == k && l < hunks.size() && hunks[l].be - hunks[k].bs <= kMaxMoveSpan; ++l)
            if (SameWords(base.ids, hunks[k].bs, hunks[l].be, witness.ids, hunks[k].ws, hunks[l].we))
                last = l;
        for (size_t l = k + 1; last == k && l < hunks.size() && hunks[l].be - hunks[k].bs <= kMaxShiftSpan; ++l)
            if (WordMoved(base, witness, hunks, k, l))
                last = l;
        hunks[out++] = {hunks[k].bs, hunks[last].be, hunks[k].ws, hunks[last].we};
        k = last + 1;
    }
    hunks.resize(out);
}

// Where the witness's words stand at each gap between base words: between
// stretches the words pair one to one.
void Collator::PlaceGaps(Edition& edition, int baseWords)
{
    const int n = baseWords;
    edition.startAt.assign(static_cast<size_t>(n) + 1, -1);
    edition.endAt.assign(static_cast<size_t>(n) + 1, -1);
    int cb = 0, cw = 0;     // the first base and witness words after the last stretch
    bool gapDone = false;   // gap cb holds an addition, already placed
    auto matched = [&](int upTo) {
        for (int g = gapDone ? cb + 1 : cb; g <= upTo; ++g)
            edition.startAt[static_cast<size_t>(g)] = edition.endAt[static_cast<size_t>(g)] = cw + (g - cb);
    };
    for (const Hunk& h : edition.hunks) {
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

} // namespace synopter::collate
