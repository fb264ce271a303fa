#include "compare/rich_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace synopter::rtf {
namespace {

constexpr Colour kDarkRed = 128;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kRed = 0x0000FF;

Span S(std::string text, Colour colour = 0, bool bold = false) { return Span{std::move(text), colour, bold}; }

std::string Describe(const Document& d)
{
    std::ostringstream out;
    for (const Paragraph& p : d.paragraphs) {
        out << '[';
        for (const Span& s : p) {
            out << '(' << std::hex << s.colour << (s.bold ? " b" : "") << " \"";
            for (const unsigned char c : s.text) {
                if (c >= 0x20 && c < 0x7F)
                    out << c;
                else
                    out << "\\x" << int(c);
            }
            out << "\")";
        }
        out << ']';
    }
    return out.str();
}

#define EXPECT_DOC(expected, actual) EXPECT_EQ(Describe(expected), Describe(actual))

// What every document read must satisfy, whatever the input.
void ExpectCanonical(const Document& d)
{
    for (const Paragraph& p : d.paragraphs) {
        for (size_t i = 0; i < p.size(); ++i) {
            ASSERT_FALSE(p[i].text.empty()) << Describe(d);
            ASSERT_EQ(p[i].text.find_first_of("\r\n"), std::string::npos) << Describe(d);
            if (i > 0) {
                ASSERT_FALSE(p[i].colour == p[i - 1].colour && p[i].bold == p[i - 1].bold) << Describe(d);
            }
        }
    }
}

// Text with '\n' between paragraphs, attributes left out.
std::string Flatten(const Document& d)
{
    std::string out;
    for (size_t i = 0; i < d.paragraphs.size(); ++i) {
        if (i > 0)
            out += '\n';
        for (const Span& s : d.paragraphs[i])
            out += s.text;
    }
    return out;
}

// Unescaped braces must pair up and never close more than was opened.
bool BracesBalance(std::string_view rtf)
{
    long depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

std::string AllBytesButLineBreaks()
{
    std::string s;
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != '\n')
            s += static_cast<char>(c);
    return s;
}

// ------------------------------------------------------------- round trips

struct RoundTripCase {
    const char* name;
    Document document;
};

TEST(RichText, WrittenDocumentsReadBackUnchanged)
{
    Document manyColours;
    manyColours.paragraphs.emplace_back();
    for (Colour c = 0; c < 300; ++c) // distinct 24-bit colours: the factor is odd
        manyColours.paragraphs.back().push_back(S("w", (c * 0x9E3779B1u) & 0xFFFFFF, c % 3 == 0));

    const RoundTripCase cases[] = {
        {"empty", {}},
        {"one plain paragraph", {{{S("abc")}}}},
        {"heading and verse pair", {{{S("KATA MAYYAION 1", kDarkRed, true)},
                                     {S(" 1:1 "), S("biblov", kBlue), S(" genesewv")},
                                     {}}}},
        {"only line breaks", {{{}, {}, {}}}},
        {"leading empty paragraphs", {{{}, {}, {S("x")}}}},
        {"all other bytes", {{{S(AllBytesButLineBreaks())}, {S(AllBytesButLineBreaks(), kBlue, true)}}}},
        {"rtf syntax as text", {{{S("\\{}\\par{\\rtf1 ;\\'e9\\u233?}")}}}},
        {"spaces around switches", {{{S(" "), S("  a  ", kBlue), S(" ", kDarkRed, true), S("  ")}}}},
        {"digits and letters after switches", {{{S("x", kBlue), S("123"), S("b", 0, true), S("0c")}}}},
        {"bold alone and colour alone change", {{{S("a", kBlue), S("b", kBlue, true), S("c", kDarkRed, true),
                                                  S("d", kDarkRed), S("e")}}}},
        {"tabs", {{{S("\ta\t\tb\t")}}}},
        {"long paragraph", {{{S(std::string(5000, 'a')), S(std::string(3000, ' '), kBlue),
                              S(std::string(3000, '\xe9'), 0, true)}}}},
        {"three hundred colours", manyColours},
    };
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string rtf = WriteRtf(c.document, "Galatia SIL");
        EXPECT_TRUE(BracesBalance(rtf));
        EXPECT_DOC(c.document, ReadRtf(rtf));
    }
}

TEST(RichText, RealEditionsSurviveRoundTrip)
{
    const std::filesystem::path file = std::filesystem::path(SYNOPTER_EDITIONS_DIR) / "Byzantine2018.dat";
    std::ifstream in(file, std::ios::binary);
    if (!in)
        GTEST_SKIP() << "no editions at " << SYNOPTER_EDITIONS_DIR;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    const Document plain = ReadRtf(bytes);
    ASSERT_EQ(plain.paragraphs.size(), 8222u); // 8221 lines, the last ended by CR LF
    EXPECT_TRUE(plain.paragraphs.back().empty());
    EXPECT_DOC((Document{{{S("KATA MAYYAION 1")}}}), (Document{{plain.paragraphs.front()}}));

    // Colour it like the panes: headings bold dark red, every other word blue.
    Document panes;
    for (const Paragraph& p : plain.paragraphs) {
        Paragraph& out = panes.paragraphs.emplace_back();
        if (p.empty())
            continue;
        const std::string& line = p.front().text;
        if (line[0] != ' ') {
            out.push_back(S(line, kDarkRed, true));
            continue;
        }
        bool blue = false;
        for (size_t start = 0; start < line.size();) {
            const size_t end = std::min(line.find(' ', start + 1), line.size());
            out.push_back(S(line.substr(start, end - start), blue ? kBlue : 0));
            blue = !blue;
            start = end;
        }
    }
    EXPECT_TRUE(panes == ReadRtf(WriteRtf(panes, "Greek")));
}

// ------------------------------------------------------------- writer form

TEST(RichText, WriterHeaderAndColourTable)
{
    const Document d{{{S("a", kBlue), S("b", kDarkRed, true), S("c"), S("d", kBlue)}, {S("e", kBlue, true)}, {}}};
    const std::string rtf = WriteRtf(d, "Galatia SIL");
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Galatia SIL;}}", 0), 0u)
        << rtf;
    EXPECT_NE(rtf.find("{\\colortbl;\\red0\\green0\\blue255;\\red128\\green0\\blue0;}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\fs24"), std::string::npos);
    // Colour and bold are switched only where they change.
    EXPECT_NE(rtf.find("\\cf1 a\\cf2\\b b\\cf0\\b0 c\\cf1 d\\par\r\n\\b e\\par\r\n}"), std::string::npos)
        << rtf;

    EXPECT_NE(WriteRtf({}, "X").find("{\\colortbl;}"), std::string::npos);
}

TEST(RichText, WriterEndsWithParWhenLastParagraphIsEmpty)
{
    auto body = [](const Document& d) {
        std::string rtf = WriteRtf(d, "X");
        while (!rtf.empty() && (rtf.back() == '\r' || rtf.back() == '\n' || rtf.back() == '}'))
            rtf.pop_back();
        return rtf;
    };
    EXPECT_TRUE(body({{{S("a")}, {}}}).ends_with("\\par"));
    EXPECT_TRUE(body({{{}, {}}}).ends_with("\\par"));
    EXPECT_TRUE(body({{{S("a")}, {S("b")}}}).ends_with("b"));
    EXPECT_EQ(WriteRtf({}, "X").find("\\par\r\n"), std::string::npos);
}

TEST(RichText, WriterKeepsLinesShort)
{
    const Document d{{{S(std::string(3000, 'x'))},
                      {S(std::string(3000, '\xe9'), kBlue)},
                      {S(std::string(1000, '{'))},
                      {S("word "), S("word ", kBlue), S("word ", kDarkRed, true)},
                      {}}};
    Document many;
    for (int i = 0; i < 400; ++i)
        many.paragraphs.push_back({S("w", static_cast<Colour>(i * 7919 + 1))});

    for (const Document* doc : {&d, const_cast<const Document*>(&many)}) {
        const std::string rtf = WriteRtf(*doc, "Times New Roman");
        std::istringstream lines(rtf);
        std::string line;
        size_t count = 0;
        while (std::getline(lines, line)) {
            ++count;
            EXPECT_LE(line.size(), 201u) << line.substr(0, 60); // 200 and the CR
        }
        EXPECT_GT(count, 40u);
    }
}

TEST(RichText, FontNameIsEscaped)
{
    const std::string rtf = WriteRtf({{{S("t")}}}, "A{b}\\c;\xe9");
    EXPECT_NE(rtf.find("\\fcharset0 A\\{b\\}\\\\c\\'3b\\'e9;}}"), std::string::npos) << rtf;
    EXPECT_TRUE(BracesBalance(rtf));
    EXPECT_DOC((Document{{{S("t")}}}), ReadRtf(rtf));
}

// Line breaks inside a span and colour bits above RGB are outside the model.
TEST(RichText, WriterNormalisesWhatTheModelExcludes)
{
    const Document d{{{S("a\r\nb\nc", kBlue), S("\rd", 0x02000000 | kBlue)}}};
    EXPECT_DOC((Document{{{S("a", kBlue)}, {S("b", kBlue)}, {S("c", kBlue)}, {S("d", kBlue)}}}),
               ReadRtf(WriteRtf(d, "X")));
}

// ------------------------------------------------------------- foreign RTF

TEST(RichText, ReadsWordPadDocument)
{
    const char* rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
        "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 Plain \\cf1\\b red bold"
        "\\cf0\\b0  back\\par\r\n"
        "caf\\'e9 \\u233\\'e9 na\\u239?ve\\line tab\\tab end\\par\r\n"
        "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\plain\\cf2 blue\\plain  plain\\par\r\n"
        "}\r\n";
    const Document expected{{
        {S("Plain "), S("red bold", kRed, true), S(" back")},
        {S("caf\xe9 \xe9 na\xefve")},
        {S("tab\tend")},
        {S("\xb7\t"), S("blue", kBlue), S(" plain")},
        {},
    }};
    EXPECT_DOC(expected, ReadRtf(rtf));
}

TEST(RichText, ReadsLibreOfficeDocument)
{
    const char* rtf =
        "{\\rtf1\\ansi\\deff3\\adeflang1025\n"
        "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\froman\\fprq2\\fcharset2 Symbol;}}\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red128\\green0\\blue0;}\n"
        "{\\stylesheet{\\s0\\snext0\\hich\\af6\\dbch\\af7\\afs24\\loch\\f3\\fs24\\lang1033 Normal;}\n"
        "{\\*\\cs15\\snext15 Default Paragraph Font;}}\n"
        "{\\*\\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}\n"
        "{\\info{\\creatim\\yr2024\\mo3\\dy1\\hr10\\min5}{\\revtim\\yr2024\\mo3\\dy1\\hr10\\min6}}\n"
        "{\\*\\userprops}\\deftab709\n"
        "\\hyphauto1\\viewscale100\n"
        "{\\*\\pgdsctbl\n"
        "{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838\\pgdscnxt0 Default Page Style;}}\n"
        "\\formshade{\\*\\pgdscno0}\\paperh16838\\paperw11906\\margl1134\\sectd\\sbknone\\pgndec\n"
        "{\\*\\ftnsep\\chftnsep}\\pgndec\\pard\\plain \\s0\\hich\\af6\\dbch\\af7\\afs24\\loch\\f3\\fs24\\lang1033"
        "{\\cf3\\b\\rtlch \\ltrch\\loch\n"
        "KATA MAYYAION 1}\n"
        "\\par \\pard\\plain \\s0\\loch\\f3\\fs24{\\cf1\\loch\n"
        " 1:1}{\\cf2\\loch\n"
        " biblov}{\\loch\n"
        " genesewv}\n"
        "\\par }";
    const Document expected{{
        {S("KATA MAYYAION 1", kDarkRed, true)},
        {S(" 1:1"), S(" biblov", kBlue), S(" genesewv")},
        {},
    }};
    EXPECT_DOC(expected, ReadRtf(rtf));
}

TEST(RichText, NestedGroupsRestoreStateAndSkipNonText)
{
    const char* rtf =
        "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}a{\\cf1 b{\\b c}d}e"
        "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}"
        "{\\pict\\wmetafile8 0a0b{}ff}{\\object{\\*\\objdata 01}{\\result r}}"
        "{\\header h}{\\footer f}{\\info{\\title t}}{\\*\\unknown u{v}}{\\unknowngroup w}"
        "{\\pict\\bin5 }}}{{}x{\\cf1}y}";
    const Document expected{{{S("a"), S("b", kBlue), S("c", kBlue, true), S("d", kBlue), S("elinkwxy")}}};
    EXPECT_DOC(expected, ReadRtf(rtf));
}

struct ReadCase {
    const char* name;
    std::string rtf;
    Document expected;
};

TEST(RichText, ReadsControlWordsAndSymbols)
{
    const ReadCase cases[] = {
        {"unicode, one fallback", "{\\rtf1 \\u233?x}", {{{S("\xe9x")}}}},
        {"unicode, two fallbacks after the delimiter", "{\\rtf1 \\uc2\\u233 ab c}", {{{S("\xe9 c")}}}},
        {"unicode without fallback", "{\\rtf1 \\uc0\\u65\\u66 C}", {{{S("ABC")}}}},
        {"unicode beyond a byte keeps the fallback", "{\\rtf1 \\u8364\\'80}", {{{S("\x80")}}}},
        {"negative unicode keeps the fallback", "{\\rtf1 \\u-3913?}", {{{S("?")}}}},
        {"fallback stops at a group", "{\\rtf1 \\u233{\\b x}y}", {{{S("\xe9"), S("x", 0, true), S("y")}}}},
        {"\\uc is scoped to its group", "{\\rtf1 {\\uc3 \\u233 abc}d\\u233 ef}", {{{S("\xe9" "d\xe9" "f")}}}},
        {"fallback as an escaped byte", "{\\rtf1 \\u252\\'fcber}", {{{S("\xfc" "ber")}}}},
        {"special symbols", "{\\rtf1 a\\~b\\-c\\_d\\|e}", {{{S("a bc-de")}}}},
        {"tab and its delimiter", "{\\rtf1 a\\tab b\\tab  c}", {{{S("a\tb\t c")}}}},
        {"named punctuation", "{\\rtf1 \\lquote x\\rquote  \\emdash\\bullet}", {{{S("\x91x\x92 \x97\x95")}}}},
        {"parameter then delimiter", "{\\rtf1 \\fs24 12\\fs24  34}", {{{S("12 34")}}}},
        {"hex escapes in either case", "{\\rtf1 \\'41\\'4a\\'E9\\'e9}", {{{S("AJ\xe9\xe9")}}}},
        {"escaped syntax characters", "{\\rtf1 \\\\\\{\\}}", {{{S("\\{}")}}}},
        {"bold with parameters", "{\\rtf1 \\b1 A\\b0 B\\b2 C}", {{{S("A", 0, true), S("B"), S("C", 0, true)}}}},
        {"colour indexes", "{\\rtf1 {\\colortbl;\\red1\\green2\\blue3;;}\\cf1 A\\cf7 B\\cf2 C\\cf1 D\\plain E\\cf1 F\\cf G}",
         {{{S("A", 0x030201), S("BC"), S("D", 0x030201), S("E"), S("F", 0x030201), S("G")}}}},
        {"\\plain resets bold and colour", "{\\rtf1 {\\colortbl;\\red9\\green0\\blue0;}\\b\\cf1 A\\plain B}",
         {{{S("A", 9, true), S("B")}}}},
        {"\\pard keeps character format", "{\\rtf1 \\b A\\par\\pard B}", {{{S("A", 0, true)}, {S("B", 0, true)}}}},
        {"breaks, and CR LF in the source", "{\\rtf1 a\\par\\pard b\\line c\r\nd\\\r\ne\\par}",
         {{{S("a")}, {S("b")}, {S("cd")}, {S("e")}, {}}}},
        {"table cells and rows", "{\\rtf1 \\trowd a\\cell b\\cell\\row c}", {{{S("a\tb\t")}, {S("c")}}}},
        {"binary data is not text", "{\\rtf1 a\\bin3 {}\\b}", {{{S("ab")}}}},
        {"escaped line breaks are dropped", "{\\rtf1 \\'0d\\'0aA}", {{{S("A")}}}},
        {"text after the document is ignored", "{\\rtf1 A}B", {{{S("A")}}}},
        {"no text at all", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}}", {}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Document read = ReadRtf(c.rtf);
        EXPECT_DOC(c.expected, read);
        ExpectCanonical(read);
    }
}

// ------------------------------------------------------------- plain text

TEST(RichText, PlainTextFallback)
{
    const ReadCase cases[] = {
        {"nothing", "", {}},
        {"one line", "abc", {{{S("abc")}}}},
        {"CR LF", "a\r\nb", {{{S("a")}, {S("b")}}}},
        {"mixed breaks", "a\nb\rc\r\r\nd", {{{S("a")}, {S("b")}, {S("c")}, {}, {S("d")}}}},
        {"ending with a break", "a\r\n", {{{S("a")}, {}}}},
        {"only a break", "\r\n", {{{}, {}}}},
        {"NUL ends the text", std::string("a\0b\r\nc", 6), {{{S("a")}}}},
        {"leading space before the header", " {\\rtf1 x}", {{{S(" {\\rtf1 x}")}}}},
        {"header in capitals", "{\\RTF1 x}", {{{S("{\\RTF1 x}")}}}},
        {"header cut short", "{\\rt", {{{S("{\\rt")}}}},
        {"high bytes kept", "\xe1\xe2\t\xff", {{{S("\xe1\xe2\t\xff")}}}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOC(c.expected, ReadRtf(c.rtf));
    }
}

// ------------------------------------------------------------- damaged input

TEST(RichText, TruncatedDocumentsGiveAPrefixOfTheText)
{
    const Document d{{{S("KATA {IWANNHN} 3", kDarkRed, true)},
                      {S(" 3:16 "), S("outwv\\gar", kBlue), S(" \xe7\xe3\xe1\tphsen")},
                      {}}};
    const std::string rtf = WriteRtf(d, "Greek;Font");
    const std::string full = Flatten(d);
    ASSERT_EQ(full, Flatten(ReadRtf(rtf)));
    for (size_t n = 5; n <= rtf.size(); ++n) { // shorter is plain text
        const std::string_view prefix = std::string_view(rtf).substr(0, n);
        const Document read = ReadRtf(prefix);
        ExpectCanonical(read);
        // A control word cut short may be another word (\pard becomes \par).
        const size_t slash = prefix.rfind('\\');
        if (slash != std::string_view::npos && slash + 1 < n &&
            prefix.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789", slash + 1) == std::string_view::npos)
            continue;
        const std::string text = Flatten(read);
        ASSERT_EQ(full.compare(0, text.size(), text), 0) << "prefix of " << n << " bytes read as " << Describe(read);
    }
}

TEST(RichText, MalformedInputIsReadAsFarAsPossible)
{
    const std::string deep = "{\\rtf1 " + std::string(200000, '{') + "A" + std::string(200000, '}') + "}";
    const ReadCase cases[] = {
        {"extra closing braces", "{\\rtf1 A}}}B", {{{S("A")}}}},
        {"groups never closed", "{\\rtf1 {{{A", {{{S("A")}}}},
        {"backslash at the end", "{\\rtf1 A\\", {{{S("A")}}}},
        {"hex escape cut off", "{\\rtf1 A\\'4", {{{S("A")}}}},
        {"bad hex escape", "{\\rtf1 A\\'zzB}", {{{S("AzzB")}}}},
        {"binary length past the end", "{\\rtf1 A\\bin99999999999 B}", {{{S("A")}}}},
        {"huge colour index", "{\\rtf1 {\\colortbl;\\red1\\green0\\blue0;}\\cf99999999999999999999 A}", {{{S("A")}}}},
        {"huge unicode", "{\\rtf1 \\u99999999999999999 A}", {{{S("A")}}}},
        {"negative fallback length", "{\\rtf1 \\uc-5\\u65 B}", {{{S("AB")}}}},
        {"huge fallback length", "{\\rtf1 \\uc99999999999\\u65 BCD}", {{{S("A")}}}},
        {"colour table never closed", "{\\rtf1 {\\colortbl;\\red1;A", {}},
        {"deep nesting", deep, {{{S("A")}}}},
        // Past the groups whose state is kept, a closing group still returns to
        // the state outside all of the deep ones.
        {"deep formatting", "{\\rtf1 {\\b " + std::string(300, '{') + "\\b0 A" + std::string(300, '}') + "B}C}",
         {{{S("A"), S("B", 0, true), S("C")}}}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOC(c.expected, ReadRtf(c.rtf));
    }
}

TEST(RichText, RandomInputNeitherCrashesNorBreaksTheModel)
{
    static const char* const kPieces[] = {
        "{", "}", "\\", "\\'", "\\'e9", "\\u", "\\u233", "\\u-5", "\\uc", "\\uc2", "\\bin", "\\bin2 ", "\\*",
        "\\cf", "\\cf1", "\\b", "\\b0", "\\plain", "\\par", "\\line", "\\tab", "\\colortbl", "\\fonttbl",
        "\\red", "\\blue200", ";", "0", "7", "-", " ", "a", "Z", "\xe9", "\r\n", "\r", "\\\r", "\\~", "\0",
    };
    const Document sample{{{S("KATA MARKON 1", kDarkRed, true)}, {S(" 1:1 "), S("arch", kBlue), S(" tou")}, {}}};
    const std::string written = WriteRtf(sample, "Font");

    std::mt19937 random(20240301);
    auto below = [&random](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    for (int round = 0; round < 4000; ++round) {
        std::string input;
        if (round % 2 == 0) {
            input = "{\\rtf1";
            for (size_t n = below(80); n > 0; --n) {
                const char* piece = kPieces[below(std::size(kPieces))];
                input += *piece ? std::string(piece) : std::string(1, '\0');
            }
        } else {
            input = written;
            for (size_t n = 1 + below(8); n > 0; --n) {
                const size_t at = 5 + below(input.size() - 5); // keep the header mark
                switch (below(3)) {
                case 0: input[at] = static_cast<char>(below(256)); break;
                case 1: input.erase(at, 1); break;
                default: input.insert(at, 1, "{}\\;'0"[below(6)]); break;
                }
            }
        }
        ASSERT_NO_FATAL_FAILURE(ExpectCanonical(ReadRtf(input))) << "round " << round;
    }
}

} // namespace
} // namespace synopter::rtf
