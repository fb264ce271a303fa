#pragma once

#include "collate/collation.h"

#include <string>
#include <string_view>
#include <vector>

// The apparatus written out: as a printed edition sets it (text), as JSON
// Lines, as a self-contained HTML page and as TEI parallel segmentation.
namespace synopter::collate {

// An edition taking part, as the outputs name it.
struct Witness {
    std::string name;        // catalogue name ("WestcottHort1881"), single-byte
    std::string siglum;      // the descriptor's [English] Siglum=, else the name
    std::string information; // the descriptor's [English] Information=
};

// The sigla the apparatus lines use, indexed as `witnesses`: a descriptor's
// Siglum= when it gives one, else DerivedSiglum of the name; where two
// derived ones come out the same, those witnesses' names. The keys and
// headers name each in full; JSON and TEI keep the names and sigla as read.
std::vector<std::string> ShortSigla(const std::vector<Witness>& witnesses);

// What made the apparatus, for the outputs' titles and keys.
struct ApparatusFacts {
    std::vector<Witness> witnesses; // indexed as the collation's editions
    Options options;                // base, exact positions, spelling
    std::string date;               // as the page shows it, may be empty
};

// The verse as references name it, "John 1:1" (the English book name of its
// chapter heading; the bare "1:1" when the heading names no book), and its
// chapter, "John 1" ("" then).
std::string VerseName(const VerseApparatus& verse);
std::string ChapterName(std::string_view heading);

// One unit in the printed style, Unicode Greek, with ShortSigla:
//   "ὃν εἶπον A B ] ὁ εἰπών C; – D"
// the base reading and the sigla that agree, "]", then each reading with its
// sigla, "; " between readings; an omission is "–", an addition "+ words",
// an absent verse "verse absent", one the witnesses have elsewhere
// "WH Elz: transp. to 16:25-27", the witnesses lacunose there last as
// "P66 P75 lac.".
void AppendUnitText(std::string& out, const Unit& unit, const ApparatusFacts& facts);

// One verse of the text apparatus: the verse's reference and its units, " • "
// between them, on one line. A chapter heading line in Greek comes first when
// the verse's chapter is not `chapter` (which then becomes it), after an
// empty line unless it is the first thing written.
void AppendVerseText(std::string& out, const VerseApparatus& verse, const ApparatusFacts& facts,
                     std::string& chapter);

// One verse as a line of JSON (transliterated text, edition names):
//   {"line", "chapter", "verse", "units": [{"base", "agree", "readings":
//   [{"text", "editions", "kind"}]}]}
// (an absent verse a witness has elsewhere: "kind":"relocated","at":"16:25-27")
// and "stand_in" (the edition read against) after "verse" where the base
// edition is not whole; the lacunose are a reading of kind "lacuna".
void AppendVerseJson(std::string& out, const VerseApparatus& verse, const ApparatusFacts& facts);

// The CSV of the variation units (RFC 4180, UTF-8, CR LF): kCsvHeader, then
// for each verse one row per reading of each unit: the verse ("John 1:1"), the
// base reading and the reading in Greek, the reading's sigla space-separated,
// its kind as JSON names it.
inline constexpr std::string_view kCsvHeader = "verse,base,reading,sigla,kind\r\n";
void AppendVerseCsv(std::string& out, const VerseApparatus& verse, const ApparatusFacts& facts);

// The units in which each pair of editions differs as a tab-separated table:
// a header row of names, then a row per edition.
std::string DistanceText(const DistanceTable& table, const ApparatusFacts& facts);

// Each pair's agreement over the units where both are extant, "87.3% of 1204"
// ("–" where they share none), as the same table.
std::string AgreementText(const DistanceTable& table, const ApparatusFacts& facts);
// "87.3% of 1204": agreeing of shared as a percentage, one decimal.
std::string AgreementCell(int agreeing, int shared);

// One piece of a verse's base text as an apparatus marks it.
struct BasePiece {
    enum Kind { Word, UnitStart, UnitEnd, Addition, AbsentVerse } kind;
    int unit = 0;          // the unit's number, from 1; 0 for a word
    std::string_view word; // a word: the base word, transliterated
};

// The base text's words (split at spaces) in order with each unit's place
// among them: its words between UnitStart and UnitEnd, an addition between the
// words where it stands, the absent verse where its unit comes (first). Units
// are taken in order, none starting before the one before it ended. What the
// HTML page and the apparatus window underline and number.
std::vector<BasePiece> MarkBaseWords(std::string_view baseText, const std::vector<Unit>& units);

// Whole documents of the verses given (in order), UTF-8.
std::string ApparatusHtmlPage(const std::vector<VerseApparatus>& verses, const ApparatusFacts& facts);
std::string ApparatusTei(const std::vector<VerseApparatus>& verses, const ApparatusFacts& facts);

} // namespace synopter::collate
