#include "app/AppWindows.h"

#include "app/MenuGlowne.h"
#include "core/NowaBazaD.h"
#include "core/OProgramie.h"
#include "link/CzekajNaRS.h"
#include "link/PokazBuforOdb.h"
#include "link/UstawieniaTrans.h"
#include "link/WyszukiwanieKasyRS.h"
#include "sync/KopiaDoKasy.h"
#include "sync/KopiowanieKasy.h"
#include "sync/SynchronizacjaBazyFormPlatnosci.h"
#include "sync/SynchronizacjaBazyGrupTowarowych.h"
#include "sync/SynchronizacjaBazyKlawiszySzybkich.h"
#include "sync/SynchronizacjaBazyOpakowan.h"
#include "sync/SynchronizacjaBazyRabatow.h"
#include "sync/SynchronizacjaBazyWalut.h"
#include "tables/EdycjaTowaru.h"
#include "tables/ListaTowarow.h"
#include "tables/ListaTowarowTandem.h"
#include "tables/ProgramowanieFormPlatnosci.h"
#include "tables/ProgramowanieGrupTowarowych.h"
#include "tables/ProgramowanieKasjerow.h"
#include "tables/ProgramowanieKlawiszySzybkich.h"
#include "tables/ProgramowanieKlawiszySzybkich2.h"
#include "tables/ProgramowanieOpakowan.h"
#include "tables/ProgramowanieRabatow.h"
#include "tables/ProgramowanieStawekPTU.h"
#include "tables/ProgramowanieTowarow.h"
#include "tables/ProgramowanieWalutObcych.h"
#include "tables/ProgramowanieZegara.h"
#include "tables/ProgramowanieZestawuRaportow.h"

namespace {

template <class Window>
void Create(Window*& global, QWidget* owner)
{
    if (!global)
        global = new Window(owner);
}

} // namespace

void CreateAllWindows()
{
    auto* main = new TMenuGlowne;
    Create(ProgramowanieTowarow, main);
    Create(UstawieniaTrans, main);
    Create(OProgramie, main);
    Create(NowaBazaD, main);
    Create(CzekajNaRS, main);
    Create(ListaTowarow, main);
    Create(ListaTowarowTandem, main);
    Create(EdycjaTowaru, main);
    Create(PokazBuforOdb, main);
    Create(WyszukiwanieKasyRS, main);
    Create(SynchronizacjaBazyRabatow, main);
    Create(SynchronizacjaBazyFormPlatnosci, main);
    Create(SynchronizacjaBazyWalut, main);
    Create(SynchronizacjaBazyGrupTowarowych, main);
    Create(SynchronizacjaBazyOpakowan, main);
    Create(SynchronizacjaBazyKlawiszySzybkich, main);
    Create(KopiowanieKasy, main);
    Create(KopiaDoKasy, main);
    Create(ProgramowanieKlawiszySzybkich2, main);
    Create(ProgramowanieKlawiszySzybkich, main);
    Create(ProgramowanieRabatow, main);
    Create(ProgramowanieFormPlatnosci, main);
    Create(ProgramowanieWalutObcych, main);
    Create(ProgramowanieOpakowan, main);
    Create(ProgramowanieGrupTowarowych, main);
    Create(ProgramowanieKasjerow, main);
    Create(ProgramowanieStawekPTU, main);
    Create(ProgramowanieZestawuRaportow, main);
    Create(ProgramowanieZegara, main);
}

void DestroyAllWindows() { delete MenuGlowne; }
