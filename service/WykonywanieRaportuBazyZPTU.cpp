#include "service/WykonywanieRaportuBazyZPTU.h"

#include "link/Commands.h"
#include "link/Link.h"

#include <QVBoxLayout>

TWykonywanieRaportuBazyZPTU* WykonywanieRaportuBazyZPTU = nullptr;

TWykonywanieRaportuBazyZPTU::TWykonywanieRaportuBazyZPTU(QWidget* parent)
    : TGoodsRangeReport(QStringLiteral("Wykonywanie raporty bazy z PTU"),
                        QStringLiteral("Wykonywanie raportu bazy PTU"), parent),
      instance_(WykonywanieRaportuBazyZPTU, this)
{
    RadioGroup2 = NoYesGroup(QStringLiteral("Drukować rekordy zerowe?"), this);
    Body()->addWidget(RadioGroup2);
}

void TWykonywanieRaportuBazyZPTU::SendRange(uint8_t selector, uint16_t first, uint16_t last)
{
    RequestBaseWithPtuReportByRange(Link.RegisterAddress, 1, selector, first, last, uint8_t(RadioGroup2->ItemIndex()));
}

void TWykonywanieRaportuBazyZPTU::SendGroup(uint8_t group)
{
    RequestBaseWithPtuReportByGroup(Link.RegisterAddress, 1, 2, group, uint8_t(RadioGroup2->ItemIndex()));
}
