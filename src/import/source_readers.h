#pragma once

#include "import/verse_source.h"

#include <optional>
#include <string>
#include <string_view>

namespace synopter {

enum class SourceFormat { Auto, Text, Csv, Tei, Osis, Sword, Transcription };

// "auto", "text", "csv", "tei", "osis", "sword", "transcription"; nullopt for anything else.
std::optional<SourceFormat> ParseSourceFormat(std::string_view name);
std::string_view SourceFormatName(SourceFormat format);

// The format of one file, from its content (and its name where the content
// leaves it open); nullopt when it looks like none of them. XML in UTF-16 is
// told too: expat reads it.
std::optional<SourceFormat> DetectFormat(std::string_view bytes, std::string_view fileName);

// True for UTF-16 text: a byte order mark, or zero bytes at every other place
// of what looks like ASCII. Only the XML readers take it.
bool IsUtf16Text(std::string_view bytes);

// Each reader takes a whole file's bytes (a UTF-8 BOM is allowed), reports its
// verses to the sink in source order and throws ImportError on input it cannot
// read at all; `fileName` is for messages (and, for CSV, the book).

// Lines "Book C:V<tab or blanks>text", or "C:V text" under a line naming the book.
void ReadTextSource(std::string_view bytes, std::string_view fileName, VerseSink& sink);
// True when one line of such a text holds a verse reference ("Book C:V" or "C:V").
bool LooksLikeTextVerseLine(std::string_view line);
// A header naming "chapter", "verse" and "text" (and optionally "book") columns;
// RFC 4180 quoting. Without a book column the file name names the book.
void ReadCsvSource(std::string_view bytes, std::string_view fileName, VerseSink& sink);
// TEI: <ab n="B04K1V1"> (or osisID="John.1.1", or n="John 1:1") verses of <w> words or plain
// text, printed editions and manuscript transcriptions as the transcription
// projects publish them: lost text (<gap>, <supplied reason="lacuna">) marked,
// a corrected passage's reading of the sink's TextHand(), nomina sacra written
// out, and Transcription() at the end once any manuscript markup was seen.
void ReadTeiSource(std::string_view bytes, std::string_view fileName, VerseSink& sink);
// A TEI collation in parallel segmentation (as synopter-collate writes it),
// read as the text of one witness: the text outside <app>, and in each <app>
// the <rdg> or <lem> whose wit names it (the <lem> where none does); a reading
// of type "lacuna" is lost text. The witness is an xml:id, an n or a name
// (before " — ") of a <witness> in the <listWit>; one the file does not list
// is an ImportError naming those it does.
void ReadTeiWitness(std::string_view bytes, std::string_view fileName, VerseSink& sink, std::string_view witness);
// The first verse an osisID lists ("Rom.16.25 Rom.16.26", "Bible:John.1.1"): a
// verse standing for several takes the text of all of them. nullopt for a
// chapter, a verse 0 or a book outside the New Testament.
std::optional<VerseRef> FirstOsisVerse(std::string_view osisIds);
// OSIS: <verse osisID="John.1.1"> containers or sID/eID milestones.
void ReadOsisSource(std::string_view bytes, std::string_view fileName, VerseSink& sink);
// A manuscript's plain-text transcription: lines "BBCCCVVV text" (book 40
// Matthew ... 66 Revelation) with the transcribers' marks; the text of the
// sink's TextHand(). A manuscript source: it always reports Transcription.
void ReadTranscriptionSource(std::string_view bytes, std::string_view fileName, VerseSink& sink);
// True when one of the first lines starts with such a reference.
bool LooksLikeTranscription(std::string_view bytes);

} // namespace synopter
