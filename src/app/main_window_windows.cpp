// The main window's secondary windows: the import dialog, the chapter window,
// statistics, the apparatus and the handbook, each made on first use and kept.
#include "app/main_window.h"

#include "app/help_window.h"
#include "app/main_window_names.h"
#include "app/main_window_ui.h"
#include "app/window_run.h"
#include "chapters/ui/chapter_window.h"
#include "collate/ui/apparatus_window.h"
#include "collate/ui/apparatus_window_names.h"
#include "common/ui/frame_margins.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "compare/result_model.h"
#include "editions/edition.h"
#include "import/ui/import_dialog.h"
#include "import/ui/import_dialog_names.h"
#include "language/ui/translate_form.h"
#include "statistics/ui/statistics_window.h"
#include "statistics/ui/statistics_window_names.h"

#include <QAction>
#include <QComboBox>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace synopter {

void MainWindow::ShowImportDialog()
{
    // A run reads the loaded lines; the catalogue is refilled after an import.
    if (run_->Running())
        return;
    auto* dialog = findChild<ImportDialog*>(import_dialog_names::window, Qt::FindDirectChildrenOnly);
    if (!dialog) {
        dialog = new ImportDialog(folders_.user, language_, *messages_, this);
        connect(dialog, &ImportDialog::EditionWritten, this,
                [this](const QString& name) { Guarded([&] { EditionImported(ToLatin1(name)); }); });
    }
    dialog->Translate();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void MainWindow::ShowChapterWindow()
{
    if (!chapterWindow_)
        return;
    if (!chapterWindow_->isVisible())
        chapterWindow_->show();
    chapterWindow_->raise();
    chapterWindow_->activateWindow();
}

void MainWindow::ResultsChanged()
{
    const ResultSummary summary = results_->Summary();
    if (chapterWindow_) {
        if (summary.books.empty())
            chapterWindow_->ClearCounts();
        else
            chapterWindow_->SetCounts(summary);
    }
    if (StatisticsWindow* statistics = Statistics())
        statistics->SetSummary(summary);
    EnableClear(HasResults());
}

StatisticsWindow* MainWindow::Statistics() const
{
    return findChild<StatisticsWindow*>(statistics_window_names::window, Qt::FindDirectChildrenOnly);
}

void MainWindow::ShowStatistics()
{
    StatisticsWindow* statistics = Statistics();
    if (!statistics) {
        statistics = new StatisticsWindow(this, language_);
        statistics->Translate();
        connect(statistics, &StatisticsWindow::chapterChosen, this,
                [this](const std::string& label) { Guarded([&] { GoToChapter(label); }); });
        statistics->SetSummary(results_->Summary());
        PlaceWithinScreen(*statistics, *this);
        // The Editions page collates the catalogue under the run's choices (and the last run's spelling rules).
        statistics->SetEditionsChoice([this] {
            return EditionsChoice{folders_.EditionFolders(),
                                  static_cast<SpellingMode>(std::max(0, ui_->spellingChooser->currentIndex())),
                                  &spellingList_.rules, ui_->exactPositionsBox->isChecked(),
                                  ui_->spellingChooser->currentText(), run_->Running()};
        });
    }
    statistics->show();
    statistics->raise();
    statistics->activateWindow();
}

ApparatusWindow* MainWindow::Apparatus() const
{
    return findChild<ApparatusWindow*>(apparatus_window_names::window, Qt::FindDirectChildrenOnly);
}

void MainWindow::SendApparatusOptions(ApparatusWindow& apparatus, const SpellingRules& rules)
{
    apparatus.SetOptions(static_cast<SpellingMode>(ui_->spellingChooser->currentIndex()), ui_->spellingChooser->currentText(),
                         ui_->exactPositionsBox->isChecked(), rules);
}

void MainWindow::ShowApparatus()
{
    ApparatusWindow* apparatus = Apparatus();
    if (!apparatus) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        apparatus = new ApparatusWindow(this, language_, *messages_,
                                        QDir(documents).exists() ? documents : QDir::homePath());
        apparatus->Translate();
        PlaceWithinScreen(*apparatus, *this);
    }
    const std::vector<std::string> folders = folders_.EditionFolders();
    apparatus->SetCatalogue(folders, ListEditions(folders), ToLatin1(ui_->leftChooser->currentText()));
    SendApparatusOptions(*apparatus, LoadSpellingList().rules);
    const std::string chapter = ChapterInView();
    if (!chapter.empty())
        apparatus->ShowChapter(chapter);
    apparatus->show();
    apparatus->raise();
    apparatus->activateWindow();
}

QString MainWindow::HandbookPath() const
{
    return FromLocal8Bit(programDir_) + "help/synopter.html";
}

void MainWindow::ShowHandbook()
{
    const QString path = HandbookPath();
    if (!QFileInfo(path).isFile()) {
        messages_->Show(ReadWindowTexts(language_, main_window_names::window)("SynopterHelp1_missing",
                                                                               "The handbook is not installed: %1")
                            .arg(path),
                        MessageKind::Warning);
        return;
    }
    auto* help = findChild<HelpWindow*>("HelpForm", Qt::FindDirectChildrenOnly);
    if (!help) {
        help = new HelpWindow(this, path);
        help->setWindowTitle(ui_->helpAction->text().remove('&'));
        PlaceWithinScreen(*help, *this);
    }
    help->show();
    help->raise();
    help->activateWindow();
}

} // namespace synopter
