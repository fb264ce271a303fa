#include "chapters/chapter_list.h"

#include "common/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace synopter {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(NavigatorPlaceTest, BesideTheMainWindowWithinTheScreen)
{
    const ScreenRect screen{0, 0, 1024, 740}; // a panel takes the screen's last 28 rows
    const struct {
        ScreenRect main;
        int left, top, height;
        const char* why;
    } cases[] = {
        {{0, 10, 681, 500}, 681, 10, 500, "room on the right"},
        {{100, 10, 750, 500}, 850, 10, 500, "right edge exactly on the screen's edge"},
        {{300, 10, 600, 500}, 126, 10, 500, "no room on the right: to the left"},
        {{900, 10, 681, 500}, 726, 10, 500, "room on the left only"},
        {{0, 0, 1024, 768}, 850, 0, 740, "no room either side: over it at the right edge, within the panel"},
        {{120, 0, 850, 700}, 0, 0, 700, "no room either side: over it at the left edge, with more room"},
        {{-300, 10, 681, 500}, 381, 10, 500, "main window partly off the left edge"},
        {{1100, 10, 681, 500}, 850, 10, 500, "main window off the right edge"},
        {{0, 600, 681, 500}, 681, 240, 500, "main window below the available area: pushed up"},
        {{0, -50, 681, 500}, 681, 0, 500, "main window above the screen"},
        {{-2147483548, 10, 681, 500}, 0, 10, 500, "a damaged place far to the left: no overflow"},
        {{2147483547, 10, 681, 500}, 850, 10, 500, "a damaged place far to the right"},
        {{0, 10, 2147483647, 2147483647}, 0, 0, 740, "a damaged size"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NavigatorPlace(c.main, 174, screen), (ScreenRect{c.left, c.top, 174, c.height})) << c.why;
    // On a second screen; a navigator wider than the screen is narrowed to it.
    EXPECT_EQ(NavigatorPlace({1100, 40, 600, 400}, 174, {1024, 20, 1280, 1000}), (ScreenRect{1700, 40, 174, 400}));
    EXPECT_EQ(NavigatorPlace({0, 0, 300, 200}, 900, {0, 0, 800, 600}), (ScreenRect{0, 0, 800, 200}));
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
