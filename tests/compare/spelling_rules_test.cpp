#include "compare/spelling_rules.h"

#include "compare/comparison_run.h"
#include "compare/sample_editions.h"
#include "editions/edition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace synopter {
namespace {

TEST(SpellingRulesTest, VariantsAndNot)
{
    struct Case {
        const char* a;
        const char* b;
        bool variants;
    };
    const Case cases[] = {
        // movable nu
        {"eipe", "eipen", true},
        {"pasi", "pasin", true},
        {"legousi", "legousin", true},
        {"esti", "estin", true},
        {"eikosi", "eikosin", true},
        {"sarxi", "sarxin", true},
        {"lalei", "lalein", false}, // he speaks / to speak
        {"legei", "legein", false},
        {"oude", "ouden", false},
        {"mhde", "mhden", false},
        {"eite", "eiten", false}, // whether / then
        {"me", "men", false},
        {"to", "ton", false},
        {"auto", "auton", false},
        {"th", "thn", false},
        // final sigma
        {"outw", "outwv", true},
        {"acri", "acriv", true},
        {"mecri", "mecriv", true},
        {"o", "ov", false},
        {"auth", "authv", false},
        // compounds
        {"sullalountev", "sunlalountev", true},
        {"sumbainei", "sunbainei", true},
        {"summartureil", "sunmartureil", true},
        {"sugkalei", "sunkalei", true},
        {"empiplhmi", "enpiplhmi", true},
        {"egkoptw", "enkoptw", true},
        {"ellogeitai", "enlogeitai", true},
        {"paliggenesia", "palingenesia", true},
        // doubled letters: names and listed words only
        {"iwannhv", "iwanhv", true},
        {"iwannou", "iwanou", true},
        {"krabbaton", "krabatton", true},
        {"ennathn", "enathn", true},
        {"errhyh", "erhyh", true},
        {"epirriqantev", "epiriqantev", true},
        {"purrov", "purov", false}, // red / of fire
        {"ballh", "balh", false},        // present / aorist
        {"emellen", "emelen", false},    // mellw / melei
        {"apostellei", "apostelei", false},
        // ei / i
        {"samareia", "samaria", true},
        {"kaisareiav", "kaisariav", true},
        {"beniamein", "beniamin", true},
        {"pein", "piein", true},
        {"ereiv", "eriv", false},
        {"katelipen", "kateleipen", false}, // aorist / imperfect
        {"ereunhson", "eraunhson", true},
        {"exhreunhsan", "exhraunhsan", true},
        {"eisthkeisan", "isthkeisan", true},
        // elision
        {"all", "alla", true},
        {"mey", "meta", true},
        {"ef", "epi", true},
        {"uf", "ef", false}, // upo / epi
        {"par", "ap", false},
        // names and listed words
        {"dabid", "dauid", true},
        {"dauid", "daueid", true},
        {"mwushv", "mwshv", true},
        {"mwusewv", "mwsewv", true},
        {"tessarakonta", "tesserakonta", true},
        {"lhmqetai", "lhqetai", true},
        {"anelhmfyh", "anelhfyh", true},
        {"nazaret", "nazarey", true},
        {"hdunato", "edunato", true},
        {"ouyen", "ouden", true},
        {"iwshf", "iwshv", false}, // Joseph / Joses
        {"asa", "asaf", false},
        {"amwn", "amwv", false},
        {"eipan", "eipon", false},
        {"euyewv", "euyuv", false},
        {"mariam", "maria", false},
        {"solomwn", "solomwna", false},
        {"kai", "kai", false}, // the same word is no variant
    };
    const SpellingRules& rules = SpellingRules::BuiltIn();
    for (const Case& c : cases) {
        EXPECT_EQ(rules.Variants(c.a, c.b), c.variants) << c.a << " / " << c.b;
        EXPECT_EQ(rules.Variants(c.b, c.a), c.variants) << c.b << " / " << c.a;
    }
}

TEST(SpellingRulesTest, UsersList)
{
    const SpellingList list = ReadSpellingList("# names\n"
                                               "iwshf iwshv   iwsh # Joseph\n"
                                               "\n"
                                               "kapernaoum\n"
                                               "Iwshf iwshfa\n"
                                               "abc d\xE9\r\n"
                                               "\tmariam maria\r\n"
                                               "maria mariav");
    ASSERT_EQ(list.problems.size(), 3u);
    EXPECT_EQ(list.problems[0].line, 4); // a single word
    EXPECT_EQ(list.problems[1].line, 5); // upper case
    EXPECT_EQ(list.problems[2].line, 6); // not a letter of the transliteration
    EXPECT_TRUE(list.rules.Variants("iwshf", "iwsh"));
    EXPECT_TRUE(list.rules.Variants("iwshv", "iwsh"));
    EXPECT_FALSE(list.rules.Variants("iwshf", "iwshfa"));
    EXPECT_TRUE(list.rules.Variants("mariam", "mariav")); // groups sharing a word join
    EXPECT_TRUE(list.rules.Variants("dabid", "dauid"));   // the built-in rules stay
    EXPECT_FALSE(SpellingRules::BuiltIn().Variants("iwshf", "iwsh"));
}

std::string Masks(const MatchMask& mask, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += static_cast<char>('0' + (i < mask.size() ? mask[i] : 0));
    return text;
}

class Recorder : public RunOutput {
public:
    void Chapter(const std::string&) override { order += 'C'; }
    void FoundCount(int) override {}
    void VersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                   const MatchMask& leftMask) override
    {
        order += 'P';
        pairs.push_back(Masks(rightMask, right.size()) + " " + Masks(leftMask, left.size()));
    }
    bool Progress(int) override { return true; }
    void SpellingOnlyCount(int n) override { spellingOnly.push_back(n); }
    void SpellingOnlyPair(std::string_view right, std::string_view left, const MatchMask& rightMask,
                          const MatchMask& leftMask, const PairGaps&) override
    {
        order += 'S';
        spelt.push_back(Masks(rightMask, right.size()) + " " + Masks(leftMask, left.size()));
    }

    std::vector<std::string> pairs;
    std::vector<int> spellingOnly;
    std::vector<std::string> spelt; // the spelling-only pairs shown
    std::string order;              // C chapter, P pair, S spelling-only pair
};

TEST(SpellingRulesTest, ThreeStates)
{
    // right: "outwv eipen" against left "outw eipe": spelling only;
    // right: "dauid hlyen" against left "dabid hlyon": one real difference.
    // Only Mark shows the spelling-only pair, green, headed like a found one
    // (a line without a leading blank is a chapter label of its own here).
    const std::vector<std::string> left = {"outw eipe", "dabid hlyon", "kai"};
    const std::vector<std::string> right = {"outwv eipen", "dauid hlyen", "kai"};
    struct Case {
        SpellingMode mode;
        std::vector<std::string> pairs;
        int spellingOnly;
        std::vector<int> calls;
        std::vector<std::string> spelt;
        std::string order;
    };
    const Case cases[] = {
        {SpellingMode::Count, {"00000100000 000010000", "00000100000 00000100000"}, 0, {}, {}, "CPCP"},
        {SpellingMode::Mark, {"22222100000 22222100000"}, 1, {1, 1}, {"22222122222 222212222"}, "CSCP"},
        {SpellingMode::Ignore, {"11111100000 11111100000"}, 1, {}, {}, "CP"},
    };
    for (const Case& c : cases) {
        Recorder recorder;
        RunOptions options{1, false, c.mode};
        const RunSummary summary = ComparisonRun(left, right, options, recorder);
        EXPECT_EQ(recorder.pairs, c.pairs) << static_cast<int>(c.mode);
        EXPECT_EQ(summary.found, static_cast<int>(c.pairs.size()));
        EXPECT_EQ(summary.spellingOnly, c.spellingOnly);
        EXPECT_EQ(recorder.spellingOnly, c.calls);
        EXPECT_EQ(recorder.spelt, c.spelt) << static_cast<int>(c.mode);
        EXPECT_EQ(recorder.order, c.order) << static_cast<int>(c.mode);
    }

    // At threshold 6 only spelling reaches it: "hlyen" has 5 letters, "outwv eipen" 10.
    Recorder recorder;
    EXPECT_EQ(ComparisonRun(left, right, {5, false, SpellingMode::Mark}, recorder).found, 1);
    EXPECT_EQ(ComparisonRun(left, right, {6, false, SpellingMode::Mark}, recorder).found, 0);
    EXPECT_EQ(ComparisonRun(left, right, {6, false, SpellingMode::Count}, recorder).found, 2);
}

// Count is the run as it was: every pair Mark reports, Count reports with the
// same masks where 2 reads 0, and the pairs Mark leaves out are its spelling-only ones.
TEST(SpellingRulesTest, CountUnchangedOnRealEditions)
{
    const auto leftText = test::SampleEdition("Scrivener1894");
    const auto rightText = test::SampleEdition("Byzantine2018");
    if (!leftText || !rightText)
        GTEST_SKIP() << "no sample editions";
    const std::vector<std::string>& left = *leftText;
    const std::vector<std::string>& right = *rightText;

    Recorder plain, count, mark;
    const RunSummary p = ComparisonRun(left, right, {1, false}, plain);
    const RunSummary c = ComparisonRun(left, right, {1, false, SpellingMode::Count, &SpellingRules::BuiltIn()}, count);
    const RunSummary m = ComparisonRun(left, right, {1, false, SpellingMode::Mark}, mark);
    EXPECT_EQ(count.pairs, plain.pairs);
    EXPECT_EQ(c.found, p.found);
    EXPECT_GT(m.spellingOnly, 100);
    EXPECT_EQ(m.found + m.spellingOnly, c.found);
    EXPECT_EQ(mark.spelt.size(), size_t(m.spellingOnly));
    EXPECT_TRUE(count.spelt.empty());
    size_t at = 0;
    for (std::string pair : mark.pairs) {
        std::replace(pair.begin(), pair.end(), '2', '0');
        while (at < count.pairs.size() && count.pairs[at] != pair)
            ++at;
        ASSERT_LT(at, count.pairs.size()) << pair;
    }
}

} // namespace
} // namespace synopter

namespace synopter {
namespace {

// Each group with the default ones: spellings it joins, and the grammatical
// pairs and different words near them that must stay apart, under that group
// and under all groups together.
TEST(SpellingGroupsTest, EachGroupJoinsItsSpellingsOnly)
{
    using G = SpellingGroup;
    struct Case {
        G group;
        const char* a;
        const char* b;
        bool variants;
    };
    const Case cases[] = {
        {G::Itacism, "eirhnh", "irhnh", true},
        {G::Itacism, "krinete", "kreinete", true},
        {G::Itacism, "kraipalh", "krepalh", true},
        {G::Itacism, "gumnhteuomen", "gumniteuomen", true},
        {G::Itacism, "hmeiv", "umeiv", false},
        {G::Itacism, "hmwn", "umwn", false},
        {G::Itacism, "hmin", "umin", false},
        {G::Itacism, "hmav", "umav", false},
        {G::Itacism, "legei", "legh", false},     // indicative / subjunctive
        {G::Itacism, "poieite", "poihte", false}, // the mood vowel before the last syllable
        {G::Itacism, "legein", "leghn", false},
        {G::Itacism, "poleiv", "poliv", false}, // number
        {G::Itacism, "autoiv", "autuiv", false},
        {G::Itacism, "ercesye", "ercesyai", false},
        {G::Itacism, "kateleipen", "katelipen", false}, // imperfect / aorist
        {G::Itacism, "kainon", "kenon", false},
        {G::Itacism, "airei", "erei", false},
        {G::Itacism, "ide", "eide", false},
        {G::Itacism, "epeiden", "epide", false},
        {G::Itacism, "eite", "eiten", false},
        {G::Itacism, "cristov", "crhstov", false},
        {G::Itacism, "hdh", "idh", false},
        {G::Consonants, "ekcunnomenon", "ekcunomenon", true},
        {G::Consonants, "emasswnto", "emaswnto", true},
        {G::Consonants, "ballw", "balw", false}, // present / aorist
        {G::Consonants, "apostellei", "apostelei", false},
        {G::Consonants, "mellei", "melei", false},
        {G::Consonants, "egennhyh", "egenhyh", false},
        {G::Consonants, "alla", "ala", false},
        {G::Consonants, "nossouv", "nosouv", false},
        {G::Consonants, "aggelov", "agelov", false}, // gg is no doubled letter
        {G::Nasals, "aggelov", "angelov", true},
        {G::Nasals, "elegcw", "elencw", true},
        {G::Nasals, "lambanei", "lanbanei", true},
        {G::Nasals, "sugcairei", "suncairei", true},
        {G::Aspiration, "ouk", "ouc", true},
        {G::Aspiration, "ou", "ouk", false}, // ou is also "where"
        {G::Aorist, "eipon", "eipan", true},
        {G::Aorist, "exhlyon", "exhlyan", true},
        {G::Aorist, "eipomen", "eipamen", true},
        {G::Aorist, "elabon", "elabosan", true},
        {G::Aorist, "eipen", "eipan", false},
        {G::Aorist, "legomen", "legamen", false},
        {G::Crasis, "kagw", "kaiegw", true},
        {G::Crasis, "kagw", "egw", false},
        {G::NominaSacra, "yv", "yeov", true},
        {G::NominaSacra, "kn", "kurion", true},
        {G::NominaSacra, "yv", "yeou", false},
        {G::NominaSacra, "kw", "kuriw", false}, // Cos
        {G::Names, "dabid", "dauid", true},
        {G::Elision, "mey", "meta", true},
        {G::Itacism, "autou", "autw", false},
    };
    const SpellingRules all(SpellingGroups::All());
    for (const Case& c : cases) {
        const SpellingRules rules(SpellingGroups::Default().Add(c.group));
        EXPECT_EQ(rules.Variants(c.a, c.b), c.variants) << c.a << " / " << c.b;
        if (!c.variants) {
            EXPECT_FALSE(all.Variants(c.a, c.b)) << c.a << " / " << c.b << " under all groups";
        } else if (!SpellingGroups::Default().Has(c.group)) {
            EXPECT_FALSE(SpellingRules::BuiltIn().Variants(c.a, c.b)) << c.a << " / " << c.b << " by default";
        }
    }
    // Without a group its words stay apart.
    EXPECT_FALSE(SpellingRules(SpellingGroups::Default().Remove(G::Names)).Variants("dabid", "dauid"));
    EXPECT_FALSE(SpellingRules(SpellingGroups::Default().Remove(G::MovableNu)).Variants("eipe", "eipen"));
}

TEST(SpellingGroupsTest, Lists)
{
    struct Case {
        const char* list;
        const char* groups; // Names(), or the start of the problem
    };
    const std::string byDefault = "movable-nu,double-rho,final-sigma,assimilation,elision,names,listed-words";
    const Case cases[] = {
        {"default", byDefault.c_str()},
        {"itacism, consonants", "itacism,consonants"},
        {"-elision", "movable-nu,double-rho,final-sigma,assimilation,names,listed-words"},
        {"default,nasals,-names", "movable-nu,double-rho,final-sigma,assimilation,elision,listed-words,nasals"},
        {"all,-crasis,-default", "itacism,consonants,nasals,aspiration,aorist,nomina-sacra"},
        {"none", ""},
        {"names,sloppy", "unknown spelling rule group \"sloppy\" (use default, all, none or movable-nu, "},
    };
    for (const Case& c : cases) {
        const SpellingGroupsParsed parsed = ParseSpellingGroups(c.list);
        const std::string got = parsed.problem.empty() ? parsed.groups.Names() : parsed.problem;
        EXPECT_TRUE(parsed.problem.empty() ? got == c.groups : got.starts_with(c.groups)) << c.list << ": " << got;
    }
    // The default set is the rules as they always were.
    EXPECT_EQ(SpellingRules::BuiltIn().Groups(), SpellingGroups::Default());
    EXPECT_EQ(ReadSpellingList("").rules.Groups(), SpellingGroups::Default());
    EXPECT_TRUE(ReadSpellingList("kai ouk", SpellingGroups::All()).rules.Variants("kai", "ouk"));
}

} // namespace
} // namespace synopter
