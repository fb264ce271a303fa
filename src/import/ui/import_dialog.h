#pragma once

#include "import/importer.h"

#include <QDialog>

#include <atomic>
#include <optional>
#include <string>
#include <thread>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace synopter {

class InterfaceLanguage;
class UserMessages;

// The import dialog: Unicode Greek sources (files, a folder or an installed
// SWORD module) read into a new edition of the program directory. The import
// runs on a worker thread; the window shows its progress and can stop it.
class ImportDialog : public QDialog {
    Q_OBJECT

public:
    // `messages` asks before an existing edition is replaced.
    ImportDialog(std::string programDir, const InterfaceLanguage& language, UserMessages& messages,
                 QWidget* parent = nullptr);
    // Stops and waits for an import still running; nothing is written then.
    ~ImportDialog() override;

    QList<QObject*> Components() const;
    // Applies the current interface language.
    void Translate();

    // Handlers.
    void AddFiles();
    void AddFolder();
    void ClearSources();
    void Import();
    void StopRun();

    // Files or folders as the source, after those already listed.
    void AddSources(const QStringList& paths);
    bool IsImporting() const { return worker_.joinable(); }

    QListWidget* sourceList = nullptr;
    QPushButton* addFilesButton = nullptr;
    QPushButton* addFolderButton = nullptr;
    QPushButton* clearButton = nullptr;
    QListWidget* moduleList = nullptr;
    QLabel* noModulesLabel = nullptr;
    QComboBox* formatChooser = nullptr;
    QComboBox* handChooser = nullptr; // whose text a manuscript gives
    QLineEdit* witnessEdit = nullptr; // the witness a TEI collation is read as
    QLineEdit* nameEdit = nullptr;
    QLineEdit* titleEdit = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* closeButton = nullptr;
    QProgressBar* progressBar = nullptr;
    QPlainTextEdit* reportView = nullptr;

signals:
    // An edition was written into the program directory.
    void EditionWritten(const QString& name);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // The constructor's steps: the controls, their layout, their signals.
    void BuildControls();
    void LayOut();
    void Connect();
    void FillModuleList();
    void SourceChanged();
    Hand ChosenHand() const;
    void SetImporting(bool importing);
    void Report(const QString& text, bool problem);
    // Ends a running import: waits for the worker and writes its edition
    // unless it failed or was stopped.
    void FinishImport();
    // Stops a running import and waits for it; nothing is written.
    void CancelImport();

    std::string programDir_;
    const InterfaceLanguage& language_;
    UserMessages& messages_;
    QList<QObject*> components_;
    QLabel* sourcesLabel_ = nullptr;
    QLabel* modulesLabel_ = nullptr;
    QLabel* formatLabel_ = nullptr;
    QLabel* handLabel_ = nullptr;
    QLabel* witnessLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* titleNote_ = nullptr;
    bool nameTyped_ = false; // the user's own name is not replaced by the source's

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    std::atomic<int> progress_{0}; // per mille
    QTimer* timer_ = nullptr;
    bool replace_ = false;
    // Set by the worker, read after it is joined.
    std::optional<ImportedEdition> outcome_;
    std::string error_;
};

} // namespace synopter
