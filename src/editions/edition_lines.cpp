#include "editions/edition_lines.h"

#include "common/ascii.h"
#include "editions/nt_layout.h"

#include <algorithm>

namespace synopter {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimSpaces(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

} // namespace

std::optional<int> SmallNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 4 || !std::all_of(digits.begin(), digits.end(), IsDigit))
        return std::nullopt;
    int n = 0;
    for (const char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

VerseParts ParseVerseLine(std::string_view line)
{
    VerseParts out;
    const size_t start = std::min(line.find_first_not_of(' '), line.size());
    const size_t end = std::min(line.find(' ', start), line.size());
    const std::string_view first = line.substr(start, end - start);
    const size_t colon = first.find(':');
    const std::optional<int> chapter = colon == std::string_view::npos ? std::nullopt : SmallNumber(first.substr(0, colon));
    const std::optional<int> verse = chapter ? SmallNumber(first.substr(colon + 1)) : std::nullopt;
    if (verse) {
        out.reference = first;
        out.chapter = *chapter;
        out.verse = *verse;
        line.remove_prefix(end);
    }
    out.words = TrimSpaces(line);
    return out;
}

std::string_view BookTitle(std::string_view heading)
{
    size_t end = heading.size();
    while (end > 0 && IsDigit(heading[end - 1]))
        --end;
    if (end == heading.size() || end == 0 || heading[end - 1] != ' ')
        return heading;
    return heading.substr(0, end - 1);
}

int HeadingChapter(std::string_view heading)
{
    const std::string_view title = BookTitle(heading);
    if (title.size() == heading.size())
        return 0;
    return SmallNumber(heading.substr(title.size() + 1)).value_or(0);
}

std::optional<int> BookOfTitle(std::string_view title)
{
    for (int book = 0; book < layout::kBookCount; ++book)
        if (ascii::EqualsIgnoreCase(layout::BookAt(book).heading, title))
            return book;
    return std::nullopt;
}

void SplitWords(std::string_view text, std::vector<std::string_view>& words)
{
    words.clear();
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        pos = end;
    }
}

std::vector<std::string_view> SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    SplitWords(text, words);
    return words;
}

} // namespace synopter
