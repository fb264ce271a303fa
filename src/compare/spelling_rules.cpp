#include "compare/spelling_rules.h"

#include "compare/spelling_lists.h"

#include "editions/edition_check.h"
#include "editions/edition_lines.h"

#include <array>
#include <utility>

namespace synopter {

namespace {

bool IsWordLetter(char c) { return c >= 'a' && c <= 'z' && c != 'j'; }

} // namespace

SpellingRules::SpellingRules(SpellingGroups groups) : groups_(groups)
{
    std::vector<std::string> words;
    for (const spelling::WordLines& list : spelling::ListedGroups()) {
        if (!groups.Has(list.group))
            continue;
        for (const std::string_view line : list.lines) {
            words.clear();
            for (const std::string_view word : SplitWords(line))
                words.emplace_back(word);
            AddGroup(words);
        }
    }
}

std::string SpellingRules::Find(const std::string& word) const
{
    std::string at = word;
    // Groups are joined by pointing one group's word at another's: follow to the end.
    for (auto it = group_.find(at); it != group_.end() && it->second != at; it = group_.find(at))
        at = it->second;
    return at;
}

void SpellingRules::AddGroup(const std::vector<std::string>& words)
{
    if (words.empty())
        return;
    {
        const std::lock_guard lock(cacheMutex_);
        cache_.clear();
    }
    const std::string root = Find(words.front());
    group_.try_emplace(root, root);
    for (const std::string& word : words) {
        const std::string other = Find(word);
        if (other != root)
            group_[other] = root;
        group_.try_emplace(word, root);
    }
}

std::string SpellingRules::Key(std::string_view word) const
{
    std::string s;
    if (const auto it = group_.find(word); it != group_.end())
        s = Find(it->second);
    else
        s = word;
    using G = SpellingGroup;
    for (const spelling::StemPair& pair : spelling::StemPairs()) {
        if (s.starts_with(pair.from) && groups_.Has(pair.group)) {
            s.replace(0, pair.from.size(), pair.to);
            break;
        }
    }
    if (groups_.Has(G::ListedWords))
        spelling::InnerSpellings(s);
    if (groups_.Has(G::Assimilation))
        spelling::UnassimilatePrefix(s);
    if (groups_.Has(G::DoubleRho))
        spelling::SingleRhoAfterPrefix(s);
    // The manuscripts' groups, before the movable nu: eipamen is eipomen first.
    if (groups_.Has(G::Aorist))
        spelling::ClassicalAorist(s);
    if (groups_.Has(G::Consonants))
        spelling::SingleConsonants(s);
    if (groups_.Has(G::Nasals))
        spelling::UnassimilateNasals(s);
    if (groups_.Has(G::Itacism))
        spelling::Deitacize(s);
    if (groups_.Has(G::MovableNu))
        spelling::DropMovableNu(s);
    return s;
}

std::string_view SpellingRules::CachedKey(std::string_view word, std::string& scratch) const
{
    // Bounded, so that a text of endless distinct words cannot fill memory.
    constexpr size_t kMaxCached = size_t{1} << 18;
    const std::lock_guard lock(cacheMutex_);
    if (const auto it = cache_.find(word); it != cache_.end())
        return it->second;
    if (cache_.size() >= kMaxCached) {
        scratch = Key(word);
        return scratch;
    }
    // Map nodes stay put as the map grows, so the view stays valid.
    return cache_.emplace(word, Key(word)).first->second;
}

const SpellingRules& SpellingRules::BuiltIn()
{
    static const SpellingRules rules;
    return rules;
}

namespace {

// A word as a message may show it: control bytes (a NUL above all, which
// would end the message) as \xNN, other bytes as UTF-8 read as Latin-1 when
// they are no UTF-8.
std::string Shown(std::string_view word)
{
    std::string out;
    for (const char c : ToUtf8(word)) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '\\') {
            constexpr char kHex[] = "0123456789abcdef";
            out += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

SpellingList ReadSpellingList(std::string_view text, SpellingGroups groups)
{
    SpellingList list{SpellingRules(groups), {}};
    int number = 0;
    std::vector<std::string> words;
    while (!text.empty()) {
        ++number;
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (const size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        words.clear();
        std::string bad;
        size_t i = 0;
        while (i < line.size()) {
            const char c = line[i];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r')
                ++end;
            const std::string_view word = line.substr(i, end - i);
            for (const char ch : word)
                if (!IsWordLetter(ch) && bad.empty())
                    bad = std::string(word);
            words.emplace_back(word);
            i = end;
        }
        if (!bad.empty()) {
            list.problems.push_back({number, "\"" + Shown(bad) + "\" is not a word in lower-case transliteration"});
        } else if (words.size() == 1) {
            list.problems.push_back({number, "a single word: a group needs two or more"});
        } else if (!words.empty()) {
            list.rules.AddGroup(words);
        }
    }
    return list;
}

} // namespace synopter
