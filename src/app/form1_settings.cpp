#include "app/form1.h"

#include "app/form1_ui.h"

#include "app/settings_placement.h"
#include "app/settings_rules.h"
#include "common/ini_file.h"
#include "common/program_files.h"
#include "common/ui/panel.h"
#include "common/ui/qt_bytes.h"
#include "language/translate.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

#include <optional>

namespace synopter {

namespace {

constexpr const char* kInit = "Init";
constexpr const char* kGeneral = "General";

// Controls kept this far in from the window's right edge.
constexpr int kRightMargin = 12;

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

} // namespace

void TForm1::ReadSettings()
{
    auto* placement = findChild<SettingsPlacement*>(QString(), Qt::FindDirectChildrenOnly);
    if (!placement)
        placement = new SettingsPlacement(this);
    const IniFile ini(SettingsPath(ProgramDir()));

    ui_->seAmountDiffer->setValue(
        std::clamp(ini.ReadInteger(kInit, "differences", ui_->seAmountDiffer->value()), kMinThreshold, kMaxThreshold));
    SelectEdition(ui_->cb1, ini.ReadString(kInit, "left", ToLatin1(ui_->cb1->currentText())));
    SelectEdition(ui_->cb2, ini.ReadString(kInit, "right", ToLatin1(ui_->cb2->currentText())));
    ui_->chbScrollBoth->setChecked(ini.ReadBool(kInit, "scrollboth", ui_->chbScrollBoth->isChecked()));

    // Without a stored place the window system chooses one, as at a first start.
    const std::optional<int> top = ReadPresentInteger(ini, "FromTop");
    const std::optional<int> left = ReadPresentInteger(ini, "FromLeft");
    if (top || left) {
        const QRect frame = frameGeometry();
        move(left.value_or(frame.left()), top.value_or(frame.top()));
    }
    if (const auto height = ReadPresentInteger(ini, "height"))
        placement->SetOuterHeight(*height);
    if (const auto width = ReadPresentInteger(ini, "width"))
        placement->SetOuterWidth(*width);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize screenSize = screen->geometry().size();
        QRect frame = frameGeometry();
        const int height = FitHeightToScreen(screenSize.height(), frame.top(), frame.height());
        if (height != frame.height())
            placement->SetOuterHeight(height);
        frame = frameGeometry();
        const int width = FitWidthToScreen(screenSize.width(), frame.left(), frame.width());
        if (width != frame.width())
            placement->SetOuterWidth(width);
    }

    if (!ini.ReadBool(kInit, "source", ui_->Sourcetexts1->isChecked()) && ui_->Sourcetexts1->isChecked())
        Sourcetexts1Click();

    // 12 pixels in from the right edge, then anchored to it. Measured inside the
    // frame: at this step the window has not been framed yet, so this is the
    // outer width as well, and once framed the controls keep clear of the frame
    // instead of reaching under it. The panels take the new width first.
    for (QLayout* l : {layout(), centralWidget()->layout()})
        if (l)
            l->activate();
    for (const auto& [panel, control] :
         {std::pair<TPanel*, QWidget*>{ui_->Panel1, ui_->cb2}, {ui_->Panel2, ui_->BitBtn1}}) {
        control->move(panel->width() - control->width() - kRightMargin, control->y());
        panel->AnchorRight(control, false, panel->width());
    }

    if (ui_->Sourcetexts1->isChecked()) {
        if (const auto height = ReadPresentInteger(ini, "splitter"))
            SetSourceAreaHeight(std::max(0, *height));
    }
}

void TForm1::FormClose()
{
    // A start-up that ended before the settings were applied leaves the file alone.
    if (!findChild<SettingsPlacement*>(QString(), Qt::FindDirectChildrenOnly))
        return;

    // Every key goes to the file at once; a failed write ends the saving there.
    IniFile ini(SettingsPath(ProgramDir()));
    ini.WriteInteger(kInit, "differences", ThresholdFromText(ToLatin1(ui_->seAmountDiffer->text())));
    ini.WriteString(kInit, "left", ToLatin1(ui_->cb1->currentText()));
    ini.WriteString(kInit, "right", ToLatin1(ui_->cb2->currentText()));
    ini.WriteBool(kInit, "scrollboth", ui_->chbScrollBoth->isChecked());
    const QRect frame = frameGeometry();
    ini.WriteInteger(kInit, "width", frame.width());
    ini.WriteInteger(kInit, "height", frame.height());
    ini.WriteInteger(kInit, "FromTop", frame.top());
    ini.WriteInteger(kInit, "FromLeft", frame.left());
    const bool sourceShown = ui_->Sourcetexts1->isChecked();
    ini.WriteBool(kInit, "source", sourceShown);
    // A hidden source area keeps the height it had when last shown.
    if (sourceShown)
        ini.WriteInteger(kInit, "splitter", SourceAreaHeight());
    // The interface language in force; empty when there is none.

    ini.WriteString(kGeneral, "Language", CurrentLanguage);
}

} // namespace synopter
