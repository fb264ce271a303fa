#include "import/tei_manuscript.h"

#include "import/nomina_sacra.h"

#include <optional>

namespace synopter::tei {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// The scribe correcting their own text: "firsthand" with type "corr" in the
// IGNTP/INTF transcriptions, "*" or "scribe" elsewhere.
bool IsScribeHand(std::string_view hand)
{
    return hand == "*" || EqualsIgnoringCase(hand, "firsthand") || EqualsIgnoringCase(hand, "scribe");
}

// -1, 0 or 1 as a sorts before, with or after b, digit runs by value.
int CompareNatural(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            const size_t si = i, sj = j;
            while (i < a.size() && IsDigit(a[i]))
                ++i;
            while (j < b.size() && IsDigit(b[j]))
                ++j;
            const std::string_view da = a.substr(si, i - si), db = b.substr(sj, j - sj);
            if (da.size() != db.size())
                return da.size() < db.size() ? -1 : 1;
            if (const int c = da.compare(db); c != 0)
                return c < 0 ? -1 : 1;
            continue;
        }
        const char ca = Lower(a[i++]), cb = Lower(b[j++]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return i < a.size() ? 1 : j < b.size() ? -1 : 0;
}

size_t OrigIndex(const std::vector<Reading>& readings)
{
    for (size_t i = 0; i < readings.size(); ++i)
        if (readings[i].type == "orig")
            return i;
    for (size_t i = 0; i < readings.size(); ++i)
        if (readings[i].lem)
            return i;
    for (size_t i = 0; i < readings.size(); ++i)
        if (readings[i].type != "corr")
            return i;
    return 0;
}

constexpr bool IsBlank(char c) { return c == ' '; }

// U+0300..U+036F, the combining diacritical marks: CC 80 .. CD AF.
bool IsCombiningMark(std::string_view utf8, size_t at)
{
    const auto b0 = static_cast<unsigned char>(utf8[at]);
    if (at + 1 >= utf8.size())
        return false;
    const auto b1 = static_cast<unsigned char>(utf8[at + 1]);
    return b0 == 0xCC || (b0 == 0xCD && b1 <= 0xAF);
}

// A contraction as it is reported: the overline (U+0305), a macron (U+0304)
// or the transcription's "=" dropped.
std::string WithoutContractionMark(std::string_view written)
{
    std::string out;
    for (size_t i = 0; i < written.size(); ++i) {
        if (written.substr(i).starts_with("\xCC\x85") || written.substr(i).starts_with("\xCC\x84")) {
            ++i;
            continue;
        }
        if (written[i] != '=')
            out += written[i];
    }
    return out;
}

// A manuscript's leaf side as transcriptions number pages: "1r", "23v".
bool IsFolioSide(std::string_view n)
{
    const size_t digits = n.find_first_not_of("0123456789");
    return digits != std::string_view::npos && digits > 0 && digits + 1 == n.size() &&
           (n.back() == 'r' || n.back() == 'v');
}

} // namespace

bool IsTranscriptionMarkup(std::string_view name, const XmlAttributes& attributes)
{
    if (name == "gap" || name == "supplied" || name == "unclear")
        return true;
    if (name == "abbr")
        return attributes.Value("type") == "nomSac";
    if (name == "rdg")
        return attributes.Find("hand").has_value();
    if (name == "pb")
        return attributes.Value("type") == "folio" || IsFolioSide(attributes.Value("n"));
    return false;
}

bool GapInLostText(std::string_view reason)
{
    return reason == "lacuna" || reason == "illegible" || reason == "damage" || reason == "unspecified" ||
           reason == "witnessEnd";
}

bool SuppliedForLostText(std::string_view reason) { return reason == "lacuna" || reason == "illegible"; }

bool IsHandApparatus(const std::vector<Reading>& readings)
{
    for (const Reading& r : readings)
        if (!r.hand.empty() || r.type == "orig" || r.type == "corr")
            return true;
    return false;
}

bool IsCorrection(const std::vector<Reading>& readings, size_t index)
{
    const Reading& r = readings[index];
    return index != OrigIndex(readings) && (r.type == "corr" || (r.type.empty() && !r.hand.empty()));
}

bool HandBefore(std::string_view a, std::string_view b)
{
    const bool scribeA = IsScribeHand(a), scribeB = IsScribeHand(b);
    if (scribeA != scribeB)
        return scribeA;
    return !scribeA && CompareNatural(a, b) < 0;
}

size_t ChooseHandReading(const std::vector<Reading>& readings, Hand hand)
{
    const size_t orig = OrigIndex(readings);
    if (hand == Hand::First)
        return orig;
    std::optional<size_t> chosen;
    for (size_t i = 0; i < readings.size(); ++i) {
        if (!IsCorrection(readings, i))
            continue;
        const std::string_view h = readings[i].hand;
        if (hand == Hand::Scribe ? IsScribeHand(h) : !chosen || !HandBefore(h, readings[*chosen].hand))
            chosen = i;
    }
    return chosen.value_or(orig);
}

std::string NomenSacrumText(std::string_view written, bool expansionGiven, TranscriptionCounts& counts)
{
    if (written.empty() || written.find_first_of(std::string_view(" \x01", 2)) != std::string_view::npos)
        return std::string(written);
    if (expansionGiven) {
        ++counts.contractionsExpanded;
        return std::string(written);
    }
    if (const auto full = ExpandNomenSacrum(written)) {
        ++counts.contractionsExpanded;
        return std::string(*full);
    }
    ++counts.unknownContractions[WithoutContractionMark(written)];
    return std::string(written);
}

void AppendInPlaceOf(MarkupText& to, std::string_view raw, std::string_view replacement)
{
    if (!raw.empty() && IsBlank(raw.front()))
        to.Break();
    if (replacement == std::string_view(&kLostTextMark, 1))
        AppendLostMark(to);
    else
        to.Append(replacement);
    if (!raw.empty() && IsBlank(raw.back()))
        to.Break();
}

void AppendLostMark(MarkupText& to)
{
    if (to.Raw().empty() || to.Raw().back() != kLostTextMark)
        to.Append(std::string_view(&kLostTextMark, 1));
}

std::string TidyLostMarks(std::string_view words)
{
    if (words.find(kLostTextMark) == std::string_view::npos)
        return std::string(words);
    const std::string_view lone(&kLostTextMark, 1);
    std::string out;
    std::string_view previous;
    while (!words.empty()) {
        const size_t end = std::min(words.find(' '), words.size());
        const std::string_view word = words.substr(0, end);
        words.remove_prefix(std::min(end + 1, words.size()));
        if (word.empty() || (word == lone && previous == lone))
            continue;
        if (!out.empty())
            out += ' ';
        out += word;
        previous = word;
    }
    return out;
}

bool WhollyLost(std::string_view words)
{
    return !words.empty() && words.find_first_not_of(std::string_view("\x01 ", 2)) == std::string_view::npos;
}

int CountLetters(std::string_view utf8)
{
    int letters = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool continuation = (c & 0xC0) == 0x80;
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (!continuation && !blank && !IsCombiningMark(utf8, i))
            ++letters;
    }
    return letters;
}

int CountWords(std::string_view words)
{
    int count = 0;
    bool inWord = false;
    for (char c : words) {
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        count += !blank && !inWord;
        inWord = !blank;
    }
    return count;
}

} // namespace synopter::tei
