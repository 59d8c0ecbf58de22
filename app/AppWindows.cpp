#include "app/AppWindows.h"

#include "app/MenuGlowne.h"
#include "core/NowaBazaD.h"
#include "core/OProgramie.h"
#include "link/CzekajNaRS.h"
#include "link/PokazBuforOdb.h"
#include "link/UstawieniaTrans.h"
#include "link/WyszukiwanieKasyRS.h"
#include "service/DaneInformacyjne.h"
#include "service/GrafikaNaglowek.h"
#include "service/ProgramowanieNowegoPakietu.h"
#include "service/SymulatorUrzadzen.h"
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
}

void DestroyAllWindows() { delete MenuGlowne; }
