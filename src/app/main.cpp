#include "app/form1.h"
#include "chapters/ui/form2.h"
#include "common/file_io.h"
#include "fonts/fontconfig_platform.h"

#include <QApplication>
#include <QProxyStyle>

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

} // namespace

int main(int argc, char* argv[])
{
    const std::string programDir = synopter::ProgramDirectory();

    // Registered before the application object exists, so that Qt's font list
    // has them; removed after the windows and the application are gone.
    synopter::ScopedPrivateFonts privateFonts(programDir + "Fonts/");

    QApplication app(argc, argv);
    // The title of the application; not a display name, which the window
    // system would append to every window caption.
    QApplication::setApplicationName("Synopter");
    QApplication::setStyle(new HintTimingStyle);

    int status = 0;
    {
        synopter::TForm1 form1(programDir);
        synopter::TForm2* form2 = nullptr;
        synopter::TForm2 chapters(&form1, programDir, form1.Language(),
                                  [&form1](const std::string& label) { form1.GoToChapter(label); });
        form2 = &chapters;
        form1.SetChapterWindow(form2);
        if (form1.FormCreate()) {
            form2->FormCreate();
            form1.show();
            status = QApplication::exec();
        }
    }
    return status;
}
