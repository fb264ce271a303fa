// Drives the real main window under the offscreen platform: the whole-NT run
// from the COMPARE click to the saved files, and a later start-up that
// restores those results.
#include "app/main_window.h"
#include "chapters/ui/chapter_window.h"
#include "compare/ui/pane_pair.h"
#include "compare/ui/result_pane.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

using synopter::Side;

const QString kEditions = QStringLiteral(SYNOPTER_EDITIONS_DIR);

// A program directory holding links to the two editions of the run.
struct ProgramDir {
    QTemporaryDir dir;
    bool ok = false;
    ProgramDir()
    {
        ok = dir.isValid();
        for (const char* name : {"WestcottHort1881", "Byzantine2018"})
            for (const char* ext : {".bk", ".dat"})
                ok = ok && QFile::link(kEditions + "/" + name + ext, dir.path() + "/" + name + ext);
    }
    std::string Path() const { return (dir.path() + "/").toStdString(); }
};

struct Window {
    synopter::MainWindow mainWindow;
    synopter::ChapterWindow chapterWindow;
    explicit Window(const std::string& dir)
        : mainWindow(dir), chapterWindow(&mainWindow, dir, mainWindow.Language(), mainWindow.Messages(),
                                         [this](const std::string& l) { mainWindow.GoToChapter(l); })
    {
        mainWindow.SetChapterWindow(&chapterWindow);
        mainWindow.Start();
        chapterWindow.Start();
        mainWindow.resize(1000, 700);
        mainWindow.show();
        QApplication::processEvents();
    }
};

// The whole New Testament, every difference counted, moved words included.
void RunWholeNewTestament(Window& w)
{
    w.mainWindow.Chooser(Side::Left)->setCurrentIndex(w.mainWindow.Chooser(Side::Left)->findText("WestcottHort1881"));
    w.mainWindow.Chooser(Side::Right)->setCurrentIndex(w.mainWindow.Chooser(Side::Right)->findText("Byzantine2018"));
    w.mainWindow.ThresholdBox()->setValue(1);
    w.mainWindow.ExactPositionsBox()->setChecked(true);
    w.mainWindow.Compare();
}

long PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void BM_WholeRunInWindow(benchmark::State& state)
{
    ProgramDir dir;
    if (!QDir(kEditions).exists() || !dir.ok) {
        state.SkipWithError("sample editions not found");
        return;
    }
    Window w(dir.Path());
    for (auto _ : state)
        RunWholeNewTestament(w);
    state.counters["found"] = w.mainWindow.FoundCountLabel()->text().toInt();
    state.counters["peak_MB"] = double(PeakMegabytes());
}
BENCHMARK(BM_WholeRunInWindow)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// A program directory holding the results of a whole-NT run; false (and the
// benchmark skipped) without the sample editions.
bool WithSavedResults(benchmark::State& state, const ProgramDir& dir)
{
    if (!QDir(kEditions).exists() || !dir.ok) {
        state.SkipWithError("sample editions not found");
        return false;
    }
    Window w(dir.Path());
    RunWholeNewTestament(w);
    return true;
}

void BM_StartupRestoringResults(benchmark::State& state)
{
    ProgramDir dir;
    if (!WithSavedResults(state, dir))
        return;
    for (auto _ : state) {
        // Created, shown with the results restored and events processed: the
        // window answers; what is not yet on screen may still be filling in.
        Window w(dir.Path());
        benchmark::DoNotOptimize(w.mainWindow.Pane(Side::Right)->FirstVisibleLine());
    }
    state.counters["peak_MB"] = double(PeakMegabytes());
}
BENCHMARK(BM_StartupRestoringResults)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The same start-up, then straight to the last chapter: every restored pair
// in the panes, level, and the views there.
void BM_StartupToTheLastChapter(benchmark::State& state)
{
    ProgramDir dir;
    if (!WithSavedResults(state, dir))
        return;
    for (auto _ : state) {
        Window w(dir.Path());
        w.mainWindow.GoToChapter("APOKALUQIV IWANNOU 22");
        benchmark::DoNotOptimize(w.mainWindow.Pane(Side::Right)->FirstVisibleLine());
    }
}
BENCHMARK(BM_StartupToTheLastChapter)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Whole-NT results read at `chapter`, the window made narrower or wider, then
// `relayout` done and the views back at the unit that was at the top.
void RelayoutAt(benchmark::State& state, const std::string& chapter, void (synopter::PanePair::*relayout)())
{
    ProgramDir dir;
    if (!QDir(kEditions).exists() || !dir.ok) {
        state.SkipWithError("sample editions not found");
        return;
    }
    Window w(dir.Path());
    RunWholeNewTestament(w);
    w.mainWindow.GoToChapter(chapter);
    const size_t top = w.mainWindow.Panes().TopUnit();
    int width = 1000;
    for (auto _ : state) {
        width = width == 1000 ? 1200 : 1000;
        w.mainWindow.resize(width, 700);
        QApplication::processEvents();
        (w.mainWindow.Panes().*relayout)();
        benchmark::DoNotOptimize(w.mainWindow.Pane(Side::Right)->FirstVisibleLine());
    }
    state.counters["kept"] = w.mainWindow.Panes().TopUnit() == top ? 1 : 0;
}

// What a resize leads to once it pauses: the panes levelled for the new width.
void BM_RelayoutAtTheEnd(benchmark::State& state)
{
    RelayoutAt(state, "APOKALUQIV IWANNOU 22", &synopter::PanePair::Relevel);
}
BENCHMARK(BM_RelayoutAtTheEnd)->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(3);

// The same read near the start, where little need be laid out to show it.
void BM_RelayoutNearTheStart(benchmark::State& state)
{
    RelayoutAt(state, "KATA MAYYAION 5", &synopter::PanePair::Relevel);
}
BENCHMARK(BM_RelayoutNearTheStart)->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(3);

// The panes written afresh instead, as after the marking changed.
void BM_RefillAtTheEnd(benchmark::State& state)
{
    RelayoutAt(state, "APOKALUQIV IWANNOU 22", &synopter::PanePair::Reshow);
}
BENCHMARK(BM_RefillAtTheEnd)->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(3);

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
