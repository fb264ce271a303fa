// The apparatus of many editions over the whole New Testament: the five sample
// editions, and twenty (the samples and fifteen made from them by dropping,
// swapping and replacing words here and there), and one very long line.
//
//   build/bench/synopter_collate_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "collate/collation.h"
#include "collate/edition_set.h"
#include "editions/edition_lines.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace synopter;
using namespace synopter::collate;

const std::string kEditionsDir = SYNOPTER_EDITIONS_DIR;

const EditionSet& Samples()
{
    static const EditionSet set = LoadEditionSet(
        {kEditionsDir + "/"}, {"Byzantine2018", "Scrivener1894", "Elzevir1624", "WestcottHort1881", "Antoniades1912"});
    return set;
}

// A sample edition changed in about one verse of `rate`: a word dropped, two
// neighbours swapped or a word replaced, chosen by a fixed pseudo-random walk.
std::vector<std::string> Derived(const std::vector<std::string>& lines, std::uint32_t seed, int rate)
{
    std::vector<std::string> out = lines;
    std::uint32_t state = seed * 2654435761u + 1;
    const auto next = [&] { return state = state * 1664525u + 1013904223u; };
    for (std::string& line : out) {
        if (IsHeadingLine(line) || next() % static_cast<std::uint32_t>(rate) != 0)
            continue;
        const VerseParts split = ParseVerseLine(line);
        std::vector<std::string> words;
        for (const std::string_view word : SplitWords(split.words))
            words.emplace_back(word);
        if (words.size() < 3)
            continue;
        const size_t at = next() % (words.size() - 1);
        switch (next() % 3) {
        case 0: words.erase(words.begin() + static_cast<long>(at)); break;
        case 1: std::swap(words[at], words[at + 1]); break;
        default: words[at] = "kai"; break;
        }
        std::string rebuilt = " " + std::string(split.reference);
        for (const auto& word : words)
            rebuilt += " " + word;
        line = rebuilt;
    }
    return out;
}

void Run(benchmark::State& state, const std::vector<const std::vector<std::string>*>& texts)
{
    Options options;
    options.spelling = static_cast<SpellingMode>(state.range(0));
    int units = 0;
    for (auto _ : state) {
        units = 0;
        CollateTexts(texts, options, [&](const VerseApparatus& verse) {
            units += static_cast<int>(verse.units.size());
            return true;
        });
        benchmark::DoNotOptimize(units);
    }
    state.counters["units"] = units;
}

void BM_FiveEditions(benchmark::State& state)
{
    Run(state, Samples().TextPointers());
}

void BM_TwentyEditions(benchmark::State& state)
{
    static const std::vector<std::vector<std::string>> derived = [] {
        std::vector<std::vector<std::string>> texts;
        for (std::uint32_t k = 0; k < 15; ++k)
            texts.push_back(Derived(Samples().texts[k % 5], k + 1, 4 + static_cast<int>(k)));
        return texts;
    }();
    std::vector<const std::vector<std::string>*> texts = Samples().TextPointers();
    for (const auto& text : derived)
        texts.push_back(&text);
    Run(state, texts);
}

// One line of 40000 words against the same with every 50th word replaced and a
// few moved: the alignment must stay bounded in time and memory.
void BM_LongLine(benchmark::State& state)
{
    std::string base, other;
    for (int i = 0; i < 40000; ++i) {
        const std::string word = "w" + std::to_string(i % 9000);
        base += (i ? " " : "") + word;
        other += (i ? " " : "") + (i % 50 == 0 ? std::string("kai") : word);
    }
    const std::vector<std::string_view> verses = {base, other};
    for (auto _ : state)
        benchmark::DoNotOptimize(CollateVerse(verses, Options{}));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("CollateVerse/long_line", BM_LongLine)->Unit(benchmark::kMillisecond);
    if (Samples().problem.empty() && Samples().texts.size() == 5) {
        // spelling: 0 count, 1 mark, 2 ignore (SpellingMode)
        benchmark::RegisterBenchmark("CollateTexts/five_editions", BM_FiveEditions)
            ->ArgName("spelling")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("CollateTexts/twenty_editions", BM_TwentyEditions)
            ->ArgName("spelling")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
    } else {
        std::fprintf(stderr, "The sample editions are not in %s: only the long line is timed.\n", kEditionsDir.c_str());
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
