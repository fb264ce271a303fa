#pragma once

#include <string>
#include <utility>

namespace synopter {

// Program directory + language + ".lng".
std::string LanguageFilePath(const std::string& programDir, const std::string& language);

// The interface language in force: a language name (a language file's name
// without its extension), empty when none is chosen, the folder that holds the
// language files and the folder of the settings file (the same one unless the
// program is installed). The main window owns
// one; the windows it opens and the language flows share it.
class InterfaceLanguage {
public:
    explicit InterfaceLanguage(std::string programDir, std::string settingsDir = {})
        : programDir_(std::move(programDir)), settingsDir_(settingsDir.empty() ? programDir_ : std::move(settingsDir))
    {
    }

    const std::string& Name() const { return name_; }
    void Set(std::string name) { name_ = std::move(name); }
    bool IsSet() const { return !name_.empty(); }

    const std::string& ProgramDir() const { return programDir_; }
    const std::string& SettingsDir() const { return settingsDir_; }
    std::string FilePath() const { return LanguageFilePath(programDir_, name_); }

private:
    std::string programDir_;
    std::string settingsDir_;
    std::string name_;
};

} // namespace synopter
