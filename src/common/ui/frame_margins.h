#pragma once

#include <QMargins>

class QWidget;

namespace synopter {

// How far the window system's frame reaches beyond a window's client area on
// each side; null before the window has been framed.
QMargins FrameMargins(const QWidget* window);

} // namespace synopter
