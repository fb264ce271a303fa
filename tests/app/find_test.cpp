#include "app/window_test.h"
#include "app/main_window_names.h"
#include "compare/result_model.h"
#include "compare/ui/pane_pair.h"
#include "find/ui/find_bar.h"
#include "statistics/ui/statistics_window.h"

#include <QLineEdit>
#include <QTableWidget>

namespace synopter::test {
namespace {

// The results of the fixture: 0 heading 1, 1 pair 1:2, 2 heading 2, 3 pair 2:1, 4 pair 2:2.
TEST_F(WindowTest, FindWalksTheResultsByWordAndReference)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    FindBar& bar = mainWindow->Finder();
    mainWindow->findChild<QAction*>(main_window_names::findAction)->trigger();
    EXPECT_TRUE(bar.isVisible());
    mainWindow->Pane(Side::Left)->setFocus();
    const struct {
        const char* typed;
        bool forward;
        std::optional<size_t> unit; // nullopt: not found, the mark stays
    } steps[] = {
        {"kai", true, 3},         {"kai", true, 4},       {"kai", true, 3}, // wrapped round
        {"kai", false, 4},        {"εὐθέως", true, 4},     {"2:1", true, 3},
        {"Mark 1:2", true, 1},    {"profhtaiv", true, 1}, {"xyz", true, std::nullopt},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.typed);
        const std::optional<size_t> before = mainWindow->Panes().MarkedUnit();
        bar.Edit()->setText(QString::fromUtf8(step.typed));
        mainWindow->findChild<QAction*>(step.forward ? "Findnext1" : "Findprevious1")->trigger();
        EXPECT_EQ(mainWindow->Panes().MarkedUnit(), step.unit ? step.unit : before);
        EXPECT_EQ(bar.Status() == "not found", !step.unit) << bar.Status().toStdString();
    }
    // The match is highlighted in the pane that has it, the pair tinted in both.
    bar.Edit()->setText("euyewv");
    mainWindow->findChild<QAction*>(main_window_names::findNextAction)->trigger();
    EXPECT_EQ(mainWindow->Pane(Side::Left)->extraSelections().size(), 2);
    EXPECT_EQ(mainWindow->Pane(Side::Left)->extraSelections().at(1).cursor.selectedText(), "euyewv");
    EXPECT_EQ(mainWindow->Pane(Side::Right)->extraSelections().size(), 1);

    // With a source list last in focus, the search goes there.
    SourceList* list = mainWindow->List(Side::Right);
    list->setFocus();
    bar.Edit()->setText("2:2");
    mainWindow->findChild<QAction*>(main_window_names::findNextAction)->trigger();
    EXPECT_EQ(list->currentIndex().row(), 5);
}

TEST_F(WindowTest, ChapterAndStatisticsWindowsCountTheResults)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    EXPECT_TRUE(chapterWindow->HasCounts());
    const QString rows = chapterWindow->Rows().join("|");
    EXPECT_TRUE(rows.contains("KATA MARKON")) << rows.toStdString();
    mainWindow->findChild<QAction*>(main_window_names::statisticsAction)->trigger();
    StatisticsWindow* statistics = mainWindow->Statistics();
    ASSERT_NE(statistics, nullptr);
    EXPECT_TRUE(statistics->isVisible());
    QTableWidget* table = statistics->Table();
    QStringList cells;
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
    EXPECT_TRUE(cells.contains("2")) << cells.join(",").toStdString();
    EXPECT_TRUE(cells.contains("1"));

    // A run that finds nothing empties both.
    Run(100);
    EXPECT_FALSE(chapterWindow->HasCounts());
    EXPECT_EQ(statistics->Table()->rowCount(), 0);
}

} // namespace
} // namespace synopter::test

namespace synopter::test {
namespace {

TEST_F(WindowTest, SpellingVariantsCountAreMarkedInGreenOrIgnored)
{
    WriteEdition("Left", "KATA MARKON 1\r\n 1:1 uiov dabid\r\n 1:2 kai dabid eipen autw\r\n");
    WriteEdition("Right", "KATA MARKON 1\r\n 1:1 uiov dauid\r\n 1:2 kai dauid elegen autw\r\n");
    Open();
    Choose("Left", "Right");
    auto* spelling = mainWindow->findChild<QComboBox*>(main_window_names::spellingChooser);
    ASSERT_NE(spelling, nullptr);
    // Marked, 1:1 differs in spelling only: shown (unit 1), not found.
    const struct {
        int mode;
        const char* found;
        bool green;
        size_t units;
        int reported;
    } cases[] = {{0, "2", false, 3, 2}, {2, "1", false, 2, 1}, {1, "1 (+1 spelling only)", true, 3, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        spelling->setCurrentIndex(c.mode);
        Run(1);
        EXPECT_EQ(mainWindow->FoundCountLabel()->text(), c.found);
        bool green = false;
        for (const rtf::Paragraph& p : mainWindow->Pane(Side::Right)->ToDocument().paragraphs)
            for (const rtf::Span& s : p)
                green = green || (s.colour == 0x008000 && s.text == "dauid");
        EXPECT_EQ(green, c.green);
        EXPECT_EQ(mainWindow->Results().Count(), c.units);
        EXPECT_EQ(mainWindow->Results().Summary().reported, c.reported);
    }
    const auto spellingOnlyAtOne = [this] {
        const ComparisonResults& results = mainWindow->Results();
        ASSERT_EQ(results.Count(), 3u);
        EXPECT_TRUE(results.IsSpellingOnly(1));
        EXPECT_FALSE(results.IsSpellingOnly(2));
        EXPECT_EQ(results.Summary().reported, 1);
    };
    spellingOnlyAtOne();
    QAction* next = mainWindow->findChild<QAction*>(main_window_names::nextDifferenceAction);
    ASSERT_NE(next, nullptr);
    next->trigger();
    ASSERT_TRUE(mainWindow->Panes().MarkedUnit());
    EXPECT_EQ(*mainWindow->Panes().MarkedUnit(), 1u);
    // The choice is kept for the next start; while the results of the last
    // run come back with it (as they were), the choice that made them comes back too.
    spelling->setCurrentIndex(2);
    mainWindow->close();
    Open();
    EXPECT_EQ(mainWindow->findChild<QComboBox*>(main_window_names::spellingChooser)->currentIndex(), 1);
    spellingOnlyAtOne();
    mainWindow->findChild<QComboBox*>(main_window_names::spellingChooser)->setCurrentIndex(2);
    messages.answer = true;
    mainWindow->ClearResults();
    mainWindow->close();
    Open();
    EXPECT_EQ(mainWindow->findChild<QComboBox*>(main_window_names::spellingChooser)->currentIndex(), 2);
}

} // namespace
} // namespace synopter::test

namespace synopter::test {
namespace {

TEST_F(WindowTest, GoToReferenceReachesTheUnitAtOrAfterIt)
{
    // Pairs differ at Matt 17:21, John 3:17, 8:2 and 17:21: the results are
    // 0 heading, 1 pair 17:21, 2 heading, 3 pair 3:17, 4 heading John 8, 5 pair 8:2, 6 heading, 7 pair 17:21.
    const QByteArray same = "KATA IWANNHN 3\r\n 3:15 ina pav\r\n 3:16 outwv gar\r\n";
    WriteEdition("Left", "KATA MAYYAION 17\r\n 17:21 touto de\r\n" + same +
                             " 3:17 ou gar\r\n 3:18 o pisteuwn\r\nKATA IWANNHN 8\r\n 8:1 ihsouv de\r\n 8:2 oryrou de\r\n"
                             "KATA IWANNHN 17\r\n 17:20 ou peri\r\n 17:21 ina pantev\r\n");
    WriteEdition("Right", "KATA MAYYAION 17\r\n 17:21 touto\r\n" + same +
                              " 3:17 ou\r\n 3:18 o pisteuwn\r\nKATA IWANNHN 8\r\n 8:1 ihsouv de\r\n 8:2 oryrou\r\n"
                              "KATA IWANNHN 17\r\n 17:20 ou peri\r\n 17:21 ina\r\n");
    Open();
    Choose("Left", "Right");
    Run(1);
    ASSERT_EQ(mainWindow->Results().Count(), 8u);
    const struct {
        const char* typed;
        std::optional<size_t> unit; // nullopt: not among the results, the mark stays
        int row;                    // the source lists' line
    } cases[] = {
        {"John 3:16", 3, 4}, {"Jn 8", 4, 7}, {"17:21", 7, 12}, // John's, the book in view
        {"John 3:18", std::nullopt, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<size_t> before = mainWindow->Panes().MarkedUnit();
        EXPECT_EQ(mainWindow->GoToReference(QString::fromUtf8(c.typed)), c.unit.has_value());
        EXPECT_EQ(mainWindow->Panes().MarkedUnit(), c.unit ? c.unit : before);
        for (const Side side : {Side::Left, Side::Right})
            EXPECT_EQ(mainWindow->List(side)->currentIndex().row(), c.row);
        EXPECT_EQ(mainWindow->Finder().Status().contains("not among the results"), !c.unit)
            << mainWindow->Finder().Status().toStdString();
    }
    EXPECT_FALSE(mainWindow->GoToReference("kai"));
    EXPECT_TRUE(mainWindow->findChild<QAction*>(main_window_names::gotoReferenceAction));
}

} // namespace
} // namespace synopter::test
