#include "compare/spelling_groups.h"

#include "common/ascii.h"

#include <array>

namespace synopter {

namespace {

constexpr std::array<SpellingGroupInfo, kSpellingGroupCount> kGroups{{
    {SpellingGroup::MovableNu, "movable-nu", "movable nu: eipe/eipen, pasi/pasin", true},
    {SpellingGroup::DoubleRho, "double-rho", "rho doubled after a prefix: errhyh/erhyh", true},
    {SpellingGroup::FinalSigma, "final-sigma", "final sigma: outw/outwv, acri/acriv", true},
    {SpellingGroup::Assimilation, "assimilation", "a prefix's nasal: sumbainei/sunbainei, egkoptw/enkoptw", true},
    {SpellingGroup::Elision, "elision", "elision: all/alla, ef/epi", true},
    {SpellingGroup::Names, "names", "names: dabid/dauid, iwannhv/iwanhv, samareia/samaria", true},
    {SpellingGroup::ListedWords, "listed-words", "listed words: piein/pein, hdunato/edunato", true},
    {SpellingGroup::Itacism, "itacism", "itacism: ei/i, ai/e; h/i/u inside a stem", false},
    {SpellingGroup::Consonants, "consonants", "doubled consonants: ll/l, nn/n, ss/s ...", false},
    {SpellingGroup::Nasals, "nasals", "a nasal anywhere in a word: aggelov/angelov", false},
    {SpellingGroup::Aspiration, "aspiration", "aspiration: ouk/ouc, ap/af, kat/kay", false},
    {SpellingGroup::Aorist, "aorist", "aorist endings: eipon/eipan, hlyomen/hlyamen", false},
    {SpellingGroup::Crasis, "crasis", "crasis: kagw/kaiegw, kan/kaiean", false},
    {SpellingGroup::NominaSacra, "nomina-sacra", "nomina sacra: yv/yeov, kv/kuriov", false},
}};

const SpellingGroupInfo* FindGroup(std::string_view name)
{
    for (const SpellingGroupInfo& info : kGroups)
        if (info.name == name)
            return &info;
    return nullptr;
}

} // namespace

std::span<const SpellingGroupInfo> SpellingGroupList()
{
    return kGroups;
}

SpellingGroups SpellingGroups::Default()
{
    SpellingGroups groups;
    for (const SpellingGroupInfo& info : kGroups)
        if (info.byDefault)
            groups.Add(info.group);
    return groups;
}

SpellingGroups SpellingGroups::All()
{
    SpellingGroups groups;
    for (const SpellingGroupInfo& info : kGroups)
        groups.Add(info.group);
    return groups;
}

std::string SpellingGroups::Names() const
{
    std::string names;
    for (const SpellingGroupInfo& info : kGroups)
        if (Has(info.group))
            names += (names.empty() ? "" : ",") + std::string(info.name);
    return names;
}

std::string SpellingGroupNames()
{
    std::string names;
    for (const SpellingGroupInfo& info : kGroups)
        names += (names.empty() ? "" : ", ") + std::string(info.name);
    return names;
}

SpellingGroupsParsed ParseSpellingGroups(std::string_view list)
{
    SpellingGroupsParsed parsed;
    bool first = true;
    while (true) {
        const size_t comma = list.find(',');
        const std::string_view item = ascii::Trim(list.substr(0, comma));
        if (!item.empty()) {
            const bool remove = item.front() == '-';
            const std::string_view name = remove || item.front() == '+' ? item.substr(1) : item;
            if (first && remove)
                parsed.groups = SpellingGroups::Default();
            first = false;
            if (name == "default" || name == "all") {
                const SpellingGroups set = name == "all" ? SpellingGroups::All() : SpellingGroups::Default();
                for (const SpellingGroupInfo& info : kGroups)
                    if (set.Has(info.group))
                        remove ? parsed.groups.Remove(info.group) : parsed.groups.Add(info.group);
            } else if (name == "none" && !remove) {
                parsed.groups = {};
            } else if (const SpellingGroupInfo* info = FindGroup(name)) {
                remove ? parsed.groups.Remove(info->group) : parsed.groups.Add(info->group);
            } else if (parsed.problem.empty()) {
                parsed.problem = "unknown spelling rule group \"" + std::string(name) +
                                 "\" (use default, all, none or " + SpellingGroupNames() + ")";
            }
        }
        if (comma == std::string_view::npos)
            break;
        list = list.substr(comma + 1);
    }
    return parsed;
}

} // namespace synopter
