#include "import/importer.h"

#include "editions/nt_layout.h"

#include <algorithm>
#include <utility>

namespace synopter {
namespace {

// Appended and unplaced verses listed one by one, empty slots by range; a
// source with another versification could otherwise fill pages.
constexpr size_t kMaxListed = 50;
// Unknown contractions named, the most frequent first.
constexpr size_t kMaxContractionsListed = 8;

std::string Count(long long n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string_view TextOfHand(Hand hand)
{
    switch (hand) {
    case Hand::First: return "as first written";
    case Hand::Scribe: return "as the scribe left it";
    case Hand::Last: return "with the later hands' corrections";
    }
    return "";
}

// Whether `next` is the slot after `ref` in the layout, within one book.
bool Follows(const VerseRef& next, const VerseRef& ref)
{
    if (next.book != ref.book)
        return false;
    if (next.chapter == ref.chapter)
        return next.verse == ref.verse + 1;
    return next.chapter == ref.chapter + 1 && next.verse == 1 &&
           ref.verse == layout::VerseCount(ref.book, ref.chapter);
}

std::string ChapterVerse(const VerseRef& ref)
{
    return std::to_string(ref.chapter) + ':' + std::to_string(ref.verse);
}

// "3 verse slots left empty: Acts 8:37, 15:34, Romans 16:25–26." The book is
// named once for a run of it, consecutive slots make one range, and a source
// of another versification lists only the first ranges.
std::string EmptySlotsLine(const ImportSummary& summary)
{
    std::string line = Count(summary.slotsEmpty, "verse slot", "verse slots") + " left empty";
    const std::vector<VerseRef>& slots = summary.emptySlots;
    size_t next = 0;
    for (size_t ranges = 0; next < slots.size() && ranges < kMaxListed; ++ranges) {
        size_t last = next;
        while (last + 1 < slots.size() && Follows(slots[last + 1], slots[last]))
            ++last;
        const VerseRef& from = slots[next];
        const VerseRef& to = slots[last];
        line += ranges == 0 ? ": " : ", ";
        line += ranges > 0 && slots[next - 1].book == from.book ? ChapterVerse(from) : FormatVerseRef(from);
        if (last > next)
            line += "–" + (to.chapter == from.chapter ? std::to_string(to.verse) : ChapterVerse(to));
        next = last + 1;
    }
    if (next < slots.size())
        line += " and " + std::to_string(slots.size() - next) + " more";
    return line + '.';
}

void DescribeManuscript(const ImportSummary& summary, std::vector<std::string>& lines)
{
    lines.push_back("A manuscript, its text " + std::string(TextOfHand(summary.hand)) + ": " +
                    Count(summary.absent, "verse", "verses") + " absent (not written by the scribe), " +
                    std::to_string(summary.lacunose) + " lacunose (lost), " +
                    Count(summary.remnants, "remnant", "remnants") + " (partly lost).");
    if (const int empty = summary.slotsEmpty - summary.absent - summary.lacunose; empty > 0)
        lines.push_back(Count(empty, "verse slot", "verse slots") + " left empty.");
}

void DescribeTranscription(const TranscriptionCounts& counts, std::vector<std::string>& lines)
{
    std::string corrections;
    for (const auto& [hand, n] : counts.corrections)
        corrections += (corrections.empty() ? "" : ", ") + std::to_string(n) +
                       (hand == "scribe" ? " by the scribe" : " by hand " + hand);
    if (!corrections.empty())
        lines.push_back("Corrections: " + corrections + ".");
    if (counts.contractionsExpanded > 0)
        lines.push_back(Count(counts.contractionsExpanded, "nomen sacrum", "nomina sacra") + " written out.");
    if (!counts.unknownContractions.empty()) {
        std::vector<std::pair<std::string, int>> unknown(counts.unknownContractions.begin(),
                                                         counts.unknownContractions.end());
        std::stable_sort(unknown.begin(), unknown.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        int total = 0;
        std::string listed;
        for (size_t i = 0; i < unknown.size(); ++i) {
            total += unknown[i].second;
            if (i < kMaxContractionsListed)
                listed += (listed.empty() ? "" : ", ") + unknown[i].first +
                          (unknown[i].second > 1 ? " ×" + std::to_string(unknown[i].second) : "");
        }
        if (unknown.size() > kMaxContractionsListed)
            listed += ", …";
        lines.push_back(Count(total, "contraction", "contractions") + " unknown, kept as written: " + listed + ".");
    }
    if (counts.uncertainLetters > 0)
        lines.push_back(Count(counts.uncertainLetters, "uncertain letter", "uncertain letters") +
                        " (damaged or supplied) kept.");
    if (counts.suppliedWords > 0)
        lines.push_back(Count(counts.suppliedWords, "word", "words") + " supplied by the transcriber kept.");
    if (counts.presentUntranscribed > 0)
        lines.push_back(Count(counts.presentUntranscribed, "verse", "verses") + " marked present, not transcribed.");
    if (counts.replacementCharacters > 0)
        lines.push_back(Count(counts.replacementCharacters, "replacement character", "replacement characters") +
                        " (U+FFFD) dropped.");
}

} // namespace

std::vector<std::string> DescribeSummary(const ImportSummary& summary)
{
    std::vector<std::string> lines;
    lines.push_back(Count(summary.versesPlaced, "verse", "verses") + " placed.");
    if (summary.manuscript)
        DescribeManuscript(summary, lines);
    else if (summary.slotsEmpty > 0)
        lines.push_back(EmptySlotsLine(summary));
    if (!summary.appended.empty()) {
        lines.push_back(Count(static_cast<long long>(summary.appended.size()), "verse", "verses") +
                        " without a slot of its own, appended to an earlier verse:");
        for (size_t i = 0; i < summary.appended.size() && i < kMaxListed; ++i)
            lines.push_back("  " + FormatVerseRef(summary.appended[i].source) + " → " +
                            FormatVerseRef(summary.appended[i].into));
        if (summary.appended.size() > kMaxListed)
            lines.push_back("  and " + std::to_string(summary.appended.size() - kMaxListed) + " more");
    }
    if (!summary.unplaced.empty()) {
        lines.push_back(Count(static_cast<long long>(summary.unplaced.size()), "verse", "verses") +
                        " not placed:");
        for (size_t i = 0; i < summary.unplaced.size() && i < kMaxListed; ++i)
            lines.push_back("  " + FormatVerseRef(summary.unplaced[i]));
        if (summary.unplaced.size() > kMaxListed)
            lines.push_back("  and " + std::to_string(summary.unplaced.size() - kMaxListed) + " more");
    }
    if (summary.versesWithoutGreek > 0)
        lines.push_back("Warning: " + Count(summary.versesWithoutGreek, "verse holds", "verses hold") +
                        " no Greek letter.");
    if (summary.linesSkipped > 0)
        lines.push_back(Count(summary.linesSkipped, "line", "lines") + " without a verse skipped.");
    if (summary.filesSkipped > 0)
        lines.push_back(Count(summary.filesSkipped, "file", "files") + " of no known format skipped.");
    std::string dropped;
    for (int kind = 0; kind < kDroppedKinds; ++kind)
        if (const long long n = summary.dropped.count[size_t(kind)]; n > 0)
            dropped += (dropped.empty() ? "" : ", ") + std::to_string(n) + " " +
                       std::string(DroppedKindName(DroppedKind(kind)));
    if (!dropped.empty())
        lines.push_back("Characters dropped: " + dropped + ".");
    if (summary.manuscript)
        DescribeTranscription(summary.transcription, lines);
    return lines;
}

} // namespace synopter
