#include "fonts/private_fonts.h"

#include "common/ascii.h"
#include "fonts/font_files.h"
#include "fonts/truetype_names.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace synopter {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A font table in memory. Families are matched ignoring letter case, as real
// platforms do, and each face is reported under its own name. An added file
// installs its family as TrueType, so later files of that family see it.
class FakePlatform : public FontPlatform {
public:
    struct Family {
        std::string name;
        std::vector<FontFace> faces;
    };

    void Install(const std::string& family, int fontType = kTrueTypeFontType, std::string faceName = "")
    {
        families.push_back({family, {{faceName.empty() ? family : faceName, fontType}}});
    }

    int AddFontFile(const std::string& path) override
    {
        added.push_back(path);
        std::string family, subfamily, fullName;
        if (addResult != 0 && ReadTrueTypeNames(path, family, subfamily, fullName))
            Install(family);
        return addResult;
    }
    int RemoveFontFile(const std::string& path) override
    {
        removed.push_back(path);
        return removeResult;
    }
    void EnumerateFamilies(const FamilyVisitor& visit) override
    {
        for (const Family& f : families) {
            ++familiesVisited;
            if (!visit(f.name))
                return;
        }
    }
    void EnumerateFaces(const std::string& family, const FaceVisitor& visit) override
    {
        for (const Family& f : families)
            if (ascii::EqualsIgnoreCase(f.name, family))
                for (const FontFace& face : f.faces)
                    if (!visit(face))
                        return;
    }
    void NotifyFontChange() override { ++notices; }

    std::vector<Family> families;
    std::vector<std::string> added, removed;
    int addResult = 1;
    int removeResult = 1;
    int familiesVisited = 0;
    int notices = 0;
};

std::string FontNamed(const std::string& family)
{
    std::u16string wide(family.begin(), family.end());
    return test::FontWithNames({{1, test::Utf16(wide)}});
}

struct InstalledCase {
    const char* what;
    std::string installedFamily;
    int fontType;
    std::string faceName; // empty: the family name
    std::string familyUnderTest;
    bool installed;
};

TEST(PrivateFonts, InstalledCheckWantsTheExactTrueTypeName)
{
    const std::string name31(31, 'N');
    const std::string name32(32, 'N');
    const InstalledCase cases[] = {
        {"same TrueType family", "Riruzi", kTrueTypeFontType, "", "Riruzi", true},
        {"letter case differs", "riruzi", kTrueTypeFontType, "", "Riruzi", false},
        {"raster font", "Riruzi", kRasterFontType, "", "Riruzi", false},
        {"vector font", "Riruzi", 0, "", "Riruzi", false},
        {"TrueType with another type bit", "Riruzi", kTrueTypeFontType | kDeviceFontType, "", "Riruzi", false},
        {"other family", "Arial", kTrueTypeFontType, "", "Riruzi", false},
        {"empty family under test", "Riruzi", kTrueTypeFontType, "", "", false},
        {"31 characters fit the face name", name31, kTrueTypeFontType, "", name31, true},
        {"32 characters never match", name32, kTrueTypeFontType, "", name32, false},
        {"face name ends at a zero byte", "Riruzi", kTrueTypeFontType, std::string("Riruzi\0x", 8), "Riruzi", true},
    };
    for (const InstalledCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform platform;
        platform.Install("Before");
        platform.Install(c.installedFamily, c.fontType, c.faceName);
        platform.Install("After");
        PrivateFonts fonts(platform);
        EXPECT_EQ(fonts.IsFamilyInstalled(c.familyUnderTest), c.installed);
        EXPECT_EQ(platform.familiesVisited, 3) << "every family is looked at, also after a match";
    }
}

TEST(PrivateFonts, RegistersForTheRunAndRemovesAtExit)
{
    const test::TempFolder folder;
    test::WriteBytes(folder.path() + "Riruzi.ttf", FontNamed("Riruzi"));
    FakePlatform platform;
    PrivateFonts fonts(platform);

    EXPECT_TRUE(fonts.LoadPrivateFonts(folder.path()));
    const std::string path = folder.path() + "Riruzi.ttf";
    EXPECT_THAT(fonts.RegisteredFonts(), ElementsAre(path));
    EXPECT_THAT(platform.added, ElementsAre(path));
    EXPECT_EQ(platform.notices, 1);

    platform.removeResult = 7;
    EXPECT_EQ(fonts.RemovePrivateFonts(), 7);
    EXPECT_THAT(platform.removed, ElementsAre(path));
    EXPECT_EQ(platform.notices, 2);

    // A second removal finds nothing left to remove.
    EXPECT_EQ(fonts.RemovePrivateFonts(), 0);
    EXPECT_THAT(platform.removed, ElementsAre(path));
}

struct FolderCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files; // name, bytes; bytes "/" make a folder
    std::vector<std::string> registered;
    std::vector<std::string> installed = {}; // TrueType families on the system
};

TEST(PrivateFonts, WhichFilesOfTheFolderAreRegistered)
{
    const FolderCase cases[] = {
        {"family installed already", {{"Riruzi.ttf", FontNamed("Riruzi")}}, {}, {"Riruzi"}},
        {"capital extension", {{"GREEK.TTF", FontNamed("Greek")}}, {"GREEK.TTF"}},
        {"other extensions are not listed",
         {{"a.otf", FontNamed("A")}, {"b.ttf.bak", FontNamed("B")}, {"c.ttfx", FontNamed("C")}}, {}},
        {"not a TrueType font",
         {{"cff.ttf", test::FontBytes({{"name", test::NameTable({{1, test::Utf16(u"Cff")}})}}, "OTTO")},
          {"text.ttf", "just text"},
          {"folder.ttf", "/"}},
         {}},
        {"no family record: registered under the empty family", {{"anon.ttf", test::FontWithNames({{2, test::Utf16(u"Bold")}})}}, {"anon.ttf"}},
        {"one family in two files: the first in name order wins",
         {{"SerifBold.ttf", FontNamed("Serif")}, {"Serif.ttf", FontNamed("Serif")}, {"sans.ttf", FontNamed("Sans")}},
         {"sans.ttf", "Serif.ttf"}},
        {"families differing in letter case are both registered",
         {{"a.ttf", FontNamed("Riruzi")}, {"b.ttf", FontNamed("RIRUZI")}}, {"a.ttf", "b.ttf"}},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempFolder folder;
        for (const auto& [name, bytes] : c.files) {
            if (bytes == "/")
                std::filesystem::create_directory(folder.path() + name);
            else
                test::WriteBytes(folder.path() + name, bytes);
        }
        FakePlatform platform;
        for (const std::string& family : c.installed)
            platform.Install(family);
        PrivateFonts fonts(platform);
        fonts.LoadPrivateFonts(folder.path());
        EXPECT_EQ(platform.notices, 1);
        std::vector<std::string> expected;
        for (const std::string& name : c.registered)
            expected.push_back(folder.path() + name);
        EXPECT_EQ(fonts.RegisteredFonts(), expected);
        EXPECT_EQ(platform.added, expected);
    }
}

TEST(PrivateFonts, MissingFolderStillAnnounces)
{
    FakePlatform platform;
    PrivateFonts fonts(platform);
    EXPECT_TRUE(fonts.LoadPrivateFonts("/nonexistent/synopter/Fonts/"));
    EXPECT_THAT(fonts.RegisteredFonts(), IsEmpty());
    EXPECT_EQ(platform.notices, 1);
}

TEST(PrivateFonts, ListHoldsAtMost101Fonts)
{
    const test::TempFolder folder;
    for (int i = 0; i < 102; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%03d", i);
        test::WriteBytes(folder.path() + name + ".ttf", FontNamed(name));
    }
    FakePlatform platform;
    PrivateFonts fonts(platform);
    fonts.LoadPrivateFonts(folder.path());
    ASSERT_EQ(fonts.RegisteredFonts().size(), 101u);
    EXPECT_EQ(fonts.RegisteredFonts().back(), folder.path() + "f100.ttf");
    EXPECT_EQ(platform.added.size(), 101u);
    // The 102nd file was still checked against the installed families.
    EXPECT_EQ(platform.familiesVisited, 101 * 102 / 2);
}

TEST(PrivateFonts, FailedAddIsStillRemovedAtExit)
{
    const test::TempFolder folder;
    test::WriteBytes(folder.path() + "a.ttf", FontNamed("A"));
    test::WriteBytes(folder.path() + "b.ttf", FontNamed("B"));
    FakePlatform platform;
    platform.addResult = 0;
    platform.removeResult = 0;
    PrivateFonts fonts(platform);
    EXPECT_EQ(fonts.RegisterPrivateFont(folder.path() + "a.ttf"), 0);
    EXPECT_EQ(fonts.RegisterPrivateFont(folder.path() + "b.ttf"), 0);
    EXPECT_EQ(fonts.RegisteredFonts().size(), 2u);
    EXPECT_EQ(fonts.RemovePrivateFonts(), 0);
    EXPECT_EQ(platform.removed.size(), 2u);
}

} // namespace
} // namespace synopter
