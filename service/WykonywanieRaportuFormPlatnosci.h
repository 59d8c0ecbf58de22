#pragma once
// "Wykonywanie raportu form płatności".
#include "service/ReportWindow.h"

class TWykonywanieRaportuFormPlatnosci : public TOptionsReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuFormPlatnosci(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuFormPlatnosci> instance_;
};

extern TWykonywanieRaportuFormPlatnosci* WykonywanieRaportuFormPlatnosci;
