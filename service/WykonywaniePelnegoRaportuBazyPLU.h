#pragma once
// "Wykonywanie raportu bazy PLU": the whole base, one goods group or a PLU range.
#include "service/ReportWindow.h"

class TWykonywaniePelnegoRaportuBazyPLU : public TGoodsRangeReport {
    Q_OBJECT
public:
    explicit TWykonywaniePelnegoRaportuBazyPLU(QWidget* parent = nullptr);
    TRadioGroup* RadioGroup2 = nullptr;  // "Drukować rekordy zerowe?"

    void FormShow() override;

protected:
    void SendRange(uint8_t selector, uint16_t first, uint16_t last) override;
    void SendGroup(uint8_t group) override;

private:
    FormInstance<TWykonywaniePelnegoRaportuBazyPLU> instance_;
};

extern TWykonywaniePelnegoRaportuBazyPLU* WykonywaniePelnegoRaportuBazyPLU;
