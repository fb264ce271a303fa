#include "app/main_window.h"
#include "app/scroll_coupling.h"
#include "app/scroll_hooks.h"
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
#include <functional>
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

// The coupling's own rule, action by action, from either side.
TEST_F(ScrollingTest, CouplingFollowsStepsAndReleasesAndPanesAlsoFollowTheDraggedThumb)
{
    using A = QAbstractSlider;
    struct Case {
        const char* name;
        ScrollAction action;
        bool paneFollows;
        bool listFollows;
    };
    const Case cases[] = {
        {"line up", A::SliderSingleStepSub, true, true},     {"line down", A::SliderSingleStepAdd, true, true},
        {"page up", A::SliderPageStepSub, true, true},       {"page down", A::SliderPageStepAdd, true, true},
        {"thumb dragged", A::SliderMove, true, false},       {"thumb released", ScrollStep::ThumbReleased, true, true},
        {"wheel", ScrollStep::Wheel, true, true},            {"to top", A::SliderToMinimum, false, false},
        {"to bottom", A::SliderToMaximum, false, false},     {"no action", A::SliderNoAction, false, false},
    };
    ScrollCoupling coupling(form_->Pane(Side::Left), form_->Pane(Side::Right), form_->List(Side::Left),
                            form_->List(Side::Right), form_->ScrollBothBox());
    for (const bool scrollBoth : {true, false}) {
        ScrollBoth(scrollBoth);
        for (const Side leader : {Side::Left, Side::Right}) {
            const Side follower = leader == Side::Left ? Side::Right : Side::Left;
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.name) + (leader == Side::Left ? " on the left" : " on the right") +
                             (scrollBoth ? " with Scroll Both" : " alone"));
                form_->Pane(leader)->ScrollToLine(7);
                form_->Pane(follower)->ScrollToLine(0);
                form_->List(leader)->SetTopIndex(7);
                form_->List(follower)->SetTopIndex(0);
                coupling.PaneScrolled(leader, c.action);
                coupling.ListScrolled(leader, c.action);
                EXPECT_EQ(form_->Pane(follower)->FirstVisibleLine(), scrollBoth && c.paneFollows ? 7 : 0);
                EXPECT_EQ(form_->List(follower)->TopIndex(), scrollBoth && c.listFollows ? 7 : 0);
            }
        }
    }
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

// ---- The hooks alone ------------------------------------------------------

// Two panes of their own, each watched; what each reports is recorded with
// where its scroll bar stood when its hook ran.
class ScrollHooksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 2; ++i) {
            panes_[i].resize(300, 200);
            FillPane(&panes_[i], kLongLines);
            panes_[i].show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&panes_[i]));
            hooks_.Watch(&panes_[i], [this, i](const ScrollAction& action) {
                reported_[i].push_back(action);
                valueInHook_[i] = Bar(i)->value();
                if (onHook_)
                    onHook_(i);
            });
        }
        ASSERT_GT(Bar(0)->maximum(), 4 * Bar(0)->pageStep());
    }

    QScrollBar* Bar(int i) { return panes_[i].verticalScrollBar(); }

    ResultPane panes_[2];
    ScrollHooks hooks_;
    std::vector<ScrollAction> reported_[2];
    int valueInHook_[2] = {-1, -1};
    std::function<void(int pane)> onHook_;
};

TEST_F(ScrollHooksTest, ReportScrollBarActionsInQtTermsOnceTheAreaHasScrolled)
{
    using A = QAbstractSlider;
    const auto trigger = [](A::SliderAction action) { return [action](QScrollBar* bar) { bar->triggerAction(action); }; };
    struct Case {
        const char* name;
        std::function<void(QScrollBar*)> act;
        std::vector<ScrollAction> reported;
    };
    const Case cases[] = {
        {"line down", trigger(A::SliderSingleStepAdd), {A::SliderSingleStepAdd}},
        {"line up", trigger(A::SliderSingleStepSub), {A::SliderSingleStepSub}},
        {"page down", trigger(A::SliderPageStepAdd), {A::SliderPageStepAdd}},
        {"page up", trigger(A::SliderPageStepSub), {A::SliderPageStepSub}},
        {"to bottom", trigger(A::SliderToMaximum), {A::SliderToMaximum}},
        {"to top", trigger(A::SliderToMinimum), {A::SliderToMinimum}},
        {"thumb dragged and released",
         [](QScrollBar* bar) {
             bar->setSliderDown(true);
             bar->setSliderPosition(bar->value() + 30);
             bar->setSliderPosition(bar->value() + 50);
             bar->setSliderDown(false);
         },
         {A::SliderMove, A::SliderMove, ScrollStep::ThumbReleased}},
        {"wheel",
         [this](QScrollBar*) {
             const QPoint at = panes_[0].viewport()->rect().center();
             QWheelEvent wheel(at, panes_[0].viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(panes_[0].viewport(), &wheel);
         },
         {ScrollStep::Wheel}},
        // Keys and the program's own moves are no scroll-bar actions.
        {"page down key", [this](QScrollBar*) { QTest::keyClick(&panes_[0], Qt::Key_PageDown); }, {}},
        {"set by the program", [](QScrollBar* bar) { bar->setValue(bar->value() + 40); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bar(0)->setValue(Bar(0)->maximum() / 2);
        const int before = Bar(0)->value();
        reported_[0].clear();
        c.act(Bar(0));
        EXPECT_EQ(reported_[0], c.reported);
        EXPECT_NE(Bar(0)->value(), before);
        if (!c.reported.empty()) {
            EXPECT_EQ(valueInHook_[0], Bar(0)->value());
        }
    }
    EXPECT_TRUE(reported_[1].empty());
}

TEST_F(ScrollHooksTest, NothingIsReportedWhileAHookRuns)
{
    // The first pane's hook moves the second as the coupling would, and by an action.
    onHook_ = [this](int pane) {
        if (pane == 0)
            Bar(1)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    };
    Bar(0)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(reported_[0].size(), 1u);
    EXPECT_GT(Bar(1)->value(), 0);
    EXPECT_TRUE(reported_[1].empty());
    // Afterwards the second pane's own actions count again.
    Bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(reported_[1], std::vector<ScrollAction>{QAbstractSlider::SliderSingleStepAdd});
}

} // namespace
} // namespace synopter
