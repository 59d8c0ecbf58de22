#include "sync/SynchronizacjaBazyKlawiszySzybkich.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "sync/TableRead.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSynchronizacjaBazyKlawiszySzybkich* SynchronizacjaBazyKlawiszySzybkich = nullptr;

namespace {

// The quick-key window's wait after a "printing" answer.
constexpr unsigned QuickKeyPrintingWaitMs = 4400;

QGroupBox* KeyPane(const QString& title, QComboBox*& cashier, QListWidget*& keys, QWidget* owner)
{
    auto* box = new QGroupBox(title, owner);
    cashier = new QComboBox(box);
    keys = new QListWidget(box);
    for (unsigned k = 1; k <= QuickKeysPerCashier; ++k)
        keys->addItem(QStringLiteral("F%1").arg(k));
    keys->setCurrentRow(0);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(new QLabel(QStringLiteral("Kasjer:"), box));
    layout->addWidget(cashier);
    layout->addWidget(keys, 1);
    return box;
}

} // namespace

TSynchronizacjaBazyKlawiszySzybkich::TSynchronizacjaBazyKlawiszySzybkich(QWidget* parent)
    : TForm(parent), instance_(SynchronizacjaBazyKlawiszySzybkich, this)
{
    setWindowTitle(QStringLiteral("SynchronizacjaBazyKlawiszySzybkich"));
    QGroupBox* base = KeyPane(QStringLiteral("Baza"), ComboBox1, ListBox1, this);
    QGroupBox* reg = KeyPane(QStringLiteral("Kasa"), ComboBox2, ListBox2, this);
    Button1 = new QPushButton(QStringLiteral(">"), this);
    Button2 = new QPushButton(QStringLiteral(">>>"), this);
    Button3 = new QPushButton(QStringLiteral("&Odśwież"), this);
    for (QPushButton* b : {Button1, Button2, Button3})
        b->setAutoDefault(false);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setMaximumHeight(120);
    CheckBox1 = new QCheckBox(QStringLiteral("Potwierdzaj wprowazdanie klawiszy szybkich z klawiatury kasy"), this);

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(Button1);
    middle->addWidget(Button2);
    middle->addWidget(Button3);
    middle->addStretch(1);
    auto* panes = new QHBoxLayout;
    panes->addWidget(base, 1);
    panes->addLayout(middle);
    panes->addWidget(reg, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(panes, 1);
    main->addWidget(new QLabel(QStringLiteral("Dane klawisza:"), this));
    main->addWidget(Memo1);
    main->addWidget(CheckBox1);

    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    connect(ListBox2, &QListWidget::itemClicked, this, [this] { ListBox2Click(); });
    connect(ComboBox1, &QComboBox::activated, this, [this] { ListBox1Click(); });
    connect(ComboBox2, &QComboBox::activated, this, [this] { ListBox2Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    resize(560, 460);
}

void TSynchronizacjaBazyKlawiszySzybkich::FormShow()
{
    CheckBox1Click();
    const QStringList names = QuickKeyCashierItems();
    for (QComboBox* c : {ComboBox1, ComboBox2}) {
        c->clear();
        c->addItems(names);
        c->setCurrentIndex(0);
    }
    Memo1->clear();
}

void TSynchronizacjaBazyKlawiszySzybkich::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

void TSynchronizacjaBazyKlawiszySzybkich::ListBox1Click()
{
    const QuickKeyRecord record = ReadQuickKeyRecord(unsigned(ComboBox1->currentIndex() + 1), unsigned(ListBox1->currentRow() + 1));
    Memo1->setPlainText(QuickKeyDescription(record.data()).join('\n'));
}

void TSynchronizacjaBazyKlawiszySzybkich::ListBox2Click()
{
    const uint8_t* record = registerKeys_.Key(unsigned(ComboBox2->currentIndex() + 1), unsigned(ListBox2->currentRow() + 1));
    Memo1->setPlainText(QuickKeyDescription(record).join('\n'));
}

void TSynchronizacjaBazyKlawiszySzybkich::SetControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox1, ComboBox2, ListBox1, ListBox2, Button1, Button2,
                                                      Button3, CheckBox1})
        w->setEnabled(enabled);
}

bool TSynchronizacjaBazyKlawiszySzybkich::SendKey(unsigned key)
{
    const unsigned cashier = unsigned(ComboBox1->currentIndex() + 1);
    SendQuickKeyRecord(Link.RegisterAddress, 1, uint8_t(cashier), uint8_t(key), ConfirmFlag);
    const int result = ReceiveAckWaitingOutPrinting(QuickKeyPrintingWaitMs);
    if (result == AckAccepted || result == AckDone)
        return true;
    if (result == AckErrorFrame)
        ShowRegisterError(Link.ReceiveBuffer[8]);
    else if (result != AckUserStopped)
        ShowMessage(QStringLiteral("Wystąpił błąd transmisji."));
    return false;
}

void TSynchronizacjaBazyKlawiszySzybkich::Button1Click()
{
    if (ComboBox1->currentIndex() < 0 || ListBox1->currentRow() < 0)
        return;
    SetControlsEnabled(false);
    DrainInput();
    SendKey(unsigned(ListBox1->currentRow() + 1));
    SetControlsEnabled(true);
}

void TSynchronizacjaBazyKlawiszySzybkich::Button2Click()
{
    if (ComboBox1->currentIndex() < 0)
        return;
    SetControlsEnabled(false);
    DrainInput();
    for (unsigned key = 1; key <= QuickKeysPerCashier; ++key)
        if (!SendKey(key))
            break;
    SetControlsEnabled(true);
}

void TSynchronizacjaBazyKlawiszySzybkich::Button3Click()
{
    SetControlsEnabled(false);
    registerKeys_.Clear();
    ReadRegisterTable('S', QuickKeyFrameLength, [this](const uint8_t* payload) { return registerKeys_.Take(payload); });
    SetControlsEnabled(true);
    ListBox2Click();
}
