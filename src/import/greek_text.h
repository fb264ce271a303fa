#pragma once

#include <array>
#include <string>
#include <string_view>

namespace synopter {

// What transliteration leaves out, by kind.
enum class DroppedKind {
    Mark,        // accents, breathings, diaeresis, iota subscript
    Punctuation, // . , · ; ’ — ¶ brackets and editorial signs such as ⸀ ⸂ ⸃ ⟦ ⟧
    Digit,
    Letter,      // letters of other scripts and archaic Greek ones (ϝ ϛ)
    Symbol,
    Other,       // control and format characters, bytes that are not UTF-8
};
constexpr int kDroppedKinds = 6;

// Plain English name of a kind, plural ("punctuation marks").
std::string_view DroppedKindName(DroppedKind kind);

struct DroppedCounts {
    std::array<long long, kDroppedKinds> count{};

    long long& operator[](DroppedKind kind) { return count[size_t(kind)]; }
    long long operator[](DroppedKind kind) const { return count[size_t(kind)]; }
    DroppedCounts& operator+=(const DroppedCounts& other);
    long long Total() const;
};

// UTF-8 Greek into the edition alphabet: canonical decomposition, every
// combining mark dropped, lower case, α..ω into a b g d e z h y i k l m n x o p r s
// v t u f c q w with final sigma (ς, and σ or lunate ϲ ending a word) as "v".
// Latin a-z stand as already transliterated (capitals lowered). White space
// and dashes part words; every other character is dropped where it stands. The
// words come out in order, one space apart. Counts what it drops when asked.
std::string TransliterateGreek(std::string_view utf8, DroppedCounts* dropped = nullptr);

// True when the text holds a letter of the Greek script (with or without marks).
bool HasGreekLetter(std::string_view utf8);

} // namespace synopter
