#include "common/error.h"
#include "common/file_io.h"
#include "common/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace synopter {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using namespace std::string_literals;

TEST(ListEntriesWithSuffixTest, MatchesSuffixIgnoringCaseAndSortsIgnoringCase)
{
    TempFolder folder;
    for (const char* name : {"beta.bk", "ALPHA.BK", "gamma.Bk", "delta.dat", "eta.bk.txt", ".hidden.bk",
                             "Zeta.bk", "a.bk", "A.bk", "bk", ".bk"})
        folder.Write(name, "");
    fs::create_directory(folder / "folder.bk");
    fs::create_directory(folder / "other");

    const std::vector<std::string> expected{".bk", ".hidden.bk", "A.bk", "a.bk", "ALPHA.BK",
                                            "beta.bk", "folder.bk", "gamma.Bk", "Zeta.bk"};
    EXPECT_EQ(ListEntriesWithSuffix(folder.Path(), ".bk"), expected);
    EXPECT_EQ(ListEntriesWithSuffix(folder.Path(), ".DAT"), std::vector<std::string>{"delta.dat"});
    EXPECT_TRUE(ListEntriesWithSuffix(folder.Path(), ".lng").empty());
}

TEST(ListEntriesWithSuffixTest, MissingFolderOrFileGivesNothing)
{
    TempFolder folder;
    EXPECT_TRUE(ListEntriesWithSuffix(folder / "absent/", ".bk").empty());
    folder.Write("file.bk", "");
    EXPECT_TRUE(ListEntriesWithSuffix(folder / "file.bk", ".bk").empty());
}

// ReadFileBytes and MapFileBytes make the same promises: each test holds both to them.
struct Reader {
    const char* name;
    std::optional<std::string> (*read)(const std::string&, size_t);
    std::optional<std::string> operator()(const std::string& path, size_t limit) const { return read(path, limit); }
};
void PrintTo(const Reader& reader, std::ostream* os) { *os << reader.name; }

std::optional<std::string> MappedCopy(const std::string& path, size_t limit)
{
    const std::optional<FileBytes> file = MapFileBytes(path, limit);
    return file ? std::optional<std::string>(file->Bytes()) : std::nullopt;
}

class ReadWholeFileTest : public ::testing::TestWithParam<Reader> {};

TEST_P(ReadWholeFileTest, ReadsEveryByte)
{
    const Reader readWhole = GetParam();
    TempFolder folder;
    const std::string binary = "a\0b\r\n\xff\x80\x1a"s;
    EXPECT_EQ(readWhole(folder.Write("bin", binary), 8), binary);
    EXPECT_EQ(readWhole(folder.Write("empty", ""), 0), "");

    std::string big;
    for (int i = 0; i < 300000; ++i)
        big += static_cast<char>(i * 31 % 251);
    EXPECT_EQ(readWhole(folder.Write("big", big), big.size()), big);
}

TEST_P(ReadWholeFileTest, FileWithoutKnownSizeIsReadToTheEnd)
{
    const Reader readWhole = GetParam();
    // Files under /proc report size 0 but have content.
    const auto status = readWhole("/proc/self/status", kMaxSettingsFileBytes);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(status->find("Name:"), std::string::npos);
    EXPECT_NE(status->find("VmSize:"), std::string::npos);
}

TEST_P(ReadWholeFileTest, MissingFileIsNoError)
{
    const Reader readWhole = GetParam();
    TempFolder folder;
    EXPECT_EQ(readWhole(folder / "absent.dat", 1), std::nullopt);
    EXPECT_EQ(readWhole(folder / "absent/x.dat", 1), std::nullopt);
}

TEST_P(ReadWholeFileTest, UnreadableEntryThrowsNamingThePath)
{
    const Reader readWhole = GetParam();
    TempFolder folder;
    fs::create_directory(folder / "dir.dat");
    try {
        readWhole(folder / "dir.dat", 1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(folder / "dir.dat"), std::string::npos) << e.what();
    }
}

// Whatever stands where a file is expected, reading never blocks, never runs
// out of memory and says what is wrong with the path.
TEST_P(ReadWholeFileTest, RefusesWhatIsNotABoundedRegularFile)
{
    const Reader readWhole = GetParam();
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo.dat").c_str(), 0600), 0);
    fs::create_directory(folder / "dir.dat");
    fs::create_symlink(folder / "loop.dat", folder / "loop.dat");
    fs::create_symlink("/dev/zero", folder / "zero.dat");
    folder.Write("eleven", "eleven byte");
    // Sparse: a gigabyte that takes no room.
    fs::resize_file(folder.Write("huge.ini", ""), std::uintmax_t{1} << 30);
    const struct Case {
        std::string path;
        size_t limit;
        std::string reason;
    } cases[] = {
        {folder / "fifo.dat", 100, "It is a FIFO, not a regular file."},
        {folder / "zero.dat", 100, "It is a device, not a regular file."},
        {"/dev/null", 100, "It is a device, not a regular file."},
        {folder / "dir.dat", 100, "It is a folder, not a regular file."},
        {folder / "loop.dat", 100, "Too many levels of symbolic links"},
        {folder / "eleven", 10, "It is larger than 10 bytes"},
        {folder / "huge.ini", kMaxSettingsFileBytes, "It is larger than 1 MB"},
        // Size 0 on disk, more when read: the limit holds for what arrives.
        {"/proc/self/status", 16, "It is larger than 16 bytes"},
    };
    for (const Case& c : cases) {
        try {
            readWhole(c.path, c.limit);
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const Error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("\"" + c.path + "\""), std::string::npos) << message;
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        }
    }
    EXPECT_EQ(readWhole(folder / "eleven", 11), "eleven byte");
    // A loop exists as far as the callers ask: it is unreadable, not absent.
    EXPECT_TRUE(FileExists(folder / "loop.dat"));
}

INSTANTIATE_TEST_SUITE_P(Readers, ReadWholeFileTest,
                         ::testing::Values(Reader{"ReadFileBytes", &ReadFileBytes}, Reader{"MapFileBytes", &MappedCopy}),
                         [](const ::testing::TestParamInfo<Reader>& info) { return std::string(info.param.name); });

// The bytes stay where they are when the object moves (views into them stay
// valid), and a file replaced by renaming leaves a mapping of the old one whole.
TEST(MapFileBytesTest, BytesOutliveMovesAndReplacement)
{
    TempFolder folder;
    const std::string path = folder.Write("text.dat", " 1:1 a b\r\n 1:2 c\r\n");
    std::optional<FileBytes> file = MapFileBytes(path, 100);
    ASSERT_TRUE(file.has_value());
    const std::string_view before = file->Bytes();
    FileBytes moved = std::move(*file);
    EXPECT_EQ(moved.Bytes().data(), before.data());
    EXPECT_TRUE(file->Bytes().empty());
    WriteFileAtomically(path, "other");
    EXPECT_EQ(moved.Bytes(), " 1:1 a b\r\n 1:2 c\r\n");
    EXPECT_EQ(MapFileBytes(path, 100)->Bytes(), "other");
}

TEST(FileExistsTest, FilesAndFolders)
{
    TempFolder folder;
    EXPECT_TRUE(FileExists(folder.Write("x", "1")));
    EXPECT_TRUE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder / "y"));
}

TEST(WriteFileAtomicallyTest, CreatesAndReplaces)
{
    TempFolder folder;
    const std::string path = folder / "r1.rtf";
    WriteFileAtomically(path, "first\r\n\0\xff"s);
    EXPECT_EQ(folder.Read("r1.rtf"), "first\r\n\0\xff"s);
    WriteFileAtomically(path, "2");
    EXPECT_EQ(folder.Read("r1.rtf"), "2");
    WriteFileAtomically(path, "");
    EXPECT_EQ(folder.Read("r1.rtf"), "");
    // Nothing but the file itself remains.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(WriteFileAtomicallyTest, KeepsThePermissionsOfTheReplacedFile)
{
    TempFolder folder;
    const std::string path = folder.Write("kelvane.ini", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    WriteFileAtomically(path, "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(WriteFileAtomicallyTest, FailureThrowsWriteErrorWithFullPath)
{
    TempFolder folder;
    folder.Write("plain", "x");
    for (const std::string& path : {folder / "absent/r1.rtf", folder / "plain/r1.rtf"}) {
        try {
            WriteFileAtomically(path, "bytes");
            ADD_FAILURE() << "no error for " << path;
        } catch (const WriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
            EXPECT_EQ(e.path(), path);
            EXPECT_FALSE(e.reason().empty());
        }
    }
}

TEST(WriteFileAtomicallyTest, FailedWriteKeepsTheOldFile)
{
    TempFolder folder;
    const std::string path = folder.Write("chapters.lst", "KATA 1\r\n");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 4; // writing more fails with EFBIG, also for root
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_THROW(WriteFileAtomically(path, "a longer content"), WriteError);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(folder.Read("chapters.lst"), "KATA 1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

// Only the program's own leftovers go: "<name>.XXXXXX.tmp" files of that name.
TEST(RemoveStrayTemporariesTest, RemovesOnlyLeftoversOfThatFile)
{
    TempFolder folder;
    for (const char* name : {"kelvane.ini.a1B2c3.tmp", "kelvane.ini.backup", "kelvane.ini.a1-2c3.tmp", "r2.rtf.a1B2c3.tmp"})
        folder.Write(name, "x");
    RemoveStrayTemporaries(folder / "kelvane.ini");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"kelvane.ini.a1-2c3.tmp", "kelvane.ini.backup", "r2.rtf.a1B2c3.tmp"}));
}

TEST(ProgramDirectoryTest, IsTheFolderOfTheRunningProgram)
{
    const std::string dir = ProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(fs::equivalent(dir, fs::canonical("/proc/self/exe").parent_path()));
}

} // namespace
} // namespace synopter
