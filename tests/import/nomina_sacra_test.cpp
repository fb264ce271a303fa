#include "import/nomina_sacra.h"

#include <gtest/gtest.h>

namespace synopter {
namespace {

TEST(NominaSacraTest, ContractionsAsWrittenExpandAndOthersAreUnknown)
{
    const struct {
        const char* written;
        const char* full; // "" for unknown
    } cases[] = {
        {"θσ", "yeov"},          {"ΘΣ", "yeov"},       {"θς", "yeov"},     {"θ̅σ̅", "yeov"},
        {"κυ", "kuriou"},        {"ιυ", "ihsou"},      {"χσ", "cristov"},  {"πνα", "pneuma"},
        {"ανοσ", "anyrwpov"},    {"πρσ", "patrov"},    {"υσ", "uiov"},     {"ουνοσ", "ouranov"},
        {"ιηλ", "israhl"},       {"ιλημ", "ierousalhm"}, {"δαδ", "dauid"}, {"στροσ", "staurov"},
        {"θεοσ", ""},            {"ξσ", ""},           {"", ""},
    };
    for (const auto& c : cases) {
        const auto full = ExpandNomenSacrum(c.written);
        EXPECT_EQ(full.value_or(""), c.full) << c.written;
    }
}

} // namespace
} // namespace synopter
