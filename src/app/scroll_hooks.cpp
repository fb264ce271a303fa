#include "app/scroll_hooks.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace synopter {

namespace {

// Raises a counter for the life of a scope.
class Nesting {
public:
    explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    int& depth_;
};

} // namespace

ScrollHooks::ScrollHooks(QObject* parent) : QObject(parent)
{
    setObjectName("ScrollHooks");
}

void ScrollHooks::Watch(QAbstractScrollArea* area, Hook hook)
{
    QScrollBar* bar = area->verticalScrollBar();
    connect(bar, &QAbstractSlider::actionTriggered, this,
            [this, bar, hook](int action) { OnAction(bar, action, hook); });
    connect(bar, &QAbstractSlider::sliderReleased, this, [this, bar, hook] { OnReleased(bar, hook); });
    area->installEventFilter(this);
    watched_.push_back(area);
}

void ScrollHooks::OnAction(QScrollBar* bar, int action, const Hook& hook)
{
    if (keyDepth_ > 0 || running_ > 0)
        return;
    int code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        code = scroll_code::kLineUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        code = scroll_code::kLineDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = scroll_code::kPageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = scroll_code::kPageDown;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = scroll_code::kTop;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = scroll_code::kBottom;
        break;
    case QAbstractSlider::SliderMove:
        // The thumb in the hand, or else the wheel, which counts as arrow steps.
        if (bar->isSliderDown())
            code = scroll_code::kThumbTrack;
        else
            code = bar->sliderPosition() < bar->value() ? scroll_code::kLineUp : scroll_code::kLineDown;
        break;
    default:
        return;
    }
    // The slider announces an action before it takes the new value; take it now
    // so the area has scrolled when the hook measures it.
    bar->setValue(bar->sliderPosition());
    Run(hook, code);
}

void ScrollHooks::OnReleased(QScrollBar* bar, const Hook& hook)
{
    if (keyDepth_ > 0 || running_ > 0)
        return;
    // Without tracking the released position is only now applied.
    bar->setValue(bar->sliderPosition());
    Run(hook, scroll_code::kThumbPosition);
}

void ScrollHooks::Run(const Hook& hook, int scrollCode)
{
    const Nesting nesting(running_);
    hook(scrollCode);
}

bool ScrollHooks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress
        || std::find(redelivering_.begin(), redelivering_.end(), event) != redelivering_.end()
        || std::find(watched_.begin(), watched_.end(), watched) == watched_.end())
        return QObject::eventFilter(watched, event);

    // Deliver the key here so that we know when the area is done with it; the
    // original delivery then stops (accepted, so it does not reach the parents twice).
    redelivering_.push_back(event);
    {
        const Nesting nesting(keyDepth_);
        QCoreApplication::sendEvent(watched, event);
    }
    redelivering_.pop_back();
    event->accept();
    return true;
}

} // namespace synopter
