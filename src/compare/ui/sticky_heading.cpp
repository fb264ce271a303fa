#include "compare/ui/sticky_heading.h"

#include "common/ui/greek_accessibility.h"
#include "common/ui/qt_bytes.h"
#include "compare/ui/result_pane.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>

namespace synopter {

namespace {

constexpr int kMargin = 4;

} // namespace

StickyHeading::StickyHeading(ResultPane* pane, std::function<std::string()> chapterAtTop)
    : pane_(pane), viewport_(pane->viewport()), label_(new QLabel(viewport_)), chapterAtTop_(std::move(chapterAtTop))
{
    label_->setObjectName("lblChapterTop");
    // Never in the way: clicks and selections go to the text beneath.
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->setTextFormat(Qt::PlainText);
    // The headings' own dark red, on the pane's paper, framed so it reads as a tag.
    label_->setStyleSheet("QLabel { color: #800000; background: rgba(250, 250, 240, 235);"
                          " border: 1px solid #c8c0b0; border-radius: 3px; padding: 0px 6px; }");
    label_->hide();
    viewport_->installEventFilter(this);
    pending_.setSingleShot(true);
    pending_.setInterval(0);
    connect(&pending_, &QTimer::timeout, this, &StickyHeading::Update);
    const auto later = [this] { pending_.start(); };
    connect(pane_->verticalScrollBar(), &QScrollBar::valueChanged, this, later);
    connect(pane_->verticalScrollBar(), &QScrollBar::rangeChanged, this, later);
}

StickyHeading::~StickyHeading()
{
    delete label_;
}

void StickyHeading::Update()
{
    const std::string chapter = chapterAtTop_();
    if (chapter.empty()) {
        label_->hide();
        return;
    }
    QFont font = pane_->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 0.85); // a tag, not a second heading
    const QString text = FromLatin1(chapter); // the display font draws it in Greek
    if (text != label_->text() || font != label_->font()) {
        label_->setFont(font);
        label_->setText(text);
        // A label is read by its text; the reader must hear the Greek shown.
        label_->setAccessibleName(DrawsTransliteration(font) ? TransliterationAsGreek(text) : text);
        label_->adjustSize();
        Place();
    }
    label_->show();
}

void StickyHeading::Place()
{
    label_->move(std::max(0, viewport_->width() - label_->width() - kMargin), kMargin);
}

bool StickyHeading::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == viewport_ && label_)
        Place();
    return QObject::eventFilter(watched, event);
}

} // namespace synopter
