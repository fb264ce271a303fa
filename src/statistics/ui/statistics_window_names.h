#pragma once

// The statistics window's object names: the keys its language files address, so they never
// change. The window and its tests use these.
namespace synopter::statistics_window_names {

inline constexpr char window[] = "Form9";
inline constexpr char allBooksButton[] = "BitBtn1";
inline constexpr char chart[] = "Chart1";
inline constexpr char countTable[] = "StringGrid1";
inline constexpr char pages[] = "PageControl1";
inline constexpr char versesPage[] = "TabSheet1";
inline constexpr char editionsPage[] = "TabSheet2";
inline constexpr char editionsCaption[] = "Label1";
inline constexpr char distanceTable[] = "StringGrid2";
inline constexpr char editionsNote[] = "Label2";
inline constexpr char agreementCaption[] = "Label3";

} // namespace synopter::statistics_window_names
