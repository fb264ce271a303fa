// The built display font and the real font table of this system.

#include "common/file_io.h"
#include "fonts/font_files.h"
#include "fonts/fontconfig_platform.h"
#include "fonts/truetype_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>

// Fontconfig 2.14 loses a few bytes while it parses its configuration files;
// only leaks from that loading are let pass. Fontconfig has no frame pointers,
// so the full stacks are needed to tell them from leaks of our own.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:FcInitLoadConfigAndFonts\n";
}

namespace synopter {
namespace {

const std::string kRiruziPath = SYNOPTER_PROGRAM_DIR "/Fonts/Riruzi.ttf";

std::uint32_t U16(const std::string& b, size_t at)
{
    return (std::uint32_t(std::uint8_t(b.at(at))) << 8) | std::uint8_t(b.at(at + 1));
}

std::uint32_t U32(const std::string& b, size_t at)
{
    return (U16(b, at) << 16) | U16(b, at + 2);
}

// Just enough of a TrueType file to follow a character to its outline.
class Sfnt {
public:
    explicit Sfnt(std::string bytes) : bytes_(std::move(bytes))
    {
        for (size_t i = 0; i < U16(bytes_, 4); ++i) {
            const size_t r = 12 + 16 * i;
            tables_[bytes_.substr(r, 4)] = {U32(bytes_, r + 8), U32(bytes_, r + 12)};
        }
    }

    std::string Table(const std::string& tag) const
    {
        const auto it = tables_.find(tag);
        return it == tables_.end() ? std::string() : bytes_.substr(it->second.first, it->second.second);
    }

    // The glyph of a character through the Windows Unicode BMP map (format 4).
    std::optional<std::uint32_t> Glyph(char16_t c) const
    {
        const std::string cmap = Table("cmap");
        for (size_t i = 0; i < U16(cmap, 2); ++i) {
            const size_t rec = 4 + 8 * i;
            const size_t sub = U32(cmap, rec + 4);
            if (U16(cmap, rec) != 3 || U16(cmap, rec + 2) != 1 || U16(cmap, sub) != 4)
                continue;
            const size_t segments = U16(cmap, sub + 6) / 2;
            const size_t ends = sub + 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
                         ranges = deltas + 2 * segments;
            for (size_t s = 0; s < segments; ++s) {
                if (c > U16(cmap, ends + 2 * s))
                    continue;
                if (c < U16(cmap, starts + 2 * s))
                    return std::nullopt;
                const std::uint32_t range = U16(cmap, ranges + 2 * s);
                std::uint32_t glyph = c;
                if (range != 0) {
                    glyph = U16(cmap, ranges + 2 * s + range + 2 * (c - U16(cmap, starts + 2 * s)));
                    if (glyph == 0)
                        return std::nullopt;
                }
                return (glyph + U16(cmap, deltas + 2 * s)) & 0xFFFF;
            }
        }
        return std::nullopt;
    }

    // The outline data of a glyph as stored in 'glyf'.
    std::string Outline(std::uint32_t glyph) const
    {
        const std::string loca = Table("loca");
        const bool longOffsets = U16(Table("head"), 50) == 1;
        const auto at = [&](std::uint32_t g) { return longOffsets ? U32(loca, 4 * g) : 2 * U16(loca, 2 * g); };
        return Table("glyf").substr(at(glyph), at(glyph + 1) - at(glyph));
    }

    std::string OutlineOf(char16_t c) const
    {
        const auto glyph = Glyph(c);
        return glyph ? Outline(*glyph) : std::string();
    }

private:
    std::string bytes_;
    std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> tables_;
};

std::optional<Sfnt> LoadFont(const std::string& path)
{
    if (!FileExists(path))
        return std::nullopt;
    return Sfnt(*ReadFileBytes(path, kMaxEditionTextBytes));
}

TEST(RiruziFont, NamesAreRiruziOnly)
{
    const auto font = LoadFont(kRiruziPath);
    if (!font)
        GTEST_SKIP() << kRiruziPath << " has not been built";
    std::string family, subfamily, fullName;
    ASSERT_TRUE(ReadTrueTypeNames(kRiruziPath, family, subfamily, fullName));
    EXPECT_EQ(family, "Riruzi");
    EXPECT_EQ(subfamily, "Regular");
    EXPECT_EQ(fullName, "Riruzi Regular");

    const std::string name = font->Table("name");
    ASSERT_EQ(U16(name, 0), 0u);
    const size_t storage = U16(name, 4);
    std::map<std::uint32_t, int> ids;
    for (size_t i = 0; i < U16(name, 2); ++i) {
        const size_t r = 6 + 12 * i;
        const std::uint32_t id = U16(name, r + 6);
        SCOPED_TRACE(id);
        EXPECT_NE(U16(name, r), 1u) << "no Macintosh names";
        ++ids[id];
        const std::string text = name.substr(storage + U16(name, r + 10), U16(name, r + 8));
        if (id == 1 || id == 16 || id == 21) {
            EXPECT_EQ(text, test::Utf16(u"Riruzi"));
        }
        EXPECT_EQ(text.find(test::Utf16(u"Noto Serif")), std::string::npos);
    }
    EXPECT_EQ(ids.count(0), 1u) << "copyright kept";
    EXPECT_EQ(ids.count(13), 1u) << "licence kept";
    EXPECT_TRUE(FileExists(SYNOPTER_PROGRAM_DIR "/Fonts/Riruzi-LICENSE.txt"));
}

TEST(RiruziFont, LatinLettersDrawTheGreekGlyphs)
{
    const auto riruzi = LoadFont(kRiruziPath);
    const auto base = LoadFont(SYNOPTER_RIRUZI_BASE_FONT);
    if (!riruzi || !base)
        GTEST_SKIP() << "Riruzi or its base font is missing";
    const std::u16string latin = u"abgdezhyiklmnxoprsvtufcqwABGDEZHYIKLMNXOPRSVTUFCQW";
    const std::u16string greek = u"αβγδεζηθικλμνξοπρσςτυφχψωΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΣΤΥΦΧΨΩ";
    ASSERT_EQ(latin.size(), greek.size());
    for (size_t i = 0; i < latin.size(); ++i) {
        SCOPED_TRACE(char(latin[i]));
        const std::string outline = base->OutlineOf(greek[i]);
        ASSERT_FALSE(outline.empty());
        EXPECT_EQ(riruzi->OutlineOf(latin[i]), outline);
        EXPECT_NE(riruzi->Glyph(latin[i]), base->Glyph(latin[i]));
    }
    // Everything else keeps its glyph: digits, space, punctuation, j, Latin-1, Greek.
    std::u16string kept = u" 0123456789.,;:'!?()[]-jJ\u03B1\u03A9";
    for (char16_t c = 0xA0; c <= 0xFF; ++c)
        kept += c;
    for (char16_t c : kept) {
        SCOPED_TRACE(int(c));
        EXPECT_EQ(riruzi->Glyph(c), base->Glyph(c));
    }
}

TEST(FontconfigPlatform, RegistersRiruziForTheRunAndRemovesIt)
{
    if (!FileExists(kRiruziPath))
        GTEST_SKIP() << kRiruziPath << " has not been built";
    FontconfigPlatform platform;
    PrivateFonts fonts(platform);
    if (fonts.IsFamilyInstalled("Riruzi"))
        GTEST_SKIP() << "Riruzi is installed on this system";

    const test::TempFolder folder;
    std::filesystem::copy_file(kRiruziPath, folder.path() + "Riruzi.ttf");
    fonts.LoadPrivateFonts(folder.path());
    ASSERT_EQ(fonts.RegisteredFonts(), std::vector<std::string>{folder.path() + "Riruzi.ttf"});
    EXPECT_TRUE(fonts.IsFamilyInstalled("Riruzi"));
    EXPECT_FALSE(fonts.IsFamilyInstalled("riruzi"));

    // Fontconfig matches the family loosely; the face still carries its own name.
    std::vector<std::pair<std::string, int>> faces;
    platform.EnumerateFaces("RIRUZI", [&](const FontFace& face) {
        faces.emplace_back(face.faceName, face.fontType);
        return true;
    });
    EXPECT_EQ(faces, (std::vector<std::pair<std::string, int>>{{"Riruzi", kTrueTypeFontType}}));

    EXPECT_GT(fonts.RemovePrivateFonts(), 0);
    EXPECT_FALSE(fonts.IsFamilyInstalled("Riruzi"));
}

TEST(FontconfigPlatform, RemovingOneFileKeepsTheOthers)
{
    if (!FileExists(kRiruziPath))
        GTEST_SKIP() << kRiruziPath << " has not been built";
    FontconfigPlatform platform;
    PrivateFonts probe(platform);
    if (probe.IsFamilyInstalled("Riruzi"))
        GTEST_SKIP() << "Riruzi is installed on this system";
    const test::TempFolder folder;
    const std::string first = folder.path() + "one.ttf", second = folder.path() + "two.ttf";
    std::filesystem::copy_file(kRiruziPath, first);
    std::filesystem::copy_file(kRiruziPath, second);

    EXPECT_EQ(platform.AddFontFile(first), 1);
    EXPECT_EQ(platform.AddFontFile(second), 1);
    EXPECT_EQ(platform.RemoveFontFile(first), 1);
    EXPECT_EQ(platform.RemoveFontFile(first), 0);
    EXPECT_TRUE(probe.IsFamilyInstalled("Riruzi"));
    EXPECT_EQ(platform.RemoveFontFile(second), 1);
    EXPECT_FALSE(probe.IsFamilyInstalled("Riruzi"));
    EXPECT_EQ(platform.AddFontFile(folder.path() + "absent.ttf"), 0);
}

} // namespace
} // namespace synopter
