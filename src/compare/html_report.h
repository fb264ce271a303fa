#pragma once

#include "compare/comparison_run.h"
#include "compare/rich_text.h"
#include "compare/word_match.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

// The results of a comparison as one HTML page: self-contained (inline CSS, no
// script, nothing fetched), UTF-8, verses in Unicode Greek side by side, for
// reading in a browser, printing, or passing on.
namespace synopter::html {

// A chapter label as the run reports it ("KATA IWANNHN 3").
struct ReportHeading {
    std::string label;
};

// A reported pair as the run gives it: the two verse lines (transliterated
// bytes; empty past the end of the shorter edition) and their masks (0 marks a
// character of a word the other verse lacks, shown blue; kSpellingMatch one of
// a spelling variant, shown green; kMovedMatch one of a moved word, purple; kLacunaText and kLacunaMark grey, the marks
// in Latin letters; past a mask's end counts as 0). A lacunose unit ("lac.
// 3:5-9") is an item of this kind too, with the number of its verses in
// `lacunose`: it is counted apart, never as found.
struct ReportPair {
    std::string left;
    std::string right;
    MatchMask leftMask;
    MatchMask rightMask;
    int lacunose = 0;
};

// The results in order: a heading starts a chapter, pairs follow. Pairs before
// the first heading are allowed.
using ReportItem = std::variant<ReportHeading, ReportPair>;

struct ReportEdition {
    std::string name;        // UTF-8
    std::string description; // UTF-8: a descriptor's [English] Information, through ToUtf8
};

// What the title says. The number of verses found is the number of pairs.
struct ReportFacts {
    ReportEdition left;
    ReportEdition right;
    int threshold = kDefaultThreshold;
    bool exactPositions = false; // moved words count as differences
    std::string date;            // UTF-8, shown as given
    // The run's SpellingMode as a line "Spelling variants: counted / marked in
    // green / ignored"; none leaves the line out.
    std::optional<SpellingMode> spelling = std::nullopt;
    // The marking shown, as a line "Word marking: ..."; none leaves the line out.
    std::optional<WordMarking> marking = std::nullopt;
};

// The whole page.
std::string HtmlReport(const ReportFacts& facts, const std::vector<ReportItem>& items);

// A lacunose unit as report item: "lac. 3:5-9" on the lacunose side(s), the
// references on the other.
ReportPair LacunoseItem(const LacunoseRun& run);

// Collects a run's output as report items.
class ReportCollector : public RunOutput {
public:
    void Chapter(const std::string& heading) override { items.push_back(ReportHeading{heading}); }
    void FoundCount(int) override {}
    void VersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                   const MatchMask& leftMask) override
    {
        items.push_back(ReportPair{left, right, leftMask, rightMask});
    }
    void LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                    const MatchMask& leftMask, const PairGaps& gaps) override;
    void Lacunose(const LacunoseRun& run) override;
    bool Progress(int) override { return true; }

    std::vector<ReportItem> items;
};

// A result pane's paragraph back as verse and mask: blue spans unmatched,
// green (0x008000 as the result files store it, RGB 0,128,0) spelling variants
// (kSpellingMatch), purple (kMovedColour) moved words, the lacunae's greys kLacunaText and kLacunaMark, any other
// colour matched, so saved panes give the items of
// the run that made them.
void VerseFromParagraph(const rtf::Paragraph& paragraph, std::string& verse, MatchMask& mask);

} // namespace synopter::html
