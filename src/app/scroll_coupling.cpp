#include "app/scroll_coupling.h"

#include "app/scroll_hooks.h"
#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"

#include <QCheckBox>
#include <QScrollBar>

namespace synopter {

namespace {

constexpr unsigned kLastPaneCode = scroll_code::kThumbTrack;
constexpr unsigned kLastListCode = scroll_code::kThumbPosition;

// The code as a scroll message carries it: the low 16 bits, unsigned.
unsigned CodeOf(int scrollCode)
{
    return static_cast<unsigned>(scrollCode) & 0xFFFFu;
}

int Index(Side side)
{
    return side == Side::Left ? 0 : 1;
}

} // namespace

ScrollCoupling::ScrollCoupling(ResultPane* leftPane, ResultPane* rightPane, SourceList* leftList, SourceList* rightList,
                               const QCheckBox* scrollBoth)
    : panes_{leftPane, rightPane}, lists_{leftList, rightList}, scrollBoth_(scrollBoth)
{
}

void ScrollCoupling::Install(QObject* owner)
{
    if (installed_)
        return;
    installed_ = true;
    auto* hooks = new ScrollHooks(owner);
    for (const Side side : {Side::Left, Side::Right})
        hooks->Watch(panes_[Index(side)], [this, side](int code) { PaneScrolled(side, code); });
    for (const Side side : {Side::Left, Side::Right})
        hooks->Watch(lists_[Index(side)], [this, side](int code) { ListScrolled(side, code); });
}

void ScrollCoupling::PaneScrolled(Side side, int scrollCode)
{
    if (scrollBoth_->isChecked() && CodeOf(scrollCode) <= kLastPaneCode)
        FollowPane(side);
}

void ScrollCoupling::ListScrolled(Side side, int scrollCode)
{
    if (scrollBoth_->isChecked() && CodeOf(scrollCode) <= kLastListCode)
        FollowList(side);
}

// Both sides are measured again each time, so a partner that stopped short at
// the end of its text is brought back in step by the next action.

void ScrollCoupling::FollowPane(Side side)
{
    // The panes are level: the same pair lies at the same height in both, so
    // the partner goes to the very same position, part-lines included.
    ResultPane* leader = panes_[Index(side)];
    ResultPane* follower = panes_[1 - Index(side)];
    follower->ScrollToY(leader->verticalScrollBar()->value());
}

void ScrollCoupling::FollowList(Side side)
{
    lists_[1 - Index(side)]->SetTopIndex(lists_[Index(side)]->TopIndex());
}

} // namespace synopter
