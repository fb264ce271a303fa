#include "common/file_io.h"
#include "common/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

namespace synopter {
namespace {

using test::TempFolder;

const std::string kSourcesDir = SYNOPTER_SOURCES_DIR;
const std::string kEditionsDir = SYNOPTER_EDITIONS_DIR;

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs synopter-import with a SWORD library that is an empty folder, so the
// machine's modules never count.
Result RunImport(const std::vector<std::string>& args)
{
    TempFolder scratch;
    std::string command = "HOME=" + ShellQuoted(scratch.Path()) + " SWORD_PATH=" + ShellQuoted(scratch.Path()) +
                          " " + ShellQuoted(SYNOPTER_IMPORT_EXE);
    for (const std::string& arg : args)
        command += " " + ShellQuoted(arg);
    command += " >" + ShellQuoted(scratch / "out") + " 2>" + ShellQuoted(scratch / "err");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, scratch.Read("out"), scratch.Read("err")};
}

size_t FileCount(const std::string& folder)
{
    return size_t(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

TEST(SynopterImport, ByzantineCsvFolderGivesItsEdition)
{
    const std::string csv = kSourcesDir + "/byzantine2018-csv";
    const auto expected = ReadFileBytes(kEditionsDir + "/Byzantine2018.dat", kMaxEditionTextBytes);
    if (!std::filesystem::is_directory(csv) || !expected)
        GTEST_SKIP() << "no Byzantine sources or edition";
    TempFolder out;
    const Result r = RunImport({"--name=Byz", "--output", out.Path(), csv});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(out.Read("Byz.dat") == *expected);
    EXPECT_NE(out.Read("Byz.bk").find("Name=Riruzi"), std::string::npos);
    EXPECT_NE(r.out.find("7953 verses placed."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(out / "Byz.bk"), std::string::npos) << r.out;
}

TEST(SynopterImport, BadInputExitsTwoAndWritesNothing)
{
    TempFolder in;
    TempFolder out;
    const std::string verses = in.Write("v.txt", "John 1:1 Ἐν ἀρχῇ\n");
    const std::string prose = in.Write("prose.txt", "Only prose.\n");
    out.Write("Taken.bk", "old");
    ASSERT_EQ(::mkfifo((in / "fifo.txt").c_str(), 0600), 0);
    std::filesystem::resize_file(in.Write("huge.txt", ""), (std::uintmax_t{256} << 20) + 1); // sparse
    const std::vector<std::vector<std::string>> cases = {
        {prose},                                  // unknown format
        {"--format=text", prose},                 // no verse recognised
        {in / "missing.txt"},                     // unreadable
        {in / "fifo.txt"},                        // not a regular file, never waited for
        {"/dev/zero"},                            // endless
        {in / "huge.txt"},                        // over the size limit
        {"NoSuchModule"},                         // neither path nor module
        {"--name", "a/b", verses},                // bad name
        {"--name=Taken", verses},                 // exists, no --force
        {"--format=docx", verses},                // bad usage
        {"--output"},
        {},
    };
    for (const auto& args : cases) {
        std::vector<std::string> all = {"--output", out.Path()};
        all.insert(all.end(), args.begin(), args.end());
        const Result r = RunImport(all);
        EXPECT_EQ(r.exitCode, 2) << args.size();
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    EXPECT_EQ(FileCount(out.Path()), 1u);
    EXPECT_EQ(out.Read("Taken.bk"), "old");

    const Result forced = RunImport({"--force", "--name=Taken", "--output=" + out.Path(), verses});
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_NE(out.Read("Taken.dat").find(" 1:1 en arch"), std::string::npos);
    EXPECT_EQ(RunImport({"--output", out / "missing", verses}).exitCode, 1);
}

TEST(SynopterImport, ListsNoSwordModulesInAnEmptyLibrary)
{
    const Result r = RunImport({"--list-sword"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "No SWORD Bible modules installed.\n");
}

} // namespace
} // namespace synopter
