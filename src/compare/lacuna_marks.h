#pragma once

#include "compare/rich_text.h"
#include "compare/word_match.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// What a comparison makes of a witness's lost text (editions/lacunae.h).
namespace synopter {

// Mask values beside 0, 1 and kSpellingMatch. Non-zero is matched, so readers
// that know none of them count neither as a difference:
//   kLacunaText  a word of the other side that stands where a remnant's text is
//                lost; shown grey, in the verse's own script
//   kLacunaMark  a character of the "lac." written at a remnant's gap (by
//                WithLacunaMarks, for showing only); grey, in Latin letters
constexpr std::uint8_t kLacunaText = 3;
constexpr std::uint8_t kLacunaMark = 4;
inline constexpr std::string_view kLacunaWord = "lac.";
// Their greys in the panes and result files (0x00BBGGRR): two shades, so that
// a restored pane tells the marks, drawn in Latin letters, from the verse text.
constexpr rtf::Colour kLacunaTextColour = 0x909090;
constexpr rtf::Colour kLacunaMarkColour = 0x808080;

// A remnant compares only its extant part. Given the remnant's verse line and
// its gaps, marks kLacunaText in `otherMask` on the unmatched words of the
// other line that fall in the lost part: between the other line's partners of
// the matched words either side of a gap, before the first partner for gap 0,
// after the last for gap n. Partners are paired in order, by equal text (or
// both spelling variants); the verse references are not words here.
void MarkLostText(std::string_view remnant, const MatchMask& remnantMask, std::span<const std::uint16_t> gaps,
                  std::string_view other, MatchMask& otherMask);

// The verse line with "lac." written at each gap among its words, and its mask
// to match (`mask` as it was, kLacunaMark on the marks).
std::string WithLacunaMarks(std::string_view line, const MatchMask& mask, std::span<const std::uint16_t> gaps,
                            MatchMask& shownMask);

// A reported pair as it is shown: "lac." written at each side's gaps.
struct PairGaps;
struct ShownPair {
    std::string right, left;
    MatchMask rightMask, leftMask;
};
ShownPair WithLacunaMarks(const std::string& right, const std::string& left, const MatchMask& rightMask,
                          const MatchMask& leftMask, const PairGaps& gaps);

// How a lacunose unit reads: "lac. 3:5-9", "lac. 3:5" or "lac. 3:5-4:2" on the
// lacunose side, the references alone on the other ("3:5-9").
std::string LacunoseReferences(std::string_view first, std::string_view last);
std::string LacunoseLabel(std::string_view first, std::string_view last);
// The number of verses such a label names (5 for "lac. 3:5-9", 1 for "lac. 3:5");
// 0 when it is no such label.
int LacunoseLabelVerses(std::string_view label);

} // namespace synopter
