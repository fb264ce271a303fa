// The apparatus window opened from the main window over the real editions.
#include "collate/ui/apparatus_window.h"
#include "collate/ui/apparatus_window_names.h"
#include "app/main_window_names.h"

#include "app/main_window.h"
#include "collate/edition_set.h"
#include "common/program_folders.h"
#include "common/ui/greek_accessibility.h"
#include "common/ui/recording_messages.h"
#include "editions/edition.h"
#include "editions/nt_layout.h"
#include "language/interface_language.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QXmlStreamReader>

#include <algorithm>
#include <iterator>
#include <memory>

#include <gtest/gtest.h>

namespace synopter {
namespace {

constexpr int kJohn = 3;

// The printed entries of John 1's units, collated by the engine alone over
// `names` with `base` as the base edition.
std::vector<QString> Entries(const std::vector<std::string>& folders, const std::vector<std::string>& names,
                             const std::string& base)
{
    const collate::EditionSet set = collate::LoadEditionSet(folders, names);
    collate::ApparatusFacts facts;
    facts.witnesses = set.witnesses;
    facts.options.base = int(std::find(names.begin(), names.end(), base) - names.begin());
    const int heading = layout::HeadingLine(kJohn, 1);
    const int last = heading + layout::VerseCount(kJohn, 1);
    std::vector<QString> entries;
    collate::CollateTexts(
        set.TextPointers(), facts.options,
        [&](const collate::VerseApparatus& verse) {
            for (const collate::Unit& unit : verse.units) {
                std::string text;
                collate::AppendUnitText(text, unit, facts);
                entries.push_back(QString::fromUtf8(text));
            }
            return true;
        },
        [&](int line) { return line > heading && line <= last; });
    return entries;
}

TEST(ApparatusWindow, CollatesTheChapterInViewOfTheCheckedEditionsAndExportsTei)
{
    const std::string editions = std::string(SYNOPTER_EDITIONS_DIR) + "/";
    const std::vector<std::string> names = ListEditions(editions);
    const std::string base = "Byzantine2018";
    if (names.size() < 3 || std::find(names.begin(), names.end(), base) == names.end())
        GTEST_SKIP() << "no editions in " << editions;
    QTemporaryDir user;
    ASSERT_TRUE(user.isValid());
    const std::string userDir = (user.path() + "/").toStdString();
    ProgramFolders folders{editions, userDir, userDir, false};
    test::RecordingMessages messages;
    InstallGreekAccessibility(); // as the program does before its first window
    MainWindow mainWindow(folders, &messages);
    ASSERT_TRUE(mainWindow.Start());
    // Listed, and offered as the base, by short siglum and name.
    const std::string baseShown = DerivedSiglum(base) + " \u2014 " + base;
    mainWindow.Chooser(Side::Left)->setCurrentIndex(mainWindow.Chooser(Side::Left)->findText(QString::fromStdString(base)));

    mainWindow.findChild<QAction*>(main_window_names::apparatusAction)->trigger();
    ApparatusWindow* window = mainWindow.Apparatus();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    // The left source list's first chapter is in view; the left edition is the base.
    EXPECT_EQ(window->Chapter(), layout::HeadingText(0, 1));
    EXPECT_EQ(window->BaseChooser()->currentText().toStdString(), baseShown);
    EXPECT_EQ(window->EditionList()->count(), int(names.size()));

    // Following the chapter window, then its own chooser there and back.
    mainWindow.GoToChapter(layout::HeadingText(kJohn, 1));
    EXPECT_EQ(window->Chapter(), layout::HeadingText(kJohn, 1));
    window->ChapterBox()->setValue(2);
    EXPECT_EQ(window->Chapter(), layout::HeadingText(kJohn, 2));
    window->ChapterBox()->setValue(1);
    EXPECT_EQ(window->BookChooser()->currentIndex(), kJohn);

    const std::vector<std::string> lookIn = folders.EditionFolders();
    const std::vector<QString> all = Entries(lookIn, names, base);
    ASSERT_FALSE(all.empty()) << "John 1 reads alike in every edition";
    const QString shown = window->View()->toPlainText();
    for (const QString& entry : all)
        EXPECT_TRUE(shown.contains(entry)) << entry.toStdString();
    // A screen reader is given the page as it reads: the heading in Greek
    // letters, the references and entries as they are.
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(window->View());
    ASSERT_TRUE(page && page->textInterface());
    const QString heard = page->textInterface()->text(0, page->textInterface()->characterCount());
    EXPECT_TRUE(heard.contains(QString::fromUtf8("ΚΑΤΑ ΙΩΑΝΝΗΝ"))) << heard.left(200).toStdString();
    EXPECT_TRUE(heard.contains("1:1")) << heard.left(200).toStdString();
    EXPECT_TRUE(heard.contains(all.front())) << all.front().toStdString();

    // Down to the base and the edition last in the list.
    const std::string other = names.back() == base ? names.front() : names.back();
    for (int i = 0; i < window->EditionList()->count(); ++i) {
        const std::string name = names[size_t(i)];
        if (name != base && name != other)
            window->EditionList()->item(i)->setCheckState(Qt::Unchecked);
    }
    EXPECT_EQ(window->BaseChooser()->count(), 2);
    EXPECT_EQ(window->BaseChooser()->currentText().toStdString(), baseShown);
    std::vector<std::string> two;
    std::copy_if(names.begin(), names.end(), std::back_inserter(two),
                 [&](const std::string& name) { return name == base || name == other; });
    const std::vector<QString> pair = Entries(lookIn, two, base);
    EXPECT_NE(pair, all);
    const QString narrowed = window->View()->toPlainText();
    for (const QString& entry : pair)
        EXPECT_TRUE(narrowed.contains(entry)) << entry.toStdString();
    for (const QString& entry : all) {
        if (std::find(pair.begin(), pair.end(), entry) == pair.end()) {
            EXPECT_FALSE(narrowed.contains(entry)) << entry.toStdString();
        }
    }

    // The whole apparatus as TEI, through the window's own save step.
    const QString path = user.filePath("apparatus.xml");
    messages.saveName = path;
    window->ExportTei();
    // Off the user-interface thread, one export at a time.
    EXPECT_TRUE(window->Exporting());
    EXPECT_FALSE(window->findChild<QPushButton*>(apparatus_window_names::exportHtmlButton)->isEnabled());
    window->ExportHtml();
    EXPECT_EQ(messages.suggestedNames.size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Exporting(); }, 120000));
    EXPECT_TRUE(window->findChild<QPushButton*>(apparatus_window_names::exportHtmlButton)->isEnabled());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int apps = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("app"))
            ++apps;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(apps, 0);

    messages.saveName = user.filePath("apparatus.csv");
    window->ExportCsv();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Exporting(); }, 120000));
    QFile csv(messages.saveName);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readLine(), QByteArray("verse,base,reading,sigla,kind\r\n"));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();
}

// The window can go while an export runs: the export stops and leaves no
// file, or a whole one.
TEST(ApparatusWindow, ClosingWhileExportingStopsTheExport)
{
    const std::string editions = std::string(SYNOPTER_EDITIONS_DIR) + "/";
    const std::vector<std::string> names = ListEditions(editions);
    if (names.size() < 2)
        GTEST_SKIP() << "no editions in " << editions;
    QTemporaryDir user;
    ASSERT_TRUE(user.isValid());
    const InterfaceLanguage language(user.path().toStdString() + "/");
    test::RecordingMessages messages;
    auto window = std::make_unique<ApparatusWindow>(nullptr, language, messages, user.path());
    window->SetCatalogue({editions}, names, names.front());
    const QString path = user.filePath("apparatus.html");
    messages.saveName = path;
    window->ExportHtml();
    ASSERT_TRUE(window->Exporting());
    window.reset();
    QTest::qWait(20); // nothing is delivered to the window that went
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        EXPECT_TRUE(file.readAll().endsWith("</html>\n"));
    }
}

} // namespace
} // namespace synopter
