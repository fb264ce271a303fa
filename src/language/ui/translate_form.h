#pragma once

#include "common/ui/plain_text.h"
#include "language/interface_language.h"

#include <QList>
#include <QString>

#include <functional>
#include <string>

class QObject;
class QWidget;

namespace synopter {

// Applies the language's file to a window: its object name is the
// section, its title the caption, and `components` are the components it owns
// in creation order. Labels, push buttons (the picture-button row), tool
// buttons, check boxes, spin boxes, panels (their "caption" property), result
// panes, popup menus and menu actions are translated; anything else is left
// alone. Hints live in the dynamic property "hint"; a control whose "showHint"
// is true also shows it as its tooltip. Captions and hints are shown as plain
// text, whatever markup they hold: a language file is data, not a page.
// Returns why the language file could not be read (empty when it was).
std::string TranslateForm(QWidget& form, const QList<QObject*>& components, const InterfaceLanguage& language);

// Reads a window's texts that are no component's caption (outcome messages,
// chart and column titles, hints of uncaptioned controls) from `section` of the
// language file in force, the file read once: read(key, current) gives the
// key's text, or `current` where the file has none or no language is chosen.
using WindowTextReader = std::function<QString(const char* key, const QString& current)>;
WindowTextReader ReadWindowTexts(const InterfaceLanguage& language, const std::string& section);

} // namespace synopter
