// The printed result report, offscreen: solved structures exported to PDF and read back with
// poppler (pages, title, every line on its page, footers, positions and aligned columns), the
// page range, the print, preview and export dialogs, the message when the file cannot be
// written, and a picture of the first page in the test artefacts.
#include "analysis/Analysis.h"
#include "analysis/ResultReport.h"
#include "gui/dialogs/DialogTestSupport.h"
#include "model/DocumentFile.h"
#include "model/VelmorProblem.h"
#include "tutor/ReportFixtures.h"
#include "tutor/ResultReportPrinter.h"
#include "tutor/core/ReportPages.h"

#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

using namespace velmor;

namespace {

// A solved structure: an example file, or a generated beam of `nodes` nodes and `supports`
// supports when `file` is empty.
std::unique_ptr<VelmorProblem> solved(const QString& file, int nodes = 0, int supports = 0)
{
    auto p = std::make_unique<VelmorProblem>();
    if (file.isEmpty())
        test::SupportedBeam(*p, nodes, supports);
    else if (LoadProblemFile(*p, (QString(VELMOR_EXAMPLES) + "/" + file).toStdString(),
                             FileForm::Detect)
                 .status != LoadStatus::Ok)
        return nullptr;
    if (!SolveAtOnce(*p).Ok() || !p->CurrentAnalysis()) return nullptr;
    return p;
}

// The report of a solved example, titled with its file name.
std::optional<ResultReportPrinter> exampleReport(const QString& file)
{
    auto p = solved(file);
    if (!p) return std::nullopt;
    return ResultReportPrinter(*p->CurrentAnalysis(), file);
}

// Output of a poppler tool (empty, not null, when it printed nothing), or a null string when it
// did not run or failed.
QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    return out.isNull() ? QStringLiteral("") : out;
}

int pdfPages(const QString& pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption)
            .match(run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of one page as pdftotext lays it out, its lines with the trailing blanks cut.
QStringList pageText(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    QStringList lines = run("pdftotext", {"-layout", "-f", n, "-l", n, pdf, "-"}).split('\n');
    for (QString& line : lines) {
        qsizetype end = line.size();
        while (end > 0 && line[end - 1].isSpace())
            --end;
        line.truncate(end);
    }
    return lines;
}

// The words of one page with their boxes in points, in the order pdftotext reads them.
struct Word
{
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

std::vector<Word> pageWords(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    const QString html = run("pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"});
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

} // namespace

class TestResultReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!run("pdfinfo", {"-v"}).isNull(),
                 "poppler-utils (pdfinfo, pdftotext, pdftoppm) are needed");
    }

    void exportsEveryLineOnItsPage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("nodes");
        QTest::addColumn<int>("supports");
        QTest::addColumn<int>("pages");
        QTest::newRow("one page") << "portique-simple.vlm" << 0 << 0 << 1;
        QTest::newRow("two pages") << "grillage.vlm" << 0 << 0 << 2;
        QTest::newRow("three pages") << "treillis-caisson.vlm" << 0 << 0 << 3;
        // 50 lines reserve a second page, which stays unprinted.
        QTest::newRow("fifty lines") << QString() << 7 << 5 << 1;
        QTest::newRow("fifty-one lines") << QString() << 7 << 6 << 2;
    }

    void exportsEveryLineOnItsPage()
    {
        QFETCH(QString, file);
        QFETCH(int, nodes);
        QFETCH(int, supports);
        QFETCH(int, pages);
        test::RecordingMessages messages;
        auto p = solved(file, nodes, supports);
        QVERIFY(p);
        const Analysis& analysis = *p->CurrentAnalysis();
        const std::vector<std::string> lines = ResultReportLines(analysis);
        const QString title = file.isEmpty() ? QStringLiteral("poutre.vlm") : file;
        const ResultReportPrinter report(analysis, title);
        QCOMPARE(report.PageCount(), pages);

        QTemporaryDir dir;
        const QString pdf = dir.filePath("rapport.pdf");
        QVERIFY(report.ExportPdf(pdf));
        QVERIFY(messages.texts.empty());
        QCOMPARE(pdfPages(pdf), pages);

        const std::vector<ReportPage> layout =
            ReportPages(int(lines.size()), ReservedReportPages(*p));
        QCOMPARE(int(layout.size()), pages);
        for (const ReportPage& page : layout) {
            const QStringList text = pageText(pdf, page.number);
            QVERIFY2(text.size() > 2, qPrintable(QString("page %1 has no text").arg(page.number)));
            QVERIFY2(text.contains(QString::fromUtf8("Velmor -- Résultats du problème ") + title),
                     qPrintable(text.first()));
            const QString footer = QString("- %1 -").arg(page.number);
            QVERIFY2(
                text.filter(QRegularExpression("^\\s*" + QRegularExpression::escape(footer) + "$"))
                        .size() == 1,
                qPrintable(footer));
            // The lines of this page in order, every node's displacement among them.
            qsizetype at = 0;
            for (int i = page.first; i < page.first + page.count; ++i) {
                const QString line = QString::fromStdString(lines[size_t(i)]);
                if (line.trimmed().isEmpty()) continue;
                qsizetype found = at;
                while (found < text.size() && text[found].simplified() != line.simplified())
                    ++found;
                QVERIFY2(found < text.size(), qPrintable(QString("page %1 lacks line %2: %3")
                                                             .arg(page.number)
                                                             .arg(i + 1)
                                                             .arg(line)));
                at = found + 1;
            }
        }
    }

    void firstPageLayoutAndPicture()
    {
        // Positions in points from the top-left of the paper, read back from the PDF: the PDF's
        // printable area starts at the printer's margins, and twips are 1/20 point.
        test::RecordingMessages messages;
        const auto report = exampleReport("treillis-caisson.vlm");
        QVERIFY(report);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("rapport.pdf");
        QVERIFY(report->ExportPdf(pdf));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
        const std::vector<Word> words = pageWords(pdf, 1);
        QVERIFY(words.size() > 100);

        // The title at (360, 0) twips.
        QCOMPARE(words.front().text, QStringLiteral("Velmor"));
        QVERIFY(qAbs(words.front().xMin - (origin.x() + 18)) < 1.5);
        QVERIFY(qAbs(words.front().yMin - origin.y()) < 1.5);

        // The footer "- 1 -" at 14400 twips down, centred on 11520 twips from x = 360.
        std::vector<Word> footer;
        const double lowest =
            std::max_element(words.begin(), words.end(), [](const Word& a, const Word& b) {
                return a.yMin < b.yMin;
            })->yMin;
        for (const Word& w : words)
            if (qAbs(w.yMin - lowest) < 0.1) footer.push_back(w);
        QCOMPARE(int(footer.size()), 3);
        QCOMPARE(footer[1].text, QStringLiteral("1"));
        QVERIFY(qAbs(lowest - (origin.y() + 720)) < 1.5);
        const double centre = (footer.front().xMin + footer.back().xMax) / 2;
        QVERIFY2(qAbs(centre - (origin.x() + 18 + 288)) < 1.0, qPrintable(QString::number(centre)));

        // The lines one line apart, the first one line below 1440 twips.
        std::vector<double> rows;
        for (const Word& w : words)
            if (w.yMin > words.front().yMin + 1 && w.yMin < lowest - 1) rows.push_back(w.yMin);
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end(),
                               [](double a, double b) { return qAbs(a - b) < 0.1; }),
                   rows.end());
        QVERIFY(rows.size() > 30);
        double spacing = 1e9;
        for (size_t i = 1; i < rows.size(); ++i)
            spacing = std::min(spacing, rows[i] - rows[i - 1]);
        // 10 points of a fixed-width font and its leading.
        QVERIFY2(spacing > 10.5 && spacing < 13.0, qPrintable(QString::number(spacing)));
        QVERIFY(qAbs(rows.front() - (origin.y() + 72 + spacing)) < 0.5);
        for (double y : rows) {
            const double steps = (y - origin.y() - 72) / spacing;
            QVERIFY2(qAbs(steps - std::round(steps)) < 0.05, qPrintable(QString::number(y)));
        }

        // Columns: each number, and each "-" of a missing component, ends where a column
        // heading ("Noeud", "Poutre", "x [m]", "Fz [N]", ...) ends.
        std::vector<double> ends;
        for (const Word& w : words)
            if (w.text == "Noeud" || w.text == "Poutre" ||
                (w.text.startsWith('[') && w.text.endsWith(']')))
                ends.push_back(w.xMax);
        QVERIFY(ends.size() >= 20);
        int numbers = 0;
        const QRegularExpression number("^(-|[-+]?[0-9.][0-9.e+-]*)$");
        for (const Word& w : words) {
            const bool body = w.yMin > words.front().yMin + 1 && w.yMin < lowest - 1;
            if (!body || !number.match(w.text).hasMatch()) continue;
            ++numbers;
            const bool aligned = std::any_of(
                ends.begin(), ends.end(), [&w](double end) { return qAbs(end - w.xMax) < 0.05; });
            QVERIFY2(aligned, qPrintable(QString("%1 ends at %2").arg(w.text).arg(w.xMax)));
        }
        QVERIFY(numbers > 150);

        // A picture of the page, to look at.
        QVERIFY(!run("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", pdf,
                                  dir.filePath("page")})
                     .isNull());
        QVERIFY(!QImage(dir.filePath("page.png")).isNull());
        QDir().mkpath(VELMOR_ARTEFACTS);
        for (const char* name : {"result-report.pdf", "result-report-page1.png"})
            QFile::remove(QString(VELMOR_ARTEFACTS) + "/" + name);
        QVERIFY(QFile::copy(pdf, QString(VELMOR_ARTEFACTS) + "/result-report.pdf"));
        QVERIFY(QFile::copy(dir.filePath("page.png"),
                            QString(VELMOR_ARTEFACTS) + "/result-report-page1.png"));
    }

    void printsOnlyTheChosenPages()
    {
        test::RecordingMessages messages;
        const auto report = exampleReport("treillis-caisson.vlm");
        QVERIFY(report);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page2.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
        QVERIFY(report->Print(printer));
        QCOMPARE(pdfPages(pdf), 1);
        const QStringList text = pageText(pdf, 1);
        QVERIFY(!text.filter(QRegularExpression("^\\s*- 2 -$")).isEmpty());
        QVERIFY(text.filter(QRegularExpression("^\\s*- 1 -$")).isEmpty());
    }

    void narrowPageShrinksRatherThanCuts()
    {
        // An A5 page is narrower than the widest line at 10 points: the page shrinks as a
        // whole, every word stays inside the paper and the footer stays below the lines.
        test::RecordingMessages messages;
        const auto report = exampleReport("treillis-caisson.vlm");
        QVERIFY(report);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("a5.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A5));
        QVERIFY(report->Print(printer));
        QCOMPARE(pdfPages(pdf), 3);
        const QRectF paint = printer.pageLayout().paintRect(QPageLayout::Point);
        const std::vector<Word> words = pageWords(pdf, 1);
        QVERIFY(words.size() > 100);
        double right = 0, lowest = 0, lowestLine = 0;
        for (const Word& w : words) {
            right = std::max(right, w.xMax);
            lowest = std::max(lowest, w.yMax);
            if (w.text != "-" && w.text != "1") lowestLine = std::max(lowestLine, w.yMax);
        }
        QVERIFY2(right <= paint.right() + 0.5, qPrintable(QString::number(right)));
        QVERIFY2(lowest <= paint.bottom() + 0.5, qPrintable(QString::number(lowest)));
        QVERIFY(lowestLine < lowest);
        // The widest line (the displacements' heading) is whole.
        QVERIFY(pageText(pdf, 1).filter(QRegularExpression("0z \\[rad\\]$")).size() == 1);
    }

    void unwritableFileIsToldToTheUser()
    {
        test::RecordingMessages messages;
        const ResultReportPrinter report({"Coordonnées:"}, "poutre.vlm");
        QVERIFY(!report.ExportPdf("/nonexistent-folder/rapport.pdf"));
        QCOMPARE(int(messages.texts.size()), 1);
        QCOMPARE(QString::fromStdString(messages.texts[0]),
                 QString::fromUtf8(
                     "Impossible d'écrire le fichier PDF /nonexistent-folder/rapport.pdf."));
    }

    void printDialogOffersThePages()
    {
        test::RecordingMessages messages;
        const auto report = exampleReport("treillis-caisson.vlm");
        QVERIFY(report);
        QString title;
        int min = 0, max = 0;
        QPrinter::OutputFormat format = QPrinter::NativeFormat;
        QString target;
        test::WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
            title = dialog->windowTitle();
            min = dialog->minPage();
            max = dialog->maxPage();
            format = dialog->printer()->outputFormat();
            target = dialog->printer()->outputFileName();
            dialog->reject();
        });
        QVERIFY(!report->PrintWithDialog(nullptr));
        QCOMPARE(title, QString::fromUtf8("Imprimer Résultats"));
        QCOMPARE(min, 1);
        QCOMPARE(max, 3);
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            QCOMPARE(format, QPrinter::PdfFormat);
            QVERIFY(target.endsWith("/treillis-caisson.pdf"));
        }
        QVERIFY(messages.texts.empty());
    }

    void previewShowsEveryPage()
    {
        test::RecordingMessages messages;
        const auto report = exampleReport("grillage.vlm");
        QVERIFY(report);
        int pages = -1;
        QString title;
        test::WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
            title = dialog->windowTitle();
            if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
                pages = widget->pageCount();
            dialog->reject();
        });
        report->PrintPreview(nullptr);
        QCOMPARE(title, QString::fromUtf8("Présentation Résultats"));
        QCOMPARE(pages, 2);
    }

    void exportDialogWritesTheChosenFile()
    {
        test::RecordingMessages messages;
        const auto report = exampleReport("portique-simple.vlm");
        QVERIFY(report);
        QTemporaryDir dir;
        QString title;
        QStringList filters;
        test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            dialog->selectFile(dir.filePath("rapport"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(report->ExportPdfWithDialog(nullptr));
        QCOMPARE(title, QString::fromUtf8("Exporter en PDF…"));
        QCOMPARE(filters, QStringList{"Document PDF (*.pdf)"});
        QVERIFY(QFile::exists(dir.filePath("rapport.pdf")));
        QCOMPARE(pdfPages(dir.filePath("rapport.pdf")), 1);
    }
};

QTEST_MAIN(TestResultReport)
#include "tst_resultreport.moc"
