#include "service/WykonywanieRaportuOpakowan.h"

#include "link/Commands.h"

TWykonywanieRaportuOpakowan* WykonywanieRaportuOpakowan = nullptr;

TWykonywanieRaportuOpakowan::TWykonywanieRaportuOpakowan(QWidget* parent)
    : TOptionsReport(QStringLiteral("Wykonywanie raportu opakowań"), QStringLiteral("Wykonywanie raportu opakowań"),
                     &RequestPackagingsReport, parent),
      instance_(WykonywanieRaportuOpakowan, this)
{
}
