// The apparatus of many editions over the whole New Testament: the five sample
// editions, and twenty (the samples and fifteen made from them by dropping,
// swapping and replacing words here and there), and one very long line; and
// John in twenty witnesses of which fifteen are manuscripts with lost verses
// and remnants.
//
//   build/bench/synopter_collate_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "collate/collation.h"
#include "collate/edition_set.h"
#include "editions/book_names.h"
#include "editions/edition_lines.h"
#include "editions/lacunae.h"
#include "editions/nt_layout.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
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

// A derived edition made a manuscript: in about one verse of six the verse is
// lost, in another of six only a stretch in the middle or at one end survives.
struct Manuscript {
    std::vector<std::string> lines;
    Lacunae lacunae;
};

Manuscript Damaged(std::vector<std::string> lines, std::uint32_t seed)
{
    Manuscript out;
    std::uint32_t state = seed * 2246822519u + 7;
    const auto next = [&] { return state = state * 1664525u + 1013904223u; };
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsHeadingLine(lines[i]))
            continue;
        const VerseParts split = ParseVerseLine(lines[i]);
        const std::vector<std::string_view> words = SplitWords(split.words);
        const std::uint32_t roll = next() % 6;
        if (roll == 0 || words.size() < 4) {
            if (roll == 0) {
                out.lacunae.SetLacunose(i);
                lines[i] = " " + std::string(split.reference);
            }
            continue;
        }
        if (roll != 1)
            continue;
        // Keep words [from, to): lost text before, after, or both.
        const size_t from = next() % 2 ? words.size() / 3 : 0;
        const size_t to = from == 0 || next() % 2 ? words.size() - words.size() / 4 : words.size();
        std::string kept = " " + std::string(split.reference);
        for (size_t w = from; w < to; ++w)
            kept += " " + std::string(words[w]);
        std::vector<uint16_t> gaps;
        if (from > 0)
            gaps.push_back(0);
        if (to < words.size())
            gaps.push_back(static_cast<uint16_t>(to - from));
        lines[i] = kept;
        out.lacunae.SetGaps(i, gaps);
    }
    out.lines = std::move(lines);
    return out;
}

void Run(benchmark::State& state, const std::vector<const std::vector<std::string>*>& texts,
         const std::function<bool(int)>& include = {}, WitnessLacunae lacunae = {})
{
    Options options;
    options.spelling = static_cast<SpellingMode>(state.range(0));
    int units = 0;
    for (auto _ : state) {
        units = 0;
        CollateTexts(
            texts, options,
            [&](const VerseApparatus& verse) {
                units += static_cast<int>(verse.units.size());
                return true;
            },
            include, lacunae);
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

void BM_TwentyManuscriptsJohn(benchmark::State& state)
{
    static const std::vector<Manuscript> manuscripts = [] {
        std::vector<Manuscript> out;
        for (std::uint32_t k = 0; k < 15; ++k)
            out.push_back(Damaged(Derived(Samples().texts[k % 5], k + 1, 4 + static_cast<int>(k)), k + 1));
        return out;
    }();
    std::vector<const std::vector<std::string>*> texts = Samples().TextPointers();
    std::vector<const Lacunae*> lacunae(texts.size(), nullptr);
    for (const Manuscript& m : manuscripts) {
        texts.push_back(&m.lines);
        lacunae.push_back(&m.lacunae);
    }
    const int john = BookFromName("John").value();
    const int first = layout::HeadingLine(john, 1), end = layout::HeadingLine(john + 1, 1);
    Run(state, texts, [&](int line) { return line >= first && line < end; }, lacunae);
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
        benchmark::RegisterBenchmark("CollateTexts/twenty_manuscripts_john", BM_TwentyManuscriptsJohn)
            ->ArgName("spelling")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
    } else {
        std::fprintf(stderr, "The sample editions are not in %s: only the long line is timed.\n", kEditionsDir.c_str());
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
