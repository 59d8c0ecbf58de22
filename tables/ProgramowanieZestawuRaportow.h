#pragma once
// "Programowanie zestawu raportow": the report set of the database image, one choice per report.
#include "platform/Form.h"
#include "tables/SmallTableRecords.h"

#include <array>

class QPushButton;
class TRadioGroup;

class TProgramowanieZestawuRaportow : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieZestawuRaportow(QWidget* parent = nullptr);

    // One line per report: Niezaprogramowany | Pełny | Rekordów niezerowych.
    std::array<TRadioGroup*, ReportSetBlockSize> Lines{};
    QPushButton* Button2 = nullptr;   // "Zapisz" / "Wyslij"
    QPushButton* Button1 = nullptr;   // "Anuluj"

    // The choices of this run (all 0 at start).
    ReportSet WorkingCopy{};

    void FormShow() override;
    // Esc closes, Enter stores.
    bool FormKeyDown(int key) override;
    void LoadReportSet();
    void ReportSetToRadios();
    void ReportSetFromRadios();
    void Button2Click();

private:
    FormInstance<TProgramowanieZestawuRaportow> instance_;
};

extern TProgramowanieZestawuRaportow* ProgramowanieZestawuRaportow;
