#pragma once

#include <QObject>

#include <functional>
#include <string>

class QLabel;

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
    StickyHeading(ResultPane* pane, std::function<std::string()> chapterAtTop);

    void Update();
    QLabel* Label() const { return label_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    ResultPane* pane_;
    QLabel* label_;
    std::function<std::string()> chapterAtTop_;
};

} // namespace synopter
