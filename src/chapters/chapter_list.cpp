#include "chapters/chapter_list.h"

#include "common/file_io.h"
#include "common/text_lines.h"

#include <algorithm>

namespace synopter {

std::vector<std::string> LoadChapterList(const std::string& path)
{
    const auto bytes = ReadFileBytes(path, kMaxResultFileBytes);
    return bytes ? SplitLines(*bytes) : std::vector<std::string>{};
}

int NavigatorLeft(int mainLeft, int mainWidth, int navigatorWidth, int screenWidth)
{
    // Wide arithmetic: the main window's place may come from a damaged settings file.
    const long long screen = screenWidth;
    const long long roomRight = screen - mainLeft - mainWidth;
    long long left;
    if (mainLeft < roomRight) {
        left = static_cast<long long>(mainLeft) + mainWidth;
        if (screen < left + navigatorWidth)
            left = screen - navigatorWidth;
    } else {
        left = static_cast<long long>(mainLeft) - navigatorWidth;
    }
    // Its left edge on the screen whatever the main window's place.
    return static_cast<int>(std::clamp(left, 0LL, std::max(0LL, screen)));
}

} // namespace synopter
