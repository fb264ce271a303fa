#pragma once

#include <functional>

class QAbstractScrollArea;
class QWidget;

namespace synopter {

// The inner width of a pane or list, less a shown vertical scroll bar; measured
// without the viewport, which a hidden view has not laid out yet.
int ClientWidth(const QAbstractScrollArea* view);

// Evens two side-by-side views: the widget holding the left one gives or takes
// half the difference of their client widths; a pixel of difference stays.
void BalanceWidths(const QAbstractScrollArea* left, const QAbstractScrollArea* right, const QWidget* leftHolder,
                   const std::function<void(int)>& setLeftWidth);

} // namespace synopter
