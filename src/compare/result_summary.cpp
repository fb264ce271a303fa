#include "compare/result_summary.h"

#include "editions/edition_lines.h"

#include <vector>

namespace synopter {

void SummaryBuilder::Heading(const std::string& label)
{
    std::string title(BookTitle(label));
    if (summary_.books.empty() || summary_.books.back().title != title)
        summary_.books.push_back(BookCount{std::move(title), 0, {}, 0});
    summary_.books.back().chapters.push_back(ChapterCount{label, 0, 0});
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

void SummaryBuilder::Lacunose(int verses)
{
    summary_.lacunose += verses;
    if (summary_.books.empty())
        return;
    BookCount& book = summary_.books.back();
    book.lacunose += verses;
    book.chapters.back().lacunose += verses;
}

void SummaryBuilder::SpellingOnly()
{
    if (!summary_.books.empty())
        ++summary_.books.back().chapters.back().spellingOnly;
}

ResultSummary WithoutSpellingOnlyChapters(const ResultSummary& summary)
{
    ResultSummary out = summary;
    for (BookCount& book : out.books)
        std::erase_if(book.chapters, [](const ChapterCount& c) {
            return c.spellingOnly > 0 && c.reported == 0 && c.lacunose == 0;
        });
    std::erase_if(out.books, [](const BookCount& b) { return b.chapters.empty(); });
    return out;
}

} // namespace synopter
