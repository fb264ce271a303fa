#include "chapters/ui/chapter_window.h"
#include "chapters/ui/chapter_window_names.h"

#include "chapters/chapter_list.h"
#include "common/program_files.h"
#include "common/ui/frame_margins.h"
#include "common/ui/greek_accessibility.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "language/ui/translate_form.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QShowEvent>
#include <QVBoxLayout>

namespace synopter {

namespace names = chapter_window_names;

namespace {

constexpr int kRowHeight = 14;
constexpr int kIndent = 10;   // chapters under their book row
constexpr int kCountGap = 8;  // between a label and its count
constexpr int kCountRole = Qt::UserRole;      // reported verses of the chapter
constexpr int kBookRole = Qt::UserRole + 1;   // the book's title, on its first chapter
constexpr int kBookTotalRole = Qt::UserRole + 2;

const QString kDash = QString::fromUtf8(" \u2014 ");

QString BookRowTail(const QModelIndex& index) { return kDash + QString::number(index.data(kBookTotalRole).toInt()); }

// A row as a screen reader gives it: labels as the Greek the list's font
// shows, counts as they are.
void SetSpokenRow(QListWidgetItem& item)
{
    QString row = TransliterationAsGreek(item.text());
    if (item.data(kCountRole).isValid())
        row += "  " + QString::number(item.data(kCountRole).toInt());
    if (item.data(kBookRole).isValid())
        row = TransliterationAsGreek(item.data(kBookRole).toString()) + kDash +
              QString::number(item.data(kBookTotalRole).toInt()) + ", " + row;
    item.setData(Qt::AccessibleTextRole, row);
}

// Every row as high as designed, whatever the font's own spacing. With counts:
// chapter rows with their counts, a book row drawn above each book's first
// chapter (one item, so a double click there takes that chapter). Labels in
// the view's font, which draws them as Greek; counts in the interface font.
class CountsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(index.data(kBookRole).isValid() ? 2 * kRowHeight : kRowHeight);
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!index.data(kCountRole).isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QFont numbers = InterfaceFont();
        QRect row = option.rect;
        painter->save();
        if (index.data(kBookRole).isValid()) {
            QRect book = row;
            book.setHeight(kRowHeight);
            row.setTop(book.bottom() + 1);
            const QString title = index.data(kBookRole).toString();
            painter->setPen(QColor(128, 0, 0));
            painter->setFont(option.font);
            painter->drawText(book.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
            painter->setFont(numbers);
            painter->drawText(book.adjusted(2 + QFontMetrics(option.font).horizontalAdvance(title), 0, 0, 0),
                              Qt::AlignLeft | Qt::AlignVCenter, BookRowTail(index));
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.rect = row;
        opt.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QString label = index.data(Qt::DisplayRole).toString();
        const QRect text = row.adjusted(2 + kIndent, 0, 0, 0);
        painter->setFont(option.font);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, label);
        painter->setFont(numbers);
        painter->drawText(text.adjusted(QFontMetrics(option.font).horizontalAdvance(label) + kCountGap, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, QString::number(index.data(kCountRole).toInt()));
        painter->restore();
    }
};

} // namespace

ChapterWindow::ChapterWindow(QWidget* mainWindow, std::string programDir, const InterfaceLanguage& language,
                             UserMessages& messages, GoToChapter goToChapter)
    : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow), programDir_(std::move(programDir)), language_(language),
      messages_(messages), goToChapter_(std::move(goToChapter))
{
    setObjectName(names::window);
    setWindowTitle("Chapters");
    // Closing only hides the navigator; the list stays for the next showing.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(InterfaceFont());
    resize(174, 467);

    chapterList_ = new QListWidget(this);
    chapterList_->setObjectName(names::chapterList);
    chapterList_->setSelectionMode(QAbstractItemView::SingleSelection);
    chapterList_->setUniformItemSizes(true);
    chapterList_->setFont(GreekTextFont(13));
    chapterList_->setAccessibleName("Chapters"); // ListBox1_name in the language files
    // Every chapter line is as high as designed, whatever the font's own spacing.
    chapterList_->setItemDelegate(new CountsDelegate(chapterList_));
    QPalette pal = chapterList_->palette();
    pal.setColor(QPalette::Base, QColor(245, 245, 245));
    pal.setColor(QPalette::Text, QColor(0, 0, 128));
    chapterList_->setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chapterList_);

    // One click on a chapter goes to it (on a book row, to the book's first
    // chapter, that row being part of its item); the arrow keys only move the
    // current item, and Enter goes to it.
    connect(chapterList_, &QListWidget::itemClicked, this, &ChapterWindow::GoToItem);
    chapterList_->installEventFilter(this);
    // A double click anywhere in the list acts on the selected item, as on a
    // classic list box, not only one on an item.
    chapterList_->viewport()->installEventFilter(this);
}

QList<QObject*> ChapterWindow::Components() const
{
    return {chapterList_};
}

bool ChapterWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The first click of a double click on an item has already gone there.
    if (watched == chapterList_->viewport() && event->type() == QEvent::MouseButtonDblClick
        && !chapterList_->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
        GoToChosenChapter();
    if (watched == chapterList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GoToItem(chapterList_->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChapterWindow::ClearChapters()
{
    chapterList_->clear();
    ClearCounts();
}

void ChapterWindow::SetCounts(const ResultSummary& summary)
{
    std::vector<std::string> labels;
    for (const BookCount& book : summary.books)
        for (const ChapterCount& chapter : book.chapters)
            labels.push_back(chapter.heading);
    if (labels != Chapters()) {
        chapterList_->clear();
        for (const std::string& label : labels)
            chapterList_->addItem(FromLatin1(label));
    }
    int row = 0;
    for (const BookCount& book : summary.books) {
        for (size_t k = 0; k < book.chapters.size(); ++k, ++row) {
            QListWidgetItem* item = chapterList_->item(row);
            item->setData(kCountRole, book.chapters[k].reported);
            item->setData(kBookRole, k == 0 ? QVariant(FromLatin1(book.title)) : QVariant());
            item->setData(kBookTotalRole, k == 0 ? QVariant(book.reported) : QVariant());
            SetSpokenRow(*item);
        }
    }
    hasCounts_ = true;
    chapterList_->setUniformItemSizes(false);
    if (isVisible() && WidthForLabels() > width())
        FormShow();
}

void ChapterWindow::ClearCounts()
{
    if (!hasCounts_)
        return;
    hasCounts_ = false;
    for (int i = 0; i < chapterList_->count(); ++i) {
        QListWidgetItem* item = chapterList_->item(i);
        for (int role : {kCountRole, kBookRole, kBookTotalRole})
            item->setData(role, QVariant());
        SetSpokenRow(*item);
    }
    chapterList_->setUniformItemSizes(true);
}

QStringList ChapterWindow::Rows() const
{
    QStringList rows;
    for (int i = 0; i < chapterList_->count(); ++i) {
        const QModelIndex index = chapterList_->model()->index(i, 0);
        if (index.data(kBookRole).isValid())
            rows << index.data(kBookRole).toString() + BookRowTail(index);
        rows << (index.data(kCountRole).isValid()
                     ? index.data().toString() + "  " + QString::number(index.data(kCountRole).toInt())
                     : index.data().toString());
    }
    return rows;
}

void ChapterWindow::AddChapter(const std::string& label)
{
    chapterList_->addItem(FromLatin1(label));
    SetSpokenRow(*chapterList_->item(chapterList_->count() - 1));
    // A label wider than the window widens it while it is shown.
    if (isVisible() && WidthFor(QFontMetrics(chapterList_->font()).horizontalAdvance(chapterList_->item(chapterList_->count() - 1)->text())) > width())
        FormShow();
}

std::vector<std::string> ChapterWindow::Chapters() const
{
    std::vector<std::string> out;
    out.reserve(size_t(chapterList_->count()));
    for (int i = 0; i < chapterList_->count(); ++i)
        out.push_back(ToLatin1(chapterList_->item(i)->text()));
    return out;
}

void ChapterWindow::Start()
{
    chapterList_->clear();
    try {
        for (const std::string& label : LoadChapterList(ChapterListPath(programDir_)))
            AddChapter(label);
    } catch (const std::exception& e) {
        // A list that exists but cannot be read is reported; the window stays as built.
        messages_.Show(FromLocal8Bit(e.what()), MessageKind::Error);
        return;
    }
    Translate();
}

void ChapterWindow::Translate()
{
    TranslateForm(*this, Components(), language_);
}

void ChapterWindow::GoToChosenChapter()
{
    const QList<QListWidgetItem*> selected = chapterList_->selectedItems();
    if (selected.isEmpty() || !goToChapter_)
        return;
    GoToItem(selected.first());
}

void ChapterWindow::GoToItem(const QListWidgetItem* item)
{
    if (item && goToChapter_)
        goToChapter_(ToLatin1(item->text()));
}

void ChapterWindow::FormShow()
{
    const QRect main = mainWindow_->frameGeometry();
    const QRect screen = NavigatorScreen();
    // Before its first showing the window system has not told us our frame;
    // the main window's is the best guess, both being decorated alike.
    QMargins frame = FrameMargins(this);
    if (frame.isNull())
        frame = FrameMargins(mainWindow_);
    // Wide enough for the longest chapter label, never narrower than the user made it.
    const int wanted = std::max(width(), WidthForLabels());
    const ScreenRect place = NavigatorPlace({main.left(), main.top(), main.width(), main.height()},
                                            wanted + frame.left() + frame.right(),
                                            {screen.left(), screen.top(), screen.width(), screen.height()});
    // Placed by its inside: before the first showing a move would be taken for
    // the inside too, leaving the frame a title bar higher than the main window's.
    setGeometry(QRect(QPoint(place.left, place.top), QSize(place.width, place.height)).marginsRemoved(frame));
}

QRect ChapterWindow::NavigatorScreen() const
{
    // The screen holding most of the main window, else the one it was last on.
    const QScreen* screen = QGuiApplication::screenAt(mainWindow_->frameGeometry().center());
    if (!screen)
        screen = mainWindow_->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

int ChapterWindow::WidthForLabels() const
{
    int widest = 0;
    for (int i = 0; i < chapterList_->count(); ++i)
        widest = std::max(widest, RowsWidth(i));
    return WidthFor(widest);
}

// The wider of an item's rows: its label (with indent and count) and its book row.
int ChapterWindow::RowsWidth(int item) const
{
    const QFontMetrics labels(chapterList_->font());
    const QModelIndex index = chapterList_->model()->index(item, 0);
    const int label = labels.horizontalAdvance(index.data().toString());
    if (!index.data(kCountRole).isValid())
        return label;
    const QFontMetrics numbers(InterfaceFont());
    int width = kIndent + label + kCountGap + numbers.horizontalAdvance(QString::number(index.data(kCountRole).toInt()));
    if (index.data(kBookRole).isValid())
        width = std::max(width, labels.horizontalAdvance(index.data(kBookRole).toString())
                                    + numbers.horizontalAdvance(BookRowTail(index)));
    return width;
}

int ChapterWindow::WidthFor(int labelWidth) const
{
    return labelWidth + 2 * chapterList_->frameWidth() + chapterList_->verticalScrollBar()->sizeHint().width() + 8;
}

void ChapterWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

} // namespace synopter
