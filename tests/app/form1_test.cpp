// The main window driven as a user would: editions written by the test into a
// program directory of its own, a real run, the panes checked character by character.
#include "app/form1.h"
#include "chapters/ui/form2.h"
#include "common/ui/panel.h"
#include "common/ui/view_widths.h"
#include "compare/ui/rich_edit.h"
#include "editions/ui/source_list.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace synopter;
namespace rtf = synopter::rtf;

namespace {

constexpr rtf::Colour kBlue = 0xFF0000;
constexpr rtf::Colour kRed = 128;

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Left and right differ in three verses of two chapters.
        WriteEdition("Left", "KATA MARKON 1\r\n 1:1 arch tou euaggeliou\r\n 1:2 wv gegraptai en hsaia\r\n"
                             "KATA MARKON 2\r\n 2:1 kai palin\r\n 2:2 kai euyewv sunhcyhsan polloi\r\n");
        WriteEdition("Right", "KATA MARKON 1\r\n 1:1 arch tou euaggeliou\r\n 1:2 kaywv gegraptai en toiv profhtaiv\r\n"
                              "KATA MARKON 2\r\n 2:1 kai eishlyen palin\r\n 2:2 kai sunhcyhsan polloi\r\n");
    }

    void WriteEdition(const QString& name, const QByteArray& text)
    {
        WriteFile(dir.filePath(name + ".bk"), "[TextFont]\r\nName=DejaVu Sans\r\n[English]\r\nInformation=" + name.toLatin1() + " text\r\n");
        WriteFile(dir.filePath(name + ".dat"), text);
    }

    std::string Dir() const { return (dir.path() + "/").toStdString(); }

    // Creates, shows and loads the window as the program does.
    void Open()
    {
        // The navigator shares the window's language, so it goes first.
        form2.reset();
        form1 = std::make_unique<TForm1>(Dir());
        form1->ShowMessage = [this](const QString& text, bool) { messages << text; };
        form2 = std::make_unique<TForm2>(form1.get(), Dir(), form1->Language(),
                                         [this](const std::string& l) { form1->GoToChapter(l); });
        form1->SetChapterWindow(form2.get());
        ASSERT_TRUE(form1->FormCreate());
        form2->FormCreate();
        form1->resize(800, 600);
        form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form1.get()));
    }

    void Choose(const char* left, const char* right)
    {
        form1->Chooser(Side::Left)->setCurrentIndex(form1->Chooser(Side::Left)->findText(left));
        form1->Chooser(Side::Right)->setCurrentIndex(form1->Chooser(Side::Right)->findText(right));
    }

    void Run(int threshold)
    {
        form1->ThresholdBox()->setValue(threshold);
        form1->Compare1Click();
    }

    // Every character's colour and weight, one letter a character: k black,
    // b blue, R bold dark red.
    static QString Colours(TRichEdit* pane, int block)
    {
        QString out;
        const rtf::Document doc = pane->ToDocument();
        for (const rtf::Span& s : doc.paragraphs.at(size_t(block))) {
            const QChar c = s.bold && s.colour == kRed ? 'R' : s.colour == kBlue ? 'b' : s.colour == 0 ? 'k' : '?';
            out += QString(int(s.text.size()), c);
        }
        return out;
    }

    static QStringList Lines(TRichEdit* pane)
    {
        QStringList out;
        for (int i = 0; i < pane->LineCount(); ++i)
            out << pane->Line(i);
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    QStringList messages;
};

TEST_F(WindowTest, StartsWithTheCatalogueAndNoEditionChosen)
{
    Open();
    EXPECT_EQ(form1->windowTitle(), "Synopter");
    EXPECT_EQ(form1->Chooser(Side::Left)->count(), 2);
    EXPECT_EQ(form1->Chooser(Side::Left)->itemText(0), "Left");
    EXPECT_EQ(form1->Chooser(Side::Right)->itemText(1), "Right");
    EXPECT_EQ(form1->Chooser(Side::Left)->currentIndex(), -1);
    EXPECT_EQ(form1->SourceList(Side::Left)->Count(), 0);
    EXPECT_TRUE(form1->CompareButton()->isVisible());
    EXPECT_FALSE(form1->StopButton()->isVisible() && !form1->CompareButton()->isVisible());
    for (const char* name : {"cb1", "cb2", "compare", "bbStop", "seAmountDiffer", "chbScrollBoth", "exactpositions",
                             "Label4", "Label5", "Label6", "BitBtn1", "ProgressBar1", "Panel1", "Panel8",
                             "Splitter1", "RichEdit1", "RichEdit2", "ListBox1", "ListBox2", "PopupMenu1",
                             "Copy2", "ClearTRcomparison1", "Sourcetexts1", "Interfacelanguage1", "View1"})
        EXPECT_NE(form1->findChild<QObject*>(name), nullptr) << name;
}

TEST_F(WindowTest, ChoosingAnEditionLoadsItsSideOnly)
{
    Open();
    Choose("Left", "Right");
    EXPECT_EQ(form1->SourceList(Side::Left)->Count(), 6);
    EXPECT_EQ(form1->SourceList(Side::Right)->Lines()[2], " 1:2 kaywv gegraptai en toiv profhtaiv");
    EXPECT_EQ(form1->Chooser(Side::Right)->toolTip(), "Right text");
    EXPECT_EQ(form1->ResultPane(Side::Left)->font().family(), "DejaVu Sans");
    EXPECT_EQ(form1->SourceList(Side::Left)->font().family(), "DejaVu Sans");

    form1->ResultPane(Side::Right)->AppendLine("kept", TRichEdit::Format(0, false));
    form1->Chooser(Side::Left)->setCurrentIndex(form1->Chooser(Side::Left)->findText("Right"));
    EXPECT_EQ(form1->SourceList(Side::Left)->Lines()[2], " 1:2 kaywv gegraptai en toiv profhtaiv");
    EXPECT_EQ(form1->ResultPane(Side::Right)->Line(0), "kept");
}

TEST_F(WindowTest, ARunWritesLevelColouredPairsUnderTheirHeadings)
{
    Open();
    Choose("Left", "Right");
    form1->ExactPositionsBox()->setChecked(true);
    Run(1);

    const QStringList left = Lines(form1->ResultPane(Side::Left));
    const QStringList right = Lines(form1->ResultPane(Side::Right));
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
    EXPECT_EQ(Colours(form1->ResultPane(Side::Left), 0), QString(13, 'R'));
    EXPECT_EQ(Colours(form1->ResultPane(Side::Right), 0), QString(13, 'R'));
    //                     " 2:1 kai palin"
    const QString left21 = "kkkkkkkkkkkkkk";
    //                      " 2:1 kai eishlyen palin"
    const QString right21 = "kkkkkkkkkbbbbbbbbkkkkkk";
    const rtf::Document leftDoc = form1->ResultPane(Side::Left)->ToDocument();
    int block = -1;
    for (size_t i = 0; i < leftDoc.paragraphs.size(); ++i)
        if (!leftDoc.paragraphs[i].empty() && leftDoc.paragraphs[i][0].text.rfind(" 2:1", 0) == 0)
            block = int(i);
    ASSERT_NE(block, -1);
    EXPECT_EQ(Colours(form1->ResultPane(Side::Left), block), left21);
    EXPECT_EQ(Colours(form1->ResultPane(Side::Right), block), right21);

    EXPECT_EQ(form1->FoundCountLabel()->text(), "3");
    ASSERT_EQ(form2->ListBox1()->count(), 2);
    EXPECT_EQ(form2->ListBox1()->item(1)->text(), "KATA MARKON 2");
    EXPECT_TRUE(form1->CompareButton()->isVisible());
    EXPECT_TRUE(form1->Chooser(Side::Left)->isEnabled());
    EXPECT_TRUE(form1->ExactPositionsBox()->isEnabled());
    EXPECT_EQ(form1->ProgressBar()->value(), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("r1.rtf")));
    EXPECT_TRUE(QFile::exists(dir.filePath("r2.rtf")));
    QFile chapters(dir.filePath("chapters.lst"));
    ASSERT_TRUE(chapters.open(QIODevice::ReadOnly));
    EXPECT_EQ(chapters.readAll(), "KATA MARKON 1\r\nKATA MARKON 2\r\n");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(WindowTest, ARunWithoutReportsEmptiesEverythingAndResetsTheCount)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    ASSERT_NE(form1->FoundCountLabel()->text(), "0");
    Choose("Left", "Left");
    Run(1);
    EXPECT_EQ(form1->ResultPane(Side::Left)->LineCount(), 0);
    EXPECT_EQ(form2->ListBox1()->count(), 0);
    EXPECT_EQ(form1->FoundCountLabel()->text(), "0");
    QFile chapters(dir.filePath("chapters.lst"));
    ASSERT_TRUE(chapters.open(QIODevice::ReadOnly));
    EXPECT_EQ(chapters.size(), 0);
}

TEST_F(WindowTest, ResultsComeBackOnceAtTheNextStart)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    const rtf::Document left = form1->ResultPane(Side::Left)->ToDocument();
    const rtf::Document right = form1->ResultPane(Side::Right)->ToDocument();
    form1.reset();
    form2.reset();

    Open();
    EXPECT_EQ(form1->ResultPane(Side::Left)->ToDocument(), left);
    EXPECT_EQ(form1->ResultPane(Side::Right)->ToDocument(), right);
    EXPECT_EQ(form2->ListBox1()->count(), 2);

    // Showing the window again does not load the files again.
    form1->ResultPane(Side::Left)->Clear();
    form1->hide();
    form1->show();
    QApplication::processEvents();
    EXPECT_EQ(form1->ResultPane(Side::Left)->LineCount(), 0);
}

TEST_F(WindowTest, AMissingResultFileLeavesItsPaneEmpty)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    form1.reset();
    form2.reset();
    QFile::remove(dir.filePath("r2.rtf"));
    WriteFile(dir.filePath("r1.rtf"), "plain words\r\nsecond line\r\n");
    Open();
    EXPECT_EQ(Lines(form1->ResultPane(Side::Left)), (QStringList{"plain words", "second line"}));
    EXPECT_EQ(form1->ResultPane(Side::Right)->LineCount(), 0);
}

TEST_F(WindowTest, UnwritableResultFilesAreReportedAndTheRunStillEnds)
{
    Open();
    Choose("Left", "Right");
    ASSERT_TRUE(QDir(dir.path()).mkdir("r2.rtf")); // a folder cannot be replaced by a file
    Run(1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(dir.filePath("r2.rtf")));
    EXPECT_TRUE(QFile::exists(dir.filePath("r1.rtf")));
    EXPECT_TRUE(form1->CompareButton()->isVisible());
    EXPECT_TRUE(form1->Chooser(Side::Right)->isEnabled());
}

TEST_F(WindowTest, StopEndsTheRunAfterTheCurrentLineAndKeepsWhatWasFound)
{
    // Enough differing verses for a run to outlast one event slice.
    QByteArray left, right;
    for (int i = 1; i <= 20000; ++i) {
        left += " 1:" + QByteArray::number(i) + " alpha beta gamma\r\n";
        right += " 1:" + QByteArray::number(i) + " alpha delta gamma\r\n";
    }
    WriteEdition("Left", "KATA LOUKAN 1\r\n" + left);
    WriteEdition("Right", "KATA LOUKAN 1\r\n" + right);
    Open();
    Choose("Left", "Right");
    bool sawRunState = false;
    QTimer::singleShot(0, form1.get(), [&] {
        sawRunState = form1->CompareButton()->isHidden() && !form1->Chooser(Side::Left)->isEnabled() &&
                      !form1->ThresholdBox()->isEnabled();
        // A pane taking the focus during a run passes it on.
        form1->ResultPane(Side::Left)->setFocus();
        QApplication::processEvents();
        form1->StopButton()->click();
    });
    Run(1);
    EXPECT_TRUE(sawRunState);
    const int found = form1->FoundCountLabel()->text().toInt();
    EXPECT_GT(found, 0);
    EXPECT_LT(found, 20000);
    EXPECT_EQ(form1->ProgressBar()->value(), 0);
    EXPECT_TRUE(form1->CompareButton()->isVisible());
    EXPECT_TRUE(QFile::exists(dir.filePath("r1.rtf")));
    EXPECT_EQ(form2->ListBox1()->count(), 1);
}

// What the user can do while a run lets events in: the run goes on (or, after
// closing, stops) and ends as any run does, with its controls back, the pairs
// level in both panes and the results saved.
TEST_F(WindowTest, ActionsDuringARunLeaveItWhole)
{
    constexpr int kVerses = 1000;
    QByteArray left, right;
    for (int i = 1; i <= kVerses; ++i) {
        left += " 1:" + QByteArray::number(i) + " alpha beta gamma\r\n";
        right += " 1:" + QByteArray::number(i) + " alpha delta gamma\r\n";
    }
    WriteEdition("Left", "KATA LOUKAN 1\r\n" + left);
    WriteEdition("Right", "KATA LOUKAN 1\r\n" + right);

    struct Case {
        const char* name;
        std::function<void(TForm1&)> act;
        bool stops;
    };
    const Case cases[] = {
        {"close", [](TForm1& f) { f.close(); }, true},
        {"language", [this](TForm1& f) {
             WriteFile(dir.filePath("Deutsch.lng"), "[Form1]\nLabel6=Gefunden:\n[Form2]\nForm2=Kapitel\n");
             f.findChild<QAction*>("Interfacelanguage1")->trigger();
         }, false},
        {"clear left", [](TForm1& f) { f.findChild<QAction*>("ClearTRcomparison1")->trigger(); }, false},
        {"clear right", [](TForm1& f) { f.findChild<QAction*>("CrearMajoritycomparison1")->trigger(); }, false},
        {"go to chapter", [](TForm1& f) { f.GoToChapter("KATA LOUKAN 1"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dir.filePath("Deutsch.lng"));
        QFile::remove(dir.filePath("r1.rtf"));
        Open();
        Choose("Left", "Right");
        bool duringRun = false;
        QTimer::singleShot(0, form1.get(), [&] {
            duringRun = form1->CompareButton()->isHidden();
            c.act(*form1);
        });
        Run(1);
        ASSERT_TRUE(duringRun);

        const int found = form1->FoundCountLabel()->text().toInt();
        if (c.stops)
            EXPECT_LT(found, kVerses);
        else
            EXPECT_EQ(found, kVerses);
        EXPECT_FALSE(form1->CompareButton()->isHidden());
        EXPECT_TRUE(form1->Chooser(Side::Left)->isEnabled());
        EXPECT_TRUE(QFile::exists(dir.filePath("r1.rtf")));
        if (std::string(c.name) == "language") {
            EXPECT_EQ(form1->findChild<QLabel*>("Label6")->text(), "Gefunden:");
            EXPECT_EQ(form2->windowTitle(), "Kapitel");
        }

        // Lines that both start a verse name the same one, and the last pair
        // found starts on the same line in both panes.
        const QStringList l = Lines(form1->ResultPane(Side::Left));
        const QStringList r = Lines(form1->ResultPane(Side::Right));
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

TEST_F(WindowTest, FocusGuardOnlyActsDuringARun)
{
    Open();
    form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
    form1->ResultPane(Side::Left)->setFocus();
    EXPECT_TRUE(form1->ResultPane(Side::Left)->hasFocus());
    form1->CompareButton()->hide();
    form1->ResultPane(Side::Right)->setFocus();
    EXPECT_TRUE(form1->ChapterButton()->hasFocus());
    form1->CompareButton()->show();
}

TEST_F(WindowTest, ResizingKeepsPanesAndListsLevelAndCompareBetweenTheChoosers)
{
    Open();
    QComboBox* const cb1 = form1->Chooser(Side::Left);
    QComboBox* const cb2 = form1->Chooser(Side::Right);
    TRichEdit* const pane1 = form1->ResultPane(Side::Left);
    TRichEdit* const pane2 = form1->ResultPane(Side::Right);
    QPushButton* const compare = form1->CompareButton();
    QPushButton* const stop = form1->StopButton();
    for (const QSize size : {QSize(700, 500), QSize(1013, 640), QSize(1400, 900), QSize(761, 455)}) {
        form1->resize(size);
        QApplication::processEvents();
        EXPECT_LE(std::abs(ClientWidth(pane1) - ClientWidth(pane2)), 1)
            << size.width() << " " << form1->width() << " " << pane1->width() << " " << pane2->width() << " "
            << form1->findChild<TPanel*>("Panel4")->width();
        EXPECT_LE(std::abs(form1->SourceList(Side::Left)->width() - form1->SourceList(Side::Right)->width()), 1)
            << size.width();
        EXPECT_EQ(compare->x(), cb1->x() + cb1->width() + 10);
        EXPECT_EQ(compare->x() + compare->width(), cb2->x() - 10);
        EXPECT_EQ(stop->x(), cb1->x() + cb1->width() + 12);
        EXPECT_EQ(stop->x() + stop->width(), cb2->x() - 12);
    }
    // Choosers closer than the gaps leave the buttons at their least widths.
    cb2->move(cb1->x() + cb1->width() + 4, cb2->y());
    auto* const panel1 = form1->findChild<TPanel*>("Panel1");
    panel1->AnchorRight(cb2, false, panel1->width());
    form1->FormResize();
    EXPECT_EQ(compare->width(), 7);
    EXPECT_EQ(stop->width(), 5);

    form1->resize(100, 100);
    QApplication::processEvents();
    EXPECT_GE(form1->width(), form1->minimumWidth());
    EXPECT_GE(form1->height(), form1->minimumHeight());
}

TEST_F(WindowTest, SourceTextsSwitchAndSplitterSnap)
{
    Open();
    EXPECT_TRUE(form1->SourceTextsAction()->isChecked());
    form1->SetSourceAreaHeight(170);
    form1->SourceTextsAction()->trigger();
    EXPECT_FALSE(form1->SourceTextsAction()->isChecked());
    EXPECT_FALSE(form1->findChild<TPanel*>("Panel8")->isVisible());
    form1->SourceTextsAction()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(form1->findChild<TPanel*>("Panel8")->isVisible());
    EXPECT_EQ(form1->SourceAreaHeight(), 100);

    // Dragging the splitter bar to within 30 pixels of the bottom hides the area.
    QSplitterHandle* handle = form1->findChild<QSplitter*>("Splitter1")->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(0, 80)), handle->mapToGlobal(QPointF(grip + QPoint(0, 80))),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, 80));
    EXPECT_FALSE(form1->findChild<TPanel*>("Panel8")->isVisible());
    EXPECT_FALSE(form1->SourceTextsAction()->isChecked());
}

TEST_F(WindowTest, PagingKeysInTheLeftPaneMoveTheRightPaneToo)
{
    Open();
    for (int i = 0; i < 300; ++i) {
        form1->ResultPane(Side::Left)->AppendLine(QString("left %1").arg(i), TRichEdit::Format(0, false));
        form1->ResultPane(Side::Right)->AppendLine(QString("right %1").arg(i), TRichEdit::Format(0, false));
    }
    form1->ResultPane(Side::Left)->moveCursor(QTextCursor::Start);
    form1->ResultPane(Side::Right)->moveCursor(QTextCursor::Start);
    QTest::keyClick(form1->ResultPane(Side::Left), Qt::Key_PageDown);
    EXPECT_GT(form1->ResultPane(Side::Left)->FirstVisibleLine(), 0);
    EXPECT_GT(form1->ResultPane(Side::Right)->FirstVisibleLine(), 0);

    const int rightBefore = form1->ResultPane(Side::Right)->FirstVisibleLine();
    const int leftBefore = form1->ResultPane(Side::Left)->FirstVisibleLine();
    QTest::keyClick(form1->ResultPane(Side::Right), Qt::Key_PageDown);
    EXPECT_GT(form1->ResultPane(Side::Right)->FirstVisibleLine(), rightBefore);
    EXPECT_EQ(form1->ResultPane(Side::Left)->FirstVisibleLine(), leftBefore);

    // Other keys stay in their pane.
    const QString rightText = form1->ResultPane(Side::Right)->Line(0);
    QTest::keyClick(form1->ResultPane(Side::Left), Qt::Key_X);
    EXPECT_EQ(form1->ResultPane(Side::Right)->Line(0), rightText);
}

TEST_F(WindowTest, ClearAndCopyActOnTheirOwnPane)
{
    Open();
    Choose("Left", "Right");
    Run(1);
    const QByteArray savedLeft = [&] {
        QFile f(dir.filePath("r1.rtf"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    // The user selects the first line.
    form1->ResultPane(Side::Right)->moveCursor(QTextCursor::Start);
    form1->ResultPane(Side::Right)->moveCursor(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    form1->findChild<QAction*>("Copy1")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "KATA MARKON 1");

    form1->findChild<QAction*>("ClearTRcomparison1")->trigger();
    EXPECT_EQ(form1->ResultPane(Side::Left)->LineCount(), 0);
    EXPECT_GT(form1->ResultPane(Side::Right)->LineCount(), 0);
    EXPECT_EQ(form2->ListBox1()->count(), 2);
    QFile f(dir.filePath("r1.rtf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), savedLeft);
}

TEST_F(WindowTest, TheChapterButtonShowsTheNavigatorAndBringsItForward)
{
    Open();
    EXPECT_FALSE(form2->isVisible());
    form1->ChapterButton()->click();
    EXPECT_TRUE(form2->isVisible());
    const QPoint placed = form2->pos();
    form2->move(placed + QPoint(5, 5));
    form1->ChapterButton()->click();
    EXPECT_EQ(form2->pos(), placed + QPoint(5, 5)); // already open: not placed anew
    form2->close();
    EXPECT_FALSE(form2->isVisible());
}

TEST_F(WindowTest, AnEmptyProgramDirectorySaysSoOverThePanesUntilAnEditionExists)
{
    for (const char* file : {"Left.bk", "Left.dat", "Right.bk", "Right.dat"})
        ASSERT_TRUE(QFile::remove(dir.filePath(file)));
    Open();
    ASSERT_TRUE(form1->findChild<TPanel*>("Panel9")->isVisible());
    EXPECT_TRUE(form1->findChild<QLabel*>("Label7")->text().contains(QDir::toNativeSeparators(dir.path()) + "."));
    EXPECT_FALSE(form1->findChild<QLabel*>("Label7")->text().contains("%1"));
    EXPECT_EQ(form1->findChild<TPanel*>("Panel9")->geometry(), form1->findChild<TPanel*>("Panel7")->rect());
    form1->findChild<QPushButton*>("BitBtn2")->click();
    QWidget* dialog = form1->findChild<QWidget*>("ImportForm");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    dialog->close();

    WriteEdition("Left", "KATA MARKON 1\r\n");
    form1->EditionImported("Left");
    EXPECT_FALSE(form1->findChild<TPanel*>("Panel9")->isVisible());
    EXPECT_EQ(form1->Chooser(Side::Left)->currentText(), "Left");
    EXPECT_EQ(form1->SourceList(Side::Right)->Count(), 1);
}

TEST_F(WindowTest, EditionsThatCannotBePairedAreNamedAndNothingRuns)
{
    WriteEdition("Greek", "KATA MARKON 1\r\n 1:1 \xE1\xBC\x80\xCF\x81\xCF\x87\xE1\xBD\xB4\r\n 1:2\r\n"
                          "KATA MARKON 2\r\n 2:1\r\n 2:2\r\n");
    WriteEdition("Short", "KATA MARKON 1\r\n 1:1 arch\r\n 1:2\r\nKATA MARKON 2\r\n 2:1\r\n");
    WriteEdition("Shifted", "KATA MARKON 1\r\n 1:1 arch\r\n 1:2\r\n 1:3\r\nKATA MARKON 2\r\n 2:1\r\n");
    Open();
    Choose("Left", "Right");
    Run(1);
    ASSERT_EQ(form1->FoundCountLabel()->text(), "3");
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
                          Case{"Left", "Shifted", QString::fromUtf8("line 4 is a chapter heading in “Left”")}}) {
        messages.clear();
        Choose(c.left, c.right); // a side chosen anew empties its pane
        const rtf::Document left = form1->ResultPane(Side::Left)->ToDocument();
        const rtf::Document right = form1->ResultPane(Side::Right)->ToDocument();
        Run(1);
        ASSERT_EQ(messages.size(), 1) << c.right;
        EXPECT_TRUE(messages[0].contains(c.expected)) << messages[0].toStdString();
        EXPECT_EQ(form1->FoundCountLabel()->text(), "3");
        EXPECT_EQ(form1->ResultPane(Side::Left)->ToDocument(), left);
        EXPECT_EQ(form1->ResultPane(Side::Right)->ToDocument(), right);
        EXPECT_EQ(form2->ListBox1()->count(), 2);
        EXPECT_TRUE(form1->CompareButton()->isVisible());
        EXPECT_TRUE(form1->Chooser(Side::Left)->isEnabled());
        QFile f(dir.filePath("r2.rtf"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), saved);
    }
}

} // namespace
