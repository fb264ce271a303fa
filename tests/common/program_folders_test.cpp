#include "common/program_folders.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace synopter {
namespace {

TEST(ChooseProgramFoldersTest, PortableOrInstalledByFolderAndEnvironment)
{
    const std::map<std::string, std::string> homeOnly{{"HOME", "/home/ann"}};
    const std::map<std::string, std::string> xdg{
        {"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data/"}};
    const std::map<std::string, std::string> relativeXdg{
        {"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", "./data"}};
    struct Case {
        const char* what;
        std::string exeDir;
        std::set<std::string> withFiles;
        std::set<std::string> writable;
        std::map<std::string, std::string> environment;
        ProgramFolders expected;
    };
    const ProgramFolders homeUser{"", "/home/ann/.config/synopter/", "/home/ann/.local/share/synopter/", true};
    auto installedAt = [](ProgramFolders folders, std::string files) {
        folders.files = std::move(files);
        return folders;
    };
    const Case cases[] = {
        {"build folder", "/src/build/bin", {"/src/build/bin/"}, {"/src/build/bin/"}, homeOnly,
         PortableFolders("/src/build/bin/")},
        {"portable copy ignores XDG", "/media/stick/synopter/", {"/media/stick/synopter/"},
         {"/media/stick/synopter/"}, xdg, PortableFolders("/media/stick/synopter/")},
        {"portable copy in a bin folder", "/opt/x/bin/", {"/opt/x/bin/", "/opt/x/share/synopter/"}, {"/opt/x/bin/"},
         homeOnly, PortableFolders("/opt/x/bin/")},
        {"read-only portable copy", "/media/cd/", {"/media/cd/"}, {}, homeOnly, installedAt(homeUser, "/media/cd/")},
        {"installed in /usr", "/usr/bin/", {"/usr/share/synopter/"}, {}, homeOnly,
         installedAt(homeUser, "/usr/share/synopter/")},
        {"installed in a writable prefix", "/home/ann/.local/bin", {"/home/ann/.local/share/synopter/"},
         {"/home/ann/.local/bin/"}, homeOnly, installedAt(homeUser, "/home/ann/.local/share/synopter/")},
        {"XDG folders set", "/usr/bin/", {"/usr/share/synopter/"}, {}, xdg,
         {"/usr/share/synopter/", "/cfg/synopter/", "/data/synopter/", true}},
        {"relative XDG folders ignored", "/usr/bin/", {"/usr/share/synopter/"}, {}, relativeXdg,
         installedAt(homeUser, "/usr/share/synopter/")},
        {"no program files, writable", "/tmp/x/bin/", {}, {"/tmp/x/bin/"}, homeOnly, PortableFolders("/tmp/x/bin/")},
        {"no program files, read-only", "/usr/bin/", {}, {}, homeOnly, installedAt(homeUser, "/usr/bin/")},
        {"not a bin folder, no share look-up", "/usr/lib/", {"/usr/share/synopter/"}, {}, homeOnly,
         installedAt(homeUser, "/usr/lib/")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProgramFolders got = ChooseProgramFolders(
            c.exeDir, c.environment, [&](const std::string& dir) { return c.withFiles.contains(dir); },
            [&](const std::string& dir) { return c.writable.contains(dir); });
        EXPECT_EQ(got.files, c.expected.files);
        EXPECT_EQ(got.settings, c.expected.settings);
        EXPECT_EQ(got.user, c.expected.user);
        EXPECT_EQ(got.installed, c.expected.installed);
        const std::vector<std::string> editions = got.EditionFolders();
        ASSERT_FALSE(editions.empty());
        EXPECT_EQ(editions.front(), got.user);
        EXPECT_EQ(editions.size(), got.user == got.files ? 1u : 2u);
    }
}

} // namespace
} // namespace synopter
