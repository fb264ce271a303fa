#include "chapters/ui/form2.h"

#include "chapters/chapter_list.h"
#include "common/program_files.h"
#include "common/ui/frame_margins.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/item_height_delegate.h"
#include "common/ui/qt_bytes.h"
#include "language/ui/translate_form.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace synopter {

TForm2::TForm2(QWidget* mainWindow, std::string programDir, const InterfaceLanguage& language,
               GoToChapter goToChapter)
    : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow), programDir_(std::move(programDir)), language_(language),
      goToChapter_(std::move(goToChapter))
{
    setObjectName("Form2");
    setWindowTitle("Chapters");
    // Closing only hides the navigator; the list stays for the next showing.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(InterfaceFont());
    resize(174, 467);

    listBox1_ = new QListWidget(this);
    listBox1_->setObjectName("ListBox1");
    listBox1_->setSelectionMode(QAbstractItemView::SingleSelection);
    listBox1_->setUniformItemSizes(true);
    listBox1_->setFont(GreekTextFont(13));
    // Every chapter line is as high as designed, whatever the font's own spacing.
    listBox1_->setItemDelegate(new ItemHeightDelegate([] { return 14; }, false, listBox1_));
    QPalette pal = listBox1_->palette();
    pal.setColor(QPalette::Base, QColor(245, 245, 245));
    pal.setColor(QPalette::Text, QColor(0, 0, 128));
    listBox1_->setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(listBox1_);

    // A double click anywhere in the list acts on the selected item, as on a
    // classic list box, not only one on an item.
    listBox1_->viewport()->installEventFilter(this);
}

QList<QObject*> TForm2::Components() const
{
    return {listBox1_};
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    // The first click of a double click has already selected its item.
    if (watched == listBox1_->viewport() && event->type() == QEvent::MouseButtonDblClick)
        ListBox1DblClick();
    return QWidget::eventFilter(watched, event);
}

void TForm2::ClearChapters()
{
    listBox1_->clear();
}

void TForm2::AddChapter(const std::string& label)
{
    listBox1_->addItem(FromLatin1(label));
    // A label wider than the window widens it while it is shown.
    if (isVisible() && WidthFor(QFontMetrics(listBox1_->font()).horizontalAdvance(listBox1_->item(listBox1_->count() - 1)->text())) > width())
        FormShow();
}

std::vector<std::string> TForm2::Chapters() const
{
    std::vector<std::string> out;
    out.reserve(size_t(listBox1_->count()));
    for (int i = 0; i < listBox1_->count(); ++i)
        out.push_back(ToLatin1(listBox1_->item(i)->text()));
    return out;
}

void TForm2::FormCreate()
{
    listBox1_->clear();
    try {
        for (const std::string& label : LoadChapterList(ChapterListPath(programDir_)))
            AddChapter(label);
    } catch (const std::exception& e) {
        // A list that exists but cannot be read is reported; the window stays as built.
        QMessageBox::critical(mainWindow_, QGuiApplication::applicationDisplayName(), FromLocal8Bit(e.what()));
        return;
    }
    Translate();
}

void TForm2::Translate()
{
    TranslateForm(*this, Components(), language_);
}

void TForm2::ListBox1DblClick()
{
    const QList<QListWidgetItem*> selected = listBox1_->selectedItems();
    if (selected.isEmpty() || !goToChapter_)
        return;
    goToChapter_(ToLatin1(selected.first()->text()));
}

void TForm2::FormShow()
{
    const QRect main = mainWindow_->frameGeometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    // Before its first showing the window system has not told us our frame;
    // the main window's is the best guess, both being decorated alike.
    QMargins frame = FrameMargins(this);
    if (frame.isNull())
        frame = FrameMargins(mainWindow_);
    // Wide enough for the longest chapter label, never narrower than the user made it.
    const int wanted = std::max(width(), WidthForLabels());
    const int outerWidth = wanted + frame.left() + frame.right();
    const int left = NavigatorLeft(main.left(), main.width(), outerWidth, screenWidth);
    // Placed by its inside: before the first showing a move would be taken for
    // the inside too, leaving the frame a title bar higher than the main window's.
    setGeometry(QRect(QPoint(left + frame.left(), main.top() + frame.top()),
                      QSize(wanted, std::max(1, main.height() - frame.top() - frame.bottom()))));
}

int TForm2::WidthForLabels() const
{
    const QFontMetrics metrics(listBox1_->font());
    int widest = 0;
    for (int i = 0; i < listBox1_->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(listBox1_->item(i)->text()));
    return WidthFor(widest);
}

int TForm2::WidthFor(int labelWidth) const
{
    return labelWidth + 2 * listBox1_->frameWidth() + listBox1_->verticalScrollBar()->sizeHint().width() + 8;
}

void TForm2::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

} // namespace synopter
