#include "common/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace synopter {
namespace {

struct Outcome {
    int status = -1;
    std::string output;
};

// Runs a command through the shell, standard output only.
Outcome RunCommand(const std::string& command)
{
    Outcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return outcome;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        outcome.output.append(buffer, n);
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

// Every executable answers --help and --version and ends; the window program
// without a display and with X as its platform, so that a window would fail.
TEST(InformationOptionsTest, EveryExecutableAnswersHelpAndVersion)
{
    const std::string version = ProgramVersion();
    ASSERT_FALSE(version.empty());
    for (const char* tool : {"synopter", "synopter-compare", "synopter-collate", "synopter-import"}) {
        const std::string exe = std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb \"") +
                                SYNOPTER_PROGRAM_DIR + "/" + tool + "\"";
        struct Case {
            std::string arguments;
            std::string start;
        };
        const Case cases[] = {
            {"--version", std::string(tool) + " " + version + "\n"},
            {"--help", std::string("Usage: ") + tool},
            {"-h", std::string("Usage: ") + tool},
            {"--version --no-such-option", std::string(tool) + " " + version + "\n"},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(tool) + " " + c.arguments);
            const Outcome outcome = RunCommand(exe + " " + c.arguments + " 2>/dev/null");
            EXPECT_EQ(outcome.status, 0);
            EXPECT_EQ(outcome.output.substr(0, c.start.size()), c.start);
            if (c.arguments == "--help") {
                EXPECT_NE(outcome.output.find("--version"), std::string::npos);
            }
        }
    }
}

// An unknown option is refused with a word and status 2, never passed over:
// the window program too, which would otherwise open as if it had not been given.
TEST(InformationOptionsTest, EveryExecutableRefusesAnUnknownOption)
{
    for (const char* tool : {"synopter", "synopter-compare", "synopter-collate", "synopter-import"}) {
        SCOPED_TRACE(tool);
        const std::string exe =
            std::string("QT_QPA_PLATFORM=offscreen \"") + SYNOPTER_PROGRAM_DIR + "/" + tool + "\"";
        const Outcome outcome = RunCommand(exe + " --no-such-option 2>&1 >/dev/null");
        EXPECT_EQ(outcome.status, kBadInput);
        EXPECT_NE(outcome.output.find("--no-such-option"), std::string::npos) << outcome.output;
    }
}

} // namespace
} // namespace synopter
