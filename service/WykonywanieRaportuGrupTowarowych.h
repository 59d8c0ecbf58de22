#pragma once
// "Wykonywanie raportu grup towarowych".
#include "service/ReportWindow.h"

class TWykonywanieRaportuGrupTowarowych : public TOptionsReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuGrupTowarowych(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuGrupTowarowych> instance_;
};

extern TWykonywanieRaportuGrupTowarowych* WykonywanieRaportuGrupTowarowych;
