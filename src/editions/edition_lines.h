#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The grammar of an edition text's lines, known here only: a chapter heading
// ("KATA IWANNHN 3", no leading space) or a verse slot (" 3:16 outwv gar ...":
// a space, the chapter:verse reference, the words).
namespace synopter {

// True for a chapter heading: a non-empty line not starting with a space.
constexpr bool IsHeadingLine(std::string_view line) { return !line.empty() && line.front() != ' '; }

// A verse line taken apart. The reference is the first word when it is
// chapter:verse, each one to four digits ("3:16"); any other line is all words.
struct VerseParts {
    std::string_view reference; // "3:16"; "" without one
    int chapter = 0;            // 0 without a reference
    int verse = 0;
    std::string_view words;     // after the reference, without outer spaces
};
VerseParts ParseVerseLine(std::string_view line);

// "KATA IWANNHN 3" is chapter 3 of "KATA IWANNHN": the title is the heading
// without a trailing number and the blank before it. A heading without one is
// a book title of its own.
std::string_view BookTitle(std::string_view heading);

// One to four digits, nothing else: enough for any chapter or verse, and never
// an overflow; nullopt otherwise.
std::optional<int> SmallNumber(std::string_view digits);

// The chapter number ending a heading ("KATA IWANNHN 3" gives 3); 0 when it
// has none or one of more than four digits.
int HeadingChapter(std::string_view heading);

// The book (0 Matthew ... 26 Revelation) whose headings carry `title`
// ("KATA IWANNHN", "IWANNOU A"), any letter case.
std::optional<int> BookOfTitle(std::string_view title);

// The words of a text: the runs between spaces, none empty, whatever the
// spaces before, between and after them. The first form reuses `words`.
void SplitWords(std::string_view text, std::vector<std::string_view>& words);
std::vector<std::string_view> SplitWords(std::string_view text);

} // namespace synopter
