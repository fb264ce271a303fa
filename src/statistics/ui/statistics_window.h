#pragma once

#include "common/ui/background_task.h"
#include "compare/comparison_run.h"
#include "compare/result_summary.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QBarSet;
class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace synopter {

class InterfaceLanguage;

// What the Editions page collates: the main window's catalogue and choices as
// they stand.
struct EditionsChoice {
    std::vector<std::string> folders; // the catalogue's edition folders, in order
    SpellingMode spelling = SpellingMode::Count;
    const SpellingRules* spellingRules = nullptr; // null: the built-in rules
    bool exactPositions = false;
    QString spellingText; // the spelling choice as the main window words it
    bool running = false; // a comparison runs: nothing is counted meanwhile
};

// The statistics window: reported verses per book as a bar chart; a click on
// a book's bar shows its chapters, a click on a chapter's bar asks the main
// window to go there, as does a double click on a row of the table. The same numbers stand in a table (book, chapter,
// reported) that copies as tab-separated text. A second page, Editions, holds
// for every pair of the catalogue's editions the variation units in which they
// differ, over the whole New Testament, as a heat map.
class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    // A distance cell's agreement line ("87.3% of 1 204"), beside its count.
    static constexpr int kAgreementRole = Qt::UserRole + 1;

    StatisticsWindow(QWidget* mainWindow, const InterfaceLanguage& language);

    // Owned components in creation order, as the language files address them.
    QList<QObject*> Components() const;
    void Translate();

    // Shows `summary` (after a run, a restore, or empty after a clearing), all books.
    void SetSummary(const ResultSummary& summary);

    // The chart's level: all books, or the chapters of book `index` of the summary.
    void ShowAllBooks();
    void ShowBook(int index);
    int ShownBook() const { return shownBook_; } // -1: all books

    QChartView* Chart() const { return chart_; }
    QBarSet* Bars() const { return bars_; }
    QTableWidget* Table() const { return countTable_; }
    // The selected cells as tab-separated lines, the column titles first.
    QString SelectedText() const;
    void CopySelection() const;

    // The Editions page asks `choice` for the main window's catalogue and
    // choices each time it might count.
    void SetEditionsChoice(std::function<EditionsChoice()> choice);
    // Counts the distances again when the Editions page is shown and the
    // editions, spelling or exact-positions choice changed since it last counted.
    // The count runs on a thread of its own and shows in the table when done;
    // a count for other choices, or the page hidden, stops it.
    void UpdateDistances();
    bool CountingDistances() const { return distanceTask_.Running(); }
    QTabWidget* Pages() const { return pages_; }
    QTableWidget* EditionsTable() const { return distanceTable_; }
    QLabel* AgreementCaption() const { return agreementCaption_; }
    // The editions table's selected cells, edition names leading each row.
    QString SelectedDistances() const;

signals:
    void chapterChosen(const std::string& label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildEditionsPage();
    void BarClicked(int index);
    void FillTable();
    QString BookName(const BookCount& book) const;
    // The Editions page, statistics_editions.cpp.
    struct DistanceCount;
    void ClearDistances();
    void ShowDistances(const DistanceCount& count, const EditionsChoice& choice);
    void ShowFacts();

    const InterfaceLanguage& language_;
    QPushButton* allBooksButton_;     // back to all books
    QChartView* chart_;
    QTableWidget* countTable_;
    QTabWidget* pages_;
    QWidget* versesPage_;       // the chart and table of reported verses
    QWidget* editionsPage_;       // the editions
    QLabel* editionsCaption_;
    QTableWidget* distanceTable_;
    QLabel* agreementCaption_;    // what the cells' tips say
    QLabel* editionsNote_;           // base, choices, editions left out
    QBarSet* bars_ = nullptr;  // owned by the chart's series
    ResultSummary summary_;
    int shownBook_ = -1;
    QString booksTitle_ = "Reported verses per book";
    QString chaptersTitle_ = "%1: reported verses per chapter";
    QString columns_[3] = {"Book", "Chapter", "Reported"};

    std::function<EditionsChoice()> editionsChoice_;
    std::string countedKey_;  // the catalogue and choices the table was counted for
    std::string countingKey_; // those of the count running
    // What the facts line says: the base, the spelling text, exact positions,
    // editions left out; or that a run holds the count back.
    QString base_;
    QString spellingText_;
    bool exact_ = false;
    QStringList leftOut_;
    enum class Facts { None, Counted, Running, Few } facts_ = Facts::None;
    QString tabTitles_[2] = {"Reported verses", "Editions"};
    QString factsText_ = "Base edition: %1 (the distances hardly depend on it). Spelling variants: %2. %3.";
    QString exactText_ = "Exact positions: a moved word is an omission and an addition";
    QString movedText_ = "A moved word is a transposition";
    QString runningText_ = "Counted when the comparison has finished.";
    QString fewText_ = "Fewer than two editions of the catalogue share one layout.";
    QString leftOutText_ = "Left out: %1.";
    QString agreementText_ = "%1 and %2 agree in %3% of %4 units where both are extant; they differ in %5";
    QString noSharedText_ = "No unit where both are extant";
    QString agreementCellText_ = "%1% of %2";
    BackgroundTask distanceTask_{this}; // last: stopped before the rest goes
};

} // namespace synopter
