#include "app/settings_rules.h"

#include "common/ascii.h"
#include "common/ini_file.h"

#include <algorithm>
#include <climits>

namespace synopter {

namespace {

int FitExtent(int screenExtent, int start, int extent, int minimumRoom)
{
    const long long end = static_cast<long long>(start) + extent;
    const long long room = static_cast<long long>(screenExtent) - start;
    if (screenExtent < end && room > minimumRoom)
        return static_cast<int>(std::min<long long>(room, INT_MAX));
    return extent;
}

} // namespace

int FitHeightToScreen(int screenHeight, int top, int height)
{
    return FitExtent(screenHeight, top, height, 400);
}

int FitWidthToScreen(int screenWidth, int left, int width)
{
    return FitExtent(screenWidth, left, width, 650);
}

int BringOntoScreen(int position, int extent, int screenStart, int screenExtent, bool titleEdge)
{
    // 64-bit: stored values reach 16000 each way, screens anything.
    const long long start = position, end = start + std::max(extent, 0);
    const long long screenEnd = (long long)screenStart + std::max(screenExtent, 0);
    const long long visible = std::min(end, screenEnd) - std::max(start, (long long)screenStart);
    if (visible * 2 >= end - start && !(titleEdge && start < screenStart))
        return position;
    if (extent >= screenExtent)
        return screenStart;
    return int(std::clamp(start, (long long)screenStart, screenEnd - extent));
}

int ThresholdFromText(std::string_view text)
{
    return IniFile::ParseInteger(ascii::Trim(text)).value_or(1);
}

int ClampStoredPosition(int value)
{
    return std::clamp(value, -kMaxStoredPosition, kMaxStoredPosition);
}

int ClampStoredExtent(int value)
{
    return std::clamp(value, 0, kMaxStoredExtent);
}

} // namespace synopter
