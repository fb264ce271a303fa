#include "import/ui/import_dialog.h"

#include "common/file_io.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/qt_bytes.h"
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
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace synopter {

namespace {

constexpr int kProgressSteps = 1000;
constexpr int kPollMs = 50;

// The formats a user may name; SWORD modules are chosen from their own list.
constexpr SourceFormat kFormats[] = {SourceFormat::Auto, SourceFormat::Text, SourceFormat::Csv, SourceFormat::Tei,
                                     SourceFormat::Osis};

std::string PathBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

void SetHint(QWidget* w, const QString& hint)
{
    w->setProperty("hint", hint);
    w->setProperty("showHint", true);
    w->setToolTip(hint);
}

// The name a source suggests: a file's name up to its first dot, a folder's name.
QString SuggestedName(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() ? QDir(path).dirName() : info.baseName();
}

} // namespace

ImportDialog::ImportDialog(std::string programDir, const InterfaceLanguage& language, QWidget* parent)
    : QDialog(parent), programDir_(std::move(programDir)), language_(language)
{
    setObjectName("ImportForm");
    setWindowTitle(QString::fromUtf8("Import edition"));
    setFont(InterfaceFont());
    setWindowModality(Qt::WindowModal);

    const auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };

    QLabel* lblSources = label("lblSources", QString::fromUtf8("Source files or folder:"));
    lbSources = new QListWidget(this);
    lbSources->setObjectName("lbSources");
    lbSources->setSelectionMode(QAbstractItemView::NoSelection);
    bbAddFiles = button("bbAddFiles", QString::fromUtf8("Add files…"));
    SetHint(bbAddFiles, QString::fromUtf8("Text, CSV, TEI or OSIS files of Greek text"));
    bbAddFolder = button("bbAddFolder", QString::fromUtf8("Add folder…"));
    SetHint(bbAddFolder, QString::fromUtf8("A folder of files, one for each book, or a SWORD module folder"));
    bbClear = button("bbClear", QString::fromUtf8("Clear"));

    QLabel* lblModules = label("lblModules", QString::fromUtf8("Or an installed SWORD Bible module:"));
    lbModules = new QListWidget(this);
    lbModules->setObjectName("lbModules");
    lblNoModules = label("lblNoModules", QString::fromUtf8("No SWORD Bible modules are installed."));
    lblNoModules->setWordWrap(true);

    QLabel* lblFormat = label("lblFormat", QString::fromUtf8("Format:"));
    cbFormat = new QComboBox(this);
    cbFormat->setObjectName("cbFormat");
    for (const SourceFormat f : kFormats) {
        cbFormat->addItem(FromLatin1(SourceFormatName(f)));
    }
    QLabel* lblName = label("lblName", QString::fromUtf8("Edition name:"));
    edName = new QLineEdit(this);
    edName->setObjectName("edName");
    QLabel* lblTitle = label("lblTitle", QString::fromUtf8("Title:"));
    edTitle = new QLineEdit(this);
    edTitle->setObjectName("edTitle");
    QLabel* lblTitleNote = label("lblTitleNote", QString::fromUtf8("Left empty, the source's own title is taken."));
    QPalette note = lblTitleNote->palette();
    note.setColor(QPalette::WindowText, note.color(QPalette::PlaceholderText));
    lblTitleNote->setPalette(note);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, kProgressSteps);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    meReport = new QPlainTextEdit(this);
    meReport->setObjectName("meReport");
    meReport->setReadOnly(true);

    bbImport = button("bbImport", QString::fromUtf8("Import"));
    bbImport->setDefault(true);
    bbStop = button("bbStop", QString::fromUtf8("Stop"));
    bbStop->setEnabled(false);
    bbClose = button("bbClose", QString::fromUtf8("Close"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblSources, 0, 0, 1, 2);
    grid->addWidget(lbSources, 1, 0, 4, 1);
    grid->addWidget(bbAddFiles, 1, 1);
    grid->addWidget(bbAddFolder, 2, 1);
    grid->addWidget(bbClear, 3, 1);
    grid->addWidget(lblModules, 5, 0, 1, 2);
    grid->addWidget(lbModules, 6, 0);
    grid->addWidget(lblNoModules, 6, 0, 1, 2);
    auto* form = new QFormLayout;
    form->addRow(lblFormat, cbFormat);
    form->addRow(lblName, edName);
    form->addRow(lblTitle, edTitle);
    form->addRow(nullptr, lblTitleNote);
    grid->addLayout(form, 8, 0, 1, 2);
    grid->addWidget(ProgressBar1, 9, 0, 1, 2);
    grid->addWidget(meReport, 10, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbImport);
    buttons->addWidget(bbStop);
    buttons->addWidget(bbClose);
    grid->addLayout(buttons, 11, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setRowStretch(10, 1);
    resize(560, 560);

    components_ = {lblSources, lbSources, bbAddFiles, bbAddFolder, bbClear, lblModules, lbModules, lblNoModules,
                   lblFormat, cbFormat, lblName, edName, lblTitle, edTitle, lblTitleNote, ProgressBar1, meReport,
                   bbImport, bbStop, bbClose};

    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, [this] {
        ProgressBar1->setValue(progress_.load());
        if (done_.load())
            FinishImport();
    });

    connect(bbAddFiles, &QPushButton::clicked, this, [this] { bbAddFilesClick(); });
    connect(bbAddFolder, &QPushButton::clicked, this, [this] { bbAddFolderClick(); });
    connect(bbClear, &QPushButton::clicked, this, [this] { bbClearClick(); });
    connect(bbImport, &QPushButton::clicked, this, [this] { bbImportClick(); });
    connect(bbStop, &QPushButton::clicked, this, [this] { StopRun(); });
    connect(bbClose, &QPushButton::clicked, this, [this] { close(); });
    connect(lbModules, &QListWidget::itemSelectionChanged, this, [this] {
        // One source at a time: a module replaces the listed files.
        if (!lbModules->selectedItems().isEmpty())
            lbSources->clear();
        SourceChanged();
    });
    connect(edName, &QLineEdit::textEdited, this, [this](const QString& text) { nameTyped_ = !text.isEmpty(); });

    AskReplace = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    };

    FillModuleList();
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
}

void ImportDialog::FillModuleList()
{
    lbModules->clear();
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
        auto* item = new QListWidgetItem(text, lbModules);
        item->setData(Qt::UserRole, FromUtf8(m.name));
    }
    lbModules->setVisible(!modules.empty());
    lblNoModules->setVisible(modules.empty());
    // Without modules their row is one line of text, not a list's room.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->setRowStretch(6, modules.empty() ? 0 : 1);
}

void ImportDialog::bbAddFilesClick()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        this, bbAddFiles->text().remove(QChar(0x2026)), QString(),
        QString::fromUtf8("Greek texts (*.txt *.csv *.tsv *.xml *.tei *.osis);;All files (*)"));
    AddSources(files);
}

void ImportDialog::bbAddFolderClick()
{
    const QString folder = QFileDialog::getExistingDirectory(this, bbAddFolder->text().remove(QChar(0x2026)));
    if (!folder.isEmpty())
        AddSources({folder});
}

void ImportDialog::bbClearClick()
{
    lbSources->clear();
    lbModules->clearSelection();
    SourceChanged();
}

void ImportDialog::AddSources(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    lbModules->clearSelection();
    for (const QString& path : paths)
        lbSources->addItem(QDir::toNativeSeparators(path));
    SourceChanged();
}

void ImportDialog::SourceChanged()
{
    if (nameTyped_)
        return;
    const QList<QListWidgetItem*> modules = lbModules->selectedItems();
    if (!modules.isEmpty())
        edName->setText(modules.first()->data(Qt::UserRole).toString());
    else if (lbSources->count() > 0)
        edName->setText(SuggestedName(QDir::fromNativeSeparators(lbSources->item(0)->text())));
    else
        edName->clear();
}

void ImportDialog::Report(const QString& text, bool problem)
{
    QPalette p = meReport->palette();
    p.setColor(QPalette::Text, problem ? QColor(160, 0, 0) : palette().color(QPalette::Text));
    meReport->setPalette(p);
    meReport->setPlainText(text);
}

void ImportDialog::SetImporting(bool importing)
{
    for (QObject* c : components_)
        if (auto* w = qobject_cast<QWidget*>(c); w && w != meReport && w != ProgressBar1)
            w->setEnabled(!importing);
    bbStop->setEnabled(importing);
    if (importing)
        bbStop->setFocus();
}

void ImportDialog::bbImportClick()
{
    if (IsImporting())
        return;
    ImportRequest request;
    const QList<QListWidgetItem*> modules = lbModules->selectedItems();
    if (!modules.isEmpty()) {
        request.sources.push_back(modules.first()->data(Qt::UserRole).toString().toStdString());
        request.format = SourceFormat::Sword;
    } else {
        for (int i = 0; i < lbSources->count(); ++i)
            request.sources.push_back(PathBytes(QDir::fromNativeSeparators(lbSources->item(i)->text())));
        request.format = kFormats[std::max(0, cbFormat->currentIndex())];
    }
    if (request.sources.empty()) {
        Report(QString::fromUtf8("Choose source files, a folder or a SWORD module first."), true);
        return;
    }
    const QString name = edName->text().trimmed();
    request.name = name.toStdString();
    if (!IsValidEditionName(request.name)) {
        Report(name.isEmpty()
                   ? QString::fromUtf8("Give the edition a name.")
                   : QString::fromUtf8("“%1” cannot name an edition: use Latin letters, digits and blanks, "
                                       "without / \\ : * ? \" < > |.")
                         .arg(name),
               true);
        edName->setFocus();
        return;
    }
    request.title = edTitle->text().trimmed().toStdString();

    replace_ = false;
    if (FileExists(programDir_ + request.name + ".bk") || FileExists(programDir_ + request.name + ".dat")) {
        if (!AskReplace(QString::fromUtf8("An edition “%1” exists already. Replace it?").arg(name))) {
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
    ProgressBar1->setValue(0);
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
    ProgressBar1->setValue(0);
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
    ProgressBar1->setValue(kProgressSteps);
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
    lbSources->clear();
    lbModules->clearSelection();
    edTitle->clear();
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
