#include "compare/greek_fragment.h"

#include "common/greek_letters.h"

#include <cstdio>

namespace synopter {

namespace {

void AppendEscapedGreek(std::string& out, const std::string& text)
{
    std::string greek;
    AppendGreek(greek, text);
    for (const char c : greek) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
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

std::string GreekPlainText(const std::vector<rtf::Paragraph>& paragraphs)
{
    std::string out;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            out += '\n';
        for (const rtf::Span& span : paragraphs[i])
            AppendGreek(out, span.text);
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
            AppendEscapedGreek(out, span.text);
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
