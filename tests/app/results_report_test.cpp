#include "app/results_report.h"
#include "app/main_window_names.h"
#include "window_test.h"

#include <QFileInfo>

namespace synopter::test {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The page from the panes after a run, and again from the files at the next start.
TEST_F(WindowTest, ExportedReportIsGreekAndTheSameFromRestoredResults)
{
    Open();
    Choose("Left", "Right");
    mainWindow->ExactPositionsBox()->setChecked(true);
    Run(1);
    const QString path = dir.filePath("out/report.html");
    QDir().mkpath(dir.filePath("out"));
    messages.saveName = path;
    mainWindow->findChild<QAction*>(main_window_names::exportAction)->trigger();
    ASSERT_EQ(messages.suggestedNames.size(), 1);
    EXPECT_TRUE(messages.suggestedNames[0].endsWith("Left - Right.html")) << messages.suggestedNames[0].toStdString();
    const QString page = QString::fromUtf8(ReadAll(path));
    for (const char* expected : {"ΚΑΤΑ ΜΑΡΚΟΝ 1", "ΚΑΤΑ ΜΑΡΚΟΝ 2", "Left text", "Right text", "ευθεως"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(page.contains("euyewv"));
    EXPECT_EQ(mainWindow->ResultFacts().threshold, 1);
    EXPECT_TRUE(mainWindow->ResultFacts().exactPositions);

    // Choices changed after the run do not change what the results were.
    mainWindow->ThresholdBox()->setValue(4);
    EXPECT_EQ(mainWindow->ResultFacts().threshold, 1);

    const std::string fromRun = mainWindow->Report().Page();
    mainWindow->ThresholdBox()->setValue(1);
    mainWindow->close();
    Open();
    EXPECT_EQ(mainWindow->Report().Page(), fromRun);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();
}

// View ▸ Aligned marking marks the pairs shown again at once, and is kept in
// the settings, the result record and the report.
TEST_F(WindowTest, AlignedMarkingRemarksTheShownPairs)
{
    WriteEdition("Left", "KATA MARKON 1\r\n 1:1 x a b c d e f\r\n");
    WriteEdition("Right", "KATA MARKON 1\r\n 1:1 a c b d e f\r\n");
    Open();
    Choose("Left", "Right");
    mainWindow->ExactPositionsBox()->setChecked(true);
    Run(1);
    const QString before = Colours(mainWindow->Pane(Side::Right), 1);
    EXPECT_TRUE(before.contains('b')) << before.toStdString(); // "c" out of place
    QAction* aligned = mainWindow->findChild<QAction*>(main_window_names::alignedMarkingAction);
    ASSERT_TRUE(aligned && aligned->isCheckable());
    aligned->trigger();
    const QString after = Colours(mainWindow->Pane(Side::Right), 1);
    EXPECT_FALSE(after.contains('b')) << after.toStdString();
    EXPECT_TRUE(after.contains('?')) << after.toStdString(); // the moved word's purple
    EXPECT_EQ(mainWindow->ResultFacts().marking, WordMarking::Aligned);
    EXPECT_TRUE(ReadAll(dir.filePath("results.ini")).contains("Marking=aligned"));
    EXPECT_TRUE(QString::fromStdString(mainWindow->Report().Page()).contains("Word marking"));

    mainWindow->close();
    Open();
    aligned = mainWindow->findChild<QAction*>(main_window_names::alignedMarkingAction);
    EXPECT_TRUE(aligned->isChecked());
    EXPECT_EQ(Colours(mainWindow->Pane(Side::Right), 1), after);
    aligned->trigger();
    EXPECT_EQ(Colours(mainWindow->Pane(Side::Right), 1), before);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString();
}

TEST_F(WindowTest, PdfIsWrittenAndNoResultsAreSaidPlainly)
{
    Open();
    const QString pdf = dir.filePath("report.pdf");
    messages.saveName = pdf;
    mainWindow->findChild<QAction*>(main_window_names::exportPdfAction)->trigger();
    EXPECT_TRUE(messages.suggestedNames.isEmpty());
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    Choose("Left", "Right");
    Run(1);
    mainWindow->findChild<QAction*>(main_window_names::exportPdfAction)->trigger();
    EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF"));
}

} // namespace
} // namespace synopter::test
