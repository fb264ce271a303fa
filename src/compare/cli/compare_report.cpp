#include "compare/cli/compare_report.h"

#include "common/greek_letters.h"
#include "common/json_text.h"
#include "editions/edition_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace synopter::cli {

namespace {

constexpr std::string_view kBlue = "\x1b[34m";
constexpr std::string_view kGreen = "\x1b[32m";
constexpr std::string_view kMagenta = "\x1b[35m";
constexpr std::string_view kDefaultColour = "\x1b[39m";

void AppendLatin1Char(std::string& out, unsigned char c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// For reading on a terminal: control bytes (C0, DEL and the C1 range) would
// drive the terminal instead of showing, so they appear as '?'.
void AppendShown(std::string& out, std::string_view bytes, Script script = Script::Latin)
{
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            out += '?';
        else if (const std::string_view greek = script == Script::Greek ? GreekLetter(ch) : std::string_view();
                 !greek.empty())
            out += greek;
        else
            AppendLatin1Char(out, c);
    }
}

void AppendNumber(std::string& out, size_t value)
{
    char digits[24];
    char* p = digits + sizeof digits;
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    out.append(p, digits + sizeof digits);
}

// ", \"lacunose\": N" where there are any, so summaries without lacunae stay as they were.
void AppendLacunose(std::string& out, int verses)
{
    if (verses == 0)
        return;
    out += ", \"lacunose\": ";
    AppendNumber(out, static_cast<size_t>(verses));
}

} // namespace

void UnmatchedRuns(const MatchMask& mask, size_t length, std::vector<Run>& runs)
{
    runs.clear();
    const size_t inMask = std::min(length, mask.size());
    const std::uint8_t* const bytes = mask.data();
    size_t i = 0;
    while (i < inMask) {
        // Matched stretches are the long ones: let memchr skip them.
        const void* zero = std::memchr(bytes + i, 0, inMask - i);
        if (!zero) {
            i = inMask;
            break;
        }
        const size_t start = static_cast<size_t>(static_cast<const std::uint8_t*>(zero) - bytes);
        i = start;
        while (i < inMask && bytes[i] == 0)
            ++i;
        if (i == inMask && inMask < length)
            i = length; // the unmarked tail joins this stretch
        runs.emplace_back(start, i - start);
    }
    if (i < length)
        runs.emplace_back(i, length - i);
}

namespace {

void ValueRuns(const MatchMask& mask, size_t length, std::uint8_t value, std::vector<Run>& runs)
{
    runs.clear();
    const size_t n = std::min(length, mask.size());
    for (size_t i = 0; i < n;) {
        if (mask[i] != value) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < n && mask[i] == value)
            ++i;
        runs.emplace_back(start, i - start);
    }
}

} // namespace

void SpellingRuns(const MatchMask& mask, size_t length, std::vector<Run>& runs)
{
    ValueRuns(mask, length, kSpellingMatch, runs);
}

void MovedRuns(const MatchMask& mask, size_t length, std::vector<Run>& runs)
{
    ValueRuns(mask, length, kMovedMatch, runs);
}

void AppendLatin1AsUtf8(std::string& out, std::string_view bytes)
{
    for (const char ch : bytes)
        AppendLatin1Char(out, static_cast<unsigned char>(ch));
}

namespace {

// What each byte becomes inside a JSON string under Greek: a Greek letter, or
// what it is in any JSON string.
std::string GreekJsonText(unsigned char c)
{
    if (const std::string_view greek = GreekLetter(static_cast<char>(c)); !greek.empty())
        return std::string(greek);
    std::string text;
    AppendJsonChar(text, c);
    return text;
}

const ByteTranslation kGreekJsonText(GreekJsonText);

} // namespace

void AppendJsonString(std::string& out, std::string_view bytes, Script script)
{
    if (script == Script::Latin) {
        AppendJsonLatin1(out, bytes);
        return;
    }
    // Every letter changes, so there are no plain stretches to skip.
    out += '"';
    kGreekJsonText.Append(out, bytes);
    out += '"';
}

Report::Report(std::FILE* sink, Script script) : output_(sink), script_(script) {}

namespace {

// Writes a record through a pointer into a scratch buffer with room enough,
// appended to the output whole when the record is done: one size check for a
// record rather than one for each piece. The scratch buffer only grows (and
// is only then filled), so a long report fills it a few times at most.
class Room {
public:
    Room(std::string& scratch, size_t most, std::string& out) : out_(out)
    {
        if (scratch.size() < most)
            scratch.resize(std::max(most, 2 * scratch.size()));
        start_ = p_ = scratch.data();
    }
    ~Room() { out_.append(start_, p_); }
    Room(const Room&) = delete;
    Room& operator=(const Room&) = delete;

    // Room for a JSON string of `size` bytes, under either script.
    static constexpr size_t ForString(size_t size)
    {
        return std::max(JsonLatin1Room(size), ByteTranslation::Room(size) + 2);
    }
    static constexpr size_t kNumber = 20;
    static constexpr size_t kRun = 2 * kNumber + 6; // "[start, length], "

    Room& operator<<(std::string_view text)
    {
        std::memcpy(p_, text.data(), text.size());
        p_ += text.size();
        return *this;
    }
    void Number(size_t value)
    {
        char digits[kNumber];
        char* d = digits + sizeof digits;
        do {
            *--d = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        *this << std::string_view(d, static_cast<size_t>(digits + sizeof digits - d));
    }
    void String(std::string_view bytes, Script script)
    {
        if (script == Script::Latin) {
            p_ = WriteJsonLatin1(p_, bytes);
            return;
        }
        *p_++ = '"';
        p_ = kGreekJsonText.Write(p_, bytes);
        *p_++ = '"';
    }
    // "[[start, length], ...]"
    void Runs(const std::vector<Run>& runs)
    {
        *p_++ = '[';
        for (size_t i = 0; i < runs.size(); ++i) {
            *this << (i == 0 ? "[" : ", [");
            Number(runs[i].first);
            *this << ", ";
            Number(runs[i].second);
            *p_++ = ']';
        }
        *p_++ = ']';
    }

private:
    std::string& out_;
    char* start_;
    char* p_;
};

size_t Total(const std::vector<Run>& runs)
{
    size_t total = 0;
    for (const Run& run : runs)
        total += run.second;
    return total;
}

} // namespace

void JsonReport::VersePairView(std::string_view right, std::string_view left, const MatchMask& rightMask,
                               const MatchMask& leftMask)
{
    // The stretches first: the counts are their sums, and the room the record takes depends on them.
    UnmatchedRuns(rightMask, right.size(), rightDiff_);
    UnmatchedRuns(leftMask, left.size(), leftDiff_);
    rightSpelling_.clear();
    leftSpelling_.clear();
    if (markSpelling_) {
        SpellingRuns(rightMask, right.size(), rightSpelling_);
        SpellingRuns(leftMask, left.size(), leftSpelling_);
    }
    rightMoved_.clear();
    leftMoved_.clear();
    if (markMoved_) {
        MovedRuns(rightMask, right.size(), rightMoved_);
        MovedRuns(leftMask, left.size(), leftMoved_);
    }
    const size_t runs = rightDiff_.size() + leftDiff_.size() + rightSpelling_.size() + leftSpelling_.size() +
                        rightMoved_.size() + leftMoved_.size();
    {
        Room room(record_,
                  256 + 3 * Room::kNumber + Room::ForString(chapter_.size()) + Room::ForString(right.size()) +
                      Room::ForString(left.size()) + Room::ForString(relocated_.size()) + runs * Room::kRun,
                  out_);
        room << "{\"line\": ";
        room.Number(line_);
        room << ", \"chapter\": ";
        room.String(chapter_, script_);
        room << ", \"right\": ";
        room.String(right, script_);
        room << ", \"left\": ";
        room.String(left, script_);
        room << ", \"right_unmatched\": ";
        room.Number(Total(rightDiff_));
        room << ", \"left_unmatched\": ";
        room.Number(Total(leftDiff_));
        room << ", \"right_diff\": ";
        room.Runs(rightDiff_);
        room << ", \"left_diff\": ";
        room.Runs(leftDiff_);
        if (markSpelling_) {
            room << ", \"right_spelling\": ";
            room.Runs(rightSpelling_);
            room << ", \"left_spelling\": ";
            room.Runs(leftSpelling_);
        }
        if (markMoved_) {
            room << ", \"right_moved\": ";
            room.Runs(rightMoved_);
            room << ", \"left_moved\": ";
            room.Runs(leftMoved_);
        }
        if (lacuna_) // within the record's slack
            room << ", \"lacuna\": true";
        if (!relocated_.empty()) {
            room << ", \"relocated\": ";
            room.String(relocated_, Script::Latin);
        }
        room << "}\n";
    }
    FlushIfFull();
}

TextReport::TextReport(std::string leftLabel, std::string rightLabel, bool colour, std::FILE* sink,
                       Script script)
    : Report(sink, script), colour_(colour)
{
    leftLabel_ = "  ";
    AppendShown(leftLabel_, leftLabel);
    leftLabel_ += ':';
    rightLabel_ = "  ";
    AppendShown(rightLabel_, rightLabel);
    rightLabel_ += ':';
    // Both texts start in the same column, whatever the lengths of the names
    // (one byte is one character).
    const size_t width = std::max(leftLabel.size(), rightLabel.size());
    leftPadding_ = width - leftLabel.size();
    rightPadding_ = width - rightLabel.size();
}

void TextReport::Chapter(const std::string& heading)
{
    Report::Chapter(heading);
    AppendShown(out_, heading, script_);
    out_ += '\n';
}

void TextReport::VersePairView(std::string_view right, std::string_view left, const MatchMask& rightMask,
                               const MatchMask& leftMask)
{
    AppendLabelled(leftLabel_, leftPadding_, left, leftMask);
    AppendLabelled(rightLabel_, rightPadding_, right, rightMask);
    FlushIfFull();
}

void TextReport::AppendLabelled(const std::string& label, size_t padding, std::string_view line,
                                const MatchMask& mask)
{
    out_ += label;
    if (line.empty()) { // a line past the end of the shorter edition
        out_ += '\n';
        return;
    }
    out_.append(padding, ' ');
    // Verse lines bring their own leading space; headings get one.
    if (IsHeadingLine(line))
        out_ += ' ';
    const std::string_view text = line;
    size_t done = 0;
    if ((markSpelling_ && std::find(mask.begin(), mask.end(), kSpellingMatch) != mask.end()) ||
        (markMoved_ && std::find(mask.begin(), mask.end(), kMovedMatch) != mask.end())) {
        AppendMarked(text, mask);
        return;
    }
    UnmatchedRuns(mask, line.size(), runs_);
    for (const Run& run : runs_) {
        AppendShown(out_, text.substr(done, run.first - done), script_);
        out_ += colour_ ? kBlue : "{";
        AppendShown(out_, text.substr(run.first, run.second), script_);
        out_ += colour_ ? kDefaultColour : "}";
        done = run.first + run.second;
    }
    AppendShown(out_, text.substr(done), script_);
    out_ += '\n';
}

// Differences between braces (blue), spelling variants between parentheses
// (green), moved words between angle brackets (magenta), one stretch at a time.
void TextReport::AppendMarked(std::string_view text, const MatchMask& mask)
{
    // Lost text and "lac." (3, 4) read as plain text.
    const auto kind = [&](size_t i) -> std::uint8_t {
        return i >= mask.size() ? 0 : mask[i] == kMovedMatch ? kMovedMatch : mask[i] > kSpellingMatch ? 1 : mask[i];
    };
    for (size_t start = 0; start < text.size();) {
        const std::uint8_t k = kind(start);
        size_t end = start + 1;
        while (end < text.size() && kind(end) == k)
            ++end;
        const std::string_view piece = text.substr(start, end - start);
        if (k == 1) {
            AppendShown(out_, piece, script_);
        } else {
            out_ += colour_ ? (k == 0 ? kBlue : k == kMovedMatch ? kMagenta : kGreen)
                            : (k == 0 ? "{" : k == kMovedMatch ? "<" : "(");
            AppendShown(out_, piece, script_);
            out_ += colour_ ? kDefaultColour : (k == 0 ? "}" : k == kMovedMatch ? ">" : ")");
        }
        start = end;
    }
    out_ += '\n';
}

void TextReport::Finish()
{
    AppendNumber(out_, static_cast<size_t>(found_));
    out_ += " verses differ\n";
    if (lacunose_ > 0) {
        AppendNumber(out_, static_cast<size_t>(lacunose_));
        out_ += " verses lacunose\n";
    }
}

void SummaryReport::Finish()
{
    const ResultSummary& summary = builder_.Summary();
    out_ += "{\"books\": [";
    for (size_t b = 0; b < summary.books.size(); ++b) {
        const BookCount& book = summary.books[b];
        out_ += b == 0 ? "\n{\"title\": " : ",\n{\"title\": ";
        AppendJsonString(out_, book.title, script_);
        out_ += ", \"reported\": ";
        AppendNumber(out_, static_cast<size_t>(book.reported));
        AppendLacunose(out_, book.lacunose);
        out_ += ", \"chapters\": [";
        for (size_t c = 0; c < book.chapters.size(); ++c) {
            out_ += c == 0 ? "{\"heading\": " : ", {\"heading\": ";
            AppendJsonString(out_, book.chapters[c].heading, script_);
            out_ += ", \"reported\": ";
            AppendNumber(out_, static_cast<size_t>(book.chapters[c].reported));
            AppendLacunose(out_, book.chapters[c].lacunose);
            out_ += '}';
        }
        out_ += "]}";
        FlushIfFull();
    }
    out_ += summary.books.empty() ? "], \"reported\": " : "\n], \"reported\": ";
    AppendNumber(out_, static_cast<size_t>(summary.reported));
    AppendLacunose(out_, summary.lacunose);
    if (markSpelling_) {
        out_ += ", \"spelling_only\": ";
        AppendNumber(out_, static_cast<size_t>(spellingOnly_));
    }
    if (markMoved_)
        out_ += ", \"marking\": \"aligned\"";
    out_ += "}\n";
}

namespace {

template <typename Lines>
bool WriteRun(const Lines& left, const Lines& right, const RunOptions& options, const ReportChoice& choice,
              std::FILE* sink)
{
    switch (choice.format) {
    case Format::Html: {
        html::ReportCollector collector;
        ComparisonRun(left, right, options, collector);
        const std::string page = html::HtmlReport(choice.facts, collector.items);
        return std::fwrite(page.data(), 1, page.size(), sink) == page.size();
    }
    case Format::Json: {
        JsonReport report(sink, choice.script);
        report.MarkSpelling(MarksSpelling(options));
        report.MarkMoved(MarksMoved(options));
        ComparisonRun(left, right, options, report);
        return report.Flush();
    }
    case Format::Summary: {
        SummaryReport report(sink, choice.script);
        report.MarkSpelling(MarksSpelling(options));
        report.MarkMoved(MarksMoved(options));
        ComparisonRun(left, right, options, report);
        report.Finish();
        return report.Flush();
    }
    case Format::Text:
        break;
    }
    TextReport report(choice.leftLabel, choice.rightLabel, choice.colour, sink, choice.script);
    report.MarkSpelling(MarksSpelling(options));
    report.MarkMoved(MarksMoved(options));
    ComparisonRun(left, right, options, report);
    report.Finish();
    return report.Flush();
}

} // namespace

bool WriteComparison(const std::vector<std::string>& left, const std::vector<std::string>& right,
                     const RunOptions& options, const ReportChoice& choice, std::FILE* sink)
{
    return WriteRun(left, right, options, choice, sink);
}

bool WriteComparison(std::span<const std::string_view> left, std::span<const std::string_view> right,
                     const RunOptions& options, const ReportChoice& choice, std::FILE* sink)
{
    return WriteRun(left, right, options, choice, sink);
}

} // namespace synopter::cli
