#include "app/main_window.h"
#include "chapters/ui/chapter_window.h"
#include "common/command_line.h"
#include "common/program_folders.h"
#include "common/ui/greek_accessibility.h"
#include "fonts/fontconfig_platform.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QProxyStyle>

#include <cstdio>
#include <string_view>

namespace {

// Hints appear after half a second and stay until the pointer leaves the control.
class HintTimingStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 500;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

constexpr std::string_view kUsage =
    "Usage: synopter [--help] [--version]\n"
    "\n"
    "Compares two editions of the Greek New Testament verse by verse, in a window.\n"
    "\n"
    "A copy whose folder holds its files and may be written (the build folder, a\n"
    "portable copy) keeps everything beside the executable. An installed copy reads\n"
    "its files from PREFIX/share/synopter, keeps its settings (kelvane.ini) in\n"
    "$XDG_CONFIG_HOME/synopter (~/.config/synopter) and the results and imported\n"
    "editions in $XDG_DATA_HOME/synopter (~/.local/share/synopter).\n"
    "\n"
    "  --help          this text\n"
    "  --version       the program's version\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, -reverse, ...) are taken too;\n"
    "any other argument is an error.\n";

constexpr const char* kAppId = "io.github.synopter.Synopter";

// The theme's icon when the desktop has it installed, else the program's own
// files: beside a portable copy's files, or in the icon theme of the
// installation's prefix. Bitmaps, as Qt may have no SVG icon engine.
QIcon ProgramIcon(const std::string& filesDir)
{
    if (QIcon::hasThemeIcon(kAppId))
        return QIcon::fromTheme(kAppId);
    QIcon icon;
    for (const char* theme : {"icons/hicolor/", "../icons/hicolor/"}) {
        for (const char* size : {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
            const QString file = QString::fromLocal8Bit(filesDir + theme + size + "/apps/" + kAppId + ".png");
            if (QFile::exists(file))
                icon.addFile(file);
        }
        if (!icon.isNull())
            break;
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before a window system is needed.
    if (auto answered = synopter::AnswerHelpOrVersion("synopter", kUsage, argc, argv))
        return *answered;

    const synopter::ProgramFolders folders = synopter::ThisProgramFolders();
    synopter::MakeUserFolders(folders);

    // Registered before the application object exists, so that Qt's font list
    // has them; removed after the windows and the application are gone.
    synopter::ScopedPrivateFonts privateFonts(folders.files + "Fonts/");

    QApplication app(argc, argv);
    // Qt has taken its own options out of argv; what is left was mistyped, and
    // opening the window as if it had not been given would hide that.
    if (argc > 1) {
        std::fprintf(stderr, "synopter: unknown option or argument \"%s\"\nTry 'synopter --help'.\n", argv[1]);
        return synopter::kBadInput;
    }
    // The title of the application; not a display name, which the window
    // system would append to every window caption.
    QApplication::setApplicationName("Synopter");
    QApplication::setApplicationVersion(synopter::ProgramVersion());
    // Ties the windows to the desktop file, for the task bar's icon and name.
    QGuiApplication::setDesktopFileName(kAppId);
    QApplication::setWindowIcon(ProgramIcon(folders.files));
    QApplication::setStyle(new HintTimingStyle);
    // Before any window: screen readers are given the edition text as Greek.
    synopter::InstallGreekAccessibility();

    int status = 0;
    {
        synopter::MainWindow mainWindow(folders);
        synopter::ChapterWindow* chapterWindow = nullptr;
        synopter::ChapterWindow chapters(&mainWindow, folders.user, mainWindow.Language(), mainWindow.Messages(),
                                         [&mainWindow](const std::string& label) { mainWindow.GoToChapter(label); });
        chapterWindow = &chapters;
        mainWindow.SetChapterWindow(chapterWindow);
        if (mainWindow.Start()) {
            chapterWindow->Start();
            mainWindow.show();
            status = QApplication::exec();
        }
    }
    return status;
}
