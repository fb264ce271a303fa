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

ScreenRect NavigatorPlace(const ScreenRect& main, int navigatorWidth, const ScreenRect& screen)
{
    // Wide arithmetic: the main window's place may come from a damaged settings file.
    using Wide = long long;
    const Wide screenLeft = screen.left, screenTop = screen.top;
    const Wide screenRight = screenLeft + std::max(0, screen.width);
    const Wide screenBottom = screenTop + std::max(0, screen.height);
    const Wide width = std::clamp<Wide>(navigatorWidth, 1, std::max<Wide>(1, screen.width));
    const Wide height = std::clamp<Wide>(main.height, 1, std::max<Wide>(1, screen.height));
    const Wide mainLeft = main.left;
    const Wide mainRight = mainLeft + std::max(0, main.width);
    Wide left;
    if (mainRight + width <= screenRight)
        left = mainRight;
    else if (mainLeft - width >= screenLeft)
        left = mainLeft - width;
    else
        left = screenRight - mainRight >= mainLeft - screenLeft ? screenRight - width : screenLeft;
    // A main window off the screen leaves the navigator at its nearer edge.
    left = std::clamp(left, screenLeft, std::max(screenLeft, screenRight - width));
    const Wide top = std::clamp<Wide>(main.top, screenTop, std::max(screenTop, screenBottom - height));
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height)};
}

} // namespace synopter
