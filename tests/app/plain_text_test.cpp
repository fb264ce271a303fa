// Texts that come from files — an edition's title, an edition's name, the
// language file — read exactly as written wherever the windows show them:
// markup in them is never laid out, and an <img> in them never loads a file.
#include "app/window_test.h"
#include "collate/ui/apparatus_window.h"
#include "find/ui/find_bar.h"
#include "statistics/ui/statistics_window.h"

#include <QChart>
#include <QChartView>
#include <QMessageBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>

using namespace synopter;
using namespace synopter::test;

namespace {

// What the user reads of a text Qt shows in `format`: rich text as laid out.
QString AsRead(const QString& text, Qt::TextFormat format = Qt::AutoText)
{
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument page;
    page.setHtml(text);
    return page.toPlainText();
}

// The text of the message box that `show` opens, as read, the box then closed.
QString MessageBoxText(const std::function<void()>& show)
{
    QString read;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            read = AsRead(box->text(), box->textFormat());
            box->done(QMessageBox::Ok);
        }
    });
    show();
    return read;
}

TEST_F(WindowTest, TextsFromFilesAreShownAsWritten)
{
    const QByteArray planted = "<img src=\"file:///tmp/planted.png\"> <b>bold</b> & more";
    const QByteArray text = "KATA MARKON 1\r\n 1:1 arch\r\n 1:2 wv\r\nKATA MARKON 2\r\n 2:1 kai\r\n 2:2 kai\r\n";
    WriteFile(dir.filePath("Marked.bk"), "[English]\r\nInformation=" + planted + "\r\n");
    WriteFile(dir.filePath("Marked.dat"), text);
    WriteFile(dir.filePath("<b>Bold.bk"), "[English]\r\nSiglum=BB\r\nInformation=bold\r\n");
    WriteFile(dir.filePath("<b>Bold.dat"), text);
    Open();
    // Written only now: a language file at the start would ask for a language.
    WriteFile(dir.filePath("Planted.lng"), "[Form1]\r\nSpeedButton5_hint=" + planted + "\r\n[Form9]\r\nChart1_books=" +
                                               planted + "\r\n[Form10]\r\nComboBox1_hint=" + planted + "\r\n");
    mainWindow->Language().Set("Planted");
    mainWindow->Finder().Translate(*mainWindow, mainWindow->Language());
    Choose("Left", "Marked");
    mainWindow->ShowStatistics();
    StatisticsWindow* statistics = mainWindow->Statistics();
    statistics->Pages()->setCurrentIndex(1);
    QTableWidget* table = statistics->EditionsTable();
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 4; }, 60000));
    const auto headerTip = [table](const QString& title) {
        for (int i = 0; i < table->columnCount(); ++i)
            if (table->horizontalHeaderItem(i)->text() == title)
                return AsRead(table->horizontalHeaderItem(i)->toolTip());
        return QString("no column " + title);
    };
    mainWindow->ShowApparatus();
    ApparatusWindow* apparatus = mainWindow->Apparatus();
    const auto apparatusTip = [apparatus] {
        for (QListWidgetItem* item : apparatus->findChild<QListWidget*>("CheckListBox1")->findItems("Mar — Marked", Qt::MatchExactly))
            return AsRead(item->toolTip());
        return QString("no Marked");
    };
    DialogMessages dialogs(mainWindow.get());
    const QString message = "The edition " + QString(planted) + " cannot be compared.";

    const struct {
        const char* where;
        std::function<QString()> read;
        QString written;
    } cases[] = {
        {"right chooser's tip: the title", [&] { return AsRead(mainWindow->Chooser(Side::Right)->toolTip()); }, planted},
        {"statistics column's tip: the name and title", [&] { return headerTip("Mar"); }, "Marked — " + planted},
        {"statistics column's tip: the name", [&] { return headerTip("BB"); }, "<b>Bold — bold"},
        {"apparatus edition's tip: the title", apparatusTip, planted},
        {"find button's hint", [&] { return AsRead(mainWindow->findChild<QWidget*>("SpeedButton5")->toolTip()); }, planted},
        {"apparatus book chooser's hint",
         [&] { return AsRead(apparatus->findChild<QWidget*>("ComboBox1")->toolTip()); }, planted},
        {"statistics chart's title", [&] { return AsRead(statistics->Chart()->chart()->title(), Qt::RichText); }, planted},
        {"message box", [&] { return MessageBoxText([&] { dialogs.Show(message, MessageKind::Warning); }); }, message},
        {"question box", [&] { return MessageBoxText([&] { dialogs.Ask(message); }); }, message},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.read().toStdString(), c.written.toStdString()) << c.where;
}

} // namespace
