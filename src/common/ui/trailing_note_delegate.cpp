#include "common/ui/trailing_note_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

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

// Where the item's own text ends, with room to spare: a check box (as the
// style draws it) or a picture column as wide as the item is high, then the
// text as if bold. The view's delegate keeps its layout to itself, and a combo
// box's reports the popup's width rather than its text's.
int TextEnd(const QStyleOptionViewItem& option, const QModelIndex& index, int height)
{
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    int start = height;
    if (index.data(Qt::CheckStateRole).isValid())
        start = std::max(start, style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, option.widget) + 3 * margin);
    QFont bold = option.font;
    bold.setBold(true);
    return start + margin + QFontMetrics(bold).horizontalAdvance(index.data(Qt::DisplayRole).toString());
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
    const int left = option.rect.left() + TextEnd(option, index, option.rect.height()) + Gap(metrics);
    const QRect room(left, option.rect.top(), option.rect.right() - Gap(metrics) - left, option.rect.height());
    if (room.width() < metrics.averageCharWidth() * 4)
        return;
    painter->save();
    painter->setFont(font);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
    painter->drawText(room, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
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
        const int needed =
            TextEnd(option, index, std::max(option.rect.height(), size.height())) + 3 * Gap(metrics) +
            metrics.horizontalAdvance(note);
        size.setWidth(std::max(size.width(), needed));
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

void TrailingNoteDelegate::WidenPopup(QComboBox& comboBox)
{
    QAbstractItemView* view = comboBox.view();
    int width = 0;
    for (int i = 0; i < comboBox.count(); ++i) {
        const QModelIndex index = comboBox.model()->index(i, comboBox.modelColumn());
        if (!index.data(kNoteRole).toString().isEmpty())
            width = std::max(width, view->sizeHintForIndex(index).width());
    }
    if (width > 0)
        width += view->verticalScrollBar()->sizeHint().width() + 2 * view->frameWidth();
    view->setMinimumWidth(width);
}

} // namespace synopter
