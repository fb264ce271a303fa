#include "fonts/private_fonts.h"

#include "common/file_io.h"
#include "fonts/truetype_names.h"

#include <algorithm>
#include <string_view>

namespace synopter {

std::vector<std::string> FontPlatform::ListFontFiles(const std::string& folder)
{
    return ListEntriesWithSuffix(folder, ".ttf");
}

bool PrivateFonts::LoadPrivateFonts(const std::string& folder)
{
    for (const std::string& name : platform_.ListFontFiles(folder))
        RegisterPrivateFont(folder + name);
    platform_.NotifyFontChange();
    return true;
}

int PrivateFonts::RegisterPrivateFont(const std::string& path)
{
    std::string family, subfamily, fullName;
    if (!ReadTrueTypeNames(path, family, subfamily, fullName))
        return 0;
    if (IsFamilyInstalled(family))
        return 0;
    if (static_cast<int>(registered_.size()) >= kCapacity)
        return 0;
    registered_.push_back(path);
    return platform_.AddFontFile(path);
}

bool PrivateFonts::IsFamilyInstalled(const std::string& family)
{
    familyUnderTest_ = family;
    installed_ = false;
    platform_.EnumerateFamilies([this](const std::string& f) { return EnumFamilyCallback(f); });
    return installed_;
}

bool PrivateFonts::EnumFamilyCallback(const std::string& family)
{
    platform_.EnumerateFaces(family, [this](const FontFace& face) { return EnumFaceCallback(face); });
    // Every family is looked at, also after a match.
    return true;
}

bool PrivateFonts::EnumFaceCallback(const FontFace& face)
{
    // The face name is a 32-byte field: at most 31 bytes, up to its first zero byte.
    std::string_view faceName(face.faceName);
    faceName = faceName.substr(0, std::min(faceName.find('\0'), kMaxFaceNameLength));
    if (face.fontType == kTrueTypeFontType && faceName == familyUnderTest_) {
        installed_ = true;
        return false;
    }
    return true;
}

int PrivateFonts::RemovePrivateFonts()
{
    int sum = 0;
    for (const std::string& path : registered_)
        sum += platform_.RemoveFontFile(path);
    registered_.clear();
    platform_.NotifyFontChange();
    return sum;
}

} // namespace synopter
