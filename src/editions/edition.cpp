#include "editions/edition.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/ini_file.h"
#include "common/text_lines.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace synopter {

std::string EditionName(std::string_view fileName)
{
    const size_t at = fileName.find(".bk");
    return std::string(fileName.substr(0, at == std::string_view::npos ? 0 : at));
}

std::vector<std::string> ListEditions(const std::string& folder)
{
    std::vector<std::string> names;
    for (const std::string& entry : ListEntriesWithSuffix(folder, ".bk"))
        names.push_back(EditionName(entry));
    return names;
}

std::vector<DamagedEdition> ListDamagedEditions(const std::string& folder)
{
    std::vector<DamagedEdition> damaged;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    for (const std::string& entry : ListEntriesWithSuffix(folder, ".dat")) {
        if (!entry.ends_with(".dat") || entry.starts_with('.'))
            continue;
        const std::string name = entry.substr(0, entry.size() - 4);
        if (!EntryExists(EditionDescriptorPath(prefix, name)))
            damaged.push_back({name, "damaged edition, " + name + ".bk is missing"});
    }
    return damaged;
}

std::vector<std::string> ListEditions(const std::vector<std::string>& folders)
{
    std::vector<std::string> names;
    for (const std::string& folder : folders) {
        for (std::string& name : ListEditions(folder)) {
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = ascii::CompareIgnoreCase(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

std::string EditionFolder(const std::vector<std::string>& folders, std::string_view name)
{
    for (const std::string& folder : folders) {
        if (FileExists(EditionTextPath(folder, name)))
            return folder;
    }
    return folders.empty() ? std::string() : folders.front();
}

EditionDescriptor ReadEditionDescriptor(const std::string& path)
{
    const IniFile ini(path);
    EditionDescriptor d;
    if (auto face = ini.Find("TextFont", "Name"))
        d.fontFace = face->substr(0, 31);
    d.information = ini.ReadString("English", "Information", "");
    d.siglum = ini.ReadString("English", "Siglum", "");
    d.hand = ini.ReadString("Manuscript", "Hand", "");
    d.problem = ini.ReadProblem();
    return d;
}

std::string DerivedSiglum(std::string_view name)
{
    std::string_view stem = name;
    while (!stem.empty() && stem.back() >= '0' && stem.back() <= '9')
        stem.remove_suffix(1);
    if (stem.empty())
        return std::string(name);
    std::string capitals;
    for (const char c : stem)
        if (c >= 'A' && c <= 'Z')
            capitals += c;
    if (capitals.size() >= 2)
        return capitals;
    return std::string(stem.substr(0, 3));
}

std::optional<std::vector<std::string>> LoadEditionText(const std::string& path)
{
    const std::optional<std::string> bytes = ReadFileBytes(path, kMaxEditionTextBytes);
    if (!bytes)
        return std::nullopt;
    return SplitLines(*bytes);
}

std::optional<EditionText> ReadEditionText(const std::string& path)
{
    std::optional<FileBytes> bytes = MapFileBytes(path, kMaxEditionTextBytes);
    if (!bytes)
        return std::nullopt;
    EditionText text{std::move(*bytes), {}};
    text.lines = SplitLineViews(text.bytes.Bytes());
    return text;
}

void DeleteEdition(const std::string& folder, std::string_view name)
{
    for (const std::string& path : {EditionTextPath(folder, name), EditionDescriptorPath(folder, name)}) {
        std::error_code error;
        std::filesystem::remove(path, error);
        if (error)
            throw WriteError(path, error.message());
    }
}

} // namespace synopter
