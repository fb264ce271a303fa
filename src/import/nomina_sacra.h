#pragma once

#include <optional>
#include <string_view>

namespace synopter {

// The nomina sacra of Greek manuscripts written out: a contracted form as a
// transcription gives it (θσ, =κυ with or without its overline, any letter
// case, σ or ς at the end) to the full word in the edition alphabet ("yeov"),
// which the import takes as already transliterated. Case and number forms
// each have their own contraction (θσ θυ θω θν θε). nullopt for a form the
// table does not know: the import keeps it as written and reports it.
std::optional<std::string_view> ExpandNomenSacrum(std::string_view contractedUtf8);

} // namespace synopter
