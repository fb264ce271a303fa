#include "app/main_window.h"

#include "app/main_window_names.h"
#include "app/main_window_ui.h"
#include "compare/result_model.h"
#include "compare/result_record.h"
#include "app/help_window.h"
#include "find/ui/find_bar.h"
#include "app/results_report.h"
#include "app/scroll_coupling.h"
#include "app/window_run.h"
#include "app/window_settings.h"

#include "chapters/ui/chapter_window.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/program_files.h"
#include "common/ui/panel.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "compare/result_set.h"
#include "compare/ui/pane_pair.h"
#include "common/ui/view_widths.h"
#include "compare/ui/result_pane.h"
#include "compare/ui/sticky_heading.h"
#include "editions/ui/source_list.h"
#include "import/ui/import_dialog.h"
#include "import/ui/import_dialog_names.h"
#include "language/ui/translate_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QMenu>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QSplitter>

namespace synopter {

MainWindow::MainWindow(std::string programDir, UserMessages* messages)
    : MainWindow(PortableFolders(programDir), messages)
{
}

MainWindow::MainWindow(ProgramFolders folders, UserMessages* messages)
    : ownMessages_(messages ? nullptr : std::make_unique<DialogMessages>(this)),
      messages_(messages ? messages : ownMessages_.get()), ui_(std::make_unique<MainWindowUi>()),
      folders_(std::move(folders)), programDir_(folders_.files),
      language_(programDir_, folders_.settings)
{
    ui_->Setup(this);
    Connect();
    scrolling_ = std::make_unique<ScrollCoupling>(ui_->leftPane, ui_->rightPane, ui_->leftList, ui_->rightList,
                                                  ui_->scrollBothBox);

    results_ = std::make_unique<ComparisonResults>(folders_.user);
    panes_ = std::make_unique<PanePair>(
        ui_->leftPane, ui_->rightPane, ui_->leftPaneFrame,
        [this](int width) { ui_->paneArea->SetAlignedWidth(ui_->leftPaneFrame, width); }, *results_);
    for (ResultPane* pane : {ui_->leftPane, ui_->rightPane})
        stickyHeadings_.push_back(std::make_unique<StickyHeading>(pane, [this]() -> std::string {
            if (results_->Count() == 0)
                return {};
            const size_t top = panes_->TopUnit();
            return top < results_->Count() && !results_->IsHeading(top) ? results_->HeadingAtOrAbove(top) : std::string();
        }));
    run_ = std::make_unique<WindowRun>(
        WindowRun::Controls{ui_->leftChooser, ui_->rightChooser, ui_->thresholdBox, ui_->exactPositionsBox, ui_->spellingChooser,
                            ui_->compareButton, ui_->stopButton,
                            ui_->foundCount, ui_->progressBar, ui_->leftPane, ui_->rightPane, ui_->spellingRulesPopup},
        editions_, *results_, *panes_, *messages_);
    run_->started = [this] {
        resultFacts_ = FactsNow(QDateTime::currentDateTime());
        EnableClear(false);
    };
    run_->record = [this] { return WriteResultRecord(resultFacts_); };
    run_->spellingRules = [this] { return &LoadSpellingList().rules; };
    run_->aligned = [this] { return ui_->alignedMarkingAction->isChecked(); };
    report_ = std::make_unique<ResultsReport>(this, *results_, [this] { return resultFacts_; }, *messages_);
    // Read when shown, so that they follow a change of language.
    const auto texts = [this](const char* key, const QString& english) {
        return ReadWindowTexts(language_, main_window_names::window)(key, english);
    };
    run_->texts = texts;
    report_->texts = texts;
    settings_ = std::make_unique<WindowSettings>(
        *this,
        WindowSettings::Controls{ui_->thresholdBox, ui_->leftChooser, ui_->rightChooser, ui_->scrollBothBox, ui_->sourceTextsAction,
                                 [this]() -> QWidget* { return Chapters(); }, ui_->spellingChooser,
                                 ui_->spellingRuleActions, ui_->alignedMarkingAction,
                                 [this] { return results_->Count() > 0 ? panes_->TopUnit() : size_t(0); },
                                 ui_->foundCount},
        WindowSettings::SourceArea{[this] { return SourceAreaHeight(); },
                                   [this](int height) { SetSourceAreaHeight(height); },
                                   [this] { ToggleSourceTexts(); },
                                   [this](int height) { return ui_->LeavesPanesReadable(height); }},
        folders_.settings, language_);
}

MainWindow::~MainWindow()
{
    // Deleting the children moves the focus, and by then this is no MainWindow.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void MainWindow::Connect()
{
    connect(ui_->leftChooser, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { LeftEditionChosen(); }); });
    connect(ui_->rightChooser, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { RightEditionChosen(); }); });
    connect(ui_->compareButton, &QPushButton::clicked, this, [this] { Guarded([this] { Compare(); }); });
    connect(ui_->stopButton, &QPushButton::clicked, this, [this] { StopRun(); });
    connect(ui_->chapterButton, &QPushButton::clicked, this, [this] { Guarded([this] { ShowChapterWindow(); }); });
    ui_->leftPane->installEventFilter(this);
    ui_->rightPane->installEventFilter(this);
    connect(ui_->leftPane, &ResultPane::Entered, this, [this] { LeftPaneEntered(); });
    connect(ui_->rightPane, &ResultPane::Entered, this, [this] { RightPaneEntered(); });
    for (QAction* clear : {ui_->clearLeftAction, ui_->clearRightAction})
        connect(clear, &QAction::triggered, this, [this] { Guarded([this] { ClearResults(); }); });
    connect(ui_->splitter, &QSplitter::splitterMoved, this, [this] { Guarded([this] { SourceAreaMoved(); }); });
    connect(ui_->importAction, &QAction::triggered, this, [this] { Guarded([this] { ShowImportDialog(); }); });
    connect(ui_->removeAction, &QAction::triggered, this, [this] { Guarded([this] { RemoveEdition(); }); });
    // The handler flips the mark itself, so the action's own toggling is undone first.
    connect(ui_->sourceTextsAction, &QAction::triggered, this, [this] {
        ui_->sourceTextsAction->setChecked(!ui_->sourceTextsAction->isChecked());
        Guarded([this] { ToggleSourceTexts(); });
    });
    connect(ui_->languageAction, &QAction::triggered, this,
            [this] { Guarded([this] { ChooseInterfaceLanguage(); }); });
    connect(ui_->exportAction, &QAction::triggered, this, [this] { Guarded([this] { report_->ExportHtml(); }); });
    connect(ui_->printAction, &QAction::triggered, this, [this] { Guarded([this] { report_->Print(); }); });
    connect(ui_->exportPdfAction, &QAction::triggered, this, [this] { Guarded([this] { report_->ExportPdf(); }); });
    connect(ui_->findAction, &QAction::triggered, this, [this] { OpenFindBar(); });
    connect(ui_->findNextAction, &QAction::triggered, this, [this] { Guarded([this] { FindStep(true); }); });
    connect(ui_->findPreviousAction, &QAction::triggered, this, [this] { Guarded([this] { FindStep(false); }); });
    connect(ui_->gotoReferenceAction, &QAction::triggered, this, [this] { Guarded([this] { AskReference(); }); });
    connect(ui_->findBar, &FindBar::findNext, this, [this] { Guarded([this] { FindStep(true); }); });
    connect(ui_->findBar, &FindBar::findPrevious, this, [this] { Guarded([this] { FindStep(false); }); });
    connect(ui_->statisticsAction, &QAction::triggered, this, [this] { Guarded([this] { ShowStatistics(); }); });
    connect(ui_->apparatusAction, &QAction::triggered, this, [this] { Guarded([this] { ShowApparatus(); }); });
    // The apparatus is read with the comparison's spelling and positions.
    const auto optionsChanged = [this] {
        if (ApparatusWindow* apparatus = Apparatus())
            Guarded([&] { SendApparatusOptions(*apparatus, spellingList_.rules); });
    };
    connect(ui_->spellingChooser, &QComboBox::currentIndexChanged, this, optionsChanged);
    connect(ui_->exactPositionsBox, &QCheckBox::toggled, this, optionsChanged);
    // A group switched on or off holds for the Editions page and the apparatus
    // at once, as for the next run (the menu is disabled during one).
    for (QAction* item : ui_->spellingRuleActions)
        connect(item, &QAction::toggled, this, [this, optionsChanged] {
            LoadSpellingList(false);
            optionsChanged();
        });
    connect(ui_->alignedMarkingAction, &QAction::toggled, this, [this] { Guarded([this] { MarkingChosen(); }); });
    // A search goes where the user was reading: a source list or the panes.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (QWidget* view : {static_cast<QWidget*>(ui_->leftPane), static_cast<QWidget*>(ui_->rightPane),
                              static_cast<QWidget*>(ui_->leftList), static_cast<QWidget*>(ui_->rightList)})
            if (now == view)
                searchedView_ = view;
    });
    connect(ui_->nextDifferenceAction, &QAction::triggered, this, [this] { GoToDifference(true); });
    connect(ui_->previousDifferenceAction, &QAction::triggered, this, [this] { GoToDifference(false); });
    connect(ui_->quitAction, &QAction::triggered, this, &QWidget::close);
    connect(ui_->helpAction, &QAction::triggered, this, [this] { Guarded([this] { ShowHandbook(); }); });
    connect(ui_->aboutAction, &QAction::triggered, this, [this] {
        QMessageBox::about(this, ui_->aboutAction->text().remove('&'), AboutText());
    });
    connect(ui_->noticeImportButton, &QPushButton::clicked, this, [this] { Guarded([this] { ShowImportDialog(); }); });
    ui_->paneArea->installEventFilter(this);
}

QList<QObject*> MainWindow::Components() const
{
    return ui_->Components();
}

void MainWindow::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        messages_->Show(FromLocal8Bit(e.what()), MessageKind::Error);
    }
}

bool MainWindow::Start()
{
    // Leftovers of saves cut short by a kill or a power loss.
    RemoveStrayTemporaries(SettingsPath(folders_.settings));
    RecoverResultSet(folders_.user, ComparisonResults::FileNames());
    // Cancelled: the program ends. A failure (the choice could not be stored)
    // is shown and the creation goes on, so the window never keeps its
    // design-time items.
    bool cancelled = false;
    bool stepFailed = true;
    Guarded([&] {
        cancelled = !StartupLanguageStep();
        stepFailed = false;
    });
    if (cancelled)
        return false;
    QCoreApplication::processEvents();
    InstallScrollHooks();
    FillEditionLists();
    WatchEditionFolders();
    settings_->Read();
    // A file the language step could not write has been named already.
    if (!settings_->ReadProblem().empty() && !stepFailed)
        messages_->Show(FromLocal8Bit(settings_->ReadProblem()) + "\n" +
                            ReadWindowTexts(language_, main_window_names::window)(
                                "Form1_usualsettings", "The window starts with its usual settings."),
                        MessageKind::Warning);
    Guarded([this] { LeftEditionChosen(); });
    Guarded([this] { RightEditionChosen(); });
    Resized();
    ui_->compareButton->setFocus();
    return true;
}

QComboBox* MainWindow::Chooser(Side side) const { return side == Side::Left ? ui_->leftChooser : ui_->rightChooser; }
ResultPane* MainWindow::Pane(Side side) const { return side == Side::Left ? ui_->leftPane : ui_->rightPane; }
SourceList* MainWindow::List(Side side) const { return side == Side::Left ? ui_->leftList : ui_->rightList; }
QPushButton* MainWindow::CompareButton() const { return ui_->compareButton; }
QPushButton* MainWindow::StopButton() const { return ui_->stopButton; }
QPushButton* MainWindow::ChapterButton() const { return ui_->chapterButton; }
QLabel* MainWindow::FoundCountLabel() const { return ui_->foundCount; }
QSpinBox* MainWindow::ThresholdBox() const { return ui_->thresholdBox; }
QCheckBox* MainWindow::ScrollBothBox() const { return ui_->scrollBothBox; }
QCheckBox* MainWindow::ExactPositionsBox() const { return ui_->exactPositionsBox; }
QProgressBar* MainWindow::ProgressBar() const { return ui_->progressBar; }
QAction* MainWindow::SourceTextsAction() const { return ui_->sourceTextsAction; }

int MainWindow::SourceAreaHeight() const
{
    return ui_->SourceAreaHeight();
}

void MainWindow::SetSourceAreaHeight(int height)
{
    ui_->SetSourceAreaHeight(height);
}

void MainWindow::Resized()
{
    // Widths measured before the first showing are not laid out yet; the
    // showing itself runs this again.
    if (!isVisible())
        return;
    panes_->BalancePaneWidths();

    BalanceWidths(ui_->leftList, ui_->rightList, ui_->leftList,
                  [this](int width) { ui_->sourceArea->SetAlignedWidth(ui_->leftList, width); });

    ui_->leftPane->viewport()->update();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The panels follow the window synchronously only once it is shown.
    centralWidget()->layout()->activate();
    Resized();
    // A change of window state (maximized and back) lays the panels out once
    // more after this; the panes are balanced again when it has.
    QTimer::singleShot(0, this, [this] { Resized(); });
}

void MainWindow::ToggleSourceTexts()
{
    ui_->sourceTextsAction->setChecked(!ui_->sourceTextsAction->isChecked());
    ui_->sourceArea->setVisible(ui_->sourceTextsAction->isChecked());
    if (ui_->sourceArea->isVisibleTo(this))
        SetSourceAreaHeight(100);
    ui_->rightPane->viewport()->update();
    ui_->leftPane->viewport()->update();
}

void MainWindow::SourceAreaMoved()
{
    // A drag that would leave the source texts 30 pixels high or less hides them.
    if (ui_->sourceArea->isVisibleTo(this) && SourceAreaHeight() <= 30) {
        SetSourceAreaHeight(0);
        ToggleSourceTexts();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->paneArea && event->type() == QEvent::Resize)
        ui_->noEditionsNotice->setGeometry(ui_->paneArea->rect());
    if ((watched == ui_->leftPane || watched == ui_->rightPane) && event->type() == QEvent::KeyPress &&
        !keyInPane_) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_End:
        case Qt::Key_Home:
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down: {
            // The left pane leads the right one whatever "Scroll Both" says; the
            // right one leads only with it. The partner follows by view, never by
            // its own caret, which a run leaves at the end.
            const Side side = watched == ui_->leftPane ? Side::Left : Side::Right;
            if (side == Side::Right && !ui_->scrollBothBox->isChecked())
                break;
            keyInPane_ = true;
            QCoreApplication::sendEvent(watched, event);
            keyInPane_ = false;
            scrolling_->FollowPane(side);
            return true;
        }
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::LeftPaneEntered()
{
    if (ui_->compareButton->isHidden())
        ui_->chapterButton->setFocus();
}

void MainWindow::RightPaneEntered()
{
    if (ui_->compareButton->isHidden())
        ui_->chapterButton->setFocus();
}

void MainWindow::InstallScrollHooks()
{
    scrolling_->Install(this);
}

void MainWindow::SetChapterWindow(ChapterWindow* chapterWindow)
{
    chapterWindow_ = chapterWindow;
    run_->SetChapterWindow(chapterWindow);
}

void MainWindow::WriteSettingsAtClose()
{
    try {
        settings_->Write();
    } catch (const WriteError& e) {
        messages_->Show(FromLocal8Bit(e.what()) + "\n" + FromLocal8Bit(e.reason()), MessageKind::Error);
    }
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    Resized();
    RestoreResultPanes();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A run in progress ends at its next step; its partial results are saved.
    run_->Stop();
    // An import in progress is stopped; nothing of it is written.
    if (auto* dialog = findChild<ImportDialog*>(import_dialog_names::window, Qt::FindDirectChildrenOnly))
        dialog->close();
    Guarded([this] { WriteSettingsAtClose(); });
    if (chapterWindow_)
        chapterWindow_->hide();
    event->accept();
}

} // namespace synopter
