#include "service/WykonywanieRaportuSprzedazy.h"

#include "link/Commands.h"
#include "link/Link.h"

#include <QVBoxLayout>

TWykonywanieRaportuSprzedazy* WykonywanieRaportuSprzedazy = nullptr;

TWykonywanieRaportuSprzedazy::TWykonywanieRaportuSprzedazy(QWidget* parent)
    : TGoodsRangeReport(QStringLiteral("Wykonywanie raportu sprzedazy"),
                        QStringLiteral("Wykonywanie raportu sprzedaży"), parent),
      instance_(WykonywanieRaportuSprzedazy, this)
{
    RadioGroup1 = NoYesGroup(QStringLiteral("Raport zerujący?"), this);
    Body()->addWidget(RadioGroup1);
    RadioGroup2 = NoYesGroup(QStringLiteral("Drukować rekordy zerowe?"), this);
    Body()->addWidget(RadioGroup2);
}

void TWykonywanieRaportuSprzedazy::SendRange(uint8_t selector, uint16_t first, uint16_t last)
{
    RequestSalesReportByRange(Link.RegisterAddress, 1, selector, first, last, uint8_t(RadioGroup1->ItemIndex()),
                              uint8_t(RadioGroup2->ItemIndex()));
}

void TWykonywanieRaportuSprzedazy::SendGroup(uint8_t group)
{
    RequestSalesReportByGroup(Link.RegisterAddress, 1, 2, group, uint8_t(RadioGroup1->ItemIndex()),
                              uint8_t(RadioGroup2->ItemIndex()));
}
