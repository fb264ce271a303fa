// synopter-collate run end to end, as a separate process.

#include "collate/collation.h"
#include "common/temp_folder.h"
#include "editions/book_names.h"
#include "editions/edition.h"
#include "editions/nt_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace synopter {
namespace {

using test::TempFolder;
using Args = std::vector<std::string>;

const std::string kExe = SYNOPTER_COLLATE_EXE;

struct Result {
    int status = -1; // exit status; -1 when killed by a signal
    std::string out;
    std::string err;
};

// `shell`, when given, is run by /bin/sh before the program replaces it (a limit set, say).
Result RunCollate(Args args, const std::string& shell = "")
{
    TempFolder io;
    const std::string outPath = io / "stdout";
    const std::string errPath = io / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!shell.empty())
        args.insert(args.begin(), {"-c", shell + "; exec \"$0\" \"$@\"", kExe});
    const std::string exe = shell.empty() ? kExe : "/bin/sh";
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Result r;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << kExe;
        return r;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = io.Read("stdout");
    r.err = io.Read("stderr");
    return r;
}

// Bad input ends with status 2 and one line on stderr, nothing on stdout.
TEST(CliCollateTest, BadInput)
{
    TempFolder folder;
    const std::string a = folder.Write("A.dat", "KATA 1\n 1:1 a b\n 1:2 c\n");
    const std::string b = folder.Write("B.dat", "KATA 1\n 1:1 a c\n 1:2 c\n");
    const std::string shorter = folder.Write("C.dat", "KATA 1\n 1:1 a b\n");
    const std::string shifted = folder.Write("D.dat", "KATA 1\n 1:2 c\n 1:1 a b\n");
    std::filesystem::create_symlink(a, folder / "link.dat");
    std::filesystem::create_hard_link(a, folder / "hard.txt");
    const Args cases[] = {
        {},
        {a},
        {a, shifted},
        {"-o", a, a, b},
        {"-o", folder.Path() + "/./B.dat", a, b},
        {"-o", folder / "link.dat", a, b},
        {"-o", folder / "hard.txt", a, b},
        {"--format", "pdf", a, b},
        {"--books", "John,Hezekiah", a, b},
        {"--spelling", "often", a, b},
        {"--spelling-rules", "often", a, b},
        {"--base", "Z", a, b},
        {a, shorter},
        {a, folder / "missing.dat"},
        {"--spelling-file", folder / "none.txt", "--spelling", "mark", a, b},
    };
    for (const Args& args : cases) {
        const Result r = RunCollate(args);
        SCOPED_TRACE(r.err);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.starts_with("synopter-collate: ") && r.err.ends_with("\n"));
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(folder.Read("A.dat"), "KATA 1\n 1:1 a b\n 1:2 c\n");
    EXPECT_EQ(folder.Read("B.dat"), "KATA 1\n 1:1 a c\n 1:2 c\n");

    // The same small editions collated, to stdout and to a file; --base by name or as given.
    const Result r = RunCollate({"--base", "B", a, b});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "ΚΑΤΑ 1\n1:1 χ B ] β A\n");
    const std::string file = folder / "out.json";
    const std::string json = "{\"line\":1,\"chapter\":\"KATA 1\",\"verse\":\"1:1\",\"units\":[{\"base\":\"b\","
                             "\"agree\":[\"A\"],\"readings\":[{\"text\":\"c\",\"editions\":[\"B\"],"
                             "\"kind\":\"substitution\"}]}]}\n";
    // An edition by either of its files; a bare NAME.bk that is no file here would be the catalogue's.
    ASSERT_EQ(RunCollate({"--format", "json", "-o", file, folder / "A.bk", b}).status, 0);
    EXPECT_EQ(folder.Read("out.json"), json);
    // A write that fails (here past a file size limit) leaves the old file whole.
    const Result limited = RunCollate({"--format", "html", "-o", file, a, b}, "trap '' XFSZ; ulimit -f 1");
    EXPECT_EQ(limited.status, 1);
    EXPECT_EQ(folder.Read("out.json"), json);
    // A spelling list's NUL and control bytes are shown escaped, never cut or raw.
    const std::string list = folder.Write("sp.txt", std::string("ab\0c\x1B d\n", 8));
    const Result spelling = RunCollate({"--spelling", "mark", "--spelling-file", list, a, b});
    EXPECT_EQ(spelling.status, 0);
    EXPECT_EQ(spelling.err, "synopter-collate: " + list + ":1: \"ab\\x00c\\x1b\" is not a word in lower-case "
                            "transliteration (line left out)\n");
}

// A manuscript's lost text, from its descriptor: lacunose in the units that
// fall in it, in the text, JSON and TEI, and left out of the agreement.
TEST(CliCollateTest, LacunaeFromTheDescriptor)
{
    TempFolder folder;
    const std::string a = folder.Write("A.dat", "KATA IWANNHN 1\n 1:1 en arch hn o logov\n 1:2 outov hn en arch\n"
                                                " 1:3 panta di autou\n");
    const std::string b = folder.Write("B.dat", "KATA IWANNHN 1\n 1:1 en arch hn logov\n 1:2 outov hn arch\n"
                                                " 1:3 panta dia autou\n");
    const std::string p = folder.Write("P.dat", "KATA IWANNHN 1\n 1:1\n 1:2 outov hn arch\n 1:3 panta\n");
    folder.Write("P.bk", "[English]\nSiglum=P66\n[Lacunae]\n43001001=lost\n43001003=gaps 1\n");
    const struct {
        Args args;
        std::string out;
    } cases[] = {
        {{a, b, p}, "ΚΑΤΑ ΙΩΑΝΝΗΝ 1\n1:1 ο A ] – B; P66 lac.\n1:2 εν A ] – B P66\n1:3 δι A ] δια B; P66 lac.\n"},
        {{"--format", "agreement", a, b, p},
         "\tA\tB\tP\nA\t100.0% of 3\t0.0% of 3\t0.0% of 1\nB\t0.0% of 3\t100.0% of 3\t100.0% of 1\n"
         "P\t0.0% of 1\t100.0% of 1\t100.0% of 1\n"},
        // Against P, where P lost all it read: nothing but lacunae differs.
        {{"--base", "P", a, p}, "ΚΑΤΑ ΙΩΑΝΝΗΝ 1\n1:2 P66 ] + εν A\n"},
    };
    for (const auto& c : cases) {
        const Result r = RunCollate(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
    const Result json = RunCollate({"--format", "json", "--base", "P", a, b, p});
    EXPECT_NE(json.out.find("\"verse\":\"1:1\",\"stand_in\":\"A\",\"units\":[{\"base\":\"o\",\"agree\":[\"A\"],"
                            "\"readings\":[{\"text\":\"\",\"editions\":[\"B\"],\"kind\":\"omission\"},"
                            "{\"text\":\"\",\"editions\":[\"P\"],\"kind\":\"lacuna\"}]}]}"),
              std::string::npos)
        << json.out;
    const Result tei = RunCollate({"--format", "tei", a, b, p});
    EXPECT_NE(tei.out.find("<rdg wit=\"#P\" type=\"lacuna\"><lacunaStart/><lacunaEnd/></rdg>"), std::string::npos);
}

// The five sample editions, John: a heading a chapter and a line a verse that differs, as the engine finds them.
TEST(CliCollateTest, RealEditionsJohn)
{
    const std::string dir = std::string(SYNOPTER_PROGRAM_DIR) + "/";
    const Args names{"Byzantine2018", "Scrivener1894", "Elzevir1624", "WestcottHort1881", "Antoniades1912"};
    for (const std::string& name : names)
        if (!std::filesystem::exists(EditionTextPath(dir, name)))
            GTEST_SKIP() << "no editions in " << dir;
    Args args{"--base", "Byzantine2018"};
    args.insert(args.end(), names.begin(), names.end());
    args.insert(args.end(), {"--format", "text", "--books", "John"});
    const Result r = RunCollate(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");

    std::vector<std::vector<std::string>> texts;
    std::vector<const std::vector<std::string>*> pointers;
    for (const std::string& name : names)
        texts.push_back(LoadEditionText(EditionTextPath(dir, name)).value());
    for (const auto& text : texts)
        pointers.push_back(&text);
    const int john = BookFromName("John").value();
    const int first = layout::HeadingLine(john, 1);
    const int end = layout::HeadingLine(john + 1, 1);
    size_t verses = 0;
    std::set<std::string> chapters;
    collate::CollateTexts(
        pointers, {},
        [&](const collate::VerseApparatus& verse) {
            ++verses;
            chapters.insert(verse.chapter);
            return true;
        },
        [&](int line) { return line >= first && line < end; });
    ASSERT_GT(verses, 300u);

    std::istringstream out(r.out);
    size_t headings = 0;
    size_t lines = 0;
    for (std::string line; std::getline(out, line);) {
        if (line.empty())
            continue;
        if (line.starts_with("ΚΑΤΑ ΙΩΑΝΝΗΝ "))
            ++headings;
        else if (line.find(" ] ") != std::string::npos && line.find_first_of("0123456789") == 0)
            ++lines;
        else
            ADD_FAILURE() << line;
    }
    EXPECT_TRUE(r.out.starts_with("ΚΑΤΑ ΙΩΑΝΝΗΝ 1\n1:"));
    EXPECT_EQ(headings, chapters.size());
    EXPECT_EQ(lines, verses);
}

} // namespace
} // namespace synopter
