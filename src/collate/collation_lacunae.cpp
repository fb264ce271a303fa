// A witness's lost text in the collation of one verse slot: which edition
// stands as base where the base is not whole, and where a remnant is lacunose.

#include "collate/collator.h"

#include <algorithm>

namespace synopter::collate {

// The base where it is whole; else the first whole witness with words, else
// the first with words, else the first not lost; -1 when all are lost.
int Collator::StandInBase(std::span<const std::string_view> verses, std::span<const VerseLoss> losses) const
{
    const auto whole = [&](size_t e) { return !losses[e].lost && losses[e].gaps.empty(); };
    const auto base = static_cast<size_t>(options_.base);
    if (whole(base))
        return options_.base;
    int withWords = -1, notLost = -1;
    for (size_t e = 0; e < verses.size(); ++e) {
        if (losses[e].lost)
            continue;
        if (!verses[e].empty()) {
            if (whole(e))
                return static_cast<int>(e);
            if (withWords < 0)
                withWords = static_cast<int>(e);
        }
        if (notLost < 0)
            notLost = static_cast<int>(e);
    }
    return withWords >= 0 ? withWords : notLost;
}

// A remnant's lost parts from its alignment to the base (matches_): for each
// gap, the base positions between the matched words around it.
void Collator::PlaceLostParts(Edition& edition, std::span<const uint16_t> gaps, int baseWords)
{
    edition.lostParts.clear();
    const int words = static_cast<int>(edition.words.size());
    size_t k = 0; // the first match at or after the gap
    for (const uint16_t gap : gaps) {
        const int at = std::min<int>(gap, words);
        while (k < matches_.size() && matches_[k].second < at)
            ++k;
        const int from = k > 0 ? matches_[k - 1].first + 1 : 0;
        const int to = k < matches_.size() ? matches_[k].first : baseWords;
        if (!edition.lostParts.empty() && edition.lostParts.back().second >= from)
            edition.lostParts.back().second = std::max(edition.lostParts.back().second, to);
        else
            edition.lostParts.emplace_back(from, to);
    }
}

// True when base words [first, last), or the addition at gap first == last,
// fall in a lost part: a word of it, or a gap inside the unit.
bool Collator::LostAt(const Edition& edition, int first, int last)
{
    for (const auto& [from, to] : edition.lostParts) {
        const bool hit = first == last ? from <= first && first <= to
                                       : std::max(first, from) < std::min(last, to) ||
                                             std::max(first + 1, from) <= std::min(last - 1, to);
        if (hit)
            return true;
    }
    return false;
}

// True when the whole of a witness's difference lies in one lost part.
bool Collator::LostWithin(const Edition& edition, const Hunk& hunk)
{
    for (const auto& [from, to] : edition.lostParts)
        if (from <= hunk.bs && hunk.be <= to)
            return true;
    return false;
}

} // namespace synopter::collate
