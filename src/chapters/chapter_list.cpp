#include "chapters/chapter_list.h"

#include "common/file_io.h"
#include "common/text_lines.h"

namespace synopter {

std::vector<std::string> LoadChapterList(const std::string& path)
{
    const auto bytes = ReadFileBytes(path, kMaxResultFileBytes);
    return bytes ? SplitLines(*bytes) : std::vector<std::string>{};
}

int NavigatorLeft(int mainLeft, int mainWidth, int navigatorWidth, int screenWidth)
{
    const int roomRight = screenWidth - mainLeft - mainWidth;
    if (mainLeft < roomRight) {
        const int left = mainLeft + mainWidth;
        return screenWidth < left + navigatorWidth ? screenWidth - navigatorWidth : left;
    }
    const int left = mainLeft - navigatorWidth;
    return left < 0 ? 0 : left;
}

} // namespace synopter
