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

// --spelling-rules: a list of spelling rule groups (ParseSpellingGroups); an
// unknown name throws UsageError naming the known ones.
SpellingGroups ParseSpellingRules(std::string_view text);

// What --help says of --spelling-rules: each group, its name and what it joins.
std::string SpellingRulesHelp();

// The spelling rules: the groups' plus the list at `path`, or plus the user's
// spelling.txt when no path is given and it exists. Lines left out are said on
// stderr under the tool's name; a named file that cannot be read throws
// UsageError.
SpellingList LoadSpellingList(const char* tool, const std::string& path,
                              SpellingGroups groups = SpellingGroups::Default());

// The local date, as 2026-12-08.
std::string Today();

} // namespace synopter::cli
