#include "common/program_folders.h"

#include "common/file_io.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace synopter {

namespace fs = std::filesystem;

namespace {

std::string WithSeparator(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

// An XDG base folder: the variable when it holds an absolute path, else HOME + fallback.
std::string BaseFolder(const std::map<std::string, std::string>& environment, const char* variable,
                       const char* fallback)
{
    const auto set = environment.find(variable);
    if (set != environment.end() && set->second.starts_with('/'))
        return WithSeparator(set->second);
    const auto home = environment.find("HOME");
    return WithSeparator(home == environment.end() ? std::string() : home->second) + fallback;
}

} // namespace

std::vector<std::string> ProgramFolders::EditionFolders() const
{
    if (user == files)
        return {user};
    return {user, files};
}

ProgramFolders PortableFolders(const std::string& dir)
{
    const std::string folder = WithSeparator(dir);
    return {folder, folder, folder, false};
}

ProgramFolders ChooseProgramFolders(const std::string& exeDir, const std::map<std::string, std::string>& environment,
                                    const std::function<bool(const std::string&)>& holdsProgramFiles,
                                    const std::function<bool(const std::string&)>& isWritable)
{
    const std::string dir = WithSeparator(exeDir);
    const bool ownFiles = holdsProgramFiles(dir);
    if (ownFiles && isWritable(dir))
        return PortableFolders(dir);

    std::string files = dir;
    bool installed = !isWritable(dir);
    const fs::path exe = fs::path(dir).parent_path();
    if (!ownFiles && exe.filename() == "bin") {
        const std::string share = WithSeparator((exe.parent_path() / "share" / "synopter").string());
        if (holdsProgramFiles(share)) {
            files = share;
            installed = true;
        }
    }
    if (!installed)
        return PortableFolders(dir);
    return {files, BaseFolder(environment, "XDG_CONFIG_HOME", ".config/") + "synopter/",
            BaseFolder(environment, "XDG_DATA_HOME", ".local/share/") + "synopter/", true};
}

ProgramFolders ThisProgramFolders()
{
    std::map<std::string, std::string> environment;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        if (const char* value = std::getenv(name); value && *value)
            environment[name] = value;
    }
    if (!environment.contains("HOME")) {
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
            environment["HOME"] = user->pw_dir;
    }
    return ChooseProgramFolders(
        ProgramDirectory(), environment,
        [](const std::string& dir) { return !ListEntriesWithSuffix(dir, ".lng").empty(); },
        [](const std::string& dir) { return ::access(dir.c_str(), W_OK) == 0; });
}

void MakeUserFolders(const ProgramFolders& folders)
{
    if (!folders.installed)
        return;
    std::error_code ec;
    fs::create_directories(folders.settings, ec);
    fs::create_directories(folders.user, ec);
}

} // namespace synopter
