// A pane's Clear: asked first, then the results go as a whole, saved files included.
#include "app/main_window_names.h"
#include "app/window_test.h"
#include "compare/result_model.h"

namespace synopter::test {
namespace {

TEST_F(WindowTest, ClearAsksFirstThenEmptiesBothPanesTheCountAndTheModel)
{
    Open();
    auto* clearLeft = mainWindow->findChild<QAction*>(main_window_names::clearLeftAction);
    auto* clearRight = mainWindow->findChild<QAction*>(main_window_names::clearRightAction);
    ASSERT_TRUE(clearLeft && clearRight);
    EXPECT_FALSE(clearLeft->isEnabled()); // nothing to clear yet
    Choose("Left", "Right");
    Run(1);
    ASSERT_EQ(mainWindow->FoundCountLabel()->text(), "3");
    const size_t units = mainWindow->Results().Count();
    const int leftLines = mainWindow->Pane(Side::Left)->LineCount();
    const int rightLines = mainWindow->Pane(Side::Right)->LineCount();
    ASSERT_GT(units, 0u);
    EXPECT_TRUE(clearLeft->isEnabled() && clearRight->isEnabled());

    messages.answer = false;
    clearLeft->trigger();
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_EQ(mainWindow->Results().Count(), units);
    EXPECT_EQ(mainWindow->Pane(Side::Left)->LineCount(), leftLines);
    EXPECT_EQ(mainWindow->Pane(Side::Right)->LineCount(), rightLines);
    EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "3");
    EXPECT_EQ(chapterWindow->List()->count(), 2);

    messages.answer = true;
    clearRight->trigger();
    EXPECT_EQ(messages.questions.size(), 2);
    EXPECT_EQ(mainWindow->Results().Count(), 0u);
    EXPECT_EQ(mainWindow->Pane(Side::Left)->LineCount(), 0);
    EXPECT_EQ(mainWindow->Pane(Side::Right)->LineCount(), 0);
    EXPECT_EQ(mainWindow->FoundCountLabel()->text().trimmed(), "");
    EXPECT_EQ(chapterWindow->List()->count(), 0);
    EXPECT_FALSE(clearLeft->isEnabled() || clearRight->isEnabled());
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();

    // The saved results were emptied too: a restart shows none.
    mainWindow.reset();
    chapterWindow.reset();
    Open();
    EXPECT_EQ(mainWindow->Results().Count(), 0u);
    EXPECT_EQ(mainWindow->Pane(Side::Left)->LineCount(), 0);
    EXPECT_EQ(chapterWindow->List()->count(), 0);
}

} // namespace
} // namespace synopter::test
