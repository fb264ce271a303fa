#include "compare/ui/result_pane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

using synopter::ResultPane;
namespace rtf = synopter::rtf;

namespace {

// A shown, sized pane: line wrapping needs a laid-out widget.
class PaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFont f("DejaVu Sans Mono");
        f.setPixelSize(16);
        pane.setFont(f);
        pane.resize(300, 200);
        pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    }

    void Append(const QString& text) { pane.AppendLine(text, ResultPane::Format(0, false)); }

    // A paragraph far wider than the pane.
    static QString LongLine() { return QString("word ").repeated(60).trimmed(); }

    ResultPane pane;
};

TEST_F(PaneTest, CountsDisplayLinesNotTheFinalEmptyOne)
{
    EXPECT_EQ(pane.LineCount(), 0);
    Append("ab");
    EXPECT_EQ(pane.LineCount(), 1);
    Append("");
    EXPECT_EQ(pane.LineCount(), 2);
    Append(LongLine());
    const int wrapped = pane.LineCount() - 2;
    EXPECT_GT(wrapped, 1);

    QString joined;
    for (int i = 2; i < pane.LineCount(); ++i)
        joined += pane.Line(i);
    EXPECT_EQ(joined.simplified(), LongLine());
    EXPECT_EQ(pane.Line(pane.LineCount()), QString());

    pane.Clear();
    EXPECT_EQ(pane.LineCount(), 0);
}

TEST_F(PaneTest, LineCountsFollowTheWidth)
{
    Append(LongLine());
    const int narrow = pane.LineCount();
    pane.resize(900, 200);
    QApplication::processEvents();
    EXPECT_LT(pane.LineCount(), narrow);
}

// A verse pair's runs keep their attributes, written afresh or appended; a
// null paragraph is an empty line, and a line appended after them has its own.
TEST_F(PaneTest, WrittenParagraphsKeepTheirRuns)
{
    const rtf::Paragraph pair = {{"ab", 0, false}, {"cde", 0xFF0000, true}, {"f", 128, false}};
    const rtf::Paragraph blue = {{"gh", 0xFF0000, false}};
    pane.WriteParagraphs({&pair, nullptr}, true);
    pane.WriteParagraphs({&blue}, false);
    Append("next");
    const rtf::Document doc = pane.ToDocument();
    ASSERT_GE(doc.paragraphs.size(), 4u);
    EXPECT_EQ(doc.paragraphs[0], pair);
    EXPECT_TRUE(doc.paragraphs[1].empty());
    EXPECT_EQ(doc.paragraphs[2], blue);
    EXPECT_EQ(doc.paragraphs[3], (rtf::Paragraph{{"next", 0, false}}));
    EXPECT_EQ(pane.LineCount(), 4);
}

TEST_F(PaneTest, ReplacesOneDisplayLine)
{
    Append("first");
    Append("second");
    pane.ReplaceLine(1, "2nd");
    EXPECT_EQ(pane.Line(0), "first");
    EXPECT_EQ(pane.Line(1), "2nd");
    pane.ReplaceLine(5, "ignored");
    EXPECT_EQ(pane.LineCount(), 2);
}

TEST_F(PaneTest, ScrollsByDisplayLinesAndStopsAtTheEnds)
{
    for (int i = 0; i < 200; ++i)
        Append(QString("line %1").arg(i));
    QApplication::processEvents();
    EXPECT_EQ(pane.FirstVisibleLine(), 0);
    pane.ScrollLines(10);
    EXPECT_EQ(pane.FirstVisibleLine(), 10);
    pane.ScrollLines(-3);
    EXPECT_EQ(pane.FirstVisibleLine(), 7);
    pane.ScrollLines(-1000);
    EXPECT_EQ(pane.FirstVisibleLine(), 0);
    pane.ScrollLines(100000);
    const int last = pane.FirstVisibleLine();
    EXPECT_GT(last, 150);
    EXPECT_EQ(pane.verticalScrollBar()->value(), pane.verticalScrollBar()->maximum());
    pane.ScrollToLine(42);
    EXPECT_EQ(pane.FirstVisibleLine(), 42);
}

TEST_F(PaneTest, ScrollBarArrowsMoveOneDisplayLine)
{
    for (int i = 0; i < 50; ++i)
        Append(QString("line %1").arg(i));
    Append(LongLine());
    QApplication::processEvents();
    QScrollBar* bar = pane.verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(pane.FirstVisibleLine(), 1);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(pane.FirstVisibleLine(), 3);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(pane.FirstVisibleLine(), 2);
    pane.ScrollToLine(50); // inside the wrapped paragraph too
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(pane.FirstVisibleLine(), 51);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(pane.FirstVisibleLine(), 49);
}

TEST_F(PaneTest, FindsTheLastLineEqualToAText)
{
    Append("KATA MARKON 1");
    Append(" 1:1 arch");
    Append("KATA MARKON 1");
    Append("KATA MARKON 1 ");
    EXPECT_EQ(pane.LastLineEqualTo("KATA MARKON 1"), 2);
    EXPECT_EQ(pane.LastLineEqualTo("kata markon 1"), -1);
    EXPECT_EQ(pane.LastLineEqualTo("KATA MARKON"), -1);
}

TEST_F(PaneTest, DocumentsRoundTripWithEveryAttribute)
{
    rtf::Document doc;
    doc.paragraphs = {{{"KATA IWANNHN 3", 128, true}},
                      {{" 3:16 ", 0, false}, {"outwv", 0xFF0000, false}, {" gar", 0, false}},
                      {{"\xe9\xff", 0x123456, false}},
                      {}};
    pane.FromDocument(doc);
    EXPECT_EQ(pane.ToDocument(), doc);
    EXPECT_EQ(pane.LineCount(), 3);
    EXPECT_EQ(pane.Line(1), " 3:16 outwv gar");
}

TEST_F(PaneTest, MenuShortcutsWinOverEditingKeys)
{
    Append("alpha beta");
    bool cleared = false;
    auto* clear = new QAction(&pane);
    clear->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    clear->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(clear, &QAction::triggered, [&] { cleared = true; });
    pane.addAction(clear);
    pane.activateWindow();
    pane.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
    pane.moveCursor(QTextCursor::Start);
    QTest::keyClick(&pane, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(cleared);
    EXPECT_EQ(pane.Line(0), "alpha beta"); // no word was deleted
}

TEST_F(PaneTest, KeysNeitherTypeNorPasteNorDeleteButSelectAndCopy)
{
    Append("alpha beta");
    pane.activateWindow();
    pane.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
    QApplication::clipboard()->setText("pasted");
    pane.moveCursor(QTextCursor::Start);
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    for (const Key k : {Key{Qt::Key_X, Qt::NoModifier}, Key{Qt::Key_Return, Qt::NoModifier},
                        Key{Qt::Key_Delete, Qt::NoModifier}, Key{Qt::Key_Backspace, Qt::NoModifier},
                        Key{Qt::Key_V, Qt::ControlModifier}, Key{Qt::Key_X, Qt::ControlModifier},
                        Key{Qt::Key_Insert, Qt::ShiftModifier}}) {
        QTest::keyClick(&pane, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&pane, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier); // all selected
        QTest::keyClick(&pane, k.key, k.modifiers);
        EXPECT_EQ(pane.toPlainText(), "alpha beta\n") << k.key;
    }
    QTest::keyClick(&pane, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&pane, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&pane, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("αλ"));
    EXPECT_TRUE(pane.textCursor().hasSelection());
}

TEST_F(PaneTest, CopyGivesGreekTextAndHtmlAndTheTransliteration)
{
    pane.AppendLine("KATA IWANNHN 3", ResultPane::Format(128, true));
    pane.WriteParagraphs({nullptr}, false);
    const rtf::Paragraph verse{{" 3:16 outwv ", 0, false}, {"gar", 0xFF0000, false}};
    pane.WriteParagraphs({&verse}, false);
    QTextCursor c(pane.document());
    c.setPosition(5); // from "IWANNHN" to the middle of the blue word
    c.setPosition(pane.document()->findBlockByNumber(2).position() + 13, QTextCursor::KeepAnchor);
    pane.setTextCursor(c);
    pane.copy();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromUtf8("ΙΩΑΝΝΗΝ 3\n\n 3:16 ουτως γ"));
    EXPECT_EQ(data->data(ResultPane::kTransliterationMimeType), "IWANNHN 3\n\n 3:16 outwv g");
    const QString html = data->html();
    EXPECT_TRUE(html.contains(QString::fromUtf8("color: #800000; font-weight: bold\">ΙΩΑΝΝΗΝ 3<"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QString::fromUtf8("color: #0000ff\">γ<"))) << html.toStdString();
}

TEST(PaneFocus, TabAndBacktabLeaveThePane)
{
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* pane = new ResultPane(&window);
    auto* after = new QLineEdit(&window);
    pane->move(0, 30);
    after->move(0, 200);
    window.resize(300, 260);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(pane->toPlainText(), "");
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());
}

} // namespace
