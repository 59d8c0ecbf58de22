#include "tables/ProgramowanieWalutObcych.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

TProgramowanieWalutObcych* ProgramowanieWalutObcych = nullptr;

namespace {
constexpr unsigned CurrencySlots = 10;
} // namespace

TProgramowanieWalutObcych::TProgramowanieWalutObcych(QWidget* parent)
    : TSmallTableEditor(parent), instance_(ProgramowanieWalutObcych, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy walut obcych"));
    Edit1 = FieldEdit(2, 50, this);
    Edit2 = FieldEdit(21, 220, this);
    Edit3 = FieldEdit(9, 100, this);
    Edit4 = FieldEdit(3, 50, this);
    Label5 = WarningLabel(QStringLiteral(" Wprowadź numer!"), this);
    Label6 = WarningLabel(QStringLiteral(" Wprowadź nazwę!"), this);
    Label7 = WarningLabel(QStringLiteral(" Wprowadź kurs!"), this);
    Label8 = WarningLabel(QStringLiteral(" Wprowadź symbol!"), this);
    BuildFrame(
        FieldRows(this, {{"Numer", Edit1, Label5}, {"Nazwa", Edit2, Label6}, {"Kurs", Edit3, Label7},
                         {"Symbol", Edit4, Label8}}),
        {{QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Kurs"), QStringLiteral("Symbol")},
         "Potwiedzenie z klawiatury kasy", "Usuń walutę"});
    StringGrid1->setColumnWidth(1, 200);
    StringGrid1->setColumnWidth(2, 100);
    resize(520, 620);
}

void TProgramowanieWalutObcych::FormShow() { FillCurrenciesGrid(); }

void TProgramowanieWalutObcych::FillCurrenciesGrid()
{
    FillStringGrid(StringGrid1, CurrencyGridRows());
    const unsigned free = FirstFreeSmallNumber(CurrencyTableGeometry, CurrencySlots);
    Edit1->setText(free ? QString::number(free) : QString());
}

void TProgramowanieWalutObcych::BitBtn4Click()
{
    Label5->setVisible(Edit1->text().isEmpty());
    Label6->setVisible(Edit2->text().isEmpty());
    Label7->setVisible(Edit3->text().isEmpty());
    Label8->setVisible(Edit4->text().isEmpty());
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty() || Edit3->text().isEmpty() || Edit4->text().isEmpty())
        return;
    unsigned number = 0;
    if (!ParseRecordNumber(Edit1->text(), CurrencySlots, number)) {
        ShowNumberOutOfRange(CurrencySlots);
        return;
    }
    if (!NameAccepted(Edit2, "Nazwa waluty nie może składać się z samych znaków spacji!"))
        return;
    // The field itself shows the comma the rate is read with.
    QString rateText = Edit3->text();
    if (const qsizetype dot = rateText.indexOf(u'.'); dot >= 0) {
        rateText[dot] = u',';
        Edit3->setText(rateText);
    }
    if (const QString refusal = CheckCurrencyRateValue(rateText); !refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }
    if (!NameIsNew(Edit2, CurrencyTableGeometry, CurrencySlots, "Waluta o takiej nazwie już istnieje! Wybierz inną nazwę."))
        return;
    const QString symbol = Edit4->text().leftJustified(3, u' ');
    if (symbol.trimmed().isEmpty()) {
        ShowMessage(QStringLiteral("Symbol nie może składać się z samych znaków spacji!"));
        return;
    }
    if (!NameAccepted(Edit4, nullptr))
        return;
    if (FindCurrencyBySymbol(ToCp1250(symbol), CurrencySlots)) {
        ShowMessage(QStringLiteral("Waluta o takim symbolu już istnieje! Wybierz inny symbol."));
        Edit4->setFocus();
        return;
    }
    const CurrencyRate rate = ParseCurrencyRate(rateText);
    if (!rate.Ok()) {
        ShowMessage(rate.Message);
        return;
    }
    const RecordBytes record =
        CurrencyRecordBytes(uint8_t(number), ToCp1250(Edit2->text()), rate.Rate, rate.Decimals, ToCp1250(symbol));
    if (!StoreRecord(CurrencyTableGeometry, record))
        return;
    Edit2->clear();
    Edit3->clear();
    Edit4->clear();
    Edit2->setFocus();
    FillCurrenciesGrid();
}

void TProgramowanieWalutObcych::Button3Click()
{
    if (DeleteSelectedRecord(StringGrid1, CurrencyTableGeometry, 1, CurrencySlots))
        FillCurrenciesGrid();
}

void TProgramowanieWalutObcych::Button4Click() { SendSelectedRecord(StringGrid1, SendCurrencyRecord, ConfirmFlag); }
