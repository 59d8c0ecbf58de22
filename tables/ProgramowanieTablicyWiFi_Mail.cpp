#include "tables/ProgramowanieTablicyWiFi_Mail.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "tables/SettingsLink.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

TProgramowanieTablicyWiFi_Mail* ProgramowanieTablicyWiFi_Mail = nullptr;

namespace {

const QString NoRead = QStringLiteral("Brak komunikacji.");

QLineEdit* Field(QWidget* parent, int maxLength, const QString& text = {})
{
    auto* e = new QLineEdit(text, parent);
    e->setMaxLength(maxLength);
    return e;
}

// Sends a read request and takes one reply of the given length from the link in use.
std::size_t ReadParams(uint8_t command, std::size_t length)
{
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, command, 1);
    std::memset(Link.ReceiveBuffer, 0, length);
    const int got = ReadRaw(Link.ReceiveBuffer, length, true);
    return got > 0 ? std::size_t(got) : 0;
}

} // namespace

TProgramowanieTablicyWiFi_Mail::TProgramowanieTablicyWiFi_Mail(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieTablicyWiFi_Mail, this)
{
    setWindowTitle(QStringLiteral("Konfiguracja Wifi / Email"));
    auto* title = new QLabel(QStringLiteral("Konfiguracja parametrów IT:"), this);
    title->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));

    auto* mail = new QGroupBox(QStringLiteral("Email"), this);
    Edit10 = Field(mail, 39);
    Edit12 = Field(mail, 30);
    Edit12->setToolTip(QStringLiteral("Wpisanie znaku # powoduje, że tematem wiadomości jest nazwa wysłanego raportu"));
    CheckBox5 = new QCheckBox(QStringLiteral("Temat automatyczny (nazwa raportu)"), mail);
    Edit13 = Field(mail, 15);
    Edit13->setToolTip(QStringLiteral("Adres serwera SMTP można uzyskac wpisując w PC polecenie PING nazwa"));
    Edit11 = Field(mail, 30);
    Edit14 = Field(mail, 5, QStringLiteral("25"));
    Edit7 = Field(mail, 39);
    Edit8 = Field(mail, 39);
    Edit9 = Field(mail, 39);
    CheckBox1 = new QCheckBox(QStringLiteral("Grafika w załączniku"), mail);
    CheckBox2 = new QCheckBox(QStringLiteral("Tryb Email ON/OFF"), mail);
    Label20 = new QLabel(QStringLiteral("RAPORTY EMAIL"), mail);
    CheckListBox1 = new QListWidget(mail);
    CheckListBox1->setToolTip(QStringLiteral("Lista aktywna tylko przy włączonym trybie Email"));
    for (const char* item : {"Dobowy Fiskalny", "Finansowy", "Sprzedaży", "Bazy z PTU", "Bazy Towarów", "Grup Towarów",
                             "Napisów Stałych", "Okresowy Miesięczny", "Konfiguracji", "Obrotu Grup", "WiFi", "Menu",
                             "Informacyjny", "Serwisowy (n.u.)"}) {
        auto* it = new QListWidgetItem(QString::fromUtf8(item), CheckListBox1);
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        it->setCheckState(Qt::Unchecked);
    }
    BitBtn2 = new QPushButton(QStringLiteral("Wyślij do kasy"), mail);
    BitBtn1 = new QPushButton(QStringLiteral("Odśwież"), mail);
    auto* mailForm = new QFormLayout;
    mailForm->addRow(QStringLiteral("E-mail Orva RIVO: *"), Edit10);
    mailForm->addRow(QStringLiteral("Temat wiadomosci:"), Edit12);
    mailForm->addRow(QString(), CheckBox5);
    mailForm->addRow(QStringLiteral("IP serwera SMTP: *"), Edit13);
    mailForm->addRow(QStringLiteral("Hasło: *"), Edit11);
    mailForm->addRow(QStringLiteral("Nr Portu SMTP: *"), Edit14);
    mailForm->addRow(QStringLiteral("Adres odbiorcy 1: *"), Edit7);
    mailForm->addRow(QStringLiteral("Adres odbiorcy 2:"), Edit8);
    mailForm->addRow(QStringLiteral("Adres odbiorcy 3:"), Edit9);
    mailForm->addRow(QString(), CheckBox1);
    mailForm->addRow(QString(), CheckBox2);
    auto* mailButtons = new QHBoxLayout;
    mailButtons->addWidget(BitBtn1);
    mailButtons->addStretch(1);
    mailButtons->addWidget(BitBtn2);
    auto* mailLayout = new QVBoxLayout(mail);
    mailLayout->addLayout(mailForm);
    mailLayout->addWidget(Label20);
    mailLayout->addWidget(CheckListBox1);
    mailLayout->addLayout(mailButtons);

    auto* wifi = new QGroupBox(QStringLiteral("WiFi"), this);
    CheckBox3 = new QCheckBox(QStringLiteral("DHCP"), wifi);
    CheckBox4 = new QCheckBox(QStringLiteral("ON WIFI"), wifi);
    Edit3 = Field(wifi, 15);
    Edit4 = Field(wifi, 15);
    Edit5 = Field(wifi, 15);
    Edit1 = Field(wifi, 40);
    Edit6 = Field(wifi, 5, QStringLiteral("3000"));
    Edit2 = Field(wifi, 30);
    BitBtn4 = new QPushButton(QStringLiteral("&Wyślij do kasy"), wifi);
    BitBtn5 = new QPushButton(QStringLiteral("Odśwież"), wifi);
    auto* wifiForm = new QFormLayout;
    wifiForm->addRow(QString(), CheckBox4);
    wifiForm->addRow(QString(), CheckBox3);
    wifiForm->addRow(QStringLiteral("IP Kasy:"), Edit3);
    wifiForm->addRow(QStringLiteral("Maska podsieci:"), Edit4);
    wifiForm->addRow(QStringLiteral("Brama domyslna:"), Edit5);
    wifiForm->addRow(QStringLiteral("Nazwa sieci: *"), Edit1);
    wifiForm->addRow(QStringLiteral("Nr Portu: *"), Edit6);
    wifiForm->addRow(QStringLiteral("Hasło: *"), Edit2);
    auto* wifiButtons = new QHBoxLayout;
    wifiButtons->addWidget(BitBtn5);
    wifiButtons->addStretch(1);
    wifiButtons->addWidget(BitBtn4);
    auto* wifiLayout = new QVBoxLayout(wifi);
    wifiLayout->addLayout(wifiForm);
    wifiLayout->addStretch(1);
    wifiLayout->addWidget(new QLabel(QStringLiteral("* Pola wymagane !"), wifi));
    wifiLayout->addLayout(wifiButtons);

    BitBtn3 = new QPushButton(QStringLiteral("&Anuluj"), this);
    BitBtn3->hide();
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5})
        b->setAutoDefault(false);

    auto* columns = new QHBoxLayout;
    columns->addWidget(mail, 3);
    columns->addWidget(wifi, 2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(title);
    main->addLayout(columns);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    connect(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connect(CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });
    connect(CheckBox5, &QCheckBox::toggled, this, [this] { CheckBox5Click(); });
    CheckBox2Click();
}

void TProgramowanieTablicyWiFi_Mail::BitBtn3Click() { close(); }

void TProgramowanieTablicyWiFi_Mail::CheckBox2Click()
{
    const bool on = CheckBox2->isChecked();
    CheckListBox1->setEnabled(on);
    QFont f = Label20->font();
    f.setBold(on);
    Label20->setFont(f);
}

void TProgramowanieTablicyWiFi_Mail::CheckBox3Click()
{
    for (QLineEdit* e : {Edit3, Edit4, Edit5})
        e->setEnabled(!CheckBox3->isChecked());
}

void TProgramowanieTablicyWiFi_Mail::CheckBox5Click() { Edit12->setEnabled(!CheckBox5->isChecked()); }

bool TProgramowanieTablicyWiFi_Mail::Connected() const
{
    if (RegisterConnected())
        return true;
    ShowMessage(QStringLiteral("Brak połączenia z Kasą Fiskalną!"));
    return false;
}

EmailParams TProgramowanieTablicyWiFi_Mail::EmailValues() const
{
    EmailParams p;
    p.Address = Edit10->text();
    p.Subject = Edit12->text();
    p.AutomaticSubject = CheckBox5->isChecked();
    p.SmtpIp = Edit13->text();
    p.Password = Edit11->text();
    p.Port = Edit14->text();
    p.Recipients = {Edit7->text(), Edit8->text(), Edit9->text()};
    p.Graphics = CheckBox1->isChecked();
    p.EmailOn = CheckBox2->isChecked();
    for (int i = 0; i < EmailReportCount; ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked)
            p.ReportMask |= 1u << i;
    return p;
}

void TProgramowanieTablicyWiFi_Mail::SetEmailValues(const EmailParams& p)
{
    Edit10->setText(p.Address);
    Edit12->setText(p.Subject);
    Edit13->setText(p.SmtpIp);
    Edit11->setText(p.Password);
    Edit14->setText(p.Port);
    Edit7->setText(p.Recipients[0]);
    Edit8->setText(p.Recipients[1]);
    Edit9->setText(p.Recipients[2]);
    CheckBox1->setChecked(p.Graphics);
    CheckBox2->setChecked(p.EmailOn);
    for (int i = 0; i < EmailReportCount; ++i)
        CheckListBox1->item(i)->setCheckState((p.ReportMask >> i) & 1 ? Qt::Checked : Qt::Unchecked);
}

WifiParams TProgramowanieTablicyWiFi_Mail::WifiValues() const
{
    WifiParams p;
    p.Dhcp = CheckBox3->isChecked();
    p.WifiOn = CheckBox4->isChecked();
    p.Ip = Edit3->text();
    p.Mask = Edit4->text();
    p.Gateway = Edit5->text();
    p.Name = Edit1->text();
    p.Port = Edit6->text();
    p.Password = Edit2->text();
    return p;
}

void TProgramowanieTablicyWiFi_Mail::SetWifiValues(const WifiParams& p)
{
    CheckBox3->setChecked(p.Dhcp);
    CheckBox4->setChecked(p.WifiOn);
    Edit3->setText(p.Ip);
    Edit4->setText(p.Mask);
    Edit5->setText(p.Gateway);
    Edit1->setText(p.Name);
    Edit6->setText(p.Port);
    Edit2->setText(p.Password);
}

void TProgramowanieTablicyWiFi_Mail::BitBtn2Click()
{
    if (!Connected())
        return;
    std::array<uint8_t, 243> block{};
    if (const QString refusal = BuildEmailParamsBlock(EmailValues(), block); !refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }
    DrainInput();
    SendEmailParams(Link.RegisterAddress, SingleFrameNumber, block.data());
    ShowMessage(AckSucceeded(ReceiveAckWaitingOutPrinting()) ? QStringLiteral("Zaprogramowano parametry E-mail.")
                                                             : QStringLiteral("Błąd 0x04"));
}

void TProgramowanieTablicyWiFi_Mail::BitBtn4Click()
{
    if (!Connected())
        return;
    std::array<uint8_t, 186> block{};
    if (const QString refusal = BuildWifiParamsBlock(WifiValues(), block); !refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }
    DrainInput();
    SendWifiParams(Link.RegisterAddress, SingleFrameNumber, block.data());
    ShowMessage(AckSucceeded(ReceiveAckWaitingOutPrinting()) ? QStringLiteral("Zaprogramowano parametry WiFi.")
                                                             : QStringLiteral("Błąd 0x04"));
}

void TProgramowanieTablicyWiFi_Mail::BitBtn1Click()
{
    if (!Connected())
        return;
    EmailParams p;
    if (!DecodeEmailParamsReply(Link.ReceiveBuffer, ReadParams('m', EmailReplyFrameLength), p)) {
        ShowMessage(NoRead);
        return;
    }
    // The subject shows as read; the automatic-subject box stays as it is.
    SetEmailValues(p);
}

void TProgramowanieTablicyWiFi_Mail::BitBtn5Click()
{
    if (!Connected())
        return;
    WifiParams p;
    if (!DecodeWifiParamsReply(Link.ReceiveBuffer, ReadParams('e', WifiReplyFrameLength), p)) {
        ShowMessage(NoRead);
        return;
    }
    SetWifiValues(p);
}
