#include "language/language_list.h"
#include "language/language_selection.h"
#include "language/translate.h"

#include "common/error.h"
#include "common/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace synopter {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// ---- Language names and the list of language files

TEST(LanguageNameTest, CutsAtTheFirstOccurrenceOfTheExtension)
{
    const struct {
        const char* file;
        const char* name;
    } cases[] = {
        {"English.lng", "English"},
        {"fr.lng.lng", "fr"},
        {"x.LNG", "x"},
        {"a.lng.LNG", "a.lng"}, // the extension text is matched as written
        {"De.lngua.lng", "De"}, // ".lng" first occurs inside ".lngua"
        {".lng", ""},
        {"Ελληνικά.lng", "Ελληνικά"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageName(c.file), c.name) << c.file;
}

TEST(ListLanguageFilesTest, ListsFilesAndFoldersWithTheirPictures)
{
    test::TempFolder folder;
    folder.Write("English.lng", "");
    folder.Write("English.bmp", "BM");
    folder.Write("fr.lng.lng", "");
    folder.Write("fr.bmp", "BM");
    folder.Write("fr.lng.bmp", "BM"); // not the picture of "fr"
    std::filesystem::create_directory(folder / "x.lng");
    folder.Write(".hidden.lng", "");
    folder.Write("Russian.LNG", "");
    folder.Write("readme.txt", "");
    folder.Write("Deutsch.lng.bak", "");

    std::vector<std::pair<std::string, std::string>> found;
    for (const LanguageFile& f : ListLanguageFiles(folder.Path()))
        found.emplace_back(f.name, f.picturePath);
    EXPECT_THAT(found, ElementsAre(std::make_pair(std::string(".hidden"), std::string()),
                                   std::make_pair(std::string("English"), folder / "English.bmp"),
                                   std::make_pair(std::string("fr"), folder / "fr.bmp"),
                                   std::make_pair(std::string("Russian"), std::string()),
                                   std::make_pair(std::string("x"), std::string())));
}

TEST(ListLanguageFilesTest, FilesNameThemselvesAndTheirLocale)
{
    test::TempFolder folder;
    folder.Write("Russian.lng", "[Form1]\ncompare=x\n[Language]\nName=Русский\nLocale=ru\n");
    folder.Write("fr.lng", "[Form1]\n");
    std::filesystem::create_directory(folder / "x.lng");
    std::vector<std::tuple<std::string, std::string, std::string>> found;
    for (const LanguageFile& f : ListLanguageFiles(folder.Path()))
        found.emplace_back(f.name, f.ownName, f.locale);
    EXPECT_THAT(found, ::testing::UnorderedElementsAre(std::make_tuple("Russian", "Русский", "ru"),
                                                       std::make_tuple("fr", "", ""), std::make_tuple("x", "", "")));
}

TEST(ListLanguageFilesTest, MissingFolderListsNothing)
{
    EXPECT_THAT(ListLanguageFiles("/nonexistent/synopter/"), IsEmpty());
}

TEST(EntryHeightTest, OnlyTallerPicturesRaiseIt)
{
    const struct {
        std::vector<int> pictures;
        int height;
    } cases[] = {
        {{}, 16},
        {{14}, 16},
        {{16}, 16},
        {{17}, 18},
        {{20, 30}, 31},
        {{30, 20}, 31},
        {{20, 21}, 21}, // 21 is not taller than the raised height 21
        {{20, 22}, 23},
    };
    for (const auto& c : cases) {
        int height = kInitialEntryHeight;
        for (const int picture : c.pictures)
            height = RaisedEntryHeight(height, picture);
        EXPECT_EQ(height, c.height) << ::testing::PrintToString(c.pictures);
    }
}

// ---- The start-up and menu flows

// The dialog as the flows see it: the list comes from the folder; the user's
// answer is scripted.
class FakeDialog : public LanguageChoice {
public:
    explicit FakeDialog(std::string dir) : dir_(std::move(dir)) {}

    void FillLanguageList() override
    {
        entries.clear();
        for (const LanguageFile& f : ListLanguageFiles(dir_))
            entries.push_back(f.name);
        selected = entries.empty() ? -1 : 0;
    }
    int EntryCount() const override { return int(entries.size()); }
    std::string EntryText(int index) const override { return entries.at(size_t(index)); }
    void SelectEntry(int index) override { selected = index; }
    std::string SelectedText() const override { return selected < 0 ? "" : entries.at(size_t(selected)); }
    int SystemLanguageEntry() const override { return systemEntry; }
    bool ShowModal() override
    {
        ++shown;
        selectedWhenShown = selected;
        if (answer >= 0)
            selected = answer;
        return answer >= 0;
    }

    std::vector<std::string> entries;
    int selected = -1;
    int shown = 0;
    int selectedWhenShown = -1;
    int answer = 0; // the entry the user picks before OK; -1 closes without OK
    int systemEntry = -1; // the entry serving the system's language

private:
    std::string dir_;
};

class LanguageFlowTest : public ::testing::Test {
protected:
    LanguageFlowTest() : dialog(folder.Path()) {}

    void Languages(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            folder.Write(std::string(name) + ".lng", "[Form1]\n");
    }
    std::string Settings() const { return folder.Read("kelvane.ini"); }

    test::TempFolder folder;
    FakeDialog dialog;
    InterfaceLanguage language{folder.Path()};
};

TEST_F(LanguageFlowTest, SingleLanguageIsTakenAndStoredWithoutAsking)
{
    Languages({"English"});
    EXPECT_TRUE(SettleStartupLanguage(dialog, language));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(language.Name(), "English");
    EXPECT_EQ(Settings(), "[General]\r\nLanguage=English\r\n");
}

TEST_F(LanguageFlowTest, StoredLanguageStillListedIsKeptWithoutAskingOrWriting)
{
    Languages({"English", "Russian"});
    const std::string settings = "[Init]\r\nAmount=20\r\n[general]\r\nlanguage=Russian\r\n";
    folder.Write("kelvane.ini", settings);
    EXPECT_TRUE(SettleStartupLanguage(dialog, language));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(language.Name(), "Russian");
    EXPECT_EQ(Settings(), settings);
}

TEST_F(LanguageFlowTest, StoredLanguageThatIsNotListedMeansAsking)
{
    const struct {
        const char* name;
        const char* stored;
    } cases[] = {
        {"letter case differs", "russian"},
        {"file gone", "Deutsch"},
        {"empty value", ""},
    };
    Languages({"English", "Russian"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("kelvane.ini", std::string("[General]\r\nLanguage=") + c.stored + "\r\n");
        language.Set({});
        dialog.shown = 0;
        dialog.answer = 1;
        EXPECT_TRUE(SettleStartupLanguage(dialog, language));
        EXPECT_EQ(dialog.shown, 1);
        EXPECT_EQ(dialog.selectedWhenShown, 0); // opens on the first entry
        EXPECT_EQ(language.Name(), "Russian");
        EXPECT_EQ(Settings(), "[General]\r\nLanguage=Russian\r\n");
    }
}

TEST_F(LanguageFlowTest, SystemLanguageDecidesOnlyWhereNothingIsStored)
{
    const struct {
        const char* name;
        const char* stored; // nullptr: no settings file
        int systemEntry;
        int shown;
        const char* taken;
    } cases[] = {
        {"first start in a listed language", nullptr, 1, 0, "Russian"},
        {"first start in another language", nullptr, -1, 1, "English"},
        {"stored language outranks the system's", "English", 1, 0, "English"},
        {"stored language gone", "Deutsch", 1, 0, "Russian"},
    };
    Languages({"English", "Russian"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder / "kelvane.ini");
        if (c.stored)
            folder.Write("kelvane.ini", std::string("[General]\r\nLanguage=") + c.stored + "\r\n");
        language.Set({});
        dialog.shown = 0;
        dialog.answer = 0;
        dialog.systemEntry = c.systemEntry;
        EXPECT_TRUE(SettleStartupLanguage(dialog, language));
        EXPECT_EQ(dialog.shown, c.shown);
        EXPECT_EQ(language.Name(), c.taken);
        EXPECT_EQ(Settings(), std::string("[General]\r\nLanguage=") + c.taken + "\r\n");
    }
}

TEST_F(LanguageFlowTest, NoLanguageFilesMeansNoLanguage)
{
    folder.Write("kelvane.ini", "[General]\r\nLanguage=English\r\n");
    EXPECT_TRUE(SettleStartupLanguage(dialog, language));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(language.Name(), "");
    EXPECT_EQ(Settings(), "[General]\r\nLanguage=English\r\n");
}

TEST_F(LanguageFlowTest, CancelAtStartUpWritesNothing)
{
    Languages({"English", "Russian"});
    dialog.answer = -1;
    EXPECT_FALSE(SettleStartupLanguage(dialog, language));
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(language.Name(), "");
    EXPECT_FALSE(std::filesystem::exists(folder / "kelvane.ini"));
}

TEST_F(LanguageFlowTest, UnwritableSettingsFailWithTheChoiceAlreadyMade)
{
    Languages({"English", "Russian"});
    std::filesystem::create_directory(folder / "kelvane.ini"); // reads as empty, cannot be replaced
    dialog.answer = 1;
    try {
        SettleStartupLanguage(dialog, language);
        FAIL() << "no error";
    } catch (const WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + folder / "kelvane.ini");
    }
    EXPECT_EQ(language.Name(), "Russian");
}

TEST_F(LanguageFlowTest, MenuChoiceReplacesTheLanguageAndKeepsOtherSettings)
{
    Languages({"English", "Russian"});
    folder.Write("kelvane.ini", "[Init]\r\nAmount=20\r\n[General]\r\nLanguage=English\r\n");
    language.Set("English");
    dialog.answer = 1;
    EXPECT_TRUE(ChangeLanguage(dialog, language));
    EXPECT_EQ(dialog.selectedWhenShown, 0); // the current language is not preselected
    EXPECT_EQ(language.Name(), "Russian");
    EXPECT_EQ(Settings(), "[Init]\r\nAmount=20\r\n[General]\r\nLanguage=Russian\r\n");
}

TEST_F(LanguageFlowTest, MenuCancelKeepsTheLanguageAndWritesNothing)
{
    Languages({"English", "Russian"});
    folder.Write("kelvane.ini", "[General]\r\nLanguage=English\r\n");
    language.Set("English");
    dialog.answer = -1;
    EXPECT_FALSE(ChangeLanguage(dialog, language));
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(language.Name(), "English");
    EXPECT_EQ(Settings(), "[General]\r\nLanguage=English\r\n");
}

TEST_F(LanguageFlowTest, MenuWithOneLanguageTakesItWithoutAsking)
{
    Languages({"Russian"});
    language.Set("English");
    EXPECT_TRUE(ChangeLanguage(dialog, language));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(language.Name(), "Russian");
    EXPECT_EQ(Settings(), "[General]\r\nLanguage=Russian\r\n");
}

TEST_F(LanguageFlowTest, MenuWithoutLanguageFilesKeepsTheLanguage)
{
    language.Set("English");
    EXPECT_TRUE(ChangeLanguage(dialog, language));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(language.Name(), "English");
    EXPECT_FALSE(std::filesystem::exists(folder / "kelvane.ini"));
}

} // namespace
} // namespace synopter
