#include "app/results_report.h"

#include "common/error.h"
#include "common/file_io.h"
#include "common/ui/qt_bytes.h"
#include "common/ui/user_messages.h"
#include "compare/result_model.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>
#include <QWidget>

namespace synopter {

ResultsReport::ResultsReport(QWidget* window, const ComparisonResults& results, Facts facts, UserMessages& messages)
    : window_(window), results_(results), facts_(std::move(facts)), messages_(messages)
{
}

QString ResultsReport::Text(const char* key, const char* english) const
{
    return texts ? texts(key, english) : QString(english);
}

std::string ResultsReport::Page() const
{
    const std::vector<html::ReportItem> items = results_.ReportItems();
    if (items.empty()) {
        messages_.Show(Text("Exportresults1_none", "There are no results to give out: compare two editions first."),
                       MessageKind::Warning);
        return {};
    }
    return html::HtmlReport(facts_(), items);
}

QString ResultsReport::SuggestedName(const QString& suffix)
{
    if (folder_.isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        folder_ = QDir(documents).exists() ? documents : QDir::homePath();
    }
    const html::ReportFacts facts = facts_();
    QString name = FromUtf8(facts.left.name) + " - " + FromUtf8(facts.right.name);
    // Names come from file names, but a slash would still send the file elsewhere.
    name.replace('/', '_');
    return QDir(folder_).filePath(name + suffix);
}

void ResultsReport::ExportHtml()
{
    const std::string page = Page();
    if (page.empty())
        return;
    const QString path = messages_.AskSaveName(Text("Exportresults1_title", "Export results"), SuggestedName(".html"),
                                               Text("Exportresults1_filter", "Web pages (*.html *.htm)"));
    if (path.isEmpty())
        return;
    try {
        WriteFileAtomically(ToLocal8Bit(path), page);
        folder_ = QFileInfo(path).absolutePath();
    } catch (const WriteError& e) {
        messages_.Show(FromLocal8Bit(e.what()) + "\n" + FromLocal8Bit(e.reason()), MessageKind::Error);
    }
}

void ResultsReport::PrintPage(const std::string& page, QPrinter& printer) const
{
    // Laying out a whole New Testament of pairs takes seconds.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    QTextDocument document;
    QFont font("Noto Serif");
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setHtml(FromUtf8(page));
    document.print(&printer);
}

void ResultsReport::Print()
{
    const std::string page = Page();
    if (page.empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog preview(&printer, window_);
    preview.setObjectName("PrintPreview1");
    preview.setWindowTitle(Text("Print1_preview", "Print preview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* p) { PrintPage(page, *p); });
    preview.exec();
}

void ResultsReport::ExportPdf()
{
    const std::string page = Page();
    if (page.empty())
        return;
    const QString path =
        messages_.AskSaveName(Text("ExportPDF1_title", "Export as PDF"), SuggestedName(".pdf"),
                              Text("ExportPDF1_filter", "PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(path);
    printer.setCreator("Synopter");
    PrintPage(page, printer);
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0)
        messages_.Show(path + "\n" + Text("ExportPDF1_failed", "The PDF file could not be written."), MessageKind::Error);
    else
        folder_ = QFileInfo(path).absolutePath();
}

} // namespace synopter
