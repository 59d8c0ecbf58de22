#include "service/WykonywaniePelnegoRaportuBazyPLU.h"

#include "link/Commands.h"
#include "link/Link.h"

#include <QVBoxLayout>

TWykonywaniePelnegoRaportuBazyPLU* WykonywaniePelnegoRaportuBazyPLU = nullptr;

TWykonywaniePelnegoRaportuBazyPLU::TWykonywaniePelnegoRaportuBazyPLU(QWidget* parent)
    : TGoodsRangeReport(QStringLiteral("Wykonywanie pelnego raportu bazy z PLU"),
                        QStringLiteral("Wykonywanie raportu bazy PLU"), parent),
      instance_(WykonywaniePelnegoRaportuBazyPLU, this)
{
    RadioGroup2 = NoYesGroup(QStringLiteral("Drukować rekordy zerowe?"), this);
    Body()->addWidget(RadioGroup2);
}

void TWykonywaniePelnegoRaportuBazyPLU::FormShow() { Range.Apply(); }

void TWykonywaniePelnegoRaportuBazyPLU::SendRange(uint8_t selector, uint16_t first, uint16_t last)
{
    RequestFullPluReportByRange(Link.RegisterAddress, 1, selector, first, last, uint8_t(RadioGroup2->ItemIndex()));
}

void TWykonywaniePelnegoRaportuBazyPLU::SendGroup(uint8_t group)
{
    RequestFullPluReportByGroup(Link.RegisterAddress, 1, 2, group, uint8_t(RadioGroup2->ItemIndex()));
}
