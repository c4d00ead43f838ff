// The printed result report of a solved structure: its lines laid out on pages in a fixed-width
// font, with the title at the top and the page number at the foot; printing, print preview and
// export to PDF.
#pragma once

#include <QString>

#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace velmor {

class Analysis;

class ResultReportPrinter
{
public:
    // Prints `lines` (the report, ResultReportLines) under the title "Velmor -- Résultats du
    // problème <title>". `reservedPages` is the page count the structure reserves
    // (ReservedReportPages); 0 takes the pages from the lines alone. Either way no page is left
    // empty and no line is dropped.
    ResultReportPrinter(std::vector<std::string> lines, QString title, int reservedPages = 0);
    // The report of a solved analysis, with the reservation of its problem.
    ResultReportPrinter(const Analysis& analysis, QString title);

    // The pages that printing gives.
    int PageCount() const;

    // Prints every page, or the range the printer was given (QPrinter::PageRange, fromPage() to
    // toPage()). False, with a message to the user, when the printer or the PDF file cannot be
    // written.
    bool Print(QPrinter& printer) const;
    // "Imprimer Résultats": the print dialog (which offers printing to a PDF file, chosen at
    // first when no printer is installed, and a page range), then the pages. False when the
    // dialog is cancelled or printing fails.
    bool PrintWithDialog(QWidget* parent) const;
    // "Présentation Résultats": the pages in the print preview dialog, from which they can be
    // printed.
    void PrintPreview(QWidget* parent) const;

    // Writes the report to a PDF file. False, with a message, when it cannot be written.
    bool ExportPdf(const QString& path) const;
    // Asks for the file ("Exporter en PDF…") and writes it. False when cancelled or failed.
    bool ExportPdfWithDialog(QWidget* parent) const;

private:
    QString Heading() const;
    // Device pixels the page's layout takes across and down with the font at `pixels` and
    // `scale` device pixels a twip.
    double Width(double pixels, double scale, QPrinter& printer) const;
    double Height(double pixels, double scale, QPrinter& printer) const;

    std::vector<std::string> m_lines;
    QString m_title;
    int m_reservedPages;
};

} // namespace velmor
