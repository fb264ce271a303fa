// What the command-line comparer writes of a manuscript's lost text and of
// relocated verses.
#include "compare/cli/compare_report.h"

#include "compare/html_report.h"
#include "compare/lacuna_marks.h"
#include "compare/relocations.h"

namespace synopter::cli {

void JsonReport::LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                            const MatchMask& leftMask, const PairGaps&)
{
    // The verses as they are, offsets and all; the record says some is lost.
    lacuna_ = true;
    VersePair(right, left, rightMask, leftMask);
    lacuna_ = false;
}

void JsonReport::RelocatedPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                               const MatchMask& leftMask, const Relocation& moved)
{
    // The verses as they are; the record names the other place.
    relocated_ = moved.place;
    VersePair(right, left, rightMask, leftMask);
    relocated_ = {};
}

void TextReport::LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                            const MatchMask& leftMask, const PairGaps& gaps)
{
    const ShownPair shown = WithLacunaMarks(right, left, rightMask, leftMask, gaps);
    VersePair(shown.right, shown.left, shown.rightMask, shown.leftMask);
}

void TextReport::Lacunose(const LacunoseRun& run)
{
    Report::Lacunose(run);
    const html::ReportPair item = html::LacunoseItem(run);
    // The references read like a verse line's, after a space.
    VersePair(" " + item.right, " " + item.left, MatchMask(item.right.size() + 1, 1),
              MatchMask(item.left.size() + 1, 1));
}

} // namespace synopter::cli
