#pragma once

#include "compare/spelling_groups.h"

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Spelling variants: two words that are the same word spelt two ways, which a
// printed apparatus leaves out. Words are in the transliteration
// (a b g d e z h y i k l m n x o p r s v t u f c q w = alpha ... omega, v the
// final sigma), lower case, as the editions hold them.
//
// Each word gets a key once; two different words are variants when their keys
// are equal. The key is the word's group (the lists of the groups in force and
// the user's spelling.txt, the first word of a group standing for all), then
// the rules of the groups in force, each applied only where it cannot join two
// different words (spelling_groups.h names them; the default set):
//
//   movable-nu    a final n dropped after the endings where it is movable:
//                 -si(n), -xi(n), -qi(n) (dative plurals, third persons:
//                 pasi/pasin, legousi/legousin, sarxi/sarxin, esti/estin,
//                 eikosi/eikosin) and -e(n) of verbs (eipe/eipen,
//                 elabe/elaben). Not -ei(n) (lalei "he speaks" / lalein "to
//                 speak"), not words of fewer than four letters (me/men), not
//                 ouden/oude, mhden/mhde, eiten/eite.
//   double-rho    after the augment or a prefix (e-, epi-, peri-, prose-,
//                 para-, apo-, dia-, kata-, ana-, upo-): errhyh/erhyh,
//                 epirriqantev/epiriqantev; not inside a stem (purrov "red" /
//                 purov "of fire").
//   final-sigma   outw/outwv, acri/acriv, mecri/mecriv (the words only).
//   assimilation  a prefix's nasal as written or assimilated: sun- before
//                 b p f c m (sumbainei/sunbainei), g k x (sugkalei/sunkalei),
//                 l (sullalei/sunlalei), r (surrhgnusi/sunrhgnusi); en- before
//                 b p f c m (empiplhmi/enpiplhmi), g k x (egkopto/enkopto),
//                 l (ellogeitai/enlogeitai); palin- before g k
//                 (paliggenesia/palingenesia).
//   elision       the elided forms of alla, apo, dia, epi, kata, meta, para,
//                 upo, anti, oude, mhde: all/alla, ef/epi, mey/meta (listed;
//                 uf/ef stay two words, upo and epi).
//   names         doubled or single consonants, ei / i and other spellings of
//                 a name, listed (iwannhv/iwanhv, dabid/dauid/daueid,
//                 mwushv/mwshv, samareia/samaria, leuiv/leueiv, ...).
//   listed-words  ei / i, the augment e / h and other spellings of listed
//                 words and stems (piein/pein, hdunato/edunato,
//                 tessarakonta/tesserakonta, lhmqetai/lhqetai, ...).
//
// and, off unless chosen, those of manuscripts (spelling_scribal.cpp):
//
//   itacism       ei/i and ai/e before the last syllable, h/i/u before the
//                 last two (the endings and the mood vowel stay apart:
//                 legei/legh, poieite/poihte), never in hmeiv/umeiv and the
//                 other listed stems (leipw/elipon, kainov/kenov, ...).
//   consonants    doubled and single consonants (not gg), except listed
//                 stems where they tell forms apart (ballw/balw, mellw/melw).
//   nasals        n before a labial or velar as written or assimilated
//                 anywhere but at the start: aggelov/angelov, pempw/penpw.
//   aspiration    ouk/ouc, ap/af, kat/kay, ep/ef, met/mey, up/uf, ant/any.
//   aorist        -an/-on, -amen/-omen, -ate/-ete, -av/-ev, -osan/-on of
//                 listed second aorists (eipan/eipon, exhlyan/exhlyon).
//   crasis        kagw/kaiegw (listed; not with two words "kai egw").
//   nomina-sacra  contractions left by the import: yv/yeov, kv/kuriov, ...
//
// Users add groups of their own in spelling.txt (ReadSpellingList).
namespace synopter {

class SpellingRules {
public:
    // The default groups' rules and lists only.
    SpellingRules() : SpellingRules(SpellingGroups::Default()) {}
    // Those of the groups given.
    explicit SpellingRules(SpellingGroups groups);

    SpellingRules(const SpellingRules& other) : groups_(other.groups_), group_(other.group_) {}
    SpellingRules& operator=(const SpellingRules& other)
    {
        groups_ = other.groups_;
        group_ = other.group_;
        const std::lock_guard lock(cacheMutex_);
        cache_.clear();
        return *this;
    }

    // Makes every word of `words` one word with the others (and with whatever
    // they already share a group with).
    void AddGroup(const std::vector<std::string>& words);

    // The word's key: equal keys, equal word up to spelling.
    std::string Key(std::string_view word) const;
    // The same, remembered per distinct word (a run asks for the same few
    // thousand words again and again): a view of the remembered key, valid
    // until AddGroup or assignment, or, once the memory is full, of `scratch`.
    // Safe from several threads.
    std::string_view CachedKey(std::string_view word, std::string& scratch) const;

    // True when the two words differ and are the same word spelt two ways.
    bool Variants(std::string_view a, std::string_view b) const { return a != b && Key(a) == Key(b); }

    SpellingGroups Groups() const { return groups_; }

    // The default groups' rules, made once.
    static const SpellingRules& BuiltIn();

private:
    std::string Find(const std::string& word) const; // the group's word, or the word itself
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    SpellingGroups groups_;
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> group_; // word -> group's word
    mutable std::mutex cacheMutex_;
    mutable std::unordered_map<std::string, std::string, Hash, std::equal_to<>> cache_; // word -> key
};

// A line of spelling.txt that could not be used, by number from 1.
struct SpellingProblem {
    int line = 0;
    std::string message;
};

struct SpellingList {
    SpellingRules rules;                   // the groups' rules plus the file's groups
    std::vector<SpellingProblem> problems; // lines left out; never fatal
};

// The user's list, spelling.txt in the user's folder (ProgramFolders::user).
constexpr std::string_view kSpellingFileName = "spelling.txt";

// Reads the text of a spelling list: one group of equivalent spellings per
// line, words separated by blanks or tabs, "#" to the end of the line a
// comment, blank lines ignored. A word is lower-case transliteration
// (a-z without j); a line with another character, or with fewer than two
// words, is left out and reported.
//   # names
//   babulwn baboulwn
//   bhysaida bhysaidan
SpellingList ReadSpellingList(std::string_view text, SpellingGroups groups = SpellingGroups::Default());

} // namespace synopter
