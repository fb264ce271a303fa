#include "common/ui/view_widths.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

namespace synopter {

int ClientWidth(const QAbstractScrollArea* view)
{
    const QScrollBar* bar = view->verticalScrollBar();
    const bool barShown = view->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
        || (view->verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded && bar->maximum() > 0);
    return view->contentsRect().width() - (barShown ? bar->sizeHint().width() : 0);
}

void BalanceWidths(const QAbstractScrollArea* left, const QAbstractScrollArea* right, const QWidget* leftHolder,
                   const std::function<void(int)>& setLeftWidth)
{
    const int d = ClientWidth(left) - ClientWidth(right);
    if (d > 1)
        setLeftWidth(leftHolder->width() - d / 2);
    const int e = ClientWidth(right) - ClientWidth(left);
    if (e > 1)
        setLeftWidth(leftHolder->width() + e / 2);
}

} // namespace synopter
