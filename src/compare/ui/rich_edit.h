#pragma once

#include "compare/rich_text.h"

#include <QTextEdit>
#include <QTextLine>

#include <climits>

namespace synopter {

// A result pane: a rich-text editor whose lines are display lines (a wrapped
// paragraph counts as several), as the translation keys expect.
//
// Display-line counts are kept per paragraph (QTextBlock::setLineCount), so
// counting and finding lines stays logarithmic however long the document grows.
// They are brought up to date lazily, from the first paragraph that changed.
class TRichEdit : public QTextEdit {
    Q_OBJECT

public:
    explicit TRichEdit(QWidget* parent = nullptr);

    void Clear();

    // Display lines; an empty line after the last line break does not count.
    int LineCount();
    QString Line(int index);
    void ReplaceLine(int index, const QString& text);

    // Adds the text and a line break at the end, in the given attributes.
    void AppendLine(const QString& text, const QTextCharFormat& format);
    // Adds one paragraph made of runs of differing attributes, then a line break.
    void AppendParagraph(const rtf::Paragraph& runs);

    // Scrolls by display lines (up when negative), stopping at the ends.
    void ScrollLines(int lines);
    int FirstVisibleLine();
    // The last display line whose text equals `text`, or -1.
    int LastLineEqualTo(const QString& text);
    // Puts display line `index` at the top, as far as the pane can scroll.
    void ScrollToLine(int index);

    rtf::Document ToDocument() const;
    void FromDocument(const rtf::Document& document);

    static QTextCharFormat Format(rtf::Colour colour, bool bold);

signals:
    void Entered();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Brings display-line counts up to date through display line `line` (all by default).
    void EnsureLineCounts(int line = INT_MAX);
    QTextDocument* NewDocument();
    void AttachDocument(QTextDocument* doc);
    qreal LineTop(int line);
    void SnapLineStep(bool down);
    QTextLine FindLine(int index, QTextBlock& block);

    int dirtyFromBlock_ = 0;
    qreal countedWidth_ = -1;
};

} // namespace synopter
