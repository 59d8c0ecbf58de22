#include "service/WykonywanieRaportuOkresowego.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "service/ReportLogic.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TWykonywanieRaportuOkresowego* WykonywanieRaportuOkresowego = nullptr;

TWykonywanieRaportuOkresowego::TWykonywanieRaportuOkresowego(QWidget* parent, const QDate& today)
    : TReportWindow(QStringLiteral("Wykonywanie raportu okresowego"), QStringLiteral("Wykonywanie raportu okresowego"),
                    parent),
      instance_(WykonywanieRaportuOkresowego, this)
{
    auto* monthly = new QGroupBox(QStringLiteral("Miesięczny"), this);
    MaskEdit1 = new QLineEdit(monthly);
    // Blanks stand for unfilled positions, so the text keeps its full width.
    MaskEdit1->setInputMask(QStringLiteral("00-0000; "));
    MaskEdit1->setFixedWidth(90);
    auto* ml = new QHBoxLayout(monthly);
    ml->addWidget(MaskEdit1);
    ml->addWidget(new QLabel(QStringLiteral("mm-rrrr"), monthly));
    ml->addStretch(1);

    auto* dates = new QGroupBox(QStringLiteral("Okresowy"), this);
    DateTimePicker1 = new QDateEdit(today, dates);
    DateTimePicker2 = new QDateEdit(today, dates);
    auto* dl = new QHBoxLayout(dates);
    for (auto [label, picker] :
         {std::pair{QStringLiteral("Od"), DateTimePicker1}, std::pair{QStringLiteral("Do"), DateTimePicker2}}) {
        picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
        picker->setCalendarPopup(true);
        dl->addWidget(new QLabel(label, dates));
        dl->addWidget(picker);
    }
    dl->addStretch(1);

    auto* numbers = new QGroupBox(QStringLiteral("Według numerów"), this);
    Edit1 = new QLineEdit(numbers);
    Edit2 = new QLineEdit(numbers);
    auto* nl = new QHBoxLayout(numbers);
    for (auto [label, edit] : {std::pair{QStringLiteral("Od"), Edit1}, std::pair{QStringLiteral("Do"), Edit2}}) {
        edit->setMaxLength(4);
        edit->setFixedWidth(70);
        nl->addWidget(new QLabel(label, numbers));
        nl->addWidget(edit);
    }
    nl->addStretch(1);

    RadioButton1 = Range.AddRow(Body(), monthly, {MaskEdit1});
    RadioButton2 = Range.AddRow(Body(), dates, {DateTimePicker1, DateTimePicker2});
    RadioButton3 = Range.AddRow(Body(), numbers, {Edit1, Edit2});
    CheckBox1 = new QCheckBox(QStringLiteral("Raport pełny"), this);
    CheckBox1->setChecked(true);
    Body()->addWidget(CheckBox1);

    MaskEdit1->setText(MonthlyPreset(today));
    Range.Check(0);
}

void TWykonywanieRaportuOkresowego::Button1Click()
{
    DrainInput();
    const bool full = CheckBox1->isChecked();
    switch (Range.Checked()) {
    case 0: {
        uint16_t year = 0;
        uint8_t month = 0;
        if (const QString error = CheckMonthlyField(MaskEdit1->displayText(), year, month); !error.isEmpty()) {
            ShowMessage(error);
            return;
        }
        RequestPeriodicReportMonthly(Link.RegisterAddress, SingleFrameNumber, full ? 2 : 3, year, month);
        break;
    }
    case 1: {
        const QDate from = DateTimePicker1->date(), to = DateTimePicker2->date();
        RequestPeriodicReportByDates(Link.RegisterAddress, 1, full ? 0 : 1, uint16_t(from.year()),
                                     uint8_t(from.month()), uint8_t(from.day()), uint16_t(to.year()),
                                     uint8_t(to.month()), uint8_t(to.day()));
        break;
    }
    case 2: {
        uint16_t first = 0, last = 0;
        if (const QString error = CheckReportNumbers(Edit1->text(), Edit2->text(), App.MaxGoodsCount, first, last);
            !error.isEmpty()) {
            ShowMessage(error);
            return;
        }
        RequestPeriodicReportByNumbers(Link.RegisterAddress, 1, full ? 0 : 1, first, last);
        break;
    }
    default:
        return;
    }
    ReadReportReply();
}
