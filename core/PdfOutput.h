#pragma once
// Printing into a PDF file (the tests' way, or the file named where no printer is installed).
// Qt would open the file itself and write through whatever link is there; the job is made in
// memory instead, and written whole into the file by the whole-file writer once it has ended,
// like every file the program writes. A job that fails leaves the old file as it was.
#include <QString>

class QPrinter;

class PdfOutput {
public:
    PdfOutput() = default;
    ~PdfOutput();
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;

    // Takes over the printer's PDF file, when it prints to one. False, with the save's message,
    // when no room in memory could be had: nothing may be painted then.
    bool Take(QPrinter& printer);
    // After the painter has ended: the PDF into its file. False, with the save's message, when it
    // could not be written.
    bool Finish();

private:
    int memory_ = -1;
    QString target_;
};
