#include "compare/ui/pane_pair.h"

#include "common/ascii.h"
#include "common/file_io.h"
#include "common/text_lines.h"
#include "compare/result_set.h"
#include "compare/rich_text.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/view_widths.h"
#include "compare/ui/result_pane.h"
#include "compare/ui/wrapped_lines.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextEdit>
#include <QTextBlock>
#include <QWidget>

#include <algorithm>

namespace synopter {

namespace {

constexpr rtf::Colour kHeadingColour = 128;        // dark red
constexpr rtf::Colour kUnmatchedColour = 0xFF0000; // blue
constexpr rtf::Colour kMatchedColour = 0;
constexpr rtf::Colour kSpellingColour = 0x008000; // green

// Resizing by dragging sends a stream of sizes; the panes are filled again once
// it pauses.
constexpr int kRelevelDelayMs = 120;

// Restored results are shown a slice at a time: the first as much as fills a
// screen, then slices short enough that the window never seems to hang.
constexpr size_t kFirstUnits = 200;
constexpr int kBackgroundSliceMs = 20;

// Black where the mask marks a shared word or a space, blue where a word is
// unmatched, green where it matched only as a spelling variant.
rtf::Colour MaskColour(const MatchMask& mask, size_t i)
{
    if (i >= mask.size() || mask[i] == 0)
        return kUnmatchedColour;
    return mask[i] == kSpellingMatch ? kSpellingColour : kMatchedColour;
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

// Headings are the bold paragraphs; verses are never bold.
bool IsHeadingText(const rtf::Paragraph& p)
{
    return std::any_of(p.begin(), p.end(), [](const rtf::Span& s) { return s.bold && !s.text.empty(); });
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

PanePair::PanePair(ResultPane* left, ResultPane* right, QWidget* leftPanel,
                         std::function<void(int)> setLeftWidth, std::string programDir)
    : panes_{left, right}, leftPanel_(leftPanel), setLeftWidth_(std::move(setLeftWidth)),
      programDir_(std::move(programDir))
{
    relevelTimer_.setSingleShot(true);
    relevelTimer_.setInterval(kRelevelDelayMs);
    QObject::connect(&relevelTimer_, &QTimer::timeout, [this] { Relevel(); });
    backgroundTimer_.setSingleShot(true);
    backgroundTimer_.setInterval(0);
    QObject::connect(&backgroundTimer_, &QTimer::timeout, [this] { FillInBackground(); });
    for (ResultPane* pane : panes_) {
        // The pair at the top is taken before the text is rewrapped under it.
        QObject::connect(pane, &ResultPane::LayoutWidthChanging, &relevelTimer_, [this] {
            if (!relevelTimer_.isActive() && !placed_.empty()) {
                anchor_ = UnitAtTop();
                anchorAtStart_ = panes_[0]->verticalScrollBar()->value() == 0;
            }
        });
        QObject::connect(pane, &ResultPane::LayoutWidthChanged, &relevelTimer_, [this] {
            if (RelevelPending())
                relevelTimer_.start();
        });
    }
}

int PanePair::LayoutWidth(int side) const
{
    return WrappedLines::LayoutWidthOf(panes_[side]);
}

bool PanePair::RelevelPending() const
{
    return levelled_ && !placed_.empty()
        && (LayoutWidth(0) != levelWidth_[0] || LayoutWidth(1) != levelWidth_[1]);
}

void PanePair::Clear()
{
    units_.clear();
    placed_.clear();
    blocks_[0] = blocks_[1] = 0;
    levelled_ = true;
    relevelTimer_.stop();
    backgroundTimer_.stop();
    anchor_.reset();
    marked_.reset();
    ++generation_;
    for (ResultPane* pane : panes_) {
        pane->setExtraSelections({});
        pane->Clear();
    }
}

void PanePair::BalancePaneWidths()
{
    BalanceWidths(panes_[0], panes_[1], leftPanel_, setLeftWidth_);
}

void PanePair::AppendHeading(const std::string& label)
{
    const rtf::Paragraph heading{{label, kHeadingColour, true}};
    // A heading is set off by an empty line from what comes before it.
    units_.push_back({units_.empty() ? 0 : 1, heading, heading, true});
    ++generation_;
}

void PanePair::AppendVersePair(const std::string& right, const std::string& left,
                                  const MatchMask& rightMask, const MatchMask& leftMask)
{
    units_.push_back({0, ColouredVerse(left, leftMask), ColouredVerse(right, rightMask), false});
    ++generation_;
}

void PanePair::Flush()
{
    if (!levelled_ || units_.empty())
        return;
    BalancePaneWidths();
    backgroundTimer_.stop();
    if (placed_.empty() || LayoutWidth(0) != levelWidth_[0] || LayoutWidth(1) != levelWidth_[1])
        Fill(0, units_.size(), true);
    else if (placed_.size() < units_.size())
        Fill(placed_.size(), units_.size(), false);
}

void PanePair::FillInBackground()
{
    if (!levelled_ || Complete())
        return;
    if (LayoutWidth(0) != levelWidth_[0] || LayoutWidth(1) != levelWidth_[1]) {
        Relevel();
        return;
    }
    QElapsedTimer slice;
    slice.start();
    // Slices of a few hundred pairs, as many as the time allows.
    while (!Complete() && slice.elapsed() < kBackgroundSliceMs)
        Fill(placed_.size(), std::min(units_.size(), placed_.size() + 250), false);
    if (!Complete())
        backgroundTimer_.start();
}

void PanePair::Relevel()
{
    relevelTimer_.stop();
    if (!RelevelPending())
        return;
    const size_t top = anchor_ ? *anchor_ : UnitAtTop();
    const bool atStart = anchor_ ? anchorAtStart_ : panes_[0]->verticalScrollBar()->value() == 0;
    anchor_.reset();
    // Down to a screenful past the top pair at once, the rest in the background.
    Fill(0, std::min(units_.size(), top + kFirstUnits), true);
    if (!Complete())
        backgroundTimer_.start();
    if (atStart || top >= placed_.size())
        return;
    for (ResultPane* pane : panes_)
        pane->ScrollToBlock(placed_[top].firstBlock[pane == panes_[0] ? 0 : 1]);
}

size_t PanePair::UnitAtTop() const
{
    ResultPane* pane = panes_[0];
    return UnitAtBlock(pane->document()->findBlockByLineNumber(pane->FirstVisibleLine()).blockNumber());
}

size_t PanePair::UnitAtBottom() const
{
    const QWidget* viewport = panes_[0]->viewport();
    return UnitAtBlock(panes_[0]->cursorForPosition(QPoint(0, viewport->height() - 1)).blockNumber());
}

size_t PanePair::UnitAtBlock(int block) const
{
    const auto after = std::upper_bound(placed_.begin(), placed_.end(), block,
                                        [](int b, const Placement& p) { return b < p.firstBlock[0]; });
    return after == placed_.begin() ? 0 : size_t(after - placed_.begin() - 1);
}

void PanePair::Fill(size_t from, size_t to, bool replace)
{
    if (replace) {
        from = 0;
        placed_.clear();
        blocks_[0] = blocks_[1] = 0;
    }
    WrappedLines counters[2] = {WrappedLines(panes_[0]), WrappedLines(panes_[1])};
    std::vector<const rtf::Paragraph*> written[2];
    placed_.reserve(units_.size());
    for (size_t i = from; i < to; ++i) {
        const Unit& unit = units_[i];
        const rtf::Paragraph* text[2] = {&unit.left, &unit.right};
        const int lines[2] = {counters[0].Count(unit.left), counters[1].Count(unit.right)};
        Placement place{};
        for (int side : {0, 1}) {
            written[side].insert(written[side].end(), size_t(unit.blanksBefore), nullptr);
            blocks_[side] += unit.blanksBefore;
            place.firstBlock[side] = blocks_[side];
            place.padding[side] = std::max(lines[0], lines[1]) - lines[side];
            written[side].push_back(text[side]);
            written[side].insert(written[side].end(), size_t(place.padding[side]), nullptr);
            blocks_[side] += 1 + place.padding[side];
        }
        placed_.push_back(place);
    }
    for (int side : {0, 1}) {
        panes_[side]->WriteParagraphs(written[side], replace);
        levelWidth_[side] = counters[side].LayoutWidth();
    }
    // A fresh document has lost the mark.
    if (replace || (marked_ && *marked_ >= from && *marked_ < to))
        ShowMark();
}

void PanePair::ShowMark()
{
    for (int side : {0, 1}) {
        ResultPane* pane = panes_[side];
        if (!marked_ || *marked_ >= placed_.size()) {
            pane->setExtraSelections({});
            continue;
        }
        const Placement& place = placed_[*marked_];
        const QTextDocument* doc = pane->document();
        const QTextBlock first = doc->findBlockByNumber(place.firstBlock[side]);
        const QTextBlock last = doc->findBlockByNumber(place.firstBlock[side] + place.padding[side]);
        if (!first.isValid() || !last.isValid())
            continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(pane->document());
        mark.cursor.setPosition(first.position());
        mark.cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
        // A tint of the selection colour: visible in light and dark palettes alike.
        QColor tint = pane->palette().color(QPalette::Highlight);
        tint.setAlpha(48);
        mark.format.setBackground(tint);
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        QList<QTextEdit::ExtraSelection> selections{mark};
        // The matched words, as a selection would show them.
        for (const auto& [begin, end] : markedRanges_[side]) {
            const int length = first.length() - 1;
            if (begin >= end || int(begin) >= length)
                continue;
            QTextEdit::ExtraSelection match;
            match.cursor = QTextCursor(pane->document());
            match.cursor.setPosition(first.position() + int(begin));
            match.cursor.setPosition(first.position() + std::min(int(end), length), QTextCursor::KeepAnchor);
            match.format.setBackground(pane->palette().color(QPalette::Highlight));
            match.format.setForeground(pane->palette().color(QPalette::HighlightedText));
            selections << match;
        }
        pane->setExtraSelections(selections);
    }
}

void PanePair::GoToUnit(size_t unit, Ranges left, Ranges right)
{
    if (unit >= units_.size())
        return;
    if (unit >= placed_.size())
        Flush();
    if (unit >= placed_.size())
        return;
    marked_ = unit;
    markedRanges_[0] = std::move(left);
    markedRanges_[1] = std::move(right);
    ShowMark();
    for (int side : {0, 1})
        panes_[side]->ScrollToBlock(placed_[unit].firstBlock[side]);
}

std::optional<size_t> PanePair::NextPair(bool forward) const
{
    if (placed_.empty())
        return std::nullopt;
    // From the mark while it is in view; else from what the panes show.
    const size_t top = UnitAtTop();
    const bool markInView = marked_ && InView(*marked_);
    long i = markInView ? long(*marked_) + (forward ? 1 : -1) : long(top) - (forward ? 0 : 1);
    for (; i >= 0 && size_t(i) < units_.size(); i += forward ? 1 : -1)
        if (!units_[size_t(i)].heading)
            return size_t(i);
    return std::nullopt;
}

void PanePair::Show(const rtf::Document& left, const rtf::Document& right)
{
    Clear();
    const Texts texts[2] = {TextsOf(left), TextsOf(right)};
    if (texts[0].paragraphs.size() != texts[1].paragraphs.size()) {
        // Not our pair of files: shown as they are, each on its own.
        levelled_ = false;
        panes_[0]->FromDocument(left);
        panes_[1]->FromDocument(right);
        return;
    }
    units_.reserve(texts[0].paragraphs.size());
    for (size_t i = 0; i < texts[0].paragraphs.size(); ++i) {
        // Empty lines on both sides belong to the text after them; those on one
        // side only were the levelling, which is done again for these widths.
        const int blanks = std::min(texts[0].emptiesBefore[i], texts[1].emptiesBefore[i]);
        const rtf::Paragraph& leftText = *texts[0].paragraphs[i];
        units_.push_back({blanks, leftText, *texts[1].paragraphs[i], IsHeadingText(leftText)});
    }
    ++generation_;
    BalancePaneWidths();
    Fill(0, std::min(units_.size(), kFirstUnits), true);
    if (!Complete())
        backgroundTimer_.start();
}

std::vector<html::ReportItem> PanePair::ReportItems() const
{
    std::vector<html::ReportItem> items;
    items.reserve(units_.size());
    for (const Unit& unit : units_) {
        if (unit.heading) {
            std::string label;
            for (const rtf::Span& span : unit.left)
                label += span.text;
            items.push_back(html::ReportHeading{std::move(label)});
            continue;
        }
        html::ReportPair pair;
        html::VerseFromParagraph(unit.left, pair.left, pair.leftMask);
        html::VerseFromParagraph(unit.right, pair.right, pair.rightMask);
        items.push_back(std::move(pair));
    }
    return items;
}

std::string PanePair::SavedFile(int side) const
{
    const std::string face = ToLatin1(panes_[side]->font().family());
    if (!levelled_)
        return rtf::WriteRtf(panes_[side]->ToDocument(), face);
    // The units' own paragraphs, not copies; null ones are empty lines.
    std::vector<const rtf::Paragraph*> paragraphs;
    for (size_t i = 0; i < units_.size(); ++i) {
        const Unit& unit = units_[i];
        paragraphs.insert(paragraphs.end(), size_t(unit.blanksBefore), nullptr);
        paragraphs.push_back(side == 0 ? &unit.left : &unit.right);
        // The files were always written without levelling after the last text.
        if (i + 1 < units_.size() && i < placed_.size())
            paragraphs.insert(paragraphs.end(), size_t(placed_[i].padding[side]), nullptr);
    }
    if (!paragraphs.empty())
        paragraphs.push_back(nullptr); // the text ends with a line break
    return rtf::WriteParagraphsRtf(paragraphs, face);
}

void PanePair::SaveResultFiles(const std::vector<std::string>& chapters, const std::string& record) const
{
    // One set: a failure leaves the previous run's files, all three.
    std::vector<ResultFile> files;
    files.push_back({"r2.rtf", SavedFile(1)});
    files.push_back({"r1.rtf", SavedFile(0)});
    files.push_back({kChapterListFileName, JoinLinesCrLf(chapters)});
    if (!record.empty())
        files.push_back({kResultRecordFileName, record});
    SaveResultSet(programDir_, files);
}

rtf::Document ReadPaneFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadFileBytes(path, kMaxResultFileBytes);
    return bytes ? rtf::ReadRtf(*bytes) : rtf::Document{};
}

} // namespace synopter
