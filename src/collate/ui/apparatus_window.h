#pragma once

#include "collate/apparatus_document.h"
#include "collate/apparatus_format.h"
#include "collate/edition_set.h"
#include "common/ui/background_task.h"
#include "compare/spelling_rules.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTextBrowser;

namespace synopter {

class InterfaceLanguage;
class UserMessages;

// The apparatus window: one chapter of the catalogue's editions collated
// against a base edition. Each verse shows the base text with the words of
// every variation unit marked and numbered, and under it the units as a
// printed apparatus sets them. Editions take part by their check boxes; the
// whole New Testament goes out as HTML or TEI.
class ApparatusWindow : public QWidget {
    Q_OBJECT

public:
    // `saveFolder`: where the first export is suggested; `messages` asks where
    // an export goes and says what went wrong.
    ApparatusWindow(QWidget* mainWindow, const InterfaceLanguage& language, UserMessages& messages,
                    QString saveFolder);

    // Owned components in creation order, as the language files address them.
    QList<QObject*> Components() const;
    void Translate();

    // Loads `names` from `folders` (again only when the catalogue changed);
    // every edition takes part, the base being `preferredBase` if loaded.
    void SetCatalogue(const std::vector<std::string>& folders, const std::vector<std::string>& names,
                      const std::string& preferredBase);
    // The main window's spelling and "Exact positions"; `spellingText` names
    // the spelling choice as its chooser shows it.
    void SetOptions(SpellingMode spelling, const QString& spellingText, bool exactPositions,
                    const SpellingRules& rules);
    // Shows the chapter of a heading line ("KATA IWANNHN 3"); false when the
    // layout has no such chapter.
    bool ShowChapter(const std::string& heading);
    std::string Chapter() const; // the heading shown
    // Shows a verse of a chapter at the top of the view (the chapter's first
    // line for verse 0), collating the chapter only when it is not the one shown.
    bool ShowVerse(const std::string& heading, int verse);

    // The editions taking part (indices into the loaded set, ascending) and the base among them.
    std::vector<int> Members() const;
    int BaseEdition() const;
    const collate::EditionSet& Editions() const { return *set_; }
    // What the view shows: the chapter's verses that have units, as collated.
    const std::vector<collate::VerseApparatus>& ChapterVerses() const { return verses_; }
    collate::ApparatusFacts Facts() const;

    QTextBrowser* View() const { return view_; }
    QListWidget* EditionList() const { return editionList_; }
    QComboBox* BaseChooser() const { return baseChooser_; }
    QComboBox* BookChooser() const { return bookChooser_; }
    QSpinBox* ChapterBox() const { return chapterBox_; }
    QLabel* OptionsLabel() const { return optionsLabel_; }

    // "Export HTML…", "Export TEI…" and "Export CSV…": the whole apparatus, saved where the
    // user says. The export runs on a thread of its own; the buttons are off
    // until it is written, and the window's going stops it.
    void ExportHtml();
    void ExportTei();
    void ExportCsv();
    bool Exporting() const { return exportTask_.Running(); }

private:
    void BuildControls();
    void LayOut();
    void Connect();
    void Export(collate::ApparatusFormat format);
    void SetExporting(bool on);
    // The chosen editions' texts and options, for the engine.
    collate::Options CollationOptions() const;
    void FillBaseChooser(const std::string& keep);
    // Each manuscript in the edition list shows its extent and hand, in the
    // language in force (apparatus_window_witnesses.cpp).
    void MarkWitnesses();
    void BookChanged();
    void Recollate();
    void ShowOptions();
    QString ChapterHtml() const; // apparatus_window_page.cpp

    const InterfaceLanguage& language_;
    UserMessages& messages_;
    QString saveFolder_;
    QLabel* chapterLabel_;           // "Chapter:"
    QComboBox* bookChooser_;     // book
    QSpinBox* chapterBox_;      // chapter
    QLabel* baseLabel_;           // "Base:"
    QComboBox* baseChooser_;     // base edition
    QLabel* editionsLabel_;           // "Editions:"
    QListWidget* editionList_;
    QLabel* optionsLabel_;           // the spelling and positions in force
    QPushButton* exportHtmlButton_;     // Export HTML…
    QPushButton* exportTeiButton_;     // Export TEI…
    QPushButton* exportCsvButton_;     // Export CSV…
    QTextBrowser* view_;

    std::vector<std::string> folders_;
    std::vector<std::string> names_;
    std::shared_ptr<const collate::EditionSet> set_ = std::make_shared<collate::EditionSet>(); // shared with an export
    SpellingRules rules_;
    SpellingMode spelling_ = SpellingMode::Count;
    QString spellingText_;
    bool exactPositions_ = false;
    int book_ = 0;
    int chapter_ = 1;
    std::vector<collate::VerseApparatus> verses_;
    bool filling_ = false; // the controls being set, not changed by the user
    QString optionsPattern_ = "Spelling variants: %1. Exact positions: %2.";
    QString yes_ = "yes";
    QString no_ = "no";
    QString fewEditions_ = "Choose at least two editions.";
    QString absentText_ = "(not in the base edition)";
    QString lacunoseText_ = "(lost in the base edition)";
    QString standInText_ = "(the base edition is not whole here: read against %1)";
    BackgroundTask exportTask_{this}; // last: stopped before the rest goes
};

} // namespace synopter
