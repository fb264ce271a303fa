#include "app/window_run.h"

#include "chapters/ui/form2.h"
#include "common/ui/qt_bytes.h"
#include "compare/ui/result_panes.h"
#include "compare/ui/rich_edit.h"
#include "editions/edition_check.h"
#include "editions/ui/source_list.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

namespace synopter {

WindowRun::WindowRun(Controls controls, ResultPanes& panes, Message showMessage)
    : controls_(controls), panes_(panes), showMessage_(std::move(showMessage))
{
}

void WindowRun::Run()
{
    if (running_)
        return;
    const Controls& c = controls_;
    // Editions that cannot be paired line by line are named before anything
    // runs; the previous results stay.
    if (const auto problem = ComparisonProblem(ToLatin1(c.leftChooser->currentText()), c.leftList->Lines(),
                                               ToLatin1(c.rightChooser->currentText()), c.rightList->Lines())) {
        showMessage_(FromUtf8(*problem), false);
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
        if (chapters_)
            chapters_->ClearChapters();
        panes_.Clear();
        c.progress->setRange(0, std::max(1, int(RunLength(c.leftList->Lines(), c.rightList->Lines()))));
        ComparisonRun(c.leftList->Lines(), c.rightList->Lines(), options, *this);
        // Also a stopped run keeps what it found.
        SaveResultFiles();
    }
    QApplication::beep();
}

void WindowRun::SetRunState(bool running)
{
    const Controls& c = controls_;
    if (running) {
        for (QWidget* w : std::initializer_list<QWidget*>{c.exactPositions, c.leftChooser, c.rightChooser, c.threshold})
            w->setEnabled(false);
        c.compare->hide();
        stopFlag_ = false;
        c.stop->setFocus();
        c.foundCount->setText("0");
        c.foundCount->adjustSize();
        running_ = true;
        slice_.start();
        started_.start();
        startPointer_ = QCursor::pos();
        return;
    }
    running_ = false;
    for (QWidget* w : std::initializer_list<QWidget*>{c.leftChooser, c.rightChooser, c.exactPositions, c.threshold})
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
    panes_.AppendHeading(heading);
}

void WindowRun::FoundCount(int found)
{
    controls_.foundCount->setText(QString::number(found));
    controls_.foundCount->adjustSize();
}

void WindowRun::VersePair(const std::string& right, const std::string& left,
                          const MatchMask& rightMask, const MatchMask& leftMask)
{
    panes_.AppendVersePair(right, left, rightMask, leftMask);
}

bool WindowRun::Progress(int line)
{
    // Processing events after every one of 8000 lines would cost more than the
    // comparison itself; a slice of a sixtieth of a second keeps the window live.
    if (slice_.elapsed() >= kEventSliceMs) {
        controls_.progress->setValue(line);
        controls_.leftPane->ScrollLines(-1000);
        controls_.rightPane->ScrollLines(-1000);
        QCoreApplication::processEvents();
        slice_.restart();
    }
    return !stopFlag_;
}

bool WindowRun::StillGoing()
{
    // Inside one long line: the same slice as Progress, without moving the bar.
    if (slice_.elapsed() >= kEventSliceMs) {
        QCoreApplication::processEvents();
        slice_.restart();
    }
    return !stopFlag_;
}

void WindowRun::SaveResultFiles()
{
    const std::vector<std::string> failures =
        panes_.SaveResultFiles(chapters_ ? chapters_->Chapters() : std::vector<std::string>{});
    if (failures.empty())
        return;
    QString text = "The results could not be saved:";
    for (const std::string& f : failures)
        text += "\n" + FromLocal8Bit(f);
    showMessage_(text, false);
}

} // namespace synopter
