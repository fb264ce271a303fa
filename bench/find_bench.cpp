// Finding in a whole-NT result and opening the statistics window on it
// (offscreen): the result is that of a comparison run on the sample editions.
//
//   build/bench/synopter_find_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "compare/comparison_run.h"
#include "compare/result_summary.h"
#include "editions/edition.h"
#include "find/result_find.h"
#include "statistics/ui/statistics_window.h"
#include "language/interface_language.h"

#include <QApplication>
#include <QDir>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <deque>
#include <string>
#include <vector>

namespace {

using namespace synopter;

const std::string kEditionsDir = SYNOPTER_EDITIONS_DIR;

// The results of a run as the panes keep them: headings and verse pairs.
class Results : public RunOutput {
public:
    void Chapter(const std::string& label) override
    {
        texts.push_back(label);
        units.push_back({true, texts.back(), {}});
        summary.Heading(label);
    }
    void FoundCount(int) override {}
    void VersePair(const std::string& right, const std::string& left, const MatchMask&, const MatchMask&) override
    {
        texts.push_back(left);
        texts.push_back(right);
        units.push_back({false, texts[texts.size() - 2], texts.back()});
        summary.Pair();
    }
    bool Progress(int) override { return true; }

    std::deque<std::string> texts; // a deque keeps the views valid as it grows
    std::vector<FindUnit> units;
    SummaryBuilder summary;
};

// WestcottHort1881 against Byzantine2018, every difference reported; null
// without the sample editions.
const Results* WholeNewTestament()
{
    static const Results* results = []() -> const Results* {
        if (!QDir(QString::fromStdString(kEditionsDir)).exists())
            return nullptr;
        auto* r = new Results;
        const auto left = LoadEditionText(EditionTextPath(kEditionsDir + "/", "WestcottHort1881"));
        const auto right = LoadEditionText(EditionTextPath(kEditionsDir + "/", "Byzantine2018"));
        if (!left || !right)
            return nullptr;
        ComparisonRun(*left, *right, RunOptions{1, true}, *r);
        return r;
    }();
    return results;
}

// One step: reading the query and finding the next match from the middle.
void BM_FindStep(benchmark::State& state, const char* typed)
{
    const Results* results = WholeNewTestament();
    if (!results) {
        state.SkipWithError("sample editions not found");
        return;
    }
    const size_t from = results->units.size() / 2;
    size_t found = 0;
    for (auto _ : state) {
        const auto match = FindInUnits(ParseFindQuery(typed), results->units, from, FindDirection::Forward);
        found = match ? match->unit : 0;
        benchmark::DoNotOptimize(found);
    }
    state.counters["units"] = double(results->units.size());
    state.counters["found_at"] = double(found);
}
BENCHMARK_CAPTURE(BM_FindStep, word, "kai")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindStep, greek_phrase, "ἐν τῷ βιβλίῳ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindStep, not_found, "xyzzy")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindStep, reference, "John 3:16")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindStep, any_book, "17:21")->Unit(benchmark::kMillisecond);

// Opening the statistics window: created, filled, shown and painted.
void BM_StatisticsOpen(benchmark::State& state)
{
    const Results* results = WholeNewTestament();
    if (!results) {
        state.SkipWithError("sample editions not found");
        return;
    }
    const InterfaceLanguage language(QDir::tempPath().toStdString() + "/");
    for (auto _ : state) {
        StatisticsWindow form(nullptr, language);
        form.SetSummary(results->summary.Summary());
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.Table()->rowCount());
    }
    state.counters["books"] = double(results->summary.Summary().books.size());
}
BENCHMARK(BM_StatisticsOpen)->Unit(benchmark::kMillisecond);

// A new summary for the open window, as after a run.
void BM_StatisticsSetSummary(benchmark::State& state)
{
    const Results* results = WholeNewTestament();
    if (!results) {
        state.SkipWithError("sample editions not found");
        return;
    }
    const InterfaceLanguage language(QDir::tempPath().toStdString() + "/");
    StatisticsWindow form(nullptr, language);
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.SetSummary(results->summary.Summary());
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StatisticsSetSummary)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
