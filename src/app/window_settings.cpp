#include "app/window_settings.h"

#include "app/settings_placement.h"
#include "app/settings_rules.h"
#include "common/ini_file.h"
#include "common/program_files.h"
#include "common/ui/qt_bytes.h"
#include "compare/comparison_run.h"
#include "compare/spelling_groups.h"
#include "language/interface_language.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <climits>
#include <optional>

namespace synopter {

namespace {

constexpr int kLeastChaptersWidth = 80;
constexpr int kMostChaptersWidth = 2000;

constexpr const char* kInit = "Init";
constexpr const char* kGeneral = "General";

// A key that holds a valid integer; nullopt when missing or not a number.
std::optional<int> ReadPresentInteger(const IniFile& ini, const char* key)
{
    const auto value = ini.Find(kInit, key);
    return value ? IniFile::ParseInteger(*value) : std::nullopt;
}

// Selects the first item equal to `name` ignoring letter case, or none. Quietly:
// the window loads the chosen editions itself right after the settings.
void SelectEdition(QComboBox* chooser, const std::string& name)
{
    const QString wanted = FromLatin1(name).toUpper();
    int found = -1;
    for (int i = 0; i < chooser->count(); ++i) {
        if (chooser->itemText(i).toUpper() == wanted) {
            found = i;
            break;
        }
    }
    const QSignalBlocker quiet(chooser);
    chooser->setCurrentIndex(found);
}

// The spelling rule group an item of View ▸ Spelling rules stands for.
std::optional<SpellingGroup> GroupOf(const QAction& item)
{
    const std::string name = ToLatin1(item.data().toString());
    for (const SpellingGroupInfo& info : SpellingGroupList())
        if (info.name == name)
            return info.group;
    return std::nullopt;
}

} // namespace

WindowSettings::WindowSettings(QMainWindow& window, Controls controls, SourceArea sourceArea, std::string programDir,
                               const InterfaceLanguage& language)
    : window_(window), controls_(controls), sourceArea_(std::move(sourceArea)), programDir_(std::move(programDir)),
      language_(language)
{
}

void WindowSettings::Read()
{
    if (!placement_)
        placement_ = new SettingsPlacement(&window_);
    const Controls& c = controls_;
    const IniFile ini(SettingsPath(programDir_));
    readProblem_ = ini.ReadProblem();

    c.threshold->setValue(
        std::clamp(ini.ReadInteger(kInit, "differences", c.threshold->value()), kMinThreshold, kMaxThreshold));
    SelectEdition(c.leftChooser, ini.ReadString(kInit, "left", ToLatin1(c.leftChooser->currentText())));
    SelectEdition(c.rightChooser, ini.ReadString(kInit, "right", ToLatin1(c.rightChooser->currentText())));
    c.scrollBoth->setChecked(ini.ReadBool(kInit, "scrollboth", c.scrollBoth->isChecked()));
    if (c.spelling)
        c.spelling->setCurrentIndex(std::clamp(ini.ReadInteger(kInit, "spelling", c.spelling->currentIndex()), 0,
                                               c.spelling->count() - 1));
    // Names this version does not know are passed over.
    const SpellingGroups groups =
        ParseSpellingGroups(ini.ReadString(kInit, "spellingrules", SpellingGroups::Default().Names())).groups;
    for (QAction* item : c.spellingRules)
        if (const std::optional<SpellingGroup> group = GroupOf(*item))
            item->setChecked(groups.Has(*group));
    if (c.alignedMarking)
        c.alignedMarking->setChecked(ini.ReadBool(kInit, "alignedmarking", c.alignedMarking->isChecked()));

    // Without a stored place the window system chooses one, as at a first start.
    const std::optional<int> top = ReadPresentInteger(ini, "FromTop");
    const std::optional<int> left = ReadPresentInteger(ini, "FromLeft");
    if (top || left) {
        const QRect frame = window_.frameGeometry();
        window_.move(left ? ClampStoredPosition(*left) : frame.left(), top ? ClampStoredPosition(*top) : frame.top());
    }
    if (const auto height = ReadPresentInteger(ini, "height"))
        placement_->SetOuterHeight(ClampStoredExtent(*height));
    if (const auto width = ReadPresentInteger(ini, "width"))
        placement_->SetOuterWidth(ClampStoredExtent(*width));
    // A first start: a window that uses the screen rather than the smallest the
    // controls allow; the window system still places it.
    if (!top && !left && !ReadPresentInteger(ini, "width") && !ReadPresentInteger(ini, "height"))
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect room = screen->availableGeometry();
            const QSize size = QSize(room.width() * 4 / 5, room.height() * 4 / 5).expandedTo(window_.minimumSize());
            window_.resize(size);
        }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize screenSize = screen->geometry().size();
        QRect frame = window_.frameGeometry();
        const int height = FitHeightToScreen(screenSize.height(), frame.top(), frame.height());
        if (height != frame.height())
            placement_->SetOuterHeight(height);
        frame = window_.frameGeometry();
        const int width = FitWidthToScreen(screenSize.width(), frame.left(), frame.width());
        if (width != frame.width())
            placement_->SetOuterWidth(width);
    }

    // A place read for another screen (smaller, or scaled) is brought onto this one.
    if (top || left) {
        const QRect frame = window_.frameGeometry();
        const QScreen* screen = QGuiApplication::screenAt(frame.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect room = screen->availableGeometry();
            const QPoint place(BringOntoScreen(frame.left(), frame.width(), room.left(), room.width(), false),
                               BringOntoScreen(frame.top(), frame.height(), room.top(), room.height(), true));
            if (place != frame.topLeft())
                window_.move(place);
        }
    }

    // The frame above is the one the window is restored to.
    if (ini.ReadBool(kInit, "maximized", false))
        window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
    topUnit_ = size_t(std::max(0, ReadPresentInteger(ini, "topunit").value_or(0)));
    foundCount_ = FromLatin1(ini.ReadString(kInit, "found", "")).trimmed();

    if (!ini.ReadBool(kInit, "source", c.sourceTexts->isChecked()) && c.sourceTexts->isChecked())
        sourceArea_.toggle();

    // The chapter window as wide as the user left it (at least as wide as its labels need).
    if (QWidget* chapters = c.chapterWindow ? c.chapterWindow() : nullptr)
        if (const auto width = ReadPresentInteger(ini, "ChaptersWidth"))
            chapters->resize(std::clamp(*width, kLeastChaptersWidth, kMostChaptersWidth), chapters->height());

    const std::optional<int> splitter = ReadPresentInteger(ini, "splitter");
    // A value out of range is mended in the file even while the area stays hidden.
    mendedSplitter_.reset();
    if (splitter && ClampStoredExtent(*splitter) != *splitter)
        mendedSplitter_ = ClampStoredExtent(*splitter);
    if (c.sourceTexts->isChecked()) {
        // A stored height that would squeeze the panes is not applied.
        if (splitter && sourceArea_.fits(ClampStoredExtent(*splitter)))
            sourceArea_.setHeight(ClampStoredExtent(*splitter));
    }
}

void WindowSettings::Write()
{
    // A start-up that ended before the settings were applied leaves the file alone.
    if (!placement_)
        return;

    // The keys are set one by one in memory and the file is replaced once: a
    // kill or a full disk leaves the old file or the new one, never a mix.
    const Controls& c = controls_;
    IniFile ini(SettingsPath(programDir_));
    ini.HoldWrites();
    ini.WriteInteger(kInit, "differences", ThresholdFromText(ToLatin1(c.threshold->text())));
    ini.WriteString(kInit, "left", ToLatin1(c.leftChooser->currentText()));
    ini.WriteString(kInit, "right", ToLatin1(c.rightChooser->currentText()));
    ini.WriteBool(kInit, "scrollboth", c.scrollBoth->isChecked());
    // Written once it differs from counting them, so files of users who never
    // change it stay as they were.
    if (c.spelling && (c.spelling->currentIndex() != 0 || ini.Find(kInit, "spelling")))
        ini.WriteInteger(kInit, "spelling", c.spelling->currentIndex());
    SpellingGroups chosen;
    for (const QAction* item : c.spellingRules)
        if (const std::optional<SpellingGroup> group = GroupOf(*item); group && item->isChecked())
            chosen.Add(*group);
    if (!c.spellingRules.empty() && (chosen != SpellingGroups::Default() || ini.Find(kInit, "spellingrules")))
        ini.WriteString(kInit, "spellingrules", chosen.Names());
    if (c.alignedMarking && (c.alignedMarking->isChecked() || ini.Find(kInit, "alignedmarking")))
        ini.WriteBool(kInit, "alignedmarking", c.alignedMarking->isChecked());
    // A maximized window keeps the frame it is restored to, and says it is maximized.
    QRect frame = window_.frameGeometry();
    const bool maximized = window_.isMaximized();
    if (maximized && window_.normalGeometry().isValid()) {
        const QRect inner = window_.geometry();
        const QRect normal = window_.normalGeometry();
        frame = normal.adjusted(frame.left() - inner.left(), frame.top() - inner.top(),
                                frame.right() - inner.right(), frame.bottom() - inner.bottom());
    }
    ini.WriteInteger(kInit, "width", frame.width());
    ini.WriteInteger(kInit, "height", frame.height());
    ini.WriteInteger(kInit, "FromTop", frame.top());
    ini.WriteInteger(kInit, "FromLeft", frame.left());
    // These three are written once they say something, as "spelling" is.
    if (maximized || ini.Find(kInit, "maximized"))
        ini.WriteBool(kInit, "maximized", maximized);
    const size_t top = c.topUnit ? c.topUnit() : 0;
    if (top > 0 || ini.Find(kInit, "topunit"))
        ini.WriteInteger(kInit, "topunit", int(std::min<size_t>(top, INT_MAX)));
    const std::string found = c.foundCount ? ToLatin1(c.foundCount->text().trimmed()) : std::string();
    if (!found.empty() || ini.Find(kInit, "found"))
        ini.WriteString(kInit, "found", found);
    const bool sourceShown = c.sourceTexts->isChecked();
    ini.WriteBool(kInit, "source", sourceShown);
    // A hidden source area keeps the height it had when last shown.
    if (sourceShown)
        ini.WriteInteger(kInit, "splitter", sourceArea_.height());
    else if (mendedSplitter_)
        ini.WriteInteger(kInit, "splitter", *mendedSplitter_);
    if (QWidget* chapters = c.chapterWindow ? c.chapterWindow() : nullptr)
        ini.WriteInteger(kInit, "ChaptersWidth", chapters->width());
    // The interface language in force; empty when there is none.
    ini.WriteString(kGeneral, "Language", language_.Name());
    ini.CommitWrites();
}

} // namespace synopter
