// Where printed pages go, and the message when they cannot be written.
#include "PrintOutput.h"

#include "platform/core/MessageService.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <string>

namespace velmor {

QString PdfPathFor(const QString& documentTitle)
{
    const QString base = QFileInfo(documentTitle).completeBaseName();
    return QDir::home().filePath((base.isEmpty() ? QStringLiteral("velmor") : base) + ".pdf");
}

void PreferPdfWithoutPrinter(QPrinter& printer, const QString& documentTitle)
{
    if (!QPrinterInfo::availablePrinters().isEmpty()) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(PdfPathFor(documentTitle));
}

bool BeginPrinting(QPainter& painter, QPrinter& printer)
{
    if (painter.begin(&printer)) return true;
    ShowMessage(printer.outputFormat() == QPrinter::PdfFormat
                    ? "Impossible d'écrire le fichier PDF " +
                          printer.outputFileName().toStdString() + "."
                    : std::string("Impossible d'imprimer: aucune imprimante n'est prête.\n"
                                  "Choisissez l'impression dans un fichier PDF."),
                MessageIcon::Error);
    return false;
}

} // namespace velmor
