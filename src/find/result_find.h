#pragma once

#include "find/find_query.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

class ComparisonResults;

// One unit of the results as the search sees it: a heading (its label in
// `left`) or a verse pair (" 3:16 ..." on each side).
struct FindUnit {
    bool heading = false;
    std::string_view left;
    std::string_view right;
};

struct ByteRange {
    size_t begin = 0;
    size_t end = 0;
    bool operator==(const ByteRange&) const = default;
};

enum class FindDirection { Forward, Backward };

struct FindMatch {
    size_t unit = 0;
    bool wrapped = false; // went past the end (forward) or the start (backward)
    // Word queries: every occurrence in the unit, per side; empty for references.
    std::vector<ByteRange> left;
    std::vector<ByteRange> right;
    // This unit's place among all matching units (from 1) and their number.
    int ordinal = 0;
    int total = 0;
};

// Searches from the unit after `from` (Forward) or before it (Backward), going
// round the end to `from` itself; `from` past the end starts at the first
// (Forward) or last (Backward) unit. nullopt when no unit matches.
std::optional<FindMatch> FindInUnits(const FindQuery& query, std::span<const FindUnit> units, size_t from,
                                     FindDirection direction);

// The same over the results of a comparison, each unit's text as they keep it.
std::optional<FindMatch> FindInResults(const FindQuery& query, const ComparisonResults& results, size_t from,
                                       FindDirection direction);
// The same over an edition's lines, a unit each (heading lines are headings).
std::optional<FindMatch> FindInLines(const FindQuery& query, const std::vector<std::string>& lines, size_t from,
                                     FindDirection direction);

// Where a reference (Verse or Chapter) is met in units that hold only some of
// the verses: the first unit of its chapter at or after it, a heading standing
// before its chapter's first verse. nullopt when the chapter has none there,
// or for a query of words.
std::optional<size_t> UnitAtOrAfter(const FindQuery& query, std::span<const FindUnit> units);
std::optional<size_t> ResultAtOrAfter(const FindQuery& query, const ComparisonResults& results);

} // namespace synopter
