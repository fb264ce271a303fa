#pragma once

#include <QFont>
#include <QString>
#include <QStringView>

namespace synopter {

// Edition text is stored as a transliteration that the display font draws as
// Greek. Assistive technology reads characters, not glyphs: what it is given
// must be the Greek the reader sees, or a screen reader spells out Latin.

// Whether text in this font is the transliteration (the display font draws it).
bool DrawsTransliteration(const QFont& font);
bool DrawsTransliteration(const QString& family);

// The transliteration as Unicode Greek, one UTF-16 unit for each character,
// so offsets into the one are offsets into the other; anything else is kept.
QString TransliterationAsGreek(QStringView transliterated);

// Every QTextEdit (the result panes, the apparatus) answers assistive
// technology with an accessible object of ours: the text drawn in the display
// font is given as Greek, through the text interface and the value alike;
// other text as it is. Installed before the first editor is made (an editor's
// object is kept for its life); further calls do nothing.
void InstallGreekAccessibility();

} // namespace synopter
