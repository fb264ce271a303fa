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
    if (keyDepth_ > 0 || running_ > 0 || action == QAbstractSlider::SliderNoAction)
        return;
    ScrollAction reported = static_cast<QAbstractSlider::SliderAction>(action);
    // The slider calls both the dragged thumb and the wheel a move.
    if (action == QAbstractSlider::SliderMove && !bar->isSliderDown())
        reported = ScrollStep::Wheel;
    // The slider announces an action before it takes the new value; take it now
    // so the area has scrolled when the hook measures it.
    bar->setValue(bar->sliderPosition());
    Run(hook, reported);
}

void ScrollHooks::OnReleased(QScrollBar* bar, const Hook& hook)
{
    if (keyDepth_ > 0 || running_ > 0)
        return;
    // Without tracking the released position is only now applied.
    bar->setValue(bar->sliderPosition());
    Run(hook, ScrollStep::ThumbReleased);
}

void ScrollHooks::Run(const Hook& hook, const ScrollAction& action)
{
    const Nesting nesting(running_);
    hook(action);
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
