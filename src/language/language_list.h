#pragma once

#include <string>
#include <vector>

namespace synopter {

// A language file found in the program directory.
struct LanguageFile {
    std::string name;        // the language name: the file name before its extension
    std::string picturePath; // its picture (name + ".bmp"), empty when there is none
    // What the file says of itself in its [Language] section, empty where it
    // is silent: its name in its own language ("Русский") and the locale it
    // serves ("ru"), by which the system's language finds it.
    std::string ownName;
    std::string locale;
};

// The section in which a language file describes itself, and its keys.
inline constexpr const char* kSelfSection = "Language";
inline constexpr const char* kOwnNameKey = "Name";
inline constexpr const char* kLocaleKey = "Locale";

// The locale a language file declares ("ru"); empty when it declares none or
// is not a regular file (a folder or a FIFO of that name says nothing).
std::string DeclaredLocale(const std::string& path);

// The file name up to the first place where its own extension (from the last
// dot) occurs: "English.lng" gives "English", "fr.lng.lng" gives "fr".
std::string LanguageName(const std::string& fileName);

// The "*.lng" entries of the program directory, folders and hidden files
// included, in listing order, each with its picture if one exists.
std::vector<LanguageFile> ListLanguageFiles(const std::string& programDir);

// The height of every entry of the language list: 16 to begin with; a taller
// picture raises it to the picture's height + 1, and nothing lowers it.
constexpr int kInitialEntryHeight = 16;
constexpr int RaisedEntryHeight(int entryHeight, int pictureHeight)
{
    return pictureHeight > entryHeight ? pictureHeight + 1 : entryHeight;
}

} // namespace synopter
