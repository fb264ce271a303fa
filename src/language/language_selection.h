#pragma once

#include "language/interface_language.h"

#include <string>

namespace synopter {

// What the language flows need of the selection dialog and its list.
class LanguageChoice {
public:
    virtual ~LanguageChoice() = default;

    // Rebuilds the list from the program directory; the first entry is selected.
    virtual void FillLanguageList() = 0;
    virtual int EntryCount() const = 0;
    virtual std::string EntryText(int index) const = 0;
    virtual void SelectEntry(int index) = 0;
    virtual std::string SelectedText() const = 0;
    // The entry serving the user's own language, the most preferred of the
    // system's languages first; -1 when none does.
    virtual int SystemLanguageEntry() const = 0;
    // Shows the dialog modally; true when it was closed with OK.
    virtual bool ShowModal() = 0;
};

// Lets the user pick from a list of at least one entry (a single entry is taken
// without asking), makes it the language in force and stores it in the settings
// file. False when the dialog was closed without OK; nothing changes then. A
// failed write throws WriteError with `language` already holding the choice.
bool ChooseLanguage(LanguageChoice& dialog, InterfaceLanguage& language);

// The start-up step: the stored language when it is still listed, otherwise
// the one serving the system's language (taken and stored unasked), otherwise
// the user's choice. With no language files nothing is read or written. False
// when the user cancelled, which ends the program.
bool SettleStartupLanguage(LanguageChoice& dialog, InterfaceLanguage& language);

// View > "Interface language": the list as the folder holds it now, then the
// user's choice. False when the user cancelled: the language stays as it was.
bool ChangeLanguage(LanguageChoice& dialog, InterfaceLanguage& language);

} // namespace synopter
