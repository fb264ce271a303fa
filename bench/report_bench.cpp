// synopter-compare's reports of a whole New Testament at threshold 1: the HTML
// page written from the collected items, and each output format through
// WriteComparison, the code path of the tool, run and all.
//
//   build/bench/synopter_report_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "compare/cli/compare_report.h"
#include "compare/comparison_run.h"
#include "compare/html_report.h"
#include "editions/edition.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
