#pragma once

#include <QAbstractItemDelegate>
#include <QPointer>

class QComboBox;

namespace synopter {

// Draws an item's note (kNoteRole) after its text, muted, with the view's own
// delegate drawing the item as before: a list shows more of an entry while the
// entry's text, which code reads as its name, stays what it was. Items without
// a note look exactly as they did.
class TrailingNoteDelegate : public QAbstractItemDelegate {
public:
    static constexpr int kNoteRole = Qt::UserRole + 40;

    // `inner`: the view's delegate, kept by its owner. With `widen` an item asks
    // for the room its note needs (WidenPopup makes a combo box's popup that
    // wide); without, the note is cut to the room the view gives. The note
    // stands at the item's right.
    TrailingNoteDelegate(QAbstractItemDelegate* inner, bool widen, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Check boxes and tooltips work as the view's own delegate has them.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // A combo box's popup sizes itself by the item texts alone: as wide as its
    // widest item asks for when some item has a note, as Qt has it when none has.
    static void WidenPopup(QComboBox& comboBox);

private:
    QPointer<QAbstractItemDelegate> inner_;
    bool widen_;
};

} // namespace synopter
