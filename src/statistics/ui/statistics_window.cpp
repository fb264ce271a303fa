#include "statistics/ui/statistics_window.h"
#include "statistics/ui/statistics_window_names.h"

#include "common/ui/interface_fonts.h"
#include "common/ui/qt_bytes.h"
#include "editions/edition_lines.h"
#include "editions/nt_layout.h"
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
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace synopter {

namespace names = statistics_window_names;

namespace {

// The chapter number of a heading ("KATA IWANNHN 3" gives "3"); the whole
// label when it has none.
QString ChapterName(const std::string& heading)
{
    const std::string_view title = BookTitle(heading);
    if (title.size() == heading.size())
        return FromLatin1(heading);
    return FromLatin1(std::string_view(heading).substr(title.size() + 1));
}

// The selected cells of `table` as tab-separated lines, the column titles
// first; with its row titles shown, each line starts with its row's title.
QString TableSelectionText(const QTableWidget& table)
{
    const QList<QTableWidgetSelectionRange> ranges = table.selectedRanges();
    if (ranges.isEmpty())
        return {};
    // The rows and columns of every selected range, in table order.
    std::vector<bool> rows(size_t(table.rowCount()), false);
    std::vector<bool> columns(size_t(table.columnCount()), false);
    for (const QTableWidgetSelectionRange& r : ranges) {
        for (int i = r.topRow(); i <= r.bottomRow(); ++i)
            rows[size_t(i)] = true;
        for (int j = r.leftColumn(); j <= r.rightColumn(); ++j)
            columns[size_t(j)] = true;
    }
    const bool rowTitles = !table.verticalHeader()->isHidden();
    const auto title = [](const QTableWidgetItem* item) { return item ? item->text() : QString(); };
    QStringList lines;
    QStringList header;
    if (rowTitles)
        header << QString();
    for (size_t j = 0; j < columns.size(); ++j)
        if (columns[j])
            header << title(table.horizontalHeaderItem(int(j)));
    lines << header.join('\t');
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i])
            continue;
        QStringList cells;
        if (rowTitles)
            cells << title(table.verticalHeaderItem(int(i)));
        for (size_t j = 0; j < columns.size(); ++j) {
            if (!columns[j])
                continue;
            const QTableWidgetItem* item = table.item(int(i), int(j));
            cells << (item && item->isSelected() ? item->text() : QString());
        }
        lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}

// A distance cell shows the pair's agreement on a second line; the cell's
// text, which copying takes, stays the count.
class AgreementDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString agreement = index.data(StatisticsWindow::kAgreementRole).toString();
        if (!agreement.isEmpty())
            option->text += QChar::LineSeparator + agreement;
    }
};

void CopyTableSelection(const QTableWidget& table)
{
    const QString text = TableSelectionText(table);
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

} // namespace

StatisticsWindow::StatisticsWindow(QWidget* mainWindow, const InterfaceLanguage& language)
    : QWidget(mainWindow, Qt::Window), language_(language)
{
    setObjectName(names::window);
    setWindowTitle("Statistics");
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(InterfaceFont());
    resize(900, 680);

    allBooksButton_ = new QPushButton("All books", this);
    allBooksButton_->setObjectName(names::allBooksButton);
    allBooksButton_->setProperty("hint", QString());
    allBooksButton_->setEnabled(false);
    connect(allBooksButton_, &QPushButton::clicked, this, &StatisticsWindow::ShowAllBooks);

    chart_ = new QChartView(new QChart, this);
    chart_->setObjectName(names::chart);
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->chart()->legend()->hide();
    chart_->chart()->setAnimationOptions(QChart::NoAnimation);

    countTable_ = new QTableWidget(0, 3, this);
    countTable_->setObjectName(names::countTable);
    countTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    countTable_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    countTable_->verticalHeader()->hide();
    countTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    countTable_->verticalHeader()->setDefaultSectionSize(countTable_->fontMetrics().height() + 6);
    countTable_->installEventFilter(this);
    // A double click on a row goes to its chapter, as a click on its bar does.
    connect(countTable_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (const QTableWidgetItem* book = countTable_->item(row, 0))
            emit chapterChosen(ToLatin1(book->data(Qt::UserRole).toString()));
    });

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(chart_);
    splitter->addWidget(countTable_);
    // The chart needs the height: 27 book names stand upright under it.
    chart_->setMinimumHeight(240);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({380, 160});
    auto* top = new QHBoxLayout;
    top->addWidget(allBooksButton_);
    top->addStretch(1);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(names::pages);
    versesPage_ = new QWidget;
    versesPage_->setObjectName(names::versesPage);
    auto* reported = new QVBoxLayout(versesPage_);
    reported->setContentsMargins(4, 4, 4, 4);
    reported->addLayout(top);
    reported->addWidget(splitter, 1);
    pages_->addTab(versesPage_, tabTitles_[0]);

    BuildEditionsPage();
    connect(pages_, &QTabWidget::currentChanged, this, [this] { UpdateDistances(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pages_, 1);

    // What assistive technology announces; the language files give NAME_name.
    chart_->setAccessibleName("Chart of reported verses");
    countTable_->setAccessibleName("Reported verses");
    distanceTable_->setAccessibleName("Distances between editions");
    editionsCaption_->setBuddy(distanceTable_);

    ShowAllBooks();
}

// The second page: the distances between the editions, with its captions.
void StatisticsWindow::BuildEditionsPage()
{
    editionsPage_ = new QWidget;
    editionsPage_->setObjectName(names::editionsPage);
    editionsCaption_ = new QLabel("Variation units in which two editions read differently, over the whole New Testament",
                         editionsPage_);
    editionsCaption_->setObjectName(names::editionsCaption);
    editionsCaption_->setTextFormat(Qt::PlainText);
    editionsCaption_->setWordWrap(true);
    distanceTable_ = new QTableWidget(0, 0, editionsPage_);
    distanceTable_->setObjectName(names::distanceTable);
    distanceTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    distanceTable_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    distanceTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    distanceTable_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    distanceTable_->verticalHeader()->setDefaultSectionSize(2 * distanceTable_->fontMetrics().height() + 10);
    distanceTable_->installEventFilter(this);
    distanceTable_->setItemDelegate(new AgreementDelegate(distanceTable_));
    agreementCaption_ = new QLabel("Point at a cell for the two editions' agreement: the share of the units where both "
                                   "are extant, a manuscript's lost text left out, in which they read alike",
                                   editionsPage_);
    agreementCaption_->setObjectName(names::agreementCaption);
    agreementCaption_->setTextFormat(Qt::PlainText);
    agreementCaption_->setWordWrap(true);
    editionsNote_ = new QLabel(editionsPage_);
    editionsNote_->setObjectName(names::editionsNote);
    editionsNote_->setWordWrap(true);
    editionsNote_->setTextFormat(Qt::PlainText);
    auto* editions = new QVBoxLayout(editionsPage_);
    editions->setContentsMargins(8, 8, 8, 8);
    editions->addWidget(editionsCaption_);
    editions->addWidget(distanceTable_, 1);
    editions->addWidget(agreementCaption_);
    editions->addWidget(editionsNote_);
    pages_->addTab(editionsPage_, tabTitles_[1]);
}

QList<QObject*> StatisticsWindow::Components() const
{
    return {allBooksButton_, chart_,           countTable_,    pages_,
            versesPage_,     editionsPage_,    editionsCaption_, distanceTable_,
            agreementCaption_};
}

void StatisticsWindow::Translate()
{
    TranslateForm(*this, Components(), language_);
    if (language_.IsSet()) {
        // Chart titles and column titles are no component's caption.
        const WindowTextReader read = ReadWindowTexts(language_, names::window);
        booksTitle_ = read("Chart1_books", booksTitle_);
        chaptersTitle_ = read("Chart1_chapters", chaptersTitle_);
        columns_[0] = read("StringGrid1_book", columns_[0]);
        columns_[1] = read("StringGrid1_chapter", columns_[1]);
        columns_[2] = read("StringGrid1_reported", columns_[2]);
        // Page titles and the facts line are put together here, not captions either.
        tabTitles_[0] = read(names::versesPage, tabTitles_[0]);
        tabTitles_[1] = read(names::editionsPage, tabTitles_[1]);
        factsText_ = read("Label2_facts", factsText_);
        exactText_ = read("Label2_exact", exactText_);
        movedText_ = read("Label2_moved", movedText_);
        runningText_ = read("Label2_running", runningText_);
        fewText_ = read("Label2_few", fewText_);
        leftOutText_ = read("Label2_left", leftOutText_);
        agreementText_ = read("StringGrid2_agreement", agreementText_);
        noSharedText_ = read("StringGrid2_noshared", noSharedText_);
        agreementCellText_ = read("StringGrid2_cell", agreementCellText_);
    }
    pages_->setTabText(0, tabTitles_[0]);
    pages_->setTabText(1, tabTitles_[1]);
    ShowFacts();
    FillTable();
    if (shownBook_ < 0)
        ShowAllBooks();
    else
        ShowBook(shownBook_);
}

void StatisticsWindow::SetSummary(const ResultSummary& summary)
{
    // Chapters shown only for their spelling variants found nothing.
    summary_ = WithoutSpellingOnlyChapters(summary);
    FillTable();
    ShowAllBooks();
}

QString StatisticsWindow::BookName(const BookCount& book) const
{
    // The chart's font draws Latin letters, so a book goes by its English name.
    if (const std::optional<int> index = BookOfTitle(book.title))
        return QString::fromUtf8(layout::BookAt(*index).english.data(), qsizetype(layout::BookAt(*index).english.size()));
    return FromLatin1(book.title);
}

void StatisticsWindow::ShowAllBooks() { ShowBook(-1); }

void StatisticsWindow::ShowBook(int index)
{
    if (index >= int(summary_.books.size()))
        return;
    shownBook_ = index;
    allBooksButton_->setEnabled(index >= 0);

    QChart* chart = chart_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }

    auto* series = new QBarSeries;
    bars_ = new QBarSet(QString());
    QStringList categories;
    int most = 0;
    // The chart draws its title and labels as rich text; book titles, headings
    // and the language's titles come from files and are shown as written.
    const auto add = [&](const QString& name, int reported) {
        categories << name.toHtmlEscaped();
        *bars_ << reported;
        most = std::max(most, reported);
    };
    if (index < 0) {
        chart->setTitle(booksTitle_.toHtmlEscaped());
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
        if (QTableWidgetItem* first = countTable_->item(row, 0))
            countTable_->scrollToItem(first, QAbstractItemView::PositionAtTop);
        chart->setTitle(QString(chaptersTitle_).arg(BookName(book)).toHtmlEscaped());
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
    const int top = std::max(1, most);
    y->setRange(0, top);
    y->setLabelFormat("%d");
    if (top < 5)
        y->setTickCount(top + 1); // a tick per count, so no label repeats a rounded fraction
    else
        y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    connect(bars_, &QBarSet::clicked, this, &StatisticsWindow::BarClicked);
}

void StatisticsWindow::BarClicked(int index)
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

void StatisticsWindow::FillTable()
{
    countTable_->clearContents();
    countTable_->setHorizontalHeaderLabels({columns_[0], columns_[1], columns_[2]});
    int rows = 0;
    for (const BookCount& book : summary_.books)
        rows += int(book.chapters.size());
    countTable_->setRowCount(rows);
    int row = 0;
    for (const BookCount& book : summary_.books) {
        const QString name = BookName(book);
        for (const ChapterCount& chapter : book.chapters) {
            auto* count = new QTableWidgetItem(QString::number(chapter.reported));
            count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            auto* bookItem = new QTableWidgetItem(name);
            bookItem->setData(Qt::UserRole, FromLatin1(chapter.heading));
            countTable_->setItem(row, 0, bookItem);
            countTable_->setItem(row, 1, new QTableWidgetItem(ChapterName(chapter.heading)));
            countTable_->setItem(row, 2, count);
            ++row;
        }
    }
}

QString StatisticsWindow::SelectedText() const
{
    return TableSelectionText(*countTable_);
}

void StatisticsWindow::CopySelection() const
{
    CopyTableSelection(*countTable_);
}

QString StatisticsWindow::SelectedDistances() const
{
    return TableSelectionText(*distanceTable_);
}

void StatisticsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Deferred, so the window is drawn before a count.
    QMetaObject::invokeMethod(this, [this] { UpdateDistances(); }, Qt::QueuedConnection);
}

void StatisticsWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Coming back from the main window, where the choices may have changed.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        UpdateDistances();
}

bool StatisticsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == countTable_ || watched == distanceTable_) && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopyTableSelection(*static_cast<QTableWidget*>(watched));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace synopter
