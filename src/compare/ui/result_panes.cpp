#include "compare/ui/result_panes.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/text_lines.h"
#include "compare/rich_text.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/view_widths.h"
#include "compare/ui/rich_edit.h"

#include <QWidget>

namespace synopter {

namespace {

constexpr rtf::Colour kHeadingColour = 128;     // dark red
constexpr rtf::Colour kUnmatchedColour = 0xFF0000; // blue
constexpr rtf::Colour kMatchedColour = 0;

// Black where the mask marks a shared word or a space, blue elsewhere.
rtf::Paragraph ColouredVerse(const std::string& verse, const MatchMask& mask)
{
    rtf::Paragraph runs;
    size_t start = 0;
    while (start < verse.size()) {
        const bool matched = start < mask.size() && mask[start] != 0;
        size_t end = start + 1;
        while (end < verse.size() && (end < mask.size() && mask[end] != 0) == matched)
            ++end;
        runs.push_back({verse.substr(start, end - start), matched ? kMatchedColour : kUnmatchedColour, false});
        start = end;
    }
    return runs;
}

} // namespace

ResultPanes::ResultPanes(TRichEdit* left, TRichEdit* right, QWidget* leftPanel,
                         std::function<void(int)> setLeftWidth, std::string programDir)
    : left_(left), right_(right), leftPanel_(leftPanel), setLeftWidth_(std::move(setLeftWidth)),
      programDir_(std::move(programDir))
{
}

void ResultPanes::Clear()
{
    left_->Clear();
    right_->Clear();
}

void ResultPanes::EqualizeLineCounts()
{
    const QTextCharFormat plain = TRichEdit::Format(kMatchedColour, false);
    while (right_->LineCount() < left_->LineCount())
        right_->AppendLine(QString(), plain);
    while (right_->LineCount() > left_->LineCount())
        left_->AppendLine(QString(), plain);
}

void ResultPanes::BalancePaneWidths()
{
    BalanceWidths(left_, right_, leftPanel_, setLeftWidth_);
}

void ResultPanes::AppendHeading(const std::string& label)
{
    BalancePaneWidths();
    EqualizeLineCounts();
    const QTextCharFormat plain = TRichEdit::Format(kMatchedColour, false);
    if (left_->LineCount() >= 1)
        left_->AppendLine(QString(), plain);
    if (right_->LineCount() >= 1)
        right_->AppendLine(QString(), plain);
    const QString text = FromLatin1(label);
    const QTextCharFormat heading = TRichEdit::Format(kHeadingColour, true);
    left_->AppendLine(text, heading);
    right_->AppendLine(text, heading);
}

void ResultPanes::AppendVersePair(const std::string& right, const std::string& left,
                                  const MatchMask& rightMask, const MatchMask& leftMask)
{
    EqualizeLineCounts();
    right_->AppendParagraph(ColouredVerse(right, rightMask));
    left_->AppendParagraph(ColouredVerse(left, leftMask));
}

std::vector<std::string> ResultPanes::SaveResultFiles(const std::vector<std::string>& chapters) const
{
    std::vector<std::string> failures;
    const auto attempt = [&](const std::string& path, const std::string& bytes) {
        try {
            WriteFileAtomically(path, bytes);
        } catch (const WriteError& e) {
            failures.push_back(path + ": " + e.reason());
        }
    };
    const std::string face = ToLatin1(right_->font().family());
    attempt(RightPath(), rtf::WriteRtf(right_->ToDocument(), face));
    attempt(LeftPath(), rtf::WriteRtf(left_->ToDocument(), ToLatin1(left_->font().family())));
    attempt(ChaptersPath(), JoinLinesCrLf(chapters));
    return failures;
}

void LoadPaneFromFile(TRichEdit* pane, const std::string& path)
{
    const std::optional<std::string> bytes = ReadFileBytes(path, kMaxResultFileBytes);
    if (!bytes) {
        pane->Clear();
        return;
    }
    pane->FromDocument(rtf::ReadRtf(*bytes));
    // Only the first line is looked at: counting every line would lay out the whole document.
    if (ascii::ToUpper(ToLatin1(pane->Line(0).left(5))) == "{\\RTF")
        pane->FromDocument(rtf::ReadRtf(*bytes));
}

} // namespace synopter
