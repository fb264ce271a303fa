#pragma once

#include "common/file_io.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// An edition is a descriptor "<name>.bk" and a text "<name>.dat" in the program directory.

// The name of an edition from its descriptor's file name: the text before the
// first ".bk" in small letters ("alpha.bk.bk" gives "alpha", "ALPHA.BK" "").
std::string EditionName(std::string_view fileName);

// The catalogue: the edition names of every "*.bk" entry in `folder` (letter case
// ignored, folders and hidden entries too), sorted by name ignoring letter case.
// No duplicate test.
std::vector<std::string> ListEditions(const std::string& folder);

// The catalogue over several folders: each name once, from the first folder
// that lists it, all sorted by name ignoring letter case.
std::vector<std::string> ListEditions(const std::vector<std::string>& folders);

// An edition of the folder that cannot be used: a text "NAME.dat" without its
// descriptor (a hand-copied half, an import cut short). The choosers list
// editions by descriptor, so it would otherwise go unseen.
struct DamagedEdition {
    std::string name;
    std::string problem; // "damaged edition, NAME.bk is missing"
};
std::vector<DamagedEdition> ListDamagedEditions(const std::string& folder);

// The first of `folders` holding the edition's text; the first folder when none does.
std::string EditionFolder(const std::vector<std::string>& folders, std::string_view name);

struct EditionDescriptor {
    std::optional<std::string> fontFace; // [TextFont] Name, up to 31 characters; nullopt or empty: keep the face
    std::string information;             // [English] Information
    std::string siglum;                  // [English] Siglum, the edition's short name in an apparatus
    std::string hand;                    // [Manuscript] Hand of a manuscript: first, scribe or last; "" for an edition
    std::string problem;                 // why a descriptor that is there could not be read
};

// Reads a descriptor; a missing file reads as empty.
EditionDescriptor ReadEditionDescriptor(const std::string& path);

// A short siglum for an edition whose descriptor gives none, from its name:
// trailing digits dropped, then its capitals when it has two or more
// ("WestcottHort1881" gives "WH"), else its first three letters
// ("Byzantine2018" gives "Byz"); the name itself when nothing is left.
std::string DerivedSiglum(std::string_view name);

// The lines of an edition text (CR LF, LF or CR; a NUL byte ends the text).
// nullopt when the file does not exist; throws Error naming the full path and the
// system's reason when it exists but cannot be read.
std::optional<std::vector<std::string>> LoadEditionText(const std::string& path);

// The same lines as views into the file's bytes, mapped rather than copied:
// what a tool that reads two texts once and compares them needs, at a fraction
// of the memory touched. Moving it keeps the views valid.
struct EditionText {
    FileBytes bytes;
    std::vector<std::string_view> lines;
};
std::optional<EditionText> ReadEditionText(const std::string& path);

// Deletes an edition's text and descriptor from `folder`, the text first so
// that a half-done removal leaves the edition listed and removable again. A
// file already gone is no error; one that cannot be deleted throws WriteError.
void DeleteEdition(const std::string& folder, std::string_view name);

// Path of a side's files inside the program directory.
inline std::string EditionTextPath(const std::string& programDir, std::string_view name)
{
    return programDir + std::string(name) + ".dat";
}
inline std::string EditionDescriptorPath(const std::string& programDir, std::string_view name)
{
    return programDir + std::string(name) + ".bk";
}

} // namespace synopter
