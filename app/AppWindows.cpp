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
#include "service/DaneInformacyjne.h"
#include "service/GrafikaNaglowek.h"
#include "service/KopiaPamieciPodrecznej.h"
#include "service/ObrotGrup.h"
#include "service/OdczytKopii.h"
#include "service/PobieranieEkranu.h"
#include "service/PobieranieNaglowka.h"
#include "service/ProgramowanieNowegoPakietu.h"
#include "service/RaportObrotuGrup.h"
#include "service/SciaganieSprzedazy.h"
#include "service/SymulatorUrzadzen.h"
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
#include "sync/KopiaDoKasy.h"
#include "sync/KopiowanieKasy.h"
#include "sync/SynchronizacjaBazyFormPlatnosci.h"
#include "sync/SynchronizacjaBazyGrupTowarowych.h"
#include "sync/SynchronizacjaBazyKasjerow.h"
#include "sync/SynchronizacjaBazyKlawiszySzybkich.h"
#include "sync/SynchronizacjaBazyOpakowan.h"
#include "sync/SynchronizacjaBazyRabatow.h"
#include "sync/SynchronizacjaBazyTowarowej.h"
#include "sync/SynchronizacjaBazyWalut.h"
#include "tables/DodatkoweUstawienia.h"
#include "tables/EdycjaTowaru.h"
#include "tables/GUM.h"
#include "tables/JednostkiTowarowe.h"
#include "tables/KlawiszeSzybkieSprzedazy.h"
#include "tables/ListaTowarow.h"
#include "tables/ListaTowarowTandem.h"
#include "tables/ProgramowanieFormPlatnosci.h"
#include "tables/ProgramowanieGrupTowarowych.h"
#include "tables/ProgramowanieHaslaKierownika.h"
#include "tables/ProgramowanieKasjerow.h"
#include "tables/ProgramowanieKlawiszyFunkcyjnych.h"
#include "tables/ProgramowanieKlawiszySzybkich.h"
#include "tables/ProgramowanieKlawiszySzybkich2.h"
#include "tables/ProgramowanieNIP.h"
#include "tables/ProgramowanieNaglowka.h"
#include "tables/ProgramowanieOpakowan.h"
#include "tables/ProgramowanieRabatow.h"
#include "tables/ProgramowanieStawekPTU.h"
#include "tables/ProgramowanieStopki.h"
#include "tables/ProgramowanieTablicyHalo.h"
#include "tables/ProgramowanieTablicyWiFi_Mail.h"
#include "tables/ProgramowanieTowarow.h"
#include "tables/ProgramowanieWalutObcych.h"
#include "tables/ProgramowanieWalutyEwidencyjnej.h"
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
    Create(DodatkoweUstawienia, main);
    Create(ProgramowanieNaglowka, main);
    Create(ProgramowanieStopki, main);
    Create(ProgramowanieWalutyEwidencyjnej, main);
    Create(ProgramowanieTablicyWiFi_Mail, main);
    Create(ProgramowanieTablicyHalo, main);
    Create(ProgramowanieKlawiszyFunkcyjnych, main);
    Create(KlawiszeSzybkieSprzedazy, main);
    Create(JednostkiTowarowe, main);
    Create(ProgramowanieNIP, main);
    Create(ProgramowanieHaslaKierownika, main);
    Create(GUM, main);
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
    Create(DaneInformacyjne, main);
    Create(GrafikaNaglowek, main);
    Create(ProgramowanieNowegoPakietu, main);
    Create(SymulatorUrzadzen, main);
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
    Create(SynchronizacjaBazyTowarowej, main);
    Create(SynchronizacjaBazyKasjerow, main);
    Create(EksportBazy, main);
    Create(DrukowanieKodowKreskowych, main);
    Create(WydrukKlawiatury, main);
}

void DestroyAllWindows() { delete MenuGlowne; }
