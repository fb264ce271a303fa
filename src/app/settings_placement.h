#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSize>

#include <optional>

class QWidget;

namespace synopter {

// The outer size of the main window as restored from the settings file. The
// file keeps outer (frame) sizes; the window is sized by its inside, so the
// frame is taken off. Before the first showing the window system has not framed
// the window yet and the frame reads as empty: the size set then is corrected
// once the frame appears, else every start would add a frame to the window.
//
// Its presence on the main window also tells that the settings were applied at
// start-up, which is when closing writes them back.
class SettingsPlacement : public QObject {
    Q_OBJECT

public:
    explicit SettingsPlacement(QWidget* window);

    void SetOuterHeight(int height);
    void SetOuterWidth(int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetOuterSize(QSize outer);
    QSize FrameExtent() const;

    QWidget* window_;
    std::optional<QSize> unframed_; // set while the frame was unknown
    QElapsedTimer sinceShown_;
    bool untilNormal_ = false; // shown maximized: corrected when first shown normal
};

} // namespace synopter
