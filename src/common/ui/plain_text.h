#pragma once

#include <QString>

namespace synopter {

// A tooltip that shows `text` literally. Qt renders a tooltip as rich text when
// Qt::mightBeRichText says so (an <img> in it would be loaded); such text is
// escaped and wrapped so that it reads exactly as written. Every text that
// comes from a file (titles, names, language texts) goes through here.
QString PlainToolTip(const QString& text);

} // namespace synopter
