#include "tables/ProgramowanieStopki.h"

#include "core/DatabaseImage.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "tables/ReceiptText.h"

#include <QFrame>
#include <QPushButton>

TProgramowanieStopki* ProgramowanieStopki = nullptr;

TProgramowanieStopki::TProgramowanieStopki(QWidget* parent)
    : TReceiptEditorForm({FooterLineCount, false, QStringLiteral("Otwórz plik ze stopką."),
                          QStringLiteral("Zapisz stopkę do pliku."), QStringLiteral("Zaprogramowano stopkę."),
                          QStringLiteral("Kasa nie potwierdziła zaprogramowania stopki.")},
                         QStringLiteral("Programowane stopki"), QStringLiteral("Programowanie stopki"), parent),
      instance_(ProgramowanieStopki, this)
{
    ToolButton5 = OpenButton;
    ToolButton4 = SaveButton;
    // The footer's tall lines are not offered: they stay unticked.
    TallLinesPanel->hide();
    Button1->setText(QStringLiteral("&Wyślij"));
    connect(Button4, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

uint32_t TProgramowanieStopki::BlockOffset() const { return TableOffsets.FooterBlock; }

void TProgramowanieStopki::SendFrame() { SendFooter(Link.RegisterAddress, SingleFrameNumber, ConfirmFlag); }
