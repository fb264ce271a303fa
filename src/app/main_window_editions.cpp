// The main window's editions: the catalogue in the choosers, the edition
// chosen on each side loaded for its source list and the run, the checks of
// the choice before a run, and removing an edition.
#include "app/main_window.h"

#include "app/main_window_names.h"
#include "app/main_window_ui.h"
#include "app/window_run.h"
#include "collate/ui/apparatus_window.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/ui/hints.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/trailing_note_delegate.h"
#include "common/ui/user_messages.h"
#include "compare/ui/result_pane.h"
#include "editions/edition.h"
#include "editions/edition_check.h"
#include "editions/ui/source_list.h"
#include "editions/ui/witness_marks.h"
#include "language/ui/translate_form.h"
#include "statistics/ui/statistics_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSignalBlocker>

#include <algorithm>

namespace synopter {
namespace {

// How both choosers word a manuscript's extent (keys cb1_verses, ...).
WitnessWords ChooserWords(const InterfaceLanguage& language)
{
    WitnessWords words;
    words.Read(ReadWindowTexts(language, main_window_names::window), main_window_names::leftChooser);
    return words;
}

// Imported editions carry UTF-8 titles; older descriptors are Latin-1.
QString Information(const EditionDescriptor& descriptor)
{
    return FromUtf8(ToUtf8(descriptor.information));
}

} // namespace

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
    MarkWitnesses();
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
    LoadedEdition named;
    named.name = name;
    SetEdition(side, named);
    if (name.empty())
        return;
    const std::string folder = EditionFolder(folders_.EditionFolders(), name);
    const std::string textPath = EditionTextPath(folder, name);
    if (!FileExists(textPath))
        return;
    const EditionDescriptor descriptor = ReadEditionDescriptor(EditionDescriptorPath(folder, name));
    if (!descriptor.problem.empty())
        messages_->Show(FromLocal8Bit(descriptor.problem), MessageKind::Warning);
    if (!left)
        HintRightEdition(descriptor, folder, name);
    if (descriptor.fontFace && !descriptor.fontFace->empty()) {
        QFont f = pane->font();
        f.setFamily(FromLatin1(*descriptor.fontFace));
        pane->setFont(f);
    }
    QFont listFont = list->font();
    listFont.setFamily(pane->font().family());
    list->setFont(listFont);

    if (auto lines = LoadEditionText(textPath)) {
        auto lacunae = std::make_shared<const Lacunae>(ReadLacunae(EditionDescriptorPath(folder, name), *lines));
        SetEdition(side, {name, std::make_shared<const std::vector<std::string>>(std::move(*lines)), std::move(lacunae),
                          descriptor.hand});
    }
}

void MainWindow::HintRightEdition(const EditionDescriptor& descriptor, const std::string& folder,
                                  const std::string& name)
{
    QString hint = Information(descriptor);
    if (const std::optional<WitnessDescription> witness = DescribeWitness(folder, name))
        hint += (hint.isEmpty() ? "" : "\n") + WitnessDetail(*witness, ChooserWords(language_));
    // Shown as written: markup in a descriptor is never interpreted.
    SetHint(ui_->rightChooser, hint, HintShown::AsLastingTooltip);
}

void MainWindow::MarkWitnesses()
{
    // Both choosers list the same names; the item text stays the bare name,
    // which is what every reader of the choosers takes for the edition.
    const WitnessWords words = ChooserWords(language_);
    const std::vector<std::string> folders = folders_.EditionFolders();
    for (int i = 0; i < ui_->leftChooser->count(); ++i) {
        const std::string name = ToLatin1(ui_->leftChooser->itemText(i));
        const std::string folder = EditionFolder(folders, name);
        if (!DescribeWitness(folder, name))
            continue; // a printed edition: its item stays as it always was
        const auto marks =
            MarkWitness(folder, name, Information(ReadEditionDescriptor(EditionDescriptorPath(folder, name))), words);
        for (QComboBox* chooser : {ui_->leftChooser, ui_->rightChooser}) {
            if (!marks)
                continue;
            chooser->setItemData(i, marks->note, TrailingNoteDelegate::kNoteRole);
            chooser->setItemData(i, marks->toolTip, Qt::ToolTipRole);
        }
    }
    for (QComboBox* chooser : {ui_->leftChooser, ui_->rightChooser})
        TrailingNoteDelegate::WidenPopup(*chooser);
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
    RefillEditionLists(added, added);
}

void MainWindow::RefillEditionLists(const QString& changed, const QString& fallback)
{
    const QString was[] = {ui_->leftChooser->currentText(), ui_->rightChooser->currentText()};
    FillEditionLists();
    QComboBox* choosers[] = {ui_->leftChooser, ui_->rightChooser};
    for (int side = 0; side < 2; ++side) {
        QComboBox* chooser = choosers[side];
        const int kept = was[side].isEmpty() ? -1 : chooser->findText(was[side]);
        {
            const QSignalBlocker quiet(chooser);
            chooser->setCurrentIndex(kept >= 0 || fallback.isEmpty() ? kept : chooser->findText(fallback));
        }
        // A side still showing its edition keeps what it has loaded, unless
        // that edition has just been written or deleted; a side that had none
        // and still has none keeps its pane.
        const bool unchanged = kept >= 0 && was[side] != changed;
        const bool stillNone = was[side].isEmpty() && chooser->currentIndex() < 0;
        if (!unchanged && !stillNone)
            Guarded([&] { LoadSide(side == 0 ? Side::Left : Side::Right); });
    }
    // The windows that collate the catalogue follow it.
    const std::vector<std::string> folders = folders_.EditionFolders();
    if (ApparatusWindow* apparatus = Apparatus())
        apparatus->SetCatalogue(folders, ListEditions(folders), ToLatin1(ui_->leftChooser->currentText()));
    if (StatisticsWindow* statistics = Statistics())
        statistics->UpdateDistances();
}

void MainWindow::WatchEditionFolders()
{
    auto* watcher = new QFileSystemWatcher(this);
    for (const std::string& folder : folders_.EditionFolders())
        if (QFileInfo(FromLocal8Bit(folder)).isDir())
            watcher->addPath(FromLocal8Bit(folder));
    editionsSettled_ = new QTimer(this);
    editionsSettled_->setSingleShot(true);
    editionsSettled_->setInterval(500); // an import writes two files, and results are saved there too
    connect(watcher, &QFileSystemWatcher::directoryChanged, editionsSettled_, qOverload<>(&QTimer::start));
    connect(editionsSettled_, &QTimer::timeout, this, [this] { Guarded([this] { EditionFoldersChanged(); }); });
}

void MainWindow::EditionFoldersChanged()
{
    if (run_->Running()) { // the run reads the choosers: after it
        editionsSettled_->start();
        return;
    }
    const std::vector<std::string> names = ListEditions(folders_.EditionFolders());
    bool same = int(names.size()) == ui_->leftChooser->count();
    for (size_t i = 0; same && i < names.size(); ++i)
        same = ui_->leftChooser->itemText(int(i)) == FromLatin1(names[i]);
    if (!same)
        RefillEditionLists({}, {});
}

void MainWindow::RemoveEdition()
{
    // The run reads the catalogue's choices; they stay put until it ends.
    if (run_->Running()) {
        QApplication::beep();
        return;
    }
    const WindowTextReader read = ReadWindowTexts(language_, main_window_names::window);
    const std::vector<std::string> own = ListEditions(folders_.user);
    // Editions that came with the program live in a folder the user cannot write.
    QStringList installed;
    if (folders_.files != folders_.user) {
        for (const std::string& name : ListEditions(folders_.files))
            if (std::find(own.begin(), own.end(), name) == own.end())
                installed << FromLatin1(name);
    }
    const QString note =
        installed.isEmpty()
            ? QString()
            : "\n\n" + read("Removeedition1_installed", "Editions installed with the program cannot be removed: %1.")
                            .arg(installed.join(", "));
    if (own.empty()) {
        messages_->Show(read("Removeedition1_none", "There is no edition of your own to remove.") + note,
                        MessageKind::Warning);
        return;
    }
    QStringList choices;
    for (const std::string& name : own)
        choices << FromLatin1(name);
    const QString name =
        messages_->AskChoice(read("Removeedition1_which", "Which of your editions do you want to remove?") + note, choices);
    if (!choices.contains(name))
        return;
    const QString confirm =
        read("Removeedition1_confirm", "Remove the edition %1? Its files %1.bk and %1.dat are deleted.").arg(name);
    if (!messages_->Ask(confirm))
        return;
    try {
        DeleteEdition(folders_.user, ToLatin1(name));
    } catch (const WriteError& e) {
        messages_->Show(read("Removeedition1_failed", "The edition %1 could not be removed:").arg(name) + "\n" +
                            FromLocal8Bit(e.path() + ": " + e.reason()),
                        MessageKind::Error);
    }
    // Also after a failure: one of the two files may be gone.
    RefillEditionLists(name, QString());
}

bool MainWindow::ReadyToRun()
{
    const WindowTextReader read = ReadWindowTexts(language_, main_window_names::window);
    // A side without an edition would be compared as if every verse of the
    // other were new.
    if (Edition(Side::Left).name.empty() || Edition(Side::Right).name.empty()) {
        messages_->Show(read("compare_choose", "Choose two editions to compare, one on the left and one on the right."),
                        MessageKind::Warning);
        return false;
    }
    for (const Side side : {Side::Left, Side::Right}) {
        const std::string name = Edition(side).name;
        const std::string path = EditionTextPath(EditionFolder(folders_.EditionFolders(), name), name);
        if (!FileExists(path)) {
            messages_->Show(read("compare_missing", "The edition %1 cannot be compared: its text %2 is missing.")
                                .arg(FromLatin1(name), QDir::toNativeSeparators(FromLocal8Bit(path))),
                            MessageKind::Error);
            return false;
        }
        // Missing when chosen and back since: loaded now, as choosing it again would.
        if (Edition(side).Lines().empty())
            LoadSide(side);
    }
    return true;
}

} // namespace synopter
