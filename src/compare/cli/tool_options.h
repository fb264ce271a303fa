#pragma once

#include "compare/comparison_run.h"
#include "compare/spelling_rules.h"

#include <string>
#include <string_view>

// What the command-line tools that compare (synopter-compare,
// synopter-collate) read and say alike.
namespace synopter::cli {

// "count", "mark" or "ignore"; anything else throws UsageError.
SpellingMode ParseSpellingMode(std::string_view text);

// The spelling rules: built-in plus the list at `path`, or plus the user's
// spelling.txt when no path is given and it exists. Lines left out are said on
// stderr under the tool's name; a named file that cannot be read throws
// UsageError.
SpellingList LoadSpellingList(const char* tool, const std::string& path);

// The local date, as 2026-12-08.
std::string Today();

} // namespace synopter::cli
