#pragma once
// "Wykonywanie raportu kasjera": one cashier's report, zeroing and full as chosen.
#include "service/ReportWindow.h"

class TWykonywanieRaportuKasjera : public TReportWindow {
    Q_OBJECT
public:
    explicit TWykonywanieRaportuKasjera(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;  // "Wybierz kasjera:" "1".."10"
    QCheckBox* CheckBox1 = nullptr;  // "Raport zerujący"
    QCheckBox* CheckBox2 = nullptr;  // "Raport pełny"

    void FormShow() override;
    void Button1Click() override;

private:
    FormInstance<TWykonywanieRaportuKasjera> instance_;
};

extern TWykonywanieRaportuKasjera* WykonywanieRaportuKasjera;
