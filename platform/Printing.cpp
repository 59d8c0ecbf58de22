#include "platform/Printing.h"

#include "platform/Prompts.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

void PrintIntoPdf(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(600);
}

} // namespace

bool ChoosePrinter(QPrinter& printer, const QString& pdfPath, QWidget* parent)
{
    if (!pdfPath.isEmpty()) {
        PrintIntoPdf(printer, pdfPath);
        return true;
    }
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        return RunPrintDialog(printer, parent);
    QString path = CurrentPrompts().SaveFileName(QStringLiteral("Zapisz wydruk do pliku PDF"),
                                                 QStringLiteral("Pliki PDF (*.pdf)|*.pdf"), {});
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (!ConfirmOverwrite(path))
        return false;
    PrintIntoPdf(printer, path);
    return true;
}

bool RunPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}
