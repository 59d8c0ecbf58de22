#include "tables/ProgramowanieHaslaKierownika.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/ServiceKeysLogic.h"
#include "tables/SettingsWidgets.h"
#include "tables/SettingsLink.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TProgramowanieHaslaKierownika* ProgramowanieHaslaKierownika = nullptr;

TProgramowanieHaslaKierownika::TProgramowanieHaslaKierownika(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieHaslaKierownika, this)
{
    setWindowTitle(QStringLiteral("Programowanie hasla kierownika"));
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    for (QLineEdit* e : {Edit1, Edit2})
        e->setMaxLength(10);
    CheckBox1 = new QCheckBox(QStringLiteral("Potwiedzenie z klawiatury kasy"), this);
    Button1 = new QPushButton(QStringLiteral("Wyslij"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Stare hasło"), Edit1);
    form->addRow(QStringLiteral("Nowe hasło"), Edit2);
    form->addRow(QString(), CheckBox1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addLayout(ButtonRow({Button1, Button2}));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { close(); });
}

void TProgramowanieHaslaKierownika::Button1Click()
{
    if (const QString refusal = Cp1250Refusal({{QStringLiteral("Stare hasło"), Edit1->text()},
                                                {QStringLiteral("Nowe hasło"), Edit2->text()}});
        !refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }
    DrainInput();
    // No reply is read: the register shows its own answer.
    SendManagerPassword(Link.RegisterAddress, SingleFrameNumber, FilledText(Edit1->text(), ' ', 10),
                        FilledText(Edit2->text(), ' ', 10), CheckBox1->isChecked() ? 1 : 0);
}
