#include "app/main_window_ui.h"

#include "app/main_window_names.h"

#include "find/ui/find_bar.h"

#include "common/ui/interface_fonts.h"
#include "common/ui/panel.h"
#include "compare/comparison_run.h"
#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"
#include "find/ui/find_bar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

namespace synopter {

namespace names = main_window_names;

namespace {

// The layout is designed in outer sizes of a classic Windows frame; the client
// area is that less the frame.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 39;
constexpr int kDesignWidth = 681;
constexpr int kDesignHeight = 492;
constexpr int kDesignClientWidth = kDesignWidth - kFrameWidth;
constexpr int kBottomBarHeight = 62;

const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);

// The design's colours are for a light window. Under a dark palette a text
// colour on the window's own background keeps its hue but is made light
// enough to read there.
bool DarkPalette()
{
    return QApplication::palette().color(QPalette::Window).lightness() < 128;
}

QColor OnWindowBackground(const QColor& colour)
{
    if (!colour.isValid() || !DarkPalette())
        return colour;
    return QColor::fromHsl(std::max(colour.hslHue(), 0), colour.hslSaturation(), std::max(colour.lightness(), 200));
}

// `base` fixes the background the text is drawn on (light in the design); the
// text is then kept as designed, black when none is given, whatever the
// palette. Without `base` the text sits on the palette's own background.
// `onLightPanel`: the control lies on a panel whose light background the
// design fixes, so its text is kept too.
void SetColours(QWidget* w, QColor text, const QColor& base, bool onLightPanel = false)
{
    if (base.isValid() && !text.isValid() && DarkPalette())
        text = Qt::black;
    else if (!base.isValid() && !onLightPanel)
        text = OnWindowBackground(text);
    // The disabled group keeps the style's colours, so a disabled control looks it.
    QPalette p = w->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (text.isValid()) {
            p.setColor(group, QPalette::Text, text);
            p.setColor(group, QPalette::WindowText, text);
            p.setColor(group, QPalette::ButtonText, text);
        }
        if (base.isValid()) {
            p.setColor(group, QPalette::Base, base);
            // A chooser draws on the button colour; under a dark palette it
            // would put the design's dark text on a dark face.
            if (DarkPalette())
                p.setColor(group, QPalette::Button, base);
        }
    }
    w->setPalette(p);
}

// A small open book with an arrow: "go to chapter".
QIcon ChapterIcon()
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kNavy, 1));
    p.setBrush(QColor(255, 255, 240));
    p.drawRect(QRectF(2.5, 4.5, 7, 11));
    p.drawRect(QRectF(9.5, 4.5, 7, 11));
    p.setPen(QPen(kMaroon, 1.6));
    p.drawLine(QPointF(4, 8), QPointF(8, 8));
    p.drawLine(QPointF(4, 11), QPointF(8, 11));
    p.drawLine(QPointF(11, 8), QPointF(15, 8));
    p.setBrush(kMaroon);
    p.setPen(Qt::NoPen);
    const QPointF arrow[] = {{12, 10}, {18, 13.5}, {12, 17}};
    p.drawPolygon(arrow, 3);
    return QIcon(pm);
}

} // namespace

void SetHint(QWidget* w, const QString& hint, bool shown)
{
    w->setProperty("hint", hint);
    w->setProperty("showHint", shown);
    if (shown) {
        w->setToolTip(hint);
        w->setToolTipDuration(2147483647);
    }
}

void MainWindowUi::Setup(QMainWindow* window)
{
    window->setObjectName(names::window);
    window->setWindowTitle("Synopter");
    window->setFont(InterfaceFont());
    window->resize(kDesignWidth - kFrameWidth, kDesignHeight - kFrameHeight);
    window->setMinimumSize(670 - kFrameWidth, 400 - kFrameHeight);

    central = new QWidget(window);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    window->setCentralWidget(central);

    BuildTopBar();
    BuildBottomBar();
    BuildWorkArea();
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
        {stopButton, "Stop"},           {thresholdBox, "Threshold"}, {foundCount, "Verses found"},
        {progressBar, "Progress of the comparison"},               {chapterButton, "Chapters"},
        {leftPane, "Left results"}, {rightPane, "Right results"}, {leftList, "Left source text"},
        {rightList, "Right source text"},  {spellingChooser, "Spelling variants"}};
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(name);
}

void MainWindowUi::BuildTopBar()
{
    topBar = new Panel(names::topBar, central);
    topBar->setFixedHeight(25);

    const auto chooser = [&](const char* name, QRect geometry) {
        auto* cb = new QComboBox(topBar);
        cb->setObjectName(name);
        cb->setGeometry(geometry);
        cb->setEditable(false);
        cb->setFont(InterfaceFont(11, true));
        SetColours(cb, kNavy, QColor(247, 247, 247));
        cb->setCursor(Qt::PointingHandCursor);
        SetHint(cb, QString(), false);
        // Design-time items never reach the user: the catalogue replaces them.
        cb->addItems({"UBS", "Majority", "Textus Reseptus"});
        return cb;
    };
    rightChooser = chooser(names::rightChooser, QRect(441, 2, 225, 21));
    leftChooser = chooser(names::leftChooser, QRect(8, 2, 217, 21));
    rightChooser->setProperty("showHint", true);

    // The stop button lies beneath COMPARE and shows only while a run hides it.
    stopButton = new QPushButton("X", topBar);
    stopButton->setObjectName(names::stopButton);
    stopButton->setGeometry(280, 0, 94, 25);
    stopButton->setFont(InterfaceFont(19, true));
    SetColours(stopButton, Qt::red, QColor());
    stopButton->setCursor(Qt::PointingHandCursor);
    SetHint(stopButton, QString(), false);

    compareButton = new QPushButton("<--- COMPARE --->", topBar);
    compareButton->setObjectName(names::compareButton);
    compareButton->setGeometry(232, 0, 198, 25);
    compareButton->setFont(InterfaceFont(11, true));
    SetColours(compareButton, kMaroon, QColor());
    compareButton->setCursor(Qt::PointingHandCursor);
    SetHint(compareButton, QString::fromUtf8("Начать сравнение книг"), true);
    compareButton->raise();

    topBar->AnchorRight(rightChooser, false, kDesignClientWidth);
    topBar->AnchorRight(compareButton, true, kDesignClientWidth);
    topBar->AnchorRight(stopButton, true, kDesignClientWidth);
}

void MainWindowUi::BuildBottomBar()
{
    bottomBar = new Panel(names::bottomBar, central);
    // Two rows: the run's options, then how spelling variants count.
    bottomBar->setFixedHeight(kBottomBarHeight);

    const auto label = [&](const char* name, const QString& text, QRect geometry, Qt::Alignment align) {
        auto* l = new QLabel(text, bottomBar);
        l->setObjectName(name);
        l->setGeometry(geometry);
        l->setAlignment(align | Qt::AlignTop);
        l->setFont(InterfaceFont(11, true));
        SetHint(l, QString(), false);
        return l;
    };
    foundCount = label(names::foundCount, "   ", QRect(593, 8, 40, 13), Qt::AlignLeft);
    SetColours(foundCount, kNavy, QColor());
    SetHint(foundCount, QString::fromUtf8("Количество обнаруженых стихов с разночтениями"), true);
    thresholdLabel = label(names::thresholdLabel, "Amount of differences:", QRect(28, 8, 129, 13), Qt::AlignRight);
    foundLabel = label(names::foundLabel, "Found verses:", QRect(505, 8, 81, 13), Qt::AlignRight);

    thresholdBox = new QSpinBox(bottomBar);
    thresholdBox->setObjectName(names::thresholdBox);
    thresholdBox->setGeometry(168, 2, 49, 22);
    thresholdBox->setRange(kMinThreshold, kMaxThreshold);
    thresholdBox->setValue(kDefaultThreshold);
    thresholdBox->setFont(InterfaceFont(11, true));
    SetColours(thresholdBox, kNavy, QColor());
    thresholdBox->setCursor(Qt::PointingHandCursor);
    SetHint(thresholdBox, QString::fromUtf8("Длина разночтения"), true);

    progressBar = new QProgressBar(bottomBar);
    progressBar->setObjectName(names::progressBar);
    progressBar->setTextVisible(false);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);

    const auto check = [&](const char* name, const QString& text, QRect geometry, const QString& hint) {
        auto* c = new QCheckBox(text, bottomBar);
        c->setObjectName(name);
        c->setGeometry(geometry);
        c->setCursor(Qt::PointingHandCursor);
        SetHint(c, hint, true);
        return c;
    };
    scrollBothBox = check(names::scrollBothBox, "Scroll Both", QRect(232, 8, 129, 17),
                          QString::fromUtf8("Прокручивать окна синхронно"));

    chapterButton = new QPushButton(bottomBar);
    chapterButton->setObjectName(names::chapterButton);
    chapterButton->setGeometry(641, 0, 27, 25);
    chapterButton->setIcon(ChapterIcon());
    chapterButton->setIconSize(QSize(20, 20));
    chapterButton->setCursor(Qt::PointingHandCursor);
    SetHint(chapterButton, "Goto chapter", true);
    bottomBar->AnchorRight(chapterButton, false, kDesignClientWidth);

    exactPositionsBox = check(names::exactPositionsBox, "Exact positions", QRect(368, 8, 113, 17),
                           QString::fromUtf8("Указывать ли на перестановку слов?"));

    spellingLabel = label(names::spellingLabel, "Spelling variants:", QRect(28, 33, 129, 13), Qt::AlignRight);
    spellingChooser = new QComboBox(bottomBar);
    spellingChooser->setObjectName(names::spellingChooser);
    spellingChooser->setGeometry(168, 28, 193, 22);
    // In the order of SpellingMode.
    spellingChooser->addItems({"count as differences", "marked in green", "ignored"});
    SetColours(spellingChooser, kNavy, QColor(247, 247, 247));
    spellingChooser->setCursor(Qt::PointingHandCursor);
    SetHint(spellingChooser, "Whether words that differ only in spelling count towards the threshold", true);

    progressBar->setGeometry(0, kBottomBarHeight - 11, kDesignClientWidth, 11);
    bottomBar->AnchorRight(progressBar, true, kDesignClientWidth);
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
        SetHint(edit, QString(), false);
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
        SetHint(l, QString(), false);
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

void MainWindowUi::BuildMenus(QMainWindow* window)
{
    menuBar = window->menuBar();
    menuBar->setObjectName(names::menuBar);
    QMenu* file = menuBar->addMenu("&File");
    file->setObjectName(names::filePopup);
    fileMenu = file->menuAction();
    fileMenu->setObjectName(names::fileMenu);
    importAction = file->addAction(QString::fromUtf8("&Import edition…"));
    importAction->setObjectName(names::importAction);
    file->addSeparator();
    exportAction = file->addAction(QString::fromUtf8("&Export results…"));
    exportAction->setObjectName(names::exportAction);
    printAction = file->addAction(QString::fromUtf8("&Print…"));
    printAction->setObjectName(names::printAction);
    printAction->setShortcut(QKeySequence::Print);
    exportPdfAction = file->addAction(QString::fromUtf8("Export as P&DF…"));
    exportPdfAction->setObjectName(names::exportPdfAction);
    file->addSeparator();
    quitAction = file->addAction("&Quit");
    quitAction->setObjectName(names::quitAction);
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* search = menuBar->addMenu("&Search");
    search->setObjectName(names::searchPopup);
    searchMenu = search->menuAction();
    searchMenu->setObjectName(names::searchMenu);
    findAction = search->addAction(QString::fromUtf8("&Find…"));
    findAction->setObjectName(names::findAction);
    findAction->setShortcut(QKeySequence::Find);
    findNextAction = search->addAction("Find ne&xt");
    findNextAction->setObjectName(names::findNextAction);
    findNextAction->setShortcut(QKeySequence(Qt::Key_F3));
    findPreviousAction = search->addAction("Find pre&vious");
    findPreviousAction->setObjectName(names::findPreviousAction);
    findPreviousAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    search->addSeparator();
    nextDifferenceAction = search->addAction("&Next difference");
    nextDifferenceAction->setObjectName(names::nextDifferenceAction);
    nextDifferenceAction->setShortcut(QKeySequence(Qt::Key_F7));
    previousDifferenceAction = search->addAction("&Previous difference");
    previousDifferenceAction->setObjectName(names::previousDifferenceAction);
    previousDifferenceAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
    QMenu* view = menuBar->addMenu("&View");
    view->setObjectName(names::viewPopup);
    viewMenu = view->menuAction();
    viewMenu->setObjectName(names::viewMenu);
    sourceTextsAction = view->addAction("&Source texts");
    sourceTextsAction->setObjectName(names::sourceTextsAction);
    sourceTextsAction->setCheckable(true);
    sourceTextsAction->setChecked(true);
    languageAction = view->addAction("&Interface language");
    languageAction->setObjectName(names::languageAction);
    statisticsAction = view->addAction(QString::fromUtf8("S&tatistics…"));
    statisticsAction->setObjectName(names::statisticsAction);
    apparatusAction = view->addAction(QString::fromUtf8("&Apparatus…"));
    apparatusAction->setObjectName(names::apparatusAction);
    QMenu* help = menuBar->addMenu("&Help");
    help->setObjectName(names::helpPopup);
    helpMenu = help->menuAction();
    helpMenu->setObjectName(names::helpMenu);
    helpAction = help->addAction("Synopter &Help");
    helpAction->setObjectName(names::helpAction);
    helpAction->setShortcut(QKeySequence::HelpContents);
    aboutAction = help->addAction("&About Synopter");
    aboutAction->setObjectName(names::aboutAction);

    const auto popup = [&](const char* name, ResultPane* pane, const char* clearName, const char* copyName,
                           QAction*& clearItem, QAction*& copyItem) {
        auto* menu = new QMenu(window);
        menu->setObjectName(name);
        clearItem = menu->addAction("Clear");
        clearItem->setObjectName(clearName);
        clearItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
        clearItem->setShortcutContext(Qt::WidgetShortcut);
        copyItem = menu->addAction("Copy");
        copyItem->setObjectName(copyName);
        copyItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
        copyItem->setShortcutContext(Qt::WidgetShortcut);
        pane->addAction(clearItem);
        pane->addAction(copyItem);
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(pane, &QWidget::customContextMenuRequested, menu,
                         [menu, pane](const QPoint& at) { menu->popup(pane->viewport()->mapToGlobal(at)); });
        QObject::connect(clearItem, &QAction::triggered, pane, [pane] { pane->Clear(); });
        QObject::connect(copyItem, &QAction::triggered, pane, [pane] { pane->copy(); });
        return menu;
    };
    rightPaneMenu = popup(names::rightPaneMenu, rightPane, names::clearRightAction, names::copyRightAction, clearRightAction, copyRightAction);
    leftPaneMenu = popup(names::leftPaneMenu, leftPane, names::clearLeftAction, names::copyLeftAction, clearLeftAction, copyLeftAction);
}

Panel* MainWindowUi::NoticePanel(const char* name, QWidget* parent, const QColor& background)
{
    auto* panel = new Panel(name, parent);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, background);
    panel->setPalette(p);
    SetHint(panel, QString(), false);
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
    SetHint(stoppedText, QString(), false);
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
    SetHint(noEditionsText, QString(), false);

    noticeImportButton = new QPushButton(QString::fromUtf8("Import edition…"), noEditionsNotice);
    noticeImportButton->setObjectName(names::noticeImportButton);
    noticeImportButton->setFont(InterfaceFont(11, true));
    SetColours(noticeImportButton, kMaroon, QColor());
    noticeImportButton->setCursor(Qt::PointingHandCursor);
    SetHint(noticeImportButton, QString(), false);

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
    const QList<QWidget*> order = {compareButton, rightChooser, leftChooser, stopButton, thresholdBox, scrollBothBox,
                                   chapterButton, exactPositionsBox, spellingChooser, leftPane, rightPane, leftList, rightList};
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

QList<QObject*> MainWindowUi::Components() const
{
    return {topBar, rightChooser, leftChooser, stopButton, compareButton, bottomBar, foundCount, thresholdLabel, foundLabel, thresholdBox,
            progressBar, scrollBothBox, chapterButton, exactPositionsBox, spellingLabel, spellingChooser, workArea, splitter, paneArea,
            leftPaneFrame, leftPane, rightPaneFrame, rightPane, sourceArea, rightList, leftList, rightPaneMenu,
            clearRightAction, copyRightAction, leftPaneMenu, clearLeftAction, copyLeftAction, menuBar,
            fileMenu, importAction, exportAction, printAction, exportPdfAction, quitAction, searchMenu,
            findAction, findNextAction, findPreviousAction, nextDifferenceAction, previousDifferenceAction, viewMenu, sourceTextsAction, languageAction, statisticsAction, apparatusAction, helpMenu, helpAction,
            aboutAction, noEditionsNotice, noEditionsText, noticeImportButton, stoppedNotice, stoppedText};
}

int MainWindowUi::SourceAreaHeight() const
{
    const QList<int> sizes = splitter->sizes();
    return sizes.size() > 1 ? sizes[1] : 0;
}

bool MainWindowUi::LeavesPanesReadable(int sourceHeight) const
{
    // Asked before the first showing: the work area takes the window's height first.
    workArea->layout()->activate();
    return splitter->height() - sourceHeight - splitter->handleWidth() >= paneArea->minimumHeight();
}

void MainWindowUi::PlaceFoundCount()
{
    // At the design width the count has room; in a narrower window the chapter
    // button, anchored right, comes closer, and the count and its caption move
    // left so that five digits stay clear of it.
    constexpr int kDesignCountLeft = 593;
    constexpr int kCaptionGap = 7;
    const int room = foundCount->fontMetrics().horizontalAdvance(QStringLiteral("88888"));
    const int left = std::min(kDesignCountLeft, chapterButton->x() - 4 - room);
    foundCount->move(left, foundCount->y());
    foundLabel->move(left - kCaptionGap - foundLabel->width(), foundLabel->y());
}

void MainWindowUi::SetSourceAreaHeight(int height)
{
    const int total = std::max(splitter->height(), height + 1);
    splitter->setSizes({std::max(0, total - height - splitter->handleWidth()), height});
}

} // namespace synopter
