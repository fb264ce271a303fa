#pragma once

#include "import/edition_builder.h"
#include "import/source_readers.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

struct ImportRequest {
    // Files, folders (one file per book) or a SWORD module: an installed
    // module's name, or a module folder.
    std::vector<std::string> sources;
    SourceFormat format = SourceFormat::Auto;
    std::string name;  // empty: from the source's file or module name
    std::string title; // empty: the source's own title, else the file name
    Hand hand = Hand::Scribe; // the text a manuscript's corrections leave
    // A TEI collation's witness to read (see ReadTeiSource); empty: none. The
    // edition's name defaults to it.
    std::string witness;
};

struct ImportedEdition {
    std::string name;
    std::string title;
    std::string text;       // the .dat
    std::string descriptor; // the .bk
    std::string siglum;     // a manuscript's suggested siglum, else empty
    ImportSummary summary;
};

// Fraction done in [0, 1]; returning false cancels the import (ImportError).
using ImportProgress = std::function<bool(double)>;

// One transcription imported by each hand gives three witnesses: the name a
// manuscript's edition takes by default ends in "-first" for the first hand,
// in "-corr" for the last, and in nothing for the scribe's.
std::string_view WitnessNameSuffix(Hand hand);
// The siglum an apparatus gives such a witness: NAME* for the first hand,
// NAME for the scribe's text, NAMEc for the corrected one; a name ending in
// the hand's suffix gives its NAME without it.
std::string SuggestedSiglum(std::string_view name, Hand hand);

// Reads the sources into an edition. Writes nothing. Throws ImportError on bad
// input: an unknown format, an unreadable source, no verse recognised, a bad name.
ImportedEdition ImportEdition(const ImportRequest& request, const ImportProgress& progress = {});

// An edition name a user may give: printable ASCII without / \ : * ? " < > |,
// not starting with a dot or a blank, not containing ".bk", not ending in ".dat".
bool IsValidEditionName(std::string_view name);

// Throws ImportError when the edition's text is larger than the readers of
// editions take (kMaxEditionTextBytes).
void CheckEditionSize(const ImportedEdition& edition);

// Called with the number of each step of a write before it is taken, so a
// test can stop the write anywhere.
using WriteStep = std::function<void(int)>;

// Writes NAME.bk and NAME.dat into `folder` (ending in a separator or not) as
// a pair: a reader finds the old pair, the new one, or a text without its
// descriptor (between the two renames), never a mix. An existing edition of
// that name, or a link or a lone text by its name, is kept (ImportError)
// unless `replace`; a link is replaced, never followed. Imports of one name
// take turns; what a killed import left in the folder is completed or
// cleared first. Throws WriteError when a file cannot be written.
void WriteImportedEdition(const std::string& folder, const ImportedEdition& edition, bool replace,
                          const WriteStep& step = {});

// The summary in plain English lines, as the command line and the window show it.
std::vector<std::string> DescribeSummary(const ImportSummary& summary);

} // namespace synopter
