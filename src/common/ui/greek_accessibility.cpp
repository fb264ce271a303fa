#include "common/ui/greek_accessibility.h"

#include "common/greek_letters.h"
#include "common/ui/interface_fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>

#include <array>

namespace synopter {

namespace {

std::array<char16_t, 128> MakeLetterTable()
{
    std::array<char16_t, 128> table{};
    for (int c = 0; c < 128; ++c) {
        const std::string_view greek = GreekLetter(char(c));
        table[size_t(c)] = greek.empty() ? char16_t(c) : QString::fromUtf8(greek.data(), qsizetype(greek.size())).at(0).unicode();
    }
    return table;
}

const std::array<char16_t, 128>& LetterTable()
{
    static const std::array<char16_t, 128> table = MakeLetterTable();
    return table;
}

void ToGreekInPlace(QChar* text, qsizetype size)
{
    const std::array<char16_t, 128>& table = LetterTable();
    for (qsizetype i = 0; i < size; ++i)
        if (text[i].unicode() < 128)
            text[i] = QChar(table[text[i].unicode()]);
}

// The family a piece of a document is drawn in: its own, or the document's.
QString FamilyOf(const QTextCharFormat& format, const QTextDocument& doc)
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        return families.front();
    return doc.defaultFont().family();
}

// Document positions [from, to) as read aloud: the pieces in the display font
// as Greek, paragraph ends as line breaks; one character for each position.
QString ReadableText(const QTextDocument& doc, int from, int to)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&doc));
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    // selectedText() has a character for every position; only a table cell
    // boundary (not in these documents) could upset that.
    if (text.size() != to - from)
        return text;
    QChar* chars = text.data();
    for (QTextBlock b = doc.findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int start = std::max(from, f.position());
            const int end = std::min(to, f.position() + f.length());
            if (start < end && DrawsTransliteration(FamilyOf(f.charFormat(), doc)))
                ToGreekInPlace(chars + (start - from), end - start);
        }
    }
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

// A QTextEdit as assistive technology sees it. Qt's own object for it is
// private API; this one gives the same text interfaces over the public editor,
// with the display font's text as Greek.
class GreekTextEditAccessible : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
public:
    explicit GreekTextEditAccessible(QTextEdit* edit)
        : QAccessibleWidget(edit, qobject_cast<QTextBrowser*>(edit) ? QAccessible::StaticText
                                                                     : QAccessible::EditableText)
    {
    }

    QTextEdit* Edit() const { return static_cast<QTextEdit*>(widget()); }
    const QTextDocument& Doc() const { return *Edit()->document(); }
    int Clamp(int offset) const { return std::clamp(offset, 0, characterCount()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value)
            return ReadableText(Doc(), 0, characterCount());
        return QAccessibleWidget::text(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (Edit()->isReadOnly())
            s.readOnly = true;
        else
            s.editable = true;
        s.selectableText = true;
        s.multiLine = true;
        return s;
    }

    // Selection and caret: the editor's own cursor.
    void selection(int index, int* start, int* end) const override
    {
        const QTextCursor c = Edit()->textCursor();
        *start = *end = 0;
        if (index == 0 && c.hasSelection()) {
            *start = c.selectionStart();
            *end = c.selectionEnd();
        }
    }
    int selectionCount() const override { return Edit()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index != 0)
            return;
        QTextCursor c = Edit()->textCursor();
        c.clearSelection();
        Edit()->setTextCursor(c);
    }
    void setSelection(int index, int start, int end) override
    {
        if (index != 0)
            return;
        QTextCursor c = Edit()->textCursor();
        c.setPosition(Clamp(start));
        c.setPosition(Clamp(end), QTextCursor::KeepAnchor);
        Edit()->setTextCursor(c);
    }
    int cursorPosition() const override { return Edit()->textCursor().position(); }
    void setCursorPosition(int position) override
    {
        QTextCursor c = Edit()->textCursor();
        c.setPosition(Clamp(position));
        Edit()->setTextCursor(c);
    }

    int characterCount() const override { return std::max(0, Doc().characterCount() - 1); }

    QString text(int start, int end) const override
    {
        start = Clamp(start);
        end = Clamp(end);
        return start < end ? ReadableText(Doc(), start, end) : QString();
    }

    // Words, sentences and lines end where they end in the transliteration:
    // the boundaries come from the document, the text from text() above.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        return Around(offset, type, 0, start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        return Around(offset, type, -1, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        return Around(offset, type, 1, start, end);
    }

    QRect characterRect(int offset) const override
    {
        if (offset < 0 || offset >= characterCount())
            return {};
        QTextCursor c(Edit()->document());
        c.setPosition(offset);
        QRect r = Edit()->cursorRect(c);
        c.setPosition(offset + 1);
        const QRect next = Edit()->cursorRect(c);
        if (next.top() == r.top() && next.left() > r.left())
            r.setRight(next.left() - 1);
        return QRect(Edit()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint p = Edit()->viewport()->mapFromGlobal(point) +
                         QPoint(Edit()->horizontalScrollBar()->value(), Edit()->verticalScrollBar()->value());
        return Doc().documentLayout()->hitTest(p, Qt::ExactHit);
    }

    void scrollToSubstring(int startIndex, int endIndex) override
    {
        QTextCursor c(Edit()->document());
        c.setPosition(Clamp(startIndex));
        const QRect first = Edit()->cursorRect(c);
        c.setPosition(Clamp(endIndex));
        const QRect r = first.united(Edit()->cursorRect(c));
        QScrollBar* bar = Edit()->verticalScrollBar();
        const int height = Edit()->viewport()->height();
        if (r.top() < 0 || r.height() > height)
            bar->setValue(bar->value() + r.top());
        else if (r.bottom() > height)
            bar->setValue(bar->value() + r.bottom() - height);
    }

    QString attributes(int offset, int* start, int* end) const override;

    // Editing, where the editor allows it (no pane of results does).
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        if (Edit()->isReadOnly())
            return;
        QTextCursor c(Edit()->document());
        c.setPosition(Clamp(start));
        c.setPosition(Clamp(end), QTextCursor::KeepAnchor);
        c.insertText(text);
    }

private:
    // The piece of kind `type` at `offset`, or the one before (-1) or after (1).
    QString Around(int offset, QAccessible::TextBoundaryType type, int step, int* start, int* end) const
    {
        const int count = characterCount();
        if (offset == -2) // the caret, by the convention of IAccessible2
            offset = cursorPosition();
        if (offset == -1)
            offset = count;
        *start = *end = -1;
        if (offset < 0 || offset > count)
            return {};
        QTextCursor c(Edit()->document());
        c.setPosition(offset);
        QPair<int, int> range = QAccessible::qAccessibleTextBoundaryHelper(c, type);
        if (step != 0) {
            const int next = step < 0 ? range.first - 1 : range.second;
            if (next < 0 || next > count || (step > 0 && range.second >= count && type != QAccessible::CharBoundary)) {
                *start = *end = step < 0 ? 0 : count;
                return {};
            }
            c.setPosition(next);
            range = QAccessible::qAccessibleTextBoundaryHelper(c, type);
        }
        *start = Clamp(range.first);
        *end = Clamp(range.second);
        return text(*start, *end);
    }
};

QString GreekTextEditAccessible::attributes(int offset, int* start, int* end) const
{
    const int count = characterCount();
    if (offset == -2)
        offset = cursorPosition();
    offset = std::min(offset < 0 ? count : offset, count);
    *start = *end = -1;
    if (offset < 0)
        return {};
    const QTextBlock block = Doc().findBlock(offset);
    QTextCharFormat format = block.charFormat();
    *start = block.position();
    *end = block.position() + block.length();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (f.contains(offset)) {
            format = f.charFormat();
            *start = f.position();
            *end = f.position() + f.length();
            break;
        }
    }
    QString out = QString("font-family:\"%1\";").arg(FamilyOf(format, Doc()));
    out += QString("font-weight:%1;").arg(format.fontWeight() > QFont::Normal ? "bold" : "normal");
    if (format.foreground().style() == Qt::SolidPattern) {
        const QColor c = format.foreground().color();
        out += QString("color:rgb(%1,%2,%3);").arg(c.red()).arg(c.green()).arg(c.blue());
    }
    if (format.fontUnderline())
        out += "text-underline-style:solid;text-underline-type:single;";
    return out;
}

// The text an edit event says was inserted, as the interface reads it: the
// editor reports the inserted characters themselves, the transliteration.
QString ReadableInserted(const GreekTextEditAccessible& a, int position, const QString& inserted)
{
    const QTextDocument& doc = a.Doc();
    const int end = position + int(inserted.size());
    if (inserted.isEmpty() || position < 0 || end > doc.characterCount())
        return inserted;
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(position);
    c.setPosition(end, QTextCursor::KeepAnchor);
    if (c.selectedText() != inserted) // not what the document holds now: read by the editor's font
        return DrawsTransliteration(doc.defaultFont()) ? TransliterationAsGreek(inserted) : inserted;
    return ReadableText(doc, position, end);
}

// Removed text is gone from the document: read by the editor's font.
QString ReadableRemoved(const GreekTextEditAccessible& a, const QString& removed)
{
    return DrawsTransliteration(a.Doc().defaultFont()) ? TransliterationAsGreek(removed) : removed;
}

QAccessible::UpdateHandler previousHandler = nullptr;
void TellTheTextAsRead(QAccessibleEvent* event);

// On as Qt sends an event when no handler is installed.
void Forward(QAccessibleEvent* event)
{
    if (previousHandler) {
        previousHandler(event);
        return;
    }
    // Qt has applied a table's model change before asking the handler, and
    // would apply it again; the AT-SPI bridge passes such events by anyway.
    if (event->type() == QAccessible::TableModelChanged)
        return;
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&TellTheTextAsRead);
}

// The text-change events of an editor carry the changed text itself: assistive
// technology that presents it must be given what the text interface gives.
void TellTheTextAsRead(QAccessibleEvent* event)
{
    const QAccessible::Event type = event->type();
    auto* edit = qobject_cast<QTextEdit*>(event->object());
    if (!edit || (type != QAccessible::TextInserted && type != QAccessible::TextRemoved && type != QAccessible::TextUpdated)) {
        Forward(event);
        return;
    }
    const auto* a = dynamic_cast<GreekTextEditAccessible*>(QAccessible::queryAccessibleInterface(edit));
    if (!a) {
        Forward(event);
        return;
    }
    if (type == QAccessible::TextInserted) {
        const auto* e = static_cast<QAccessibleTextInsertEvent*>(event);
        QAccessibleTextInsertEvent read(edit, e->changePosition(), ReadableInserted(*a, e->changePosition(), e->textInserted()));
        read.setCursorPosition(e->cursorPosition());
        Forward(&read);
    } else if (type == QAccessible::TextRemoved) {
        const auto* e = static_cast<QAccessibleTextRemoveEvent*>(event);
        QAccessibleTextRemoveEvent read(edit, e->changePosition(), ReadableRemoved(*a, e->textRemoved()));
        read.setCursorPosition(e->cursorPosition());
        Forward(&read);
    } else {
        const auto* e = static_cast<QAccessibleTextUpdateEvent*>(event);
        QAccessibleTextUpdateEvent read(edit, e->changePosition(), ReadableRemoved(*a, e->textRemoved()),
                                        ReadableInserted(*a, e->changePosition(), e->textInserted()));
        read.setCursorPosition(e->cursorPosition());
        Forward(&read);
    }
}

QAccessibleInterface* GreekTextEditFactory(const QString&, QObject* object)
{
    // Any class on the way to QTextEdit: asked while the editor is still being
    // built, the answer is kept for its life.
    auto* edit = qobject_cast<QTextEdit*>(object);
    return edit ? new GreekTextEditAccessible(edit) : nullptr;
}

} // namespace

bool DrawsTransliteration(const QString& family)
{
    return family.compare(QLatin1String(kGreekTextFamily), Qt::CaseInsensitive) == 0;
}

bool DrawsTransliteration(const QFont& font)
{
    return DrawsTransliteration(font.family());
}

QString TransliterationAsGreek(QStringView transliterated)
{
    QString out = transliterated.toString();
    ToGreekInPlace(out.data(), out.size());
    return out;
}

void InstallGreekAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&GreekTextEditFactory);
    previousHandler = QAccessible::installUpdateHandler(&TellTheTextAsRead);
}

} // namespace synopter
