#include "service/WykonywanieRaportuTowarowNieaktywnych.h"

#include "link/Commands.h"

TWykonywanieRaportuTowarowNieaktywnych* WykonywanieRaportuTowarowNieaktywnych = nullptr;

TWykonywanieRaportuTowarowNieaktywnych::TWykonywanieRaportuTowarowNieaktywnych(QWidget* parent)
    : TPlainReport(QStringLiteral("Wykonywanie raportu towarow nieaktywnych"),
                   QStringLiteral("Wykonywanie raportu towarów nieaktywnych"), &RequestInactiveGoodsReport, parent),
      instance_(WykonywanieRaportuTowarowNieaktywnych, this)
{
}

void TWykonywanieRaportuTowarowNieaktywnych::Button1Click()
{
    TPlainReport::Button1Click();
    accept();
}
