#pragma once

#include <string_view>

namespace synopter {

// The rules for values of the settings file that do not depend on any window.

// A restored window that reaches past the bottom (right) screen edge is
// shortened to end at that edge, but only when that still leaves more than
// 400 (650) pixels; otherwise it keeps its size. Outer sizes, screen pixels.
int FitHeightToScreen(int screenHeight, int top, int height);
int FitWidthToScreen(int screenWidth, int left, int width);

// A restored window less than half of which lies on the screen along an axis
// (or, for `titleEdge`, whose start, where the title bar is, lies before the
// screen's) is moved onto it: as little as puts it whole on the screen, or to
// the screen's start when it is larger. Otherwise it stays where it was read,
// so a window partly past an edge, as the user left it, keeps its place.
int BringOntoScreen(int position, int extent, int screenStart, int screenExtent, bool titleEdge);

// The threshold as written at close: the spin edit's text as a whole number
// (blanks around it allowed), 1 when it is not one. Not limited to the range.
int ThresholdFromText(std::string_view text);

// Window positions, outer sizes and the splitter height as read from the file:
// a value out of range is taken as the nearest end of it, so that a damaged
// file cannot overflow the window's own arithmetic or Qt's (and, written back
// at close, is mended). Generous for any desktop of several screens, and a
// window's far edge stays within the 16-bit coordinates of X11.
inline constexpr int kMaxStoredPosition = 16000;
inline constexpr int kMaxStoredExtent = 16000;
int ClampStoredPosition(int value);
int ClampStoredExtent(int value);

} // namespace synopter
