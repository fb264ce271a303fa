#pragma once

#include "import/greek_text.h"
#include "import/verse_source.h"

#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// A source verse the layout has no slot for, kept at the end of an earlier verse.
struct AppendedVerse {
    VerseRef source;
    VerseRef into;
};

struct ImportSummary {
    int versesPlaced = 0;  // slots that received text of their own
    int slotsEmpty = 0;    // slots left with their reference only
    std::vector<AppendedVerse> appended;
    std::vector<VerseRef> unplaced; // chapter or verse 0, or a book with no earlier verse to keep it
    int versesWithoutGreek = 0;     // verses with words, none of them Greek
    int linesSkipped = 0;
    int filesSkipped = 0;
    DroppedCounts dropped;
    // A manuscript (a source that reported lacunae, absent verses or its
    // transcription counts); the rest are zero for an edition.
    bool manuscript = false;
    int absent = 0;    // slots the scribe left empty
    int lacunose = 0;  // slots wholly lost
    int remnants = 0;  // slots partly lost
    TranscriptionCounts transcription;
};

// Fills the layout's verse slots from source verses and renders the edition.
// Each verse goes to its own slot by reference. A verse beyond the last of
// its chapter, or in a chapter beyond the book's last, is appended to the
// last verse of the chapter (or book) before it, so no text is lost. A slot
// named twice keeps both texts in source order.
class EditionBuilder : public VerseSink {
public:
    EditionBuilder();

    void Verse(const VerseRef& ref, std::string_view utf8Text) override;
    void SkippedLine() override;
    void Title(std::string_view utf8Title) override;
    void SkippedFile() { ++summary_.filesSkipped; }

    // True once any verse reached the builder, placed or appended.
    bool AnyVerse() const { return anyVerse_; }
    // True once a verse held a Greek letter: a text without any is no Greek text.
    bool AnyGreek() const { return anyGreek_; }
    const std::string& SourceTitle() const { return title_; }
    // Counts the empty slots as they stand now.
    ImportSummary Summary() const;

    // The edition text: every layout line, CR LF after each.
    std::string EditionText() const;

private:
    struct Slot {
        std::string own;      // the verse's own words
        std::string appended; // words of later verses the layout lacks
    };
    static void Join(std::string& to, const std::string& words);

    std::vector<Slot> slots_;   // by layout line; heading lines stay empty
    std::vector<bool> placed_;  // slots a source verse named
    ImportSummary summary_;
    std::string title_;
    bool anyVerse_ = false;
    bool anyGreek_ = false;
};

// The descriptor of an imported edition: the display face and the title.
std::string EditionDescriptorText(std::string_view title);

} // namespace synopter
