// The apparatus as TEI P5, parallel segmentation.

#include "collate/apparatus_format.h"

#include "collate/apparatus_parts.h"
#include "compare/greek_fragment.h"

#include <algorithm>

namespace synopter::collate {

namespace {

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

// A witness's lost text: TEI's lacunaStart and lacunaEnd within its reading,
// the lacuna begun and ended in the unit.
void AppendLacuna(std::string& out, const Reading& reading, const std::vector<std::string>& ids)
{
    out += "<rdg";
    AppendWit(out, reading.editions, ids);
    out += " type=\"lacuna\"><lacunaStart/><lacunaEnd/></rdg>";
}

void AppendReadings(std::string& out, const Unit& unit, const std::vector<std::string>& ids)
{
    for (const Reading& reading : unit.readings) {
        if (reading.kind == ReadingKind::Lacuna) {
            AppendLacuna(out, reading, ids);
            continue;
        }
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
}

// The verse's base text with an <app> at every unit but the absent verse's.
void AppendTeiVerse(std::string& out, const VerseApparatus& verse, const std::vector<std::string>& ids)
{
    bool space = false;
    for (const BasePiece& piece : MarkBaseWords(verse.baseText, verse.units)) {
        const Unit* unit = piece.unit > 0 ? &verse.units[size_t(piece.unit - 1)] : nullptr;
        switch (piece.kind) {
        case BasePiece::Word:
            if (space)
                out += ' ';
            AppendMarkupGreek(out, piece.word);
            space = true;
            break;
        case BasePiece::AbsentVerse:
            break;
        case BasePiece::Addition:
        case BasePiece::UnitStart:
            if (space)
                out += ' ';
            out += "<app><lem";
            AppendWit(out, unit->agree, ids);
            if (piece.kind == BasePiece::UnitStart) {
                out += '>';
                space = false;
                break;
            }
            out += "/>";
            AppendReadings(out, *unit, ids);
            out += "</app>";
            space = true;
            break;
        case BasePiece::UnitEnd:
            out += "</lem>";
            AppendReadings(out, *unit, ids);
            out += "</app>";
            space = true;
            break;
        }
    }
}

// The witnesses a verse is read by: all but `lacking` and `lost`.
std::vector<int> AllBut(const std::vector<int>& lacking, const std::vector<int>& lost, const ApparatusFacts& facts,
                        const VerseApparatus& verse)
{
    int count = static_cast<int>(facts.witnesses.size());
    for (const Unit& unit : verse.units)
        for (const int e : unit.agree)
            count = std::max(count, e + 1);
    std::vector<int> having;
    for (int e = 0; e < count; ++e)
        if (std::find(lacking.begin(), lacking.end(), e) == lacking.end() &&
            std::find(lost.begin(), lost.end(), e) == lost.end())
            having.push_back(e);
    return having;
}

// One verse, agreeing or not, so that each witness's text reads back from it:
// where some lack the verse or lost all of it, the verse is the lem of an
// <app> that says so (nested units and all).
void AppendTeiAb(std::string& out, const VerseApparatus& verse, const ApparatusFacts& facts,
                 const std::vector<std::string>& ids)
{
    out += "<ab n=\"";
    AppendMarkupEscaped(out, VerseName(verse));
    out += "\">";
    const auto absent = std::find_if(verse.units.begin(), verse.units.end(),
                                     [](const Unit& unit) { return unit.AbsentVerse(); });
    const std::vector<int> none;
    const std::vector<int>& lacking = absent != verse.units.end() ? absent->readings.front().editions : none;
    const std::vector<int>& lost = absent != verse.units.end() ? absent->Lacunose() : verse.lost;
    if (!lacking.empty() || !lost.empty()) {
        out += "<app><lem";
        AppendWit(out, AllBut(lacking, lost, facts, verse), ids);
        out += '>';
        AppendTeiVerse(out, verse, ids);
        out += "</lem>";
        if (!lacking.empty()) {
            out += "<rdg";
            AppendWit(out, lacking, ids);
            out += " type=\"absent\"/>";
        }
        if (!lost.empty())
            AppendLacuna(out, Reading{"", lost, ReadingKind::Lacuna}, ids);
        out += "</app>";
    } else {
        AppendTeiVerse(out, verse, ids);
    }
    out += "</ab>\n";
}

// The teiHeader: title, the witnesses, and how the apparatus was made.
void AppendTeiHeader(std::string& out, const ApparatusFacts& facts, const std::vector<std::string>& ids)
{
    const std::string baseName = NameOf(facts, facts.options.base);
    out += "<teiHeader>\n<fileDesc>\n<titleStmt><title>Critical apparatus against ";
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
    out += ".</p>\n</encodingDesc>\n</teiHeader>\n";
}

} // namespace

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

    std::string out;
    out.reserve(4096 + textBytes);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TEI xmlns=\"http://www.tei-c.org/ns/1.0\">\n";
    AppendTeiHeader(out, facts, ids);
    out += "<text>\n<body>\n";

    std::string_view chapter;
    for (size_t v = 0; v < verses.size(); ++v) {
        const VerseApparatus& verse = verses[v];
        if (v == 0 || verse.chapter != chapter) {
            if (v > 0)
                out += "</div>\n";
            chapter = verse.chapter;
            out += "<div type=\"chapter\"";
            if (const std::string name = ChapterName(chapter); !name.empty()) {
                out += " n=\"";
                AppendMarkupEscaped(out, name);
                out += '"';
            }
            out += "><head>";
            AppendMarkupGreek(out, chapter);
            out += "</head>\n";
        }
        AppendTeiAb(out, verse, facts, ids);
    }
    if (!verses.empty())
        out += "</div>\n";
    out += "</body>\n</text>\n</TEI>\n";
    return out;
}

} // namespace synopter::collate
