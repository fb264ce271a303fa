#include "common/ui/user_messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace synopter {

QWidget* DialogMessages::Over() const
{
    QWidget* active = QApplication::activeWindow();
    return active ? active : window_;
}

namespace {

// A message box whose text is plain: the static QMessageBox functions would
// take a text that looks like markup as rich text.
QMessageBox::StandardButton PlainBox(QWidget* over, QMessageBox::Icon icon, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, over);
    box.setTextFormat(Qt::PlainText);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void DialogMessages::Show(const QString& text, MessageKind kind)
{
    PlainBox(Over(), kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Warning,
             QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

bool DialogMessages::Ask(const QString& question)
{
    QWidget* over = Over();
    return PlainBox(over, QMessageBox::Question, over ? over->windowTitle() : QString(), question,
                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString DialogMessages::AskSaveName(const QString& title, const QString& suggested, const QString& filter)
{
    return QFileDialog::getSaveFileName(Over(), title, suggested, filter);
}

QString DialogMessages::AskChoice(const QString& question, const QStringList& choices)
{
    QWidget* over = Over();
    QInputDialog dialog(over);
    dialog.setWindowTitle(over ? over->windowTitle() : QString());
    dialog.setLabelText(question);
    dialog.setComboBoxItems(choices);
    dialog.setComboBoxEditable(false);
    if (auto* label = dialog.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace synopter
