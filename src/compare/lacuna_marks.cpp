#include "compare/lacuna_marks.h"

#include "editions/edition_lines.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <unordered_map>
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
    return p.start < mask.size() && (mask[p.start] == 1 || mask[p.start] == kSpellingMatch);
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

    // The other side's matched words by text, in order, to pair with the
    // remnant's matched words in order.
    std::unordered_map<std::string_view, std::vector<size_t>> byText;
    std::vector<size_t> spelt;
    for (size_t j = 0; j < B.size(); ++j) {
        if (!Matched(otherMask, B[j]))
            continue;
        if (otherMask[B[j].start] == kSpellingMatch)
            spelt.push_back(j);
        else
            byText[other.substr(B[j].start, B[j].end - B[j].start)].push_back(j);
    }
    constexpr long kNone = -1;
    std::vector<long> partner(A.size(), kNone);
    long after = -1; // partners come after this word of the other side
    for (size_t i = 0; i < A.size(); ++i) {
        if (!Matched(remnantMask, A[i]))
            continue;
        const std::vector<size_t>* list = nullptr;
        if (remnantMask[A[i].start] == kSpellingMatch) {
            list = &spelt;
        } else if (auto it = byText.find(remnant.substr(A[i].start, A[i].end - A[i].start)); it != byText.end()) {
            list = &it->second;
        }
        if (!list)
            continue;
        const auto next = std::upper_bound(list->begin(), list->end(), after,
                                           [](long a, size_t j) { return a < static_cast<long>(j); });
        if (next != list->end())
            partner[i] = after = static_cast<long>(*next);
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

} // namespace synopter
