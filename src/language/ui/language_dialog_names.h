#pragma once

// The language dialog's object names: the keys its language files address, so they never
// change. The window and its tests use these.
namespace synopter::language_dialog_names {

inline constexpr char window[] = "Form8";
inline constexpr char titleLabel[] = "Label1";
inline constexpr char subtitleLabel[] = "Label2";
inline constexpr char languageChooser[] = "ComboBox1";
inline constexpr char okButton[] = "BitBtn1";

} // namespace synopter::language_dialog_names
