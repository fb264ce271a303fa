#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace synopter {

// Help > "Synopter Help": the handbook shipped with the program, read in the
// program itself, so no browser is needed; its outside links go to the browser.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    HelpWindow(QWidget* parent, const QString& handbookPath);

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// Help > "About Synopter": the version and the licences of the program, its
// font and the sample texts.
QString AboutText();

} // namespace synopter
