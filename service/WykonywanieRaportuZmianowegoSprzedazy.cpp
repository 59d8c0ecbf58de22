#include "service/WykonywanieRaportuZmianowegoSprzedazy.h"

#include "link/Commands.h"

TWykonywanieRaportuZmianowegoSprzedazy* WykonywanieRaportuZmianowegoSprzedazy = nullptr;

TWykonywanieRaportuZmianowegoSprzedazy::TWykonywanieRaportuZmianowegoSprzedazy(QWidget* parent)
    : TOptionsReport(QStringLiteral("Wykonywanie raportu zmianowego sprzedaży"),
                     QStringLiteral("Wykonywanie raportu zmianowego sprzedaży"), &RequestShiftSalesReport, parent),
      instance_(WykonywanieRaportuZmianowegoSprzedazy, this)
{
}
