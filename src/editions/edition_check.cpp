#include "editions/edition_check.h"

#include "common/ascii.h"
#include "editions/edition_lines.h"

#include <algorithm>

namespace synopter {

namespace {

// The code point of the UTF-8 sequence at `i` and its length; length 0 when
// the bytes there are no valid sequence (overlong forms and surrogates included).
struct Decoded {
    char32_t code = 0;
    size_t length = 0;
};

Decoded DecodeAt(std::string_view s, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    if (b < 0x80)
        return {b, 1};
    size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((b & 0xE0) == 0xC0) {
        length = 2, code = b & 0x1F, least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3, code = b & 0x0F, least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4, code = b & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (i + length > s.size())
        return {};
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return {code, length};
}

// Letters of the Greek and Coptic and the Greek Extended blocks; their
// punctuation and spacing accents are left out, being no text on their own.
bool IsGreekLetter(char32_t c)
{
    if (c >= 0x0370 && c <= 0x03FF)
        return c != 0x0374 && c != 0x0375 && c != 0x037E && c != 0x0384 && c != 0x0385 && c != 0x0387 &&
               !(c >= 0x0378 && c <= 0x0379) && !(c >= 0x0380 && c <= 0x0383) && c != 0x038B && c != 0x038D &&
               c != 0x03A2;
    if (c >= 0x1F00 && c <= 0x1FFF)
        return c <= 0x1FBC || c == 0x1FBE || (c >= 0x1FC2 && c <= 0x1FCC) || (c >= 0x1FD0 && c <= 0x1FDB) ||
               (c >= 0x1FE0 && c <= 0x1FEC) || (c >= 0x1FF2 && c <= 0x1FFC);
    return false;
}

bool HoldsGreekLetter(std::string_view line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if (static_cast<unsigned char>(line[i]) < 0x80)
            continue;
        const Decoded d = DecodeAt(line, i);
        if (d.length == 0)
            continue;
        if (IsGreekLetter(d.code))
            return true;
        i += d.length - 1;
    }
    return false;
}

std::string Quoted(std::string_view name)
{
    return "\xE2\x80\x9C" + ToUtf8(name) + "\xE2\x80\x9D";
}

// The start of a line, enough to find it in the file.
std::string LineStart(std::string_view line)
{
    constexpr size_t kShown = 24;
    const std::string text = ToUtf8(line);
    size_t end = 0;
    size_t characters = 0;
    while (end < text.size() && characters < kShown) {
        const Decoded d = DecodeAt(text, end);
        end += d.length ? d.length : 1;
        ++characters;
    }
    return Quoted(text.substr(0, end) + (end < text.size() ? "\xE2\x80\xA6" : ""));
}

std::string_view LineKind(std::string_view line)
{
    if (IsHeadingLine(line))
        return "a chapter heading";
    return line.empty() ? "an empty line" : "a verse";
}

// The same chapter: the same text, letter case and trailing blanks aside, or
// the same chapter number of the same book; a title this program does not
// know (another naming of the books) is judged by the number alone.
bool SameHeading(std::string_view a, std::string_view b)
{
    const auto trimmed = [](std::string_view s) {
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
            s.remove_suffix(1);
        return s;
    };
    a = trimmed(a), b = trimmed(b);
    if (ascii::EqualsIgnoreCase(a, b))
        return true;
    const std::optional<int> bookA = BookOfTitle(BookTitle(a)), bookB = BookOfTitle(BookTitle(b));
    if (bookA && bookB && bookA != bookB)
        return false;
    return HeadingChapter(a) == HeadingChapter(b);
}

// Verse lines where both begin with a reference must begin with the same.
bool SameVerse(std::string_view a, std::string_view b)
{
    // Lines that begin alike up to the end of the first word read the same
    // reference, or both none: most differing verses, taken without parsing.
    const size_t start = std::min(a.find_first_not_of(' '), a.size());
    const size_t end = std::min(a.find(' ', start), a.size());
    if (b.size() >= end && a.compare(0, end, b, 0, end) == 0 && (b.size() == end || b[end] == ' '))
        return true;
    const VerseParts first = ParseVerseLine(a), second = ParseVerseLine(b);
    return first.reference.empty() || second.reference.empty() ||
           (first.chapter == second.chapter && first.verse == second.verse);
}

// Why line `i`, which both texts have, breaks the layout; "" when it does not.
std::string LineMismatch(size_t i, std::string_view leftName, std::string_view l, std::string_view rightName,
                         std::string_view r)
{
    const bool heading = IsHeadingLine(l);
    std::string what;
    if (heading != IsHeadingLine(r)) {
        what = " is " + std::string(LineKind(l)) + " in " + Quoted(leftName) + " (" + LineStart(l) + ") but " +
               std::string(LineKind(r)) + " in " + Quoted(rightName) + " (" + LineStart(r) + ")";
    } else if (heading ? !SameHeading(l, r) : !SameVerse(l, r)) {
        what = std::string(heading ? " heads another chapter" : " is another verse") + " in " + Quoted(leftName) +
               " (" + LineStart(l) + ") than in " + Quoted(rightName) + " (" + LineStart(r) + ")";
    }
    return what.empty() ? what : "line " + std::to_string(i + 1) + what;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        const Decoded d = DecodeAt(bytes, i);
        if (d.length == 0)
            return false;
        i += d.length;
    }
    return true;
}

std::string ToUtf8(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else {
            out += char(0xC0 | (b >> 6));
            out += char(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> UnicodeGreekProblem(std::string_view name, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (HoldsGreekLetter(line))
            return "The edition " + Quoted(name) +
                   " holds Unicode Greek text, not Synopter's transliteration. Import its source with "
                   "File \xE2\x96\xB8 Import edition\xE2\x80\xA6";
    }
    return std::nullopt;
}

namespace {

template <typename Lines>
std::optional<std::string> LayoutProblemOf(std::string_view leftName, const Lines& left, std::string_view rightName,
                                           const Lines& right, LineCounts counts)
{
    std::string mismatch;
    const size_t common = std::min(left.size(), right.size());
    for (size_t i = 0; i < common && mismatch.empty(); ++i) {
        // Equal lines, as most are in editions that line up, need no parsing.
        if (left[i] != right[i])
            mismatch = LineMismatch(i, leftName, left[i], rightName, right[i]);
    }
    const bool countsDiffer = counts == LineCounts::Equal && left.size() != right.size();
    if (!countsDiffer && mismatch.empty())
        return std::nullopt;

    std::string text = "The editions do not line up: ";
    if (countsDiffer) {
        text += Quoted(leftName) + " has " + std::to_string(left.size()) + " lines, " + Quoted(rightName) + " has " +
                std::to_string(right.size()) + ".";
        if (!mismatch.empty()) {
            mismatch[0] = 'L';
            text += " " + mismatch + ".";
        }
    } else {
        text += mismatch + ".";
    }
    return text + " Their verses would be compared with other verses.";
}

} // namespace

std::optional<std::string> LayoutProblem(std::string_view leftName, const std::vector<std::string>& left,
                                         std::string_view rightName, const std::vector<std::string>& right,
                                         LineCounts counts)
{
    return LayoutProblemOf(leftName, left, rightName, right, counts);
}

std::optional<std::string> LayoutProblem(std::string_view leftName, std::span<const std::string_view> left,
                                         std::string_view rightName, std::span<const std::string_view> right,
                                         LineCounts counts)
{
    return LayoutProblemOf(leftName, left, rightName, right, counts);
}

std::optional<std::string> ComparisonProblem(std::string_view leftName, const std::vector<std::string>& left,
                                             std::string_view rightName, const std::vector<std::string>& right)
{
    if (left.empty() || right.empty())
        return std::nullopt;
    if (auto problem = UnicodeGreekProblem(leftName, left))
        return problem;
    if (auto problem = UnicodeGreekProblem(rightName, right))
        return problem;
    return LayoutProblem(leftName, left, rightName, right);
}

} // namespace synopter
