#include "app/AppWindows.h"

#include "app/MenuGlowne.h"
#include "core/NowaBazaD.h"
#include "core/OProgramie.h"
#include "export/DrukowanieKodowKreskowych.h"
#include "export/EksportBazy.h"
#include "export/WydrukKlawiatury.h"
#include "link/CzekajNaRS.h"
#include "link/PokazBuforOdb.h"
#include "link/UstawieniaTrans.h"
#include "link/WyszukiwanieKasyRS.h"
#include "tables/EdycjaTowaru.h"
#include "tables/ListaTowarow.h"
#include "tables/ListaTowarowTandem.h"
#include "tables/ProgramowanieTowarow.h"

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
    Create(EksportBazy, main);
    Create(DrukowanieKodowKreskowych, main);
    Create(WydrukKlawiatury, main);
}

void DestroyAllWindows() { delete MenuGlowne; }
