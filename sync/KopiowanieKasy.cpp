#include "sync/KopiowanieKasy.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "sync/CheckListBox.h"
#include "sync/DatabaseCopy.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

TKopiowanieKasy* KopiowanieKasy = nullptr;

TKopiowanieKasy::TKopiowanieKasy(QWidget* parent) : TForm(parent), instance_(KopiowanieKasy, this)
{
    setWindowTitle(QStringLiteral("Kopiowanie danych z kasy do komputera"));
    auto* main = new QVBoxLayout(this);
    List = MakeCopyList(this, main, QStringLiteral("z kasy do komputera:"),
                        {QStringLiteral("Baza towarów"), QStringLiteral("Baza rabatów i narzutów"),
                         QStringLiteral("Baza kasjerów"), QStringLiteral("Baza form płatności"),
                         QStringLiteral("Baza walut obcych"), QStringLiteral("Baza stawek PTU"),
                         QStringLiteral("Baza opakowań"), QStringLiteral("Baza grup towarowych")});
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    main->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(List.CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    resize(340, 320);
}

void TKopiowanieKasy::CheckBox1Click() { TickAllFromBox(List); }

void TKopiowanieKasy::Button2Click() { reject(); }

bool TKopiowanieKasy::FormKeyDown(int key)
{
    if (transferring_) {
        // Esc stops the reads; the database stays as it was.
        if (key == Qt::Key_Escape)
            Link.AbortRequestFlag = 1;
        return true;
    }
    return EscEnterKey(key, [this] { reject(); }, [this] { Button1Click(); });
}

void TKopiowanieKasy::closeEvent(QCloseEvent* event)
{
    if (transferring_) {
        Link.AbortRequestFlag = 1;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TKopiowanieKasy::SetControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{List.CheckListBox1, List.CheckBox1, Button1, Button2})
        w->setEnabled(enabled);
}

void TKopiowanieKasy::Button1Click()
{
    ExchangeGuard guard;
    const std::vector<uint8_t> read = ReadTicks(*List.CheckListBox1);
    RegisterCopyTicks ticks{};
    std::copy_n(read.begin(), std::min(read.size(), ticks.size()), ticks.begin());
    // Nothing to copy would only trade the open database for an empty one.
    if (std::none_of(ticks.begin(), ticks.end(), [](uint8_t t) { return t != 0; })) {
        ShowMessage(QStringLiteral("Zaznacz elementy, które chcesz skopiować."));
        return;
    }
    if (!CheckCopyDependencies(ticks)) {
        WriteTicks(*List.CheckListBox1, std::vector<uint8_t>(ticks.begin(), ticks.end()));
        return;
    }
    if (DatabaseUsable()) {
        const PromptAnswer answer = AskQuestion(
            QStringLiteral("Aktualnie edytowana baza zostanie utracona. Czy chcesz zapisać zmiany w aktualnie "
                           "edytowanej bazie?"),
            PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel)
            return;
        if (answer == PromptAnswer::Yes) {
            // The database the user wanted kept is never dropped by a save that did not happen.
            App.DatabaseSaved = 0;
            SaveDatabaseFile();
            if (App.DatabaseSaved != 1)
                return;
        }
    }
    transferring_ = true;
    SetControlsEnabled(false);
    const bool copied = CopyRegisterToNewDatabase(ticks);
    SetControlsEnabled(true);
    transferring_ = false;
    if (copied)
        accept();
}
