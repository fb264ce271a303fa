#pragma once

#include "compare/result_summary.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace synopter {

class InterfaceLanguage;
class UserMessages;

// The chapter navigator: the chapters with reported differences; a click, Enter
// or a double click takes the main window's views to the chosen chapter.
class ChapterWindow : public QWidget {
    Q_OBJECT

public:
    using GoToChapter = std::function<void(const std::string& label)>;

    // `messages` names a chapter list that cannot be read.
    ChapterWindow(QWidget* mainWindow, std::string programDir, const InterfaceLanguage& language,
                  UserMessages& messages, GoToChapter goToChapter);

    QListWidget* List() const { return chapterList_; }
    // Owned components in creation order, as the language files address them.
    QList<QObject*> Components() const;

    void ClearChapters();
    void AddChapter(const std::string& label);
    std::vector<std::string> Chapters() const;

    // Beside every chapter its reported verses, the chapters grouped under a
    // row of their book with the book's total. The list becomes the summary's
    // chapters if it held others. Choosing a book row goes to its first
    // chapter. ClearCounts shows the bare labels again.
    void SetCounts(const ResultSummary& summary);
    void ClearCounts();
    bool HasCounts() const { return hasCounts_; }
    // The rows as shown, book rows included ("KATA IWANNHN — 57", "KATA IWANNHN 3  12").
    QStringList Rows() const;

    // Runs once at creation: the list of the last run from chapters.lst, then
    // the window's texts in the interface language.
    void Start();
    // Applies the current language to the window (after a change of language).
    void Translate();
    void GoToChosenChapter();
    // Places the window beside the main window, wholly on its screen's
    // available area; runs on every showing.
    void FormShow();
    // The width that shows the longest chapter label whole.
    int WidthForLabels() const;

private:
    void GoToItem(const QListWidgetItem* item);
    QRect NavigatorScreen() const;
    int WidthFor(int labelWidth) const;
    int RowsWidth(int item) const;

public:

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mainWindow_;
    std::string programDir_;
    const InterfaceLanguage& language_;
    UserMessages& messages_;
    GoToChapter goToChapter_;
    QListWidget* chapterList_;
    bool hasCounts_ = false;
};

} // namespace synopter
