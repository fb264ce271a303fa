#pragma once

#include "compare/ui/wrapped_lines.h"

#include <QFont>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace synopter {

class ComparisonResults;
class ResultPane;
struct PaneLayout;

// The comparison results in the two panes, shown so that each unit (a heading
// or a verse pair) starts at the same height in both: the shorter side of
// each pair is followed by empty lines, as many as the other side wraps to
// more at the panes' present widths. When a pane's width changes, those empty
// lines are changed for the new width, keeping the pair at the top in view.
// The units are the results' (ComparisonResults); this only lays them out.
class PanePair {
public:
    // `setLeftWidth` changes the width of the left pane's panel and lays the two
    // panes out at once; that is how the panes are balanced.
    PanePair(ResultPane* left, ResultPane* right, QWidget* leftPanel, std::function<void(int)> setLeftWidth,
             const ComparisonResults& results);

    // The results were emptied: so are the panes, and the mark goes.
    void Clear();
    // Shows the units added since the last showing (a run shows them once per
    // event slice: one edit of each document instead of one per pair), and
    // completes a restore still filling in.
    void Flush();
    // Shows results just restored from the files. Units are levelled for the
    // present widths, unpaired files shown as they are. The first screenful is
    // shown at once and the rest in the background, a slice at a time, so the
    // window answers from the start. `top` is the unit to read from, as the
    // panes were left at the last close.
    void ShowRestored(size_t top = 0);
    // Lays the same results out afresh (their marking changed), the reader's place kept.
    void Reshow();
    // Levels the panes again when a width or font changed since they were
    // levelled, the reader's place kept. A resize does it once it pauses.
    void Relevel();

    void BalancePaneWidths();

    // The unit at the top of the panes.
    size_t TopUnit() const { return UnitAtTop(); }
    // Where the panes are read: the unit at their top and how many display
    // lines of it are scrolled past; atStart while they are at the very start.
    struct Place {
        size_t unit = 0;
        int lines = 0;
        bool atStart = true;
    };
    Place TopPlace() const;
    // Takes both panes to a place, showing the results that far first; a unit
    // past the results goes to the last.
    void ScrollToPlace(const Place& place);
    // Where a search or a step to the next pair starts (as FindInUnits takes
    // it): the marked unit while it is in view, else just before (forward) or
    // at (backward) the top of the panes; nullopt while they show no units.
    std::optional<size_t> SearchStart(bool forward) const;
    // Byte ranges [begin, end) of a unit's text on one side.
    using Ranges = std::vector<std::pair<size_t, size_t>>;
    // Takes both panes, level, to the unit, at their top (or to its chapter's
    // heading when heading and unit fit the panes together), and marks it
    // with a light tint until the next one is marked or the results go; the
    // ranges of each side (a match) are highlighted within it.
    void GoToUnit(size_t unit, Ranges left = {}, Ranges right = {});
    std::optional<size_t> MarkedUnit() const { return marked_; }

    // The fonts and levelling the result files keep.
    PaneLayout Layout() const;

private:
    // How one unit lies in the panes at the levelled widths.
    struct Placement {
        int firstBlock[2]; // of its text, after the blanks
        int padding[2];    // empty lines after its text
    };

    // Writes all units afresh, down to `to` at once and the rest in the
    // background, and takes the panes back to where they were read.
    void Refill(size_t to);
    // Levels the units written for the present widths by changing only the
    // empty lines after them (the text stays), and takes the panes back to
    // where they were read.
    void Repad();
    // The panes rewrap their text themselves again.
    void ReleaseWrapping();
    // The heading above `unit` when the panes show the two together, else `unit`.
    size_t TopFor(size_t unit) const;
    // A unit's display lines on one side, its words measured once.
    int CountLines(WrappedLines& counter, int side, size_t unit);
    // Writes units [from, to) into the panes, level; `replace` starts afresh.
    void Fill(size_t from, size_t to, bool replace);
    // All results are in the panes (nothing left for the background).
    bool Complete() const;
    // The widths the panes were levelled for differ from their present ones
    // (a relevel is due, waiting for the resizing to pause).
    bool RelevelPending() const;
    // The panes' widths and fonts are those they were levelled for.
    bool LevelledAsShown() const;
    void FillInBackground();
    size_t UnitAtTop() const;
    size_t UnitAtBottom() const;
    size_t UnitAtBlock(int block) const;
    void ShowMark();
    int LayoutWidth(int side) const;
    // False for restored files that do not pair up.
    bool Levelled() const;

    ResultPane* panes_[2];
    QWidget* leftPanel_;
    std::function<void(int)> setLeftWidth_;
    const ComparisonResults& results_;

    std::vector<Placement> placed_;
    int blocks_[2] = {0, 0};     // text blocks written so far, the empty last one not counted
    int levelWidth_[2] = {-1, -1};
    QFont levelFont_[2];
    WrappedLines::Widths widths_[2];
    // Each placed unit's words measured, in the fonts it was levelled for.
    std::vector<WrappedLines::Measured> measured_[2];
    QTimer relevelTimer_;
    QTimer backgroundTimer_;
    // Where the panes were read when the width began to change.
    std::optional<Place> anchor_;
    std::optional<size_t> marked_;
    Ranges markedRanges_[2];
};

} // namespace synopter
