#pragma once

#include "language/interface_language.h"

#include <QList>

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
// is true also shows it as its tooltip.
void TranslateForm(QWidget& form, const QList<QObject*>& components, const InterfaceLanguage& language);

} // namespace synopter
