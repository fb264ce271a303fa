// The apparatus as one self-contained HTML page.

#include "collate/apparatus_format.h"

#include "collate/apparatus_parts.h"
#include "compare/greek_fragment.h"
#include "editions/edition_lines.h"

#include <algorithm>

namespace synopter::collate {

namespace {

std::string_view ChapterNumber(std::string_view heading)
{
    const std::string_view title = BookTitle(heading);
    return title.size() < heading.size() ? heading.substr(title.size() + 1) : heading;
}

std::string Style()
{
    std::string out = "body{font-family:";
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
           ".s{color:#666;font-size:.85em;margin-right:.4em}\n"
           ".u{text-decoration:underline;text-decoration-color:#0000C0}\n"
           "sup.n{color:#0000C0;font-size:.7em}\n"
           ".app{font-size:.92em;color:#222;padding-left:1.5em}\n"
           ".app b{color:#0000C0;font-weight:normal;font-size:.85em}\n"
           "@media print{body{margin:0}.v{break-inside:avoid;page-break-inside:avoid}"
           "h2{break-after:avoid;page-break-after:avoid}a{color:inherit;text-decoration:none}}\n";
    return out;
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
    bool space = false;
    for (const BasePiece& piece : MarkBaseWords(verse.baseText, verse.units)) {
        switch (piece.kind) {
        case BasePiece::Word:
            if (space)
                out += ' ';
            AppendMarkupGreek(out, piece.word);
            space = true;
            break;
        case BasePiece::AbsentVerse:
            AppendUnitNumber(out, size_t(piece.unit));
            break;
        case BasePiece::Addition:
            if (space)
                out += ' ';
            AppendUnitNumber(out, size_t(piece.unit));
            space = true;
            break;
        case BasePiece::UnitStart:
            if (space)
                out += ' ';
            out += "<span class=\"u\">";
            space = false;
            break;
        case BasePiece::UnitEnd:
            out += "</span>";
            AppendUnitNumber(out, size_t(piece.unit));
            space = true;
            break;
        }
    }
}

// The table of what made the apparatus and what it holds.
void AppendFacts(std::string& out, const std::vector<VerseApparatus>& verses, const ApparatusFacts& facts,
                 size_t unitCount)
{
    out += "<table class=\"facts\">\n<tr><th>Base edition</th><td>";
    AppendMarkupEscaped(out, NameOf(facts, facts.options.base));
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
}

void AppendSiglaKey(std::string& out, const ApparatusFacts& facts)
{
    out += "<h2>Sigla</h2>\n<table class=\"key\">\n";
    const std::vector<std::string> sigla = ShortSigla(facts.witnesses);
    for (size_t i = 0; i < facts.witnesses.size(); ++i) {
        const Witness& w = facts.witnesses[i];
        out += "<tr><th>";
        AppendNameEscaped(out, sigla[i]);
        out += "</th><td>";
        // A siglum that is the name needs no name beside it.
        const bool named = sigla[i] != w.name;
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
}

// Chapters numbered from 1 in order; the contents group them by book.
void AppendContents(std::string& out, const std::vector<VerseApparatus>& verses)
{
    out += "<div class=\"toc\"><h2>Contents</h2>\n<ul>\n";
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

// Each verse: its base text marked, then its units numbered; a heading
// before each chapter, the contents' anchor.
void AppendVerses(std::string& out, const std::vector<VerseApparatus>& verses, const ApparatusFacts& facts)
{
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
        out += "</span>";
        if (verse.base != facts.options.base) {
            // The base edition is not whole here: the verse is read against its stand-in.
            out += "<span class=\"s\">(";
            AppendMarkupEscaped(out, NameOf(facts, facts.options.base));
            out += " not whole: against ";
            AppendMarkupEscaped(out, NameOf(facts, verse.base));
            out += ")</span>";
        }
        out += "<span lang=\"grc\">";
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
}

} // namespace

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
    static const std::string kStyle = Style();
    AppendHtmlPageHead(out, "Apparatus against " + baseName, kStyle);
    out += "<h1>Critical apparatus against ";
    AppendMarkupEscaped(out, baseName);
    out += "</h1>\n";
    AppendFacts(out, verses, facts, unitCount);
    AppendSiglaKey(out, facts);
    if (verses.empty()) {
        out += "<p>The editions do not differ.</p>\n</body>\n</html>\n";
        return out;
    }
    AppendContents(out, verses);
    AppendVerses(out, verses, facts);
    out += "</body>\n</html>\n";
    return out;
}

} // namespace synopter::collate
