#include "compare/spelling_lists.h"

#include <array>

// The groups that follow the scribes: broader than a list, so each keeps out
// the places where two real forms would meet. Their exceptions were found by
// making the keys of every word of the five sample editions and reading the
// words that came together (bench/spelling_bench --joined lists them).
namespace synopter::spelling {

namespace {

bool IsVowel(char c)
{
    return c == 'a' || c == 'e' || c == 'h' || c == 'i' || c == 'o' || c == 'u' || c == 'w';
}

// Whether the word holds one of `stems`; "^stem" only at its start.
bool HoldsAny(std::string_view word, std::span<const std::string_view> stems)
{
    for (const std::string_view stem : stems) {
        if (stem.front() == '^' ? word.starts_with(stem.substr(1)) : word.find(stem) != std::string_view::npos)
            return true;
    }
    return false;
}

// Second aorists whose endings the Koine wrote with alpha: eipon/eipan,
// hlyomen/hlyamen (and compounds: exhlyon/exhlyan). Only these stems: on
// others -on/-an and -ete/-ate are different forms.
constexpr std::string_view kAoristStems[] = {"eip", "hly", "eid", "epes", "ebal", "elab", "eur", "efag", "efug", "eil"};
// The alpha ending and the classical one; -osan (elabosan) is third plural too.
constexpr std::pair<std::string_view, std::string_view> kAoristEndings[] = {
    {"osan", "on"}, {"amen", "omen"}, {"ate", "ete"}, {"an", "on"}, {"av", "ev"},
};

// Doubled consonants that tell two words or forms apart: present and aorist or
// future (ballw/balw, apostellw/apostelw, apoktennei/apoktenei), mellw/melw,
// gennaw/ginomai (egennhyh/egenhyh), alla/ala, purrov/purov, nossouv/nosouv,
// Anna/ana, Carran/caran, Apollws/apolw.
constexpr std::string_view kDoubledApart[] = {"ball", "tell", "aggell", "mell", "ktenn", "genn",   "purr",
                                              "noss", "^all", "^ann",  "carr", "apoll"};

// Words where ei/i, ai/e or h/i/u tell two words or forms apart: the pronouns
// hmeiv/umeiv; leipw/elipon (present, aorist); idein/eidenai (see, know),
// epeiden/epide (indicative, imperative); eite/eiten (whose nu is no movable one);
// airw/erw, aitew, kainov/kenov, aima, paiw/paiv/pedion, mainomai/menw,
// etairov/eterov, peiyw/punyanomai, carhsomai/carisomai, klhma/klima,
// kayhmai/kayizw, eilato/hlato.
constexpr std::string_view kVowelsApart[] = {"^hm",  "^um",  "leip",  "^id",  "eid",  "^eit", "^air", "^ait", "aim",
                                             "pai",  "kain", "main",  "etair", "peiy", "carh", "klhm", "kayh", "eilat"};

} // namespace

void ClassicalAorist(std::string& s)
{
    for (const auto& [alpha, classical] : kAoristEndings) {
        if (!s.ends_with(alpha))
            continue;
        const std::string_view stem = std::string_view(s).substr(0, s.size() - alpha.size());
        for (const std::string_view aorist : kAoristStems) {
            if (stem.ends_with(aorist)) {
                s.replace(stem.size(), alpha.size(), classical);
                return;
            }
        }
        return; // one ending only: -amen is not also -an
    }
}

void SingleConsonants(std::string& s)
{
    if (HoldsAny(s, kDoubledApart))
        return;
    size_t out = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        // gg is a nasal and a gamma, not a doubled letter.
        if (out > 0 && s[out - 1] == c && !IsVowel(c) && c != 'g')
            continue;
        s[out++] = c;
    }
    s.resize(out);
}

void UnassimilateNasals(std::string& s)
{
    // After the first letter: a word's own initial mu or gamma is no nasal of a prefix.
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        const char next = s[i + 1];
        const bool labial = s[i] == 'm' && (next == 'b' || next == 'p' || next == 'f' || next == 'q');
        const bool velar = s[i] == 'g' && (next == 'g' || next == 'k' || next == 'x' || next == 'c');
        if (labial || velar)
            s[i] = 'n';
    }
}

void Deitacize(std::string& s)
{
    if (HoldsAny(s, kVowelsApart))
        return;
    // Where the syllables start, by their vowels: the last syllable holds the
    // endings of case, person and mood, the one before it the mood vowel of
    // -hte/-eite and -wmen/-omen, so h/i/u change only before both, and
    // ei/i, ai/e before the last.
    std::array<size_t, 2> last{s.size(), s.size()}; // starts of the last two vowel groups
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsVowel(s[i]) && (i == 0 || !IsVowel(s[i - 1]))) {
            last[1] = last[0];
            last[0] = i;
        }
    }
    if (last[0] == s.size())
        return;
    const size_t stemEnd = last[1] == s.size() ? 0 : last[1];
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < last[0]; ++i) {
        const char c = s[i];
        const char next = i + 1 < last[0] ? s[i + 1] : '\0';
        if ((c == 'e' || c == 'a') && next == 'i') {
            out += c == 'e' ? 'i' : 'e'; // ei -> i, ai -> e
            ++i;
        } else if (i < stemEnd && (c == 'h' || (c == 'u' && (i == 0 || !IsVowel(s[i - 1]))))) {
            out += 'i'; // h, u (not the u of ou, au, eu, hu) -> i
        } else {
            out += c;
        }
    }
    out.append(s, last[0]);
    s = std::move(out);
}

} // namespace synopter::spelling
