#include "import/source_readers.h"

#include "common/ascii.h"
#include "editions/book_names.h"

#include <charconv>
#include <optional>

namespace synopter {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A line split at its reference: "1 Cor 1:1 text" gives "1 Cor", 1, 1, "text".
struct VerseLine {
    std::string_view book; // empty for "C:V text"
    int chapter = 0;
    int verse = 0;
    std::string_view text;
};

std::optional<int> ParseNumber(std::string_view digits)
{
    int value = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || ptr != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// The reference is the first "digits:digits" of the line; whatever stands before
// it is the book. Only the line's first colon counts, so a verse text quoting
// numbers cannot be taken for a reference.
std::optional<VerseLine> SplitVerseLine(std::string_view line)
{
    line = ascii::Trim(line);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    size_t start = colon;
    while (start > 0 && IsDigit(line[start - 1]))
        --start;
    size_t end = colon + 1;
    while (end < line.size() && IsDigit(line[end]))
        ++end;
    if (start == colon || end == colon + 1)
        return std::nullopt;
    // "Matt 1:1", "Matt.1:1" or "Mt1:1", but not "B01:1" or "12 1:1"-like runs of digits.
    if (start > 0 && !ascii::IsBlank(line[start - 1]) && !IsLetter(line[start - 1]) && line[start - 1] != '.')
        return std::nullopt;
    if (end < line.size() && !ascii::IsBlank(line[end]))
        return std::nullopt;
    const auto chapter = ParseNumber(line.substr(start, colon - start));
    const auto verse = ParseNumber(line.substr(colon + 1, end - colon - 1));
    if (!chapter || !verse)
        return std::nullopt;
    std::string_view book = line.substr(0, start);
    while (!book.empty() && (ascii::IsBlank(book.back()) || book.back() == '.'))
        book.remove_suffix(1);
    return VerseLine{book, *chapter, *verse, ascii::Trim(line.substr(end))};
}

// A whole line naming a book: "Matthew", "1 Corinthians", "John:".
std::optional<int> BookLine(std::string_view line)
{
    line = ascii::Trim(line);
    while (!line.empty() && (line.back() == '.' || line.back() == ':'))
        line.remove_suffix(1);
    if (line.empty())
        return std::nullopt;
    return BookFromName(line);
}

// Calls `f` with each line, its end (CR LF, LF or CR) removed.
template <typename F>
void ForEachLine(std::string_view bytes, F&& f)
{
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    while (!bytes.empty()) {
        const size_t end = bytes.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            f(bytes);
            return;
        }
        f(bytes.substr(0, end));
        const size_t next = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? end + 2 : end + 1;
        bytes.remove_prefix(next);
    }
}

} // namespace

bool LooksLikeTextVerseLine(std::string_view line)
{
    const auto verseLine = SplitVerseLine(line);
    return verseLine && (verseLine->book.empty() || BookFromName(verseLine->book));
}

void ReadTextSource(std::string_view bytes, std::string_view /*fileName*/, VerseSink& sink)
{
    std::optional<int> book;
    ForEachLine(bytes, [&](std::string_view line) {
        if (const auto verseLine = SplitVerseLine(line)) {
            if (!verseLine->book.empty()) {
                if (const auto named = BookFromName(verseLine->book))
                    book = named;
                else
                    return sink.SkippedLine();
            }
            if (!book)
                return sink.SkippedLine();
            return sink.Verse(VerseRef{*book, verseLine->chapter, verseLine->verse}, verseLine->text);
        }
        if (const auto named = BookLine(line))
            book = named;
        else
            sink.SkippedLine();
    });
}

} // namespace synopter
