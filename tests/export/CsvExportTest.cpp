// The CSV export: each table's file byte for byte, both goods geometries, and the window's
// save, overwrite question and failed writes.
#include "core/AppState.h"
#include "export/DatabaseCsv.h"
#include "export/EksportBazy.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QComboBox>
#include <QLabel>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

std::string Cp(const char* utf8) { return ToCp1250(QString::fromUtf8(utf8)); }

std::string Exported(CsvTable table) { return BuildCsvFile(table, ReadCsvArea(table)); }

// Lets this process write no file beyond limit bytes: a full disk, for as long as it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit l = old_;
        l.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_ {};
};

} // namespace

TEST(CsvExport, GoodsFileOfARivoHoldsEveryPlu)
{
    TestEnvironment env;
    StoreGoods(1, QStringLiteral("Chleb żytni"), 199, "A", "5907788");
    StoreGoods(7, QStringLiteral("Woda"), 0, "", "0000000000000");
    StoreGoods(2500, QStringLiteral("Sól"), 4294967295u, "G", "1234567890123");
    EXPECT_EQ(Exported(CsvTable::Goods),
              Cp("Towary\n"
                 "Numer;Nazwa;Cena;PTU;Kod;Numer grupy;Numer opakowania;Cena sztywna;Sprzedaz na sztuki;Indeks HALO\n"
                 "1;Chleb żytni;1,99;A;0000005907788;1;2;1;0;9\n"
                 "7;Woda;0,00;;0000000000000;1;2;1;0;9\n"
                 "2500;Sól;42949672,95;G;1234567890123;1;2;1;0;9\n"));
}

TEST(CsvExport, GoodsFileOfATepoDuxReadsItsOwnGeometry)
{
    TestEnvironment env;
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = 69;
    StoreGoods(2000, QStringLiteral("Ostatni"), 5, "B", "590");
    StoreGoods(1, QStringLiteral("Pierwszy"), 100, "C", "");
    EXPECT_EQ(Exported(CsvTable::Goods),
              "Towary\n"
              "Numer;Nazwa;Cena;PTU;Kod;Numer grupy;Numer opakowania;Cena sztywna;Sprzedaz na sztuki;Indeks HALO\n"
              "1;Pierwszy;1,00;C;0000000000000;1;2;1;0;9\n"
              "2000;Ostatni;0,05;B;0000000000590;1;2;1;0;9\n");
}

TEST(CsvExport, SmallTablesByteForByte)
{
    TestEnvironment env;  // the new image holds cashier 1 "Kierownik" and group 1
    const TableOffsetSet& t = TableOffsets;
    StoreSmall(t.PackagingTable, PackagingRecordSize, 20, Cat({Field("Skrzynka", 42), U32(1550), {1}}));
    StoreSmall(t.CashierTable, CashierRecordSize, 11, Cat({Field("Ukryty", 21)}));
    StoreSmall(t.GoodsGroupTable, GoodsGroupRecordSize, 3, Cat({Field("Napoje;zimne", 21)}));
    StoreSmall(t.DiscountTable, DiscountRecordSize, 2, Cat({Field("Rabat stały", 21), {0, 1}, U32(1550)}));
    StoreSmall(t.PaymentFormTable, PaymentFormRecordSize, 4, Cat({Field("Karta", 21), {1}}));
    StoreSmall(t.PaymentFormTable, PaymentFormRecordSize, 12, Cat({Field("Za daleko", 21), {1}}));
    StoreSmall(t.CurrencyTable, CurrencyRecordSize, 1, Cat({Field("Euro", 21), U32(45678), {4}, Field("EUR", 3)}));
    StoreSmall(t.CurrencyTable, CurrencyRecordSize, 2, Cat({Field("Dolar", 21), U32(45678), {0}, Field("USD", 3)}));
    StoreSmall(t.CurrencyTable, CurrencyRecordSize, 3, Cat({Field("Jen", 21), U32(987654321), {2}, Field("JPY", 3)}));
    StoreSmall(t.CurrencyTable, CurrencyRecordSize, 4, Cat({Field("Mała", 21), U32(5), {9}, Field("XYZ", 3)}));

    EXPECT_EQ(Exported(CsvTable::Packagings), "Opakowania\nNumer;Nazwa;Cena;Cena sztywna\n20;Skrzynka;15,50;1\n");
    EXPECT_EQ(Exported(CsvTable::Cashiers),
              Cp("Kasjerzy\nNumer;Nazwa;Hasło;Rap. niezerujące;Rap. zerujące;Rab. z ręki;Rab. z bazy;Anul. parag.;"
                 "Storno;Wpłaty/wypłaty\n1;Kierownik;9473;1;1;1;1;1;1;1\n"));
    // A name holding ';' is written as it is.
    EXPECT_EQ(Exported(CsvTable::Groups), "Grupy\nNumer;Nazwa\n1;Grupa podstawowa\n3;Napoje;zimne\n");
    EXPECT_EQ(Exported(CsvTable::Discounts),
              Cp("Rabaty i narzuty\nNumer;Nazwa;Rodzaj 0-R 1-N;Typ 0-proc. 1-kwot.;Wartość (x100)\n"
                 "2;Rabat stały;0;1;15,50\n"));
    EXPECT_EQ(Exported(CsvTable::PaymentForms), Cp("Formy płatności\nNumer;Nazwa;Typ\n4;Karta;1\n"));
    EXPECT_EQ(Exported(CsvTable::Currencies),
              Cp("Waluty\nNumer;Nazwa;Kurs;Symbol\n1;Euro;0004,5678;EUR\n2;Dolar;00045678;USD\n"
                 "3;Jen;9876543,21;JPY\n4;Mała;0,000000005;XYZ\n"));
}

TEST(CsvExport, DefaultFileNames)
{
    EXPECT_EQ(DefaultCsvFileName("Bez nazwy", CsvTable::Goods), "Bez nazwy_towary.csv");
    EXPECT_EQ(DefaultCsvFileName("sklep.rkb", CsvTable::PaymentForms), "sklep_formy_plat.csv");
    EXPECT_EQ(DefaultCsvFileName("rkb_baza", CsvTable::Currencies), "rkb_baza_waluty.csv");
}

class CsvExportWindow : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedPrompts prompts;
    TEksportBazy w;
    std::string target = env.Path("out.csv");

    void Export(int item)
    {
        w.FormShow();
        w.ComboBox1->setCurrentIndex(item);
        w.Button1Click();
    }
};

TEST_F(CsvExportWindow, WritesTheChosenFileAndReportsIt)
{
    prompts.SaveFile(QString::fromStdString(env.Path("grupy")));
    Export(3);
    EXPECT_EQ(prompts.LastSaveInitial, QString("Bez nazwy_grupy.csv"));
    EXPECT_EQ(ReadWhole(env.Path("grupy.csv")), "Grupy\nNumer;Nazwa\n1;Grupa podstawowa\n");
    EXPECT_EQ(w.Label5->text(), QString("Wyeksportowano bazę grup towarowych"));
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(App.DatabaseModified, 0);
}

TEST_F(CsvExportWindow, OverwriteOnlyWhenAsked)
{
    WriteWhole(target, "stary plik");
    prompts.SaveFile(QString::fromStdString(target));
    prompts.Answer(PromptAnswer::No);
    Export(2);
    EXPECT_EQ(prompts.Texts(), QStringList{"Plik " + QString::fromStdString(target) + " już istnieje. Kontynuować? "});
    EXPECT_EQ(ReadWhole(target), "stary plik");
    EXPECT_TRUE(w.Label5->text().isEmpty());

    prompts.SaveFile(QString::fromStdString(target));
    prompts.Answer(PromptAnswer::Yes);
    Export(2);
    EXPECT_EQ(ReadWhole(target).substr(0, 9), "Kasjerzy\n");
    EXPECT_EQ(w.Label5->text(), QString("Wyeksportowano bazę kasjerów"));
}

TEST_F(CsvExportWindow, FailedWritesLeaveTheOldFile)
{
    for (uint16_t plu = 1; plu <= 300; ++plu)
        StoreGoods(plu, QStringLiteral("Towar o długiej nazwie numer %1").arg(plu), plu, "A", "5900000000000");
    WriteWhole(target, "stary plik");
    {
        FileSizeLimit full(4096);
        prompts.SaveFile(QString::fromStdString(target));
        prompts.Answer(PromptAnswer::Yes);
        Export(0);
    }
    EXPECT_EQ(prompts.LastText(), QString("Wystąpił błąd zapisu"));
    EXPECT_EQ(ReadWhole(target), "stary plik");
    EXPECT_TRUE(w.Label5->text().isEmpty());
    for (const auto& e : std::filesystem::directory_iterator(env.Folder()))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();

    prompts.SaveFile(QString::fromStdString(env.Path("brak/folderu.csv")));
    Export(0);
    EXPECT_EQ(prompts.LastText(), QString("Nie mogę otworzyć pliku docelowego"));
    EXPECT_TRUE(w.Label5->text().isEmpty());
}

TEST_F(CsvExportWindow, UnusableImageWritesNoFile)
{
    for (int failure = 0; failure < 2; ++failure) {
        if (failure == 0)
            App.WorkMode = 0;
        else {
            App.WorkMode = WorkModeDatabase;
            DatabaseImage.MarkFailed();
        }
        prompts.Clear();
        Export(0);
        EXPECT_EQ(prompts.Texts(), QStringList{"Brak otwartej bazy danych."});
        EXPECT_TRUE(w.Label5->text().isEmpty());
    }
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
}
