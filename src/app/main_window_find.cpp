// The main window's finding and going to: a chapter's heading in all four
// views, the next difference, and find in the results or a source list.
#include "app/main_window.h"

#include "app/main_window_ui.h"
#include "collate/ui/apparatus_window.h"
#include "common/ui/qt_bytes.h"
#include "compare/result_model.h"
#include "compare/ui/pane_pair.h"
#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"
#include "find/result_find.h"
#include "find/ui/find_bar.h"

#include <QApplication>

namespace synopter {

void MainWindow::GoToChapter(const std::string& label)
{
    panes_->Flush(); // restored results still being shown are needed whole
    const QString text = FromLatin1(label);
    for (ResultPane* pane : {ui_->leftPane, ui_->rightPane}) {
        const int line = pane->LastLineEqualTo(text);
        if (line >= 0)
            pane->ScrollToLine(line);
    }
    for (const Side side : {Side::Left, Side::Right})
        if (const std::optional<size_t> line = Edition(side).LastLineEqualTo(label))
            List(side)->SetTopIndex(int(*line));
    if (ApparatusWindow* apparatus = Apparatus())
        apparatus->ShowChapter(label);
}

std::string MainWindow::ChapterInView() const
{
    panes_->Flush(); // restored results still being shown are needed whole
    if (std::string heading = results_->HeadingAtOrAbove(panes_->TopUnit()); !heading.empty())
        return heading;
    return Edition(Side::Left).HeadingAtOrAbove(size_t(std::max(0, ui_->leftList->TopIndex())));
}

void MainWindow::GoToDifference(bool forward)
{
    const std::optional<size_t> from = panes_->SearchStart(forward);
    if (const std::optional<size_t> unit = from ? results_->NextPair(*from, forward) : std::nullopt)
        panes_->GoToUnit(*unit);
    else
        QApplication::beep();
}

void MainWindow::OpenFindBar()
{
    ui_->findBar->Open();
}

namespace {

PanePair::Ranges RangesOf(const std::vector<ByteRange>& ranges)
{
    PanePair::Ranges out;
    for (const ByteRange& r : ranges)
        out.emplace_back(r.begin, r.end);
    return out;
}

} // namespace

void MainWindow::FindStep(bool forward)
{
    FindBar* bar = ui_->findBar;
    if (bar->Text().trimmed().isEmpty()) {
        bar->Open();
        return;
    }
    const FindQuery query = QueryOf(bar->Text());
    const FindDirection direction = forward ? FindDirection::Forward : FindDirection::Backward;

    if (auto* list = qobject_cast<SourceList*>(searchedView_)) {
        const LoadedEdition& edition = Edition(list == ui_->leftList ? Side::Left : Side::Right);
        const QModelIndex current = list->currentIndex();
        const size_t from = current.isValid() ? size_t(current.row()) : SIZE_MAX;
        const std::optional<FindMatch> match = FindInLines(query, edition.Lines(), from, direction);
        if (match) {
            list->setCurrentIndex(list->model()->index(int(match->unit), 0));
            list->SetTopIndex(int(match->unit));
        }
        bar->ShowOutcome(match, direction);
        return;
    }

    panes_->Flush(); // restored results still being shown are searched whole
    const std::optional<size_t> from = panes_->SearchStart(forward);
    const std::optional<FindMatch> match = from ? FindInResults(query, *results_, *from, direction) : std::nullopt;
    if (match)
        panes_->GoToUnit(match->unit, RangesOf(match->left), RangesOf(match->right));
    bar->ShowOutcome(match, direction);
}

FindBar& MainWindow::Finder() const
{
    return *ui_->findBar;
}

} // namespace synopter
