#pragma once
// "Wykonywanie raportu bazy PTU": the whole base, one goods group or a PLU range.
#include "service/ReportWindow.h"

class TWykonywanieRaportuBazyZPTU : public TGoodsRangeReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuBazyZPTU(QWidget* parent = nullptr);
    TRadioGroup* RadioGroup2 = nullptr;  // "Drukować rekordy zerowe?"

protected:
    void SendRange(uint8_t selector, uint16_t first, uint16_t last) override;
    void SendGroup(uint8_t group) override;

private:
    FormInstance<TWykonywanieRaportuBazyZPTU> instance_;
};

extern TWykonywanieRaportuBazyZPTU* WykonywanieRaportuBazyZPTU;
