#pragma once
// "Wykonywanie raportu informacyjnego kasy".
#include "service/ReportWindow.h"

class TWykonywanieRaportuStanuKasy : public TPlainReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuStanuKasy(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuStanuKasy> instance_;
};

extern TWykonywanieRaportuStanuKasy* WykonywanieRaportuStanuKasy;
