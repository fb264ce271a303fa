#pragma once

#include <QMargins>

class QWidget;

namespace synopter {

// How far the window system's frame reaches beyond a window's client area on
// each side; null before the window has been framed.
QMargins FrameMargins(const QWidget* window);

// Places a window about to be shown for the first time inside the available
// screen of `owner`: no larger than the screen allows, over the middle of the
// owner where that fits. `owner`'s frame stands in for the new window's, which
// the window system has not drawn yet.
void PlaceWithinScreen(QWidget& window, const QWidget& owner);

} // namespace synopter
