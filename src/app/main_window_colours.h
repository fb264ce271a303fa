#pragma once

#include <QColor>

class QIcon;
class QWidget;

namespace synopter {

// The main window's colours as designed, kept readable under a dark palette.
inline const QColor kNavy(0, 0, 128);
inline const QColor kMaroon(128, 0, 0);

// `base` fixes the background the text is drawn on (light in the design); the
// text is then kept as designed, black when none is given, whatever the
// palette. Without `base` the text sits on the palette's own background.
// `onLightPanel`: the control lies on a panel whose light background the
// design fixes, so its text is kept too.
void SetColours(QWidget* w, QColor text, const QColor& base, bool onLightPanel = false);

// A small open book with an arrow: "go to chapter".
QIcon ChapterIcon();

} // namespace synopter
