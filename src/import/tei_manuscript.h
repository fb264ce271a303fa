#pragma once

// What the TEI reader needs for manuscript transcriptions as the transcription
// projects publish them: the readings of the hands of a corrected passage,
// nomina sacra, lost text. Internal to the import.

#include "import/verse_source.h"
#include "import/xml_reader.h"

#include <string>
#include <string_view>
#include <vector>

namespace synopter::tei {

// Markup that only a transcription of a manuscript has: once seen, the source
// is a manuscript, whose verses it never names are lost. Line and page breaks
// alone are not enough (printed editions mark theirs too), pages numbered as
// a leaf's sides ("1r", "23v") are.
bool IsTranscriptionMarkup(std::string_view name, const XmlAttributes& attributes);

// A <gap> where the manuscript's text is lost or cannot be read. A gap for
// another reason (or none: text the transcriber chose to leave out) is passed
// over.
bool GapInLostText(std::string_view reason);

// Letters the transcriber <supplied> where the page is lost or cannot be read
// are not the manuscript's text.
bool SuppliedForLostText(std::string_view reason);

// One <rdg> (or <lem>) of an <app>, gathered.
struct Reading {
    std::string type; // "orig", "corr", ... or empty
    std::string hand; // as the source names it: "firsthand", "corrector1", ...
    bool lem = false;
    std::string wit;  // the witnesses of a collation's reading: "#A #B"
    std::string text; // as gathered (MarkupText::Raw)
    TranscriptionCounts counts; // of the text gathered inside it
};

// An <app> whose readings are a manuscript's hands rather than witnesses.
bool IsHandApparatus(const std::vector<Reading>& readings);

// A reading that a hand made over the first hand's text.
bool IsCorrection(const std::vector<Reading>& readings, size_t index);

// The hands in the order they worked: the scribe's own ("firsthand", "scribe",
// "*") first, then the others by name with numbers compared as numbers and
// letters ignoring case: corrector < corrector1 < corrector2 < corrector10,
// ca < cb < cc.
bool HandBefore(std::string_view a, std::string_view b);

// The reading a hand apparatus delivers for `hand`: First the first hand's
// (type "orig"); Scribe the scribe's own correction, else the first hand's;
// Last the correction of the latest hand, a later reading winning a tie, else
// the first hand's.
size_t ChooseHandReading(const std::vector<Reading>& readings, Hand hand);

// The nominal sacrum of an <abbr type="nomSac"> as the verse should hold it:
// with its <ex> given, the letters as they stand; else the full word from the
// table (already transliterated), counted as expanded; a form the table does
// not know stays as written and is counted as unknown.
std::string NomenSacrumText(std::string_view written, bool expansionGiven, TranscriptionCounts& counts);

// Appends `replacement` for a gathered element whose text was `raw`: the blanks
// at either end of `raw` stay word boundaries, so a replaced word inside
// another word stays inside it. A lost-text mark goes in as AppendLostMark's.
void AppendInPlaceOf(MarkupText& to, std::string_view raw, std::string_view replacement);

// One lost-text mark where the text stands, none after another.
void AppendLostMark(MarkupText& to);

// A verse's words with runs of wholly lost words made one mark; the words
// themselves when they hold no mark.
std::string TidyLostMarks(std::string_view words);

// Only marks: every word of the verse is lost.
bool WhollyLost(std::string_view words);

// Letters (characters other than blanks and combining marks) of UTF-8 text.
int CountLetters(std::string_view utf8);
int CountWords(std::string_view words);

} // namespace synopter::tei
