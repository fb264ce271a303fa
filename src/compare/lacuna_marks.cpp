#include "compare/lacuna_marks.h"

#include "compare/comparison_run.h"

#include "editions/edition_lines.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace synopter {

namespace {

struct Place {
    size_t start = 0;
    size_t end = 0;
};

// The words after the reference, as places in the line.
std::vector<Place> WordPlaces(std::string_view line)
{
    const std::string_view words = ParseVerseLine(line).words;
    std::vector<Place> places;
    if (words.empty())
        return places;
    const size_t base = static_cast<size_t>(words.data() - line.data());
    size_t start = 0;
    for (size_t i = 0; i <= words.size(); ++i) {
        if (i == words.size() || words[i] == ' ') {
            if (i > start)
                places.push_back({base + start, base + i});
            start = i + 1;
        }
    }
    return places;
}

// Matched by the word matching, not by standing in a lost part.
bool Matched(const MatchMask& mask, const Place& p)
{
    return p.start < mask.size() &&
           (mask[p.start] == 1 || mask[p.start] == kSpellingMatch || mask[p.start] == kMovedMatch);
}

} // namespace

void MarkLostText(std::string_view remnant, const MatchMask& remnantMask, std::span<const std::uint16_t> gaps,
                  std::string_view other, MatchMask& otherMask)
{
    if (gaps.empty())
        return;
    const std::vector<Place> A = WordPlaces(remnant);
    const std::vector<Place> B = WordPlaces(other);
    if (B.empty())
        return;
    if (otherMask.size() < other.size())
        otherMask.resize(other.size(), 0);

    // The matched words of both sides, each by its text (spelling variants
    // all alike), paired by their longest common subsequence: a word matched
    // out of place (a moved or repeated word) must not pull the pairing past
    // the words that stand in order.
    static constexpr std::string_view kSpelt = "\x02";
    const auto matchedWords = [](std::string_view line, const MatchMask& mask, const std::vector<Place>& places) {
        std::vector<std::pair<size_t, std::string_view>> words;
        for (size_t i = 0; i < places.size(); ++i)
            if (Matched(mask, places[i]))
                words.emplace_back(i, mask[places[i].start] == kSpellingMatch
                                          ? kSpelt
                                          : line.substr(places[i].start, places[i].end - places[i].start));
        return words;
    };
    const auto a = matchedWords(remnant, remnantMask, A);
    const auto b = matchedWords(other, otherMask, B);
    const size_t n = a.size(), m = b.size();
    constexpr long kNone = -1;
    std::vector<long> partner(A.size(), kNone);
    constexpr size_t kMostCells = size_t{1} << 22; // far beyond any verse: such a line is paired in order
    if ((n + 1) * (m + 1) > kMostCells) {
        for (size_t i = 0, j = 0; i < n; ++i) {
            size_t k = j;
            while (k < m && b[k].second != a[i].second)
                ++k;
            if (k < m) {
                partner[a[i].first] = static_cast<long>(b[k].first);
                j = k + 1;
            }
        }
    } else {
        std::vector<std::uint16_t> common((n + 1) * (m + 1), 0); // [i*(m+1)+j]: of a[i..] and b[j..]
        const auto at = [&](size_t i, size_t j) { return common[i * (m + 1) + j]; };
        for (size_t i = n; i-- > 0;)
            for (size_t j = m; j-- > 0;)
                common[i * (m + 1) + j] = a[i].second == b[j].second ? std::uint16_t(at(i + 1, j + 1) + 1)
                                                                      : std::max(at(i + 1, j), at(i, j + 1));
        for (size_t i = 0, j = 0; i < n && j < m;) {
            if (a[i].second == b[j].second) {
                partner[a[i].first] = static_cast<long>(b[j].first);
                ++i;
                ++j;
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
    }

    for (const std::uint16_t gap : gaps) {
        const size_t g = std::min<size_t>(gap, A.size());
        long from = kNone; // the partner of the nearest paired word before the gap
        for (size_t i = g; i-- > 0;)
            if (partner[i] != kNone) {
                from = partner[i];
                break;
            }
        long to = static_cast<long>(B.size()); // and after it
        for (size_t i = g; i < A.size(); ++i)
            if (partner[i] != kNone) {
                to = partner[i];
                break;
            }
        for (long j = from + 1; j < to; ++j) {
            const Place& p = B[static_cast<size_t>(j)];
            if (otherMask[p.start] == 0)
                std::memset(otherMask.data() + p.start, kLacunaText, p.end - p.start);
        }
    }
}

std::string WithLacunaMarks(std::string_view line, const MatchMask& mask, std::span<const std::uint16_t> gaps,
                            MatchMask& shownMask)
{
    const std::vector<Place> words = WordPlaces(line);
    std::string shown;
    shownMask.clear();
    size_t done = 0;
    const auto copyTo = [&](size_t end) {
        shown.append(line.substr(done, end - done));
        for (size_t i = done; i < end; ++i)
            shownMask.push_back(i < mask.size() ? mask[i] : 0);
        done = end;
    };
    const auto mark = [&] {
        shown += kLacunaWord;
        shownMask.insert(shownMask.end(), kLacunaWord.size(), kLacunaMark);
    };
    for (const std::uint16_t gap : gaps) {
        if (gap < words.size()) { // "lac. " before the word
            copyTo(std::max(done, words[gap].start));
            mark();
            shown += ' ';
            shownMask.push_back(1);
        } else { // " lac." after the last word
            copyTo(line.size());
            if (!shown.empty() && shown.back() != ' ') {
                shown += ' ';
                shownMask.push_back(1);
            }
            mark();
        }
    }
    copyTo(std::max(done, line.size()));
    return shown;
}

std::string LacunoseReferences(std::string_view first, std::string_view last)
{
    std::string text(first);
    if (last.empty() || last == first)
        return text;
    const size_t colon = first.find(':');
    const size_t lastColon = last.find(':');
    text += '-';
    // Within one chapter the verse alone: "3:5-9".
    if (colon != std::string_view::npos && lastColon != std::string_view::npos &&
        first.substr(0, colon) == last.substr(0, lastColon))
        text += last.substr(lastColon + 1);
    else
        text += last;
    return text;
}

std::string LacunoseLabel(std::string_view first, std::string_view last)
{
    return std::string(kLacunaWord) + ' ' + LacunoseReferences(first, last);
}

int LacunoseLabelVerses(std::string_view label)
{
    if (label.starts_with(kLacunaWord))
        label.remove_prefix(kLacunaWord.size());
    while (label.starts_with(' '))
        label.remove_prefix(1);
    const auto number = [&](int& value) {
        const auto [end, ec] = std::from_chars(label.data(), label.data() + label.size(), value);
        if (ec != std::errc())
            return false;
        label.remove_prefix(static_cast<size_t>(end - label.data()));
        return true;
    };
    int chapter = 0;
    int first = 0;
    if (!number(chapter) || !label.starts_with(':'))
        return 0;
    label.remove_prefix(1);
    if (!number(first))
        return 0;
    if (label.empty())
        return 1;
    if (!label.starts_with('-'))
        return 0;
    label.remove_prefix(1);
    int last = 0;
    // A run never leaves its chapter.
    return number(last) && label.empty() && last >= first ? last - first + 1 : 0;
}

ShownPair WithLacunaMarks(const std::string& right, const std::string& left, const MatchMask& rightMask,
                          const MatchMask& leftMask, const PairGaps& gaps)
{
    ShownPair shown;
    shown.right = WithLacunaMarks(right, rightMask, gaps.right, shown.rightMask);
    shown.left = WithLacunaMarks(left, leftMask, gaps.left, shown.leftMask);
    return shown;
}

} // namespace synopter
