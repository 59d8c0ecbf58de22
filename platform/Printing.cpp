#include "platform/Printing.h"

#include <QPrintDialog>
#include <QPrinter>

bool ChoosePrinter(QPrinter& printer, const QString& pdfPath, QWidget* parent)
{
    if (!pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        printer.setResolution(600);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
