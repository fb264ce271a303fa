#include "find/ui/find_bar.h"
#include "find/ui/find_bar_names.h"

#include "language/interface_language.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace synopter {
namespace {

TEST(FindBarTest, KeysAndButtonsAskForMatchesAndCloseHides)
{
    QWidget window;
    auto* bar = new FindBar(&window);
    window.show();
    bar->Edit()->setText("logos");
    bar->Open();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->Edit()->selectedText(), "logos");

    QSignalSpy next(bar, &FindBar::findNext);
    QSignalSpy previous(bar, &FindBar::findPrevious);
    QSignalSpy closed(bar, &FindBar::closed);
    QTest::keyClick(bar->Edit(), Qt::Key_Return);
    QTest::keyClick(bar->Edit(), Qt::Key_Enter, Qt::ShiftModifier);
    bar->findChild<QToolButton*>(find_bar_names::nextButton)->click();
    bar->findChild<QToolButton*>(find_bar_names::previousButton)->click();
    ASSERT_EQ(next.count(), 2);
    ASSERT_EQ(previous.count(), 2);
    EXPECT_EQ(next.at(0).at(0).toString(), "logos");
    EXPECT_EQ(previous.at(1).at(0).toString(), "logos");

    QTest::keyClick(bar->Edit(), Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST(FindBarTest, OutcomeTexts)
{
    FindBar bar;
    FindMatch match;
    match.ordinal = 3;
    match.total = 17;
    const struct {
        std::optional<FindMatch> match;
        bool wrapped;
        FindDirection direction;
        const char* text;
    } cases[] = {
        {std::nullopt, false, FindDirection::Forward, "not found"},
        {match, false, FindDirection::Backward, "3 of 17"},
        {match, true, FindDirection::Forward, "Wrapped to the start"},
        {match, true, FindDirection::Backward, "Wrapped to the end"},
    };
    for (auto c : cases) {
        if (c.match)
            c.match->wrapped = c.wrapped;
        bar.ShowOutcome(c.match, c.direction);
        EXPECT_EQ(bar.Status(), c.text);
    }
    // A new text clears the outcome of the old one.
    QTest::keyClicks(bar.Edit(), "x");
    EXPECT_TRUE(bar.Status().isEmpty());
}

TEST(FindBarTest, TranslatedFromTheShippedFiles)
{
    const std::string dir = std::string(SYNOPTER_PROGRAM_DIR) + "/";
    if (!std::filesystem::exists(dir + "Russian.lng"))
        GTEST_SKIP() << "language files not built in " << dir;
    InterfaceLanguage language(dir);
    language.Set("Russian");
    QWidget window;
    window.setObjectName("Form1");
    FindBar bar(&window);
    bar.Translate(window, language);
    EXPECT_EQ(bar.findChild<QToolButton*>(find_bar_names::nextButton)->text(), QString::fromUtf8("Далее"));
    EXPECT_EQ(bar.Edit()->toolTip(), QString::fromUtf8("Слово, слова или ссылка (John 3:16)"));
    bar.ShowOutcome(std::nullopt, FindDirection::Forward);
    EXPECT_EQ(bar.Status(), QString::fromUtf8("не найдено"));
}

} // namespace
} // namespace synopter
