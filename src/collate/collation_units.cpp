#include "collate/collator.h"

#include <algorithm>

namespace synopter::collate {

namespace {

// The words [from, to) joined by single spaces.
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

std::vector<Unit> Collator::Collate(std::span<const std::string_view> verses, std::span<const VerseLoss> losses)
{
    std::vector<Unit> units;
    const int count = static_cast<int>(verses.size());
    if (options_.base < 0 || options_.base >= count)
        return units;
    losses_ = losses.size() == verses.size() ? losses : std::span<const VerseLoss>();
    base_ = losses_.empty() ? options_.base : StandInBase(verses, losses_);
    if (base_ < 0)
        return units; // every witness lost the verse
    ReadWords(verses);
    AddAbsentVerseUnit(count, units);
    std::vector<Span> spans; // non-empty stretches
    std::vector<int> additionGaps;
    FindDifferences(count, spans, additionGaps);
    if (spans.empty() && additionGaps.empty())
        return units;
    for (const Span& place : UnitPlaces(spans, additionGaps)) {
        Unit unit = UnitAt(place, count);
        if (!unit.readings.empty())
            units.push_back(std::move(unit));
    }
    return units;
}

// Editions lacking a verse the base has: one unit, before the rest, the
// lacunose after them.
void Collator::AddAbsentVerseUnit(int count, std::vector<Unit>& units)
{
    const Edition& base = editions_[static_cast<size_t>(base_)];
    const int n = static_cast<int>(base.words.size());
    Unit absentUnit;
    std::vector<int> lacunose;
    for (int e = 0; e < count; ++e) {
        Edition& edition = editions_[static_cast<size_t>(e)];
        edition.absent = n > 0 && edition.words.empty() && !edition.lost;
        if (edition.lost)
            lacunose.push_back(e);
        else if (edition.absent)
            absentUnit.readings.empty() ? absentUnit.readings.push_back({"", {e}, ReadingKind::Absent})
                                        : absentUnit.readings.front().editions.push_back(e);
        else
            absentUnit.agree.push_back(e);
    }
    if (!absentUnit.readings.empty()) {
        absentUnit.first = 0;
        absentUnit.last = n;
        absentUnit.base = Join(base.words, 0, n);
        if (!lacunose.empty())
            absentUnit.readings.push_back({"", std::move(lacunose), ReadingKind::Lacuna});
        units.push_back(std::move(absentUnit));
    }
}

// Each witness against the base, and the base words where any differs.
void Collator::FindDifferences(int count, std::vector<Span>& spans, std::vector<int>& additionGaps)
{
    const Edition& base = editions_[static_cast<size_t>(base_)];
    const int n = static_cast<int>(base.words.size());
    const bool ignoreSpelling = options_.spelling == SpellingMode::Ignore;
    for (int e = 0; e < count; ++e) {
        Edition& edition = editions_[static_cast<size_t>(e)];
        if (e == base_ || edition.absent || edition.lost)
            continue;
        matches_.clear();
        Align(base.ids, edition.ids, 0, n, 0, static_cast<int>(edition.ids.size()), matches_);
        MakeHunks(edition, base, matches_);
        if (!losses_.empty())
            PlaceLostParts(edition, losses_[static_cast<size_t>(e)].gaps, n);
        for (const Hunk& h : edition.hunks) {
            if (LostWithin(edition, h) && !options_.lostTextUnits)
                continue; // what differs there is only what was lost
            if (h.bs == h.be)
                additionGaps.push_back(h.bs);
            else
                spans.push_back({h.bs, h.be, !(ignoreSpelling && h.lettersOnly)});
        }
    }
}

// Stretches sharing a base word are one unit; an addition inside a unit
// belongs to it, one at its edge stands alone. Stretches that only divide the
// words otherwise make no unit of their own when spelling is ignored. The
// places come in base order, an addition before a unit at its gap.
std::vector<Collator::Span> Collator::UnitPlaces(std::vector<Span>& spans, std::vector<int>& additionGaps)
{
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
    std::vector<Span> places;
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
    return places;
}

// The unit at one place: the editions that read as the base there, the
// others grouped by what they read, and last those lacunose there.
Unit Collator::UnitAt(const Span& place, int count)
{
    const Edition& base = editions_[static_cast<size_t>(base_)];
    const bool ignoreSpelling = options_.spelling == SpellingMode::Ignore;
    Unit unit;
    unit.first = place.first;
    unit.last = place.last;
    unit.base = Join(base.words, place.first, place.last);
    std::vector<std::pair<int, int>> groupRange; // per reading: the first witness's word range
    std::vector<int> lacunose;
    for (int e = 0; e < count; ++e) {
        const Edition& edition = editions_[static_cast<size_t>(e)];
        if (edition.absent)
            continue;
        if (e == base_) {
            unit.agree.push_back(e);
            continue;
        }
        if (edition.lost || LostAt(edition, place.first, place.last)) {
            lacunose.push_back(e);
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
            unit.readings.push_back({Join(edition.words, ws, we), {}, Kind(base, place.first, place.last, edition, ws, we)});
            groupRange.emplace_back(ws, we);
        }
        unit.readings[g].editions.push_back(e);
    }
    // Lacunae alone make no unit, unless asked.
    if ((!unit.readings.empty() || options_.lostTextUnits) && !lacunose.empty())
        unit.readings.push_back({"", std::move(lacunose), ReadingKind::Lacuna});
    return unit;
}

} // namespace synopter::collate
