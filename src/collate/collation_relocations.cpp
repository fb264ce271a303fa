// Witnesses that lack a verse the base has because they have it elsewhere.
#include "collate/collator.h"


namespace synopter::collate {

RelocatedVerses::RelocatedVerses(std::span<const std::vector<std::string>* const> texts, int base)
    : byWitness_(texts.size())
{
    if (base < 0 || static_cast<size_t>(base) >= texts.size())
        return;
    for (size_t e = 0; e < texts.size(); ++e) {
        if (static_cast<int>(e) == base)
            continue;
        for (Relocation& r : FindRelocations(*texts[size_t(base)], *texts[e]))
            if (r.rightEmpty) // the witness's slot is the empty one
                byWitness_[e].push_back(std::move(r));
        any_ = any_ || !byWitness_[e].empty();
    }
}

void RelocatedVerses::Mark(size_t line, std::vector<Unit>& units) const
{
    if (!any_ || units.empty() || !units.front().AbsentVerse())
        return;
    // The absence stays one reading, as the distances and TEI count it; the
    // places are beside it for the writers that name them.
    Reading& absent = units.front().readings.front();
    for (const int e : absent.editions)
        if (e >= 0 && static_cast<size_t>(e) < byWitness_.size())
            if (const Relocation* r = RelocationAt(byWitness_[size_t(e)], line))
                absent.elsewhere.push_back({e, r->place});
}

} // namespace synopter::collate
