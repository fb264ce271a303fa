#include "language/language_selection.h"

#include "common/ini_file.h"
#include "common/program_files.h"

namespace synopter {

namespace {

constexpr const char* kSection = "General";
constexpr const char* kKey = "Language";

// Makes the selected entry the language in force and stores it.
void TakeSelected(LanguageChoice& dialog, InterfaceLanguage& language)
{
    language.Set(dialog.SelectedText());
    IniFile settings(SettingsPath(language.SettingsDir()));
    settings.WriteString(kSection, kKey, language.Name());
}

} // namespace

bool ChooseLanguage(LanguageChoice& dialog, InterfaceLanguage& language)
{
    if (dialog.EntryCount() == 1)
        dialog.SelectEntry(0);
    else if (!dialog.ShowModal())
        return false;
    TakeSelected(dialog, language);
    return true;
}

bool SettleStartupLanguage(LanguageChoice& dialog, InterfaceLanguage& language)
{
    dialog.FillLanguageList();
    const int count = dialog.EntryCount();
    if (count == 0)
        return true;
    language.Set(IniFile(SettingsPath(language.SettingsDir())).ReadString(kSection, kKey, ""));
    if (language.IsSet()) {
        bool listed = false;
        for (int i = 0; i < count && !listed; ++i)
            listed = dialog.EntryText(i) == language.Name();
        if (!listed)
            language.Set({});
    }
    if (language.IsSet())
        return true;
    // A first start asks only when the system's language has no file.
    if (const int own = dialog.SystemLanguageEntry(); own >= 0) {
        dialog.SelectEntry(own);
        TakeSelected(dialog, language);
        return true;
    }
    return ChooseLanguage(dialog, language);
}

bool ChangeLanguage(LanguageChoice& dialog, InterfaceLanguage& language)
{
    dialog.FillLanguageList();
    if (dialog.EntryCount() == 0)
        return true;
    return ChooseLanguage(dialog, language);
}

} // namespace synopter
