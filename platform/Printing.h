#pragma once
// Starting a print job the way every printout of the program does.
#include <QString>

class QPrinter;
class QWidget;

// Printer pixels per millimetre at dpi (the printer's LOGPIXELSX).
inline double PrinterPixelsPerMm(int dpi) { return dpi * 0.03937007874015748; }

// Sends the job to the PDF file at pdfPath at 600 dpi when one is given (tests and headless
// use), else asks the print dialog. False when the user cancelled the dialog. A job into a file
// (this one, or the dialog's "print to file") is taken over by core's PdfOutput before painting,
// so that the file is written whole by the program's writer, not by Qt.
bool ChoosePrinter(QPrinter& printer, const QString& pdfPath, QWidget* parent);
