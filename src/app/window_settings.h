#pragma once

#include <functional>
#include <optional>
#include <QString>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QComboBox;
class QMainWindow;
class QSpinBox;
class QWidget;

namespace synopter {

class InterfaceLanguage;
class SettingsPlacement;

// The main window's settings file (kelvane.ini): read once at start-up,
// written back at close.
class WindowSettings {
public:
    // What the file holds, besides the window's place and size.
    struct Controls {
        QSpinBox* threshold;
        QComboBox* leftChooser;
        QComboBox* rightChooser;
        QCheckBox* scrollBoth;
        QAction* sourceTexts;
        // The chapter window, whose width the user may set (none in some tests).
        std::function<QWidget*()> chapterWindow;
        // How spelling variants count (items in the order of SpellingMode).
        QComboBox* spelling = nullptr;
        // The spelling rule groups: checkable items whose data() is a group's name.
        std::vector<QAction*> spellingRules = {};
        // View ▸ Aligned marking.
        QAction* alignedMarking = nullptr;
        // The results' side: the unit at the top of the panes (0 without
        // results) and the "Found verses" figure.
        std::function<size_t()> topUnit = {};
        QLabel* foundCount = nullptr;
    };
    // The source area under the panes: its height and the View menu's switch.
    struct SourceArea {
        std::function<int()> height;
        std::function<void(int)> setHeight;
        std::function<void()> toggle;
        // Whether that height leaves the result panes readable.
        std::function<bool(int)> fits;
    };

    WindowSettings(QMainWindow& window, Controls controls, SourceArea sourceArea, std::string programDir,
                   const InterfaceLanguage& language);

    void Read();
    // Why the settings file could not be read at start-up (its defaults then
    // apply, and the close replaces it); empty when it was read or is missing.
    const std::string& ReadProblem() const { return readProblem_; }
    // Where the panes were read and what they had found at the last close,
    // for the results restored at start-up.
    size_t TopUnit() const { return topUnit_; }
    const QString& FoundCount() const { return foundCount_; }
    // Writes every key in one replacement of the file; nothing when Read never
    // ran (start-up ended before it). A failed write throws WriteError and
    // leaves the file as it was.
    void Write();

private:
    QMainWindow& window_;
    Controls controls_;
    SourceArea sourceArea_;
    std::string programDir_;
    const InterfaceLanguage& language_;
    SettingsPlacement* placement_ = nullptr;
    // A stored splitter height brought into range, written back while the source area stays hidden.
    std::optional<int> mendedSplitter_;
    std::string readProblem_;
    size_t topUnit_ = 0;
    QString foundCount_;
};

} // namespace synopter
