#include "editions/ui/source_list.h"

#include "common/ui/greek_accessibility.h"
#include "common/ui/qt_bytes.h"

#include <QEvent>
#include <QScrollBar>

namespace synopter {

void EditionLinesModel::SetLines(Lines lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

void EditionLinesModel::SetItemHeight(int height)
{
    if (height == itemHeight_)
        return;
    beginResetModel();
    itemHeight_ = height;
    endResetModel();
}

void EditionLinesModel::SetDrawnAsGreek(bool greek)
{
    if (greek == drawnAsGreek_)
        return;
    drawnAsGreek_ = greek;
    if (!lines_ || lines_->empty())
        return;
    emit dataChanged(index(0), index(rowCount() - 1), {Qt::AccessibleTextRole});
}

int EditionLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !lines_ ? 0 : int(lines_->size());
}

QVariant EditionLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !lines_ || index.row() >= int(lines_->size()))
        return {};
    if (role == Qt::DisplayRole) {
        // Only the first characters can be seen (a character is at least a
        // pixel wide); laying out a line of megabytes at every paint froze the list.
        const std::string_view line = (*lines_)[size_t(index.row())];
        return FromLatin1(line.substr(0, kShownCharacters));
    }
    // Item views give assistive technology this role before the displayed text.
    if (role == Qt::AccessibleTextRole && drawnAsGreek_) {
        const std::string_view line = (*lines_)[size_t(index.row())];
        return TransliterationAsGreek(FromLatin1(line.substr(0, kShownCharacters)));
    }
    if (role == Qt::SizeHintRole)
        return QSize(kScrollExtent, itemHeight_);
    return {};
}

SourceList::SourceList(QWidget* parent) : QListView(parent), model_(new EditionLinesModel(this))
{
    setModel(model_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
}

void SourceList::SetLines(EditionLinesModel::Lines lines)
{
    model_->SetLines(std::move(lines));
}

void SourceList::changeEvent(QEvent* event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        // Another item height resets the model, which scrolls to the top: the top line is put back.
        const int top = keptTop_ >= 0 ? keptTop_ : TopIndex();
        model_->SetItemHeight(std::max(EditionLinesModel::kItemHeight, fontMetrics().height()));
        model_->SetDrawnAsGreek(DrawsTransliteration(font()));
        keptTop_ = top;
    }
}

// A resize lays the view out again later, the scroll bar's range shrunk for a
// while on the way: the top line would be clamped away (near the end, to the top).
void SourceList::resizeEvent(QResizeEvent* event)
{
    if (keptTop_ < 0)
        keptTop_ = TopIndex();
    QListView::resizeEvent(event);
}

void SourceList::updateGeometries()
{
    QListView::updateGeometries();
    if (keptTop_ >= 0 && verticalScrollBar()->maximum() > 0) {
        verticalScrollBar()->setValue(keptTop_);
        keptTop_ = -1;
    }
}

int SourceList::TopIndex() const
{
    return verticalScrollBar()->value();
}

void SourceList::SetTopIndex(int index)
{
    keptTop_ = -1;
    verticalScrollBar()->setValue(index);
}

} // namespace synopter
