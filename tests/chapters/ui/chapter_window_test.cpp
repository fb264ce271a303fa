#include "chapters/ui/chapter_window.h"

#include "app/main_window.h"
#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"
#include "common/temp_folder.h"
#include "common/ui/recording_messages.h"
#include "language/translate.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace synopter {
namespace {

std::vector<std::string> Numbered(const std::string& prefix, int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(prefix + std::to_string(i));
    return lines;
}

TEST(ChapterWindowTest, CreationLoadsTheListAndTranslates)
{
    test::TempFolder folder;
    folder.Write("chapters.lst", "Mt 1\r\nMk 3\r\n");
    folder.Write("Deutsch.lng", "[Form2]\nForm2=Kapitel\nListBox1=Wrong\n");
    InterfaceLanguage language(folder.Path());
    language.Set("Deutsch");
    QWidget main;
    test::RecordingMessages messages;
    ChapterWindow chapterWindow(&main, folder.Path(), language, messages, nullptr);
    chapterWindow.Start();
    EXPECT_EQ(chapterWindow.Chapters(), (std::vector<std::string>{"Mt 1", "Mk 3"}));
    EXPECT_EQ(chapterWindow.windowTitle(), "Kapitel");
    EXPECT_FALSE(chapterWindow.isVisible());
}

// No list, or one that cannot be read (a folder in its place, then named to the user).
TEST(ChapterWindowTest, WithoutAReadableListTheListIsEmpty)
{
    for (const bool unreadable : {false, true}) {
        SCOPED_TRACE(unreadable ? "unreadable" : "none");
        test::TempFolder folder;
        if (unreadable)
            std::filesystem::create_directory(folder / "chapters.lst");
        const InterfaceLanguage language(folder.Path());
        QWidget main;
        test::RecordingMessages messages;
        ChapterWindow chapterWindow(&main, folder.Path(), language, messages, nullptr);
        chapterWindow.AddChapter("stale");
        chapterWindow.Start();
        EXPECT_TRUE(chapterWindow.Chapters().empty());
        EXPECT_EQ(chapterWindow.windowTitle(), "Chapters");
        ASSERT_EQ(messages.shown.size(), unreadable ? 1 : 0);
        if (unreadable) {
            EXPECT_TRUE(messages.shown[0].contains(QString::fromStdString(folder / "chapters.lst")));
            EXPECT_EQ(messages.kinds[0], MessageKind::Error);
        }
    }
}

TEST(ChapterWindowTest, ClosingHidesAndKeepsTheList)
{
    test::TempFolder folder;
    const InterfaceLanguage language(folder.Path());
    QWidget main;
    test::RecordingMessages messages;
    ChapterWindow chapterWindow(&main, folder.Path(), language, messages, nullptr);
    chapterWindow.AddChapter("Mt 1");
    chapterWindow.show();
    ASSERT_TRUE(chapterWindow.isVisible());
    EXPECT_TRUE(chapterWindow.close());
    EXPECT_FALSE(chapterWindow.isVisible());
    EXPECT_EQ(chapterWindow.Chapters(), std::vector<std::string>{"Mt 1"});
    chapterWindow.show();
    EXPECT_EQ(chapterWindow.List()->count(), 1);
}

TEST(ChapterWindowTest, ShowingPlacesItBesideTheMainWindowOnTheScreen)
{
    test::TempFolder folder;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_GE(screen.width(), 700) << "the screen must have room beside a main window";
    const InterfaceLanguage language(folder.Path());
    QWidget main;
    main.show();
    test::RecordingMessages messages;
    ChapterWindow chapterWindow(&main, folder.Path(), language, messages, nullptr);

    // Room on the right, on the left only, on neither side (taller than the
    // screen, too); every showing places it anew.
    const struct {
        QRect main;
        int side; // 1 right of it, -1 left of it, 0 over it
    } cases[] = {
        {QRect(screen.left() + 10, screen.top() + 30, 300, 400), 1},
        {QRect(screen.right() - 320, screen.top() + 50, 300, 350), -1},
        {QRect(screen.left(), screen.top(), screen.width(), screen.height() + 100), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side);
        main.setGeometry(c.main);
        chapterWindow.show();
        EXPECT_EQ(chapterWindow.width(), 174);
        const QRect m = main.frameGeometry();
        const QRect n = chapterWindow.frameGeometry();
        EXPECT_TRUE(screen.contains(n)) << n.x() << "," << n.y() << " " << n.width() << "x" << n.height();
        EXPECT_EQ(n.top(), std::max(m.top(), screen.top()));
        EXPECT_EQ(n.height(), std::min(m.height(), screen.height()));
        EXPECT_EQ(n.intersects(m), c.side == 0);
        if (c.side == 1) {
            EXPECT_EQ(n.left(), m.right() + 1);
        } else if (c.side == -1) {
            EXPECT_EQ(n.right() + 1, m.left());
        }
        chapterWindow.hide();
    }
}

TEST(ChapterWindowTest, CountsGroupTheChaptersUnderTheirBooks)
{
    test::TempFolder folder;
    const InterfaceLanguage language(folder.Path());
    QWidget main;
    main.setGeometry(10, 30, 300, 400);
    std::vector<std::string> chosen;
    test::RecordingMessages messages;
    ChapterWindow chapterWindow(&main, folder.Path(), language, messages,
                                [&](const std::string& label) { chosen.push_back(label); });
    SummaryBuilder builder;
    for (const auto& [label, pairs] : {std::pair{"KATA MAYYAION 1", 3}, {"KATA MAYYAION 28", 2}, {"KATA IWANNHN 3", 57}}) {
        chapterWindow.AddChapter(label);
        builder.Heading(label);
        for (int i = 0; i < pairs; ++i)
            builder.Pair();
    }
    const std::vector<std::string> labels = chapterWindow.Chapters();
    const int bareWidth = chapterWindow.WidthForLabels();

    chapterWindow.SetCounts(builder.Summary());
    const QString dash = QString::fromUtf8(" \u2014 ");
    const QStringList grouped = {"KATA MAYYAION" + dash + "5", "KATA MAYYAION 1  3", "KATA MAYYAION 28  2",
                                 "KATA IWANNHN" + dash + "57", "KATA IWANNHN 3  57"};
    EXPECT_EQ(chapterWindow.Rows(), grouped);
    EXPECT_EQ(chapterWindow.Chapters(), labels); // chapters.lst and navigation see the labels alone
    // A screen reader hears a row as the Greek the list's font shows.
    const auto spoken = [&](int row) {
        return QAccessible::queryAccessibleInterface(chapterWindow.List())->tableInterface()->cellAt(row, 0)->text(
            QAccessible::Name);
    };
    EXPECT_EQ(spoken(0).toStdString(), "ΚΑΤΑ ΜΑΘΘΑΙΟΝ — 5, ΚΑΤΑ ΜΑΘΘΑΙΟΝ 1  3");
    EXPECT_EQ(spoken(1).toStdString(), "ΚΑΤΑ ΜΑΘΘΑΙΟΝ 28  2");
    EXPECT_GT(chapterWindow.WidthForLabels(), bareWidth);
    chapterWindow.show();
    EXPECT_GE(chapterWindow.width(), chapterWindow.WidthForLabels());

    // A double click on a book row goes to its first chapter, on a chapter to it.
    QListWidget* list = chapterWindow.List();
    const QRect john = list->visualItemRect(list->item(2));
    const QRect matthew28 = list->visualItemRect(list->item(1));
    EXPECT_EQ(john.height(), 2 * matthew28.height());
    for (const QPoint at : {QPoint(john.left() + 5, john.top() + 3), matthew28.center()}) {
        QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        for (QMouseEvent* e : {&press, &release, &dbl, &release})
            QApplication::sendEvent(list->viewport(), e);
    }
    EXPECT_EQ(chosen, (std::vector<std::string>{"KATA IWANNHN 3", "KATA MAYYAION 28"}));

    // Counts of other chapters replace the list; clearing them leaves the labels.
    chapterWindow.ClearChapters();
    chapterWindow.SetCounts(builder.Summary());
    EXPECT_EQ(chapterWindow.Rows(), grouped);
    chapterWindow.ClearCounts();
    EXPECT_EQ(chapterWindow.Rows(), (QStringList{"KATA MAYYAION 1", "KATA MAYYAION 28", "KATA IWANNHN 3"}));
    EXPECT_EQ(spoken(2).toStdString(), "ΚΑΤΑ ΙΩΑΝΝΗΝ 3");
}

// Where the four views of the main window stand: their first visible lines.
struct Views {
    int leftPane, rightPane, leftList, rightList;
    bool operator==(const Views&) const = default;
};

void PrintTo(const Views& v, std::ostream* os)
{
    *os << "{" << v.leftPane << ", " << v.rightPane << ", " << v.leftList << ", " << v.rightList << "}";
}

// The navigator against a real main window.
class GoToChapterTest : public ::testing::Test {
protected:
    GoToChapterTest()
    {
        mainWindow = std::make_unique<MainWindow>(folder.Path());
        chapterWindow = std::make_unique<ChapterWindow>(mainWindow.get(), folder.Path(), mainWindow->Language(),
                                                        mainWindow->Messages(),
                                                        [this](const std::string& label) { mainWindow->GoToChapter(label); });
        mainWindow->SetChapterWindow(chapterWindow.get());
        // The real creation steps, so that the scroll hooks are in place.
        EXPECT_TRUE(mainWindow->Start());
        mainWindow->resize(900, 700);
        mainWindow->show();

        // "Mt 5" is display line 37 and again 60 of the left pane, item 120 of
        // the right source list, absent elsewhere.
        for (int i = 0; i < 100; ++i) {
            const bool heading = i == 37 || i == 60;
            mainWindow->Pane(Side::Left)->AppendLine(heading ? "Mt 5" : QString(" %1 verse").arg(i),
                                                      ResultPane::Format(heading ? 128 : 0, heading));
            mainWindow->Pane(Side::Right)->AppendLine(QString(" %1 other").arg(i), ResultPane::Format(0, false));
        }
        std::vector<std::string> right = Numbered(" right ", 300);
        right[120] = "Mt 5";
        LoadedEdition rightEdition;
        rightEdition.name = "Right";
        rightEdition.lines = std::make_shared<const std::vector<std::string>>(right);
        mainWindow->SetEdition(Side::Right, rightEdition);
        std::vector<std::string> left = Numbered(" left ", 300);
        left[200] = "Mt 5 "; // trailing blank: not the same heading
        left[210] = "mt 5";  // other letter case: not the same either
        LoadedEdition leftEdition;
        leftEdition.name = "Left";
        leftEdition.lines = std::make_shared<const std::vector<std::string>>(left);
        mainWindow->SetEdition(Side::Left, leftEdition);
        QApplication::processEvents();

        // The views start somewhere else, and "Scroll Both" would couple them.
        mainWindow->Pane(Side::Right)->ScrollToLine(5);
        mainWindow->List(Side::Left)->SetTopIndex(7);
        mainWindow->List(Side::Right)->SetTopIndex(3);
        mainWindow->ScrollBothBox()->setChecked(true);
        QApplication::processEvents();

        chapterWindow->AddChapter("Mt 1");
        chapterWindow->AddChapter("Mt 5");
        chapterWindow->show();
    }

    Views Positions() const
    {
        return {mainWindow->Pane(Side::Left)->FirstVisibleLine(), mainWindow->Pane(Side::Right)->FirstVisibleLine(),
                mainWindow->List(Side::Left)->TopIndex(), mainWindow->List(Side::Right)->TopIndex()};
    }
    void Select(int row) { chapterWindow->List()->setCurrentRow(row); }

    test::TempFolder folder;
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<ChapterWindow> chapterWindow;
};

TEST_F(GoToChapterTest, HeadingComesToTheTopOfTheViewsHoldingIt)
{
    const QTextCursor caret = mainWindow->Pane(Side::Left)->textCursor();
    const int listRow = mainWindow->List(Side::Right)->currentIndex().row();
    Select(1);
    chapterWindow->GoToChosenChapter();
    QApplication::processEvents();
    // The last occurrence in the pane wins; the views without the heading stay.
    EXPECT_EQ(Positions(), (Views{60, 5, 7, 120}));
    EXPECT_EQ(mainWindow->Pane(Side::Left)->Line(mainWindow->Pane(Side::Left)->FirstVisibleLine()), "Mt 5");
    EXPECT_EQ(mainWindow->Pane(Side::Left)->textCursor().position(), caret.position());
    EXPECT_EQ(mainWindow->List(Side::Right)->currentIndex().row(), listRow);
    EXPECT_TRUE(chapterWindow->isVisible());
    EXPECT_EQ(chapterWindow->List()->currentRow(), 1);
}

TEST_F(GoToChapterTest, NothingMovesWithoutASelectionOrAMatch)
{
    const Views before = Positions();
    chapterWindow->List()->clearSelection();
    chapterWindow->GoToChosenChapter();
    EXPECT_EQ(Positions(), before);

    Select(0); // "Mt 1" is in no view
    chapterWindow->GoToChosenChapter();
    QApplication::processEvents();
    EXPECT_EQ(Positions(), before);
}

TEST_F(GoToChapterTest, DoubleClickInTheListGoesToTheSelectedChapter)
{
    Select(1);
    QWidget* viewport = chapterWindow->List()->viewport();
    const QPointF at = chapterWindow->List()->visualItemRect(chapterWindow->List()->item(1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QApplication::sendEvent(viewport, &release);
    QApplication::sendEvent(viewport, &dbl);
    QApplication::sendEvent(viewport, &release);
    QApplication::processEvents();
    EXPECT_EQ(Positions(), (Views{60, 5, 7, 120}));
}

// One click on a chapter goes there; the arrow keys only move the current
// item, and Enter or Return goes to it.
TEST_F(GoToChapterTest, ClickAndEnterGoToTheChapterArrowsDoNot)
{
    QListWidget* list = chapterWindow->List();
    QWidget* viewport = list->viewport();
    const QPointF at = list->visualItemRect(list->item(1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QApplication::sendEvent(viewport, &release);
    QApplication::processEvents();
    EXPECT_EQ(Positions(), (Views{60, 5, 7, 120}));

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(key);
        mainWindow->Pane(Side::Left)->ScrollToLine(0);
        mainWindow->List(Side::Right)->SetTopIndex(3);
        Select(0);
        QApplication::processEvents();
        const Views before = Positions();
        ASSERT_NE(before, (Views{60, 5, 7, 120}));
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &down);
        QApplication::processEvents();
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_EQ(Positions(), before);
        QKeyEvent enter(QEvent::KeyPress, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QApplication::sendEvent(list, &enter);
        QApplication::processEvents();
        EXPECT_EQ(Positions(), (Views{60, 5, 7, 120}));
    }
}

} // namespace
} // namespace synopter
