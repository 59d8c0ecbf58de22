#pragma once
// "Wykonywanie raportu napisów stałych".
#include "service/ReportWindow.h"

class TWykonywanieRaportuNapisowStalych : public TPlainReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuNapisowStalych(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuNapisowStalych> instance_;
};

extern TWykonywanieRaportuNapisowStalych* WykonywanieRaportuNapisowStalych;
