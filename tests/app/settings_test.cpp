#include "app/main_window.h"
#include "app/main_window_names.h"
#include "chapters/ui/chapter_window.h"
#include "common/file_io.h"
#include "common/ini_file.h"
#include "compare/comparison_run.h"
#include "compare/ui/result_pane.h"
#include "common/file_size_limit.h"
#include "language/translate.h"
#include "common/ui/panel.h"
#include "common/ui/recording_messages.h"
#include "app/settings_rules.h"
#include "editions/ui/source_list.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
QT_END_NAMESPACE

namespace synopter {
namespace {

using test::FileSizeLimit;

// ---- Helpers ---------------------------------------------------------------

// A program directory with a few small editions, and what the windows opened
// on it have said.
class ProgramDir {
public:
    ProgramDir()
    {
        WriteEdition("alpha", {"Matt 1", " verse a1", " verse a2"});
        WriteEdition("beta", {"Matt 1", " verse b1"});
    }

    std::string Path() const { return dir_.path().toStdString() + "/"; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path() + name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(Path() + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteEdition(const std::string& name, const std::vector<std::string>& lines) const
    {
        Write(name + ".bk", "[English]\r\nInformation=" + name + "\r\n");
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        Write(name + ".dat", text);
    }
    void WriteSettings(const std::string& text) const { Write("kelvane.ini", text); }
    std::string Settings() const { return Read("kelvane.ini"); }
    bool HasSettings() const { return QFileInfo::exists(QString::fromStdString(Path() + "kelvane.ini")); }

    test::RecordingMessages messages;

private:
    QTemporaryDir dir_;
};

// Runs Start and shows the window, as the program entry does.
void Start(MainWindow& form)
{
    ASSERT_TRUE(form.Start());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
}

// Closes the window; returns the error it reported, if any.
std::string CloseAndCatchError(MainWindow& form, test::RecordingMessages& messages)
{
    const size_t before = messages.kinds.size();
    form.close();
    for (size_t i = before; i < messages.kinds.size(); ++i)
        EXPECT_EQ(messages.kinds[i], MessageKind::Error) << messages.shown[qsizetype(i)].toStdString();
    return messages.kinds.size() > before ? messages.shown.back().toStdString() : std::string();
}

std::string Line(const std::string& key, long long value)
{
    return key + "=" + std::to_string(value) + "\r\n";
}

// ---- Screen fit ------------------------------------------------------------

struct FitCase {
    const char* name;
    int screen;
    int start;
    int extent;
    int expected;
};

TEST(SettingsRulesTest, HeightFitsTheScreenOnlyWithMoreThan400PixelsOfRoom)
{
    const FitCase cases[] = {
        {"shortened_to_the_bottom_edge", 768, 300, 600, 468},
        {"room_368_keeps_the_height", 768, 400, 600, 600},
        {"room_exactly_400_keeps_it", 768, 368, 600, 600},
        {"room_401_shortens", 768, 367, 600, 401},
        {"inside_the_screen", 768, 100, 600, 600},
        {"ending_at_the_edge", 768, 168, 600, 600},
        {"above_the_screen_top", 768, -100, 900, 868},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(FitHeightToScreen(c.screen, c.start, c.extent), c.expected) << c.name;
}

TEST(SettingsRulesTest, WidthFitsTheScreenOnlyWithMoreThan650PixelsOfRoom)
{
    const FitCase cases[] = {
        {"narrowed_to_the_right_edge", 1024, 300, 800, 724},
        {"room_624_keeps_the_width", 1024, 400, 800, 800},
        {"room_exactly_650_keeps_it", 1024, 374, 800, 800},
        {"room_651_narrows", 1024, 373, 800, 651},
        {"inside_the_screen", 1024, 0, 800, 800},
        {"no_overflow_at_the_int_limits", 1024, 2147483000, 2147483000, 2147483000},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(FitWidthToScreen(c.screen, c.start, c.extent), c.expected) << c.name;
}

TEST(SettingsRulesTest, AWindowMostlyOffTheScreenIsBroughtOntoIt)
{
    const struct {
        const char* name;
        int position, extent, screenStart, screenExtent;
        bool titleEdge;
        int expected;
    } cases[] = {
        {"inside", 100, 600, 0, 1024, false, 100},
        {"a third past the edge stays", 624, 600, 0, 1024, false, 624},
        {"mostly past the far edge", 900, 600, 0, 1024, false, 424},
        {"mostly before the start", -400, 600, 0, 1024, false, 0},
        {"title bar above the screen", -10, 600, 0, 768, true, 0},
        {"larger than the screen", 3000, 2000, 0, 1024, false, 0},
        {"second screen", 2800, 600, 1920, 1024, false, 2344},
        {"stored extremes", -16000, 16000, 0, 800, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BringOntoScreen(c.position, c.extent, c.screenStart, c.screenExtent, c.titleEdge), c.expected)
            << c.name;
}

TEST(SettingsRulesTest, ThresholdTextAsWrittenAtClose)
{
    const std::pair<const char*, int> cases[] = {
        {"20", 20}, {" 35 ", 35}, {"5000", 5000}, {"0", 0}, {"-4", -4}, {"$10", 16},
        {"", 1}, {"abc", 1}, {"12a", 1}, {"99999999999", 1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ThresholdFromText(text), expected) << '"' << text << '"';
}

// ---- Reading and writing through the window --------------------------------

TEST(SettingsFileTest, FirstStartUsesDesignValuesAndCloseWritesEveryKey)
{
    ProgramDir dir;
    MainWindow form(dir.Path(), &dir.messages);
    Start(form);
    EXPECT_EQ(form.ThresholdBox()->value(), 20);
    EXPECT_EQ(form.Chooser(Side::Left)->currentIndex(), -1);
    EXPECT_EQ(form.Chooser(Side::Right)->currentIndex(), -1);
    EXPECT_FALSE(form.ScrollBothBox()->isChecked());
    EXPECT_TRUE(form.SourceTextsAction()->isChecked());

    const QRect frame = form.frameGeometry();
    const std::string expected = "[Init]\r\ndifferences=20\r\nleft=\r\nright=\r\nscrollboth=0\r\n" +
                                 Line("width", frame.width()) + Line("height", frame.height()) +
                                 Line("FromTop", frame.top()) + Line("FromLeft", frame.left()) + "source=1\r\n" +
                                 Line("splitter", form.SourceAreaHeight()) + "[General]\r\nLanguage=\r\n";
    EXPECT_EQ(CloseAndCatchError(form, dir.messages), "");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(dir.Settings(), expected);
}

TEST(SettingsFileTest, RoundTripRestoresEveryKeyAndKeepsForeignLines)
{
    ProgramDir dir;
    dir.WriteSettings("; kept as it is\r\n"
                      "[Init]\r\n"
                      "differences=37\r\n"
                      "extra=kept\r\n"
                      "left=BETA\r\n"
                      "right=Alpha\r\n"
                      "scrollboth=1\r\n"
                      "FromTop=40\r\n"
                      "FromLeft=50\r\n"
                      "height=450\r\n"
                      "width=700\r\n"
                      "source=1\r\n"
                      "splitter=150\r\n"
                      "\r\n"
                      "[Other]\r\n"
                      "left=not ours\r\n"
                      "[General]\r\n"
                      "Language=Deutsch\r\n"
                      "Font=kept\r\n");
    MainWindow form(dir.Path(), &dir.messages);
    QSignalSpy leftChanges(form.Chooser(Side::Left), &QComboBox::currentIndexChanged);
    QSignalSpy rightChanges(form.Chooser(Side::Right), &QComboBox::currentIndexChanged);
    Start(form);

    EXPECT_EQ(form.ThresholdBox()->value(), 37);
    EXPECT_EQ(form.Chooser(Side::Left)->currentText(), "beta");
    EXPECT_EQ(form.Chooser(Side::Right)->currentText(), "alpha");
    // Selected quietly: the window loads both sides itself, once.
    EXPECT_EQ(leftChanges.count(), 0);
    EXPECT_EQ(rightChanges.count(), 0);
    EXPECT_EQ(form.List(Side::Left)->Count(), 2);
    EXPECT_EQ(form.List(Side::Right)->Count(), 3);
    EXPECT_TRUE(form.ScrollBothBox()->isChecked());
    EXPECT_EQ(form.frameGeometry(), QRect(50, 40, 700, 450));
    EXPECT_TRUE(form.SourceTextsAction()->isChecked());
    EXPECT_EQ(form.SourceAreaHeight(), 150);

    // Closing writes back what the window shows; the language is the one in force.
    form.Language().Set("Fran\xe7" "ais");
    form.ThresholdBox()->setValue(42);
    form.ScrollBothBox()->setChecked(false);
    form.SetSourceAreaHeight(120);
    const QRect frame = form.frameGeometry();
    EXPECT_EQ(CloseAndCatchError(form, dir.messages), "");
    EXPECT_EQ(dir.Settings(), "; kept as it is\r\n"
                              "[Init]\r\n"
                              "differences=42\r\n"
                              "extra=kept\r\n"
                              "left=beta\r\n"
                              "right=alpha\r\n"
                              "scrollboth=0\r\n" +
                                  Line("FromTop", frame.top()) + Line("FromLeft", frame.left()) +
                                  Line("height", frame.height()) + Line("width", frame.width()) +
                                  "source=1\r\n"
                                  "splitter=120\r\n"
                                  "\r\n"
                                  "[Other]\r\n"
                                  "left=not ours\r\n"
                                  "[General]\r\n"
                                  "Language=Fran\xe7"
                                  "ais\r\n"
                                  "Font=kept\r\n");

    // The next run opens the window as it was closed, frame and all, and leaves
    // the file as it found it.
    const std::string written = dir.Settings();
    MainWindow next(dir.Path(), &dir.messages);
    Start(next);
    EXPECT_EQ(next.frameGeometry(), frame);
    EXPECT_EQ(next.SourceAreaHeight(), 120);
    next.Language().Set("Fran\xe7" "ais");
    EXPECT_EQ(CloseAndCatchError(next, dir.messages), "");
    EXPECT_EQ(dir.Settings(), written);
}

struct ReadCase {
    const char* name;
    std::string init;    // lines of [Init]
    int differences;     // threshold after start-up
    bool scrollBoth;
    bool sourceShown;
    const char* left;    // text of cb1
};

TEST(SettingsFileTest, InvalidOrMissingValuesFallBackKeyByKey)
{
    const ReadCase cases[] = {
        {"empty_file", "", 20, false, true, ""},
        {"above_range_limited", "differences=5000\r\n", 1000, false, true, ""},
        {"zero_limited", "differences=0\r\n", 1, false, true, ""},
        {"negative_limited", "differences=-7\r\n", 1, false, true, ""},
        {"hex_threshold", "differences=$30\r\n", 48, false, true, ""},
        {"not_a_number", "differences=many\r\nscrollboth=1\r\n", 20, true, true, ""},
        {"empty_number", "differences=\r\n", 20, false, true, ""},
        {"boolean_any_non_zero", "scrollboth=2\r\n", 20, true, true, ""},
        {"boolean_not_a_number", "scrollboth=yes\r\nsource=no\r\n", 20, false, true, ""},
        {"source_hidden", "source=0\r\n", 20, false, false, ""},
        {"unknown_edition", "left=gamma\r\n", 20, false, true, ""},
        {"quoted_edition", "left=\"alpha\"\r\n", 20, false, true, "alpha"},
        {"keys_in_other_case", "LEFT=Alpha\r\nDifferences=9\r\n", 9, false, true, "alpha"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramDir dir;
        dir.WriteSettings("[Init]\r\n" + c.init);
        MainWindow form(dir.Path());
        Start(form);
        EXPECT_EQ(form.ThresholdBox()->value(), c.differences);
        EXPECT_EQ(form.ScrollBothBox()->isChecked(), c.scrollBoth);
        EXPECT_EQ(form.SourceTextsAction()->isChecked(), c.sourceShown);
        EXPECT_EQ(form.findChild<Panel*>(main_window_names::sourceArea)->isVisibleTo(&form), c.sourceShown);
        EXPECT_EQ(form.Chooser(Side::Left)->currentText().toStdString(), c.left);
        EXPECT_EQ(form.List(Side::Left)->Count(), std::string(c.left).empty() ? 0 : 3);
        EXPECT_EQ(form.Chooser(Side::Right)->currentIndex(), -1);
    }
}

TEST(SettingsFileTest, StoredSplitterThatWouldSqueezeThePanesIsNotApplied)
{
    const auto open = [](const std::string& splitter, int& sourceHeight, int& panesHeight, int& panesMinimum) {
        ProgramDir dir;
        dir.WriteSettings("[Init]\r\nwidth=700\r\nheight=450\r\nsource=1\r\n" + splitter);
        MainWindow form(dir.Path());
        Start(form);
        sourceHeight = form.SourceAreaHeight();
        const QWidget* panes = form.findChild<Panel*>(main_window_names::paneArea);
        panesHeight = panes->height();
        panesMinimum = panes->minimumHeight();
    };
    int designHeight = 0, panesHeight = 0, panesMinimum = 0;
    open("", designHeight, panesHeight, panesMinimum);
    ASSERT_GT(panesMinimum, 0);
    struct Case {
        const char* splitter;
        int expected; // 0: the design height
    };
    for (const Case c : {Case{"splitter=150\r\n", 150}, Case{"splitter=380\r\n", 0},
                         Case{"splitter=5000\r\n", 0}}) {
        SCOPED_TRACE(c.splitter);
        int source = 0;
        open(c.splitter, source, panesHeight, panesMinimum);
        EXPECT_EQ(source, c.expected ? c.expected : designHeight);
        EXPECT_GE(panesHeight, panesMinimum);
    }
}

TEST(SettingsFileTest, EditionNamesDifferingInCaseSelectTheFirstInListOrder)
{
    ProgramDir dir;
    dir.WriteEdition("Alpha", {"Matt 1"});
    dir.WriteSettings("[Init]\r\nleft=ALPHA\r\nright=alpha\r\n");
    MainWindow form(dir.Path());
    Start(form);
    int first = -1;
    for (int i = 0; i < form.Chooser(Side::Left)->count() && first < 0; ++i)
        if (form.Chooser(Side::Left)->itemText(i).toUpper() == "ALPHA")
            first = i;
    ASSERT_GE(first, 0);
    EXPECT_EQ(form.Chooser(Side::Left)->currentIndex(), first);
    EXPECT_EQ(form.Chooser(Side::Right)->currentIndex(), first);
}

TEST(SettingsFileTest, RestoredWindowIsFittedToThePrimaryScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    ASSERT_GE(screen.height(), 500);
    ASSERT_GE(screen.width(), 760);
    struct Case {
        const char* name;
        QRect stored;   // left, top, width, height
        QSize expected; // width, height
    };
    const int w = screen.width();
    const int h = screen.height();
    const Case cases[] = {
        {"room_for_both", QRect(w - 700, h - 450, 900, 700), QSize(700, 450)},
        {"too_little_room_below", QRect(0, h - 390, 700, 600), QSize(700, 600)},
        {"too_little_room_right", QRect(w - 640, 0, 900, 420), QSize(900, 420)},
        {"fits_already", QRect(10, 20, 700, 420), QSize(700, 420)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramDir dir;
        dir.WriteSettings("[Init]\r\n" + Line("FromLeft", c.stored.left()) + Line("FromTop", c.stored.top()) +
                          Line("width", c.stored.width()) + Line("height", c.stored.height()));
        MainWindow form(dir.Path());
        Start(form);
        // Top and left are used as read.
        EXPECT_EQ(form.frameGeometry().topLeft(), c.stored.topLeft());
        EXPECT_EQ(form.frameGeometry().size(), c.expected);
    }
}

TEST(SettingsFileTest, RightHandControlsKeepClearOfTheEdgeOfAStoredWidth)
{
    ProgramDir dir;
    dir.WriteSettings("[Init]\r\nwidth=720\r\nheight=450\r\n");
    MainWindow form(dir.Path());
    Start(form);
    // In from the window's edge, which a frame may overlap, by one margin for both bars.
    const auto gaps = [&] {
        const QWidget* cb2 = form.Chooser(Side::Right);
        const QWidget* button = form.ChapterButton();
        return std::pair(form.width() - cb2->mapTo(&form, QPoint(cb2->width(), 0)).x(),
                         form.width() - button->mapTo(&form, QPoint(button->width(), 0)).x());
    };
    const auto [chooserGap, buttonGap] = gaps();
    EXPECT_GT(chooserGap, 0);
    EXPECT_EQ(chooserGap, buttonGap);
    for (const int width : {form.width() + 40, form.width() - 30}) {
        form.resize(width, form.height());
        QApplication::processEvents();
        ASSERT_EQ(form.width(), width);
        EXPECT_EQ(gaps(), std::pair(chooserGap, buttonGap)) << width;
    }
}

TEST(SettingsFileTest, HiddenSourceAreaKeepsTheOlderSplitterValue)
{
    ProgramDir dir;
    dir.WriteSettings("[Init]\r\nsource=0\r\nsplitter=77\r\n");
    {
        MainWindow form(dir.Path(), &dir.messages);
        Start(form);
        EXPECT_FALSE(form.SourceTextsAction()->isChecked());
        EXPECT_FALSE(form.findChild<Panel*>(main_window_names::sourceArea)->isVisible());
        const QRect frame = form.frameGeometry();
        CloseAndCatchError(form, dir.messages);
        // "source" is replaced in place, the new keys follow, the old splitter value stays.
        EXPECT_EQ(dir.Settings(), "[Init]\r\nsource=0\r\nsplitter=77\r\n"
                                  "differences=20\r\nleft=\r\nright=\r\nscrollboth=0\r\n" +
                                      Line("width", frame.width()) + Line("height", frame.height()) +
                                      Line("FromTop", frame.top()) + Line("FromLeft", frame.left()) +
                                      "[General]\r\nLanguage=\r\n");
    }
    {
        // Shown again during the next run, the area's height is written at close.
        MainWindow form(dir.Path(), &dir.messages);
        Start(form);
        EXPECT_FALSE(form.SourceTextsAction()->isChecked());
        form.ToggleSourceTexts();
        QApplication::processEvents();
        ASSERT_TRUE(form.findChild<Panel*>(main_window_names::sourceArea)->isVisible());
        const int height = form.SourceAreaHeight();
        CloseAndCatchError(form, dir.messages);
        const std::string text = dir.Settings();
        EXPECT_NE(text.find("source=1\r\nsplitter=" + std::to_string(height) + "\r\n"), std::string::npos) << text;
    }
}

TEST(SettingsFileTest, NothingIsWrittenWhenStartUpNeverReachedTheSettings)
{
    ProgramDir dir;
    MainWindow form(dir.Path(), &dir.messages);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(CloseAndCatchError(form, dir.messages), "");
    EXPECT_FALSE(dir.HasSettings());
}

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
