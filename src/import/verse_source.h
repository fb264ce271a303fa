#pragma once

#include "common/error.h"

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

// Where a source reader delivers what it finds, in source order.
class VerseSink {
public:
    virtual ~VerseSink() = default;
    // One verse's text, UTF-8 as the source has it (accents, punctuation and all).
    virtual void Verse(const VerseRef& ref, std::string_view utf8Text) = 0;
    // A line or entry that held no verse (a title, a blank line, a verse 0).
    virtual void SkippedLine() = 0;
    // The source's own title (TEI or OSIS title, SWORD description).
    virtual void Title(std::string_view /*utf8Title*/) {}
};

} // namespace synopter
