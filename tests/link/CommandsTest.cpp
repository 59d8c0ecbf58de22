// The command builders, byte for byte as they reach the line.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "link/Commands.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <functional>
#include <initializer_list>
#include <gtest/gtest.h>

namespace {

class Commands : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(peer.Ok()); }

    Bytes Sent(std::size_t n) { return peer.Read(n, 2000); }
    bool NothingSent() { return peer.Read(1, 150).empty(); }

    // A whole frame of length L: start, length field, checksum over 1..L-3, end.
    static void ExpectFrame(const Bytes& f, std::size_t length, uint8_t address, uint8_t command)
    {
        ASSERT_EQ(f.size(), length);
        EXPECT_EQ(f[0], 0x02);
        EXPECT_EQ(f[1], address);
        EXPECT_EQ(std::size_t(f[2] | f[3] << 8), length);
        EXPECT_EQ(f[6], command);
        EXPECT_EQ(f[length - 2], XorOf(f, 1, length - 3)) << "checksum";
        EXPECT_EQ(f[length - 1], 0x03);
    }

    static Bytes Slice(const Bytes& f, std::size_t from, std::size_t to) { return Bytes(f.begin() + from, f.begin() + to + 1); }

    static Bytes ImageBytes(uint32_t offset, std::size_t n)
    {
        Bytes b(n);
        DbReadBytesAt(offset, b.data(), n);
        return b;
    }

    TestEnvironment env;
    ScriptedPrompts prompts;
    PtyPeer peer;
};

GoodsRecordFields SampleGoods(uint16_t plu)
{
    GoodsRecordFields g;
    g.Plu = plu;
    g.Name = "Chleb razowy";
    g.VatLetter = "A";
    g.Price = 350;
    g.Barcode = "5907788";
    g.Group = 2;
    g.Tandem = 3;
    g.FixedPrice = 1;
    g.WholeUnits = 1;
    g.Halo = 4;
    g.Unit = 3;
    return g;
}

} // namespace

TEST_F(Commands, GoodsRecordOfTheRivoModelIs93BytesWithFlagAt90)
{
    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(1234)), 0);
    const uint32_t at = GoodsRecordOffset(1234);
    const Bytes reserved(15, 0xAB);
    DbWriteBytesAt(at + 68, reserved.data(), reserved.size());  // bytes 68..82

    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 1234, 0, 1), 1);
    const Bytes f = Sent(93);
    ExpectFrame(f, 93, 1, 'T');
    const Bytes record = ImageBytes(at, 83);
    EXPECT_EQ(Slice(f, 7, 8), (Bytes{0xD2, 0x04}));
    EXPECT_EQ(Slice(f, 9, 81), Slice(record, 2, 74));
    EXPECT_EQ(Slice(f, 82, 89), Bytes(8, 0)) << "record bytes 75-82 are not sent";
    EXPECT_EQ(f[90], 1);
}

TEST_F(Commands, GoodsRecordOfTheOlderModelIs79BytesWithFlagAt76)
{
    App.GoodsRecordSize = 69;
    App.MaxGoodsCount = 2000;
    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(2000)), 0);
    EXPECT_EQ(GoodsRecordOffset(2000), 142931u);

    EXPECT_EQ(SendGoodsRecord(4, 7, 2000, 0, 1), 1);
    const Bytes f = Sent(79);
    ExpectFrame(f, 79, 4, 'T');
    EXPECT_EQ(f[4], 7);
    // Every written field reaches the register, the last barcode digit, group, tandem, flags,
    // HALO index and unit included.
    EXPECT_EQ(Slice(f, 9, 74), Slice(ImageBytes(142931, 69), 2, 67));
    EXPECT_EQ(f[75], 0);
    EXPECT_EQ(f[76], 1);
}

TEST_F(Commands, EmptyMissingOrUnreadableGoodsSlotsSendNothing)
{
    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(5)), 0);
    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 6, 0, 0), 0);
    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 0, 0, 0), 0);
    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 8001, 0, 0), 0);

    App.WorkMode = 0;  // no database open
    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 5, 0, 0), 0);
    EXPECT_EQ(SendDiscountRecord(1, 0x8001, 1, 0, 0), 0);
    EXPECT_EQ(SendHeader(1, 0x8001), 0);
    App.WorkMode = WorkModeDatabase;
    DatabaseImage.MarkFailed();  // its reads now give 0xFF, which is no record
    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 5, 0, 0), 0);
    EXPECT_EQ(SendCashierRecord(1, 0x8001, 1, 0, 0), 0);
    EXPECT_EQ(SendVatRates(1, 0x8001, 0), 0);
    EXPECT_TRUE(NothingSent());
}

TEST_F(Commands, SmallTableRecordsCopyTheirSlotAndPutTheFlagAfterIt)
{
    struct Case {
        std::function<int(uint8_t, uint16_t, uint8_t, uint8_t, uint8_t)> send;
        uint8_t command;
        std::size_t length;
        uint32_t table;
        uint32_t recordSize;
        std::size_t copied;
        std::size_t flagAt;
    };
    const Case cases[] = {
        {SendDiscountRecord, 'R', 38, TableOffsets.DiscountTable, DiscountRecordSize, 28, 35},
        {SendPaymentFormRecord, 'F', 33, TableOffsets.PaymentFormTable, PaymentFormRecordSize, 23, 30},
        {SendCurrencyRecord, 'W', 40, TableOffsets.CurrencyTable, CurrencyRecordSize, 30, 37},
        {SendPackagingRecord, 'Z', 58, TableOffsets.PackagingTable, PackagingRecordSize, 48, 55},
        {SendGoodsGroupRecord, 'G', 31, TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 21, 28},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, char(c.command)));
        Bytes record(c.recordSize);
        record[0] = 3;
        for (std::size_t i = 1; i < record.size(); ++i)
            record[i] = uint8_t(0x40 + i);
        DbWriteBytesAt(c.table + 2 * c.recordSize, record.data(), record.size());

        EXPECT_EQ(c.send(2, 0x8001, 3, 0, 1), 1);
        const Bytes f = Sent(c.length);
        ExpectFrame(f, c.length, 2, c.command);
        EXPECT_EQ(Slice(f, 7, 6 + c.copied), Slice(record, 0, c.copied - 1));
        EXPECT_EQ(f[c.flagAt], 1);

        EXPECT_EQ(c.send(2, 0x8001, 4, 0, 1), 0) << "empty slot";
        EXPECT_EQ(c.send(2, 0x8001, 21, 0, 1), 0) << "no such slot";
    }
    EXPECT_TRUE(NothingSent());
}

TEST_F(Commands, CashierRecordSendsZerosAfterItsOwn33Bytes)
{
    const Bytes next(CashierRecordSize, 0xCC);
    DbWriteBytesAt(TableOffsets.CashierTable + CashierRecordSize, next.data(), next.size());  // cashier 2's slot

    EXPECT_EQ(SendCashierRecord(1, 0x8001, 1, 0, 1), 1);
    const Bytes f = Sent(45);
    ExpectFrame(f, 45, 1, 'K');
    EXPECT_EQ(Slice(f, 7, 39), ImageBytes(TableOffsets.CashierTable, 33));
    EXPECT_EQ(f[8], 'K') << "the manager of a new image";
    EXPECT_EQ(f[40], 0);
    EXPECT_EQ(f[41], 0);
    EXPECT_EQ(f[42], 1);
}

TEST_F(Commands, BlocksOfTheImageGoWhereTheirFramesWantThem)
{
    EXPECT_EQ(SendVatRates(1, 0x8001, 1), 1);
    Bytes f = Sent(31);
    ExpectFrame(f, 31, 1, 'P');
    EXPECT_EQ(Slice(f, 7, 27), ImageBytes(TableOffsets.VatRateBlock, 21));
    EXPECT_EQ(f[28], 1);

    EXPECT_EQ(SendHeader(1, 0x8001), 1);
    f = Sent(268);
    ExpectFrame(f, 268, 1, 'N');
    EXPECT_EQ(Slice(f, 7, 265), ImageBytes(TableOffsets.HeaderBlock, 259));

    EXPECT_EQ(SendFooter(1, 0x8001, 1), 1);
    f = Sent(140);
    ExpectFrame(f, 140, 1, 'D');
    EXPECT_EQ(Slice(f, 7, 136), ImageBytes(TableOffsets.FooterBlock, 130));
    EXPECT_EQ(f[137], 1);

    EXPECT_EQ(SendHaloTable(1, 0x8001), 1);
    f = Sent(45);
    ExpectFrame(f, 45, 1, 'L');
    EXPECT_EQ(Slice(f, 7, 42), ImageBytes(TableOffsets.HaloBlock + 4, 36));
    EXPECT_EQ(Slice(f, 7, 10), (Bytes{100, 0, 0, 0})) << "HALO 1 of a new image";

    Bytes key(34);
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = uint8_t(i + 1);
    DbWriteBytesAt(QuickKeyRecordOffset(3, 7), key.data(), key.size());
    EXPECT_EQ(SendQuickKeyRecord(1, 0x8001, 3, 7, 1), 1);
    f = Sent(44);
    ExpectFrame(f, 44, 1, 'S');
    EXPECT_EQ(f[7], 3);
    EXPECT_EQ(f[8], 7);
    EXPECT_EQ(Slice(f, 9, 40), Slice(key, 2, 33));
    EXPECT_EQ(f[41], 1);

    const uint8_t zero = 0;
    DbWriteBytesAt(TableOffsets.VatRateBlock, &zero, 1);
    EXPECT_EQ(SendVatRates(1, 0x8001, 1), 0) << "a block without its first letter is empty";
    EXPECT_TRUE(NothingSent());
}

TEST_F(Commands, SettingsFramesPlaceEveryArgument)
{
    EXPECT_EQ(SendClock(1, 0x8001, 2024 + 5 * 65536, 17 + 13 * 65536, 45 + 30 * 65536), 1);
    Bytes f = Sent(17);
    ExpectFrame(f, 17, 1, 'C');
    EXPECT_EQ(Slice(f, 7, 14), (Bytes{0xE8, 0x07, 5, 17, 13, 45, 30, 0}));

    EXPECT_EQ(SendRecordCurrency(1, 0x8001, "EURO", 43210, 4, 1, 2, 2025, 1, 31), 1);
    f = Sent(23);
    ExpectFrame(f, 23, 1, 'E');
    EXPECT_EQ(Slice(f, 7, 20), (Bytes{0xCA, 0xA8, 0, 0, 4, 'E', 'U', 'R', 1, 2, 0xE9, 0x07, 1, 31}));

    EXPECT_EQ(SendManagerPassword(1, 0x8001, "abcdefghij", "0123456789", 1), 1);
    f = Sent(30);
    ExpectFrame(f, 30, 1, 'H');
    EXPECT_EQ(std::string(f.begin() + 7, f.begin() + 27), "abcdefghij0123456789");
    EXPECT_EQ(f[27], 1);

    EXPECT_EQ(SendGoodsUnits(1, 0x8001, "opak", "m", "kpl"), 1);
    f = Sent(18);
    ExpectFrame(f, 18, 1, 'q');
    EXPECT_EQ(Slice(f, 7, 15), (Bytes{'o', 'p', 'a', 'm', 0, 0, 'k', 'p', 'l'}));
}

TEST_F(Commands, SalesQuickKeyRaisesAThirdByteOfTwoToSeven)
{
    for (auto [third, sent] : {std::pair<uint8_t, uint8_t>{2, 3}, {7, 8}, {8, 8}, {1, 1}}) {
        EXPECT_EQ(SendSalesQuickKey(1, 0x8001, 0x11 | 0x22 << 8 | uint32_t(third) << 16 | 0x44u << 24, 9), 1);
        const Bytes f = Sent(14);
        ExpectFrame(f, 14, 1, 'X');
        EXPECT_EQ(Slice(f, 7, 11), (Bytes{0x11, 0x22, sent, 0x44, 9})) << int(third);
    }
}

TEST_F(Commands, FixedAddressBuildersSendAddressOneWhateverTheyAreGiven)
{
    const uint8_t record[ConfigurationRecordSize] = {1, 2, 3};
    const uint8_t email[EmailParamsBlockSize] = {7};
    const uint8_t wifi[WifiParamsBlockSize] = {8};
    uint8_t pixels[48];
    for (int i = 0; i < 48; ++i)
        pixels[i] = uint8_t(i);
    const uint8_t test[5] = {1, 2, 3, 4, 5};
    struct Case {
        std::function<int()> send;
        uint8_t command;
        std::size_t length;
    };
    const Case cases[] = {
        {[] { return SendFunctionKey(5, 0x8001, 1, 2, 3); }, 'O', 13},
        {[&] { return SendConfiguration(5, 0x8001, record, 1); }, 0x03, 36},
        {[&] { return SendConfiguration(5, 0x8001, record, 0); }, 0x03, 31},
        {[&] { return SendEmailParams(5, 0x8001, email); }, 'm', 252},
        {[&] { return SendWifiParams(5, 0x8001, wifi); }, 'e', 195},
        {[&] { return SendHeaderGraphicRow(5, 0x8001, 95, pixels); }, 'l', 58},
        {[&] { return SendFooterGraphicRow(5, 0x8001, 0, pixels); }, 'd', 58},
        {[] { return DeleteHeaderGraphic(5, 0x8001); }, 0x09, 10},
        {[] { return DeleteFooterGraphic(5, 0x8001); }, 0x09, 10},
        {[&] { return SendPortTest(test, 0x8001); }, '8', 14},
        {[] { return SendPortQuery(5, 0x8001); }, '9', 9},
        {[] { return SendClearDatabase(5, 0x8001); }, 'c', 10},
        {[] { return SendClearSales(5, 0x8001); }, 0xCB, 10},
    };
    Link.RegisterAddress = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.command));
        EXPECT_EQ(c.send(), 1);
        ExpectFrame(Sent(c.length), c.length, 1, c.command);
    }
}

TEST_F(Commands, FixedAddressPayloads)
{
    uint8_t record[ConfigurationRecordSize];
    for (std::size_t i = 0; i < ConfigurationRecordSize; ++i)
        record[i] = uint8_t(i + 1);
    SendConfiguration(1, 0x8001, record, 0);
    Bytes f = Sent(31);
    EXPECT_EQ(Slice(f, 7, 28), Bytes(record, record + 22)) << "the older model takes 22 bytes";
    EXPECT_EQ(SendConfiguration(1, 0x8001, record, 2), 0);

    SendPortQuery(1, 0x8001);
    f = Sent(9);
    EXPECT_EQ(f[7], XorOf(f, 1, 6)) << "no payload: the checksum comes right after the command";
    EXPECT_TRUE(NothingSent());
}

TEST_F(Commands, IdentityTextsFillTheirFieldsAndTheTwoMFramesDiffer)
{
    EXPECT_EQ(SendUniqueNumber(1, 0x8001, "ABC12345678901"), 1);
    Bytes f = Sent(23);
    ExpectFrame(f, 23, 1, 'M');
    EXPECT_EQ(std::string(f.begin() + 7, f.begin() + 21), "ABC12345678901");

    EXPECT_EQ(SendKeyAndUniqueNumber(1, 0x8001, "ABC123456789", "KEY4567890"), 1);
    f = Sent(33);
    ASSERT_EQ(f.size(), 33u);
    EXPECT_EQ(std::string(f.begin() + 7, f.begin() + 29), "ABC123456789KEY4567890");
    EXPECT_EQ(f[29], XorOf(f, 1, 28)) << "the checksum follows the key";
    EXPECT_EQ(f[30], 0);
    EXPECT_EQ(f[31], 0);
    EXPECT_EQ(f[32], 0x03);

    EXPECT_EQ(SendKeyAndUniqueNumber(1, 0x8001, "ABC12345678901", "KEY4567890"), 1);
    ExpectFrame(Sent(33), 33, 1, 'M');

    EXPECT_EQ(SendNip(1, 0x8001, "1234567890123456"), 1);
    f = Sent(25);
    ExpectFrame(f, 25, 1, 'I');
    EXPECT_EQ(std::string(f.begin() + 7, f.begin() + 23), "1234567890123456");

    EXPECT_EQ(SendFiscalMemoryKey(1, 0x8001, "K1"), 1);
    f = Sent(19);
    ExpectFrame(f, 19, 1, 'J');
    EXPECT_EQ(Slice(f, 7, 16), (Bytes{'K', '1', 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(Commands, TooLongIdentityTextsAreRefusedWithTheirMessage)
{
    EXPECT_EQ(SendNip(1, 0x8001, std::string(17, '1')), 0);
    EXPECT_EQ(SendUniqueNumber(1, 0x8001, std::string(15, '1')), 0);
    EXPECT_EQ(SendFiscalMemoryKey(1, 0x8001, std::string(11, '1')), 0);
    EXPECT_EQ(SendKeyAndUniqueNumber(1, 0x8001, "ABC", std::string(11, 'K')), 0);
    EXPECT_EQ(SendKeyAndUniqueNumber(1, 0x8001, std::string(15, '1'), "KEY"), 0);
    EXPECT_EQ(prompts.Texts(), (QStringList{QString::fromUtf8("Zbyt długi NIP!"),
                                            QString::fromUtf8("Zbyt długi numer unikatowy!"),
                                            QString::fromUtf8("Zbyt długi klucz!"), QString::fromUtf8("Zbyt długi klucz!"),
                                            QString::fromUtf8("Zbyt długi numer unikatowy!")}));
    EXPECT_TRUE(NothingSent());
}

TEST_F(Commands, DeleteFramesCutNamesToTheirField)
{
    EXPECT_EQ(DeleteCashierRecord(1, 0x8001, 4, "Nazwisko bardzo dlugie ponad pole"), 1);
    Bytes f = Sent(26);
    ExpectFrame(f, 26, 1, '2');
    EXPECT_EQ(f[7], 4);
    EXPECT_EQ(std::string(f.begin() + 8, f.begin() + 24), "Nazwisko bardzo ");
    EXPECT_EQ(f[24], XorOf(f, 1, 23));
    EXPECT_EQ(f[25], 0x03);

    EXPECT_EQ(DeleteGoodsRecord(1, 0x8001, 513, "Mleko", 1), 1);
    f = Sent(54);
    ExpectFrame(f, 54, 1, '0');
    EXPECT_EQ(Slice(f, 7, 8), (Bytes{0x01, 0x02}));
    EXPECT_EQ(std::string(f.begin() + 9, f.begin() + 14), "Mleko");
    EXPECT_EQ(f[51], 1);

    struct Case {
        std::function<int()> send;
        uint8_t command;
        std::size_t length;
        std::size_t width;
        int flagAt;
    };
    const std::string longName(60, 'x');
    const Case cases[] = {
        {[&] { return DeleteDiscountRecord(1, 0x8001, 2, longName, 1); }, '1', 32, 21, 29},
        {[&] { return DeletePaymentFormRecord(1, 0x8001, 2, longName, 1); }, '3', 33, 22, 30},
        {[&] { return DeleteCurrencyRecord(1, 0x8001, 2, longName); }, '4', 33, 23, -1},
        {[&] { return DeletePackagingRecord(1, 0x8001, 2, longName); }, '5', 53, 43, -1},
        {[&] { return DeleteGoodsGroupRecord(1, 0x8001, 2, longName, 1); }, '6', 31, 21, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, char(c.command)));
        EXPECT_EQ(c.send(), 1);
        f = Sent(c.length);
        ExpectFrame(f, c.length, 1, c.command);
        EXPECT_EQ(f[7], 2);
        EXPECT_EQ(std::string(f.begin() + 8, f.begin() + 8 + c.width), std::string(c.width, 'x'));
        if (c.flagAt > 0) {
            EXPECT_EQ(f[c.flagAt], 1);
        }
    }
}

TEST_F(Commands, GroupTurnoverReportRequest)
{
    RequestGroupTurnoverReport(1, 0x8001, 2023 + 11 * 65536, 9, 9, 9, 2024 + 2 * 65536, 9, 9, 9, 7, true);
    Bytes f = Sent(17);
    ExpectFrame(f, 17, 1, 0x05);
    EXPECT_EQ(Slice(f, 7, 14), (Bytes{11, 0xE7, 0x07, 2, 0xE8, 0x07, 7, 't'}));
    RequestGroupTurnoverReport(1, 0x8001, 2023 + 11 * 65536, 0, 0, 0, 2024 + 2 * 65536, 0, 0, 0, 7, false);
    EXPECT_EQ(Sent(17)[14], 'n');
}

TEST_F(Commands, ElectronicCopyRequests)
{
    CopyDateTime a{8, 30, 1, 2, 2024}, b{18, 5, 3, 4, 2025};
    EXPECT_EQ(RequestCopyByDates(1, 0x8001, a, b, 1, 2), 1);
    Bytes f = Sent(24);
    ExpectFrame(f, 24, 1, 0x01);
    EXPECT_EQ(Slice(f, 7, 21), (Bytes{3, 8, 30, 1, 2, 0xE8, 0x07, 18, 5, 3, 4, 0xE9, 0x07, 1, 2}));

    EXPECT_EQ(RequestCopyByNumbers(1, 0x8001, 0, 12, 0x01020304, 13, 7, 1, 0), 1);
    f = Sent(24);
    EXPECT_EQ(Slice(f, 7, 21), (Bytes{2, 12, 0, 4, 3, 2, 1, 13, 0, 7, 0, 0, 0, 1, 0}));
}

TEST_F(Commands, EveryRequestPlacesItsArgumentsAndReportsItsResultKind)
{
    const Bytes ff3{0xFF, 0xFF, 0xFF};
    auto cat = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const Bytes& p : parts)
            out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    struct Case {
        const char* what;
        std::function<int()> send;
        uint8_t command;
        Bytes payload;    // bytes 7 .. L-3
        bool reportsSend; // its result tells a failed send; the others always give 1
    };
    const Case cases[] = {
        {"periodic by numbers", [] { return RequestPeriodicReportByNumbers(6, 0x8001, 2, 10, 300); }, 'o',
         {2, 1, 10, 0, 0x2C, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}, true},
        {"periodic by dates", [] { return RequestPeriodicReportByDates(6, 0x8001, 3, 2024, 5, 17, 2025, 6, 30); }, 'o',
         {3, 0, 0xE8, 0x07, 5, 17, 0xE9, 0x07, 6, 30}, true},
        {"periodic monthly", [] { return RequestPeriodicReportMonthly(6, 0x8001, 1, 2024, 12); }, 'o',
         {1, 0xFF, 0xE8, 0x07, 12, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, true},
        {"sales by group", [] { return RequestSalesReportByGroup(6, 0x8001, 1, 7, 1, 2); }, 's',
         cat({{1, 7}, ff3, {1, 2}}), false},
        {"sales by range", [] { return RequestSalesReportByRange(6, 0x8001, 2, 300, 7000, 3, 4); }, 's',
         {2, 0x2C, 0x01, 0x58, 0x1B, 3, 4}, false},
        {"inactive goods", [] { return RequestInactiveGoodsReport(6, 0x8001); }, 'n', {1}, false},
        {"base with PTU by group", [] { return RequestBaseWithPtuReportByGroup(6, 0x8001, 1, 5, 1); }, 'p',
         cat({{1, 5}, ff3, {1}}), false},
        {"base with PTU by range", [] { return RequestBaseWithPtuReportByRange(6, 0x8001, 2, 1, 8000, 1); }, 'p',
         {2, 1, 0, 0x40, 0x1F, 1}, false},
        {"full PLU by group", [] { return RequestFullPluReportByGroup(6, 0x8001, 3, 20, 0); }, 'b',
         cat({{3, 20}, ff3, {0}}), false},
        {"full PLU by range", [] { return RequestFullPluReportByRange(6, 0x8001, 4, 513, 514, 1); }, 'b',
         {4, 0x01, 0x02, 0x02, 0x02, 1}, false},
        {"cashier", [] { return RequestCashierReport(6, 0x8001, 1, 2, 3); }, 'k', {1, 2, 3}, false},
        {"shift sales", [] { return RequestShiftSalesReport(6, 0x8001, 4, 5); }, 'z', {4, 5, 0}, false},
        {"discounts", [] { return RequestDiscountsReport(6, 0x8001, 4, 5); }, 'r', {4, 5, 0}, false},
        {"packagings", [] { return RequestPackagingsReport(6, 0x8001, 4, 5); }, 'a', {4, 5, 0}, false},
        {"payment forms", [] { return RequestPaymentFormsReport(6, 0x8001, 4, 5); }, 'f', {4, 5, 0}, false},
        {"goods groups", [] { return RequestGoodsGroupsReport(6, 0x8001, 4, 5); }, 'g', {4, 5, 0}, false},
        {"fixed texts", [] { return RequestFixedTextsReport(6, 0x8001); }, 'w', {1}, false},
        {"VAT rates", [] { return RequestVatRatesReport(6, 0x8001); }, 'v', {1}, false},
        {"register state", [] { return RequestRegisterStateReport(6, 0x8001); }, 't', {1}, false},
        {"quick keys", [] { return RequestQuickKeysReport(6, 0x8001); }, 'h', {1}, false},
        {"copy of the last receipt", [] { return RequestCopyLastReceipt(6, 0x8001, 2); }, 0x01,
         cat({{1}, Bytes(13, 0), {2}}), true},
        {"copy of the cache memory", [] { return RequestCopyCacheMemory(6, 0x8001, 9, 1); }, 0x01,
         cat({{4}, Bytes(13, 0), {1}}), true},
        {"probe", [] { return SendProbeQ(6, 0x8001, 0x33); }, 'Q', {0x33}, true},
        {"cache dump", [] { return RequestCacheDump(6, 0x8001); }, ':', {1}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.send(), 1);
        const std::size_t length = c.payload.size() + 9;
        const Bytes f = Sent(length);
        ExpectFrame(f, length, 6, c.command);
        ASSERT_EQ(f.size(), length);
        EXPECT_EQ(Slice(f, 4, 5), (Bytes{0x01, 0x80}));
        EXPECT_EQ(Slice(f, 7, length - 3), c.payload);
    }
    EXPECT_TRUE(NothingSent());

    // A send that fails: only the requests whose result reports the send say so.
    LinkSettings.ComPortNumber = NoComPort;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.send(), c.reportsSend ? 0 : 1);
    }
}

TEST_F(Commands, ReadRequestAndSendFailure)
{
    EXPECT_EQ(SendCommandWithWord(3, 0x8001, 0x03, 1), 1);
    EXPECT_EQ(Sent(11), RegisterFrame(0x03, {1, 0}, 0x8001, 3));

    LinkSettings.ComPortNumber = NoComPort;
    EXPECT_EQ(SendProbeQ(1, 0x8001, 0), 0) << "RS builders report a failed send";
    EXPECT_EQ(SendClock(1, 0x8001, 0, 0, 0), 1) << "R1 builders do not";
    EXPECT_EQ(prompts.Texts(), (QStringList{QString::fromUtf8("Nie wybrano portu komunikacyjnego!!"),
                                            QString::fromUtf8("Nie wybrano portu komunikacyjnego!!")}));
}
