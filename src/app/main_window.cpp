#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "app/help_window.h"
#include "compare/result_summary.h"
#include "compare/spelling_rules.h"
#include "find/result_find.h"
#include "find/ui/find_bar.h"
#include "statistics/ui/statistics_window.h"
#include "collate/ui/apparatus_window.h"
#include "app/results_report.h"
#include "app/scroll_coupling.h"
#include "app/window_run.h"
#include "app/window_settings.h"

#include "chapters/ui/chapter_window.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/greek_letters.h"
#include "common/program_files.h"
#include "common/ui/panel.h"
#include "common/ui/qt_bytes.h"
#include "compare/result_set.h"
#include "compare/ui/pane_pair.h"
#include "common/ui/view_widths.h"
#include "compare/ui/result_pane.h"
#include "editions/edition.h"
#include "editions/edition_check.h"
#include "editions/edition_lines.h"
#include "editions/ui/source_list.h"
#include "import/ui/import_dialog.h"
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

MainWindow::MainWindow(std::string programDir) : MainWindow(PortableFolders(programDir)) {}

MainWindow::MainWindow(ProgramFolders folders)
    : ui_(std::make_unique<MainWindowUi>()), folders_(std::move(folders)), programDir_(folders_.files),
      language_(programDir_, folders_.settings)
{
    ui_->Setup(this);
    Connect();
    scrolling_ = std::make_unique<ScrollCoupling>(ui_->RichEdit1, ui_->RichEdit2, ui_->ListBox1, ui_->ListBox2,
                                                  ui_->chbScrollBoth);

    panes_ = std::make_unique<PanePair>(
        ui_->RichEdit1, ui_->RichEdit2, ui_->Panel4,
        [this](int width) { ui_->Panel7->SetAlignedWidth(ui_->Panel4, width); }, folders_.user);
    run_ = std::make_unique<WindowRun>(
        WindowRun::Controls{ui_->cb1, ui_->cb2, ui_->seAmountDiffer, ui_->exactpositions, ui_->cbSpelling,
                            ui_->compare, ui_->bbStop,
                            ui_->Label4, ui_->ProgressBar1, ui_->RichEdit1, ui_->RichEdit2, ui_->ListBox1,
                            ui_->ListBox2},
        *panes_, [this](const QString& text, bool critical) { ShowMessage(text, critical); });
    run_->started = [this] { resultFacts_ = FactsNow(QDateTime::currentDateTime()); };
    run_->record = [this] { return WriteResultRecord(resultFacts_); };
    run_->spellingRules = [this] { return &LoadSpellingList().rules; };
    report_ = std::make_unique<ResultsReport>(
        this, *panes_, [this] { return resultFacts_; },
        [this](const QString& text, bool critical) { ShowMessage(text, critical); });
    settings_ = std::make_unique<WindowSettings>(
        *this,
        WindowSettings::Controls{ui_->seAmountDiffer, ui_->cb1, ui_->cb2, ui_->chbScrollBoth, ui_->Sourcetexts1,
                                 ui_->Panel1, ui_->Panel2, ui_->BitBtn1,
                                 [this]() -> QWidget* { return Chapters(); }, ui_->cbSpelling},
        WindowSettings::SourceArea{[this] { return SourceAreaHeight(); },
                                   [this](int height) { SetSourceAreaHeight(height); },
                                   [this] { Sourcetexts1Click(); },
                                   [this](int height) { return ui_->LeavesPanesReadable(height); }},
        folders_.settings, language_);
    ShowMessage = [this](const QString& text, bool critical) {
        if (critical)
            QMessageBox::critical(this, QApplication::applicationDisplayName(), text);
        else
            QMessageBox::warning(this, QApplication::applicationDisplayName(), text);
    };
}

MainWindow::~MainWindow()
{
    // Deleting the children moves the focus, and by then this is no MainWindow.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void MainWindow::Connect()
{
    connect(ui_->cb1, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { cb1Change(); }); });
    connect(ui_->cb2, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { cb2Change(); }); });
    connect(ui_->compare, &QPushButton::clicked, this, [this] { Guarded([this] { Compare1Click(); }); });
    connect(ui_->bbStop, &QPushButton::clicked, this, [this] { bbStopClick(); });
    connect(ui_->BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });
    ui_->RichEdit1->installEventFilter(this);
    ui_->RichEdit2->installEventFilter(this);
    connect(ui_->RichEdit1, &ResultPane::Entered, this, [this] { RichEdit1Enter(); });
    connect(ui_->RichEdit2, &ResultPane::Entered, this, [this] { RichEdit2Enter(); });
    connect(ui_->Splitter1, &QSplitter::splitterMoved, this, [this] { Guarded([this] { Splitter1Moved(); }); });
    connect(ui_->Importedition1, &QAction::triggered, this, [this] { Guarded([this] { Importedition1Click(); }); });
    // The handler flips the mark itself, so the action's own toggling is undone first.
    connect(ui_->Sourcetexts1, &QAction::triggered, this, [this] {
        ui_->Sourcetexts1->setChecked(!ui_->Sourcetexts1->isChecked());
        Guarded([this] { Sourcetexts1Click(); });
    });
    connect(ui_->Interfacelanguage1, &QAction::triggered, this,
            [this] { Guarded([this] { Interfacelanguage1Click(); }); });
    connect(ui_->Exportresults1, &QAction::triggered, this, [this] { Guarded([this] { report_->ExportHtml(); }); });
    connect(ui_->Print1, &QAction::triggered, this, [this] { Guarded([this] { report_->Print(); }); });
    connect(ui_->ExportPDF1, &QAction::triggered, this, [this] { Guarded([this] { report_->ExportPdf(); }); });
    connect(ui_->Find1, &QAction::triggered, this, [this] { Find1Click(); });
    connect(ui_->Findnext1, &QAction::triggered, this, [this] { Guarded([this] { FindStep(true); }); });
    connect(ui_->Findprevious1, &QAction::triggered, this, [this] { Guarded([this] { FindStep(false); }); });
    connect(ui_->Panel11, &FindBar::findNext, this, [this] { Guarded([this] { FindStep(true); }); });
    connect(ui_->Panel11, &FindBar::findPrevious, this, [this] { Guarded([this] { FindStep(false); }); });
    connect(ui_->Statistics1, &QAction::triggered, this, [this] { Guarded([this] { Statistics1Click(); }); });
    connect(ui_->Apparatus1, &QAction::triggered, this, [this] { Guarded([this] { Apparatus1Click(); }); });
    // The apparatus is read with the comparison's spelling and positions.
    const auto optionsChanged = [this] {
        if (ApparatusWindow* apparatus = Apparatus())
            Guarded([&] { SendApparatusOptions(*apparatus, spellingList_.rules); });
    };
    connect(ui_->cbSpelling, &QComboBox::currentIndexChanged, this, optionsChanged);
    connect(ui_->exactpositions, &QCheckBox::toggled, this, optionsChanged);
    // A search goes where the user was reading: a source list or the panes.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (QWidget* view : {static_cast<QWidget*>(ui_->RichEdit1), static_cast<QWidget*>(ui_->RichEdit2),
                              static_cast<QWidget*>(ui_->ListBox1), static_cast<QWidget*>(ui_->ListBox2)})
            if (now == view)
                searchedView_ = view;
    });
    connect(ui_->Nextdifference1, &QAction::triggered, this, [this] { GoToDifference(true); });
    connect(ui_->Previousdifference1, &QAction::triggered, this, [this] { GoToDifference(false); });
    connect(ui_->Quit1, &QAction::triggered, this, &QWidget::close);
    connect(ui_->SynopterHelp1, &QAction::triggered, this, [this] { Guarded([this] { SynopterHelp1Click(); }); });
    connect(ui_->AboutSynopter1, &QAction::triggered, this, [this] {
        QMessageBox::about(this, ui_->AboutSynopter1->text().remove('&'), AboutText());
    });
    connect(ui_->BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { Importedition1Click(); }); });
    ui_->Panel7->installEventFilter(this);
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
    FillPattern(ui_->Label7, dir);
    const bool empty = ui_->cb1->count() == 0;
    if (empty) {
        ui_->Panel9->setGeometry(ui_->Panel7->rect());
        ui_->Panel9->raise();
    }
    ui_->Panel9->setVisible(empty);
}

void MainWindow::Importedition1Click()
{
    // A run reads the loaded lines; the catalogue is refilled after an import.
    if (run_->Running())
        return;
    auto* dialog = findChild<ImportDialog*>("ImportForm", Qt::FindDirectChildrenOnly);
    if (!dialog) {
        dialog = new ImportDialog(folders_.user, language_, this);
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
    const QString was[] = {ui_->cb1->currentText(), ui_->cb2->currentText()};
    FillEditionLists();
    QComboBox* choosers[] = {ui_->cb1, ui_->cb2};
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
        ShowMessage(FromLocal8Bit(e.what()), true);
    }
}

bool MainWindow::FormCreate()
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
        ShowMessage(FromLocal8Bit(settings_->ReadProblem()) + "\nThe window starts with its usual settings.", false);
    Guarded([this] { cb1Change(); });
    Guarded([this] { cb2Change(); });
    FormResize();
    ui_->compare->setFocus();
    return true;
}

bool MainWindow::FillEditionLists()
{
    const QSignalBlocker b1(ui_->cb1);
    const QSignalBlocker b2(ui_->cb2);
    ui_->cb1->clear();
    ui_->cb2->clear();
    const std::vector<std::string> names = ListEditions(folders_.EditionFolders());
    for (const std::string& name : names) {
        const QString text = FromLatin1(name);
        ui_->cb1->addItem(text);
        ui_->cb2->addItem(text);
    }
    ui_->cb1->setCurrentIndex(-1);
    ui_->cb2->setCurrentIndex(-1);
    UpdateNoEditionsNotice();
    return !names.empty();
}

void MainWindow::cb1Change()
{
    LoadSide(Side::Left);
}

void MainWindow::cb2Change()
{
    LoadSide(Side::Right);
}

void MainWindow::LoadSide(Side side)
{
    const bool left = side == Side::Left;
    ResultPane* pane = left ? ui_->RichEdit1 : ui_->RichEdit2;
    SourceList* list = left ? ui_->ListBox1 : ui_->ListBox2;
    QComboBox* chooser = left ? ui_->cb1 : ui_->cb2;

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
        ShowMessage(FromLocal8Bit(descriptor.problem), false);
    if (!left) {
        // Imported editions carry UTF-8 titles; older descriptors are Latin-1.
        const QString information = FromUtf8(ToUtf8(descriptor.information));
        SetHint(ui_->cb2, information, true);
        // Shown as written: markup in a descriptor is never interpreted.
        ui_->cb2->setToolTip(PlainToolTip(information));
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

QComboBox* MainWindow::Chooser(Side side) const { return side == Side::Left ? ui_->cb1 : ui_->cb2; }
ResultPane* MainWindow::Pane(Side side) const { return side == Side::Left ? ui_->RichEdit1 : ui_->RichEdit2; }
SourceList* MainWindow::List(Side side) const { return side == Side::Left ? ui_->ListBox1 : ui_->ListBox2; }
QPushButton* MainWindow::CompareButton() const { return ui_->compare; }
QPushButton* MainWindow::StopButton() const { return ui_->bbStop; }
QPushButton* MainWindow::ChapterButton() const { return ui_->BitBtn1; }
QLabel* MainWindow::FoundCountLabel() const { return ui_->Label4; }
QSpinBox* MainWindow::ThresholdBox() const { return ui_->seAmountDiffer; }
QCheckBox* MainWindow::ScrollBothBox() const { return ui_->chbScrollBoth; }
QCheckBox* MainWindow::ExactPositionsBox() const { return ui_->exactpositions; }
QProgressBar* MainWindow::ProgressBar() const { return ui_->ProgressBar1; }
QAction* MainWindow::SourceTextsAction() const { return ui_->Sourcetexts1; }

int MainWindow::SourceAreaHeight() const
{
    return ui_->SourceAreaHeight();
}

void MainWindow::SetSourceAreaHeight(int height)
{
    ui_->SetSourceAreaHeight(height);
}

void MainWindow::FormResize()
{
    // Widths measured before the first showing are not laid out yet; the
    // showing itself runs this again.
    if (!isVisible())
        return;
    ui_->Panel1->ApplyAnchors();
    ui_->Panel2->ApplyAnchors();
    ui_->PlaceFoundCount();
    panes_->BalancePaneWidths();

    BalanceWidths(ui_->ListBox1, ui_->ListBox2, ui_->ListBox1,
                  [this](int width) { ui_->Panel8->SetAlignedWidth(ui_->ListBox1, width); });

    const int left = ui_->cb1->x() + ui_->cb1->width() + 10;
    ui_->compare->setGeometry(left, ui_->compare->y(), std::max(7, ui_->cb2->x() - left - 10),
                              ui_->compare->height());
    const int stopLeft = ui_->cb1->x() + ui_->cb1->width() + 12;
    ui_->bbStop->setGeometry(stopLeft, ui_->bbStop->y(), std::max(5, ui_->cb2->x() - stopLeft - 12),
                             ui_->bbStop->height());
    ui_->RichEdit1->viewport()->update();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The panels follow the window synchronously only once it is shown.
    centralWidget()->layout()->activate();
    FormResize();
    // A change of window state (maximized and back) lays the panels out once
    // more after this; the panes are balanced again when it has.
    QTimer::singleShot(0, this, [this] { FormResize(); });
}

void MainWindow::Sourcetexts1Click()
{
    ui_->Sourcetexts1->setChecked(!ui_->Sourcetexts1->isChecked());
    ui_->Panel8->setVisible(ui_->Sourcetexts1->isChecked());
    if (ui_->Panel8->isVisibleTo(this))
        SetSourceAreaHeight(100);
    ui_->RichEdit2->viewport()->update();
    ui_->RichEdit1->viewport()->update();
}

void MainWindow::Splitter1Moved()
{
    // A drag that would leave the source texts 30 pixels high or less hides them.
    if (ui_->Panel8->isVisibleTo(this) && SourceAreaHeight() <= 30) {
        SetSourceAreaHeight(0);
        Sourcetexts1Click();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->Panel7 && event->type() == QEvent::Resize)
        ui_->Panel9->setGeometry(ui_->Panel7->rect());
    if ((watched == ui_->RichEdit1 || watched == ui_->RichEdit2) && event->type() == QEvent::KeyPress &&
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
            const Side side = watched == ui_->RichEdit1 ? Side::Left : Side::Right;
            if (side == Side::Right && !ui_->chbScrollBoth->isChecked())
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

void MainWindow::RichEdit1Enter()
{
    if (ui_->compare->isHidden())
        ui_->BitBtn1->setFocus();
}

void MainWindow::RichEdit2Enter()
{
    if (ui_->compare->isHidden())
        ui_->BitBtn1->setFocus();
}

void MainWindow::BitBtn1Click()
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
    for (ResultPane* pane : {ui_->RichEdit1, ui_->RichEdit2}) {
        const int line = pane->LastLineEqualTo(text);
        if (line >= 0)
            pane->ScrollToLine(line);
    }
    for (SourceList* list : {ui_->ListBox1, ui_->ListBox2}) {
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
    const std::vector<std::string>& lines = ui_->ListBox1->Lines();
    if (lines.empty())
        return {};
    for (size_t i = std::min(size_t(std::max(0, ui_->ListBox1->TopIndex())), lines.size() - 1) + 1; i-- > 0;)
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

void MainWindow::Find1Click()
{
    ui_->Panel11->Open();
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
    FindBar* bar = ui_->Panel11;
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

FindBar& MainWindow::FindBar1() const
{
    return *ui_->Panel11;
}

StatisticsWindow* MainWindow::Statistics() const
{
    return findChild<StatisticsWindow*>("Form9", Qt::FindDirectChildrenOnly);
}

void MainWindow::Statistics1Click()
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
                                  static_cast<SpellingMode>(std::max(0, ui_->cbSpelling->currentIndex())),
                                  &spellingList_.rules, ui_->exactpositions->isChecked(),
                                  ui_->cbSpelling->currentText(), run_->Running()};
        });
    }
    statistics->show();
    statistics->raise();
    statistics->activateWindow();
}

ApparatusWindow* MainWindow::Apparatus() const
{
    return findChild<ApparatusWindow*>("Form10", Qt::FindDirectChildrenOnly);
}

void MainWindow::SendApparatusOptions(ApparatusWindow& apparatus, const SpellingRules& rules)
{
    apparatus.SetOptions(static_cast<SpellingMode>(ui_->cbSpelling->currentIndex()), ui_->cbSpelling->currentText(),
                         ui_->exactpositions->isChecked(), rules);
}

void MainWindow::Apparatus1Click()
{
    ApparatusWindow* apparatus = Apparatus();
    if (!apparatus) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        apparatus = new ApparatusWindow(this, language_, QDir(documents).exists() ? documents : QDir::homePath());
        apparatus->ShowMessage = [this](const QString& text, bool critical) { ShowMessage(text, critical); };
        apparatus->Translate();
    }
    const std::vector<std::string> folders = folders_.EditionFolders();
    apparatus->SetCatalogue(folders, ListEditions(folders), ToLatin1(ui_->cb1->currentText()));
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
        ShowMessage(text, false);
    }
    return spellingList_;
}

QString MainWindow::HandbookPath() const
{
    return FromLocal8Bit(programDir_) + "help/synopter.html";
}

void MainWindow::SynopterHelp1Click()
{
    const QString path = HandbookPath();
    if (!QFileInfo(path).isFile()) {
        ShowMessage("The handbook is not installed: " + path, false);
        return;
    }
    auto* help = findChild<HelpWindow*>("HelpForm", Qt::FindDirectChildrenOnly);
    if (!help) {
        help = new HelpWindow(this, path);
        help->setWindowTitle(ui_->SynopterHelp1->text().remove('&'));
    }
    help->show();
    help->raise();
    help->activateWindow();
}

void MainWindow::InstallScrollHooks()
{
    scrolling_->Install(this);
}

void MainWindow::HookWndProc_richedit1(int scrollCode)
{
    scrolling_->PaneScrolled(Side::Left, scrollCode);
}

void MainWindow::HookWndProc_richedit2(int scrollCode)
{
    scrolling_->PaneScrolled(Side::Right, scrollCode);
}

void MainWindow::HookWndProc_listbox1(int scrollCode)
{
    scrolling_->ListScrolled(Side::Left, scrollCode);
}

void MainWindow::HookWndProc_listbox2(int scrollCode)
{
    scrolling_->ListScrolled(Side::Right, scrollCode);
}

void MainWindow::SyncScroll_richedit1()
{
    scrolling_->FollowPane(Side::Left);
}

void MainWindow::SyncScroll_richedit2()
{
    scrolling_->FollowPane(Side::Right);
}

void MainWindow::SyncScroll_listbox1()
{
    scrolling_->FollowList(Side::Left);
}

void MainWindow::SyncScroll_listbox2()
{
    scrolling_->FollowList(Side::Right);
}

void MainWindow::SetChapterWindow(ChapterWindow* chapterWindow)
{
    chapterWindow_ = chapterWindow;
    run_->SetChapterWindow(chapterWindow);
}

void MainWindow::FormClose()
{
    try {
        settings_->Write();
    } catch (const WriteError& e) {
        ShowMessage(FromLocal8Bit(e.what()) + "\n" + FromLocal8Bit(e.reason()), true);
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
        ShowMessage("The saved results (r1.rtf, r2.rtf, chapters.lst) are not all from the same comparison, "
                    "so none of them is shown.",
                    false);
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
    html::ReportFacts facts{edition(ui_->cb1), edition(ui_->cb2), ui_->seAmountDiffer->value(),
                            ui_->exactpositions->isChecked(), {}};
    // Said only when spelling variants did not count as any difference does.
    if (const int spelling = ui_->cbSpelling->currentIndex(); spelling > 0)
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
    FormResize();
    RestoreResultPanes();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A run in progress ends at its next step; its partial results are saved.
    run_->Stop();
    // An import in progress is stopped; nothing of it is written.
    if (auto* dialog = findChild<ImportDialog*>("ImportForm", Qt::FindDirectChildrenOnly))
        dialog->close();
    Guarded([this] { FormClose(); });
    if (chapterWindow_)
        chapterWindow_->hide();
    event->accept();
}

void MainWindow::SetRunSlices(int eventsMs, int showingMs)
{
    run_->SetSlices(eventsMs, showingMs);
}

void MainWindow::Compare1Click()
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
    FillPattern(ui_->Label8, FromUtf8(ToGreek(chapter)));
    ui_->Panel10->setVisible(!chapter.empty());
}

void MainWindow::bbStopClick()
{
    run_->StopClicked();
}

} // namespace synopter
