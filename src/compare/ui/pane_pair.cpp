#include "compare/ui/pane_pair.h"

#include "common/ui/qt_bytes.h"
#include "common/ui/view_widths.h"
#include "compare/result_model.h"
#include "compare/ui/result_pane.h"
#include "compare/ui/wrapped_lines.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextEdit>
#include <QTextBlock>
#include <QWidget>

#include <algorithm>

namespace synopter {

namespace {

// Resizing by dragging sends a stream of sizes; the panes are levelled again
// once it pauses.
constexpr int kRelevelDelayMs = 120;

// Restored results are shown a slice at a time: the first as much as fills a
// screen, then slices short enough that the window never seems to hang.
constexpr size_t kFirstUnits = 200;
constexpr int kBackgroundSliceMs = 20;

} // namespace

PanePair::PanePair(ResultPane* left, ResultPane* right, QWidget* leftPanel, std::function<void(int)> setLeftWidth,
                   const ComparisonResults& results)
    : panes_{left, right}, leftPanel_(leftPanel), setLeftWidth_(std::move(setLeftWidth)), results_(results)
{
    relevelTimer_.setSingleShot(true);
    relevelTimer_.setInterval(kRelevelDelayMs);
    QObject::connect(&relevelTimer_, &QTimer::timeout, [this] { Relevel(); });
    backgroundTimer_.setSingleShot(true);
    backgroundTimer_.setInterval(0);
    QObject::connect(&backgroundTimer_, &QTimer::timeout, [this] { FillInBackground(); });
    for (ResultPane* pane : panes_) {
        // The place is taken before the text is rewrapped under it.
        QObject::connect(pane, &ResultPane::LayoutWidthChanging, &relevelTimer_, [this] {
            if (!anchor_ && !placed_.empty())
                anchor_ = TopPlace();
            // Levelled panes are levelled again for the new width: the editor
            // need not rewrap the old text first.
            if (Levelled() && !placed_.empty())
                for (ResultPane* each : panes_)
                    each->HoldWrapping(true);
        });
        QObject::connect(pane, &ResultPane::LayoutWidthChanged, &relevelTimer_, [this] {
            if (RelevelPending()) {
                relevelTimer_.start();
            } else if (!relevelTimer_.isActive()) {
                ReleaseWrapping();
            }
            if (anchor_ && !RelevelPending() && !relevelTimer_.isActive()) {
                // Back at the levelled widths (or unlevelled files): the
                // editor rewrapped the text under the view, which is put back.
                const Place place = *anchor_;
                anchor_.reset();
                ScrollToPlace(place);
            }
        });
    }
}

int PanePair::LayoutWidth(int side) const
{
    return WrappedLines::LayoutWidthOf(panes_[side]);
}

bool PanePair::Levelled() const
{
    return results_.Unpaired(0) == nullptr;
}

bool PanePair::Complete() const
{
    return placed_.size() == results_.Count();
}

bool PanePair::LevelledAsShown() const
{
    for (int side : {0, 1})
        if (LayoutWidth(side) != levelWidth_[side] || panes_[side]->font() != levelFont_[side])
            return false;
    return true;
}

bool PanePair::RelevelPending() const
{
    return Levelled() && !placed_.empty() && !LevelledAsShown();
}

void PanePair::Clear()
{
    placed_.clear();
    blocks_[0] = blocks_[1] = 0;
    measured_[0].clear();
    measured_[1].clear();
    relevelTimer_.stop();
    backgroundTimer_.stop();
    anchor_.reset();
    marked_.reset();
    for (ResultPane* pane : panes_) {
        pane->setExtraSelections({});
        pane->Clear();
    }
}

void PanePair::BalancePaneWidths()
{
    BalanceWidths(panes_[0], panes_[1], leftPanel_, setLeftWidth_);
}

void PanePair::Flush()
{
    const size_t count = results_.Count();
    if (!Levelled() || count == 0)
        return;
    BalancePaneWidths();
    backgroundTimer_.stop();
    if (placed_.empty())
        Fill(0, count, true);
    if (!LevelledAsShown())
        Repad();
    if (placed_.size() < count)
        Fill(placed_.size(), count, false);
}

void PanePair::FillInBackground()
{
    if (!Levelled() || Complete())
        return;
    if (!LevelledAsShown()) {
        Relevel();
        return;
    }
    QElapsedTimer slice;
    slice.start();
    // Slices of a few hundred pairs, as many as the time allows.
    while (!Complete() && slice.elapsed() < kBackgroundSliceMs)
        Fill(placed_.size(), std::min(results_.Count(), placed_.size() + 250), false);
    if (!Complete())
        backgroundTimer_.start();
}

void PanePair::Relevel()
{
    relevelTimer_.stop();
    if (RelevelPending()) {
        Repad();
        if (!Complete())
            backgroundTimer_.start();
        return;
    }
    ReleaseWrapping();
    if (anchor_) {
        // The widths came back to the levelled ones while the resizing went on.
        const Place place = *anchor_;
        anchor_.reset();
        ScrollToPlace(place);
    }
}

void PanePair::ReleaseWrapping()
{
    for (ResultPane* pane : panes_)
        pane->HoldWrapping(false);
}

void PanePair::Reshow()
{
    if (!Levelled() || placed_.empty())
        return;
    Refill(std::min(results_.Count(), UnitAtTop() + kFirstUnits));
}

void PanePair::Refill(size_t to)
{
    const Place place = anchor_ ? *anchor_ : TopPlace();
    anchor_.reset();
    Fill(0, to, true);
    if (!Complete())
        backgroundTimer_.start();
    ScrollToPlace(place);
}

void PanePair::Repad()
{
    const Place place = anchor_ ? *anchor_ : TopPlace();
    anchor_.reset();
    WrappedLines counters[2] = {WrappedLines(panes_[0], &widths_[0]), WrappedLines(panes_[1], &widths_[1])};
    for (int side : {0, 1})
        if (panes_[side]->font() != levelFont_[side])
            measured_[side].clear();
    std::vector<ResultPane::Padding> changes[2];
    int shift[2] = {0, 0};
    for (size_t i = 0; i < placed_.size(); ++i) {
        Placement& placement = placed_[i];
        const int lines[2] = {CountLines(counters[0], 0, i), CountLines(counters[1], 1, i)};
        for (int side : {0, 1}) {
            const int padding = std::max(lines[0], lines[1]) - lines[side];
            if (padding != placement.padding[side])
                changes[side].push_back({placement.firstBlock[side], padding - placement.padding[side]});
            placement.firstBlock[side] += shift[side];
            shift[side] += padding - placement.padding[side];
            placement.padding[side] = padding;
        }
    }
    for (int side : {0, 1}) {
        panes_[side]->ChangePadding(changes[side]);
        blocks_[side] += shift[side];
        levelWidth_[side] = counters[side].LayoutWidth();
        levelFont_[side] = panes_[side]->font();
    }
    if (marked_)
        ShowMark();
    ScrollToPlace(place);
}

PanePair::Place PanePair::TopPlace() const
{
    Place place;
    ResultPane* pane = panes_[0];
    if (placed_.empty() || pane->verticalScrollBar()->value() == 0)
        return place;
    const int line = pane->FirstVisibleLine();
    const QTextBlock block = pane->document()->findBlockByLineNumber(line);
    place.unit = UnitAtBlock(block.blockNumber());
    place.atStart = false;
    const QTextBlock first = pane->document()->findBlockByNumber(placed_[place.unit].firstBlock[0]);
    place.lines = first.isValid() ? std::max(0, line - first.firstLineNumber()) : 0;
    return place;
}

void PanePair::ScrollToPlace(const Place& place)
{
    if (place.atStart || results_.Count() == 0) {
        for (ResultPane* pane : panes_)
            pane->verticalScrollBar()->setValue(0);
        return;
    }
    const size_t unit = std::min(place.unit, results_.Count() - 1);
    if (unit >= placed_.size() && Levelled())
        Fill(placed_.size(), std::min(results_.Count(), unit + kFirstUnits), false);
    if (unit >= placed_.size())
        return;
    // Lines into the unit, no further than its own (its text, padding and the
    // blanks before the next): a rewrapped unit may have fewer.
    for (int side : {0, 1}) {
        ResultPane* pane = panes_[side];
        const int firstBlock = placed_[unit].firstBlock[side];
        pane->ScrollToBlock(firstBlock);
        if (place.lines <= 0)
            continue;
        const QTextDocument* doc = pane->document();
        const QTextBlock first = doc->findBlockByNumber(firstBlock);
        const QTextBlock end =
            doc->findBlockByNumber(unit + 1 < placed_.size() ? placed_[unit + 1].firstBlock[side] : blocks_[side]);
        const int span = first.isValid() && end.isValid() ? end.firstLineNumber() - first.firstLineNumber() : 1;
        pane->ScrollToLine(first.firstLineNumber() + std::min(place.lines, std::max(0, span - 1)));
    }
}

size_t PanePair::UnitAtTop() const
{
    ResultPane* pane = panes_[0];
    return UnitAtBlock(pane->document()->findBlockByLineNumber(pane->FirstVisibleLine()).blockNumber());
}

size_t PanePair::UnitAtBottom() const
{
    const QWidget* viewport = panes_[0]->viewport();
    return UnitAtBlock(panes_[0]->cursorForPosition(QPoint(0, viewport->height() - 1)).blockNumber());
}

size_t PanePair::UnitAtBlock(int block) const
{
    const auto after = std::upper_bound(placed_.begin(), placed_.end(), block,
                                        [](int b, const Placement& p) { return b < p.firstBlock[0]; });
    return after == placed_.begin() ? 0 : size_t(after - placed_.begin() - 1);
}

int PanePair::CountLines(WrappedLines& counter, int side, size_t unit)
{
    const ComparisonResults::Unit& u = results_.Units()[unit];
    const rtf::Paragraph& text = side == 0 ? u.left : u.right;
    std::vector<WrappedLines::Measured>& measured = measured_[side];
    if (measured.size() <= unit) {
        measured.resize(unit);
        measured.push_back(counter.MeasureWords(text));
    }
    return counter.Count(text, measured[unit]);
}

void PanePair::Fill(size_t from, size_t to, bool replace)
{
    if (replace) {
        from = 0;
        placed_.clear();
        blocks_[0] = blocks_[1] = 0;
        // The text may be another (its marking changed).
        measured_[0].clear();
        measured_[1].clear();
    }
    WrappedLines counters[2] = {WrappedLines(panes_[0], &widths_[0]), WrappedLines(panes_[1], &widths_[1])};
    std::vector<const rtf::Paragraph*> written[2];
    const std::vector<ComparisonResults::Unit>& units = results_.Units();
    placed_.reserve(units.size());
    for (size_t i = from; i < to; ++i) {
        const ComparisonResults::Unit& unit = units[i];
        const rtf::Paragraph* text[2] = {&unit.left, &unit.right};
        const int lines[2] = {CountLines(counters[0], 0, i), CountLines(counters[1], 1, i)};
        Placement place{};
        for (int side : {0, 1}) {
            written[side].insert(written[side].end(), size_t(unit.blanksBefore), nullptr);
            blocks_[side] += unit.blanksBefore;
            place.firstBlock[side] = blocks_[side];
            place.padding[side] = std::max(lines[0], lines[1]) - lines[side];
            written[side].push_back(text[side]);
            written[side].insert(written[side].end(), size_t(place.padding[side]), nullptr);
            blocks_[side] += 1 + place.padding[side];
        }
        placed_.push_back(place);
    }
    for (int side : {0, 1}) {
        panes_[side]->WriteParagraphs(written[side], replace);
        levelWidth_[side] = counters[side].LayoutWidth();
        levelFont_[side] = panes_[side]->font();
    }
    // A fresh document has lost the mark.
    if (replace || (marked_ && *marked_ >= from && *marked_ < to))
        ShowMark();
}

void PanePair::ShowMark()
{
    for (int side : {0, 1}) {
        ResultPane* pane = panes_[side];
        if (!marked_ || *marked_ >= placed_.size()) {
            pane->setExtraSelections({});
            continue;
        }
        const Placement& place = placed_[*marked_];
        const QTextDocument* doc = pane->document();
        const QTextBlock first = doc->findBlockByNumber(place.firstBlock[side]);
        const QTextBlock last = doc->findBlockByNumber(place.firstBlock[side] + place.padding[side]);
        if (!first.isValid() || !last.isValid())
            continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(pane->document());
        mark.cursor.setPosition(first.position());
        mark.cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
        // A tint of the selection colour: visible in light and dark palettes alike.
        QColor tint = pane->palette().color(QPalette::Highlight);
        tint.setAlpha(48);
        mark.format.setBackground(tint);
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        QList<QTextEdit::ExtraSelection> selections{mark};
        // The matched words, as a selection would show them.
        for (const auto& [begin, end] : markedRanges_[side]) {
            const int length = first.length() - 1;
            if (begin >= end || int(begin) >= length)
                continue;
            QTextEdit::ExtraSelection match;
            match.cursor = QTextCursor(pane->document());
            match.cursor.setPosition(first.position() + int(begin));
            match.cursor.setPosition(first.position() + std::min(int(end), length), QTextCursor::KeepAnchor);
            match.format.setBackground(pane->palette().color(QPalette::Highlight));
            match.format.setForeground(pane->palette().color(QPalette::HighlightedText));
            selections << match;
        }
        pane->setExtraSelections(selections);
    }
}

void PanePair::GoToUnit(size_t unit, Ranges left, Ranges right)
{
    if (unit >= results_.Count())
        return;
    if (unit >= placed_.size())
        Flush();
    if (unit >= placed_.size())
        return;
    marked_ = unit;
    markedRanges_[0] = std::move(left);
    markedRanges_[1] = std::move(right);
    ShowMark();
    const size_t top = TopFor(unit);
    for (int side : {0, 1})
        panes_[side]->ScrollToBlock(placed_[top].firstBlock[side]);
}

size_t PanePair::TopFor(size_t unit) const
{
    size_t heading = unit;
    while (heading > 0 && !results_.IsHeading(heading))
        --heading;
    if (heading == unit || !results_.IsHeading(heading))
        return unit;
    // From the heading's first line to the unit's last, on the left (level with the right).
    ResultPane* pane = panes_[0];
    const QTextDocument* doc = pane->document();
    const QTextBlock from = doc->findBlockByNumber(placed_[heading].firstBlock[0]);
    const QTextBlock last = doc->findBlockByNumber(placed_[unit].firstBlock[0] + placed_[unit].padding[0]);
    if (!from.isValid() || !last.isValid())
        return unit;
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    const qreal height = layout->blockBoundingRect(last).bottom() - layout->blockBoundingRect(from).top();
    return height <= pane->viewport()->height() ? heading : unit;
}

std::optional<size_t> PanePair::SearchStart(bool forward) const
{
    if (placed_.empty())
        return std::nullopt;
    if (marked_ && *marked_ >= UnitAtTop() && *marked_ <= UnitAtBottom())
        return *marked_;
    const size_t top = UnitAtTop();
    return forward ? (top == 0 ? SIZE_MAX : top - 1) : top;
}

void PanePair::ShowRestored(size_t top)
{
    Clear();
    if (!Levelled()) {
        // Not our pair of files: shown as they are, each on its own.
        panes_[0]->FromDocument(*results_.Unpaired(0));
        panes_[1]->FromDocument(*results_.Unpaired(1));
        return;
    }
    BalancePaneWidths();
    Fill(0, std::min(results_.Count(), top + kFirstUnits), true);
    if (!Complete())
        backgroundTimer_.start();
    if (top > 0)
        ScrollToPlace({top, 0, false});
}

PaneLayout PanePair::Layout() const
{
    PaneLayout layout;
    for (int side : {0, 1}) {
        layout.face[side] = ToLatin1(panes_[side]->font().family());
        layout.padding[side].reserve(placed_.size());
        for (const Placement& place : placed_)
            layout.padding[side].push_back(place.padding[side]);
    }
    return layout;
}

} // namespace synopter
