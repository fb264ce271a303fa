#pragma once

#include "import/verse_source.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace synopter {

struct SwordModuleInfo {
    std::string name;
    std::string language;
    std::string description;
};

// The Bible modules of the user's SWORD library, where SWORD itself looks
// (SWORD_PATH, ~/.sword, the system's module folder), sorted by name.
std::vector<SwordModuleInfo> ListSwordModules();

// True when `path` is a SWORD module folder: one holding mods.d/*.conf.
bool IsSwordModuleFolder(const std::string& path);

// Reads a Bible module, named as installed or found in a module folder
// (`folder` empty: the user's library), placing its verses by the module's own
// versification. `progress` gets the fraction done and returns false to stop.
// Throws ImportError when there is no such Bible module.
// Returns the module's name.
std::string ReadSwordModule(const std::string& name, const std::string& folder, VerseSink& sink,
                            const std::function<bool(double)>& progress = {});

} // namespace synopter
