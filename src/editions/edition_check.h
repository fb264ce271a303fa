#pragma once

#include <optional>
#include <span>
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

// Whether two texts of one layout may differ in length: the window and the
// collation want the same line count, the command-line comparison also takes
// a shorter text (the Gospels alone) or one with lines added at the end.
enum class LineCounts { Equal, MayDiffer };

// The two texts do not share one line layout: of the lines both have, one is
// a chapter heading in one text and not in the other, two headings name other
// chapters, or two verse lines begin with other references (the first such
// line is named, 1-based, with the start of both lines); under
// LineCounts::Equal also their line counts differ. Verses would be paired
// with the wrong verses.
std::optional<std::string> LayoutProblem(std::string_view leftName, const std::vector<std::string>& left,
                                         std::string_view rightName, const std::vector<std::string>& right,
                                         LineCounts counts = LineCounts::Equal);
// The same over views of the lines.
std::optional<std::string> LayoutProblem(std::string_view leftName, std::span<const std::string_view> left,
                                         std::string_view rightName, std::span<const std::string_view> right,
                                         LineCounts counts = LineCounts::Equal);

// The first of the above for a left and right edition, or nothing. A side
// without lines (no edition chosen) is not checked.
std::optional<std::string> ComparisonProblem(std::string_view leftName, const std::vector<std::string>& left,
                                             std::string_view rightName, const std::vector<std::string>& right);

bool IsValidUtf8(std::string_view bytes);

// The bytes as UTF-8: kept when they are valid UTF-8, else read as Latin-1.
std::string ToUtf8(std::string_view bytes);

} // namespace synopter
