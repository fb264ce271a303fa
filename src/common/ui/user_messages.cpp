#include "common/ui/user_messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace synopter {

QWidget* DialogMessages::Over() const
{
    QWidget* active = QApplication::activeWindow();
    return active ? active : window_;
}

void DialogMessages::Show(const QString& text, MessageKind kind)
{
    if (kind == MessageKind::Error)
        QMessageBox::critical(Over(), QApplication::applicationDisplayName(), text);
    else
        QMessageBox::warning(Over(), QApplication::applicationDisplayName(), text);
}

bool DialogMessages::Ask(const QString& question)
{
    QWidget* over = Over();
    return QMessageBox::question(over, over ? over->windowTitle() : QString(), question) == QMessageBox::Yes;
}

QString DialogMessages::AskSaveName(const QString& title, const QString& suggested, const QString& filter)
{
    return QFileDialog::getSaveFileName(Over(), title, suggested, filter);
}

} // namespace synopter
