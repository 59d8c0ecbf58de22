// The CSV export and import of the database window: each table's file byte for byte, both goods
// geometries, round trips of every table, the lines the import takes, the files it refuses whole,
// and the window's save, overwrite question and failed writes.
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

// Every table with extremes: u32 prices, rates of 0, 4, 8 and 9 decimals, Polish letters, an
// empty VAT letter, thirteen "0".
void FillExtremes()
{
    const TableOffsetSet& t = TableOffsets;
    StoreGoods(1, "Żółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ i tak do 42 znaków", 4294967295u, "G", "0000000000000");
    StoreGoods(2, "Bez PTU", 0, "", "5907788");
    StoreGoods(8000, "Ostatni", 1, "A", "1234567890123", 255);
    StoreSmall(t.PackagingTable, PackagingRecordSize, 1, {Field("Butelka zwrotna", 42), U32(4294967295u), {1}});
    StoreSmall(t.PackagingTable, PackagingRecordSize, 20, {Field("Skrzynka", 42)});
    StoreSmall(t.CashierTable, CashierRecordSize, 10, {Field("Łucja Źdźbło", 21), Field("0007", 4), {1, 0, 1, 0, 1, 0, 255}});
    StoreSmall(t.GoodsGroupTable, GoodsGroupRecordSize, 20, {Field("Grupa dwudziesta ąę", 21)});
    StoreSmall(t.DiscountTable, DiscountRecordSize, 5, {Field("Narzut świąteczny", 21), {1, 0}, U32(4294967295u)});
    StoreSmall(t.PaymentFormTable, PaymentFormRecordSize, 10, {Field("Bon", 21), {5}});
    const std::pair<uint32_t, uint8_t> rates[] = {{1, 0}, {45678, 4}, {4294967295u, 8}, {5, 9}};
    for (uint8_t i = 0; i < 4; ++i)
        StoreSmall(t.CurrencyTable, CurrencyRecordSize, uint8_t(i + 1),
                   {Field("Waluta", 21), U32(rates[i].first), {rates[i].second}, Field("ZŁ", 3)});
}

// The window with the file it saves to or reads from.
class CsvWindow : public ::testing::Test {
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

    void Import(const std::string& bytes)
    {
        const std::string path = env.Path("in.csv");
        WriteWhole(path, bytes);
        prompts.Clear();
        prompts.OpenFile(QString::fromStdString(path));
        w.FormShow();
        w.BitBtn1Click();
    }
};
using CsvExportWindow = CsvWindow;
using CsvImportWindow = CsvWindow;

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

    // Texts an import would split are written as they are, and the user is told which.
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 4, {Field("Soki; wody", 21)});
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 7, {Field("Dwa\nwiersze", 21)});
    prompts.Clear();
    Export(3, env.Path("grupy2.csv"));
    EXPECT_EQ(ReadWhole(env.Path("grupy2.csv")), "Grupy\nNumer;Nazwa\n1;Grupa podstawowa\n4;Soki; wody\n7;Dwa\nwiersze\n");
    EXPECT_EQ(prompts.Messages(), QStringList{"Teksty rekordów o numerach 4, 7 zawierają znak ';' lub koniec wiersza. "
                                              "Import tego pliku ich nie przyjmie."});
    EXPECT_EQ(w.Label5->text(), QString("Wyeksportowano bazę grup towarowych"));
    for (uint16_t plu = 1; plu <= 21; ++plu)
        StoreGoods(plu, "Sok;jabłkowy", 100, "A", "");
    EXPECT_TRUE(CsvNotReadBackWarning(CsvTable::Goods, ReadCsvArea(CsvTable::Goods))
                    .contains("numerach 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, ... zawierają"));
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

TEST_F(CsvImportWindow, EveryTableComesBackByteForByte)
{
    FillExtremes();
    std::vector<std::string> files;
    std::vector<std::vector<uint8_t>> areas;
    for (int t = 0; t < CsvTableCount; ++t) {
        areas.push_back(ReadCsvArea(CsvTable(t)));
        files.push_back(BuildCsvFile(CsvTable(t), areas.back()));
    }
    // A fresh image holding other records, some under the files' numbers.
    ASSERT_EQ(CreateDatabaseImage(), 0);
    StoreGoods(3, "Inny", 7, "B", "77", 1, 5);
    StoreGoods(1, "Nadpisany", 7, "B", "77", 1, 4);
    StoreSmall(TableOffsets.PackagingTable, PackagingRecordSize, 2, {Field("Inne", 42)});
    App.DatabaseModified = 0;
    for (int t = 0; t < CsvTableCount; ++t) {
        const CsvTable table = CsvTable(t);
        Import(files[std::size_t(t)]);
        EXPECT_TRUE(prompts.Texts().isEmpty()) << t << prompts.Texts().join('|').toStdString();
        EXPECT_EQ(w.Label2->text(), QString::fromUtf8(CsvFormat(table).ImportedText));
        const std::vector<uint8_t> now = ReadCsvArea(table);
        const std::size_t size = CsvRecordSize(table);
        for (std::size_t at = 0; at < now.size(); at += size) {
            const uint8_t* was = areas[std::size_t(t)].data() + at;
            if (was[0] == 0 && (table != CsvTable::Goods || was[1] == 0))
                continue;
            const std::size_t compared = table == CsvTable::Goods ? GoodsField::Unit : size;
            EXPECT_EQ(std::vector<uint8_t>(was, was + compared), std::vector<uint8_t>(&now[at], &now[at] + compared))
                << "table " << t << " slot " << at / size + 1;
        }
    }
    EXPECT_EQ(App.DatabaseModified, 1);
    // Records the files do not hold stay; goods keep the unit of their slot.
    EXPECT_EQ(DbReadStringAt(GoodsRecordOffset(3) + GoodsField::Name, 42), "Inny");
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(3) + GoodsField::Unit), 5);
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(1) + GoodsField::Unit), 4);
    EXPECT_EQ(DbReadStringAt(TableOffsets.PackagingTable + PackagingRecordSize + 1, 42), "Inne");
}

TEST_F(CsvImportWindow, EditorFilesAreTaken)
{
    // Lower-case title, CR LF, a trailing ';', blank lines anywhere, blanks around numbers, no
    // final LF, the later of two lines wins, and the conversions of the file format.
    Import(Cp("towary\r\nNumer;Nazwa\r\n\r\n 12 ;Mąka;0,47;;590; 2;0;0;1;0;\r\n;;;\r\n"
              "13;Cukier;19,99;B;;1;0;0;1;0\r\n14;Sól;1,005;C;1;1;0;0;1;0\r\n12;Mąka luz;0,48;A;590;2;0;0;1;0"));
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_EQ(w.Label2->text(), QString("Zaimportowano bazę towarów"));
    const uint32_t g12 = GoodsRecordOffset(12), g13 = GoodsRecordOffset(13);
    EXPECT_EQ(DbReadStringAt(g12 + 2, 42), Cp("Mąka luz"));
    EXPECT_EQ(DbReadByteAt(g12 + 44), 'A');
    EXPECT_EQ(DbReadU32At(g12 + 45), 48u);
    EXPECT_EQ(DbReadStringAt(g12 + 49, 13), "0000000000590");
    EXPECT_EQ(DbReadU32At(g13 + 45), 1999u);
    EXPECT_EQ(DbReadStringAt(g13 + 49, 13), "0000000000000");
    EXPECT_EQ(DbReadU32At(GoodsRecordOffset(14) + 45), 101u);   // half up

    Import("Waluty\nNumer;Nazwa;Kurs;Symbol\n1;A;0004,5678;EUR\n2;B;00045678;USD\n3;C;4,5;X\n");
    const std::pair<uint32_t, uint8_t> rates[] = {{45678, 4}, {45678, 0}, {45, 1}};
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(DbReadU32At(TableOffsets.CurrencyTable + 30 * i + 22), rates[i].first);
        EXPECT_EQ(DbReadByteAt(TableOffsets.CurrencyTable + 30 * i + 26), rates[i].second);
    }
    // Saved by an editor as UTF-8, with or without a byte-order mark.
    Import("Grupy\nNumer;Nazwa\n2;Mąka żytnia\n");
    EXPECT_EQ(DbReadStringAt(TableOffsets.GoodsGroupTable + 22 + 1, 21), Cp("Mąka żytnia"));
    Import("\xEF\xBB\xBF" "Formy płatności\nNumer;Nazwa;Typ\n3;Przelew;1\n");
    EXPECT_EQ(w.Label2->text(), QString("Zaimportowano bazę form płatności"));
}

TEST_F(CsvImportWindow, ABadFileChangesNothingAndNamesEveryLine)
{
    App.DatabaseModified = 0;
    const std::vector<uint8_t> before = ImageBytes();
    const std::string bad = "Towary\nx\n1;Dobry;1,00;A;1;1;0;0;1;0\n"   // 3: good, yet not written
                            "Chleb;1,00\n"                             // 4: number no integer
                            "0;Zero;1,00;A;1;1;0;0;1;0\n"              // 5: out of range
                            "8001;Za duży;1,00;A;1;1;0;0;1;0\n"        // 6
                            "2;Bajt;1,00;A;1;256;0;0;1;0\n"            // 7: the old program wrapped it
                            "3;Kropka;1.234;A;1;1;0;0;1;0\n"           // 8: a dot
                            "4;Ujemna;-1,00;A;1;1;0;0;1;0\n"           // 9
                            "5;Duża;42949672,96;A;1;1;0;0;1;0\n"       // 10
                            "6;Kod;1,00;A;12345678901234;1;0;0;1;0\n"  // 11
                            "7;Pole;1,00;A;1;1;0;0;1;0;x\n"            // 12: a field too many
                            "8;Grupa;1,00;A;1;x;0;0;1;0\n"             // 13
                            "9;" + std::string(700, 'a') + "\n"        // 14: too long
                            "10;Жито;1,00;A;1;1;0;0;1;0\n";            // 15: no cp1250 form
    Import(bad);
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_EQ(prompts.Texts().front().toStdString(),
              "Plik zawiera błędy, nic nie zaimportowano.\n"
              "Wiersz 4, kolumna \"Numer\": 'Chleb' is not a valid integer value\n"
              "Wiersz 5, kolumna \"Numer\": liczba spoza zakresu 1-8000\n"
              "Wiersz 6, kolumna \"Numer\": liczba spoza zakresu 1-8000\n"
              "Wiersz 7, kolumna \"Numer grupy\": liczba spoza zakresu 0-255\n"
              "Wiersz 8, kolumna \"Cena\": '1.234' is not a valid floating point value\n"
              "Wiersz 9, kolumna \"Cena\": kwota spoza zakresu 0,00-42949672,95\n"
              "Wiersz 10, kolumna \"Cena\": kwota spoza zakresu 0,00-42949672,95\n"
              "Wiersz 11, kolumna \"Kod\": tekst dłuższy niż 13 znaków\n"
              "Wiersz 12: więcej pól niż kolumn (10), czy nazwa nie zawiera znaku ';'?\n"
              "Wiersz 13, kolumna \"Numer grupy\": 'x' is not a valid integer value\n"
              "Wiersz 14: wiersz dłuższy niż 700 znaków\n"
              "Wiersz 15: znaki spoza strony kodowej 1250: Жито");
    Import("Klienci\nNumer\n1;x\n");
    EXPECT_EQ(prompts.Texts(), QStringList{"Nie rozpoznano bazy w pliku: Klienci"});
    Import("");
    prompts.OpenFile(QString::fromStdString(env.Path("nie-ma.csv")));
    w.BitBtn1Click();
    App.WorkMode = 0;   // no file is asked for without a usable image
    w.BitBtn1Click();
    App.WorkMode = WorkModeDatabase;
    EXPECT_EQ(prompts.Texts(), (QStringList{"Nie rozpoznano bazy w pliku: ",
                                            "Nie mogę otworzyć pliku " + QString::fromStdString(env.Path("nie-ma.csv")),
                                            "Brak otwartej bazy danych."}));
    EXPECT_EQ(ImageBytes(), before);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_TRUE(w.Label2->text().isEmpty());
}
