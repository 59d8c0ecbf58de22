#include "link/PokazBuforOdb.h"

#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Cp1250.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

TPokazBuforOdb* PokazBuforOdb = nullptr;

namespace {
constexpr std::size_t DisplayBufferSize = 4096;
constexpr std::size_t PcBufferReadSize = 30;
}

QString RenderBuffer(const uint8_t* bytes, std::size_t count, BufferViewMode mode)
{
    QString text;
    for (std::size_t i = 0; i < count && bytes[i] != 0; ++i) {
        switch (mode) {
        case BufferViewMode::Hex:
            text += QString::number(unsigned(bytes[i]), 16).toUpper().rightJustified(2, QLatin1Char('0'));
            break;
        case BufferViewMode::Decimal:
            text += QString::number(bytes[i]);
            break;
        case BufferViewMode::Char:
            text += QChar(Cp1250ToUnicode(bytes[i]));
            break;
        }
        text += QLatin1Char(' ');
    }
    return text;
}

QString RenderBuffer(const std::vector<uint8_t>& bytes, BufferViewMode mode)
{
    return RenderBuffer(bytes.data(), bytes.size(), mode);
}

TPokazBuforOdb::TPokazBuforOdb(QWidget* parent)
    : TForm(parent), DisplayBuffer(DisplayBufferSize, 0), instance_(PokazBuforOdb, this)
{
    setWindowTitle(QStringLiteral("Podgląd bufora odbiorczego"));

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setReadOnly(true);
    RichEdit1->setAcceptRichText(false);

    RadioGroup1 = new QGroupBox(QStringLiteral("Sposób wyświetlania danych"), this);
    RadioGroup1Items = new QButtonGroup(this);
    auto* radioLayout = new QVBoxLayout(RadioGroup1);
    const QString items[] = {QStringLiteral("Szesnastkowo"), QStringLiteral("Dziesiętnie"), QStringLiteral("Char")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(items[i], RadioGroup1);
        RadioGroup1Items->addButton(radio, i);
        radioLayout->addWidget(radio);
    }
    RadioGroup1Items->button(0)->setChecked(true);

    Button1 = new QPushButton(QStringLiteral("Bufor odbiorczy programu"), this);
    Button2 = new QPushButton(QStringLiteral("Bufor odbiorczy PC"), this);
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RichEdit1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(RadioGroup1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    bottom->addLayout(buttons);
    layout->addLayout(bottom);
    resize(520, 360);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(RadioGroup1Items, &QButtonGroup::idClicked, this, [this](int) { RadioGroup1Click(); });
}

int TPokazBuforOdb::RadioGroup1ItemIndex() const { return std::max(0, RadioGroup1Items->checkedId()); }

void TPokazBuforOdb::SetRadioGroup1ItemIndex(int index)
{
    if (auto* b = RadioGroup1Items->button(index))
        b->setChecked(true);
}

void TPokazBuforOdb::FormShow() { Button1Click(); }

void TPokazBuforOdb::Button1Click()
{
    RichEdit1->clear();
    std::fill(DisplayBuffer.begin(), DisplayBuffer.end(), 0);
    const uint8_t* end = std::find(Link.ReceiveBuffer, Link.ReceiveBuffer + ReceiveBufferSize, 0);
    std::copy(static_cast<const uint8_t*>(Link.ReceiveBuffer), end, DisplayBuffer.begin());
    Render();
}

void TPokazBuforOdb::Button2Click()
{
    std::fill(DisplayBuffer.begin(), DisplayBuffer.end(), 0);
    uint8_t bytes[PcBufferReadSize] = {};
    int count = 0;
    // Without an open link there is nothing to read.
    if (LinkSettings.LinkType == 1 || Link.SerialHandle != nullptr)
        count = std::clamp(ReadRaw(bytes, PcBufferReadSize), 0, int(PcBufferReadSize));
    RichEdit1->clear();
    const uint8_t* end = std::find(bytes, bytes + count, 0);
    std::copy(static_cast<const uint8_t*>(bytes), end, DisplayBuffer.begin());
    Render();
}

void TPokazBuforOdb::RadioGroup1Click() { Render(); }

void TPokazBuforOdb::Render()
{
    RichEdit1->setPlainText(RenderBuffer(DisplayBuffer, BufferViewMode(RadioGroup1ItemIndex())));
}
