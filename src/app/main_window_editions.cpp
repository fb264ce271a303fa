// The main window's editions: the catalogue in the choosers, and the edition
// chosen on each side loaded for its source list and the run.
#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "common/file_io.h"
#include "common/ui/hints.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "compare/ui/result_pane.h"
#include "editions/edition.h"
#include "editions/edition_check.h"
#include "editions/ui/source_list.h"
#include "language/ui/translate_form.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace synopter {

bool MainWindow::FillEditionLists()
{
    const QSignalBlocker b1(ui_->leftChooser);
    const QSignalBlocker b2(ui_->rightChooser);
    ui_->leftChooser->clear();
    ui_->rightChooser->clear();
    const std::vector<std::string> names = ListEditions(folders_.EditionFolders());
    for (const std::string& name : names) {
        const QString text = FromLatin1(name);
        ui_->leftChooser->addItem(text);
        ui_->rightChooser->addItem(text);
    }
    ui_->leftChooser->setCurrentIndex(-1);
    ui_->rightChooser->setCurrentIndex(-1);
    UpdateNoEditionsNotice();
    return !names.empty();
}

void MainWindow::LeftEditionChosen()
{
    LoadSide(Side::Left);
}

void MainWindow::RightEditionChosen()
{
    LoadSide(Side::Right);
}

void MainWindow::LoadSide(Side side)
{
    const bool left = side == Side::Left;
    ResultPane* pane = left ? ui_->leftPane : ui_->rightPane;
    SourceList* list = left ? ui_->leftList : ui_->rightList;
    QComboBox* chooser = left ? ui_->leftChooser : ui_->rightChooser;

    pane->Clear();
    const std::string name = ToLatin1(chooser->currentText());
    SetEdition(side, {name});
    if (name.empty())
        return;
    const std::string folder = EditionFolder(folders_.EditionFolders(), name);
    const std::string textPath = EditionTextPath(folder, name);
    if (!FileExists(textPath))
        return;
    const EditionDescriptor descriptor = ReadEditionDescriptor(EditionDescriptorPath(folder, name));
    if (!descriptor.problem.empty())
        messages_->Show(FromLocal8Bit(descriptor.problem), MessageKind::Warning);
    if (!left) {
        // Imported editions carry UTF-8 titles; older descriptors are Latin-1.
        const QString information = FromUtf8(ToUtf8(descriptor.information));
        SetHint(ui_->rightChooser, information, HintShown::AsLastingTooltip);
        // Shown as written: markup in a descriptor is never interpreted.
        ui_->rightChooser->setToolTip(PlainToolTip(information));
    }
    if (descriptor.fontFace && !descriptor.fontFace->empty()) {
        QFont f = pane->font();
        f.setFamily(FromLatin1(*descriptor.fontFace));
        pane->setFont(f);
    }
    QFont listFont = list->font();
    listFont.setFamily(pane->font().family());
    list->setFont(listFont);

    if (auto lines = LoadEditionText(textPath))
        SetEdition(side, {name, std::make_shared<const std::vector<std::string>>(std::move(*lines))});
}

void MainWindow::SetEdition(Side side, LoadedEdition edition)
{
    LoadedEdition& loaded = editions_[side == Side::Left ? 0 : 1];
    loaded = std::move(edition);
    List(side)->SetLines(loaded.lines);
}

void MainWindow::EditionImported(const std::string& name)
{
    const QString added = FromLatin1(name);
    const QString was[] = {ui_->leftChooser->currentText(), ui_->rightChooser->currentText()};
    FillEditionLists();
    QComboBox* choosers[] = {ui_->leftChooser, ui_->rightChooser};
    for (int side = 0; side < 2; ++side) {
        QComboBox* chooser = choosers[side];
        const int kept = was[side].isEmpty() ? -1 : chooser->findText(was[side]);
        {
            const QSignalBlocker quiet(chooser);
            chooser->setCurrentIndex(kept >= 0 ? kept : chooser->findText(added));
        }
        // A side still showing its edition keeps what it has loaded, unless
        // the import has just replaced that edition.
        if (kept < 0 || was[side] == added)
            Guarded([&] { LoadSide(side == 0 ? Side::Left : Side::Right); });
    }
}

} // namespace synopter
