#include "chapters/chapter_list.h"

#include "common/temp_folder.h"

#include <climits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace synopter {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(NavigatorLeftTest, SideWithMoreRoomKeptOnScreen)
{
    const struct {
        int mainLeft, mainWidth, screenWidth, left;
        const char* why;
    } cases[] = {
        {0, 681, 1024, 681, "room on the right, fits"},
        {100, 800, 1024, 850, "room on the right, pushed back onto the screen"},
        {900, 681, 1024, 726, "room on the left"},
        {0, 1024, 1024, 0, "equal room goes left, clamped at 0"},
        {100, 824, 1024, 0, "equal room of 100 goes left, clamped at 0"},
        {0, 850, 1024, 850, "right edge exactly on the screen's edge"},
        {-300, 681, 1024, 381, "main window partly off the left edge"},
        {1100, 681, 1024, 926, "main window off the right edge"},
        {-2147483548, 681, 1024, 0, "a damaged place far to the left: no overflow"},
        {INT_MAX - 100, 681, 1024, 1024, "a damaged place far to the right: on the screen"},
        {0, INT_MAX, 1024, 0, "a damaged width"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NavigatorLeft(c.mainLeft, c.mainWidth, 174, c.screenWidth), c.left) << c.why;
}

TEST(LoadChapterListTest, LineRules)
{
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> items;
    } cases[] = {
        {"CR LF, final break adds nothing", "Mt 1\r\nMt 5\r\n", {"Mt 1", "Mt 5"}},
        {"no final break", "Mt 1\r\nMt 5", {"Mt 1", "Mt 5"}},
        {"lone LF and lone CR", "Mt 1\nMk 2\rLk 3\r\n", {"Mt 1", "Mk 2", "Lk 3"}},
        {"empty line inside", "Mt 1\r\n\r\nMt 5\r\n", {"Mt 1", "", "Mt 5"}},
        {"zero byte ends the reading", std::string("Mt 1\r\nMt 5\0Mt 7\r\n", 17), {"Mt 1", "Mt 5"}},
        {"single-byte text kept", "\xCC\xE1\xF4 1\r\n", {"\xCC\xE1\xF4 1"}},
        {"empty file", "", {}},
    };
    test::TempFolder folder;
    for (const auto& c : cases) {
        folder.Write("chapters.lst", c.bytes);
        EXPECT_EQ(LoadChapterList(folder / "chapters.lst"), c.items) << c.name;
    }
}

TEST(LoadChapterListTest, MissingFileGivesNoItems)
{
    test::TempFolder folder;
    EXPECT_THAT(LoadChapterList(folder / "chapters.lst"), IsEmpty());
}

} // namespace
} // namespace synopter
