#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace synopter {

enum class MessageKind { Warning, Error };

// How the windows speak to the user beyond their own controls: a message, a
// yes-or-no question, the name of a file to save. The main window owns the
// program's (DialogMessages) and hands it to every window and flow it opens;
// tests hand them one that records instead.
class UserMessages {
public:
    virtual ~UserMessages() = default;

    virtual void Show(const QString& text, MessageKind kind) = 0;
    // True when the user says yes.
    virtual bool Ask(const QString& question) = 0;
    // Where to save, `suggested` offered first; empty when the user cancels.
    virtual QString AskSaveName(const QString& title, const QString& suggested, const QString& filter) = 0;
    // One of `choices`; empty when the user cancels.
    virtual QString AskChoice(const QString& question, const QStringList& choices) = 0;
};

// Modal message boxes and the save dialog, over the window the user is working
// in, else over `window`. Texts are shown as written: they quote file names and
// file contents, which are never read as markup.
class DialogMessages : public UserMessages {
public:
    explicit DialogMessages(QWidget* window) : window_(window) {}

    void Show(const QString& text, MessageKind kind) override;
    // Titled as the window it is asked over.
    bool Ask(const QString& question) override;
    QString AskSaveName(const QString& title, const QString& suggested, const QString& filter) override;
    QString AskChoice(const QString& question, const QStringList& choices) override;

private:
    QWidget* Over() const;

    QWidget* window_;
};

} // namespace synopter
