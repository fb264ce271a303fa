#pragma once

#include "app/scroll_hooks.h"
#include "app/side.h"

class QCheckBox;
class QObject;

namespace synopter {

class SourceList;
class ResultPane;

// "Scroll Both": a scroll-bar action on one result pane (source list) moves
// its partner to the same first line while the box is checked. The panes
// follow each other while the thumb is dragged; the lists only once it is
// released; to the top or bottom (the scroll bar's menu) moves neither. Panes
// and lists never move each other.
class ScrollCoupling {
public:
    ScrollCoupling(ResultPane* leftPane, ResultPane* rightPane, SourceList* leftList, SourceList* rightList,
                   const QCheckBox* scrollBoth);

    // Watches the four views' scroll bars (once) through ScrollHooks owned by `owner`.
    void Install(QObject* owner);

    // A scroll-bar action on the view on `side`, after the view has scrolled.
    void PaneScrolled(Side side, const ScrollAction& action);
    void ListScrolled(Side side, const ScrollAction& action);
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
