#pragma once

#include "app/side.h"
#include "common/program_folders.h"
#include "compare/html_report.h"
#include "compare/spelling_rules.h"
#include "editions/loaded_edition.h"
#include "language/interface_language.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QDateTime;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace synopter {

struct MainWindowUi;
class ComparisonResults;
class PanePair;
class ResultsReport;
class StatisticsWindow;
class ApparatusWindow;
class FindBar;
class ScrollCoupling;
class ChapterWindow;
class SourceList;
class ResultPane;
class StickyHeading;
class UserMessages;
class WindowRun;
class WindowSettings;
struct EditionDescriptor;

// The main window: edition choosers, the comparison controls, the two result
// panes and the two source lists.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `messages`: how this window and those it opens speak to the user; null
    // for message boxes and dialogs, the window's own. Given, it outlives the window.
    explicit MainWindow(std::string programDir, UserMessages* messages = nullptr);
    // An installed copy reads its own files in one place and keeps the user's in others.
    explicit MainWindow(ProgramFolders folders, UserMessages* messages = nullptr);
    ~MainWindow() override;

    // The creation steps; false when start-up was cancelled and the program ends.
    bool Start();
    void SetChapterWindow(ChapterWindow* chapterWindow);
    ChapterWindow* Chapters() const { return chapterWindow_; }

    // Owned components in creation order, the order language files are applied in.
    QList<QObject*> Components() const;
    const std::string& ProgramDir() const { return programDir_; }
    // The interface language, shared with the windows this one opens.
    InterfaceLanguage& Language() { return language_; }
    // How the windows speak to the user, shared like the language.
    UserMessages& Messages() const { return *messages_; }

    // Handlers, named for what they do.
    void Resized();
    void ToggleSourceTexts();
    void SourceAreaMoved();
    void Compare();
    void StopRun();
    void LeftEditionChosen();
    void RightEditionChosen();
    void ShowChapterWindow();
    // A pane's "Clear" (Ctrl+Del): after the user agrees, both panes, the
    // found count, the navigator and the saved result files are emptied.
    // Disabled while there is nothing to clear.
    void ClearResults();
    // View ▸ Aligned marking switched: the pairs shown are marked again at
    // once (not during a run, whose marking was settled as it began).
    void MarkingChosen();
    void RestoreResultPanes();
    void LeftPaneEntered();
    void RightPaneEntered();
    bool FillEditionLists();
    // Takes the four views to a chapter's heading line (the navigator's request).
    void GoToChapter(const std::string& label);

    // Search > "Next difference" (F7), "Previous difference" (Shift+F7): both
    // panes to the next reported pair; a beep past the last.
    void GoToDifference(bool forward);
    // The other views follow the panes to a unit: the source lists (when shown)
    // select its verse, the apparatus (when open) shows it.
    void FollowUnit(size_t unit);

    // Search > "Find…" (Ctrl+F) opens the find bar; "Find next" (F3) and
    // "Find previous" (Shift+F3) step through the matches in the source list
    // that has the focus or else in the results, both panes at the same height.
    void OpenFindBar();
    void FindStep(bool forward);
    // Search > "Go to reference…" (Ctrl+G) asks for a reference ("John 3:16",
    // "Jn 8", or "17:21" in the book in view) and goes there: both panes to the
    // first unit of its chapter at or after it, the source lists to the verse.
    // When the results have none there, the find bar says so; false then, and
    // for what is not a reference.
    void AskReference();
    bool GoToReference(const QString& typed);
    // The chapter window's counts and the statistics window follow the results.
    void ResultsChanged();
    // View > "Statistics…" (made on first use, kept).
    void ShowStatistics();
    StatisticsWindow* Statistics() const;
    // View > "Apparatus…" (made on first use, kept): the chapter in view,
    // collated over the catalogue's editions.
    void ShowApparatus();
    ApparatusWindow* Apparatus() const;
    // The apparatus reads with the comparison's spelling choice and positions.
    void SendApparatusOptions(ApparatusWindow& apparatus, const SpellingRules& rules);
    // The heading of the chapter at the top of the result panes, else of the
    // left source list; "" when neither shows one.
    std::string ChapterInView() const;
    FindBar& Finder() const;
    // The spelling rules of a run: the chosen groups' plus the user's
    // spelling.txt, whose bad lines are said when `sayProblems`.
    const SpellingList& LoadSpellingList(bool sayProblems = true);

    // Help > "Synopter Help" (F1): the handbook in a window of its own.
    void ShowHandbook();
    QString HandbookPath() const;

    // View > "Interface language".
    void ChooseInterfaceLanguage();
    // File > "Import edition": opens the import dialog (made on first use, kept).
    void ShowImportDialog();
    // After an import wrote `name`: the catalogue again, each chooser keeping its
    // edition; a side without one takes the new edition, a replaced one is reloaded.
    void EditionImported(const std::string& name);
    // File > "Remove edition…": asks which of the user's own editions (those
    // that came with the program stay) and whether to delete its two files,
    // then lists the catalogue again as after an import.
    void RemoveEdition();
    // Whether a run can start with the editions chosen; when not (no edition
    // on a side, or its text gone since it was chosen) the user is told why.
    bool ReadyToRun();
    // The notice over the result panes shows while the catalogue is empty; its
    // text names the program directory where the language gives %1.
    void UpdateNoEditionsNotice();
    // The choosers' hints, the spelling chooser's items and the names screen
    // readers say, in the interface language.
    void TranslateSpokenNames();
    // The bar over the panes saying the last run was stopped, and where.
    void UpdateStoppedNotice();

    // The controls tests and tools reach; the rest are found by object name.
    QComboBox* Chooser(Side side) const;
    ResultPane* Pane(Side side) const;
    SourceList* List(Side side) const;
    QPushButton* CompareButton() const;
    QPushButton* StopButton() const;
    QPushButton* ChapterButton() const;
    QLabel* FoundCountLabel() const;
    QSpinBox* ThresholdBox() const;
    QCheckBox* ScrollBothBox() const;
    QCheckBox* ExactPositionsBox() const;
    QProgressBar* ProgressBar() const;
    QAction* SourceTextsAction() const;
    PanePair& Panes() const { return *panes_; }
    // The results of the last run, or those restored at start-up.
    const ComparisonResults& Results() const { return *results_; }
    // The editions loaded on each side; the source lists show them.
    const LoadedEdition& Edition(Side side) const { return editions_[side == Side::Left ? 0 : 1]; }
    void SetEdition(Side side, LoadedEdition edition);
    // File > "Export results…", "Print…", "Export as PDF…".
    ResultsReport& Report() const { return *report_; }
    // What the report says of the results in the panes: the editions, threshold
    // and "Exact positions" of the run that made them, and its date.
    const html::ReportFacts& ResultFacts() const { return resultFacts_; }

    // How often a run lets events in and shows its pairs (see WindowRun).
    void SetRunSlices(int eventsMs, int showingMs);

    int SourceAreaHeight() const;
    void SetSourceAreaHeight(int height);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Connect();
    void LoadSide(Side side);
    // The right chooser's hint: the edition's information and, for a
    // manuscript, its extent and hand.
    void HintRightEdition(const EditionDescriptor& descriptor, const std::string& folder, const std::string& name);
    // Each manuscript's item in the choosers shows its extent and hand, in the
    // language in force (main_window_editions.cpp).
    void MarkWitnesses();
    // The catalogue again after `changed` was written or deleted: each chooser
    // keeps its edition while it is listed, else takes `fallback` (may be
    // empty); a side that showed `changed` loads it anew.
    void RefillEditionLists(const QString& changed, const QString& fallback);
    // Editions written or removed by another program (synopter-import in a
    // terminal) reach the choosers without a restart.
    void WatchEditionFolders();
    void EditionFoldersChanged();
    // Runs a handler; an error escaping it is shown like the platform's error report.
    void Guarded(const std::function<void()>& handler);

    // The start-up language step (main_window_language.cpp), the scroll hooks' start
    // and the settings' writing at close.
    bool StartupLanguageStep();
    void ReportLanguageProblem(const std::string& problem);
    void InstallScrollHooks();
    void WriteSettingsAtClose();
    // Whether the panes or the model hold anything "Clear" would take away.
    bool HasResults() const;
    void EnableClear(bool enabled);
    // The choosers, threshold, "Exact positions" and spelling set to the record
    // of the restored results: they are what those results mean.
    void ChooseAsRecorded(const html::ReportFacts& record);
    // The report's facts from the choosers and options as they stand.
    html::ReportFacts FactsNow(const QDateTime& when) const;

    std::unique_ptr<UserMessages> ownMessages_;
    UserMessages* messages_;
    std::unique_ptr<MainWindowUi> ui_;
    std::unique_ptr<ScrollCoupling> scrolling_;
    ProgramFolders folders_;
    std::string programDir_; // the program's own files
    InterfaceLanguage language_;
    ChapterWindow* chapterWindow_ = nullptr;
    std::array<LoadedEdition, 2> editions_;
    std::unique_ptr<ComparisonResults> results_;
    std::unique_ptr<PanePair> panes_;
    std::unique_ptr<WindowRun> run_;
    std::unique_ptr<WindowSettings> settings_;
    std::unique_ptr<ResultsReport> report_;
    SpellingList spellingList_;
    html::ReportFacts resultFacts_;
    bool firstShow_ = true;
    QTimer* editionsSettled_ = nullptr; // a folder's changes taken together, once they pause
    // The view a search goes to: the last of panes and source lists to have the focus.
    QWidget* searchedView_ = nullptr;
    // A pane key being delivered to its own pane before the partner follows.
    bool keyInPane_ = false;
    // Last, so that they end first: they read the results and the panes.
    std::vector<std::unique_ptr<StickyHeading>> stickyHeadings_;
};

} // namespace synopter
