#include "sync/KopiaDoKasy.h"

#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Modal.h"
#include "sync/CheckListBox.h"
#include "sync/DatabaseCopy.h"
#include "tables/ProgramowanieFormPlatnosci.h"
#include "tables/ProgramowanieGrupTowarowych.h"
#include "tables/ProgramowanieKasjerow.h"
#include "tables/ProgramowanieKlawiszySzybkich.h"
#include "tables/ProgramowanieOpakowan.h"
#include "tables/ProgramowanieRabatow.h"
#include "tables/ProgramowanieStawekPTU.h"
#include "tables/ProgramowanieTowarow.h"
#include "tables/ProgramowanieWalutObcych.h"
#include "tables/ProgramowanieZestawuRaportow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TKopiaDoKasy* KopiaDoKasy = nullptr;

namespace {

template <class Window>
std::function<QDialog*()> EditorOf(Window*& global)
{
    return [&global]() -> QDialog* { return global; };
}

} // namespace

TKopiaDoKasy::TKopiaDoKasy(QWidget* parent) : TForm(parent), instance_(KopiaDoKasy, this)
{
    setWindowTitle(QStringLiteral("Kopiowanie bazy danych do kasy"));
    auto* main = new QVBoxLayout(this);
    List = MakeCopyList(this, main, QStringLiteral("z bazy do kasy:"),
                        {QStringLiteral("Baza towarów"), QStringLiteral("Baza rabatów i narzutów"),
                         QStringLiteral("Baza kasjerów"), QStringLiteral("Baza form płatności"),
                         QStringLiteral("Baza walut obcych"), QStringLiteral("Baza stawek PTU"),
                         QStringLiteral("Baza opakowań"), QStringLiteral("Baza grup towarowych"),
                         QStringLiteral("Baza klawiszy szybkich"), QStringLiteral("Zestaw raportów")});
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    main->addLayout(buttons);
    Editors = {EditorOf(ProgramowanieTowarow),         EditorOf(ProgramowanieRabatow),
               EditorOf(ProgramowanieKasjerow),         EditorOf(ProgramowanieFormPlatnosci),
               EditorOf(ProgramowanieWalutObcych),      EditorOf(ProgramowanieStawekPTU),
               EditorOf(ProgramowanieOpakowan),         EditorOf(ProgramowanieGrupTowarowych),
               EditorOf(ProgramowanieKlawiszySzybkich), EditorOf(ProgramowanieZestawuRaportow)};
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(List.CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(List.CheckListBox1, &QListView::doubleClicked, this, [this] { CheckListBox1DblClick(); });
    resize(340, 360);
}

void TKopiaDoKasy::CheckBox1Click() { TickAllFromBox(List); }

void TKopiaDoKasy::CheckListBox1DblClick()
{
    const int item = List.CheckListBox1->ItemIndex();
    if (item < 0 || item >= int(Editors.size()) || !Editors[std::size_t(item)])
        return;
    if (QDialog* editor = Editors[std::size_t(item)]())
        ShowModal(*editor);
}

bool TKopiaDoKasy::FormKeyDown(int key)
{
    // Esc during the copy stops it before the next record.
    if (transferring_ && key == Qt::Key_Escape) {
        Link.AbortRequestFlag = 1;
        return true;
    }
    return transferring_;
}

void TKopiaDoKasy::closeEvent(QCloseEvent* event)
{
    if (transferring_) {
        Link.AbortRequestFlag = 1;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TKopiaDoKasy::Button1Click()
{
    ExchangeGuard guard;
    const std::vector<uint8_t> read = ReadTicks(*List.CheckListBox1);
    DatabaseCopyTicks ticks{};
    std::copy_n(read.begin(), std::min(read.size(), ticks.size()), ticks.begin());
    transferring_ = true;
    for (QWidget* w : std::initializer_list<QWidget*>{List.CheckListBox1, List.CheckBox1, Button1})
        w->setEnabled(false);
    CopyDatabaseToRegister(ticks);
    for (QWidget* w : std::initializer_list<QWidget*>{List.CheckListBox1, List.CheckBox1, Button1})
        w->setEnabled(true);
    transferring_ = false;
}
