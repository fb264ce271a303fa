#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QAbstractScrollArea;
class QScrollBar;

namespace synopter {

// The classic vertical scroll-bar codes the main window's scroll hooks act on.
namespace scroll_code {
inline constexpr int kLineUp = 0;
inline constexpr int kLineDown = 1;
inline constexpr int kPageUp = 2;
inline constexpr int kPageDown = 3;
inline constexpr int kThumbPosition = 4; // the thumb was released
inline constexpr int kThumbTrack = 5;    // the thumb is being dragged
inline constexpr int kTop = 6;
inline constexpr int kBottom = 7;
} // namespace scroll_code

// Reports the scroll-bar actions of scroll areas, after the area has scrolled,
// as classic scroll codes: arrow and page steps, the thumb dragged and released,
// to the top and bottom (context menu), and the mouse wheel as a line step.
//
// Only actions on the scroll bar count. Keys pressed in a watched area may move
// its scroll bar (Page Down pages through the slider itself), so while a key
// press is being delivered to a watched area no action is reported. Nor is one
// reported while a hook runs: moving the partner is never taken for the user.
class ScrollHooks : public QObject {
    Q_OBJECT

public:
    using Hook = std::function<void(int scrollCode)>;

    explicit ScrollHooks(QObject* parent = nullptr);

    // Watches the vertical scroll bar of `area`; `hook` runs for each of its actions.
    void Watch(QAbstractScrollArea* area, Hook hook);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnAction(QScrollBar* bar, int action, const Hook& hook);
    void OnReleased(QScrollBar* bar, const Hook& hook);
    void Run(const Hook& hook, int scrollCode);

    std::vector<QObject*> watched_;
    std::vector<QEvent*> redelivering_; // key presses passed on to their area by the filter
    int keyDepth_ = 0;
    int running_ = 0;
};

} // namespace synopter
