#include "compare/cli/tool_options.h"

#include "common/command_line.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/program_folders.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>

namespace synopter::cli {

SpellingMode ParseSpellingMode(std::string_view text)
{
    if (text == "count")
        return SpellingMode::Count;
    if (text == "mark")
        return SpellingMode::Mark;
    if (text == "ignore")
        return SpellingMode::Ignore;
    throw UsageError{"unknown spelling \"" + std::string(text) + "\" (use count, mark or ignore)"};
}

SpellingGroups ParseSpellingRules(std::string_view text)
{
    SpellingGroupsParsed parsed = ParseSpellingGroups(text);
    if (!parsed.problem.empty())
        throw UsageError{parsed.problem};
    return parsed.groups;
}

std::string SpellingRulesHelp()
{
    std::string help = "  --spelling-rules LIST\n"
                       "                   the spelling rule groups in force under --spelling mark or ignore\n"
                       "                   (under count they do nothing), comma-separated: group names,\n"
                       "                   default, all or none; -NAME takes one out, and a LIST that\n"
                       "                   begins with -NAME starts from the default groups. The groups:\n";
    for (const SpellingGroupInfo& info : SpellingGroupList()) {
        std::string line = "    " + std::string(info.name);
        line.resize(std::max<size_t>(line.size() + 1, 21), ' ');
        help += line + std::string(info.text) + (info.byDefault ? " (default)\n" : "\n");
    }
    return help;
}

SpellingList LoadSpellingList(const char* tool, const std::string& path, SpellingGroups groups)
{
    const SpellingList none{SpellingRules(groups), {}};
    std::string file = path;
    if (file.empty()) {
        const std::string& user = ThisProgramFolders().user;
        if (user.empty())
            return none;
        file = user + "/" + std::string(kSpellingFileName);
    }
    std::optional<std::string> text;
    try {
        text = ReadFileBytes(file, kMaxSettingsFileBytes);
    } catch (const Error& e) {
        if (!path.empty())
            throw UsageError{e.what()};
    }
    if (!text) {
        if (!path.empty())
            throw UsageError{"cannot open \"" + path + "\": " + std::strerror(ENOENT)};
        return none;
    }
    SpellingList list = ReadSpellingList(*text, groups);
    for (const SpellingProblem& problem : list.problems)
        std::fprintf(stderr, "%s: %s:%d: %s (line left out)\n", tool, file.c_str(), problem.line,
                     problem.message.c_str());
    return list;
}

std::string Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "";
    if (::localtime_r(&now, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

} // namespace synopter::cli
