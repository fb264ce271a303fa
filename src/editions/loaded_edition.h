#pragma once

#include "editions/lacunae.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace synopter {

// An edition loaded for comparing: its name and its lines. The lines are
// shared by whatever reads them (the run, the checks, find, the source list
// that shows them) and never change in place; another edition replaces them whole.
struct LoadedEdition {
    std::string name;
    std::shared_ptr<const std::vector<std::string>> lines = std::make_shared<const std::vector<std::string>>();
    // What of a manuscript is lost (none for a printed edition); indexes `lines`.
    std::shared_ptr<const Lacunae> lacunae = std::make_shared<const Lacunae>();
    std::string hand; // the hand a manuscript's text follows; "" for an edition

    const std::vector<std::string>& Lines() const { return *lines; }
    // The last heading line at or before `line` (the last line when past
    // the end); "" when there is none.
    std::string HeadingAtOrAbove(size_t line) const;
    // The last line that is `text` exactly; nullopt when none is.
    std::optional<size_t> LastLineEqualTo(const std::string& text) const;
    // The line of verse `verse` under the chapter heading `heading` (the
    // heading's own line for verse 0); nullopt when the edition has neither.
    std::optional<size_t> VerseLine(const std::string& heading, int verse) const;
};

} // namespace synopter
