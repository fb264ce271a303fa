#include "collate/apparatus_format.h"

#include "collate/apparatus_parts.h"
#include "common/greek_letters.h"
#include "common/json_text.h"
#include "compare/greek_fragment.h"
#include "editions/edition.h"
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

// A witness's short siglum as UTF-8; an edition the facts do not know by its number.
std::string SiglumOf(const std::vector<std::string>& sigla, int edition)
{
    if (edition < 0 || static_cast<size_t>(edition) >= sigla.size())
        return std::to_string(edition + 1);
    return ToUtf8(sigla[size_t(edition)]);
}

void AppendSigla(std::string& out, const std::vector<int>& editions, const std::vector<std::string>& sigla)
{
    for (size_t i = 0; i < editions.size(); ++i) {
        if (i > 0)
            out += ' ';
        out += SiglumOf(sigla, editions[i]);
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

// An absent verse's editions as the lines name them: those that lack it, then
// those that have it elsewhere, a group for each place.
struct AbsentPart {
    std::vector<int> editions;
    std::string_view at; // "" for those that lack it
};

std::vector<AbsentPart> AbsentParts(const Reading& reading)
{
    std::vector<AbsentPart> parts(1);
    for (const int e : reading.editions) {
        const auto moved = std::find_if(reading.elsewhere.begin(), reading.elsewhere.end(),
                                        [e](const Reading::Elsewhere& m) { return m.edition == e; });
        if (moved == reading.elsewhere.end()) {
            parts.front().editions.push_back(e);
            continue;
        }
        const auto part = std::find_if(parts.begin() + 1, parts.end(),
                                       [&](const AbsentPart& p) { return p.at == moved->at; });
        if (part == parts.end())
            parts.push_back({{e}, moved->at});
        else
            part->editions.push_back(e);
    }
    if (parts.front().editions.empty())
        parts.erase(parts.begin());
    return parts;
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

std::vector<std::string> ShortSigla(const std::vector<Witness>& witnesses)
{
    std::vector<std::string> sigla;
    std::vector<bool> derived;
    for (const Witness& w : witnesses) {
        const bool given = !w.siglum.empty() && w.siglum != w.name;
        sigla.push_back(given ? w.siglum : DerivedSiglum(w.name));
        derived.push_back(!given);
    }
    // A derived siglum that another witness also has would make two one.
    std::vector<bool> clash(sigla.size(), false);
    for (size_t a = 0; a < sigla.size(); ++a)
        for (size_t b = a + 1; b < sigla.size(); ++b)
            if (sigla[a] == sigla[b])
                clash[a] = clash[b] = true;
    for (size_t i = 0; i < sigla.size(); ++i)
        if (clash[i] && derived[i])
            sigla[i] = witnesses[i].name;
    return sigla;
}

void AppendUnitText(std::string& out, const Unit& unit, const ApparatusFacts& facts)
{
    const std::vector<std::string> sigla = ShortSigla(facts.witnesses);
    bool lemma = false;
    if (unit.AbsentVerse()) {
        if (!unit.agree.empty()) {
            AppendSigla(out, unit.agree, sigla);
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
            AppendSigla(out, unit.agree, sigla);
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
            AppendSigla(out, reading.editions, sigla);
            out += " lac.";
            continue;
        }
        if (reading.kind == ReadingKind::Absent && !reading.elsewhere.empty()) {
            // "verse absent Ant; WH Elz: transp. to 16:25-27"
            const std::vector<AbsentPart> parts = AbsentParts(reading);
            for (size_t p = 0; p < parts.size(); ++p) {
                if (p > 0)
                    out += "; ";
                if (parts[p].at.empty())
                    out += "verse absent ";
                AppendSigla(out, parts[p].editions, sigla);
                if (!parts[p].at.empty()) {
                    out += ": transp. to ";
                    out += parts[p].at;
                }
            }
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
            AppendSigla(out, reading.editions, sigla);
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
        bool first = true;
        for (const Reading& reading : unit.readings) {
            const auto append = [&](const std::vector<int>& editions, std::string_view at) {
                out += first ? "{\"text\":" : ",{\"text\":";
                first = false;
                AppendJsonLatin1(out, reading.text);
                out += ",\"editions\":";
                AppendJsonNames(out, editions, facts);
                if (at.empty()) {
                    out += ",\"kind\":\"";
                    out += KindName(reading.kind);
                    out += "\"}";
                } else {
                    out += ",\"kind\":\"relocated\",\"at\":";
                    AppendJsonLatin1(out, at);
                    out += '}';
                }
            };
            if (reading.kind == ReadingKind::Absent && !reading.elsewhere.empty()) {
                for (const AbsentPart& part : AbsentParts(reading))
                    append(part.editions, part.at);
            } else {
                append(reading.editions, {});
            }
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
    // A spreadsheet keeps the witnesses' own sigla, as JSON does: no derived short ones.
    std::vector<std::string> sigla;
    for (const Witness& w : facts.witnesses)
        sigla.push_back(w.siglum.empty() ? w.name : w.siglum);
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
            AppendSigla(field, reading.editions, sigla);
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
