#pragma once

// The main window's object names: the keys its language files and the users'
// own files address, so they never change. Members and tests use these.
namespace synopter::main_window_names {

inline constexpr char window[] = "Form1";
inline constexpr char menuBar[] = "MainMenu1";
inline constexpr char leftChooser[] = "cb1";
inline constexpr char rightChooser[] = "cb2";
inline constexpr char compareButton[] = "compare";
inline constexpr char stopButton[] = "bbStop";
inline constexpr char chapterButton[] = "BitBtn1";
inline constexpr char foundCount[] = "Label4";
inline constexpr char thresholdLabel[] = "Label5";
inline constexpr char foundLabel[] = "Label6";
inline constexpr char thresholdBox[] = "seAmountDiffer";
inline constexpr char scrollBothBox[] = "chbScrollBoth";
inline constexpr char exactPositionsBox[] = "exactpositions";
inline constexpr char spellingLabel[] = "Label12";
inline constexpr char spellingChooser[] = "cbSpelling";
inline constexpr char progressBar[] = "ProgressBar1";
inline constexpr char topBar[] = "Panel1";
inline constexpr char bottomBar[] = "Panel2";
inline constexpr char workArea[] = "Panel3";
inline constexpr char leftPaneFrame[] = "Panel4";
inline constexpr char rightPaneFrame[] = "Panel5";
inline constexpr char paneArea[] = "Panel7";
inline constexpr char sourceArea[] = "Panel8";
inline constexpr char noEditionsNotice[] = "Panel9";
inline constexpr char noEditionsText[] = "Label7";
inline constexpr char stoppedNotice[] = "Panel10";
inline constexpr char stoppedText[] = "Label8";
inline constexpr char noticeImportButton[] = "BitBtn2";
inline constexpr char splitter[] = "Splitter1";
inline constexpr char leftPane[] = "RichEdit1";
inline constexpr char rightPane[] = "RichEdit2";
inline constexpr char leftList[] = "ListBox1";
inline constexpr char rightList[] = "ListBox2";
inline constexpr char leftPaneMenu[] = "PopupMenu1";
inline constexpr char rightPaneMenu[] = "PopupMenu2";
inline constexpr char clearLeftAction[] = "ClearTRcomparison1";
inline constexpr char copyLeftAction[] = "Copy2";
inline constexpr char clearRightAction[] = "CrearMajoritycomparison1";
inline constexpr char copyRightAction[] = "Copy1";
inline constexpr char fileMenu[] = "File1";
inline constexpr char importAction[] = "Importedition1";
inline constexpr char removeAction[] = "Removeedition1";
inline constexpr char exportAction[] = "Exportresults1";
inline constexpr char printAction[] = "Print1";
inline constexpr char exportPdfAction[] = "ExportPDF1";
inline constexpr char quitAction[] = "Quit1";
inline constexpr char searchMenu[] = "Search1";
inline constexpr char findAction[] = "Find1";
inline constexpr char findNextAction[] = "Findnext1";
inline constexpr char findPreviousAction[] = "Findprevious1";
inline constexpr char gotoReferenceAction[] = "Gotoreference1";
inline constexpr char statisticsAction[] = "Statistics1";
inline constexpr char apparatusAction[] = "Apparatus1";
inline constexpr char findBar[] = "Panel11";
inline constexpr char nextDifferenceAction[] = "Nextdifference1";
inline constexpr char previousDifferenceAction[] = "Previousdifference1";
inline constexpr char viewMenu[] = "View1";
inline constexpr char sourceTextsAction[] = "Sourcetexts1";
inline constexpr char languageAction[] = "Interfacelanguage1";
// View ▸ Spelling rules: the spelling rule groups in force, one checkable item
// each, in the order of SpellingGroupList().
inline constexpr char spellingRulesMenu[] = "Spellingrules1";
inline constexpr char spellingRulesPopup[] = "Spellingrules1Menu";
inline constexpr const char* spellingRuleActions[] = {
    "Movablenu1",  "Doublerho1", "Finalsigma1", "Assimilation1", "Elision1", "Names1",  "Listedwords1",
    "Itacism1",    "Consonants1", "Nasals1",    "Aspiration1",   "Aorist1",  "Crasis1", "Nominasacra1"};
// View ▸ Aligned marking: pairs marked by aligning their words.
inline constexpr char alignedMarkingAction[] = "Alignedmarking1";
inline constexpr char helpMenu[] = "Help1";
inline constexpr char helpAction[] = "SynopterHelp1";
inline constexpr char aboutAction[] = "AboutSynopter1";
inline constexpr char filePopup[] = "File1Menu";
inline constexpr char searchPopup[] = "Search1Menu";
inline constexpr char viewPopup[] = "View1Menu";
inline constexpr char helpPopup[] = "Help1Menu";

} // namespace synopter::main_window_names
