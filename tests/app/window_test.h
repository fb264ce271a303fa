#pragma once

// The main window driven as a user would: editions written by the test into a
// program directory of its own, a real run, the panes checked character by character.
#include "app/main_window.h"
#include "chapters/ui/chapter_window.h"
#include "common/ui/panel.h"
#include "common/ui/recording_messages.h"
#include "common/ui/view_widths.h"
#include "compare/ui/result_pane.h"
#include "editions/ui/source_list.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace synopter::test {

namespace rtf = synopter::rtf;

inline constexpr rtf::Colour kBlue = 0xFF0000;
inline constexpr rtf::Colour kRed = 128;

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Left and right differ in three verses of two chapters.
        WriteEdition("Left", "KATA MARKON 1\r\n 1:1 arch tou euaggeliou\r\n 1:2 wv gegraptai en hsaia\r\n"
                             "KATA MARKON 2\r\n 2:1 kai palin\r\n 2:2 kai euyewv sunhcyhsan polloi\r\n");
        WriteEdition("Right", "KATA MARKON 1\r\n 1:1 arch tou euaggeliou\r\n 1:2 kaywv gegraptai en toiv profhtaiv\r\n"
                              "KATA MARKON 2\r\n 2:1 kai eishlyen palin\r\n 2:2 kai sunhcyhsan polloi\r\n");
    }

    void WriteEdition(const QString& name, const QByteArray& text)
    {
        WriteFile(dir.filePath(name + ".bk"), "[TextFont]\r\nName=DejaVu Sans\r\n[English]\r\nInformation=" + name.toLatin1() + " text\r\n");
        WriteFile(dir.filePath(name + ".dat"), text);
    }

    // Left and Right of one chapter whose every verse differs by a word: enough
    // verses make a run outlast several event slices.
    void WriteLongEditions(int verses)
    {
        QByteArray left, right;
        for (int i = 1; i <= verses; ++i) {
            left += " 1:" + QByteArray::number(i) + " alpha beta gamma\r\n";
            right += " 1:" + QByteArray::number(i) + " alpha delta gamma\r\n";
        }
        WriteEdition("Left", "KATA LOUKAN 1\r\n" + left);
        WriteEdition("Right", "KATA LOUKAN 1\r\n" + right);
    }

    // Editions whose verse 1:1 is `words` distinct words a side, none shared.
    void WriteHugePair(int words)
    {
        QByteArray left, right;
        for (int i = 0; i < words; ++i) {
            left += " a" + QByteArray::number(i);
            right += " b" + QByteArray::number(i);
        }
        WriteEdition("Left", "KATA LOUKAN 1\r\n 1:1" + left + "\r\n 1:2 alpha\r\n");
        WriteEdition("Right", "KATA LOUKAN 1\r\n 1:1" + right + "\r\n 1:2 omega\r\n");
    }

    std::string Dir() const { return (dir.path() + "/").toStdString(); }

    // Creates, shows and loads the window as the program does.
    void Open()
    {
        // The navigator shares the window's language, so it goes first.
        chapterWindow.reset();
        mainWindow = std::make_unique<MainWindow>(Dir(), &messages);
        chapterWindow = std::make_unique<ChapterWindow>(mainWindow.get(), Dir(), mainWindow->Language(), messages,
                                                        [this](const std::string& l) { mainWindow->GoToChapter(l); });
        mainWindow->SetChapterWindow(chapterWindow.get());
        ASSERT_TRUE(mainWindow->Start());
        // Events after every line: what a test does during a run happens at the line it waits for.
        mainWindow->SetRunSlices(0, 100);
        chapterWindow->Start();
        mainWindow->resize(800, 600);
        mainWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow.get()));
    }

    void Choose(const char* left, const char* right)
    {
        mainWindow->Chooser(Side::Left)->setCurrentIndex(mainWindow->Chooser(Side::Left)->findText(left));
        mainWindow->Chooser(Side::Right)->setCurrentIndex(mainWindow->Chooser(Side::Right)->findText(right));
    }

    // Acts once inside the next run, as soon as it has got past its first
    // `lines` lines (the progress bar, which a run updates as it lets events in).
    void DuringRun(std::function<void()> act, int lines = 1)
    {
        auto* timer = new QTimer(mainWindow.get());
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer, act = std::move(act), lines] {
            if (!mainWindow->CompareButton()->isHidden() || mainWindow->ProgressBar()->value() < lines)
                return;
            timer->stop();
            act();
        });
        timer->start(0);
    }

    void Run(int threshold)
    {
        mainWindow->ThresholdBox()->setValue(threshold);
        mainWindow->Compare();
    }

    // Every character's colour and weight, one letter a character: k black,
    // b blue, R bold dark red.
    static QString Colours(ResultPane* pane, int block)
    {
        QString out;
        const rtf::Document doc = pane->ToDocument();
        for (const rtf::Span& s : doc.paragraphs.at(size_t(block))) {
            const QChar c = s.bold && s.colour == kRed ? 'R' : s.colour == kBlue ? 'b' : s.colour == 0 ? 'k' : '?';
            out += QString(int(s.text.size()), c);
        }
        return out;
    }

    static QStringList Lines(ResultPane* pane)
    {
        QStringList out;
        for (int i = 0; i < pane->LineCount(); ++i)
            out << pane->Line(i);
        return out;
    }

    QTemporaryDir dir;
    RecordingMessages messages; // outlives the windows
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<ChapterWindow> chapterWindow;
};

} // namespace synopter::test
