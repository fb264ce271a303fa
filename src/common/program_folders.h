#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace synopter {

// Where the program finds its own files and keeps each user's. Every folder
// ends in a path separator. A portable copy (the build folder, a copy of it)
// has all three the same: the folder of the executable.
struct ProgramFolders {
    std::string files;    // language files, pictures, Fonts/, help/, the editions that come with the program
    std::string settings; // kelvane.ini
    std::string user;     // the results and the user's own (imported) editions
    bool installed = false;

    // The folders the catalogue lists, the user's first so that a user's
    // edition wins over one of the same name that came with the program.
    std::vector<std::string> EditionFolders() const;
};

// Everything in one folder, as a portable copy has it.
ProgramFolders PortableFolders(const std::string& dir);

// The rule, decided once at start-up. `exeDir` is the executable's folder;
// `environment` holds HOME, XDG_CONFIG_HOME and XDG_DATA_HOME as far as they
// are set; `holdsProgramFiles` tells whether a folder has the program's files
// (its language files) and `isWritable` whether the program may write there.
//  - exeDir holds the program's files and is writable: portable, all in exeDir.
//  - exeDir is PREFIX/bin/ without them and PREFIX/share/synopter/ has them:
//    installed, the program's files there.
//  - otherwise the program's files are in exeDir, and the copy is portable
//    when exeDir is writable.
// An installed copy keeps kelvane.ini in $XDG_CONFIG_HOME/synopter/ (default
// ~/.config/synopter/) and everything else in $XDG_DATA_HOME/synopter/
// (default ~/.local/share/synopter/); a relative XDG value is ignored.
ProgramFolders ChooseProgramFolders(const std::string& exeDir, const std::map<std::string, std::string>& environment,
                                    const std::function<bool(const std::string&)>& holdsProgramFiles,
                                    const std::function<bool(const std::string&)>& isWritable);

// The rule for this process: its executable, environment and file system.
ProgramFolders ThisProgramFolders();

// Makes the user's folders of an installed copy (quietly: a folder that cannot
// be made shows up later as a file that cannot be written).
void MakeUserFolders(const ProgramFolders& folders);

} // namespace synopter
