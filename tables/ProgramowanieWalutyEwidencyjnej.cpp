#include "tables/ProgramowanieWalutyEwidencyjnej.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/RecordCurrencyLogic.h"
#include "tables/SettingsLink.h"
#include "tables/SettingsWidgets.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TProgramowanieWalutyEwidencyjnej* ProgramowanieWalutyEwidencyjnej = nullptr;

namespace {

QLabel* Warning(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: red;"));
    l->hide();
    return l;
}

} // namespace

TProgramowanieWalutyEwidencyjnej::TProgramowanieWalutyEwidencyjnej(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieWalutyEwidencyjnej, this)
{
    setWindowTitle(QStringLiteral("Programowanie waluty ewidencyjnej"));
    auto* title = new QLabel(QStringLiteral("Zmiana waluty ewidencyjnej"), this);
    title->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));
    Edit1 = new QLineEdit(this);
    Label5 = new QLabel(this);
    Label5->setMinimumWidth(90);
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(3);
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker1->setCalendarPopup(true);
    CheckBox1 = new QCheckBox(QStringLiteral("Drukowanie przelicznika walut"), this);
    Label6 = Warning(QStringLiteral(" Wprowadź kurs"), this);
    Label7 = Warning(QStringLiteral(" Wprowadź symbol"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Kurs wymiany na starą walutę ewidencyjną"), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Label5, 0, 2);
    grid->addWidget(Label6, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Symbol nowej waluty ewidencyjnej"), this), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(Label7, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Data zmiany (rrrr-mm-dd)"), this), 2, 0);
    grid->addWidget(DateTimePicker1, 2, 1);
    grid->addWidget(CheckBox1, 3, 0, 1, 2);
    grid->setColumnMinimumWidth(3, 120);

    Button1 = new QPushButton(QStringLiteral("Zmiana w kasie"), this);
    Button3 = new QPushButton(QStringLiteral("Zmiana w bazie"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    auto* main = new QVBoxLayout(this);
    main->addWidget(title);
    main->addLayout(grid);
    main->addLayout(ButtonRow({Button1, Button3, Button2}));

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Edit2, &QLineEdit::textChanged, this, [this] { Edit2Change(); });
    connect(Edit1, &QLineEdit::textChanged, this, [this] {
        if (!Edit1->text().isEmpty())
            Label6->hide();
    });
}

void TProgramowanieWalutyEwidencyjnej::FormShow()
{
    Edit2Change();
    DateTimePicker1->setDate(QDate::currentDate());
}

bool TProgramowanieWalutyEwidencyjnej::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { Button2Click(); }, [this] { Button1Click(); });
}

void TProgramowanieWalutyEwidencyjnej::Edit2Change()
{
    Label5->setText(u'(' + Edit2->text() + u'/' + FromCp1250(App.RecordCurrencySymbol) + u')');
    if (!Edit2->text().trimmed().isEmpty())
        Label7->hide();
}

void TProgramowanieWalutyEwidencyjnej::Button2Click() { close(); }

bool TProgramowanieWalutyEwidencyjnej::FieldsFilled()
{
    const bool rate = !Edit1->text().isEmpty();
    // A symbol of blanks is no symbol.
    const bool symbol = !Edit2->text().trimmed().isEmpty();
    Label6->setVisible(!rate);
    Label7->setVisible(!symbol);
    return rate && symbol;
}

bool TProgramowanieWalutyEwidencyjnej::CheckedInput(RecordCurrencyRate& rate)
{
    if (!FieldsFilled())
        return false;
    const RecordCurrencyRateParse parse = ParseRecordCurrencyRate(Edit1->text());
    QString refusal = parse.Refusal.isEmpty() ? Cp1250Refusal(Edit2->text()) : parse.Refusal;
    if (!refusal.isEmpty()) {
        ShowMessage(refusal);
        return false;
    }
    rate = parse.Rate;
    return true;
}

void TProgramowanieWalutyEwidencyjnej::Button1Click()
{
    RecordCurrencyRate rate;
    if (!CheckedInput(rate))
        return;
    const QDate date = DateTimePicker1->date();
    DrainInput();
    SendRecordCurrency(Link.RegisterAddress, SingleFrameNumber, PaddedCurrencySymbol(Edit2->text()), rate.Digits,
                       rate.Decimals, 1, CheckBox1->isChecked() ? 1 : 0, uint16_t(date.year()),
                       uint8_t(date.month()), uint8_t(date.day()));
    const int result = ReceiveAckWaitingOutPrinting();
    if (result == AckErrorFrame)
        ShowRegisterError(Link.ReceiveBuffer[8]);
    else if (!AckSucceeded(result))
        ShowMessage(QStringLiteral("Błąd komunikacji."));
}

void TProgramowanieWalutyEwidencyjnej::Button3Click()
{
    RecordCurrencyRate rate;
    if (!CheckedInput(rate))
        return;
    if (!DatabaseUsable() || !DatabaseImage.Usable()) {
        ShowMessage(QStringLiteral("     Plik zamknięty.     "));
        return;
    }
    const std::string symbol = PaddedCurrencySymbol(Edit2->text());
    DbWriteBytesAt(TableOffsets.RecordCurrencyBlock + 5, reinterpret_cast<const uint8_t*>(symbol.data()), 3);
    App.RecordCurrencySymbol = symbol;
    ConvertPricesByRate(rate.Digits, rate.Decimals);   // marks the database modified
    RequestStatusRefresh();
    ShowMessage(QStringLiteral("Zamieniono walutę ewidencyjną na ") + FromCp1250(symbol) +
                QStringLiteral(". Kurs wymiany: ") + RecordCurrencyRateText(rate));
    close();
}
