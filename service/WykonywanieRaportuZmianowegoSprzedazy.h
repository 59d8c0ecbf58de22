#pragma once
// "Wykonywanie raportu zmianowego sprzedaży".
#include "service/ReportWindow.h"

class TWykonywanieRaportuZmianowegoSprzedazy : public TOptionsReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuZmianowegoSprzedazy(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuZmianowegoSprzedazy> instance_;
};

extern TWykonywanieRaportuZmianowegoSprzedazy* WykonywanieRaportuZmianowegoSprzedazy;
