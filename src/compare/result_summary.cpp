#include "compare/result_summary.h"

namespace synopter {

std::string BookTitleOf(const std::string& heading)
{
    std::size_t end = heading.size();
    while (end > 0 && heading[end - 1] >= '0' && heading[end - 1] <= '9')
        --end;
    if (end == heading.size() || end == 0 || heading[end - 1] != ' ')
        return heading;
    return heading.substr(0, end - 1);
}

void SummaryBuilder::Heading(const std::string& label)
{
    std::string title = BookTitleOf(label);
    if (summary_.books.empty() || summary_.books.back().title != title)
        summary_.books.push_back(BookCount{std::move(title), 0, {}});
    summary_.books.back().chapters.push_back(ChapterCount{label, 0});
}

void SummaryBuilder::Pair()
{
    ++summary_.reported;
    if (summary_.books.empty())
        return;
    BookCount& book = summary_.books.back();
    ++book.reported;
    ++book.chapters.back().reported;
}

} // namespace synopter
