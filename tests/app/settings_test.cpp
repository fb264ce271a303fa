// The settings read at start-up and written at close, through the window.


#include "app/settings_test_support.h"
#include "compare/ui/pane_pair.h"

#include <QLabel>

namespace synopter {
namespace {

using namespace settings_test;

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
        const QWidget* rightChooser = form.Chooser(Side::Right);
        const QWidget* button = form.ChapterButton();
        return std::pair(form.width() - rightChooser->mapTo(&form, QPoint(rightChooser->width(), 0)).x(),
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

} // namespace
} // namespace synopter

namespace synopter {
namespace {

using namespace settings_test;

TEST(SettingsFileTest, SpellingRuleGroupsRoundTrip)
{
    ProgramDir dir;
    dir.WriteSettings("[Init]\r\nspellingrules=itacism,names,unknown-to-this-version\r\n");
    MainWindow form(dir.Path(), &dir.messages);
    Start(form);
    const auto item = [&](const char* name) { return form.findChild<QAction*>(name); };
    ASSERT_TRUE(item("Itacism1") && item("Names1") && item("Movablenu1") && item("Consonants1"));
    EXPECT_TRUE(item("Itacism1")->isChecked());
    EXPECT_TRUE(item("Names1")->isChecked());
    EXPECT_FALSE(item("Movablenu1")->isChecked());
    item("Consonants1")->trigger();
    EXPECT_EQ(CloseAndCatchError(form, dir.messages), "");
    EXPECT_NE(dir.Settings().find("spellingrules=names,itacism,consonants\r\n"), std::string::npos) << dir.Settings();
}

} // namespace
} // namespace synopter

namespace synopter {
namespace {

using namespace settings_test;

// The results come back as they were left: where they were read, the window
// maximized, the found figure, and the choices that made them (not those set
// for the next run since).
TEST(SettingsFileTest, RestoredResultsComeBackAsLeftWithTheChoicesThatMadeThem)
{
    ProgramDir dir;
    std::vector<std::string> left{"KATA MARKON 1"}, right{"KATA MARKON 1"};
    for (int verse = 1; verse <= 80; ++verse) {
        left.push_back(" 1:" + std::to_string(verse) + " alpha beta");
        right.push_back(" 1:" + std::to_string(verse) + " alpha gamma");
    }
    dir.WriteEdition("left", left);
    dir.WriteEdition("right", right);
    QComboBox* spelling = nullptr;
    size_t top = 0;
    QSize normal;
    {
        MainWindow form(dir.Path(), &dir.messages);
        Start(form);
        normal = form.frameGeometry().size();
        form.Chooser(Side::Left)->setCurrentIndex(form.Chooser(Side::Left)->findText("left"));
        form.Chooser(Side::Right)->setCurrentIndex(form.Chooser(Side::Right)->findText("right"));
        form.ThresholdBox()->setValue(1);
        form.ExactPositionsBox()->setChecked(true);
        spelling = form.findChild<QComboBox*>(main_window_names::spellingChooser);
        ASSERT_NE(spelling, nullptr);
        spelling->setCurrentIndex(2);
        form.Compare();
        ASSERT_EQ(form.FoundCountLabel()->text(), "80");
        form.showMaximized();
        QTest::qWait(300);
        form.Panes().GoToUnit(40);
        top = form.Panes().TopUnit();
        ASSERT_EQ(top, 40u);
        form.ThresholdBox()->setValue(9);
        form.ExactPositionsBox()->setChecked(false);
        spelling->setCurrentIndex(0);
        form.Chooser(Side::Right)->setCurrentIndex(form.Chooser(Side::Right)->findText("left"));
        EXPECT_EQ(CloseAndCatchError(form, dir.messages), "");
    }
    const std::string written = dir.Settings();
    for (const char* line : {"maximized=1\r\n", "topunit=40\r\n", "found=80\r\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line << written;

    MainWindow next(dir.Path(), &dir.messages);
    Start(next);
    QTest::qWait(300);
    EXPECT_TRUE(next.isMaximized());
    EXPECT_EQ(next.Panes().TopUnit(), top);
    EXPECT_EQ(next.FoundCountLabel()->text(), "80");
    EXPECT_EQ(next.ThresholdBox()->value(), 1);
    EXPECT_TRUE(next.ExactPositionsBox()->isChecked());
    EXPECT_EQ(next.findChild<QComboBox*>(main_window_names::spellingChooser)->currentIndex(), 2);
    EXPECT_EQ(next.Chooser(Side::Right)->currentText(), "right");
    EXPECT_EQ(next.Edition(Side::Right).name, "right");
    // Back to normal, the window has the frame it had before it was maximized.
    next.showNormal();
    QTest::qWait(100);
    EXPECT_EQ(next.frameGeometry().size(), normal);
}

} // namespace
} // namespace synopter
