#pragma once

#include <string>
#include <vector>

namespace synopter {

// The labels stored in chapters.lst (CR LF, LF or CR end a line; a final line
// break adds no item; a NUL byte ends the reading). A missing file gives none.
std::vector<std::string> LoadChapterList(const std::string& path);

// The navigator's left edge beside the main window (outer left `mainLeft`, outer
// width `mainWidth`): on the side with strictly more room, else on the left,
// kept on the primary screen of width `screenWidth`: pushed back from its right
// edge when there is room, and its left edge never off the screen, wherever
// the main window is (a damaged settings file may place it anywhere).
int NavigatorLeft(int mainLeft, int mainWidth, int navigatorWidth, int screenWidth);

} // namespace synopter
