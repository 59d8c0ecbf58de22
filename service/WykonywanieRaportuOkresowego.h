#pragma once
// "Wykonywanie raportu okresowego": monthly, between two dates, or by report numbers.
#include "service/ReportWindow.h"

#include <QDate>

class QDateEdit;

class TWykonywanieRaportuOkresowego : public TReportWindow {
    Q_OBJECT
public:
    // today: the date the "Miesięczny" preset is made from (tests pass their own).
    explicit TWykonywanieRaportuOkresowego(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    QRadioButton* RadioButton1 = nullptr;  // "Miesięczny"
    QRadioButton* RadioButton2 = nullptr;  // "Okresowy"
    QRadioButton* RadioButton3 = nullptr;  // "Według numerów"
    QLineEdit* MaskEdit1 = nullptr;        // "mm-rrrr"
    QDateEdit* DateTimePicker1 = nullptr;  // "Od"
    QDateEdit* DateTimePicker2 = nullptr;  // "Do"
    QLineEdit* Edit1 = nullptr;            // "Od"
    QLineEdit* Edit2 = nullptr;            // "Do"
    QCheckBox* CheckBox1 = nullptr;        // "Raport pełny"
    RangeSelection Range;

    void Button1Click() override;

private:
    FormInstance<TWykonywanieRaportuOkresowego> instance_;
};

extern TWykonywanieRaportuOkresowego* WykonywanieRaportuOkresowego;
