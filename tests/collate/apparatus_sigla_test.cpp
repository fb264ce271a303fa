// The apparatus for people: the short sigla of its lines and the CSV rows of a spreadsheet.

#include "collate/apparatus_format.h"

#include <gtest/gtest.h>

namespace synopter::collate {
namespace {

using RK = ReadingKind;

// Short sigla where the apparatus lines are tight: given, else from the name, names where two come out alike.
TEST(ApparatusFormatTest, ShortSigla)
{
    const struct {
        std::vector<Witness> witnesses;
        std::vector<std::string> expected;
    } cases[] = {
        {{{"WestcottHort1881", "WestcottHort1881", ""}, {"Byzantine2018", "", ""}, {"Elzevir1624", "", ""},
          {"Scrivener1894", "", ""}, {"Antoniades1912", "", ""}},
         {"WH", "Byz", "Elz", "Scr", "Ant"}},
        {{{"Papyrus66", "P66", ""}, {"codex", "", ""}, {"Ab", "", ""}, {"1881", "", ""}}, {"P66", "cod", "Ab", "1881"}},
        {{{"Byzantine2018", "", ""}, {"Byzantium", "", ""}, {"WestcottHort1881", "", ""}},
         {"Byzantine2018", "Byzantium", "WH"}},
        {{{"WestcottHort1881", "", ""}, {"Wh", "WH", ""}}, {"WestcottHort1881", "WH"}}, // a given siglum stays
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortSigla(c.witnesses), c.expected) << c.expected.front();
}

// The CSV rows: one per reading, RFC 4180 quoting where a field holds a
// comma, a quote or a line break; the verse named by its book when the
// heading names one.
TEST(ApparatusFormatTest, CsvRows)
{
    ApparatusFacts facts;
    facts.witnesses = {{"Alpha", "A", ""}, {"Beta", "B,1", ""}, {"Gamma", "C \"x\"", ""}, {"Delta", "", ""}};
    const struct {
        const char* heading;
        Unit unit;
        std::string rows;
    } cases[] = {
        {"KATA IWANNHN 3", {0, 1, "outwv", {0, 3}, {{"outw", {1, 2}, RK::Substitution}}},
         "John 3:16,ουτως,ουτω,\"B,1 C \"\"x\"\"\",substitution\r\n"},
        {"PROV KORINYIOUV A 3", {1, 2, "gar", {0, 2}, {{"", {1}, RK::Omission}, {"", {3}, RK::Lacuna}}},
         "1 Corinthians 3:16,γαρ,,\"B,1\",omission\r\n1 Corinthians 3:16,γαρ,,Delta,lacuna\r\n"},
        {"NO BOOK 3", {2, 2, "", {0}, {{"a,b", {3}, RK::Addition}, {"d\"e", {1}, RK::Addition}}},
         "3:16,,\"α,β\",Delta,addition\r\n3:16,,\"δ\"\"ε\",\"B,1\",addition\r\n"},
        {"KATA IWANNHN 3", {0, 2, "outwv gar", {0, 1, 2, 3}, {}}, ""}, // no reading, no row
    };
    for (const auto& c : cases) {
        const VerseApparatus verse{7, c.heading, "3:16", "outwv gar hgaphsen", 0, {c.unit}};
        std::string csv;
        AppendVerseCsv(csv, verse, facts);
        EXPECT_EQ(csv, c.rows) << c.heading;
    }
}

} // namespace
} // namespace synopter::collate
