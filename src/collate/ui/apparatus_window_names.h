#pragma once

// The apparatus window's object names: the keys its language files address, so they never
// change. The window and its tests use these.
namespace synopter::apparatus_window_names {

inline constexpr char window[] = "Form10";
inline constexpr char chapterLabel[] = "Label1";
inline constexpr char bookChooser[] = "ComboBox1";
inline constexpr char chapterBox[] = "SpinEdit1";
inline constexpr char baseLabel[] = "Label2";
inline constexpr char baseChooser[] = "ComboBox2";
inline constexpr char exportHtmlButton[] = "BitBtn1";
inline constexpr char exportTeiButton[] = "BitBtn2";
inline constexpr char exportCsvButton[] = "BitBtn3";
inline constexpr char editionsLabel[] = "Label3";
inline constexpr char editionList[] = "CheckListBox1";
inline constexpr char optionsLabel[] = "Label4";
inline constexpr char view[] = "TextBrowser1";

} // namespace synopter::apparatus_window_names
