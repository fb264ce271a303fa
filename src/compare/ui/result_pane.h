#pragma once

#include "compare/rich_text.h"

#include <QTextEdit>
#include <QTextLine>

#include <climits>
#include <vector>

namespace synopter {

// A result pane: a rich-text editor whose lines are display lines (a wrapped
// paragraph counts as several), as the translation keys expect.
//
// Display-line counts are kept per paragraph (QTextBlock::setLineCount), so
// counting and finding lines stays logarithmic however long the document grows.
// They are brought up to date lazily, from the first paragraph that changed.
class ResultPane : public QTextEdit {
    Q_OBJECT

public:
    explicit ResultPane(QWidget* parent = nullptr);

    void Clear();

    // Display lines; an empty line after the last line break does not count.
    int LineCount();
    QString Line(int index);
    void ReplaceLine(int index, const QString& text);

    // Adds the text and a line break at the end, in the given attributes.
    void AppendLine(const QString& text, const QTextCharFormat& format);
    // Adds paragraphs, each followed by a line break, in one edit; a null one is
    // an empty line. `replace` writes them into a fresh document instead, which
    // is several times faster for a whole text.
    void WriteParagraphs(const std::vector<const rtf::Paragraph*>& paragraphs, bool replace);
    // Adds (change > 0) or removes (< 0) empty lines right after each
    // paragraph given, by its number before the edit, in one edit; the
    // paragraphs are in order and the lines removed are empty. The text is
    // wrapped at the present width again, as with a new document.
    struct Padding {
        int block;
        int change;
    };
    void ChangePadding(const std::vector<Padding>& changes);

    // Scrolls by display lines (up when negative), stopping at the ends.
    void ScrollLines(int lines);
    int FirstVisibleLine();
    // The last display line whose text equals `text`, or -1.
    int LastLineEqualTo(const QString& text);
    // Puts display line `index` at the top, as far as the pane can scroll.
    void ScrollToLine(int index);
    // Puts the first line of paragraph `block` at the top.
    void ScrollToBlock(int block);
    // While held, a change of width leaves the text wrapped as it was (it is
    // about to be levelled anew for the new width); a new document or a
    // change of padding lets go.
    void HoldWrapping(bool hold);
    // Scrolls to `y` pixels from the top, laying the text out that far first.
    void ScrollToY(int y);

    rtf::Document ToDocument() const;
    // The paragraphs touched by document positions [from, to), cut to them.
    rtf::Document DocumentBetween(int from, int to) const;

    // Copy puts the selection on the clipboard as Greek text and Greek HTML
    // (colours and weight kept) and, under this type, as the transliteration.
    static constexpr const char* kTransliterationMimeType = "text/x-synopter-transliteration";
    void FromDocument(const rtf::Document& document);

    static QTextCharFormat Format(rtf::Colour colour, bool bold);

    // The part of a paragraph a pane shows: all of it, or for a paragraph of
    // megabytes its first kMaxShownChars characters and a mark that more
    // follows (filled into `clipped`). Laying out megabytes would freeze the
    // window; the results themselves stay whole.
    static constexpr size_t kMaxShownChars = 20000;
    static const rtf::Paragraph& Shown(const rtf::Paragraph& paragraph, rtf::Paragraph& clipped);

signals:
    void Entered();
    // The width paragraphs are wrapped at is about to change, and has changed
    // (a resize or a new font).
    void LayoutWidthChanging();
    void LayoutWidthChanged();

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Brings display-line counts up to date through display line `line` and
    // paragraph `block` (all by default).
    void EnsureLineCounts(int line = INT_MAX, int block = INT_MAX);
    QTextDocument* NewDocument();
    void AttachDocument(QTextDocument* doc);
    qreal LineTop(int line);
    // The scroll range made to reach what is laid out already.
    void FitScrollRange();
    // The scroll ranges for the text as laid out and the view as it is.
    void AdjustScrollRanges();
    void SnapLineStep(bool down);
    void InsertParagraph(QTextCursor& cursor, const rtf::Paragraph& runs);
    QTextLine FindLine(int index, QTextBlock& block);

    int dirtyFromBlock_ = 0;
    qreal countedWidth_ = -1;
    int viewportWidth_ = -1;
    bool holdWrapping_ = false;
};

} // namespace synopter
