// synopter-compare run end to end, as a separate process.

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

namespace synopter {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using Args = std::vector<std::string>;

const std::string kExe = SYNOPTER_COMPARE_EXE;

struct Result {
    int status = -1; // exit status; -1 when killed by a signal
    std::string out;
    std::string err;
};

std::vector<char*> Argv(const std::string& exe, Args& args)
{
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

int Wait(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the program with stdout and stderr going to files (so never a terminal).
Result RunCompare(Args args, const std::string& exe = kExe, const char* stdoutPath = nullptr)
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
std::string RunOnTerminal(Args args)
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

TEST_F(CliTest, JsonExact)
{
    const Result r = RunCompare({"--format", "json", "--threshold", "1", "--exact", left_, right_});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kJsonLine0 + kJsonLine2 + kJsonLine5 + kJsonLine6);
    EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, JsonMovedWordsDoNotCountByDefault)
{
    const Result r = RunCompare({"--format", "json", "--threshold", "1", left_, right_});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kJsonLine0 + kJsonLine5 + kJsonLine6);
}

TEST_F(CliTest, OptionsAnywhereAndInOneWord)
{
    const Result r = RunCompare({left_, "--threshold=1", right_, "--format=json", "--exact"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kJsonLine0 + kJsonLine2 + kJsonLine5 + kJsonLine6);
    // The threshold applies: only the extra line has 3 or more unmatched characters.
    const Result three = RunCompare({"--format", "json", "--threshold", "3", "--exact", "--", left_, right_});
    EXPECT_EQ(three.status, 0) << three.err;
    EXPECT_EQ(three.out, kJsonLine5 + kJsonLine6);
}

TEST_F(CliTest, TextWithBracesWhenNotOnATerminal)
{
    const Result r = RunCompare({"--threshold", "1", "--exact", left_, right_});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "  left:  0:1 p {r}\n"
              "  right: 0:1 p {q}\n"
              "KATA 1\n"
              "  left:  1:1 a {c} {b}\n"
              "  right: 1:1 a {b} {c}\n"
              "KATA 2\n"
              "  left:  2:1 x {zzz}\n"
              "  right: 2:1 x {yy}\n"
              "  left: { 2:2 extra}\n"
              "  right:\n"
              "4 verses differ\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, DefaultThresholdIsTwenty)
{
    const Result text = RunCompare({left_, right_});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "0 verses differ\n");
    const Result json = RunCompare({"--format", "json", left_, right_});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "");
}

TEST_F(CliTest, BlueOnATerminal)
{
    const std::string shown = RunOnTerminal({"--threshold", "1", left_, right_});
    EXPECT_NE(shown.find(" 0:1 p \x1b[34mq\x1b[39m"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\x1b[34m 2:2 extra\x1b[39m"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('{'), std::string::npos) << shown;
    EXPECT_NE(shown.find("3 verses differ"), std::string::npos) << shown;
}

TEST_F(CliTest, HelpGoesToStdout)
{
    const Result r = RunCompare({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Usage: synopter-compare [--threshold N] [--exact] [--format text|json|html|summary]\n"
                                  "                        [--script latin|greek] [--spelling count|mark|ignore]\n"))
        << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, FailedOutputIsAnError)
{
    const Result r = RunCompare({"--threshold", "1", left_, right_}, kExe, "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write the output"), std::string::npos) << r.err;
}

// Control characters, quote and backslash are escaped; bytes from 0x80 are
// Latin-1 characters written in UTF-8.
TEST_F(CliTest, EscapingAndEncoding)
{
    const std::string right = folder_.Write("r.dat", "KATA \xc1\"1\"\r\n a\x01" "b\t\"q\" back\\slash \xe9t\xff \x1b\x7f\r\n");
    const std::string left = folder_.Write("l.dat", "KATA \xc1\"1\"\r\n z\r\n");

    const Result json = RunCompare({"--format", "json", "--threshold", "1", left, right});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out,
              R"({"line": 1, "chapter": "KATA )" "\xc3\x81" R"(\"1\"", )"
              R"("right": " a\u0001b\u0009\"q\" back\\slash )" "\xc3\xa9t\xc3\xbf" R"( \u001b)" "\x7f" R"(", )"
              R"("left": " z", "right_unmatched": 22, "left_unmatched": 1, )"
              R"("right_diff": [[1, 7], [9, 10], [20, 3], [24, 2]], "left_diff": [[1, 1]]})" "\n");

    // Shown as text, control bytes become '?' so they cannot drive a terminal.
    const Result text = RunCompare({"--threshold", "1", left, right});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out,
              "KATA \xc3\x81\"1\"\n"
              "  l: {z}\n"
              "  r: {a?b?\"q\"} {back\\slash} {\xc3\xa9t\xc3\xbf} {??}\n"
              "1 verses differ\n");
}

// The page names the editions with their descriptions and holds every pair,
// the one before the first heading included, in Greek letters.
TEST_F(CliTest, HtmlReport)
{
    folder_.Write("left.bk", "[English]\r\nInformation=L & <R>\r\n");
    const Result r = RunCompare({"--format", "html", "--threshold", "1", "--exact", left_, right_});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(test::UnbalancedTag(r.out), "");
    EXPECT_TRUE(r.out.starts_with("<!DOCTYPE html>")) << r.out;
    EXPECT_NE(r.out.find("<b>left</b> \xE2\x80\x94 L &amp; &lt;R&gt;</td>"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("<b>right</b></td>"), std::string::npos);
    EXPECT_NE(r.out.find("<th>Verses found</th><td>4</td>"), std::string::npos);
    EXPECT_NE(r.out.find("<li><a href=\"#h0\">"), std::string::npos);
    EXPECT_NE(r.out.find("<tr id=\"h0\"><td> 0:1 π <span class=\"d\">ρ</span></td>"), std::string::npos);
    EXPECT_NE(r.out.find("<tr><td><span class=\"d\"> 2:2 εξτρα</span></td><td></td></tr>"), std::string::npos);
    EXPECT_NE(r.out.find("<tr class=\"ch\" id=\"h2\"><th colspan=\"2\">ΚΑΤΑ 2</th></tr>"), std::string::npos);
}

// Greek letters for verses and headings; labels, references, marks, escapes
// and character offsets stay as they are. HTML is Greek either way.
TEST_F(CliTest, GreekScript)
{
    const Result text = RunCompare({"--threshold", "1", "--exact", "--script", "greek", left_, right_});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out,
              "  left:  0:1 π {ρ}\n"
              "  right: 0:1 π {ψ}\n"
              "ΚΑΤΑ 1\n"
              "  left:  1:1 α {χ} {β}\n"
              "  right: 1:1 α {β} {χ}\n"
              "ΚΑΤΑ 2\n"
              "  left:  2:1 ξ {ζζζ}\n"
              "  right: 2:1 ξ {θθ}\n"
              "  left: { 2:2 εξτρα}\n"
              "  right:\n"
              "4 verses differ\n");

    const std::string right = folder_.Write("r.dat", "KATA \xc1\"1\"\r\n a\x01" "b\t\"q\" back\\slash \xe9t\xff \x1b\x7f\r\n");
    const std::string left = folder_.Write("l.dat", "KATA \xc1\"1\"\r\n z\r\n");
    const Result json = RunCompare({"--format=json", "--script=greek", "--threshold", "1", left, right});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out,
              R"({"line": 1, "chapter": "ΚΑΤΑ )" "\xc3\x81" R"(\"1\"", )"
              R"("right": " α\u0001β\u0009\"ψ\" βαχκ\\σλαση )" "\xc3\xa9τ\xc3\xbf" R"( \u001b)" "\x7f" R"(", )"
              R"("left": " ζ", "right_unmatched": 22, "left_unmatched": 1, )"
              R"("right_diff": [[1, 7], [9, 10], [20, 3], [24, 2]], "left_diff": [[1, 1]]})" "\n");

    Result html[2];
    for (const int i : {0, 1}) {
        html[i] = RunCompare({"--format", "html", "--threshold", "1", "--script", i ? "greek" : "latin", left_, right_});
        EXPECT_EQ(html[i].status, 0) << html[i].err;
    }
    EXPECT_EQ(html[0].out, html[1].out);
    EXPECT_NE(html[0].out.find("ΚΑΤΑ 2"), std::string::npos);
}

// Counts per book and chapter; a pair before the first heading counts in the total only.
TEST_F(CliTest, Summary)
{
    struct Case {
        Args args;
        std::string out;
    };
    const Case cases[] = {
        {{"--threshold", "1", "--exact"},
         "{\"books\": [\n{\"title\": \"KATA\", \"reported\": 3, \"chapters\": [{\"heading\": \"KATA 1\", "
         "\"reported\": 1}, {\"heading\": \"KATA 2\", \"reported\": 2}]}\n], \"reported\": 4}\n"},
        {{"--threshold", "3", "--script", "greek"},
         "{\"books\": [\n{\"title\": \"ΚΑΤΑ\", \"reported\": 2, \"chapters\": [{\"heading\": \"ΚΑΤΑ 2\", "
         "\"reported\": 2}]}\n], \"reported\": 2}\n"},
        {{}, "{\"books\": [], \"reported\": 0}\n"},
    };
    for (const Case& c : cases) {
        Args args = c.args;
        args.insert(args.end(), {"--format", "summary", left_, right_});
        const Result r = RunCompare(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

// Spelling variants matched and shown under mark, matched under ignore, and a
// list of one's own with a line that is left out.
TEST_F(CliTest, Spelling)
{
    const std::string left = folder_.Write("sl.dat", "KATA 1\r\n 1:1 outw eipe kai\r\n 1:2 dabid\r\n");
    const std::string right = folder_.Write("sr.dat", "KATA 1\r\n 1:1 outwv eipen ouk\r\n 1:2 dauid\r\n");
    const std::string list = folder_.Write("spelling.txt", "kai ouk # not really\nKAI\n");
    struct Case {
        Args args;
        std::string out;
    };
    const Case cases[] = {
        {{"--spelling", "mark"},
         "KATA 1\n  sl: 1:1 (outw) (eipe) {kai}\n  sr: 1:1 (outwv) (eipen) {ouk}\n1 verses differ\n"},
        {{"--spelling", "mark", "--format", "json"},
         R"({"line": 1, "chapter": "KATA 1", "right": " 1:1 outwv eipen ouk", "left": " 1:1 outw eipe kai", )"
         R"("right_unmatched": 3, "left_unmatched": 3, "right_diff": [[17, 3]], "left_diff": [[15, 3]], )"
         R"("right_spelling": [[5, 5], [11, 5]], "left_spelling": [[5, 4], [10, 4]]})" "\n"},
        {{"--spelling", "mark", "--format", "summary"},
         "{\"books\": [\n{\"title\": \"KATA\", \"reported\": 1, \"chapters\": [{\"heading\": \"KATA 1\", "
         "\"reported\": 1}]}\n], \"reported\": 1, \"spelling_only\": 1}\n"},
        {{"--spelling", "ignore"}, "KATA 1\n  sl: 1:1 outw eipe {kai}\n  sr: 1:1 outwv eipen {ouk}\n1 verses differ\n"},
        {{"--spelling", "ignore", "--spelling-file", list}, "0 verses differ\n"},
        {{"--spelling", "count"},
         "KATA 1\n  sl: 1:1 {outw} {eipe} {kai}\n  sr: 1:1 {outwv} {eipen} {ouk}\n  sl: 1:2 {dabid}\n"
         "  sr: 1:2 {dauid}\n2 verses differ\n"},
    };
    for (const Case& c : cases) {
        Args args = c.args;
        args.insert(args.end(), {"--threshold=1", left, right});
        const Result r = RunCompare(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        const bool listed = std::find(args.begin(), args.end(), list) != args.end();
        EXPECT_EQ(r.err, listed ? "synopter-compare: " + list + ":2: \"KAI\" is not a word in lower-case "
                                  "transliteration (line left out)\n"
                                : "");
    }

    const Result html = RunCompare({"--format", "html", "--spelling", "mark", "--threshold", "1", left, right});
    EXPECT_NE(html.out.find("<tr><th>Spelling variants</th><td>marked in green</td></tr>"), std::string::npos);
    EXPECT_NE(html.out.find("<span class=\"s\">"), std::string::npos);
    const Result plain = RunCompare({"--format", "html", "--threshold", "1", left, right});
    EXPECT_EQ(plain.out.find("Spelling variants"), std::string::npos);
    EXPECT_EQ(plain.out.find("<span class=\"s\">"), std::string::npos);
}

// ---- Bad input: exit status 2, nothing on stdout, one line on stderr --------

struct BadCase {
    const char* name;
    Args args; // "LEFT" and "RIGHT" stand for good edition files, "DIR/" for the test folder
    const char* message;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class CliBadInputTest : public CliTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(CliBadInputTest, RefusedWithOneMessage)
{
    Args args = GetParam().args;
    fs::create_directory(folder_ / "folder.dat");
    ASSERT_EQ(::mkfifo((folder_ / "fifo.dat").c_str(), 0600), 0);
    fs::create_symlink(folder_ / "loop.dat", folder_ / "loop.dat");
    std::ofstream(folder_ / "huge.dat").close();
    fs::resize_file(folder_ / "huge.dat", (std::uintmax_t{64} << 20) + 1); // sparse
    for (std::string& a : args) {
        if (a == "LEFT")
            a = left_;
        else if (a == "RIGHT")
            a = right_;
        else if (a.starts_with("DIR/"))
            a = folder_ / a.substr(4);
    }
    const Result r = RunCompare(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("synopter-compare: ")) << r.err;
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(r.err.ends_with("\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliBadInputTest,
    ::testing::Values(
        BadCase{"no_arguments", {}, "expected two editions"},
        BadCase{"one_edition", {"LEFT"}, "expected two editions"},
        BadCase{"three_editions", {"LEFT", "RIGHT", "RIGHT"}, "expected two editions"},
        BadCase{"unknown_option", {"--fast", "LEFT", "RIGHT"}, "unknown option --fast"},
        BadCase{"unknown_short_option", {"LEFT", "-x", "RIGHT"}, "unknown option -x"},
        BadCase{"threshold_without_value", {"LEFT", "RIGHT", "--threshold"}, "option --threshold needs a value"},
        BadCase{"threshold_not_a_number", {"--threshold", "abc", "LEFT", "RIGHT"}, "threshold \"abc\" is not"},
        BadCase{"threshold_zero", {"--threshold", "0", "LEFT", "RIGHT"}, "threshold \"0\""},
        BadCase{"threshold_above_1000", {"--threshold", "1001", "LEFT", "RIGHT"}, "threshold \"1001\""},
        BadCase{"threshold_negative", {"--threshold", "-5", "LEFT", "RIGHT"}, "threshold \"-5\""},
        BadCase{"threshold_with_junk", {"--threshold", "20x", "LEFT", "RIGHT"}, "threshold \"20x\""},
        BadCase{"threshold_empty", {"--threshold=", "LEFT", "RIGHT"}, "threshold \"\""},
        BadCase{"threshold_overflow", {"--threshold", "99999999999", "LEFT", "RIGHT"}, "threshold \"99999999999\""},
        BadCase{"format_without_value", {"LEFT", "RIGHT", "--format"}, "option --format needs a value"},
        BadCase{"format_unknown", {"--format", "xml", "LEFT", "RIGHT"}, "unknown format \"xml\""},
        BadCase{"script_unknown", {"--script", "cyrillic", "LEFT", "RIGHT"}, "unknown script \"cyrillic\""},
        BadCase{"spelling_unknown", {"--spelling", "some", "LEFT", "RIGHT"}, "unknown spelling \"some\""},
        BadCase{"spelling_file_missing", {"--spelling-file", "DIR/none.txt", "LEFT", "RIGHT"}, "none.txt\""},
        BadCase{"exact_with_value", {"--exact=yes", "LEFT", "RIGHT"}, "option --exact takes no value"},
        BadCase{"missing_file", {"LEFT", "DIR/absent.dat"}, "absent.dat\": No such file or directory"},
        BadCase{"missing_folder", {"DIR/none/x.dat", "RIGHT"}, "none/x.dat\": No such file or directory"},
        BadCase{"folder_instead_of_file", {"DIR/folder.dat", "RIGHT"}, "folder.dat\". It is a folder"},
        BadCase{"fifo", {"LEFT", "DIR/fifo.dat"}, "fifo.dat\". It is a FIFO, not a regular file."},
        BadCase{"device", {"/dev/zero", "RIGHT"}, "\"/dev/zero\". It is a device, not a regular file."},
        BadCase{"symlink_loop", {"DIR/loop.dat", "RIGHT"}, "loop.dat\". Too many levels of symbolic links"},
        BadCase{"oversize", {"LEFT", "DIR/huge.dat"}, "huge.dat\". It is larger than 64 MB"},
        BadCase{"unknown_edition", {"NoSuchEdition", "RIGHT"}, "unknown edition \"NoSuchEdition\""}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST_F(CliTest, ThresholdLimitsAccepted)
{
    for (const char* t : {"1", "1000"}) {
        const Result r = RunCompare({"--threshold", t, left_, right_});
        EXPECT_EQ(r.status, 0) << t << ": " << r.err;
    }
}

// ---- Edition names: the program's own directory -----------------------------

// A copy of the program in a folder of its own, beside editions made for the test.
class CliCatalogueTest : public ::testing::Test {
protected:
    CliCatalogueTest()
    {
        exe_ = folder_ / "synopter-compare";
        fs::copy_file(kExe, exe_);
        for (const char* name : {"alpha", "beta", "gamma"})
            folder_.Write(std::string(name) + ".bk", "[TextFont]\r\nName=Riruzi\r\n");
        folder_.Write("alpha.dat", kLeft);
        folder_.Write("beta.dat", kRight);
        // gamma has a descriptor only.
    }
    TempFolder folder_;
    std::string exe_;
};

TEST_F(CliCatalogueTest, NamesAreEditionsBesideTheProgram)
{
    const Result byName = RunCompare({"--format", "json", "--threshold", "1", "--exact", "alpha", "beta"}, exe_);
    EXPECT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(byName.out, kJsonLine0 + kJsonLine2 + kJsonLine5 + kJsonLine6);

    const Result text = RunCompare({"--threshold", "3", "alpha", "beta"}, exe_);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out,
              "KATA 2\n"
              "  alpha: 2:1 x {zzz}\n"
              "  beta:  2:1 x {yy}\n"
              "  alpha:{ 2:2 extra}\n"
              "  beta:\n"
              "2 verses differ\n");
}

TEST_F(CliCatalogueTest, NamesMatchExactly)
{
    const Result r = RunCompare({"ALPHA", "beta"}, exe_);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("unknown edition \"ALPHA\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("alpha, beta, gamma"), std::string::npos) << r.err;
}

TEST_F(CliCatalogueTest, EditionWithoutText)
{
    const Result r = RunCompare({"alpha", "gamma"}, exe_);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(folder_ / "gamma.dat"), std::string::npos) << r.err;
}

// ---- The real editions: the same run as in the window -----------------------

// Records, for every reported pair, the index of its line (from the progress
// call that follows it).
class LineRecorder : public RunOutput {
public:
    void Chapter(const std::string&) override { ++headings; }
    void FoundCount(int) override {}
    void VersePair(const std::string&, const std::string&, const MatchMask&, const MatchMask&) override
    {
        pending_ = true;
    }
    bool Progress(int line) override
    {
        if (pending_)
            lines.push_back(line);
        pending_ = false;
        return true;
    }

    std::vector<int> lines;
    int headings = 0;

private:
    bool pending_ = false;
};

TEST(CliRealEditionsTest, SameAsTheEngine)
{
    const std::string dir = std::string(SYNOPTER_PROGRAM_DIR) + "/";
    const std::string left = "WestcottHort1881";
    const std::string right = "Byzantine2018";
    if (!fs::exists(EditionTextPath(dir, left)) || !fs::exists(EditionTextPath(dir, right)))
        GTEST_SKIP() << "no editions in " << dir;
    const auto leftLines = LoadEditionText(EditionTextPath(dir, left)).value();
    const auto rightLines = LoadEditionText(EditionTextPath(dir, right)).value();

    for (const bool exact : {false, true}) {
        SCOPED_TRACE(exact ? "exact" : "free");
        LineRecorder recorder;
        ComparisonRun(leftLines, rightLines, {1, exact}, recorder);
        ASSERT_GT(recorder.lines.size(), 100u);

        Args args{"--format", "json", "--threshold", "1", left, right};
        if (exact)
            args.push_back("--exact");
        const Result r = RunCompare(args);
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<int> lines;
        size_t at = 0;
        while (at < r.out.size()) {
            const size_t end = r.out.find('\n', at);
            ASSERT_NE(end, std::string::npos);
            const std::string line = r.out.substr(at, end - at);
            ASSERT_TRUE(line.starts_with("{\"line\": ")) << line;
            ASSERT_TRUE(line.ends_with("]}")) << line;
            lines.push_back(std::stoi(line.substr(9)));
            at = end + 1;
        }
        EXPECT_EQ(lines, recorder.lines);
    }

    // The text at the window's defaults: a line per heading block, two per pair, and the count.
    LineRecorder recorder;
    const RunSummary summary = ComparisonRun(leftLines, rightLines, {20, false}, recorder);
    const Result text = RunCompare({left, right});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(text.out.ends_with("\n" + std::to_string(summary.found) + " verses differ\n"));
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), 2 * summary.found + recorder.headings + 1);
}

// The page of a whole run: a heading row per heading block, a row per pair, every link landing.
TEST(CliRealEditionsTest, HtmlReport)
{
    const std::string dir = std::string(SYNOPTER_PROGRAM_DIR) + "/";
    const std::string left = "WestcottHort1881";
    const std::string right = "Byzantine2018";
    if (!fs::exists(EditionTextPath(dir, left)) || !fs::exists(EditionTextPath(dir, right)))
        GTEST_SKIP() << "no editions in " << dir;
    LineRecorder recorder;
    const RunSummary summary = ComparisonRun(LoadEditionText(EditionTextPath(dir, left)).value(),
                                             LoadEditionText(EditionTextPath(dir, right)).value(), {}, recorder);
    const Result r = RunCompare({"--format", "html", left, right});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& page = r.out;
    EXPECT_EQ(test::UnbalancedTag(page), "");
    const auto count = [&](const std::string& what) {
        size_t n = 0;
        for (size_t at = page.find(what); at != std::string::npos; at = page.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<tr class=\"ch\""), static_cast<size_t>(recorder.headings));
    EXPECT_EQ(count("<tr><td>"), static_cast<size_t>(summary.found));
    EXPECT_NE(page.find("<td>" + std::to_string(summary.found) + "</td>"), std::string::npos);
    EXPECT_NE(page.find(ReadEditionDescriptor(EditionDescriptorPath(dir, left)).information), std::string::npos);
    EXPECT_NE(page.find("ΚΑΤΑ ΙΩΑΝΝΗΝ"), std::string::npos);
    size_t links = 0;
    for (size_t at = page.find("<a href=\"#"); at != std::string::npos; at = page.find("<a href=\"#", at + 1), ++links) {
        const size_t start = at + 10;
        const std::string id = page.substr(start, page.find('"', start) - start);
        ASSERT_NE(page.find(" id=\"" + id + "\""), std::string::npos) << id;
    }
    EXPECT_EQ(links, static_cast<size_t>(recorder.headings));

    // The contents count as --format summary does, book by book.
    const Result counts = RunCompare({"--format", "summary", "--script", "greek", left, right});
    ASSERT_EQ(counts.status, 0) << counts.err;
    EXPECT_TRUE(counts.out.ends_with("], \"reported\": " + std::to_string(summary.found) + "}\n")) << counts.out;
    const std::regex book(R"re(\{"title": "([^"]*)", "reported": (\d+))re");
    size_t books = 0;
    for (auto it = std::sregex_iterator(counts.out.begin(), counts.out.end(), book); it != std::sregex_iterator();
         ++it, ++books)
        EXPECT_NE(page.find((*it)[1].str() + "</span> (" + (*it)[2].str() + ")"), std::string::npos) << (*it)[0];
    EXPECT_EQ(books, count("<span class=\"book\""));
    EXPECT_GT(books, 20u);
}

} // namespace
} // namespace synopter
