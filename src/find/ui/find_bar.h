#pragma once

#include "common/ui/panel.h"
#include "find/result_find.h"

#include <optional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace synopter {

class InterfaceLanguage;

// The find bar under the result panes: what to find, Previous and Next, a
// close button and how the last step went. It knows nothing of the panes: it
// asks through its signals and is told the outcome.
//
// Enter asks for the next match, Shift+Enter for the previous one, Esc closes.
class FindBar : public Panel {
    Q_OBJECT

public:
    explicit FindBar(QWidget* parent = nullptr);

    // Its controls, which the language files address in the main window's section.
    QList<QObject*> Components() const;
    // Captions, hints and the outcome texts in `language`, from the main window's section.
    void Translate(QWidget& mainWindow, const InterfaceLanguage& language);

    QLineEdit* Edit() const { return findEdit_; }
    QString Text() const;
    QString Status() const;

    // Shows the bar with the text selected, ready for typing.
    void Open();
    void ShowStatus(const QString& text);
    // "not found", "Wrapped to the start/end" or "3 of 17".
    void ShowOutcome(const std::optional<FindMatch>& match, FindDirection direction);

signals:
    void findNext(const QString& text);
    void findPrevious(const QString& text);
    void closed();

public slots:
    void Close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* findLabel_;
    QLineEdit* findEdit_;
    QToolButton* previousButton_; // previous
    QToolButton* nextButton_; // next
    QToolButton* closeButton_; // close
    QLabel* outcomeLabel_;           // the outcome
    QString notFound_ = "not found";
    QString wrappedToStart_ = "Wrapped to the start";
    QString wrappedToEnd_ = "Wrapped to the end";
    QString position_ = "%1 of %2";
};

// What the bar's text asks for (UTF-8 to the engine).
FindQuery QueryOf(const QString& typed);

} // namespace synopter
