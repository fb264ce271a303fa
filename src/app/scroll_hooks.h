#pragma once

#include <QAbstractSlider>
#include <QObject>

#include <functional>
#include <variant>
#include <vector>

class QAbstractScrollArea;
class QScrollBar;

namespace synopter {

// What a scroll bar's slider does not name as an action of its own.
enum class ScrollStep {
    ThumbReleased, // the dragged thumb let go
    Wheel,         // the mouse wheel (the slider calls it a move)
};

// One action on a vertical scroll bar: the slider's own (arrow and page steps,
// to the top or bottom, SliderMove only while the thumb is dragged), or a ScrollStep.
using ScrollAction = std::variant<QAbstractSlider::SliderAction, ScrollStep>;

// Reports the scroll-bar actions of scroll areas, after the area has scrolled.
//
// Only actions on the scroll bar count. Keys pressed in a watched area may move
// its scroll bar (Page Down pages through the slider itself), so while a key
// press is being delivered to a watched area no action is reported. Nor is one
// reported while a hook runs: moving the partner is never taken for the user.
class ScrollHooks : public QObject {
    Q_OBJECT

public:
    using Hook = std::function<void(const ScrollAction& action)>;

    explicit ScrollHooks(QObject* parent = nullptr);

    // Watches the vertical scroll bar of `area`; `hook` runs for each of its actions.
    void Watch(QAbstractScrollArea* area, Hook hook);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnAction(QScrollBar* bar, int action, const Hook& hook);
    void OnReleased(QScrollBar* bar, const Hook& hook);
    void Run(const Hook& hook, const ScrollAction& action);

    std::vector<QObject*> watched_;
    std::vector<QEvent*> redelivering_; // key presses passed on to their area by the filter
    int keyDepth_ = 0;
    int running_ = 0;
};

} // namespace synopter
