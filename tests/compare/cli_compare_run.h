#pragma once

// synopter-compare run as a separate process, and the small editions its tests compare.

#include "common/temp_folder.h"
#include "compare/html_tags.h"
#include "compare/comparison_run.h"
#include "editions/edition.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <poll.h>
#include <regex>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace synopter::cli_test {

namespace fs = std::filesystem;
using test::TempFolder;
using Args = std::vector<std::string>;

const std::string kExe = SYNOPTER_COMPARE_EXE;

struct Result {
    int status = -1; // exit status; -1 when killed by a signal
    std::string out;
    std::string err;
};

inline std::vector<char*> Argv(const std::string& exe, Args& args)
{
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

inline int Wait(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the program with stdout and stderr going to files (so never a terminal).
inline Result RunCompare(Args args, const std::string& exe = kExe, const char* stdoutPath = nullptr)
{
    TempFolder io;
    const std::string outPath = stdoutPath ? stdoutPath : io / "stdout";
    const std::string errPath = io / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = Argv(exe, args);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Result r;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << exe;
        return r;
    }
    r.status = Wait(pid);
    if (!stdoutPath)
        r.out = io.Read("stdout");
    r.err = io.Read("stderr");
    return r;
}

// Runs the program with stdout on a pseudo-terminal; returns what it showed there.
inline std::string RunOnTerminal(Args args)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        ADD_FAILURE() << "no pseudo-terminal";
        return {};
    }
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, slave, 1);
    std::vector<char*> argv = Argv(kExe, args);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, kExe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    std::string shown;
    if (spawned == 0) {
        // Read while the program runs, so that it never waits on a full terminal.
        bool exited = false;
        for (;;) {
            pollfd p{master, POLLIN, 0};
            // The terminal passes data on asynchronously: after the exit, wait a
            // little for the rest before giving up.
            const bool ready = ::poll(&p, 1, exited ? 200 : 20) > 0 && (p.revents & POLLIN);
            if (ready) {
                char buffer[4096];
                const ssize_t n = ::read(master, buffer, sizeof buffer);
                if (n > 0) {
                    shown.append(buffer, static_cast<size_t>(n));
                    continue;
                }
            }
            if (exited)
                break;
            int status = 0;
            exited = ::waitpid(pid, &status, WNOHANG) == pid;
        }
    } else {
        ADD_FAILURE() << "cannot start " << kExe;
    }
    ::close(slave);
    ::close(master);
    return shown;
}

// Two small editions: a pair before any heading, a pair of moved words, a
// pair of multi-character words and an extra left line.
const std::string kRight = " 0:1 p q\r\n"
                           "KATA 1\r\n"
                           " 1:1 a b c\r\n"
                           " 1:2 same\r\n"
                           "KATA 2\r\n"
                           " 2:1 x yy\r\n";
const std::string kLeft = " 0:1 p r\r\n"
                          "KATA 1\r\n"
                          " 1:1 a c b\r\n"
                          " 1:2 same\r\n"
                          "KATA 2\r\n"
                          " 2:1 x zzz\r\n"
                          " 2:2 extra\r\n";

const std::string kJsonLine0 =
    R"({"line": 0, "chapter": "", "right": " 0:1 p q", "left": " 0:1 p r", "right_unmatched": 1, )"
    R"("left_unmatched": 1, "right_diff": [[7, 1]], "left_diff": [[7, 1]]})" "\n";
const std::string kJsonLine2 =
    R"({"line": 2, "chapter": "KATA 1", "right": " 1:1 a b c", "left": " 1:1 a c b", "right_unmatched": 2, )"
    R"("left_unmatched": 2, "right_diff": [[7, 1], [9, 1]], "left_diff": [[7, 1], [9, 1]]})" "\n";
const std::string kJsonLine5 =
    R"({"line": 5, "chapter": "KATA 2", "right": " 2:1 x yy", "left": " 2:1 x zzz", "right_unmatched": 2, )"
    R"("left_unmatched": 3, "right_diff": [[7, 2]], "left_diff": [[7, 3]]})" "\n";
const std::string kJsonLine6 =
    R"({"line": 6, "chapter": "KATA 2", "right": "", "left": " 2:2 extra", "right_unmatched": 0, )"
    R"("left_unmatched": 10, "right_diff": [], "left_diff": [[0, 10]]})" "\n";

class CliTest : public ::testing::Test {
protected:
    CliTest()
    {
        left_ = folder_.Write("left.dat", kLeft);
        right_ = folder_.Write("right.dat", kRight);
    }
    TempFolder folder_;
    std::string left_;
    std::string right_;
};

} // namespace synopter::cli_test
