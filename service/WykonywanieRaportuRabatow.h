#pragma once
// "Wykonywanie raportu rabatów".
#include "service/ReportWindow.h"

class TWykonywanieRaportuRabatow : public TOptionsReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuRabatow(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuRabatow> instance_;
};

extern TWykonywanieRaportuRabatow* WykonywanieRaportuRabatow;
