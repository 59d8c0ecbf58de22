#include "service/WykonywanieRaportuStawekPTU.h"

#include "link/Commands.h"

TWykonywanieRaportuStawekPTU* WykonywanieRaportuStawekPTU = nullptr;

TWykonywanieRaportuStawekPTU::TWykonywanieRaportuStawekPTU(QWidget* parent)
    : TPlainReport(QStringLiteral("Wykonywanie raportu stawek PTU"), QStringLiteral("Wykonywanie raportu stawek PTU"),
                   &RequestVatRatesReport, parent),
      instance_(WykonywanieRaportuStawekPTU, this)
{
}
