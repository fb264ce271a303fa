#pragma once

#include <optional>
#include <string_view>

namespace synopter {

// The book (0 Matthew ... 26 Revelation) a source names: English names and the
// usual abbreviations in any letter case and spacing ("Matthew", "Mt", "1 Cor",
// "1Co", "I Corinthians"), OSIS names ("1Cor", "Phlm"), three-letter codes
// ("MAT", "MRK", "MAR", "JHN", "1CO", "PHM") and the transcription projects'
// numbers "B01" to "B27". nullopt for anything else.
std::optional<int> BookFromName(std::string_view name);

} // namespace synopter
