#include "chapters/form2.h"

#include "chapters/chapter_list.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace synopter {

TForm2::TForm2(QWidget* mainWindow, std::string programDir, GoToChapter goToChapter)
    : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow), programDir_(std::move(programDir)),
      goToChapter_(std::move(goToChapter))
{
    setObjectName("Form2");
    setWindowTitle("Chapters");
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);
    resize(174, 467);

    listBox1_ = new QListWidget(this);
    listBox1_->setObjectName("ListBox1");
    listBox1_->setSelectionMode(QAbstractItemView::SingleSelection);
    listBox1_->setUniformItemSizes(true);
    QFont listFont("Riruzi");
    listFont.setPixelSize(13);
    listBox1_->setFont(listFont);
    QPalette pal = listBox1_->palette();
    pal.setColor(QPalette::Base, QColor(245, 245, 245));
    pal.setColor(QPalette::Text, QColor(0, 0, 128));
    listBox1_->setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(listBox1_);

    connect(listBox1_, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
}

void TForm2::ClearChapters()
{
    listBox1_->clear();
}

void TForm2::AddChapter(const std::string& label)
{
    listBox1_->addItem(QString::fromLatin1(label.data(), qsizetype(label.size())));
}

std::vector<std::string> TForm2::Chapters() const
{
    std::vector<std::string> out;
    out.reserve(size_t(listBox1_->count()));
    for (int i = 0; i < listBox1_->count(); ++i)
        out.push_back(listBox1_->item(i)->text().toLatin1().toStdString());
    return out;
}

void TForm2::FormCreate()
{
    listBox1_->clear();
    for (const std::string& label : LoadChapterList(programDir_ + "chapters.lst"))
        AddChapter(label);
}

void TForm2::ListBox1DblClick()
{
    const QList<QListWidgetItem*> selected = listBox1_->selectedItems();
    if (selected.isEmpty() || !goToChapter_)
        return;
    goToChapter_(selected.first()->text().toLatin1().toStdString());
}

void TForm2::FormShow()
{
    const QRect main = mainWindow_->frameGeometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    const QRect own = frameGeometry();
    const int frameExtraHeight = own.height() - height();
    const int left = NavigatorLeft(main.left(), main.width(), own.width(), screenWidth);
    resize(width(), std::max(1, main.height() - frameExtraHeight));
    move(left, main.top());
}

void TForm2::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

} // namespace synopter
