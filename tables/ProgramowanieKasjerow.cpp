#include "tables/ProgramowanieKasjerow.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

TProgramowanieKasjerow* ProgramowanieKasjerow = nullptr;

namespace {

// This window adds and proposes cashiers 1..10; the register's table has 20 slots.
constexpr unsigned CashierNumbers = 10;
constexpr unsigned Manager = 1;
const QString ShowPassword = QStringLiteral("Pokaż hasło kasjera");

const char* const RightCaptions[7] = {
    "Wykonywanie raportów niezerujących", "Wykonywanie raportów zerujących", "Udzielanie rabatów ręcznie",
    "Udzielanie rabatów z bazy",          "Możliwosc anulowania paragonu",   "Możliwość wykonywania operacji storno",
    "Wykonywania wpłat i wypłat z kasy"};
const char* const IndicatorCaptions[7] = {
    "Wykonywanie raportów niezerujących:", "Wykonywanie raportów zerujących:", "Udzielanie rabatów ręcznie:",
    "Udzielanie rabatów z bazy:",          "Możliwość anulowania paragonu:",   "Możliwość wykonywania operacji storno:",
    "Wykonywanie wpłat i wypłat z kasy:"};

void PaintField(QLineEdit* edit, const QColor& colour)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, colour);
    edit->setPalette(p);
}

} // namespace

TProgramowanieKasjerow::TProgramowanieKasjerow(QWidget* parent) : TForm(parent), instance_(ProgramowanieKasjerow, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy kasjerów"));
    auto* heading = new QLabel(QStringLiteral("Edycja bazy kasjerów PC"), this);
    heading->setStyleSheet(QStringLiteral("font-size: 12pt; font-weight: bold;"));
    Edit1 = FieldEdit(2, 50, this);
    Edit2 = FieldEdit(21, 220, this);
    MaskEdit1 = new QLineEdit(this);
    // Four optional digits; an empty field shows four blanks.
    MaskEdit1->setInputMask(QStringLiteral("0000; "));
    MaskEdit1->setFixedWidth(60);
    MaskEdit1->installEventFilter(this);
    Edit1->installEventFilter(this);
    Label5 = WarningLabel(QStringLiteral(" Wprowadź numer!"), this);
    Label6 = WarningLabel(QStringLiteral(" Wprowadź nazwę!"), this);
    Label7 = WarningLabel(QStringLiteral(" Wprowadź hasło!"), this);
    for (std::size_t i = 0; i < Rights.size(); ++i)
        Rights[i] = new QCheckBox(QString::fromUtf8(RightCaptions[i]), this);
    CheckBox8 = new QCheckBox(QStringLiteral("Potwierdzaj wprowadzanie kasjerów z klawiatury kasy"), this);
    StringGrid1 = MakeStringGrid({QStringLiteral("Numer"), QStringLiteral("Nazwa kasjera")}, this);
    StringGrid1->setColumnWidth(0, 55);
    Button3 = WindowButton(QStringLiteral("Usuń kasjera z bazy"), this);
    Button4 = WindowButton(QStringLiteral("Wyślij do kasy"), this);
    BitBtn4 = WindowButton(QStringLiteral("     &Dodaj do bazy PC"), this);
    BitBtn6 = WindowButton(QStringLiteral("&Anuluj"), this);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* rightsLayout = new QGridLayout(Panel1);
    auto* rightsTitle = new QLabel(QStringLiteral("Uprawnienia kasjera:"), Panel1);
    rightsTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    rightsLayout->addWidget(rightsTitle, 0, 0, 1, 2);
    for (std::size_t i = 0; i < Indicators.size(); ++i) {
        rightsLayout->addWidget(new QLabel(QString::fromUtf8(IndicatorCaptions[i]), Panel1), int(i) + 1, 0);
        Indicators[i] = new QLabel(QStringLiteral("TAK"), Panel1);
        Indicators[i]->setStyleSheet(QStringLiteral("color: green; font-weight: bold;"));
        Indicators[i]->setVisible(false);
        rightsLayout->addWidget(Indicators[i], int(i) + 1, 1);
    }
    Label20 = new QLabel(Panel1);
    Label20->setVisible(false);
    Button5 = WindowButton(ShowPassword, Panel1);
    auto* passwordLine = new QHBoxLayout;
    passwordLine->addWidget(new QLabel(QStringLiteral("Hasło:"), Panel1));
    passwordLine->addWidget(Label20);
    passwordLine->addStretch(1);
    passwordLine->addWidget(Button5);
    rightsLayout->addLayout(passwordLine, 8, 0, 1, 2);
    rightsLayout->setColumnStretch(1, 1);

    QGridLayout* fields =
        FieldRows(this, {{"Numer", Edit1, Label5}, {"Nazwa", Edit2, Label6}, {"Hasło", MaskEdit1, Label7}});
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    for (QCheckBox* c : Rights)
        left->addWidget(c);
    left->addWidget(CheckBox8);
    left->addStretch(1);
    auto* gridSide = new QVBoxLayout;
    gridSide->addWidget(StringGrid1, 1);
    auto* gridButtons = new QHBoxLayout;
    gridButtons->addWidget(Button3);
    gridButtons->addWidget(Button4);
    gridSide->addLayout(gridButtons);
    gridSide->addWidget(Panel1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(gridSide, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn4);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn6);
    auto* main = new QVBoxLayout(this);
    main->addWidget(heading);
    main->addLayout(top, 1);
    main->addLayout(buttons);

    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { reject(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(CheckBox8, &QCheckBox::clicked, this, [this] { CheckBox8Click(); });
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this] { StringGrid1Click(); });
    resize(880, 660);
}

bool TProgramowanieKasjerow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut)
        Edit1Exit();
    if (watched == MaskEdit1 && event->type() == QEvent::MouseButtonRelease)
        MaskEdit1Click();
    return TForm::eventFilter(watched, event);
}

void TProgramowanieKasjerow::FormShow() { FillCashiersGrid(); }

void TProgramowanieKasjerow::FillCashiersGrid()
{
    FillStringGrid(StringGrid1, CashierGridRows());
    const unsigned free = FirstFreeSmallNumber(CashierTableGeometry, CashierNumbers);
    Edit1->setText(free ? QString::number(free) : QString());
}

void TProgramowanieKasjerow::Edit1Exit()
{
    // The manager's password has its own window.
    const bool manager = Edit1->text() == u"1";
    MaskEdit1->setEnabled(!manager);
    PaintField(MaskEdit1, manager ? QColor(128, 128, 128) : QColor(Qt::white));
}

void TProgramowanieKasjerow::MaskEdit1Click() { MaskEdit1->selectAll(); }

void TProgramowanieKasjerow::ShowRightsOfSelected()
{
    const unsigned number = SelectedRecordNumber(StringGrid1);
    const RecordBytes record = ReadSmallRecord(CashierTableGeometry, number);
    for (std::size_t i = 0; i < Indicators.size(); ++i)
        Indicators[i]->setVisible(number != 0 && record[SmallField::CashierRights + i] != 0);
}

void TProgramowanieKasjerow::StringGrid1Click()
{
    Button5->setText(ShowPassword);
    Label20->setVisible(false);
    PasswordShown = 0;
    const unsigned number = SelectedRecordNumber(StringGrid1);
    if (number == 0)
        return;
    const RecordBytes record = ReadSmallRecord(CashierTableGeometry, number);
    const QString password =
        FromCp1250(RecordText(record, SmallField::CashierPassword, SmallField::CashierPasswordSize));
    Label20->setText(password.isEmpty() ? QStringLiteral("Brak") : password);
    ShowRightsOfSelected();
}

void TProgramowanieKasjerow::Button5Click()
{
    PasswordShown = PasswordShown ? 0 : 1;
    Label20->setVisible(PasswordShown != 0);
    Button5->setText(PasswordShown ? QStringLiteral("Ukryj hasło kasjera") : ShowPassword);
}

void TProgramowanieKasjerow::CheckBox8Click() { ConfirmFlag = CheckBox8->isChecked() ? 1 : 0; }

void TProgramowanieKasjerow::BitBtn4Click()
{
    Label5->setVisible(Edit1->text().isEmpty());
    Label6->setVisible(Edit2->text().isEmpty());
    Label7->setVisible(false);
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty())
        return;
    if (!NameAccepted(Edit2, "Nazwa kasjera nie może składać się z samych znaków spacji!"))
        return;
    unsigned number = 0;
    if (!ParseRecordNumber(Edit1->text(), CashierNumbers, number)) {
        ShowMessage(QStringLiteral("Wartość pola 'Numer kasjera' powinna zawierać się w przedziale 1-10"));
        return;
    }
    std::string password;
    if (!CashierPassword(MaskEdit1->displayText(), password)) {
        ShowMessage(QStringLiteral("Błędne hasło!"));
        return;
    }
    std::array<uint8_t, SmallField::CashierRightCount> rights{};
    for (std::size_t i = 0; i < rights.size(); ++i)
        rights[i] = Rights[i]->isChecked() ? 1 : 0;
    RecordBytes record = CashierRecordBytes(uint8_t(number), ToCp1250(Edit2->text()), password, rights);
    if (number == Manager) {
        // Its field is disabled: the stored manager password stays.
        const RecordBytes stored = ReadSmallRecord(CashierTableGeometry, Manager);
        std::copy_n(stored.begin() + SmallField::CashierPassword, SmallField::CashierPasswordSize,
                    record.begin() + SmallField::CashierPassword);
    }
    if (!StoreRecord(CashierTableGeometry, record))
        return;
    FillCashiersGrid();
    Edit2->clear();
    MaskEdit1->clear();
    Edit2->setFocus();
}

void TProgramowanieKasjerow::Button3Click()
{
    if (SelectedRecordNumber(StringGrid1) == Manager) {
        ShowMessage(QStringLiteral("Nie można usunąć kasjera nr 1"));
        return;
    }
    if (!DeleteSelectedRecord(StringGrid1, CashierTableGeometry, 2, SmallTableSlots))
        return;
    FillCashiersGrid();
    ShowRightsOfSelected();
}

void TProgramowanieKasjerow::Button4Click()
{
    // The register's answer is read but not shown.
    SendSelectedRecord(StringGrid1, SendCashierRecord, ConfirmFlag, ReceiveAck);
}

bool TProgramowanieKasjerow::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { BitBtn4Click(); });
}
