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

void Panel::AnchorRight(QWidget* child, bool stretch, int referenceWidth)
{
    const QRect g = child->geometry();
    for (Anchor& a : anchors_) {
        if (a.child == child) {
            a.rightGap = referenceWidth - (g.x() + g.width());
            return;
        }
    }
    anchors_.push_back({child, stretch, referenceWidth - (g.x() + g.width())});
}

void Panel::ApplyAnchors()
{
    for (const Anchor& a : anchors_) {
        QRect g = a.child->geometry();
        if (a.stretch)
            g.setWidth(std::max(0, width() - a.rightGap - g.x()));
        else
            g.moveLeft(width() - a.rightGap - g.width());
        a.child->setGeometry(g);
    }
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
    ApplyAnchors();
    Realign();
}

} // namespace synopter
