#include "service/WykonywanieRaportuKlawiszySzybkich.h"

#include "link/Commands.h"

TWykonywanieRaportuKlawiszySzybkich* WykonywanieRaportuKlawiszySzybkich = nullptr;

TWykonywanieRaportuKlawiszySzybkich::TWykonywanieRaportuKlawiszySzybkich(QWidget* parent)
    : TPlainReport(QStringLiteral("Wykonywanie raportu klawiszy szybkich"),
                   QStringLiteral("Wykonywanie raportu klawiszy szybkich"), &RequestQuickKeysReport, parent),
      instance_(WykonywanieRaportuKlawiszySzybkich, this)
{
}
