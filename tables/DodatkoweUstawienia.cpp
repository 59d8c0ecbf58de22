#include "tables/DodatkoweUstawienia.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/UnreadReply.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDodatkoweUstawienia* DodatkoweUstawienia = nullptr;

namespace {

const QString TransmissionError = QStringLiteral("Błąd transmisji");
const QString RivoOnlyText = QStringLiteral("Tylko 8K");

QStringList OnOff() { return {QStringLiteral("wyłączone"), QStringLiteral("włączone")}; }

struct ChoiceText {
    const char* Caption;
    QStringList Items;
};

std::array<ChoiceText, ConfigurationChoiceCount> ChoiceTexts()
{
    return {{
        {"Numer kasy", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"Format wpłat", {QStringLiteral("złotówki"), QStringLiteral("grosze")}},
        {"Wpłaty obowiązkowe", {"nie", "tak"}},
        {"Udzielanie rabatów", {QStringLiteral("przed pozycją"), QStringLiteral("po pozycji")}},
        {"Karta zapasowa", {"brak", "obecna"}},
        {"Szybkość druku", {QStringLiteral("obniżona"), "standardowa", QStringLiteral("podwyższona")}},
        {"Automatyczne wchodzenie do sprzedaży", OnOff()},
        {"Wydruk danych przesyłanych z PC", OnOff()},
        {"Rodzaj transmisji", {"TEPO", "RIVO"}},
        {"Dźwięki klawiatury", OnOff()},
        {"Oszczędzanie energii", OnOff()},
        {"Czas uśpienia (minuty)", {"1", "2", "3", "4", "5"}},
        {"Automatyczne otwieranie szuflady", OnOff()},
        {"Przypominanie o raporcie dobowym", OnOff()},
        {"Kontrola stanu gotówki w kasie", {QStringLiteral("wyłączona"), QStringLiteral("włączona")}},
        {"Tryb wydruku paragonu", {"online", "offline"}},
        {"Tryb sprzedazy towarow", {"tylko kod", "kod, cena, ilosc", "kod, ilosc, cena"}},
        {"Pobieranie ilosci klawiszem KOD", OnOff()},
        {"Obsługa maksymalnej wartosci paragonu",
         {QStringLiteral("blokada sprzedaży"), QStringLiteral("tylko ostrzeżenie")}},
        {"Tryb LCD:", {"NORMAL", "INVERT"}},
    }};
}

const char* const EditCaptions[ConfigurationEditCount] = {
    "Czas wyłączenia bez zasilacza (5-60min)",
    "Długość impulsu ster. szuflady (0-255ms)",
    "Maksymalna wartość paragonu (0-brak ograniczenia)",
    "Podświetlenie panelu klienta (5-100)%",
    "Podświetlenie panelu operatora (5-100)%",
};
const int EditMaxLength[ConfigurationEditCount] = {2, 3, 12, 3, 3};

void SetEdits(const std::array<QLineEdit*, ConfigurationEditCount>& edits, std::initializer_list<const char*> texts)
{
    int i = 0;
    for (const char* t : texts)
        edits[std::size_t(i++)]->setText(QString::fromUtf8(t));
}

} // namespace

TDodatkoweUstawienia::TDodatkoweUstawienia(QWidget* parent) : TForm(parent), instance_(DodatkoweUstawienia, this)
{
    setWindowTitle(QStringLiteral("Dodatkowe ustawienia"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    const auto texts = ChoiceTexts();
    // The record's order: the choices and numbers interleaved as the bytes come.
    const int order[] = {0, 1, 2, -1, -2, 3, 4, -3, 5, 6, 7, 8, 9, 10, 11, -4, -5, 19, 12, 13, 14, 15, 16, 17, 18};
    int row = 0;
    for (int what : order) {
        QWidget* field = nullptr;
        QString caption;
        if (what >= 0) {
            auto* c = new QComboBox(this);
            c->addItems(texts[std::size_t(what)].Items);
            ComboBox[std::size_t(what)] = c;
            field = c;
            caption = QString::fromUtf8(texts[std::size_t(what)].Caption);
        } else {
            const int e = -what - 1;
            auto* edit = new QLineEdit(this);
            edit->setMaxLength(EditMaxLength[e]);
            Edit[std::size_t(e)] = edit;
            field = edit;
            caption = QString::fromUtf8(EditCaptions[e]);
        }
        const int column = row < 13 ? 0 : 2;
        grid->addWidget(new QLabel(caption, this), row % 13, column);
        grid->addWidget(field, row % 13, column + 1);
        field->setMinimumWidth(150);
        ++row;
    }
    grid->setColumnMinimumWidth(2, 260);

    Button2 = new QPushButton(QStringLiteral("Odśwież"), this);
    Button3 = new QPushButton(QStringLiteral("Ustawienia Domyślne"), this);
    Button1 = new QPushButton(QStringLiteral("Wyślij"), this);
    BitBtn3 = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(BitBtn3);
    for (QPushButton* b : {Button1, Button2, Button3, BitBtn3})
        b->setAutoDefault(false);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addSpacing(8);
    main->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    FormCreate();
}

void TDodatkoweUstawienia::FormCreate()
{
    for (QComboBox* c : ComboBox)
        c->setCurrentIndex(0);
    SetEdits(Edit, {"5", "10", "0", "25", "25"});
}

void TDodatkoweUstawienia::BitBtn3Click() { close(); }

void TDodatkoweUstawienia::Button3Click()
{
    ShowRivoOnlyChoices(true);
    for (QComboBox* c : ComboBox)
        c->setCurrentIndex(0);
    ComboBox[8]->setCurrentIndex(1);
    SetEdits(Edit, {"25", "100", "0", "60", "60"});
}

ConfigurationValues TDodatkoweUstawienia::Values() const
{
    ConfigurationValues v;
    for (int i = 0; i < ConfigurationChoiceCount; ++i)
        v.Choice[std::size_t(i)] = ComboBox[std::size_t(i)]->currentIndex();
    for (int i = 0; i < ConfigurationEditCount; ++i)
        v.Edit[std::size_t(i)] = Edit[std::size_t(i)]->text();
    return v;
}

void TDodatkoweUstawienia::SetValues(const ConfigurationValues& values)
{
    for (int i = 0; i < ConfigurationChoiceCount; ++i)
        ComboBox[std::size_t(i)]->setCurrentIndex(values.Choice[std::size_t(i)]);
    for (int i = 0; i < ConfigurationEditCount; ++i)
        Edit[std::size_t(i)]->setText(values.Edit[std::size_t(i)]);
}

void TDodatkoweUstawienia::ShowRivoOnlyChoices(bool available)
{
    for (int i = 0; i < ConfigurationChoiceCount; ++i) {
        if (!ConfigurationChoiceAt(i).RivoOnly)
            continue;
        QComboBox* c = ComboBox[std::size_t(i)];
        const int selected = c->currentIndex();
        // An editable box shows a text of its own over the selection it keeps.
        c->setEditable(!available);
        if (!available) {
            c->lineEdit()->setReadOnly(true);
            c->lineEdit()->setText(RivoOnlyText);
        }
        c->setCurrentIndex(selected);
        if (!available)
            c->lineEdit()->setText(RivoOnlyText);
        c->setEnabled(available);
    }
}

void TDodatkoweUstawienia::Button2Click()
{
    // Clicks while the register is awaited are dropped; "Anuluj" stops the read.
    ExchangeGuard guard(BitBtn3);
    Link.AbortRequestFlag = 0;
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, 0x03, 1);
    // The older model's shorter frame is taken as soon as it is whole.
    bool stopped = false;
    const int got = ReadReplyWithEvents(Link.ReceiveBuffer, RivoConfigurationFrameLength, stopped);
    if (stopped) {
        ShowMessage(TransferStoppedText);
        return;
    }
    if (got <= 0) {
        App.RegisterModelFlag = 2;
        ShowMessage(TransmissionError);
        return;
    }
    ConfigurationRecord record{};
    int modelFlag = 0;
    if (!DecodeConfigurationFrame(Link.ReceiveBuffer, std::size_t(got), record, modelFlag)) {
        ShowMessage(TransmissionError);
        return;
    }
    App.RegisterModelFlag = uint8_t(modelFlag);
    LastRead = record;
    ConfigurationValues values = ConfigurationValuesOf(record);
    if (modelFlag != 1) {
        // The Tepo Dux has none of these: they keep what they show.
        for (int i = 0; i < ConfigurationChoiceCount; ++i)
            if (ConfigurationChoiceAt(i).RivoOnly)
                values.Choice[std::size_t(i)] = ComboBox[std::size_t(i)]->currentIndex();
    }
    ShowRivoOnlyChoices(true);
    SetValues(values);
    ShowRivoOnlyChoices(modelFlag == 1);
}

void TDodatkoweUstawienia::Button1Click()
{
    ConfigurationRecord record{};
    const ConfigurationBuild build = BuildConfigurationRecord(Values(), LastRead, App.RegisterModelFlag, record);
    if (!build.Ok) {
        ShowMessage(build.Message);
        Edit[std::size_t(build.BadEdit)]->setFocus();
        return;
    }
    if (App.RegisterModelFlag == 2) {
        ShowMessage(TransmissionError);
        return;
    }
    SendConfiguration(Link.RegisterAddress, SingleFrameNumber, record.data(), App.RegisterModelFlag);
    AwaitUnreadReply();
}
