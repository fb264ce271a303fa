#pragma once

// The find bar's object names: the keys its language files address, so they never
// change. The window and its tests use these.
namespace synopter::find_bar_names {

inline constexpr char bar[] = "Panel11";
inline constexpr char findLabel[] = "Label10";
inline constexpr char findEdit[] = "Edit3";
inline constexpr char previousButton[] = "SpeedButton5";
inline constexpr char nextButton[] = "SpeedButton6";
inline constexpr char closeButton[] = "SpeedButton7";
inline constexpr char outcomeLabel[] = "Label11";

} // namespace synopter::find_bar_names
