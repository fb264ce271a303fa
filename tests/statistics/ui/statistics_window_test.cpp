#include "statistics/ui/statistics_window.h"
#include "app/main_window_names.h"

#include "common/temp_folder.h"
#include "language/interface_language.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>


namespace synopter {
namespace {

ResultSummary Summary()
{
    SummaryBuilder builder;
    const std::pair<const char*, int> chapters[] = {{"KATA MAYYAION 1", 3}, {"KATA MAYYAION 5", 2}, {"KATA IWANNHN 3", 4}};
    for (const auto& [label, pairs] : chapters) {
        builder.Heading(label);
        for (int i = 0; i < pairs; ++i)
            builder.Pair();
    }
    return builder.Summary();
}

std::vector<int> Bars(const StatisticsWindow& form)
{
    std::vector<int> values;
    for (int i = 0; i < form.Bars()->count(); ++i)
        values.push_back(int(form.Bars()->at(i)));
    return values;
}

// A real click in the middle of bar `index`.
void ClickBar(StatisticsWindow& form, int index)
{
    QChart* chart = form.Chart()->chart();
    auto* series = static_cast<QBarSeries*>(chart->series().first());
    const QPointF inChart = chart->mapToPosition(QPointF(index, form.Bars()->at(index) / 2), series);
    const QPoint at = form.Chart()->mapFromScene(chart->mapToScene(inChart));
    QTest::mouseClick(form.Chart()->viewport(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

TEST(StatisticsWindowTest, BooksThenChaptersAndAChapterIsChosen)
{
    test::TempFolder folder;
    const InterfaceLanguage language(folder.Path());
    StatisticsWindow form(nullptr, language);
    form.SetSummary(Summary());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(Bars(form), (std::vector<int>{5, 4}));
    auto* axis = static_cast<QBarCategoryAxis*>(form.Chart()->chart()->axes(Qt::Horizontal).first());
    EXPECT_EQ(axis->categories(), (QStringList{"Matt", "John"}));

    QSignalSpy chosen(&form, &StatisticsWindow::chapterChosen);
    ClickBar(form, 0);
    EXPECT_EQ(form.ShownBook(), 0);
    EXPECT_EQ(Bars(form), (std::vector<int>{3, 2}));
    ClickBar(form, 1);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<std::string>(), "KATA MAYYAION 5");

    // A row of the table goes to its chapter too.
    const QPointF at = form.Table()->visualItemRect(form.Table()->item(2, 1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    for (QMouseEvent* e : {&press, &release, &dbl, &release})
        QApplication::sendEvent(form.Table()->viewport(), e);
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(1).at(0).value<std::string>(), "KATA IWANNHN 3");

    form.findChild<QPushButton*>(main_window_names::chapterButton)->click();
    EXPECT_EQ(form.ShownBook(), -1);
    EXPECT_EQ(Bars(form), (std::vector<int>{5, 4}));

    form.SetSummary({});
    EXPECT_EQ(form.Bars()->count(), 0);
    EXPECT_EQ(form.Table()->rowCount(), 0);
}

TEST(StatisticsWindowTest, CopyGivesTheTableAsTabSeparatedText)
{
    test::TempFolder folder;
    const InterfaceLanguage language(folder.Path());
    StatisticsWindow form(nullptr, language);
    form.SetSummary(Summary());
    form.Table()->selectAll();
    QTest::keySequence(form.Table(), QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Book\tChapter\tReported\nMatthew\t1\t3\nMatthew\t5\t2\nJohn\t3\t4\n");

    // Some cells: the selected columns of the selected rows.
    form.Table()->clearSelection();
    form.Table()->setRangeSelected(QTableWidgetSelectionRange(1, 1, 2, 2), true);
    EXPECT_EQ(form.SelectedText(), "Chapter\tReported\n5\t2\n3\t4\n");
}

TEST(StatisticsWindowTest, EditionsPageHoldsTheDistancesBetweenTheRealEditions)
{
    const std::string dir = std::string(SYNOPTER_EDITIONS_DIR) + "/";
    if (!std::filesystem::exists(dir + "WestcottHort1881.dat"))
        GTEST_SKIP() << "no editions at " << dir;
    test::TempFolder folder;
    const InterfaceLanguage language(folder.Path());
    StatisticsWindow form(nullptr, language);
    bool running = true;
    form.SetEditionsChoice([&] {
        EditionsChoice choice;
        choice.folders = {dir};
        choice.spellingText = "counted";
        choice.running = running;
        return choice;
    });
    form.show();
    form.Pages()->setCurrentIndex(1);
    // Nothing is counted while a comparison runs; showing the page after it counts.
    QTableWidget* table = form.EditionsTable();
    EXPECT_EQ(table->rowCount(), 0);
    running = false;
    form.UpdateDistances();
    EXPECT_TRUE(form.CountingDistances()); // off the user-interface thread
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.CountingDistances(); }, 120000));
    ASSERT_EQ(table->rowCount(), 5);
    ASSERT_EQ(table->columnCount(), 5);

    std::map<std::string, int> index;
    for (int i = 0; i < 5; ++i) {
        index[table->verticalHeaderItem(i)->text().toStdString()] = i;
        EXPECT_EQ(table->horizontalHeaderItem(i)->text(), table->verticalHeaderItem(i)->text());
    }
    ASSERT_EQ(index.size(), 5u);
    int d[5][5];
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            d[i][j] = i == j ? 0 : table->item(i, j)->text().toInt();
    std::pair<int, int> nearest{0, 1};
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(d[i][j], d[j][i]);
            if (i != j && d[i][j] < d[nearest.first][nearest.second])
                nearest = {i, j};
        }
    // Short sigla head the table, the full names in their tips.
    const int elzevir = index.at("Elz"), scrivener = index.at("Scr");
    EXPECT_TRUE(table->verticalHeaderItem(elzevir)->toolTip().startsWith("Elzevir1624"));
    EXPECT_EQ(std::minmax(nearest.first, nearest.second), std::minmax(elzevir, scrivener));
    // Westcott and Hort stand furthest from every other edition.
    const int wh = index.at("WH");
    for (int j = 0; j < 5; ++j) {
        for (int i = 0; i < 5; ++i) {
            if (j != wh && i != j) {
                EXPECT_LE(d[i][j], d[wh][j]) << i << "," << j;
            }
        }
    }

    table->selectAll();
    QTest::keySequence(table, QKeySequence::Copy);
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1 + wh].split('\t').size(), 6);
    EXPECT_TRUE(lines[1 + wh].startsWith("WH\t")); // as shown
}

// The count runs on a thread: a count for other choices replaces the one
// running, hiding the page stops it, and the window can go while it runs.
TEST(StatisticsWindowTest, ALaterCountReplacesTheOneRunningAndTheWindowCanCloseMeanwhile)
{
    test::TempFolder folder;
    folder.Write("Alpha.dat", "KATA IWANNHN 1\n 1:1 a b c d\n");
    folder.Write("Beta.dat", "KATA IWANNHN 1\n 1:1 a c b d\n");
    for (const char* name : {"Alpha.bk", "Beta.bk"})
        folder.Write(name, "[English]\nInformation=x\n");
    const InterfaceLanguage language(folder.Path());
    auto form = std::make_unique<StatisticsWindow>(nullptr, language);
    bool exact = false;
    form->SetEditionsChoice([&] {
        EditionsChoice choice;
        choice.folders = {folder.Path()};
        choice.exactPositions = exact;
        return choice;
    });
    form->show();
    form->Pages()->setCurrentIndex(1);
    QTableWidget* table = form->EditionsTable();
    const auto distance = [&] {
        if (!QTest::qWaitFor([&] { return !form->CountingDistances() && table->rowCount() == 2; }, 60000))
            return -1;
        return table->item(0, 1)->text().toInt();
    };
    // The moved word: one transposition, or under exact positions an omission and an addition.
    ASSERT_TRUE(form->CountingDistances());
    exact = true;
    form->UpdateDistances();
    EXPECT_EQ(distance(), 2);

    exact = false;
    form->UpdateDistances();
    EXPECT_EQ(table->rowCount(), 0); // the table of other choices is gone at once
    form->hide();
    EXPECT_FALSE(form->CountingDistances());
    form->show();
    EXPECT_EQ(distance(), 1);

    exact = true;
    form->UpdateDistances();
    EXPECT_TRUE(form->CountingDistances());
    form.reset();
    QTest::qWait(20); // nothing is delivered to the window that went
}


// A manuscript's lost verse is no difference: each cell's tip gives the
// pair's agreement over the units both are extant in.
TEST(StatisticsWindowTest, AgreementOverTheUnitsBothHave)
{
    test::TempFolder folder;
    folder.Write("Alpha.dat", "KATA IWANNHN 1\n 1:1 a b c d\n 1:2 e f\n");
    folder.Write("Beta.dat", "KATA IWANNHN 1\n 1:1 a x c d\n 1:2 e g\n");
    folder.Write("Papyrus.dat", "KATA IWANNHN 1\n 1:1\n 1:2 e g\n");
    for (const char* name : {"Alpha.bk", "Beta.bk"})
        folder.Write(name, "[English]\nInformation=x\n");
    folder.Write("Papyrus.bk", "[English]\nSiglum=P66\n[Lacunae]\n43001001=lost\n");
    const InterfaceLanguage language(folder.Path());
    StatisticsWindow form(nullptr, language);
    form.SetEditionsChoice([&] {
        EditionsChoice choice;
        choice.folders = {folder.Path()};
        return choice;
    });
    form.show();
    form.Pages()->setCurrentIndex(1);
    QTableWidget* table = form.EditionsTable();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.CountingDistances() && table->rowCount() == 3; }, 60000));
    std::map<QString, int> at;
    for (int i = 0; i < 3; ++i)
        at[table->verticalHeaderItem(i)->text()] = i;
    ASSERT_EQ(at.size(), 3u);
    const struct {
        QString a, b;
        int distance;
        QString agreement;
        QString shown; // the cell's second line
    } cases[] = {
        {"Alp", "Bet", 2, "agree in 0.0% of 2 units", "0.0% of 2"},
        {"Alp", "P66", 1, "agree in 0.0% of 1 units", "0.0% of 1"},
        {"Bet", "P66", 0, "agree in 100.0% of 1 units", "100.0% of 1"},
    };
    for (const auto& c : cases) {
        const QTableWidgetItem* cell = table->item(at.at(c.a), at.at(c.b));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text().toInt(), c.distance);
        EXPECT_TRUE(cell->toolTip().contains(c.agreement)) << cell->toolTip().toStdString();
        EXPECT_EQ(cell->data(StatisticsWindow::kAgreementRole).toString(), c.shown);
    }
    EXPECT_EQ(form.AgreementCaption()->objectName(), "Label3");
}

} // namespace
} // namespace synopter
