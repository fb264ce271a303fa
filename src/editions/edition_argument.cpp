#include "editions/edition_argument.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace synopter {

bool IsEditionPath(const std::string& argument)
{
    return argument.find('/') != std::string::npos || argument.ends_with(".dat") || argument.ends_with(".bk");
}

std::string UnknownEditionMessage(const std::string& argument, const std::vector<std::string>& folders,
                                  const std::vector<std::string>& catalogue)
{
    const auto joined = [](const std::vector<std::string>& items) {
        std::string out;
        for (const std::string& item : items)
            out += (out.empty() ? "" : ", ") + item;
        return out;
    };
    return "unknown edition \"" + argument + "\" (searched " + joined(folders) + "; " +
           (catalogue.empty() ? "no editions there)" : "editions: " + joined(catalogue) + ")");
}

std::string CatalogueName(const std::string& argument)
{
    if (argument.ends_with(".dat"))
        return argument.substr(0, argument.size() - 4);
    if (argument.ends_with(".bk"))
        return argument.substr(0, argument.size() - 3);
    return argument;
}

std::optional<EditionFiles> EditionArgumentFiles(const std::string& argument,
                                                 const std::vector<std::string>& catalogue)
{
    if (!IsEditionPath(argument))
        return std::nullopt;
    const bool dat = argument.ends_with(".dat"), bk = argument.ends_with(".bk");
    const std::string stem = CatalogueName(argument);
    std::error_code ec;
    const bool here = std::filesystem::exists(argument, ec);
    if (argument.find('/') == std::string::npos && !here &&
        std::find(catalogue.begin(), catalogue.end(), stem) != catalogue.end())
        return std::nullopt;
    EditionFiles files;
    files.text = dat || (!bk && here) ? argument : stem + ".dat";
    files.descriptor = stem + ".bk";
    files.name = stem.substr(stem.rfind('/') == std::string::npos ? 0 : stem.rfind('/') + 1);
    return files;
}

} // namespace synopter
