#include "app/main_window_ui.h"

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
    window->setObjectName("Form1");
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
    Panel11 = new FindBar(central);
    column->addWidget(Panel1);
    column->addWidget(Panel10);
    column->addWidget(Panel3, 1);
    column->addWidget(Panel11);
    column->addWidget(Panel2);
    BuildMenus(window);
    SetTabOrder();
    NameForAssistiveTechnology();
}

void MainWindowUi::NameForAssistiveTechnology()
{
    // The language files give these again (NAME_name); these are the texts
    // before any language is chosen.
    const std::pair<QWidget*, const char*> names[] = {
        {cb1, "Left edition"},      {cb2, "Right edition"},         {compare, "Compare"},
        {bbStop, "Stop"},           {seAmountDiffer, "Threshold"}, {Label4, "Verses found"},
        {ProgressBar1, "Progress of the comparison"},               {BitBtn1, "Chapters"},
        {RichEdit1, "Left results"}, {RichEdit2, "Right results"}, {ListBox1, "Left source text"},
        {ListBox2, "Right source text"},  {cbSpelling, "Spelling variants"}};
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(name);
}

void MainWindowUi::BuildTopBar()
{
    Panel1 = new Panel("Panel1", central);
    Panel1->setFixedHeight(25);

    const auto chooser = [&](const char* name, QRect geometry) {
        auto* cb = new QComboBox(Panel1);
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
    cb2 = chooser("cb2", QRect(441, 2, 225, 21));
    cb1 = chooser("cb1", QRect(8, 2, 217, 21));
    cb2->setProperty("showHint", true);

    // The stop button lies beneath COMPARE and shows only while a run hides it.
    bbStop = new QPushButton("X", Panel1);
    bbStop->setObjectName("bbStop");
    bbStop->setGeometry(280, 0, 94, 25);
    bbStop->setFont(InterfaceFont(19, true));
    SetColours(bbStop, Qt::red, QColor());
    bbStop->setCursor(Qt::PointingHandCursor);
    SetHint(bbStop, QString(), false);

    compare = new QPushButton("<--- COMPARE --->", Panel1);
    compare->setObjectName("compare");
    compare->setGeometry(232, 0, 198, 25);
    compare->setFont(InterfaceFont(11, true));
    SetColours(compare, kMaroon, QColor());
    compare->setCursor(Qt::PointingHandCursor);
    SetHint(compare, QString::fromUtf8("Начать сравнение книг"), true);
    compare->raise();

    Panel1->AnchorRight(cb2, false, kDesignClientWidth);
    Panel1->AnchorRight(compare, true, kDesignClientWidth);
    Panel1->AnchorRight(bbStop, true, kDesignClientWidth);
}

void MainWindowUi::BuildBottomBar()
{
    Panel2 = new Panel("Panel2", central);
    // Two rows: the run's options, then how spelling variants count.
    Panel2->setFixedHeight(kBottomBarHeight);

    const auto label = [&](const char* name, const QString& text, QRect geometry, Qt::Alignment align) {
        auto* l = new QLabel(text, Panel2);
        l->setObjectName(name);
        l->setGeometry(geometry);
        l->setAlignment(align | Qt::AlignTop);
        l->setFont(InterfaceFont(11, true));
        SetHint(l, QString(), false);
        return l;
    };
    Label4 = label("Label4", "   ", QRect(593, 8, 40, 13), Qt::AlignLeft);
    SetColours(Label4, kNavy, QColor());
    SetHint(Label4, QString::fromUtf8("Количество обнаруженых стихов с разночтениями"), true);
    Label5 = label("Label5", "Amount of differences:", QRect(28, 8, 129, 13), Qt::AlignRight);
    Label6 = label("Label6", "Found verses:", QRect(505, 8, 81, 13), Qt::AlignRight);

    seAmountDiffer = new QSpinBox(Panel2);
    seAmountDiffer->setObjectName("seAmountDiffer");
    seAmountDiffer->setGeometry(168, 2, 49, 22);
    seAmountDiffer->setRange(kMinThreshold, kMaxThreshold);
    seAmountDiffer->setValue(kDefaultThreshold);
    seAmountDiffer->setFont(InterfaceFont(11, true));
    SetColours(seAmountDiffer, kNavy, QColor());
    seAmountDiffer->setCursor(Qt::PointingHandCursor);
    SetHint(seAmountDiffer, QString::fromUtf8("Длина разночтения"), true);

    ProgressBar1 = new QProgressBar(Panel2);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    const auto check = [&](const char* name, const QString& text, QRect geometry, const QString& hint) {
        auto* c = new QCheckBox(text, Panel2);
        c->setObjectName(name);
        c->setGeometry(geometry);
        c->setCursor(Qt::PointingHandCursor);
        SetHint(c, hint, true);
        return c;
    };
    chbScrollBoth = check("chbScrollBoth", "Scroll Both", QRect(232, 8, 129, 17),
                          QString::fromUtf8("Прокручивать окна синхронно"));

    BitBtn1 = new QPushButton(Panel2);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(641, 0, 27, 25);
    BitBtn1->setIcon(ChapterIcon());
    BitBtn1->setIconSize(QSize(20, 20));
    BitBtn1->setCursor(Qt::PointingHandCursor);
    SetHint(BitBtn1, "Goto chapter", true);
    Panel2->AnchorRight(BitBtn1, false, kDesignClientWidth);

    exactpositions = check("exactpositions", "Exact positions", QRect(368, 8, 113, 17),
                           QString::fromUtf8("Указывать ли на перестановку слов?"));

    Label12 = label("Label12", "Spelling variants:", QRect(28, 33, 129, 13), Qt::AlignRight);
    cbSpelling = new QComboBox(Panel2);
    cbSpelling->setObjectName("cbSpelling");
    cbSpelling->setGeometry(168, 28, 193, 22);
    // In the order of SpellingMode.
    cbSpelling->addItems({"count as differences", "marked in green", "ignored"});
    SetColours(cbSpelling, kNavy, QColor(247, 247, 247));
    cbSpelling->setCursor(Qt::PointingHandCursor);
    SetHint(cbSpelling, "Whether words that differ only in spelling count towards the threshold", true);

    ProgressBar1->setGeometry(0, kBottomBarHeight - 11, kDesignClientWidth, 11);
    Panel2->AnchorRight(ProgressBar1, true, kDesignClientWidth);
}

void MainWindowUi::BuildWorkArea()
{
    Panel3 = new Panel("Panel3", central);
    auto* p3 = new QVBoxLayout(Panel3);
    p3->setContentsMargins(0, 0, 0, 0);

    Splitter1 = new QSplitter(Qt::Vertical, Panel3);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    p3->addWidget(Splitter1);

    Panel7 = new Panel("Panel7", Splitter1);
    Panel4 = new Panel("Panel4", Panel7);
    Panel5 = new Panel("Panel5", Panel7);
    Panel7->AlignLeft(Panel4, 400);
    Panel7->AlignClient(Panel5);

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
    RichEdit1 = pane("RichEdit1", Panel4);
    RichEdit2 = pane("RichEdit2", Panel5);

    Panel8 = new Panel("Panel8", Splitter1);
    const auto list = [&](const char* name) {
        auto* l = new SourceList(Panel8);
        l->setObjectName(name);
        l->setFont(GreekTextFont(16));
        SetColours(l, QColor(), QColor(247, 247, 247));
        SetHint(l, QString(), false);
        return l;
    };
    ListBox2 = list("ListBox2");
    ListBox1 = list("ListBox1");
    Panel8->AlignLeft(ListBox1, 400);
    Panel8->AlignClient(ListBox2);

    Splitter1->addWidget(Panel7);
    Splitter1->addWidget(Panel8);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setCollapsible(1, true);
    // Neither side is dragged below a few text lines; the source area may still
    // be dragged shut, which hides it.
    const auto readable = [](const QAbstractScrollArea* view) {
        return kReadableLines * QFontMetrics(view->font()).lineSpacing() + 2 * view->frameWidth() +
               view->horizontalScrollBar()->sizeHint().height() + 4;
    };
    Panel7->setMinimumHeight(readable(RichEdit1));
    Panel8->setMinimumHeight(readable(ListBox1));
    SetSourceAreaHeight(126);
}

void MainWindowUi::BuildMenus(QMainWindow* window)
{
    MainMenu1 = window->menuBar();
    MainMenu1->setObjectName("MainMenu1");
    QMenu* file = MainMenu1->addMenu("&File");
    file->setObjectName("File1Menu");
    File1 = file->menuAction();
    File1->setObjectName("File1");
    Importedition1 = file->addAction(QString::fromUtf8("&Import edition…"));
    Importedition1->setObjectName("Importedition1");
    file->addSeparator();
    Exportresults1 = file->addAction(QString::fromUtf8("&Export results…"));
    Exportresults1->setObjectName("Exportresults1");
    Print1 = file->addAction(QString::fromUtf8("&Print…"));
    Print1->setObjectName("Print1");
    Print1->setShortcut(QKeySequence::Print);
    ExportPDF1 = file->addAction(QString::fromUtf8("Export as P&DF…"));
    ExportPDF1->setObjectName("ExportPDF1");
    file->addSeparator();
    Quit1 = file->addAction("&Quit");
    Quit1->setObjectName("Quit1");
    Quit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* search = MainMenu1->addMenu("&Search");
    search->setObjectName("Search1Menu");
    Search1 = search->menuAction();
    Search1->setObjectName("Search1");
    Find1 = search->addAction(QString::fromUtf8("&Find…"));
    Find1->setObjectName("Find1");
    Find1->setShortcut(QKeySequence::Find);
    Findnext1 = search->addAction("Find ne&xt");
    Findnext1->setObjectName("Findnext1");
    Findnext1->setShortcut(QKeySequence(Qt::Key_F3));
    Findprevious1 = search->addAction("Find pre&vious");
    Findprevious1->setObjectName("Findprevious1");
    Findprevious1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    search->addSeparator();
    Nextdifference1 = search->addAction("&Next difference");
    Nextdifference1->setObjectName("Nextdifference1");
    Nextdifference1->setShortcut(QKeySequence(Qt::Key_F7));
    Previousdifference1 = search->addAction("&Previous difference");
    Previousdifference1->setObjectName("Previousdifference1");
    Previousdifference1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
    QMenu* view = MainMenu1->addMenu("&View");
    view->setObjectName("View1Menu");
    View1 = view->menuAction();
    View1->setObjectName("View1");
    Sourcetexts1 = view->addAction("&Source texts");
    Sourcetexts1->setObjectName("Sourcetexts1");
    Sourcetexts1->setCheckable(true);
    Sourcetexts1->setChecked(true);
    Interfacelanguage1 = view->addAction("&Interface language");
    Interfacelanguage1->setObjectName("Interfacelanguage1");
    Statistics1 = view->addAction(QString::fromUtf8("S&tatistics…"));
    Statistics1->setObjectName("Statistics1");
    Apparatus1 = view->addAction(QString::fromUtf8("&Apparatus…"));
    Apparatus1->setObjectName("Apparatus1");
    QMenu* help = MainMenu1->addMenu("&Help");
    help->setObjectName("Help1Menu");
    Help1 = help->menuAction();
    Help1->setObjectName("Help1");
    SynopterHelp1 = help->addAction("Synopter &Help");
    SynopterHelp1->setObjectName("SynopterHelp1");
    SynopterHelp1->setShortcut(QKeySequence::HelpContents);
    AboutSynopter1 = help->addAction("&About Synopter");
    AboutSynopter1->setObjectName("AboutSynopter1");

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
    PopupMenu2 = popup("PopupMenu2", RichEdit2, "CrearMajoritycomparison1", "Copy1", CrearMajoritycomparison1, Copy1);
    PopupMenu1 = popup("PopupMenu1", RichEdit1, "ClearTRcomparison1", "Copy2", ClearTRcomparison1, Copy2);
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
    Panel10 = NoticePanel("Panel10", central, QColor(255, 244, 206));
    Label8 = new QLabel(QString::fromUtf8("The comparison was stopped at %1: these results are incomplete."), Panel10);
    Label8->setObjectName("Label8");
    Label8->setTextFormat(Qt::PlainText);
    Label8->setFont(InterfaceFont(11, true));
    SetColours(Label8, kMaroon, QColor(), true);
    SetHint(Label8, QString(), false);
    auto* row = new QHBoxLayout(Panel10);
    row->setContentsMargins(8, 3, 8, 3);
    row->addWidget(Label8, 1);
    Panel10->hide();
}

void MainWindowUi::BuildNoEditionsNotice()
{
    // Over the result panes, where a comparison would show.
    Panel9 = NoticePanel("Panel9", Panel7, QColor(251, 251, 242));

    Label7 = new QLabel(QString::fromUtf8("No editions were found in %1. Synopter compares editions kept there as "
                                          "NAME.bk and NAME.dat. Bring a Greek text in with File ▸ Import edition…"),
                        Panel9);
    Label7->setObjectName("Label7");
    Label7->setTextFormat(Qt::PlainText);
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setFont(InterfaceFont(13));
    Label7->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetColours(Label7, kNavy, QColor(), true);
    SetHint(Label7, QString(), false);

    BitBtn2 = new QPushButton(QString::fromUtf8("Import edition…"), Panel9);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setFont(InterfaceFont(11, true));
    SetColours(BitBtn2, kMaroon, QColor());
    BitBtn2->setCursor(Qt::PointingHandCursor);
    SetHint(BitBtn2, QString(), false);

    // The text takes the middle of the width; a wrapped label given an
    // alignment in its layout would lose its height for that width.
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(Label7, 6);
    row->addStretch(1);
    auto* column = new QVBoxLayout(Panel9);
    column->addStretch();
    column->addLayout(row);
    column->addSpacing(12);
    column->addWidget(BitBtn2, 0, Qt::AlignHCenter);
    column->addStretch(2);

    Panel9->hide();
}

void MainWindowUi::SetTabOrder()
{
    const QList<QWidget*> order = {compare, cb2, cb1, bbStop, seAmountDiffer, chbScrollBoth,
                                   BitBtn1, exactpositions, cbSpelling, RichEdit1, RichEdit2, ListBox1, ListBox2};
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

QList<QObject*> MainWindowUi::Components() const
{
    return {Panel1, cb2, cb1, bbStop, compare, Panel2, Label4, Label5, Label6, seAmountDiffer,
            ProgressBar1, chbScrollBoth, BitBtn1, exactpositions, Label12, cbSpelling, Panel3, Splitter1, Panel7,
            Panel4, RichEdit1, Panel5, RichEdit2, Panel8, ListBox2, ListBox1, PopupMenu2,
            CrearMajoritycomparison1, Copy1, PopupMenu1, ClearTRcomparison1, Copy2, MainMenu1,
            File1, Importedition1, Exportresults1, Print1, ExportPDF1, Quit1, Search1,
            Find1, Findnext1, Findprevious1, Nextdifference1, Previousdifference1, View1, Sourcetexts1, Interfacelanguage1, Statistics1, Apparatus1, Help1, SynopterHelp1,
            AboutSynopter1, Panel9, Label7, BitBtn2, Panel10, Label8};
}

int MainWindowUi::SourceAreaHeight() const
{
    const QList<int> sizes = Splitter1->sizes();
    return sizes.size() > 1 ? sizes[1] : 0;
}

bool MainWindowUi::LeavesPanesReadable(int sourceHeight) const
{
    // Asked before the first showing: the work area takes the window's height first.
    Panel3->layout()->activate();
    return Splitter1->height() - sourceHeight - Splitter1->handleWidth() >= Panel7->minimumHeight();
}

void MainWindowUi::PlaceFoundCount()
{
    // At the design width the count has room; in a narrower window the chapter
    // button, anchored right, comes closer, and the count and its caption move
    // left so that five digits stay clear of it.
    constexpr int kDesignCountLeft = 593;
    constexpr int kCaptionGap = 7;
    const int room = Label4->fontMetrics().horizontalAdvance(QStringLiteral("88888"));
    const int left = std::min(kDesignCountLeft, BitBtn1->x() - 4 - room);
    Label4->move(left, Label4->y());
    Label6->move(left - kCaptionGap - Label6->width(), Label6->y());
}

void MainWindowUi::SetSourceAreaHeight(int height)
{
    const int total = std::max(Splitter1->height(), height + 1);
    Splitter1->setSizes({std::max(0, total - height - Splitter1->handleWidth()), height});
}

} // namespace synopter
