#pragma once

#include <string>

namespace synopter {

// Files the program keeps in its directory, beside the editions.
inline constexpr const char* kSettingsFileName = "kelvane.ini";
inline constexpr const char* kChapterListFileName = "chapters.lst";

inline std::string SettingsPath(const std::string& programDir)
{
    return programDir + kSettingsFileName;
}

inline std::string ChapterListPath(const std::string& programDir)
{
    return programDir + kChapterListFileName;
}

} // namespace synopter
