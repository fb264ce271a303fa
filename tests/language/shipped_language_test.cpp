// The language files that ship: both name the same texts, English gives the
// built-in ones, Russian is decoded, and Qt's own texts follow.
#include "app/main_window.h"
#include "chapters/ui/chapter_window.h"
#include "common/ini_file.h"
#include "common/ui/panel.h"
#include "language/translate.h"
#include "language/ui/qt_texts.h"
#include "language/ui/translate_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace synopter {
namespace {
// ---- The language files that ship

class ShippedLanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(dir + "English.lng") || !std::filesystem::exists(dir + "Russian.lng"))
            GTEST_SKIP() << "language files not built in " << dir;
        mainWindow = std::make_unique<MainWindow>(dir);
        chapterWindow =
            std::make_unique<ChapterWindow>(mainWindow.get(), dir, mainWindow->Language(), mainWindow->Messages(), nullptr);
    }

    void Translate(const std::string& language)
    {
        mainWindow->Language().Set(language);
        TranslateForm(*mainWindow, mainWindow->Components(), mainWindow->Language());
        chapterWindow->Translate();
    }

    // Caption and hint of every text the language files address.
    std::map<QString, QString> Texts() const
    {
        std::map<QString, QString> texts{{"Form1", mainWindow->windowTitle()}, {"Form2", chapterWindow->windowTitle()}};
        for (QObject* c : mainWindow->Components()) {
            QString caption;
            if (auto* label = qobject_cast<QLabel*>(c))
                caption = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(c))
                caption = button->text();
            else if (auto* action = qobject_cast<QAction*>(c))
                caption = action->text();
            else if (auto* panel = qobject_cast<Panel*>(c))
                caption = panel->Caption();
            texts[c->objectName()] = caption;
            texts[c->objectName() + "_hint"] = c->property("hint").toString();
        }
        return texts;
    }

    const std::string dir = std::string(SYNOPTER_PROGRAM_DIR) + "/";
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<ChapterWindow> chapterWindow;
};

TEST_F(ShippedLanguageTest, BothFilesNameEveryText)
{
    const char* mainWindowKeys[] = {"Form1", "Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "Panel7", "Panel8",
                               "bbStop", "compare", "BitBtn1", "Label5", "Label6", "chbScrollBoth",
                               "exactpositions", "CrearMajoritycomparison1", "Copy1", "ClearTRcomparison1",
                               "Copy2", "View1", "Sourcetexts1", "Interfacelanguage1"};
    const char* hintKeys[] = {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "Panel7", "Panel8", "bbStop",
                              "compare", "BitBtn1", "Label4", "Label5", "Label6", "chbScrollBoth",
                              "exactpositions", "seAmountDiffer"};
    for (const char* file : {"English.lng", "Russian.lng"}) {
        const IniFile lng(dir + file);
        for (const char* key : mainWindowKeys)
            EXPECT_TRUE(lng.Find("Form1", key).has_value()) << file << " " << key;
        for (const char* key : hintKeys)
            EXPECT_TRUE(lng.Find("Form1", std::string(key) + "_hint").has_value()) << file << " " << key;
        EXPECT_TRUE(lng.Find("Form2", "Form2").has_value()) << file;
        // The panes hold results, which no language file may overwrite.
        EXPECT_FALSE(lng.Find("Form1", "RichEdit10").has_value()) << file;
        EXPECT_FALSE(lng.Find("Form1", "RichEdit20").has_value()) << file;
    }
    // Neither file leaves a text of the other untranslated, nor names it twice.
    const auto keys = [this](const char* file) {
        std::map<std::string, int> found; // "[section]key" -> times named
        std::ifstream in(dir + file);
        std::string line, section;
        while (std::getline(in, line)) {
            if (line.starts_with('['))
                section = line;
            else if (!line.empty() && line[0] != ';' && line.find('=') != std::string::npos)
                ++found[section + line.substr(0, line.find('='))];
        }
        return found;
    };
    const std::map<std::string, int> english = keys("English.lng");
    const std::map<std::string, int> russian = keys("Russian.lng");
    for (const auto& [key, times] : english) {
        EXPECT_EQ(times, 1) << key;
        EXPECT_TRUE(russian.contains(key)) << key << " has no Russian";
    }
    for (const auto& [key, times] : russian) {
        EXPECT_EQ(times, 1) << key;
        EXPECT_TRUE(english.contains(key)) << key << " has no English";
    }
}

TEST_F(ShippedLanguageTest, EnglishReproducesTheBuiltInCaptions)
{
    std::map<QString, QString> expected = Texts();
    expected["compare_hint"] = "Start comparing the books (F5)";
    expected["Label4_hint"] = "Number of verses found with differences";
    expected["seAmountDiffer_hint"] = "Length of a difference";
    expected["chbScrollBoth_hint"] = "Scroll the windows together";
    expected["exactpositions_hint"] = "Point out words that changed places?";
    Translate("English");
    EXPECT_EQ(Texts(), expected);
}

TEST_F(ShippedLanguageTest, RussianIsDecodedAndKeepsTheCount)
{
    mainWindow->FoundCountLabel()->setText("57");
    Translate("Russian");
    EXPECT_EQ(mainWindow->CompareButton()->text(), QString::fromUtf8("<--- СРАВНИТЬ --->"));
    EXPECT_EQ(mainWindow->findChild<QAction*>("View1")->text(), QString::fromUtf8("&Вид"));
    EXPECT_EQ(mainWindow->findChild<QAction*>("Interfacelanguage1")->text(), QString::fromUtf8("&Язык интерфейса"));
    EXPECT_EQ(mainWindow->CompareButton()->toolTip(), QString::fromUtf8("Начать сравнение книг (F5)"));
    EXPECT_EQ(chapterWindow->windowTitle(), QString::fromUtf8("Главы"));
    EXPECT_EQ(mainWindow->StopButton()->text(), "X");
    // Assistive technology hears names, not the current edition or an "X".
    EXPECT_EQ(mainWindow->StopButton()->accessibleName(), QString::fromUtf8("Остановить сравнение"));
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->accessibleName(), QString::fromUtf8("Левое издание"));
    EXPECT_EQ(mainWindow->CompareButton()->accessibleDescription(), QString::fromUtf8("Начать сравнение книг (F5)"));
    EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "57");
    // A label grows to its new caption and still ends before the count it names.
    mainWindow->show();
    QApplication::processEvents();
    const QLabel* const foundLabel = mainWindow->findChild<QLabel*>("Label6");
    EXPECT_GE(foundLabel->width(), foundLabel->sizeHint().width());
    EXPECT_LT(foundLabel->geometry().right(), mainWindow->FoundCountLabel()->x());
}

TEST_F(ShippedLanguageTest, QtsOwnTextsFollowTheLanguage)
{
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(translations + "/qtbase_ru.qm"))
        GTEST_SKIP() << "Qt's Russian translation is not installed";
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    mainWindow->Language().Set("Russian");
    FollowInQtTexts(mainWindow->Language());
    EXPECT_EQ(yes(), QString::fromUtf8("&Да"));
    mainWindow->Language().Set("English");
    FollowInQtTexts(mainWindow->Language());
    EXPECT_EQ(yes(), "&Yes");
}

} // namespace
} // namespace synopter
