#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Rich text documents as the result panes hold them, and their RTF form.
namespace synopter::rtf {

// A colour as the result files store it: 0x00BBGGRR (128 is dark red, 0xFF0000 blue).
using Colour = std::uint32_t;

// A stretch of single-byte text (no line breaks) in one colour and weight.
struct Span {
    std::string text;
    Colour colour = 0;
    bool bold = false;
    bool operator==(const Span&) const = default;
};

// One paragraph: the text between two line breaks.
using Paragraph = std::vector<Span>;

// Paragraphs in order; a document whose text ends with a line break ends with
// an empty paragraph. An empty document has no paragraphs.
struct Document {
    std::vector<Paragraph> paragraphs;
    bool operator==(const Document&) const = default;
};

// A complete RTF document keeping text, line breaks, colour and bold of every
// character. Bytes >= 0x80 go out as \'hh; \ { } are escaped.
std::string WriteRtf(const Document& document, std::string_view fontFace);
// The same for paragraphs held elsewhere; a null one is an empty paragraph.
std::string WriteParagraphsRtf(const std::vector<const Paragraph*>& paragraphs, std::string_view fontFace);

// Reads our own files and ordinary RTF from other programs. Content that does
// not start with "{\rtf" is taken as plain text (CR LF, LF or CR end a paragraph).
Document ReadRtf(std::string_view bytes);

} // namespace synopter::rtf
