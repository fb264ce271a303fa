#include "compare/html_report.h"

#include "common/greek_letters.h"
#include "compare/aligned_marking.h"
#include "compare/greek_fragment.h"
#include "compare/lacuna_marks.h"
#include "compare/result_summary.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace synopter::html {

namespace {

constexpr rtf::Colour kBlue = 0xFF0000; // as the result files store it
constexpr rtf::Colour kGreen = 0x008000; // spelling variants: RGB 0,128,0, the page's green

// Fonts Debian ships that carry (polytonic) Greek; nothing private needed.
// The window prints this page through QTextDocument, so the layout keeps to
// what it renders too: tables, colours, simple selectors, page-break-before
// (the results start on a page of their own).
constexpr std::string_view kStyle =
    "body{font-family:\"Noto Serif\",\"DejaVu Serif\",\"Gentium Plus\",\"Gentium\",\"FreeSerif\",serif;"
    "color:#000;background:#fff;margin:1.5em;line-height:1.35}\n"
    "h1{font-size:1.4em;margin:0 0 .5em}\n"
    "h2{font-size:1.15em}\n"
    "table.facts{border-collapse:collapse;margin-bottom:1em}\n"
    "table.facts th{text-align:left;font-weight:normal;color:#444;padding:.1em 1em .1em 0;vertical-align:top;white-space:nowrap}\n"
    "table.facts td{padding:.1em 0}\n"
    ".toc ul{padding-left:1.2em}\n"
    ".toc li{margin:.2em 0}\n"
    ".toc a{color:#000}\n" // blue is for differing words
    ".book{font-weight:bold;color:#800000}\n"
    "table.pairs{border-collapse:collapse;width:100%;table-layout:fixed;page-break-before:always}\n"
    "table.more{page-break-before:auto}\n"
    "table.pairs thead th{text-align:left;border-bottom:1px solid #888;padding:.2em .5em}\n"
    "table.pairs td{width:50%;vertical-align:top;padding:.15em .5em;border-bottom:1px solid #ddd}\n"
    "tr.ch th{text-align:left;color:#800000;font-weight:bold;padding:.9em .5em .2em}\n"
    ".d{color:#0000FF}\n"
    ".s{color:#008000}\n"
    ".m{color:#A000A0}\n"
    "@media print{body{margin:0}"
    "*{-webkit-print-color-adjust:exact;print-color-adjust:exact}"
    "tr{break-inside:avoid;page-break-inside:avoid}"
    "tr.ch{break-after:avoid;page-break-after:avoid}"
    "a{color:inherit;text-decoration:none}}\n";

void AppendNumber(std::string& out, long long value) { out += std::to_string(value); }

// The verse with every stretch of unmatched characters in a blue span, and of
// spelling variants in a green one.
void AppendVerse(std::string& out, const std::string& verse, const MatchMask& mask)
{
    // 0 unmatched, 1 matched, 2 spelling variant, 3 lost text, 4 "lac.", 5 moved
    const auto kind = [&](size_t i) {
        return i >= mask.size() ? 0 : mask[i] == kMovedMatch ? int{kMovedMatch} : std::min<int>(mask[i], kLacunaMark);
    };
    size_t start = 0;
    while (start < verse.size()) {
        const int k = kind(start);
        size_t end = start + 1;
        while (end < verse.size() && kind(end) == k)
            ++end;
        const std::string_view text = std::string_view(verse).substr(start, end - start);
        if (k == 1) {
            AppendMarkupGreek(out, text);
        } else if (k == kMovedMatch) {
            out += "<span class=\"m\">";
            AppendMarkupGreek(out, text);
            out += "</span>";
        } else if (k >= kLacunaText) {
            out += "<span style=\"color:#808080\">"; // inline: pages without lacunae stay as they were
            if (k == kLacunaMark)
                AppendMarkupEscaped(out, text);
            else
                AppendMarkupGreek(out, text);
            out += "</span>";
        } else {
            out += k == 0 ? "<span class=\"d\">" : "<span class=\"s\">";
            AppendMarkupGreek(out, text);
            out += "</span>";
        }
        start = end;
    }
}

void AppendAnchor(std::string& out, size_t heading)
{
    out += 'h';
    AppendNumber(out, static_cast<long long>(heading));
}

void AppendEdition(std::string& out, const char* side, const ReportEdition& edition)
{
    out += "<tr><th>";
    out += side;
    out += "</th><td><b>";
    AppendMarkupEscaped(out, edition.name);
    out += "</b>";
    if (!edition.description.empty()) {
        out += " \xE2\x80\x94 "; // em dash
        AppendMarkupEscaped(out, edition.description);
    }
    out += "</td></tr>\n";
}

// One line per book: its chapters, each linked to its heading, with the counts
// of --format summary. Headings are numbered from 1 in result order, as the
// summary lists its chapters; 0 stands for pairs before the first one.
void AppendContents(std::string& out, const ResultSummary& summary)
{
    out += "<div class=\"toc\"><h2>Contents</h2>\n<ul>\n";
    int inBooks = 0;
    for (const BookCount& book : summary.books)
        inBooks += book.reported;
    if (summary.reported > inBooks) {
        out += "<li><a href=\"#h0\">Before the first chapter heading</a> (";
        AppendNumber(out, summary.reported - inBooks);
        out += ")</li>\n";
    }
    size_t heading = 0;
    for (const BookCount& book : summary.books) {
        out += "<li><span class=\"book\" lang=\"grc\">";
        AppendMarkupGreek(out, book.title);
        out += "</span> (";
        AppendNumber(out, book.reported);
        out += "): ";
        for (size_t c = 0; c < book.chapters.size(); ++c) {
            const std::string_view label = book.chapters[c].heading;
            // The chapter number alone, or the whole label when it has none.
            const std::string_view shown = label.size() > book.title.size() ? label.substr(book.title.size() + 1) : label;
            if (c > 0)
                out += ", ";
            out += "<a href=\"#";
            AppendAnchor(out, ++heading);
            out += "\">";
            AppendMarkupGreek(out, shown);
            out += "</a>&nbsp;(";
            AppendNumber(out, book.chapters[c].reported);
            out += ')';
        }
        out += "</li>\n";
    }
    out += "</ul></div>\n";
}

} // namespace

std::string HtmlReport(const ReportFacts& facts, const std::vector<ReportItem>& items)
{
    SummaryBuilder counter;
    size_t textBytes = 0; // Greek letters take two bytes; markup and spans about 200 a row
    for (const ReportItem& item : items) {
        if (const auto* h = std::get_if<ReportHeading>(&item)) {
            counter.Heading(h->label);
            textBytes += 2 * h->label.size() + 100;
        } else {
            const auto& pair = std::get<ReportPair>(item);
            if (pair.lacunose > 0)
                counter.Lacunose(pair.lacunose);
            else
                counter.Pair();
            textBytes += 2 * (pair.left.size() + pair.right.size()) + 200;
        }
    }
    const ResultSummary& summary = counter.Summary();
    const int found = summary.reported;

    std::string out;
    out.reserve(8192 + textBytes);
    AppendHtmlPageHead(out, facts.left.name + " and " + facts.right.name + " compared", kStyle);
    out += "<h1>";
    AppendMarkupEscaped(out, facts.left.name);
    out += " and ";
    AppendMarkupEscaped(out, facts.right.name);
    out += " compared</h1>\n<table class=\"facts\">\n";
    AppendEdition(out, "Left", facts.left);
    AppendEdition(out, "Right", facts.right);
    out += "<tr><th>Threshold</th><td>";
    AppendNumber(out, facts.threshold);
    out += " differing characters on either side</td></tr>\n<tr><th>Moved words</th><td>";
    out += facts.exactPositions ? "count as differences" : "do not count as differences";
    if (facts.spelling) {
        out += "</td></tr>\n<tr><th>Spelling variants</th><td>";
        out += *facts.spelling == SpellingMode::Count  ? "counted"
               : *facts.spelling == SpellingMode::Mark ? "marked in green"
                                                       : "ignored";
    }
    if (facts.marking) {
        out += "</td></tr>\n<tr><th>Word marking</th><td>";
        out += *facts.marking == WordMarking::Aligned
                   ? "aligned (words an alignment leaves unpaired; moved words in purple)"
                   : "by the comparison's rules";
    }
    out += "</td></tr>\n<tr><th>Date</th><td>";
    AppendMarkupEscaped(out, facts.date);
    out += "</td></tr>\n<tr><th>Verses found</th><td>";
    AppendNumber(out, found);
    if (summary.lacunose > 0) {
        out += "</td></tr>\n<tr><th>Lacunose verses</th><td>";
        AppendNumber(out, summary.lacunose);
        out += " (lost, not compared)";
    }
    out += "</td></tr>\n</table>\n";

    if (found == 0 && summary.lacunose == 0) {
        out += "<p>No verses differ.</p>\n</body>\n</html>\n";
        return out;
    }
    AppendContents(out, summary);

    out += "<table class=\"pairs\" lang=\"grc\">\n<thead><tr><th lang=\"en\">";
    AppendMarkupEscaped(out, facts.left.name);
    out += "</th><th lang=\"en\">";
    AppendMarkupEscaped(out, facts.right.name);
    out += "</th></tr></thead>\n<tbody>\n";
    size_t heading = 0;
    bool first = true;
    for (const ReportItem& item : items) {
        if (const auto* h = std::get_if<ReportHeading>(&item)) {
            // A table a chapter: one table of thousands of rows takes Qt's
            // print layout several times longer, and a browser shows the same.
            if (heading > 0 || !first)
                out += "</tbody>\n</table>\n<table class=\"pairs more\">\n<tbody>\n";
            ++heading;
            out += "<tr class=\"ch\" id=\"";
            AppendAnchor(out, heading);
            out += "\"><th colspan=\"2\">";
            AppendMarkupGreek(out, h->label);
            out += "</th></tr>\n";
            continue;
        }
        const auto& pair = std::get<ReportPair>(item);
        out += heading == 0 && first ? "<tr id=\"h0\"><td>" : "<tr><td>";
        first = false;
        AppendVerse(out, pair.left, pair.leftMask);
        out += "</td><td>";
        AppendVerse(out, pair.right, pair.rightMask);
        out += "</td></tr>\n";
    }
    out += "</tbody>\n</table>\n</body>\n</html>\n";
    return out;
}

void VerseFromParagraph(const rtf::Paragraph& paragraph, std::string& verse, MatchMask& mask)
{
    verse.clear();
    mask.clear();
    for (const rtf::Span& span : paragraph) {
        verse += span.text;
        const std::uint8_t value = span.colour == kBlue                ? 0
                                   : span.colour == kGreen             ? kSpellingMatch
                                   : span.colour == kMovedColour       ? kMovedMatch
                                   : span.colour == kLacunaTextColour  ? kLacunaText
                                   : span.colour == kLacunaMarkColour  ? kLacunaMark
                                                                       : 1;
        mask.insert(mask.end(), span.text.size(), value);
    }
}

ReportPair LacunoseItem(const LacunoseRun& run)
{
    const std::string label = LacunoseLabel(run.firstReference, run.lastReference);
    const std::string references = LacunoseReferences(run.firstReference, run.lastReference);
    ReportPair item;
    item.left = run.left ? label : references;
    item.right = run.right ? label : references;
    item.leftMask.assign(item.left.size(), run.left ? kLacunaMark : kLacunaText);
    item.rightMask.assign(item.right.size(), run.right ? kLacunaMark : kLacunaText);
    item.lacunose = run.Verses();
    return item;
}

void ReportCollector::LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                                 const MatchMask& leftMask, const PairGaps& gaps)
{
    ReportPair pair;
    pair.left = WithLacunaMarks(left, leftMask, gaps.left, pair.leftMask);
    pair.right = WithLacunaMarks(right, rightMask, gaps.right, pair.rightMask);
    items.push_back(std::move(pair));
}

void ReportCollector::Lacunose(const LacunoseRun& run)
{
    items.push_back(LacunoseItem(run));
}

} // namespace synopter::html
