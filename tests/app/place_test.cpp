// The reader's place: the verse at the top of the panes survives every new
// layout of the same results, and a step to a verse keeps its chapter in view.
#include "app/window_test.h"
#include "collate/ui/apparatus_window.h"
#include "compare/result_model.h"
#include "compare/ui/pane_pair.h"
#include "editions/ui/source_list.h"

#include <QElapsedTimer>
#include <QLabel>

#include <filesystem>

namespace synopter::test {
namespace {

class PlaceTest : public WindowTest {
protected:
    // The two sample editions linked into the program directory; false without them.
    bool LinkSampleEditions()
    {
        const QString from = QStringLiteral(SYNOPTER_EDITIONS_DIR) + "/";
        for (const char* name : {"WestcottHort1881", "Byzantine2018"})
            for (const char* ext : {".bk", ".dat"})
                if (!QFile::link(from + name + ext, dir.filePath(QString(name) + ext)))
                    return false;
        return true;
    }

    // Waits for the window to take its new state and size, then out the pause
    // after a resize that the panes are filled again in.
    void Settle(const QSize& before)
    {
        // A platform that keeps the size (maximizing offscreen) is no failure: the place is checked after.
        static_cast<void>(QTest::qWaitFor([&] { return mainWindow->size() != before; }, 1000));
        QTest::qWait(400);
    }
};

TEST_F(PlaceTest, TopUnitStaysAcrossResizeMaximizeAndRestoreAtTheEnd)
{
    if (!std::filesystem::exists(SYNOPTER_EDITIONS_DIR "/WestcottHort1881.dat") || !LinkSampleEditions())
        GTEST_SKIP() << "no sample editions";
    Open();
    Choose("WestcottHort1881", "Byzantine2018");
    Run(1);
    PanePair& panes = mainWindow->Panes();
    const size_t count = mainWindow->Results().Count();
    ASSERT_GT(count, 1000u);
    ResultPane* panesOf[2] = {mainWindow->Pane(Side::Left), mainWindow->Pane(Side::Right)};
    const auto atEnd = [&] {
        return panesOf[0]->verticalScrollBar()->value() == panesOf[0]->verticalScrollBar()->maximum();
    };
    const auto level = [&] {
        return panesOf[0]->verticalScrollBar()->value() == panesOf[1]->verticalScrollBar()->value();
    };
    const std::function<void()> changes[] = {
        [&] { mainWindow->resize(1000, 700); },
        [&] { mainWindow->resize(700, 500); },
        [&] { mainWindow->showMaximized(); },
        [&] { mainWindow->showNormal(); },
        [&] {
            for (ResultPane* pane : panesOf)
                pane->setFont(QFont("DejaVu Sans", 15));
        },
    };
    // Read a few lines into Revelation 21: that unit stays at the top.
    mainWindow->GoToChapter("APOKALUQIV IWANNOU 21");
    for (ResultPane* pane : panesOf)
        pane->ScrollLines(5);
    QTest::qWait(100);
    const size_t top = panes.TopUnit();
    ASSERT_GT(top, count - 100);
    ASSERT_FALSE(atEnd());
    int step = 0;
    for (const auto& change : changes) {
        SCOPED_TRACE(step++);
        const QSize before = mainWindow->size();
        change();
        Settle(before);
        EXPECT_EQ(panes.TopUnit(), top);
        EXPECT_TRUE(level());
    }
    // Levelled anew by their empty lines alone, the panes hold what a fresh
    // layout writes; and that keeps the place too.
    panes.Flush();
    const rtf::Document relevelled[2] = {panesOf[0]->ToDocument(), panesOf[1]->ToDocument()};
    panes.Reshow();
    EXPECT_EQ(panes.TopUnit(), top);
    panes.Flush();
    for (int side : {0, 1})
        EXPECT_TRUE(panesOf[side]->ToDocument().paragraphs == relevelled[side].paragraphs) << side;

    // At the very end a pane that grows shows more above that unit, staying at the end.
    for (ResultPane* pane : panesOf)
        pane->ScrollToY(INT_MAX);
    size_t last = panes.TopUnit();
    ASSERT_GT(last, count - 30);
    // So do the source lists, here near the end of the editions.
    SourceList* lists[2] = {mainWindow->List(Side::Left), mainWindow->List(Side::Right)};
    const int listTop = lists[0]->Count() - 3;
    for (SourceList* list : lists)
        list->SetTopIndex(listTop);
    step = 0;
    for (const auto& change : changes) {
        SCOPED_TRACE(step++);
        const QSize before = mainWindow->size();
        change();
        Settle(before);
        // The unit at the top before, or as near as the end allows.
        const size_t now = panes.TopUnit();
        EXPECT_TRUE(now == last || (atEnd() && now < last && now > last - 20)) << now << " " << last;
        EXPECT_TRUE(level());
        last = now;
        for (SourceList* list : lists)
            EXPECT_GT(list->TopIndex(), listTop - 40);
    }
}

// Verses of many lengths, some wrapping more on one side, then the panes
// narrower, wider and in a larger font: each time the empty lines after the verses change, the
// text and the place stay, and the panes hold what a fresh layout would.
TEST_F(PlaceTest, ANewWidthChangesOnlyTheEmptyLinesAndKeepsThePlace)
{
    QByteArray left = "KATA LOUKAN 1\r\n", right = left;
    for (int verse = 1; verse <= 80; ++verse) {
        const QByteArray reference = " 1:" + QByteArray::number(verse);
        left += reference + QByteArray(" alpha beta").repeated(verse % 7 + 1) + " gamma\r\n";
        right += reference + QByteArray(" alpha delta").repeated(verse % 5 + 1) + " gamma\r\n";
    }
    WriteEdition("Left", left);
    WriteEdition("Right", right);
    Open();
    Choose("Left", "Right");
    Run(1);
    PanePair& panes = mainWindow->Panes();
    ResultPane* panesOf[2] = {mainWindow->Pane(Side::Left), mainWindow->Pane(Side::Right)};
    const rtf::Document written[2] = {panesOf[0]->ToDocument(), panesOf[1]->ToDocument()};
    panes.GoToUnit(50);
    const size_t top = panes.TopUnit();
    const std::function<void()> changes[] = {
        [&] { mainWindow->resize(600, 600); },
        [&] { mainWindow->resize(1400, 600); },
        [&] {
            for (ResultPane* pane : panesOf)
                pane->setFont(QFont("DejaVu Sans", 15));
        },
        [&] { mainWindow->resize(900, 600); },
    };
    int step = 0;
    for (const auto& change : changes) {
        SCOPED_TRACE(step++);
        change();
        QApplication::processEvents();
        panes.Relevel();
        EXPECT_EQ(panes.TopUnit(), top);
        EXPECT_EQ(panesOf[0]->verticalScrollBar()->value(), panesOf[1]->verticalScrollBar()->value());
        EXPECT_EQ(panesOf[0]->LineCount(), panesOf[1]->LineCount());
        rtf::Document now[2] = {panesOf[0]->ToDocument(), panesOf[1]->ToDocument()};
        panes.Reshow();
        for (int side : {0, 1}) {
            EXPECT_TRUE(now[side].paragraphs == panesOf[side]->ToDocument().paragraphs) << side;
            // Only the empty lines differ from the first layout.
            std::erase(now[side].paragraphs, rtf::Paragraph{});
            rtf::Document before = written[side];
            std::erase(before.paragraphs, rtf::Paragraph{});
            EXPECT_TRUE(now[side].paragraphs == before.paragraphs) << side;
        }
    }
}

TEST_F(PlaceTest, StepsToAVerseKeepItsChapterHeadingInView)
{
    // Two chapters of 60 verses, each differing: units 0 heading 1, 1-60, 61 heading 2, 62-121.
    QByteArray left, right;
    for (int chapter : {1, 2}) {
        left += "KATA LOUKAN " + QByteArray::number(chapter) + "\r\n";
        right += "KATA LOUKAN " + QByteArray::number(chapter) + "\r\n";
        for (int verse = 1; verse <= 60; ++verse) {
            const QByteArray reference = " " + QByteArray::number(chapter) + ":" + QByteArray::number(verse);
            left += reference + " alpha beta gamma\r\n";
            right += reference + " alpha delta gamma\r\n";
        }
    }
    WriteEdition("Left", left);
    WriteEdition("Right", right);
    Open();
    Choose("Left", "Right");
    Run(1);
    ASSERT_EQ(mainWindow->Results().Count(), 122u);
    PanePair& panes = mainWindow->Panes();
    mainWindow->ShowApparatus();
    ApparatusWindow* apparatus = mainWindow->Apparatus();
    ASSERT_NE(apparatus, nullptr);
    // The first verse of a chapter comes under its heading; one far down on
    // its own at the top; the mark is on the verse either way. Every verse
    // differs, so a unit's number is its line's in the editions too: the
    // source lists select it, and the apparatus shows its chapter.
    const struct {
        size_t from;
        bool forward;
        size_t marked;
        size_t top;
    } steps[] = {{60, true, 62, 61}, {63, false, 62, 61}, {90, true, 91, 91}, {2, false, 1, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.marked);
        panes.GoToUnit(step.from);
        mainWindow->GoToDifference(step.forward);
        EXPECT_EQ(panes.MarkedUnit(), step.marked);
        EXPECT_EQ(panes.TopUnit(), step.top);
        for (const Side side : {Side::Left, Side::Right})
            EXPECT_EQ(mainWindow->List(side)->currentIndex().row(), int(step.marked));
        EXPECT_EQ(apparatus->Chapter(), step.marked < 61 ? "KATA LOUKAN 1" : "KATA LOUKAN 2");
        // With its heading scrolled away, the chapter is named over each pane.
        for (const Side side : {Side::Left, Side::Right}) {
            const auto* tag = mainWindow->Pane(side)->findChild<QLabel*>("lblChapterTop");
            ASSERT_NE(tag, nullptr);
            // It follows once the scrolling of the step is over.
            EXPECT_TRUE(QTest::qWaitFor([&] { return tag->isVisibleTo(mainWindow.get()) == (step.top == 91); }, 1000));
            if (step.top == 91) {
                EXPECT_EQ(tag->text(), "KATA LOUKAN 2");
            }
        }
    }
}

} // namespace
} // namespace synopter::test
