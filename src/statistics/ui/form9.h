#pragma once

#include "compare/result_summary.h"

#include <QWidget>

#include <string>

class QBarSet;
class QChart;
class QChartView;
class QPushButton;
class QTableWidget;

namespace synopter {

class InterfaceLanguage;

// The statistics window: reported verses per book as a bar chart; a click on
// a book's bar shows its chapters, a click on a chapter's bar asks the main
// window to go there, as does a double click on a row of the table. The same numbers stand in a table (book, chapter,
// reported) that copies as tab-separated text.
class TForm9 : public QWidget {
    Q_OBJECT

public:
    TForm9(QWidget* mainWindow, const InterfaceLanguage& language);

    // Owned components in creation order, as the language files address them.
    QList<QObject*> Components() const;
    void Translate();

    // Shows `summary` (after a run, a restore, or empty after a clearing), all books.
    void SetSummary(const ResultSummary& summary);

    // The chart's level: all books, or the chapters of book `index` of the summary.
    void ShowAllBooks();
    void ShowBook(int index);
    int ShownBook() const { return shownBook_; } // -1: all books

    QChartView* Chart() const { return chart1_; }
    QBarSet* Bars() const { return bars_; }
    QTableWidget* Table() const { return stringGrid1_; }
    // The selected cells as tab-separated lines, the column titles first.
    QString SelectedText() const;
    void CopySelection() const;

signals:
    void chapterChosen(const std::string& label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BarClicked(int index);
    void FillTable();
    QString BookName(const BookCount& book) const;

    const InterfaceLanguage& language_;
    QPushButton* bitBtn1_;     // back to all books
    QChartView* chart1_;
    QTableWidget* stringGrid1_;
    QBarSet* bars_ = nullptr;  // owned by the chart's series
    ResultSummary summary_;
    int shownBook_ = -1;
    QString booksTitle_ = "Reported verses per book";
    QString chaptersTitle_ = "%1: reported verses per chapter";
    QString columns_[3] = {"Book", "Chapter", "Reported"};
};

} // namespace synopter
