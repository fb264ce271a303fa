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
