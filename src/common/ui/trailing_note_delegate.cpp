#include "common/ui/trailing_note_delegate.h"

#include <QFontMetrics>
#include <QPainter>

namespace synopter {
namespace {

// The note's font: the item's, never bold, so that the name stands out.
QFont NoteFont(const QStyleOptionViewItem& option)
{
    QFont font = option.font;
    font.setBold(false);
    return font;
}

int Gap(const QFontMetrics& metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("  "));
}

} // namespace

TrailingNoteDelegate::TrailingNoteDelegate(QAbstractItemDelegate* inner, bool widen, QObject* parent)
    : QAbstractItemDelegate(parent), inner_(inner), widen_(widen)
{
    if (inner)
        connect(inner, &QAbstractItemDelegate::sizeHintChanged, this, &QAbstractItemDelegate::sizeHintChanged);
}

void TrailingNoteDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!inner_)
        return;
    inner_->paint(painter, option, index);
    const QString note = index.data(kNoteRole).toString();
    if (note.isEmpty())
        return;
    const QFont font = NoteFont(option);
    const QFontMetrics metrics(font);
    // The item's own width is where its text ends.
    const int left = option.rect.left() + inner_->sizeHint(option, index).width() + Gap(metrics);
    const QRect room(left, option.rect.top(), option.rect.right() - Gap(metrics) - left, option.rect.height());
    if (room.width() < metrics.averageCharWidth() * 4)
        return;
    painter->save();
    painter->setFont(font);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
    painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      metrics.elidedText(note, Qt::ElideRight, room.width()));
    painter->restore();
}

QSize TrailingNoteDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!inner_)
        return {};
    QSize size = inner_->sizeHint(option, index);
    const QString note = index.data(kNoteRole).toString();
    if (widen_ && !note.isEmpty()) {
        const QFontMetrics metrics(NoteFont(option));
        size.rwidth() += 2 * Gap(metrics) + metrics.horizontalAdvance(note);
    }
    return size;
}

bool TrailingNoteDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                       const QModelIndex& index)
{
    return inner_ && inner_->editorEvent(event, model, option, index);
}

bool TrailingNoteDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                     const QModelIndex& index)
{
    return inner_ ? inner_->helpEvent(event, view, option, index)
                  : QAbstractItemDelegate::helpEvent(event, view, option, index);
}

} // namespace synopter
