// The CSV import: round trips of every table, the lines it takes, the files it refuses whole,
// and random damage to a good file.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/Helpers.h"
#include "export/DatabaseCsv.h"
#include "export/EksportBazy.h"
#include "tables/GoodsLogic.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QLabel>
#include <gtest/gtest.h>
#include <random>

namespace {

std::string Cp(const char* utf8) { return ToCp1250(QString::fromUtf8(utf8)); }

const char* GoodsHeader =
    "Towary\nNumer;Nazwa;Cena;PTU;Kod;Numer grupy;Numer opakowania;Cena sztywna;Sprzedaz na sztuki;Indeks HALO\n";

std::vector<uint8_t> Area(CsvTable table)
{
    std::vector<uint8_t> area(std::size_t(CsvSlotCount(table)) * CsvRecordSize(table));
    DbReadBytesAt(CsvAreaOffset(table), area.data(), area.size());
    return area;
}

// Fills every table with extremes: u32 prices, rates of 0, 4, 8 and 9 decimals, Polish letters,
// an empty VAT letter, thirteen "0".
void FillExtremes()
{
    const TableOffsetSet& t = TableOffsets;
    StoreGoods(1, QStringLiteral("Żółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ 42 znaki......."), 4294967295u, "G", "0000000000000");
    StoreGoods(2, QStringLiteral("Bez PTU"), 0, "", "5907788");
    StoreGoods(8000, QStringLiteral("Ostatni"), 1, "A", "1234567890123", 255);
    StoreSmall(t.PackagingTable, PackagingRecordSize, 1, Cat({Field("Butelka zwrotna", 42), U32(4294967295u), {1}}));
    StoreSmall(t.PackagingTable, PackagingRecordSize, 20, Cat({Field("Skrzynka", 42), U32(0), {0}}));
    StoreSmall(t.CashierTable, CashierRecordSize, 10,
               Cat({Field("Łucja Źdźbło", 21), Field("0007", 4), {1, 0, 1, 0, 1, 0, 255}}));
    StoreSmall(t.GoodsGroupTable, GoodsGroupRecordSize, 20, Cat({Field("Grupa dwudziesta ąę", 21)}));
    StoreSmall(t.DiscountTable, DiscountRecordSize, 5, Cat({Field("Narzut świąteczny", 21), {1, 0}, U32(4294967295u)}));
    StoreSmall(t.PaymentFormTable, PaymentFormRecordSize, 10, Cat({Field("Bon", 21), {5}}));
    const std::pair<uint32_t, uint8_t> rates[] = {{1, 0}, {45678, 4}, {4294967295u, 8}, {5, 9}};
    for (uint8_t i = 0; i < 4; ++i)
        StoreSmall(t.CurrencyTable, CurrencyRecordSize, uint8_t(i + 1),
                   Cat({Field("Waluta", 21), U32(rates[i].first), {rates[i].second}, Field("ZŁ", 3)}));
}

// Other records in the same tables, under numbers the files do not hold.
void FillOthers()
{
    const TableOffsetSet& t = TableOffsets;
    StoreGoods(3, QStringLiteral("Inny"), 7, "B", "77", 1, 5);
    StoreGoods(1, QStringLiteral("Nadpisany"), 7, "B", "77", 1, 4);
    StoreSmall(t.PackagingTable, PackagingRecordSize, 2, Cat({Field("Inne", 42)}));
    StoreSmall(t.CashierTable, CashierRecordSize, 10, Cat({Field("Nadpisana", 21)}));
    StoreSmall(t.CurrencyTable, CurrencyRecordSize, 7, Cat({Field("Inna", 21)}));
}

class CsvImportWindow : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedPrompts prompts;
    TEksportBazy w;

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

} // namespace

TEST_F(CsvImportWindow, EveryTableComesBackByteForByte)
{
    FillExtremes();
    std::vector<std::string> files;
    std::vector<std::vector<uint8_t>> areas;
    for (int t = 0; t < CsvTableCount; ++t) {
        areas.push_back(Area(CsvTable(t)));
        files.push_back(BuildCsvFile(CsvTable(t), areas.back()));
    }
    ASSERT_EQ(CreateDatabaseImage(), 0);
    FillOthers();
    App.DatabaseModified = 0;
    for (int t = 0; t < CsvTableCount; ++t) {
        const CsvTable table = CsvTable(t);
        Import(files[std::size_t(t)]);
        EXPECT_TRUE(prompts.Texts().isEmpty()) << t << prompts.Texts().join('|').toStdString();
        EXPECT_EQ(w.Label2->text(), QString::fromUtf8(CsvSpec(table).ImportedText));
        const std::vector<uint8_t> now = Area(table);
        const std::size_t size = CsvRecordSize(table);
        for (std::size_t slot = 0; slot < CsvSlotCount(table); ++slot) {
            const uint8_t* was = areas[std::size_t(t)].data() + slot * size;
            const uint8_t* is = now.data() + slot * size;
            const bool inFile = table == CsvTable::Goods ? (was[0] | was[1]) != 0 : was[0] != 0;
            if (!inFile)
                continue;
            const std::size_t compared = table == CsvTable::Goods ? GoodsField::Unit : size;
            EXPECT_EQ(std::vector<uint8_t>(was, was + compared), std::vector<uint8_t>(is, is + compared))
                << "table " << t << " slot " << slot + 1;
        }
    }
    EXPECT_EQ(App.DatabaseModified, 1);
    // Records the files do not hold stay; goods keep the unit of their slot.
    EXPECT_EQ(ReadGoodsName(3), "Inny");
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(3) + GoodsField::Unit), 5);
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(1) + GoodsField::Unit), 4);
    EXPECT_EQ(DbReadStringAt(TableOffsets.PackagingTable + PackagingRecordSize + 1, 42), "Inne");
    EXPECT_EQ(DbReadStringAt(TableOffsets.CurrencyTable + 6 * CurrencyRecordSize + 1, 21), "Inna");
}

TEST_F(CsvImportWindow, EditorFilesAreTaken)
{
    // Lower-case title, CR LF, a trailing ';', blank lines anywhere, blanks around numbers, no
    // final LF, and the conversions of the file format.
    Import(Cp("towary\r\nNumer;Nazwa\r\n"
           "\r\n"
           " 12 ;Mąka;0,47;;590; 2;0;0;1;0;\r\n"
           ";;;\r\n"
           "13;Cukier;19,99;B;;1;0;0;1;0\r\n"
           "14;Sól;1,005;C;1;1;0;0;1;0\r\n"
           "12;Mąka luz;0,48;A;590;2;0;0;1;0"));
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_EQ(w.Label2->text(), QString("Zaimportowano bazę towarów"));
    uint8_t r[GoodsField::WrittenSize];
    DbReadBytesAt(GoodsRecordOffset(12), r, sizeof r);
    EXPECT_EQ(BytesToString(r + 2, 42), Cp("Mąka luz"));   // the later line wins
    EXPECT_EQ(r[44], 'A');
    EXPECT_EQ(DbReadU32At(GoodsRecordOffset(12) + 45), 48u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r + 49), 13), "0000000000590");
    EXPECT_EQ(DbReadU32At(GoodsRecordOffset(13) + 45), 1999u);
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(13) + 44), 'B');
    EXPECT_EQ(DbReadStringAt(GoodsRecordOffset(13) + 49, 13), "0000000000000");
    EXPECT_EQ(DbReadU32At(GoodsRecordOffset(14) + 45), 101u);   // half up

    Import("Waluty\nNumer;Nazwa;Kurs;Symbol\n1;A;0004,5678;EUR\n2;B;00045678;USD\n3;C;4,5;X\n");
    const uint32_t c = TableOffsets.CurrencyTable;
    EXPECT_EQ(DbReadU32At(c + 22), 45678u);
    EXPECT_EQ(DbReadByteAt(c + 26), 4);
    EXPECT_EQ(DbReadU32At(c + 30 + 22), 45678u);
    EXPECT_EQ(DbReadByteAt(c + 30 + 26), 0);
    EXPECT_EQ(DbReadU32At(c + 60 + 22), 45u);
    EXPECT_EQ(DbReadByteAt(c + 60 + 26), 1);

    // Saved by an editor as UTF-8, with or without a byte-order mark.
    Import("Grupy\nNumer;Nazwa\n2;Mąka żytnia\n");
    EXPECT_EQ(DbReadStringAt(TableOffsets.GoodsGroupTable + 22 + 1, 21), Cp("Mąka żytnia"));
    Import("\xEF\xBB\xBF" "Formy płatności\nNumer;Nazwa;Typ\n3;Przelew;1\n");
    EXPECT_EQ(w.Label2->text(), QString("Zaimportowano bazę form płatności"));

    Import(Cp("FORMY PŁATNOŚCI\nNumer;Nazwa;Typ\n"));
    EXPECT_EQ(w.Label2->text(), QString("Zaimportowano bazę form płatności"));
    Import("Opakowania\nx\n1;Pierwsze;1,00;1\n20;Ostatnie;2,00;0\n");
    EXPECT_EQ(DbReadStringAt(TableOffsets.PackagingTable + 1, 42), "Pierwsze");
    EXPECT_EQ(DbReadStringAt(TableOffsets.PackagingTable + 912 + 1, 42), "Ostatnie");
}

TEST_F(CsvImportWindow, ABadFileChangesNothingAndNamesEveryLine)
{
    StoreGoods(1, QStringLiteral("Stary"), 100, "A", "1");
    App.DatabaseModified = 0;
    w.FormShow();
    w.Label2->setText("przed");
    const std::vector<uint8_t> before = ImageBytes();
    const std::string bad = std::string(GoodsHeader) +
                            "1;Dobry;1,00;A;1;1;0;0;1;0\n"      // 3: good, yet not written
                            "Chleb;1,00\n"                      // 4: number no integer
                            "2001x;A;1,00\n"                    // 5
                            "0;Zero;1,00;A;1;1;0;0;1;0\n"       // 6: out of range
                            "8001;Za duży;1,00;A;1;1;0;0;1;0\n" // 7
                            "2;Bajt;1,00;A;1;256;0;0;1;0\n"     // 8: byte wraps in the old program
                            "3;Kropka;1.234;A;1;1;0;0;1;0\n"    // 9: a dot
                            "4;Ujemna;-1,00;A;1;1;0;0;1;0\n"    // 10
                            "5;Duża;42949672,96;A;1;1;0;0;1;0\n" // 11
                            "6;Kod;1,00;A;12345678901234;1;0;0;1;0\n" // 12
                            "7;Pole;1,00;A;1;1;0;0;1;0;x\n"     // 13: a field too many
                            "8;Grupa;1,00;A;1;x;0;0;1;0\n" +    // 14
                            "9;" + std::string(700, 'a') + "\n"; // 15: too long
    Import(bad);
    ASSERT_EQ(prompts.Texts().size(), 1);
    const QString text = prompts.Texts().front();
    EXPECT_TRUE(text.startsWith("Plik zawiera błędy, nic nie zaimportowano.\n")) << text.toStdString();
    for (const char* part : {"Wiersz 4, kolumna \"Numer\": 'Chleb' is not a valid integer value",
                             "Wiersz 5, kolumna \"Numer\": '2001x' is not a valid integer value",
                             "Wiersz 6, kolumna \"Numer\": liczba spoza zakresu 1-8000",
                             "Wiersz 7, kolumna \"Numer\"", "Wiersz 8, kolumna \"Numer grupy\": liczba spoza zakresu 0-255",
                             "Wiersz 9, kolumna \"Cena\": '1.234' is not a valid floating point value",
                             "Wiersz 10, kolumna \"Cena\"", "Wiersz 11, kolumna \"Cena\"",
                             "Wiersz 12, kolumna \"Kod\": tekst dłuższy niż 13 znaków", "Wiersz 13: ",
                             "Wiersz 14, kolumna \"Numer grupy\": 'x' is not a valid integer value",
                             "Wiersz 15: wiersz dłuższy niż 700 znaków"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("Wiersz 3"));
    EXPECT_EQ(ImageBytes(), before);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_TRUE(w.Label2->text().isEmpty());
}

TEST_F(CsvImportWindow, RefusalsOfTheWholeFile)
{
    const std::vector<uint8_t> before = ImageBytes();
    Import("Klienci\nNumer\n1;x\n");
    EXPECT_EQ(prompts.Texts(), QStringList{"Nie rozpoznano bazy w pliku: Klienci"});
    Import("");
    EXPECT_EQ(prompts.Texts(), QStringList{"Nie rozpoznano bazy w pliku: "});
    Import("Grupy\nNumer;Nazwa\n2;Mąka\n3;Жито\n");
    EXPECT_EQ(prompts.Texts(), QStringList{"Plik zawiera błędy, nic nie zaimportowano.\n"
                                           "Wiersz 4: znaki spoza strony kodowej 1250: Жито"});

    prompts.Clear();
    prompts.OpenFile(QString::fromStdString(env.Path("nie-ma.csv")));
    w.BitBtn1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Nie mogę otworzyć pliku " + QString::fromStdString(env.Path("nie-ma.csv"))});

    // An unusable image is not read or written; no file is asked for.
    App.WorkMode = 0;
    prompts.Clear();
    w.BitBtn1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Brak otwartej bazy danych."});
    App.WorkMode = WorkModeDatabase;
    EXPECT_EQ(ImageBytes(), before);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_TRUE(w.Label2->text().isEmpty());
}

TEST(CsvImport, RefusalListsTwentyThenCounts)
{
    std::vector<CsvLineError> errors;
    for (int i = 0; i < 23; ++i)
        errors.push_back({i + 3, "Numer", "x"});
    const QString text = CsvImportRefusal(errors);
    EXPECT_EQ(text.count('\n'), 21);
    EXPECT_TRUE(text.endsWith("Wiersz 22, kolumna \"Numer\": x\n... i jeszcze 3 błędy."));
    errors.resize(21);
    EXPECT_TRUE(CsvImportRefusal(errors).endsWith("i jeszcze 1 błąd."));
    errors.resize(45);
    EXPECT_TRUE(CsvImportRefusal(errors).endsWith("i jeszcze 25 błędów."));
}

TEST_F(CsvImportWindow, DamagedFilesImportOrChangeNothing)
{
    FillExtremes();
    const std::string good = BuildCsvFile(CsvTable::Goods, Area(CsvTable::Goods));
    std::mt19937 rng(1234);
    const char alphabet[] = "0123456789;,.\n\r -ab\xb9";
    for (int round = 0; round < 150; ++round) {
        std::string file = good;
        for (int k = 0, n = int(rng() % 4) + 1; k < n; ++k) {
            const std::size_t at = rng() % file.size();
            switch (rng() % 3) {
            case 0: file[at] = alphabet[rng() % (sizeof alphabet - 1)]; break;
            case 1: file.erase(at, 1 + rng() % 5); break;
            default: file.insert(at, 1, alphabet[rng() % (sizeof alphabet - 1)]); break;
            }
        }
        App.DatabaseModified = 0;
        const std::vector<uint8_t> before = Area(CsvTable::Goods);
        Import(file);
        if (w.Label2->text().isEmpty()) {
            EXPECT_EQ(Area(CsvTable::Goods), before) << file;
            EXPECT_EQ(App.DatabaseModified, 0);
        }
    }
}
