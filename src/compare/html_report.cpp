#include "compare/html_report.h"

#include "common/greek_letters.h"

#include <string_view>

namespace synopter::html {

namespace {

constexpr rtf::Colour kBlue = 0xFF0000; // as the result files store it

// Fonts Debian ships that carry (polytonic) Greek; nothing private needed.
constexpr std::string_view kStyle =
    "body{font-family:\"Noto Serif\",\"DejaVu Serif\",\"Gentium Plus\",\"Gentium\",\"FreeSerif\",serif;"
    "color:#000;background:#fff;margin:1.5em;line-height:1.35}\n"
    "h1{font-size:1.4em;margin:0 0 .5em}\n"
    "h2{font-size:1.15em}\n"
    "table.facts{border-collapse:collapse;margin-bottom:1em}\n"
    "table.facts th{text-align:left;font-weight:normal;color:#444;padding:.1em 1em .1em 0;vertical-align:top}\n"
    "table.facts td{padding:.1em 0}\n"
    "nav ul{padding-left:1.2em}\n"
    "nav li{margin:.2em 0}\n"
    "nav a{color:#000}\n" // blue is for differing words
    ".book{font-weight:bold;color:#800000}\n"
    "table.pairs{border-collapse:collapse;width:100%;table-layout:fixed}\n"
    "table.pairs thead th{text-align:left;border-bottom:1px solid #888;padding:.2em .5em}\n"
    "table.pairs td{width:50%;vertical-align:top;padding:.15em .5em;border-bottom:1px solid #ddd}\n"
    "tr.ch th{text-align:left;color:#800000;font-weight:bold;padding:.9em .5em .2em}\n"
    ".d{color:#0000FF}\n"
    "@media print{body{margin:0}"
    "*{-webkit-print-color-adjust:exact;print-color-adjust:exact}"
    "tr{break-inside:avoid;page-break-inside:avoid}"
    "tr.ch{break-after:avoid;page-break-after:avoid}"
    "a{color:inherit;text-decoration:none}"
    "nav{break-after:page;page-break-after:always}}\n";

void AppendNumber(std::string& out, long long value) { out += std::to_string(value); }

// UTF-8 text into HTML text or an attribute value. Control characters other
// than tab and line breaks are not allowed in HTML; they show as '?'.
void AppendEscaped(std::string& out, std::string_view text)
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

// Transliterated bytes as escaped Greek.
void AppendGreekEscaped(std::string& out, std::string_view bytes)
{
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (const std::string_view greek = GreekLetter(ch); !greek.empty()) {
            out += greek;
        } else if (c >= 0x80 && c < 0xA0) {
            out += '?'; // C1 controls
        } else if (c >= 0x80) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            AppendEscaped(out, std::string_view(&ch, 1));
        }
    }
}

// The verse with every stretch of unmatched characters in a blue span.
void AppendVerse(std::string& out, const std::string& verse, const MatchMask& mask)
{
    const auto matched = [&](size_t i) { return i < mask.size() && mask[i] != 0; };
    size_t start = 0;
    while (start < verse.size()) {
        const bool plain = matched(start);
        size_t end = start + 1;
        while (end < verse.size() && matched(end) == plain)
            ++end;
        const std::string_view text = std::string_view(verse).substr(start, end - start);
        if (plain) {
            AppendGreekEscaped(out, text);
        } else {
            out += "<span class=\"d\">";
            AppendGreekEscaped(out, text);
            out += "</span>";
        }
        start = end;
    }
}

// "KATA IWANNHN 3" is book "KATA IWANNHN", chapter "3"; a label without a
// number at its end is all book.
struct BookChapter {
    std::string_view book;
    std::string_view chapter;
};

BookChapter SplitLabel(std::string_view label)
{
    const size_t space = label.rfind(' ');
    if (space == std::string_view::npos || space + 1 == label.size())
        return {label, {}};
    const std::string_view tail = label.substr(space + 1);
    for (const char c : tail)
        if (c < '0' || c > '9')
            return {label, {}};
    return {label.substr(0, space), tail};
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
    AppendEscaped(out, edition.name);
    out += "</b>";
    if (!edition.description.empty()) {
        out += " \xE2\x80\x94 "; // em dash
        AppendEscaped(out, edition.description);
    }
    out += "</td></tr>\n";
}

// One line per book: its chapters, each linked to its heading, with counts.
// Headings are numbered from 1; 0 stands for pairs before the first one.
void AppendContents(std::string& out, const std::vector<ReportItem>& items, const std::vector<long long>& counts)
{
    out += "<nav><h2>Contents</h2>\n<ul>\n";
    size_t heading = 0;
    std::string_view book;
    bool open = false;
    std::string chapters; // the links of the current book
    long long bookCount = 0;
    const auto closeBook = [&] {
        if (!open)
            return;
        out += "<li><span class=\"book\" lang=\"grc\">";
        AppendGreekEscaped(out, book);
        out += "</span> (";
        AppendNumber(out, bookCount);
        out += "): ";
        out += chapters;
        out += "</li>\n";
        chapters.clear();
        bookCount = 0;
        open = false;
    };
    if (counts[0] > 0) {
        out += "<li><a href=\"#h0\">Before the first chapter heading</a> (";
        AppendNumber(out, counts[0]);
        out += ")</li>\n";
    }
    for (const ReportItem& item : items) {
        const auto* h = std::get_if<ReportHeading>(&item);
        if (!h)
            continue;
        ++heading;
        const BookChapter split = SplitLabel(h->label);
        if (!open || split.book != book) {
            closeBook();
            book = split.book;
            open = true;
        } else {
            chapters += ", ";
        }
        chapters += "<a href=\"#";
        AppendAnchor(chapters, heading);
        chapters += "\">";
        AppendGreekEscaped(chapters, split.chapter.empty() ? split.book : split.chapter);
        chapters += "</a>&nbsp;(";
        AppendNumber(chapters, counts[heading]);
        chapters += ')';
        bookCount += counts[heading];
    }
    closeBook();
    out += "</ul></nav>\n";
}

} // namespace

std::string HtmlReport(const ReportFacts& facts, const std::vector<ReportItem>& items)
{
    // Pairs under each heading, [0] before the first.
    std::vector<long long> counts(1, 0);
    long long found = 0;
    for (const ReportItem& item : items) {
        if (std::holds_alternative<ReportHeading>(item)) {
            counts.push_back(0);
        } else {
            ++counts.back();
            ++found;
        }
    }

    std::string out;
    out.reserve(4096 + items.size() * 400);
    out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendEscaped(out, facts.left.name);
    out += " and ";
    AppendEscaped(out, facts.right.name);
    out += " compared</title>\n<style>\n";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n<h1>";
    AppendEscaped(out, facts.left.name);
    out += " and ";
    AppendEscaped(out, facts.right.name);
    out += " compared</h1>\n<table class=\"facts\">\n";
    AppendEdition(out, "Left", facts.left);
    AppendEdition(out, "Right", facts.right);
    out += "<tr><th>Threshold</th><td>";
    AppendNumber(out, facts.threshold);
    out += " differing characters on either side</td></tr>\n<tr><th>Moved words</th><td>";
    out += facts.exactPositions ? "count as differences" : "do not count as differences";
    out += "</td></tr>\n<tr><th>Date</th><td>";
    AppendEscaped(out, facts.date);
    out += "</td></tr>\n<tr><th>Verses found</th><td>";
    AppendNumber(out, found);
    out += "</td></tr>\n</table>\n";

    if (found == 0) {
        out += "<p>No verses differ.</p>\n</body>\n</html>\n";
        return out;
    }
    AppendContents(out, items, counts);

    out += "<table class=\"pairs\" lang=\"grc\">\n<thead><tr><th lang=\"en\">";
    AppendEscaped(out, facts.left.name);
    out += "</th><th lang=\"en\">";
    AppendEscaped(out, facts.right.name);
    out += "</th></tr></thead>\n<tbody>\n";
    size_t heading = 0;
    bool first = true;
    for (const ReportItem& item : items) {
        if (const auto* h = std::get_if<ReportHeading>(&item)) {
            ++heading;
            out += "<tr class=\"ch\" id=\"";
            AppendAnchor(out, heading);
            out += "\"><th colspan=\"2\">";
            AppendGreekEscaped(out, h->label);
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
        mask.insert(mask.end(), span.text.size(), span.colour == kBlue ? 0 : 1);
    }
}

} // namespace synopter::html
