// synopter-compare run end to end: its formats, options and refusals.

#include "compare/cli_compare_run.h"

#include "common/temp_folder.h"

#include <gtest/gtest.h>

namespace synopter {
namespace {

using namespace cli_test;

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

// NO_COLOR and --color: colour on a terminal unless asked otherwise; braces mark
// the differences wherever there is no colour.
TEST_F(CliTest, ColourChoices)
{
    const struct {
        std::vector<std::string> options;
        const char* noColour; // null: unset
        bool terminal;
        bool colour;
    } cases[] = {
        {{}, "1", true, false},
        {{}, "", true, true}, // an empty NO_COLOR is no request
        {{"--color=always"}, "1", true, true},
        {{"--color"}, nullptr, false, true},
        {{"--color=never"}, nullptr, true, false},
        {{"--colour=auto"}, nullptr, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.options.empty() ? "" : c.options[0]) << " " << (c.noColour ? c.noColour : "-"));
        if (c.noColour)
            ::setenv("NO_COLOR", c.noColour, 1);
        else
            ::unsetenv("NO_COLOR");
        Args args = c.options;
        for (const std::string& a : {std::string("--threshold=1"), left_, right_})
            args.push_back(a);
        const std::string shown = c.terminal ? RunOnTerminal(args) : RunCompare(args).out;
        EXPECT_EQ(shown.find("\x1b[34m") != std::string::npos, c.colour) << shown;
        EXPECT_EQ(shown.find('{') != std::string::npos, !c.colour) << shown;
    }
    ::unsetenv("NO_COLOR");
    EXPECT_EQ(RunCompare({"--color=blue", left_, right_}).status, 2);
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
    const std::string list = folder_.Write("spelling.txt", std::string("kai ouk # not really\nKAI\nab\0c\x1B[1m d\n", 36));
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
        {{"--spelling", "ignore", "--spelling-rules", "-final-sigma"},
         "KATA 1\n  sl: 1:1 {outw} eipe {kai}\n  sr: 1:1 {outwv} eipen {ouk}\n1 verses differ\n"},
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
        // Control bytes are shown escaped, the NUL above all, which would cut the line short.
        EXPECT_EQ(r.err, listed ? "synopter-compare: " + list + ":2: \"KAI\" is not a word in lower-case "
                                  "transliteration (line left out)\n"
                                  "synopter-compare: " + list + ":3: \"ab\\x00c\\x1b[1m\" is not a word in lower-case "
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

// --aligned: only the added word marked, the moved one apart, in every format.
TEST_F(CliTest, Aligned)
{
    const std::string left = folder_.Write("al.dat", "KATA 1\r\n 1:1 a b c d e f\r\n");
    const std::string right = folder_.Write("ar.dat", "KATA 1\r\n 1:1 x a c b d e f\r\n");
    struct Case {
        Args args;
        std::string out;
    };
    const Case cases[] = {
        {{}, "KATA 1\n  al: 1:1 a b <c> d e f\n  ar: 1:1 {x} a <c> b d e f\n1 verses differ\n"},
        {{"--format", "json"},
         R"({"line": 1, "chapter": "KATA 1", "right": " 1:1 x a c b d e f", "left": " 1:1 a b c d e f", )"
         R"("right_unmatched": 1, "left_unmatched": 0, "right_diff": [[5, 1]], "left_diff": [], )"
         R"("right_moved": [[9, 1]], "left_moved": [[9, 1]]})" "\n"},
        {{"--format", "summary"},
         "{\"books\": [\n{\"title\": \"KATA\", \"reported\": 1, \"chapters\": [{\"heading\": \"KATA 1\", "
         "\"reported\": 1}]}\n], \"reported\": 1, \"marking\": \"aligned\"}\n"},
    };
    for (const Case& c : cases) {
        Args args = c.args;
        args.insert(args.end(), {"--aligned", "--threshold=1", left, right});
        const Result r = RunCompare(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
    // Without it the comparison's own marking, nothing moved.
    EXPECT_EQ(RunCompare({"--threshold=1", "--exact", left, right}).out,
              "KATA 1\n  al: 1:1 a {b} c d e f\n  ar: 1:1 {x} a c {b} d e f\n1 verses differ\n");
    const Result html = RunCompare({"--format", "html", "--aligned", "--threshold", "1", left, right});
    EXPECT_NE(html.out.find("<tr><th>Word marking</th><td>aligned (words an alignment leaves unpaired; moved words "
                            "in purple)</td></tr>"),
              std::string::npos);
    EXPECT_NE(html.out.find("<span class=\"m\">"), std::string::npos);
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
    folder_.Write("shifted.dat", " 0:1 p r\r\nKATA 1\r\n 1:2 same\r\nKATA 2\r\n 2:1 x zzz\r\n"); // 1:1 left out
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
        BadCase{"spelling_rules_unknown", {"--spelling-rules", "itacism,sloppy", "LEFT", "RIGHT"},
                "unknown spelling rule group \"sloppy\" (use default, all, none or movable-nu"},
        BadCase{"spelling_file_missing", {"--spelling-file", "DIR/none.txt", "LEFT", "RIGHT"}, "none.txt\""},
        BadCase{"exact_with_value", {"--exact=yes", "LEFT", "RIGHT"}, "option --exact takes no value"},
        BadCase{"missing_file", {"LEFT", "DIR/absent.dat"}, "absent.dat\": No such file or directory"},
        BadCase{"missing_folder", {"DIR/none/x.dat", "RIGHT"}, "none/x.dat\": No such file or directory"},
        BadCase{"folder_instead_of_file", {"DIR/folder.dat", "RIGHT"}, "folder.dat\". It is a folder"},
        BadCase{"fifo", {"LEFT", "DIR/fifo.dat"}, "fifo.dat\". It is a FIFO, not a regular file."},
        BadCase{"device", {"/dev/zero", "RIGHT"}, "\"/dev/zero\". It is a device, not a regular file."},
        BadCase{"symlink_loop", {"DIR/loop.dat", "RIGHT"}, "loop.dat\". Too many levels of symbolic links"},
        BadCase{"oversize", {"LEFT", "DIR/huge.dat"}, "huge.dat\". It is larger than 64 MB"},
        BadCase{"unknown_edition", {"NoSuchEdition", "RIGHT"}, "unknown edition \"NoSuchEdition\""},
        BadCase{"layout_not_shared", {"LEFT", "DIR/shifted.dat"}, "line 3 is another verse in \xE2\x80\x9Cleft"}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST_F(CliTest, ThresholdLimitsAccepted)
{
    for (const char* t : {"1", "1000"}) {
        const Result r = RunCompare({"--threshold", t, left_, right_});
        EXPECT_EQ(r.status, 0) << t << ": " << r.err;
    }
}

} // namespace
} // namespace synopter
