#include "app/results_report.h"
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
    form1->ExactPositionsBox()->setChecked(true);
    Run(1);
    const QString path = dir.filePath("out/report.html");
    QDir().mkpath(dir.filePath("out"));
    QString suggested;
    form1->Report().AskSaveName = [&](const QString&, const QString& name, const QString&) {
        suggested = name;
        return path;
    };
    form1->findChild<QAction*>("Exportresults1")->trigger();
    EXPECT_TRUE(suggested.endsWith("Left - Right.html")) << suggested.toStdString();
    const QString page = QString::fromUtf8(ReadAll(path));
    for (const char* expected : {"ΚΑΤΑ ΜΑΡΚΟΝ 1", "ΚΑΤΑ ΜΑΡΚΟΝ 2", "Left text", "Right text", "ευθεως"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(page.contains("euyewv"));
    EXPECT_EQ(form1->ResultFacts().threshold, 1);
    EXPECT_TRUE(form1->ResultFacts().exactPositions);

    // Choices changed after the run do not change what the results were.
    form1->ThresholdBox()->setValue(4);
    EXPECT_EQ(form1->ResultFacts().threshold, 1);

    const std::string fromRun = form1->Report().Page();
    form1->ThresholdBox()->setValue(1);
    form1->close();
    Open();
    EXPECT_EQ(form1->Report().Page(), fromRun);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(WindowTest, PdfIsWrittenAndNoResultsAreSaidPlainly)
{
    Open();
    const QString pdf = dir.filePath("report.pdf");
    int asked = 0;
    form1->Report().AskSaveName = [&](const QString&, const QString&, const QString&) {
        ++asked;
        return pdf;
    };
    form1->findChild<QAction*>("ExportPDF1")->trigger();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    Choose("Left", "Right");
    Run(1);
    form1->findChild<QAction*>("ExportPDF1")->trigger();
    EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF"));
}

} // namespace
} // namespace synopter::test
