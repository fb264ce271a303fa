#include "editions/ui/source_list.h"

#include "common/ui/qt_bytes.h"

#include <QEvent>
#include <QScrollBar>

namespace synopter {

void EditionLinesModel::SetLines(std::vector<std::string> lines)
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

int EditionLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(lines_.size());
}

QVariant EditionLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(lines_.size()))
        return {};
    if (role == Qt::DisplayRole) {
        // Only the first characters can be seen (a character is at least a
        // pixel wide); laying out a line of megabytes at every paint froze the list.
        const std::string_view line = lines_[size_t(index.row())];
        return FromLatin1(line.substr(0, kShownCharacters));
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

void SourceList::SetLines(std::vector<std::string> lines)
{
    model_->SetLines(std::move(lines));
}

void SourceList::changeEvent(QEvent* event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        model_->SetItemHeight(std::max(EditionLinesModel::kItemHeight, fontMetrics().height()));
}

int SourceList::TopIndex() const
{
    return verticalScrollBar()->value();
}

void SourceList::SetTopIndex(int index)
{
    verticalScrollBar()->setValue(index);
}

} // namespace synopter
