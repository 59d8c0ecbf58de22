#pragma once
// Starting a print job the way every printout of the program does.
#include <QString>

class QPrinter;
class QWidget;

// Sends the job to the PDF file at pdfPath at 600 dpi when one is given (tests and headless
// use), else asks the print dialog. False when the user cancelled the dialog.
bool ChoosePrinter(QPrinter& printer, const QString& pdfPath, QWidget* parent);
