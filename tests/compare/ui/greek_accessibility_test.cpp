// What assistive technology is given for the result panes and the source
// lists: the Greek the display font shows, at the offsets of the text itself.
#include "common/ui/greek_accessibility.h"

#include "common/ui/interface_fonts.h"
#include "compare/lacuna_marks.h"
#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"

#include <QAccessible>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace synopter {
namespace {

// A heading, then a verse with its reference, a word in red and a lacuna mark
// (drawn in the interface font, so Latin on screen too).
rtf::Document Results()
{
    rtf::Document doc;
    doc.paragraphs.push_back({{"KATA IWANNHN 3", 0, true}});
    doc.paragraphs.push_back({{"3:16 outwv ", 0, false}, {"gar", 0x0000FF, false}, {" lac.", kLacunaMarkColour, false}});
    return doc;
}

// Readable failures: QString prints as its UTF-16 units.
std::string U(const QString& s) { return s.toStdString(); }

// The text-change events that go on to the platform, as the bridge would get them.
std::vector<QString> forwarded;

void Record(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::TextUpdated)
        forwarded.push_back(static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted());
    else if (event->type() == QAccessible::TextInserted)
        forwarded.push_back(static_cast<QAccessibleTextInsertEvent*>(event)->textInserted());
}

// The program's accessibility, handing its events on to the recorder.
void Install()
{
    static const bool recorded = (QAccessible::installUpdateHandler(&Record), true);
    (void)recorded;
    InstallGreekAccessibility();
}

TEST(GreekAccessibility, PaneGivesWhatTheDisplayFontDrawsAsGreekAtTheSameOffsets)
{
    Install();
    const QString transliterated = "KATA IWANNHN 3\n3:16 outwv gar lac.";
    const QString greek = QString::fromUtf8("ΚΑΤΑ ΙΩΑΝΝΗΝ 3\n3:16 ουτως γαρ lac.");
    struct Case {
        const char* what;
        QFont font;
        QString expected;
    };
    QFont other("DejaVu Sans");
    other.setPixelSize(16);
    const Case cases[] = {
        {"display font", GreekTextFont(16), greek},
        // An edition may name a font of its own: its text is then no transliteration.
        {"another font", other, transliterated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResultPane pane;
        pane.setFont(c.font);
        pane.FromDocument(Results());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&pane);
        ASSERT_NE(a, nullptr);
        QAccessibleTextInterface* text = a->textInterface();
        ASSERT_NE(text, nullptr);
        ASSERT_EQ(text->characterCount(), c.expected.size());
        EXPECT_EQ(U(text->text(0, text->characterCount())), U(c.expected));
        EXPECT_EQ(U(a->text(QAccessible::Value)), U(c.expected));
        EXPECT_EQ(U(text->text(5, 12)), U(c.expected.mid(5, 7)));

        // Words at an offset, before and after it, a character at the caret:
        // each piece is the text at the offsets it reports.
        const int gar = 26;
        using Piece = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;
        for (const Piece piece : {&QAccessibleTextInterface::textAtOffset, &QAccessibleTextInterface::textBeforeOffset,
                                  &QAccessibleTextInterface::textAfterOffset}) {
            int start = -1, end = -1;
            const QString found = (text->*piece)(gar + 1, QAccessible::WordBoundary, &start, &end);
            EXPECT_FALSE(found.trimmed().isEmpty());
            EXPECT_EQ(U(found), U(c.expected.mid(start, end - start)));
        }
        int start = -1, end = -1;
        EXPECT_EQ(U(text->textAtOffset(gar + 1, QAccessible::WordBoundary, &start, &end).trimmed()), U(c.expected.mid(gar, 3)));
        text->setSelection(0, 20, 25);
        EXPECT_EQ(U(pane.textCursor().selectedText()), U(transliterated.mid(20, 5)));
        EXPECT_EQ(text->cursorPosition(), 25);
        text->setCursorPosition(21);
        EXPECT_EQ(U(text->textAtOffset(-2, QAccessible::CharBoundary, &start, &end)), U(c.expected.mid(21, 1)));

        // Text written is announced as read. Qt tells the handler only while a
        // bridge listens, which the offscreen platform has not: it is called here.
        forwarded.clear();
        const int oldEnd = text->characterCount();
        pane.AppendLine("kai", ResultPane::Format(0, false));
        QAccessibleTextUpdateEvent written(&pane, oldEnd, QString(), "kai");
        const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
        QAccessible::installUpdateHandler(handler);
        ASSERT_NE(handler, &Record);
        handler(&written);
        ASSERT_EQ(forwarded.size(), 1u);
        EXPECT_EQ(U(forwarded.front().left(3)), U(c.expected == greek ? QString::fromUtf8("και") : QString("kai")));
    }
}

TEST(GreekAccessibility, SourceListItemsAreReadAsTheGreekShown)
{
    auto lines = std::make_shared<const std::vector<std::string>>(
        std::vector<std::string>{"KATA IWANNHN 3", "3:16 outwv gar hgaphsen o yeov ton kosmon"});
    struct Case {
        QFont font;
        std::vector<QString> expected;
    };
    QFont other("DejaVu Sans");
    other.setPixelSize(16);
    const Case cases[] = {
        {GreekTextFont(16), {QString::fromUtf8("ΚΑΤΑ ΙΩΑΝΝΗΝ 3"), QString::fromUtf8("3:16 ουτως γαρ ηγαπησεν ο θεος τον κοσμον")}},
        {other, {"KATA IWANNHN 3", "3:16 outwv gar hgaphsen o yeov ton kosmon"}},
    };
    for (const Case& c : cases) {
        SourceList list;
        list.SetLines(lines);
        list.setFont(c.font);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&list);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(a->tableInterface(), nullptr);
        for (int row = 0; row < int(c.expected.size()); ++row) {
            QAccessibleInterface* item = a->tableInterface()->cellAt(row, 0);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(U(item->text(QAccessible::Name)), U(c.expected[size_t(row)])) << row;
        }
    }
}

} // namespace
} // namespace synopter
