// The main window's menu bar and the result panes' pop-up menus.
#include "app/main_window_ui.h"

#include "app/main_window_names.h"

#include "compare/spelling_groups.h"
#include "compare/ui/result_pane.h"

#include <QAction>
#include <span>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace synopter {

namespace names = main_window_names;

void MainWindowUi::BuildSpellingRulesMenu(QMenu* view)
{
    // The English texts; the language files give them by the items' names.
    static constexpr const char* kTexts[] = {
        "&Movable nu: eipe/eipen, pasi/pasin",
        "Double &rho after a prefix: errhyh/erhyh",
        "Final &sigma: outw/outwv",
        "&Assimilation of a prefix: sumbainei/sunbainei",
        "&Elision: all/alla, ef/epi",
        "&Names: dabid/dauid, iwannhv/iwanhv",
        "&Listed words: piein/pein, hdunato/edunato",
        "&Itacism: ei/i, ai/e, h/i/u inside a stem",
        "&Doubled consonants: ll/l, nn/n, ss/s",
        "Nasal &before a consonant: aggelov/angelov",
        "As&piration: ouk/ouc, ap/af",
        "A&orist endings: eipon/eipan",
        "&Crasis: kagw/kaiegw",
        "Nomina sa&cra: yv/yeov, kv/kuriov",
    };
    const std::span<const SpellingGroupInfo> groups = SpellingGroupList();
    static_assert(std::size(kTexts) == kSpellingGroupCount && std::size(names::spellingRuleActions) == kSpellingGroupCount);
    spellingRulesPopup = view->addMenu("Spelling &rules");
    spellingRulesPopup->setObjectName(names::spellingRulesPopup);
    spellingRulesMenu = spellingRulesPopup->menuAction();
    spellingRulesMenu->setObjectName(names::spellingRulesMenu);
    for (size_t i = 0; i < groups.size(); ++i) {
        if (i > 0 && groups[i - 1].byDefault && !groups[i].byDefault)
            spellingRulesPopup->addSeparator(); // the manuscripts' groups below
        QAction* item = spellingRulesPopup->addAction(kTexts[i]);
        item->setObjectName(names::spellingRuleActions[i]);
        item->setCheckable(true);
        item->setChecked(groups[i].byDefault);
        item->setData(QString::fromLatin1(groups[i].name.data(), qsizetype(groups[i].name.size())));
        spellingRuleActions.push_back(item);
    }
}

SpellingGroups MainWindowUi::ChosenSpellingGroups() const
{
    SpellingGroups chosen;
    const std::span<const SpellingGroupInfo> groups = SpellingGroupList();
    for (size_t i = 0; i < spellingRuleActions.size() && i < groups.size(); ++i)
        if (spellingRuleActions[i]->isChecked())
            chosen.Add(groups[i].group);
    return chosen;
}

void MainWindowUi::BuildMenus(QMainWindow* window)
{
    menuBar = window->menuBar();
    menuBar->setObjectName(names::menuBar);
    QMenu* file = menuBar->addMenu("&File");
    file->setObjectName(names::filePopup);
    fileMenu = file->menuAction();
    fileMenu->setObjectName(names::fileMenu);
    importAction = file->addAction(QString::fromUtf8("&Import edition…"));
    importAction->setObjectName(names::importAction);
    removeAction = file->addAction(QString::fromUtf8("&Remove edition…"));
    removeAction->setObjectName(names::removeAction);
    file->addSeparator();
    exportAction = file->addAction(QString::fromUtf8("&Export results…"));
    exportAction->setObjectName(names::exportAction);
    printAction = file->addAction(QString::fromUtf8("&Print…"));
    printAction->setObjectName(names::printAction);
    printAction->setShortcut(QKeySequence::Print);
    exportPdfAction = file->addAction(QString::fromUtf8("Export as P&DF…"));
    exportPdfAction->setObjectName(names::exportPdfAction);
    file->addSeparator();
    quitAction = file->addAction("&Quit");
    quitAction->setObjectName(names::quitAction);
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* search = menuBar->addMenu("&Search");
    search->setObjectName(names::searchPopup);
    searchMenu = search->menuAction();
    searchMenu->setObjectName(names::searchMenu);
    findAction = search->addAction(QString::fromUtf8("&Find…"));
    findAction->setObjectName(names::findAction);
    findAction->setShortcut(QKeySequence::Find);
    findNextAction = search->addAction("Find ne&xt");
    findNextAction->setObjectName(names::findNextAction);
    findNextAction->setShortcut(QKeySequence(Qt::Key_F3));
    findPreviousAction = search->addAction("Find pre&vious");
    findPreviousAction->setObjectName(names::findPreviousAction);
    findPreviousAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    gotoReferenceAction = search->addAction(QString::fromUtf8("&Go to reference…"));
    gotoReferenceAction->setObjectName(names::gotoReferenceAction);
    gotoReferenceAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    search->addSeparator();
    nextDifferenceAction = search->addAction("&Next difference");
    nextDifferenceAction->setObjectName(names::nextDifferenceAction);
    nextDifferenceAction->setShortcut(QKeySequence(Qt::Key_F7));
    previousDifferenceAction = search->addAction("&Previous difference");
    previousDifferenceAction->setObjectName(names::previousDifferenceAction);
    previousDifferenceAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
    QMenu* view = menuBar->addMenu("&View");
    view->setObjectName(names::viewPopup);
    viewMenu = view->menuAction();
    viewMenu->setObjectName(names::viewMenu);
    sourceTextsAction = view->addAction("&Source texts");
    sourceTextsAction->setObjectName(names::sourceTextsAction);
    sourceTextsAction->setCheckable(true);
    sourceTextsAction->setChecked(true);
    BuildSpellingRulesMenu(view);
    alignedMarkingAction = view->addAction("Aligned &marking");
    alignedMarkingAction->setObjectName(names::alignedMarkingAction);
    alignedMarkingAction->setCheckable(true);
    languageAction = view->addAction("&Interface language");
    languageAction->setObjectName(names::languageAction);
    statisticsAction = view->addAction(QString::fromUtf8("S&tatistics…"));
    statisticsAction->setObjectName(names::statisticsAction);
    apparatusAction = view->addAction(QString::fromUtf8("&Apparatus…"));
    apparatusAction->setObjectName(names::apparatusAction);
    QMenu* help = menuBar->addMenu("&Help");
    help->setObjectName(names::helpPopup);
    helpMenu = help->menuAction();
    helpMenu->setObjectName(names::helpMenu);
    helpAction = help->addAction("Synopter &Help");
    helpAction->setObjectName(names::helpAction);
    helpAction->setShortcut(QKeySequence::HelpContents);
    aboutAction = help->addAction("&About Synopter");
    aboutAction->setObjectName(names::aboutAction);

    const auto popup = [&](const char* name, ResultPane* pane, const char* clearName, const char* copyName,
                           QAction*& clearItem, QAction*& copyItem) {
        auto* menu = new QMenu(window);
        menu->setObjectName(name);
        clearItem = menu->addAction("Clear");
        clearItem->setObjectName(clearName);
        clearItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
        clearItem->setShortcutContext(Qt::WidgetShortcut);
        copyItem = menu->addAction("Copy");
        copyItem->setObjectName(copyName);
        copyItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
        copyItem->setShortcutContext(Qt::WidgetShortcut);
        pane->addAction(clearItem);
        pane->addAction(copyItem);
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(pane, &QWidget::customContextMenuRequested, menu,
                         [menu, pane](const QPoint& at) { menu->popup(pane->viewport()->mapToGlobal(at)); });
        QObject::connect(copyItem, &QAction::triggered, pane, [pane] { pane->copy(); });
        return menu;
    };
    rightPaneMenu = popup(names::rightPaneMenu, rightPane, names::clearRightAction, names::copyRightAction, clearRightAction, copyRightAction);
    leftPaneMenu = popup(names::leftPaneMenu, leftPane, names::clearLeftAction, names::copyLeftAction, clearLeftAction, copyLeftAction);
}

} // namespace synopter
