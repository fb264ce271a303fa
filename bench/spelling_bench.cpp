// How each spelling rule group changes what a comparison finds: Westcott-Hort
// 1881 against each other sample edition under --spelling ignore, the verse
// pairs reported at the default threshold and at 1, with the default groups,
// the default groups and one more, and all of them; and the time of a run
// with the default groups. A tool, not a test: it prints a table.
//
//   build/bench/synopter_spelling_bench                 the table
//   build/bench/synopter_spelling_bench --joined NAME   the words of the five
//       editions that group NAME joins beyond the default groups, one set a line

#include "compare/comparison_run.h"
#include "compare/spelling_rules.h"
#include "editions/edition.h"
#include "editions/edition_lines.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace synopter;

const std::string kEditionsDir = SYNOPTER_EDITIONS_DIR;
const char* const kBase = "WestcottHort1881";
const char* const kOthers[] = {"Byzantine2018", "Scrivener1894", "Elzevir1624", "Antoniades1912"};

class Counter : public RunOutput {
public:
    void Chapter(const std::string&) override {}
    void FoundCount(int) override {}
    void VersePair(const std::string&, const std::string&, const MatchMask&, const MatchMask&) override {}
    bool Progress(int) override { return true; }
};

int Found(const std::vector<std::string>& left, const std::vector<std::string>& right, int threshold,
          const SpellingRules& rules)
{
    Counter counter;
    return ComparisonRun(left, right, RunOptions{threshold, false, SpellingMode::Ignore, &rules}, counter).found;
}

std::vector<std::string> Load(const std::string& name)
{
    auto lines = LoadEditionText(kEditionsDir + "/" + name + ".dat");
    return lines ? std::move(*lines) : std::vector<std::string>{};
}

int Joined(const char* name)
{
    const SpellingGroupsParsed parsed = ParseSpellingGroups(name);
    if (!parsed.problem.empty()) {
        std::fprintf(stderr, "%s\n", parsed.problem.c_str());
        return 2;
    }
    SpellingGroups with = SpellingGroups::Default();
    for (const SpellingGroupInfo& info : SpellingGroupList())
        if (parsed.groups.Has(info.group))
            with.Add(info.group);
    const SpellingRules before(SpellingGroups::Default());
    const SpellingRules after(with);
    std::set<std::string> words;
    for (const char* edition : {kBase, kOthers[0], kOthers[1], kOthers[2], kOthers[3]})
        for (const std::string& line : Load(edition))
            if (!IsHeadingLine(line))
                for (const std::string_view word : SplitWords(ParseVerseLine(line).words))
                    words.emplace(word);
    // The sets of words one key of `after` holds that were more than one key before.
    std::map<std::string, std::map<std::string, std::vector<std::string>>> byKey;
    for (const std::string& word : words)
        byKey[after.Key(word)][before.Key(word)].push_back(word);
    for (const auto& [key, olds] : byKey) {
        if (olds.size() < 2)
            continue;
        std::string line;
        for (const auto& [old, spellings] : olds)
            for (const std::string& word : spellings)
                line += (line.empty() ? "" : " ") + word;
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--joined") == 0)
        return Joined(argv[2]);
    const std::vector<std::string> base = Load(kBase);
    if (base.empty()) {
        std::printf("no editions in %s\n", kEditionsDir.c_str());
        return 0;
    }
    std::vector<std::pair<std::string, SpellingRules>> columns;
    columns.emplace_back("default", SpellingRules());
    for (const SpellingGroupInfo& info : SpellingGroupList())
        if (!info.byDefault)
            columns.emplace_back("+" + std::string(info.name), SpellingRules(SpellingGroups::Default().Add(info.group)));
    columns.emplace_back("all", SpellingRules(SpellingGroups::All()));

    std::printf("%s against, verse pairs reported under --spelling ignore\n", kBase);
    std::printf("%-16s %4s", "edition", "thr");
    for (const auto& [title, rules] : columns)
        std::printf(" %*s", int(std::max<size_t>(title.size(), 6)), title.c_str());
    std::printf("\n");
    for (const char* other : kOthers) {
        const std::vector<std::string> lines = Load(other);
        for (const int threshold : {kDefaultThreshold, 1}) {
            std::printf("%-16s %4d", other, threshold);
            for (const auto& [title, rules] : columns)
                std::printf(" %*d", int(std::max<size_t>(title.size(), 6)), Found(base, lines, threshold, rules));
            std::printf("\n");
        }
    }
    // A run's time with the default groups, the keys made afresh each time.
    const std::vector<std::string> other = Load(kOthers[0]);
    for (const char* title : {"default", "all"}) {
        double best = 1e9;
        for (int i = 0; i < 5; ++i) {
            const SpellingRules rules(std::strcmp(title, "all") == 0 ? SpellingGroups::All() : SpellingGroups::Default());
            const auto start = std::chrono::steady_clock::now();
            Found(base, other, 1, rules);
            best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("one run against %s at threshold 1, %s groups: %.1f ms (best of 5)\n", kOthers[0], title, best);
    }
    return 0;
}
