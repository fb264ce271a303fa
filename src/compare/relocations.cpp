#include "compare/relocations.h"

#include "compare/lacuna_marks.h"
#include "editions/edition_lines.h"

#include <algorithm>
#include <tuple>

namespace synopter {

namespace {

// The share of words two verses must have in common, of the longer one's.
constexpr double kSameText = 0.8;

// An empty slot with the other side's text there.
struct Candidate {
    size_t line = 0;
    int book = 0;
    std::vector<std::string_view> words; // the other side's, sorted
};

// Words in common, counted with repeats, over the sorted word lists.
size_t SharedWords(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    size_t shared = 0;
    for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        if (a[i] == b[j]) {
            ++shared;
            ++i;
            ++j;
        } else if (a[i] < b[j]) {
            ++i;
        } else {
            ++j;
        }
    }
    return shared;
}

bool NearlySame(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    const size_t longer = std::max(a.size(), b.size());
    // A cheap bound first: the shorter one cannot share enough.
    if (longer == 0 || double(std::min(a.size(), b.size())) < kSameText * double(longer))
        return false;
    return double(SharedWords(a, b)) >= kSameText * double(longer);
}

std::string_view ReferenceAt(std::span<const std::string_view> lines, size_t k)
{
    return k < lines.size() && !IsHeadingLine(lines[k]) ? ParseVerseLine(lines[k]).reference : std::string_view{};
}

// The slots empty on one side with the other side's words there, each with
// its book (counted from 0 by the changes of heading title).
void Gather(std::span<const std::string_view> left, std::span<const std::string_view> right,
            std::vector<Candidate>& emptyLeft, std::vector<Candidate>& emptyRight)
{
    const size_t total = std::max(left.size(), right.size());
    std::string_view title;
    int book = -1;
    for (size_t k = 0; k < total; ++k) {
        const std::string_view l = k < left.size() ? left[k] : std::string_view{};
        const std::string_view r = k < right.size() ? right[k] : std::string_view{};
        if (IsHeadingLine(l) || IsHeadingLine(r)) {
            const std::string_view t = BookTitle(IsHeadingLine(l) ? l : r);
            if (book < 0 || t != title)
                ++book;
            title = t;
            continue;
        }
        if (l.empty() || r.empty()) // past the end of a list: no slot to speak of
            continue;
        const VerseParts lp = ParseVerseLine(l);
        const VerseParts rp = ParseVerseLine(r);
        const auto add = [&](std::vector<Candidate>& to, std::string_view words) {
            Candidate c{k, book, SplitWords(words)};
            std::sort(c.words.begin(), c.words.end());
            to.push_back(std::move(c));
        };
        if (!lp.reference.empty() && lp.words.empty() && !rp.words.empty())
            add(emptyLeft, rp.words);
        else if (!rp.reference.empty() && rp.words.empty() && !lp.words.empty())
            add(emptyRight, lp.words);
    }
}

} // namespace

std::vector<Relocation> FindRelocations(std::span<const std::string_view> left, std::span<const std::string_view> right)
{
    std::vector<Candidate> emptyLeft, emptyRight;
    Gather(left, right, emptyLeft, emptyRight);

    // Slot k empty on the left holds the right's text; slot j empty on the
    // right holds the left's. They are one passage in two places when those
    // texts are nearly the same. Each slot pairs once, the closer pairs first.
    struct Match {
        double share;
        size_t k, j; // indices into emptyLeft, emptyRight
    };
    std::vector<Match> matches;
    for (size_t a = 0; a < emptyLeft.size(); ++a)
        for (size_t b = 0; b < emptyRight.size(); ++b)
            if (emptyLeft[a].book == emptyRight[b].book && NearlySame(emptyLeft[a].words, emptyRight[b].words)) {
                const double longer = double(std::max(emptyLeft[a].words.size(), emptyRight[b].words.size()));
                matches.push_back({double(SharedWords(emptyLeft[a].words, emptyRight[b].words)) / longer, a, b});
            }
    std::stable_sort(matches.begin(), matches.end(), [](const Match& x, const Match& y) { return x.share > y.share; });
    std::vector<bool> usedLeft(emptyLeft.size()), usedRight(emptyRight.size());
    std::vector<Relocation> found;
    for (const Match& m : matches) {
        if (usedLeft[m.k] || usedRight[m.j])
            continue;
        usedLeft[m.k] = usedRight[m.j] = true;
        const size_t k = emptyLeft[m.k].line, j = emptyRight[m.j].line;
        found.push_back({k, j, false, {}});
        found.push_back({j, k, true, {}});
    }
    std::sort(found.begin(), found.end(), [](const Relocation& x, const Relocation& y) { return x.line < y.line; });

    // Runs: consecutive slots empty on the same side whose texts stand in
    // consecutive slots elsewhere. Each names the whole run it moved to.
    for (size_t first = 0; first < found.size();) {
        size_t last = first;
        while (last + 1 < found.size() && found[last + 1].line == found[last].line + 1 &&
               found[last + 1].at == found[last].at + 1 && found[last + 1].rightEmpty == found[first].rightEmpty)
            ++last;
        // The place by the references of the side that has the text there.
        const auto lines = found[first].rightEmpty ? right : left;
        const auto other = found[first].rightEmpty ? left : right;
        const auto reference = [&](size_t k) {
            const std::string_view r = ReferenceAt(lines, k);
            return r.empty() ? ReferenceAt(other, k) : r;
        };
        const std::string place = LacunoseReferences(reference(found[first].at), reference(found[last].at));
        for (size_t i = first; i <= last; ++i)
            found[i].place = place;
        first = last + 1;
    }
    return found;
}

std::vector<Relocation> FindRelocations(const std::vector<std::string>& left, const std::vector<std::string>& right)
{
    const std::vector<std::string_view> l(left.begin(), left.end());
    const std::vector<std::string_view> r(right.begin(), right.end());
    return FindRelocations(std::span<const std::string_view>(l), std::span<const std::string_view>(r));
}

const Relocation* RelocationAt(std::span<const Relocation> relocations, size_t line)
{
    const auto it = std::lower_bound(relocations.begin(), relocations.end(), line,
                                     [](const Relocation& r, size_t k) { return r.line < k; });
    return it != relocations.end() && it->line == line ? &*it : nullptr;
}

void AppendRelocationNote(std::string& line, MatchMask& mask, std::string_view place)
{
    mask.resize(line.size(), 0); // past its end a mask reads unmatched: kept so
    if (!line.empty() && line.back() != ' ') {
        line += ' ';
        mask.push_back(1);
    }
    const std::string note = "-> " + std::string(place);
    line += note;
    mask.insert(mask.end(), note.size(), kLacunaMark);
}

} // namespace synopter
