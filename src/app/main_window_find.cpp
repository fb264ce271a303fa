// The main window's finding and going to: a chapter's heading in all four
// views, the next difference, find in the results or a source list, and a
// reference.
#include "app/main_window.h"

#include "app/main_window_names.h"
#include "app/main_window_ui.h"
#include "collate/ui/apparatus_window.h"
#include "common/ui/qt_bytes.h"
#include "compare/result_model.h"
#include "compare/ui/pane_pair.h"
#include "compare/ui/result_pane.h"
#include "editions/edition_lines.h"
#include "editions/ui/source_list.h"
#include "find/result_find.h"
#include "find/ui/find_bar.h"
#include "language/ui/translate_form.h"

#include <QApplication>
#include <QInputDialog>

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
    if (const std::optional<size_t> unit = from ? results_->NextPair(*from, forward) : std::nullopt) {
        panes_->GoToUnit(*unit);
        FollowUnit(*unit);
    } else {
        QApplication::beep();
    }
}

void MainWindow::FollowUnit(size_t unit)
{
    if (unit >= results_->Count())
        return;
    const std::string heading = results_->HeadingAtOrAbove(unit);
    if (heading.empty())
        return;
    // The verse: the reference opening either side of a pair; 0 for a heading.
    int verse = 0;
    if (!results_->IsHeading(unit))
        for (const int side : {0, 1})
            if (const VerseParts parts = ParseVerseLine(results_->Text(unit, side)); verse == 0 && parts.verse > 0)
                verse = parts.verse;
    if (ui_->sourceArea->isVisible()) {
        for (const Side side : {Side::Left, Side::Right}) {
            const std::optional<size_t> line = Edition(side).VerseLine(heading, verse);
            if (!line)
                continue;
            SourceList* list = List(side);
            list->setCurrentIndex(list->model()->index(int(*line), 0));
            list->SetTopIndex(int(*line));
        }
    }
    if (ApparatusWindow* apparatus = Apparatus(); apparatus && apparatus->isVisible())
        apparatus->ShowVerse(heading, verse);
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
    if (match) {
        panes_->GoToUnit(match->unit, RangesOf(match->left), RangesOf(match->right));
        FollowUnit(match->unit);
    }
    bar->ShowOutcome(match, direction);
}

void MainWindow::AskReference()
{
    const WindowTextReader read = ReadWindowTexts(language_, main_window_names::window);
    bool ok = false;
    const QString typed = QInputDialog::getText(
        this, ui_->gotoReferenceAction->text().remove('&').remove(QString::fromUtf8("…")),
        read("Gotoreference1_prompt", "Reference (John 3:16, Jn 8 or 17:21):"), QLineEdit::Normal, QString(), &ok);
    if (ok && !typed.trimmed().isEmpty())
        GoToReference(typed);
}

bool MainWindow::GoToReference(const QString& typed)
{
    const WindowTextReader read = ReadWindowTexts(language_, main_window_names::window);
    FindBar* bar = ui_->findBar;
    FindQuery query = QueryOf(typed);
    if (query.kind != FindQuery::Kind::Verse && query.kind != FindQuery::Kind::Chapter) {
        bar->show();
        bar->ShowStatus(read("Gotoreference1_invalid", "not a reference: %1").arg(typed.trimmed()));
        QApplication::beep();
        return false;
    }
    panes_->Flush(); // restored results still being shown are searched whole
    // "17:21" is in the book being read: that of the unit marked in view, else of the top.
    if (!query.book) {
        const std::optional<size_t> at = panes_->SearchStart(false);
        const std::string heading = at ? results_->HeadingAtOrAbove(*at) : std::string();
        query.book = BookOfTitle(BookTitle(heading.empty() ? ChapterInView() : heading));
    }
    const std::optional<size_t> unit = ResultAtOrAfter(query, *results_);
    if (unit)
        panes_->GoToUnit(*unit);
    for (const Side side : {Side::Left, Side::Right}) {
        const std::optional<FindMatch> line = FindInLines(query, Edition(side).Lines(), SIZE_MAX, FindDirection::Forward);
        if (!line)
            continue;
        SourceList* list = List(side);
        list->setCurrentIndex(list->model()->index(int(line->unit), 0));
        list->SetTopIndex(int(line->unit));
    }
    if (unit) {
        bar->ShowStatus(QString());
        return true;
    }
    bar->show();
    bar->ShowStatus(read("Gotoreference1_missing", "%1: not among the results").arg(typed.trimmed()));
    return false;
}

FindBar& MainWindow::Finder() const
{
    return *ui_->findBar;
}

} // namespace synopter
