#include "editions/lacunae.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/text_lines.h"
#include "editions/edition_lines.h"
#include "editions/nt_layout.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>

namespace synopter {
namespace {

constexpr int kFirstBookNumber = 40; // Matthew in BBCCCVVV

// A verse as the descriptor numbers it: BBCCCVVV.
int ReferenceNumber(int book, int chapter, int verse)
{
    return (kFirstBookNumber + book) * 1000000 + chapter * 1000 + verse;
}

// Calls `verse(index, book, parts)` for each verse line, with the book its
// heading names (nullopt before any, or under a heading of no book).
template <typename Lines, typename Verse>
void ForEachVerseLine(const Lines& lines, const Verse& verse)
{
    std::optional<int> book;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsHeadingLine(lines[i]))
            book = BookOfTitle(BookTitle(lines[i]));
        else
            verse(i, book, ParseVerseLine(lines[i]));
    }
}

// Both ways between the lines and the references of their verse slots.
class SlotIndex {
public:
    template <typename Lines>
    explicit SlotIndex(const Lines& lines)
    {
        ForEachVerseLine(lines, [this](size_t i, std::optional<int> book, const VerseParts& parts) {
            if (!book || parts.chapter == 0)
                return;
            const int number = ReferenceNumber(*book, parts.chapter, parts.verse);
            lines_.emplace(number, i);
            numbers_.emplace(i, number);
        });
    }
    std::optional<size_t> Line(int number) const
    {
        const auto it = lines_.find(number);
        return it == lines_.end() ? std::nullopt : std::optional<size_t>(it->second);
    }
    std::optional<int> Number(size_t line) const
    {
        const auto it = numbers_.find(line);
        return it == numbers_.end() ? std::nullopt : std::optional<int>(it->second);
    }

private:
    std::unordered_map<int, size_t> lines_;
    std::unordered_map<size_t, int> numbers_;
};

std::optional<int> ParseNumber(std::string_view text)
{
    text = ascii::Trim(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// One entry "KEY=VALUE" of the section; false when it names nothing it can place.
bool ApplyEntry(std::string_view key, std::string_view value, const SlotIndex& slots, Lacunae& lacunae)
{
    value = ascii::Trim(value);
    const size_t dash = key.find('-');
    const auto first = ParseNumber(key.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : ParseNumber(key.substr(dash + 1));
    if (!first || !last || *last < *first)
        return false;
    if (ascii::EqualsIgnoreCase(value, "lost")) {
        const auto from = slots.Line(*first), to = slots.Line(*last);
        if (!from || !to || *to < *from)
            return false;
        for (size_t line = *from; line <= *to; ++line)
            if (slots.Number(line))
                lacunae.SetLacunose(line);
        return true;
    }
    constexpr std::string_view kGaps = "gaps";
    if (dash != std::string_view::npos || value.size() < kGaps.size() ||
        !ascii::EqualsIgnoreCase(value.substr(0, kGaps.size()), kGaps))
        return false;
    const auto line = slots.Line(*first);
    if (!line)
        return false;
    std::vector<uint16_t> gaps;
    for (std::string_view word : SplitWords(value.substr(kGaps.size()))) {
        const auto at = ParseNumber(word);
        if (!at || *at < 0 || *at > 0xFFFF)
            return false;
        gaps.push_back(static_cast<uint16_t>(*at));
    }
    if (gaps.empty())
        return false;
    lacunae.SetGaps(*line, std::move(gaps));
    return true;
}

std::string FormatNumber(int number)
{
    std::string text = std::to_string(number);
    return std::string(text.size() < 8 ? 8 - text.size() : 0, '0') + text;
}

} // namespace

std::span<const uint16_t> Lacunae::Gaps(size_t line) const
{
    const auto it = gaps_.find(line);
    return it == gaps_.end() ? std::span<const uint16_t>() : std::span<const uint16_t>(it->second);
}

void Lacunae::SetLacunose(size_t line)
{
    gaps_.erase(line);
    lost_[line] = true;
}

void Lacunae::SetGaps(size_t line, std::vector<uint16_t> gaps)
{
    std::sort(gaps.begin(), gaps.end());
    gaps.erase(std::unique(gaps.begin(), gaps.end()), gaps.end());
    lost_.erase(line);
    if (gaps.empty())
        gaps_.erase(line);
    else
        gaps_[line] = std::move(gaps);
}

namespace {

template <typename Lines>
Lacunae ParseLacunaeOf(std::string_view descriptorBytes, const Lines& lines, int* skipped)
{
    Lacunae lacunae;
    int left = 0;
    bool inSection = false;
    std::optional<SlotIndex> slots; // built on the first entry: most descriptors have none
    for (const std::string& raw : SplitLines(descriptorBytes)) {
        const std::string_view line = ascii::Trim(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            inSection = close != std::string_view::npos && ascii::EqualsIgnoreCase(line.substr(1, close - 1), "Lacunae");
            continue;
        }
        if (!inSection)
            continue;
        const size_t equals = line.find('=');
        if (!slots)
            slots.emplace(lines);
        if (equals == std::string_view::npos ||
            !ApplyEntry(ascii::Trim(line.substr(0, equals)), line.substr(equals + 1), *slots, lacunae))
            ++left;
    }
    if (skipped)
        *skipped = left;
    return lacunae;
}

template <typename Lines>
Lacunae ReadLacunaeOf(const std::string& descriptorPath, const Lines& lines)
{
    std::optional<std::string> bytes;
    try {
        bytes = ReadFileBytes(descriptorPath, kMaxSettingsFileBytes);
    } catch (const Error&) {
        return {}; // the descriptor's own reader reports why
    }
    return bytes ? ParseLacunaeOf(*bytes, lines, nullptr) : Lacunae();
}

} // namespace

Lacunae ParseLacunae(std::string_view descriptorBytes, const std::vector<std::string>& lines, int* skipped)
{
    return ParseLacunaeOf(descriptorBytes, lines, skipped);
}

Lacunae ReadLacunae(const std::string& descriptorPath, const std::vector<std::string>& lines)
{
    return ReadLacunaeOf(descriptorPath, lines);
}

Lacunae ReadLacunae(const std::string& descriptorPath, std::span<const std::string_view> lines)
{
    return ReadLacunaeOf(descriptorPath, lines);
}

std::string LacunaeSectionText(const Lacunae& lacunae, const std::vector<std::string>& lines)
{
    if (lacunae.Empty())
        return {};
    const SlotIndex slots(lines);
    std::string text = "[Lacunae]\r\n";
    const auto& lost = lacunae.LostLines();
    for (auto it = lost.begin(); it != lost.end();) {
        const auto first = slots.Number(it->first);
        // A run goes on over consecutive lost slots, headings between them included.
        auto last = it;
        for (auto next = std::next(it); next != lost.end(); ++next) {
            bool joined = true;
            for (size_t line = last->first + 1; line < next->first && joined; ++line)
                joined = !slots.Number(line);
            if (!joined)
                break;
            last = next;
        }
        const auto lastNumber = slots.Number(last->first);
        it = std::next(last);
        if (!first || !lastNumber)
            continue;
        text += FormatNumber(*first);
        if (*lastNumber != *first)
            text += "-" + FormatNumber(*lastNumber);
        text += "=lost\r\n";
    }
    for (const auto& [line, gaps] : lacunae.RemnantLines()) {
        const auto number = slots.Number(line);
        if (!number)
            continue;
        text += FormatNumber(*number) + "=gaps";
        for (uint16_t at : gaps)
            text += " " + std::to_string(at);
        text += "\r\n";
    }
    return text;
}

std::string_view HandName(Hand hand)
{
    switch (hand) {
    case Hand::First: return "first";
    case Hand::Scribe: return "scribe";
    case Hand::Last: return "last";
    }
    return "scribe";
}

bool ParseHand(std::string_view name, Hand& hand)
{
    for (Hand h : {Hand::First, Hand::Scribe, Hand::Last})
        if (ascii::EqualsIgnoreCase(name, HandName(h))) {
            hand = h;
            return true;
        }
    return false;
}

WitnessExtent MeasureExtent(const std::vector<std::string>& lines, const Lacunae& lacunae)
{
    WitnessExtent extent;
    std::vector<bool> books(layout::kBookCount, false);
    ForEachVerseLine(lines, [&](size_t i, std::optional<int> book, const VerseParts& parts) {
        if (lacunae.Lacunose(i)) {
            ++extent.lacunose;
        } else if (parts.words.empty()) {
            ++extent.absent;
        } else {
            ++extent.versesExtant;
            if (!lacunae.Gaps(i).empty())
                ++extent.remnants;
            if (book)
                books[*book] = true;
        }
    });
    for (int b = 0; b < layout::kBookCount; ++b)
        if (books[b])
            extent.books.push_back(b);
    return extent;
}

std::string ExtentBooks(const std::vector<int>& books)
{
    const auto name = [](int book) { return std::string(layout::BookAt(book).english); };
    // A run of every book from the first to the last reads as a range.
    if (books.size() > 3 && books.back() - books.front() + 1 == static_cast<int>(books.size()))
        return name(books.front()) + "–" + name(books.back());
    std::string text;
    for (size_t i = 0; i < books.size(); ++i)
        text += (i ? ", " : "") + name(books[i]);
    return text;
}

std::string DescribeExtent(const WitnessExtent& extent, std::string_view hand)
{
    std::string text;
    if (extent.books.empty()) {
        text = "no verse extant";
    } else {
        text = ExtentBooks(extent.books) + ": " + std::to_string(extent.versesExtant) +
               (extent.versesExtant == 1 ? " verse" : " verses") + " extant";
    }
    if (hand == "first")
        text += ", first hand";
    else if (hand == "scribe")
        text += ", scribe's hand";
    else if (hand == "last")
        text += ", later hands";
    return text;
}

} // namespace synopter
