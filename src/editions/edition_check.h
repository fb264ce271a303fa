#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// Checks made before a comparison, cheap enough for every COMPARE. Each gives
// the problem in plain words (UTF-8) or nothing. Edition names and lines are
// bytes as the catalogue and the texts hold them.

// The text holds UTF-8 encoded Greek letters: a source that was never
// transliterated, which the display font cannot show and the matching cannot use.
std::optional<std::string> UnicodeGreekProblem(std::string_view name, const std::vector<std::string>& lines);

// The two texts do not share one line layout: their line counts differ, or
// a line is a chapter heading in one and not in the other (the first such line
// is named, 1-based, with the start of both lines). Verses would be paired
// with the wrong verses.
std::optional<std::string> LayoutProblem(std::string_view leftName, const std::vector<std::string>& left,
                                         std::string_view rightName, const std::vector<std::string>& right);

// The first of the above for a left and right edition, or nothing. A side
// without lines (no edition chosen) is not checked.
std::optional<std::string> ComparisonProblem(std::string_view leftName, const std::vector<std::string>& left,
                                             std::string_view rightName, const std::vector<std::string>& right);

bool IsValidUtf8(std::string_view bytes);

// The bytes as UTF-8: kept when they are valid UTF-8, else read as Latin-1.
std::string ToUtf8(std::string_view bytes);

} // namespace synopter
