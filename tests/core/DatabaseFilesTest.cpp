#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/StatusHook.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/OtherUser.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The default image, laid out here from the table starts as literals.
std::vector<uint8_t> ExpectedDefaultImage(const std::string& symbol)
{
    std::vector<uint8_t> b(ImageSize, 0);
    std::memcpy(b.data(), "ORVA_TEPO_V_2_00    ", 20);
    b[20] = 1;
    b[669560] = 1;
    std::memcpy(&b[669561], "Kierownik", 9);
    std::memcpy(&b[669582], "9473", 4);
    for (int i = 0; i < 7; ++i)
        b[669586 + i] = 1;
    b[672573] = 1;
    std::memcpy(&b[672574], "Grupa podstawowa", 16);
    std::memcpy(&b[673032], symbol.data(), 3);
    const uint8_t vat[21] = {'A', 0xFC, 0x08, 'B', 0x20, 0x03, 'C', 0, 0, 'D', 0xF4, 0x01,
                             'E', 0xFE, 0xFF, 'F', 0xFE, 0xFF, 'G', 0xFF, 0xFF};
    std::memcpy(&b[671280], vat, sizeof vat);
    const uint32_t halo[10] = {0, 100, 200, 500, 1000, 2000, 3000, 5000, 10000, 50000};
    for (int i = 0; i < 10; ++i)
        for (int k = 0; k < 4; ++k)
            b[677060 + i * 4 + k] = uint8_t(halo[i] >> (8 * k));
    return b;
}

// Some content in every kind of table, so that a lost or shifted byte shows.
void FillSomeRecords()
{
    GoodsRecordFields g{1, "Masło \xB9", "A", 1001, "5907788"};
    ASSERT_EQ(WriteGoodsRecordToImage(g), 0);
    g.Plu = 8000;
    ASSERT_EQ(WriteGoodsRecordToImage(g), 0);
    DbWritePaddedStringAt(TableOffsets.DiscountTable + 1, "Rabat", 0, 21);
    DbWriteByteAt(TableOffsets.DiscountTable, 1);
    DbWriteU32At(TableOffsets.HaloBlock + 36, 123456);
    DbWriteByteAt(ImageSize - 1, 0x5A);
}

std::vector<uint8_t> Tail(const std::vector<uint8_t>& bytes) { return {bytes.begin() + 16, bytes.end()}; }

std::vector<std::string> TempLeftovers(const std::string& folder)
{
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.path().filename().string().find(".tmp") != std::string::npos)
            out.push_back(e.path().string());
    return out;
}

} // namespace

TEST(NewImage, HoldsTheDefaultContentByteForByte)
{
    TestEnvironment env(false);
    // A longer working file left from before is replaced whole.
    WriteFileBytes(env.Path("BDTemp.bdt"), std::vector<uint8_t>(900000, 0xEE));
    ASSERT_EQ(CreateDatabaseImage(), 0);
    EXPECT_EQ(FileBytes(env.Path("BDTemp.bdt")), ExpectedDefaultImage("PLN"));
    EXPECT_EQ(fs::path(DatabaseImage.Path()), fs::path(env.Folder()) / "BDTemp.bdt");
    EXPECT_TRUE(DatabaseImage.Usable());

    App.RecordCurrencySymbol = " EU";
    ASSERT_EQ(CreateDatabaseImage(), 0);
    EXPECT_EQ(ImageBytes(), ExpectedDefaultImage(" EU"));
}

TEST(FileNames, FoldersOfEitherKindAreStripped)
{
    for (const char* path : {"C:\\Bazy\\x.rkb", "/home/ela/bazy/x.rkb", "C:\\Bazy/inne\\x.rkb", "x.rkb"})
        EXPECT_EQ(FileNameOfPath(path), "x.rkb") << path;
}

TEST(DatabaseFile, SaveThenLoadGivesTheSameImageWhateverItsMagic)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    int refreshes = 0;
    SetStatusRefreshHook([&] { ++refreshes; });
    FillSomeRecords();
    App.DatabaseModified = 1;
    const auto saved = ImageBytes();

    const std::string file = env.Path("sklep.rkb");
    prompts.SaveFile(QString::fromStdString(file));
    SaveDatabaseFile();
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromStdString("Zapisano plik " + file)});
    EXPECT_EQ(refreshes, 1);
    auto fileBytes = FileBytes(file);
    ASSERT_EQ(fileBytes.size(), DatabaseFileSize);
    EXPECT_EQ(Text(fileBytes, 0, 16), "ORVA_RIVO_V_2_00");
    EXPECT_EQ(Tail(fileBytes), Tail(saved));
    EXPECT_TRUE(TempLeftovers(env.Folder()).empty());

    // Another database in between, then the file back.
    ASSERT_EQ(CreateDatabaseImage(), 0);
    App.CurrentDatabaseFileName = "Bez nazwy";
    App.WorkMode = WorkModeRegister;
    App.DatabaseModified = 1;
    ASSERT_EQ(LoadDatabaseFile(file), 0);
    EXPECT_EQ(ImageBytes(), fileBytes);
    EXPECT_EQ(DatabaseState(), "sklep.rkb mode 3 modified 1 saved 1");  // saved above
    EXPECT_EQ(refreshes, 2);
    // Any magic is loaded and kept in the image.
    std::memcpy(fileBytes.data(), "BAZA SERWISOWA01", 16);
    WriteFileBytes(file, fileBytes);
    ASSERT_EQ(LoadDatabaseFile(file), 0);
    EXPECT_EQ(ImageBytes(), fileBytes);
    EXPECT_EQ(prompts.Texts().size(), 1);
    SetStatusRefreshHook(nullptr);
}

namespace {

std::string WrongLength(int size)
{
    return "Plik bazy danych ma złą długość (" + std::to_string(size) + " bajtów zamiast 805000). Nie wczytano bazy.";
}

// The load's refusal when no working image can be written in folder.
std::string NoWorkingImage(const std::string& folder, const std::string& why)
{
    return "Nie można utworzyć bazy roboczej w folderze " + folder + ": " + why + ". Nie wczytano bazy.";
}

const char* const OldFormat =
    "Plik zapisano w starym formacie ORVA_RIVO_V_1_01, którego program nie może przekształcić. Nie wczytano bazy.";

} // namespace

TEST(DatabaseFile, RefusedOrUnloadableFilesLeaveTheOpenDatabaseAsItWas)
{
    enum Trouble { None, DiskFull, NoWorkingFile };
    struct Case {
        long long Size;  // -1: no file at all; -2: a folder
        const char* Magic;
        std::string Message;  // with trouble in the working folder, why
        Trouble During = None;
    };
    const Case cases[] = {{804999, "ORVA_RIVO_V_2_00", WrongLength(804999)},
                          {805001, "ORVA_RIVO_V_2_00", WrongLength(805001)},
                          {0, "", WrongLength(0)},
                          {805000, "ORVA_RIVO_V_1_01", OldFormat},
                          {541000, "ORVA_RIVO_V_1_01", OldFormat},
                          {-1, "", "Nie można odczytać pliku bazy danych."},
                          {-2, "", "Nie można odczytać pliku bazy danych."},
                          {805000, "ORVA_RIVO_V_2_00", "brak miejsca na dysku", DiskFull},
                          {805000, "ORVA_RIVO_V_2_00", "w miejscu pliku BDTemp.bdt jest folder", NoWorkingFile}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Size) + " " + std::to_string(c.During));
        TestEnvironment env;
        ScriptedPrompts prompts;
        FillSomeRecords();
        App.CurrentDatabaseFileName = "moja.rkb";
        App.WorkMode = WorkModeRegister | WorkModeDatabase;
        const auto before = ImageBytes();

        const std::string path = env.Path("x.rkb");
        if (c.Size == -2)
            fs::create_directory(path);
        if (c.Size >= 0) {
            std::vector<uint8_t> bytes(std::size_t(c.Size), 0);
            if (!bytes.empty())
                std::memcpy(bytes.data(), c.Magic, std::min<std::size_t>(16, bytes.size()));
            WriteFileBytes(path, bytes);
        }
        {
            std::optional<FileSizeLimit> full;
            std::optional<BrokenTempFolder> broken;
            if (c.During == DiskFull)
                full.emplace(100000);
            if (c.During == NoWorkingFile)
                broken.emplace(env);
            EXPECT_EQ(LoadDatabaseFile(path), 1);
        }
        const std::string message =
            c.During == None ? c.Message
                             : NoWorkingImage(c.During == DiskFull ? env.Folder() : env.Path("broken"), c.Message);
        EXPECT_EQ(prompts.Texts(), QStringList{QString::fromStdString(message)});
        EXPECT_EQ(ImageBytes(), before);
        EXPECT_EQ(FileBytes(DatabaseImage.Path()), before);
        EXPECT_TRUE(TempLeftovers(env.Folder()).empty());
        EXPECT_EQ(DatabaseState(), "moja.rkb mode 3 modified 0 saved 0");
    }
}

TEST(DatabaseFile, DeclinedOrFailedSavesKeepTheOldFileAndTheStateAndLinksAreWrittenThrough)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    const std::string file = env.Path("stara.rkb");
    const std::vector<uint8_t> old(DatabaseFileSize, 0x33);
    WriteFileBytes(file, old);
    App.DatabaseModified = 1;
    App.CurrentDatabaseFileName = "Sklep";

    prompts.SaveFile(QString::fromStdString(file));
    prompts.Answer(PromptAnswer::No);
    SaveDatabaseFile();
    EXPECT_EQ(prompts.Texts(),
              QStringList{QString::fromStdString("Plik " + file + " już istnieje. Kontynuować? ")});
    EXPECT_EQ(prompts.LastSaveInitial, "Sklep");
    EXPECT_EQ(prompts.LastSaveTitle, "Zapisz bazę danych do pliku");

    // Cancelling the dialog asks nothing and shows nothing.
    prompts.Clear();
    prompts.SaveFile(QString());
    SaveDatabaseFile();
    EXPECT_TRUE(prompts.Texts().isEmpty());

    {   // the disk fills up part way through
        FileSizeLimit full(100000);
        prompts.SaveFile(QString::fromStdString(file));
        prompts.Answer(PromptAnswer::Yes);
        SaveDatabaseFile();
    }
    // a target in a folder that does not exist
    prompts.SaveFile(QString::fromStdString(env.Path("brak/nowa.rkb")));
    SaveDatabaseFile();
    // a folder where the file should be
    fs::create_directory(env.Path("folder.rkb"));
    prompts.SaveFile(QString::fromStdString(env.Path("folder.rkb")));
    prompts.Answer(PromptAnswer::Yes);
    SaveDatabaseFile();

    EXPECT_EQ(prompts.Messages(), QStringList({"Wystąpił błąd zapisu", "Nie mogę otworzyć pliku docelowego",
                                               "Nie mogę otworzyć pliku docelowego"}));
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_TRUE(TempLeftovers(env.Folder()).empty());
    EXPECT_EQ(DatabaseState(), "Sklep mode 1 modified 1 saved 0");

    // Yes replaces it; a name typed without ".rkb" gets it (and so finds the same file).
    prompts.SaveFile(QString::fromStdString(env.Path("stara")));
    prompts.Answer(PromptAnswer::Yes);
    SaveDatabaseFile();
    EXPECT_EQ(Text(FileBytes(file), 0, 16), "ORVA_RIVO_V_2_00");
    EXPECT_FALSE(fs::exists(env.Path("stara")));
    EXPECT_EQ(DatabaseState(), "stara.rkb mode 1 modified 0 saved 1");

    prompts.SaveFile(QString::fromStdString(env.Path("NOWA.RKB")));
    SaveDatabaseFile();
    EXPECT_TRUE(fs::exists(env.Path("NOWA.RKB")));
    EXPECT_FALSE(fs::exists(env.Path("NOWA.RKB.rkb")));

    // Without a usable image nothing is written and the database mode goes.
    prompts.Clear();
    App.WorkMode = WorkModeRegister | WorkModeDatabase;
    App.DatabaseModified = 1;
    App.DatabaseSaved = 0;
    DatabaseImage.MarkFailed();
    prompts.SaveFile(QString::fromStdString(env.Path("nowa.rkb")));
    SaveDatabaseFile();
    EXPECT_EQ(prompts.Texts(), QStringList{"Plik z bazą nie jest otwarty."});
    EXPECT_FALSE(fs::exists(env.Path("nowa.rkb")));
    EXPECT_EQ(DatabaseState(), "NOWA.RKB mode 2 modified 1 saved 0");

    // A link of this user's own gets its target written; another user's link is replaced.
    ASSERT_EQ(CreateDatabaseImage(), 0);
    const std::string link = env.Path("link.rkb");
    for (bool foreign : {false, true}) {
        if (foreign && ::geteuid() != 0)
            GTEST_SKIP() << "needs root to give the link to a second user";
        WriteFileBytes(file, old);
        fs::remove(link);
        fs::create_symlink("stara.rkb", link);
        ASSERT_TRUE(!foreign || ::lchown(link.c_str(), 65534, 65534) == 0);
        EXPECT_EQ(WriteDatabaseFile(link), 0);
        EXPECT_EQ(fs::is_symlink(link), !foreign);
        EXPECT_EQ(FileBytes(file) == old, foreign);
        EXPECT_EQ(Text(FileBytes(link), 0, 16), "ORVA_RIVO_V_2_00");
        EXPECT_TRUE(TempLeftovers(env.Folder()).empty());
    }
}

TEST(WholeFileWriter, TheNewFileTakesOnlyTheModeOfTheRegularFileItReplaces)
{
    TestEnvironment env(false);
    const mode_t mask = ::umask(022);
    enum Before { Nothing, Regular, OwnLink, ForeignLink, ForeignRegular };
    const struct {
        Before What;
        mode_t Old, Expected;  // of the file replaced or the link names; of the file written
    } cases[] = {{Nothing, 0, 0644},        {Regular, 07640, 0640},     {OwnLink, 02750, 0750},
                 {ForeignLink, 0600, 0644}, {ForeignRegular, 0666, 0644}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(i);
        if ((c.What == ForeignLink || c.What == ForeignRegular) && !RunningAsRoot())
            continue;  // giving the link or file to a second user needs root
        const std::string path = env.Path("sklep" + std::to_string(i)), named = path + ".atk";
        const std::string old = c.What == Regular || c.What == ForeignRegular ? path : named;
        const std::string written = c.What == OwnLink ? named : path;
        if (c.What != Nothing) {
            WriteWhole(old, "stary");
            ASSERT_EQ(::chmod(old.c_str(), c.Old), 0);
        }
        if (c.What == OwnLink || c.What == ForeignLink)
            fs::create_symlink(named, path);
        ASSERT_TRUE(c.What != ForeignLink || ::lchown(path.c_str(), OtherUid, OtherUid) == 0);
        ASSERT_TRUE(c.What != ForeignRegular || ::chown(path.c_str(), OtherUid, OtherUid) == 0);
        const uint8_t bytes[] = {'n', 'o', 'w', 'y'};
        // Until its bytes are written the temporary is private: a save killed part way leaves it so.
        EXPECT_EQ(InChild([&] {
                      FileSizeLimit crash(2, true);
                      return int(WriteFileWhole(path, bytes, sizeof bytes, false));
                  }),
                  -1);
        const auto left = TempLeftovers(env.Folder());
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(fs::status(left[0]).permissions(), fs::perms::owner_read | fs::perms::owner_write);
        fs::remove(left[0]);
        ASSERT_EQ(WriteFileWhole(path, bytes, sizeof bytes, false), WholeWrite::Ok);
        struct stat st {};
        ASSERT_EQ(::lstat(written.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.Expected);
        EXPECT_EQ(ReadWhole(written), "nowy");
        EXPECT_EQ(ReadWhole(named), c.What == ForeignLink ? "stary" : c.What == OwnLink ? "nowy" : "");
    }
    ::umask(mask);
}

TEST(WholeFileWriter, PlantedTemporaryNamesNeitherBlockASaveNorAreWrittenThrough)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    const std::string file = env.Path("sklep.rkb"), victim = env.Path("ofiara");
    WriteWhole(victim, "cudze");
    // Every name a pid and a counter could give, linked to another file.
    for (int i = 0; i <= 300; ++i)
        fs::create_symlink(victim, file + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(i));
    EXPECT_EQ(WriteDatabaseFile(file), 0);
    EXPECT_EQ(FileBytes(file).size(), DatabaseFileSize);
    EXPECT_EQ(ReadWhole(victim), "cudze");
}

TEST(WorkingImage, IsNeverWrittenThroughALinkAndWithoutAFolderTheLoadSaysWhichAndWhy)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EnvGuard guard({"TEMP", "XDG_RUNTIME_DIR"});
    // Even a link of this user's own in the working folder is replaced, not followed.
    const std::string image = env.Path("BDTemp.bdt"), victim = env.Path("root.conf");
    WriteWhole(victim, "tajne");
    fs::remove(image);
    fs::create_symlink(victim, image);
    ASSERT_EQ(CreateDatabaseImage(), 0);
    EXPECT_FALSE(fs::is_symlink(image));
    EXPECT_TRUE(ReadWhole(victim) == "tajne");  // not written through
    EXPECT_EQ(ImageBytes(), ExpectedDefaultImage("PLN"));

    // The image is kept by the descriptor it was written through: a working file left read-only
    // lends the new one its mode, and the new one could not be opened for writing again.
    const std::string kept = env.Path("kept");
    fs::create_directory(kept);
    ASSERT_TRUE(!RunningAsRoot() ||
                (::chmod(env.Folder().c_str(), 0711) == 0 && ::chown(kept.c_str(), OtherUid, OtherUid) == 0));
    EXPECT_TRUE(WherePermissionsBind([&] {
        ::setenv("TEMP", kept.c_str(), 1);
        WriteWhole(kept + "/BDTemp.bdt", "stary");
        ::chmod((kept + "/BDTemp.bdt").c_str(), 0400);
        const bool made = CreateDatabaseImage() == 0;
        DbWriteU32At(TableOffsets.HaloBlock, 777);
        return made && DatabaseImage.Usable() && DbReadU32At(TableOffsets.HaloBlock) == 777;
    }));

    if (!RunningAsRoot())
        GTEST_SKIP() << "needs root to give the process a read-only /tmp";
    ::unsetenv("TEMP");
    ::unsetenv("XDG_RUNTIME_DIR");
    std::vector<uint8_t> file(DatabaseFileSize, 0);
    std::memcpy(file.data(), DatabaseFileMagic, 16);
    const std::string expected = "Nie można utworzyć bazy roboczej w folderze /tmp/Rivo_Tmp-" + std::to_string(::getuid()) +
                                 ": system plików tylko do odczytu. Nie wczytano bazy.";
    const std::optional<bool> said = WithReadOnlyTmp([&] {
        return LoadDatabaseBytes(file, "x.rkb") == 1 && prompts.LastText().toStdString() == expected;
    });
    if (!said)
        GTEST_SKIP() << "this system gives no process a /tmp of its own";
    EXPECT_TRUE(*said);
}

// ---- price conversion ----

namespace {

uint32_t GoodsPriceAt(unsigned plu) { return GoodsRecordOffset(plu) + GoodsField::Price; }

} // namespace

TEST(ConvertPrices, ResultsAreClampedAndExact)
{
    TestEnvironment env;
    DbWriteU32At(GoodsPriceAt(1), 50000000);
    DbWriteU32At(GoodsPriceAt(2), 100);
    DbWriteU32At(GoodsPriceAt(3), 4294967295u);
    // The first discount, an amount (type 1), and the first packaging.
    const uint32_t discount = TableOffsets.DiscountTable, packagingPrice = TableOffsets.PackagingTable + 43;
    DbWriteByteAt(discount + 23, 1);
    DbWriteU32At(discount + 24, 50000000);
    DbWriteU32At(packagingPrice, 50000000);
    DbWriteU32At(GoodsPriceAt(8000), 400);
    App.DatabaseModified = 0;
    ConvertPrices(3);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(DbReadU32At(GoodsPriceAt(1)), 99999999u);
    EXPECT_EQ(DbReadU32At(GoodsPriceAt(2)), 300u);
    EXPECT_EQ(DbReadU32At(GoodsPriceAt(8000)), 1200u);
    EXPECT_EQ(DbReadU32At(GoodsPriceAt(3)), 99999999u);
    EXPECT_EQ(DbReadU32At(discount + 24), 99999998u);
    EXPECT_EQ(DbReadU32At(packagingPrice), 99999999u);

    // The double nearest 0.29 lies a little below it; 1,00 zł is still 0,29 zł.
    DbWriteU32At(GoodsPriceAt(2), 100);
    ConvertPrices(0.29);
    EXPECT_EQ(DbReadU32At(GoodsPriceAt(2)), 29u);

    // A huge factor clamps instead of wrapping; a tiny one truncates to 0.
    ConvertPrices(1e300);
    EXPECT_EQ(DbReadU32At(GoodsPriceAt(2)), 99999999u);
    ConvertPrices(1e-300);
    EXPECT_EQ(DbReadU32At(GoodsPriceAt(2)), 0u);

    // An unusable factor changes nothing.
    DbWriteU32At(GoodsPriceAt(1), 1001);
    const auto before = ImageBytes();
    ConvertPrices(-1);
    ConvertPrices(std::numeric_limits<double>::quiet_NaN());
    ConvertPrices(std::numeric_limits<double>::infinity());
    EXPECT_EQ(ImageBytes(), before);
}

TEST(ConvertPrices, FactorsOfTenKeepEveryPower)
{
    TestEnvironment env;
    const struct {
        double Factor;
        uint32_t Price, Expect;
    } cases[] = {{10, 123, 1230},  {1000, 7, 7000},  {1e7, 9, 90000000}, {1e8, 1, 99999999}, {20, 4999999, 99999980},
                 {0.1, 1234, 123}, {0.01, 1234, 12}, {2.5, 100, 250},    {0.001, 999, 0}};
    for (const auto& c : cases) {
        DbWriteU32At(GoodsPriceAt(5), c.Price);
        ConvertPrices(c.Factor);
        EXPECT_EQ(DbReadU32At(GoodsPriceAt(5)), c.Expect) << c.Price << " x " << c.Factor;
    }
}

TEST(ConvertRate, KeepsEightSignificantDigitsRoundedHalfUp)
{
    struct Case {
        uint32_t Digits;
        uint8_t Decimals;
        double Factor;
        uint32_t ExpectDigits;
        uint8_t ExpectDecimals;
    };
    const Case cases[] = {
        {4, 0, 0.25, 10000000, 7},               // 1 padded to 1,0000000
        {2, 0, 0.1, 20000000, 8},                // 0,2 exactly, not 0,2000000000000000111
        {123456789, 8, 1, 12345679, 7},          // 1,23456789 -> 1,2345679
        {123456784, 8, 1, 12345678, 7},          // 1,23456784 -> 1,2345678
        {12345679, 4, 0.25, 30864198, 5},        // 308,641975 -> 308,64198 (half up)
        {199999999, 8, 5, 10000000, 6},          // 9,99999995 -> 10,000000 (carry)
        {99999999, 0, 10, 99999999, 0},          // beyond eight whole digits: the largest rate
        {0, 3, 2, 0, 3},                         // free slot
        {42150, 4, 0, 0, 4},
    };
    for (const Case& c : cases) {
        uint32_t digits = c.Digits;
        uint8_t decimals = c.Decimals;
        ConvertRate(digits, decimals, c.Factor);
        EXPECT_EQ(digits, c.ExpectDigits) << c.Digits << "/" << int(c.Decimals) << " x " << c.Factor;
        EXPECT_EQ(decimals, c.ExpectDecimals) << c.Digits << "/" << int(c.Decimals) << " x " << c.Factor;
    }
}
