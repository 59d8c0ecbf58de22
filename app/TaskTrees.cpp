// The three task trees: what each item opens and the work mode it needs.
#include "app/MenuGlowne.h"

#include "app/WindowOf.h"
#include "core/AppState.h"
#include "export/DrukowanieKodowKreskowych.h"
#include "export/EksportBazy.h"
#include "service/DaneInformacyjne.h"
#include "service/GrafikaNaglowek.h"
#include "service/ObrotGrup.h"
#include "service/OdczytKopii.h"
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
#include "sync/SynchronizacjaBazyFormPlatnosci.h"
#include "sync/SynchronizacjaBazyGrupTowarowych.h"
#include "sync/SynchronizacjaBazyKasjerow.h"
#include "sync/SynchronizacjaBazyOpakowan.h"
#include "sync/SynchronizacjaBazyRabatow.h"
#include "sync/SynchronizacjaBazyTowarowej.h"
#include "sync/SynchronizacjaBazyWalut.h"
#include "tables/DodatkoweUstawienia.h"
#include "tables/JednostkiTowarowe.h"
#include "tables/KlawiszeSzybkieSprzedazy.h"
#include "tables/ProgramowanieFormPlatnosci.h"
#include "tables/ProgramowanieGrupTowarowych.h"
#include "tables/ProgramowanieKasjerow.h"
#include "tables/ProgramowanieKlawiszyFunkcyjnych.h"
#include "tables/ProgramowanieKlawiszySzybkich2.h"
#include "tables/ProgramowanieNIP.h"
#include "tables/ProgramowanieNaglowka.h"
#include "tables/ProgramowanieOpakowan.h"
#include "tables/ProgramowanieRabatow.h"
#include "tables/ProgramowanieStawekPTU.h"
#include "tables/ProgramowanieStopki.h"
#include "tables/ProgramowanieTablicyHalo.h"
#include "tables/ProgramowanieTowarow.h"
#include "tables/ProgramowanieWalutObcych.h"
#include "tables/ProgramowanieWalutyEwidencyjnej.h"
#include "tables/ProgramowanieZegara.h"

std::vector<TreeTask>& TreeTasks(int tab)
{
    // Windows that are not part of the program yet have an empty opener: their item passes its
    // gate and opens nothing.
    static std::vector<TreeTask> editing = {
        {QStringLiteral("Grupy towarowe"), Opener(ProgramowanieGrupTowarowych), false},
        {QStringLiteral("Opakowania zwrotne"), Opener(ProgramowanieOpakowan), false},
        {QStringLiteral("Towary"), Opener(ProgramowanieTowarow), false},
        {QStringLiteral("Kasjerzy"), Opener(ProgramowanieKasjerow), false},
        {QStringLiteral("Rabaty i narzuty"), Opener(ProgramowanieRabatow), false},
        {QStringLiteral("Formy płatności"), Opener(ProgramowanieFormPlatnosci), false},
        {QStringLiteral("Waluty obce"), Opener(ProgramowanieWalutObcych), false},
        {QStringLiteral("Stawki PTU"), Opener(ProgramowanieStawekPTU), false},
        {QStringLiteral("Klawisze szybkie"), Opener(ProgramowanieKlawiszySzybkich2), true},
        {QStringLiteral("Tablica HALO"), Opener(ProgramowanieTablicyHalo), false},
        {QStringLiteral("Zmiana waluty ewidencyjnej"), Opener(ProgramowanieWalutyEwidencyjnej), false},
        {QStringLiteral("Eksport/import bazy do pliku CSV"), Opener(EksportBazy), true},
        {QStringLiteral("Wydruk kodów kreskowych"), Opener(DrukowanieKodowKreskowych), true},
    };
    static std::vector<TreeTask> reports = {
        {QStringLiteral("Wykonywanie raportu okresowego"), Opener(WykonywanieRaportuOkresowego), false},
        {QStringLiteral("Wykonywanie raportu sprzedaży"), Opener(WykonywanieRaportuSprzedazy), false},
        {QStringLiteral("Wykonywanie raportu towarów nieaktywnych"), Opener(WykonywanieRaportuTowarowNieaktywnych), false},
        {QStringLiteral("Wykonywanie raportu bazy z PTU"), Opener(WykonywanieRaportuBazyZPTU), false},
        {QStringLiteral("Wykonywanie pełnego raportu bazy PLU"), Opener(WykonywaniePelnegoRaportuBazyPLU), false},
        {QStringLiteral("Wykonywanie raportu kasjera"), Opener(WykonywanieRaportuKasjera), false},
        {QStringLiteral("Wykonywanie raportu zmianowego sprzedaży"), Opener(WykonywanieRaportuZmianowegoSprzedazy), false},
        {QStringLiteral("Wykonywanie raportu rabatów"), Opener(WykonywanieRaportuRabatow), false},
        {QStringLiteral("Wykonywanie raportu opakowań"), Opener(WykonywanieRaportuOpakowan), false},
        {QStringLiteral("Wykonywanie raportu form płatności"), Opener(WykonywanieRaportuFormPlatnosci), false},
        {QStringLiteral("Wykonywanie raportu grup towarowych"), Opener(WykonywanieRaportuGrupTowarowych), false},
        {QStringLiteral("Wykonywanie raportu napisów stałych"), Opener(WykonywanieRaportuNapisowStalych), false},
        {QStringLiteral("Wykonywanie raportu stawek PTU"), Opener(WykonywanieRaportuStawekPTU), false},
        {QStringLiteral("Wykonywanie raportu informacyjnego kasy"), Opener(WykonywanieRaportuStanuKasy), false},
        {QStringLiteral("Wykonywanie raportu klawiszy szybkich"), Opener(WykonywanieRaportuKlawiszySzybkich), false},
        {QStringLiteral("Wykonywanie raportu obrotu grup towarowych"), Opener(RaportObrotuGrup), false},
    };
    static std::vector<TreeTask> register_ = {
        {QStringLiteral("Programowanie bazy grup towarowych"), Opener(SynchronizacjaBazyGrupTowarowych), false},
        {QStringLiteral("Programowanie bazy opakowań"), Opener(SynchronizacjaBazyOpakowan), false},
        {QStringLiteral("Programowanie bazy towarowej"), Opener(SynchronizacjaBazyTowarowej), false},
        {QStringLiteral("Programowanie bazy kasjerów"), Opener(SynchronizacjaBazyKasjerow), false},
        {QStringLiteral("Programowanie bazy rabatów i narzutów"), Opener(SynchronizacjaBazyRabatow), false},
        {QStringLiteral("Programowanie bazy form płatności"), Opener(SynchronizacjaBazyFormPlatnosci), false},
        {QStringLiteral("Programowanie bazy walut"), Opener(SynchronizacjaBazyWalut), false},
        {QStringLiteral("Programowanie stawek PTU"), Opener(ProgramowanieStawekPTU), false},
        {QStringLiteral("Dane informacyjne kasy"), Opener(DaneInformacyjne), false},
        {QStringLiteral("Programowanie zegara"), Opener(ProgramowanieZegara), false},
        {QStringLiteral("Programowanie nagłówka"), Opener(ProgramowanieNaglowka), false},
        {QStringLiteral("Pobieranie nagłówka"), Opener(PobieranieNaglowka), false},
        {QStringLiteral("Programowanie stopki"), Opener(ProgramowanieStopki), false},
        {QStringLiteral("Programowanie NIP (szkoleniowo)"), Opener(ProgramowanieNIP), false},
        {QStringLiteral("Ściąganie sprzedaży"), Opener(SciaganieSprzedazy), false},
        {QStringLiteral("Dane konfiguracyjne kasy"), Opener(DodatkoweUstawienia), false},
        {QStringLiteral("Programowanie klawiszy funkcyjnych"), Opener(ProgramowanieKlawiszyFunkcyjnych), false},
        {QStringLiteral("Programowanie klawiszy szybkich funkcji sprzedaży"), Opener(KlawiszeSzybkieSprzedazy), false},
        {QStringLiteral("Programowalne jednostki towarowe"), Opener(JednostkiTowarowe), false},
        {QStringLiteral("Obrót grup towarowych"), Opener(ObrotGrup), false},
        {QStringLiteral("Grafika w nagłówku i stopce"), Opener(GrafikaNaglowek), false},
        {QStringLiteral("Odczyt kopii"), Opener(OdczytKopii), false},
    };
    static std::vector<TreeTask> none;
    switch (tab) {
    case 0: return editing;
    case 1: return reports;
    case 2: return register_;
    default: return none;
    }
}

bool TreeTaskAllowed(int tab, int index, uint8_t workMode)
{
    const bool database = (workMode & WorkModeDatabase) != 0;
    const bool link = (workMode & WorkModeRegister) != 0;
    switch (tab) {
    case 0: return workMode != 0;
    case 1: return link;
    case 2: return index <= 6 ? (database && link) : link;
    default: return false;
    }
}
