// synopter-compare end to end: edition names, and the real editions as the window runs them.

#include "compare/cli_compare_run.h"

#include "common/temp_folder.h"
#include "compare/comparison_run.h"
#include "compare/html_tags.h"
#include "editions/edition.h"

#include <gtest/gtest.h>

#include <regex>

namespace synopter {
namespace {

using namespace cli_test;

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
    // By name, by a bare file name that is no file here, and by the path of either file.
    for (const auto& [left, right] : {std::pair<std::string, std::string>{"alpha", "beta"},
                                      {"alpha.dat", "beta.bk"}, {folder_ / "alpha.bk", folder_ / "beta"}}) {
        const Result byName = RunCompare({"--format", "json", "--threshold", "1", "--exact", left, right}, exe_);
        EXPECT_EQ(byName.status, 0) << left << ": " << byName.err;
        EXPECT_EQ(byName.out, kJsonLine0 + kJsonLine2 + kJsonLine5 + kJsonLine6) << left;
    }

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
    EXPECT_NE(r.err.find("searched " + folder_.Path()), std::string::npos) << r.err; // each folder searched
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
        int relocated = 0; // the doxology of Romans: 14:24-26 in one, 16:25-27 in the other
        size_t at = 0;
        while (at < r.out.size()) {
            const size_t end = r.out.find('\n', at);
            ASSERT_NE(end, std::string::npos);
            const std::string line = r.out.substr(at, end - at);
            ASSERT_TRUE(line.starts_with("{\"line\": ")) << line;
            const bool moved = line.find(", \"relocated\": \"") != std::string::npos;
            relocated += moved;
            ASSERT_TRUE(line.ends_with(moved ? "\"}" : "]}")) << line;
            lines.push_back(std::stoi(line.substr(9)));
            at = end + 1;
        }
        EXPECT_EQ(lines, recorder.lines);
        EXPECT_EQ(relocated, 6);
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
