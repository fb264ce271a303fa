#include "import/nomina_sacra.h"

#include "import/greek_text.h"

#include <algorithm>
#include <array>

namespace synopter {
namespace {

struct Contraction {
    std::string_view written; // transliterated as the import reads it: word-final σ is v
    std::string_view full;
};

// Sorted by `written`. The forms of the words manuscripts contract, each case
// and number that occurs in the New Testament's manuscripts with its usual
// contraction, and the common longer spellings (ιησ, χρσ).
constexpr auto kTable = [] {
    auto table = std::to_array<Contraction>({
        {"ane", "anyrwpe"},         {"anoi", "anyrwpoi"},      {"anoiv", "anyrwpoiv"},
        {"anon", "anyrwpon"},       {"anou", "anyrwpou"},      {"anouv", "anyrwpouv"},
        {"anov", "anyrwpov"},       {"anw", "anyrwpw"},        {"anwn", "anyrwpwn"},
        {"ce", "criste"},           {"cn", "criston"},         {"crn", "criston"},
        {"cru", "cristou"},         {"crv", "cristov"},        {"crw", "cristw"},
        {"cu", "cristou"},          {"cv", "cristov"},         {"cw", "cristw"},
        {"dad", "dauid"},           {"ihl", "israhl"},         {"ihn", "ihsoun"},
        {"ihu", "ihsou"},           {"ihv", "ihsouv"},         {"ilhm", "ierousalhm"},
        {"in", "ihsoun"},           {"iu", "ihsou"},           {"iv", "ihsouv"},
        {"ke", "kurie"},            {"kn", "kurion"},          {"koi", "kurioi"},
        {"kou", "kuriou"},          {"ku", "kuriou"},          {"kv", "kuriov"},
        {"kw", "kuriw"},            {"kwn", "kuriwn"},         {"mhr", "mhthr"},
        {"mra", "mhtera"},          {"mri", "mhtri"},          {"mrv", "mhtrov"},
        {"ounw", "ouranw"},         {"ounoi", "ouranoi"},      {"ounoiv", "ouranoiv"},
        {"ounon", "ouranon"},       {"ounou", "ouranou"},      {"ounouv", "ouranouv"},
        {"ounov", "ouranov"},       {"ounwn", "ouranwn"},      {"ouniou", "ouraniou"},
        {"ouniov", "ouraniov"},     {"per", "pater"},          
        {"phr", "pathr"},           {"pna", "pneuma"},         {"pnasi", "pneumasi"},
        {"pnasin", "pneumasin"},    {"pnata", "pneumata"},     {"pnati", "pneumati"},
        {"pnatov", "pneumatov"},    {"pni", "pneumati"},       {"pnkov", "pneumatikov"},
        {"pnv", "pneumatov"},       {"pnwn", "pneumatwn"},     {"pra", "patera"},
        {"prasi", "patrasi"},       {"prev", "paterev"},       {"pri", "patri"},
        {"prv", "patrov"},          {"prwn", "paterwn"},       {"sra", "swthra"},
        {"sri", "swthri"},          {"srv", "swthrov"},        
              {"stron", "stauron"},      {"strou", "staurou"},
        {"strov", "staurov"},       {"strw", "staurw"},        {"swr", "swthr"},
        {"ue", "uie"},              {"un", "uion"},            {"uoi", "uioi"},
        {"uoiv", "uioiv"},          {"uouv", "uiouv"},         {"uu", "uiou"},
        {"uv", "uiov"},             {"uw", "uiw"},             {"uwn", "uiwn"},
        {"ye", "yee"},              {"yn", "yeon"},            {"yoi", "yeoi"},
        {"you", "yeou"},            {"yu", "yeou"},            {"yv", "yeov"},
        {"yw", "yew"},              {"ywn", "yewn"},
    });
    std::sort(table.begin(), table.end(),
              [](const Contraction& a, const Contraction& b) { return a.written < b.written; });
    return table;
}();

} // namespace

std::optional<std::string_view> ExpandNomenSacrum(std::string_view contractedUtf8)
{
    // Transliterating drops the overline and accents, lowers capitals and
    // makes a word-final σ v, as the table is written.
    const std::string written = TransliterateGreek(contractedUtf8);
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), written,
                                     [](const Contraction& c, const std::string& w) { return c.written < w; });
    if (it == kTable.end() || it->written != written)
        return std::nullopt;
    return it->full;
}

} // namespace synopter
