#include "compare/spelling_rules.h"

#include "editions/edition_check.h"
#include "editions/edition_lines.h"

#include <array>
#include <utility>

namespace synopter {

namespace {

// Words spelt more than one way that no rule below covers, one group a line.
// Only spellings of one word: grammatical forms (eipan/eipon, poihsomen/
// poihswmen), other words (euyewv/euyuv, nun/nuni) and names that are
// different persons (iwshf/iwshv, asa/asaf, amwn/amwv) stay out.
constexpr std::string_view kVariantGroups[] = {
    // names
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
    // ei / i and y / d in words
    "piein pein",
    "ouden ouyen",
    "oudenov ouyenov",
    "oudeni ouyeni",
    "mhden mhyen",
    "mhdenov mhyenov",
    "mhdeni mhyeni",
    "eneka eneken eineken",
    // elision: a final vowel dropped before a vowel, the consonant before a
    // rough breathing aspirated (the elided forms are no other word)
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
    // final sigma
    "outw outwv",
    "acri acriv",
    "mecri mecriv",
};

// Stems written two ways: a word starting with the first is the word starting
// with the second. Each stem belongs to one word family only.
constexpr std::pair<std::string_view, std::string_view> kStemPairs[] = {
    {"mwus", "mws"},             // mwushv/mwshv, mwusewv/mwsewv
    {"iwann", "iwan"},           // iwannhv/iwanhv, iwanna/iwana
    {"mayy", "maty"},            // mayyaiov/matyaiov, mayyiav/matyiav
    {"tessarak", "tesserak"},    // tessarakonta/tesserakonta
    {"tetraarc", "tetrarc"},     // tetraarchv/tetrarchv
    {"krabbat", "krabat"},       // krabbatov/krabattov/krabatov
    {"krabatt", "krabat"},
    {"ballanti", "balanti"},     // ballantion/balantion
    {"ennat", "enat"},           // ennath/enath (ninth)
    {"enneo", "eneo"},           // enneoi/eneoi (speechless)
    {"sfurid", "spurid"},        // sfuridav/spuridav
    {"kaisarei", "kaisari"},     // kaisareia/kaisaria
    {"samarei", "samari"},       // samareia/samaria, samareitai/samaritai
    {"danei", "dani"},           // daneizw/danizw, daneion/danion
    {"orein", "orin"},           // oreinh/orinh
    {"oikeiak", "oikiak"},       // oikeiakoi/oikiakoi
    {"eparcei", "eparci"},       // eparceia/eparcia
    {"kolwnei", "kolwni"},       // kolwneia/kolwnia
    {"eidwlolatrei", "eidwlolatri"},
    {"eyeloyrhskei", "eyeloyrhski"},
    {"ofyalmodoulei", "ofyalmodouli"},
    {"praot", "praut"},          // praothv/prauthv
    {"nhfale", "nhfali"},        // nhfaleouv/nhfaliouv
    {"mammwn", "mamwn"},         // mammwnav/mamwnav
    {"eisthk", "isthk"},         // eisthkei/isthkei (pluperfect augment)
    {"crewfeil", "creofeil"},    // crewfeiletwn/creofeiletwn
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

bool IsWordLetter(char c) { return c >= 'a' && c <= 'z' && c != 'j'; }

void ReplaceAll(std::string& s, std::string_view from, std::string_view to)
{
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
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

} // namespace

SpellingRules::SpellingRules()
{
    std::vector<std::string> words;
    for (const std::string_view line : kVariantGroups) {
        words.clear();
        for (const std::string_view word : SplitWords(line))
            words.emplace_back(word);
        AddGroup(words);
    }
}

std::string SpellingRules::Find(const std::string& word) const
{
    std::string at = word;
    // Groups are joined by pointing one group's word at another's: follow to the end.
    for (auto it = group_.find(at); it != group_.end() && it->second != at; it = group_.find(at))
        at = it->second;
    return at;
}

void SpellingRules::AddGroup(const std::vector<std::string>& words)
{
    if (words.empty())
        return;
    {
        const std::lock_guard lock(cacheMutex_);
        cache_.clear();
    }
    const std::string root = Find(words.front());
    group_.try_emplace(root, root);
    for (const std::string& word : words) {
        const std::string other = Find(word);
        if (other != root)
            group_[other] = root;
        group_.try_emplace(word, root);
    }
}

std::string SpellingRules::Key(std::string_view word) const
{
    std::string s;
    if (const auto it = group_.find(word); it != group_.end())
        s = Find(it->second);
    else
        s = word;
    for (const auto& [from, to] : kStemPairs) {
        if (s.starts_with(from)) {
            s.replace(0, from.size(), to);
            break;
        }
    }
    for (const auto& [from, to] : kInnerPairs)
        ReplaceAll(s, from, to);
    UnassimilatePrefix(s);
    // A rho doubled after an augment or prefix: errhyh/erhyh, epirriqantev/
    // epiriqantev. Not inside a stem: purrov (red) is not purov (of fire).
    for (const std::string_view prefix : kRhoPrefixes) {
        if (s.size() > prefix.size() + 2 && s.starts_with(prefix) && s.compare(prefix.size(), 2, "rr") == 0) {
            s.erase(prefix.size(), 1);
            break;
        }
    }
    DropMovableNu(s);
    return s;
}

std::string_view SpellingRules::CachedKey(std::string_view word, std::string& scratch) const
{
    // Bounded, so that a text of endless distinct words cannot fill memory.
    constexpr size_t kMaxCached = size_t{1} << 18;
    const std::lock_guard lock(cacheMutex_);
    if (const auto it = cache_.find(word); it != cache_.end())
        return it->second;
    if (cache_.size() >= kMaxCached) {
        scratch = Key(word);
        return scratch;
    }
    // Map nodes stay put as the map grows, so the view stays valid.
    return cache_.emplace(word, Key(word)).first->second;
}

const SpellingRules& SpellingRules::BuiltIn()
{
    static const SpellingRules rules;
    return rules;
}

namespace {

// A word as a message may show it: control bytes (a NUL above all, which
// would end the message) as \xNN, other bytes as UTF-8 read as Latin-1 when
// they are no UTF-8.
std::string Shown(std::string_view word)
{
    std::string out;
    for (const char c : ToUtf8(word)) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '\\') {
            constexpr char kHex[] = "0123456789abcdef";
            out += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

SpellingList ReadSpellingList(std::string_view text)
{
    SpellingList list;
    int number = 0;
    std::vector<std::string> words;
    while (!text.empty()) {
        ++number;
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (const size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        words.clear();
        std::string bad;
        size_t i = 0;
        while (i < line.size()) {
            const char c = line[i];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r')
                ++end;
            const std::string_view word = line.substr(i, end - i);
            for (const char ch : word)
                if (!IsWordLetter(ch) && bad.empty())
                    bad = std::string(word);
            words.emplace_back(word);
            i = end;
        }
        if (!bad.empty()) {
            list.problems.push_back({number, "\"" + Shown(bad) + "\" is not a word in lower-case transliteration"});
        } else if (words.size() == 1) {
            list.problems.push_back({number, "a single word: a group needs two or more"});
        } else if (!words.empty()) {
            list.rules.AddGroup(words);
        }
    }
    return list;
}

} // namespace synopter
