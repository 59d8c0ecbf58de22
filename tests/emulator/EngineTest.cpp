// The emulator's frame engine fed by hand: framing, checks, handlers, series and faults.
#include "emulator/RegisterEmulator.h"
#include "tests/emulator/TestClient.h"

#include <gtest/gtest.h>

using namespace testclient;

namespace {

class Engine {
public:
    explicit Engine(emu::Model model = emu::Model::Rivo, uint8_t address = 1) : emu(model, address)
    {
        emu.SetReplySink([this](const Bytes& b) { replies.push_back(b); });
        auto f = emu.LockFaults();
        f->PrintingDelayMs = f->BusyDelayMs = f->PaperOutDelayMs = 0;
    }
    // Feeds the bytes and returns every reply chunk they caused.
    std::vector<Bytes> Send(const Bytes& b)
    {
        replies.clear();
        emu.Feed(b.data(), b.size());
        return replies;
    }
    // The single reply the bytes caused (empty when none or several).
    Bytes One(const Bytes& b)
    {
        auto r = Send(b);
        return r.size() == 1 ? r[0] : Bytes{};
    }

    emu::RegisterEmulator emu;
    std::vector<Bytes> replies;
};

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace

TEST(EmulatorEngine, FixedAddressFramesReachARegisterAtAnotherAddress)
{
    // The program sends the function-key and clear-database frames to address 1 always.
    Engine e(emu::Model::Rivo, 4);
    Bytes r = e.One(Frame(1, 0x8001, 'O', {1, 2, 3, 0}, 13));
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(r[6], 0x06);
    r = e.One(Frame(1, 0x8001, 'c', {1}));
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(r[6], 0x06);
    // Other frames for address 1 are still another register's.
    EXPECT_TRUE(e.Send(ReadRequest('T', 0, 1, 1)).empty());
}

TEST(EmulatorEngine, ProbeIsAnsweredOnlyAtItsAddressUnlessAnyAddress)
{
    Engine e(emu::Model::Rivo, 4);
    EXPECT_TRUE(IsStatus(e.One(Probe(4)), 'A', 0));
    EXPECT_TRUE(e.Send(Probe(1)).empty());
    e.emu.LockFaults()->AnyAddress = true;
    Bytes r = e.One(Probe(7));
    EXPECT_TRUE(IsStatus(r, 'A', 0));
    EXPECT_EQ(r[1], 7);
    // Both ignored and answered frames are on record.
    EXPECT_EQ(e.emu.ReceivedFrames().size(), 3u);
}

TEST(EmulatorEngine, GoodsProgramFrameIsStoredInTheRegisterLayout)
{
    Engine e;
    Goods g;
    g.plu = 17;
    g.name = "Mleko 2%";
    g.letter = 'B';
    g.price = 123456;
    g.barcode = "5900000000017";
    g.tandem = 0;
    g.fixed = 1;
    g.whole = 1;
    g.halo = 3;
    g.unit = 2;
    Bytes frame = GoodsFrame(g, 93, 5);
    EXPECT_TRUE(IsStatus(e.One(frame), 0x06, 0)); // no bit 15: accepted
    Bytes rec = e.emu.GoodsRecord(17);
    ASSERT_EQ(rec.size(), 83u);
    for (int i = 0; i <= 48; ++i)
        EXPECT_EQ(rec[i], frame[7 + i]) << "byte " << i;
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(rec[57 + i], frame[7 + 49 + i]) << "byte " << 57 + i;
    EXPECT_EQ(rec[81], 2);
    for (int i = 49; i <= 56; ++i)
        EXPECT_EQ(rec[i], 0) << "counter byte " << i;
    EXPECT_EQ(rec[79], 24); // never sold

    // With bit 15 the register answers "accepted, last"; counters of a sold item stay.
    rec[49] = 7;
    e.emu.PutGoodsRecord(rec);
    g.price = 999;
    EXPECT_TRUE(IsStatus(e.One(GoodsFrame(g, 93, 0x8006)), 0x06, 3));
    rec = e.emu.GoodsRecord(17);
    EXPECT_EQ(rec[49], 7);
    EXPECT_EQ(rec[45], 999 & 0xFF);
}

TEST(EmulatorEngine, GoodsReadIsStopAndWait)
{
    // Series over the lines, in PLU order, are read in the server and link tests; here the ends.
    Engine e;
    for (uint16_t plu : {3, 1}) {
        Goods g;
        g.plu = plu;
        g.name = "Towar " + std::to_string(plu);
        ASSERT_TRUE(IsStatus(e.One(GoodsFrame(g)), 0x06, 3));
    }
    Bytes f1 = e.One(ReadRequest('T'));
    ASSERT_EQ(f1.size(), 92u);
    EXPECT_EQ(Bytes(f1.begin() + 7, f1.begin() + 90), e.emu.GoodsRecord(1));
    EXPECT_EQ(U16(e.One(Ack(0)), 4), 0x8002);
    EXPECT_TRUE(e.Send(Ack(3)).empty());
    EXPECT_FALSE(e.emu.SeriesRunning());

    // Status 4 or 1 stops the series after the first frame.
    for (uint8_t stop : {4, 1}) {
        ASSERT_EQ(e.One(ReadRequest('T')).size(), 92u);
        EXPECT_TRUE(e.emu.SeriesRunning());
        EXPECT_TRUE(e.Send(Ack(stop)).empty());
        EXPECT_FALSE(e.emu.SeriesRunning());
    }
    EXPECT_TRUE(e.Send(Ack(0)).empty()); // an acknowledgement outside a series is only recorded
    EXPECT_EQ(e.emu.ReceivedFramesWithCommand(0x06).size(), 5u);
}

TEST(EmulatorEngine, EmptyTablesAnswerWithAStatus)
{
    Engine e;
    EXPECT_TRUE(IsStatus(e.One(ReadRequest('T')), 'A', 0x10));
    EXPECT_TRUE(IsStatus(e.One(ReadRequest('R')), 'A', 0x10));
    EXPECT_TRUE(IsStatus(e.One(ReadRequest('X', 0, 0x8001)), 'A', 0x10)); // no goods sold: nothing to send
    Goods g;
    e.One(GoodsFrame(g));
    EXPECT_TRUE(IsStatus(e.One(ReadRequest('X', 0, 0x8001)), 'A', 0x40));
    Bytes y = e.One(ReadRequest('Y', 0, 0x8001));
    ASSERT_EQ(y.size(), 62u);
    EXPECT_EQ(U16(y, 4), 0x8001);
}

TEST(EmulatorEngine, TepoDuxTakesTheShortGoodsFrameAndShortConfiguration)
{
    Engine e(emu::Model::TepoDux);
    Goods g;
    g.plu = 2000;
    EXPECT_TRUE(IsStatus(e.One(GoodsFrame(g, 79)), 0x06, 3));
    EXPECT_EQ(e.emu.GoodsRecord(2000)[44], 'A');
    EXPECT_TRUE(IsError(e.One(GoodsFrame(g, 93)), 2));
    g.plu = 2001;
    EXPECT_TRUE(IsError(e.One(GoodsFrame(g, 79)), 6));
    EXPECT_EQ(e.One(ReadRequest('T')).size(), 92u);

    // The older model's frame as the program lays it out: PC bytes 2..60 at 9..67, zero after.
    Goods short_;
    short_.plu = 12;
    short_.name = "Kawa";
    short_.price = 1999;
    Bytes literal = GoodsFrame(short_, 79);
    std::fill(literal.begin() + 68, literal.begin() + 76, 0);
    literal[77] = Xor(literal);
    EXPECT_TRUE(IsStatus(e.One(literal), 0x06, 3));
    Bytes rec = e.emu.GoodsRecord(12);
    EXPECT_EQ(std::string(rec.begin() + 2, rec.begin() + 6), "Kawa");
    EXPECT_EQ(rec[45] | (rec[46] << 8), 1999);
    EXPECT_EQ(rec[70], 1); // no group given: the basic group

    Bytes c = e.One(ReadRequest(0x03, 1, 0x8001));
    ASSERT_EQ(c.size(), 31u);
    EXPECT_TRUE(ChecksumOk(c));
    Bytes record(22, 1);
    record[3] = 30;
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 0x03, record, 31)), 0x06, 3));
    EXPECT_EQ(e.emu.Setting(0x03), record);
    Bytes unknownChoice = record;
    unknownChoice[1] = 2;   // names no payment format
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 0x03, unknownChoice, 31)), 110));
    EXPECT_EQ(e.emu.Setting(0x03), record);
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 0x03, Bytes(27, 1), 36)), 2));
}

TEST(EmulatorEngine, SwitchingToTheSmallerModelDropsTheGoodsBeyondIt)
{
    Engine e;
    Goods g;
    g.plu = 5000;
    g.name = "Kawa";
    ASSERT_TRUE(IsStatus(e.One(GoodsFrame(g)), 0x06, 3));
    e.emu.SetModel(emu::Model::TepoDux);
    EXPECT_EQ(e.emu.GoodsCount(), 0u);
    // Its name went with it.
    g.plu = 1;
    EXPECT_TRUE(IsStatus(e.One(GoodsFrame(g, 79)), 0x06, 3));
}

TEST(EmulatorEngine, FrameLevelFaultsGetTheirErrorCodes)
{
    Engine e;
    Goods g;
    Bytes bad = GoodsFrame(g);
    bad[91] ^= 0x01;
    EXPECT_TRUE(IsError(e.One(bad), 1));
    EXPECT_EQ(e.emu.GoodsCount(), 0u);
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 0x7F, Bytes{1}, 10)), 0));       // unknown command
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'T', Bytes(10, 0), 20)), 2));    // known command, wrong length
    Bytes badEnd = Probe();
    badEnd[9] = 0x04;
    EXPECT_TRUE(IsError(e.One(badEnd), 3));
    // A length field that no frame can have is a length fault; the engine goes on.
    auto r = e.Send(Concat({Bytes{0x02, 0x01, 0xFF, 0x7F}, Probe()}));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(IsError(r[0], 2));
    EXPECT_TRUE(IsStatus(r[1], 'A', 0));
    // A length field that does not match the frame the bytes form.
    Bytes wrongLength = Probe();
    wrongLength[2] = 12;
    wrongLength[8] = Xor(wrongLength);
    r = e.Send(Concat({wrongLength, Bytes{0, 0}}));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(IsError(r[0], 2));
}

TEST(EmulatorEngine, GarbageIsSkippedUpToTheNextFrame)
{
    Engine e;
    // Noise, a stray start byte for another address with an absurd length, a torn header, then
    // a frame split over three feeds.
    Bytes noise = {'O', 'R', 'V', 'A', ' ', 0x00, 0xFF, 0x03, 0x02, 0x05, 0x01, 0x00};
    Bytes probe = Probe();
    Bytes stream = Concat({noise, probe});
    e.replies.clear();
    e.emu.Feed(stream.data(), 14);
    e.emu.Feed(stream.data() + 14, 3);
    e.emu.Feed(stream.data() + 17, stream.size() - 17);
    ASSERT_EQ(e.replies.size(), 1u);
    EXPECT_TRUE(IsStatus(e.replies[0], 'A', 0));
    EXPECT_GE(e.emu.SkippedBytes(), 8u);
    // A frame with a wrong end byte followed by a good one: the good one is still found.
    auto r = e.Send(Concat({Bytes{0x02, 0x01, 0x0A, 0x00, 1, 0x80, 'Q', 0, 0x99, 0x77}, Probe()}));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(IsError(r[0], 3));
    EXPECT_TRUE(IsStatus(r[1], 'A', 0));
}

TEST(EmulatorEngine, RegisterRulesAreEnforcedWithTheirErrorCodes)
{
    Engine e;
    Goods g;
    ASSERT_TRUE(IsStatus(e.One(GoodsFrame(g)), 0x06, 3));

    Goods dup = g;
    dup.plu = 2;
    EXPECT_TRUE(IsError(e.One(GoodsFrame(dup)), 5));     // name already used
    Goods badVat = dup;
    badVat.name = "Inny";
    badVat.letter = 'E';                                  // letter not in use
    EXPECT_TRUE(IsError(e.One(GoodsFrame(badVat)), 7));
    Goods badGroup = badVat;
    badGroup.letter = 'A';
    badGroup.group = 5;                                   // group not programmed
    EXPECT_TRUE(IsError(e.One(GoodsFrame(badGroup)), 9));
    Goods badBarcode = badGroup;
    badBarcode.group = 1;
    badBarcode.barcode = "00000A5907788";
    EXPECT_TRUE(IsError(e.One(GoodsFrame(badBarcode)), 8));
    Goods badHalo = badBarcode;
    badHalo.barcode = "0000000000000";
    badHalo.halo = 10;
    EXPECT_TRUE(IsError(e.One(GoodsFrame(badHalo)), 85));
    EXPECT_EQ(e.emu.GoodsCount(), 1u);

    // Deletes compare the name.
    EXPECT_TRUE(IsError(e.One(GoodsDelete(1, "Bulka")), 90));
    EXPECT_TRUE(IsError(e.One(GoodsDelete(5, "Chleb")), 66));
    EXPECT_EQ(e.emu.GoodsCount(), 1u);
    Bytes rec = e.emu.GoodsRecord(1);
    rec[53] = 1; // sold something
    e.emu.PutGoodsRecord(rec);
    EXPECT_TRUE(IsError(e.One(GoodsDelete(1, "Chleb")), 91));
    rec[53] = 0;
    e.emu.PutGoodsRecord(rec);
    EXPECT_TRUE(IsStatus(e.One(GoodsDelete(1, "Chleb", 1)), 0x06, 0));
    EXPECT_EQ(e.emu.GoodsCount(), 0u);

    // The basic group and the manager are never deleted.
    Bytes groupName(21, 0);
    std::memcpy(groupName.data(), "Grupa podstawowa", 16);
    Bytes delGroup = {1};
    delGroup.insert(delGroup.end(), groupName.begin(), groupName.end());
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, '6', delGroup, 31)), 82));
    Bytes delManager = {1, 'K', 'i', 'e', 'r', 'o', 'w', 'n', 'i', 'k'};
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, '2', delManager, 26)), 89));

    // A cashier name may not repeat; rights are 0 or 1.
    Bytes cashier(33, 0);
    cashier[0] = 2;
    std::memcpy(&cashier[1], "Kierownik", 9);
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'K', cashier, 45)), 19));
    std::memcpy(&cashier[1], "Anna     ", 9);
    cashier[28] = 2;
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'K', cashier, 45)), 22));
    // Clock fields.
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'C', Bytes{0xE8, 0x07, 13, 1, 10, 0, 0, 0}, 17)), 60));
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'C', Bytes{0xE8, 0x07, 2, 30, 10, 0, 0, 0}, 17)), 61));
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'C', Bytes{0xE8, 0x07, 2, 29, 23, 59, 59, 0}, 17)), 0x06, 3));
}

TEST(EmulatorEngine, SmallTablesMapPcRecordsToRegisterRecords)
{
    Engine e;
    // Cashier: PC bytes 0-25 stay, the seven rights move to 224-230; frames of 338 bytes.
    Bytes cashier(33, 0);
    cashier[0] = 3;
    std::memcpy(&cashier[1], "Anna", 4);
    std::memcpy(&cashier[22], "1234", 4);
    for (int i = 26; i < 33; ++i)
        cashier[i] = i % 2;
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 1, 'K', cashier, 45)), 0x06, 0));
    Bytes rec = e.emu.TableRecord('K', 3);
    ASSERT_EQ(rec.size(), 324u);
    EXPECT_EQ(Bytes(rec.begin(), rec.begin() + 26), Bytes(cashier.begin(), cashier.begin() + 26));
    EXPECT_EQ(Bytes(rec.begin() + 224, rec.begin() + 231), Bytes(cashier.begin() + 26, cashier.end()));
    Bytes k1 = e.One(ReadRequest('K'));
    ASSERT_EQ(k1.size(), 338u);
    EXPECT_EQ(k1[7], 1); // the manager first
    Bytes k2 = e.One(Ack(0));
    ASSERT_EQ(k2.size(), 338u);
    EXPECT_EQ(U16(k2, 4), 0x8002);
    EXPECT_EQ(Bytes(k2.begin() + 7, k2.begin() + 331), rec);
    e.Send(Ack(3));

    // Payment form: the type byte moves to 26. Currency: rate, decimals, symbol to 26-33.
    Bytes form(23, 0);
    form[0] = 2;
    std::memcpy(&form[1], "Karta", 5);
    form[22] = 5;   // the types are 0..4
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'F', form, 33)), 30));
    form[22] = 4;
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'F', form, 33)), 0x06, 3));
    EXPECT_EQ(e.emu.TableRecord('F', 2)[26], 4);
    EXPECT_EQ(e.One(ReadRequest('F')).size(), 40u);
    Bytes currency(30, 0);
    currency[0] = 1;
    std::memcpy(&currency[1], "Euro", 4);
    currency[22] = 0x10;
    currency[26] = 4;
    std::memcpy(&currency[27], "EUR", 3);
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'W', currency, 40)), 0x06, 3));
    Bytes w = e.emu.TableRecord('W', 1);
    EXPECT_EQ(Bytes(w.begin() + 26, w.begin() + 34), Bytes(currency.begin() + 22, currency.end()));
    std::memcpy(&currency[1], "Euro2", 5);
    currency[0] = 2;
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'W', currency, 40)), 34)); // symbol taken
    EXPECT_EQ(e.One(ReadRequest('W')).size(), 51u);

    // Discounts: a percentage above 99,99 % is refused.
    Bytes discount(28, 0);
    discount[0] = 1;
    std::memcpy(&discount[1], "Rabat", 5);
    discount[24] = 0x10;
    discount[25] = 0x27; // 10000
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'R', discount, 38)), 17));
    discount[23] = 1; // an amount may be larger
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'R', discount, 38)), 0x06, 3));
    EXPECT_EQ(e.One(ReadRequest('R')).size(), 45u);

    // Goods group: 20 name bytes; packaging: the flag moves to 65, never sold yet.
    Bytes group = {4};
    for (char c : std::string("Napoje"))
        group.push_back(static_cast<uint8_t>(c));
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'G', group, 31)), 0x06, 3));
    EXPECT_EQ(e.emu.TableRecord('G', 4)[1], 'N');
    EXPECT_EQ(e.One(ReadRequest('G')).size(), 35u);
    Bytes packaging(48, 0);
    packaging[0] = 1;
    std::memcpy(&packaging[1], "Butelka", 7);
    packaging[43] = 50;
    packaging[47] = 1;
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'Z', packaging, 58)), 0x06, 3));
    Bytes z = e.emu.TableRecord('Z', 1);
    EXPECT_EQ(z[43], 50);
    EXPECT_EQ(z[65], 1);
    EXPECT_EQ(z[59], 24);
    EXPECT_EQ(e.One(ReadRequest('Z')).size(), 75u);
    // Its delete frame carries the whole name: the first 21 bytes alone do not match.
    const std::string longName = "Butelka zwrotna 0,5 l piwo jasne";
    std::memcpy(&packaging[1], longName.data(), longName.size());
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'Z', packaging, 58)), 0x06, 3));
    Bytes del = {1};
    for (char c : longName)
        del.push_back(static_cast<uint8_t>(c));
    const Bytes cut(del.begin(), del.begin() + 22);
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, '5', cut, 53)), 90));
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, '5', del, 53)), 0x06, 3));
    EXPECT_EQ(e.emu.TableCount('Z'), 0u);
}

TEST(EmulatorEngine, SettingsAreStoredAndReadBack)
{
    Engine e;
    Bytes header(259, ' ');
    std::memcpy(header.data(), "SKLEP", 5);
    header[252] = 1;
    std::fill(header.begin() + 253, header.end(), 0);
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'N', header, 268)), 0x06, 3));
    Bytes h = e.One(ReadRequest('N', 0, 0x8001));
    ASSERT_EQ(h.size(), 268u);
    EXPECT_EQ(U16(h, 4), 0x8001);
    EXPECT_EQ(Bytes(h.begin() + 7, h.begin() + 266), header);
    header[252] = 7;
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'N', header, 268)), 38));

    Bytes vat;
    const uint16_t rates[7] = {2300, 800, 500, 0, 0xFFFE, 0xFFFF, 0xFFFF};
    for (int i = 0; i < 7; ++i)
        vat.insert(vat.end(), {static_cast<uint8_t>('A' + i), static_cast<uint8_t>(rates[i]),
                               static_cast<uint8_t>(rates[i] >> 8)});
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'P', vat, 31)), 0x06, 3));
    Bytes p = e.One(ReadRequest('P'));
    ASSERT_EQ(p.size(), 31u);
    EXPECT_EQ(Bytes(p.begin() + 7, p.begin() + 28), vat);
    vat[4] = 0x10;
    vat[5] = 0x27; // 10000 for B
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'P', vat, 31)), 35));

    Bytes units = {'k', 'g', ' ', 'o', 'p', '.', 'm', '2', ' '};
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'q', units, 18)), 0x06, 3));
    Bytes j = e.One(ReadRequest('J', 0, 0x8001));
    ASSERT_EQ(j.size(), 18u);
    EXPECT_EQ(Bytes(j.begin() + 7, j.begin() + 16), units);

    // Quick keys name goods the register has; goods sold in whole units take whole quantities.
    Goods whole;
    whole.plu = 5;
    whole.whole = 1;
    ASSERT_TRUE(IsStatus(e.One(GoodsFrame(whole)), 0x06, 3));
    Bytes quick(35, 0);
    quick[0] = 2;
    quick[1] = 10;
    quick[2] = 2;
    quick[3] = 5;                   // PLU 5
    quick[6] = 0x02;                // 131072: 13,1072 pieces
    EXPECT_TRUE(IsError(e.One(Frame(1, 1, 'S', quick, 44)), 67));
    quick[5] = 0x10;
    quick[6] = 0x27;                // 10000: one piece
    quick[9] = 6;                   // PLU 6 in the second entry: not on the register
    EXPECT_TRUE(IsError(e.One(Frame(1, 1, 'S', quick, 44)), 66));
    EXPECT_EQ(e.emu.QuickKeyRecord(2, 10)[3], 0);
    quick[9] = 0;
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 1, 'S', quick, 44)), 0x06, 0));
    EXPECT_EQ(e.emu.QuickKeyRecord(2, 10)[3], 5);
    quick[1] = 11;
    EXPECT_TRUE(IsError(e.One(Frame(1, 1, 'S', quick, 44)), 65));

    Bytes row(49, 0xAA);
    row[0] = 95;
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'l', row, 58)), 0x06, 3));
    EXPECT_EQ(e.emu.GraphicRows('l')[95 * 48], 0xAA);
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 0x09, Bytes{'N'}, 10)), 0x06, 3));
    EXPECT_EQ(e.emu.GraphicRows('l')[95 * 48], 0);

    Bytes nip(16, 0);
    std::memcpy(nip.data(), "1234567890", 10);
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'I', nip, 25)), 0x06, 3));
    EXPECT_EQ(e.emu.Setting('I'), nip);
    Bytes info = e.One(ReadRequest('I', 0, 0x8001));
    ASSERT_EQ(info.size(), 127u);
    EXPECT_EQ(Bytes(info.begin() + 7 + 26, info.begin() + 7 + 36), Bytes(nip.begin(), nip.begin() + 10));
}

TEST(EmulatorEngine, ReadOutsHaveTheirLengths)
{
    Engine e;
    Bytes screen = e.One(ReadRequest('#', 0, 0x8001));
    ASSERT_EQ(screen.size(), 1086u);
    EXPECT_EQ(screen[0], 'B');
    EXPECT_EQ(screen[1], 'M');
    EXPECT_EQ(e.One(ReadRequest('m', 1, 0x8001)).size(), 252u);
    EXPECT_EQ(e.One(ReadRequest('e', 1, 0x8001)).size(), 195u);
    Bytes g = e.One(ReadRequest(0x06, 0, 0x8001));
    ASSERT_EQ(g.size(), 92u);
    EXPECT_EQ(U16(g, 4), 0x8001);
    EXPECT_GE(g[7], 1);
    EXPECT_LE(g[7], 12);
    e.Send(Ack(3));

    // The cache memory in 265-byte frames of 256 bytes, stop-and-wait.
    Bytes cache(300);
    for (std::size_t i = 0; i < cache.size(); ++i)
        cache[i] = static_cast<uint8_t>(i);
    e.emu.SetCacheMemory(cache);
    Bytes c1 = e.One(Frame(1, 1, ':', Bytes{1}, 10));
    ASSERT_EQ(c1.size(), 265u);
    EXPECT_EQ(c1[7 + 255], 255);
    Bytes c2 = e.One(Ack(0));
    ASSERT_EQ(c2.size(), 265u);
    EXPECT_EQ(U16(c2, 4), 0x8002);
    EXPECT_EQ(c2[7 + 43], static_cast<uint8_t>(299));
    EXPECT_EQ(c2[7 + 44], 0);

    // The port query names the port.
    e.emu.SetPortCode(2);
    Bytes port = e.One(Frame(1, 0x8001, '9', Bytes{}, 9));
    ASSERT_EQ(port.size(), 10u);
    EXPECT_EQ(port[6], '9');
    EXPECT_EQ(port[7], 2);

    // Reports are printed by the register: a status reply.
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'w', Bytes{1}, 10)), 0x06, 3));
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 1, 'o', Bytes{0, 1, 1, 0, 5, 0}, 19)), 0x06, 0));

    Engine dux(emu::Model::TepoDux);
    EXPECT_EQ(dux.One(ReadRequest('I', 0, 0x8001)).size(), 124u);
}

TEST(EmulatorEngine, ElectronicCopyStreamsOneDocumentPerByteAA)
{
    Engine e;
    e.emu.SetElectronicCopy({"Dokument A\n", "Dokument B\n"});
    Bytes req(17, 0);
    req[0] = 2;     // by numbers
    req[1] = 3;     // first report 3
    req[7] = 5;     // last report 5
    req[13] = 2;    // reports only
    req[14] = 2;    // to the PC
    Bytes d1 = e.One(Frame(1, 0x8001, 0x01, req, 24));
    EXPECT_EQ(std::string(d1.begin(), d1.end()), std::string("Dokument A\n") + '\0');
    Bytes d2 = e.One(Bytes{0xAA});
    EXPECT_EQ(std::string(d2.begin(), d2.end()), std::string("Dokument B\n") + '\0');
    Bytes d3 = e.One(Bytes{0xAA});
    EXPECT_EQ(std::string(d3.begin(), d3.end()), std::string("Dokument A\n") + '\0');
    EXPECT_TRUE(e.Send(Bytes{0xAA}).empty());
    EXPECT_TRUE(e.Send(Bytes{0xAA}).empty());
    // Printed on the register: only a status.
    req[14] = 1;
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 0x01, req, 24)), 0x06, 3));
}

TEST(EmulatorEngine, AttentionFaultsComeBeforeTheRealReply)
{
    Engine e;
    e.emu.LockFaults()->PrintingReplies = 2;
    auto r = e.Send(GoodsFrame(Goods{}));
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(IsStatus(r[0], 'A', 0x08));
    EXPECT_TRUE(IsStatus(r[1], 'A', 0x08));
    EXPECT_TRUE(IsStatus(r[2], 0x06, 3));

    e.emu.LockFaults()->BusyReplies = 1;
    r = e.Send(GoodsFrame(Goods{}));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(IsStatus(r[0], 'A', 0x04));
    EXPECT_TRUE(IsStatus(r[1], 0x06, 3));

    e.emu.LockFaults()->PaperOutReplies = 1;
    r = e.Send(GoodsFrame(Goods{}, 93, 1));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(IsStatus(r[0], 'A', 0x02));
    EXPECT_TRUE(IsStatus(r[1], 0x06, 0));

    // They never come before data frames; the counter waits for the next status reply.
    e.emu.LockFaults()->PrintingReplies = 1;
    EXPECT_EQ(e.One(ReadRequest('T')).size(), 92u);
    e.Send(Ack(3));
    r = e.Send(Frame(1, 0x8001, 'v', Bytes{1}, 10));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(IsStatus(r[0], 'A', 0x08));
    EXPECT_EQ(e.emu.GetFaults().PrintingReplies, 0);
}

TEST(EmulatorEngine, ReplyFaults)
{
    Engine e;
    e.emu.LockFaults()->ErrorCode = 66;
    EXPECT_TRUE(IsError(e.One(GoodsFrame(Goods{})), 66));
    EXPECT_EQ(e.emu.GoodsCount(), 0u); // refused: not stored
    EXPECT_TRUE(IsStatus(e.One(GoodsFrame(Goods{})), 0x06, 3));

    e.emu.LockFaults()->WrongChecksumReplies = 1;
    Bytes r = e.One(Probe());
    ASSERT_EQ(r.size(), 10u);
    EXPECT_FALSE(ChecksumOk(r));
    EXPECT_TRUE(IsStatus(e.One(Probe()), 'A', 0));

    e.emu.LockFaults()->ShortReplyBytes = 6;
    EXPECT_EQ(e.One(Probe()).size(), 6u);
    EXPECT_EQ(e.One(Probe()).size(), 10u);

    e.emu.LockFaults()->SilentRequests = 1;
    Goods other;
    other.plu = 2;
    other.name = "Woda";
    EXPECT_TRUE(e.Send(GoodsFrame(other)).empty());
    EXPECT_EQ(e.emu.GoodsCount(), 1u); // not heard, not carried out
    EXPECT_TRUE(IsStatus(e.One(Probe()), 'A', 0));

    e.emu.LockFaults()->Garbage = {0xFF, 0x02, 0x13};
    auto rs = e.Send(Probe());
    ASSERT_EQ(rs.size(), 2u);
    EXPECT_EQ(rs[0], (Bytes{0xFF, 0x02, 0x13}));
    EXPECT_TRUE(IsStatus(rs[1], 'A', 0));

    // A wrong checksum on a data frame of a series.
    e.emu.LockFaults()->WrongChecksumReplies = 1;
    Bytes f = e.One(ReadRequest('T'));
    ASSERT_EQ(f.size(), 92u);
    EXPECT_FALSE(ChecksumOk(f));
    e.Send(Ack(1));

    // The drop comes after the given number of data frames.
    EXPECT_TRUE(IsStatus(e.One(GoodsFrame(other)), 0x06, 3));
    e.emu.LockFaults()->DropAfterDataFrames = 1;
    EXPECT_EQ(e.One(ReadRequest('T')).size(), 92u);
    EXPECT_TRUE(e.emu.TakeDropRequest());
    EXPECT_FALSE(e.emu.TakeDropRequest());
    EXPECT_FALSE(e.emu.SeriesRunning());
    EXPECT_TRUE(e.Send(Ack(0)).empty());
}

TEST(EmulatorEngine, DelayedRepliesWaitForPump)
{
    emu::RegisterEmulator emu;
    std::vector<Bytes> replies;
    emu.SetReplySink([&](const Bytes& b) { replies.push_back(b); });
    emu.LockFaults()->PaperOutReplies = 1;
    emu.LockFaults()->PaperOutDelayMs = 60000;
    Bytes frame = GoodsFrame(Goods{});
    emu.Feed(frame.data(), frame.size());
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(IsStatus(replies[0], 'A', 0x02));
    int wait = emu.Pump();
    EXPECT_GT(wait, 1000);
    EXPECT_EQ(replies.size(), 1u);
    // The user chose not to go on: the waiting reply is dropped.
    Bytes stop = Ack(4);
    emu.Feed(stop.data(), stop.size());
    EXPECT_EQ(emu.Pump(), -1);
    EXPECT_EQ(replies.size(), 1u);
}
