#include "app/form1.h"

#include "chapters/ui/form2.h"
#include "common/file_io.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/panel.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/view_widths.h"
#include "compare/ui/rich_edit.h"
#include "editions/edition.h"
#include "editions/edition_check.h"
#include "editions/ui/source_list.h"
#include "import/ui/import_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
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

const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);

// Every component keeps its hint (the language files may set one for any of
// them); only the controls that show hints get a tooltip.
void SetHint(QWidget* w, const QString& hint, bool shown)
{
    w->setProperty("hint", hint);
    w->setProperty("showHint", shown);
    if (shown) {
        w->setToolTip(hint);
        w->setToolTipDuration(2147483647);
    }
}

void SetColours(QWidget* w, const QColor& text, const QColor& base)
{
    QPalette p = w->palette();
    if (text.isValid()) {
        p.setColor(QPalette::Text, text);
        p.setColor(QPalette::WindowText, text);
        p.setColor(QPalette::ButtonText, text);
    }
    if (base.isValid())
        p.setColor(QPalette::Base, base);
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

TForm1::TForm1(std::string programDir) : programDir_(std::move(programDir))
{
    setObjectName("Form1");
    setWindowTitle("Synopter");
    setFont(InterfaceFont());
    resize(kDesignWidth - kFrameWidth, kDesignHeight - kFrameHeight);
    setMinimumSize(670 - kFrameWidth, 400 - kFrameHeight);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(central);

    BuildTopBar(central);
    BuildBottomBar(central);
    BuildWorkArea(central);
    BuildNoEditionsNotice();
    column->addWidget(Panel1);
    column->addWidget(Panel3, 1);
    column->addWidget(Panel2);
    BuildMenus();
    SetTabOrder();

    components_ = {Panel1, cb2, cb1, bbStop, compare, Panel2, Label4, Label5, Label6, seAmountDiffer,
                   ProgressBar1, chbScrollBoth, BitBtn1, exactpositions, Panel3, Splitter1, Panel7,
                   Panel4, RichEdit1, Panel5, RichEdit2, Panel8, ListBox2, ListBox1, PopupMenu2,
                   CrearMajoritycomparison1, Copy1, PopupMenu1, ClearTRcomparison1, Copy2, menuBar(),
                   File1, Importedition1, View1, Sourcetexts1, Interfacelanguage1, Panel9, Label7, BitBtn2};

    panes_ = std::make_unique<ResultPanes>(
        RichEdit1, RichEdit2, Panel4, [this](int width) { Panel7->SetAlignedWidth(Panel4, width); }, programDir_);
    ShowMessage = [this](const QString& text, bool critical) {
        if (critical)
            QMessageBox::critical(this, QApplication::applicationDisplayName(), text);
        else
            QMessageBox::warning(this, QApplication::applicationDisplayName(), text);
    };
}

TForm1::~TForm1() = default;

void TForm1::BuildTopBar(QWidget* central)
{
    Panel1 = new TPanel("Panel1", central);
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

    connect(cb1, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { cb1Change(); }); });
    connect(cb2, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { cb2Change(); }); });
    connect(compare, &QPushButton::clicked, this, [this] { Guarded([this] { Compare1Click(); }); });
    connect(bbStop, &QPushButton::clicked, this, [this] { bbStopClick(); });
}

void TForm1::BuildBottomBar(QWidget* central)
{
    Panel2 = new TPanel("Panel2", central);
    Panel2->setFixedHeight(37);

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
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });

    exactpositions = check("exactpositions", "Exact positions", QRect(368, 8, 113, 17),
                           QString::fromUtf8("Указывать ли на перестановку слов?"));

    ProgressBar1->setGeometry(0, 37 - 11, kDesignClientWidth, 11);
    Panel2->AnchorRight(ProgressBar1, true, kDesignClientWidth);
}

void TForm1::BuildWorkArea(QWidget* central)
{
    Panel3 = new TPanel("Panel3", central);
    auto* p3 = new QVBoxLayout(Panel3);
    p3->setContentsMargins(0, 0, 0, 0);

    Splitter1 = new QSplitter(Qt::Vertical, Panel3);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    p3->addWidget(Splitter1);

    Panel7 = new TPanel("Panel7", Splitter1);
    Panel4 = new TPanel("Panel4", Panel7);
    Panel5 = new TPanel("Panel5", Panel7);
    Panel7->AlignLeft(Panel4, 400);
    Panel7->AlignClient(Panel5);

    const auto pane = [&](const char* name, TPanel* panel) {
        auto* edit = new TRichEdit(panel);
        edit->setObjectName(name);
        edit->setFont(GreekTextFont(16));
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, QColor(251, 251, 242));
        edit->setPalette(p);
        SetHint(edit, QString(), false);
        panel->AlignClient(edit);
        edit->verticalScrollBar()->setSingleStep(QFontMetrics(edit->font()).lineSpacing());
        return edit;
    };
    RichEdit1 = pane("RichEdit1", Panel4);
    RichEdit2 = pane("RichEdit2", Panel5);
    RichEdit1->installEventFilter(this);
    connect(RichEdit1, &TRichEdit::Entered, this, [this] { RichEdit1Enter(); });
    connect(RichEdit2, &TRichEdit::Entered, this, [this] { RichEdit2Enter(); });

    Panel8 = new TPanel("Panel8", Splitter1);
    const auto list = [&](const char* name) {
        auto* l = new TListBox(Panel8);
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
    Panel8->setMinimumHeight(0);
    SetPanel8Height(126);
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { Guarded([this] { Splitter1Moved(); }); });
}

void TForm1::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    QMenu* file = bar->addMenu("File");
    file->setObjectName("File1Menu");
    File1 = file->menuAction();
    File1->setObjectName("File1");
    Importedition1 = file->addAction(QString::fromUtf8("Import edition…"));
    Importedition1->setObjectName("Importedition1");
    connect(Importedition1, &QAction::triggered, this, [this] { Guarded([this] { Importedition1Click(); }); });
    QMenu* view = bar->addMenu("View");
    view->setObjectName("View1Menu");
    View1 = view->menuAction();
    View1->setObjectName("View1");
    Sourcetexts1 = view->addAction("Source texts");
    Sourcetexts1->setObjectName("Sourcetexts1");
    Sourcetexts1->setCheckable(true);
    Sourcetexts1->setChecked(true);
    // The handler flips the mark itself, so the action's own toggling is undone first.
    connect(Sourcetexts1, &QAction::triggered, this, [this] {
        Sourcetexts1->setChecked(!Sourcetexts1->isChecked());
        Guarded([this] { Sourcetexts1Click(); });
    });
    Interfacelanguage1 = view->addAction("Interface language");
    Interfacelanguage1->setObjectName("Interfacelanguage1");
    connect(Interfacelanguage1, &QAction::triggered, this, [this] { Guarded([this] { Interfacelanguage1Click(); }); });

    const auto popup = [&](const char* name, TRichEdit* pane, const char* clearName, const char* copyName,
                           QAction*& clearItem, QAction*& copyItem) {
        auto* menu = new QMenu(this);
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
        connect(pane, &QWidget::customContextMenuRequested, menu,
                [menu, pane](const QPoint& at) { menu->popup(pane->viewport()->mapToGlobal(at)); });
        connect(clearItem, &QAction::triggered, pane, [pane] { pane->Clear(); });
        connect(copyItem, &QAction::triggered, pane, [pane] { pane->copy(); });
        return menu;
    };
    PopupMenu2 = popup("PopupMenu2", RichEdit2, "CrearMajoritycomparison1", "Copy1", CrearMajoritycomparison1, Copy1);
    PopupMenu1 = popup("PopupMenu1", RichEdit1, "ClearTRcomparison1", "Copy2", ClearTRcomparison1, Copy2);
}

void TForm1::BuildNoEditionsNotice()
{
    // Over the result panes, where a comparison would show.
    Panel9 = new TPanel("Panel9", Panel7);
    Panel9->setAutoFillBackground(true);
    QPalette p = Panel9->palette();
    p.setColor(QPalette::Window, QColor(251, 251, 242));
    Panel9->setPalette(p);
    SetHint(Panel9, QString(), false);

    Label7 = new QLabel(QString::fromUtf8("No editions were found in %1. Synopter compares editions kept there as "
                                          "NAME.bk and NAME.dat. Bring a Greek text in with File ▸ Import edition…"),
                        Panel9);
    Label7->setObjectName("Label7");
    Label7->setTextFormat(Qt::PlainText);
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setFont(InterfaceFont(13));
    Label7->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetColours(Label7, kNavy, QColor());
    SetHint(Label7, QString(), false);

    BitBtn2 = new QPushButton(QString::fromUtf8("Import edition…"), Panel9);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setFont(InterfaceFont(11, true));
    SetColours(BitBtn2, kMaroon, QColor());
    BitBtn2->setCursor(Qt::PointingHandCursor);
    SetHint(BitBtn2, QString(), false);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { Importedition1Click(); }); });

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
    Panel7->installEventFilter(this);
}

void TForm1::UpdateNoEditionsNotice()
{
    // A translation puts the language's text with its %1 back; the directory
    // is filled in from that.
    if (Label7->text().contains("%1"))
        Label7->setProperty("pattern", Label7->text());
    QString dir = QDir::toNativeSeparators(FromLocal8Bit(programDir_));
    if (dir.size() > 1 && dir.endsWith(QDir::separator()))
        dir.chop(1);
    const QString pattern = Label7->property("pattern").toString();
    if (!pattern.isEmpty())
        Label7->setText(pattern.arg(dir));
    const bool empty = cb1->count() == 0;
    if (empty) {
        Panel9->setGeometry(Panel7->rect());
        Panel9->raise();
    }
    Panel9->setVisible(empty);
}

void TForm1::Importedition1Click()
{
    // A run reads the loaded lines; the catalogue is refilled after an import.
    if (running_)
        return;
    auto* dialog = findChild<TImportForm*>("ImportForm", Qt::FindDirectChildrenOnly);
    if (!dialog) {
        dialog = new TImportForm(programDir_, this);
        connect(dialog, &TImportForm::EditionWritten, this,
                [this](const QString& name) { Guarded([&] { EditionImported(ToLatin1(name)); }); });
    }
    dialog->Translate();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TForm1::EditionImported(const std::string& name)
{
    const QString added = FromLatin1(name);
    const QString was[] = {cb1->currentText(), cb2->currentText()};
    FillEditionLists();
    QComboBox* choosers[] = {cb1, cb2};
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
            Guarded([&] { LoadSide(side == 0); });
    }
}

void TForm1::SetTabOrder()
{
    const QList<QWidget*> order = {compare, cb2, cb1, bbStop, seAmountDiffer, chbScrollBoth,
                                   BitBtn1, exactpositions, RichEdit1, RichEdit2, ListBox1, ListBox2};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

QList<QObject*> TForm1::Components() const
{
    return components_;
}

void TForm1::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        ShowMessage(FromLocal8Bit(e.what()), true);
    }
}

bool TForm1::FormCreate()
{
    // Cancelled: the program ends. A failure (the choice could not be stored)
    // is shown and the rest of the creation is skipped; the program goes on.
    bool cancelled = false;
    bool settled = false;
    Guarded([&] {
        cancelled = !StartupLanguageStep();
        settled = true;
    });
    if (cancelled)
        return false;
    if (!settled)
        return true;
    QCoreApplication::processEvents();
    InstallScrollHooks();
    FillEditionLists();
    ReadSettings();
    Guarded([this] { cb1Change(); });
    Guarded([this] { cb2Change(); });
    FormResize();
    compare->setFocus();
    return true;
}

bool TForm1::FillEditionLists()
{
    const QSignalBlocker b1(cb1);
    const QSignalBlocker b2(cb2);
    cb1->clear();
    cb2->clear();
    const std::vector<std::string> names = ListEditions(programDir_);
    for (const std::string& name : names) {
        const QString text = FromLatin1(name);
        cb1->addItem(text);
        cb2->addItem(text);
    }
    cb1->setCurrentIndex(-1);
    cb2->setCurrentIndex(-1);
    UpdateNoEditionsNotice();
    return !names.empty();
}

void TForm1::cb1Change()
{
    LoadSide(true);
}

void TForm1::cb2Change()
{
    LoadSide(false);
}

void TForm1::LoadSide(bool left)
{
    TRichEdit* pane = left ? RichEdit1 : RichEdit2;
    TListBox* list = left ? ListBox1 : ListBox2;
    QComboBox* chooser = left ? cb1 : cb2;

    pane->Clear();
    list->Clear();
    const std::string name = ToLatin1(chooser->currentText());
    if (name.empty())
        return;
    const std::string textPath = EditionTextPath(programDir_, name);
    if (!FileExists(textPath))
        return;
    const EditionDescriptor descriptor = ReadEditionDescriptor(EditionDescriptorPath(programDir_, name));
    if (!left) {
        // Imported editions carry UTF-8 titles; older descriptors are Latin-1.
        SetHint(cb2, FromUtf8(ToUtf8(descriptor.information)), true);
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

int TForm1::Panel8Height() const
{
    const QList<int> sizes = Splitter1->sizes();
    return sizes.size() > 1 ? sizes[1] : 0;
}

void TForm1::SetPanel8Height(int height)
{
    const int total = std::max(Splitter1->height(), height + 1);
    Splitter1->setSizes({std::max(0, total - height - Splitter1->handleWidth()), height});
}

void TForm1::FormResize()
{
    // Widths measured before the first showing are not laid out yet; the
    // showing itself runs this again.
    if (!isVisible())
        return;
    Panel1->ApplyAnchors();
    Panel2->ApplyAnchors();
    panes_->BalancePaneWidths();

    BalanceWidths(ListBox1, ListBox2, ListBox1, [this](int width) { Panel8->SetAlignedWidth(ListBox1, width); });

    const int left = cb1->x() + cb1->width() + 10;
    compare->setGeometry(left, compare->y(), std::max(7, cb2->x() - left - 10), compare->height());
    const int stopLeft = cb1->x() + cb1->width() + 12;
    bbStop->setGeometry(stopLeft, bbStop->y(), std::max(5, cb2->x() - stopLeft - 12), bbStop->height());
    RichEdit1->viewport()->update();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The panels follow the window synchronously only once it is shown.
    centralWidget()->layout()->activate();
    FormResize();
}

void TForm1::Sourcetexts1Click()
{
    Sourcetexts1->setChecked(!Sourcetexts1->isChecked());
    Panel8->setVisible(Sourcetexts1->isChecked());
    if (Panel8->isVisibleTo(this))
        SetPanel8Height(100);
    RichEdit2->viewport()->update();
    RichEdit1->viewport()->update();
}

void TForm1::Splitter1Moved()
{
    // A drag that would leave the source texts 30 pixels high or less hides them.
    if (Panel8->isVisibleTo(this) && Panel8Height() <= 30) {
        SetPanel8Height(0);
        Sourcetexts1Click();
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel7 && event->type() == QEvent::Resize)
        Panel9->setGeometry(Panel7->rect());
    if (watched == RichEdit1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_End:
        case Qt::Key_Home:
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down: {
            // The right pane moves with the left one, whatever "Scroll Both" says.
            QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(RichEdit2, &copy);
            break;
        }
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::RichEdit1Enter()
{
    if (compare->isHidden())
        BitBtn1->setFocus();
}

void TForm1::RichEdit2Enter()
{
    if (compare->isHidden())
        BitBtn1->setFocus();
}

void TForm1::BitBtn1Click()
{
    if (!form2_)
        return;
    if (!form2_->isVisible())
        form2_->show();
    form2_->raise();
    form2_->activateWindow();
}

void TForm1::GoToChapter(const std::string& label)
{
    const QString text = FromLatin1(label);
    for (TRichEdit* pane : {RichEdit1, RichEdit2}) {
        const int line = pane->LastLineEqualTo(text);
        if (line >= 0)
            pane->ScrollToLine(line);
    }
    for (TListBox* list : {ListBox1, ListBox2}) {
        const std::vector<std::string>& lines = list->Lines();
        for (size_t i = lines.size(); i-- > 0;) {
            if (lines[i] == label) {
                list->SetTopIndex(int(i));
                break;
            }
        }
    }
}

void TForm1::RestoreResultPanes()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    panes_->BalancePaneWidths();
    Guarded([this] { LoadPaneFromFile(RichEdit1, panes_->LeftPath()); });
    Guarded([this] { LoadPaneFromFile(RichEdit2, panes_->RightPath()); });
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    FormResize();
    RestoreResultPanes();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A run in progress ends at its next step; its partial results are saved.
    stopFlag_ = true;
    // An import in progress is stopped; nothing of it is written.
    if (auto* dialog = findChild<TImportForm*>("ImportForm", Qt::FindDirectChildrenOnly))
        dialog->close();
    Guarded([this] { FormClose(); });
    if (form2_)
        form2_->hide();
    event->accept();
}

void TForm1::Compare1Click()
{
    if (running_)
        return;
    // Editions that cannot be paired line by line are named before anything
    // runs; the previous results stay.
    if (const auto problem = ComparisonProblem(ToLatin1(cb1->currentText()), ListBox1->Lines(),
                                               ToLatin1(cb2->currentText()), ListBox2->Lines())) {
        ShowMessage(FromUtf8(*problem), false);
        return;
    }
    exactpositions->setEnabled(false);
    cb1->setEnabled(false);
    cb2->setEnabled(false);
    seAmountDiffer->setEnabled(false);
    compare->hide();
    stopFlag_ = false;
    bbStop->setFocus();
    Label4->setText("0");
    Label4->adjustSize();
    running_ = true;
    slice_.start();

    // The controls come back however the run ends, an error included.
    struct RunState {
        TForm1* form;
        ~RunState()
        {
            form->running_ = false;
            for (QWidget* w : {static_cast<QWidget*>(form->cb1), static_cast<QWidget*>(form->cb2),
                               static_cast<QWidget*>(form->exactpositions), static_cast<QWidget*>(form->seAmountDiffer)})
                w->setEnabled(true);
            form->compare->show();
            form->ProgressBar1->setValue(0);
        }
    };
    {
        const RunState restore{this};
        RunOptions options;
        options.threshold = seAmountDiffer->value();
        options.exactPositions = exactpositions->isChecked();
        if (form2_)
            form2_->ClearChapters();
        panes_->Clear();
        ProgressBar1->setRange(0, std::max(1, int(RunLength(ListBox1->Lines(), ListBox2->Lines()))));
        ComparisonRun(ListBox1->Lines(), ListBox2->Lines(), options, *this);
        // Also a stopped run keeps what it found.
        SaveResultFiles();
    }
    QApplication::beep();
}

void TForm1::bbStopClick()
{
    stopFlag_ = true;
}

void TForm1::Chapter(const std::string& heading)
{
    if (form2_)
        form2_->AddChapter(heading);
    panes_->AppendHeading(heading);
}

void TForm1::FoundCount(int found)
{
    Label4->setText(QString::number(found));
    Label4->adjustSize();
}

void TForm1::VersePair(const std::string& right, const std::string& left,
                       const MatchMask& rightMask, const MatchMask& leftMask)
{
    panes_->AppendVersePair(right, left, rightMask, leftMask);
}

bool TForm1::Progress(int line)
{
    // Processing events after every one of 8000 lines would cost more than the
    // comparison itself; a slice of a sixtieth of a second keeps the window live.
    if (slice_.elapsed() >= kEventSliceMs) {
        ProgressBar1->setValue(line);
        RichEdit1->ScrollLines(-1000);
        RichEdit2->ScrollLines(-1000);
        QCoreApplication::processEvents();
        slice_.restart();
    }
    return !stopFlag_;
}

void TForm1::SaveResultFiles()
{
    const std::vector<std::string> failures = panes_->SaveResultFiles(form2_ ? form2_->Chapters() : std::vector<std::string>{});
    if (failures.empty())
        return;
    QString text = "The results could not be saved:";
    for (const std::string& f : failures)
        text += "\n" + FromLocal8Bit(f);
    ShowMessage(text, false);
}

} // namespace synopter
