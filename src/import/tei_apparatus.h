#pragma once

// What the TEI reader needs to read one witness out of a collation in
// parallel segmentation (the apparatus synopter-collate writes): the witnesses
// its <listWit> names, the reading of each <app> that is the witness's, and
// verses named "John 1:1". Internal to the import.

#include "import/tei_manuscript.h"
#include "import/verse_source.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace synopter::tei {

// "John 1:1", "1 Corinthians 16:24": an English book name or abbreviation, a
// blank, chapter:verse. nullopt for anything else.
std::optional<VerseRef> ParseNamedVerse(std::string_view n);

class ApparatusWitness {
public:
    // The witness asked for, as an xml:id, n or name of the <listWit>.
    explicit ApparatusWitness(std::string_view wanted) : wanted_(wanted) {}
    bool Wanted() const { return !wanted_.empty(); }

    // A <witness> of the <listWit>, its text (the name and description) as it comes.
    void StartWitness(const XmlAttributes& attributes);
    void WitnessText(std::string_view utf8) { listed_.back().text += utf8; }
    bool InWitness() const { return inWitness_; }
    void EndWitness() { inWitness_ = false; }

    // Finds the witness asked for among those listed; throws ImportError
    // naming them when it is not there. Once found, later calls do nothing.
    // The witness's description (its text after the name) when found now, else empty.
    std::string Resolve(std::string_view fileName);

    // The index of the reading whose wit names the witness; nullopt where none does.
    std::optional<size_t> ReadingOf(const std::vector<Reading>& readings) const;

private:
    struct Listed {
        std::string id;
        std::string n;
        std::string text;
    };
    std::string wanted_;
    std::string id_; // the xml:id found; empty until then
    std::vector<Listed> listed_;
    bool inWitness_ = false;
};

} // namespace synopter::tei
