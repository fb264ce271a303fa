#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>

namespace synopter {

class ResultPane;

// A small tag at the top right of a result pane naming the chapter of its top
// line while that chapter's heading is scrolled away, so that a reader taken
// into the middle of a long chapter (by Find, a step or a reference) still
// sees which book and chapter it is.
class StickyHeading : public QObject {
    Q_OBJECT

public:
    // `chapterAtTop` gives the heading label ("KATA IWANNHN 8") of the top
    // line's chapter, or "" while the heading itself is at the top or there
    // are no results.
    // Not a child of the pane: its owner ends it before what `chapterAtTop`
    // reads, so that no scrolling while the widgets are torn down reaches it.
    StickyHeading(ResultPane* pane, std::function<std::string()> chapterAtTop);
    ~StickyHeading() override;

    void Update();
    QLabel* Label() const { return label_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    ResultPane* pane_;
    QWidget* viewport_;
    QPointer<QLabel> label_; // the viewport's child: gone with it, if first
    // Scrolling and filling change the scroll bar many times an event-loop
    // turn (a run, a new layout): the tag follows once, after them.
    QTimer pending_;
    std::function<std::string()> chapterAtTop_;
};

} // namespace synopter
