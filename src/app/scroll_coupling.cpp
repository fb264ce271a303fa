#include "app/scroll_coupling.h"

#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"

#include <QCheckBox>
#include <QScrollBar>

namespace synopter {

namespace {

// Whether an action moves the partner: every step does, the thumb being
// dragged only when `followDrag`; to the top or bottom does not.
bool Couples(const ScrollAction& action, bool followDrag)
{
    if (std::holds_alternative<ScrollStep>(action))
        return true; // the thumb released, the wheel
    switch (std::get<QAbstractSlider::SliderAction>(action)) {
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepAdd:
    case QAbstractSlider::SliderPageStepSub:
        return true;
    case QAbstractSlider::SliderMove:
        return followDrag;
    default:
        return false;
    }
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
        hooks->Watch(panes_[Index(side)], [this, side](const ScrollAction& a) { PaneScrolled(side, a); });
    for (const Side side : {Side::Left, Side::Right})
        hooks->Watch(lists_[Index(side)], [this, side](const ScrollAction& a) { ListScrolled(side, a); });
}

void ScrollCoupling::PaneScrolled(Side side, const ScrollAction& action)
{
    if (scrollBoth_->isChecked() && Couples(action, true))
        FollowPane(side);
}

void ScrollCoupling::ListScrolled(Side side, const ScrollAction& action)
{
    if (scrollBoth_->isChecked() && Couples(action, false))
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
