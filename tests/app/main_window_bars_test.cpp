// The main window's top and bottom bars: every text whole in every language
// and size, and Tab going through them as the eye reads.
#include "app/window_test.h"
#include "app/main_window_names.h"
#include "language/ui/translate_form.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

namespace synopter::test {
namespace {

namespace names = main_window_names;

// The room a control leaves its text, by how the style draws it.
int TextRoom(QWidget* w)
{
    if (auto* box = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
    }
    if (auto* chooser = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(chooser);
        return chooser->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, chooser).width();
    }
    return w->contentsRect().width();
}

// The bars in English and in Russian, at the size the window starts with and at
// its least: every caption shown whole, every control wholly visible, none over
// another.
TEST_F(WindowTest, TheBarsShowEveryCaptionWholeInEveryLanguageAndSize)
{
    const QString shipped = QString(SYNOPTER_PROGRAM_DIR) + "/";
    if (!QFile::exists(shipped + "English.lng") || !QFile::exists(shipped + "Russian.lng"))
        GTEST_SKIP() << "language files not built in " << shipped.toStdString();
    Open();
    // Copied only now: language files at the start would ask for a language.
    for (const char* file : {"English.lng", "Russian.lng"})
        ASSERT_TRUE(QFile::copy(shipped + file, dir.filePath(file))) << file;
    const QSize startSize = MainWindow(Dir()).size();
    mainWindow->FoundCountLabel()->setText("88888");

    const char* const captioned[] = {names::compareButton, names::thresholdLabel, names::scrollBothBox,
                                     names::exactPositionsBox, names::foundLabel, names::foundCount,
                                     names::spellingLabel, names::spellingChooser};
    const char* const others[] = {names::leftChooser, names::rightChooser, names::thresholdBox, names::chapterButton,
                                  names::progressBar};
    struct Case {
        const char* language;
        const char* spelling; // the spelling chooser's first item
        bool least;
    };
    for (const Case c : {Case{"English", "count as differences", false}, Case{"English", "count as differences", true},
                         Case{"Russian", "считать разночтениями", false}, Case{"Russian", "считать разночтениями", true}}) {
        SCOPED_TRACE(std::string(c.language) + (c.least ? " at the least size" : " at the start size"));
        mainWindow->Language().Set(c.language);
        TranslateForm(*mainWindow, mainWindow->Components(), mainWindow->Language());
        mainWindow->TranslateSpokenNames();
        QApplication::processEvents();
        mainWindow->resize(c.least ? QSize(1, 1) : startSize);
        QApplication::processEvents();
        if (c.least) {
            ASSERT_EQ(mainWindow->size(), mainWindow->minimumSize());
        }
        // English needs no more room than the window starts with.
        if (std::string(c.language) == "English") {
            EXPECT_LE(mainWindow->minimumWidth(), startSize.width());
        }
        auto* const spelling = mainWindow->findChild<QComboBox*>(names::spellingChooser);
        EXPECT_EQ(spelling->itemText(0), QString::fromUtf8(c.spelling));

        std::vector<QWidget*> controls;
        for (const char* name : captioned) {
            auto* w = mainWindow->findChild<QWidget*>(name);
            EXPECT_GE(w->width(), w->sizeHint().width()) << name;
            EXPECT_GE(w->height(), w->sizeHint().height()) << name;
            QStringList texts{w->property("text").toString()};
            if (w == spelling) {
                texts.clear();
                for (int i = 0; i < spelling->count(); ++i)
                    texts << spelling->itemText(i);
            }
            for (const QString& text : texts)
                EXPECT_LE(w->fontMetrics().horizontalAdvance(text), TextRoom(w)) << name << " " << text.toStdString();
            controls.push_back(w);
        }
        for (const char* name : others)
            controls.push_back(mainWindow->findChild<QWidget*>(name));
        // The progress bar spans the bottom bar (whose column has no margins).
        const QProgressBar* const progress = mainWindow->ProgressBar();
        EXPECT_EQ(progress->width(), progress->parentWidget()->width());
        for (size_t i = 0; i < controls.size(); ++i) {
            QWidget* const w = controls[i];
            const QRect inWindow(w->mapTo(mainWindow.get(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(mainWindow->rect().contains(inWindow)) << w->objectName().toStdString();
            EXPECT_EQ(w->visibleRegion(), QRegion(w->rect())) << w->objectName().toStdString();
            for (size_t j = 0; j < i; ++j) {
                const QRect other(controls[j]->mapTo(mainWindow.get(), QPoint(0, 0)), controls[j]->size());
                EXPECT_FALSE(inWindow.intersects(other))
                    << w->objectName().toStdString() << " over " << controls[j]->objectName().toStdString();
            }
        }
    }
}

// Tab goes left to right through the top bar, the bottom bar's rows, the panes
// and the source lists; Stop, hidden outside a run, is never reached.
TEST_F(WindowTest, TabGoesThroughTheBarsAsTheEyeReads)
{
    Open();
    mainWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow.get()));
    mainWindow->Chooser(Side::Left)->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, QStringList({names::leftChooser, names::compareButton, names::rightChooser, names::thresholdBox,
                                    names::scrollBothBox, names::exactPositionsBox, names::chapterButton,
                                    names::spellingChooser, names::leftPane, names::rightPane, names::leftList,
                                    names::rightList}));
}

} // namespace
} // namespace synopter::test
