// The printed result report: page layout in twips mapped to the printer, the print and preview
// dialogs and the export to PDF.
#include "ResultReportPrinter.h"

#include "PrintOutput.h"
#include "analysis/Analysis.h"
#include "analysis/ResultReport.h"
#include "tutor/core/ReportPages.h"

#include <QFileDialog>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace velmor {
namespace {

// The page in twips (1/1440 inch), from the top-left of the printable area downwards.
constexpr double kLeft = 360.0;          // left edge of the title and of the lines
constexpr double kLinesTop = 1440.0;     // the first line comes one line below this
constexpr double kFooterTop = 14400.0;   // top of the page number
constexpr double kFooterWidth = 11520.0; // the page number is centred on this width from kLeft
constexpr double kFontHeight = 200.0;    // 10 points

// The fixed-width font at `pixels` device pixels to the em, so that the columns line up.
QFont reportFont(double pixels)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    return font;
}

} // namespace

ResultReportPrinter::ResultReportPrinter(std::vector<std::string> lines, QString title,
                                         int reservedPages)
    : m_lines(std::move(lines)), m_title(std::move(title)), m_reservedPages(reservedPages)
{
}

ResultReportPrinter::ResultReportPrinter(const Analysis& analysis, QString title)
    : ResultReportPrinter(ResultReportLines(analysis), std::move(title),
                          ReservedReportPages(analysis.Problem()))
{
}

int ResultReportPrinter::PageCount() const
{
    return int(ReportPages(int(m_lines.size()), m_reservedPages).size());
}

QString ResultReportPrinter::Heading() const
{
    return QStringLiteral("Velmor -- Résultats du problème ") + m_title;
}

double ResultReportPrinter::Width(double pixels, double scale, QPrinter& printer) const
{
    const QFontMetricsF metrics(reportFont(pixels), &printer);
    double widest = metrics.horizontalAdvance(Heading());
    for (const std::string& line : m_lines) {
        // Trailing blanks print nothing.
        const std::string inked = line.substr(0, line.find_last_not_of(' ') + 1);
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(inked)));
    }
    const QString footer = QString::asprintf("- %d -", PageCount());
    return std::max(kLeft * scale + widest,
                    (kLeft + kFooterWidth / 2.0) * scale + metrics.horizontalAdvance(footer) / 2.0);
}

double ResultReportPrinter::Height(double pixels, double scale, QPrinter& printer) const
{
    return kFooterTop * scale + QFontMetricsF(reportFont(pixels), &printer).height();
}

bool ResultReportPrinter::Print(QPrinter& printer) const
{
    const std::vector<ReportPage> pages = ReportPages(int(m_lines.size()), m_reservedPages);
    int from = 1, to = int(pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(from, printer.fromPage());
        to = std::min(to, std::max(printer.toPage(), printer.fromPage()));
    }
    if (from > to) return true;

    QPainter painter;
    if (!BeginPrinting(painter, printer)) return false;
    const QRect area = painter.viewport();
    // Twips to device pixels. A page narrower or shorter than the layout (the widest line, the
    // last page number, the footer's line) shrinks it as a whole rather than cut lines off.
    double scale = printer.resolution() / 1440.0;
    const double pixels = std::round(kFontHeight * scale);
    const double fit = std::min({1.0, area.width() / Width(pixels, scale, printer),
                                 area.height() / Height(pixels, scale, printer)});
    scale *= fit;
    // Whole pixels, and one less while the rounding or the font's own advances overflow.
    QFont font = reportFont(fit < 1.0 ? std::floor(pixels * fit) : pixels);
    while (font.pixelSize() > 1 && (Width(font.pixelSize(), scale, printer) > area.width() ||
                                    Height(font.pixelSize(), scale, printer) > area.height()))
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, &printer);
    const double left = kLeft * scale;
    const double line = metrics.lineSpacing();
    for (int number = from; number <= to; ++number) {
        const ReportPage& page = pages[size_t(number - 1)];
        if (number > from) printer.newPage();
        painter.drawText(QPointF(left, metrics.ascent()), Heading());
        double top = kLinesTop * scale;
        for (int i = page.first; i < page.first + page.count; ++i) {
            top += line;
            painter.drawText(QPointF(left, top + metrics.ascent()),
                             QString::fromStdString(m_lines[size_t(i)]));
        }
        const QString footer = QString::asprintf("- %d -", page.number);
        const double centre = left + kFooterWidth * scale / 2.0;
        painter.drawText(QPointF(centre - metrics.horizontalAdvance(footer) / 2.0,
                                 kFooterTop * scale + metrics.ascent()),
                         footer);
    }
    painter.end();
    return true;
}

bool ResultReportPrinter::PrintWithDialog(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Heading());
    PreferPdfWithoutPrinter(printer, m_title);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer Résultats"));
    dialog.setMinMax(1, PageCount());
    if (dialog.exec() != QDialog::Accepted) return false;
    return Print(printer);
}

void ResultReportPrinter::PrintPreview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Heading());
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Présentation Résultats"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this](QPrinter* p) { Print(*p); });
    preview.exec();
}

bool ResultReportPrinter::ExportPdf(const QString& path) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(Heading());
    printer.setCreator(QStringLiteral("Velmor"));
    return Print(printer);
}

bool ResultReportPrinter::ExportPdfWithDialog(QWidget* parent) const
{
    QFileDialog dialog(parent, QStringLiteral("Exporter en PDF…"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Document PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(PdfPathFor(m_title));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return ExportPdf(dialog.selectedFiles().constFirst());
}

} // namespace velmor
