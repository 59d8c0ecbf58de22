// The command builders, byte for byte as they reach the line.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "link/Commands.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/link/LinkTestUtil.h"

#include <functional>
#include <initializer_list>
#include <gtest/gtest.h>

namespace {

class Commands : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(peer.Ok()); }

    Bytes Sent(std::size_t n) { return peer.Read(n, 2000); }
    bool NothingSent() { return peer.Read(1, 150).empty(); }

    static Bytes Slice(const Bytes& f, std::size_t from, std::size_t to) { return Bytes(f.begin() + from, f.begin() + to + 1); }

    static Bytes ImageBytes(uint32_t offset, std::size_t n) { return Slice(::ImageBytes(), offset, offset + n - 1); }

    TestEnvironment env;
    ScriptedPrompts prompts;
    PtyPeer peer;
};

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace

TEST_F(Commands, EmptyMissingOrUnreadableGoodsSlotsSendNothing)
{
    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(5)), 0);
    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 6, 0, 0), 0);
    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 0, 0, 0), 0);
    EXPECT_EQ(SendGoodsRecord(1, 0x8001, 8001, 0, 0), 0);
    const uint8_t zero = 0;
    DbWriteBytesAt(TableOffsets.VatRateBlock, &zero, 1);
    EXPECT_EQ(SendVatRates(1, 0x8001, 1), 0) << "a block without its first letter is empty";
    for (auto send : {SendDiscountRecord, SendPaymentFormRecord, SendCurrencyRecord, SendPackagingRecord,
                      SendGoodsGroupRecord}) {
        EXPECT_EQ(send(1, 0x8001, 4, 0, 1), 0) << "empty slot";
        EXPECT_EQ(send(1, 0x8001, 21, 0, 1), 0) << "no such slot";
    }

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

TEST_F(Commands, TooLongIdentityTextsAreRefusedAndAShortKeyIsFollowedByItsChecksum)
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

    // A short key and unique number put the checksum right after the key.
    prompts.Clear();
    EXPECT_EQ(SendKeyAndUniqueNumber(1, 0x8001, "ABC123456789", "KEY4567890"), 1);
    const Bytes f = Sent(33);
    ASSERT_EQ(f.size(), 33u);
    EXPECT_EQ(std::string(f.begin() + 7, f.begin() + 29), "ABC123456789KEY4567890");
    EXPECT_EQ(f[29], XorOf(f, 1, 28));
    EXPECT_EQ(Slice(f, 30, 32), (Bytes{0, 0, 0x03}));
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(Commands, EveryFramePlacesItsBytesAndReportsItsResultKind)
{
    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(1234)), 0);
    const uint32_t goodsAt = GoodsRecordOffset(1234);
    const Bytes reserved(15, 0xAB);
    DbWriteBytesAt(goodsAt + 68, reserved.data(), reserved.size());  // bytes 68..82, of which 75..82 are not sent
    const Bytes nextCashier(CashierRecordSize, 0xCC);
    DbWriteBytesAt(TableOffsets.CashierTable + CashierRecordSize, nextCashier.data(), nextCashier.size());
    Bytes key(34);
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = uint8_t(i + 1);
    DbWriteBytesAt(QuickKeyRecordOffset(3, 7), key.data(), key.size());
    // Record 3 of a small table, of which the frame carries the first bytes.
    auto slot = [](uint32_t table, uint32_t recordSize, std::size_t sent) {
        Bytes record(recordSize);
        record[0] = 3;
        for (std::size_t i = 1; i < record.size(); ++i)
            record[i] = uint8_t(0x40 + i);
        DbWriteBytesAt(table + 2 * recordSize, record.data(), record.size());
        return Cat({Slice(record, 0, sent - 1), {1}});
    };

    uint8_t record[ConfigurationRecordSize];
    for (std::size_t i = 0; i < ConfigurationRecordSize; ++i)
        record[i] = uint8_t(i + 1);
    const uint8_t email[EmailParamsBlockSize] = {7};
    const uint8_t wifi[WifiParamsBlockSize] = {8};
    uint8_t pixels[48];
    for (int i = 0; i < 48; ++i)
        pixels[i] = uint8_t(i);
    const uint8_t test[5] = {1, 2, 3, 4, 5};
    const Bytes ff3{0xFF, 0xFF, 0xFF};
    const std::string longName(60, 'x');
    const CopyDateTime from{8, 30, 1, 2, 2024}, to{18, 5, 3, 4, 2025};
    constexpr uint32_t nov2023 = 2023 + 11 * 65536, feb2024 = 2024 + 2 * 65536;
    struct Case {
        const char* what;
        std::function<int()> send;
        uint8_t command;
        Bytes payload;    // bytes 7 .. L-3
        bool reportsSend; // its result tells a failed send; the others always give 1
        uint8_t address = 6;
    };
    const Case cases[] = {
        {"goods record", [] { return SendGoodsRecord(6, 0x8001, 1234, 0, 1); }, 'T',
         Cat({{0xD2, 0x04}, Slice(ImageBytes(goodsAt, 83), 2, 74), Bytes(8, 0), {1}}), false},
        {"cashier record", [] { return SendCashierRecord(6, 0x8001, 1, 0, 1); }, 'K',
         Cat({ImageBytes(TableOffsets.CashierTable, 33), {0, 0, 1}}), false},
        {"VAT rates", [] { return SendVatRates(6, 0x8001, 1); }, 'P',
         Cat({ImageBytes(TableOffsets.VatRateBlock, 21), {1}}), false},
        {"header", [] { return SendHeader(6, 0x8001); }, 'N', ImageBytes(TableOffsets.HeaderBlock, 259), false},
        {"footer", [] { return SendFooter(6, 0x8001, 1); }, 'D', Cat({ImageBytes(TableOffsets.FooterBlock, 130), {1}}),
         false},
        {"HALO table", [] { return SendHaloTable(6, 0x8001); }, 'L', ImageBytes(TableOffsets.HaloBlock + 4, 36), false},
        {"quick key record", [] { return SendQuickKeyRecord(6, 0x8001, 3, 7, 1); }, 'S',
         Cat({{3, 7}, Slice(key, 2, 33), {1}}), false},
        {"discount", [] { return SendDiscountRecord(6, 0x8001, 3, 0, 1); }, 'R',
         slot(TableOffsets.DiscountTable, DiscountRecordSize, 28), false},
        {"payment form", [] { return SendPaymentFormRecord(6, 0x8001, 3, 0, 1); }, 'F',
         slot(TableOffsets.PaymentFormTable, PaymentFormRecordSize, 23), false},
        {"currency", [] { return SendCurrencyRecord(6, 0x8001, 3, 0, 1); }, 'W',
         slot(TableOffsets.CurrencyTable, CurrencyRecordSize, 30), false},
        {"packaging", [] { return SendPackagingRecord(6, 0x8001, 3, 0, 1); }, 'Z',
         slot(TableOffsets.PackagingTable, PackagingRecordSize, 48), false},
        {"goods group", [] { return SendGoodsGroupRecord(6, 0x8001, 3, 0, 1); }, 'G',
         slot(TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, 21), false},
        {"clock", [] { return SendClock(6, 0x8001, 2024 + 5 * 65536, 17 + 13 * 65536, 45 + 30 * 65536); }, 'C',
         {0xE8, 0x07, 5, 17, 13, 45, 30, 0}, false},
        {"record currency", [] { return SendRecordCurrency(6, 0x8001, "EURO", 43210, 4, 1, 2, 2025, 1, 31); }, 'E',
         {0xCA, 0xA8, 0, 0, 4, 'E', 'U', 'R', 1, 2, 0xE9, 0x07, 1, 31}, false},
        {"manager password", [] { return SendManagerPassword(6, 0x8001, "abcdefghij", "0123456789", 1); }, 'H',
         Cat({Text("abcdefghij0123456789"), {1}}), false},
        {"goods units", [] { return SendGoodsUnits(6, 0x8001, "opak", "m", "kpl"); }, 'q',
         {'o', 'p', 'a', 'm', 0, 0, 'k', 'p', 'l'}, false},
        // The sales quick key raises a third byte of 2 to 7 by one.
        {"sales key 1", [] { return SendSalesQuickKey(6, 0x8001, 0x44012211, 9); }, 'X',
         {0x11, 0x22, 1, 0x44, 9}, false},
        {"sales key 2", [] { return SendSalesQuickKey(6, 0x8001, 0x44022211, 9); }, 'X',
         {0x11, 0x22, 3, 0x44, 9}, false},
        {"sales key 7", [] { return SendSalesQuickKey(6, 0x8001, 0x44072211, 9); }, 'X',
         {0x11, 0x22, 8, 0x44, 9}, false},
        {"sales key 8", [] { return SendSalesQuickKey(6, 0x8001, 0x44082211, 9); }, 'X',
         {0x11, 0x22, 8, 0x44, 9}, false},
        {"unique number", [] { return SendUniqueNumber(6, 0x8001, "ABC12345678901"); }, 'M', Text("ABC12345678901"),
         true},
        {"key and unique number", [] { return SendKeyAndUniqueNumber(6, 0x8001, "ABC12345678901", "KEY4567890"); }, 'M',
         Text("ABC12345678901KEY4567890"), true},
        {"NIP", [] { return SendNip(6, 0x8001, "1234567890123456"); }, 'I', Text("1234567890123456"), true},
        {"fiscal memory key", [] { return SendFiscalMemoryKey(6, 0x8001, "K1"); }, 'J', Cat({Text("K1"), Bytes(8, 0)}),
         true},
        // Delete frames cut the name to its field.
        {"delete cashier", [] { return DeleteCashierRecord(6, 0x8001, 4, "Nazwisko bardzo dlugie ponad pole"); }, '2',
         Cat({{4}, Text("Nazwisko bardzo ")}), true},
        {"delete goods", [] { return DeleteGoodsRecord(6, 0x8001, 513, "Mleko", 1); }, '0',
         Cat({{0x01, 0x02}, Text("Mleko"), Bytes(37, 0), {1}}), true},
        {"delete discount", [&] { return DeleteDiscountRecord(6, 0x8001, 2, longName, 1); }, '1',
         Cat({{2}, Bytes(21, 'x'), {1}}), true},
        {"delete payment form", [&] { return DeletePaymentFormRecord(6, 0x8001, 2, longName, 1); }, '3',
         Cat({{2}, Bytes(22, 'x'), {1}}), true},
        {"delete currency", [&] { return DeleteCurrencyRecord(6, 0x8001, 2, longName); }, '4',
         Cat({{2}, Bytes(23, 'x')}), true},
        {"delete packaging", [&] { return DeletePackagingRecord(6, 0x8001, 2, longName); }, '5',
         Cat({{2}, Bytes(43, 'x')}), true},
        {"delete goods group", [&] { return DeleteGoodsGroupRecord(6, 0x8001, 2, longName, 1); }, '6',
         Cat({{2}, Bytes(21, 'x')}), true},
        {"read with a word", [] { return SendCommandWithWord(6, 0x8001, 0x03, 1); }, 0x03, {1, 0}, true},
        {"group turnover with zero records",
         [] { return RequestGroupTurnoverReport(6, 0x8001, nov2023, 9, 9, 9, feb2024, 9, 9, 9, 7, true); },
         0x05, {11, 0xE7, 0x07, 2, 0xE8, 0x07, 7, 't'}, false},
        {"group turnover without zero records",
         [] { return RequestGroupTurnoverReport(6, 0x8001, nov2023, 0, 0, 0, feb2024, 0, 0, 0, 7, false); },
         0x05, {11, 0xE7, 0x07, 2, 0xE8, 0x07, 7, 'n'}, false},
        {"copy by dates", [&] { return RequestCopyByDates(6, 0x8001, from, to, 1, 2); }, 0x01,
         {3, 8, 30, 1, 2, 0xE8, 0x07, 18, 5, 3, 4, 0xE9, 0x07, 1, 2}, true},
        {"copy by numbers", [] { return RequestCopyByNumbers(6, 0x8001, 0, 12, 0x01020304, 13, 7, 1, 0); }, 0x01,
         {2, 12, 0, 4, 3, 2, 1, 13, 0, 7, 0, 0, 0, 1, 0}, true},
        {"periodic by numbers", [] { return RequestPeriodicReportByNumbers(6, 0x8001, 2, 10, 300); }, 'o',
         {2, 1, 10, 0, 0x2C, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}, true},
        {"periodic by dates", [] { return RequestPeriodicReportByDates(6, 0x8001, 3, 2024, 5, 17, 2025, 6, 30); }, 'o',
         {3, 0, 0xE8, 0x07, 5, 17, 0xE9, 0x07, 6, 30}, true},
        {"periodic monthly", [] { return RequestPeriodicReportMonthly(6, 0x8001, 1, 2024, 12); }, 'o',
         {1, 0xFF, 0xE8, 0x07, 12, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, true},
        {"sales by group", [] { return RequestSalesReportByGroup(6, 0x8001, 1, 7, 1, 2); }, 's',
         Cat({{1, 7}, ff3, {1, 2}}), false},
        {"sales by range", [] { return RequestSalesReportByRange(6, 0x8001, 2, 300, 7000, 3, 4); }, 's',
         {2, 0x2C, 0x01, 0x58, 0x1B, 3, 4}, false},
        {"inactive goods", [] { return RequestInactiveGoodsReport(6, 0x8001); }, 'n', {1}, false},
        {"base with PTU by group", [] { return RequestBaseWithPtuReportByGroup(6, 0x8001, 1, 5, 1); }, 'p',
         Cat({{1, 5}, ff3, {1}}), false},
        {"base with PTU by range", [] { return RequestBaseWithPtuReportByRange(6, 0x8001, 2, 1, 8000, 1); }, 'p',
         {2, 1, 0, 0x40, 0x1F, 1}, false},
        {"full PLU by group", [] { return RequestFullPluReportByGroup(6, 0x8001, 3, 20, 0); }, 'b',
         Cat({{3, 20}, ff3, {0}}), false},
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
         Cat({{1}, Bytes(13, 0), {2}}), true},
        {"copy of the cache memory", [] { return RequestCopyCacheMemory(6, 0x8001, 9, 1); }, 0x01,
         Cat({{4}, Bytes(13, 0), {1}}), true},
        // These go to address 1 whatever they are given.
        {"function key", [] { return SendFunctionKey(5, 0x8001, 1, 2, 3); }, 'O', {1, 2, 3, 0}, false, 1},
        {"configuration", [&] { return SendConfiguration(5, 0x8001, record, 1); }, 0x03,
         Bytes(record, record + 27), true, 1},
        {"configuration of the older model", [&] { return SendConfiguration(5, 0x8001, record, 0); }, 0x03,
         Bytes(record, record + 22), true, 1},
        {"e-mail", [&] { return SendEmailParams(5, 0x8001, email); }, 'm', Bytes(email, email + 243), true, 1},
        {"Wi-Fi", [&] { return SendWifiParams(5, 0x8001, wifi); }, 'e', Bytes(wifi, wifi + 186), true, 1},
        {"header graphic row", [&] { return SendHeaderGraphicRow(5, 0x8001, 95, pixels); }, 'l',
         Cat({{95}, Bytes(pixels, pixels + 48)}), false, 1},
        {"footer graphic row", [&] { return SendFooterGraphicRow(5, 0x8001, 0, pixels); }, 'd',
         Cat({{0}, Bytes(pixels, pixels + 48)}), false, 1},
        {"delete header graphic", [] { return DeleteHeaderGraphic(5, 0x8001); }, 0x09, {'N'}, false, 1},
        {"delete footer graphic", [] { return DeleteFooterGraphic(5, 0x8001); }, 0x09, {'S'}, false, 1},
        {"port test", [&] { return SendPortTest(test, 0x8001); }, '8', {1, 2, 3, 4, 5}, false, 1},
        {"port query", [] { return SendPortQuery(5, 0x8001); }, '9', {}, false, 1},
        {"clear database", [] { return SendClearDatabase(5, 0x8001); }, 'c', {1}, false, 1},
        {"clear sales", [] { return SendClearSales(5, 0x8001); }, 0xCB, {1}, false, 1},
        {"probe", [] { return SendProbeQ(6, 0x8001, 0x33); }, 'Q', {0x33}, true},
        {"cache dump", [] { return RequestCacheDump(6, 0x8001); }, ':', {1}, true},
    };
    Link.RegisterAddress = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.send(), 1);
        EXPECT_EQ(Sent(c.payload.size() + 9), RegisterFrame(c.command, c.payload, 0x8001, c.address));
    }
    EXPECT_EQ(SendConfiguration(5, 0x8001, record, 2), 0);
    EXPECT_TRUE(NothingSent());

    // A send that fails: only the requests whose result reports the send say so.
    LinkSettings.ComPortNumber = NoComPort;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.Clear();
        EXPECT_EQ(c.send(), c.reportsSend ? 0 : 1);
        EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Nie wybrano portu komunikacyjnego!!")});
    }
}

