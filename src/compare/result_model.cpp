#include "compare/result_model.h"

#include "common/file_io.h"
#include "common/program_files.h"
#include "common/text_lines.h"
#include "compare/aligned_marking.h"
#include "compare/lacuna_marks.h"
#include "compare/result_record.h"
#include "compare/result_set.h"
#include "compare/spelling_rules.h"

#include <algorithm>

namespace synopter {

namespace {

constexpr rtf::Colour kHeadingColour = 128;        // dark red
constexpr rtf::Colour kUnmatchedColour = 0xFF0000; // blue
constexpr rtf::Colour kMatchedColour = 0;
constexpr rtf::Colour kSpellingColour = 0x008000; // green

// Black where the mask marks a shared word or a space, blue where a word is
// unmatched, green where it matched only as a spelling variant, purple where
// it is a moved word (aligned marking), the greys
// where text is lost.
rtf::Colour MaskColour(const MatchMask& mask, size_t i)
{
    if (i >= mask.size() || mask[i] == 0)
        return kUnmatchedColour;
    switch (mask[i]) {
    case kSpellingMatch:
        return kSpellingColour;
    case kLacunaText:
        return kLacunaTextColour;
    case kLacunaMark:
        return kLacunaMarkColour;
    case kMovedMatch:
        return kMovedColour;
    default:
        return kMatchedColour;
    }
}

rtf::Paragraph ColouredVerse(const std::string& verse, const MatchMask& mask)
{
    rtf::Paragraph runs;
    size_t start = 0;
    while (start < verse.size()) {
        const rtf::Colour colour = MaskColour(mask, start);
        size_t end = start + 1;
        while (end < verse.size() && MaskColour(mask, end) == colour)
            ++end;
        runs.push_back({verse.substr(start, end - start), colour, false});
        start = end;
    }
    return runs;
}

std::string PlainText(const rtf::Paragraph& paragraph)
{
    std::string text;
    for (const rtf::Span& span : paragraph)
        text += span.text;
    return text;
}

// Headings are the bold paragraphs; verses are never bold.
bool IsHeadingText(const rtf::Paragraph& p)
{
    return std::any_of(p.begin(), p.end(), [](const rtf::Span& s) { return s.bold && !s.text.empty(); });
}

bool IsGrey(const rtf::Paragraph& p)
{
    return !p.empty() && std::all_of(p.begin(), p.end(), [](const rtf::Span& s) {
        return s.colour == kLacunaTextColour || s.colour == kLacunaMarkColour;
    });
}

// A remnant's pair: some of it grey.
bool HasGrey(const rtf::Paragraph& p)
{
    return std::any_of(p.begin(), p.end(), [](const rtf::Span& s) {
        return s.colour == kLacunaTextColour || s.colour == kLacunaMarkColour;
    });
}

// A lacunose unit in the files: both sides grey; the verses from its label.
int LacunoseVerses(const rtf::Paragraph& left, const rtf::Paragraph& right)
{
    if (!IsGrey(left) || !IsGrey(right))
        return 0;
    return std::max({1, LacunoseLabelVerses(PlainText(left)), LacunoseLabelVerses(PlainText(right))});
}

size_t CharactersIn(const rtf::Paragraph& p, rtf::Colour colour)
{
    size_t n = 0;
    for (const rtf::Span& s : p)
        n += s.colour == colour ? s.text.size() : 0;
    return n;
}

// A pair in the files that the run showed for its spelling alone: green words,
// and fewer blue (unmatched) characters on each side than found a pair; with
// no threshold known, none. A found pair has at least the threshold's.
bool SpellingOnlyText(const rtf::Paragraph& left, const rtf::Paragraph& right, int threshold)
{
    if (CharactersIn(left, kSpellingColour) == 0 && CharactersIn(right, kSpellingColour) == 0)
        return false;
    const size_t limit = size_t(std::max(1, threshold));
    return CharactersIn(left, kUnmatchedColour) < limit && CharactersIn(right, kUnmatchedColour) < limit;
}

bool IsEmpty(const rtf::Paragraph& p)
{
    return std::all_of(p.begin(), p.end(), [](const rtf::Span& s) { return s.text.empty(); });
}

// The paragraphs with text, each with the empty ones before it; the empty
// paragraph after the last line break is not one of them.
struct Texts {
    std::vector<const rtf::Paragraph*> paragraphs;
    std::vector<int> emptiesBefore;
};

Texts TextsOf(const rtf::Document& doc)
{
    Texts out;
    int empties = 0;
    for (const rtf::Paragraph& p : doc.paragraphs) {
        if (IsEmpty(p)) {
            ++empties;
            continue;
        }
        out.paragraphs.push_back(&p);
        out.emptiesBefore.push_back(empties);
        empties = 0;
    }
    return out;
}

} // namespace

ComparisonResults::ComparisonResults(std::string folder) : folder_(std::move(folder)) {}

void ComparisonResults::Clear()
{
    units_.clear();
    texts_.clear();
    paired_ = true;
    unpaired_[0] = unpaired_[1] = {};
    ++generation_;
}

void ComparisonResults::AppendHeading(const std::string& label)
{
    const rtf::Paragraph heading{{label, kHeadingColour, true}};
    // A heading is set off by an empty line from what comes before it.
    units_.push_back({units_.empty() ? 0 : 1, heading, heading, true, 0});
    ++generation_;
}

void ComparisonResults::AppendVersePair(const std::string& right, const std::string& left,
                                        const MatchMask& rightMask, const MatchMask& leftMask)
{
    units_.push_back({0, ColouredVerse(left, leftMask), ColouredVerse(right, rightMask), false, 0});
    ++generation_;
}

void ComparisonResults::AppendVersePair(const std::string& right, const std::string& left,
                                        const MatchMask& rightMask, const MatchMask& leftMask, const PairGaps& gaps)
{
    const ShownPair shown = WithLacunaMarks(right, left, rightMask, leftMask, gaps);
    AppendVersePair(shown.right, shown.left, shown.rightMask, shown.leftMask);
}

void ComparisonResults::AppendLacunose(const LacunoseRun& run)
{
    const html::ReportPair item = html::LacunoseItem(run);
    units_.push_back({0, ColouredVerse(item.left, item.leftMask), ColouredVerse(item.right, item.rightMask), false,
                      item.lacunose});
    ++generation_;
}

void ComparisonResults::AppendSpellingOnlyPair(const std::string& right, const std::string& left,
                                               const MatchMask& rightMask, const MatchMask& leftMask,
                                               const PairGaps& gaps)
{
    if (gaps.right.empty() && gaps.left.empty())
        AppendVersePair(right, left, rightMask, leftMask);
    else
        AppendVersePair(right, left, rightMask, leftMask, gaps);
    units_.back().spellingOnly = true;
}

bool ComparisonResults::Restore(const rtf::Document& left, const rtf::Document& right, int threshold)
{
    Clear();
    const Texts texts[2] = {TextsOf(left), TextsOf(right)};
    if (texts[0].paragraphs.size() != texts[1].paragraphs.size()) {
        // Not our pair of files: kept as they are, each on its own.
        paired_ = false;
        unpaired_[0] = left;
        unpaired_[1] = right;
        return false;
    }
    units_.reserve(texts[0].paragraphs.size());
    for (size_t i = 0; i < texts[0].paragraphs.size(); ++i) {
        // Empty lines on both sides belong to the text after them; those on one
        // side only were the levelling, which the panes do again at their width.
        const int blanks = std::min(texts[0].emptiesBefore[i], texts[1].emptiesBefore[i]);
        const rtf::Paragraph& leftText = *texts[0].paragraphs[i];
        const rtf::Paragraph& rightText = *texts[1].paragraphs[i];
        const bool heading = IsHeadingText(leftText);
        const int lacunose = LacunoseVerses(leftText, rightText);
        const bool spellingOnly = !heading && lacunose == 0 && SpellingOnlyText(leftText, rightText, threshold);
        units_.push_back({blanks, leftText, rightText, heading, lacunose, spellingOnly});
    }
    return true;
}

void ComparisonResults::Remark(const RunOptions& options)
{
    const SpellingRules* spelling = nullptr;
    if (options.spelling != SpellingMode::Count)
        spelling = options.spellingRules ? options.spellingRules : &SpellingRules::BuiltIn();
    const bool markSpelling = options.spelling == SpellingMode::Mark;
    MatchMask leftMask, rightMask;
    for (size_t i = 0; i < units_.size(); ++i) {
        Unit& unit = units_[i];
        if (unit.heading || unit.lacunose > 0 || HasGrey(unit.left) || HasGrey(unit.right))
            continue;
        const std::string left(Text(i, 0));
        const std::string right(Text(i, 1));
        leftMask.assign(left.size(), 0);
        rightMask.assign(right.size(), 0);
        if (options.marking == WordMarking::Aligned) {
            MarkAlignedWords(right, left, rightMask, leftMask, spelling, markSpelling);
        } else {
            MarkCommonWords(right, left, rightMask, leftMask, options.exactPositions, {}, spelling);
            if (spelling && !markSpelling) {
                std::replace(leftMask.begin(), leftMask.end(), kSpellingMatch, std::uint8_t{1});
                std::replace(rightMask.begin(), rightMask.end(), kSpellingMatch, std::uint8_t{1});
            }
        }
        unit.left = ColouredVerse(left, leftMask);
        unit.right = ColouredVerse(right, rightMask);
    }
    ++generation_;
}

std::string ComparisonResults::Label(size_t unit) const
{
    return PlainText(units_[unit].left);
}

std::string ComparisonResults::HeadingAtOrAbove(size_t unit) const
{
    if (units_.empty())
        return {};
    for (size_t i = std::min(unit, units_.size() - 1) + 1; i-- > 0;)
        if (units_[i].heading)
            return Label(i);
    return {};
}

std::string_view ComparisonResults::Text(size_t unit, int side) const
{
    // Units are only ever appended between clearings, so the texts made so far stay.
    if (texts_.size() < 2 * units_.size()) {
        texts_.reserve(2 * units_.size());
        for (size_t i = texts_.size() / 2; i < units_.size(); ++i) {
            texts_.push_back(PlainText(units_[i].left));
            texts_.push_back(PlainText(units_[i].right));
        }
    }
    return texts_[2 * unit + size_t(side)];
}

std::optional<size_t> ComparisonResults::NextPair(size_t from, bool forward) const
{
    const long count = long(units_.size());
    const long step = forward ? 1 : -1;
    long i = from >= units_.size() ? (forward ? 0 : count - 1) : long(from) + step;
    for (; i >= 0 && i < count; i += step)
        if (!units_[size_t(i)].heading && units_[size_t(i)].lacunose == 0)
            return size_t(i);
    return std::nullopt;
}

ResultSummary ComparisonResults::Summary() const
{
    SummaryBuilder builder;
    for (size_t i = 0; i < units_.size(); ++i) {
        if (units_[i].heading)
            builder.Heading(Label(i));
        else if (units_[i].lacunose > 0)
            builder.Lacunose(units_[i].lacunose);
        else if (units_[i].spellingOnly)
            builder.SpellingOnly();
        else
            builder.Pair();
    }
    return builder.Summary();
}

std::vector<html::ReportItem> ComparisonResults::ReportItems() const
{
    std::vector<html::ReportItem> items;
    items.reserve(units_.size());
    // A chapter whose units are all spelling-only has nothing to report.
    const auto spellingOnlyChapter = [this](size_t heading) {
        size_t i = heading + 1;
        for (; i < units_.size() && !units_[i].heading; ++i)
            if (!units_[i].spellingOnly)
                return false;
        return i > heading + 1;
    };
    for (size_t i = 0; i < units_.size(); ++i) {
        const Unit& unit = units_[i];
        if (unit.spellingOnly || (unit.heading && spellingOnlyChapter(i)))
            continue;
        if (unit.heading) {
            items.push_back(html::ReportHeading{Label(i)});
            continue;
        }
        html::ReportPair pair;
        html::VerseFromParagraph(unit.left, pair.left, pair.leftMask);
        html::VerseFromParagraph(unit.right, pair.right, pair.rightMask);
        pair.lacunose = unit.lacunose;
        items.push_back(std::move(pair));
    }
    return items;
}

std::string ComparisonResults::FileText(int side, const PaneLayout& layout) const
{
    if (!paired_)
        return rtf::WriteRtf(unpaired_[side], layout.face[side]);
    // The units' own paragraphs, not copies; null ones are empty lines.
    const std::vector<int>& padding = layout.padding[side];
    std::vector<const rtf::Paragraph*> paragraphs;
    for (size_t i = 0; i < units_.size(); ++i) {
        const Unit& unit = units_[i];
        paragraphs.insert(paragraphs.end(), size_t(unit.blanksBefore), nullptr);
        paragraphs.push_back(side == 0 ? &unit.left : &unit.right);
        // The files were always written without levelling after the last text.
        if (i + 1 < units_.size() && i < padding.size())
            paragraphs.insert(paragraphs.end(), size_t(std::max(0, padding[i])), nullptr);
    }
    if (!paragraphs.empty())
        paragraphs.push_back(nullptr); // the text ends with a line break
    return rtf::WriteParagraphsRtf(paragraphs, layout.face[side]);
}

void ComparisonResults::SaveResultFiles(const std::vector<std::string>& chapters, const std::string& record,
                                        const PaneLayout& layout) const
{
    // One set: a failure leaves the previous run's files, all three.
    std::vector<ResultFile> files;
    files.push_back({"r2.rtf", FileText(1, layout)});
    files.push_back({"r1.rtf", FileText(0, layout)});
    files.push_back({kChapterListFileName, JoinLinesCrLf(chapters)});
    if (!record.empty())
        files.push_back({kResultRecordFileName, record});
    SaveResultSet(folder_, files);
}

std::string ComparisonResults::LeftPath() const
{
    return folder_ + "r1.rtf";
}

std::string ComparisonResults::RightPath() const
{
    return folder_ + "r2.rtf";
}

std::string ComparisonResults::RecordPath() const
{
    return folder_ + kResultRecordFileName;
}

std::vector<std::string> ComparisonResults::FileNames()
{
    return {"r2.rtf", "r1.rtf", kChapterListFileName, kResultRecordFileName};
}

rtf::Document ReadResultFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadFileBytes(path, kMaxResultFileBytes);
    return bytes ? rtf::ReadRtf(*bytes) : rtf::Document{};
}

} // namespace synopter
