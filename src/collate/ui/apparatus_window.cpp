#include "collate/ui/apparatus_window.h"
#include "collate/ui/apparatus_window_names.h"

#include "common/error.h"
#include "common/file_io.h"
#include "common/greek_letters.h"
#include "common/ini_file.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "editions/edition_check.h"
#include "editions/edition_lines.h"
#include "editions/nt_layout.h"
#include "language/interface_language.h"
#include "language/ui/translate_form.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace synopter {

namespace names = apparatus_window_names;

namespace {

QString Utf8(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

// Transliterated words as Unicode Greek, ready for the page.
QString Greek(std::string_view transliterated)
{
    return Utf8(ToGreek(transliterated)).toHtmlEscaped();
}

void SetHint(QWidget* w, const QString& hint)
{
    w->setProperty("hint", hint);
    w->setProperty("showHint", true);
    w->setToolTip(hint);
}

// Neighbouring units take turns, so where one ends and the next begins shows.
const char* UnitColour(int number)
{
    return number % 2 ? "#1c4c96" : "#a1331f";
}

QString UnitMark(int number)
{
    return QString("<sup style=\"color:%1; font-size:small;\">%2</sup>").arg(UnitColour(number)).arg(number);
}

// An addition stands between two words: a plus of the text's size, so it is seen.
QString AdditionMark(int number)
{
    return QString("<span style=\"color:%1; font-weight:bold;\">+</span>").arg(UnitColour(number)) + UnitMark(number);
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

    const auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setProperty("hint", QString());
        return l;
    };
    chapterLabel_ = label(names::chapterLabel, "Chapter:");
    bookChooser_ = new QComboBox(this);
    bookChooser_->setObjectName(names::bookChooser);
    for (int book = 0; book < layout::kBookCount; ++book)
        bookChooser_->addItem(Utf8(layout::BookAt(book).english));
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

    editionsLabel_ = label(names::editionsLabel, "&Editions:");
    editionList_ = new QListWidget(this);
    editionList_->setObjectName(names::editionList);
    SetHint(editionList_, "The editions that take part");
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

    // What assistive technology announces; the language files give NAME_name.
    bookChooser_->setAccessibleName("Book");
    chapterBox_->setAccessibleName("Chapter");
    baseChooser_->setAccessibleName("Base edition");
    exportHtmlButton_->setAccessibleName("Export HTML");
    exportTeiButton_->setAccessibleName("Export TEI");
    editionList_->setAccessibleName("Editions");
    view_->setAccessibleName("Apparatus");

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
        FillBaseChooser(base >= 0 ? set_.witnesses[size_t(base)].name : std::string());
        Recollate();
    });
    connect(exportHtmlButton_, &QPushButton::clicked, this, &ApparatusWindow::ExportHtml);
    connect(exportTeiButton_, &QPushButton::clicked, this, &ApparatusWindow::ExportTei);
    ShowOptions();
}

QList<QObject*> ApparatusWindow::Components() const
{
    return {chapterLabel_, bookChooser_, chapterBox_, baseLabel_, baseChooser_, exportHtmlButton_, exportTeiButton_,
            editionsLabel_, editionList_, optionsLabel_, view_};
}

void ApparatusWindow::Translate()
{
    // Label4 holds its pattern while translated, and the values again after.
    optionsLabel_->setText(optionsPattern_);
    TranslateForm(*this, Components(), language_);
    optionsPattern_ = optionsLabel_->text();
    if (language_.IsSet()) {
        const IniFile file(language_.FilePath());
        const auto read = [&](const char* key, const QString& current) {
            return FromLocal8Bit(file.ReadString(names::window, key, ToLocal8Bit(current)));
        };
        yes_ = read("Label4_yes", yes_);
        no_ = read("Label4_no", no_);
        fewEditions_ = read("TextBrowser1_few", fewEditions_);
        absentText_ = read("TextBrowser1_absent", absentText_);
        // Combo boxes, the list and the view are no captioned class; their hints are read here.
        for (QWidget* w : {static_cast<QWidget*>(bookChooser_), static_cast<QWidget*>(baseChooser_),
                           static_cast<QWidget*>(editionList_), static_cast<QWidget*>(view_)}) {
            const QString hint = read((w->objectName() + "_hint").toLatin1().constData(), w->property("hint").toString());
            SetHint(w, hint);
            w->setAccessibleDescription(hint);
        }
    }
    ShowOptions();
    view_->setHtml(ChapterHtml());
}

void ApparatusWindow::SetCatalogue(const std::vector<std::string>& folders, const std::vector<std::string>& names,
                           const std::string& preferredBase)
{
    if (folders == folders_ && names == names_ && !set_.witnesses.empty())
        return; // the user's choices stay
    folders_ = folders;
    names_ = names;
    set_ = collate::LoadEditionSet(folders, names);
    {
        filling_ = true;
        editionList_->clear();
        for (const collate::Witness& w : set_.witnesses) {
            const QString name = Utf8(ToUtf8(w.name));
            const QString siglum = Utf8(ToUtf8(w.siglum));
            auto* item = new QListWidgetItem(siglum == name ? name : siglum + QString::fromUtf8(" — ") + name,
                                             editionList_);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
            if (!w.information.empty())
                item->setToolTip(PlainToolTip(Utf8(ToUtf8(w.information))));
        }
        filling_ = false;
    }
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
    for (int i = 0; i < editionList_->count() && i < int(set_.texts.size()); ++i)
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
        if (set_.witnesses[size_t(m)].name == keep)
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
        facts.witnesses.push_back(set_.witnesses[size_t(m)]);
    facts.options = CollationOptions();
    facts.date = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
    return facts;
}

void ApparatusWindow::Recollate()
{
    verses_.clear();
    const std::vector<int> members = Members();
    if (members.size() >= 2 && BaseEdition() >= 0) {
        std::vector<const std::vector<std::string>*> texts;
        for (int m : members)
            texts.push_back(&set_.texts[size_t(m)]);
        const int heading = layout::HeadingLine(book_, chapter_);
        const int last = heading + layout::VerseCount(book_, chapter_);
        collate::CollateTexts(
            texts, CollationOptions(),
            [this](const collate::VerseApparatus& verse) {
                verses_.push_back(verse);
                return true;
            },
            [heading, last](int line) { return line > heading && line <= last; });
    }
    view_->setHtml(ChapterHtml());
}

QString ApparatusWindow::ChapterHtml() const
{
    QString html;
    if (!set_.problem.empty())
        html += "<p style=\"color:#a1331f;\">" + Utf8(ToUtf8(set_.problem)).toHtmlEscaped() + "</p>";
    const std::string heading = Chapter();
    html += QString("<h2 style=\"font-weight:normal;\">%1 <span style=\"color:#777; font-size:small;\">%2 %3</span></h2>")
                .arg(Greek(heading), Utf8(layout::BookAt(book_).english).toHtmlEscaped())
                .arg(chapter_);
    const std::vector<int> members = Members();
    const int base = BaseEdition();
    if (members.size() < 2 || base < 0)
        return html + "<p>" + fewEditions_.toHtmlEscaped() + "</p>";

    const collate::ApparatusFacts facts = Facts();
    const std::vector<std::string>& baseLines = set_.texts[size_t(base)];
    const int headingLine = layout::HeadingLine(book_, chapter_);
    auto apparatus = verses_.begin();
    for (int verse = 1; verse <= layout::VerseCount(book_, chapter_); ++verse) {
        const int line = headingLine + verse;
        const collate::VerseLine split = collate::SplitVerseLine(
            size_t(line) < baseLines.size() ? std::string_view(baseLines[size_t(line)]) : std::string_view());
        while (apparatus != verses_.end() && apparatus->line < line)
            ++apparatus;
        const collate::VerseApparatus* units =
            apparatus != verses_.end() && apparatus->line == line ? &*apparatus : nullptr;

        const QString reference = QString("%1:%2").arg(chapter_).arg(verse);
        html += "<p style=\"margin-top:10px; margin-bottom:0px;\"><b>" + reference + "</b>&nbsp;&nbsp;";
        const std::string_view text = units ? std::string_view(units->baseText) : split.words;
        const std::vector<std::string_view> words = SplitWords(text);
        if (words.empty())
            html += "<span style=\"color:#777;\">" + absentText_.toHtmlEscaped() + "</span> ";
        if (units) {
            // Marks before, around and after the base words: additions stand
            // between words, the absent verse after the reference.
            std::vector<QString> before(words.size() + 1), open(words.size()), close(words.size());
            int number = 0;
            for (const collate::Unit& unit : units->units) {
                ++number;
                if (unit.AbsentVerse()) {
                    before[0] += UnitMark(number) + " ";
                } else if (unit.first == unit.last) {
                    before[size_t(std::clamp(unit.first, 0, int(words.size())))] += AdditionMark(number) + " ";
                } else {
                    const int first = std::clamp(unit.first, 0, int(words.size()) - 1);
                    const int last = std::clamp(unit.last, first + 1, int(words.size())) - 1;
                    open[size_t(first)] += QString("<span style=\"color:%1; text-decoration:underline;\">")
                                               .arg(UnitColour(number));
                    close[size_t(last)] += "</span>" + UnitMark(number);
                }
            }
            for (size_t i = 0; i < words.size(); ++i)
                html += before[i] + open[i] + Greek(words[i]) + close[i] + " ";
            html += before[words.size()];
        } else {
            for (std::string_view word : words)
                html += Greek(word) + " ";
        }
        html += "</p>";
        if (!units)
            continue;
        html += "<p style=\"margin-top:2px; margin-bottom:0px; margin-left:28px; font-size:small;\">";
        int number = 0;
        for (const collate::Unit& unit : units->units) {
            std::string entry;
            collate::AppendUnitText(entry, unit, facts);
            if (number++ > 0)
                html += "<br>";
            html += UnitMark(number) + "&nbsp;" + Utf8(entry).toHtmlEscaped();
        }
        html += "</p>";
    }
    return html;
}

void ApparatusWindow::ExportHtml()
{
    Export(false);
}

void ApparatusWindow::ExportTei()
{
    Export(true);
}

void ApparatusWindow::Export(bool tei)
{
    if (Members().size() < 2 || BaseEdition() < 0) {
        messages_.Show(fewEditions_, MessageKind::Warning);
        return;
    }
    if (saveFolder_.isEmpty() || !QDir(saveFolder_).exists())
        saveFolder_ = QDir::homePath();
    QPushButton* button = tei ? exportTeiButton_ : exportHtmlButton_;
    const QString title = button->text().remove('&').remove(QString::fromUtf8("…"));
    const QString path = messages_.AskSaveName(title,
                                               QDir(saveFolder_).filePath(tei ? "apparatus.xml" : "apparatus.html"),
                                               tei ? "TEI (*.xml)" : "HTML (*.html *.htm)");
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    };
    std::string document;
    try {
        const Restore restore;
        std::vector<const std::vector<std::string>*> texts;
        for (int m : Members())
            texts.push_back(&set_.texts[size_t(m)]);
        std::vector<collate::VerseApparatus> verses;
        collate::CollateTexts(texts, CollationOptions(), [&](const collate::VerseApparatus& verse) {
            verses.push_back(verse);
            return true;
        });
        const collate::ApparatusFacts facts = Facts();
        document = tei ? collate::ApparatusTei(verses, facts) : collate::ApparatusHtmlPage(verses, facts);
        WriteFileAtomically(ToLocal8Bit(path), document);
        saveFolder_ = QFileInfo(path).absolutePath();
    } catch (const WriteError& e) {
        messages_.Show(FromLocal8Bit(e.what()) + "\n" + FromLocal8Bit(e.reason()), MessageKind::Error);
    } catch (const std::exception& e) {
        messages_.Show(FromLocal8Bit(e.what()), MessageKind::Error);
    }
}

} // namespace synopter
