#pragma once

#include "compare/spelling_groups.h"

#include <QList>
#include <QString>

#include <vector>

class QColor;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMainWindow;
class QObject;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QWidget;

namespace synopter {

class FindBar;

class SourceList;
class Panel;
class ResultPane;

// The main window's controls, built in creation order and placed by layouts. Each member is named for its role; its object name, the key
// language files address, is the one of the same name in main_window_names.h.
struct MainWindowUi {
    // Creates every control on `window`; nothing is connected to the window's
    // handlers here.
    void Setup(QMainWindow* window);

    // Owned components in creation order, the order language files are applied in.
    QList<QObject*> Components() const;

    // The height of the source area under the result panes (the splitter's lower part).
    int SourceAreaHeight() const;
    void SetSourceAreaHeight(int height);
    // Whether a source area that high still leaves the panes their few lines.
    bool LeavesPanesReadable(int sourceHeight) const;
    static constexpr int kReadableLines = 3;
    // The spelling rule groups checked in View ▸ Spelling rules.
    SpellingGroups ChosenSpellingGroups() const;

    QWidget* central = nullptr;
    QMenuBar* menuBar = nullptr;
    QComboBox* leftChooser = nullptr;
    QComboBox* rightChooser = nullptr;
    QPushButton* compareButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* chapterButton = nullptr;
    QLabel* foundCount = nullptr;
    QLabel* thresholdLabel = nullptr;
    QLabel* foundLabel = nullptr;
    QSpinBox* thresholdBox = nullptr;
    QCheckBox* scrollBothBox = nullptr;
    QCheckBox* exactPositionsBox = nullptr;
    QLabel* spellingLabel = nullptr;       // "Spelling variants:"
    QComboBox* spellingChooser = nullptr; // count / mark / ignore
    QProgressBar* progressBar = nullptr;
    Panel* topBar = nullptr;
    Panel* bottomBar = nullptr;
    Panel* workArea = nullptr;
    Panel* leftPaneFrame = nullptr;
    Panel* rightPaneFrame = nullptr;
    Panel* paneArea = nullptr;
    Panel* sourceArea = nullptr;
    Panel* noEditionsNotice = nullptr; // the notice shown when there is no edition
    QLabel* noEditionsText = nullptr;
    Panel* stoppedNotice = nullptr; // the bar saying a run was stopped
    QLabel* stoppedText = nullptr;
    QPushButton* noticeImportButton = nullptr;
    QSplitter* splitter = nullptr;
    ResultPane* leftPane = nullptr;
    ResultPane* rightPane = nullptr;
    SourceList* leftList = nullptr;
    SourceList* rightList = nullptr;
    QMenu* leftPaneMenu = nullptr;
    QMenu* rightPaneMenu = nullptr;
    QAction* clearLeftAction = nullptr;
    QAction* copyLeftAction = nullptr;
    QAction* clearRightAction = nullptr;
    QAction* copyRightAction = nullptr;
    QAction* fileMenu = nullptr;
    QAction* importAction = nullptr;
    QAction* removeAction = nullptr;
    QAction* exportAction = nullptr;
    QAction* printAction = nullptr;
    QAction* exportPdfAction = nullptr;
    QAction* quitAction = nullptr;
    QAction* searchMenu = nullptr;
    QAction* findAction = nullptr;
    QAction* findNextAction = nullptr;
    QAction* findPreviousAction = nullptr;
    QAction* gotoReferenceAction = nullptr;
    QAction* statisticsAction = nullptr;
    QAction* apparatusAction = nullptr;
    FindBar* findBar = nullptr; // the find bar
    QAction* nextDifferenceAction = nullptr;
    QAction* previousDifferenceAction = nullptr;
    QAction* viewMenu = nullptr;
    QAction* sourceTextsAction = nullptr;
    QAction* alignedMarkingAction = nullptr; // checkable: WordMarking::Aligned
    QAction* spellingRulesMenu = nullptr;
    QMenu* spellingRulesPopup = nullptr;
    std::vector<QAction*> spellingRuleActions; // in the order of SpellingGroupList(); data(): the group's name
    QAction* languageAction = nullptr;
    QAction* helpMenu = nullptr;
    QAction* helpAction = nullptr;
    QAction* aboutAction = nullptr;

private:
    void BuildTopBar();
    void BuildBottomBar();
    void LayOutBottomBar();
    void BuildWorkArea();
    void BuildMenus(QMainWindow* window);
    void BuildSpellingRulesMenu(QMenu* view);
    void NameForAssistiveTechnology();
    void BuildNoEditionsNotice();
    void BuildStoppedNotice();
    // A panel in its own background colour, for a notice over the work area.
    static Panel* NoticePanel(const char* name, QWidget* parent, const QColor& background);
    void SetTabOrder();
};

} // namespace synopter
