#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/help_window.h"
#include "compare/result_summary.h"
#include "compare/spelling_rules.h"
#include "find/result_find.h"
#include "find/ui/find_bar.h"
#include "statistics/ui/statistics_window.h"
#include "statistics/ui/statistics_window_names.h"
#include "collate/ui/apparatus_window.h"
#include "collate/ui/apparatus_window_names.h"
#include "app/results_report.h"
#include "app/scroll_coupling.h"
#include "app/window_run.h"
#include "app/window_settings.h"

#include "chapters/ui/chapter_window.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/greek_letters.h"
#include "common/program_files.h"
#include "common/ui/hints.h"
#include "common/ui/panel.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "compare/result_set.h"
#include "compare/ui/pane_pair.h"
#include "common/ui/view_widths.h"
#include "compare/ui/result_pane.h"
#include "editions/edition.h"
#include "editions/edition_check.h"
#include "editions/edition_lines.h"
#include "editions/ui/source_list.h"
#include "import/ui/import_dialog.h"
#include "import/ui/import_dialog_names.h"
#include "language/ui/translate_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
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

    panes_ = std::make_unique<PanePair>(
        ui_->leftPane, ui_->rightPane, ui_->leftPaneFrame,
        [this](int width) { ui_->paneArea->SetAlignedWidth(ui_->leftPaneFrame, width); }, folders_.user);
    run_ = std::make_unique<WindowRun>(
        WindowRun::Controls{ui_->leftChooser, ui_->rightChooser, ui_->thresholdBox, ui_->exactPositionsBox, ui_->spellingChooser,
                            ui_->compareButton, ui_->stopButton,
                            ui_->foundCount, ui_->progressBar, ui_->leftPane, ui_->rightPane, ui_->leftList,
                            ui_->rightList},
        *panes_, *messages_);
    run_->started = [this] { resultFacts_ = FactsNow(QDateTime::currentDateTime()); };
    run_->record = [this] { return WriteResultRecord(resultFacts_); };
    run_->spellingRules = [this] { return &LoadSpellingList().rules; };
    report_ = std::make_unique<ResultsReport>(this, *panes_, [this] { return resultFacts_; }, *messages_);
    settings_ = std::make_unique<WindowSettings>(
        *this,
        WindowSettings::Controls{ui_->thresholdBox, ui_->leftChooser, ui_->rightChooser, ui_->scrollBothBox, ui_->sourceTextsAction,
                                 [this]() -> QWidget* { return Chapters(); }, ui_->spellingChooser},
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
    connect(ui_->splitter, &QSplitter::splitterMoved, this, [this] { Guarded([this] { SourceAreaMoved(); }); });
    connect(ui_->importAction, &QAction::triggered, this, [this] { Guarded([this] { ShowImportDialog(); }); });
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

namespace {

// A notice's label holds the language's text with a %1; a translation puts
// that text back, so it is kept aside each time and the value filled in.
void FillPattern(QLabel* label, const QString& value)
{
    if (label->text().contains("%1"))
        label->setProperty("pattern", label->text());
    const QString pattern = label->property("pattern").toString();
    if (!pattern.isEmpty())
        label->setText(pattern.arg(value));
}

} // namespace

void MainWindow::UpdateNoEditionsNotice()
{
    QString dir = QDir::toNativeSeparators(FromLocal8Bit(folders_.user));
    if (dir.size() > 1 && dir.endsWith(QDir::separator()))
        dir.chop(1);
    FillPattern(ui_->noEditionsText, dir);
    const bool empty = ui_->leftChooser->count() == 0;
    if (empty) {
        ui_->noEditionsNotice->setGeometry(ui_->paneArea->rect());
        ui_->noEditionsNotice->raise();
    }
    ui_->noEditionsNotice->setVisible(empty);
}

void MainWindow::ShowImportDialog()
{
    // A run reads the loaded lines; the catalogue is refilled after an import.
    if (run_->Running())
        return;
    auto* dialog = findChild<ImportDialog*>(import_dialog_names::window, Qt::FindDirectChildrenOnly);
    if (!dialog) {
        dialog = new ImportDialog(folders_.user, language_, *messages_, this);
        connect(dialog, &ImportDialog::EditionWritten, this,
                [this](const QString& name) { Guarded([&] { EditionImported(ToLatin1(name)); }); });
    }
    dialog->Translate();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void MainWindow::EditionImported(const std::string& name)
{
    const QString added = FromLatin1(name);
    const QString was[] = {ui_->leftChooser->currentText(), ui_->rightChooser->currentText()};
    FillEditionLists();
    QComboBox* choosers[] = {ui_->leftChooser, ui_->rightChooser};
    for (int side = 0; side < 2; ++side) {
        QComboBox* chooser = choosers[side];
        const int kept = was[side].isEmpty() ? -1 : chooser->findText(was[side]);
        {
            const QSignalBlocker quiet(chooser);
            chooser->setCurrentIndex(kept >= 0 ? kept : chooser->findText(added));
        }
        // A side still showing its edition keeps what it has loaded, unless
        // the import has just replaced that edition.
        if (kept < 0 || was[side] == added)
            Guarded([&] { LoadSide(side == 0 ? Side::Left : Side::Right); });
    }
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
    RecoverResultSet(folders_.user, panes_->FileNames());
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
    settings_->Read();
    // A file the language step could not write has been named already.
    if (!settings_->ReadProblem().empty() && !stepFailed)
        messages_->Show(FromLocal8Bit(settings_->ReadProblem()) + "\nThe window starts with its usual settings.",
                        MessageKind::Warning);
    Guarded([this] { LeftEditionChosen(); });
    Guarded([this] { RightEditionChosen(); });
    Resized();
    ui_->compareButton->setFocus();
    return true;
}

bool MainWindow::FillEditionLists()
{
    const QSignalBlocker b1(ui_->leftChooser);
    const QSignalBlocker b2(ui_->rightChooser);
    ui_->leftChooser->clear();
    ui_->rightChooser->clear();
    const std::vector<std::string> names = ListEditions(folders_.EditionFolders());
    for (const std::string& name : names) {
        const QString text = FromLatin1(name);
        ui_->leftChooser->addItem(text);
        ui_->rightChooser->addItem(text);
    }
    ui_->leftChooser->setCurrentIndex(-1);
    ui_->rightChooser->setCurrentIndex(-1);
    UpdateNoEditionsNotice();
    return !names.empty();
}

void MainWindow::LeftEditionChosen()
{
    LoadSide(Side::Left);
}

void MainWindow::RightEditionChosen()
{
    LoadSide(Side::Right);
}

void MainWindow::LoadSide(Side side)
{
    const bool left = side == Side::Left;
    ResultPane* pane = left ? ui_->leftPane : ui_->rightPane;
    SourceList* list = left ? ui_->leftList : ui_->rightList;
    QComboBox* chooser = left ? ui_->leftChooser : ui_->rightChooser;

    pane->Clear();
    list->Clear();
    const std::string name = ToLatin1(chooser->currentText());
    if (name.empty())
        return;
    const std::string folder = EditionFolder(folders_.EditionFolders(), name);
    const std::string textPath = EditionTextPath(folder, name);
    if (!FileExists(textPath))
        return;
    const EditionDescriptor descriptor = ReadEditionDescriptor(EditionDescriptorPath(folder, name));
    if (!descriptor.problem.empty())
        messages_->Show(FromLocal8Bit(descriptor.problem), MessageKind::Warning);
    if (!left) {
        // Imported editions carry UTF-8 titles; older descriptors are Latin-1.
        const QString information = FromUtf8(ToUtf8(descriptor.information));
        SetHint(ui_->rightChooser, information, HintShown::AsLastingTooltip);
        // Shown as written: markup in a descriptor is never interpreted.
        ui_->rightChooser->setToolTip(PlainToolTip(information));
    }
    if (descriptor.fontFace && !descriptor.fontFace->empty()) {
        QFont f = pane->font();
        f.setFamily(FromLatin1(*descriptor.fontFace));
        pane->setFont(f);
    }
    QFont listFont = list->font();
    listFont.setFamily(pane->font().family());
    list->setFont(listFont);

    if (auto lines = LoadEditionText(textPath))
        list->SetLines(std::move(*lines));
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

void MainWindow::ShowChapterWindow()
{
    if (!chapterWindow_)
        return;
    if (!chapterWindow_->isVisible())
        chapterWindow_->show();
    chapterWindow_->raise();
    chapterWindow_->activateWindow();
}

void MainWindow::GoToChapter(const std::string& label)
{
    panes_->Flush(); // restored results still being shown are needed whole
    const QString text = FromLatin1(label);
    for (ResultPane* pane : {ui_->leftPane, ui_->rightPane}) {
        const int line = pane->LastLineEqualTo(text);
        if (line >= 0)
            pane->ScrollToLine(line);
    }
    for (SourceList* list : {ui_->leftList, ui_->rightList}) {
        const std::vector<std::string>& lines = list->Lines();
        for (size_t i = lines.size(); i-- > 0;) {
            if (lines[i] == label) {
                list->SetTopIndex(int(i));
                break;
            }
        }
    }
    if (ApparatusWindow* apparatus = Apparatus())
        apparatus->ShowChapter(label);
}

std::string MainWindow::ChapterInView() const
{
    panes_->Flush(); // restored results still being shown are needed whole
    if (panes_->UnitCount() > 0) {
        for (size_t i = std::min(panes_->TopUnit(), panes_->UnitCount() - 1) + 1; i-- > 0;) {
            if (!panes_->IsHeading(i))
                continue;
            std::string label;
            for (const rtf::Span& span : panes_->UnitText(i, 0))
                label += span.text;
            return label;
        }
    }
    const std::vector<std::string>& lines = ui_->leftList->Lines();
    if (lines.empty())
        return {};
    for (size_t i = std::min(size_t(std::max(0, ui_->leftList->TopIndex())), lines.size() - 1) + 1; i-- > 0;)
        if (IsHeadingLine(lines[i]))
            return lines[i];
    return {};
}

void MainWindow::GoToDifference(bool forward)
{
    if (const std::optional<size_t> unit = panes_->NextPair(forward))
        panes_->GoToUnit(*unit);
    else
        QApplication::beep();
}

void MainWindow::OpenFindBar()
{
    ui_->findBar->Open();
}

namespace {

FindUnit UnitOfLine(const std::string& line)
{
    return {IsHeadingLine(line), line, line};
}

PanePair::Ranges RangesOf(const std::vector<ByteRange>& ranges)
{
    PanePair::Ranges out;
    for (const ByteRange& r : ranges)
        out.emplace_back(r.begin, r.end);
    return out;
}

} // namespace

void MainWindow::FindStep(bool forward)
{
    FindBar* bar = ui_->findBar;
    if (bar->Text().trimmed().isEmpty()) {
        bar->Open();
        return;
    }
    const FindQuery query = QueryOf(bar->Text());
    const FindDirection direction = forward ? FindDirection::Forward : FindDirection::Backward;

    if (auto* list = qobject_cast<SourceList*>(searchedView_)) {
        const std::vector<std::string>& lines = list->Lines();
        std::vector<FindUnit> units;
        units.reserve(lines.size());
        for (const std::string& line : lines)
            units.push_back(UnitOfLine(line));
        const QModelIndex current = list->currentIndex();
        const size_t from = current.isValid() ? size_t(current.row()) : SIZE_MAX;
        const std::optional<FindMatch> match = FindInUnits(query, units, from, direction);
        if (match) {
            list->setCurrentIndex(list->model()->index(int(match->unit), 0));
            list->SetTopIndex(int(match->unit));
        }
        bar->ShowOutcome(match, direction);
        return;
    }

    panes_->Flush(); // restored results still being shown are searched whole
    if (findGeneration_ != panes_->Generation()) {
        findGeneration_ = panes_->Generation();
        const size_t count = panes_->UnitCount();
        findTexts_.assign(2 * count, {});
        findUnits_.assign(count, {});
        for (size_t i = 0; i < count; ++i) {
            for (int side : {0, 1})
                for (const rtf::Span& span : panes_->UnitText(i, side))
                    findTexts_[2 * i + size_t(side)] += span.text;
            findUnits_[i] = {panes_->IsHeading(i), findTexts_[2 * i], findTexts_[2 * i + 1]};
        }
    }
    // From the marked unit while it is in view, else from the top of the panes.
    const size_t top = panes_->TopUnit();
    const std::optional<size_t> marked = panes_->MarkedUnit();
    size_t from = forward ? (top == 0 ? SIZE_MAX : top - 1) : top;
    if (marked && panes_->InView(*marked))
        from = *marked;
    const std::optional<FindMatch> match = FindInUnits(query, findUnits_, from, direction);
    if (match)
        panes_->GoToUnit(match->unit, RangesOf(match->left), RangesOf(match->right));
    bar->ShowOutcome(match, direction);
}

ResultSummary MainWindow::CurrentSummary() const
{
    SummaryBuilder builder;
    for (size_t i = 0; i < panes_->UnitCount(); ++i) {
        if (!panes_->IsHeading(i)) {
            builder.Pair();
            continue;
        }
        std::string label;
        for (const rtf::Span& span : panes_->UnitText(i, 0))
            label += span.text;
        builder.Heading(label);
    }
    return builder.Summary();
}

void MainWindow::ResultsChanged()
{
    const ResultSummary summary = CurrentSummary();
    if (chapterWindow_) {
        if (summary.books.empty())
            chapterWindow_->ClearCounts();
        else
            chapterWindow_->SetCounts(summary);
    }
    if (StatisticsWindow* statistics = Statistics())
        statistics->SetSummary(summary);
}

FindBar& MainWindow::Finder() const
{
    return *ui_->findBar;
}

StatisticsWindow* MainWindow::Statistics() const
{
    return findChild<StatisticsWindow*>(statistics_window_names::window, Qt::FindDirectChildrenOnly);
}

void MainWindow::ShowStatistics()
{
    StatisticsWindow* statistics = Statistics();
    if (!statistics) {
        statistics = new StatisticsWindow(this, language_);
        statistics->Translate();
        connect(statistics, &StatisticsWindow::chapterChosen, this,
                [this](const std::string& label) { Guarded([&] { GoToChapter(label); }); });
        statistics->SetSummary(CurrentSummary());
        // The Editions page collates the catalogue under the run's choices (and the last run's spelling rules).
        statistics->SetEditionsChoice([this] {
            return EditionsChoice{folders_.EditionFolders(),
                                  static_cast<SpellingMode>(std::max(0, ui_->spellingChooser->currentIndex())),
                                  &spellingList_.rules, ui_->exactPositionsBox->isChecked(),
                                  ui_->spellingChooser->currentText(), run_->Running()};
        });
    }
    statistics->show();
    statistics->raise();
    statistics->activateWindow();
}

ApparatusWindow* MainWindow::Apparatus() const
{
    return findChild<ApparatusWindow*>(apparatus_window_names::window, Qt::FindDirectChildrenOnly);
}

void MainWindow::SendApparatusOptions(ApparatusWindow& apparatus, const SpellingRules& rules)
{
    apparatus.SetOptions(static_cast<SpellingMode>(ui_->spellingChooser->currentIndex()), ui_->spellingChooser->currentText(),
                         ui_->exactPositionsBox->isChecked(), rules);
}

void MainWindow::ShowApparatus()
{
    ApparatusWindow* apparatus = Apparatus();
    if (!apparatus) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        apparatus = new ApparatusWindow(this, language_, *messages_,
                                        QDir(documents).exists() ? documents : QDir::homePath());
        apparatus->Translate();
    }
    const std::vector<std::string> folders = folders_.EditionFolders();
    apparatus->SetCatalogue(folders, ListEditions(folders), ToLatin1(ui_->leftChooser->currentText()));
    SendApparatusOptions(*apparatus, LoadSpellingList().rules);
    const std::string chapter = ChapterInView();
    if (!chapter.empty())
        apparatus->ShowChapter(chapter);
    apparatus->show();
    apparatus->raise();
    apparatus->activateWindow();
}

const SpellingList& MainWindow::LoadSpellingList()
{
    // Read for every run, so an edit of the file counts at the next run; its
    // bad lines are named and left out.
    spellingList_ = SpellingList{};
    const std::string path = folders_.user + std::string(kSpellingFileName);
    Guarded([&] {
        if (const std::optional<std::string> text = ReadFileBytes(path, kMaxSettingsFileBytes))
            spellingList_ = ReadSpellingList(*text);
    });
    if (!spellingList_.problems.empty()) {
        QString text = FromLocal8Bit(path) + ": these lines are left out:";
        for (const SpellingProblem& p : spellingList_.problems)
            text += QString("\nline %1: %2").arg(p.line).arg(FromUtf8(p.message));
        messages_->Show(text, MessageKind::Warning);
    }
    return spellingList_;
}

QString MainWindow::HandbookPath() const
{
    return FromLocal8Bit(programDir_) + "help/synopter.html";
}

void MainWindow::ShowHandbook()
{
    const QString path = HandbookPath();
    if (!QFileInfo(path).isFile()) {
        messages_->Show("The handbook is not installed: " + path, MessageKind::Warning);
        return;
    }
    auto* help = findChild<HelpWindow*>("HelpForm", Qt::FindDirectChildrenOnly);
    if (!help) {
        help = new HelpWindow(this, path);
        help->setWindowTitle(ui_->helpAction->text().remove('&'));
    }
    help->show();
    help->raise();
    help->activateWindow();
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

void MainWindow::RestoreResultPanes()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    panes_->BalancePaneWidths();
    if (CheckResultSet(folders_.user) == ResultSetState::Mixed) {
        // Panes of two runs side by side would pair verses never compared.
        if (chapterWindow_)
            chapterWindow_->ClearChapters();
        messages_->Show("The saved results (r1.rtf, r2.rtf, chapters.lst) are not all from the same comparison, "
                        "so none of them is shown.",
                        MessageKind::Warning);
        return;
    }
    // Each file on its own: one that cannot be read is reported and left out.
    rtf::Document left;
    rtf::Document right;
    Guarded([&] { left = ReadPaneFile(panes_->LeftPath()); });
    Guarded([&] { right = ReadPaneFile(panes_->RightPath()); });
    panes_->Show(left, right);
    // Files saved before the record was kept: the settings kept the choices
    // of the run that wrote them, all but "Exact positions".
    std::optional<html::ReportFacts> recorded;
    Guarded([&] {
        if (const std::optional<std::string> record = ReadFileBytes(panes_->RecordPath(), kMaxSettingsFileBytes))
            recorded = ReadResultRecord(*record);
    });
    resultFacts_ = recorded ? *recorded : FactsNow(QFileInfo(FromLocal8Bit(panes_->LeftPath())).lastModified());
    ResultsChanged();
}

html::ReportFacts MainWindow::FactsNow(const QDateTime& when) const
{
    const auto edition = [this](QComboBox* chooser) {
        const std::string name = ToLatin1(chooser->currentText());
        html::ReportEdition described{ToUtf8(name), {}};
        const std::string path = EditionDescriptorPath(EditionFolder(folders_.EditionFolders(), name), name);
        if (!name.empty() && FileExists(path))
            described.description = ToUtf8(ReadEditionDescriptor(path).information);
        return described;
    };
    html::ReportFacts facts{edition(ui_->leftChooser), edition(ui_->rightChooser), ui_->thresholdBox->value(),
                            ui_->exactPositionsBox->isChecked(), {}};
    // Said only when spelling variants did not count as any difference does.
    if (const int spelling = ui_->spellingChooser->currentIndex(); spelling > 0)
        facts.spelling = static_cast<SpellingMode>(spelling);
    if (when.isValid())
        facts.date = when.toString("yyyy-MM-dd").toStdString();
    return facts;
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

void MainWindow::SetRunSlices(int eventsMs, int showingMs)
{
    run_->SetSlices(eventsMs, showingMs);
}

void MainWindow::Compare()
{
    const unsigned before = panes_->Generation();
    run_->Run();
    UpdateStoppedNotice();
    if (panes_->Generation() != before)
        ResultsChanged();
}

void MainWindow::UpdateStoppedNotice()
{
    const std::string& chapter = run_->StoppedAt();
    FillPattern(ui_->stoppedText, FromUtf8(ToGreek(chapter)));
    ui_->stoppedNotice->setVisible(!chapter.empty());
}

void MainWindow::StopRun()
{
    run_->StopClicked();
}

} // namespace synopter
