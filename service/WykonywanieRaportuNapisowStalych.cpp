#include "service/WykonywanieRaportuNapisowStalych.h"

#include "link/Commands.h"

TWykonywanieRaportuNapisowStalych* WykonywanieRaportuNapisowStalych = nullptr;

TWykonywanieRaportuNapisowStalych::TWykonywanieRaportuNapisowStalych(QWidget* parent)
    : TPlainReport(QStringLiteral("Wykonywanie raportu napisow stalych"),
                   QStringLiteral("Wykonywanie raportu napisów stałych"), &RequestFixedTextsReport, parent),
      instance_(WykonywanieRaportuNapisowStalych, this)
{
}
