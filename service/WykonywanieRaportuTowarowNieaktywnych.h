#pragma once
// "Wykonywanie raportu towarów nieaktywnych".
#include "service/ReportWindow.h"

class TWykonywanieRaportuTowarowNieaktywnych : public TPlainReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuTowarowNieaktywnych(QWidget* parent = nullptr);
    // Sends the request, then closes the window.
    void Button1Click() override;

private:
    FormInstance<TWykonywanieRaportuTowarowNieaktywnych> instance_;
};

extern TWykonywanieRaportuTowarowNieaktywnych* WykonywanieRaportuTowarowNieaktywnych;
