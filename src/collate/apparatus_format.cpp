#include "collate/apparatus_format.h"

#include "collate/apparatus_parts.h"
#include "common/greek_letters.h"
#include "common/json_text.h"
#include "compare/greek_fragment.h"
#include "editions/edition_check.h"
#include "editions/edition_lines.h"
#include "editions/nt_layout.h"

#include <algorithm>

namespace synopter::collate {

namespace {

constexpr std::string_view kOmission = "\xE2\x80\x93"; // en dash

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

void AppendSigla(std::string& out, const std::vector<int>& editions, const ApparatusFacts& facts)
{
    for (size_t i = 0; i < editions.size(); ++i) {
        if (i > 0)
            out += ' ';
        out += SiglumOf(facts, editions[i]);
    }
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
            AppendJsonChar(out, c);
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

} // namespace

std::string NameOf(const ApparatusFacts& facts, int edition)
{
    const Witness* w = WitnessAt(facts, edition);
    return w ? ToUtf8(w->name) : std::to_string(edition + 1);
}

namespace {

std::string_view EnglishBook(std::string_view heading)
{
    const std::optional<int> book = BookOfTitle(BookTitle(heading));
    return book ? layout::BookAt(*book).english : std::string_view();
}

} // namespace

std::string VerseName(const VerseApparatus& verse)
{
    const std::string_view book = EnglishBook(verse.chapter);
    return book.empty() ? verse.reference : std::string(book) + " " + verse.reference;
}

std::string ChapterName(std::string_view heading)
{
    const std::string_view book = EnglishBook(heading);
    const int chapter = HeadingChapter(heading);
    return book.empty() || chapter <= 0 ? std::string() : std::string(book) + " " + std::to_string(chapter);
}

void AppendNameEscaped(std::string& out, const std::string& name) { AppendMarkupEscaped(out, ToUtf8(name)); }

void AppendUnitText(std::string& out, const Unit& unit, const ApparatusFacts& facts)
{
    bool lemma = false;
    if (unit.AbsentVerse()) {
        if (!unit.agree.empty()) {
            AppendSigla(out, unit.agree, facts);
            out += " ]";
            lemma = true;
        }
    } else {
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
    }
    for (size_t i = 0; i < unit.readings.size(); ++i) {
        const Reading& reading = unit.readings[i];
        if (i > 0)
            out += ';';
        if (lemma || i > 0)
            out += ' ';
        if (reading.kind == ReadingKind::Lacuna) {
            // As printed apparatuses say it: "P66 P75 lac."
            AppendSigla(out, reading.editions, facts);
            out += " lac.";
            continue;
        }
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
    if (verse.base != facts.options.base) {
        out += ",\"stand_in\":"; // the base is not whole here: the units read against this edition
        const Witness* w = WitnessAt(facts, verse.base);
        AppendJsonName(out, w ? w->name : std::to_string(verse.base + 1));
    }
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

namespace {

// A field quoted when it holds a comma, a quote or a line break, its quotes doubled.
void AppendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char ch : field) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    out += '"';
}

} // namespace

void AppendVerseCsv(std::string& out, const VerseApparatus& verse, const ApparatusFacts& facts)
{
    const std::string name = VerseName(verse);
    std::string field;
    for (const Unit& unit : verse.units)
        for (const Reading& reading : unit.readings) {
            AppendCsvField(out, name);
            out += ',';
            AppendCsvField(out, ToGreek(unit.base));
            out += ',';
            AppendCsvField(out, ToGreek(reading.text));
            out += ',';
            field.clear();
            AppendSigla(field, reading.editions, facts);
            AppendCsvField(out, field);
            out += ',';
            out += KindName(reading.kind);
            out += "\r\n";
        }
}

namespace {

// A tab-separated table over every pair of editions, each cell from `cell`.
template <typename Cell>
std::string PairTable(const DistanceTable& table, const ApparatusFacts& facts, const Cell& cell)
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
            cell(out, a, b);
        }
        out += '\n';
    }
    return out;
}

} // namespace

std::string DistanceText(const DistanceTable& table, const ApparatusFacts& facts)
{
    return PairTable(table, facts, [&](std::string& out, int a, int b) { AppendNumber(out, table.Distance(a, b)); });
}

std::string AgreementCell(int agreeing, int shared)
{
    if (shared <= 0)
        return std::string(kOmission);
    // Tenths rounded in integers: the same text in every locale.
    const long long tenths = (1000LL * agreeing + shared / 2) / shared;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "% of " + std::to_string(shared);
}

std::string AgreementText(const DistanceTable& table, const ApparatusFacts& facts)
{
    return PairTable(table, facts, [&](std::string& out, int a, int b) {
        out += AgreementCell(table.Agreeing(a, b), table.Shared(a, b));
    });
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

std::vector<BasePiece> MarkBaseWords(std::string_view baseText, const std::vector<Unit>& units)
{
    const std::vector<std::string_view> words = SplitWords(baseText);
    const auto count = static_cast<int>(words.size());
    std::vector<BasePiece> pieces;
    pieces.reserve(words.size() + 3 * units.size());
    int next = 0; // the next base word
    const auto addWords = [&](int from, int to) {
        for (int w = from; w < to; ++w)
            pieces.push_back({BasePiece::Word, 0, words[size_t(w)]});
    };
    for (size_t u = 0; u < units.size(); ++u) {
        const Unit& unit = units[u];
        const int number = static_cast<int>(u) + 1;
        if (unit.AbsentVerse()) {
            pieces.push_back({BasePiece::AbsentVerse, number, {}});
            continue;
        }
        const int first = std::clamp(unit.first, next, count);
        const int last = std::clamp(unit.last, first, count);
        addWords(next, first);
        if (first == last) {
            pieces.push_back({BasePiece::Addition, number, {}});
        } else {
            pieces.push_back({BasePiece::UnitStart, number, {}});
            addWords(first, last);
            pieces.push_back({BasePiece::UnitEnd, number, {}});
        }
        next = last;
    }
    addWords(next, count);
    return pieces;
}

} // namespace synopter::collate
