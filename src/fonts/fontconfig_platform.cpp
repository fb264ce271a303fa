#include "fonts/fontconfig_platform.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

namespace synopter {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using ObjectSetPtr = std::unique_ptr<FcObjectSet, ObjectSetDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;

const FcChar8* Fc(const std::string& text)
{
    return reinterpret_cast<const FcChar8*>(text.c_str());
}

// The faces matching `pattern`, with the given properties. Always an explicit
// configuration: a null one would let fontconfig rebuild itself from the disk
// and drop the application fonts.
FontSetPtr ListFonts(FcConfig* config, const FcPattern* pattern, std::initializer_list<const char*> objects)
{
    ObjectSetPtr set(FcObjectSetCreate());
    if (!set)
        return nullptr;
    for (const char* object : objects)
        FcObjectSetAdd(set.get(), object);
    return FontSetPtr(FcFontList(config, const_cast<FcPattern*>(pattern), set.get()));
}

std::vector<std::string> Strings(const FcPattern* face, const char* object)
{
    std::vector<std::string> values;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(face, object, i, &value) == FcResultMatch; ++i)
        values.emplace_back(reinterpret_cast<const char*>(value));
    return values;
}

// Family names as fontconfig lists them: letter case and blanks do not count.
bool SameFamilyLoosely(std::string_view a, std::string_view b)
{
    const auto next = [](std::string_view& s) -> int {
        while (!s.empty() && s.front() == ' ')
            s.remove_prefix(1);
        if (s.empty())
            return -1;
        char c = s.front();
        s.remove_prefix(1);
        return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : static_cast<unsigned char>(c);
    };
    for (;;) {
        const int x = next(a);
        const int y = next(b);
        if (x != y)
            return false;
        if (x < 0)
            return true;
    }
}

int ApplicationFontCount(FcConfig* config)
{
    const FcFontSet* set = FcConfigGetFonts(config, FcSetApplication);
    return set ? set->nfont : 0;
}

} // namespace

FontconfigPlatform::FontconfigPlatform() : config_(FcConfigReference(nullptr)) {}

FontconfigPlatform::~FontconfigPlatform()
{
    if (config_)
        FcConfigDestroy(config_);
}

int FontconfigPlatform::AddFontFile(const std::string& path)
{
    FcConfig* config = config_;
    if (!config)
        return 0;
    const int before = ApplicationFontCount(config);
    if (!FcConfigAppFontAddFile(config, Fc(path)))
        return 0;
    return ApplicationFontCount(config) - before;
}

int FontconfigPlatform::RemoveFontFile(const std::string& path)
{
    // Fontconfig can only clear the whole application set: clear it and add
    // the other files again.
    FcConfig* config = config_;
    const FcFontSet* set = config ? FcConfigGetFonts(config, FcSetApplication) : nullptr;
    if (!set)
        return 0;
    int removed = 0;
    std::vector<std::string> others;
    for (int i = 0; i < set->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        const std::string name(reinterpret_cast<const char*>(file));
        if (name == path)
            ++removed;
        else if (std::find(others.begin(), others.end(), name) == others.end())
            others.push_back(name);
    }
    if (removed == 0)
        return 0;
    FcConfigAppFontClear(config);
    for (const std::string& other : others)
        FcConfigAppFontAddFile(config, Fc(other));
    return removed;
}

void FontconfigPlatform::EnumerateFamilies(const FamilyVisitor& visit)
{
    std::vector<std::string> families;
    {
        const PatternPtr all(FcPatternCreate());
        if (!config_ || !all)
            return;
        const FontSetPtr fonts = ListFonts(config_, all.get(), {FC_FAMILY});
        if (!fonts)
            return;
        std::set<std::string> seen;
        for (int i = 0; i < fonts->nfont; ++i)
            for (std::string& family : Strings(fonts->fonts[i], FC_FAMILY))
                if (seen.insert(family).second)
                    families.push_back(std::move(family));
    }
    for (const std::string& family : families)
        if (!visit(family))
            return;
}

void FontconfigPlatform::EnumerateFaces(const std::string& family, const FaceVisitor& visit)
{
    std::vector<FontFace> faces;
    {
        const PatternPtr wanted(FcPatternCreate());
        if (!config_ || !wanted || !FcPatternAddString(wanted.get(), FC_FAMILY, Fc(family)))
            return;
        const FontSetPtr fonts = ListFonts(config_, wanted.get(), {FC_FAMILY, FC_FONTFORMAT, FC_OUTLINE, FC_FILE, FC_INDEX});
        if (!fonts)
            return;
        for (int i = 0; i < fonts->nfont; ++i) {
            const FcPattern* font = fonts->fonts[i];
            const std::vector<std::string> names = Strings(font, FC_FAMILY);
            if (names.empty())
                continue;
            FontFace face;
            face.faceName = names.front();
            for (const std::string& name : names)
                if (SameFamilyLoosely(name, family)) {
                    face.faceName = name;
                    break;
                }
            if (face.faceName.size() > kMaxFaceNameLength)
                face.faceName.resize(kMaxFaceNameLength);

            const std::vector<std::string> formats = Strings(font, FC_FONTFORMAT);
            FcBool outline = FcTrue;
            FcPatternGetBool(font, FC_OUTLINE, 0, &outline);
            if (!formats.empty() && formats.front() == "TrueType")
                face.fontType = kTrueTypeFontType;
            else if (!outline)
                face.fontType = kRasterFontType;
            else
                face.fontType = 0;
            faces.push_back(std::move(face));
        }
    }
    for (const FontFace& face : faces)
        if (!visit(face))
            return;
}

namespace {

PrivateFonts& ProcessFonts()
{
    static FontconfigPlatform platform;
    static PrivateFonts fonts(platform);
    return fonts;
}

} // namespace

bool LoadPrivateFonts(const std::string& fontsFolder)
{
    return ProcessFonts().LoadPrivateFonts(fontsFolder);
}

int RemovePrivateFonts()
{
    return ProcessFonts().RemovePrivateFonts();
}

} // namespace synopter
