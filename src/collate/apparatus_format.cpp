#include "collate/apparatus_format.h"

#include "common/greek_letters.h"
#include "compare/greek_fragment.h"
#include "editions/edition_check.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace synopter::collate {

namespace {

constexpr std::string_view kOmission = "\xE2\x80\x93"; // en dash
constexpr std::string_view kBullet = " \xE2\x80\xA2 ";
constexpr std::string_view kEmDash = " \xE2\x80\x94 ";

void AppendNumber(std::string& out, long long value) { out += std::to_string(value); }

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start < text.size()) {
        const size_t space = text.find(' ', start);
        const size_t end = space == std::string_view::npos ? text.size() : space;
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

const Witness* WitnessAt(const ApparatusFacts& facts, int edition)
{
    return edition >= 0 && static_cast<size_t>(edition) < facts.witnesses.size() ? &facts.witnesses[size_t(edition)]
                                                                               : nullptr;
}

// A witness's siglum (or name) as UTF-8; an edition the facts do not know by its number.
std::string SiglumOf(const ApparatusFacts& facts, int edition)
{
    const Witness* w = WitnessAt(facts, edition);
    if (!w)
        return std::to_string(edition + 1);
    return ToUtf8(w->siglum.empty() ? w->name : w->siglum);
}

std::string NameOf(const ApparatusFacts& facts, int edition)
{
    const Witness* w = WitnessAt(facts, edition);
    return w ? ToUtf8(w->name) : std::to_string(edition + 1);
}

void AppendSigla(std::string& out, const std::vector<int>& editions, const ApparatusFacts& facts)
{
    for (size_t i = 0; i < editions.size(); ++i) {
        if (i > 0)
            out += ' ';
        out += SiglumOf(facts, editions[i]);
    }
}

// ---- JSON ----

std::string JsonByte(unsigned char c)
{
    if (c == '"')
        return "\\\"";
    if (c == '\\')
        return "\\\\";
    if (c < 0x20) {
        char text[8];
        std::snprintf(text, sizeof text, "\\u%04x", c);
        return text;
    }
    if (c >= 0x80)
        return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    return std::string(1, static_cast<char>(c));
}

// Transliterated (Latin-1) bytes as a JSON string literal.
const ByteTranslation kJsonLatin1(JsonByte);

void AppendJsonLatin1(std::string& out, std::string_view bytes)
{
    out += '"';
    kJsonLatin1.Append(out, bytes);
    out += '"';
}

// A name: UTF-8 kept when valid, else read as Latin-1.
void AppendJsonName(std::string& out, const std::string& name)
{
    const std::string utf8 = ToUtf8(name);
    out += '"';
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80)
            out += ch;
        else
            out += JsonByte(c);
    }
    out += '"';
}

void AppendJsonNames(std::string& out, const std::vector<int>& editions, const ApparatusFacts& facts)
{
    out += '[';
    for (size_t i = 0; i < editions.size(); ++i) {
        if (i > 0)
            out += ',';
        const Witness* w = WitnessAt(facts, editions[i]);
        AppendJsonName(out, w ? w->name : std::to_string(editions[i] + 1));
    }
    out += ']';
}

// ---- HTML and XML ----

void AppendNameEscaped(std::string& out, const std::string& name) { AppendMarkupEscaped(out, ToUtf8(name)); }

// "KATA IWANNHN 3" is chapter 3 of "KATA IWANNHN"; a heading without a number is a book of its own.
std::string_view BookTitle(std::string_view heading)
{
    const size_t space = heading.rfind(' ');
    if (space == std::string_view::npos || space + 1 == heading.size())
        return heading;
    const std::string_view number = heading.substr(space + 1);
    if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return heading;
    return heading.substr(0, space);
}

std::string_view ChapterNumber(std::string_view heading)
{
    const std::string_view title = BookTitle(heading);
    return title.size() < heading.size() ? heading.substr(title.size() + 1) : heading;
}

std::string_view SpellingChoice(SpellingMode mode)
{
    switch (mode) {
    case SpellingMode::Count: return "readings like any other";
    case SpellingMode::Mark: return "readings of their own, marked (orth.)";
    case SpellingMode::Ignore: return "read as the base";
    }
    return "";
}

void AppendStyle(std::string& out)
{
    out += "body{font-family:";
    out += kGreekFontStack;
    out += ";color:#000;background:#fff;margin:1.5em;line-height:1.4}\n"
           "h1{font-size:1.4em;margin:0 0 .5em}\n"
           "h2{font-size:1.15em;color:#800000;margin:1.2em 0 .4em}\n"
           "table.facts,table.key{border-collapse:collapse;margin-bottom:1em}\n"
           "table.facts th,table.key th{text-align:left;font-weight:normal;color:#444;padding:.1em 1em .1em 0;"
           "vertical-align:top;white-space:nowrap}\n"
           "table.key th{font-weight:bold;color:#000}\n"
           ".toc ul{padding-left:1.2em}\n.toc li{margin:.2em 0}\n.toc a{color:#000}\n"
           ".book{font-weight:bold;color:#800000}\n"
           ".v{margin:.3em 0 .8em}\n"
           ".v p{margin:.1em 0}\n"
           ".r{font-weight:bold;margin-right:.4em}\n"
           ".u{text-decoration:underline;text-decoration-color:#0000C0}\n"
           "sup.n{color:#0000C0;font-size:.7em}\n"
           ".app{font-size:.92em;color:#222;padding-left:1.5em}\n"
           ".app b{color:#0000C0;font-weight:normal;font-size:.85em}\n"
           "@media print{body{margin:0}.v{break-inside:avoid;page-break-inside:avoid}"
           "h2{break-after:avoid;page-break-after:avoid}a{color:inherit;text-decoration:none}}\n";
}

void AppendUnitNumber(std::string& out, size_t number)
{
    out += "<sup class=\"n\">";
    AppendNumber(out, static_cast<long long>(number));
    out += "</sup>";
}

// The base verse with each unit's words underlined and numbered; an addition
// is a number between words, an absent verse a number before it all.
void AppendMarkedBase(std::string& out, const VerseApparatus& verse)
{
    const std::vector<std::string_view> words = Words(verse.baseText);
    const auto count = static_cast<int>(words.size());
    int next = 0; // the next base word to write
    bool space = false;
    const auto writeWords = [&](int from, int to) {
        for (int w = from; w < to; ++w) {
            if (space)
                out += ' ';
            AppendMarkupGreek(out, words[size_t(w)]);
            space = true;
        }
    };
    for (size_t u = 0; u < verse.units.size(); ++u) {
        const Unit& unit = verse.units[u];
        if (unit.AbsentVerse()) {
            AppendUnitNumber(out, u + 1);
            continue;
        }
        const int first = std::clamp(unit.first, next, count);
        const int last = std::clamp(unit.last, first, count);
        writeWords(next, first);
        if (first == last) {
            if (space)
                out += ' ';
            AppendUnitNumber(out, u + 1);
        } else {
            if (space)
                out += ' ';
            out += "<span class=\"u\">";
            space = false;
            writeWords(first, last);
            out += "</span>";
            AppendUnitNumber(out, u + 1);
        }
        space = true;
        next = last;
    }
    writeWords(next, count);
}

// ---- TEI ----

// XML names from edition names: letters, digits, '-', '_' and '.', not
// starting with a digit, '-' or '.', and each one once.
std::vector<std::string> WitnessIds(const ApparatusFacts& facts)
{
    std::vector<std::string> ids;
    for (const Witness& w : facts.witnesses) {
        std::string id;
        for (const char ch : w.name) {
            const bool ok = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                            ch == '-' || ch == '_' || ch == '.';
            id += ok ? ch : '_';
        }
        if (id.empty() || !((id[0] >= 'a' && id[0] <= 'z') || (id[0] >= 'A' && id[0] <= 'Z') || id[0] == '_'))
            id.insert(0, "w");
        const std::string stem = id;
        for (int n = 2; std::find(ids.begin(), ids.end(), id) != ids.end(); ++n)
            id = stem + "_" + std::to_string(n);
        ids.push_back(id);
    }
    return ids;
}

void AppendWit(std::string& out, const std::vector<int>& editions, const std::vector<std::string>& ids)
{
    out += " wit=\"";
    bool first = true;
    for (const int e : editions) {
        if (!first)
            out += ' ';
        first = false;
        out += '#';
        out += e >= 0 && size_t(e) < ids.size() ? ids[size_t(e)] : "w" + std::to_string(e + 1);
    }
    out += '"';
}

// The editions that have the verse an absent-verse unit is about: all but
// those its reading lists.
std::vector<int> Having(const Unit& absent, const ApparatusFacts& facts)
{
    const std::vector<int>& lacking = absent.readings.front().editions;
    int count = static_cast<int>(facts.witnesses.size());
    for (const int e : absent.agree)
        count = std::max(count, e + 1);
    std::vector<int> having;
    for (int e = 0; e < count; ++e)
        if (std::find(lacking.begin(), lacking.end(), e) == lacking.end())
            having.push_back(e);
    return having;
}

// The verse's base text with an <app> at every unit but the absent verse's.
void AppendTeiVerse(std::string& out, const VerseApparatus& verse, const std::vector<std::string>& ids)
{
    const std::vector<std::string_view> words = Words(verse.baseText);
    const auto count = static_cast<int>(words.size());
    int next = 0;
    bool space = false;
    const auto writeWords = [&](int from, int to, bool& spaced) {
        for (int w = from; w < to; ++w) {
            if (spaced)
                out += ' ';
            AppendMarkupGreek(out, words[size_t(w)]);
            spaced = true;
        }
    };
    for (const Unit& unit : verse.units) {
        if (unit.AbsentVerse())
            continue;
        const int first = std::clamp(unit.first, next, count);
        const int last = std::clamp(unit.last, first, count);
        writeWords(next, first, space);
        if (space)
            out += ' ';
        out += "<app><lem";
        AppendWit(out, unit.agree, ids);
        if (first == last) {
            out += "/>";
        } else {
            out += '>';
            bool inner = false;
            writeWords(first, last, inner);
            out += "</lem>";
        }
        for (const Reading& reading : unit.readings) {
            out += "<rdg";
            AppendWit(out, reading.editions, ids);
            out += " type=\"";
            out += KindName(reading.kind);
            out += '"';
            if (reading.text.empty()) {
                out += "/>";
            } else {
                out += '>';
                AppendMarkupGreek(out, reading.text);
                out += "</rdg>";
            }
        }
        out += "</app>";
        space = true;
        next = last;
    }
    writeWords(next, count, space);
}

} // namespace

void AppendUnitText(std::string& out, const Unit& unit, const ApparatusFacts& facts)
{
    if (unit.AbsentVerse()) {
        if (!unit.agree.empty()) {
            AppendSigla(out, unit.agree, facts);
            out += " ] ";
        }
        out += "verse absent ";
        AppendSigla(out, unit.readings.front().editions, facts);
        return;
    }
    bool lemma = false;
    if (!unit.base.empty()) {
        AppendGreek(out, unit.base);
        lemma = true;
    }
    if (!unit.agree.empty()) {
        if (lemma)
            out += ' ';
        AppendSigla(out, unit.agree, facts);
        lemma = true;
    }
    if (lemma)
        out += " ]";
    for (size_t i = 0; i < unit.readings.size(); ++i) {
        const Reading& reading = unit.readings[i];
        if (i > 0)
            out += ';';
        if (lemma || i > 0)
            out += ' ';
        if (reading.kind == ReadingKind::Absent) {
            out += "verse absent";
        } else if (reading.text.empty()) {
            out += kOmission;
        } else {
            if (reading.kind == ReadingKind::Addition)
                out += "+ ";
            AppendGreek(out, reading.text);
            if (reading.kind == ReadingKind::Spelling)
                out += " (orth.)";
        }
        if (!reading.editions.empty()) {
            out += ' ';
            AppendSigla(out, reading.editions, facts);
        }
    }
}

void AppendVerseText(std::string& out, const VerseApparatus& verse, const ApparatusFacts& facts,
                     std::string& chapter)
{
    if (verse.chapter != chapter) {
        if (!chapter.empty())
            out += '\n';
        chapter = verse.chapter;
        AppendGreek(out, chapter);
        out += '\n';
    }
    AppendGreek(out, verse.reference);
    for (size_t u = 0; u < verse.units.size(); ++u) {
        out += u == 0 ? std::string_view(" ") : kBullet;
        AppendUnitText(out, verse.units[u], facts);
    }
    out += '\n';
}

void AppendVerseJson(std::string& out, const VerseApparatus& verse, const ApparatusFacts& facts)
{
    out += "{\"line\":";
    AppendNumber(out, verse.line);
    out += ",\"chapter\":";
    AppendJsonLatin1(out, verse.chapter);
    out += ",\"verse\":";
    AppendJsonLatin1(out, verse.reference);
    out += ",\"units\":[";
    for (size_t u = 0; u < verse.units.size(); ++u) {
        const Unit& unit = verse.units[u];
        out += u == 0 ? "{\"base\":" : ",{\"base\":";
        AppendJsonLatin1(out, unit.base);
        out += ",\"agree\":";
        AppendJsonNames(out, unit.agree, facts);
        out += ",\"readings\":[";
        for (size_t r = 0; r < unit.readings.size(); ++r) {
            const Reading& reading = unit.readings[r];
            out += r == 0 ? "{\"text\":" : ",{\"text\":";
            AppendJsonLatin1(out, reading.text);
            out += ",\"editions\":";
            AppendJsonNames(out, reading.editions, facts);
            out += ",\"kind\":\"";
            out += KindName(reading.kind);
            out += "\"}";
        }
        out += "]}";
    }
    out += "]}\n";
}

std::string DistanceText(const DistanceTable& table, const ApparatusFacts& facts)
{
    std::string out;
    for (int b = 0; b < table.Size(); ++b) {
        out += '\t';
        out += NameOf(facts, b);
    }
    out += '\n';
    for (int a = 0; a < table.Size(); ++a) {
        out += NameOf(facts, a);
        for (int b = 0; b < table.Size(); ++b) {
            out += '\t';
            AppendNumber(out, table.Distance(a, b));
        }
        out += '\n';
    }
    return out;
}

std::string ApparatusHtmlPage(const std::vector<VerseApparatus>& verses, const ApparatusFacts& facts)
{
    size_t textBytes = 0;
    size_t unitCount = 0;
    for (const VerseApparatus& verse : verses) {
        textBytes += 3 * verse.baseText.size() + 300;
        for (const Unit& unit : verse.units) {
            textBytes += 2 * unit.base.size() + 120;
            for (const Reading& reading : unit.readings)
                textBytes += 2 * reading.text.size() + 40;
        }
        unitCount += verse.units.size();
    }
    const std::string baseName = NameOf(facts, facts.options.base);

    std::string out;
    out.reserve(16384 + textBytes);
    out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Apparatus against ";
    AppendMarkupEscaped(out, baseName);
    out += "</title>\n<style>\n";
    AppendStyle(out);
    out += "</style>\n</head>\n<body>\n<h1>Critical apparatus against ";
    AppendMarkupEscaped(out, baseName);
    out += "</h1>\n<table class=\"facts\">\n<tr><th>Base edition</th><td>";
    AppendMarkupEscaped(out, baseName);
    out += "</td></tr>\n<tr><th>Editions</th><td>";
    for (size_t w = 0; w < facts.witnesses.size(); ++w) {
        if (w > 0)
            out += ", ";
        AppendNameEscaped(out, facts.witnesses[w].name);
    }
    out += "</td></tr>\n<tr><th>Moved words</th><td>";
    out += facts.options.exactPositions ? "an omission in one place and an addition in another (exact positions)"
                                        : "a transposition";
    out += "</td></tr>\n<tr><th>Spelling variants</th><td>";
    out += SpellingChoice(facts.options.spelling);
    out += "</td></tr>\n";
    if (!facts.date.empty()) {
        out += "<tr><th>Date</th><td>";
        AppendMarkupEscaped(out, facts.date);
        out += "</td></tr>\n";
    }
    out += "<tr><th>Verses with variants</th><td>";
    AppendNumber(out, static_cast<long long>(verses.size()));
    out += "</td></tr>\n<tr><th>Variation units</th><td>";
    AppendNumber(out, static_cast<long long>(unitCount));
    out += "</td></tr>\n</table>\n";

    out += "<h2>Sigla</h2>\n<table class=\"key\">\n";
    for (const Witness& w : facts.witnesses) {
        out += "<tr><th>";
        AppendNameEscaped(out, w.siglum.empty() ? w.name : w.siglum);
        out += "</th><td>";
        // A siglum that is the name needs no name beside it.
        const bool named = !w.siglum.empty() && w.siglum != w.name;
        if (named)
            AppendNameEscaped(out, w.name);
        if (!w.information.empty()) {
            if (named)
                out += kEmDash;
            AppendNameEscaped(out, w.information);
        } else if (!named) {
            AppendNameEscaped(out, w.name);
        }
        out += "</td></tr>\n";
    }
    out += "</table>\n";

    if (verses.empty()) {
        out += "<p>The editions do not differ.</p>\n</body>\n</html>\n";
        return out;
    }

    // Chapters numbered from 1 in order; the contents group them by book.
    out += "<div class=\"toc\"><h2>Contents</h2>\n<ul>\n";
    {
        std::string_view chapter;
        std::string_view book;
        bool firstVerse = true;
        int anchor = 0;
        for (const VerseApparatus& verse : verses) {
            if (!firstVerse && verse.chapter == chapter)
                continue;
            const bool newBook = firstVerse || BookTitle(verse.chapter) != book;
            firstVerse = false;
            chapter = verse.chapter;
            ++anchor;
            if (newBook) {
                if (anchor > 1)
                    out += "</li>\n";
                book = BookTitle(chapter);
                out += "<li><span class=\"book\" lang=\"grc\">";
                AppendMarkupGreek(out, book.empty() ? std::string_view("\xE2\x80\x94") : book);
                out += "</span>: ";
            } else {
                out += ", ";
            }
            out += "<a href=\"#c";
            AppendNumber(out, anchor);
            out += "\">";
            AppendMarkupGreek(out, ChapterNumber(chapter));
            out += "</a>";
        }
        out += "</li>\n</ul></div>\n";
    }

    std::string_view chapter;
    int anchor = 0;
    std::string unitText;
    for (size_t v = 0; v < verses.size(); ++v) {
        const VerseApparatus& verse = verses[v];
        if (v == 0 || verse.chapter != chapter) {
            chapter = verse.chapter;
            out += "<h2 id=\"c";
            AppendNumber(out, ++anchor);
            out += "\" lang=\"grc\">";
            AppendMarkupGreek(out, chapter);
            out += "</h2>\n";
        }
        out += "<div class=\"v\" id=\"v";
        AppendNumber(out, verse.line);
        out += "\">\n<p><span class=\"r\">";
        AppendMarkupGreek(out, verse.reference);
        out += "</span><span lang=\"grc\">";
        AppendMarkedBase(out, verse);
        out += "</span></p>\n<p class=\"app\">";
        for (size_t u = 0; u < verse.units.size(); ++u) {
            if (u > 0)
                out += kBullet;
            out += "<b>";
            AppendNumber(out, static_cast<long long>(u + 1));
            out += "</b> ";
            unitText.clear();
            AppendUnitText(unitText, verse.units[u], facts);
            AppendMarkupEscaped(out, unitText);
        }
        out += "</p>\n</div>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}

std::string ApparatusTei(const std::vector<VerseApparatus>& verses, const ApparatusFacts& facts)
{
    size_t textBytes = 0;
    for (const VerseApparatus& verse : verses) {
        textBytes += 2 * verse.baseText.size() + 60;
        for (const Unit& unit : verse.units) {
            textBytes += 2 * unit.base.size() + 40 + 25 * unit.agree.size();
            for (const Reading& reading : unit.readings)
                textBytes += 2 * reading.text.size() + 50 + 25 * reading.editions.size();
        }
    }
    const std::vector<std::string> ids = WitnessIds(facts);
    const std::string baseName = NameOf(facts, facts.options.base);

    std::string out;
    out.reserve(4096 + textBytes);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TEI xmlns=\"http://www.tei-c.org/ns/1.0\">\n<teiHeader>\n"
           "<fileDesc>\n<titleStmt><title>Critical apparatus against ";
    AppendMarkupEscaped(out, baseName);
    out += "</title></titleStmt>\n<publicationStmt><p>Collated by Synopter";
    if (!facts.date.empty()) {
        out += ", <date>";
        AppendMarkupEscaped(out, facts.date);
        out += "</date>";
    }
    out += ".</p></publicationStmt>\n<sourceDesc>\n<listWit>\n";
    for (size_t w = 0; w < facts.witnesses.size(); ++w) {
        const Witness& witness = facts.witnesses[w];
        out += "<witness xml:id=\"";
        out += ids[w];
        out += "\" n=\"";
        AppendNameEscaped(out, witness.siglum.empty() ? witness.name : witness.siglum);
        out += "\">";
        AppendNameEscaped(out, witness.name);
        if (!witness.information.empty()) {
            out += kEmDash;
            AppendNameEscaped(out, witness.information);
        }
        out += "</witness>\n";
    }
    out += "</listWit>\n</sourceDesc>\n</fileDesc>\n<encodingDesc>\n"
           "<variantEncoding method=\"parallel-segmentation\" location=\"internal\"/>\n<p>Base edition ";
    AppendMarkupEscaped(out, baseName);
    out += "; moved words ";
    out += facts.options.exactPositions ? "an omission and an addition" : "a transposition";
    out += "; spelling variants ";
    out += SpellingChoice(facts.options.spelling);
    out += ".</p>\n</encodingDesc>\n</teiHeader>\n<text>\n<body>\n";

    std::string_view chapter;
    for (size_t v = 0; v < verses.size(); ++v) {
        const VerseApparatus& verse = verses[v];
        if (v == 0 || verse.chapter != chapter) {
            if (v > 0)
                out += "</div>\n";
            chapter = verse.chapter;
            out += "<div type=\"chapter\"><head>";
            AppendMarkupGreek(out, chapter);
            out += "</head>\n";
        }
        out += "<ab n=\"";
        AppendMarkupGreek(out, verse.reference);
        out += "\">";
        const auto absent = std::find_if(verse.units.begin(), verse.units.end(),
                                         [](const Unit& unit) { return unit.AbsentVerse(); });
        if (absent != verse.units.end()) {
            // Those that have the verse read the lem, nested units and all.
            out += "<app><lem";
            AppendWit(out, Having(*absent, facts), ids);
            out += '>';
            AppendTeiVerse(out, verse, ids);
            out += "</lem><rdg";
            AppendWit(out, absent->readings.front().editions, ids);
            out += " type=\"absent\"/></app>";
        } else {
            AppendTeiVerse(out, verse, ids);
        }
        out += "</ab>\n";
    }
    if (!verses.empty())
        out += "</div>\n";
    out += "</body>\n</text>\n</TEI>\n";
    return out;
}

} // namespace synopter::collate
