// The settings' rules: what fits the screen, how values are written.

#include "app/settings_test_support.h"

namespace synopter {
namespace {

using namespace settings_test;

// ---- Screen fit ------------------------------------------------------------

struct FitCase {
    const char* name;
    int screen;
    int start;
    int extent;
    int expected;
};

TEST(SettingsRulesTest, HeightFitsTheScreenOnlyWithMoreThan400PixelsOfRoom)
{
    const FitCase cases[] = {
        {"shortened_to_the_bottom_edge", 768, 300, 600, 468},
        {"room_368_keeps_the_height", 768, 400, 600, 600},
        {"room_exactly_400_keeps_it", 768, 368, 600, 600},
        {"room_401_shortens", 768, 367, 600, 401},
        {"inside_the_screen", 768, 100, 600, 600},
        {"ending_at_the_edge", 768, 168, 600, 600},
        {"above_the_screen_top", 768, -100, 900, 868},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(FitHeightToScreen(c.screen, c.start, c.extent), c.expected) << c.name;
}

TEST(SettingsRulesTest, WidthFitsTheScreenOnlyWithMoreThan650PixelsOfRoom)
{
    const FitCase cases[] = {
        {"narrowed_to_the_right_edge", 1024, 300, 800, 724},
        {"room_624_keeps_the_width", 1024, 400, 800, 800},
        {"room_exactly_650_keeps_it", 1024, 374, 800, 800},
        {"room_651_narrows", 1024, 373, 800, 651},
        {"inside_the_screen", 1024, 0, 800, 800},
        {"no_overflow_at_the_int_limits", 1024, 2147483000, 2147483000, 2147483000},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(FitWidthToScreen(c.screen, c.start, c.extent), c.expected) << c.name;
}

TEST(SettingsRulesTest, AWindowMostlyOffTheScreenIsBroughtOntoIt)
{
    const struct {
        const char* name;
        int position, extent, screenStart, screenExtent;
        bool titleEdge;
        int expected;
    } cases[] = {
        {"inside", 100, 600, 0, 1024, false, 100},
        {"a third past the edge stays", 624, 600, 0, 1024, false, 624},
        {"mostly past the far edge", 900, 600, 0, 1024, false, 424},
        {"mostly before the start", -400, 600, 0, 1024, false, 0},
        {"title bar above the screen", -10, 600, 0, 768, true, 0},
        {"larger than the screen", 3000, 2000, 0, 1024, false, 0},
        {"second screen", 2800, 600, 1920, 1024, false, 2344},
        {"stored extremes", -16000, 16000, 0, 800, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BringOntoScreen(c.position, c.extent, c.screenStart, c.screenExtent, c.titleEdge), c.expected)
            << c.name;
}

TEST(SettingsRulesTest, ThresholdTextAsWrittenAtClose)
{
    const std::pair<const char*, int> cases[] = {
        {"20", 20}, {" 35 ", 35}, {"5000", 5000}, {"0", 0}, {"-4", -4}, {"$10", 16},
        {"", 1}, {"abc", 1}, {"12a", 1}, {"99999999999", 1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ThresholdFromText(text), expected) << '"' << text << '"';
}

} // namespace
} // namespace synopter
