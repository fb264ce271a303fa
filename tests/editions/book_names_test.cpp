#include "editions/book_names.h"

#include <gtest/gtest.h>

#include <optional>

namespace synopter {
namespace {

TEST(BookFromNameTest, NamesAbbreviationsCodesAndNumbers)
{
    struct Case {
        const char* name;
        std::optional<int> book;
    };
    const Case cases[] = {
        {"Matthew", 0}, {"matt", 0}, {"Mt", 0}, {"MAT", 0}, {"B01", 0},
        {"Mark", 1}, {"MRK", 1}, {"MAR", 1},
        {"JHN", 3}, {"JOH", 3}, {"John", 3}, {"b04", 3},
        {"1 Corinthians", 6}, {"1Cor", 6}, {"1 Co", 6}, {"1CO", 6}, {"I Cor.", 6}, {"1-cor", 6},
        {"2 Thess", 13}, {"II Thessalonians", 13},
        {"Philippians", 10}, {"Phil", 10}, {"PHP", 10},
        {"Philemon", 17}, {"Phlm", 17}, {"PHM", 17},
        {"JAS", 19}, {"JAM", 19}, {"James", 19},
        {"1 John", 22}, {"1JN", 22}, {"III John", 24}, {"3JO", 24},
        {"Rev", 26}, {"Revelation", 26}, {"REV", 26}, {"B27", 26},
        {"Gen", std::nullopt}, {"B28", std::nullopt}, {"B00", std::nullopt},
        {"Johnny", std::nullopt}, {"", std::nullopt}, {"1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BookFromName(c.name), c.book) << c.name;
}

} // namespace
} // namespace synopter
