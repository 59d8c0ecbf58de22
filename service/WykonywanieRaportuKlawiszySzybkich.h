#pragma once
// "Wykonywanie raportu klawiszy szybkich".
#include "service/ReportWindow.h"

class TWykonywanieRaportuKlawiszySzybkich : public TPlainReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuKlawiszySzybkich(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuKlawiszySzybkich> instance_;
};

extern TWykonywanieRaportuKlawiszySzybkich* WykonywanieRaportuKlawiszySzybkich;
