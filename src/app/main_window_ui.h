#pragma once

#include <QList>
#include <QString>

class QColor;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMainWindow;
class QObject;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QWidget;

namespace synopter {

class FindBar;

class SourceList;
class Panel;
class ResultPane;

// The main window's controls, built in creation order with their design-time
// placement. The member names are the object names language files address.
struct MainWindowUi {
    // Creates every control on `window`; nothing is connected to the window's
    // handlers here.
    void Setup(QMainWindow* window);

    // Owned components in creation order, the order language files are applied in.
    QList<QObject*> Components() const;

    // The height of the source area under the result panes (the splitter's lower part).
    int SourceAreaHeight() const;
    // Keeps the found count clear of the chapter button at any window width.
    void PlaceFoundCount();
    void SetSourceAreaHeight(int height);
    // Whether a source area that high still leaves the panes their few lines.
    bool LeavesPanesReadable(int sourceHeight) const;
    static constexpr int kReadableLines = 3;

    QWidget* central = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QComboBox* cb1 = nullptr;
    QComboBox* cb2 = nullptr;
    QPushButton* compare = nullptr;
    QPushButton* bbStop = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QSpinBox* seAmountDiffer = nullptr;
    QCheckBox* chbScrollBoth = nullptr;
    QCheckBox* exactpositions = nullptr;
    QLabel* Label12 = nullptr;       // "Spelling variants:"
    QComboBox* cbSpelling = nullptr; // count / mark / ignore
    QProgressBar* ProgressBar1 = nullptr;
    Panel* Panel1 = nullptr;
    Panel* Panel2 = nullptr;
    Panel* Panel3 = nullptr;
    Panel* Panel4 = nullptr;
    Panel* Panel5 = nullptr;
    Panel* Panel7 = nullptr;
    Panel* Panel8 = nullptr;
    Panel* Panel9 = nullptr; // the notice shown when there is no edition
    QLabel* Label7 = nullptr;
    Panel* Panel10 = nullptr; // the bar saying a run was stopped
    QLabel* Label8 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    ResultPane* RichEdit1 = nullptr;
    ResultPane* RichEdit2 = nullptr;
    SourceList* ListBox1 = nullptr;
    SourceList* ListBox2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* ClearTRcomparison1 = nullptr;
    QAction* Copy2 = nullptr;
    QAction* CrearMajoritycomparison1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* File1 = nullptr;
    QAction* Importedition1 = nullptr;
    QAction* Exportresults1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* ExportPDF1 = nullptr;
    QAction* Quit1 = nullptr;
    QAction* Search1 = nullptr;
    QAction* Find1 = nullptr;
    QAction* Findnext1 = nullptr;
    QAction* Findprevious1 = nullptr;
    QAction* Statistics1 = nullptr;
    QAction* Apparatus1 = nullptr;
    FindBar* Panel11 = nullptr; // the find bar
    QAction* Nextdifference1 = nullptr;
    QAction* Previousdifference1 = nullptr;
    QAction* View1 = nullptr;
    QAction* Sourcetexts1 = nullptr;
    QAction* Interfacelanguage1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* SynopterHelp1 = nullptr;
    QAction* AboutSynopter1 = nullptr;

private:
    void BuildTopBar();
    void BuildBottomBar();
    void BuildWorkArea();
    void BuildMenus(QMainWindow* window);
    void NameForAssistiveTechnology();
    void BuildNoEditionsNotice();
    void BuildStoppedNotice();
    // A panel in its own background colour, for a notice over the work area.
    static Panel* NoticePanel(const char* name, QWidget* parent, const QColor& background);
    void SetTabOrder();
};

// Every component keeps its hint (the language files may set one for any of
// them); only the controls that show hints get a tooltip.
void SetHint(QWidget* w, const QString& hint, bool shown);

} // namespace synopter
