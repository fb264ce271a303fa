#include "find/result_find.h"

#include "common/ascii.h"
#include "compare/result_model.h"
#include "editions/edition_lines.h"

#include <string>

namespace synopter {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The results are lower case already; headings and typed capitals are not.
char Fold(char c)
{
    c = ascii::ToLower(c);
    return c == 'v' ? 's' : c;
}

// Where `words` ends when it occurs in `text` at `at`; a blank in `words`
// stands for any run of blanks. npos when it does not occur there.
size_t MatchEnd(std::string_view text, size_t at, std::string_view words)
{
    size_t k = at;
    for (size_t j = 0; j < words.size(); ++j) {
        if (k >= text.size())
            return std::string_view::npos;
        if (words[j] == ' ') {
            if (!IsBlank(text[k]))
                return std::string_view::npos;
            while (k < text.size() && IsBlank(text[k]))
                ++k;
        } else if (Fold(text[k]) == words[j]) {
            ++k;
        } else {
            return std::string_view::npos;
        }
    }
    return k;
}

// Every occurrence of `words` in `text`, not overlapping; with `out` null,
// only whether there is one.
bool Occurrences(std::string_view text, std::string_view words, std::vector<ByteRange>* out)
{
    bool any = false;
    const char first = words.front();
    for (size_t i = 0; i < text.size(); ++i) {
        if (Fold(text[i]) != first)
            continue;
        const size_t end = MatchEnd(text, i, words);
        if (end == std::string_view::npos)
            continue;
        any = true;
        if (!out)
            return true;
        out->push_back({i, end});
        i = end - 1;
    }
    return any;
}

// The book of every unit: that of the last heading up to it (-1 before any or
// under a title no book has).
std::vector<int> BooksOfUnits(std::span<const FindUnit> units)
{
    std::vector<int> books(units.size(), -1);
    std::string lastTitle;
    int book = -1;
    for (size_t i = 0; i < units.size(); ++i) {
        if (units[i].heading) {
            std::string title(BookTitle(units[i].left));
            if (title != lastTitle) {
                book = BookOfTitle(title).value_or(-1);
                lastTitle = std::move(title);
            }
        }
        books[i] = book;
    }
    return books;
}

bool UnitMatches(const FindQuery& query, const FindUnit& unit, int book)
{
    switch (query.kind) {
    case FindQuery::Kind::Nothing:
        return false;
    case FindQuery::Kind::Words:
        return !unit.heading
               && (Occurrences(unit.left, query.words, nullptr) || Occurrences(unit.right, query.words, nullptr));
    case FindQuery::Kind::Chapter:
        return unit.heading && book == *query.book && HeadingChapter(unit.left) == query.chapter;
    case FindQuery::Kind::Verse: {
        if (unit.heading || (query.book && book != *query.book))
            return false;
        for (std::string_view side : {unit.left, unit.right})
            if (const VerseParts parts = ParseVerseLine(side); !parts.reference.empty())
                return parts.chapter == query.chapter && parts.verse == query.verse;
        return false;
    }
    }
    return false;
}

// Each unit's text as the results keep it.
std::vector<FindUnit> UnitsOf(const ComparisonResults& results)
{
    std::vector<FindUnit> units(results.Count());
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = {results.IsHeading(i), results.Text(i, 0), results.Text(i, 1)};
    return units;
}

} // namespace

std::optional<FindMatch> FindInUnits(const FindQuery& query, std::span<const FindUnit> units, size_t from,
                                     FindDirection direction)
{
    const size_t n = units.size();
    if (n == 0 || query.kind == FindQuery::Kind::Nothing)
        return std::nullopt;
    std::vector<int> books;
    if (query.book)
        books = BooksOfUnits(units);

    // Every unit is tested, for the count "3 of 17"; a whole New Testament is a
    // millisecond or two.
    std::vector<char> matches(n, 0);
    int total = 0;
    for (size_t i = 0; i < n; ++i) {
        matches[i] = UnitMatches(query, units[i], books.empty() ? -1 : books[i]);
        total += matches[i];
    }
    if (total == 0)
        return std::nullopt;

    const bool started = from < n;
    const bool forward = direction == FindDirection::Forward;
    const size_t start = forward ? (started ? from + 1 : 0) : (started ? from + n - 1 : n - 1);
    for (size_t step = 0; step < n; ++step) {
        const size_t i = forward ? (start + step) % n : (start + n - step) % n;
        if (!matches[i])
            continue;
        FindMatch match;
        match.unit = i;
        match.wrapped = started && (forward ? i <= from : i >= from);
        match.total = total;
        for (size_t k = 0; k <= i; ++k)
            match.ordinal += matches[k];
        if (query.kind == FindQuery::Kind::Words) {
            Occurrences(units[i].left, query.words, &match.left);
            Occurrences(units[i].right, query.words, &match.right);
        }
        return match;
    }
    return std::nullopt;
}

std::optional<size_t> UnitAtOrAfter(const FindQuery& query, std::span<const FindUnit> units)
{
    if (query.kind != FindQuery::Kind::Verse && query.kind != FindQuery::Kind::Chapter)
        return std::nullopt;
    const int verse = query.kind == FindQuery::Kind::Verse ? query.verse : 0;
    const std::vector<int> books = query.book ? BooksOfUnits(units) : std::vector<int>();
    for (size_t i = 0; i < units.size(); ++i) {
        if (query.book && books[i] != *query.book)
            continue;
        if (units[i].heading) {
            if (verse == 0 && HeadingChapter(units[i].left) == query.chapter)
                return i;
            continue;
        }
        for (std::string_view side : {units[i].left, units[i].right})
            if (const VerseParts parts = ParseVerseLine(side); !parts.reference.empty()) {
                if (parts.chapter == query.chapter && parts.verse >= verse)
                    return i;
                break;
            }
    }
    return std::nullopt;
}

std::optional<size_t> ResultAtOrAfter(const FindQuery& query, const ComparisonResults& results)
{
    return UnitAtOrAfter(query, UnitsOf(results));
}

std::optional<FindMatch> FindInResults(const FindQuery& query, const ComparisonResults& results, size_t from,
                                       FindDirection direction)
{
    return FindInUnits(query, UnitsOf(results), from, direction);
}

std::optional<FindMatch> FindInLines(const FindQuery& query, const std::vector<std::string>& lines, size_t from,
                                     FindDirection direction)
{
    std::vector<FindUnit> units(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        units[i] = {IsHeadingLine(lines[i]), lines[i], lines[i]};
    return FindInUnits(query, units, from, direction);
}

} // namespace synopter
