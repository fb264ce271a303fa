#include "editions/book_names.h"

#include "common/ascii.h"

#include <string>
#include <unordered_map>

namespace synopter {
namespace {

// Names of each book, written as the key below makes them: lower case, without
// blanks, dots, hyphens or underscores, a leading I/II/III as 1/2/3.
constexpr std::string_view kNames[27] = {
    "matthew matt mat mt mth",
    "mark mrk mar mk mr",
    "luke luk lk lu",
    "john jhn joh jn",
    "acts act ac",
    "romans rom ro rm",
    "1corinthians 1cor 1co",
    "2corinthians 2cor 2co",
    "galatians gal ga",
    "ephesians eph ephes",
    "philippians phil php phi pp",
    "colossians col",
    "1thessalonians 1thess 1thes 1th 1ts",
    "2thessalonians 2thess 2thes 2th 2ts",
    "1timothy 1tim 1ti 1tm",
    "2timothy 2tim 2ti 2tm",
    "titus tit",
    "philemon phlm phm philem phile",
    "hebrews heb",
    "james jas jam jms jm",
    "1peter 1pet 1pe 1pt",
    "2peter 2pet 2pe 2pt",
    "1john 1jn 1jo 1joh 1jhn",
    "2john 2jn 2jo 2joh 2jhn",
    "3john 3jn 3jo 3joh 3jhn",
    "jude jud jd",
    "revelation rev re rv revelations apocalypse apoc",
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::unordered_map<std::string, int> BuildIndex()
{
    std::unordered_map<std::string, int> index;
    for (int book = 0; book < 27; ++book) {
        std::string_view names = kNames[book];
        while (!names.empty()) {
            const size_t blank = names.find(' ');
            index.emplace(std::string(names.substr(0, blank)), book);
            names = blank == std::string_view::npos ? std::string_view() : names.substr(blank + 1);
        }
    }
    return index;
}

// "I Cor", "ii. Peter", "III John": the number in front as a digit.
std::string_view RomanPrefix(std::string_view& name)
{
    static constexpr std::string_view kRoman[] = {"iii", "ii", "i"};
    static constexpr std::string_view kDigit[] = {"3", "2", "1"};
    for (int i = 0; i < 3; ++i) {
        const std::string_view r = kRoman[i];
        if (name.size() > r.size() && ascii::EqualsIgnoreCase(name.substr(0, r.size()), r)
            && (name[r.size()] == ' ' || name[r.size()] == '.')) {
            name.remove_prefix(r.size());
            return kDigit[i];
        }
    }
    return {};
}

std::string Key(std::string_view name)
{
    while (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    std::string key(RomanPrefix(name));
    for (char c : name) {
        if (c == ' ' || c == '.' || c == '-' || c == '_' || c == '\t')
            continue;
        key += ascii::ToLower(c);
    }
    return key;
}

} // namespace

std::optional<int> BookFromName(std::string_view name)
{
    static const std::unordered_map<std::string, int> index = BuildIndex();
    const std::string key = Key(name);
    // The transcription projects number the books B01 (Matthew) to B27.
    if (key.size() == 3 && key[0] == 'b' && IsDigit(key[1]) && IsDigit(key[2])) {
        const int n = (key[1] - '0') * 10 + (key[2] - '0');
        if (n >= 1 && n <= 27)
            return n - 1;
        return std::nullopt;
    }
    const auto found = index.find(key);
    if (found == index.end())
        return std::nullopt;
    return found->second;
}

} // namespace synopter
