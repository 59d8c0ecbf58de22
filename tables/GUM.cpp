#include "tables/GUM.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "tables/ServiceKeysLogic.h"
#include "tables/SettingsWidgets.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TGUM* GUM = nullptr;

TGUM::TGUM(QWidget* parent) : TForm(parent), instance_(GUM, this)
{
    setWindowTitle(QStringLiteral("Programowanie numeru i klucza"));
    auto* title = new QLabel(QStringLiteral("Programowanie numeru unikatowego i klucza pam. fisk."), this);
    title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    MaskEdit1 = new QLineEdit(this);
    MaskEdit1->setInputMask(QStringLiteral(">aaa 0000000000; "));
    MaskEdit2 = new QLineEdit(this);
    MaskEdit2->setInputMask(QStringLiteral("0000000000; "));
    Button1 = new QPushButton(QStringLiteral("Programuj klucz pam. fis."), this);
    Button2 = new QPushButton(QStringLiteral("Programuj klucz i numer"), this);
    Button3 = new QPushButton(QStringLiteral("Wyjdź"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nr unikatowy"), MaskEdit1);
    form->addRow(QStringLiteral("Klucz"), MaskEdit2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(title);
    main->addLayout(form);
    main->addLayout(ButtonRow({Button1, Button2, Button3}, false));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { close(); });
}

bool TGUM::TakeKey(std::string& key)
{
    const QString typed = MaskEdit2->displayText().trimmed();
    if (typed.isEmpty()) {
        ShowMessage(QStringLiteral("Wprowadź klucz"));
        MaskEdit2->setFocus();
        return false;
    }
    key = FilledText(typed, ' ', 10);
    return true;
}

void TGUM::Button1Click()
{
    std::string key;
    if (!TakeKey(key))
        return;
    DrainInput();
    if (SendFiscalMemoryKey(Link.RegisterAddress, SingleFrameNumber, key) == 1)
        LastResult = ReceiveAck();
}

void TGUM::Button2Click()
{
    std::string key;
    if (!TakeKey(key))
        return;
    // The masked field's text has its full width, a blank per position not typed.
    const QString number = MaskEdit1->displayText();
    if (number.trimmed().isEmpty()) {
        ShowMessage(QStringLiteral("Wprowadź numer unikatowy"));
        MaskEdit1->setFocus();
        return;
    }
    DrainInput();
    if (SendKeyAndUniqueNumber(Link.RegisterAddress, SingleFrameNumber, FilledText(number, ' ', 14), key) == 1)
        LastResult = ReceiveAck();
}
