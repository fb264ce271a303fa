// The HTML report of a real run printed by a real browser: headless Chromium
// makes a PDF of the page synopter-compare wrote, pdftotext reads it back, and
// the Greek verses, the chapter headings and the count must have come through.

#include "common/greek_letters.h"
#include "common/temp_folder.h"
#include "compare/comparison_run.h"
#include "compare/html_report.h"
#include "editions/edition.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <set>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace synopter {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

// The first executable of that name on PATH, or "".
std::string OnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// Runs a program with stdout and stderr going to files and the environment
// given; kills it after `limit`. The exit status, or -1 when it did not exit.
int RunProgram(std::vector<std::string> args, const std::string& outPath, const std::string& errPath,
        const std::vector<std::string>& env, std::chrono::seconds limit)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envCopy = env;
    std::vector<char*> envp;
    for (std::string& e : envCopy)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// This process's environment with HOME replaced.
std::vector<std::string> EnvironmentWithHome(const std::string& home)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (!std::string_view(*e).starts_with("HOME="))
            env.emplace_back(*e);
    env.push_back("HOME=" + home);
    return env;
}

// The longest word of the verse that is unmatched throughout.
std::string LongestDifferingWord(const std::string& verse, const MatchMask& mask)
{
    std::string best;
    size_t start = 0;
    while (start < verse.size()) {
        size_t end = verse.find(' ', start);
        if (end == std::string::npos)
            end = verse.size();
        bool unmatched = end > start;
        for (size_t i = start; i < end && unmatched; ++i)
            unmatched = i >= mask.size() || mask[i] == 0;
        if (unmatched && end - start > best.size())
            best = verse.substr(start, end - start);
        start = end + 1;
    }
    return best;
}

TEST(HtmlBrowserTest, RealRunPrintedByChromium)
{
    const std::string dir = SYNOPTER_EDITIONS_DIR;
    const std::string leftPath = dir + "/WestcottHort1881.dat";
    const std::string rightPath = dir + "/Byzantine2018.dat";
    if (!fs::exists(leftPath) || !fs::exists(rightPath))
        GTEST_SKIP() << "no editions in " << dir;
    std::string chromium = OnPath("chromium");
    if (chromium.empty())
        chromium = OnPath("chromium-browser");
    if (chromium.empty())
        GTEST_SKIP() << "no chromium on PATH (Debian package chromium)";
    const std::string pdftotext = OnPath("pdftotext");
    if (pdftotext.empty())
        GTEST_SKIP() << "no pdftotext on PATH (Debian package poppler-utils)";

    // What the page must show, from the same run in this process.
    html::ReportCollector run;
    ComparisonRun(LoadEditionText(leftPath).value(), LoadEditionText(rightPath).value(), {1, false}, run);
    std::vector<std::string> headings;
    std::vector<const html::ReportPair*> pairs;
    for (const html::ReportItem& item : run.items) {
        if (const auto* h = std::get_if<html::ReportHeading>(&item))
            headings.push_back(ToGreek(h->label));
        else
            pairs.push_back(&std::get<html::ReportPair>(item));
    }
    ASSERT_GT(pairs.size(), 4000u);
    std::vector<std::string> words; // differing words of the first, a middle and the last pair
    for (const size_t k : {size_t{0}, pairs.size() / 2, pairs.size() - 1}) {
        for (const std::string& word : {LongestDifferingWord(pairs[k]->left, pairs[k]->leftMask),
                                       LongestDifferingWord(pairs[k]->right, pairs[k]->rightMask)})
            if (!word.empty())
                words.push_back(ToGreek(word));
    }
    ASSERT_GE(words.size(), 3u);

    TempFolder folder;
    const std::string page = folder / "report.html";
    const std::string pdf = folder / "report.pdf";
    const std::string text = folder / "report.txt";
    const std::vector<std::string> env = EnvironmentWithHome(folder.Path());
    const std::string compareCommand = SYNOPTER_COMPARE_EXE;
    ASSERT_EQ(RunProgram({compareCommand, "--format", "html", "--threshold", "1", leftPath, rightPath}, page,
                  folder / "compare.err", env, std::chrono::minutes(10)),
              0)
        << folder.Read("compare.err");

    // Printing 300 pages takes a while on a busy machine.
    const int printed = RunProgram({chromium, "--headless", "--no-sandbox", "--disable-gpu", "--no-pdf-header-footer",
                             "--print-to-pdf=" + pdf, "file://" + page},
                            folder / "chromium.out", folder / "chromium.err", env, std::chrono::minutes(15));
    ASSERT_EQ(printed, 0) << folder.Read("chromium.err");
    ASSERT_TRUE(fs::exists(pdf)) << folder.Read("chromium.err");
    ASSERT_EQ(RunProgram({pdftotext, "-enc", "UTF-8", pdf, text}, folder / "pdftotext.out", folder / "pdftotext.err", env,
                  std::chrono::minutes(5)),
              0)
        << folder.Read("pdftotext.err");
    const std::string printedText = folder.Read("report.txt");

    std::set<std::string> lines;
    std::set<std::string> tokens;
    std::istringstream in(printedText);
    for (std::string line; std::getline(in, line);) {
        // pdftotext starts each page with a form feed; a chapter may start a page.
        if (line.starts_with('\f'))
            line.erase(0, 1);
        lines.insert(line);
        std::istringstream words(line);
        for (std::string token; words >> token;)
            tokens.insert(token);
    }
    // Every chapter heading, whole, on a line of its own (the contents show books and numbers only).
    for (const std::string& heading : headings)
        EXPECT_TRUE(lines.contains(heading)) << heading;
    for (const std::string& word : words)
        EXPECT_TRUE(tokens.contains(word)) << word;
    EXPECT_TRUE(std::regex_search(printedText, std::regex("Verses\\s+found\\s+" + std::to_string(pairs.size()) + "\\s")))
        << printedText.substr(0, 2000);
}

} // namespace
} // namespace synopter
