#pragma once

#include <string>
#include <vector>

namespace synopter {

// The labels stored in chapters.lst (CR LF, LF or CR end a line; a final line
// break adds no item; a NUL byte ends the reading). A missing file gives none.
std::vector<std::string> LoadChapterList(const std::string& path);

// A window's outer rectangle or a screen's available area, in screen pixels.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The navigator's outer rectangle beside the main window's (`main`), wholly
// within `screen`, the available area of the main window's screen: as high as
// the main window and level with it, to its right when it fits there, else to
// its left, else over it at the edge of the screen with more room. The main
// window may be anywhere (a damaged settings file may place it so).
ScreenRect NavigatorPlace(const ScreenRect& main, int navigatorWidth, const ScreenRect& screen);

} // namespace synopter
