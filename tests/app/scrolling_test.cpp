#include "app/main_window.h"
#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"

#include <QApplication>
#include <QCheckBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace synopter {
namespace {

constexpr int kLongLines = 200;  // RichEdit1, and the left edition
constexpr int kShortLines = 120; // RichEdit2, and the right edition

void WriteEdition(const std::string& dir, const std::string& name, int lines)
{
    std::ofstream(dir + name + ".bk", std::ios::binary) << "[English]\r\nInformation=" << name << "\r\n";
    std::ofstream text(dir + name + ".dat", std::ios::binary);
    for (int i = 0; i < lines; ++i)
        text << " verse " << i << "\r\n";
}

void FillPane(ResultPane* pane, int lines)
{
    for (int i = 0; i < lines; ++i)
        pane->AppendLine(QString("line %1").arg(i), ResultPane::Format(0, false));
    EXPECT_EQ(pane->LineCount(), lines);
    pane->moveCursor(QTextCursor::Start);
}

// A started main window with a longer left and a shorter right side: panes and
// source lists alike.
class ScrollingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string dir = dir_.path().toStdString() + "/";
        WriteEdition(dir, "long", kLongLines);
        WriteEdition(dir, "short", kShortLines);
        std::ofstream(dir + "kelvane.ini", std::ios::binary)
            << "[Init]\r\nleft=long\r\nright=short\r\nwidth=700\r\nheight=480\r\n";
        form_ = std::make_unique<MainWindow>(dir);
        ASSERT_TRUE(form_->Start());
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        FillPane(form_->Pane(Side::Left), kLongLines);
        FillPane(form_->Pane(Side::Right), kShortLines);
        QApplication::processEvents();
        ASSERT_EQ(form_->List(Side::Left)->Count(), kLongLines);
        ASSERT_EQ(form_->List(Side::Right)->Count(), kShortLines);
        ASSERT_GT(Bar(form_->Pane(Side::Right))->maximum(), 0);
        ASSERT_GT(Bar(form_->List(Side::Right))->maximum(), 0);
        ASSERT_EQ(form_->Pane(Side::Left)->FirstVisibleLine(), 0);
    }

    static QScrollBar* Bar(QAbstractScrollArea* area) { return area->verticalScrollBar(); }

    void ScrollBoth(bool on) { form_->ScrollBothBox()->setChecked(on); }

    // The thumb taken, moved to `position`, and (when `release`) let go.
    static void DragThumb(QScrollBar* bar, int position, bool release = true)
    {
        bar->setSliderDown(true);
        bar->setSliderPosition(position);
        if (release)
            bar->setSliderDown(false);
    }

    static void Wheel(QAbstractScrollArea* area, int notches)
    {
        const QPoint at = area->viewport()->rect().center();
        QWheelEvent wheel(at, area->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area->viewport(), &wheel);
    }

    int First1() const { return form_->Pane(Side::Left)->FirstVisibleLine(); }
    int First2() const { return form_->Pane(Side::Right)->FirstVisibleLine(); }
    int Top1() const { return form_->List(Side::Left)->TopIndex(); }
    int Top2() const { return form_->List(Side::Right)->TopIndex(); }

    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> form_;
};

// ---- Scroll-bar actions ----------------------------------------------------

TEST_F(ScrollingTest, PaneActionsMoveThePartnerOnlyWithScrollBoth)
{
    struct Case {
        const char* name;
        QAbstractSlider::SliderAction action;
        bool coupled; // with "Scroll Both" checked
    };
    const Case cases[] = {
        {"line_down", QAbstractSlider::SliderSingleStepAdd, true},
        {"page_down", QAbstractSlider::SliderPageStepAdd, true},
        {"to_bottom", QAbstractSlider::SliderToMaximum, false},
    };
    for (const bool scrollBoth : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (scrollBoth ? " with Scroll Both" : " alone"));
            ScrollBoth(scrollBoth);
            form_->Pane(Side::Left)->ScrollToLine(10);
            form_->Pane(Side::Right)->ScrollToLine(10);
            Bar(form_->Pane(Side::Right))->triggerAction(c.action);
            ASSERT_GT(First2(), 10);
            EXPECT_EQ(First1(), scrollBoth && c.coupled ? First2() : 10);
        }
    }
}

TEST_F(ScrollingTest, LineStepsKeepBothPanesOnTheSameLineInBothDirections)
{
    ScrollBoth(true);
    QScrollBar* bar = Bar(form_->Pane(Side::Left));
    for (int i = 0; i < 6; ++i) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(First2(), First1()) << "step " << i;
    }
    const int down = First1();
    EXPECT_GE(down, 4);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_LT(First1(), down);
    EXPECT_EQ(First2(), First1());
    Bar(form_->Pane(Side::Right))->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(First2(), 0);
    EXPECT_EQ(First1(), 0);
}

TEST_F(ScrollingTest, DraggedPaneThumbCarriesThePartnerAlong)
{
    // Thumb positions that put a given line at the top of the left pane.
    const auto positionOf = [&](int line) {
        form_->Pane(Side::Left)->ScrollToLine(line);
        const int position = Bar(form_->Pane(Side::Left))->value();
        form_->Pane(Side::Left)->ScrollToLine(0);
        return position;
    };
    const int at20 = positionOf(20);
    const int at45 = positionOf(45);
    const int at30 = positionOf(30);
    ScrollBoth(true);
    QScrollBar* bar = Bar(form_->Pane(Side::Left));
    bar->setSliderDown(true);
    for (const auto& [position, line] : {std::pair(at20, 20), {at45, 45}, {at30, 30}}) {
        bar->setSliderPosition(position);
        EXPECT_EQ(First1(), line);
        EXPECT_EQ(First2(), line) << "while dragging";
    }
    bar->setSliderDown(false);
    EXPECT_EQ(First2(), 30);
}

TEST_F(ScrollingTest, DraggedListThumbCatchesUpOnlyWhenReleased)
{
    DragThumb(Bar(form_->List(Side::Right)), 30);
    EXPECT_EQ(Top1(), 0) << "not coupled without Scroll Both";

    ScrollBoth(true);
    QScrollBar* bar = Bar(form_->List(Side::Right));
    DragThumb(bar, 40, false);
    bar->setSliderPosition(60);
    EXPECT_EQ(Top2(), 60);
    EXPECT_EQ(Top1(), 0) << "the partner waits for the release";
    bar->setSliderDown(false);
    EXPECT_EQ(Top1(), 60);

    // Steps move the partner at once, from either side.
    Bar(form_->List(Side::Left))->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Top1(), 59);
    EXPECT_EQ(Top2(), 59);
    Bar(form_->List(Side::Right))->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_LT(Top2(), 59);
    EXPECT_EQ(Top1(), Top2());
}

TEST_F(ScrollingTest, ShorterPartnerStopsAtItsEndAndComesBackInStep)
{
    ScrollBoth(true);
    QScrollBar* bar = Bar(form_->Pane(Side::Left));
    DragThumb(bar, bar->maximum());
    const int last2 = First2();
    ASSERT_GT(First1(), last2) << "the right pane is the shorter one";
    const int bottom1 = First1();
    // No echo: the stopped partner does not pull the left pane back.
    EXPECT_EQ(First1(), bottom1);

    // Going back up, the partner waits at its end until both can show the same line.
    for (int step = 0; step < 400 && First1() > 0; ++step) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        ASSERT_EQ(First2(), std::min(First1(), last2)) << "at left line " << First1();
    }
    EXPECT_EQ(First1(), 0);

    // The lists do the same.
    QScrollBar* list = Bar(form_->List(Side::Left));
    DragThumb(list, list->maximum());
    EXPECT_EQ(Top2(), Bar(form_->List(Side::Right))->maximum());
    EXPECT_EQ(Top1(), list->maximum());
    list->triggerAction(QAbstractSlider::SliderPageStepSub);
    list->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(Top2(), std::min(Top1(), Bar(form_->List(Side::Right))->maximum()));
}

TEST_F(ScrollingTest, AnActionAtTheTopStillBringsThePartnerBack)
{
    // Out of step while "Scroll Both" was off; the next action measures again.
    form_->Pane(Side::Right)->ScrollToLine(25);
    form_->List(Side::Right)->SetTopIndex(25);
    ScrollBoth(true);
    Bar(form_->Pane(Side::Left))->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(First1(), 0);
    EXPECT_EQ(First2(), 0);
    Bar(form_->List(Side::Left))->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(Top2(), 0);
}

TEST_F(ScrollingTest, PanesAndListsNeverMoveEachOther)
{
    ScrollBoth(true);
    DragThumb(Bar(form_->List(Side::Left)), 50);
    Bar(form_->List(Side::Right))->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(First1(), 0);
    EXPECT_EQ(First2(), 0);
    const int top1 = Top1();
    const int top2 = Top2();
    DragThumb(Bar(form_->Pane(Side::Left)), Bar(form_->Pane(Side::Left))->maximum() / 3);
    Bar(form_->Pane(Side::Right))->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_GT(First1(), 0);
    EXPECT_EQ(First1(), First2());
    EXPECT_EQ(Top1(), top1);
    EXPECT_EQ(Top2(), top2);
}

TEST_F(ScrollingTest, HooksActOnTheirScrollCodesOnly)
{
    struct Case {
        int code;
        bool paneActs;
        bool listActs;
    };
    const Case cases[] = {
        {0, true, true},   {1, true, true},   {2, true, true},    {3, true, true},
        {4, true, true},   {5, true, false},  {6, false, false},  {7, false, false},
        {8, false, false}, {-1, false, false}, {0x10001, true, true}, // the high word is not part of the code
    };
    ScrollBoth(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        form_->Pane(Side::Left)->ScrollToLine(0);
        form_->Pane(Side::Right)->ScrollToLine(7);
        form_->List(Side::Left)->SetTopIndex(0);
        form_->List(Side::Right)->SetTopIndex(7);
        form_->HookWndProc_richedit2(c.code);
        form_->HookWndProc_listbox2(c.code);
        EXPECT_EQ(First1(), c.paneActs ? 7 : 0);
        EXPECT_EQ(Top1(), c.listActs ? 7 : 0);
    }
    // Nothing at all without "Scroll Both".
    ScrollBoth(false);
    form_->HookWndProc_richedit1(1);
    form_->HookWndProc_listbox1(1);
    EXPECT_EQ(First2(), 7);
    EXPECT_EQ(Top2(), 7);
}

// ---- Wheel and keyboard ----------------------------------------------------

TEST_F(ScrollingTest, WheelCouplesLikeArrowStepsWithScrollBoth)
{
    Wheel(form_->Pane(Side::Left), 2);
    ASSERT_GT(First1(), 0);
    EXPECT_EQ(First2(), 0) << "not coupled without Scroll Both";
    Wheel(form_->List(Side::Right), 1);
    ASSERT_GT(Top2(), 0);
    EXPECT_EQ(Top1(), 0);

    ScrollBoth(true);
    Wheel(form_->Pane(Side::Right), 2);
    EXPECT_GT(First2(), 0);
    EXPECT_EQ(First1(), First2());
    Wheel(form_->Pane(Side::Left), -1);
    EXPECT_EQ(First2(), First1());
    Wheel(form_->List(Side::Left), 3);
    EXPECT_GT(Top1(), 0);
    EXPECT_EQ(Top2(), Top1());
}

TEST_F(ScrollingTest, RightPaneKeysCoupleOnlyWithScrollBothAndListKeysNever)
{
    for (const bool scrollBoth : {false, true}) {
        ScrollBoth(scrollBoth);
        form_->Pane(Side::Left)->ScrollToLine(0);
        form_->Pane(Side::Right)->ScrollToLine(0);
        form_->Pane(Side::Right)->moveCursor(QTextCursor::Start);
        form_->Pane(Side::Right)->setFocus();
        QTest::keyClick(form_->Pane(Side::Right), Qt::Key_PageDown);
        QTest::keyClick(form_->Pane(Side::Right), Qt::Key_PageDown);
        EXPECT_GT(First2(), 0);
        EXPECT_EQ(First1(), scrollBoth ? First2() : 0) << "Scroll Both " << scrollBoth;
    }

    form_->List(Side::Left)->setFocus();
    form_->List(Side::Left)->setCurrentIndex(form_->List(Side::Left)->model()->index(0, 0));
    QTest::keyClick(form_->List(Side::Left), Qt::Key_PageDown);
    QTest::keyClick(form_->List(Side::Left), Qt::Key_PageDown);
    EXPECT_GT(Top1(), 0);
    EXPECT_EQ(Top2(), 0);

    // Scroll-bar actions right after a key press are coupled as ever.
    Bar(form_->Pane(Side::Right))->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(First1(), First2());

    // The left pane's keys still reach the right pane once, with or without
    // "Scroll Both": both take the same page.
    for (const bool scrollBoth : {true, false}) {
        ScrollBoth(scrollBoth);
        form_->Pane(Side::Left)->ScrollToLine(0);
        form_->Pane(Side::Right)->ScrollToLine(0);
        form_->Pane(Side::Left)->moveCursor(QTextCursor::Start);
        form_->Pane(Side::Right)->moveCursor(QTextCursor::Start);
        form_->Pane(Side::Left)->setFocus();
        QTest::keyClick(form_->Pane(Side::Left), Qt::Key_PageDown);
        EXPECT_GT(First1(), 0);
        EXPECT_EQ(First2(), First1()) << "Scroll Both " << scrollBoth;
    }
}

// A run leaves each pane's caret at its end; a key in one pane must not carry
// the partner there through its caret.
TEST_F(ScrollingTest, APaneKeyMovesThePartnerByViewNotByItsCaret)
{
    struct Case {
        Side leader;
        Qt::Key key;
    };
    for (const Case c : {Case{Side::Left, Qt::Key_Down}, Case{Side::Left, Qt::Key_PageDown},
                         Case{Side::Right, Qt::Key_Down}, Case{Side::Right, Qt::Key_PageDown}}) {
        ScrollBoth(true);
        for (const Side side : {Side::Left, Side::Right}) {
            form_->Pane(side)->moveCursor(QTextCursor::End);
            form_->Pane(side)->ScrollToLine(0);
        }
        ResultPane* leader = form_->Pane(c.leader);
        ResultPane* follower = form_->Pane(c.leader == Side::Left ? Side::Right : Side::Left);
        leader->moveCursor(QTextCursor::Start);
        leader->setFocus();
        QTest::keyClick(leader, c.key);
        EXPECT_EQ(follower->FirstVisibleLine(), leader->FirstVisibleLine()) << int(c.leader) << " " << c.key;
        EXPECT_LT(follower->FirstVisibleLine(), 20) << int(c.leader) << " " << c.key;
    }
}

TEST_F(ScrollingTest, KeysReachThePaneOnceWithTheHooksInstalled)
{
    // The same pane without hooks, as a yardstick for one Page Down.
    ResultPane plain;
    plain.setFont(form_->Pane(Side::Right)->font());
    plain.verticalScrollBar()->setSingleStep(Bar(form_->Pane(Side::Right))->singleStep());
    plain.resize(form_->Pane(Side::Right)->size());
    FillPane(&plain, kShortLines);
    plain.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    QTest::keyClick(&plain, Qt::Key_PageDown);
    ASSERT_GT(plain.FirstVisibleLine(), 0);

    form_->Pane(Side::Right)->setFocus();
    QTest::keyClick(form_->Pane(Side::Right), Qt::Key_PageDown);
    EXPECT_EQ(First2(), plain.FirstVisibleLine());
    EXPECT_EQ(form_->Pane(Side::Right)->textCursor().position(), plain.textCursor().position());
}

} // namespace
} // namespace synopter
