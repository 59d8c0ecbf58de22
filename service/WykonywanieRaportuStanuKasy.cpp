#include "service/WykonywanieRaportuStanuKasy.h"

#include "link/Commands.h"

TWykonywanieRaportuStanuKasy* WykonywanieRaportuStanuKasy = nullptr;

TWykonywanieRaportuStanuKasy::TWykonywanieRaportuStanuKasy(QWidget* parent)
    : TPlainReport(QStringLiteral("Wykonywanie raportu informacyjnego kasy"),
                   QStringLiteral("Wykonywanie raportu informacyjnego kasy"), &RequestRegisterStateReport, parent),
      instance_(WykonywanieRaportuStanuKasy, this)
{
}
