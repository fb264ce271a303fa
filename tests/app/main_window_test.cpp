// The main window driven as a user would: choosing, laying out, scrolling,
// the pop-up menus, the navigator button and the checks before a run.
#include "app/window_test.h"
#include "app/main_window_names.h"
#include "common/ui/trailing_note_delegate.h"

#include <cmath>

using namespace synopter;
using namespace synopter::test;

namespace {

TEST_F(WindowTest, StartsWithTheCatalogueAndNoEditionChosen)
{
    Open();
    EXPECT_EQ(mainWindow->windowTitle(), "Synopter");
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->count(), 2);
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->itemText(0), "Left");
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->itemText(1), "Right");
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->currentIndex(), -1);
    // Nothing chosen, but the choosers say what to do.
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->placeholderText(), "Choose the left edition");
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->placeholderText(), "Choose the right edition");
    // A screen reader says which side, not which edition.
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->accessibleName(), "Left edition");
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->accessibleName(), "Right edition");
    EXPECT_EQ(mainWindow->List(Side::Left)->Count(), 0);
    EXPECT_TRUE(mainWindow->CompareButton()->isVisible());
    EXPECT_FALSE(mainWindow->StopButton()->isVisible() && !mainWindow->CompareButton()->isVisible());
    for (const char* name : {"cb1", "cb2", "compare", "bbStop", "seAmountDiffer", "chbScrollBoth", "exactpositions",
                             "Label4", "Label5", "Label6", "BitBtn1", "ProgressBar1", "Panel1", "Panel8",
                             "Splitter1", "RichEdit1", "RichEdit2", "ListBox1", "ListBox2", "PopupMenu1",
                             "Copy2", "ClearTRcomparison1", "Sourcetexts1", "Interfacelanguage1", "View1"})
        EXPECT_NE(mainWindow->findChild<QObject*>(name), nullptr) << name;
}

TEST_F(WindowTest, ChoosingAnEditionLoadsItsSideOnly)
{
    Open();
    Choose("Left", "Right");
    EXPECT_EQ(mainWindow->List(Side::Left)->Count(), 6);
    EXPECT_EQ(mainWindow->Edition(Side::Right).name, "Right");
    EXPECT_EQ(mainWindow->Edition(Side::Right).Lines()[2], " 1:2 kaywv gegraptai en toiv profhtaiv");
    EXPECT_EQ(mainWindow->List(Side::Right)->model()->index(2, 0).data(), " 1:2 kaywv gegraptai en toiv profhtaiv");
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->toolTip(), "Right text");
    EXPECT_EQ(mainWindow->Pane(Side::Left)->font().family(), "DejaVu Sans");
    EXPECT_EQ(mainWindow->List(Side::Left)->font().family(), "DejaVu Sans");

    mainWindow->Pane(Side::Right)->AppendLine("kept", ResultPane::Format(0, false));
    mainWindow->Chooser(Side::Left)->setCurrentIndex(mainWindow->Chooser(Side::Left)->findText("Right"));
    EXPECT_EQ(mainWindow->Edition(Side::Left).Lines()[2], " 1:2 kaywv gegraptai en toiv profhtaiv");
    EXPECT_EQ(mainWindow->List(Side::Left)->model()->index(2, 0).data(), " 1:2 kaywv gegraptai en toiv profhtaiv");
    EXPECT_EQ(mainWindow->Pane(Side::Right)->Line(0), "kept");
}


// A manuscript's item shows its extent and hand beside the name and in its
// tooltip, while the name read back stays the bare name; a printed edition's
// item stays plain.
TEST_F(WindowTest, AManuscriptsChooserItemCarriesItsExtent)
{
    WriteFile(dir.filePath("Codex.dat"), "KATA MARKON 1\r\n 1:1 arch tou\r\n 1:2 \r\nKATA MARKON 2\r\n"
                                         " 2:1 kai palin\r\n 2:2 \r\n");
    WriteFile(dir.filePath("Codex.bk"), "[English]\r\nInformation=Codex text\r\n[Manuscript]\r\nHand=scribe\r\n"
                                        "[Lacunae]\r\n41002002=lost\r\n");
    Open();
    for (const Side side : {Side::Left, Side::Right}) {
        QComboBox* const chooser = mainWindow->Chooser(side);
        const int codex = chooser->findText("Codex");
        ASSERT_GE(codex, 0);
        const QString note = chooser->itemData(codex, TrailingNoteDelegate::kNoteRole).toString();
        EXPECT_EQ(note, QString::fromUtf8("Mark — verses extant: 2, scribe's hand"));
        EXPECT_EQ(chooser->itemData(codex, Qt::ToolTipRole).toString(), "Codex text\n" + note + "\nlost: 1");
        const int left = chooser->findText("Left");
        EXPECT_FALSE(chooser->itemData(left, TrailingNoteDelegate::kNoteRole).isValid());
        EXPECT_FALSE(chooser->itemData(left, Qt::ToolTipRole).isValid());
        // The popup makes room for name and note side by side.
        chooser->showPopup();
        QApplication::processEvents();
        EXPECT_GT(chooser->view()->width(), chooser->fontMetrics().horizontalAdvance("Codex  " + note));
        chooser->hidePopup();
    }
    Choose("Left", "Codex");
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->currentText(), "Codex");
    EXPECT_EQ(mainWindow->Edition(Side::Right).name, "Codex");
    EXPECT_EQ(mainWindow->Edition(Side::Right).hand, "scribe");
    EXPECT_TRUE(mainWindow->Chooser(Side::Right)->toolTip().startsWith("Codex text\nMark — verses extant: 2"))
        << mainWindow->Chooser(Side::Right)->toolTip().toStdString();
}

TEST_F(WindowTest, FocusGuardOnlyActsDuringARun)
{
    Open();
    mainWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow.get()));
    mainWindow->Pane(Side::Left)->setFocus();
    EXPECT_TRUE(mainWindow->Pane(Side::Left)->hasFocus());
    mainWindow->CompareButton()->hide();
    mainWindow->Pane(Side::Right)->setFocus();
    EXPECT_TRUE(mainWindow->ChapterButton()->hasFocus());
    mainWindow->CompareButton()->show();
}

TEST_F(WindowTest, ResizingKeepsPanesAndListsLevelAndCompareBetweenTheChoosers)
{
    Open();
    QComboBox* const leftChooser = mainWindow->Chooser(Side::Left);
    QComboBox* const rightChooser = mainWindow->Chooser(Side::Right);
    ResultPane* const pane1 = mainWindow->Pane(Side::Left);
    ResultPane* const pane2 = mainWindow->Pane(Side::Right);
    QPushButton* const compare = mainWindow->CompareButton();
    QPushButton* const stop = mainWindow->StopButton();
    for (const QSize size : {QSize(700, 500), QSize(1013, 640), QSize(1400, 900), QSize(761, 455)}) {
        mainWindow->resize(size);
        QApplication::processEvents();
        EXPECT_LE(std::abs(ClientWidth(pane1) - ClientWidth(pane2)), 1)
            << size.width() << " " << mainWindow->width() << " " << pane1->width() << " " << pane2->width() << " "
            << mainWindow->findChild<Panel*>(main_window_names::leftPaneFrame)->width();
        EXPECT_LE(std::abs(mainWindow->List(Side::Left)->width() - mainWindow->List(Side::Right)->width()), 1)
            << size.width();
        EXPECT_GT(compare->x(), leftChooser->geometry().right()) << size.width();
        EXPECT_LT(compare->geometry().right(), rightChooser->x()) << size.width();

        // A run hides COMPARE: Stop takes its very place, and the bar stays as it was.
        const QRect place = compare->geometry();
        const QRect bar = compare->parentWidget()->geometry();
        EXPECT_TRUE(stop->isHidden());
        compare->hide();
        QApplication::processEvents();
        EXPECT_TRUE(stop->isVisible());
        EXPECT_EQ(stop->geometry(), place);
        EXPECT_EQ(compare->parentWidget()->geometry(), bar);
        compare->show();
        EXPECT_TRUE(stop->isHidden());
    }

    mainWindow->resize(100, 100);
    QApplication::processEvents();
    EXPECT_GE(mainWindow->width(), mainWindow->minimumWidth());
    EXPECT_GE(mainWindow->height(), mainWindow->minimumHeight());
}

TEST_F(WindowTest, SourceTextsSwitchAndSplitterSnap)
{
    Open();
    EXPECT_TRUE(mainWindow->SourceTextsAction()->isChecked());
    mainWindow->SetSourceAreaHeight(170);
    mainWindow->SourceTextsAction()->trigger();
    EXPECT_FALSE(mainWindow->SourceTextsAction()->isChecked());
    EXPECT_FALSE(mainWindow->findChild<Panel*>(main_window_names::sourceArea)->isVisible());
    mainWindow->SourceTextsAction()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(mainWindow->findChild<Panel*>(main_window_names::sourceArea)->isVisible());
    EXPECT_EQ(mainWindow->SourceAreaHeight(), 100);

    // Dragging the splitter bar to within 30 pixels of the bottom hides the area.
    QSplitterHandle* handle = mainWindow->findChild<QSplitter*>(main_window_names::splitter)->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(0, 80)), handle->mapToGlobal(QPointF(grip + QPoint(0, 80))),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, 80));
    EXPECT_FALSE(mainWindow->findChild<Panel*>(main_window_names::sourceArea)->isVisible());
    EXPECT_FALSE(mainWindow->SourceTextsAction()->isChecked());
}

TEST_F(WindowTest, PagingKeysInTheLeftPaneMoveTheRightPaneToo)
{
    Open();
    for (int i = 0; i < 300; ++i) {
        mainWindow->Pane(Side::Left)->AppendLine(QString("left %1").arg(i), ResultPane::Format(0, false));
        mainWindow->Pane(Side::Right)->AppendLine(QString("right %1").arg(i), ResultPane::Format(0, false));
    }
    mainWindow->Pane(Side::Left)->moveCursor(QTextCursor::Start);
    mainWindow->Pane(Side::Right)->moveCursor(QTextCursor::Start);
    QTest::keyClick(mainWindow->Pane(Side::Left), Qt::Key_PageDown);
    EXPECT_GT(mainWindow->Pane(Side::Left)->FirstVisibleLine(), 0);
    EXPECT_GT(mainWindow->Pane(Side::Right)->FirstVisibleLine(), 0);

    const int rightBefore = mainWindow->Pane(Side::Right)->FirstVisibleLine();
    const int leftBefore = mainWindow->Pane(Side::Left)->FirstVisibleLine();
    QTest::keyClick(mainWindow->Pane(Side::Right), Qt::Key_PageDown);
    EXPECT_GT(mainWindow->Pane(Side::Right)->FirstVisibleLine(), rightBefore);
    EXPECT_EQ(mainWindow->Pane(Side::Left)->FirstVisibleLine(), leftBefore);

    // Other keys stay in their pane.
    const QString rightText = mainWindow->Pane(Side::Right)->Line(0);
    QTest::keyClick(mainWindow->Pane(Side::Left), Qt::Key_X);
    EXPECT_EQ(mainWindow->Pane(Side::Right)->Line(0), rightText);
}

TEST_F(WindowTest, TheRunsInputsLookDisabledWhenDisabled)
{
    Open();
    for (QWidget* w : std::initializer_list<QWidget*>{mainWindow->Chooser(Side::Left), mainWindow->Chooser(Side::Right),
                                                      mainWindow->ThresholdBox()}) {
        SCOPED_TRACE(w->objectName().toStdString());
        const QPalette& p = w->palette();
        EXPECT_NE(p.color(QPalette::Disabled, QPalette::Text), p.color(QPalette::Active, QPalette::Text));
        EXPECT_NE(p.color(QPalette::Disabled, QPalette::ButtonText), p.color(QPalette::Active, QPalette::ButtonText));
    }
}

// Clear acts on both panes: clear_results_test.cpp.
TEST_F(WindowTest, CopyActsOnItsOwnPane)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    // The user selects the first line.
    mainWindow->Pane(Side::Right)->moveCursor(QTextCursor::Start);
    mainWindow->Pane(Side::Right)->moveCursor(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    mainWindow->findChild<QAction*>(main_window_names::copyRightAction)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("ΚΑΤΑ ΜΑΡΚΟΝ 1"));
}

TEST_F(WindowTest, TheChapterButtonShowsTheNavigatorAndBringsItForward)
{
    Open();
    EXPECT_FALSE(chapterWindow->isVisible());
    mainWindow->ChapterButton()->click();
    EXPECT_TRUE(chapterWindow->isVisible());
    const QPoint placed = chapterWindow->pos();
    chapterWindow->move(placed + QPoint(5, 5));
    mainWindow->ChapterButton()->click();
    EXPECT_EQ(chapterWindow->pos(), placed + QPoint(5, 5)); // already open: not placed anew
    chapterWindow->close();
    EXPECT_FALSE(chapterWindow->isVisible());
}

TEST_F(WindowTest, AnEmptyProgramDirectorySaysSoOverThePanesUntilAnEditionExists)
{
    for (const char* file : {"Left.bk", "Left.dat", "Right.bk", "Right.dat"})
        ASSERT_TRUE(QFile::remove(dir.filePath(file)));
    Open();
    ASSERT_TRUE(mainWindow->findChild<Panel*>(main_window_names::noEditionsNotice)->isVisible());
    EXPECT_TRUE(mainWindow->findChild<QLabel*>(main_window_names::noEditionsText)->text().contains(QDir::toNativeSeparators(dir.path()) + "."));
    EXPECT_FALSE(mainWindow->findChild<QLabel*>(main_window_names::noEditionsText)->text().contains("%1"));
    EXPECT_EQ(mainWindow->findChild<Panel*>(main_window_names::noEditionsNotice)->geometry(), mainWindow->findChild<Panel*>(main_window_names::paneArea)->rect());
    mainWindow->findChild<QPushButton*>(main_window_names::noticeImportButton)->click();
    QWidget* dialog = mainWindow->findChild<QWidget*>("ImportForm");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    dialog->close();

    WriteEdition("Left", "KATA MARKON 1\r\n");
    mainWindow->EditionImported("Left");
    EXPECT_FALSE(mainWindow->findChild<Panel*>(main_window_names::noEditionsNotice)->isVisible());
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->currentText(), "Left");
    EXPECT_EQ(mainWindow->List(Side::Right)->Count(), 1);
}

TEST_F(WindowTest, EditionsThatCannotBePairedAreNamedAndNothingRuns)
{
    WriteEdition("Greek", "KATA MARKON 1\r\n 1:1 \xE1\xBC\x80\xCF\x81\xCF\x87\xE1\xBD\xB4\r\n 1:2\r\n"
                          "KATA MARKON 2\r\n 2:1\r\n 2:2\r\n");
    WriteEdition("Short", "KATA MARKON 1\r\n 1:1 arch\r\n 1:2\r\nKATA MARKON 2\r\n 2:1\r\n");
    WriteEdition("Shifted", "KATA MARKON 1\r\n 1:1 arch\r\n 1:2\r\n 1:3\r\nKATA MARKON 2\r\n 2:1\r\n");
    // Half's text is missing when it is chosen, Gone's files go after it was chosen.
    WriteFile(dir.filePath("Half.bk"), "[English]\r\nInformation=half\r\n");
    WriteEdition("Gone", "KATA MARKON 1\r\n 1:1 arch\r\n 1:2\r\nKATA MARKON 2\r\n 2:1\r\n 2:2\r\n");
    Open();
    Choose("Left", "Right");
    Run(1);
    ASSERT_EQ(mainWindow->FoundCountLabel()->text(), "3");
    const QByteArray saved = [&] {
        QFile f(dir.filePath("r2.rtf"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    struct Case {
        const char* left;
        const char* right;
        QString expected;
    };
    for (const Case& c : {Case{"Left", "Greek", QString::fromUtf8("“Greek” holds Unicode Greek text")},
                          Case{"Short", "Right", QString::fromUtf8("“Short” has 5 lines, “Right” has 6.")},
                          Case{"Left", "Shifted", QString::fromUtf8("line 4 is a chapter heading in “Left”")},
                          Case{"", "Right", "Choose two editions"},
                          Case{"Right", "", "Choose two editions"},
                          Case{"Half", "Right", "its text " + dir.filePath("Half.dat") + " is missing"},
                          Case{"Left", "Gone", "its text " + dir.filePath("Gone.dat") + " is missing"}}) {
        messages.shown.clear();
        Choose(c.left, c.right); // a side chosen anew empties its pane
        if (std::string(c.right) == "Gone") {
            ASSERT_TRUE(QFile::remove(dir.filePath("Gone.dat")) && QFile::remove(dir.filePath("Gone.bk")));
        }
        const rtf::Document left = mainWindow->Pane(Side::Left)->ToDocument();
        const rtf::Document right = mainWindow->Pane(Side::Right)->ToDocument();
        Run(1);
        ASSERT_EQ(messages.shown.size(), 1) << c.right;
        EXPECT_TRUE(messages.shown[0].contains(c.expected)) << messages.shown[0].toStdString();
        EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "3");
        EXPECT_EQ(mainWindow->Pane(Side::Left)->ToDocument(), left);
        EXPECT_EQ(mainWindow->Pane(Side::Right)->ToDocument(), right);
        EXPECT_EQ(chapterWindow->List()->count(), 2);
        EXPECT_TRUE(mainWindow->CompareButton()->isVisible());
        EXPECT_TRUE(mainWindow->Chooser(Side::Left)->isEnabled());
        QFile f(dir.filePath("r2.rtf"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), saved);
    }
}

TEST_F(WindowTest, RemoveEditionDeletesOneOfTheUsersOwnOnceConfirmed)
{
    WriteEdition("Third", "KATA MARKON 1\r\n");
    Open();
    Choose("Left", "Third");
    QAction* remove = mainWindow->findChild<QAction*>(main_window_names::removeAction);
    ASSERT_NE(remove, nullptr);
    const auto files = [&](const char* name) {
        return QFile::exists(dir.filePath(QString(name) + ".bk")) + QFile::exists(dir.filePath(QString(name) + ".dat"));
    };
    struct Step {
        QString choice; // empty: the choice is cancelled
        bool confirmed;
        int questions;  // asked in all, a choice and a confirmation each
        int thirdFiles; // left on disk
    };
    int offered = 0;
    for (const Step& step : {Step{"", true, 1, 2}, Step{"Third", false, 3, 2}, Step{"Third", true, 5, 0}}) {
        SCOPED_TRACE(step.choice.toStdString() + (step.confirmed ? " confirmed" : ""));
        messages.choice = step.choice;
        messages.answer = step.confirmed;
        remove->trigger();
        EXPECT_EQ(messages.questions.size(), step.questions);
        EXPECT_EQ(messages.choices.size(), 3 * ++offered);
        EXPECT_EQ(messages.choices.mid(messages.choices.size() - 3), (QStringList{"Left", "Right", "Third"}));
        EXPECT_EQ(files("Third"), step.thirdFiles);
    }
    EXPECT_EQ(messages.questions.last(), "Remove the edition Third? Its files Third.bk and Third.dat are deleted.");
    EXPECT_TRUE(messages.shown.isEmpty());
    // The choosers list what remains, the left keeping its edition, the right emptied.
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->count(), 2);
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->currentText(), "Left");
    EXPECT_EQ(mainWindow->Edition(Side::Left).Lines().size(), 6u);
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->currentIndex(), -1);
    EXPECT_TRUE(mainWindow->Edition(Side::Right).name.empty());
    EXPECT_EQ(files("Left") + files("Right"), 4);
}

TEST_F(WindowTest, EditionsInstalledWithTheProgramAreNeverOfferedForRemoval)
{
    QTemporaryDir shipped, user;
    WriteFile(shipped.filePath("Shipped.bk"), "[English]\r\nInformation=s\r\n");
    WriteFile(shipped.filePath("Shipped.dat"), "KATA MARKON 1\r\n");
    const ProgramFolders folders{(shipped.path() + "/").toStdString(), Dir(), (user.path() + "/").toStdString(), true};
    MainWindow window(folders, &messages);
    QAction* remove = window.findChild<QAction*>(main_window_names::removeAction);
    remove->trigger(); // nothing of the user's own
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("no edition of your own")) << messages.shown[0].toStdString();
    EXPECT_TRUE(messages.shown[0].contains("cannot be removed: Shipped.")) << messages.shown[0].toStdString();

    WriteFile(user.filePath("Mine.bk"), "[English]\r\nInformation=m\r\n");
    remove->trigger();
    EXPECT_EQ(messages.choices, QStringList{"Mine"});
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_TRUE(messages.questions[0].contains("cannot be removed: Shipped."));
    EXPECT_TRUE(QFile::exists(shipped.filePath("Shipped.dat")));
}

} // namespace


namespace synopter::test {
namespace {

double Luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(WindowTest, TextStaysReadableUnderADarkPaletteAndAsDesignedUnderTheDefault)
{
    const QPalette original = QApplication::palette();
    const auto check = [this](bool dark) {
        Open();
        const struct {
            const char* name;
            QWidget* widget;
            QPalette::ColorRole text, background;
        } parts[] = {
            {"source list", mainWindow->List(Side::Left), QPalette::Text, QPalette::Base},
            {"chooser", mainWindow->Chooser(Side::Left), QPalette::ButtonText, QPalette::Button},
            {"found count", mainWindow->FoundCountLabel(), QPalette::WindowText, QPalette::Window},
            {"compare", mainWindow->CompareButton(), QPalette::ButtonText, QPalette::Button},
            {"threshold", mainWindow->ThresholdBox(), QPalette::Text, QPalette::Base},
        };
        for (const auto& part : parts) {
            const QPalette p = part.widget->palette();
            EXPECT_GE(Contrast(p.color(part.text), p.color(part.background)), dark ? 4.5 : 3.0)
                << part.name << (dark ? " (dark)" : " (default)");
        }
        if (!dark) {
            EXPECT_EQ(mainWindow->FoundCountLabel()->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        }
    };
    check(false);
    QPalette dark;
    for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(48, 48, 48)},
                                       {QPalette::WindowText, QColor(224, 224, 224)},
                                       {QPalette::Base, QColor(32, 32, 32)},
                                       {QPalette::Text, QColor(224, 224, 224)},
                                       {QPalette::Button, QColor(53, 53, 53)},
                                       {QPalette::ButtonText, QColor(224, 224, 224)}})
        dark.setColor(role, colour);
    QApplication::setPalette(dark);
    check(true);
    QApplication::setPalette(original);
}

} // namespace
} // namespace synopter::test
