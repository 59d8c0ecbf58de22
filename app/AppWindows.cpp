#include "app/AppWindows.h"

#include "app/MenuGlowne.h"
#include "core/NowaBazaD.h"
#include "core/OProgramie.h"
#include "link/CzekajNaRS.h"
#include "link/PokazBuforOdb.h"
#include "link/UstawieniaTrans.h"
#include "link/WyszukiwanieKasyRS.h"
#include "service/KopiaPamieciPodrecznej.h"
#include "service/ObrotGrup.h"
#include "service/OdczytKopii.h"
#include "service/PobieranieEkranu.h"
#include "service/PobieranieNaglowka.h"
#include "service/RaportObrotuGrup.h"
#include "service/SciaganieSprzedazy.h"
#include "service/WykonywaniePelnegoRaportuBazyPLU.h"
#include "service/WykonywanieRaportuBazyZPTU.h"
#include "service/WykonywanieRaportuFormPlatnosci.h"
#include "service/WykonywanieRaportuGrupTowarowych.h"
#include "service/WykonywanieRaportuKasjera.h"
#include "service/WykonywanieRaportuKlawiszySzybkich.h"
#include "service/WykonywanieRaportuNapisowStalych.h"
#include "service/WykonywanieRaportuOkresowego.h"
#include "service/WykonywanieRaportuOpakowan.h"
#include "service/WykonywanieRaportuRabatow.h"
#include "service/WykonywanieRaportuSprzedazy.h"
#include "service/WykonywanieRaportuStanuKasy.h"
#include "service/WykonywanieRaportuStawekPTU.h"
#include "service/WykonywanieRaportuTowarowNieaktywnych.h"
#include "service/WykonywanieRaportuZmianowegoSprzedazy.h"
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
    Create(WykonywanieRaportuOkresowego, main);
    Create(WykonywanieRaportuSprzedazy, main);
    Create(WykonywanieRaportuTowarowNieaktywnych, main);
    Create(WykonywanieRaportuBazyZPTU, main);
    Create(WykonywaniePelnegoRaportuBazyPLU, main);
    Create(WykonywanieRaportuKasjera, main);
    Create(WykonywanieRaportuZmianowegoSprzedazy, main);
    Create(WykonywanieRaportuRabatow, main);
    Create(WykonywanieRaportuOpakowan, main);
    Create(WykonywanieRaportuFormPlatnosci, main);
    Create(WykonywanieRaportuGrupTowarowych, main);
    Create(WykonywanieRaportuNapisowStalych, main);
    Create(WykonywanieRaportuStawekPTU, main);
    Create(WykonywanieRaportuStanuKasy, main);
    Create(WykonywanieRaportuKlawiszySzybkich, main);
    Create(RaportObrotuGrup, main);
    Create(SciaganieSprzedazy, main);
    Create(OdczytKopii, main);
    Create(ObrotGrup, main);
    Create(PobieranieNaglowka, main);
    Create(PobieranieEkranu, main);
    Create(KopiaPamieciPodrecznej, main);
}

void DestroyAllWindows() { delete MenuGlowne; }
