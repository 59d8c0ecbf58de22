#include "core/NowaBazaD.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

TNowaBazaD* NowaBazaD = nullptr;

TNowaBazaD::TNowaBazaD(QWidget* parent) : TForm(parent), instance_(NowaBazaD, this)
{
    setWindowTitle(QStringLiteral("Nowa baza danych"));

    Label1 = new QLabel(QStringLiteral("Podaj nazwę nowej bazy danych:"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(40);
    Label4 = new QLabel(QStringLiteral(".rkb"), this);
    Label4->setVisible(false);
    Label2 = new QLabel(QStringLiteral("Max 40 znaków"), this);
    Label3 = new QLabel(QStringLiteral("Symbol waluty ewidencyjnej:"), this);
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(3);
    Edit2->setMaximumWidth(60);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    // Enter is the form's own (FormKeyDown), not a default button's.
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Edit1, 1);
    nameRow->addWidget(Label4);
    auto* symbolRow = new QHBoxLayout;
    symbolRow->addWidget(Label3);
    symbolRow->addWidget(Edit2);
    symbolRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(nameRow);
    layout->addWidget(Label2);
    layout->addSpacing(8);
    layout->addLayout(symbolRow);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TNowaBazaD::FormShow() { Edit2->setText(FromCp1250(App.RecordCurrencySymbol)); }

void TNowaBazaD::Button1Click()
{
    if (Edit1->text().isEmpty()) {
        Edit1->setFocus();
        return;
    }
    // Back to the start folder, where the program keeps its files, whatever a dialog chose.
    std::error_code ec;
    if (!App.StartFolder.empty())
        std::filesystem::current_path(App.StartFolder, ec);

    for (const QString& text : {Edit1->text(), Edit2->text().left(3)}) {
        if (const QString refusal = Cp1250Refusal(text); !refusal.isEmpty()) {
            ShowMessage(refusal);
            return;
        }
    }
    QString symbol = Edit2->text().left(3);
    while (symbol.size() < 3)
        symbol.prepend(QLatin1Char(' '));
    // The new image carries the symbol; a database that cannot be made leaves both as they were.
    const std::string oldSymbol = App.RecordCurrencySymbol;
    const std::string oldName = App.CurrentDatabaseFileName;
    App.RecordCurrencySymbol = ToCp1250(symbol);
    App.CurrentDatabaseFileName = ToCp1250(Edit1->text());

    if (CreateDatabaseImage() != 0) {
        App.RecordCurrencySymbol = oldSymbol;
        App.CurrentDatabaseFileName = oldName;
        ShowMessage(QStringLiteral("Nie udało się utworzyć nowej bazy"));
        return;
    }
    App.WorkMode |= WorkModeDatabase;
    MarkDatabaseModified();
    accept();
}

void TNowaBazaD::Button2Click() { reject(); }

bool TNowaBazaD::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { Button1Click(); });
}
