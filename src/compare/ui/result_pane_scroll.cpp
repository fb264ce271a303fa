// A result pane's scrolling: by display lines, to a line, block or pixel, and
// the scroll ranges while the text is laid out lazily or held at a width.
#include "compare/ui/result_pane.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace synopter {

void ResultPane::SnapLineStep(bool down)
{
    QScrollBar* bar = verticalScrollBar();
    const int count = LineCount();
    if (count == 0)
        return;
    const int first = FirstVisibleLine();
    int target;
    if (down)
        target = std::min(first + 1, count - 1);
    else
        target = (bar->value() > (first == 0 ? 0 : int(LineTop(first) + 0.5))) ? first : std::max(0, first - 1);
    const int position = target == 0 ? 0 : int(LineTop(target) + 0.5);
    bar->setSliderPosition(std::clamp(position, bar->minimum(), bar->maximum()));
}

qreal ResultPane::LineTop(int line)
{
    const QTextBlock b = document()->findBlockByLineNumber(line);
    document()->documentLayout()->blockBoundingRect(b);
    const QTextLayout* layout = b.layout();
    const QTextLine l = layout->lineAt(line - b.firstLineNumber());
    return layout->position().y() + (l.isValid() ? l.y() : 0);
}

int ResultPane::FirstVisibleLine()
{
    QTextDocument* doc = document();
    if (doc->isEmpty())
        return 0;
    // Only the paragraphs down to the top of the view are looked at: a long
    // text need not be laid out to its end to know where it is scrolled to.
    const qreal top = verticalScrollBar()->value() + 0.5;
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    QTextBlock b = doc->findBlock(std::max(0, layout->hitTest(QPointF(0, top), Qt::FuzzyHit)));
    while (b.previous().isValid() && layout->blockBoundingRect(b).top() > top)
        b = b.previous();
    while (b.next().isValid() && layout->blockBoundingRect(b.next()).top() <= top)
        b = b.next();
    EnsureLineCounts(INT_MAX, b.blockNumber());
    int line = b.firstLineNumber();
    const QTextLayout* lines = b.layout();
    for (int j = 1; j < lines->lineCount() && lines->position().y() + lines->lineAt(j).y() <= top; ++j)
        line = b.firstLineNumber() + j;
    // The empty paragraph after the last line break is no line.
    if (b == doc->lastBlock() && b.length() <= 1)
        line = std::max(0, line - 1);
    return line;
}

void ResultPane::ScrollToLine(int index)
{
    if (index <= 0) {
        verticalScrollBar()->setValue(0);
        return;
    }
    EnsureLineCounts(index);
    const QTextBlock b = document()->findBlockByLineNumber(index);
    if (!b.isValid() || (b == document()->lastBlock() && b.length() <= 1))
        index = std::max(0, LineCount() - 1);
    ScrollToY(index == 0 ? 0 : int(LineTop(index) + 0.5));
}

void ResultPane::HoldWrapping(bool hold)
{
    if (hold == holdWrapping_)
        return;
    holdWrapping_ = hold;
    // Let go at another width: wrapped for the present one after all.
    if (!hold && document()->pageSize().width() != viewport()->width()) {
        document()->setPageSize(QSizeF(viewport()->width(), -1));
        AdjustScrollRanges();
    }
}

void ResultPane::AdjustScrollRanges()
{
    const QSizeF size = document()->documentLayout()->documentSize();
    const QSize view = viewport()->size();
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.height())) - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.width())) - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
}

void ResultPane::FitScrollRange()
{
    // The layout tells the editor its new size only from the event loop; a
    // scroll at once must not be held to the range of an older, shorter layout.
    QScrollBar* bar = verticalScrollBar();
    const int height = int(std::ceil(document()->documentLayout()->documentSize().height()));
    if (height - viewport()->height() > bar->maximum())
        bar->setMaximum(height - viewport()->height());
}

void ResultPane::ScrollToY(int y)
{
    QScrollBar* bar = verticalScrollBar();
    // A text laid out only down to its view has not yet the range to get there.
    if (y > bar->maximum())
        FitScrollRange();
    if (y > bar->maximum()) {
        document()->documentLayout()->blockBoundingRect(document()->lastBlock());
        FitScrollRange();
    }
    bar->setValue(y);
}

void ResultPane::ScrollToBlock(int block)
{
    EnsureLineCounts(INT_MAX, block);
    const QTextBlock b = document()->findBlockByNumber(block);
    if (b.isValid())
        ScrollToLine(b.firstLineNumber());
}

void ResultPane::ScrollLines(int lines)
{
    if (lines == 0)
        return;
    const qint64 target = qint64(FirstVisibleLine()) + lines;
    if (target <= 0) {
        verticalScrollBar()->setValue(0);
        return;
    }
    ScrollToLine(int(std::min<qint64>(target, INT_MAX)));
}

} // namespace synopter
