#include "statistics/ui/form9.h"

#include "common/ini_file.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/qt_bytes.h"
#include "find/find_query.h"
#include "import/nt_layout.h"
#include "language/interface_language.h"
#include "language/ui/translate_form.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace synopter {
namespace {

// The chapter number of a heading ("KATA IWANNHN 3" gives "3"); the whole
// label when it has none.
QString ChapterName(const std::string& heading)
{
    const std::string title = BookTitleOf(heading);
    if (title.size() == heading.size())
        return FromLatin1(heading);
    return FromLatin1(std::string_view(heading).substr(title.size() + 1));
}

} // namespace

TForm9::TForm9(QWidget* mainWindow, const InterfaceLanguage& language)
    : QWidget(mainWindow, Qt::Window), language_(language)
{
    setObjectName("Form9");
    setWindowTitle("Statistics");
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(InterfaceFont());
    resize(900, 680);

    bitBtn1_ = new QPushButton("All books", this);
    bitBtn1_->setObjectName("BitBtn1");
    bitBtn1_->setProperty("hint", QString());
    bitBtn1_->setEnabled(false);
    connect(bitBtn1_, &QPushButton::clicked, this, &TForm9::ShowAllBooks);

    chart1_ = new QChartView(new QChart, this);
    chart1_->setObjectName("Chart1");
    chart1_->setRenderHint(QPainter::Antialiasing);
    chart1_->chart()->legend()->hide();
    chart1_->chart()->setAnimationOptions(QChart::NoAnimation);

    stringGrid1_ = new QTableWidget(0, 3, this);
    stringGrid1_->setObjectName("StringGrid1");
    stringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stringGrid1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    stringGrid1_->verticalHeader()->hide();
    stringGrid1_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    stringGrid1_->verticalHeader()->setDefaultSectionSize(stringGrid1_->fontMetrics().height() + 6);
    stringGrid1_->installEventFilter(this);
    // A double click on a row goes to its chapter, as a click on its bar does.
    connect(stringGrid1_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (const QTableWidgetItem* book = stringGrid1_->item(row, 0))
            emit chapterChosen(ToLatin1(book->data(Qt::UserRole).toString()));
    });

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(chart1_);
    splitter->addWidget(stringGrid1_);
    // The chart needs the height: 27 book names stand upright under it.
    chart1_->setMinimumHeight(240);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({380, 160});
    auto* top = new QHBoxLayout;
    top->addWidget(bitBtn1_);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);

    ShowAllBooks();
}

QList<QObject*> TForm9::Components() const
{
    return {bitBtn1_, chart1_, stringGrid1_};
}

void TForm9::Translate()
{
    TranslateForm(*this, Components(), language_);
    if (language_.IsSet()) {
        // Chart titles and column titles are no component's caption.
        const IniFile file(language_.FilePath());
        const auto read = [&](const char* key, const QString& current) {
            return FromLocal8Bit(file.ReadString("Form9", key, ToLocal8Bit(current)));
        };
        booksTitle_ = read("Chart1_books", booksTitle_);
        chaptersTitle_ = read("Chart1_chapters", chaptersTitle_);
        columns_[0] = read("StringGrid1_book", columns_[0]);
        columns_[1] = read("StringGrid1_chapter", columns_[1]);
        columns_[2] = read("StringGrid1_reported", columns_[2]);
    }
    FillTable();
    if (shownBook_ < 0)
        ShowAllBooks();
    else
        ShowBook(shownBook_);
}

void TForm9::SetSummary(const ResultSummary& summary)
{
    summary_ = summary;
    FillTable();
    ShowAllBooks();
}

QString TForm9::BookName(const BookCount& book) const
{
    // The chart's font draws Latin letters, so a book goes by its English name.
    if (const std::optional<int> index = BookOfTitle(book.title))
        return QString::fromUtf8(layout::BookAt(*index).english.data(), qsizetype(layout::BookAt(*index).english.size()));
    return FromLatin1(book.title);
}

void TForm9::ShowAllBooks() { ShowBook(-1); }

void TForm9::ShowBook(int index)
{
    if (index >= int(summary_.books.size()))
        return;
    shownBook_ = index;
    bitBtn1_->setEnabled(index >= 0);

    QChart* chart = chart1_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }

    auto* series = new QBarSeries;
    bars_ = new QBarSet(QString());
    QStringList categories;
    int most = 0;
    const auto add = [&](const QString& name, int reported) {
        categories << name;
        *bars_ << reported;
        most = std::max(most, reported);
    };
    if (index < 0) {
        chart->setTitle(booksTitle_);
        // 27 English names do not fit under the bars; the short OSIS names do.
        for (const BookCount& book : summary_.books) {
            const std::optional<int> i = BookOfTitle(book.title);
            const std::string_view shortName = i ? layout::BookAt(*i).osis : std::string_view();
            add(i ? QString::fromLatin1(shortName.data(), qsizetype(shortName.size())) : BookName(book),
                book.reported);
        }
    } else {
        const BookCount& book = summary_.books[size_t(index)];
        // The table follows: its first row of the book at the top.
        int row = 0;
        for (int i = 0; i < index; ++i)
            row += int(summary_.books[size_t(i)].chapters.size());
        if (QTableWidgetItem* first = stringGrid1_->item(row, 0))
            stringGrid1_->scrollToItem(first, QAbstractItemView::PositionAtTop);
        chart->setTitle(QString(chaptersTitle_).arg(BookName(book)));
        for (const ChapterCount& chapter : book.chapters)
            add(ChapterName(chapter.heading), chapter.reported);
    }
    series->append(bars_);
    series->setBarWidth(0.8);
    chart->addSeries(series);

    auto* x = new QBarCategoryAxis;
    x->append(categories);
    if (index < 0)
        x->setLabelsAngle(-90);
    auto* y = new QValueAxis;
    y->setRange(0, std::max(1, most));
    y->setLabelFormat("%d");
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    connect(bars_, &QBarSet::clicked, this, &TForm9::BarClicked);
}

void TForm9::BarClicked(int index)
{
    if (shownBook_ < 0) {
        // Deferred: the bar set that was clicked goes with the chart it leaves.
        QMetaObject::invokeMethod(this, [this, index] { ShowBook(index); }, Qt::QueuedConnection);
        return;
    }
    const auto& chapters = summary_.books[size_t(shownBook_)].chapters;
    if (index >= 0 && index < int(chapters.size()))
        emit chapterChosen(chapters[size_t(index)].heading);
}

void TForm9::FillTable()
{
    stringGrid1_->clearContents();
    stringGrid1_->setHorizontalHeaderLabels({columns_[0], columns_[1], columns_[2]});
    int rows = 0;
    for (const BookCount& book : summary_.books)
        rows += int(book.chapters.size());
    stringGrid1_->setRowCount(rows);
    int row = 0;
    for (const BookCount& book : summary_.books) {
        const QString name = BookName(book);
        for (const ChapterCount& chapter : book.chapters) {
            auto* count = new QTableWidgetItem(QString::number(chapter.reported));
            count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            auto* bookItem = new QTableWidgetItem(name);
            bookItem->setData(Qt::UserRole, FromLatin1(chapter.heading));
            stringGrid1_->setItem(row, 0, bookItem);
            stringGrid1_->setItem(row, 1, new QTableWidgetItem(ChapterName(chapter.heading)));
            stringGrid1_->setItem(row, 2, count);
            ++row;
        }
    }
}

QString TForm9::SelectedText() const
{
    const QList<QTableWidgetSelectionRange> ranges = stringGrid1_->selectedRanges();
    if (ranges.isEmpty())
        return {};
    // The rows and columns of every selected range, in table order.
    std::vector<bool> rows(size_t(stringGrid1_->rowCount()), false);
    std::vector<bool> columns(size_t(stringGrid1_->columnCount()), false);
    for (const QTableWidgetSelectionRange& r : ranges) {
        for (int i = r.topRow(); i <= r.bottomRow(); ++i)
            rows[size_t(i)] = true;
        for (int j = r.leftColumn(); j <= r.rightColumn(); ++j)
            columns[size_t(j)] = true;
    }
    QStringList lines;
    QStringList header;
    for (size_t j = 0; j < columns.size(); ++j)
        if (columns[j])
            header << stringGrid1_->horizontalHeaderItem(int(j))->text();
    lines << header.join('\t');
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i])
            continue;
        QStringList cells;
        for (size_t j = 0; j < columns.size(); ++j) {
            if (!columns[j])
                continue;
            const QTableWidgetItem* item = stringGrid1_->item(int(i), int(j));
            cells << (item && item->isSelected() ? item->text() : QString());
        }
        lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}

void TForm9::CopySelection() const
{
    const QString text = SelectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

bool TForm9::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == stringGrid1_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopySelection();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace synopter
