#pragma once

#include "editions/lacunae.h"
#include "import/greek_text.h"
#include "import/verse_source.h"

#include <cstdint>

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
    std::vector<VerseRef> emptySlots; // those slots in layout order; an edition's only
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
    Hand hand = Hand::Scribe; // the hand the text follows
};

// Fills the layout's verse slots from source verses and renders the edition.
// Each verse goes to its own slot by reference. A verse beyond the last of
// its chapter, or in a chapter beyond the book's last, is appended to the
// last verse of the chapter (or book) before it, so no text is lost. A slot
// named twice keeps both texts in source order.
//
// A manuscript source (one that reports lacunose or absent verses or its
// transcription counts) is partial: every slot it names nowhere is lost, and
// where a verse's text holds kLostTextMark the extant words are placed and the
// places of the lost text among them remembered.
class EditionBuilder : public VerseSink {
public:
    explicit EditionBuilder(Hand hand = Hand::Scribe);

    void Verse(const VerseRef& ref, std::string_view utf8Text) override;
    void Lacunose(const VerseRef& ref) override;
    void Absent(const VerseRef& ref) override;
    void Transcription(const TranscriptionCounts& counts) override;
    Hand TextHand() const override { return hand_; }
    void SkippedLine() override;
    void Title(std::string_view utf8Title) override;
    void SkippedFile() { ++summary_.filesSkipped; }

    // True once any verse reached the builder, placed or appended.
    bool AnyVerse() const { return anyVerse_; }
    // True once a verse held a Greek letter: a text without any is no Greek text.
    bool AnyGreek() const { return anyGreek_; }
    const std::string& SourceTitle() const { return title_; }
    bool Manuscript() const { return summary_.manuscript; }
    // Counts the empty slots as they stand now.
    ImportSummary Summary() const;

    // The edition text: every layout line, CR LF after each.
    std::string EditionText() const;
    // Where a manuscript's text is lost, by layout line; none for an edition.
    Lacunae TextLacunae() const;

private:
    struct Slot {
        std::string own;      // the verse's own words
        std::string appended; // words of later verses the layout lacks
        uint16_t ownWords = 0;
        std::vector<uint16_t> gaps; // lost text among the own words
    };
    // What a manuscript slot is.
    enum class Kind : unsigned char { Unnamed, Named, Lost, Absent };
    static void Join(std::string& to, const std::string& words);
    void Place(Slot& slot, std::string_view utf8Text);
    bool SlotLost(size_t line) const;

    std::vector<Slot> slots_;   // by layout line; heading lines stay empty
    std::vector<bool> placed_;  // slots a source verse named
    std::vector<Kind> kinds_;   // by layout line, for a manuscript
    Hand hand_;
    ImportSummary summary_;
    std::string title_;
    bool anyVerse_ = false;
    bool anyGreek_ = false;
};

// What a manuscript's descriptor adds: the hand its text follows, the siglum
// suggested for an apparatus and its [Lacunae] section (LacunaeSectionText).
struct ManuscriptFacts {
    Hand hand = Hand::Scribe;
    std::string siglum;
    std::string lacunaeSection;
};

// The descriptor of an imported edition: the display face and the title, and
// for a manuscript [English] Siglum, [Manuscript] Hand and [Lacunae].
std::string EditionDescriptorText(std::string_view title, const ManuscriptFacts* manuscript = nullptr);

} // namespace synopter
