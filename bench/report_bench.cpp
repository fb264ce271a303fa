// synopter-compare's reports of a whole New Testament at threshold 1: the HTML
// page written from the collected items, each output format through
// WriteComparison, the code path of the tool, run and all, and the tool's
// whole path to JSON in memory, the texts read each time, with the heap
// allocations it makes.
//
//   build/bench/synopter_report_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "compare/cli/compare_report.h"
#include "compare/comparison_run.h"
#include "compare/html_report.h"
#include "editions/edition.h"
#include "editions/edition_check.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

// Every allocation through operator new is counted (the benchmarks run on one thread).
namespace {
size_t allocations = 0;
} // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace synopter;

const std::string kEditionsDir = SYNOPTER_EDITIONS_DIR;
const std::string kLeftEdition = "WestcottHort1881";
const std::string kRightEdition = "Byzantine2018";
const RunOptions kRun{1, false};

struct Editions {
    std::vector<std::string> left;
    std::vector<std::string> right;
    std::vector<html::ReportItem> items; // the run's results, collected once
};

const Editions& RealEditions()
{
    static const Editions editions = [] {
        Editions e;
        e.left = LoadEditionText(EditionTextPath(kEditionsDir + "/", kLeftEdition)).value();
        e.right = LoadEditionText(EditionTextPath(kEditionsDir + "/", kRightEdition)).value();
        html::ReportCollector collector;
        ComparisonRun(e.left, e.right, kRun, collector);
        e.items = std::move(collector.items);
        return e;
    }();
    return editions;
}

html::ReportFacts Facts()
{
    return {{kLeftEdition, "Westcott and Hort 1881"}, {kRightEdition, "Byzantine Textform 2018"}, kRun.threshold,
            kRun.exactPositions, "2026-12-08"};
}

// Writing the page only: what the window's export does with results it holds.
void BM_HtmlPage(benchmark::State& state)
{
    const Editions& e = RealEditions();
    const html::ReportFacts facts = Facts();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string page = html::HtmlReport(facts, e.items);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["items"] = static_cast<double>(e.items.size());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// The run and its output as synopter-compare makes them, written to /dev/null.
void BM_WriteComparison(benchmark::State& state, cli::Format format, cli::Script script)
{
    const Editions& e = RealEditions();
    cli::ReportChoice choice{format, script, false, kLeftEdition, kRightEdition, Facts()};
    std::FILE* sink = std::fopen("/dev/null", "w");
    if (!sink) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    for (auto _ : state)
        if (!cli::WriteComparison(e.left, e.right, kRun, choice, sink))
            state.SkipWithError("write failed");
    std::fclose(sink);
}

// What synopter-compare --format json does once it has its arguments: both
// texts read, the layout checked, the run, the JSON gathered in memory.
// `copied`: the texts as lines of their own (LoadEditionText), as the window
// holds them, rather than views into the texts as read.
void BM_ToolPath(benchmark::State& state, bool copied)
{
    const std::string left = EditionTextPath(kEditionsDir + "/", kLeftEdition);
    const std::string right = EditionTextPath(kEditionsDir + "/", kRightEdition);
    size_t bytes = 0;
    const size_t before = allocations;
    for (auto _ : state) {
        cli::JsonReport report;
        if (copied) {
            const std::vector<std::string> l = LoadEditionText(left).value();
            const std::vector<std::string> r = LoadEditionText(right).value();
            if (LayoutProblem(kLeftEdition, l, kRightEdition, r, LineCounts::MayDiffer))
                state.SkipWithError("editions do not line up");
            ComparisonRun(l, r, kRun, report);
        } else {
            const EditionText l = ReadEditionText(left).value();
            const EditionText r = ReadEditionText(right).value();
            if (LayoutProblem(kLeftEdition, l.lines, kRightEdition, r.lines, LineCounts::MayDiffer))
                state.SkipWithError("editions do not line up");
            ComparisonRun(l.lines, r.lines, kRun, report);
        }
        bytes = report.Text().size();
        benchmark::DoNotOptimize(report.Text().data());
    }
    state.counters["allocations"] =
        static_cast<double>(allocations - before) / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!std::filesystem::exists(EditionTextPath(kEditionsDir + "/", kLeftEdition)) ||
        !std::filesystem::exists(EditionTextPath(kEditionsDir + "/", kRightEdition))) {
        std::fprintf(stderr, "Editions %s and %s not found in %s: nothing to time.\n", kLeftEdition.c_str(),
                     kRightEdition.c_str(), kEditionsDir.c_str());
        return 0;
    }
    using cli::Format;
    using cli::Script;
    benchmark::RegisterBenchmark("HtmlPage", BM_HtmlPage)->Unit(benchmark::kMillisecond);
    const struct {
        const char* name;
        Format format;
        Script script;
    } outputs[] = {
        {"WriteComparison/json", Format::Json, Script::Latin},
        {"WriteComparison/json_greek", Format::Json, Script::Greek},
        {"WriteComparison/html", Format::Html, Script::Latin},
        {"WriteComparison/text", Format::Text, Script::Latin},
        {"WriteComparison/summary", Format::Summary, Script::Latin},
    };
    for (const auto& o : outputs)
        benchmark::RegisterBenchmark(o.name, BM_WriteComparison, o.format, o.script)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ToolPath/json", BM_ToolPath, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ToolPath/json_copied_lines", BM_ToolPath, true)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
