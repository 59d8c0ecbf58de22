// The CSV export: each table's file byte for byte, both goods geometries, and the window's
// save, overwrite question and failed writes.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "export/DatabaseCsv.h"
#include "export/EksportBazy.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QComboBox>
#include <QLabel>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string Exported(CsvTable table) { return BuildCsvFile(table, ReadCsvArea(table)); }

const char* GoodsTitles =
    "Towary\nNumer;Nazwa;Cena;PTU;Kod;Numer grupy;Numer opakowania;Cena sztywna;Sprzedaz na sztuki;Indeks HALO\n";

} // namespace

TEST(CsvExport, EveryTableByteForByte)
{
    TestEnvironment env;  // the new image holds cashier 1 "Kierownik" and group 1
    const TableOffsetSet& t = TableOffsets;
    StoreSmall(t.PackagingTable, PackagingRecordSize, 20, {Field("Skrzynka", 42), U32(1550), {1}});
    StoreSmall(t.CashierTable, CashierRecordSize, 11, {Field("Ukryty", 21)});
    StoreSmall(t.GoodsGroupTable, GoodsGroupRecordSize, 3, {Field("Napoje;zimne", 21)});
    StoreSmall(t.DiscountTable, DiscountRecordSize, 2, {Field("Rabat stały", 21), {0, 1}, U32(1550)});
    StoreSmall(t.PaymentFormTable, PaymentFormRecordSize, 4, {Field("Karta", 21), {1}});
    StoreSmall(t.PaymentFormTable, PaymentFormRecordSize, 12, {Field("Za daleko", 21), {1}});
    const std::pair<uint32_t, uint8_t> rates[] = {{45678, 4}, {45678, 0}, {987654321, 2}, {5, 9}};
    for (uint8_t i = 0; i < 4; ++i)
        StoreSmall(t.CurrencyTable, CurrencyRecordSize, uint8_t(i + 1),
                   {Field("Waluta", 21), U32(rates[i].first), {rates[i].second}, Field("EUR", 3)});

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
    EXPECT_EQ(Exported(CsvTable::Currencies), "Waluty\nNumer;Nazwa;Kurs;Symbol\n1;Waluta;0004,5678;EUR\n"
                                              "2;Waluta;00045678;EUR\n3;Waluta;9876543,21;EUR\n4;Waluta;0,000000005;EUR\n");
    EXPECT_EQ(DefaultCsvFileName("sklep.rkb", CsvTable::PaymentForms), "sklep_formy_plat.csv");
    EXPECT_EQ(DefaultCsvFileName("rkb_baza", CsvTable::Currencies), "rkb_baza_waluty.csv");

    StoreGoods(1, "Chleb żytni", 199, "A", "5907788");
    StoreGoods(7, "Woda", 0, "", "0000000000000");
    StoreGoods(2500, "Sól", 4294967295u, "G", "1234567890123");
    EXPECT_EQ(Exported(CsvTable::Goods), Cp(GoodsTitles) + Cp("1;Chleb żytni;1,99;A;0000005907788;1;2;1;0;9\n"
                                                              "7;Woda;0,00;;0000000000000;1;2;1;0;9\n"
                                                              "2500;Sól;42949672,95;G;1234567890123;1;2;1;0;9\n"));
    // The older model's geometry.
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = 69;
    ASSERT_EQ(CreateDatabaseImage(), 0);
    StoreGoods(2000, "Ostatni", 5, "B", "590");
    StoreGoods(1, "Pierwszy", 100, "C", "");
    EXPECT_EQ(Exported(CsvTable::Goods), std::string(GoodsTitles) + "1;Pierwszy;1,00;C;0000000000000;1;2;1;0;9\n"
                                                                    "2000;Ostatni;0,05;B;0000000000590;1;2;1;0;9\n");
}

class CsvExportWindow : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedPrompts prompts;
    TEksportBazy w;
    std::string target = env.Path("out.csv");

    void Export(int item, const std::string& path)
    {
        prompts.SaveFile(QString::fromStdString(path));
        w.FormShow();
        w.ComboBox1->setCurrentIndex(item);
        w.Button1Click();
    }
};

TEST_F(CsvExportWindow, WritesTheChosenFileAndOverwritesOnlyWhenAsked)
{
    Export(3, env.Path("grupy"));
    EXPECT_EQ(prompts.LastSaveInitial, QString("Bez nazwy_grupy.csv"));
    EXPECT_EQ(ReadWhole(env.Path("grupy.csv")), "Grupy\nNumer;Nazwa\n1;Grupa podstawowa\n");
    EXPECT_EQ(w.Label5->text(), QString("Wyeksportowano bazę grup towarowych"));
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(App.DatabaseModified, 0);

    WriteWhole(target, "stary plik");
    prompts.Answer(PromptAnswer::No);
    Export(2, target);
    EXPECT_EQ(prompts.Texts(), QStringList{"Plik " + QString::fromStdString(target) + " już istnieje. Kontynuować? "});
    EXPECT_EQ(ReadWhole(target), "stary plik");
    EXPECT_TRUE(w.Label5->text().isEmpty());
    prompts.Answer(PromptAnswer::Yes);
    Export(2, target);
    EXPECT_EQ(ReadWhole(target).substr(0, 9), "Kasjerzy\n");
    EXPECT_EQ(w.Label5->text(), QString("Wyeksportowano bazę kasjerów"));
}

TEST_F(CsvExportWindow, FailedWritesAndUnusableImagesLeaveTheOldFile)
{
    for (uint16_t plu = 1; plu <= 300; ++plu)
        StoreGoods(plu, "Towar o długiej nazwie, że hej", plu, "A", "5900000000000");
    WriteWhole(target, "stary plik");
    {
        FileSizeLimit full(4096);
        prompts.Answer(PromptAnswer::Yes);
        Export(0, target);
    }
    Export(0, env.Path("brak/folderu.csv"));
    App.WorkMode = 0;
    w.Button1Click();
    App.WorkMode = WorkModeDatabase;
    DatabaseImage.MarkFailed();
    w.Button1Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{"Wystąpił błąd zapisu", "Nie mogę otworzyć pliku docelowego",
                                               "Brak otwartej bazy danych.", "Brak otwartej bazy danych."}));
    EXPECT_EQ(ReadWhole(target), "stary plik");
    EXPECT_TRUE(w.Label5->text().isEmpty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(env.Folder()), {}), 2);  // image and old file
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
}
