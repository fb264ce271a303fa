#include "find/ui/find_bar.h"
#include "find/ui/find_bar_names.h"

#include "common/ui/hints.h"
#include "common/ui/interface_fonts.h"
#include "common/ui/qt_bytes.h"
#include "language/interface_language.h"
#include "language/ui/translate_form.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace synopter {

namespace names = find_bar_names;

namespace {

QToolButton* Button(const char* name, const QString& caption, const QString& hint, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    SetHint(b, hint);
    return b;
}

} // namespace

FindBar::FindBar(QWidget* parent) : Panel(names::bar, parent)
{
    setFont(InterfaceFont());
    setFrameShape(QFrame::NoFrame);
    SetHint(this, QString());

    findLabel_ = new QLabel("Find:", this);
    findLabel_->setObjectName(names::findLabel);
    findLabel_->setTextFormat(Qt::PlainText);
    SetHint(findLabel_, QString());
    findEdit_ = new QLineEdit(this);
    findEdit_->setObjectName(names::findEdit);
    findEdit_->setClearButtonEnabled(true);
    findEdit_->setMinimumWidth(180);
    findEdit_->setPlaceholderText("A word, words or a reference (John 3:16)");
    previousButton_ = Button(names::previousButton, "Previous", "Find the previous match (Shift+Enter)", this);
    nextButton_ = Button(names::nextButton, "Next", "Find the next match (Enter)", this);
    outcomeLabel_ = new QLabel(this);
    outcomeLabel_->setObjectName(names::outcomeLabel);
    outcomeLabel_->setTextFormat(Qt::PlainText);
    SetHint(outcomeLabel_, QString());
    closeButton_ = Button(names::closeButton, "X", "Close the find bar (Esc)", this);
    findLabel_->setBuddy(findEdit_);
    closeButton_->setAccessibleName("Close the find bar"); // its caption "X" says nothing spoken

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(findLabel_);
    layout->addWidget(findEdit_, 1);
    layout->addWidget(previousButton_);
    layout->addWidget(nextButton_);
    layout->addWidget(outcomeLabel_, 1);
    layout->addWidget(closeButton_);

    connect(previousButton_, &QToolButton::clicked, this, [this] { emit findPrevious(Text()); });
    connect(nextButton_, &QToolButton::clicked, this, [this] { emit findNext(Text()); });
    connect(closeButton_, &QToolButton::clicked, this, &FindBar::Close);
    // A changed text is a new search: the old outcome no longer applies.
    connect(findEdit_, &QLineEdit::textEdited, outcomeLabel_, &QLabel::clear);
    findEdit_->installEventFilter(this);
    hide();
}

QList<QObject*> FindBar::Components() const
{
    return {const_cast<FindBar*>(this), findLabel_, findEdit_, previousButton_, nextButton_, outcomeLabel_, closeButton_};
}

void FindBar::Translate(QWidget& mainWindow, const InterfaceLanguage& language)
{
    TranslateForm(mainWindow, Components(), language);
    if (!language.IsSet())
        return;
    // The line edit and the outcome texts are not captions of a component.
    const WindowTextReader read = ReadWindowTexts(language, ToLocal8Bit(mainWindow.objectName()));
    const QString hint = read("Edit3_hint", findEdit_->placeholderText());
    findEdit_->setPlaceholderText(hint);
    SetHint(findEdit_, hint);
    notFound_ = read("FindNotFound", notFound_);
    wrappedToStart_ = read("FindWrappedToStart", wrappedToStart_);
    wrappedToEnd_ = read("FindWrappedToEnd", wrappedToEnd_);
    position_ = read("FindPosition", position_);
    closeButton_->setAccessibleName(read("FindClose_name", closeButton_->accessibleName()));
}

QString FindBar::Text() const { return findEdit_->text(); }
QString FindBar::Status() const { return outcomeLabel_->text(); }

void FindBar::Open()
{
    show();
    findEdit_->setFocus(Qt::ShortcutFocusReason);
    findEdit_->selectAll();
}

void FindBar::Close()
{
    hide();
    emit closed();
}

void FindBar::ShowStatus(const QString& text) { outcomeLabel_->setText(text); }

void FindBar::ShowOutcome(const std::optional<FindMatch>& match, FindDirection direction)
{
    if (!match)
        ShowStatus(notFound_);
    else if (match->wrapped)
        ShowStatus(direction == FindDirection::Forward ? wrappedToStart_ : wrappedToEnd_);
    else
        ShowStatus(QString(position_).arg(match->ordinal).arg(match->total));
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == findEdit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                emit findPrevious(Text());
            else
                emit findNext(Text());
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            Close();
            return true;
        }
    }
    return Panel::eventFilter(watched, event);
}

FindQuery QueryOf(const QString& typed)
{
    const QByteArray utf8 = typed.toUtf8();
    return ParseFindQuery(std::string_view(utf8.constData(), size_t(utf8.size())));
}

} // namespace synopter
