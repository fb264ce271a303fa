#include "import/tei_apparatus.h"

#include "editions/book_names.h"
#include "editions/edition_lines.h"

namespace synopter::tei {
namespace {

std::string_view Trimmed(std::string_view text)
{
    const size_t from = text.find_first_not_of(" \t\r\n");
    if (from == std::string_view::npos)
        return {};
    return text.substr(from, text.find_last_not_of(" \t\r\n") + 1 - from);
}

constexpr std::string_view kDash = " \xE2\x80\x94 ";

// The name a <witness> gives before its description: "WH — Westcott and Hort".
std::string_view NameOf(std::string_view text)
{
    return Trimmed(text.substr(0, text.find(kDash)));
}

} // namespace

std::optional<VerseRef> ParseNamedVerse(std::string_view n)
{
    const size_t blank = n.rfind(' ');
    if (blank == std::string_view::npos)
        return std::nullopt;
    const std::string_view reference = n.substr(blank + 1);
    const size_t colon = reference.find(':');
    const std::optional<int> book = BookFromName(n.substr(0, blank));
    if (!book || colon == std::string_view::npos)
        return std::nullopt;
    const auto chapter = SmallNumber(reference.substr(0, colon));
    const auto verse = SmallNumber(reference.substr(colon + 1));
    if (!chapter || !verse || *chapter < 1 || *verse < 1)
        return std::nullopt;
    return VerseRef{*book, *chapter, *verse};
}

void ApparatusWitness::StartWitness(const XmlAttributes& attributes)
{
    listed_.push_back({std::string(attributes.Value("id")), std::string(attributes.Value("n")), {}});
    inWitness_ = true;
}

std::string ApparatusWitness::Resolve(std::string_view fileName)
{
    if (!Wanted() || !id_.empty())
        return {};
    for (const Listed& w : listed_)
        if (!w.id.empty() && (w.id == wanted_ || w.n == wanted_ || NameOf(w.text) == wanted_)) {
            id_ = w.id;
            const size_t dash = w.text.find(kDash);
            return std::string(Trimmed(dash == std::string::npos ? w.text : w.text.substr(dash + kDash.size())));
        }
    if (listed_.empty())
        throw ImportError(Quoted(fileName) + " lists no witnesses, so it holds none to read as " + Quoted(wanted_) +
                          ".");
    std::string names;
    for (const Listed& w : listed_)
        names += (names.empty() ? "" : ", ") + (w.id.empty() ? std::string(NameOf(w.text)) : w.id);
    throw ImportError("There is no witness " + Quoted(wanted_) + " in " + Quoted(fileName) + "; its witnesses are " +
                      names + ".");
}

std::optional<size_t> ApparatusWitness::ReadingOf(const std::vector<Reading>& readings) const
{
    if (id_.empty())
        return std::nullopt;
    for (size_t r = 0; r < readings.size(); ++r) {
        std::string_view wit = readings[r].wit;
        while (!wit.empty()) {
            const size_t from = wit.find_first_not_of(" \t\r\n");
            if (from == std::string_view::npos)
                break;
            wit.remove_prefix(from);
            std::string_view token = wit.substr(0, wit.find_first_of(" \t\r\n"));
            wit.remove_prefix(token.size());
            if (token.starts_with('#'))
                token.remove_prefix(1);
            if (token == id_)
                return r;
        }
    }
    return std::nullopt;
}

} // namespace synopter::tei
