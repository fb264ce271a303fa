#include "common/file_io.h"
#include "common/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

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
        {"--hand=second", verses},
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

TEST(SynopterImport, AReportLostToAFullDiskSaysTheEditionWasWritten)
{
    TempFolder in;
    TempFolder out;
    const std::string verses = in.Write("v.txt", "John 1:1 Ἐν ἀρχῇ\n");
    const std::string command = "HOME=" + ShellQuoted(in.Path()) + " SWORD_PATH=" + ShellQuoted(in.Path()) + " " +
                                ShellQuoted(SYNOPTER_IMPORT_EXE) + " --name=Ed --output " + ShellQuoted(out.Path()) +
                                " " + ShellQuoted(verses) + " >/dev/full 2>" + ShellQuoted(in / "err");
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(in.Read("err").find("was written, but its report was lost"), std::string::npos) << in.Read("err");
    EXPECT_TRUE(FileExists(out / "Ed.bk"));
}

// synopter-import started in the background, its output thrown away.
pid_t StartImport(const std::vector<std::string>& args)
{
    static const std::string exe = SYNOPTER_IMPORT_EXE;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> all = args;
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Exit status, or -1 when killed.
int Wait(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The title of the pair in the folder when its text is that import's, "" when
// there is no descriptor, "mixed" when the two disagree.
std::string PairOf(const TempFolder& folder, const std::vector<std::string>& titles)
{
    if (!std::filesystem::is_regular_file(folder / "Ed.bk"))
        return "";
    const std::string bk = folder.Read("Ed.bk");
    const std::string dat = folder.Read("Ed.dat");
    for (const std::string& title : titles)
        if (bk.find("Information=" + title) != std::string::npos && dat.find(" 1:1 " + title) != std::string::npos)
            return title;
    return "mixed";
}

// Sources whose verses start with their own name, so text and title tell the same import.
std::string Source(const TempFolder& in, const std::string& name, int verses)
{
    std::string text;
    const std::string words = " λογος ημων και υμων";
    for (int v = 0; v < verses; ++v) {
        text += "John " + std::to_string(1 + v / 50) + ":" + std::to_string(1 + v % 50) + " ";
        std::string body = name == "alpha" ? "αλφα" : name == "beta" ? "βητα" : "γαμμα";
        for (int k = 0; k < 40; ++k)
            body += words;
        text += body + "\n";
    }
    return in.Write(name + ".txt", text);
}

TEST(SynopterImport, TwoImportsOfOneNameAtOnceNeverMix)
{
    TempFolder in;
    const std::string alpha = Source(in, "alpha", 400);
    const std::string beta = Source(in, "beta", 400);
    const std::vector<std::string> titles = {"alfa", "bhta"};
    for (int round = 0; round < 20; ++round) {
        for (const bool force : {false, true}) {
            SCOPED_TRACE(std::to_string(round) + (force ? " forced" : ""));
            TempFolder out;
            std::vector<std::string> a = {"--name=Ed", "--title=alfa", "--output", out.Path(), alpha};
            std::vector<std::string> b = {"--name=Ed", "--title=bhta", "--output", out.Path(), beta};
            if (force) {
                a.push_back("--force");
                b.push_back("--force");
            }
            const pid_t first = StartImport(a);
            const pid_t second = StartImport(b);
            ASSERT_TRUE(first > 0 && second > 0);
            const int s1 = Wait(first);
            const int s2 = Wait(second);
            if (force)
                EXPECT_TRUE(s1 == 0 && s2 == 0) << s1 << " " << s2;
            else
                EXPECT_TRUE((s1 == 0 && s2 == 2) || (s1 == 2 && s2 == 0)) << s1 << " " << s2;
            const std::string pair = PairOf(out, titles);
            EXPECT_TRUE(pair == "alfa" || pair == "bhta") << pair;
            EXPECT_EQ(FileCount(out.Path()), 2u);
        }
    }
}

// kill -9 at random moments of a replacing import; SYNOPTER_KILLS sets how many (30 by default).
TEST(SynopterImport, KillsAtRandomMomentsLeaveTheOldPairOrTheNewOne)
{
    const char* env = std::getenv("SYNOPTER_KILLS");
    const int tries = env ? std::atoi(env) : 30;
    TempFolder in;
    const std::string alpha = Source(in, "alpha", 20);
    const std::string beta = Source(in, "beta", 2000);
    const std::string gamma = Source(in, "gamma", 1);
    const std::vector<std::string> titles = {"alfa", "bhta"};
    const auto replacing = [&](const TempFolder& out) {
        return std::vector<std::string>{"--force", "--name=Ed", "--title=bhta", "--output", out.Path(), beta};
    };
    using Clock = std::chrono::steady_clock;
    long long full = 0;
    {
        TempFolder out;
        const auto start = Clock::now();
        ASSERT_EQ(Wait(StartImport(replacing(out))), 0);
        full = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    }
    std::mt19937 random(12345);
    for (int round = 0; round < tries; ++round) {
        TempFolder out;
        ASSERT_EQ(Wait(StartImport({"--name=Ed", "--title=alfa", "--output", out.Path(), alpha})), 0);
        const pid_t pid = StartImport(replacing(out));
        ASSERT_GT(pid, 0);
        const long long delay = std::uniform_int_distribution<long long>(0, full + full / 5)(random);
        SCOPED_TRACE("killed after " + std::to_string(delay) + " µs");
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        ::kill(pid, SIGKILL);
        Wait(pid);
        EXPECT_NE(PairOf(out, titles), "mixed");
        // The next import into the folder completes or clears what the killed one left.
        ASSERT_EQ(Wait(StartImport({"--name=Other", "--title=gmma", "--output", out.Path(), gamma})), 0);
        const std::string pair = PairOf(out, titles);
        EXPECT_TRUE(pair == "alfa" || pair == "bhta") << pair;
        EXPECT_EQ(FileCount(out.Path()), 4u);
    }
}

TEST(SynopterImport, ListsNoSwordModulesInAnEmptyLibrary)
{
    const Result r = RunImport({"--list-sword"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "No SWORD Bible modules installed.\n");
}

} // namespace
} // namespace synopter
