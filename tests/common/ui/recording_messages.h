#pragma once

#include "common/ui/user_messages.h"

#include <QStringList>

#include <vector>

namespace synopter::test {

// Stands in for the message boxes and dialogs: records what a window says and
// asks, and answers as the test has set.
class RecordingMessages : public UserMessages {
public:
    void Show(const QString& text, MessageKind kind) override
    {
        shown << text;
        kinds.push_back(kind);
    }
    bool Ask(const QString& question) override
    {
        questions << question;
        return answer;
    }
    QString AskSaveName(const QString&, const QString& suggested, const QString&) override
    {
        suggestedNames << suggested;
        return saveName;
    }
    QString AskChoice(const QString& question, const QStringList& offered) override
    {
        questions << question;
        choices << offered;
        return choice;
    }

    QStringList shown;
    std::vector<MessageKind> kinds; // of each shown
    QStringList questions;
    bool answer = false;
    QStringList suggestedNames;
    QString saveName; // empty: the user cancels
    QStringList choices; // offered by every AskChoice, one after another
    QString choice;      // the answer to AskChoice; empty: the user cancels
};

} // namespace synopter::test
