// Engine timings on real data: word matching of the verse pairs that differ,
// loading one edition text, and a whole comparison run.
//
//   build/bench/synopter_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "compare/comparison_run.h"
#include "compare/word_match.h"
#include "editions/edition.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace synopter;

const std::string kEditionsDir = SYNOPTER_EDITIONS_DIR;
const std::string kLeftEdition = "WestcottHort1881";
const std::string kRightEdition = "Byzantine2018";

std::vector<std::string> Load(const std::string& name)
{
    return LoadEditionText(EditionTextPath(kEditionsDir + "/", name)).value();
}

struct Editions {
    std::vector<std::string> left;
    std::vector<std::string> right;
    // The pairs a run hands to the word matching: lines that differ.
    std::vector<std::pair<std::string, std::string>> differingPairs; // right, left
};

const Editions& RealEditions()
{
    static const Editions editions = [] {
        Editions e;
        e.left = Load(kLeftEdition);
        e.right = Load(kRightEdition);
        for (size_t k = 0; k < std::min(e.left.size(), e.right.size()); ++k)
            if (e.left[k] != e.right[k])
                e.differingPairs.emplace_back(e.right[k], e.left[k]);
        return e;
    }();
    return editions;
}

// What the window does per line costs nothing here: only the engine is timed.
class NullOutput : public RunOutput {
public:
    void Chapter(const std::string&) override {}
    void FoundCount(int) override {}
    void VersePair(const std::string&, const std::string&, const MatchMask&, const MatchMask&) override {}
    bool Progress(int) override { return true; }
};

void MatchPairs(benchmark::State& state, const std::vector<std::pair<std::string, std::string>>& pairs)
{
    const bool exact = state.range(0) != 0;
    MatchMask rightMask;
    MatchMask leftMask;
    long unmatched = 0;
    for (auto _ : state) {
        for (const auto& [right, left] : pairs) {
            rightMask.assign(std::max(rightMask.size(), right.size()), 0);
            leftMask.assign(std::max(leftMask.size(), left.size()), 0);
            MarkCommonWords(right, left, rightMask, leftMask, exact);
            unmatched += CountUnmatched(rightMask, right.size()) + CountUnmatched(leftMask, left.size());
        }
    }
    benchmark::DoNotOptimize(unmatched);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pairs.size()));
}

void BM_MarkCommonWords(benchmark::State& state)
{
    MatchPairs(state, RealEditions().differingPairs);
}

// Far beyond the usual verse: 400 words a side, most of them moved, so the
// free matching of every word with every word is the bulk of the work.
void BM_MarkCommonWordsLongVerses(benchmark::State& state)
{
    std::string right;
    std::string left;
    for (int i = 0; i < 400; ++i) {
        right += " w" + std::to_string(i);
        left += " w" + std::to_string((i * 7 + 3) % 400);
    }
    MatchPairs(state, {{right, left}});
}

// One line of 40 000 distinct words a side, half of them moved, half not in
// the other line: the pair that used to freeze the window for seconds.
void BM_MarkCommonWordsDistinctWords(benchmark::State& state)
{
    constexpr int kWords = 40000;
    std::string right;
    std::string left;
    for (int i = 0; i < kWords; ++i) {
        right += " w" + std::to_string(i);
        left += i % 2 == 0 ? " w" + std::to_string((i * 7 + 3) % kWords) : " x" + std::to_string(i);
    }
    MatchPairs(state, {{right, left}});
}

void BM_LoadEditionText(benchmark::State& state)
{
    const std::string path = EditionTextPath(kEditionsDir + "/", kLeftEdition);
    size_t lines = 0;
    for (auto _ : state) {
        auto text = LoadEditionText(path);
        lines = text->size();
        benchmark::DoNotOptimize(text);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

// A whole-NT run under the options, the pairs it found as a counter.
void RunWholeNewTestament(benchmark::State& state, const RunOptions& options)
{
    const Editions& e = RealEditions();
    NullOutput output;
    int found = 0;
    for (auto _ : state)
        found = ComparisonRun(e.left, e.right, options, output).found;
    state.counters["found"] = found;
}

void BM_ComparisonRun(benchmark::State& state)
{
    RunOptions options{1, state.range(0) != 0, static_cast<SpellingMode>(state.range(1))};
    options.marking = static_cast<WordMarking>(state.range(2));
    RunWholeNewTestament(state, options);
}

// The window's default threshold, by marking: what a user's whole-NT run costs.
void BM_ComparisonRunDefaultThreshold(benchmark::State& state)
{
    RunOptions options;
    options.marking = static_cast<WordMarking>(state.range(0));
    RunWholeNewTestament(state, options);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const auto exact = [](benchmark::internal::Benchmark* b) { b->ArgName("exact")->Arg(0)->Arg(1); };
    benchmark::RegisterBenchmark("MarkCommonWords/long_verses", BM_MarkCommonWordsLongVerses)->Apply(exact);
    benchmark::RegisterBenchmark("MarkCommonWords/40000_distinct_words", BM_MarkCommonWordsDistinctWords)
        ->Apply(exact)->Unit(benchmark::kMillisecond);
    const bool haveEditions = std::filesystem::exists(EditionTextPath(kEditionsDir + "/", kLeftEdition)) &&
                              std::filesystem::exists(EditionTextPath(kEditionsDir + "/", kRightEdition));
    if (haveEditions) {
        benchmark::RegisterBenchmark("MarkCommonWords/differing_pairs", BM_MarkCommonWords)->Apply(exact);
        benchmark::RegisterBenchmark("LoadEditionText", BM_LoadEditionText)->Unit(benchmark::kMillisecond);
        // spelling: 0 count, 1 mark, 2 ignore (SpellingMode); aligned: 0 defined, 1 aligned (WordMarking)
        benchmark::RegisterBenchmark("ComparisonRun/threshold_1", BM_ComparisonRun)
            ->ArgNames({"exact", "spelling", "aligned"})
            ->ArgsProduct({{0, 1}, {0, 1, 2}, {0, 1}})
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("ComparisonRun/threshold_20", BM_ComparisonRunDefaultThreshold)
            ->ArgName("aligned")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
    } else {
        std::fprintf(stderr, "Editions %s and %s not found in %s: only the synthetic benchmark runs.\n",
                     kLeftEdition.c_str(), kRightEdition.c_str(), kEditionsDir.c_str());
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
