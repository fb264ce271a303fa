#pragma once

#include <QFont>

namespace synopter {

// The controls' font, sized in pixels as the windows were designed.
inline QFont InterfaceFont(int pixelSize = 11, bool bold = false)
{
    QFont f("MS Sans Serif");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// The font that draws the transliteration as Greek letters.
inline constexpr char kGreekTextFamily[] = "Riruzi";

inline QFont GreekTextFont(int pixelSize)
{
    QFont f(kGreekTextFamily);
    f.setPixelSize(pixelSize);
    return f;
}

} // namespace synopter
