#include "editions/loaded_edition.h"

#include "editions/edition_lines.h"

#include <algorithm>

namespace synopter {

std::string LoadedEdition::HeadingAtOrAbove(size_t line) const
{
    const std::vector<std::string>& all = Lines();
    if (all.empty())
        return {};
    for (size_t i = std::min(line, all.size() - 1) + 1; i-- > 0;)
        if (IsHeadingLine(all[i]))
            return all[i];
    return {};
}

std::optional<size_t> LoadedEdition::LastLineEqualTo(const std::string& text) const
{
    const std::vector<std::string>& all = Lines();
    for (size_t i = all.size(); i-- > 0;)
        if (all[i] == text)
            return i;
    return std::nullopt;
}

std::optional<size_t> LoadedEdition::VerseLine(const std::string& heading, int verse) const
{
    const std::optional<size_t> start = LastLineEqualTo(heading);
    if (!start || verse <= 0)
        return start;
    const std::vector<std::string>& all = Lines();
    for (size_t i = *start + 1; i < all.size() && !IsHeadingLine(all[i]); ++i)
        if (ParseVerseLine(all[i]).verse == verse)
            return i;
    return std::nullopt;
}

} // namespace synopter
