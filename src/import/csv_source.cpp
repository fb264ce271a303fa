#include "import/source_readers.h"

#include "common/ascii.h"
#include "editions/book_names.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace synopter {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view BaseName(std::string_view path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// RFC 4180 records, one at a time. Lenient where the RFC is strict: a quote
// inside an unquoted field is kept, and text after a closing quote joins the field.
class CsvRecords {
public:
    CsvRecords(std::string_view bytes, std::string_view fileName) : bytes_(bytes), fileName_(fileName)
    {
        if (bytes_.starts_with(kBom))
            pos_ = kBom.size();
    }

    // The next record's fields; false at the end.
    bool Next(std::vector<std::string>& fields)
    {
        if (pos_ >= bytes_.size())
            return false;
        ++record_;
        fields.assign(1, std::string());
        bool quoted = false;
        while (pos_ < bytes_.size()) {
            const char c = bytes_[pos_++];
            if (quoted) {
                if (c != '"')
                    fields.back() += c;
                else if (pos_ < bytes_.size() && bytes_[pos_] == '"')
                    fields.back() += bytes_[pos_++];
                else
                    quoted = false;
            } else if (c == '"' && fields.back().empty()) {
                quoted = true;
                openedAt_ = record_;
            } else if (c == ',') {
                fields.emplace_back();
            } else if (c == '\n') {
                return true;
            } else if (c == '\r') {
                if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
                    ++pos_;
                return true;
            } else {
                fields.back() += c;
            }
        }
        if (quoted)
            throw ImportError(Quoted(BaseName(fileName_)) + ": the quoted field of record " +
                              std::to_string(openedAt_) + " is never closed.");
        return true;
    }

private:
    std::string_view bytes_;
    std::string_view fileName_;
    size_t pos_ = 0;
    int record_ = 0;
    int openedAt_ = 0;
};

struct Columns {
    int chapter = -1;
    int verse = -1;
    int text = -1;
    int book = -1;
};

Columns FindColumns(const std::vector<std::string>& header)
{
    Columns columns;
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string_view name = ascii::Trim(header[i]);
        int* column = ascii::EqualsIgnoreCase(name, "chapter") ? &columns.chapter
                      : ascii::EqualsIgnoreCase(name, "verse") ? &columns.verse
                      : ascii::EqualsIgnoreCase(name, "text")  ? &columns.text
                      : ascii::EqualsIgnoreCase(name, "book")  ? &columns.book
                                                               : nullptr;
        if (column && *column < 0)
            *column = int(i);
    }
    return columns;
}

// "MAT.csv", "1CO.csv", "matthew.csv" or "40-Matthew.csv".
std::optional<int> BookFromFileName(std::string_view fileName)
{
    std::string_view stem = BaseName(fileName);
    if (const size_t dot = stem.rfind('.'); dot != std::string_view::npos && dot > 0)
        stem = stem.substr(0, dot);
    if (const auto book = BookFromName(stem))
        return book;
    size_t digits = 0;
    while (digits < stem.size() && stem[digits] >= '0' && stem[digits] <= '9')
        ++digits;
    size_t rest = digits;
    while (rest < stem.size() && (stem[rest] == '-' || stem[rest] == '_' || stem[rest] == ' ' || stem[rest] == '.'))
        ++rest;
    if (digits == 0 || rest == digits || rest == stem.size())
        return std::nullopt;
    return BookFromName(stem.substr(rest));
}

std::optional<int> ParseNumber(std::string_view text)
{
    text = ascii::Trim(text);
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

void ReadCsvSource(std::string_view bytes, std::string_view fileName, VerseSink& sink)
{
    CsvRecords records(bytes, fileName);
    std::vector<std::string> fields;
    const Columns columns = records.Next(fields) ? FindColumns(fields) : Columns{};
    if (columns.chapter < 0 || columns.verse < 0 || columns.text < 0)
        throw ImportError(Quoted(BaseName(fileName)) +
                          " has no header naming its chapter, verse and text columns.");
    std::optional<int> fileBook;
    if (columns.book < 0) {
        fileBook = BookFromFileName(fileName);
        if (!fileBook)
            throw ImportError("The book of " + Quoted(BaseName(fileName)) +
                              " is unknown: it has no book column and its name names no book.");
    }

    const size_t needed = size_t(std::max({columns.chapter, columns.verse, columns.text, columns.book})) + 1;
    while (records.Next(fields)) {
        if (fields.size() < needed) {
            sink.SkippedLine();
            continue;
        }
        const auto book = fileBook ? fileBook : BookFromName(ascii::Trim(fields[size_t(columns.book)]));
        const auto chapter = ParseNumber(fields[size_t(columns.chapter)]);
        const auto verse = ParseNumber(fields[size_t(columns.verse)]);
        if (!book || !chapter || !verse) {
            sink.SkippedLine();
            continue;
        }
        sink.Verse(VerseRef{*book, *chapter, *verse}, fields[size_t(columns.text)]);
    }
}

} // namespace synopter
