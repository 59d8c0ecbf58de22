#include "service/WykonywanieRaportuRabatow.h"

#include "link/Commands.h"

TWykonywanieRaportuRabatow* WykonywanieRaportuRabatow = nullptr;

TWykonywanieRaportuRabatow::TWykonywanieRaportuRabatow(QWidget* parent)
    : TOptionsReport(QStringLiteral("Wykonywanie raportu rabatow"), QStringLiteral("Wykonywanie raportu rabatów"),
                     &RequestDiscountsReport, parent),
      instance_(WykonywanieRaportuRabatow, this)
{
}
