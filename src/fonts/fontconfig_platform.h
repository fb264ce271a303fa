#pragma once

#include "fonts/private_fonts.h"

#include <string>

struct _FcConfig;

namespace synopter {

// The system's fonts as fontconfig knows them. Added files go into the
// application font set of the configuration current at construction: private
// to this process and gone with it. Qt reads fontconfig's list once, when its
// font database is first used, so files must be added before the QApplication
// is created. The configuration is held until destruction, because Qt lets go
// of it when the QApplication ends and the removal comes after that.
class FontconfigPlatform : public FontPlatform {
public:
    FontconfigPlatform();
    ~FontconfigPlatform() override;
    FontconfigPlatform(const FontconfigPlatform&) = delete;
    FontconfigPlatform& operator=(const FontconfigPlatform&) = delete;

    int AddFontFile(const std::string& path) override;
    int RemoveFontFile(const std::string& path) override;
    // Every family name of every face (a face may carry several).
    void EnumerateFamilies(const FamilyVisitor& visit) override;
    // Faces whose family fontconfig matches to `family` (ignoring case and
    // blanks); each face is named by that family name of its own, cut to 31
    // bytes, and typed kTrueTypeFontType only when its format is "TrueType".
    void EnumerateFaces(const std::string& family, const FaceVisitor& visit) override;

private:
    _FcConfig* config_;
};

// Program entry. Registers the fonts of `fontsFolder` (the program directory +
// "Fonts/") for this process. Call first thing in main(), before the
// QApplication exists. Always true.
bool LoadPrivateFonts(const std::string& fontsFolder);

// Withdraws what LoadPrivateFonts registered. Call once at exit, after the
// windows are gone; a second call does nothing. Returns the number of faces removed.
int RemovePrivateFonts();

// Both ends in one object: construct it before the QApplication, so that it is
// destroyed after the application and its windows on every return from main().
class ScopedPrivateFonts {
public:
    explicit ScopedPrivateFonts(const std::string& fontsFolder) { LoadPrivateFonts(fontsFolder); }
    ~ScopedPrivateFonts() { RemovePrivateFonts(); }
    ScopedPrivateFonts(const ScopedPrivateFonts&) = delete;
    ScopedPrivateFonts& operator=(const ScopedPrivateFonts&) = delete;
};

} // namespace synopter
