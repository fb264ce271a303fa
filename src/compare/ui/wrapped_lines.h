#pragma once

#include "compare/rich_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTextOption>

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace synopter {

class ResultPane;

// How many display lines a paragraph takes in a pane at its present layout
// width, without touching the pane's document or its layout.
//
// Lines are broken as a text layout breaks them: at spaces, each word on the
// line if it fits with the spaces before it, trailing spaces not counted. The
// width of each distinct word is measured once (shaped, kerning included), so
// a whole New Testament is counted in milliseconds. A paragraph the word
// widths cannot decide for certain (a word ending within a pixel of the edge,
// a word wider than the line, mixed weights, characters where a layout may
// break other than at spaces) is laid out by a standalone text layout with
// the document's font, option and formats instead.
class WrappedLines {
public:
    struct Word {
        qreal advance;
        qreal overhang; // how far the last glyph reaches past its advance
    };
    // Word widths kept from one counter to the next: measuring the words is
    // most of the count, and a new width needs none of them measured again.
    // They are forgotten when the font changes.
    struct Widths {
        QFont font;
        std::unordered_map<std::string, Word> words[2]; // regular, bold
    };

    // Counts with `kept` widths when given, else widths of its own.
    explicit WrappedLines(ResultPane* pane, Widths* kept = nullptr);

    int Count(const rtf::Paragraph& paragraph) { return Count(paragraph, MeasureWords(paragraph)); }

    // A paragraph's words measured, each with the width of the spaces before
    // it, to be broken into lines at any width of the same font; or byLayout
    // when only a text layout can tell.
    struct Measured {
        std::vector<std::pair<qreal, Word>> words;
        bool byLayout = false;
    };
    Measured MeasureWords(const rtf::Paragraph& paragraph);
    int Count(const rtf::Paragraph& paragraph, const Measured& measured) const;
    // The text layout's own answer, for any paragraph.
    int CountByLayout(const rtf::Paragraph& paragraph) const;

    // The width the pane lays its paragraphs out in, in pixels.
    int LayoutWidth() const { return layoutWidth_; }
    // The pane's layout width as it stands (its viewport less the document margins).
    static int LayoutWidthOf(ResultPane* pane);

private:
    struct Face {
        QFontMetricsF metrics;
        qreal space;
        std::unordered_map<std::string, Word>* words;
    };
    const Word& Measure(Face& face, const std::string& word);

    QFont font_;
    QTextOption option_;
    int layoutWidth_;
    Widths own_;
    Face faces_[2]; // regular, bold
};

} // namespace synopter
