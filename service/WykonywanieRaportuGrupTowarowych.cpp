#include "service/WykonywanieRaportuGrupTowarowych.h"

#include "link/Commands.h"

TWykonywanieRaportuGrupTowarowych* WykonywanieRaportuGrupTowarowych = nullptr;

TWykonywanieRaportuGrupTowarowych::TWykonywanieRaportuGrupTowarowych(QWidget* parent)
    : TOptionsReport(QStringLiteral("Wykonywanie raportu grup towarowych"),
                     QStringLiteral("Wykonywanie raportu grup towarowych"), &RequestGoodsGroupsReport, parent,
                     QStringLiteral("Drukować rekordy zerowe? ")),
      instance_(WykonywanieRaportuGrupTowarowych, this)
{
}
