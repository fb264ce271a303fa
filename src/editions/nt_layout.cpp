#include "editions/nt_layout.h"

#include <array>
#include <initializer_list>
#include <vector>

namespace synopter::layout {
namespace {

struct BookRow {
    std::string_view heading;
    std::string_view osis;
    std::string_view english;
    std::initializer_list<unsigned char> verses;
};

// Facts of the layout: book titles as the headings spell them and the verse
// count of every chapter.
const BookRow kRows[kBookCount] = {
    {"KATA MAYYAION", "Matt", "Matthew", {25, 23, 17, 25, 48, 34, 29, 34, 38, 42, 30, 50, 58, 36, 39, 28, 27, 35, 30, 34, 46, 46, 39, 51, 46, 75, 66, 20}},
    {"KATA MARKON", "Mark", "Mark", {45, 28, 35, 41, 43, 56, 37, 38, 50, 52, 33, 44, 37, 72, 47, 20}},
    {"KATA LOUKAN", "Luke", "Luke", {80, 52, 38, 44, 39, 49, 50, 56, 62, 42, 54, 59, 35, 35, 32, 31, 37, 43, 48, 47, 38, 71, 56, 53}},
    {"KATA IWANNHN", "John", "John", {51, 25, 36, 54, 47, 71, 53, 59, 41, 42, 57, 50, 38, 31, 27, 33, 26, 40, 42, 31, 25}},
    {"PRAXEIV", "Acts", "Acts", {26, 47, 26, 37, 42, 15, 60, 40, 43, 48, 30, 25, 52, 28, 41, 40, 34, 28, 41, 38, 40, 30, 35, 27, 27, 32, 44, 31}},
    {"PROV RWMAIOUV", "Rom", "Romans", {32, 29, 31, 25, 21, 23, 25, 39, 33, 21, 36, 21, 14, 26, 33, 27}},
    {"PROV KORINYIOUV A", "1Cor", "1 Corinthians", {31, 16, 23, 21, 13, 20, 40, 13, 27, 33, 34, 31, 13, 40, 58, 24}},
    {"PROV KORINYIOUV B", "2Cor", "2 Corinthians", {24, 17, 18, 18, 21, 18, 16, 24, 15, 18, 33, 21, 14}},
    {"PROV GALATAV", "Gal", "Galatians", {24, 21, 29, 31, 26, 18}},
    {"PROV EFESIOUV", "Eph", "Ephesians", {23, 22, 21, 32, 33, 24}},
    {"PROV FILIPPHSIOUV", "Phil", "Philippians", {30, 30, 21, 23}},
    {"PROV KOLOSSAEIV", "Col", "Colossians", {29, 23, 25, 18}},
    {"PROV YESSALONIKEIV A", "1Thess", "1 Thessalonians", {10, 20, 13, 18, 28}},
    {"PROV YESSALONIKEIV B", "2Thess", "2 Thessalonians", {12, 17, 18}},
    {"PROV TIMOYEON A", "1Tim", "1 Timothy", {20, 15, 16, 16, 25, 21}},
    {"PROV TIMOYEON B", "2Tim", "2 Timothy", {18, 26, 17, 22}},
    {"PROV TITON", "Titus", "Titus", {16, 15, 15}},
    {"PROV FILHMONA", "Phlm", "Philemon", {25}},
    {"PROV EBRAIOUV", "Heb", "Hebrews", {14, 18, 19, 16, 14, 20, 28, 13, 28, 39, 40, 29, 25}},
    {"IAKWBOU", "Jas", "James", {27, 26, 18, 17, 20}},
    {"PETROU A", "1Pet", "1 Peter", {25, 25, 22, 19, 14}},
    {"PETROU B", "2Pet", "2 Peter", {21, 22, 18}},
    {"IWANNOU A", "1John", "1 John", {10, 29, 24, 21, 21}},
    {"IWANNOU B", "2John", "2 John", {13}},
    {"IWANNOU G", "3John", "3 John", {15}},
    {"IOUDA", "Jude", "Jude", {25}},
    {"APOKALUQIV IWANNOU", "Rev", "Revelation", {20, 29, 22, 11, 14, 17, 17, 13, 21, 11, 19, 17, 18, 20, 8, 21, 18, 24, 21, 15, 27, 21}},
};

struct Index {
    std::array<std::vector<unsigned char>, kBookCount> verses;
    std::array<Book, kBookCount> books;
    // headingLine[book][chapter - 1]: the heading's line; the verses follow it.
    std::array<std::vector<int>, kBookCount> headingLine;

    Index()
    {
        int line = 0;
        for (int b = 0; b < kBookCount; ++b) {
            verses[b].assign(kRows[b].verses.begin(), kRows[b].verses.end());
            books[b] = {kRows[b].heading, kRows[b].osis, kRows[b].english, verses[b]};
            for (unsigned char n : verses[b]) {
                headingLine[b].push_back(line);
                line += 1 + n;
            }
        }
    }
};

const Index& TheIndex()
{
    static const Index index;
    return index;
}

bool ValidBook(int book) { return book >= 0 && book < kBookCount; }

} // namespace

const Book& BookAt(int book) { return TheIndex().books.at(size_t(book)); }

int ChapterCount(int book) { return ValidBook(book) ? int(TheIndex().verses[book].size()) : 0; }

int VerseCount(int book, int chapter)
{
    if (chapter < 1 || chapter > ChapterCount(book))
        return 0;
    return TheIndex().verses[book][chapter - 1];
}

int HeadingLine(int book, int chapter)
{
    if (chapter < 1 || chapter > ChapterCount(book))
        return -1;
    return TheIndex().headingLine[book][chapter - 1];
}

int VerseLine(int book, int chapter, int verse)
{
    if (verse < 1 || verse > VerseCount(book, chapter))
        return -1;
    return HeadingLine(book, chapter) + verse;
}

std::string HeadingText(int book, int chapter)
{
    return std::string(BookAt(book).heading) + ' ' + std::to_string(chapter);
}

} // namespace synopter::layout
