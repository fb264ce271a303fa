#include "app/settings_placement.h"

#include "common/ui/frame_margins.h"

#include <QEvent>
#include <QWidget>

namespace synopter {

namespace {

// A window system frames a new window right after showing it; a frame that
// comes much later is a change of decoration, not the first framing.
constexpr qint64 kFramingWindowMs = 5000;

} // namespace

SettingsPlacement::SettingsPlacement(QWidget* window) : QObject(window), window_(window)
{
    setObjectName("SettingsPlacement");
    window_->installEventFilter(this);
}

QSize SettingsPlacement::FrameExtent() const
{
    const QMargins frame = FrameMargins(window_);
    return {frame.left() + frame.right(), frame.top() + frame.bottom()};
}

void SettingsPlacement::SetOuterHeight(int height)
{
    SetOuterSize(QSize(window_->frameGeometry().width(), height));
}

void SettingsPlacement::SetOuterWidth(int width)
{
    SetOuterSize(QSize(width, window_->frameGeometry().height()));
}

void SettingsPlacement::SetOuterSize(QSize outer)
{
    const QSize frame = FrameExtent();
    window_->resize(outer - frame);
    if (frame.isNull() && !window_->isVisible())
        unframed_ = window_->frameGeometry().size();
    else
        unframed_.reset();
}

bool SettingsPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_ || !unframed_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Show:
        if (!sinceShown_.isValid())
            sinceShown_.start();
        [[fallthrough]];
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
    case QEvent::WindowActivate: {
        if (!sinceShown_.isValid())
            break;
        // A window started maximized has the stored size to come back to: it
        // is corrected when the window is first shown normal, however late.
        if (window_->isMaximized() || window_->isFullScreen()) {
            untilNormal_ = true;
            break;
        }
        if (sinceShown_.elapsed() > kFramingWindowMs && !untilNormal_) {
            unframed_.reset();
            break;
        }
        // The platform may apply its own idea of the size after ours, so this
        // holds until the outer size is the stored one.
        const QSize frame = FrameExtent();
        if (frame.isNull())
            break;
        untilNormal_ = false;
        if (window_->frameGeometry().size() == *unframed_)
            unframed_.reset();
        else
            window_->resize(*unframed_ - frame);
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace synopter
