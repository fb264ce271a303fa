#pragma once

#include <span>
#include <string>
#include <string_view>

// The line layout every edition text shares: 27 books in canonical order, a
// heading line for each chapter ("KATA IWANNHN 3"), then one line per verse
// slot (" 3:16 ..."), 8221 lines in all. Verses are numbered 1..n in every
// chapter, so a book is its heading title and the verse count of each chapter.
namespace synopter::layout {

struct Book {
    std::string_view heading; // transliterated title of the chapter headings
    std::string_view osis;    // OSIS book name ("Matt", "1Cor")
    std::string_view english; // English name ("Matthew", "1 Corinthians")
    std::span<const unsigned char> verses; // verse count of each chapter
};

constexpr int kBookCount = 27;
constexpr int kLineCount = 8221;

// Book 0 is Matthew, 26 Revelation.
const Book& BookAt(int book);

int ChapterCount(int book);
// Verses in a chapter; 0 when the book has no such chapter.
int VerseCount(int book, int chapter);

// Index (from 0) of the line of a verse slot or of a chapter heading; -1 when
// the layout has no such slot or chapter.
int VerseLine(int book, int chapter, int verse);
int HeadingLine(int book, int chapter);

// "KATA IWANNHN 3"
std::string HeadingText(int book, int chapter);

} // namespace synopter::layout
