#include "compare/rich_text.h"

#include <unordered_map>

namespace synopter::rtf {

namespace {

// Output lines are broken between tokens (CR/LF in RTF source mean nothing),
// preferably after a space once a line is this long, and always before one
// would pass the hard limit.
constexpr size_t kSoftLineLength = 80;
constexpr size_t kHardLineLength = 200;

constexpr char kHex[] = "0123456789abcdef";

Colour Rgb(Colour colour) { return colour & 0xFFFFFF; }

class RtfOut {
public:
    explicit RtfOut(size_t expected) { out_.reserve(expected); }

    void Raw(std::string_view text)
    {
        out_ += text;
        line_ += text.size();
    }

    void Token(std::string_view token)
    {
        if (line_ > 0 && line_ + token.size() > kHardLineLength)
            NewLine();
        Raw(token);
    }

    void NewLine()
    {
        out_ += "\r\n";
        line_ = 0;
    }

    // One byte of text. Control bytes other than tab go out as \'hh too, so
    // the file stays printable.
    void TextByte(unsigned char c)
    {
        char buf[4];
        if (c == '\\' || c == '{' || c == '}') {
            buf[0] = '\\';
            buf[1] = static_cast<char>(c);
            Token({buf, 2});
        } else if (c == '\t') {
            Token("\\tab ");
        } else if (c >= 0x80 || c < 0x20) {
            buf[0] = '\\';
            buf[1] = '\'';
            buf[2] = kHex[c >> 4];
            buf[3] = kHex[c & 15];
            Token({buf, 4});
        } else {
            buf[0] = static_cast<char>(c);
            Token({buf, 1});
            if (c == ' ' && line_ >= kSoftLineLength)
                NewLine();
        }
    }

    size_t LineLength() const { return line_; }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
    size_t line_ = 0;
};

// A font name ends at ';', so that is escaped along with the usual bytes.
void AppendFontName(std::string& out, std::string_view face)
{
    for (const char ch : face) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += ch;
        } else if (c >= 0x80 || c < 0x20 || c == ';') {
            out += "\\'";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
}

} // namespace

std::string WriteRtf(const Document& document, std::string_view fontFace)
{
    std::vector<const Paragraph*> paragraphs;
    paragraphs.reserve(document.paragraphs.size());
    for (const Paragraph& p : document.paragraphs)
        paragraphs.push_back(&p);
    return WriteParagraphsRtf(paragraphs, fontFace);
}

std::string WriteParagraphsRtf(const std::vector<const Paragraph*>& paragraphs, std::string_view fontFace)
{
    static const Paragraph kEmpty;
    // \cf0 is the automatic colour (black); the others in order of first use.
    std::vector<Colour> table;
    std::unordered_map<Colour, size_t> index;
    size_t textBytes = 0;
    for (const Paragraph* paragraph : paragraphs)
        for (const Span& span : paragraph ? *paragraph : kEmpty) {
            textBytes += span.text.size() + 8; // the text and a colour or weight switch
            const Colour colour = Rgb(span.colour);
            if (colour != 0 && index.emplace(colour, table.size() + 1).second)
                table.push_back(colour);
        }

    RtfOut out(textBytes + textBytes / 16 + 8 * paragraphs.size() + 256); // and line breaks
    std::string header = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 ";
    AppendFontName(header, fontFace);
    header += ";}}";
    out.Raw(header);
    out.NewLine();
    out.Raw("{\\colortbl;");
    for (const Colour colour : table)
        out.Token("\\red" + std::to_string(colour & 0xFF) + "\\green" + std::to_string((colour >> 8) & 0xFF) +
                  "\\blue" + std::to_string((colour >> 16) & 0xFF) + ";");
    out.Token("}");
    out.NewLine();
    out.Raw("\\pard\\f0\\fs24 ");

    Colour colour = 0;
    bool bold = false;
    for (size_t p = 0; p < paragraphs.size(); ++p) {
        if (p > 0) {
            out.Token("\\par");
            out.NewLine();
        }
        bool afterCr = false;
        for (const Span& span : paragraphs[p] ? *paragraphs[p] : kEmpty) {
            std::string switches;
            if (Rgb(span.colour) != colour) {
                colour = Rgb(span.colour);
                switches += "\\cf" + std::to_string(colour == 0 ? 0 : index[colour]);
            }
            if (span.bold != bold) {
                bold = span.bold;
                switches += bold ? "\\b" : "\\b0";
            }
            if (!switches.empty())
                out.Token(switches + ' ');
            for (const char ch : span.text) {
                // Spans should hold no line breaks; if one slips in, keep it as one.
                if (ch == '\n' && afterCr) {
                    afterCr = false;
                    continue;
                }
                afterCr = ch == '\r';
                if (ch == '\r' || ch == '\n') {
                    out.Token("\\par");
                    out.NewLine();
                } else {
                    out.TextByte(static_cast<unsigned char>(ch));
                }
            }
        }
    }
    if (out.LineLength() > 0)
        out.NewLine();
    out.Raw("}");
    out.NewLine();
    return out.Take();
}

} // namespace synopter::rtf
