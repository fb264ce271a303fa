#include "common/ui/panel.h"

#include <QPainter>

namespace synopter {

Panel::Panel(const QString& name, QWidget* parent) : QFrame(parent)
{
    setObjectName(name);
}

void Panel::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void Panel::AlignLeft(QWidget* child, int width)
{
    alignedLeft_.push_back(child);
    child->resize(width, height());
    Realign();
}

void Panel::AlignClient(QWidget* child)
{
    client_ = child;
    Realign();
}

void Panel::SetAlignedWidth(QWidget* child, int width)
{
    child->resize(std::max(0, width), child->height());
    Realign();
}

void Panel::Realign()
{
    int x = 0;
    for (QWidget* child : alignedLeft_) {
        if (child->isHidden())
            continue;
        child->setGeometry(x, 0, child->width(), height());
        x += child->width();
    }
    if (client_)
        client_->setGeometry(x, 0, std::max(0, width() - x), height());
}

void Panel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (caption_.isEmpty())
        return;
    QPainter p(this);
    p.drawText(rect(), Qt::AlignCenter, caption_);
}

void Panel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Realign();
}

} // namespace synopter
