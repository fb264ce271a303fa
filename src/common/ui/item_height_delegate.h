#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace synopter {

// Every item of a view as high as designed, whatever its font's own spacing;
// the height is asked for each time, so it may change. With `topLeft` the
// picture and text are drawn from the item's top left.
class ItemHeightDelegate : public QStyledItemDelegate {
public:
    ItemHeightDelegate(std::function<int()> height, bool topLeft, QObject* parent)
        : QStyledItemDelegate(parent), height_(std::move(height)), topLeft_(topLeft)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(height_());
        return size;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (topLeft_) {
            option->displayAlignment = Qt::AlignLeft | Qt::AlignTop;
            option->decorationAlignment = Qt::AlignLeft | Qt::AlignTop;
        }
    }

private:
    std::function<int()> height_;
    bool topLeft_;
};

} // namespace synopter
