#include "compare/spelling_lists.h"

#include <utility>

// Today's lists and rules, each joining only spellings of one word:
// grammatical forms (eipan/eipon, poihsomen/poihswmen), other words
// (euyewv/euyuv, nun/nuni) and names of different persons (iwshf/iwshv,
// asa/asaf, amwn/amwv) stay out.
namespace synopter::spelling {

namespace {

using G = SpellingGroup;

// Names: doubled or single consonants, ei / i and other spellings.
constexpr std::string_view kNames[] = {
    "dabid dauid daueid",
    "nazaret nazarey nazara nazarat",
    "kafarnaoum kapernaoum",
    "beelzeboul beezeboul beelzeboub",
    "bhyfagh bhysfagh",
    "simewn sumewn",
    "sicem sucem",
    "iwbhd wbhd",
    "booz boov boev",
    "acaz acav",
    "geyshmanh geyshmani",
    "barsabav barsabbav",
    "barsaban barsabban",
    "solomwnov solomwntov",
    "solomwna solomwnta",
    "fugelov fugellov",
    "messiav mesiav",
    "messian mesian",
    "armagedwn armageddwn",
    "elisaiou elissaiou",
    "isacar issacar",
    "emor emmor",
    "genhsaret gennhsaret gennhsar",
    // ei / i in names
    "beniamin beniamein",
    "eliakim eliakeim",
    "nefyalim nefyaleim",
    "acim aceim",
    "iwrim iwreim",
    "tabiya tabeiya",
    "iairov iaeirov",
    "kiv keiv",
    "leui leuei leuein",
    "leuiv leueiv",
    "leuithv leueithv",
    "leuitai leueitai",
    "ieremiav ieremeiav",
    "ieremiou ieremeiou",
};

constexpr std::string_view kListedWords[] = {
    // ei / i and y / d in words
    "piein pein",
    "ouden ouyen",
    "oudenov ouyenov",
    "oudeni ouyeni",
    "mhden mhyen",
    "mhdenov mhyenov",
    "mhdeni mhyeni",
    "eneka eneken eineken",
    // augments written e or h
    "edunato hdunato",
    "edunanto hdunanto",
    "edunasye hdunasye",
    "edunhyh hdunhyh",
    "edunhyhsan hdunhyhsan",
    "edunhyhmen hdunhyhmen",
    "emellen hmellen",
    "emellon hmellon",
    "ebouleto hbouleto",
    "eboulonto hboulonto",
    "eboulhyhn hboulhyhn",
    "eudokhsa hudokhsa",
    "eudokhsan hudokhsan",
    "eudokhsen hudokhsen",
    "eirgasato hrgasato",
    "eirgasanto hrgasanto",
    "anewgmenon hnewgmenon",
    "anewgmenhn hnewgmenhn",
    "anewcyhsan hnewcyhsan",
    "anewcyh hnewcyh",
};

// Elision: a final vowel dropped before a vowel, the consonant before a
// rough breathing aspirated (the elided forms are no other word).
constexpr std::string_view kElision[] = {
    "alla all",
    "apo ap af",
    "dia di",
    "epi ep ef",
    "kata kat kay",
    "meta met mey",
    "para par",
    "upo up uf",
    "anti ant any",
    "oude oud",
    "mhde mhd",
};

constexpr std::string_view kFinalSigma[] = {
    "outw outwv",
    "acri acriv",
    "mecri mecriv",
};

// Off by default: each joins only spellings of one word, but the forms are
// those of manuscripts rather than of printed editions.

// Aspiration: the consonant before a vowel as rough or smooth breathing asks.
// Not ou/ouk: without accents ou is also "where" (the relative pronoun).
constexpr std::string_view kAspiration[] = {
    "ouk ouc", "ap af", "kat kay", "ep ef", "met mey", "up uf", "ant any",
};

// Crasis and its two words written as one, as a transcription without word
// division gives them. The engine matches word with word, so kagw is not
// matched with "kai egw" as two words.
constexpr std::string_view kCrasis[] = {
    "kagw kaiegw",          "kamoi kaiemoi",          "kame kaieme",
    "kakei kaiekei",        "kakeiyen kaiekeiyen",    "kakeinov kaiekeinov",
    "kakeinh kaiekeinh",    "kakeino kaiekeino",      "kakeinoi kaiekeinoi",
    "kakeinon kaiekeinon",  "kakeinouv kaiekeinouv",  "kakeina kaiekeina",
    "kan kaiean",           "tounantion toenantion",  "tounoma toonoma",
};

// Nomina sacra the import left contracted, written without their bar, with
// the word in full. Only contractions that are no other word: not yw (thw,
// "I may put"), kw (Cos), crw ("use"), uv ("sow"), anw ("up"), in (elided ina).
constexpr std::string_view kNominaSacra[] = {
    "yeov yv",         "yeou yu",       "yeon yn",
    "kuriov kv",       "kuriou ku",     "kurion kn",      "kurie ke",
    "ihsouv ihv iv",   "ihsou ihu iu",  "ihsoun ihn",
    "cristov cv crv",  "cristou cu cru", "cristw cw",     "criston cn crn",
    "uiou uu",         "uiw uw",        "uion un",
    "pneuma pna",      "pneumatov pnv", "pneumati pni",   "pneumata pnta",
    "anyrwpov anov",   "anyrwpou anou", "anyrwpon anon",  "anyrwpoi anoi",
    "anyrwpwn anwn",   "anyrwpoiv anoiv", "anyrwpouv anouv",
    "pathr phr",       "patrov prv",    "patri pri",      "patera pra",
    "mhthr mhr",       "dauid dad",     "israhl ihl",     "ierousalhm ilhm",
    "ouranov ounov",   "ouranou ounou", "ouranw ounw",    "ouranon ounon",
    "ouranoi ounoi",   "swthr shr",     "swthrov srv",
    "staurov stv",     "staurou stu",   "staurw stw",     "stauron stn",
};

constexpr WordLines kListedGroups[] = {
    {G::Names, kNames},           {G::ListedWords, kListedWords}, {G::Elision, kElision},
    {G::FinalSigma, kFinalSigma}, {G::Aspiration, kAspiration},   {G::Crasis, kCrasis},
    {G::NominaSacra, kNominaSacra},
};

constexpr StemPair kStemPairs[] = {
    {"mwus", "mws", G::Names}, // mwushv/mwshv, mwusewv/mwsewv
    {"iwann", "iwan", G::Names}, // iwannhv/iwanhv, iwanna/iwana
    {"mayy", "maty", G::Names}, // mayyaiov/matyaiov, mayyiav/matyiav
    {"tessarak", "tesserak", G::ListedWords}, // tessarakonta/tesserakonta
    {"tetraarc", "tetrarc", G::ListedWords}, // tetraarchv/tetrarchv
    {"krabbat", "krabat", G::ListedWords}, // krabbatov/krabattov/krabatov
    {"krabatt", "krabat", G::ListedWords},
    {"ballanti", "balanti", G::ListedWords}, // ballantion/balantion
    {"ennat", "enat", G::ListedWords}, // ennath/enath (ninth)
    {"enneo", "eneo", G::ListedWords}, // enneoi/eneoi (speechless)
    {"sfurid", "spurid", G::ListedWords}, // sfuridav/spuridav
    {"kaisarei", "kaisari", G::Names}, // kaisareia/kaisaria
    {"samarei", "samari", G::Names}, // samareia/samaria, samareitai/samaritai
    {"danei", "dani", G::ListedWords}, // daneizw/danizw, daneion/danion
    {"orein", "orin", G::ListedWords}, // oreinh/orinh
    {"oikeiak", "oikiak", G::ListedWords}, // oikeiakoi/oikiakoi
    {"eparcei", "eparci", G::ListedWords}, // eparceia/eparcia
    {"kolwnei", "kolwni", G::ListedWords}, // kolwneia/kolwnia
    {"eidwlolatrei", "eidwlolatri", G::ListedWords},
    {"eyeloyrhskei", "eyeloyrhski", G::ListedWords},
    {"ofyalmodoulei", "ofyalmodouli", G::ListedWords},
    {"praot", "praut", G::ListedWords}, // praothv/prauthv
    {"nhfale", "nhfali", G::ListedWords}, // nhfaleouv/nhfaliouv
    {"mammwn", "mamwn", G::ListedWords}, // mammwnav/mamwnav
    {"eisthk", "isthk", G::ListedWords}, // eisthkei/isthkei (pluperfect augment)
    {"crewfeil", "creofeil", G::ListedWords}, // crewfeiletwn/creofeiletwn
};

// Inside a word: lhmqetai/lhqetai, elhmfyh/elhfyh (the mu of lambanw's forms).
constexpr std::pair<std::string_view, std::string_view> kInnerPairs[] = {
    {"lhmq", "lhq"},
    {"lhmf", "lhf"},
    {"reun", "raun"}, // ereunhson/eraunhson, exhreunhsan/exhraunhsan (no other word has either)
};

// Augment and prefixes before which an initial rho is written double or single.
constexpr std::string_view kRhoPrefixes[] = {"e", "epi", "peri", "prose", "para", "apo", "dia", "kata", "ana", "upo"};

// -en words whose -e form is another word.
constexpr std::string_view kNotMovable[] = {"ouden", "mhden", "ouyen", "mhyen", "eiten"}; // eiten "then", eite "whether"

} // namespace

std::span<const WordLines> ListedGroups()
{
    return kListedGroups;
}

std::span<const StemPair> StemPairs()
{
    return kStemPairs;
}

void InnerSpellings(std::string& s)
{
    for (const auto& [from, to] : kInnerPairs)
        for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
            s.replace(at, from.size(), to);
}

// A rho doubled after an augment or prefix: errhyh/erhyh, epirriqantev/
// epiriqantev. Not inside a stem: purrov (red) is not purov (of fire).
void SingleRhoAfterPrefix(std::string& s)
{
    for (const std::string_view prefix : kRhoPrefixes) {
        if (s.size() > prefix.size() + 2 && s.starts_with(prefix) && s.compare(prefix.size(), 2, "rr") == 0) {
            s.erase(prefix.size(), 1);
            return;
        }
    }
}

// sun-, en- and palin- with their nasal as written before the next consonant:
// sumb/sunb, sugk/sunk, sull/sunl, surr/sunr, emp/enp, egk/enk, ell/enl.
void UnassimilatePrefix(std::string& s)
{
    const auto unassimilate = [&](std::string_view prefix) { // prefix without its nasal, e.g. "su"
        const size_t n = prefix.size();
        if (s.size() < n + 3 || s.compare(0, n, prefix) != 0)
            return false;
        const char nasal = s[n];
        const char next = s[n + 1];
        const bool labial = nasal == 'm' && (next == 'b' || next == 'p' || next == 'f' || next == 'c' || next == 'm');
        const bool velar = nasal == 'g' && (next == 'g' || next == 'k' || next == 'x');
        // en- before r keeps its nu; errhyh is a doubled rho, not a prefix
        const bool liquid = (nasal == 'l' || (nasal == 'r' && prefix == "su")) && next == nasal;
        if (!labial && !velar && !liquid)
            return false;
        s[n] = 'n';
        return true;
    };
    if (!unassimilate("su") && !unassimilate("e"))
        unassimilate("pali");
}

// Movable nu: drops it where the ending allows it.
void DropMovableNu(std::string& s)
{
    if (s.size() < 4 || s.back() != 'n')
        return;
    const std::string_view w = s;
    if (w == "estin") {
        s.pop_back();
        return;
    }
    const char before = w[w.size() - 3];
    const std::string_view ending = w.substr(w.size() - 2); // "in" or "en"
    if (ending == "in" && (before == 's' || before == 'x' || before == 'q')) {
        s.pop_back(); // -si(n): pasi, legousi, eikosi, dusi; -xi(n), -qi(n): sarxi
        return;
    }
    if (ending == "en" && before != 'i') { // -ei/-ein is verb and infinitive
        for (const std::string_view word : kNotMovable)
            if (w == word)
                return;
        s.pop_back(); // eipe(n), elabe(n), eide(n)
    }
}

} // namespace synopter::spelling
