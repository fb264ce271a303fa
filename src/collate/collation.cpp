#include "collate/collation.h"

#include "collate/collator.h"
#include "editions/edition_lines.h"
#include "editions/lacunae.h"

#include <algorithm>

namespace synopter::collate {

std::string_view KindName(ReadingKind kind)
{
    switch (kind) {
    case ReadingKind::Substitution: return "substitution";
    case ReadingKind::Omission: return "omission";
    case ReadingKind::Addition: return "addition";
    case ReadingKind::Transposition: return "transposition";
    case ReadingKind::Absent: return "absent";
    case ReadingKind::Spelling: return "spelling";
    case ReadingKind::Lacuna: return "lacuna";
    }
    return "substitution";
}

const std::vector<int>& Unit::Lacunose() const
{
    static const std::vector<int> kNone;
    return !readings.empty() && readings.back().kind == ReadingKind::Lacuna ? readings.back().editions : kNone;
}

VerseLine SplitVerseLine(std::string_view line)
{
    size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    const size_t end = std::min(line.find(' ', start), line.size());
    const std::string_view first = line.substr(start, end - start);
    const size_t colon = first.find(':');
    const bool isReference = colon != std::string_view::npos && colon > 0 && colon + 1 < first.size()
        && std::all_of(first.begin(), first.end(), [](char c) { return c == ':' || (c >= '0' && c <= '9'); });
    VerseLine out;
    if (isReference) {
        out.reference = first;
        start = end;
    }
    std::string_view words = line.substr(std::min(start, line.size()));
    const size_t from = words.find_first_not_of(' ');
    if (from == std::string_view::npos)
        return out;
    words.remove_prefix(from);
    words.remove_suffix(words.size() - (words.find_last_not_of(' ') + 1));
    out.words = words;
    return out;
}

std::vector<Unit> CollateVerse(std::span<const std::string_view> verses, const Options& options,
                               std::span<const VerseLoss> losses)
{
    Collator collator(options);
    return collator.Collate(verses, losses);
}

namespace {

// The witnesses' losses in one line; false when none of them lost anything there.
bool LossesAt(WitnessLacunae lacunae, size_t line, std::vector<VerseLoss>& losses)
{
    bool any = false;
    for (size_t e = 0; e < losses.size(); ++e) {
        const Lacunae* lost = e < lacunae.size() ? lacunae[e] : nullptr;
        losses[e] = {};
        if (lost && !lost->Empty() && lost->Touches(line)) {
            losses[e] = {lost->Lacunose(line), lost->Gaps(line)};
            any = true;
        }
    }
    return any;
}

} // namespace

void CollateTexts(std::span<const std::vector<std::string>* const> texts, const Options& options,
                  const std::function<bool(const VerseApparatus&)>& verse,
                  const std::function<bool(int line)>& include, WitnessLacunae lacunae, bool everyVerse)
{
    if (texts.empty() || options.base < 0 || options.base >= static_cast<int>(texts.size()))
        return;
    size_t length = 0;
    for (const auto* text : texts)
        length = std::max(length, text->size());
    Collator collator(options);
    std::vector<std::string_view> words(texts.size());
    const bool anyLacunae = std::any_of(lacunae.begin(), lacunae.end(), [](const Lacunae* l) { return l && !l->Empty(); });
    std::vector<VerseLoss> losses(anyLacunae ? texts.size() : 0);
    const RelocatedVerses relocated(texts, options.base);
    VerseApparatus out;
    static const std::string kNoLine;
    for (size_t line = 0; line < length; ++line) {
        const auto lineOf = [&](size_t e) -> const std::string& {
            return line < texts[e]->size() ? (*texts[e])[line] : kNoLine;
        };
        const std::string& baseLine = lineOf(static_cast<size_t>(options.base));
        const std::string* first = &baseLine;
        for (size_t e = 0; first->empty() && e < texts.size(); ++e)
            first = &lineOf(e);
        if (IsHeadingLine(*first)) {
            out.chapter = *first;
            continue;
        }
        if (include && !include(static_cast<int>(line)))
            continue;
        out.reference = {};
        for (size_t e = 0; e < texts.size(); ++e) {
            const VerseLine split = SplitVerseLine(lineOf(e));
            words[e] = split.words;
            if (out.reference.empty())
                out.reference = std::string(split.reference);
        }
        const bool lost = anyLacunae && LossesAt(lacunae, line, losses);
        std::vector<Unit> units = lost ? collator.Collate(words, losses) : collator.Collate(words);
        if (units.empty() && !everyVerse)
            continue;
        relocated.Mark(line, units);
        out.line = static_cast<int>(line);
        out.base = collator.Base() >= 0 ? collator.Base() : options.base; // below 0: every witness lost it
        out.baseText = collator.Base() >= 0 ? std::string(words[static_cast<size_t>(out.base)]) : std::string();
        out.lost.clear();
        for (size_t e = 0; lost && e < losses.size(); ++e)
            if (losses[e].lost)
                out.lost.push_back(static_cast<int>(e));
        out.units = std::move(units);
        if (!verse(out))
            return;
    }
}

DistanceTable::DistanceTable(int editionCount)
    : size_(std::max(editionCount, 0)),
      cells_(static_cast<size_t>(size_) * static_cast<size_t>(size_), 0),
      shared_(cells_.size(), 0),
      group_(static_cast<size_t>(size_), -1)
{
}

void DistanceTable::Add(const VerseApparatus& verse)
{
    for (const Unit& unit : verse.units) {
        std::fill(group_.begin(), group_.end(), -1);
        for (const int e : unit.agree)
            if (e >= 0 && e < size_)
                group_[static_cast<size_t>(e)] = 0;
        for (size_t r = 0; r < unit.readings.size(); ++r)
            if (unit.readings[r].kind != ReadingKind::Lacuna) // lost text neither agrees nor differs
                for (const int e : unit.readings[r].editions)
                    if (e >= 0 && e < size_)
                        group_[static_cast<size_t>(e)] = static_cast<int>(r) + 1;
        for (int a = 0; a < size_; ++a) {
            const int ga = group_[static_cast<size_t>(a)];
            if (ga < 0)
                continue;
            ++shared_[At(a, a)];
            for (int b = a + 1; b < size_; ++b) {
                const int gb = group_[static_cast<size_t>(b)];
                if (gb < 0)
                    continue;
                ++shared_[At(a, b)];
                ++shared_[At(b, a)];
                if (ga != gb) {
                    ++cells_[At(a, b)];
                    ++cells_[At(b, a)];
                }
            }
        }
    }
}

std::optional<double> DistanceTable::AgreementPercent(int a, int b) const
{
    const int shared = Shared(a, b);
    if (shared <= 0)
        return std::nullopt;
    return 100.0 * Agreeing(a, b) / shared;
}

DistanceTable CountDistances(std::span<const std::vector<std::string>* const> texts, const Options& options,
                             const std::function<bool(int line)>& include, const std::function<bool()>& goOn,
                             WitnessLacunae lacunae)
{
    DistanceTable table(static_cast<int>(texts.size()));
    CollateTexts(
        texts, options,
        [&](const VerseApparatus& verse) {
            table.Add(verse);
            return !goOn || goOn();
        },
        include, lacunae);
    return table;
}

} // namespace synopter::collate
