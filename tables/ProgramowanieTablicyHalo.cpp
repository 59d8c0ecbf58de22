#include "tables/ProgramowanieTablicyHalo.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "tables/HaloLogic.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TProgramowanieTablicyHalo* ProgramowanieTablicyHalo = nullptr;

namespace {

bool ImageWritable() { return DatabaseUsable() && DatabaseImage.Usable(); }

} // namespace

TProgramowanieTablicyHalo::TProgramowanieTablicyHalo(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieTablicyHalo, this)
{
    setWindowTitle(QStringLiteral("Programowanie tablicy HALO"));
    auto* grid = new QGridLayout;
    for (int i = 0; i < 9; ++i) {
        auto* e = new QLineEdit(this);
        // Room for the largest amount a word holds, "42949672,95": a shorter field would cut
        // the shown digits, and a store would then write the cut value.
        e->setMaxLength(HaloAmountText(UINT32_MAX).size());
        Edit[std::size_t(i)] = e;
        grid->addWidget(new QLabel(QString::number(i + 1), this), i, 0);
        grid->addWidget(e, i, 1);
    }
    BitBtn4 = new QPushButton(QStringLiteral("     &Zapisz w bazie PC"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Zapisz i &wyślij do kasy"), this);
    BitBtn3 = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BitBtn4, BitBtn2, BitBtn3}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto* main = new QHBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttons);
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
}

void TProgramowanieTablicyHalo::FormShow()
{
    // An image that is not usable shows no amounts.
    const bool usable = ImageWritable();
    for (std::size_t i = 0; i < Words.size(); ++i)
        Words[i] = usable ? DbReadU32At(TableOffsets.HaloBlock + uint32_t(4 * i)) : 0;
    for (std::size_t i = 0; i < Edit.size(); ++i)
        Edit[i]->setText(usable ? HaloAmountText(Words[i + 1]) : QString());
}

bool TProgramowanieTablicyHalo::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { BitBtn3Click(); }, [this] { BitBtn4Click(); });
}

void TProgramowanieTablicyHalo::BitBtn3Click() { close(); }

bool TProgramowanieTablicyHalo::BitBtn4Click()
{
    if (!ImageWritable()) {
        ShowMessage(QStringLiteral("     Plik zamknięty.     "));
        return false;
    }
    std::array<uint32_t, 10> words = Words;
    for (std::size_t i = 0; i < Edit.size(); ++i) {
        if (!ParseHaloAmount(Edit[i]->text(), words[i + 1])) {
            ShowMessage(QStringLiteral("Błędnie wypełnione pola!"));
            return false;
        }
    }
    for (std::size_t i = 0; i < words.size(); ++i)
        DbWriteU32At(TableOffsets.HaloBlock + uint32_t(4 * i), words[i]);
    Words = words;
    MarkDatabaseModified();
    return true;
}

void TProgramowanieTablicyHalo::BitBtn2Click()
{
    DrainInput();
    if (!BitBtn4Click())
        return;
    SendHaloTable(Link.RegisterAddress, SingleFrameNumber);
    // The reply is taken off the line; nothing is shown either way.
    ReceiveAck();
}
