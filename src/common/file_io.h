#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// The folder of the running executable, ending in a path separator.
std::string ProgramDirectory();

bool FileExists(const std::string& path);

// Whole file as bytes; nullopt when it does not exist. Throws Error naming the
// full path and the system's reason when it exists but cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Replaces the file in one step: the bytes go to a temporary file in the same
// folder, which is then renamed over the target, so a failure never leaves a
// truncated file behind. Throws WriteError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Entries of a folder (files, folders, hidden ones too) whose names end in
// `suffix`, ignoring letter case, sorted by name ignoring letter case as a
// Windows file system lists them. A missing folder gives no entries.
std::vector<std::string> ListEntriesWithSuffix(const std::string& folder, std::string_view suffix);

} // namespace synopter
