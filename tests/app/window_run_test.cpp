// A comparison run in the real window: what it writes into the panes, what it
// saves and restores, stopping it, and what the user may do while it runs.
#include "app/window_test.h"
#include "app/main_window_names.h"
#include "compare/result_model.h"
#include "compare/ui/pane_pair.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>

using namespace synopter;
using namespace synopter::test;

namespace {

TEST_F(WindowTest, ARunWritesLevelColouredPairsUnderTheirHeadings)
{
    Open();
    Choose("Left", "Right");
    mainWindow->ExactPositionsBox()->setChecked(true);
    Run(1);

    const QStringList left = Lines(mainWindow->Pane(Side::Left));
    const QStringList right = Lines(mainWindow->Pane(Side::Right));
    ASSERT_EQ(left.size(), right.size());
    // Headings at the same lines, a blank line before the second chapter only.
    EXPECT_EQ(left.indexOf("KATA MARKON 1"), 0);
    EXPECT_EQ(right.indexOf("KATA MARKON 1"), 0);
    EXPECT_EQ(left.indexOf("KATA MARKON 2"), right.indexOf("KATA MARKON 2"));
    EXPECT_EQ(left.at(left.indexOf("KATA MARKON 2") - 1), "");
    // Each pair starts on the same display line in both panes.
    for (const char* ref : {" 1:2 ", " 2:1 ", " 2:2 "}) {
        const auto startsWith = [ref](const QStringList& l) {
            for (int i = 0; i < l.size(); ++i)
                if (l[i].startsWith(ref))
                    return i;
            return -1;
        };
        EXPECT_NE(startsWith(left), -1) << ref;
        EXPECT_EQ(startsWith(left), startsWith(right)) << ref;
    }

    // Headings bold dark red; shared words and spaces black, the rest blue.
    EXPECT_EQ(Colours(mainWindow->Pane(Side::Left), 0), QString(13, 'R'));
    EXPECT_EQ(Colours(mainWindow->Pane(Side::Right), 0), QString(13, 'R'));
    //                     " 2:1 kai palin"
    const QString left21 = "kkkkkkkkkkkkkk";
    //                      " 2:1 kai eishlyen palin"
    const QString right21 = "kkkkkkkkkbbbbbbbbkkkkkk";
    const rtf::Document leftDoc = mainWindow->Pane(Side::Left)->ToDocument();
    int block = -1;
    for (size_t i = 0; i < leftDoc.paragraphs.size(); ++i)
        if (!leftDoc.paragraphs[i].empty() && leftDoc.paragraphs[i][0].text.rfind(" 2:1", 0) == 0)
            block = int(i);
    ASSERT_NE(block, -1);
    EXPECT_EQ(Colours(mainWindow->Pane(Side::Left), block), left21);
    EXPECT_EQ(Colours(mainWindow->Pane(Side::Right), block), right21);

    EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "3");
    ASSERT_EQ(chapterWindow->List()->count(), 2);
    EXPECT_EQ(chapterWindow->List()->item(1)->text(), "KATA MARKON 2");
    EXPECT_TRUE(mainWindow->CompareButton()->isVisible());
    EXPECT_TRUE(mainWindow->Chooser(Side::Left)->isEnabled());
    EXPECT_TRUE(mainWindow->ExactPositionsBox()->isEnabled());
    EXPECT_EQ(mainWindow->ProgressBar()->value(), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("r1.rtf")));
    EXPECT_TRUE(QFile::exists(dir.filePath("r2.rtf")));
    QFile chapters(dir.filePath("chapters.lst"));
    ASSERT_TRUE(chapters.open(QIODevice::ReadOnly));
    EXPECT_EQ(chapters.readAll(), "KATA MARKON 1\r\nKATA MARKON 2\r\n");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(WindowTest, ARunWithoutReportsEmptiesEverythingAndResetsTheCount)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    ASSERT_NE(mainWindow->FoundCountLabel()->text(), "0");
    Choose("Left", "Left");
    Run(1);
    EXPECT_EQ(mainWindow->Pane(Side::Left)->LineCount(), 0);
    EXPECT_EQ(chapterWindow->List()->count(), 0);
    EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "0");
    QFile chapters(dir.filePath("chapters.lst"));
    ASSERT_TRUE(chapters.open(QIODevice::ReadOnly));
    EXPECT_EQ(chapters.size(), 0);
}

TEST_F(WindowTest, ResultsComeBackOnceAtTheNextStart)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    const rtf::Document left = mainWindow->Pane(Side::Left)->ToDocument();
    const rtf::Document right = mainWindow->Pane(Side::Right)->ToDocument();
    mainWindow.reset();
    chapterWindow.reset();

    Open();
    EXPECT_EQ(mainWindow->Pane(Side::Left)->ToDocument(), left);
    EXPECT_EQ(mainWindow->Pane(Side::Right)->ToDocument(), right);
    EXPECT_EQ(chapterWindow->List()->count(), 2);

    // Showing the window again does not load the files again.
    mainWindow->Pane(Side::Left)->Clear();
    mainWindow->hide();
    mainWindow->show();
    QApplication::processEvents();
    EXPECT_EQ(mainWindow->Pane(Side::Left)->LineCount(), 0);
}

TEST_F(WindowTest, AMissingResultFileLeavesItsPaneEmpty)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    mainWindow.reset();
    chapterWindow.reset();
    // Files from before the set's record was kept, or from another program.
    QFile::remove(dir.filePath("results.set"));
    QFile::remove(dir.filePath("r2.rtf"));
    WriteFile(dir.filePath("r1.rtf"), "plain words\r\nsecond line\r\n");
    Open();
    EXPECT_EQ(Lines(mainWindow->Pane(Side::Left)), (QStringList{"plain words", "second line"}));
    EXPECT_EQ(mainWindow->Pane(Side::Right)->LineCount(), 0);
}

TEST_F(WindowTest, ResultFilesNotFromOneRunAreRefusedAndNothingIsShown)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    ASSERT_GT(chapterWindow->List()->count(), 0);
    mainWindow.reset();
    chapterWindow.reset();
    // r1.rtf of another run beside r2.rtf and chapters.lst of this one.
    WriteFile(dir.filePath("r1.rtf"), "{\\rtf1 another run\\par}");
    Open();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("not all from the same comparison")) << messages.shown[0].toStdString();
    EXPECT_EQ(mainWindow->Pane(Side::Left)->LineCount(), 0);
    EXPECT_EQ(mainWindow->Pane(Side::Right)->LineCount(), 0);
    EXPECT_EQ(chapterWindow->List()->count(), 0);
}

TEST_F(WindowTest, UnwritableResultFilesAreReportedAndTheRunStillEnds)
{
    Open();
    Choose("Left", "Right");
    ASSERT_TRUE(QDir(dir.path()).mkdir("r2.rtf")); // a folder cannot be replaced by a file
    Run(1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains(dir.filePath("r2.rtf")));
    // The files are one set: none of this run's is kept beside the failed one.
    EXPECT_FALSE(QFile::exists(dir.filePath("r1.rtf")));
    EXPECT_TRUE(mainWindow->CompareButton()->isVisible());
    EXPECT_TRUE(mainWindow->Chooser(Side::Right)->isEnabled());
}

TEST_F(WindowTest, StopEndsTheRunAfterTheCurrentLineAndKeepsWhatWasFound)
{
    WriteLongEditions(20000);
    Open();
    Choose("Left", "Right");
    bool sawRunState = false;
    DuringRun([&] {
        sawRunState = mainWindow->CompareButton()->isHidden() && !mainWindow->Chooser(Side::Left)->isEnabled() &&
                      !mainWindow->ThresholdBox()->isEnabled();
        // A pane taking the focus during a run passes it on.
        mainWindow->Pane(Side::Left)->setFocus();
        QApplication::processEvents();
        // Past the double-click interval the stop button takes its click.
        QTest::qSleep(QApplication::doubleClickInterval() + 50);
        mainWindow->StopButton()->click();
    });
    Run(1);
    EXPECT_TRUE(sawRunState);
    const int found = mainWindow->FoundCountLabel()->text().toInt();
    EXPECT_GT(found, 0);
    EXPECT_LT(found, 20000);
    EXPECT_EQ(mainWindow->ProgressBar()->value(), 0);
    EXPECT_TRUE(mainWindow->CompareButton()->isVisible());
    EXPECT_TRUE(QFile::exists(dir.filePath("r1.rtf")));
    EXPECT_EQ(chapterWindow->List()->count(), 1);
    // The window says the results are incomplete, and where the run stopped,
    // until a run goes to its end.
    const QLabel* notice = mainWindow->findChild<QLabel*>(main_window_names::stoppedText);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), QString::fromUtf8("The comparison was stopped at ΚΑΤΑ ΛΟΥΚΑΝ 1: these results are incomplete."));
    Run(1);
    EXPECT_FALSE(notice->isVisible());
}

// A line of a million words takes long enough that Stop must reach into it:
// the run ends inside that line, which is not reported.
TEST_F(WindowTest, StopIsHonouredInsideOneLongLine)
{
    WriteHugePair(1000000);
    Open();
    Choose("Left", "Right");
    QTimer::singleShot(0, mainWindow.get(), [&] {
        QTest::qSleep(QApplication::doubleClickInterval() + 50);
        mainWindow->StopButton()->click();
    });
    Run(1);
    EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "0");
    EXPECT_TRUE(mainWindow->CompareButton()->isVisible());
}

// A pair of lines of megabytes is reported like any other: the panes show its
// beginning and a mark, the result files keep it whole.
TEST_F(WindowTest, AHugePairIsShownClippedAndSavedWhole)
{
    WriteHugePair(200000);
    Open();
    Choose("Left", "Right");
    Run(1);
    EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "2");
    for (const Side side : {Side::Left, Side::Right}) {
        const QString shown = mainWindow->Pane(side)->document()->findBlockByNumber(1).text();
        EXPECT_EQ(shown.size(), int(ResultPane::kMaxShownChars) + 6);
        EXPECT_TRUE(shown.endsWith(" [...]"));
    }
    QFile saved(dir.filePath("r1.rtf"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("a199999"));
}

// The second click of a double-click on COMPARE lands on the stop button it
// uncovers: that click, with the pointer where it was, does not stop the run.
TEST_F(WindowTest, AClickOnStopRightAfterTheStartDoesNotStopTheRun)
{
    WriteLongEditions(3000);
    Open();
    Choose("Left", "Right");
    bool clicked = false;
    QTimer::singleShot(0, mainWindow.get(), [&] {
        clicked = mainWindow->StopButton()->isVisible();
        mainWindow->StopButton()->click();
    });
    Run(1);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "3000");

    // A pointer that moved to the button means a click meant for it.
    QTimer::singleShot(0, mainWindow.get(), [&] {
        QCursor::setPos(QCursor::pos() + QPoint(15, 3));
        mainWindow->StopButton()->click();
    });
    Run(1);
    EXPECT_LT(mainWindow->FoundCountLabel()->text().toInt(), 3000);
}

// The top of every paragraph with text, in order; empty ones are the levelling.
std::vector<int> TextTops(ResultPane* pane)
{
    std::vector<int> tops;
    QAbstractTextDocumentLayout* layout = pane->document()->documentLayout();
    for (QTextBlock b = pane->document()->begin(); b.isValid(); b = b.next())
        if (b.length() > 1)
            tops.push_back(int(layout->blockBoundingRect(b).top()));
    return tops;
}

// Pairs of differing lengths wrap differently on each side; after every change
// of width, and restored at another width, each pair and heading starts at the
// same height in both panes, and "Scroll Both" keeps the panes on the same
// pixel whatever moves the leader.
TEST_F(WindowTest, PairsStayLevelAtAnyWidthAndThePanesMoveTogether)
{
    QByteArray left = "KATA LOUKAN 1\r\n", right = "KATA LOUKAN 1\r\n";
    for (int i = 1; i <= 150; ++i) {
        left += " 1:" + QByteArray::number(i) + " kai" + QByteArray(" legei autw").repeated(i % 9) + "\r\n";
        right += " 1:" + QByteArray::number(i) + " de" + QByteArray(" eipen").repeated(i % 13) + "\r\n";
    }
    WriteEdition("Left", left);
    WriteEdition("Right", right);
    const auto expectLevel = [this](const char* when) {
        SCOPED_TRACE(when);
        QTest::qWait(300); // resizing settles before the panes are filled again
        const std::vector<int> l = TextTops(mainWindow->Pane(Side::Left));
        ASSERT_EQ(l.size(), 151u);
        EXPECT_EQ(l, TextTops(mainWindow->Pane(Side::Right)));
    };
    Open();
    Choose("Left", "Right");
    Run(1);
    expectLevel("after the run");
    for (const int width : {1100, 560}) {
        mainWindow->resize(width, 600);
        expectLevel(width == 1100 ? "wider" : "narrower");
    }

    // Page clicks, thumb drags and keys move the partner to the same position.
    mainWindow->ScrollBothBox()->setChecked(true);
    QScrollBar* bar = mainWindow->Pane(Side::Left)->verticalScrollBar();
    QScrollBar* partner = mainWindow->Pane(Side::Right)->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(partner->value(), bar->value()) << "page click";
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->maximum() / 3 + 7);
    bar->setSliderDown(false);
    EXPECT_EQ(partner->value(), bar->value()) << "thumb drag";
    mainWindow->Pane(Side::Left)->setFocus();
    QTest::keyClick(mainWindow->Pane(Side::Left), Qt::Key_PageDown);
    EXPECT_EQ(partner->value(), bar->value()) << "key";

    // Restored by the next start at another width.
    mainWindow->close();
    Open();
    mainWindow->resize(700, 600);
    expectLevel("restored");
}

TEST_F(WindowTest, ATypedZeroOrEmptyThresholdRunsWithTheLeast)
{
    Open();
    Choose("Left", "Right");
    struct Case {
        const char* typed;
        int expected;
    };
    for (const Case c : {Case{"0", 1}, Case{"", 1}, Case{"3", 3}}) {
        SCOPED_TRACE(c.typed);
        QSpinBox* box = mainWindow->ThresholdBox();
        box->setValue(7);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, c.typed);
        mainWindow->Compare();
        EXPECT_EQ(box->value(), c.expected);
    }
}

// What the user can do while a run lets events in: the run goes on (or, after
// closing, stops) and ends as any run does, with its controls back, the pairs
// level in both panes and the results saved.
TEST_F(WindowTest, ActionsDuringARunLeaveItWhole)
{
    constexpr int kVerses = 1000;
    WriteLongEditions(kVerses);

    struct Case {
        const char* name;
        std::function<void(MainWindow&)> act;
        bool stops;
    };
    const Case cases[] = {
        {"close", [](MainWindow& f) { f.close(); }, true},
        {"language", [this](MainWindow& f) {
             WriteFile(dir.filePath("Deutsch.lng"), "[Form1]\nLabel6=Gefunden:\n[Form2]\nForm2=Kapitel\n");
             f.findChild<QAction*>(main_window_names::languageAction)->trigger();
         }, false},
        {"clear left", [](MainWindow& f) { f.findChild<QAction*>(main_window_names::clearLeftAction)->trigger(); }, false},
        {"clear right", [](MainWindow& f) { f.findChild<QAction*>(main_window_names::clearRightAction)->trigger(); }, false},
        {"go to chapter", [](MainWindow& f) { f.GoToChapter("KATA LOUKAN 1"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dir.filePath("Deutsch.lng"));
        QFile::remove(dir.filePath("r1.rtf"));
        Open();
        Choose("Left", "Right");
        bool duringRun = false;
        DuringRun([&] {
            duringRun = true;
            c.act(*mainWindow);
        });
        Run(1);
        ASSERT_TRUE(duringRun);

        const int found = mainWindow->FoundCountLabel()->text().toInt();
        if (c.stops)
            EXPECT_LT(found, kVerses);
        else
            EXPECT_EQ(found, kVerses);
        EXPECT_FALSE(mainWindow->CompareButton()->isHidden());
        EXPECT_TRUE(mainWindow->Chooser(Side::Left)->isEnabled());
        EXPECT_TRUE(QFile::exists(dir.filePath("r1.rtf")));
        if (std::string(c.name) == "language") {
            EXPECT_EQ(mainWindow->findChild<QLabel*>(main_window_names::foundLabel)->text(), "Gefunden:");
            EXPECT_EQ(chapterWindow->windowTitle(), "Kapitel");
        }

        // Lines that both start a verse name the same one, and the last pair
        // found starts on the same line in both panes.
        const QStringList l = Lines(mainWindow->Pane(Side::Left));
        const QStringList r = Lines(mainWindow->Pane(Side::Right));
        const auto verse = [](const QString& line) {
            return line.startsWith(" 1:") ? line.section(' ', 1, 1) : QString();
        };
        int lastLeft = -1, lastRight = -1;
        for (int i = 0; i < l.size(); ++i)
            if (!verse(l[i]).isEmpty())
                lastLeft = i;
        for (int i = 0; i < r.size(); ++i)
            if (!verse(r[i]).isEmpty())
                lastRight = i;
        for (int i = 0; i < std::min(l.size(), r.size()); ++i) {
            if (!verse(l[i]).isEmpty() && !verse(r[i]).isEmpty()) {
                ASSERT_EQ(verse(l[i]), verse(r[i])) << i;
            }
        }
        ASSERT_NE(lastLeft, -1);
        EXPECT_EQ(lastLeft, lastRight);
        EXPECT_EQ(verse(l[lastLeft]), QString("1:%1").arg(found));
    }
}

} // namespace

namespace synopter::test {
namespace {

TEST_F(WindowTest, NextAndPreviousDifferenceWalkThePairsAndStopAtTheEnds)
{
    Open();
    Choose("Left", "Right");
    Run(1); // a heading, a pair, a heading, two pairs
    PanePair& panes = mainWindow->Panes();
    ASSERT_EQ(mainWindow->Results().Count(), 5u);
    QAction* next = mainWindow->findChild<QAction*>(main_window_names::nextDifferenceAction);
    QAction* previous = mainWindow->findChild<QAction*>(main_window_names::previousDifferenceAction);
    ASSERT_TRUE(next && previous);
    EXPECT_EQ(next->shortcut(), QKeySequence(Qt::Key_F7));
    const struct {
        QAction* action;
        size_t marked;
    } steps[] = {{next, 1}, {next, 3}, {next, 4}, {next, 4}, {previous, 3}, {previous, 1}, {previous, 1}};
    for (const auto& step : steps) {
        step.action->trigger();
        ASSERT_TRUE(panes.MarkedUnit());
        EXPECT_EQ(*panes.MarkedUnit(), step.marked);
        EXPECT_EQ(mainWindow->Pane(Side::Left)->extraSelections().size(), 1);
    }
    mainWindow->Compare(); // new results take the mark away
    EXPECT_FALSE(panes.MarkedUnit());
    EXPECT_TRUE(mainWindow->Pane(Side::Right)->extraSelections().isEmpty());
}

TEST_F(WindowTest, NextDifferenceGoesOnFromWhatThePanesShowAndKeepsThemLevel)
{
    WriteLongEditions(300);
    Open();
    Choose("Left", "Right");
    Run(1);
    ResultPane* left = mainWindow->Pane(Side::Left);
    ResultPane* right = mainWindow->Pane(Side::Right);
    left->ScrollToLine(0);
    mainWindow->findChild<QAction*>(main_window_names::nextDifferenceAction)->trigger();
    EXPECT_EQ(*mainWindow->Panes().MarkedUnit(), 1u);
    // The user scrolls far away from the mark: F7 goes on from there.
    left->ScrollToLine(200);
    right->ScrollToLine(200);
    const QString top = left->Line(left->FirstVisibleLine());
    mainWindow->findChild<QAction*>(main_window_names::nextDifferenceAction)->trigger();
    EXPECT_EQ(left->Line(left->FirstVisibleLine()), top);
    EXPECT_EQ(right->verticalScrollBar()->value(), left->verticalScrollBar()->value());
    mainWindow->findChild<QAction*>(main_window_names::nextDifferenceAction)->trigger();
    EXPECT_TRUE(top.startsWith(" 1:200 ")) << top.toStdString();
    EXPECT_TRUE(left->Line(left->FirstVisibleLine()).startsWith(" 1:201 "));
}

} // namespace
} // namespace synopter::test
