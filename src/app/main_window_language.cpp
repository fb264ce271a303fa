#include "app/main_window.h"

#include "app/main_window_names.h"
#include "app/main_window_ui.h"
#include "chapters/ui/chapter_window.h"
#include "find/ui/find_bar.h"
#include "statistics/ui/statistics_window.h"
#include "collate/ui/apparatus_window.h"
#include "language/language_selection.h"
#include "language/ui/language_dialog.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "editions/edition.h"
#include "language/ui/qt_texts.h"
#include "language/ui/translate_form.h"

#include <QComboBox>
#include <QPushButton>

#include <iterator>

namespace synopter {

bool MainWindow::StartupLanguageStep()
{
    LanguageDialog* dialog = LanguageDialogOf(this, programDir_);
    if (!SettleStartupLanguage(*dialog, language_))
        return false;
    FollowInQtTexts(language_);
    ReportLanguageProblem(TranslateForm(*this, Components(), language_));
    Finder().Translate(*this, language_);
    TranslateSpokenNames();
    UpdateNoEditionsNotice();
    UpdateStoppedNotice();
    return true;
}

void MainWindow::TranslateSpokenNames()
{
    const WindowTextReader read = ReadWindowTexts(language_, main_window_names::window);
    // What an empty chooser asks for (a first start chooses none).
    ui_->leftChooser->setPlaceholderText(read("cb1_hint", "Choose the left edition"));
    ui_->rightChooser->setPlaceholderText(read("cb2_hint", "Choose the right edition"));
    // A screen reader names a control by its purpose, not by what it shows
    // ("Byzantine2018", "X", "<--- COMPARE --->").
    ui_->leftChooser->setAccessibleName(read("cb1_name", "Left edition"));
    ui_->rightChooser->setAccessibleName(read("cb2_name", "Right edition"));
    ui_->compareButton->setAccessibleName(read("compare_name", "Compare"));
    ui_->stopButton->setAccessibleName(read("bbStop_name", "Stop the comparison"));
    // The spelling chooser's items, in the order of SpellingMode; the index is what counts.
    const char* const spellingKeys[] = {"cbSpelling_count", "cbSpelling_mark", "cbSpelling_ignore"};
    for (int i = 0; i < ui_->spellingChooser->count() && i < int(std::size(spellingKeys)); ++i)
        ui_->spellingChooser->setItemText(i, read(spellingKeys[i], ui_->spellingChooser->itemText(i)));
}

void MainWindow::ReportLanguageProblem(const std::string& problem)
{
    // Said once, by the main window; the other windows keep their texts too.
    if (!problem.empty())
        messages_->Show(FromLocal8Bit(problem) + "\nThe window keeps its own texts.", MessageKind::Warning);
}

void MainWindow::ChooseInterfaceLanguage()
{
    LanguageDialog* dialog = LanguageDialogOf(this, programDir_);
    // Closing the dialog without OK keeps the language in force and the
    // session running.
    if (!ChangeLanguage(*dialog, language_))
        return;
    FollowInQtTexts(language_);
    ReportLanguageProblem(TranslateForm(*this, Components(), language_));
    Finder().Translate(*this, language_);
    TranslateSpokenNames();
    UpdateNoEditionsNotice();
    UpdateStoppedNotice();
    MarkWitnesses();
    // The right chooser's hint words a manuscript's extent in the new language too.
    if (!Edition(Side::Right).Lines().empty()) {
        const std::string right = Edition(Side::Right).name;
        const std::string folder = EditionFolder(folders_.EditionFolders(), right);
        HintRightEdition(ReadEditionDescriptor(EditionDescriptorPath(folder, right)), folder, right);
    }
    if (ChapterWindow* chapters = Chapters())
        chapters->Translate();
    if (StatisticsWindow* statistics = Statistics())
        statistics->Translate();
    if (ApparatusWindow* apparatus = Apparatus())
        apparatus->Translate();
}

} // namespace synopter
