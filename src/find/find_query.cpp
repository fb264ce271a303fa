#include "find/find_query.h"

#include "common/ascii.h"
#include "editions/book_names.h"
#include "editions/edition_lines.h"
#include "import/greek_text.h"

namespace synopter {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view s)
{
    if (s.empty() || s.size() > 4)
        return false;
    for (char c : s)
        if (!IsDigit(c))
            return false;
    return true;
}

int Number(std::string_view digits)
{
    int n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// A book as a reference names it: an English or OSIS name or abbreviation, or
// a heading title in the transliteration or in Greek letters.
std::optional<int> BookOfName(std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    if (IsAscii(name)) {
        if (const auto book = BookFromName(name))
            return book;
        return BookOfTitle(name);
    }
    return BookOfTitle(ascii::ToUpper(TransliterateGreek(name)));
}

} // namespace

FindQuery ParseFindQuery(std::string_view typed)
{
    typed = Trim(typed);
    FindQuery query;
    if (typed.empty())
        return query;

    const size_t blank = typed.find_last_of(" \t");
    const std::string_view last = blank == std::string_view::npos ? typed : typed.substr(blank + 1);
    const std::string_view name = blank == std::string_view::npos ? std::string_view() : Trim(typed.substr(0, blank));
    const size_t colon = last.find(':');
    if (colon != std::string_view::npos && AllDigits(last.substr(0, colon)) && AllDigits(last.substr(colon + 1))) {
        const std::optional<int> book = BookOfName(name);
        if (name.empty() || book) {
            query.kind = FindQuery::Kind::Verse;
            query.book = book;
            query.chapter = Number(last.substr(0, colon));
            query.verse = Number(last.substr(colon + 1));
            return query;
        }
    } else if (AllDigits(last)) {
        if (const std::optional<int> book = BookOfName(name)) {
            query.kind = FindQuery::Kind::Chapter;
            query.book = book;
            query.chapter = Number(last);
            return query;
        }
    }

    query.words = TransliterateGreek(typed);
    // Final and medial sigma are one letter to the user.
    for (char& c : query.words)
        if (c == 'v')
            c = 's';
    if (!query.words.empty())
        query.kind = FindQuery::Kind::Words;
    return query;
}

} // namespace synopter
