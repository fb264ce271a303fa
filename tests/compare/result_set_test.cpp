#include "compare/result_set.h"
#include "common/killed_at_step.h"

#include "common/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace synopter {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kNames = {"r2.rtf", "r1.rtf", "chapters.lst"};

// A run's three files: every byte is the run's letter, and the sizes differ
// between the files and between the runs.
std::vector<ResultFile> RunFiles(char run)
{
    const size_t extra = run == 'A' ? 7 : 0;
    return {{"r2.rtf", std::string(100000 + extra, run)},
            {"r1.rtf", std::string(200000 + extra, run)},
            {"chapters.lst", std::string(300000 + extra, run)}};
}

// The runs the files on disk come from, one letter a file ('-' for none).
std::string RunsOnDisk(const test::TempFolder& folder)
{
    std::string runs;
    for (const std::string& name : kNames) {
        const std::string bytes = folder.Read(name);
        runs += bytes.empty() ? '-' : bytes.find_first_not_of(bytes[0]) == std::string::npos ? bytes[0] : '?';
    }
    return runs;
}

bool OneRun(const std::string& runs)
{
    return runs == "AAA" || runs == "BBB";
}

int TemporariesIn(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        count += entry.path().extension() == ".tmp";
    return count;
}

// r1.rtf is a link into a folder of its own, so the link is followed at every step too.
void LinkLeftResult(const test::TempFolder& folder)
{
    fs::create_directory(folder / "elsewhere");
    fs::create_symlink("elsewhere/r1.rtf", folder / "r1.rtf");
}

// A child saves run B over run A and is killed before each step in turn; the
// next start (RecoverResultSet) always finds one run's files, whole.
TEST(ResultSetTest, AKillAtAnyStepLeavesTheOldSetOrTheNewOne)
{
    int kills = 0;
    for (int step = 0;; ++step) {
        SCOPED_TRACE("killed before step " + std::to_string(step));
        test::TempFolder folder;
        LinkLeftResult(folder);
        SaveResultSet(folder.Path(), RunFiles('A'));
        const bool killed = test::KilledAtStep(step, [&](const std::function<void(int)>& atStep) {
            SaveResultSet(folder.Path(), RunFiles('B'), atStep);
        });

        // Before recovery a mix on disk is refused.
        const std::string before = RunsOnDisk(folder);
        if (!OneRun(before)) {
            EXPECT_EQ(CheckResultSet(folder.Path()), ResultSetState::Mixed) << before;
        }

        RecoverResultSet(folder.Path(), kNames);
        const std::string after = RunsOnDisk(folder);
        EXPECT_TRUE(OneRun(after)) << after;
        EXPECT_EQ(CheckResultSet(folder.Path()), ResultSetState::Whole);
        EXPECT_EQ(TemporariesIn(folder.Path()), 0);
        EXPECT_TRUE(fs::is_symlink(folder / "r1.rtf"));
        if (!killed) {
            EXPECT_EQ(after, "BBB");
            break;
        }
        ++kills;
    }
    // Three temporaries, the record, three renames.
    EXPECT_EQ(kills, 7);
}

// Kills at random moments of saves one after another, as a close or the end
// of a run may be cut short; SYNOPTER_KILLS sets how many (30 by default).
TEST(ResultSetTest, KillsAtRandomMomentsNeverLeaveAMix)
{
    const char* env = std::getenv("SYNOPTER_KILLS");
    const int tries = env ? std::atoi(env) : 30;
    test::TempFolder folder;
    SaveResultSet(folder.Path(), RunFiles('A'));
    const auto start = std::chrono::steady_clock::now();
    SaveResultSet(folder.Path(), RunFiles('A'));
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);

    std::mt19937 random(12345);
    std::uniform_int_distribution<long> delay(0, 3 * saveTime.count() + 1);
    int whole = 0;
    int refusedBeforeRecovery = 0;
    for (int i = 0; i < tries; ++i) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int n = 0;; ++n) {
                try {
                    SaveResultSet(folder.Path(), RunFiles(n % 2 ? 'A' : 'B'));
                } catch (...) {
                    ::_exit(2);
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        refusedBeforeRecovery += CheckResultSet(folder.Path()) == ResultSetState::Mixed;
        RecoverResultSet(folder.Path(), kNames);
        const std::string runs = RunsOnDisk(folder);
        const bool ok = OneRun(runs) && CheckResultSet(folder.Path()) == ResultSetState::Whole &&
                        TemporariesIn(folder.Path()) == 0;
        EXPECT_TRUE(ok) << "kill " << i << ": " << runs;
        whole += ok;
    }
    std::cout << tries << " kills, " << whole << " sets whole after the next start, " << refusedBeforeRecovery
              << " cut short after the record (completed at the start)\n";
    EXPECT_EQ(whole, tries);
}

} // namespace
} // namespace synopter
