#include "common/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
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

constexpr const char* kTools[] = {"synopter", "synopter-compare", "synopter-collate", "synopter-import"};

// The options a text lists, each once by name and once with every keyword
// value it shows ("--format json", "--spelling count|mark|ignore").
void AddEntry(std::set<std::string>& entries, const std::smatch& match)
{
    entries.insert(match[1].str());
    std::stringstream values(match[2].str());
    for (std::string value; std::getline(values, value, '|');)
        entries.insert(match[1].str() + " " + value);
}

// "--color=WHEN" is the option "--color": a value given only after '='.
const std::regex kEntry(R"(^(-{1,2}[a-z][a-z-]*)(?:=\S*)?(?: ([a-z]+(?:\|[a-z]+)*))?(?:\s|$))");

// --help: the lines of the option table start with two spaces and the option.
std::set<std::string> HelpEntries(const std::string& help)
{
    std::set<std::string> entries;
    std::istringstream lines(help);
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  -", 0) != 0)
            continue;
        const std::string entry = line.substr(2);
        if (std::regex_search(entry, match, kEntry))
            AddEntry(entries, match);
    }
    return entries;
}

// Reads the page as it stands in the sources, its escapes undone: \- is a dash.
std::string ManPage(const std::string& tool)
{
    std::ifstream in(std::string(SYNOPTER_MAN_DIR) + "/" + tool + ".1");
    std::stringstream text;
    text << in.rdbuf();
    return std::regex_replace(text.str(), std::regex(R"(\\-)"), "-");
}

// The page: each tagged paragraph (.TP) whose tag is an option.
std::set<std::string> ManEntries(const std::string& page)
{
    std::set<std::string> entries;
    std::istringstream lines(page);
    std::smatch match;
    for (std::string line, previous; std::getline(lines, line); previous = line) {
        if (previous != ".TP" || line.rfind(".B", 0) != 0)
            continue;
        const std::string tag = std::regex_replace(line.substr(line.find(' ') + 1), std::regex("\""), "");
        if (std::regex_search(tag, match, kEntry))
            AddEntry(entries, match);
    }
    return entries;
}

// Each manual page describes the options its tool's --help lists, keyword
// values included, and names every other tool under SEE ALSO.
TEST(InformationOptionsTest, ManualPagesAgreeWithHelp)
{
    for (const std::string tool : kTools) {
        SCOPED_TRACE(tool);
        const Outcome help = RunCommand("env -u DISPLAY \"" + std::string(SYNOPTER_PROGRAM_DIR) + "/" + tool + "\" --help");
        ASSERT_EQ(help.status, 0);
        const std::string page = ManPage(tool);
        ASSERT_FALSE(page.empty());

        const std::set<std::string> helpEntries = HelpEntries(help.output);
        EXPECT_TRUE(helpEntries.count("--version"));
        EXPECT_EQ(ManEntries(page), helpEntries);

        const size_t seeAlso = page.find(".SH SEE ALSO");
        ASSERT_NE(seeAlso, std::string::npos);
        for (const std::string other : kTools) {
            if (other != tool) {
                EXPECT_NE(page.find(".BR " + other + " (1)", seeAlso), std::string::npos) << other;
            }
        }
    }
}

} // namespace
} // namespace synopter
