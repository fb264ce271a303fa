#include "find/ui/find_bar.h"

#include "common/ini_file.h"
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
namespace {

void SetHint(QWidget* w, const QString& hint)
{
    w->setProperty("hint", hint);
    w->setProperty("showHint", true);
    w->setToolTip(hint);
}

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

FindBar::FindBar(QWidget* parent) : Panel("Panel11", parent)
{
    setFont(InterfaceFont());
    setFrameShape(QFrame::NoFrame);
    SetHint(this, QString());

    label10_ = new QLabel("Find:", this);
    label10_->setObjectName("Label10");
    SetHint(label10_, QString());
    edit3_ = new QLineEdit(this);
    edit3_->setObjectName("Edit3");
    edit3_->setClearButtonEnabled(true);
    edit3_->setMinimumWidth(180);
    edit3_->setPlaceholderText("A word, words or a reference (John 3:16)");
    speedButton5_ = Button("SpeedButton5", "Previous", "Find the previous match (Shift+Enter)", this);
    speedButton6_ = Button("SpeedButton6", "Next", "Find the next match (Enter)", this);
    label11_ = new QLabel(this);
    label11_->setObjectName("Label11");
    label11_->setTextFormat(Qt::PlainText);
    SetHint(label11_, QString());
    speedButton7_ = Button("SpeedButton7", "X", "Close the find bar (Esc)", this);
    label10_->setBuddy(edit3_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(label10_);
    layout->addWidget(edit3_, 1);
    layout->addWidget(speedButton5_);
    layout->addWidget(speedButton6_);
    layout->addWidget(label11_, 1);
    layout->addWidget(speedButton7_);

    connect(speedButton5_, &QToolButton::clicked, this, [this] { emit findPrevious(Text()); });
    connect(speedButton6_, &QToolButton::clicked, this, [this] { emit findNext(Text()); });
    connect(speedButton7_, &QToolButton::clicked, this, &FindBar::Close);
    // A changed text is a new search: the old outcome no longer applies.
    connect(edit3_, &QLineEdit::textEdited, label11_, &QLabel::clear);
    edit3_->installEventFilter(this);
    hide();
}

QList<QObject*> FindBar::Components() const
{
    return {const_cast<FindBar*>(this), label10_, edit3_, speedButton5_, speedButton6_, label11_, speedButton7_};
}

void FindBar::Translate(QWidget& mainWindow, const InterfaceLanguage& language)
{
    TranslateForm(mainWindow, Components(), language);
    if (!language.IsSet())
        return;
    // The line edit and the outcome texts are not captions of a component.
    const IniFile file(language.FilePath());
    const auto read = [&](const char* key, const QString& current) {
        return FromLocal8Bit(file.ReadString("Form1", key, ToLocal8Bit(current)));
    };
    const QString hint = read("Edit3_hint", edit3_->placeholderText());
    edit3_->setPlaceholderText(hint);
    SetHint(edit3_, hint);
    notFound_ = read("FindNotFound", notFound_);
    wrappedToStart_ = read("FindWrappedToStart", wrappedToStart_);
    wrappedToEnd_ = read("FindWrappedToEnd", wrappedToEnd_);
    position_ = read("FindPosition", position_);
}

QString FindBar::Text() const { return edit3_->text(); }
QString FindBar::Status() const { return label11_->text(); }

void FindBar::Open()
{
    show();
    edit3_->setFocus(Qt::ShortcutFocusReason);
    edit3_->selectAll();
}

void FindBar::Close()
{
    hide();
    emit closed();
}

void FindBar::ShowStatus(const QString& text) { label11_->setText(text); }

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
    if (watched == edit3_ && event->type() == QEvent::KeyPress) {
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
