#pragma once
// "Konfiguracja Wifi / Email": reads and programs the register's e-mail ('m') and network ('e')
// parameters. Nothing of it is kept in the image.
#include "platform/Form.h"
#include "tables/WifiMailLogic.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TProgramowanieTablicyWiFi_Mail : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieTablicyWiFi_Mail(QWidget* parent = nullptr);

    // e-mail
    QLineEdit* Edit10 = nullptr;     // "E-mail Orva RIVO:"
    QLineEdit* Edit12 = nullptr;     // "Temat wiadomosci:"
    QCheckBox* CheckBox5 = nullptr;  // "Temat automatyczny (nazwa raportu)"
    QLineEdit* Edit13 = nullptr;     // "IP serwera SMTP:"
    QLineEdit* Edit11 = nullptr;     // "Hasło:"
    QLineEdit* Edit14 = nullptr;     // "Nr Portu SMTP:"
    QLineEdit* Edit7 = nullptr;      // "Adres odbiorcy 1:"
    QLineEdit* Edit8 = nullptr;      // "Adres odbiorcy 2:"
    QLineEdit* Edit9 = nullptr;      // "Adres odbiorcy 3:"
    QCheckBox* CheckBox1 = nullptr;  // "Grafika w załączniku"
    QCheckBox* CheckBox2 = nullptr;  // "Tryb Email ON/OFF"
    QLabel* Label20 = nullptr;       // "RAPORTY EMAIL"
    QListWidget* CheckListBox1 = nullptr;
    QPushButton* BitBtn2 = nullptr;  // "Wyślij do kasy" (e-mail)
    QPushButton* BitBtn1 = nullptr;  // "Odśwież" (e-mail)
    // network
    QCheckBox* CheckBox3 = nullptr;  // "DHCP"
    QCheckBox* CheckBox4 = nullptr;  // "ON WIFI"
    QLineEdit* Edit3 = nullptr;      // "IP Kasy:"
    QLineEdit* Edit4 = nullptr;      // "Maska podsieci:"
    QLineEdit* Edit5 = nullptr;      // "Brama domyslna:"
    QLineEdit* Edit1 = nullptr;      // "Nazwa sieci:"
    QLineEdit* Edit6 = nullptr;      // "Nr Portu:"
    QLineEdit* Edit2 = nullptr;      // "Hasło:"
    QPushButton* BitBtn4 = nullptr;  // "&Wyślij do kasy" (network)
    QPushButton* BitBtn5 = nullptr;  // "Odśwież" (network)
    QPushButton* BitBtn3 = nullptr;  // "&Anuluj" (hidden)

    void BitBtn2Click();   // e-mail send
    void BitBtn1Click();   // e-mail read
    void BitBtn4Click();   // network send
    void BitBtn5Click();   // network read
    void BitBtn3Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox5Click();

    EmailParams EmailValues() const;
    void SetEmailValues(const EmailParams& p);
    WifiParams WifiValues() const;
    void SetWifiValues(const WifiParams& p);

private:
    bool Connected() const;

    FormInstance<TProgramowanieTablicyWiFi_Mail> instance_;
};

extern TProgramowanieTablicyWiFi_Mail* ProgramowanieTablicyWiFi_Mail;
