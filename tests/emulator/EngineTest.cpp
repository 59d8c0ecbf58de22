// The emulator's frame engine fed by hand: framing, checks, handlers, series, faults and the
// operator's confirmation on the register's keyboard.
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

// A table record as the PC sends it: its number, then its name.
Bytes Named(std::size_t size, uint8_t number, const std::string& name)
{
    Bytes b(size, 0);
    b[0] = number;
    std::memcpy(&b[1], name.data(), name.size());
    return b;
}

// A payment-form program frame: number, name, type, then the confirm byte.
Bytes PaymentForm(uint8_t number, const std::string& name, uint8_t type, uint8_t confirm = 0)
{
    Bytes p = Named(24, number, name);
    p[22] = type;
    p[23] = confirm;
    return Frame(1, 0x8001, 'F', p, 33);
}

} // namespace

TEST(EmulatorEngine, FixedAddressFramesReachARegisterAtAnotherAddress)
{
    // The program sends the function-key and clear-database frames to address 1 always.
    Engine e(emu::Model::Rivo, 4);
    for (const Bytes& fixed : {Frame(1, 0x8001, 'O', {1, 2, 3, 0}, 13), Frame(1, 0x8001, 'c', {1})}) {
        const Bytes reply = e.One(fixed);
        EXPECT_TRUE(reply.size() == 10u && reply[6] == 0x06) << fixed[6];
    }
    // Other frames for address 1 are still another register's, unless every address is answered.
    EXPECT_TRUE(e.Send(ReadRequest('T', 0, 1, 1)).empty());
    EXPECT_TRUE(e.Send(Probe(1)).empty());
    e.emu.LockFaults()->AnyAddress = true;
    const Bytes r = e.One(Probe(7));
    EXPECT_TRUE(IsStatus(r, 'A', 0));
    EXPECT_EQ(r[1], 7);
    EXPECT_EQ(e.emu.ReceivedFrames().size(), 5u); // ignored frames are on record too
}

TEST(EmulatorEngine, TepoDuxTakesTheShortGoodsFrameAndShortConfiguration)
{
    // Switched from the larger model: the goods beyond the smaller one's go, their names with them.
    Engine e;
    ASSERT_TRUE(IsStatus(e.One(GoodsFrame({.plu = 5000, .name = "Kawa"})), 0x06, 3));
    e.emu.SetModel(emu::Model::TepoDux);
    EXPECT_EQ(e.emu.GoodsCount(), 0u);
    Goods g{.plu = 2000};
    EXPECT_TRUE(IsStatus(e.One(GoodsFrame(g, 79)), 0x06, 3));
    EXPECT_EQ(e.emu.GoodsRecord(2000)[44], 'A');
    EXPECT_TRUE(IsError(e.One(GoodsFrame(g, 93)), 2));
    g.plu = 2001;
    EXPECT_TRUE(IsError(e.One(GoodsFrame(g, 79)), 6));
    EXPECT_EQ(e.One(ReadRequest('T')).size(), 92u);

    // The older model's frame as the program lays it out: PC bytes 2..60 at 9..67, zero after.
    Bytes literal = GoodsFrame({.plu = 12, .name = "Kawa", .price = 1999}, 79);
    std::fill(literal.begin() + 68, literal.begin() + 76, 0);
    literal[77] = Xor(literal);
    EXPECT_TRUE(IsStatus(e.One(literal), 0x06, 3)); // "Kawa" is free again
    Bytes rec = e.emu.GoodsRecord(12);
    EXPECT_EQ(std::string(rec.begin() + 2, rec.begin() + 6), "Kawa");
    EXPECT_EQ(rec[45] | (rec[46] << 8), 1999);
    EXPECT_EQ(rec[70], 1); // no group given: the basic group

    Bytes record(22, 1);
    record[3] = 30;
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 0x03, record, 31)), 0x06, 3));
    EXPECT_EQ(e.emu.Setting(0x03), record);
    Bytes unknownChoice = record;
    unknownChoice[1] = 2;   // names no payment format
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 0x03, unknownChoice, 31)), 110));
    EXPECT_EQ(e.emu.Setting(0x03), record);
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 0x03, Bytes(27, 1), 36)), 2));
    EXPECT_EQ(e.One(ReadRequest('I', 0, 0x8001)).size(), 124u); // the shorter information record
}

TEST(EmulatorEngine, GarbageIsSkippedAndFaultyFramesGetTheirErrorCodes)
{
    Engine e;
    // Noise, a stray start byte for another address with an absurd length, a torn header, then
    // a frame split over three feeds.
    Bytes noise = {'O', 'R', 'V', 'A', ' ', 0x00, 0xFF, 0x03, 0x02, 0x05, 0x01, 0x00};
    Bytes stream = Concat({noise, Probe()});
    e.emu.Feed(stream.data(), 14);
    e.emu.Feed(stream.data() + 14, 3);
    e.emu.Feed(stream.data() + 17, stream.size() - 17);
    ASSERT_EQ(e.replies.size(), 1u);
    EXPECT_TRUE(IsStatus(e.replies[0], 'A', 0));
    EXPECT_GE(e.emu.SkippedBytes(), 8u);

    Bytes badChecksum = GoodsFrame(Goods{});
    badChecksum[91] ^= 0x01;
    Bytes badEnd = Probe();
    badEnd[9] = 0x04;
    Bytes wrongLength = Probe(); // a length field that does not match the frame the bytes form
    wrongLength[2] = 12;
    wrongLength[8] = Xor(wrongLength);
    const Bytes wrongEnd = {0x02, 0x01, 0x0A, 0x00, 1, 0x80, 'Q', 0, 0x99, 0x77};
    // Each faulty frame gets its error code (-1: the probe's reply) and the engine goes on.
    struct Case {
        const char* what;
        Bytes stream;
        std::vector<int> replies;
    };
    const std::vector<Case> cases = {
        {"checksum", badChecksum, {1}},
        {"unknown command", Frame(1, 0x8001, 0x7F, Bytes{1}, 10), {0}},
        {"known command, wrong length", Frame(1, 0x8001, 'T', Bytes(10, 0), 20), {2}},
        {"end byte", badEnd, {3}},
        {"length no frame has", Concat({Bytes{0x02, 0x01, 0xFF, 0x7F}, Probe()}), {2, -1}},
        {"length of another frame", Concat({wrongLength, Bytes{0, 0}}), {2}},
        {"wrong end before a good frame", Concat({wrongEnd, Probe()}), {3, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto r = e.Send(c.stream);
        ASSERT_EQ(r.size(), c.replies.size());
        for (std::size_t i = 0; i < r.size(); ++i)
            EXPECT_TRUE(c.replies[i] < 0 ? IsStatus(r[i], 'A', 0) : IsError(r[i], c.replies[i])) << i;
    }
    EXPECT_EQ(e.emu.GoodsCount(), 0u);
}

TEST(EmulatorEngine, RegisterRulesAreEnforcedWithTheirErrorCodes)
{
    Engine e;
    ASSERT_TRUE(IsStatus(e.One(GoodsFrame(Goods{})), 0x06, 3));
    Bytes rec = e.emu.GoodsRecord(1);
    ASSERT_EQ(rec.size(), 83u);
    EXPECT_EQ(Bytes(rec.begin() + 49, rec.begin() + 57), Bytes(8, 0)); // the sales counters
    EXPECT_EQ(rec[79], 24); // never sold

    // Each refused goods breaks one rule.
    struct Refused {
        Goods goods;
        int code;
    };
    const Refused refused[] = {
        {{.plu = 2}, 5},                                // name already used
        {{.plu = 2, .name = "Inny", .letter = 'E'}, 7}, // letter not in use
        {{.plu = 2, .name = "Inny", .group = 5}, 9},    // group not programmed
        {{.plu = 2, .name = "Inny", .barcode = "00000A5907788"}, 8},
        {{.plu = 2, .name = "Inny", .barcode = "0000000000000", .halo = 10}, 85},
    };
    for (const auto& [goods, code] : refused)
        EXPECT_TRUE(IsError(e.One(GoodsFrame(goods)), code)) << code;
    EXPECT_EQ(e.emu.GoodsCount(), 1u);

    // Deletes compare the name.
    EXPECT_TRUE(IsError(e.One(GoodsDelete(1, "Bulka")), 90));
    EXPECT_TRUE(IsError(e.One(GoodsDelete(5, "Chleb")), 66));
    EXPECT_EQ(e.emu.GoodsCount(), 1u);
    rec[53] = 1; // sold something
    e.emu.PutGoodsRecord(rec);
    EXPECT_TRUE(IsError(e.One(GoodsDelete(1, "Chleb")), 91));
    // Sent again, a sold item keeps its counters; the rest is the frame in the register layout.
    const Bytes frame =
        GoodsFrame({.price = 123456, .barcode = "5900000000017", .fixed = 1, .whole = 1, .halo = 3, .unit = 2});
    EXPECT_TRUE(IsStatus(e.One(frame), 0x06, 3));
    const Bytes kept = e.emu.GoodsRecord(1);
    EXPECT_EQ(Bytes(kept.begin(), kept.begin() + 49), Bytes(frame.begin() + 7, frame.begin() + 56));
    EXPECT_EQ(Bytes(kept.begin() + 57, kept.begin() + 75), Bytes(frame.begin() + 56, frame.begin() + 74));
    EXPECT_EQ(kept[53], 1);
    EXPECT_EQ(kept[81], 2); // the unit
    rec[53] = 0;
    e.emu.PutGoodsRecord(rec);
    EXPECT_TRUE(IsStatus(e.One(GoodsDelete(1, "Chleb", 1)), 0x06, 0));
    EXPECT_EQ(e.emu.GoodsCount(), 0u);

    // The basic group and the manager are never deleted.
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, '6', Named(22, 1, "Grupa podstawowa"), 31)), 82));
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, '2', Named(10, 1, "Kierownik"), 26)), 89));

    // A cashier name may not repeat; rights are 0 or 1.
    Bytes cashier = Named(33, 2, "Kierownik");
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
    Bytes cashier = Named(33, 3, "Anna");
    std::memcpy(&cashier[22], "1234", 4);
    for (int i = 26; i < 33; ++i)
        cashier[i] = i % 2;
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 1, 'K', cashier, 45)), 0x06, 0));
    Bytes rec = e.emu.TableRecord('K', 3);
    ASSERT_EQ(rec.size(), 324u);
    EXPECT_EQ(Bytes(rec.begin(), rec.begin() + 26), Bytes(cashier.begin(), cashier.begin() + 26));
    EXPECT_EQ(Bytes(rec.begin() + 224, rec.begin() + 231), Bytes(cashier.begin() + 26, cashier.end()));
    const Bytes k1 = e.One(ReadRequest('K'));
    EXPECT_TRUE(k1.size() == 338u && k1[7] == 1); // the manager first
    const Bytes k2 = e.One(Ack(0));
    EXPECT_TRUE(k2.size() == 338u && U16(k2, 4) == 0x8002 && Bytes(k2.begin() + 7, k2.begin() + 331) == rec);
    e.Send(Ack(3));

    // Payment form: the type byte moves to 26. Currency: rate, decimals, symbol to 26-33.
    EXPECT_TRUE(IsError(e.One(PaymentForm(2, "Karta", 5)), 30)); // the types are 0..4
    ASSERT_TRUE(IsStatus(e.One(PaymentForm(2, "Karta", 4)), 0x06, 3));
    EXPECT_EQ(e.emu.TableRecord('F', 2)[26], 4);
    EXPECT_EQ(e.One(ReadRequest('F')).size(), 40u);
    Bytes currency = Named(30, 1, "Euro");
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
    Bytes discount = Named(28, 1, "Rabat");
    discount[24] = 0x10;
    discount[25] = 0x27; // 10000
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'R', discount, 38)), 17));
    discount[23] = 1; // an amount may be larger
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'R', discount, 38)), 0x06, 3));
    EXPECT_EQ(e.One(ReadRequest('R')).size(), 45u);

    // Goods group: 20 name bytes; packaging: the flag moves to 65, never sold yet.
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'G', Named(7, 4, "Napoje"), 31)), 0x06, 3));
    EXPECT_EQ(e.emu.TableRecord('G', 4)[1], 'N');
    EXPECT_EQ(e.One(ReadRequest('G')).size(), 35u);
    Bytes packaging = Named(48, 1, "Butelka");
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
    const Bytes del = Named(1 + longName.size(), 1, longName);
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
    const Bytes h = e.One(ReadRequest('N', 0, 0x8001));
    EXPECT_TRUE(h.size() == 268u && U16(h, 4) == 0x8001 && Bytes(h.begin() + 7, h.begin() + 266) == header);
    header[252] = 7;
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'N', header, 268)), 38));

    Bytes vat;
    const uint16_t rates[7] = {2300, 800, 500, 0, 0xFFFE, 0xFFFF, 0xFFFF};
    for (int i = 0; i < 7; ++i)
        vat.insert(vat.end(), {static_cast<uint8_t>('A' + i), static_cast<uint8_t>(rates[i]),
                               static_cast<uint8_t>(rates[i] >> 8)});
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'P', vat, 31)), 0x06, 3));
    const Bytes p = e.One(ReadRequest('P'));
    EXPECT_TRUE(p.size() == 31u && Bytes(p.begin() + 7, p.begin() + 28) == vat);
    vat[4] = 0x10;
    vat[5] = 0x27; // 10000 for B
    EXPECT_TRUE(IsError(e.One(Frame(1, 0x8001, 'P', vat, 31)), 35));

    Bytes units = {'k', 'g', ' ', 'o', 'p', '.', 'm', '2', ' '};
    ASSERT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'q', units, 18)), 0x06, 3));
    const Bytes j = e.One(ReadRequest('J', 0, 0x8001));
    EXPECT_TRUE(j.size() == 18u && Bytes(j.begin() + 7, j.begin() + 16) == units);

    // Quick keys name goods the register has; goods sold in whole units take whole quantities.
    ASSERT_TRUE(IsStatus(e.One(GoodsFrame({.plu = 5, .whole = 1})), 0x06, 3));
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
    const Bytes info = e.One(ReadRequest('I', 0, 0x8001));
    EXPECT_TRUE(info.size() == 127u &&
                Bytes(info.begin() + 7 + 26, info.begin() + 7 + 36) == Bytes(nip.begin(), nip.begin() + 10));
}

TEST(EmulatorEngine, ReadOutsHaveTheirLengths)
{
    Engine e;
    // Empty tables answer with a status.
    EXPECT_TRUE(IsStatus(e.One(ReadRequest('T')), 'A', 0x10));
    EXPECT_TRUE(IsStatus(e.One(ReadRequest('R')), 'A', 0x10));
    EXPECT_TRUE(IsStatus(e.One(ReadRequest('X', 0, 0x8001)), 'A', 0x10)); // no goods sold: nothing to send
    e.One(GoodsFrame(Goods{}));
    EXPECT_TRUE(IsStatus(e.One(ReadRequest('X', 0, 0x8001)), 'A', 0x40));
    const Bytes y = e.One(ReadRequest('Y', 0, 0x8001));
    EXPECT_TRUE(y.size() == 62u && U16(y, 4) == 0x8001);

    const Bytes screen = e.One(ReadRequest('#', 0, 0x8001));
    EXPECT_TRUE(screen.size() == 1086u && screen[0] == 'B' && screen[1] == 'M');
    EXPECT_EQ(e.One(ReadRequest('m', 1, 0x8001)).size(), 252u);
    EXPECT_EQ(e.One(ReadRequest('e', 1, 0x8001)).size(), 195u);
    const Bytes g = e.One(ReadRequest(0x06, 0, 0x8001));
    EXPECT_TRUE(g.size() == 92u && U16(g, 4) == 0x8001 && g[7] >= 1 && g[7] <= 12);
    e.Send(Ack(3));

    // The cache memory in 265-byte frames of 256 bytes, stop-and-wait.
    Bytes cache(300);
    for (std::size_t i = 0; i < cache.size(); ++i)
        cache[i] = static_cast<uint8_t>(i);
    e.emu.SetCacheMemory(cache);
    const Bytes c1 = e.One(Frame(1, 1, ':', Bytes{1}, 10));
    EXPECT_TRUE(c1.size() == 265u && c1[7 + 255] == 255);
    const Bytes c2 = e.One(Ack(0));
    EXPECT_TRUE(c2.size() == 265u && U16(c2, 4) == 0x8002 && c2[7 + 43] == uint8_t(299) && c2[7 + 44] == 0);

    // The port query names the port.
    e.emu.SetPortCode(2);
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, '9', Bytes{}, 9)), '9', 2));

    // Reports are printed by the register: a status reply.
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 0x8001, 'w', Bytes{1}, 10)), 0x06, 3));
    EXPECT_TRUE(IsStatus(e.One(Frame(1, 1, 'o', Bytes{0, 1, 1, 0, 5, 0}, 19)), 0x06, 0));
}

TEST(EmulatorEngine, ReplyFaults)
{
    Engine e;
    e.emu.LockFaults()->ErrorCode = 66;
    EXPECT_TRUE(IsError(e.One(GoodsFrame(Goods{})), 66));
    EXPECT_EQ(e.emu.GoodsCount(), 0u); // refused: not stored
    EXPECT_TRUE(IsStatus(e.One(GoodsFrame(Goods{})), 0x06, 3));

    e.emu.LockFaults()->WrongChecksumReplies = 1;
    const Bytes r = e.One(Probe());
    EXPECT_TRUE(r.size() == 10u && !ChecksumOk(r));
    EXPECT_TRUE(IsStatus(e.One(Probe()), 'A', 0));

    e.emu.LockFaults()->ShortReplyBytes = 6;
    EXPECT_EQ(e.One(Probe()).size(), 6u);
    EXPECT_EQ(e.One(Probe()).size(), 10u);

    e.emu.LockFaults()->SilentRequests = 1;
    const Goods other{.plu = 2, .name = "Woda"};
    EXPECT_TRUE(e.Send(GoodsFrame(other)).empty());
    EXPECT_EQ(e.emu.GoodsCount(), 1u); // not heard, not carried out
    EXPECT_TRUE(IsStatus(e.One(Probe()), 'A', 0));

    e.emu.LockFaults()->Garbage = {0xFF, 0x02, 0x13};
    const auto rs = e.Send(Probe());
    EXPECT_TRUE(rs.size() == 2u && rs[0] == Bytes({0xFF, 0x02, 0x13}) && IsStatus(rs[1], 'A', 0));

    // A wrong checksum on a data frame of a series.
    e.emu.LockFaults()->WrongChecksumReplies = 1;
    const Bytes f = e.One(ReadRequest('T'));
    EXPECT_TRUE(f.size() == 92u && !ChecksumOk(f));
    e.Send(Ack(1));

    // The drop comes after the given number of data frames.
    EXPECT_TRUE(IsStatus(e.One(GoodsFrame(other)), 0x06, 3));
    e.emu.LockFaults()->DropAfterDataFrames = 1;
    EXPECT_EQ(e.One(ReadRequest('T')).size(), 92u);
    EXPECT_TRUE(e.emu.TakeDropRequest());
    EXPECT_FALSE(e.emu.TakeDropRequest());
    EXPECT_FALSE(e.emu.SeriesRunning());
    EXPECT_TRUE(e.Send(Ack(0)).empty());

    // Attention replies before the real one: two "printing", one "busy", one "paper out" (on a
    // frame of a series: the real reply is 0).
    const std::vector<uint8_t> attention[] = {{0x08, 0x08}, {0x04}, {0x02}};
    for (const auto& kinds : attention) {
        {
            auto f = e.emu.LockFaults();
            (kinds[0] == 0x08 ? f->PrintingReplies : kinds[0] == 0x04 ? f->BusyReplies : f->PaperOutReplies) =
                int(kinds.size());
        }
        const bool series = kinds[0] == 0x02;
        const auto got = e.Send(GoodsFrame(Goods{}, 93, series ? 1 : 0x8001));
        ASSERT_EQ(got.size(), kinds.size() + 1);
        for (std::size_t i = 0; i < kinds.size(); ++i)
            EXPECT_TRUE(IsStatus(got[i], 'A', kinds[i]));
        EXPECT_TRUE(IsStatus(got.back(), 0x06, series ? 0 : 3));
    }

    // They never come before data frames; the counter waits for the next status reply.
    e.emu.LockFaults()->PrintingReplies = 1;
    EXPECT_EQ(e.One(ReadRequest('T')).size(), 92u);
    e.Send(Ack(3));
    auto v = e.Send(Frame(1, 0x8001, 'v', Bytes{1}, 10));
    ASSERT_EQ(v.size(), 2u);
    EXPECT_TRUE(IsStatus(v[0], 'A', 0x08));
    EXPECT_EQ(e.emu.GetFaults().PrintingReplies, 0);
}

TEST(OperatorConfirm, ConfirmByteHoldsTheRecordUntilTheOperatorConfirms)
{
    Engine r;
    EXPECT_TRUE(r.Send(PaymentForm(3, "Bon", 2, 1)).empty());
    EXPECT_TRUE(r.emu.ConfirmPending());
    EXPECT_TRUE(r.emu.TableRecord('F', 3) == Bytes(r.emu.TableRecord('F', 3).size(), 0));
    // Meanwhile the register serves nobody.
    EXPECT_TRUE(r.Send(Probe()).empty());
    EXPECT_TRUE(r.Send(PaymentForm(4, "Czek", 1)).empty());
    r.emu.ConfirmOnKeyboard();
    r.emu.Pump();
    ASSERT_EQ(r.replies.size(), 1u);
    EXPECT_TRUE(IsStatus(r.replies[0], 0x06, 3));
    EXPECT_FALSE(r.emu.ConfirmPending());
    EXPECT_EQ(r.emu.TableRecord('F', 3)[0], 3);
    EXPECT_EQ(r.emu.TableCount('F'), 1u);
    // Served again.
    EXPECT_EQ(r.Send(Probe()).size(), 1u);

    // With a confirm delay the register confirms by itself.
    r.emu.SetConfirmDelay(0);
    EXPECT_TRUE(r.Send(PaymentForm(1, "Kredyt", 3, 1)).empty());
    EXPECT_EQ(r.emu.Pump(), -1);
    ASSERT_EQ(r.replies.size(), 1u);
    EXPECT_TRUE(IsStatus(r.replies[0], 0x06, 3));
    EXPECT_EQ(r.emu.TableRecord('F', 1)[26], 3);
}

