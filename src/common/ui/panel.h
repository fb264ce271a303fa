#pragma once

#include <QFrame>

#include <vector>

namespace synopter {

// A panel: a plain container with a caption (drawn centred, usually covered by
// its children). Children are placed by a layout, or side by side: aligned
// ones, for views whose widths are balanced by hand (the result panes).
class Panel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString caption READ Caption WRITE SetCaption)

public:
    explicit Panel(const QString& name, QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // Aligned children, laid out at once on every resize: left-aligned ones keep
    // their width from the left edge on, the client child takes the rest.
    void AlignLeft(QWidget* child, int width);
    void AlignClient(QWidget* child);
    void SetAlignedWidth(QWidget* child, int width);
    void Realign();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString caption_;
    std::vector<QWidget*> alignedLeft_;
    QWidget* client_ = nullptr;
};

} // namespace synopter
