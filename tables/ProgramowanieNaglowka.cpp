#include "tables/ProgramowanieNaglowka.h"

#include "core/DatabaseImage.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "tables/ReceiptText.h"

TProgramowanieNaglowka* ProgramowanieNaglowka = nullptr;

TProgramowanieNaglowka::TProgramowanieNaglowka(QWidget* parent)
    : TReceiptEditorForm({HeaderLineCount, true, QStringLiteral("Otwórz plik z nagłowkiem."),
                          QStringLiteral("Zapisz nagłówek do pliku."), QStringLiteral("Zaprogramowano nagłówek"),
                          QStringLiteral("Kasa nie potwierdziła zaprogramowania nagłówka.")},
                         QStringLiteral("Edycja nagłówka"), QStringLiteral("Programowanie nagłówka"), parent),
      instance_(ProgramowanieNaglowka, this)
{
    ToolButton4 = OpenButton;
    ToolButton6 = SaveButton;
}

uint32_t TProgramowanieNaglowka::BlockOffset() const { return TableOffsets.HeaderBlock; }

void TProgramowanieNaglowka::SendFrame() { SendHeader(Link.RegisterAddress, SingleFrameNumber); }
