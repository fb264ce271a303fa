#pragma once

#include <string>
#include <utility>

namespace synopter {

// Program directory + language + ".lng".
std::string LanguageFilePath(const std::string& programDir, const std::string& language);

// The interface language in force: a language name (a language file's name
// without its extension), empty when none is chosen, and the program directory
// that holds the language files and the settings file. The main window owns
// one; the windows it opens and the language flows share it.
class InterfaceLanguage {
public:
    explicit InterfaceLanguage(std::string programDir) : programDir_(std::move(programDir)) {}

    const std::string& Name() const { return name_; }
    void Set(std::string name) { name_ = std::move(name); }
    bool IsSet() const { return !name_.empty(); }

    const std::string& ProgramDir() const { return programDir_; }
    std::string FilePath() const { return LanguageFilePath(programDir_, name_); }

private:
    std::string programDir_;
    std::string name_;
};

} // namespace synopter
