#include "language/language_list.h"

#include "common/file_io.h"
#include "common/ini_file.h"

namespace synopter {

std::string DeclaredLocale(const std::string& path)
{
    return IsRegularFile(path) ? IniFile(path).ReadString(kSelfSection, kLocaleKey, "") : std::string();
}

std::string LanguageName(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return fileName;
    const std::string extension = fileName.substr(dot);
    return fileName.substr(0, fileName.find(extension));
}

std::vector<LanguageFile> ListLanguageFiles(const std::string& programDir)
{
    std::vector<LanguageFile> files;
    for (const std::string& entry : ListEntriesWithSuffix(programDir, ".lng")) {
        LanguageFile file;
        file.name = LanguageName(entry);
        const std::string picture = programDir + file.name + ".bmp";
        // Qt opens it blocking: a FIFO there would hold up the dialog.
        if (IsRegularFile(picture))
            file.picturePath = picture;
        const std::string path = programDir + entry;
        if (IsRegularFile(path)) {
            const IniFile lng(path);
            file.ownName = lng.ReadString(kSelfSection, kOwnNameKey, "");
            file.locale = lng.ReadString(kSelfSection, kLocaleKey, "");
        }
        files.push_back(std::move(file));
    }
    return files;
}

} // namespace synopter
