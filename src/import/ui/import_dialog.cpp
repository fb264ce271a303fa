#include "import/ui/import_dialog.h"
#include "import/ui/import_dialog_names.h"

#include "common/file_io.h"
#include "common/ui/hints.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "import/sword_source.h"
#include "language/ui/translate_form.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace synopter {

namespace names = import_dialog_names;

namespace {

constexpr int kProgressSteps = 1000;
constexpr int kPollMs = 50;

// The formats a user may name; SWORD modules are chosen from their own list.
constexpr SourceFormat kFormats[] = {SourceFormat::Auto, SourceFormat::Text, SourceFormat::Csv, SourceFormat::Tei,
                                     SourceFormat::Osis, SourceFormat::Transcription};

// The hand chooser's items, in its order, with their texts' keys.
struct HandItem {
    Hand hand;
    const char* key;
    const char* text;
};
constexpr HandItem kHands[] = {
    {Hand::Scribe, "cbHand_scribe", "as the scribe left it"},
    {Hand::First, "cbHand_first", "as first written"},
    {Hand::Last, "cbHand_last", "with the later hands' corrections"},
};

std::string PathBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// The name a source suggests: a file's name up to its first dot, a folder's name.
QString SuggestedName(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() ? QDir(path).dirName() : info.baseName();
}

} // namespace

ImportDialog::ImportDialog(std::string programDir, const InterfaceLanguage& language, UserMessages& messages,
                           QWidget* parent)
    : QDialog(parent), programDir_(std::move(programDir)), language_(language), messages_(messages)
{
    setObjectName(names::window);
    setWindowTitle(QString::fromUtf8("Import edition"));
    setFont(InterfaceFont());
    setWindowModality(Qt::WindowModal);

    BuildControls();
    LayOut();
    Connect();
    FillModuleList();
}

void ImportDialog::BuildControls()
{
    const auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText); // captions from the language file, never markup
        return l;
    };
    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };

    sourcesLabel_ = label(names::sourcesLabel, QString::fromUtf8("Source files or folder:"));
    sourceList = new QListWidget(this);
    sourceList->setObjectName(names::sourceList);
    sourceList->setSelectionMode(QAbstractItemView::NoSelection);
    addFilesButton = button(names::addFilesButton, QString::fromUtf8("Add files…"));
    SetHint(addFilesButton, QString::fromUtf8("Text, CSV, TEI or OSIS files of Greek text, or transcriptions of manuscripts"));
    addFolderButton = button(names::addFolderButton, QString::fromUtf8("Add folder…"));
    SetHint(addFolderButton, QString::fromUtf8("A folder of files, one for each book, or a SWORD module folder"));
    clearButton = button(names::clearButton, QString::fromUtf8("Clear"));

    modulesLabel_ = label(names::modulesLabel, QString::fromUtf8("Or an installed SWORD Bible module:"));
    moduleList = new QListWidget(this);
    moduleList->setObjectName(names::moduleList);
    noModulesLabel = label(names::noModulesLabel, QString::fromUtf8("No SWORD Bible modules are installed."));
    noModulesLabel->setWordWrap(true);

    formatLabel_ = label(names::formatLabel, QString::fromUtf8("Format:"));
    formatChooser = new QComboBox(this);
    formatChooser->setObjectName(names::formatChooser);
    for (const SourceFormat f : kFormats) {
        formatChooser->addItem(FromLatin1(SourceFormatName(f)));
    }
    handLabel_ = label(names::handLabel, QString::fromUtf8("A manuscript's text:"));
    handChooser = new QComboBox(this);
    handChooser->setObjectName(names::handChooser);
    for (const HandItem& item : kHands)
        handChooser->addItem(QString::fromUtf8(item.text));
    SetHint(handChooser, QString::fromUtf8("Whose text a transcription with corrections gives: one transcription "
                                           "imported by each hand makes three witnesses"));
    witnessLabel_ = label(names::witnessLabel, QString::fromUtf8("Witness:"));
    witnessEdit = new QLineEdit(this);
    witnessEdit->setObjectName(names::witnessEdit);
    SetHint(witnessEdit, QString::fromUtf8("Of a TEI apparatus (parallel segmentation), the witness to read: its "
                                           "siglum or name; left empty for any other source"));
    nameLabel_ = label(names::nameLabel, QString::fromUtf8("Edition name:"));
    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(names::nameEdit);
    titleLabel_ = label(names::titleLabel, QString::fromUtf8("Title:"));
    titleEdit = new QLineEdit(this);
    titleEdit->setObjectName(names::titleEdit);
    titleNote_ = label(names::titleNote, QString::fromUtf8("Left empty, the source's own title is taken."));
    QPalette note = titleNote_->palette();
    note.setColor(QPalette::WindowText, note.color(QPalette::PlaceholderText));
    titleNote_->setPalette(note);

    progressBar = new QProgressBar(this);
    progressBar->setObjectName(names::progressBar);
    progressBar->setRange(0, kProgressSteps);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    reportView = new QPlainTextEdit(this);
    reportView->setObjectName(names::reportView);
    reportView->setReadOnly(true);

    importButton = button(names::importButton, QString::fromUtf8("Import"));
    importButton->setDefault(true);
    stopButton = button(names::stopButton, QString::fromUtf8("Stop"));
    stopButton->setEnabled(false);
    closeButton = button(names::closeButton, QString::fromUtf8("Close"));

    // Each caption names the control it stands by; the choosers, the progress
    // and the report are named for assistive technology (NAME_name in the
    // language files).
    sourcesLabel_->setBuddy(sourceList);
    modulesLabel_->setBuddy(moduleList);
    formatLabel_->setBuddy(formatChooser);
    handLabel_->setBuddy(handChooser);
    witnessLabel_->setBuddy(witnessEdit);
    nameLabel_->setBuddy(nameEdit);
    titleLabel_->setBuddy(titleEdit);
    formatChooser->setAccessibleName("Source format");
    handChooser->setAccessibleName("A manuscript's text");
    progressBar->setAccessibleName("Progress of the import");
    reportView->setAccessibleName("Import report");

    components_ = {sourcesLabel_, sourceList, addFilesButton, addFolderButton, clearButton, modulesLabel_, moduleList, noModulesLabel,
                   formatLabel_, formatChooser, handLabel_, handChooser, witnessLabel_, witnessEdit, nameLabel_, nameEdit, titleLabel_, titleEdit, titleNote_, progressBar, reportView,
                   importButton, stopButton, closeButton};
}

void ImportDialog::LayOut()
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(sourcesLabel_, 0, 0, 1, 2);
    grid->addWidget(sourceList, 1, 0, 4, 1);
    grid->addWidget(addFilesButton, 1, 1);
    grid->addWidget(addFolderButton, 2, 1);
    grid->addWidget(clearButton, 3, 1);
    grid->addWidget(modulesLabel_, 5, 0, 1, 2);
    grid->addWidget(moduleList, 6, 0);
    grid->addWidget(noModulesLabel, 6, 0, 1, 2);
    auto* form = new QFormLayout;
    form->addRow(formatLabel_, formatChooser);
    form->addRow(handLabel_, handChooser);
    form->addRow(witnessLabel_, witnessEdit);
    form->addRow(nameLabel_, nameEdit);
    form->addRow(titleLabel_, titleEdit);
    form->addRow(nullptr, titleNote_);
    grid->addLayout(form, 8, 0, 1, 2);
    grid->addWidget(progressBar, 9, 0, 1, 2);
    grid->addWidget(reportView, 10, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(importButton);
    buttons->addWidget(stopButton);
    buttons->addWidget(closeButton);
    grid->addLayout(buttons, 11, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setRowStretch(10, 1);
    resize(560, 560);
}

void ImportDialog::Connect()
{
    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, [this] {
        progressBar->setValue(progress_.load());
        if (done_.load())
            FinishImport();
    });

    connect(addFilesButton, &QPushButton::clicked, this, [this] { AddFiles(); });
    connect(addFolderButton, &QPushButton::clicked, this, [this] { AddFolder(); });
    connect(clearButton, &QPushButton::clicked, this, [this] { ClearSources(); });
    connect(importButton, &QPushButton::clicked, this, [this] { Import(); });
    connect(stopButton, &QPushButton::clicked, this, [this] { StopRun(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    connect(moduleList, &QListWidget::itemSelectionChanged, this, [this] {
        // One source at a time: a module replaces the listed files.
        if (!moduleList->selectedItems().isEmpty())
            sourceList->clear();
        SourceChanged();
    });
    connect(handChooser, &QComboBox::currentIndexChanged, this, [this] { SourceChanged(); });
    connect(nameEdit, &QLineEdit::textEdited, this, [this](const QString& text) { nameTyped_ = !text.isEmpty(); });
}

ImportDialog::~ImportDialog()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

QList<QObject*> ImportDialog::Components() const
{
    return components_;
}

void ImportDialog::Translate()
{
    TranslateForm(*this, Components(), language_);
    const WindowTextReader read = ReadWindowTexts(language_, names::window);
    for (int i = 0; i < handChooser->count(); ++i)
        handChooser->setItemText(i, read(kHands[i].key, QString::fromUtf8(kHands[i].text)));
}

Hand ImportDialog::ChosenHand() const
{
    return kHands[std::max(0, handChooser->currentIndex())].hand;
}

void ImportDialog::FillModuleList()
{
    moduleList->clear();
    std::vector<SwordModuleInfo> modules;
    try {
        modules = ListSwordModules();
    } catch (const std::exception&) {
        // An unreadable library offers no modules; files still can be imported.
    }
    for (const SwordModuleInfo& m : modules) {
        QString text = FromUtf8(m.name);
        if (!m.language.empty())
            text += " (" + FromUtf8(m.language) + ")";
        if (!m.description.empty())
            text += QString::fromUtf8(" — ") + FromUtf8(m.description);
        auto* item = new QListWidgetItem(text, moduleList);
        item->setData(Qt::UserRole, FromUtf8(m.name));
    }
    moduleList->setVisible(!modules.empty());
    noModulesLabel->setVisible(modules.empty());
    // Without modules their row is one line of text, not a list's room.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->setRowStretch(6, modules.empty() ? 0 : 1);
}

void ImportDialog::AddFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        this, addFilesButton->text().remove(QChar(0x2026)), QString(),
        QString::fromUtf8("Greek texts (*.txt *.csv *.tsv *.xml *.tei *.osis);;All files (*)"));
    AddSources(files);
}

void ImportDialog::AddFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, addFolderButton->text().remove(QChar(0x2026)));
    if (!folder.isEmpty())
        AddSources({folder});
}

void ImportDialog::ClearSources()
{
    sourceList->clear();
    moduleList->clearSelection();
    SourceChanged();
}

void ImportDialog::AddSources(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    moduleList->clearSelection();
    for (const QString& path : paths)
        sourceList->addItem(QDir::toNativeSeparators(path));
    SourceChanged();
}

void ImportDialog::SourceChanged()
{
    if (nameTyped_)
        return;
    const QList<QListWidgetItem*> modules = moduleList->selectedItems();
    if (!modules.isEmpty())
        nameEdit->setText(modules.first()->data(Qt::UserRole).toString());
    else if (sourceList->count() > 0)
        // One transcription imported by each hand: three witnesses side by side.
        nameEdit->setText(SuggestedName(QDir::fromNativeSeparators(sourceList->item(0)->text())) +
                          FromLatin1(WitnessNameSuffix(ChosenHand())));
    else
        nameEdit->clear();
}

void ImportDialog::Report(const QString& text, bool problem)
{
    QPalette p = reportView->palette();
    p.setColor(QPalette::Text, problem ? QColor(160, 0, 0) : palette().color(QPalette::Text));
    reportView->setPalette(p);
    reportView->setPlainText(text);
}

void ImportDialog::SetImporting(bool importing)
{
    for (QObject* c : components_)
        if (auto* w = qobject_cast<QWidget*>(c); w && w != reportView && w != progressBar)
            w->setEnabled(!importing);
    stopButton->setEnabled(importing);
    if (importing)
        stopButton->setFocus();
}

void ImportDialog::Import()
{
    if (IsImporting())
        return;
    ImportRequest request;
    const QList<QListWidgetItem*> modules = moduleList->selectedItems();
    if (!modules.isEmpty()) {
        request.sources.push_back(modules.first()->data(Qt::UserRole).toString().toStdString());
        request.format = SourceFormat::Sword;
    } else {
        for (int i = 0; i < sourceList->count(); ++i)
            request.sources.push_back(PathBytes(QDir::fromNativeSeparators(sourceList->item(i)->text())));
        request.format = kFormats[std::max(0, formatChooser->currentIndex())];
    }
    if (request.sources.empty()) {
        Report(QString::fromUtf8("Choose source files, a folder or a SWORD module first."), true);
        return;
    }
    const QString name = nameEdit->text().trimmed();
    request.name = name.toStdString();
    if (!IsValidEditionName(request.name)) {
        Report(name.isEmpty()
                   ? QString::fromUtf8("Give the edition a name.")
                   : QString::fromUtf8("“%1” cannot name an edition: use Latin letters, digits and blanks, "
                                       "without / \\ : * ? \" < > |, not ending in .dat.")
                         .arg(name),
               true);
        nameEdit->setFocus();
        return;
    }
    request.title = titleEdit->text().trimmed().toStdString();
    request.hand = ChosenHand();
    request.witness = witnessEdit->text().trimmed().toStdString();

    replace_ = false;
    // A link by either name counts, dangling or not: the import replaces it.
    if (EntryExists(programDir_ + request.name + ".bk") || EntryExists(programDir_ + request.name + ".dat")) {
        if (!messages_.Ask(QString::fromUtf8("An edition “%1” exists already. Replace it?").arg(name))) {
            Report(QString::fromUtf8("Nothing was imported: “%1” is kept as it is.").arg(name), false);
            return;
        }
        replace_ = true;
    }

    cancel_ = false;
    done_ = false;
    progress_ = 0;
    outcome_.reset();
    error_.clear();
    progressBar->setValue(0);
    Report(QString::fromUtf8("Importing…"), false);
    SetImporting(true);
    worker_ = std::thread([this, request = std::move(request)] {
        try {
            outcome_ = ImportEdition(request, [this](double done) {
                progress_ = int(std::clamp(done, 0.0, 1.0) * kProgressSteps);
                return !cancel_.load();
            });
        } catch (const std::exception& e) {
            error_ = e.what();
        }
        done_ = true;
    });
    timer_->start();
}

void ImportDialog::StopRun()
{
    cancel_ = true;
}

void ImportDialog::FinishImport()
{
    timer_->stop();
    worker_.join();
    SetImporting(false);
    progressBar->setValue(0);
    if (cancel_) {
        Report(QString::fromUtf8("The import was stopped; nothing was written."), false);
        return;
    }
    if (!outcome_) {
        Report(FromUtf8(error_), true);
        return;
    }
    try {
        WriteImportedEdition(programDir_, *outcome_, replace_);
    } catch (const WriteError& e) {
        Report(FromUtf8(e.what()) + (e.reason().empty() ? QString() : ": " + FromLocal8Bit(e.reason())),
               true);
        return;
    } catch (const std::exception& e) {
        Report(FromUtf8(e.what()), true);
        return;
    }
    progressBar->setValue(kProgressSteps);
    const QString name = FromUtf8(outcome_->name);
    QString folder = QDir::toNativeSeparators(FromLocal8Bit(programDir_));
    if (folder.size() > 1 && folder.endsWith(QDir::separator()))
        folder.chop(1);
    QString text = QString::fromUtf8("Imported “%1” (%2) into %3.").arg(name, FromUtf8(outcome_->title), folder);
    for (const std::string& line : DescribeSummary(outcome_->summary))
        text += "\n" + FromUtf8(line);
    Report(text, false);
    outcome_.reset();
    // Done with these sources: the next files added start a new edition
    // rather than joining the one just written.
    sourceList->clear();
    moduleList->clearSelection();
    titleEdit->clear();
    witnessEdit->clear();
    nameTyped_ = false;
    SourceChanged();
    emit EditionWritten(name);
}

void ImportDialog::CancelImport()
{
    if (!IsImporting())
        return;
    cancel_ = true;
    FinishImport();
}

void ImportDialog::closeEvent(QCloseEvent* event)
{
    CancelImport();
    QDialog::closeEvent(event);
}

void ImportDialog::reject()
{
    CancelImport();
    QDialog::reject();
}

} // namespace synopter
