#include "service/WykonywanieRaportuFormPlatnosci.h"

#include "link/Commands.h"

TWykonywanieRaportuFormPlatnosci* WykonywanieRaportuFormPlatnosci = nullptr;

TWykonywanieRaportuFormPlatnosci::TWykonywanieRaportuFormPlatnosci(QWidget* parent)
    : TOptionsReport(QStringLiteral("WykonywanieRaportu form platnosci"),
                     QStringLiteral("Wykonywanie raportu form płatności"), &RequestPaymentFormsReport, parent),
      instance_(WykonywanieRaportuFormPlatnosci, this)
{
}
