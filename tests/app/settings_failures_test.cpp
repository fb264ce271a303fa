// Settings files that cannot be read or written, or hold values out of range.

#include "app/settings_test_support.h"

namespace synopter {
namespace {

using namespace settings_test;

// ---- Failed writes ---------------------------------------------------------

TEST(SettingsFileTest, UnwritableFileIsReportedAndTheWindowStillCloses)
{
    ProgramDir dir;
    // A folder in place of the file: it is named at start-up, reads as empty
    // and cannot be replaced.
    ASSERT_TRUE(QDir(QString::fromStdString(dir.Path())).mkdir("kelvane.ini"));
    MainWindow form(dir.Path(), &dir.messages);
    Start(form);
    ASSERT_EQ(dir.messages.shown.size(), 1);
    EXPECT_TRUE(dir.messages.shown[0].contains("kelvane.ini"));
    EXPECT_EQ(CloseAndCatchError(form, dir.messages), "Unable to write to " + dir.Path() + "kelvane.ini\n" + std::strerror(EISDIR));
    EXPECT_FALSE(form.isVisible());
}

// The keys go to the file in one replacement: room for some of them writes none.
TEST(SettingsFileTest, AFailedWriteAtCloseLeavesTheFileAsItWas)
{
    ProgramDir dir;
    const std::string before = "[Init]\r\n[Notes]\r\nn=" + std::string(500, 'x') + "\r\n";
    dir.WriteSettings(before);
    MainWindow form(dir.Path(), &dir.messages);
    Start(form);
    // Room for "differences" and "left", not for "right".
    const std::string firstTwo = "differences=20\r\nleft=\r\n";
    std::string message;
    {
        FileSizeLimit limit(before.size() + firstTwo.size() + 3);
        message = CloseAndCatchError(form, dir.messages);
    }
    EXPECT_EQ(message, "Unable to write to " + dir.Path() + "kelvane.ini\n" + std::strerror(EFBIG));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(dir.Settings(), before);
}

// Values no window can take are brought into range before use, and the file
// is mended at close; the work area and the navigator stay usable.
TEST(SettingsFileTest, OutOfRangeValuesAreClampedAndWrittenBackInRange)
{
    const struct {
        const char* name;
        std::string settings;
    } cases[] = {
        {"largest splitter", "[Init]\r\nsplitter=2147483647\r\n"},
        {"least splitter", "[Init]\r\nsplitter=-2147483648\r\n"},
        {"hidden source area, largest splitter", "[Init]\r\nsource=0\r\nsplitter=2147483647\r\n"},
        {"far to the left", "[Init]\r\nFromLeft=-2147483548\r\n"},
        {"far to the right and down", "[Init]\r\nFromTop=2147483647\r\nFromLeft=2147483647\r\n"},
        {"far up", "[Init]\r\nFromTop=-2147483648\r\n"},
        {"largest size", "[Init]\r\nwidth=2147483647\r\nheight=2147483647\r\n"},
        {"negative size", "[Init]\r\nwidth=-5\r\nheight=-2147483648\r\n"},
        {"largest threshold", "[Init]\r\ndifferences=2147483647\r\n"},
        {"widest chapter window", "[Init]\r\nChaptersWidth=2147483647\r\n"},
        {"chapter window as the user left it", "[Init]\r\nChaptersWidth=260\r\n"},
    };
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramDir dir;
        dir.WriteSettings(c.settings);
        MainWindow form(dir.Path(), &dir.messages);
        ChapterWindow chapters(&form, dir.Path(), form.Language(), dir.messages, nullptr);
        form.SetChapterWindow(&chapters);
        Start(form);
        EXPECT_GT(form.Pane(Side::Left)->height(), 0);
        form.ShowChapterWindow();
        EXPECT_GE(chapters.x(), 0);
        EXPECT_LE(chapters.x(), screenWidth);
        if (c.settings.find("ChaptersWidth=260") != std::string::npos) {
            EXPECT_EQ(chapters.width(), 260);
        }
        chapters.hide();
        EXPECT_EQ(CloseAndCatchError(form, dir.messages), "");

        const IniFile ini(dir.Path() + "kelvane.ini");
        for (const char* key : {"FromTop", "FromLeft"}) {
            const int value = ini.ReadInteger("Init", key, INT_MIN);
            EXPECT_TRUE(value >= -kMaxStoredPosition && value <= kMaxStoredPosition) << key << "=" << value;
        }
        for (const char* key : {"width", "height", "splitter"}) {
            const int value = ini.ReadInteger("Init", key, 0);
            EXPECT_TRUE(value >= 0 && value <= kMaxStoredExtent) << key << "=" << value;
        }
        const int chaptersWidth = ini.ReadInteger("Init", "ChaptersWidth", 0);
        EXPECT_TRUE(chaptersWidth >= 80 && chaptersWidth <= 2000) << chaptersWidth;
        const int threshold = ini.ReadInteger("Init", "differences", 0);
        EXPECT_TRUE(threshold >= kMinThreshold && threshold <= kMaxThreshold) << threshold;
    }
}

// A descriptor or language file too large to read is named; the window
// starts without what it holds.
TEST(SettingsFileTest, FilesTooLargeToReadAreNamed)
{
    const std::string huge(kMaxSettingsFileBytes + 1, ';');
    for (const char* name : {"alpha.bk", "Big.lng"}) {
        SCOPED_TRACE(name);
        ProgramDir dir;
        dir.Write(name, huge);
        dir.WriteSettings("[Init]\r\nleft=alpha\r\n[General]\r\nLanguage=Big\r\n");
        MainWindow form(dir.Path(), &dir.messages);
        Start(form);
        const QStringList& shown = dir.messages.shown;
        EXPECT_EQ(shown.filter(QString(name)).size(), 1) << shown.join(" | ").toStdString();
    }
}

// A settings file that cannot be read (here a FIFO, which would block a plain
// read) is named with the reason; the window starts with its defaults and the
// close replaces the file with a readable one.
TEST(SettingsFileTest, AnUnreadableFileIsReportedAndReplacedAtClose)
{
    ProgramDir dir;
    ASSERT_EQ(::mkfifo((dir.Path() + "kelvane.ini").c_str(), 0600), 0);
    MainWindow form(dir.Path(), &dir.messages);
    Start(form);
    ASSERT_EQ(dir.messages.shown.size(), 1);
    EXPECT_TRUE(dir.messages.shown[0].contains("kelvane.ini"));
    EXPECT_EQ(form.ThresholdBox()->value(), kDefaultThreshold);
    EXPECT_EQ(CloseAndCatchError(form, dir.messages), "");
    EXPECT_EQ(IniFile(dir.Path() + "kelvane.ini").ReadInteger("Init", "differences", 0), kDefaultThreshold);
}

} // namespace
} // namespace synopter
