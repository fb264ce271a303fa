#include "app/window_run.h"

#include <algorithm>

#include "chapters/ui/chapter_window.h"
#include "common/error.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "compare/result_model.h"
#include "compare/ui/pane_pair.h"
#include "compare/ui/result_pane.h"
#include "editions/edition_check.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>

namespace synopter {

WindowRun::WindowRun(Controls controls, const std::array<LoadedEdition, 2>& editions, ComparisonResults& results,
                     PanePair& panes, UserMessages& messages)
    : controls_(controls), editions_(editions), results_(results), panes_(panes), messages_(messages)
{
}

void WindowRun::Run()
{
    if (running_)
        return;
    const Controls& c = controls_;
    // The lines stay the run's whatever is loaded meanwhile.
    const std::shared_ptr<const std::vector<std::string>> left = editions_[0].lines, right = editions_[1].lines;
    const std::shared_ptr<const Lacunae> leftLost = editions_[0].lacunae, rightLost = editions_[1].lacunae;
    // Editions that cannot be paired line by line are named before anything
    // runs; the previous results stay.
    if (const auto problem = ComparisonProblem(editions_[0].name, *left, editions_[1].name, *right)) {
        messages_.Show(FromUtf8(*problem), MessageKind::Warning);
        return;
    }
    // A typed 0 or an emptied box is below the range, which the spin box would
    // answer with its previous value; the run takes the least instead.
    bool typed = false;
    const int text = c.threshold->cleanText().trimmed().toInt(&typed);
    if (!typed || text < c.threshold->minimum())
        c.threshold->setValue(c.threshold->minimum());
    else
        c.threshold->interpretText();
    SetRunState(true);
    if (started)
        started();

    // The controls come back however the run ends, an error included.
    struct RunState {
        WindowRun* run;
        ~RunState() { run->SetRunState(false); }
    };
    {
        const RunState restore{this};
        RunOptions options;
        options.threshold = c.threshold->value();
        options.exactPositions = c.exactPositions->isChecked();
        options.spelling = static_cast<SpellingMode>(std::clamp(c.spelling->currentIndex(), 0, 2));
        if (options.spelling != SpellingMode::Count && spellingRules)
            options.spellingRules = spellingRules();
        options.rightLacunae = rightLost.get();
        options.leftLacunae = leftLost.get();
        options.marking = aligned && aligned() ? WordMarking::Aligned : WordMarking::Defined;
        markSpelling_ = options.spelling == SpellingMode::Mark;
        if (chapters_)
            chapters_->ClearChapters();
        results_.Clear();
        panes_.Clear();
        const int length = int(RunLength(*left, *right));
        c.progress->setRange(0, std::max(1, length));
        ComparisonRun(*left, *right, options, *this);
        ShowProgress(length);
        if (stopFlag_ && line_ + 1 < length)
            stoppedAt_ = HeadingAbove(line_);
        // Also a stopped run keeps what it found.
        SaveResultFiles();
    }
    QApplication::beep();
}

void WindowRun::Remark(const RunOptions& options)
{
    if (running_ || results_.Count() == 0)
        return;
    results_.Remark(options);
    panes_.ShowRestored();
    SaveResultFiles();
}

void WindowRun::ClearResults()
{
    if (running_)
        return;
    if (chapters_)
        chapters_->ClearChapters();
    results_.Clear();
    panes_.Clear();
    found_ = 0;
    spellingOnly_ = 0;
    stoppedAt_.clear();
    controls_.foundCount->clear();
    SaveResultFiles();
}

void WindowRun::SetRunState(bool running)
{
    const Controls& c = controls_;
    if (running) {
        for (QWidget* w : std::initializer_list<QWidget*>{c.exactPositions, c.spelling, c.leftChooser, c.rightChooser,
                                                          c.threshold, c.spellingRules})
            if (w)
                w->setEnabled(false);
        c.compare->hide();
        stopFlag_ = false;
        c.stop->setFocus();
        found_ = 0;
        spellingOnly_ = 0;
        line_ = 0;
        stoppedAt_.clear();
        c.foundCount->setText("0");
        running_ = true;
        // The first line lets events in at once: the run state is on screen
        // and Stop works from the start, however fast the run.
        slice_.invalidate();
        showing_.start();
        started_.start();
        startPointer_ = QCursor::pos();
        return;
    }
    running_ = false;
    for (QWidget* w : std::initializer_list<QWidget*>{c.leftChooser, c.rightChooser, c.exactPositions, c.spelling,
                                                      c.threshold, c.spellingRules})
        if (w)
            w->setEnabled(true);
    c.compare->show();
    c.progress->setValue(0);
}

void WindowRun::StopClicked()
{
    if (running_ && started_.elapsed() < QApplication::doubleClickInterval() && QCursor::pos() == startPointer_)
        return;
    Stop();
}

void WindowRun::Chapter(const std::string& heading)
{
    if (chapters_)
        chapters_->AddChapter(heading);
    results_.AppendHeading(heading);
}

void WindowRun::FoundCount(int found)
{
    found_ = found;
}

void WindowRun::VersePair(const std::string& right, const std::string& left,
                          const MatchMask& rightMask, const MatchMask& leftMask)
{
    results_.AppendVersePair(right, left, rightMask, leftMask);
}

void WindowRun::LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                           const MatchMask& leftMask, const PairGaps& gaps)
{
    results_.AppendVersePair(right, left, rightMask, leftMask, gaps);
}

void WindowRun::Lacunose(const LacunoseRun& run)
{
    results_.AppendLacunose(run);
}

void WindowRun::SpellingOnlyPair(std::string_view right, std::string_view left, const MatchMask& rightMask,
                                 const MatchMask& leftMask, const PairGaps& gaps)
{
    results_.AppendSpellingOnlyPair(std::string(right), std::string(left), rightMask, leftMask, gaps);
}

std::string WindowRun::HeadingAbove(int line) const
{
    for (const LoadedEdition& edition : editions_)
        if (std::string heading = edition.HeadingAtOrAbove(size_t(std::max(0, line))); !heading.empty())
            return heading;
    return {};
}

bool WindowRun::Progress(int line)
{
    line_ = line;
    // Processing events after every one of 8000 lines would cost more than the
    // comparison itself; a slice of a sixtieth of a second keeps the window live.
    if (!slice_.isValid() || slice_.elapsed() >= eventSliceMs_) {
        controls_.progress->setValue(line);
        if (showing_.elapsed() >= showingMs_) {
            ShowProgress(line);
            showing_.restart();
        }
        QCoreApplication::processEvents();
        slice_.start();
    }
    return !stopFlag_;
}

void WindowRun::ShowFoundCount()
{
    // Under "marked in green" the count also says how many pairs differ in
    // spelling only: found without the spelling rules, not reported with them.
    QString text = QString::number(found_);
    if (markSpelling_ && spellingOnly_ > 0)
        text += QString(" (+%1 spelling only)").arg(spellingOnly_);
    controls_.foundCount->setText(text);
}

void WindowRun::ShowProgress(int line)
{
    controls_.progress->setValue(line);
    ShowFoundCount();
    panes_.Flush();
    // A pane the user scrolled down during the run is taken back up.
    for (ResultPane* pane : {controls_.leftPane, controls_.rightPane})
        if (pane->verticalScrollBar()->value() > 0)
            pane->ScrollLines(-1000);
}

bool WindowRun::StillGoing()
{
    // Inside one long line: the same slice as Progress, without moving the bar.
    if (!slice_.isValid() || slice_.elapsed() >= eventSliceMs_) {
        QCoreApplication::processEvents();
        slice_.start();
    }
    return !stopFlag_;
}

void WindowRun::SaveResultFiles()
{
    // The run is over and its results stay in the panes: a failed save is said, not raised.
    try {
        results_.SaveResultFiles(chapters_ ? chapters_->Chapters() : std::vector<std::string>{},
                                 record ? record() : std::string(), panes_.Layout());
    } catch (const WriteError& e) {
        const char* english = "The results could not be saved:";
        messages_.Show((texts ? texts("compare_unsaved", english) : QString(english)) + "\n" +
                           FromLocal8Bit(e.path() + ": " + e.reason()),
                       MessageKind::Warning);
    }
}

} // namespace synopter
