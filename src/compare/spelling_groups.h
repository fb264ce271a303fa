#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The spelling rules as named groups a scholar switches on and off. The
// default set is the rules Synopter always had (each joins only spellings of
// one word); the others follow the scribes of manuscripts (itacism, doubled
// consonants, ...) and are off unless chosen, since a broader rule risks
// joining two forms an apparatus counts as readings.
namespace synopter {

enum class SpellingGroup : uint8_t {
    // on by default
    MovableNu,    // eipe/eipen, pasi/pasin
    DoubleRho,    // errhyh/erhyh after an augment or prefix
    FinalSigma,   // outw/outwv, acri/acriv, mecri/mecriv
    Assimilation, // a prefix's nasal: sumbainei/sunbainei, egkoptw/enkoptw
    Elision,      // all/alla, ef/epi
    Names,        // dabid/dauid, iwannhv/iwanhv, samareia/samaria
    ListedWords,  // listed words: piein/pein, hdunato/edunato, tessarakonta/tesserakonta
    // off by default
    Itacism,      // ei/i, ai/e; h/i/u before the last syllable
    Consonants,   // doubled and single consonants
    Nasals,       // a nasal as written or assimilated anywhere in a word: aggelov/angelov
    Aspiration,   // ouk/ouc, ap/af, kat/kay ...
    Aorist,       // eipon/eipan, hlyomen/hlyamen on listed second aorist stems
    Crasis,       // kagw/kaiegw: the crasis and the two words written as one
    NominaSacra,  // yv/yeov, kv/kuriov: contracted sacred names
};

inline constexpr int kSpellingGroupCount = 14;

struct SpellingGroupInfo {
    SpellingGroup group;
    std::string_view name; // for the command line and the settings: "movable-nu"
    std::string_view text; // what it joins, for --help and the window's English text
    bool byDefault;
};

// Every group, in the order above.
std::span<const SpellingGroupInfo> SpellingGroupList();

// A set of groups.
class SpellingGroups {
public:
    constexpr SpellingGroups() = default;
    static SpellingGroups Default();
    static SpellingGroups All();

    bool Has(SpellingGroup g) const { return (bits_ >> Bit(g)) & 1u; }
    SpellingGroups& Add(SpellingGroup g)
    {
        bits_ |= 1u << Bit(g);
        return *this;
    }
    SpellingGroups& Remove(SpellingGroup g)
    {
        bits_ &= ~(1u << Bit(g));
        return *this;
    }
    bool operator==(const SpellingGroups&) const = default;

    // The groups' names joined by commas, in the list's order ("" for none).
    std::string Names() const;

private:
    static unsigned Bit(SpellingGroup g) { return static_cast<unsigned>(g); }
    uint32_t bits_ = 0;
};

// A comma-separated list of group names as the tools and the settings give it:
// the groups named are those in force; "default", "all" and "none" stand for
// those sets, "-name" takes a group out again, and a list that begins with
// "-name" starts from the default set ("-elision": the default without
// elision). Blanks around names are allowed.
struct SpellingGroupsParsed {
    SpellingGroups groups;
    std::string problem; // empty when every name was known
};
SpellingGroupsParsed ParseSpellingGroups(std::string_view list);

// The known names, for a message: "movable-nu, double-rho, ...".
std::string SpellingGroupNames();

} // namespace synopter
