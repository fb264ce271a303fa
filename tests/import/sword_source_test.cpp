#include "import/sword_source.h"

#include "common/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace synopter {
namespace {

constexpr const char* kOsis2mod = "/usr/bin/osis2mod";

// A section title before John 3:16, a footnote and a cross-reference inside it,
// Strong's numbers and morphology on John 3:17, which the module links to 3:18,
// a book introduction before Revelation, and Rev 12:18, a verse NRSV has and
// KJV lacks.
constexpr const char* kOsis = R"(<?xml version="1.0" encoding="UTF-8"?>
<osis xmlns="http://www.bibletechnologies.net/2003/OSIS/namespace">
<osisText osisIDWork="TestGNT" osisRefWork="Bible" xml:lang="grc">
<header><work osisWork="TestGNT"><title>Test</title></work></header>
<div type="book" osisID="John"><chapter osisID="John.3">
<title type="section">Νικόδημος</title>
<verse osisID="John.3.16">Οὕτως γὰρ ἠγάπησεν ὁ θεὸς τὸν κόσμον<note type="study">a footnote</note>, ὥστε<note type="crossReference"><reference osisRef="Rom.5.8">Rom 5:8</reference></note> τὸν υἱὸν</verse>
<verse osisID="John.3.17 John.3.18"><w lemma="strong:G3756" morph="robinson:PRT-N">οὐ</w> γὰρ ἀπέστειλεν</verse>
</chapter></div>
<div type="book" osisID="Rev"><div type="introduction"><p>Εἰσαγωγή</p></div>
<chapter osisID="Rev.12"><verse osisID="Rev.12.18">καὶ ἐστάθη ἐπὶ τὴν ἄμμον.</verse></chapter></div>
</osisText>
</osis>
)";

constexpr const char* kConf = R"([TestGNT]
DataPath=./modules/texts/ztext/testgnt/
ModDrv=zText
CompressType=ZIP
BlockType=BOOK
Versification=NRSV
Encoding=UTF-8
SourceType=OSIS
Lang=grc
Description=Test Greek New Testament
)";

// Each test gets a module folder holding TestGNT, made by osis2mod.
class SwordSource : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(kOsis2mod))
            GTEST_SKIP() << "osis2mod is not available";
        const std::string data = folder_ + "/modules/texts/ztext/testgnt";
        std::filesystem::create_directories(data);
        std::filesystem::create_directories(folder_ + "/mods.d");
        temp_.Write("library/mods.d/testgnt.conf", kConf);
        const std::string osis = temp_.Write("testgnt.osis.xml", kOsis);
        const std::string command =
            std::string(kOsis2mod) + " '" + data + "' '" + osis + "' -z z -v NRSV >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    test::TempFolder temp_;
    const std::string folder_ = temp_ / "library";
};

struct Recorder : VerseSink {
    std::vector<std::pair<VerseRef, std::string>> verses;
    int skipped = 0;
    std::string title;
    void Verse(const VerseRef& ref, std::string_view text) override { verses.emplace_back(ref, text); }
    void SkippedLine() override { ++skipped; }
    void Title(std::string_view text) override { title = text; }
};

// Sets an environment variable for the scope, restoring what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(SwordSource, ReadsTheNewTestamentOfAModuleFolderAsPlainText)
{
    EXPECT_TRUE(IsSwordModuleFolder(folder_));
    EXPECT_FALSE(IsSwordModuleFolder(temp_.Path()));

    const std::vector<std::pair<VerseRef, std::string>> expected = {
        {{3, 3, 16}, "Οὕτως γὰρ ἠγάπησεν ὁ θεὸς τὸν κόσμον, ὥστε τὸν υἱὸν"},
        {{3, 3, 17}, "οὐ γὰρ ἀπέστειλεν"},
        {{26, 12, 18}, "καὶ ἐστάθη ἐπὶ τὴν ἄμμον."},
    };
    // An exact name, another letter case, and none: the folder's only Bible.
    for (const std::string name : {"TestGNT", "testgnt", ""}) {
        SCOPED_TRACE(name);
        Recorder sink;
        std::vector<double> fractions;
        const auto progress = [&](double f) { fractions.push_back(f); return true; };
        EXPECT_EQ(ReadSwordModule(name, folder_, sink, progress), "TestGNT");
        EXPECT_EQ(sink.verses, expected);
        EXPECT_EQ(sink.skipped, 1); // the introduction to Revelation
        EXPECT_EQ(sink.title, "Test Greek New Testament");
        ASSERT_FALSE(fractions.empty());
        EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
        EXPECT_EQ(fractions.back(), 1.0);
    }
}

TEST_F(SwordSource, RefusesWhatItCannotRead)
{
    const std::string empty = temp_ / "empty";
    std::filesystem::create_directories(empty);

    struct Case {
        std::string name, folder;
        std::function<bool(double)> progress;
        std::string messagePart;
    };
    const std::vector<Case> cases = {
        {"Nestle", folder_, {}, "\u201cNestle\u201d"},
        {"Nestle", folder_, {}, folder_},
        {"TestGNT", empty, {}, empty},
        {"", empty, {}, "No SWORD Bible module"},
        {"TestGNT", folder_, [](double) { return false; }, "Import cancelled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " in " + c.folder);
        Recorder sink;
        try {
            ReadSwordModule(c.name, c.folder, sink, c.progress);
            ADD_FAILURE() << "no ImportError";
        } catch (const ImportError& e) {
            EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos) << e.what();
        }
    }
}

// Little-endian numbers written over a module file at `at`, or the file cut to `at` bytes.
void Patch(const std::string& path, size_t at, std::vector<uint32_t> values)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (values.empty())
        bytes.resize(at);
    for (const uint32_t value : values)
        for (int k = 0; k < 4; ++k)
            bytes[at++] = char((value >> (8 * k)) & 0xFF);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A damaged index ends the import at once with one message naming the entry,
// rather than SWORD reading 4 GB for every verse. Each read runs in a child
// process so that a hang fails the test instead of stalling it.
TEST_F(SwordSource, ADamagedIndexEndsTheImportAtOnce)
{
    const std::string data = folder_ + "/modules/texts/ztext/testgnt/";
    struct Case {
        const char* what;
        std::string file;
        size_t at;
        std::vector<uint32_t> values; // none: cut the file there
        std::string messagePart;
    };
    const Case cases[] = {
        {"a block claims 4 GB", "nt.bzs", 16, {0xFFFFFFF0}, "block 2 of nt.bzs claims 4294967280 bytes"},
        {"a block unpacks to 4 GB", "nt.bzs", 20, {0xFFFFFFF0}, "block 2 of nt.bzs claims to unpack"},
        {"the text cut short", "nt.bzz", 2000, {}, "block 2 of nt.bzs claims"},
        {"the block index cut short", "nt.bzs", 12, {}, "of nt.bzv names block 2 of 1"},
        {"a verse past its block", "nt.bzv", 14, {60000}, "entry 2 of nt.bzv claims"},
    };
    const std::string pristine = temp_ / "pristine";
    std::filesystem::copy(data, pristine);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(data);
        std::filesystem::copy(pristine, data);
        Patch(data + c.file, c.at, c.values);
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::string message = "no ImportError";
            try {
                Recorder sink;
                ReadSwordModule("TestGNT", folder_, sink);
            } catch (const ImportError& e) {
                message = e.what();
            }
            (void)!::write(pipe[1], message.data(), message.size());
            ::_exit(0);
        }
        ::close(pipe[1]);
        std::string message;
        char buffer[512];
        pollfd ready{pipe[0], POLLIN, 0};
        while (::poll(&ready, 1, 10000) > 0) {
            const ssize_t n = ::read(pipe[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            message.append(buffer, size_t(n));
        }
        ::close(pipe[0]);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        EXPECT_TRUE(message.starts_with("The SWORD module \u201cTestGNT\u201d is damaged: ")) << message;
        EXPECT_NE(message.find(c.messagePart), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }
}

TEST_F(SwordSource, ListsTheLibraryThatSwordPathNames)
{
    std::filesystem::create_directories(temp_ / "home");
    const ScopedEnv home("HOME", temp_ / "home");
    const ScopedEnv path("SWORD_PATH", folder_);

    const std::vector<SwordModuleInfo> modules = ListSwordModules();
    EXPECT_TRUE(std::is_sorted(modules.begin(), modules.end(),
                               [](const auto& a, const auto& b) { return a.name < b.name; }));
    const auto it = std::find_if(modules.begin(), modules.end(), [](const auto& m) { return m.name == "TestGNT"; });
    ASSERT_NE(it, modules.end());
    EXPECT_EQ(it->language, "grc");
    EXPECT_EQ(it->description, "Test Greek New Testament");

    Recorder sink;
    EXPECT_EQ(ReadSwordModule("TestGNT", "", sink), "TestGNT");
    EXPECT_EQ(sink.verses.size(), 3u);
}

} // namespace
} // namespace synopter
