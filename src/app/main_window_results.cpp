// The main window's results: a run, the results restored at start-up and
// what made them, and the notices over the panes.
#include "app/main_window.h"

#include "app/main_window_names.h"
#include "app/main_window_ui.h"
#include "app/window_run.h"
#include "app/window_settings.h"
#include "chapters/ui/chapter_window.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/greek_letters.h"
#include "common/program_files.h"
#include "common/ui/panel.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "compare/result_model.h"
#include "compare/result_record.h"
#include "compare/result_set.h"
#include "compare/ui/pane_pair.h"
#include "compare/ui/result_pane.h"
#include "editions/edition.h"
#include "editions/edition_check.h"
#include "language/ui/translate_form.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <optional>

namespace synopter {

namespace {

// A notice's label holds the language's text with a %1; a translation puts
// that text back, so it is kept aside each time and the value filled in.
void FillPattern(QLabel* label, const QString& value)
{
    if (label->text().contains("%1"))
        label->setProperty("pattern", label->text());
    const QString pattern = label->property("pattern").toString();
    if (!pattern.isEmpty())
        label->setText(pattern.arg(value));
}

} // namespace

void MainWindow::UpdateNoEditionsNotice()
{
    QString dir = QDir::toNativeSeparators(FromLocal8Bit(folders_.user));
    if (dir.size() > 1 && dir.endsWith(QDir::separator()))
        dir.chop(1);
    FillPattern(ui_->noEditionsText, dir);
    const bool empty = ui_->leftChooser->count() == 0;
    if (empty) {
        ui_->noEditionsNotice->setGeometry(ui_->paneArea->rect());
        ui_->noEditionsNotice->raise();
    }
    ui_->noEditionsNotice->setVisible(empty);
}

void MainWindow::UpdateStoppedNotice()
{
    const std::string& chapter = run_->StoppedAt();
    FillPattern(ui_->stoppedText, FromUtf8(ToGreek(chapter)));
    ui_->stoppedNotice->setVisible(!chapter.empty());
}

void MainWindow::Compare()
{
    if (!run_->Running() && !ReadyToRun())
        return;
    const unsigned before = results_->Generation();
    // The marking is the run's from its start to its end.
    const bool starting = !run_->Running();
    if (starting)
        ui_->alignedMarkingAction->setEnabled(false);
    run_->Run();
    if (starting)
        ui_->alignedMarkingAction->setEnabled(true);
    UpdateStoppedNotice();
    if (results_->Generation() != before)
        ResultsChanged();
}

void MainWindow::StopRun()
{
    run_->StopClicked();
}

bool MainWindow::HasResults() const
{
    // Restored files that did not pair up are in the panes but not in the model.
    return results_->Count() > 0 || !ui_->leftPane->document()->isEmpty() || !ui_->rightPane->document()->isEmpty();
}

void MainWindow::EnableClear(bool enabled)
{
    ui_->clearLeftAction->setEnabled(enabled);
    ui_->clearRightAction->setEnabled(enabled);
}

void MainWindow::ClearResults()
{
    if (run_->Running() || !HasResults())
        return;
    const WindowTextReader read = ReadWindowTexts(language_, main_window_names::window);
    if (!messages_->Ask(read("ClearTRcomparison1_confirm",
                             "Clear the results of the comparison from both panes? The saved results are "
                             "emptied too; this cannot be undone.")))
        return;
    run_->ClearResults();
    UpdateStoppedNotice();
    ResultsChanged();
}

void MainWindow::MarkingChosen()
{
    if (run_->Running() || results_->Count() == 0)
        return;
    // The positions the pairs were found with; the spelling as now chosen.
    RunOptions options;
    options.exactPositions = resultFacts_.exactPositions;
    options.spelling = static_cast<SpellingMode>(std::clamp(ui_->spellingChooser->currentIndex(), 0, 2));
    if (options.spelling != SpellingMode::Count)
        options.spellingRules = &LoadSpellingList(false).rules;
    options.marking = ui_->alignedMarkingAction->isChecked() ? WordMarking::Aligned : WordMarking::Defined;
    resultFacts_.marking = options.marking;
    resultFacts_.spelling = options.spelling == SpellingMode::Count ? std::nullopt : std::optional(options.spelling);
    run_->Remark(options); // saved with the facts as they now are
}

void MainWindow::SetRunSlices(int eventsMs, int showingMs)
{
    run_->SetSlices(eventsMs, showingMs);
}

const SpellingList& MainWindow::LoadSpellingList(bool sayProblems)
{
    // Read for every run, so an edit of the file counts at the next run; its
    // bad lines are named and left out.
    const SpellingGroups groups = ui_->ChosenSpellingGroups();
    spellingList_ = SpellingList{SpellingRules(groups), {}};
    const std::string path = folders_.user + std::string(kSpellingFileName);
    Guarded([&] {
        if (const std::optional<std::string> text = ReadFileBytes(path, kMaxSettingsFileBytes))
            spellingList_ = ReadSpellingList(*text, groups);
    });
    if (sayProblems && !spellingList_.problems.empty()) {
        const WindowTextReader read = ReadWindowTexts(language_, main_window_names::window);
        QString text = read("Spellingrules1_problems", "%1: these lines are left out:").arg(FromLocal8Bit(path));
        const QString line = read("Spellingrules1_line", "line %1: %2");
        for (const SpellingProblem& p : spellingList_.problems)
            text += "\n" + line.arg(QString::number(p.line), FromUtf8(p.message));
        messages_->Show(text, MessageKind::Warning);
    }
    return spellingList_;
}

void MainWindow::RestoreResultPanes()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    panes_->BalancePaneWidths();
    if (CheckResultSet(folders_.user) == ResultSetState::Mixed) {
        // Panes of two runs side by side would pair verses never compared.
        if (chapterWindow_)
            chapterWindow_->ClearChapters();
        messages_->Show(ReadWindowTexts(language_, main_window_names::window)(
                            "Form1_mixedresults", "The saved results (r1.rtf, r2.rtf, chapters.lst) are not all from the "
                                               "same comparison, so none of them is shown."),
                        MessageKind::Warning);
        return;
    }
    // Each file on its own: one that cannot be read is reported and left out.
    rtf::Document left;
    rtf::Document right;
    Guarded([&] { left = ReadResultFile(results_->LeftPath()); });
    Guarded([&] { right = ReadResultFile(results_->RightPath()); });
    std::optional<html::ReportFacts> recorded;
    Guarded([&] {
        if (const std::optional<std::string> record = ReadFileBytes(results_->RecordPath(), kMaxSettingsFileBytes))
            recorded = ReadResultRecord(*record);
    });
    // The run's threshold tells its spelling-only pairs from the found ones.
    results_->Restore(left, right, recorded ? recorded->threshold : 0);
    // The record's choices go with results there are, not with a cleared set;
    // before the panes are filled, so the model (and unpaired files) tell.
    // Files saved before the record was kept: the settings kept the choices
    // of the run that wrote them, all but "Exact positions".
    const bool any = results_->Count() > 0 || (results_->Unpaired(0) && (!results_->Unpaired(0)->paragraphs.empty() ||
                                                                          !results_->Unpaired(1)->paragraphs.empty()));
    if (recorded && any)
        Guarded([&] { ChooseAsRecorded(*recorded); });
    panes_->ShowRestored(settings_->TopUnit());
    if (HasResults())
        ui_->foundCount->setText(settings_->FoundCount());
    resultFacts_ = recorded ? *recorded : FactsNow(QFileInfo(FromLocal8Bit(results_->LeftPath())).lastModified());
    ResultsChanged();
}

void MainWindow::ChooseAsRecorded(const html::ReportFacts& record)
{
    // One no longer in the catalogue leaves its chooser as it is; a changed
    // one loads its edition, the panes being still empty.
    for (const auto& [chooser, edition] :
         {std::pair(ui_->leftChooser, &record.left), std::pair(ui_->rightChooser, &record.right)}) {
        const int index = chooser->findText(FromUtf8(edition->name), Qt::MatchFixedString);
        if (index >= 0)
            chooser->setCurrentIndex(index);
    }
    ui_->thresholdBox->setValue(record.threshold);
    ui_->exactPositionsBox->setChecked(record.exactPositions);
    const int spelling = int(record.spelling.value_or(SpellingMode::Count));
    if (spelling < ui_->spellingChooser->count())
        ui_->spellingChooser->setCurrentIndex(spelling);
    // The shown pairs were marked so already: no re-marking.
    const QSignalBlocker quiet(ui_->alignedMarkingAction);
    ui_->alignedMarkingAction->setChecked(record.marking == WordMarking::Aligned);
}

html::ReportFacts MainWindow::FactsNow(const QDateTime& when) const
{
    const auto edition = [this](QComboBox* chooser) {
        const std::string name = ToLatin1(chooser->currentText());
        html::ReportEdition described{ToUtf8(name), {}};
        const std::string path = EditionDescriptorPath(EditionFolder(folders_.EditionFolders(), name), name);
        if (!name.empty() && FileExists(path))
            described.description = ToUtf8(ReadEditionDescriptor(path).information);
        return described;
    };
    html::ReportFacts facts{edition(ui_->leftChooser), edition(ui_->rightChooser), ui_->thresholdBox->value(),
                            ui_->exactPositionsBox->isChecked(), {}};
    // Said only when spelling variants did not count as any difference does.
    if (const int spelling = ui_->spellingChooser->currentIndex(); spelling > 0)
        facts.spelling = static_cast<SpellingMode>(spelling);
    facts.marking = ui_->alignedMarkingAction->isChecked() ? WordMarking::Aligned : WordMarking::Defined;
    if (when.isValid())
        facts.date = when.toString("yyyy-MM-dd").toStdString();
    return facts;
}

} // namespace synopter
