#include "compare/greek_fragment.h"

#include "common/greek_letters.h"
#include "compare/lacuna_marks.h"

#include <cstdio>

namespace synopter {

namespace {

// What each transliterated byte becomes in markup.
std::string MarkupText(unsigned char c)
{
    const char ch = static_cast<char>(c);
    if (const std::string_view greek = GreekLetter(ch); !greek.empty())
        return std::string(greek);
    if (c >= 0x80 && c < 0xA0)
        return "?";
    if (c >= 0x80)
        return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    std::string text;
    AppendMarkupEscaped(text, std::string_view(&ch, 1));
    return text;
}

// Result files store colours as 0x00BBGGRR.
std::string CssColour(rtf::Colour colour)
{
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", unsigned(colour & 0xFF), unsigned((colour >> 8) & 0xFF),
                  unsigned((colour >> 16) & 0xFF));
    return css;
}

} // namespace

void AppendMarkupEscaped(std::string& out, std::string_view text)
{
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default:
            if ((c < 0x20 && ch != '\t' && ch != '\n' && ch != '\r') || c == 0x7F)
                out += '?';
            else
                out += ch;
        }
    }
}

void AppendHtmlPageHead(std::string& out, std::string_view title, std::string_view style)
{
    out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendMarkupEscaped(out, title);
    out += "</title>\n<style>\n";
    out += style;
    out += "</style>\n</head>\n<body>\n";
}

void AppendMarkupGreek(std::string& out, std::string_view bytes)
{
    static const ByteTranslation markup(MarkupText);
    markup.Append(out, bytes);
}

std::string GreekPlainText(const std::vector<rtf::Paragraph>& paragraphs)
{
    std::string out;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            out += '\n';
        for (const rtf::Span& span : paragraphs[i]) {
            if (span.colour == kLacunaMarkColour) // "lac." and references: ASCII, not Greek
                out += span.text;
            else
                AppendGreek(out, span.text);
        }
    }
    return out;
}

std::string GreekHtmlFragment(const std::vector<rtf::Paragraph>& paragraphs)
{
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body style=\"font-family: ";
    out += kGreekFontStack;
    out += "\">";
    for (const rtf::Paragraph& paragraph : paragraphs) {
        out += "<div>";
        bool empty = true;
        for (const rtf::Span& span : paragraph) {
            if (span.text.empty())
                continue;
            empty = false;
            out += "<span style=\"color: " + CssColour(span.colour);
            if (span.bold)
                out += "; font-weight: bold";
            out += "\">";
            if (span.colour == kLacunaMarkColour)
                AppendMarkupEscaped(out, span.text);
            else
                AppendMarkupGreek(out, span.text);
            out += "</span>";
        }
        if (empty)
            out += "<br>";
        out += "</div>";
    }
    out += "</body></html>";
    return out;
}

} // namespace synopter
