#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// Splits single-byte text into lines: CR LF, a lone LF or a lone CR ends a
// line; a line end at the very end adds no empty line; a NUL byte ends the text.
std::vector<std::string> SplitLines(std::string_view text);
// The same lines as views into `text`, which must outlive them.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// Lines joined, each followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

} // namespace synopter
