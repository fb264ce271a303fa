#pragma once

#include "common/error.h"
#include "editions/lacunae.h"

#include <map>
#include <string>
#include <string_view>

namespace synopter {

// A verse as a source names it: book 0 (Matthew) to 26 (Revelation), chapter
// and verse from 1.
struct VerseRef {
    int book = 0;
    int chapter = 0;
    int verse = 0;
    friend bool operator==(const VerseRef&, const VerseRef&) = default;
};

// "John 3:16"
std::string FormatVerseRef(const VerseRef& ref);

// Input that cannot be imported: an unreadable or malformed source, an
// unknown format, no verse recognised, a bad name. The text is for the user.
class ImportError : public Error {
public:
    using Error::Error;
};

// A file, folder or edition name as the import's messages quote it.
inline std::string Quoted(std::string_view text) { return "“" + std::string(text) + "”"; }

// Stands in a verse's text where a manuscript's text is lost (a hole in the
// page, a verse that began or goes on in lost text): the builder keeps the
// extant words and remembers the place. Never part of a real source's text.
inline constexpr char kLostTextMark = '\x01';

// What a manuscript transcription held besides its words, for the import report.
struct TranscriptionCounts {
    std::map<std::string, int> corrections;         // by hand as the source names it: "scribe", "a", "corrector1"
    int contractionsExpanded = 0;                   // nomina sacra written out in full
    std::map<std::string, int> unknownContractions; // UTF-8 as written, without the mark: contractions left as they stand
    int uncertainLetters = 0;                       // damaged or supplied letters, kept
    int suppliedWords = 0;                          // words the transcriber supplied, kept
    int replacementCharacters = 0;                  // U+FFFD, dropped
    int presentUntranscribed = 0;                   // verses marked present without their text
    TranscriptionCounts& operator+=(const TranscriptionCounts& other);
};

// Where a source reader delivers what it finds, in source order.
class VerseSink {
public:
    virtual ~VerseSink() = default;
    // One verse's text, UTF-8 as the source has it (accents, punctuation and
    // all); kLostTextMark where a manuscript's text is lost. A verse reported
    // twice keeps both texts in order (corrections may span verses).
    virtual void Verse(const VerseRef& ref, std::string_view utf8Text) = 0;
    // A manuscript's verse that is wholly lost. Once a source reports any of
    // these, Absent or Transcription, it is a manuscript: every verse slot it
    // names nowhere is lacunose too.
    virtual void Lacunose(const VerseRef& /*ref*/) {}
    // A verse the scribe did not write: an empty slot, not a lacuna.
    virtual void Absent(const VerseRef& /*ref*/) {}
    // Counts of one manuscript source, once at its end.
    virtual void Transcription(const TranscriptionCounts& /*counts*/) {}
    // The hand whose text a manuscript reader delivers: as first written, as
    // the scribe left it (their own corrections made), or with every later
    // hand's corrections.
    virtual Hand TextHand() const { return Hand::Scribe; }
    // A line or entry that held no verse (a title, a blank line, a verse 0).
    virtual void SkippedLine() = 0;
    // The source's own title (TEI or OSIS title, SWORD description).
    virtual void Title(std::string_view /*utf8Title*/) {}
};

} // namespace synopter
