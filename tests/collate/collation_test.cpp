#include "collate/collation.h"

#include "collate/edition_set.h"
#include "common/temp_folder.h"
#include "editions/lacunae.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace synopter;
using namespace synopter::collate;

namespace {

// "[first,last) base = agreeing ; reading editions kind ; ..." per unit, " | " between units.
std::string Describe(const std::vector<Unit>& units)
{
    std::string out;
    for (const Unit& unit : units) {
        if (!out.empty())
            out += " | ";
        out += "[" + std::to_string(unit.first) + "," + std::to_string(unit.last) + ") " + unit.base + " =";
        for (const int e : unit.agree)
            out += " " + std::to_string(e);
        for (const Reading& reading : unit.readings) {
            out += " ; " + reading.text + " ";
            for (const int e : reading.editions)
                out += std::to_string(e);
            out += " " + std::string(KindName(reading.kind));
        }
    }
    return out;
}

struct Case {
    const char* name;
    std::vector<std::string_view> verses; // edition 0 is the base
    std::string expected;
    SpellingMode spelling = SpellingMode::Count;
    bool exact = false;
};

} // namespace

TEST(CollationTest, VariationUnits)
{
    const Case cases[] = {
        {"substitution", {"a b c", "a x c"}, "[1,2) b = 0 ; x 1 substitution"},
        {"omission", {"a b c", "a c"}, "[1,2) b = 0 ;  1 omission"},
        {"addition", {"a b c", "a b x c"}, "[2,2)  = 0 ; x 1 addition"},
        {"addition at the end", {"a b", "a b x y"}, "[2,2)  = 0 ; x y 1 addition"},
        {"transposition", {"a b c d", "a c b d"}, "[1,3) b c = 0 ; c b 1 transposition"},
        {"moved further", {"o de ihsouv eipen autw", "eipen de autw o ihsouv"},
         "[0,5) o de ihsouv eipen autw = 0 ; eipen de autw o ihsouv 1 transposition"},
        {"two transpositions stay two", {"a b c d e f", "b a c d f e"},
         "[0,2) a b = 0 ; b a 1 transposition | [4,6) e f = 0 ; f e 1 transposition"},
        {"moved with other changes", {"oti o ean ti ekastov poihsh", "oti ekastov ean ti poihsh"},
         "[1,5) o ean ti ekastov = 0 ; ekastov ean ti 1 substitution"},
        {"exact positions: moved words are an omission and an addition", {"a b c d", "a c b d"},
         "[1,2) b = 0 ;  1 omission | [3,3)  = 0 ; b 1 addition", SpellingMode::Count, true},
        {"editions agreeing in pairs", {"a b c", "a x c", "a y c", "a x c", "a b c"},
         "[1,2) b = 0 4 ; x 13 substitution ; y 2 substitution"},
        {"overlapping stretches are one unit", {"a b c d", "a c d", "a x d"},
         "[1,3) b c = 0 ; c 1 substitution ; x 2 substitution"},
        {"an addition at a unit's edge stands alone", {"a b c", "a x b c", "a y c"},
         "[1,1)  = 0 2 ; x 1 addition | [1,2) b = 0 1 ; y 2 substitution"},
        {"absent verse first, its editions left out of the rest", {"a b c", "", "a x c"},
         "[0,3) a b c = 0 2 ;  1 absent | [1,2) b = 0 ; x 2 substitution"},
        {"a verse the base lacks", {"", "a b", ""}, "[0,0)  = 0 2 ; a b 1 addition"},
        {"all agree", {"a b c", "a b c", "a b c"}, ""},
        {"spelling counted", {"outwv eipen", "outw eipe"}, "[0,2) outwv eipen = 0 ; outw eipe 1 substitution"},
        {"spelling marked", {"outwv eipen kai", "outw eipe kai", "outwv eipen"},
         "[0,2) outwv eipen = 0 2 ; outw eipe 1 spelling | [2,3) kai = 0 1 ;  2 omission", SpellingMode::Mark},
        {"spelling ignored", {"outwv eipen kai", "outw eipe kai", "outwv eipen"},
         "[2,3) kai = 0 1 ;  2 omission", SpellingMode::Ignore},
        {"spelling ignored inside a real unit", {"a dabid b", "a dauid b", "a x b"},
         "[1,2) dabid = 0 1 ; x 2 substitution", SpellingMode::Ignore},
        {"word division marked", {"dia ti ouk", "diati ouk"}, "[0,2) dia ti = 0 ; diati 1 spelling",
         SpellingMode::Mark},
        {"word division ignored", {"dia ti ouk", "diati ouk", "dia ti ou"}, "[2,3) ouk = 0 1 ; ou 2 substitution",
         SpellingMode::Ignore},
        {"word division inside a real unit, ignored", {"a dia ti b", "a diati b", "a b"},
         "[1,3) dia ti = 0 1 ;  2 omission", SpellingMode::Ignore},
        {"repeated words", {"kai a kai b kai", "kai a b kai"}, "[2,3) kai = 0 ;  1 omission"},
    };
    for (const Case& c : cases) {
        Options options;
        options.spelling = c.spelling;
        options.exactPositions = c.exact;
        EXPECT_EQ(Describe(CollateVerse(c.verses, options)), c.expected) << c.name;
    }

    // Another base: the units are read against it.
    const std::vector<std::string_view> verses = {"a b c", "a x c"};
    Options second;
    second.base = 1;
    EXPECT_EQ(Describe(CollateVerse(verses, second)), "[1,2) x = 1 ; b 0 substitution");
}

// Lost text: a lacunose witness is never an omission nor in agree, a remnant
// only where its lost part falls, and lacunae alone make no unit.
TEST(CollationTest, LacunaeAreNeitherReadingsNorAgreement)
{
    const struct {
        const char* name;
        std::vector<std::string_view> verses; // edition 0 is the base
        std::vector<int> lost;                  // editions whose verse is lost
        std::vector<std::pair<int, std::vector<uint16_t>>> gaps; // remnants
        std::string expected;
    } cases[] = {
        {"a lost verse, lacunose in each unit", {"a b c d", "a x c y", ""}, {2}, {},
         "[1,2) b = 0 ; x 1 substitution ;  2 lacuna | [3,4) d = 0 ; y 1 substitution ;  2 lacuna"},
        {"a lost verse with words left in the file", {"a b c", "a x c", "a b c"}, {2}, {},
         "[1,2) b = 0 ; x 1 substitution ;  2 lacuna"},
        {"only a lacuna differs: no unit", {"a b c", "a b c", ""}, {2}, {}, ""},
        {"absent is not lost", {"a b c", "", ""}, {2}, {}, "[0,3) a b c = 0 ;  1 absent ;  2 lacuna"},
        {"a remnant reads where it is extant", {"a b c d e", "a b e", "a x c y e"}, {}, {{1, {2}}},
         "[1,2) b = 0 1 ; x 2 substitution | [3,4) d = 0 ; y 2 substitution ;  1 lacuna"},
        {"a remnant's lost start", {"a b c", "c", "z a b c"}, {}, {{1, {0}}}, "[0,0)  = 0 ; z 2 addition ;  1 lacuna"},
        {"a remnant's lost end", {"a b c", "a", "a b c z"}, {}, {{1, {1}}}, "[3,3)  = 0 ; z 2 addition ;  1 lacuna"},
        {"an addition at the edge of what survives", {"a b c", "a b", "a z b c"}, {}, {{1, {2}}},
         "[1,1)  = 0 1 ; z 2 addition"},
        {"only a remnant's loss differs: no unit", {"a b c d", "a d", "a b c d"}, {}, {{1, {1}}}, ""},
        {"the base lost: the first whole witness stands in", {"", "a b c", "a x c"}, {0}, {},
         "[1,2) b = 1 ; x 2 substitution ;  0 lacuna"},
        {"the base a remnant: it reads as a witness", {"a b", "a b c", "a b x"}, {}, {{0, {2}}},
         "[2,3) c = 1 ; x 2 substitution ;  0 lacuna"},
        {"all lost", {"a", "b"}, {0, 1}, {}, ""},
    };
    for (const auto& c : cases) {
        std::vector<VerseLoss> losses(c.verses.size());
        for (const int e : c.lost)
            losses[size_t(e)].lost = true;
        for (const auto& [e, gaps] : c.gaps)
            losses[size_t(e)].gaps = gaps;
        const std::vector<Unit> units = CollateVerse(c.verses, Options{}, losses);
        EXPECT_EQ(Describe(units), c.expected) << c.name;
        for (const Unit& unit : units)
            for (const int e : unit.Lacunose())
                EXPECT_EQ(std::count(unit.agree.begin(), unit.agree.end(), e), 0) << c.name;
    }
}

// Agreement is counted over the units where both witnesses are extant; the
// base's stand-in is reported with the verse.
TEST(CollationTest, AgreementOverSharedExtantUnits)
{
    const std::vector<std::string> a{"KATA IWANNHN 1", " 1:1 en arch hn o logov", " 1:2 outov hn en arch",
                                     " 1:3 panta di autou egeneto"};
    const std::vector<std::string> b{"KATA IWANNHN 1", " 1:1 en arch hn logov", " 1:2 outov hn arch",
                                     " 1:3 panta dia autou egeneto"};
    const std::vector<std::string> p{"KATA IWANNHN 1", " 1:1", " 1:2 outov hn arch", " 1:3 panta"};
    Lacunae lost;
    lost.SetLacunose(1);
    lost.SetGaps(3, {1});
    const std::vector<const std::vector<std::string>*> texts{&a, &b, &p};
    const std::vector<const Lacunae*> lacunae{nullptr, nullptr, &lost};
    // Units: "o" (p lost), "en" (p extant, reads as b), "di" (p lost after "panta").
    const DistanceTable table = CountDistances(texts, {}, {}, {}, lacunae);
    EXPECT_EQ(table.Shared(0, 1), 3);
    EXPECT_EQ(table.Agreeing(0, 1), 0);
    EXPECT_EQ(table.Shared(1, 2), 1);
    EXPECT_EQ(table.Agreeing(1, 2), 1);
    EXPECT_EQ(table.AgreementPercent(1, 2), 100.0);
    EXPECT_EQ(table.AgreementPercent(0, 2), 0.0);
    EXPECT_EQ(table.Shared(2, 2), 1);
    EXPECT_EQ(table.Distance(0, 2), 1);
    EXPECT_FALSE(DistanceTable(2).AgreementPercent(0, 1));

    Options againstP;
    againstP.base = 2;
    std::vector<int> bases;
    CollateTexts(texts, againstP, [&](const VerseApparatus& verse) {
        bases.push_back(verse.base);
        return true;
    }, {}, lacunae);
    EXPECT_EQ(bases, (std::vector<int>{0, 2, 0})); // lost, whole, a remnant
}

TEST(CollationTest, SplitVerseLine)
{
    const struct {
        std::string_view line, reference, words;
    } cases[] = {
        {" 3:16 outwv gar", "3:16", "outwv gar"},
        {" 17:21", "17:21", ""},
        {" 17:21  ", "17:21", ""},
        {"outwv gar ", "", "outwv gar"},
        {"", "", ""},
        {" 3: a", "", "3: a"},
    };
    for (const auto& c : cases) {
        const VerseLine split = SplitVerseLine(c.line);
        EXPECT_EQ(split.reference, c.reference) << c.line;
        EXPECT_EQ(split.words, c.words) << c.line;
    }
}

namespace {

// Each edition's verse from the apparatus: the base words outside units, and
// in each unit the base's words or the edition's reading.
std::string Rebuild(const VerseApparatus& verse, int edition)
{
    std::vector<std::string> words;
    std::vector<std::string_view> base;
    for (size_t pos = 0; pos <= verse.baseText.size();) {
        const size_t end = std::min(verse.baseText.find(' ', pos), verse.baseText.size());
        if (end > pos)
            base.push_back(std::string_view(verse.baseText).substr(pos, end - pos));
        pos = end + 1;
    }
    std::string out;
    auto add = [&](std::string_view text) {
        if (!text.empty())
            out += (out.empty() ? "" : " ") + std::string(text);
    };
    int at = 0;
    for (const Unit& unit : verse.units) {
        if (unit.AbsentVerse()) {
            if (!unit.agree.empty() && std::find(unit.agree.begin(), unit.agree.end(), edition) == unit.agree.end())
                return "";
            continue;
        }
        for (; at < unit.first; ++at)
            add(base[static_cast<size_t>(at)]);
        const bool agrees = std::find(unit.agree.begin(), unit.agree.end(), edition) != unit.agree.end();
        if (agrees)
            add(unit.base);
        for (const Reading& reading : unit.readings)
            if (std::find(reading.editions.begin(), reading.editions.end(), edition) != reading.editions.end())
                add(reading.text);
        at = unit.last;
    }
    for (; at < static_cast<int>(base.size()); ++at)
        add(base[static_cast<size_t>(at)]);
    return out;
}

} // namespace

// On the real editions every edition's verse comes back whole from the
// apparatus, and the distances are those of the texts' history: the two
// Textus Receptus printings closest, Westcott-Hort farthest from all.
TEST(CollationTest, RealEditionsRebuildAndDistances)
{
    const std::filesystem::path dir = SYNOPTER_EDITIONS_DIR;
    const std::vector<std::string> names = {"Byzantine2018", "Scrivener1894", "Elzevir1624", "WestcottHort1881",
                                            "Antoniades1912"};
    for (const auto& name : names)
        if (!std::filesystem::exists(dir / (name + ".dat")))
            GTEST_SKIP() << "no editions at " << dir;
    const EditionSet set = LoadEditionSet({dir.string() + "/"}, names);
    ASSERT_EQ(set.problem, "");
    const auto texts = set.TextPointers();

    for (const SpellingMode spelling : {SpellingMode::Count, SpellingMode::Mark}) {
        Options options;
        options.spelling = spelling;
        DistanceTable distances(5);
        int verses = 0, mismatches = 0;
        CollateTexts(texts, options, [&](const VerseApparatus& verse) {
            ++verses;
            distances.Add(verse);
            for (int e = 0; e < 5; ++e) {
                const std::string expected(SplitVerseLine(set.texts[static_cast<size_t>(e)][static_cast<size_t>(verse.line)]).words);
                if (Rebuild(verse, e) != expected && ++mismatches <= 3)
                    ADD_FAILURE() << set.witnesses[static_cast<size_t>(e)].name << " line " << verse.line << ": "
                                  << Rebuild(verse, e) << " / " << expected;
            }
            return true;
        });
        EXPECT_GT(verses, 4000);
        EXPECT_EQ(mismatches, 0);

        int smallest = 1 << 30, largest = 0;
        for (int a = 0; a < 5; ++a)
            for (int b = 0; b < 5; ++b) {
                EXPECT_EQ(distances.Distance(a, b), distances.Distance(b, a));
                if (a == b)
                    continue;
                smallest = std::min(smallest, distances.Distance(a, b));
                largest = std::max(largest, distances.Distance(a, b));
            }
        EXPECT_EQ(distances.Distance(1, 2), smallest); // Scrivener1894, Elzevir1624
        int westcottHortFarthest = 0;
        for (int e = 0; e < 5; ++e) {
            if (e == 3)
                continue;
            EXPECT_GT(distances.Distance(3, e), distances.Distance(1, 2) * 5);
            westcottHortFarthest = std::max(westcottHortFarthest, distances.Distance(3, e));
        }
        EXPECT_EQ(westcottHortFarthest, largest);
    }
}

// Small invented editions: how many units each pair differs in, counted the
// same whichever edition is the base, and only over the lines chosen.
TEST(CollationTest, CountDistancesOverInventedEditions)
{
    const std::vector<std::string> a{"KATA IWANNHN 1", " 1:1 en arch hn o logov", " 1:2 outov hn en arch",
                                     " 1:3 panta di autou egeneto"};
    const std::vector<std::string> b{"KATA IWANNHN 1", " 1:1 en arch hn logov", " 1:2 outov hn en arch",
                                     " 1:3 panta dia autou egeneto"};
    const std::vector<std::string> c{"KATA IWANNHN 1", " 1:1 en arch hn o logov", " 1:2 outov hn",
                                     " 1:3 panta di autou egeneto"};
    const std::vector<const std::vector<std::string>*> texts{&a, &b, &c};
    // a-b: "o" and "dia"; a-c: "en arch"; b-c: all three.
    const int expected[3][3] = {{0, 2, 1}, {2, 0, 3}, {1, 3, 0}};
    for (int base = 0; base < 3; ++base) {
        Options options;
        options.base = base;
        const DistanceTable table = CountDistances(texts, options);
        ASSERT_EQ(table.Size(), 3);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_EQ(table.Distance(i, j), expected[i][j]) << "base " << base << ": " << i << "," << j;
    }

    const DistanceTable verse2 = CountDistances(texts, {}, [](int line) { return line == 2; });
    EXPECT_EQ(verse2.Distance(0, 1), 0);
    EXPECT_EQ(verse2.Distance(1, 2), 1);

    int asked = 0;
    const DistanceTable stopped = CountDistances(texts, {}, {}, [&] { return ++asked < 1; });
    EXPECT_EQ(asked, 1); // the first verse with units, then no more
    EXPECT_EQ(stopped.Distance(0, 1), 1);
}

// What the distances are counted over: the catalogue's editions that share
// one layout; the rest are named, not a reason to count nothing.
TEST(CollationTest, CollatableEditionsLeaveOutTheMisfits)
{
    test::TempFolder folder;
    const std::string text = "KATA IWANNHN 1\n 1:1 en arch hn o logov\n 1:2 outov hn\n";
    folder.Write("Alpha.dat", text);
    folder.Write("Beta.dat", "KATA IWANNHN 1\n 1:1 en arch\nKATA IWANNHN 2\n");  // another layout
    folder.Write("Gamma.dat", "KATA IWANNHN 1\n 1:1 \xE1\xBC\x90\xCE\xBD\n 1:2 outov\n"); // Unicode Greek
    folder.Write("Delta.dat", text);
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"})
        folder.Write(std::string(name) + ".bk", "[English]\nInformation=x\n");
    std::vector<std::string> leftOut;
    const EditionSet set = LoadCollatableEditions({folder.Path()}, {"Alpha", "Beta", "Gamma", "Delta", "Omega"}, leftOut);
    EXPECT_EQ(set.problem, "");
    ASSERT_EQ(set.witnesses.size(), 2u);
    ASSERT_EQ(set.texts.size(), 2u);
    EXPECT_EQ(set.witnesses[0].name, "Alpha");
    EXPECT_EQ(set.witnesses[1].name, "Delta");
    EXPECT_EQ(leftOut, (std::vector<std::string>{"Gamma", "Omega", "Beta"}));
}
