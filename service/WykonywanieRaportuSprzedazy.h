#pragma once
// "Wykonywanie raportu sprzedaży": the whole base, one goods group or a PLU range.
#include "service/ReportWindow.h"

class TWykonywanieRaportuSprzedazy : public TGoodsRangeReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuSprzedazy(QWidget* parent = nullptr);
    TRadioGroup* RadioGroup1 = nullptr;  // "Raport zerujący?"
    TRadioGroup* RadioGroup2 = nullptr;  // "Drukować rekordy zerowe?"

protected:
    void SendRange(uint8_t selector, uint16_t first, uint16_t last) override;
    void SendGroup(uint8_t group) override;

private:
    FormInstance<TWykonywanieRaportuSprzedazy> instance_;
};

extern TWykonywanieRaportuSprzedazy* WykonywanieRaportuSprzedazy;
