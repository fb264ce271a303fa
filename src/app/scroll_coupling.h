#pragma once

#include "app/side.h"

class QCheckBox;
class QObject;

namespace synopter {

class SourceList;
class ResultPane;

// "Scroll Both": a scroll-bar action on one result pane (source list) moves
// its partner to the same first line while the box is checked. The panes
// follow each other while the thumb is dragged; the lists only once it is
// released. Panes and lists never move each other.
class ScrollCoupling {
public:
    ScrollCoupling(ResultPane* leftPane, ResultPane* rightPane, SourceList* leftList, SourceList* rightList,
                   const QCheckBox* scrollBoth);

    // Watches the four views' scroll bars (once) through ScrollHooks owned by `owner`.
    void Install(QObject* owner);

    // A scroll-bar action, as a classic scroll code, after the view has scrolled.
    void PaneScrolled(Side side, int scrollCode);
    void ListScrolled(Side side, int scrollCode);
    // Brings the other view level with the one on `side`.
    void FollowPane(Side side);
    void FollowList(Side side);

private:
    ResultPane* panes_[2];
    SourceList* lists_[2];
    const QCheckBox* scrollBoth_;
    bool installed_ = false;
};

} // namespace synopter
