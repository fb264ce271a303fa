#pragma once

#include <string>
#include <vector>

namespace synopter {

// A language file found in the program directory.
struct LanguageFile {
    std::string name;        // the language name: the file name before its extension
    std::string picturePath; // its picture (name + ".bmp"), empty when there is none
};

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
