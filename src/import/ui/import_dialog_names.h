#pragma once

// The import dialog's object names: the keys its language files address, so they never
// change. The window and its tests use these.
namespace synopter::import_dialog_names {

inline constexpr char window[] = "ImportForm";
inline constexpr char sourcesLabel[] = "lblSources";
inline constexpr char sourceList[] = "lbSources";
inline constexpr char addFilesButton[] = "bbAddFiles";
inline constexpr char addFolderButton[] = "bbAddFolder";
inline constexpr char clearButton[] = "bbClear";
inline constexpr char modulesLabel[] = "lblModules";
inline constexpr char moduleList[] = "lbModules";
inline constexpr char noModulesLabel[] = "lblNoModules";
inline constexpr char formatLabel[] = "lblFormat";
inline constexpr char formatChooser[] = "cbFormat";
inline constexpr char handLabel[] = "lblHand";
inline constexpr char handChooser[] = "cbHand";
inline constexpr char witnessLabel[] = "lblWitness";
inline constexpr char witnessEdit[] = "edWitness";
inline constexpr char nameLabel[] = "lblName";
inline constexpr char nameEdit[] = "edName";
inline constexpr char titleLabel[] = "lblTitle";
inline constexpr char titleEdit[] = "edTitle";
inline constexpr char titleNote[] = "lblTitleNote";
inline constexpr char progressBar[] = "ProgressBar1";
inline constexpr char reportView[] = "meReport";
inline constexpr char importButton[] = "bbImport";
inline constexpr char stopButton[] = "bbStop";
inline constexpr char closeButton[] = "bbClose";

} // namespace synopter::import_dialog_names
