#include "compare/ui/result_pane.h"

#include "common/ui/qt_bytes.h"
#include "compare/greek_fragment.h"
#include "compare/lacuna_marks.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace synopter {

namespace {

QColor ToQColor(rtf::Colour c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

rtf::Colour FromQColor(const QColor& c)
{
    return rtf::Colour(c.red()) | (rtf::Colour(c.green()) << 8) | (rtf::Colour(c.blue()) << 16);
}

} // namespace

ResultPane::ResultPane(QWidget* parent) : QTextEdit(parent)
{
    setUndoRedoEnabled(false);
    setAcceptRichText(false);
    // Results are read, not edited: selection, copy and a visible caret stay;
    // Tab leaves the pane in the window's focus order.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    // An appearing scroll bar would rewrap the whole document.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    AttachDocument(NewDocument());
    // An arrow click on the scroll bar moves exactly one display line.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderSingleStepAdd || action == QAbstractSlider::SliderSingleStepSub)
            SnapLineStep(action == QAbstractSlider::SliderSingleStepAdd);
    });
}

QTextDocument* ResultPane::NewDocument()
{
    auto* doc = new QTextDocument(this);
    doc->setUndoRedoEnabled(false);
    doc->setDocumentMargin(2);
    doc->setDefaultFont(font());
    // The text is never right to left; saying so spares every paragraph the
    // search for its direction.
    QTextOption option = doc->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    doc->setDefaultTextOption(option);
    return doc;
}

void ResultPane::AttachDocument(QTextDocument* doc)
{
    // The editor deletes a document of its own making; ours are deleted here.
    QTextDocument* old = document();
    const bool ours = old && old != doc && old->parent() == this;
    setDocument(doc);
    if (ours)
        old->deleteLater();
    connect(doc, &QTextDocument::contentsChange, this, [this](int position, int, int) {
        const int block = document()->findBlock(position).blockNumber();
        dirtyFromBlock_ = std::min(dirtyFromBlock_, std::max(0, block));
    });
    dirtyFromBlock_ = 0;
    countedWidth_ = -1;
    // A new document is laid out for the present width.
    holdWrapping_ = false;
}

QTextCharFormat ResultPane::Format(rtf::Colour colour, bool bold)
{
    QTextCharFormat f;
    f.setForeground(ToQColor(colour));
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    // "lac." is Latin: the display font would draw its letters as Greek.
    if (colour == kLacunaMarkColour)
        f.setFontFamilies(QGuiApplication::font().families());
    return f;
}

void ResultPane::Clear()
{
    clear();
    setCurrentCharFormat(Format(0, false));
    dirtyFromBlock_ = 0;
}

void ResultPane::EnsureLineCounts(int line, int block)
{
    QTextDocument* doc = document();
    const qreal width = doc->pageSize().width();
    if (width != countedWidth_) {
        countedWidth_ = width;
        dirtyFromBlock_ = 0;
    }
    const int blocks = doc->blockCount();
    if (dirtyFromBlock_ >= blocks)
        return;
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    QTextBlock b = doc->findBlockByNumber(dirtyFromBlock_);
    for (; b.isValid(); b = b.next()) {
        if (b.firstLineNumber() > line || b.blockNumber() > block)
            break;
        layout->blockBoundingRect(b); // lays the block out if it is not yet
        const int lines = std::max(1, b.layout() ? b.layout()->lineCount() : 1);
        if (b.lineCount() != lines)
            b.setLineCount(lines);
    }
    dirtyFromBlock_ = b.isValid() ? b.blockNumber() : blocks;
}

int ResultPane::LineCount()
{
    EnsureLineCounts();
    QTextDocument* doc = document();
    int lines = doc->lineCount();
    if (doc->lastBlock().length() <= 1)
        lines -= doc->lastBlock().lineCount();
    return std::max(0, lines);
}

QTextLine ResultPane::FindLine(int index, QTextBlock& block)
{
    if (index < 0)
        return QTextLine();
    EnsureLineCounts(index);
    block = document()->findBlockByLineNumber(index);
    // The empty paragraph after the last line break is no line.
    if (!block.isValid() || (block == document()->lastBlock() && block.length() <= 1))
        return QTextLine();
    return block.layout()->lineAt(index - block.firstLineNumber());
}

QString ResultPane::Line(int index)
{
    QTextBlock b;
    const QTextLine line = FindLine(index, b);
    return line.isValid() ? b.text().mid(line.textStart(), line.textLength()) : QString();
}

void ResultPane::ReplaceLine(int index, const QString& text)
{
    QTextBlock b;
    const QTextLine line = FindLine(index, b);
    if (!line.isValid())
        return;
    const int start = b.position() + line.textStart();
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(start + line.textLength(), QTextCursor::KeepAnchor);
    c.insertText(text);
}

void ResultPane::AppendLine(const QString& text, const QTextCharFormat& format)
{
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    c.insertText(text, format);
    c.insertBlock(QTextBlockFormat(), format);
    c.endEditBlock();
}

const rtf::Paragraph& ResultPane::Shown(const rtf::Paragraph& paragraph, rtf::Paragraph& clipped)
{
    size_t length = 0;
    for (const rtf::Span& span : paragraph)
        length += span.text.size();
    if (length <= kMaxShownChars)
        return paragraph;
    clipped.clear();
    size_t room = kMaxShownChars;
    for (const rtf::Span& span : paragraph) {
        if (room == 0)
            break;
        clipped.push_back({span.text.substr(0, room), span.colour, span.bold});
        room -= clipped.back().text.size();
    }
    clipped.push_back({" [...]", 0, false});
    return clipped;
}

void ResultPane::InsertParagraph(QTextCursor& c, const rtf::Paragraph& paragraph)
{
    rtf::Paragraph clipped;
    for (const rtf::Span& span : Shown(paragraph, clipped))
        if (!span.text.empty())
            c.insertText(FromLatin1(span.text), Format(span.colour, span.bold));
    c.insertBlock(QTextBlockFormat(), Format(0, false));
}

void ResultPane::WriteParagraphs(const std::vector<const rtf::Paragraph*>& paragraphs, bool replace)
{
    static const rtf::Paragraph kEmpty;
    // A fresh document is filled before it is attached: without a layout it
    // takes text several times faster.
    QTextDocument* doc = replace ? NewDocument() : document();
    QTextCursor c(doc);
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    for (const rtf::Paragraph* p : paragraphs)
        InsertParagraph(c, p ? *p : kEmpty);
    c.endEditBlock();
    if (!replace)
        return;
    AttachDocument(doc);
    moveCursor(QTextCursor::Start);
    setCurrentCharFormat(Format(0, false));
}

void ResultPane::ChangePadding(const std::vector<Padding>& changes)
{
    QTextDocument* doc = document();
    // Wrapped at the present width from now on, which the edit lays out in
    // one go: asking the layout for its size first would lay it all out twice.
    holdWrapping_ = false;
    if (doc->pageSize().width() != viewport()->width())
        doc->setPageSize(QSizeF(viewport()->width(), -1));
    const QTextCharFormat plain = Format(0, false);
    QTextCursor c(doc);
    c.beginEditBlock();
    // From the last: the numbers of the paragraphs before stay as they were.
    for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
        const QTextBlock b = doc->findBlockByNumber(it->block);
        if (!b.isValid())
            continue;
        // Every paragraph ends in a break of the same formats, so the text's
        // own break may go with the empty lines after it.
        const int end = b.position() + b.length() - 1;
        c.setPosition(end);
        if (it->change > 0) {
            for (int i = 0; i < it->change; ++i)
                c.insertBlock(QTextBlockFormat(), plain);
        } else {
            c.setPosition(std::min(end - it->change, doc->characterCount() - 1), QTextCursor::KeepAnchor);
            c.removeSelectedText();
        }
    }
    // All of it at the new width: the layout would otherwise leave the text
    // past the last change wrapped at the old one.
    doc->markContentsDirty(0, doc->characterCount());
    c.endEditBlock();
    // The editor would learn the new height only from the event loop; a scroll
    // before then, at the end above all, must not meet the old range.
    AdjustScrollRanges();
}

int ResultPane::LastLineEqualTo(const QString& text)
{
    EnsureLineCounts();
    const QTextDocument* doc = document();
    for (QTextBlock b = doc->lastBlock(); b.isValid(); b = b.previous()) {
        const QString blockText = b.text();
        if (blockText.size() < text.size())
            continue;
        const QTextLayout* layout = b.layout();
        for (int j = layout->lineCount() - 1; j >= 0; --j) {
            const QTextLine line = layout->lineAt(j);
            if (line.textLength() == text.size() && QStringView(blockText).mid(line.textStart(), line.textLength()) == text)
                return b.firstLineNumber() + j;
        }
    }
    return -1;
}

rtf::Document ResultPane::ToDocument() const
{
    return document()->isEmpty() ? rtf::Document{} : DocumentBetween(0, INT_MAX);
}

rtf::Document ResultPane::DocumentBetween(int from, int to) const
{
    rtf::Document out;
    const QTextDocument* doc = document();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        rtf::Paragraph paragraph;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid() || f.length() == 0)
                continue;
            const int start = std::max(from, f.position());
            const int end = std::min(to, f.position() + f.length());
            if (start >= end)
                continue;
            const QTextCharFormat fmt = f.charFormat();
            const rtf::Colour colour = fmt.hasProperty(QTextFormat::ForegroundBrush) ? FromQColor(fmt.foreground().color()) : 0;
            const bool bold = fmt.fontWeight() >= QFont::DemiBold;
            std::string text = ToLatin1(f.text().mid(start - f.position(), end - start));
            if (!paragraph.empty() && paragraph.back().colour == colour && paragraph.back().bold == bold)
                paragraph.back().text += text;
            else
                paragraph.push_back({std::move(text), colour, bold});
        }
        out.paragraphs.push_back(std::move(paragraph));
    }
    return out;
}

QMimeData* ResultPane::createMimeDataFromSelection() const
{
    QMimeData* data = QTextEdit::createMimeDataFromSelection();
    const QTextCursor selection = textCursor();
    if (!data || !selection.hasSelection())
        return data;
    // Others read Greek letters, not the transliteration the display font
    // draws; the transliteration stays on offer under its own type.
    const std::vector<rtf::Paragraph> paragraphs =
        DocumentBetween(selection.selectionStart(), selection.selectionEnd()).paragraphs;
    data->setData(kTransliterationMimeType, data->text().toUtf8());
    const std::string greek = GreekPlainText(paragraphs);
    data->setText(QString::fromUtf8(greek));
    // Qt offers Markdown too; a program that prefers it must get Greek as well.
    if (data->hasFormat("text/markdown"))
        data->setData("text/markdown", QByteArray::fromStdString(greek));
    data->setHtml(QString::fromUtf8(GreekHtmlFragment(paragraphs)));
    return data;
}

void ResultPane::FromDocument(const rtf::Document& document)
{
    // Filled before it is attached: a document without a layout takes text
    // several times faster, which matters for the results restored at start-up.
    QTextDocument* doc = NewDocument();
    QTextCursor c(doc);
    c.beginEditBlock();
    bool first = true;
    for (const rtf::Paragraph& p : document.paragraphs) {
        if (!first)
            c.insertBlock(QTextBlockFormat(), Format(0, false));
        first = false;
        rtf::Paragraph clipped;
        for (const rtf::Span& span : Shown(p, clipped))
            c.insertText(FromLatin1(span.text), Format(span.colour, span.bold));
    }
    c.endEditBlock();
    AttachDocument(doc);
    moveCursor(QTextCursor::Start);
    setCurrentCharFormat(Format(0, false));
}

bool ResultPane::event(QEvent* event)
{
    // The pane's own menu shortcuts (Ctrl+Del, Ctrl+Ins) win over the editor's key bindings.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->modifiers() | key->key());
        for (const QAction* action : actions()) {
            if (action->isEnabled() && action->shortcut() == pressed) {
                event->ignore();
                return false;
            }
        }
    }
    return QTextEdit::event(event);
}

void ResultPane::focusInEvent(QFocusEvent* event)
{
    QTextEdit::focusInEvent(event);
    emit Entered();
}

void ResultPane::changeEvent(QEvent* event)
{
    // A new font rewraps the text too.
    if (event->type() == QEvent::FontChange)
        emit LayoutWidthChanging();
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        countedWidth_ = -1;
        emit LayoutWidthChanged();
    }
}

void ResultPane::resizeEvent(QResizeEvent* event)
{
    // Said while the text is still laid out for the old width.
    const bool widthChanged = event->size().width() != event->oldSize().width();
    if (widthChanged)
        emit LayoutWidthChanging();
    if (widthChanged && holdWrapping_) {
        // The text is rewrapped once, with the levelling for the new width
        // that follows: the old wrapping stays on screen till then.
        QAbstractScrollArea::resizeEvent(event);
        AdjustScrollRanges();
    } else {
        QTextEdit::resizeEvent(event);
    }
    countedWidth_ = -1;
    if (viewport()->width() != viewportWidth_) {
        viewportWidth_ = viewport()->width();
        emit LayoutWidthChanged();
    }
}

} // namespace synopter
