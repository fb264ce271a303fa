#pragma once

namespace synopter {

class InterfaceLanguage;

// Qt's own texts (the buttons of message boxes, file dialogs, the pop-up menu
// of a text field) follow the interface language, as far as Qt's translations
// are installed for the locale its language file declares; otherwise they
// stay in English.
void FollowInQtTexts(const InterfaceLanguage& language);

} // namespace synopter
