#pragma once
// Starting a print job the way every printout of the program does.
#include <QString>

class QPrinter;
class QWidget;

// Printer pixels per millimetre at dpi (the printer's LOGPIXELSX).
inline double PrinterPixelsPerMm(int dpi) { return dpi * 0.03937007874015748; }

// Sends the job to the PDF file at pdfPath at 600 dpi when one is given (tests). Else asks the
// print dialog, or, where no printer is installed, a PDF file's name in the program's own save
// dialog (and whether to replace what is there). False when the user cancelled. A job into a
// file is taken over by core's PdfOutput before painting, so that the file is written whole by
// the program's writer, not by Qt.
bool ChoosePrinter(QPrinter& printer, const QString& pdfPath, QWidget* parent);

// The print dialog, without its "print to file": that choice would have the dialog open the
// file itself, through whatever is there. False when cancelled.
bool RunPrintDialog(QPrinter& printer, QWidget* parent);
