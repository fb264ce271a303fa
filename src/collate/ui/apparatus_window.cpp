#include "collate/ui/apparatus_window.h"
#include "collate/ui/apparatus_window_names.h"

#include "collate/apparatus_document.h"
#include "common/block_output.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/ui/hints.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/trailing_note_delegate.h"
#include "common/ui/user_messages.h"
#include "editions/edition_check.h"
#include "editions/nt_layout.h"
#include "language/interface_language.h"
#include "language/ui/translate_form.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace synopter {

namespace names = apparatus_window_names;

namespace {

// The whole apparatus written to `path`; what went wrong, or nothing. Runs on
// the export's own thread.
QString WriteExport(const collate::EditionSet& set, const std::vector<int>& members,
                    const collate::ApparatusFacts& facts, collate::ApparatusFormat format, const std::string& path,
                    const std::function<bool()>& goOn)
{
    try {
        BlockOutput document;
        if (collate::WriteApparatus(set.TextPointers(members), facts, format, document, {}, goOn,
                                    set.LacunaPointers(members)))
            WriteFileAtomically(path, document.Text());
    } catch (const WriteError& e) {
        return FromLocal8Bit(e.what()) + "\n" + FromLocal8Bit(e.reason());
    } catch (const std::exception& e) {
        return FromLocal8Bit(e.what());
    }
    return {};
}

} // namespace

ApparatusWindow::ApparatusWindow(QWidget* mainWindow, const InterfaceLanguage& language, UserMessages& messages,
                                 QString saveFolder)
    : QWidget(mainWindow, Qt::Window), language_(language), messages_(messages), saveFolder_(std::move(saveFolder))
{
    setObjectName(names::window);
    setWindowTitle("Apparatus");
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(InterfaceFont());
    resize(1000, 700);
    BuildControls();
    LayOut();
    Connect();
    ShowOptions();
}

// The components in the order the language files know them.
void ApparatusWindow::BuildControls()
{
    const auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText); // captions from the language file, never markup
        l->setProperty("hint", QString());
        return l;
    };
    chapterLabel_ = label(names::chapterLabel, "Chapter:");
    bookChooser_ = new QComboBox(this);
    bookChooser_->setObjectName(names::bookChooser);
    for (int book = 0; book < layout::kBookCount; ++book)
        bookChooser_->addItem(FromUtf8(layout::BookAt(book).english));
    SetHint(bookChooser_, "The book");
    chapterBox_ = new QSpinBox(this);
    chapterBox_->setObjectName(names::chapterBox);
    chapterBox_->setRange(1, layout::ChapterCount(0));
    SetHint(chapterBox_, "The chapter");
    chapterLabel_->setBuddy(bookChooser_);

    baseLabel_ = label(names::baseLabel, "&Base:");
    baseChooser_ = new QComboBox(this);
    baseChooser_->setObjectName(names::baseChooser);
    baseChooser_->setMinimumContentsLength(16);
    SetHint(baseChooser_, "The edition the others are read against");
    baseLabel_->setBuddy(baseChooser_);

    exportHtmlButton_ = new QPushButton(QString::fromUtf8("Export &HTML…"), this);
    exportHtmlButton_->setObjectName(names::exportHtmlButton);
    SetHint(exportHtmlButton_, "Save the apparatus of the whole New Testament as a web page");
    exportTeiButton_ = new QPushButton(QString::fromUtf8("Export &TEI…"), this);
    exportTeiButton_->setObjectName(names::exportTeiButton);
    SetHint(exportTeiButton_, "Save the apparatus of the whole New Testament as TEI (parallel segmentation)");
    exportCsvButton_ = new QPushButton(QString::fromUtf8("Export C&SV…"), this);
    exportCsvButton_->setObjectName(names::exportCsvButton);
    SetHint(exportCsvButton_, "Save the variation units of the whole New Testament as a table (CSV)");

    editionsLabel_ = label(names::editionsLabel, "&Editions:");
    editionList_ = new QListWidget(this);
    editionList_->setObjectName(names::editionList);
    SetHint(editionList_, "The editions that take part");
    editionList_->setItemDelegate(new TrailingNoteDelegate(editionList_->itemDelegate(), false, editionList_));
    editionsLabel_->setBuddy(editionList_);
    optionsLabel_ = label(names::optionsLabel, optionsPattern_);
    optionsLabel_->setWordWrap(true);
    optionsLabel_->setTextFormat(Qt::PlainText);

    view_ = new QTextBrowser(this);
    view_->setObjectName(names::view);
    view_->setOpenLinks(false);
    SetHint(view_, QString());
    // The page is Unicode Greek; the serif faces with polytonic Greek first.
    QFont greek = view_->font();
    greek.setFamilies({"Noto Serif", "DejaVu Serif", "Gentium Plus", "Gentium", "FreeSerif"});
    greek.setPixelSize(16);
    view_->document()->setDefaultFont(greek);

    // What assistive technology announces; the language files give NAME_name.
    bookChooser_->setAccessibleName("Book");
    chapterBox_->setAccessibleName("Chapter");
    baseChooser_->setAccessibleName("Base edition");
    exportHtmlButton_->setAccessibleName("Export HTML");
    exportTeiButton_->setAccessibleName("Export TEI");
    exportCsvButton_->setAccessibleName("Export CSV");
    editionList_->setAccessibleName("Editions");
    view_->setAccessibleName("Apparatus");
}

// The choosers and export buttons above, the editions beside the view.
void ApparatusWindow::LayOut()
{
    auto* top = new QHBoxLayout;
    top->addWidget(chapterLabel_);
    top->addWidget(bookChooser_);
    top->addWidget(chapterBox_);
    top->addSpacing(16);
    top->addWidget(baseLabel_);
    top->addWidget(baseChooser_);
    top->addStretch(1);
    top->addWidget(exportHtmlButton_);
    top->addWidget(exportTeiButton_);
    top->addWidget(exportCsvButton_);

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(editionsLabel_);
    sideLayout->addWidget(editionList_, 1);
    sideLayout->addWidget(optionsLabel_);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(side);
    splitter->addWidget(view_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 800});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
}

void ApparatusWindow::Connect()
{
    connect(bookChooser_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            BookChanged();
    });
    connect(chapterBox_, &QSpinBox::valueChanged, this, [this](int chapter) {
        if (filling_)
            return;
        chapter_ = chapter;
        Recollate();
    });
    connect(baseChooser_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            Recollate();
    });
    connect(editionList_, &QListWidget::itemChanged, this, [this] {
        if (filling_)
            return;
        const int base = BaseEdition();
        FillBaseChooser(base >= 0 ? set_->witnesses[size_t(base)].name : std::string());
        Recollate();
    });
    connect(exportHtmlButton_, &QPushButton::clicked, this, &ApparatusWindow::ExportHtml);
    connect(exportTeiButton_, &QPushButton::clicked, this, &ApparatusWindow::ExportTei);
    connect(exportCsvButton_, &QPushButton::clicked, this, &ApparatusWindow::ExportCsv);
}

QList<QObject*> ApparatusWindow::Components() const
{
    return {chapterLabel_, bookChooser_, chapterBox_, baseLabel_, baseChooser_, exportHtmlButton_, exportTeiButton_,
            exportCsvButton_, editionsLabel_, editionList_, optionsLabel_, view_};
}

void ApparatusWindow::Translate()
{
    // Label4 holds its pattern while translated, and the values again after.
    optionsLabel_->setText(optionsPattern_);
    TranslateForm(*this, Components(), language_);
    optionsPattern_ = optionsLabel_->text();
    if (language_.IsSet()) {
        const WindowTextReader read = ReadWindowTexts(language_, names::window);
        yes_ = read("Label4_yes", yes_);
        no_ = read("Label4_no", no_);
        fewEditions_ = read("TextBrowser1_few", fewEditions_);
        absentText_ = read("TextBrowser1_absent", absentText_);
        lacunoseText_ = read("TextBrowser1_lacunose", lacunoseText_);
        standInText_ = read("TextBrowser1_standin", standInText_);
        // Combo boxes, the list and the view are no captioned class; their hints are read here.
        for (QWidget* w : {static_cast<QWidget*>(bookChooser_), static_cast<QWidget*>(baseChooser_),
                           static_cast<QWidget*>(editionList_), static_cast<QWidget*>(view_)}) {
            const QString hint = read((w->objectName() + "_hint").toLatin1().constData(), w->property("hint").toString());
            SetHint(w, hint);
            w->setAccessibleDescription(hint);
        }
    }
    ShowOptions();
    MarkWitnesses();
    view_->setHtml(ChapterHtml());
}

void ApparatusWindow::SetCatalogue(const std::vector<std::string>& folders, const std::vector<std::string>& names,
                           const std::string& preferredBase)
{
    if (folders == folders_ && names == names_ && !set_->witnesses.empty())
        return; // the user's choices stay
    folders_ = folders;
    names_ = names;
    set_ = std::make_shared<const collate::EditionSet>(collate::LoadEditionSet(folders, names));
    {
        filling_ = true;
        editionList_->clear();
        const std::vector<std::string> sigla = collate::ShortSigla(set_->witnesses);
        for (size_t i = 0; i < set_->witnesses.size(); ++i) {
            const collate::Witness& w = set_->witnesses[i];
            const QString name = FromUtf8(ToUtf8(w.name));
            const QString siglum = FromUtf8(ToUtf8(sigla[i]));
            auto* item = new QListWidgetItem(siglum == name ? name : siglum + QString::fromUtf8(" — ") + name,
                                             editionList_);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
            if (!w.information.empty())
                item->setToolTip(PlainToolTip(FromUtf8(ToUtf8(w.information))));
        }
        filling_ = false;
    }
    MarkWitnesses();
    FillBaseChooser(preferredBase);
    Recollate();
}

void ApparatusWindow::SetOptions(SpellingMode spelling, const QString& spellingText, bool exactPositions,
                         const SpellingRules& rules)
{
    spelling_ = spelling;
    spellingText_ = spellingText;
    exactPositions_ = exactPositions;
    rules_ = rules;
    ShowOptions();
    Recollate();
}

void ApparatusWindow::ShowOptions()
{
    optionsLabel_->setText(QString(optionsPattern_).arg(spellingText_, exactPositions_ ? yes_ : no_));
}

bool ApparatusWindow::ShowChapter(const std::string& heading)
{
    for (int book = 0; book < layout::kBookCount; ++book) {
        for (int chapter = 1; chapter <= layout::ChapterCount(book); ++chapter) {
            if (layout::HeadingText(book, chapter) != heading)
                continue;
            book_ = book;
            chapter_ = chapter;
            filling_ = true;
            bookChooser_->setCurrentIndex(book);
            chapterBox_->setRange(1, layout::ChapterCount(book));
            chapterBox_->setValue(chapter);
            filling_ = false;
            Recollate();
            return true;
        }
    }
    return false;
}

bool ApparatusWindow::ShowVerse(const std::string& heading, int verse)
{
    if (heading != Chapter() && !ShowChapter(heading))
        return false;
    if (verse > 0)
        view_->scrollToAnchor(QString("v%1").arg(verse));
    else
        view_->verticalScrollBar()->setValue(0);
    return true;
}

std::string ApparatusWindow::Chapter() const
{
    return layout::HeadingText(book_, chapter_);
}

void ApparatusWindow::BookChanged()
{
    book_ = std::max(0, bookChooser_->currentIndex());
    chapter_ = 1;
    filling_ = true;
    chapterBox_->setRange(1, layout::ChapterCount(book_));
    chapterBox_->setValue(1);
    filling_ = false;
    Recollate();
}

std::vector<int> ApparatusWindow::Members() const
{
    std::vector<int> members;
    for (int i = 0; i < editionList_->count() && i < int(set_->texts.size()); ++i)
        if (editionList_->item(i)->checkState() == Qt::Checked)
            members.push_back(i);
    return members;
}

int ApparatusWindow::BaseEdition() const
{
    return baseChooser_->currentIndex() < 0 ? -1 : baseChooser_->currentData().toInt();
}

void ApparatusWindow::FillBaseChooser(const std::string& keep)
{
    filling_ = true;
    baseChooser_->clear();
    for (int m : Members()) {
        baseChooser_->addItem(editionList_->item(m)->text(), m);
        if (set_->witnesses[size_t(m)].name == keep)
            baseChooser_->setCurrentIndex(baseChooser_->count() - 1);
    }
    filling_ = false;
}

collate::Options ApparatusWindow::CollationOptions() const
{
    collate::Options options;
    const std::vector<int> members = Members();
    const auto base = std::find(members.begin(), members.end(), BaseEdition());
    options.base = base == members.end() ? 0 : int(base - members.begin());
    options.exactPositions = exactPositions_;
    options.spelling = spelling_;
    options.spellingRules = &rules_;
    return options;
}

collate::ApparatusFacts ApparatusWindow::Facts() const
{
    collate::ApparatusFacts facts;
    for (int m : Members())
        facts.witnesses.push_back(set_->witnesses[size_t(m)]);
    facts.options = CollationOptions();
    facts.date = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
    return facts;
}

void ApparatusWindow::Recollate()
{
    verses_.clear();
    const std::vector<int> members = Members();
    if (members.size() >= 2 && BaseEdition() >= 0) {
        const std::vector<const std::vector<std::string>*> texts = set_->TextPointers(members);
        const std::vector<const Lacunae*> lacunae = set_->LacunaPointers(members);
        const int heading = layout::HeadingLine(book_, chapter_);
        const int last = heading + layout::VerseCount(book_, chapter_);
        collate::CollateTexts(
            texts, CollationOptions(),
            [this](const collate::VerseApparatus& verse) {
                verses_.push_back(verse);
                return true;
            },
            [heading, last](int line) { return line > heading && line <= last; }, lacunae);
    }
    view_->setHtml(ChapterHtml());
}

void ApparatusWindow::ExportHtml()
{
    Export(collate::ApparatusFormat::Html);
}

void ApparatusWindow::ExportTei()
{
    Export(collate::ApparatusFormat::Tei);
}

void ApparatusWindow::ExportCsv()
{
    Export(collate::ApparatusFormat::Csv);
}

void ApparatusWindow::Export(collate::ApparatusFormat format)
{
    if (exportTask_.Running())
        return; // one export at a time: the buttons are off meanwhile
    if (Members().size() < 2 || BaseEdition() < 0) {
        messages_.Show(fewEditions_, MessageKind::Warning);
        return;
    }
    if (saveFolder_.isEmpty() || !QDir(saveFolder_).exists())
        saveFolder_ = QDir::homePath();
    const bool tei = format == collate::ApparatusFormat::Tei, csv = format == collate::ApparatusFormat::Csv;
    QPushButton* button = tei ? exportTeiButton_ : csv ? exportCsvButton_ : exportHtmlButton_;
    const QString title = button->text().remove('&').remove(QString::fromUtf8("…"));
    const QString path = messages_.AskSaveName(
        title, QDir(saveFolder_).filePath(tei ? "apparatus.xml" : csv ? "apparatus.csv" : "apparatus.html"),
        tei ? "TEI (*.xml)" : csv ? "CSV (*.csv)" : "HTML (*.html *.htm)");
    if (path.isEmpty())
        return;
    // The export reads its own copies: the window's choices may change meanwhile.
    auto rules = std::make_shared<const SpellingRules>(rules_);
    collate::ApparatusFacts facts = Facts();
    facts.options.spellingRules = rules.get();
    SetExporting(true);
    exportTask_.Start(
        [set = set_, members = Members(), facts, rules, format, file = ToLocal8Bit(path)](
            const std::function<bool()>& goOn) { return WriteExport(*set, members, facts, format, file, goOn); },
        [this, path](const QString& problem) {
            SetExporting(false);
            if (problem.isEmpty())
                saveFolder_ = QFileInfo(path).absolutePath();
            else
                messages_.Show(problem, MessageKind::Error);
        });
}

void ApparatusWindow::SetExporting(bool on)
{
    exportHtmlButton_->setEnabled(!on);
    exportTeiButton_->setEnabled(!on);
    exportCsvButton_->setEnabled(!on);
    if (on)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

} // namespace synopter
