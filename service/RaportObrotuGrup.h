#pragma once
// "Raport obrotu grup towarowych": the goods groups' turnover between two months, printed by
// the register.
#include "service/ReportWindow.h"

#include <QDate>

class TRaportObrotuGrup : public TReportWindow {
    Q_OBJECT
public:
    explicit TRaportObrotuGrup(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    QComboBox* ComboBox1 = nullptr;  // from month
    QLineEdit* MaskEdit1 = nullptr;  // from year
    QComboBox* ComboBox2 = nullptr;  // to month
    QLineEdit* MaskEdit2 = nullptr;  // to year
    QCheckBox* CheckBox2 = nullptr;  // "Drukowanie rekordów zerowych"
    QLabel* Label8 = nullptr;        // "Rodzaj operacji" (hidden)
    QComboBox* ComboBox3 = nullptr;  // hidden, never read
    QCheckBox* CheckBox1 = nullptr;  // "Raport pełny" (hidden, never read)

    void Button1Click() override;

private:
    FormInstance<TRaportObrotuGrup> instance_;
};

extern TRaportObrotuGrup* RaportObrotuGrup;
