#include "language/language_selection.h"

#include "common/ini_file.h"
#include "common/program_files.h"
#include "language/translate.h"

namespace synopter {

namespace {

constexpr const char* kSection = "General";
constexpr const char* kKey = "Language";

} // namespace

bool ChooseLanguage(LanguageDialog& dialog, const std::string& programDir)
{
    if (dialog.EntryCount() == 1)
        dialog.SelectEntry(0);
    else if (!dialog.ShowModal())
        return false;
    CurrentLanguage = dialog.SelectedText();
    IniFile settings(SettingsPath(programDir));
    settings.WriteString(kSection, kKey, CurrentLanguage);
    return true;
}

bool SettleStartupLanguage(LanguageDialog& dialog, const std::string& programDir)
{
    dialog.FillLanguageList();
    const int count = dialog.EntryCount();
    if (count == 0)
        return true;
    CurrentLanguage = IniFile(SettingsPath(programDir)).ReadString(kSection, kKey, "");
    if (!CurrentLanguage.empty()) {
        bool listed = false;
        for (int i = 0; i < count && !listed; ++i)
            listed = dialog.EntryText(i) == CurrentLanguage;
        if (!listed)
            CurrentLanguage.clear();
    }
    if (CurrentLanguage.empty())
        return ChooseLanguage(dialog, programDir);
    return true;
}

bool ChangeLanguage(LanguageDialog& dialog, const std::string& programDir)
{
    dialog.FillLanguageList();
    if (dialog.EntryCount() == 0)
        return true;
    return ChooseLanguage(dialog, programDir);
}

} // namespace synopter
