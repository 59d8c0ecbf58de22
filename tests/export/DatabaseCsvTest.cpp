// The CSV export and import of the database window: each table's file byte for byte, both goods
// geometries, round trips of every table, the lines the import takes, the files it refuses whole,
// and the window's save, overwrite question and failed writes.
#include "core/DatabaseFiles.h"
#include "core/GoodsArea.h"
#include "export/DatabaseCsv.h"
#include "export/EksportBazy.h"
#include "tests/export/ExportTestUtil.h"

#include <QComboBox>
#include <filesystem>
#include <tuple>

namespace {

std::string Exported(CsvTable table) { return BuildCsvFile(table, ReadCsvArea(table)); }

const char* GoodsTitles =
    "Towary\nNumer;Nazwa;Cena;PTU;Kod;Numer grupy;Numer opakowania;Cena sztywna;Sprzedaz na sztuki;Indeks HALO\n";

// Every table with extremes (the new image holds cashier 1 "Kierownik" and group 1): u32
// prices, rates of 0 to 9 decimals, Polish letters, cp1250 pairs that are valid UTF-8 ("ĘŚ",
// "ÓŁ"), an empty VAT letter, thirteen "0", goods above the smaller model's 2000, and records
// past the slots a file holds.
void FillExtremes()
{
    const TableOffsetSet& t = TableOffsets;
    StoreGoods(1, "Żółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ, pełne 42 znaki!", 4294967295u, "G", "0000000000000");
    StoreGoods(7, "Woda", 0, "", "5907788");
    StoreGoods(2000, "Chleb żytni", 199, "A", "590");
    StoreGoods(2001, "Sól", 1, "A", "1234567890123");
    StoreGoods(8000, "Ostatni", 5, "B", "1234567890123", 255);
    StoreSmall(t.PackagingTable, PackagingRecordSize, 1, {Field("Butelka zwrotna", 42), U32(4294967295u), {1}});
    StoreSmall(t.PackagingTable, PackagingRecordSize, 20, {Field("Skrzynka", 42), U32(1550), {1}});
    StoreSmall(t.CashierTable, CashierRecordSize, 10, {Field("Łucja Źdźbło", 21), Field("0007", 4), {1, 0, 1, 0, 1, 0, 255}});
    StoreSmall(t.CashierTable, CashierRecordSize, 11, {Field("Ukryty", 21)});
    StoreSmall(t.GoodsGroupTable, GoodsGroupRecordSize, 20, {Field("GĘŚ i STÓŁ", 21)});
    StoreSmall(t.DiscountTable, DiscountRecordSize, 5, {Field("Narzut świąteczny", 21), {1, 0}, U32(4294967295u)});
    StoreSmall(t.PaymentFormTable, PaymentFormRecordSize, 4, {Field("Karta", 21), {1}});
    StoreSmall(t.PaymentFormTable, PaymentFormRecordSize, 12, {Field("Za daleko", 21), {1}});
    const std::pair<uint32_t, uint8_t> rates[] = {{45678, 4}, {45678, 0}, {987654321, 2}, {5, 9}, {4294967295u, 8}};
    for (uint8_t i = 0; i < 5; ++i)
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

TEST_F(CsvExportWindow, WritesTheChosenFileWholeAndOverwritesOnlyWhenAsked)
{
    // Texts an import would split are written as they are, and the user is told which.
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 4, {Field("Soki; wody", 21)});
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 7, {Field("Dwa\nwiersze", 21)});
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 8, {Field("Tab\tna", 21)});
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 9, {{'Z', 0x81}});  // a byte cp1250 leaves undefined
    Export(3, env.Path("grupy"));
    EXPECT_EQ(prompts.LastSaveInitial, QString("Bez nazwy_grupy.csv"));
    EXPECT_EQ(ReadWhole(env.Path("grupy.csv")),
              "Grupy\nNumer;Nazwa\n1;Grupa podstawowa\n4;Soki; wody\n7;Dwa\nwiersze\n8;Tab\tna\n9;Z\x81\n");
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Teksty rekordów o numerach 4, 7, 8, 9 zawierają znak ';', znak sterujący "
                                               "(np. koniec wiersza) lub bajt spoza strony kodowej 1250. "
                                               "Import tego pliku ich nie przyjmie."});
    // A file whose cp1250 bytes read as UTF-8 of characters cp1250 has would come back changed.
    DbZeroFillAt(TableOffsets.GoodsGroupTable + 3 * GoodsGroupRecordSize, 6 * GoodsGroupRecordSize);
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 4, {Field("XÄ…", 21)});
    EXPECT_EQ(CsvNotReadBackWarning(CsvTable::Groups, ReadCsvArea(CsvTable::Groups)),
              "Cały plik jest zarazem poprawnym tekstem UTF-8: import odczyta go jako UTF-8 i jego teksty wrócą "
              "zmienione.");
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 5, {Field("GĘŚ Ä…", 21)});   // 2 of 3 letters
    EXPECT_FALSE(CsvNotReadBackWarning(CsvTable::Groups, ReadCsvArea(CsvTable::Groups)).isEmpty());
    StoreSmall(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 6, {Field("STÓŁ", 21)});     // 2 of 4
    EXPECT_TRUE(CsvNotReadBackWarning(CsvTable::Groups, ReadCsvArea(CsvTable::Groups)).isEmpty());
    EXPECT_EQ(w.Label5->text(), QString("Wyeksportowano bazę grup towarowych"));
    EXPECT_EQ(App.DatabaseModified, 0);
    for (uint16_t plu = 1; plu <= 21; ++plu)
        StoreGoods(plu, "Sok;jabłkowy", 100, "A", "");
    EXPECT_TRUE(CsvNotReadBackWarning(CsvTable::Goods, ReadCsvArea(CsvTable::Goods))
                    .contains("numerach 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20 (i jeszcze 1) zawierają"));

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
    EXPECT_EQ(prompts.TakeTexts().size(), 2);  // the question again, no warning for a clean table
    // A link that names nothing is still something the save would replace.
    std::filesystem::remove(target);
    std::filesystem::create_symlink(target + ".nikt", target);
    prompts.Answer(PromptAnswer::No);
    Export(2, target);
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Plik " + QString::fromStdString(target) + " już istnieje. Kontynuować? "});
    EXPECT_TRUE(std::filesystem::is_symlink(target));
    EXPECT_FALSE(std::filesystem::exists(target + ".nikt"));
    std::filesystem::remove(target);

    // Failed writes and unusable images leave the old file.
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(env.Folder()), {}), 3);  // image, old file, groups
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
}

// Each table's file byte for byte; imported into another image they give back the same bytes.
TEST_F(CsvImportWindow, EveryTableExportsByteForByteAndComesBack)
{
    FillExtremes();
    const std::string expected[CsvTableCount] = {
        Cp(GoodsTitles) + Cp("1;Żółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ, pełne 42 znaki!;42949672,95;G;0000000000000;1;2;1;0;9\n"
                             "7;Woda;0,00;;0000005907788;1;2;1;0;9\n2000;Chleb żytni;1,99;A;0000000000590;1;2;1;0;9\n"
                             "2001;Sól;0,01;A;1234567890123;1;2;1;0;9\n8000;Ostatni;0,05;B;1234567890123;255;2;1;0;9\n"),
        "Opakowania\nNumer;Nazwa;Cena;Cena sztywna\n1;Butelka zwrotna;42949672,95;1\n20;Skrzynka;15,50;1\n",
        Cp("Kasjerzy\nNumer;Nazwa;Hasło;Rap. niezerujące;Rap. zerujące;Rab. z ręki;Rab. z bazy;Anul. parag.;"
           "Storno;Wpłaty/wypłaty\n1;Kierownik;9473;1;1;1;1;1;1;1\n10;Łucja Źdźbło;0007;1;0;1;0;1;0;255\n"),
        Cp("Grupy\nNumer;Nazwa\n1;Grupa podstawowa\n20;GĘŚ i STÓŁ\n"),
        Cp("Rabaty i narzuty\nNumer;Nazwa;Rodzaj 0-R 1-N;Typ 0-proc. 1-kwot.;Wartość (x100)\n"
           "5;Narzut świąteczny;1;0;42949672,95\n"),
        Cp("Formy płatności\nNumer;Nazwa;Typ\n4;Karta;1\n"),
        Cp("Waluty\nNumer;Nazwa;Kurs;Symbol\n1;Waluta;0004,5678;ZŁ\n2;Waluta;00045678;ZŁ\n3;Waluta;9876543,21;ZŁ\n"
           "4;Waluta;0,000000005;ZŁ\n5;Waluta;42,94967295;ZŁ\n")};
    for (int t = 0; t < CsvTableCount; ++t)
        EXPECT_EQ(Exported(CsvTable(t)), expected[t]) << t;
    EXPECT_EQ(DefaultCsvFileName("sklep.rkb", CsvTable::PaymentForms), "sklep_formy_plat.csv");
    EXPECT_EQ(DefaultCsvFileName("rkb_baza", CsvTable::Currencies), "rkb_baza_waluty.csv");

    // Goods names holding every byte a name may hold in a file (not the five cp1250 leaves undefined).
    std::string bytes;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (b != ';' && b != 0x7F && std::string_view("\x81\x83\x88\x90\x98").find(char(b)) == std::string_view::npos)
            bytes += char(b);
    for (uint16_t plu = 10; !bytes.empty(); ++plu, bytes.erase(0, 42))
        WriteGoodsRecordToImage({plu, bytes.substr(0, 42), "A", 1, "", 1, 2, 1, 0, 9, 3});
    std::vector<std::string> files;
    for (int t = 0; t < CsvTableCount; ++t)
        files.push_back(Exported(CsvTable(t)));
    // A fresh image holding other records, some under the files' numbers.
    ASSERT_EQ(CreateDatabaseImage(), 0);
    StoreGoods(3, "Inny", 7, "B", "77", 1, 5);
    StoreGoods(1, "Nadpisany", 7, "B", "77", 1, 4);
    StoreSmall(TableOffsets.PackagingTable, PackagingRecordSize, 2, {Field("Inne", 42)});
    App.DatabaseModified = 0;
    for (int t = 0; t < CsvTableCount; ++t) {
        Import(files[std::size_t(t)]);
        EXPECT_TRUE(prompts.Texts().isEmpty()) << t << prompts.Texts().join('|').toStdString();
        EXPECT_EQ(w.Label2->text(), QString::fromUtf8(CsvFormat(CsvTable(t)).ImportedText));
        // Every byte of a record but the goods unit is in its line: the same file again, but for
        // the records the file does not hold.
        std::string now = Exported(CsvTable(t));
        for (const std::string kept : {"3;Inny;0,07;B;0000000000077;1;2;1;0;9\n", "2;Inne;0,00;0\n"})
            if (const auto at = now.find(kept); at != std::string::npos)
                now.erase(at, kept.size());
        EXPECT_EQ(now, files[std::size_t(t)]) << t;
    }
    EXPECT_EQ(App.DatabaseModified, 1);
    // Records the files do not hold stay; goods keep the unit of their slot.
    EXPECT_EQ(DbReadStringAt(GoodsRecordOffset(3) + GoodsField::Name, 42), "Inny");
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(3) + GoodsField::Unit), 5);
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(1) + GoodsField::Unit), 4);
    EXPECT_EQ(DbReadStringAt(TableOffsets.PackagingTable + PackagingRecordSize + 1, 42), "Inne");

    // Under the smaller model the goods above its 2000 are left out with the model change's
    // notice; a bad line among them still refuses the file.
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = TepoDuxGoodsRecordSize;
    ASSERT_EQ(CreateDatabaseImage(), 0);
    Import(files[0] + "2500;Zły;x\n");
    EXPECT_EQ(prompts.Texts(), QStringList{"Plik zawiera błędy, nic nie zaimportowano.\n"
                                           "Wiersz 14, kolumna \"Cena\": 'x' is not a valid floating point value"});
    Import(files[0]);
    EXPECT_EQ(prompts.Texts(), QStringList{"Ta kasa mieści 2000 towarów. Towary o wyższych numerach (2) pominięto w bazie."});
    EXPECT_EQ(w.Label2->text(), QString("Zaimportowano bazę towarów"));
    EXPECT_EQ(Exported(CsvTable::Goods), files[0].substr(0, files[0].find("\n2001;") + 1));
}

TEST_F(CsvImportWindow, ABadFileChangesNothingAndNamesEveryLineButEditorFilesAreTaken)
{
    App.DatabaseModified = 0;
    const std::vector<uint8_t> before = ImageBytes();
    // Each bad line from line 4 on, and what the refusal says of it; the good line 3 is not written.
    const std::pair<std::string, std::string> lines[] = {
        {"Chleb;1,00", ", kolumna \"Numer\": 'Chleb' is not a valid integer value"},
        {"0;Zero;1,00;A;1;1;0;0;1;0", ", kolumna \"Numer\": liczba spoza zakresu 1-8000"},
        {"8001;Za duży;1,00;A;1;1;0;0;1;0", ", kolumna \"Numer\": liczba spoza zakresu 1-8000"},
        {"2;Bajt;1,00;A;1;256;0;0;1;0", ", kolumna \"Numer grupy\": liczba spoza zakresu 0-255"},   // the old program wrapped it
        {"3;Kropka;1.234;A;1;1;0;0;1;0", ", kolumna \"Cena\": '1.234' is not a valid floating point value"},
        {"4;Ujemna;-1,00;A;1;1;0;0;1;0", ", kolumna \"Cena\": kwota spoza zakresu 0,00-42949672,95"},
        {"5;Duża;42949672,96;A;1;1;0;0;1;0", ", kolumna \"Cena\": kwota spoza zakresu 0,00-42949672,95"},
        {"6;Kod;1,00;A;12345678901234;1;0;0;1;0", ", kolumna \"Kod\": tekst dłuższy niż 13 znaków"},
        {"7;Pole;1,00;A;1;1;0;0;1;0;x", ": więcej pól niż kolumn (10), czy nazwa nie zawiera znaku ';'?"},
        {"8;Grupa;1,00;A;1;x;0;0;1;0", ", kolumna \"Numer grupy\": 'x' is not a valid integer value"},
        {"9;" + std::string(700, 'a'), ": wiersz dłuższy niż 700 znaków"},
        {"10;Жито;1,00;A;1;1;0;0;1;0", ": znaki spoza strony kodowej 1250: Жито"},
        {"11;Znaki;\x01\t" + std::string(45, '9') + ";A;1;1;0;0;1;0",   // quoted short
         ", kolumna \"Cena\": '\\x01\\x09" + std::string(38, '9') + "...' is not a valid floating point value"},
    };
    std::string bad = "\xEF\xBB\xBFTowary\nx\n1;Dobry;1,00;A;1;1;0;0;1;0\n";
    std::string refusal = "Plik zawiera błędy, nic nie zaimportowano.";
    int number = 4;
    for (const auto& [line, error] : lines) {
        bad += line + "\n";
        refusal += "\nWiersz " + std::to_string(number++) + error;
    }
    Import(bad);
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromStdString(refusal)});
    EXPECT_TRUE(CsvImportRefusal(std::vector<CsvLineError>(23, {1, {}, "x"})).endsWith("\nWiersz 1: x\n... i jeszcze 3 błędy."));
    Import("Klienci\x01\nNumer\n1;x\n");
    EXPECT_EQ(prompts.Texts(), QStringList{"Nie rozpoznano bazy w pliku: Klienci\\x01"});
    Import("");
    std::filesystem::resize_file(env.Path("in.csv"), CsvFileMax + 1);  // refused unread
    for (const char* name : {"in.csv", "nie-ma.csv"}) {
        prompts.OpenFile(QString::fromStdString(env.Path(name)));
        w.BitBtn1Click();
    }
    App.WorkMode = 0;   // no file is asked for without a usable image
    w.BitBtn1Click();
    App.WorkMode = WorkModeDatabase;
    EXPECT_EQ(prompts.Texts(), (QStringList{"Nie rozpoznano bazy w pliku: ",
                                            "Plik " + QString::fromStdString(env.Path("in.csv")) +
                                                " jest za duży na plik bazy danych (ponad 16 MB).",
                                            "Nie mogę otworzyć pliku " + QString::fromStdString(env.Path("nie-ma.csv")),
                                            "Brak otwartej bazy danych."}));
    EXPECT_EQ(ImageBytes(), before);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_TRUE(w.Label2->text().isEmpty());

    // Lower-case title, CR LF, a trailing ';', blank lines anywhere, blanks around numbers, no
    // final LF, the later of two lines wins, and the conversions of the file format.
    Import(Cp("towary\r\nNumer;Nazwa\r\n\r\n 12 ;Mąka;0,47;;590; 2;0;0;1;0;\r\n;;;\r\n"
              "13;Cukier;19,99;B;;1;0;0;1;0\r\n14;Sól;1,005;C;1;1;0;0;1;0\r\n12;Mąka luz;0,48;A;590;2;0;0;1;0"));
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_EQ(w.Label2->text(), QString("Zaimportowano bazę towarów"));
    EXPECT_EQ(Exported(CsvTable::Goods), Cp(GoodsTitles) + Cp("12;Mąka luz;0,48;A;0000000000590;2;0;0;1;0\n"
                                                              "13;Cukier;19,99;B;0000000000000;1;0;0;1;0\n"
                                                              "14;Sól;1,01;C;0000000000001;1;0;0;1;0\n"));  // half up

    Import("Waluty\nNumer;Nazwa;Kurs;Symbol\n3;C;4,5;X\n");
    EXPECT_EQ(DbReadU32At(TableOffsets.CurrencyTable + 60 + 22), 45u);
    EXPECT_EQ(DbReadByteAt(TableOffsets.CurrencyTable + 60 + 26), 1);
    Import("\xEF\xBB\xBF" "Formy płatności\nNumer;Nazwa;Typ\n3;Przelew ąę;1\n");
    EXPECT_EQ(DbReadStringAt(TableOffsets.PaymentFormTable + 2 * 23 + 1, 21), Cp("Przelew ąę"));
}

// Unmarked, a file is UTF-8 when all of it is and cp1250 has more than half of its letters
// beyond ASCII; else cp1250, so that the program's own files come back as they were.
TEST_F(CsvImportWindow, AFileIsUtf8WhenMarkedOrWhenMostOfItsLettersFitCp1250)
{
    const std::string refused = "Plik zawiera błędy, nic nie zaimportowano.\nWiersz ";
    const std::tuple<std::string, std::string, std::string> names[] = {   // group 2's name in the file, as stored or refused
        {"Mąka żółć €", Cp("Mąka żółć €"), ""},
        {Cp("GĘŚ i STÓŁ"), Cp("GĘŚ i STÓŁ"), ""},   // valid UTF-8 of letters cp1250 lacks
        {Cp("XÄ…"), Cp("Xą"), ""},                  // valid UTF-8 of letters cp1250 has
        {"ż\xC5", "\xC5\xBC\xC5", ""},              // invalid UTF-8 after a valid part
        {"Mąka żółć\n3;Panel 1 m²", "", refused + "4: znaki spoza strony kodowej 1250: ²"},
        {"Mąka ż 😀", "", refused + "3: znaki spoza strony kodowej 1250: 😀"},   // 2 letters of 3
        {"Mąka ж", "M\xC4\x85ka \xD0\xB6", ""},     // half is not more than half
    };
    for (const auto& [name, stored, refusal] : names) {
        Import("Grupy\nNumer;Nazwa\n2;" + name + "\n");
        EXPECT_EQ(prompts.Texts().join('|').toStdString(), refusal) << name;
        if (refusal.empty()) {
            EXPECT_EQ(DbReadStringAt(TableOffsets.GoodsGroupTable + 22 + 1, 21), stored) << name;
        }
    }
}

// Control characters and the bytes cp1250 leaves undefined refuse the file from every kind of text
// field, each line and column named; a good line before them is not written either.
TEST_F(CsvImportWindow, ControlCharactersAndUndefinedBytesInTextsRefuseTheFile)
{
    App.DatabaseModified = 0;
    const std::vector<uint8_t> before = ImageBytes();
    const std::pair<std::string, std::string> texts[] = {
        {"A\x01" "B\x07" "C\x1b" "D\x1f\x7f", "znaki sterujące: \\x01 \\x07 \\x1b \\x1f \\x7f"},
        {std::string("a\0\tb\rc", 6), "znaki sterujące: \\x00 \\x09 \\x0d"},
        {"\x81\x83\x88\x90\x98\x81", "bajty spoza strony kodowej 1250: \\x81 \\x83 \\x88 \\x90 \\x98"},
        {"\x98\x01", "znaki sterujące: \\x01, bajty spoza strony kodowej 1250: \\x98"},
    };
    const std::pair<std::string, std::string> columns[] = {   // a line of the text kinds, '%' the field
        {"Nazwa", "21;%;1,00;A;590;1;0;0;1;0"}, {"PTU", "21;M;1,00;%;590;1;0;0;1;0"}, {"Kod", "21;M;1,00;A;%;1;0;0;1;0"}};
    std::string file = "Towary\nx\n20;Dobry;1,00;A;590;1;0;0;1;0\n";
    std::string refusal = "Plik zawiera błędy, nic nie zaimportowano.";
    int number = 4;
    for (const auto& [title, line] : columns)
        for (const auto& [text, reason] : texts) {
            file += std::string(line).replace(line.find('%'), 1, text) + "\n";
            refusal += "\nWiersz " + std::to_string(number++) + ", kolumna \"" + title + "\": " + reason;
        }
    Import(file);
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromStdString(refusal)});
    Import("\xEF\xBB\xBF" "Grupy\nNumer;Nazwa\n2;A\xC2\x81\n");   // U+0081 in UTF-8
    EXPECT_EQ(prompts.Texts(), QStringList{"Plik zawiera błędy, nic nie zaimportowano.\n"
                                           "Wiersz 3, kolumna \"Nazwa\": bajty spoza strony kodowej 1250: \\x81"});
    EXPECT_EQ(ImageBytes(), before);
    EXPECT_EQ(App.DatabaseModified, 0);
}
