#include "editions/edition.h"

#include "common/file_io.h"
#include "common/ini_file.h"
#include "common/text_lines.h"

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

EditionDescriptor ReadEditionDescriptor(const std::string& path)
{
    const IniFile ini(path);
    EditionDescriptor d;
    if (auto face = ini.Find("TextFont", "Name"))
        d.fontFace = face->substr(0, 31);
    d.information = ini.ReadString("English", "Information", "");
    d.problem = ini.ReadProblem();
    return d;
}

std::optional<std::vector<std::string>> LoadEditionText(const std::string& path)
{
    const std::optional<std::string> bytes = ReadFileBytes(path, kMaxEditionTextBytes);
    if (!bytes)
        return std::nullopt;
    return SplitLines(*bytes);
}

} // namespace synopter
