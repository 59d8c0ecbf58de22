// The register's commands: one handler per command code and frame length. A new command is one
// more line in InstallHandlers and one handler.
//
// Where nothing fixes what the register does, the handlers choose something plausible and say
// so beside it.
#include "emulator/EmulatorState.h"

#include <algorithm>
#include <ctime>

namespace emu {

namespace {

// Register error codes the handlers use.
enum : uint8_t {
    ErrLength = 2,
    ErrGoodsNameTaken = 5,
    ErrGoodsNumber = 6,
    ErrVat = 7,
    ErrBarcode = 8,
    ErrGroup = 9,
    ErrPackagingOfGoods = 10,
    ErrFixedPrice = 11,
    ErrWholeUnits = 12,
    ErrDiscountNumber = 14,
    ErrDiscountKind = 15,
    ErrDiscountType = 16,
    ErrDiscountPercent = 17,
    ErrCashierNumber = 18,
    ErrCashierNameTaken = 19,
    ErrCashierRight = 20, // 20 .. 26, one per right
    ErrPaymentFormNumber = 28,
    ErrPaymentFormNameTaken = 29,
    ErrPaymentFormType = 30,
    ErrCurrencyNumber = 31,
    ErrCurrencyNameTaken = 32,
    ErrCurrencyRate = 33,
    ErrCurrencySymbol = 34,
    ErrVatRate = 35,
    ErrPackagingNumber = 36,
    ErrPackagingNameTaken = 37,
    ErrLineCount = 38,
    ErrTallLine = 39,
    ErrGroupNameTaken = 40,
    ErrYear = 59,
    ErrMonth = 60,
    ErrDay = 61,
    ErrHour = 62,
    ErrMinute = 63,
    ErrSecond = 64,
    ErrKeyNumber = 65,
    ErrNoSuchGoods = 66,
    ErrWholeUnitsOnly = 67,
    ErrQueryCode = 75,
    ErrRecordNumber = 76,
    ErrPrice = 78,
    ErrBasicGroup = 82,
    ErrHaloIndex = 85,
    ErrCashierNotProgrammed = 86,
    ErrManager = 89,
    ErrNameMismatch = 90,
    ErrGoodsSales = 91,
    ErrCashierTakings = 103,
    ErrPaymentFormTurnover = 104,
    ErrCurrencyTurnover = 105,
    ErrPackagingTurnover = 106,
    ErrGroupTurnover = 107,
    ErrCashierLoggedIn = 108,
    ErrNoSuchGroup = 111,
};

bool AnyNonZero(const Bytes& b, std::size_t from, std::size_t count)
{
    return std::any_of(b.begin() + static_cast<std::ptrdiff_t>(from),
                       b.begin() + static_cast<std::ptrdiff_t>(from + count), [](uint8_t v) { return v != 0; });
}

bool GoodsHasSales(const Bytes& rec)
{
    return AnyNonZero(rec, goodsrec::Quantity, 8);
}

std::vector<std::string> GeneratedDocuments(uint8_t kind, uint16_t first, uint16_t last)
{
    std::vector<std::string> docs;
    switch (kind) {
    case 2:
        for (uint32_t r = first; r <= last && docs.size() < 100; ++r)
            docs.push_back("KOPIA ELEKTRONICZNA\nRaport dobowy nr " + std::to_string(r) + "\nSuma PTU 0,00\n");
        break;
    case 3:
        docs.push_back("KOPIA ELEKTRONICZNA\nDokumenty z okresu\n");
        break;
    case 4:
        docs.push_back("KOPIA ELEKTRONICZNA\nPamiec podreczna\n");
        break;
    default:
        docs.push_back("KOPIA ELEKTRONICZNA\nOstatni dokument fiskalny\n");
        break;
    }
    if (docs.empty())
        docs.push_back("KOPIA ELEKTRONICZNA\n");
    return docs;
}

} // namespace

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return days[month - 1];
}

void RegisterEmulator::Impl::InstallHandlers()
{
    auto add = [this](uint8_t command, uint16_t length, RequestKind kind, Handler fn) {
        handlers[{command, length}] = HandlerEntry{kind, fn};
    };
    using K = RequestKind;
    // program frames of the tables
    add('T', 93, K::Program, &Impl::ProgramGoods); // Rivo
    add('T', 79, K::Program, &Impl::ProgramGoods); // Tepo Dux
    add('R', 38, K::Program, &Impl::ProgramDiscount);
    add('K', 45, K::Program, &Impl::ProgramCashier);
    add('F', 33, K::Program, &Impl::ProgramPaymentForm);
    add('W', 40, K::Program, &Impl::ProgramCurrency);
    add('P', 31, K::Program, &Impl::ProgramVatRates);
    add('Z', 58, K::Program, &Impl::ProgramPackaging);
    add('N', 268, K::Program, &Impl::ProgramHeader);
    add('G', 31, K::Program, &Impl::ProgramGoodsGroup);
    add('S', 44, K::Program, &Impl::ProgramQuickKey);
    add('D', 140, K::Program, &Impl::ProgramFooter);
    add('L', 45, K::Program, &Impl::ProgramHalo);
    // settings
    add('C', 17, K::Program, &Impl::ProgramClock);
    add('E', 23, K::Program, &Impl::ProgramRecordCurrency);
    add('H', 30, K::Program, &Impl::ProgramManagerPassword);
    add('q', 18, K::Program, &Impl::StoreSetting);
    add('X', 14, K::Program, &Impl::ProgramKeyForCashier);
    add('O', 13, K::Program, &Impl::ProgramKeyForCashier);
    add(0x03, 36, K::Program, &Impl::ProgramConfiguration);
    add(0x03, 31, K::Program, &Impl::ProgramConfiguration);
    add('m', 252, K::Program, &Impl::StoreSetting);
    add('e', 195, K::Program, &Impl::StoreSetting);
    add('l', 58, K::Program, &Impl::ProgramGraphicRowWithFaults);
    add('d', 58, K::Program, &Impl::ProgramGraphicRowWithFaults);
    add(0x09, 10, K::Program, &Impl::DeleteGraphic);
    add('8', 14, K::Program, &Impl::PortTest);
    add('c', 10, K::Program, &Impl::ClearDatabase);
    add(0xCB, 10, K::Program, &Impl::ClearSales);
    add('I', 25, K::Program, &Impl::StoreSetting);
    add('M', 23, K::Program, &Impl::StoreSetting);
    add('M', 33, K::Program, &Impl::ProgramUniqueNumberAndKey);
    add('J', 19, K::Program, &Impl::StoreSetting);
    // delete frames
    add('0', 54, K::Delete, &Impl::DeleteGoods);
    add('1', 32, K::Delete, &Impl::DeleteSmallRecord);
    add('2', 26, K::Delete, &Impl::DeleteSmallRecord);
    add('3', 33, K::Delete, &Impl::DeleteSmallRecord);
    add('4', 33, K::Delete, &Impl::DeleteSmallRecord);
    add('5', 53, K::Delete, &Impl::DeleteSmallRecord);
    add('6', 31, K::Delete, &Impl::DeleteSmallRecord);
    // probe, ports, read-outs
    add('Q', 10, K::Other, &Impl::Probe);
    add('9', 9, K::Other, &Impl::PortQueryOfInput);
    add(':', 10, K::Other, &Impl::CacheDump);
    add(0x01, 24, K::Other, &Impl::ElectronicCopy);
    // reports printed by the register
    add('o', 19, K::Other, &Impl::Report);
    add('s', 16, K::Other, &Impl::SalesReport);
    add('n', 10, K::Other, &Impl::Report);
    add('p', 15, K::Other, &Impl::Report);
    add('b', 15, K::Other, &Impl::Report);
    add('k', 12, K::Other, &Impl::Report);
    for (uint8_t c : {'z', 'r', 'a', 'f', 'g'})
        add(c, 12, K::Other, &Impl::Report);
    add(0x05, 17, K::Other, &Impl::Report);
    for (uint8_t c : {'w', 'v', 't', 'h'})
        add(c, 10, K::Other, &Impl::Report);
    // read requests (11 bytes, a word parameter)
    add('T', 11, K::Read, &Impl::ReadGoods);
    for (uint8_t c : {'K', 'R', 'F', 'W', 'G', 'Z'})
        add(c, 11, K::Read, &Impl::ReadSmallTable);
    add('S', 11, K::Read, &Impl::ReadQuickKeys);
    add('P', 11, K::Read, &Impl::ReadVatRates);
    add('I', 11, K::Read, &Impl::ReadInfoRecord);
    add('m', 11, K::Read, &Impl::ReadEmail);
    add('e', 11, K::Read, &Impl::ReadWifi);
    add('#', 11, K::Read, &Impl::ReadScreen);
    add('Y', 11, K::Read, &Impl::ReadSales);
    add('X', 11, K::Read, &Impl::ReadSales);
    add(0x03, 11, K::Read, &Impl::ReadConfiguration);
    add('J', 11, K::Read, &Impl::ReadGoodsUnits);
    add('N', 11, K::Read, &Impl::ReadHeader);
    add(0x06, 11, K::Read, &Impl::ReadGroupTurnover);
}

// ---------------------------------------------------------------------------------------------
// reply helpers

Reply RegisterEmulator::Impl::Accepted(const Request& rq) const
{
    Reply r;
    r.kind = Reply::Kind::Status;
    r.replyKind = ReplyAck;
    r.status = rq.last() ? 3 : 0;
    return r;
}

Reply RegisterEmulator::Impl::Error(uint8_t code)
{
    Reply r;
    r.kind = Reply::Kind::Error;
    r.code = code;
    return r;
}

Reply RegisterEmulator::Impl::SeriesOf(const Request& rq, uint8_t command, const std::vector<Bytes>& payloads,
                                       std::size_t length, uint8_t emptyStatus) const
{
    Reply r;
    r.kind = Reply::Kind::Series;
    r.emptyStatus = emptyStatus;
    for (std::size_t i = 0; i < payloads.size(); ++i) {
        uint16_t number = static_cast<uint16_t>(((i + 1) & 0x7FFF) == 0 ? 1 : (i + 1) & 0x7FFF);
        if (i + 1 == payloads.size())
            number |= LastFrameBit;
        r.frames.push_back(MakeFrame(rq.address, number, command, payloads[i], length));
    }
    return r;
}

Reply RegisterEmulator::Impl::SingleFrame(const Request& rq, const Bytes& payload, std::size_t length) const
{
    Reply r;
    r.kind = Reply::Kind::Frame;
    r.bytes = MakeFrame(rq.address, SingleFrameNumber, rq.command, payload, length);
    return r;
}

bool RegisterEmulator::Impl::NameTaken(uint8_t table, uint8_t number, const uint8_t* name, std::size_t width) const
{
    std::string key = NameKey(name, width);
    if (key.empty())
        return false;
    auto t = tables.find(table);
    if (t == tables.end())
        return false;
    return std::any_of(t->second.begin(), t->second.end(), [&](const auto& entry) {
        return entry.first != number && NameKey(&entry.second[1], width) == key;
    });
}

// ---------------------------------------------------------------------------------------------
// program frames

Reply RegisterEmulator::Impl::ProgramGoods(const Request& rq)
{
    if (rq.length != (model == Model::Rivo ? 93u : 79u))
        return Error(ErrLength);
    const uint16_t plu = GetU16(rq.payload());
    if (plu == 0 || plu > Capacity())
        return Error(ErrGoodsNumber);
    // The frame carries the PC record from its byte 2 on at frame byte 9; PC bytes 2..67 are
    // the fields, in the 93-byte and the 79-byte frame alike. Chosen here: a zero barcode
    // character counts as a blank, and group 0 (a record written without a group) as the basic
    // group.
    uint8_t pc[68] = {};
    PutU16(pc, plu);
    std::copy_n(rq.frame.begin() + 9, 66, pc + 2);
    if (pc[62] == 0)
        pc[62] = 1;

    const uint8_t letter = pc[44];
    if (letter < 'A' || letter > 'G' || !VatLetterInUse(letter))
        return Error(ErrVat);
    if (GetU32(pc + 45) > MaxPrice)
        return Error(ErrPrice);
    for (int i = 49; i < 62; ++i)
        if (!((pc[i] >= '0' && pc[i] <= '9') || pc[i] == ' ' || pc[i] == 0))
            return Error(ErrBarcode);
    if (!tables['G'].count(pc[62]))
        return Error(ErrGroup);
    if (pc[63] != 0 && !tables['Z'].count(pc[63]))
        return Error(ErrPackagingOfGoods);
    if (pc[64] > 1)
        return Error(ErrFixedPrice);
    if (pc[65] > 1)
        return Error(ErrWholeUnits);
    if (pc[66] > 9)
        return Error(ErrHaloIndex);
    std::string name = NameKey(pc + 2, goodsrec::NameWidth);
    if (!name.empty()) {
        auto [b, e] = goodsNames.equal_range(name);
        for (auto it = b; it != e; ++it)
            if (it->second != plu)
                return Error(ErrGoodsNameTaken);
    }
    Bytes rec(RegisterGoodsRecordSize, 0);
    rec[goodsrec::SaleHour] = NeverSoldHour;
    if (auto old = goods.find(plu); old != goods.end()) {
        // Goods that have sold keep their name and VAT letter until the sales are reported.
        if (GoodsHasSales(old->second) &&
            (NameKey(&old->second[goodsrec::Name], goodsrec::NameWidth) != name || old->second[goodsrec::Ptu] != letter))
            return Error(ErrGoodsSales);
        rec = old->second; // counters and the last sale stay
    }
    std::copy_n(pc, 49, rec.begin());
    std::copy_n(pc + 49, 18, rec.begin() + goodsrec::Barcode);
    rec[goodsrec::Unit] = pc[67];
    SetGoods(plu, std::move(rec));
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramDiscount(const Request& rq)
{
    const uint8_t* pc = rq.payload(); // 28-byte PC record
    if (pc[0] < 1 || pc[0] > 20)
        return Error(ErrDiscountNumber);
    if (pc[22] > 1)
        return Error(ErrDiscountKind);
    if (pc[23] > 1)
        return Error(ErrDiscountType);
    if (pc[23] == 0 && GetU32(pc + 24) > 9999)
        return Error(ErrDiscountPercent);
    Bytes& rec = tables['R'][pc[0]];
    rec.resize(TableRecordSize('R'), 0);
    std::copy_n(pc, 28, rec.begin());
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramCashier(const Request& rq)
{
    const uint8_t* pc = rq.payload(); // 33-byte PC record
    if (pc[0] < 1 || pc[0] > 20)
        return Error(ErrCashierNumber);
    for (int i = 0; i < 7; ++i)
        if (pc[26 + i] > 1)
            return Error(static_cast<uint8_t>(ErrCashierRight + i));
    if (NameTaken('K', pc[0], pc + 1, 21))
        return Error(ErrCashierNameTaken);
    Bytes& rec = tables['K'][pc[0]];
    rec.resize(TableRecordSize('K'), 0);
    std::copy_n(pc, 26, rec.begin());
    std::copy_n(pc + 26, 7, rec.begin() + 224);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramPaymentForm(const Request& rq)
{
    const uint8_t* pc = rq.payload(); // 23-byte PC record
    if (pc[0] < 1 || pc[0] > 10)
        return Error(ErrPaymentFormNumber);
    // The register's numbering: 0 card, 1 cheque, 2 voucher, 3 credit, 4 other.
    if (pc[22] > 4)
        return Error(ErrPaymentFormType);
    if (NameTaken('F', pc[0], pc + 1, 21))
        return Error(ErrPaymentFormNameTaken);
    Bytes& rec = tables['F'][pc[0]];
    rec.resize(TableRecordSize('F'), 0);
    std::copy_n(pc, 22, rec.begin());
    rec[26] = pc[22];
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramCurrency(const Request& rq)
{
    const uint8_t* pc = rq.payload(); // 30-byte PC record
    if (pc[0] < 1 || pc[0] > 10)
        return Error(ErrCurrencyNumber);
    if (NameTaken('W', pc[0], pc + 1, 21))
        return Error(ErrCurrencyNameTaken);
    const uint32_t rate = GetU32(pc + 22);
    if (rate == 0 || rate > 99999999)
        return Error(ErrCurrencyRate);
    for (int i = 27; i < 30; ++i)
        if (pc[i] == 0 || pc[i] == ' ')
            return Error(ErrCurrencySymbol);
    for (const auto& [n, other] : tables['W'])
        if (n != pc[0] && std::equal(pc + 27, pc + 30, other.begin() + 31))
            return Error(ErrCurrencySymbol);
    Bytes& rec = tables['W'][pc[0]];
    rec.resize(TableRecordSize('W'), 0);
    std::copy_n(pc, 22, rec.begin());
    std::copy_n(pc + 22, 8, rec.begin() + 26);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramVatRates(const Request& rq)
{
    const uint8_t* p = rq.payload();
    for (int i = 0; i < 7; ++i) {
        if (p[3 * i] != 'A' + i)
            return Error(ErrVat);
        uint16_t rate = GetU16(p + 3 * i + 1);
        if (rate > 9999 && rate < 0xFFFE)
            return Error(ErrVatRate);
    }
    settings['P'].assign(p, p + 22);
    ++vatWrites;
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramPackaging(const Request& rq)
{
    const uint8_t* pc = rq.payload(); // 48-byte PC record
    if (pc[0] < 1 || pc[0] > 20)
        return Error(ErrPackagingNumber);
    if (NameTaken('Z', pc[0], pc + 1, 42))
        return Error(ErrPackagingNameTaken);
    if (GetU32(pc + 43) > MaxPrice)
        return Error(ErrPrice);
    auto& table = tables['Z'];
    bool fresh = !table.count(pc[0]);
    Bytes& rec = table[pc[0]];
    rec.resize(TableRecordSize('Z'), 0);
    if (fresh)
        rec[59] = NeverSoldHour;
    std::copy_n(pc, 47, rec.begin());
    rec[65] = pc[47];
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramHeader(const Request& rq)
{
    const uint8_t* p = rq.payload(); // 259 bytes: six lines, line count, six tall flags
    if (p[252] > 6)
        return Error(ErrLineCount);
    for (int i = 253; i < 259; ++i)
        if (p[i] > 1)
            return Error(ErrTallLine);
    settings['N'].assign(p, p + 259);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramFooter(const Request& rq)
{
    const uint8_t* p = rq.payload(); // 130 bytes: three lines, line count, three tall flags; flag
    if (p[126] > 3)
        return Error(ErrLineCount);
    for (int i = 127; i < 130; ++i)
        if (p[i] > 1)
            return Error(ErrTallLine);
    settings['D'].assign(p, p + 131);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramGoodsGroup(const Request& rq)
{
    const uint8_t* p = rq.payload(); // number, 20 name bytes
    if (p[0] < 1 || p[0] > 20)
        return Error(ErrGroup);
    if (NameTaken('G', p[0], p + 1, 20))
        return Error(ErrGroupNameTaken);
    Bytes& rec = tables['G'][p[0]];
    rec.resize(TableRecordSize('G'), 0);
    rec[0] = p[0];
    std::copy_n(p + 1, 20, rec.begin() + 1);
    rec[21] = 0;
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramHalo(const Request& rq)
{
    settings['L'].assign(rq.payload(), rq.payload() + 36);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramClock(const Request& rq)
{
    const uint8_t* p = rq.payload();
    const int year = GetU16(p), month = p[2], day = p[3];
    if (year < 2000 || year > 2099)
        return Error(ErrYear);
    if (month < 1 || month > 12)
        return Error(ErrMonth);
    if (day < 1 || day > DaysInMonth(year, month))
        return Error(ErrDay);
    if (p[4] > 23)
        return Error(ErrHour);
    if (p[5] > 59)
        return Error(ErrMinute);
    if (p[6] > 59)
        return Error(ErrSecond);
    return StoreSetting(rq);
}

Reply RegisterEmulator::Impl::ProgramKeyForCashier(const Request& rq)
{
    const uint8_t* p = rq.payload(); // cashier, key, ...
    if (p[0] < 1 || p[0] > 10)
        return Error(ErrCashierNumber);
    if (p[1] < 1 || p[1] > 10)
        return Error(ErrKeyNumber);
    return StoreSetting(rq);
}

Reply RegisterEmulator::Impl::ProgramGraphicRow(const Request& rq)
{
    const uint8_t* p = rq.payload(); // row, 48 pixel bytes
    if (p[0] > 95)
        return Error(ErrRecordNumber);
    Bytes& g = rq.command == 'l' ? headerGraphic : footerGraphic;
    std::copy_n(p + 1, 48, g.begin() + p[0] * 48);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::DeleteGraphic(const Request& rq)
{
    const uint8_t which = rq.payload()[0];
    if (which == 'N')
        std::fill(headerGraphic.begin(), headerGraphic.end(), 0);
    else if (which == 'S')
        std::fill(footerGraphic.begin(), footerGraphic.end(), 0);
    else
        return Error(ErrQueryCode);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::StoreSetting(const Request& rq)
{
    settings[rq.command].assign(rq.payload(), rq.frame.data() + rq.length - 2);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ClearDatabase(const Request& rq)
{
    // Goods that have sold are not cleared away unreported.
    for (const auto& [plu, rec] : goods)
        if (GoodsHasSales(rec))
            return Error(ErrGoodsSales);
    ClearGoodsLocked();
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ClearSales(const Request& rq)
{
    for (auto& [plu, rec] : goods) {
        std::fill(rec.begin() + goodsrec::Quantity, rec.begin() + goodsrec::Barcode, 0);
        std::fill(rec.begin() + goodsrec::SaleYear, rec.begin() + goodsrec::Unit, 0);
        rec[goodsrec::SaleHour] = NeverSoldHour;
    }
    return Accepted(rq);
}

// ---------------------------------------------------------------------------------------------
// delete frames

Reply RegisterEmulator::Impl::DeleteGoods(const Request& rq)
{
    const uint8_t* p = rq.payload(); // PLU, 42 name bytes
    const uint16_t plu = GetU16(p);
    if (plu == 0 || plu > Capacity())
        return Error(ErrGoodsNumber);
    auto it = goods.find(plu);
    if (it == goods.end())
        return Error(ErrNoSuchGoods);
    if (NameKey(p + 2, goodsrec::NameWidth) != NameKey(&it->second[goodsrec::Name], goodsrec::NameWidth))
        return Error(ErrNameMismatch);
    if (GoodsHasSales(it->second))
        return Error(ErrGoodsSales);
    EraseGoods(plu);
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::DeleteSmallRecord(const Request& rq)
{
    // The name bytes compared: what the program sends of the name. A cashier's frame holds 16,
    // the others hold the whole name (a packaging's 42).
    struct Kind {
        uint8_t table;
        std::size_t compared;
    };
    Kind k{};
    switch (rq.command) {
    case '1': k = {'R', 21}; break;
    case '2': k = {'K', 16}; break;
    case '3': k = {'F', 21}; break;
    case '4': k = {'W', 21}; break;
    case '5': k = {'Z', 42}; break;
    default: k = {'G', 21}; break;
    }
    const uint8_t* p = rq.payload(); // number, name
    const uint8_t number = p[0];
    auto& table = tables[k.table];
    auto it = table.find(number);
    if (k.table == 'G' && number == 1)
        return Error(ErrBasicGroup);
    if (k.table == 'K' && number == 1)
        return Error(ErrManager);
    if (it == table.end()) {
        if (k.table == 'G')
            return Error(ErrNoSuchGroup);
        if (k.table == 'K')
            return Error(ErrCashierNotProgrammed);
        return Error(ErrNameMismatch); // there is no name to match
    }
    const Bytes& rec = it->second;
    if (NameKey(p + 1, k.compared) != NameKey(&rec[1], k.compared))
        return Error(ErrNameMismatch);
    switch (k.table) {
    case 'K':
        if (rec[246] != 0)
            return Error(ErrCashierLoggedIn);
        if (AnyNonZero(rec, 26, 8))
            return Error(ErrCashierTakings);
        break;
    case 'F':
        if (AnyNonZero(rec, 22, 4))
            return Error(ErrPaymentFormTurnover);
        break;
    case 'W':
        if (AnyNonZero(rec, 22, 4))
            return Error(ErrCurrencyTurnover);
        break;
    case 'Z':
        if (AnyNonZero(rec, 47, 8))
            return Error(ErrPackagingTurnover);
        break;
    case 'G':
        if (AnyNonZero(rec, 22, 4))
            return Error(ErrGroupTurnover);
        break;
    default:
        break;
    }
    table.erase(it);
    return Accepted(rq);
}

// ---------------------------------------------------------------------------------------------
// probe, ports, read-outs

Reply RegisterEmulator::Impl::Probe(const Request&)
{
    Reply r;
    r.kind = Reply::Kind::Status;
    r.replyKind = ReplyAttention;
    r.status = 0;
    r.attention = false;
    return r;
}

Reply RegisterEmulator::Impl::PortQuery(const Request&)
{
    Reply r;
    r.kind = Reply::Kind::Status;
    r.replyKind = '9';
    r.status = portCode;
    r.attention = false;
    return r;
}

Reply RegisterEmulator::Impl::CacheDump(const Request& rq)
{
    std::vector<Bytes> payloads;
    for (std::size_t at = 0; at < cacheMemory.size(); at += 256) {
        Bytes chunk(256, 0);
        std::copy_n(cacheMemory.begin() + static_cast<std::ptrdiff_t>(at), std::min<std::size_t>(256, cacheMemory.size() - at),
                    chunk.begin());
        payloads.push_back(chunk);
    }
    return SeriesOf(rq, ':', payloads, 265);
}

Reply RegisterEmulator::Impl::ElectronicCopy(const Request& rq)
{
    const uint8_t* p = rq.payload();
    const uint8_t kind = p[0];
    const uint8_t handling = p[14];
    if (kind < 1 || kind > 4 || handling < 1 || handling > 2)
        return Error(ErrQueryCode);
    if (handling == 1)
        return Accepted(rq); // printed by the register
    // Sent to the PC as text, one document per chunk ending in NUL; no frame and no status
    // before it (the PC reads the stream straight away).
    std::vector<std::string> docs;
    if (kind == 2) {
        const uint16_t first = GetU16(p + 1), last = GetU16(p + 7);
        const uint32_t count = last >= first ? std::min<uint32_t>(last - first + 1u, 100u) : 1u;
        if (copyDocuments.empty()) {
            docs = GeneratedDocuments(2, first, static_cast<uint16_t>(first + count - 1));
        } else {
            for (uint32_t i = 0; i < count; ++i)
                docs.push_back(copyDocuments[i % copyDocuments.size()]);
        }
    } else if (!copyDocuments.empty()) {
        docs.push_back(copyDocuments.front());
    } else {
        docs = GeneratedDocuments(kind, 0, 0);
    }
    Reply r;
    r.kind = Reply::Kind::CopyStream;
    for (const auto& d : docs) {
        Bytes chunk(d.begin(), d.end());
        chunk.push_back(0);
        r.frames.push_back(chunk);
    }
    return r;
}

// ---------------------------------------------------------------------------------------------
// read requests

Reply RegisterEmulator::Impl::ReadGoods(const Request& rq)
{
    std::vector<Bytes> payloads;
    payloads.reserve(goods.size());
    for (const auto& [plu, rec] : goods)
        payloads.push_back(rec);
    return SeriesOf(rq, 'T', payloads, GoodsReadFrameLength);
}

Reply RegisterEmulator::Impl::ReadSmallTable(const Request& rq)
{
    std::vector<Bytes> payloads;
    if (auto t = tables.find(rq.command); t != tables.end())
        for (const auto& [n, rec] : t->second)
            payloads.push_back(rec);
    return SeriesOf(rq, rq.command, payloads, TableReadFrameLength(rq.command));
}

Reply RegisterEmulator::Impl::ReadQuickKeys(const Request& rq)
{
    // One frame per programmed key, laid out as the program frame: cashier, key, bytes 2..33.
    std::vector<Bytes> payloads;
    for (const auto& [k, rec] : quickKeys)
        payloads.push_back(rec);
    return SeriesOf(rq, 'S', payloads, 44);
}

Reply RegisterEmulator::Impl::ReadVatRates(const Request& rq)
{
    // One frame laid out as the program frame: the seven letters with their rates.
    Bytes vat = settings.at('P');
    vat.resize(21);
    return SeriesOf(rq, 'P', {vat}, 31);
}

Reply RegisterEmulator::Impl::ReadInfo(const Request& rq)
{
    return SingleFrame(rq, InfoRecord(), model == Model::Rivo ? 127 : 124);
}

Reply RegisterEmulator::Impl::ReadEmail(const Request& rq)
{
    // The reply lays the block out otherwise than the program frame: the port is a u32, so the
    // fields after it lie two bytes further on.
    Bytes block = settings.count('m') ? settings.at('m') : Bytes{};
    block.resize(243, 0);
    if (!settings.count('m'))
        PutU16(&block[115], 25);
    Bytes r(243, 0);
    std::copy_n(block.begin(), 115, r.begin());          // address, subject, SMTP IP, password
    PutU32(&r[115], GetU16(&block[115]));                 // port
    std::copy_n(block.begin() + 117, 120, r.begin() + 119); // three recipients
    r[239] = block[237];                                  // graphics
    r[240] = block[238];                                  // e-mail mode
    r[241] = block[239];                                  // report mask, bits 0..15
    r[242] = block[240];
    return SingleFrame(rq, r, 252);
}

Reply RegisterEmulator::Impl::ReadWifi(const Request& rq)
{
    Bytes block = settings.count('e') ? settings.at('e') : Bytes{};
    block.resize(186, 0);
    if (!settings.count('e'))
        PutU16(&block[80], 3000);
    Bytes r(186, 0);
    std::copy_n(block.begin() + 3, 45, r.begin());       // IP, mask, gateway
    std::copy_n(block.begin() + 48, 31, r.begin() + 45); // network name
    PutU32(&r[76], GetU16(&block[80]));                  // port
    r[80] = block[0];                                    // DHCP
    r[81] = block[1];
    r[82] = block[2];                                    // Wi-Fi on
    std::copy_n(block.begin() + 82, 103, r.begin() + 83); // password
    return SingleFrame(rq, r, 195);
}

Reply RegisterEmulator::Impl::ReadConfiguration(const Request& rq)
{
    const bool rivo = model == Model::Rivo;
    return SingleFrame(rq, ConfigurationRecord(), rivo ? 36 : 31);
}

Reply RegisterEmulator::Impl::ReadGoodsUnits(const Request& rq)
{
    return SingleFrame(rq, settings.at('q'), 18);
}

Reply RegisterEmulator::Impl::ReadHeader(const Request& rq)
{
    return SingleFrame(rq, settings.at('N'), 268);
}

Reply RegisterEmulator::Impl::ReadGroupTurnover(const Request& rq)
{
    std::vector<Bytes> payloads = groupTurnover;
    if (!groupTurnoverSet) {
        // Without a history set by a test: the current month with the groups' takings.
        std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        Bytes rec(83, 0);
        rec[0] = static_cast<uint8_t>(tm.tm_mon + 1);
        PutU16(&rec[1], static_cast<uint16_t>(tm.tm_year + 1900));
        for (const auto& [n, g] : tables['G'])
            if (n >= 1 && n <= 20)
                std::copy_n(g.begin() + 22, 4, rec.begin() + 3 + 4 * (n - 1));
        payloads.push_back(rec);
    }
    for (auto& p : payloads)
        p.resize(83, 0);
    return SeriesOf(rq, 0x06, payloads, 92);
}

} // namespace emu
