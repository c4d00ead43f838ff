// Where printed pages go: the printer chosen in the print dialog, or a PDF file when no printer
// is installed, and the message the user sees when the pages cannot be written.
#pragma once

#include <QString>

class QPainter;
class QPrinter;

namespace velmor {

// A PDF file in the home folder named after the document ("portique.vlm" gives portique.pdf).
QString PdfPathFor(const QString& documentTitle);

// Sends the printer to a PDF file named after the document (in the home folder) when the
// machine has no printer, so that the print dialog opens on printing to a file.
void PreferPdfWithoutPrinter(QPrinter& printer, const QString& documentTitle);

// Opens the painter on the printer. When it cannot (a PDF file that cannot be written, no
// printer ready) tells the user why and returns false.
bool BeginPrinting(QPainter& painter, QPrinter& printer);

} // namespace velmor
