#pragma once

#include <functional>
#include <string>
#include <vector>

namespace synopter {

// Font types as the face enumeration reports them; only exactly
// kTrueTypeFontType counts when looking for an installed family.
inline constexpr int kRasterFontType = 1;
inline constexpr int kDeviceFontType = 2;
inline constexpr int kTrueTypeFontType = 4;

// Face names are delivered as a 32-byte field ending in a zero byte.
inline constexpr size_t kMaxFaceNameLength = 31;

struct FontFace {
    std::string faceName; // at most kMaxFaceNameLength bytes
    int fontType = 0;
};

// What the provisioning logic needs of the system's font handling.
class FontPlatform {
public:
    // Visitors return true to go on, false to end that enumeration.
    using FamilyVisitor = std::function<bool(const std::string& family)>;
    using FaceVisitor = std::function<bool(const FontFace& face)>;

    virtual ~FontPlatform() = default;

    // Names of the entries of `folder` ending in ".ttf" in any letter case,
    // files or not, in listing order; a missing folder gives none.
    virtual std::vector<std::string> ListFontFiles(const std::string& folder);

    // Makes the fonts of the file usable by this process at once, for the
    // installed check too. Returns the number of fonts added, 0 on failure.
    virtual int AddFontFile(const std::string& path) = 0;

    // Withdraws the fonts of a file added before. Nonzero on success.
    virtual int RemoveFontFile(const std::string& path) = 0;

    // Every installed family once.
    virtual void EnumerateFamilies(const FamilyVisitor& visit) = 0;

    // Every face of one family, as the system matches family names.
    virtual void EnumerateFaces(const std::string& family, const FaceVisitor& visit) = 0;

    // Tells the system's windows that the font table changed; nothing by default.
    virtual void NotifyFontChange() {}
};

// The fonts of the program's fonts folder, registered for the run and removed
// at exit. Only files whose family the system lacks are registered, so an
// installed copy of a family always wins over ours.
class PrivateFonts {
public:
    // Size of the registered list; further files are skipped.
    static constexpr int kCapacity = 101;

    explicit PrivateFonts(FontPlatform& platform) : platform_(platform) {}
    PrivateFonts(const PrivateFonts&) = delete;
    PrivateFonts& operator=(const PrivateFonts&) = delete;

    // Registers every "*.ttf" entry of `folder` (ending in a separator) in
    // listing order, then announces the change. Always true.
    bool LoadPrivateFonts(const std::string& folder);

    // Registers one file unless it is no accepted TrueType font, its family is
    // installed already (a file registered earlier counts), or the list is full.
    // Returns the number of fonts the platform added, 0 when skipped. A path is
    // recorded before the platform is asked, so a failed add is still removed at exit.
    int RegisterPrivateFont(const std::string& path);

    // Whether the system lists a TrueType face whose name equals `family`
    // exactly, letter case included.
    bool IsFamilyInstalled(const std::string& family);

    // Removes every recorded file, announces the change, and empties the list,
    // so a second call removes nothing. Returns the sum of the platform's results.
    int RemovePrivateFonts();

    const std::vector<std::string>& RegisteredFonts() const { return registered_; }

private:
    bool EnumFamilyCallback(const std::string& family);
    bool EnumFaceCallback(const FontFace& face);

    FontPlatform& platform_;
    std::vector<std::string> registered_;
    std::string familyUnderTest_;
    bool installed_ = false;
};

} // namespace synopter
