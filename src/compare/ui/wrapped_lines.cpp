#include "compare/ui/wrapped_lines.h"

#include "common/ui/qt_bytes.h"
#include "compare/lacuna_marks.h"
#include "compare/ui/result_pane.h"

#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <optional>

namespace synopter {

namespace {

// Closer to the edge than this, rounding in the layout could decide otherwise.
constexpr qreal kUndecided = 1.0;

QFont Weighted(QFont font, bool bold)
{
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

// Letters, digits and the colon of a reference: a layout breaks between them
// only at spaces.
bool BreaksOnlyAtSpaces(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' || c == ' ';
}

} // namespace

WrappedLines::WrappedLines(ResultPane* pane, Widths* kept)
    : font_(pane->document()->defaultFont()), option_(pane->document()->defaultTextOption()),
      layoutWidth_(LayoutWidthOf(pane)),
      faces_{{QFontMetricsF(Weighted(font_, false)), 0, nullptr}, {QFontMetricsF(Weighted(font_, true)), 0, nullptr}}
{
    Widths& widths = kept ? *kept : own_;
    if (widths.font != font_) {
        widths.font = font_;
        for (auto& words : widths.words)
            words.clear();
    }
    for (int bold : {0, 1}) {
        faces_[bold].space = faces_[bold].metrics.horizontalAdvance(QLatin1Char(' '));
        faces_[bold].words = &widths.words[bold];
    }
}

int WrappedLines::LayoutWidthOf(ResultPane* pane)
{
    // A pane that wraps at its widget's width gives its documents the viewport's
    // width, of which the document margin takes a share on each side.
    const qreal margin = pane->document()->documentMargin();
    return int(pane->viewport()->width() - 2 * margin);
}

const WrappedLines::Word& WrappedLines::Measure(Face& face, const std::string& word)
{
    auto it = face.words->find(word);
    if (it == face.words->end()) {
        const QString text = FromLatin1(word);
        const qreal bearing = face.metrics.rightBearing(text.back());
        it = face.words->emplace(word, Word{face.metrics.horizontalAdvance(text), bearing < 0 ? -bearing : 0}).first;
    }
    return it->second;
}

WrappedLines::Measured WrappedLines::MeasureWords(const rtf::Paragraph& whole)
{
    Measured measured;
    rtf::Paragraph clipped;
    const rtf::Paragraph& paragraph = ResultPane::Shown(whole, clipped);
    std::optional<bool> bold;
    std::string text;
    for (const rtf::Span& span : paragraph) {
        if (span.text.empty())
            continue;
        // Runs in another face ("lac.") go to the layout too.
        if ((bold && *bold != span.bold) || span.colour == kLacunaMarkColour) {
            measured.byLayout = true;
            return measured;
        }
        bold = span.bold;
        text += span.text;
    }
    if (text.empty())
        return measured;
    Face& face = faces_[*bold ? 1 : 0];
    size_t i = 0;
    std::string word;
    while (i < text.size()) {
        int spaces = 0;
        for (; i < text.size() && text[i] == ' '; ++i)
            ++spaces;
        if (i == text.size())
            break; // trailing spaces take no room
        const size_t start = i;
        for (; i < text.size() && text[i] != ' '; ++i) {
            if (!BreaksOnlyAtSpaces(text[i])) {
                measured.byLayout = true;
                return measured;
            }
        }
        word.assign(text, start, i - start);
        measured.words.push_back({spaces * face.space, Measure(face, word)});
    }
    return measured;
}

int WrappedLines::Count(const rtf::Paragraph& paragraph, const Measured& measured) const
{
    if (measured.byLayout)
        return CountByLayout(paragraph);
    int lines = 1;
    qreal used = 0;   // the line's width so far, trailing spaces left out
    bool empty = true; // no word on the line yet
    for (const auto& [spaces, w] : measured.words) {
        const qreal wanted = used + spaces + w.advance + w.overhang;
        if (std::abs(wanted - layoutWidth_) <= kUndecided)
            return CountByLayout(paragraph);
        if (empty || wanted <= layoutWidth_) {
            if (empty && wanted > layoutWidth_)
                return CountByLayout(paragraph); // a word broken inside
            used += spaces + w.advance;
            empty = false;
        } else {
            ++lines;
            used = w.advance;
            if (w.advance + w.overhang > layoutWidth_ - kUndecided)
                return CountByLayout(paragraph);
        }
    }
    return lines;
}

int WrappedLines::CountByLayout(const rtf::Paragraph& whole) const
{
    rtf::Paragraph clipped;
    const rtf::Paragraph& paragraph = ResultPane::Shown(whole, clipped);
    QString text;
    QList<QTextLayout::FormatRange> formats;
    for (const rtf::Span& span : paragraph) {
        if (span.text.empty())
            continue;
        // The same ranges the document would hold: each run is shaped on its own.
        formats.append({int(text.size()), int(span.text.size()), ResultPane::Format(span.colour, span.bold)});
        text += FromLatin1(span.text);
    }
    if (text.isEmpty())
        return 1;
    QTextLayout layout(text, font_);
    layout.setTextOption(option_);
    layout.setFormats(formats);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(layoutWidth_);
        ++lines;
    }
    layout.endLayout();
    return std::max(1, lines);
}

} // namespace synopter
