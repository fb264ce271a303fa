#pragma once

// The chapter window's object names: the keys its language files address, so they never
// change. The window and its tests use these.
namespace synopter::chapter_window_names {

inline constexpr char window[] = "Form2";
inline constexpr char chapterList[] = "ListBox1";

} // namespace synopter::chapter_window_names
