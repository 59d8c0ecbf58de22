#pragma once
// "Wykonywanie raportu opakowań".
#include "service/ReportWindow.h"

class TWykonywanieRaportuOpakowan : public TOptionsReport {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuOpakowan(QWidget* parent = nullptr);

private:
    FormInstance<TWykonywanieRaportuOpakowan> instance_;
};

extern TWykonywanieRaportuOpakowan* WykonywanieRaportuOpakowan;
