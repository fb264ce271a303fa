#include "app/main_window_ui.h"

#include "app/main_window_colours.h"
#include "app/main_window_names.h"

#include "common/ui/hints.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/panel.h"
#include "common/ui/trailing_note_delegate.h"
#include "compare/comparison_run.h"
#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"
#include "find/ui/find_bar.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

namespace synopter {

namespace names = main_window_names;

namespace {

// The window's client area at the first start and at its least.
constexpr QSize kStartSize(665, 453);
constexpr QSize kLeastSize(654, 361);
// The bars' outer margins: the right one keeps the right-hand controls clear
// of a window edge that a frame may overlap.
constexpr int kBarMargin = 8;
constexpr int kRightMargin = 12;
constexpr int kChooserWidth = 221;
constexpr int kProgressHeight = 11;

// Stop shows in COMPARE's place exactly while a run hides COMPARE; once
// COMPARE is back, the focus Stop had goes to it.
class StopInPlaceOfCompare : public QObject {
public:
    StopInPlaceOfCompare(QPushButton* compare, QPushButton* stop) : QObject(compare), compare_(compare), stop_(stop)
    {
        stop->hide();
        compare->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == compare_ && event->type() == QEvent::HideToParent) {
            stop_->show();
        } else if (watched == compare_ && event->type() == QEvent::ShowToParent) {
            const bool hadFocus = stop_->hasFocus();
            stop_->hide();
            if (hadFocus)
                compare_->setFocus();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton* compare_;
    QPushButton* stop_;
};

} // namespace

void MainWindowUi::Setup(QMainWindow* window)
{
    window->setObjectName(names::window);
    window->setWindowTitle("Synopter");
    window->setFont(InterfaceFont());
    window->resize(kStartSize);
    // The least height is fixed. The least width is the work area's, or more
    // where the bars' captions need more (a longer language): the window's
    // layout keeps the larger.
    window->setMinimumHeight(kLeastSize.height());

    central = new QWidget(window);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    window->setCentralWidget(central);

    BuildTopBar();
    BuildBottomBar();
    BuildWorkArea();
    workArea->setMinimumWidth(kLeastSize.width());
    BuildNoEditionsNotice();
    BuildStoppedNotice();
    findBar = new FindBar(central);
    column->addWidget(topBar);
    column->addWidget(stoppedNotice);
    column->addWidget(workArea, 1);
    column->addWidget(findBar);
    column->addWidget(bottomBar);
    BuildMenus(window);
    SetTabOrder();
    NameForAssistiveTechnology();
}

void MainWindowUi::NameForAssistiveTechnology()
{
    // The language files give these again (NAME_name); these are the texts
    // before any language is chosen.
    const std::pair<QWidget*, const char*> names[] = {
        {leftChooser, "Left edition"},      {rightChooser, "Right edition"},         {compareButton, "Compare"},
        {stopButton, "Stop the comparison"},           {thresholdBox, "Threshold"}, {foundCount, "Verses found"},
        {progressBar, "Progress of the comparison"},               {chapterButton, "Chapters"},
        {leftPane, "Left results"}, {rightPane, "Right results"}, {leftList, "Left source text"},
        {rightList, "Right source text"},  {spellingChooser, "Spelling variants"}};
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(name);
}

void MainWindowUi::BuildTopBar()
{
    // The choosers keep their width at the sides; COMPARE takes the room between.
    topBar = new Panel(names::topBar, central);
    const auto chooser = [&](const char* name) {
        auto* cb = new QComboBox(topBar);
        cb->setObjectName(name);
        cb->setMinimumWidth(kChooserWidth);
        cb->setEditable(false);
        cb->setFont(InterfaceFont(11, true));
        SetColours(cb, kNavy, QColor(247, 247, 247));
        cb->setCursor(Qt::PointingHandCursor);
        SetHint(cb, QString(), HintShown::No);
        // A manuscript's extent beside its name in the list; the view's own
        // delegate, which the combo box keeps, still draws every item.
        cb->view()->setItemDelegate(new TrailingNoteDelegate(cb->view()->itemDelegate(), true, cb->view()));
        // Design-time items never reach the user: the catalogue replaces them.
        cb->addItems({"UBS", "Majority", "Textus Reseptus"});
        return cb;
    };
    rightChooser = chooser(names::rightChooser);
    leftChooser = chooser(names::leftChooser);
    rightChooser->setProperty("showHint", true);

    stopButton = new QPushButton("X", topBar);
    stopButton->setObjectName(names::stopButton);
    stopButton->setFont(InterfaceFont(19, true));
    SetColours(stopButton, Qt::red, QColor());
    stopButton->setCursor(Qt::PointingHandCursor);
    SetHint(stopButton, QString(), HintShown::No);

    compareButton = new QPushButton("<--- COMPARE --->", topBar);
    compareButton->setObjectName(names::compareButton);
    compareButton->setFont(InterfaceFont(11, true));
    SetColours(compareButton, kMaroon, QColor());
    compareButton->setCursor(Qt::PointingHandCursor);
    SetHint(compareButton, QString::fromUtf8("Начать сравнение книг (F5)"), HintShown::AsLastingTooltip);
    // A shortcut of the window, not the button's: a caption from a language
    // file would replace the button's own with its mnemonic. COMPARE is hidden
    // during a run, so the key cannot start a second one.
    auto* compareKey = new QShortcut(QKeySequence(Qt::Key_F5), topBar->window());
    QObject::connect(compareKey, &QShortcut::activated, compareButton, [button = compareButton] {
        if (button->isVisible() && button->isEnabled())
            button->click();
    });
    new StopInPlaceOfCompare(compareButton, stopButton);

    // Stop shares COMPARE's cell, one of the two shown at a time: COMPARE keeps
    // its room while hidden and Stop takes just that, so a run moves nothing.
    QSizePolicy comparePolicy = compareButton->sizePolicy();
    comparePolicy.setRetainSizeWhenHidden(true);
    compareButton->setSizePolicy(comparePolicy);
    stopButton->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* row = new QGridLayout(topBar);
    row->setContentsMargins(kBarMargin, 0, kRightMargin, 0);
    row->setHorizontalSpacing(10);
    row->addWidget(leftChooser, 0, 0, Qt::AlignVCenter);
    row->addWidget(compareButton, 0, 1);
    row->addWidget(stopButton, 0, 1);
    row->addWidget(rightChooser, 0, 2, Qt::AlignVCenter);
    row->setColumnStretch(1, 1);
}

void MainWindowUi::BuildBottomBar()
{
    bottomBar = new Panel(names::bottomBar, central);

    const auto label = [&](const char* name, const QString& text) {
        auto* l = new QLabel(text, bottomBar);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText); // captions from the language file, never markup
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFont(InterfaceFont(11, true));
        SetHint(l, QString(), HintShown::No);
        return l;
    };
    foundCount = label(names::foundCount, "   ");
    foundCount->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetColours(foundCount, kNavy, QColor());
    SetHint(foundCount, QString::fromUtf8("Количество обнаруженых стихов с разночтениями"), HintShown::AsLastingTooltip);
    // Room for five digits, so that a growing count moves nothing.
    foundCount->setText("88888");
    foundCount->setMinimumWidth(foundCount->sizeHint().width());
    foundCount->setText("   ");
    thresholdLabel = label(names::thresholdLabel, "Amount of differences:");
    foundLabel = label(names::foundLabel, "Found verses:");

    thresholdBox = new QSpinBox(bottomBar);
    thresholdBox->setObjectName(names::thresholdBox);
    thresholdBox->setRange(kMinThreshold, kMaxThreshold);
    thresholdBox->setValue(kDefaultThreshold);
    thresholdBox->setFont(InterfaceFont(11, true));
    SetColours(thresholdBox, kNavy, QColor());
    thresholdBox->setCursor(Qt::PointingHandCursor);
    SetHint(thresholdBox, QString::fromUtf8("Длина разночтения"), HintShown::AsLastingTooltip);

    progressBar = new QProgressBar(bottomBar);
    progressBar->setObjectName(names::progressBar);
    progressBar->setTextVisible(false);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setFixedHeight(kProgressHeight);

    const auto check = [&](const char* name, const QString& text, const QString& hint) {
        auto* c = new QCheckBox(text, bottomBar);
        c->setObjectName(name);
        c->setCursor(Qt::PointingHandCursor);
        SetHint(c, hint, HintShown::AsLastingTooltip);
        return c;
    };
    scrollBothBox = check(names::scrollBothBox, "Scroll Both", QString::fromUtf8("Прокручивать окна синхронно"));

    chapterButton = new QPushButton(bottomBar);
    chapterButton->setObjectName(names::chapterButton);
    chapterButton->setIcon(ChapterIcon());
    chapterButton->setIconSize(QSize(20, 20));
    chapterButton->setCursor(Qt::PointingHandCursor);
    SetHint(chapterButton, "Goto chapter", HintShown::AsLastingTooltip);

    exactPositionsBox = check(names::exactPositionsBox, "Exact positions",
                              QString::fromUtf8("Указывать ли на перестановку слов?"));

    spellingLabel = label(names::spellingLabel, "Spelling variants:");
    spellingChooser = new QComboBox(bottomBar);
    spellingChooser->setObjectName(names::spellingChooser);
    // In the order of SpellingMode.
    spellingChooser->addItems({"count as differences", "marked in green", "ignored"});
    // Its width follows the items, which a language change rewrites.
    spellingChooser->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    SetColours(spellingChooser, kNavy, QColor(247, 247, 247));
    spellingChooser->setCursor(Qt::PointingHandCursor);
    SetHint(spellingChooser, "Whether words that differ only in spelling count towards the threshold",
            HintShown::AsLastingTooltip);
    LayOutBottomBar();
}

void MainWindowUi::LayOutBottomBar()
{
    // Two rows over the progress bar: the run's options and the found count,
    // then how spelling variants count. The captions share the first column.
    auto* rows = new QGridLayout;
    rows->setContentsMargins(kBarMargin, 2, kRightMargin, 2);
    rows->setHorizontalSpacing(8);
    rows->setVerticalSpacing(4);
    rows->addWidget(thresholdLabel, 0, 0);
    rows->addWidget(thresholdBox, 0, 1);
    rows->addWidget(scrollBothBox, 0, 2);
    rows->addWidget(exactPositionsBox, 0, 3);
    rows->setColumnStretch(4, 1);
    rows->addWidget(foundLabel, 0, 5);
    rows->addWidget(foundCount, 0, 6);
    rows->addWidget(chapterButton, 0, 7);
    rows->addWidget(spellingLabel, 1, 0);
    // A label names its control for screen readers and takes Alt+its letter to it.
    thresholdLabel->setBuddy(thresholdBox);
    spellingLabel->setBuddy(spellingChooser);
    rows->addWidget(spellingChooser, 1, 1, 1, 2);

    auto* column = new QVBoxLayout(bottomBar);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(rows);
    column->addWidget(progressBar);
}

void MainWindowUi::BuildWorkArea()
{
    workArea = new Panel(names::workArea, central);
    auto* p3 = new QVBoxLayout(workArea);
    p3->setContentsMargins(0, 0, 0, 0);

    splitter = new QSplitter(Qt::Vertical, workArea);
    splitter->setObjectName(names::splitter);
    splitter->setHandleWidth(3);
    splitter->setChildrenCollapsible(false);
    p3->addWidget(splitter);

    paneArea = new Panel(names::paneArea, splitter);
    leftPaneFrame = new Panel(names::leftPaneFrame, paneArea);
    rightPaneFrame = new Panel(names::rightPaneFrame, paneArea);
    paneArea->AlignLeft(leftPaneFrame, 400);
    paneArea->AlignClient(rightPaneFrame);

    const auto pane = [&](const char* name, Panel* panel) {
        auto* edit = new ResultPane(panel);
        edit->setObjectName(name);
        edit->setFont(GreekTextFont(16));
        SetColours(edit, QColor(), QColor(251, 251, 242));
        SetHint(edit, QString(), HintShown::No);
        panel->AlignClient(edit);
        edit->verticalScrollBar()->setSingleStep(QFontMetrics(edit->font()).lineSpacing());
        return edit;
    };
    leftPane = pane(names::leftPane, leftPaneFrame);
    rightPane = pane(names::rightPane, rightPaneFrame);

    sourceArea = new Panel(names::sourceArea, splitter);
    const auto list = [&](const char* name) {
        auto* l = new SourceList(sourceArea);
        l->setObjectName(name);
        l->setFont(GreekTextFont(16));
        SetColours(l, QColor(), QColor(247, 247, 247));
        SetHint(l, QString(), HintShown::No);
        return l;
    };
    rightList = list(names::rightList);
    leftList = list(names::leftList);
    sourceArea->AlignLeft(leftList, 400);
    sourceArea->AlignClient(rightList);

    splitter->addWidget(paneArea);
    splitter->addWidget(sourceArea);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setCollapsible(1, true);
    // Neither side is dragged below a few text lines; the source area may still
    // be dragged shut, which hides it.
    const auto readable = [](const QAbstractScrollArea* view) {
        return kReadableLines * QFontMetrics(view->font()).lineSpacing() + 2 * view->frameWidth() +
               view->horizontalScrollBar()->sizeHint().height() + 4;
    };
    paneArea->setMinimumHeight(readable(leftPane));
    sourceArea->setMinimumHeight(readable(leftList));
    SetSourceAreaHeight(126);
}

Panel* MainWindowUi::NoticePanel(const char* name, QWidget* parent, const QColor& background)
{
    auto* panel = new Panel(name, parent);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, background);
    panel->setPalette(p);
    SetHint(panel, QString(), HintShown::No);
    return panel;
}

void MainWindowUi::BuildStoppedNotice()
{
    // A bar over the panes, there only while they hold a stopped run's results.
    stoppedNotice = NoticePanel(names::stoppedNotice, central, QColor(255, 244, 206));
    stoppedText = new QLabel(QString::fromUtf8("The comparison was stopped at %1: these results are incomplete."), stoppedNotice);
    stoppedText->setObjectName(names::stoppedText);
    stoppedText->setTextFormat(Qt::PlainText);
    stoppedText->setFont(InterfaceFont(11, true));
    SetColours(stoppedText, kMaroon, QColor(), true);
    SetHint(stoppedText, QString(), HintShown::No);
    auto* row = new QHBoxLayout(stoppedNotice);
    row->setContentsMargins(8, 3, 8, 3);
    row->addWidget(stoppedText, 1);
    stoppedNotice->hide();
}

void MainWindowUi::BuildNoEditionsNotice()
{
    // Over the result panes, where a comparison would show.
    noEditionsNotice = NoticePanel(names::noEditionsNotice, paneArea, QColor(251, 251, 242));

    noEditionsText = new QLabel(QString::fromUtf8("No editions were found in %1. Synopter compares editions kept there as "
                                          "NAME.bk and NAME.dat. Bring a Greek text in with File ▸ Import edition…"),
                        noEditionsNotice);
    noEditionsText->setObjectName(names::noEditionsText);
    noEditionsText->setTextFormat(Qt::PlainText);
    noEditionsText->setWordWrap(true);
    noEditionsText->setAlignment(Qt::AlignCenter);
    noEditionsText->setFont(InterfaceFont(13));
    noEditionsText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetColours(noEditionsText, kNavy, QColor(), true);
    SetHint(noEditionsText, QString(), HintShown::No);

    noticeImportButton = new QPushButton(QString::fromUtf8("Import edition…"), noEditionsNotice);
    noticeImportButton->setObjectName(names::noticeImportButton);
    noticeImportButton->setFont(InterfaceFont(11, true));
    SetColours(noticeImportButton, kMaroon, QColor());
    noticeImportButton->setCursor(Qt::PointingHandCursor);
    SetHint(noticeImportButton, QString(), HintShown::No);

    // The text takes the middle of the width; a wrapped label given an
    // alignment in its layout would lose its height for that width.
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(noEditionsText, 6);
    row->addStretch(1);
    auto* column = new QVBoxLayout(noEditionsNotice);
    column->addStretch();
    column->addLayout(row);
    column->addSpacing(12);
    column->addWidget(noticeImportButton, 0, Qt::AlignHCenter);
    column->addStretch(2);

    noEditionsNotice->hide();
}

void MainWindowUi::SetTabOrder()
{
    // As the eye reads: the top bar, the bottom bar's rows, then panes and lists,
    // left before right. Stop, in COMPARE's place, is reached only while shown.
    const QList<QWidget*> order = {leftChooser, compareButton, stopButton, rightChooser, thresholdBox, scrollBothBox,
                                   exactPositionsBox, chapterButton, spellingChooser, leftPane, rightPane, leftList, rightList};
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

QList<QObject*> MainWindowUi::Components() const
{
    QList<QObject*> list{topBar, rightChooser, leftChooser, stopButton, compareButton, bottomBar, foundCount, thresholdLabel, foundLabel, thresholdBox,
            progressBar, scrollBothBox, chapterButton, exactPositionsBox, spellingLabel, spellingChooser, workArea, splitter, paneArea,
            leftPaneFrame, leftPane, rightPaneFrame, rightPane, sourceArea, rightList, leftList, rightPaneMenu,
            clearRightAction, copyRightAction, leftPaneMenu, clearLeftAction, copyLeftAction, menuBar,
            fileMenu, importAction, removeAction, exportAction, printAction, exportPdfAction, quitAction, searchMenu,
            findAction, findNextAction, findPreviousAction, gotoReferenceAction, nextDifferenceAction, previousDifferenceAction, viewMenu, sourceTextsAction, spellingRulesMenu, alignedMarkingAction, languageAction, statisticsAction, apparatusAction, helpMenu, helpAction,
            aboutAction, noEditionsNotice, noEditionsText, noticeImportButton, stoppedNotice, stoppedText};
    list.append(QList<QObject*>(spellingRuleActions.begin(), spellingRuleActions.end()));
    return list;
}

int MainWindowUi::SourceAreaHeight() const
{
    const QList<int> sizes = splitter->sizes();
    return sizes.size() > 1 ? sizes[1] : 0;
}

bool MainWindowUi::LeavesPanesReadable(int sourceHeight) const
{
    // Asked before the first showing: the work area takes the window's height first.
    for (QLayout* layout : {central->window()->layout(), central->layout(), workArea->layout()})
        if (layout)
            layout->activate();
    return splitter->height() - sourceHeight - splitter->handleWidth() >= paneArea->minimumHeight();
}

void MainWindowUi::SetSourceAreaHeight(int height)
{
    const int total = std::max(splitter->height(), height + 1);
    splitter->setSizes({std::max(0, total - height - splitter->handleWidth()), height});
}

} // namespace synopter
