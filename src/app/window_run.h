#pragma once

#include "compare/comparison_run.h"
#include "editions/loaded_edition.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QWidget;

namespace synopter {

class ComparisonResults;
class PanePair;
class ChapterWindow;
class ResultPane;
class UserMessages;

// A comparison run as the main window shows it: the loaded editions compared,
// the run state (inputs disabled, COMPARE hidden over the stop button), the
// progress, the found count, the results and the navigator filled as the run
// reports and the panes showing them, events let in every slice, and the
// result files saved however the run ends.
class WindowRun : private RunOutput {
public:
    struct Controls {
        QComboBox* leftChooser;
        QComboBox* rightChooser;
        QSpinBox* threshold;
        QCheckBox* exactPositions;
        QComboBox* spelling; // items in the order of SpellingMode
        QPushButton* compare;
        QPushButton* stop;
        QLabel* foundCount;
        QProgressBar* progress;
        ResultPane* leftPane;
        ResultPane* rightPane;
        QWidget* spellingRules = nullptr; // the spelling rule groups' menu
    };
    WindowRun(Controls controls, const std::array<LoadedEdition, 2>& editions, ComparisonResults& results,
              PanePair& panes, UserMessages& messages);

    // The texts it shows, by key of the main window's language file; English
    // where unset.
    std::function<QString(const char* key, const QString& english)> texts;

    void SetChapterWindow(ChapterWindow* chapters) { chapters_ = chapters; }

    // Compares the loaded editions; returns when the run has ended. Editions
    // that cannot be paired are named and nothing runs. No second run starts
    // while one is going.
    void Run();
    // Empties the results as a whole (navigator, model, panes, found count)
    // and saves the empty files, so a restart does not bring them back.
    // Nothing happens during a run.
    void ClearResults();
    // Called as a run begins, its inputs settled (the results are about to go).
    std::function<void()> started;
    // What made the results, saved with them (see WriteResultRecord).
    std::function<std::string()> record;
    // The spelling rules for a run that marks or ignores spelling variants
    // (built-in plus the user's list); null for the built-in ones alone.
    std::function<const SpellingRules*()> spellingRules;
    // Whether a run marks its pairs by aligning their words (WordMarking::Aligned).
    std::function<bool()> aligned;
    // Colours the results shown again under `options` (ComparisonResults::Remark),
    // lays them out afresh as a new set and saves them. Nothing during a run.
    void Remark(const RunOptions& options);
    // The run ends at its next step.
    void Stop() { stopFlag_ = true; }
    // A click on the stop button: ignored in the run's first double-click
    // interval unless the pointer moved, for the stop button lies under COMPARE
    // and would take the second click of a double-click.
    void StopClicked();
    bool Running() const { return running_; }
    // The heading of the chapter the last run was stopped in; empty when it
    // ran to the end (or stopped before its first chapter).
    const std::string& StoppedAt() const { return stoppedAt_; }

    // How often a run lets the window breathe (Stop is honoured at the next
    // step), and how often it shows the pairs found so far: each showing writes
    // them into the panes in one edit, and more frequent ones would spend the
    // run laying text out. Tests let events in after every line.
    void SetSlices(int eventsMs, int showingMs)
    {
        eventSliceMs_ = eventsMs;
        showingMs_ = showingMs;
    }

private:
    void Chapter(const std::string& heading) override;
    void FoundCount(int found) override;
    void VersePair(const std::string& right, const std::string& left,
                   const MatchMask& rightMask, const MatchMask& leftMask) override;
    void LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                    const MatchMask& leftMask, const PairGaps& gaps) override;
    void Lacunose(const LacunoseRun& run) override;
    void SpellingOnlyPair(std::string_view right, std::string_view left, const MatchMask& rightMask,
                          const MatchMask& leftMask, const PairGaps& gaps) override;
    bool Progress(int line) override;
    bool StillGoing() override;
    void SpellingOnlyCount(int pairs) override { spellingOnly_ = pairs; }

    void SetRunState(bool running);
    // The progress, the found count and the pairs found so far, on screen.
    void ShowProgress(int line);
    void ShowFoundCount();
    std::string HeadingAbove(int line) const;
    void SaveResultFiles();

    Controls controls_;
    const std::array<LoadedEdition, 2>& editions_;
    ComparisonResults& results_;
    PanePair& panes_;
    UserMessages& messages_;
    ChapterWindow* chapters_ = nullptr;
    bool running_ = false;
    bool stopFlag_ = false;
    int found_ = 0;
    int spellingOnly_ = 0;
    bool markSpelling_ = false;
    int line_ = 0;
    std::string stoppedAt_;
    int eventSliceMs_ = 16;
    int showingMs_ = 100;
    QElapsedTimer slice_;
    QElapsedTimer showing_;
    QElapsedTimer started_;
    QPoint startPointer_;
};

} // namespace synopter
