#include "common/ui/frame_margins.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace synopter {

QMargins FrameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void PlaceWithinScreen(QWidget& window, const QWidget& owner)
{
    const QScreen* screen = owner.screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    QMargins frame = FrameMargins(&owner);
    if (frame.isNull())
        frame = QMargins(4, 28, 4, 4); // a title bar and thin borders, as most window systems draw them
    const QSize most(room.width() - frame.left() - frame.right(), room.height() - frame.top() - frame.bottom());
    window.resize(window.size().boundedTo(most).expandedTo(window.minimumSize()));
    QRect outer(QPoint(), window.size().grownBy(frame));
    outer.moveCenter(owner.frameGeometry().center());
    const int x = std::clamp(outer.left(), room.left(), std::max(room.left(), room.right() + 1 - outer.width()));
    const int y = std::clamp(outer.top(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height()));
    window.move(x, y); // move() places the frame's corner
}

} // namespace synopter
