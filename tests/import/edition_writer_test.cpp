// WriteImportedEdition on hostile folders and cut short at every step.

#include "common/file_io.h"
#include "common/killed_at_step.h"
#include "common/temp_folder.h"
#include "editions/edition.h"
#include "import/importer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace synopter {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

ImportedEdition Edition(const std::string& text, const std::string& title)
{
    ImportedEdition e;
    e.name = "Ed";
    e.title = title;
    e.text = text;
    e.descriptor = "[English]\r\nInformation=" + title + "\r\n";
    return e;
}

const ImportedEdition kOld = Edition("old text\r\n", "Old");
const ImportedEdition kNew = Edition("new text\r\n", "New");

// Entries of the folder other than the pair and the given ones.
int Others(const TempFolder& folder, std::initializer_list<std::string> allowed = {})
{
    int n = 0;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        const std::string name = entry.path().filename().string();
        if (name != "Ed.dat" && name != "Ed.bk" && std::find(allowed.begin(), allowed.end(), name) == allowed.end())
            ++n;
    }
    return n;
}

// "old", "new", "none", or "mixed" for the pair as a reader finds it: a text
// without its descriptor is no edition yet, the pair the two files together.
std::string PairOnDisk(const TempFolder& folder)
{
    if (!fs::is_regular_file(folder / "Ed.bk"))
        return "none";
    const std::string dat = folder.Read("Ed.dat");
    const std::string bk = folder.Read("Ed.bk");
    if (dat == kOld.text && bk == kOld.descriptor)
        return "old";
    if (dat == kNew.text && bk == kNew.descriptor)
        return "new";
    return "mixed";
}

// Each case sets the folder up, writes kNew, and says what must follow.
TEST(WriteImportedEdition, HostileFoldersLoseNothingAndFollowNoLink)
{
    const struct Case {
        const char* what;
        bool replace;
        std::function<void(const TempFolder&)> setUp;
        enum { Written, Refused, Failed } outcome;
        std::function<void(const TempFolder&)> check;
    } cases[] = {
        {"a folder at the .bk keeps the old text", true,
         [](const TempFolder& f) {
             f.Write("Ed.dat", kOld.text);
             fs::create_directory(f / "Ed.bk");
         },
         Case::Failed, [](const TempFolder& f) { EXPECT_EQ(f.Read("Ed.dat"), kOld.text); }},
        {"a dangling link at the .dat is an edition there", false,
         [](const TempFolder& f) { fs::create_symlink(f / "planted.dat", f / "Ed.dat"); }, Case::Refused,
         [](const TempFolder& f) { EXPECT_FALSE(fs::exists(f / "planted.dat")); }},
        {"a dangling link at the .bk is replaced, not followed", true,
         [](const TempFolder& f) { fs::create_symlink(f / "planted.bk", f / "Ed.bk"); }, Case::Written,
         [](const TempFolder& f) {
             EXPECT_FALSE(fs::exists(f / "planted.bk"));
             EXPECT_FALSE(fs::is_symlink(f / "Ed.bk"));
         }},
        {"a link to a file is replaced, its target untouched", true,
         [](const TempFolder& f) {
             f.Write("target.dat", "theirs");
             fs::create_symlink("target.dat", f / "Ed.dat");
         },
         Case::Written, [](const TempFolder& f) { EXPECT_EQ(f.Read("target.dat"), "theirs"); }},
        {"a lone text is a damaged edition", false, [](const TempFolder& f) { f.Write("Ed.dat", kOld.text); },
         Case::Refused, [](const TempFolder& f) { EXPECT_EQ(f.Read("Ed.dat"), kOld.text); }},
        {"a planted link at the lock is not followed", true,
         [](const TempFolder& f) { fs::create_symlink(f / "planted.lock", f / "Ed.lock"); }, Case::Failed,
         [](const TempFolder& f) { EXPECT_FALSE(fs::exists(f / "planted.lock")); }},
        {"leftovers of killed imports go", false,
         [](const TempFolder& f) {
             f.Write("Ed.dat.a1B2c3.tmp", "x");
             f.Write("Other.bk.Zz9yY8.tmp", "x");
             f.Write("Other.importing.q1w2e3.tmp", "x");
             f.Write("Mine.dat.tmp", "user's");
         },
         Case::Written, [](const TempFolder& f) { EXPECT_EQ(Others(f, {"Mine.dat.tmp"}), 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        c.setUp(folder);
        std::string message;
        try {
            WriteImportedEdition(folder.Path(), kNew, c.replace);
            EXPECT_EQ(c.outcome, Case::Written);
            EXPECT_EQ(PairOnDisk(folder), "new");
        } catch (const ImportError& e) {
            EXPECT_EQ(c.outcome, Case::Refused);
            message = e.what();
        } catch (const WriteError& e) {
            EXPECT_EQ(c.outcome, Case::Failed);
        }
        c.check(folder);
        EXPECT_FALSE(fs::exists(folder / "Ed.lock") && !fs::is_symlink(folder / "Ed.lock"));
        if (c.outcome != Case::Written) {
            EXPECT_NE(PairOnDisk(folder), "new");
        }
        if (std::string(c.what).find("damaged") != std::string::npos) {
            EXPECT_NE(message.find("Ed: damaged edition"), std::string::npos) << message;
        }
    }
}

TEST(WriteImportedEdition, RefusesATextTheReadersCannotTake)
{
    TempFolder folder;
    ImportedEdition huge = kNew;
    huge.text.assign(kMaxEditionTextBytes + 1, 'a');
    try {
        WriteImportedEdition(folder.Path(), huge, true);
        ADD_FAILURE() << "written";
    } catch (const ImportError& e) {
        EXPECT_NE(std::string(e.what()).find("64 MB"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

// A child replaces the old pair and is killed before each step in turn. A
// reader never finds a mix, and the next import into the folder leaves the
// old pair or the new one, whole, with nothing else beside it.
TEST(WriteImportedEdition, AKillAtAnyStepLeavesTheOldPairOrTheNewOne)
{
    int kills = 0;
    for (int step = 0;; ++step) {
        SCOPED_TRACE("killed before step " + std::to_string(step));
        TempFolder folder;
        WriteImportedEdition(folder.Path(), kOld, false);
        const bool killed = test::KilledAtStep(step, [&](const std::function<void(int)>& atStep) {
            WriteImportedEdition(folder.Path(), kNew, true, atStep);
        });
        const std::string before = PairOnDisk(folder);
        EXPECT_NE(before, "mixed");
        if (before == "none") {
            EXPECT_EQ(ListEditions(folder.Path()).size(), 0u);
        }

        ImportedEdition other = kNew;
        other.name = "Other";
        WriteImportedEdition(folder.Path(), other, false);
        const std::string after = PairOnDisk(folder);
        EXPECT_TRUE(after == "old" || after == "new") << after;
        EXPECT_EQ(Others(folder, {"Other.dat", "Other.bk"}), 0);
        if (!killed) {
            EXPECT_EQ(after, "new");
            break;
        }
        ++kills;
    }
    // Two temporaries, the journal, the old descriptor, two renames, the journal's end.
    EXPECT_EQ(kills, 7);
}

TEST(ListDamagedEditions, NamesATextWithoutItsDescriptor)
{
    TempFolder folder;
    folder.Write("Whole.dat", "x");
    folder.Write("Whole.bk", "x");
    folder.Write("Half.dat", "x");
    fs::create_symlink("elsewhere.bk", folder / "Linked.bk");
    folder.Write("Linked.dat", "x");
    const std::vector<DamagedEdition> damaged = ListDamagedEditions(folder.Path());
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged[0].name, "Half");
    EXPECT_EQ(damaged[0].problem, "damaged edition, Half.bk is missing");
}

} // namespace
} // namespace synopter
