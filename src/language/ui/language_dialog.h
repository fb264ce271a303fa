#pragma once

#include "language/language_selection.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace synopter {

// The language selection dialog: the language files of the program directory,
// each with its picture, and an OK button. Its texts are fixed, in English and
// Russian, and never translated.
class LanguageDialog : public QDialog, public LanguageChoice {
    Q_OBJECT

public:
    explicit LanguageDialog(std::string programDir, QWidget* parent = nullptr);

    // LanguageChoice
    void FillLanguageList() override;
    int EntryCount() const override;
    std::string EntryText(int index) const override;
    void SelectEntry(int index) override;
    std::string SelectedText() const override;
    int SystemLanguageEntry() const override;
    // The entry serving the first of these languages (BCP 47 tags) that any
    // entry serves; -1 when none.
    int EntryServing(const QStringList& uiLanguages) const;
    bool ShowModal() override;

    // One height for every entry of the list, in pixels.
    int EntryHeight() const { return entryHeight_; }
    void SetEntryHeight(int height);

    // Shows the dialog modally and gives its result; tests put a stand-in here.
    std::function<int()> execDialog;
    // The user's languages, most preferred first (the system's, which a test
    // replaces so that the machine's locale decides nothing).
    std::function<QStringList()> systemLanguages;

    QLabel* titleLabel = nullptr;
    QLabel* subtitleLabel = nullptr;
    QComboBox* languageChooser = nullptr;
    QPushButton* okButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string programDir_;
    int entryHeight_;
};

// The main window's language dialog, made on first use (a direct child of
// `mainWindow` named "Form8") and kept for the rest of the run.
LanguageDialog* LanguageDialogOf(QWidget* mainWindow, const std::string& programDir);

} // namespace synopter
