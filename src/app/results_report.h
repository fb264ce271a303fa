#pragma once

#include "compare/html_report.h"

#include <QString>

#include <functional>
#include <string>

class QPrinter;
class QTextDocument;
class QWidget;

namespace synopter {

class ComparisonResults;
class UserMessages;

// The comparison results given away: File > "Export results…" (the HTML
// report), "Print…" (with a preview) and "Export as PDF…", all from the same
// page, so what is printed is what a browser shows.
class ResultsReport {
public:
    using Facts = std::function<html::ReportFacts()>;
    ResultsReport(QWidget* window, const ComparisonResults& results, Facts facts, UserMessages& messages);

    // The texts it shows, by key of the main window's language file; English
    // where unset.
    std::function<QString(const char* key, const QString& english)> texts;

    void ExportHtml();
    void Print();
    void ExportPdf();

    // The page of the present results; empty (after saying so) when there are none.
    std::string Page() const;
    // The page as Qt lays it out for printing, at the printer's page size.
    void PrintPage(const std::string& page, QPrinter& printer) const;

private:
    QString SuggestedName(const QString& suffix);
    QString Text(const char* key, const char* english) const;

    QWidget* window_;
    const ComparisonResults& results_;
    Facts facts_;
    UserMessages& messages_;
    QString folder_; // where the last file went
};

} // namespace synopter
