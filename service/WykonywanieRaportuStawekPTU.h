#pragma once
// "Wykonywanie raportu stawek PTU".
#include "service/ReportWindow.h"

class TWykonywanieRaportuStawekPTU : public TPlainReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuStawekPTU(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuStawekPTU> instance_;
};

extern TWykonywanieRaportuStawekPTU* WykonywanieRaportuStawekPTU;
