// The register's tables and settings: their defaults, the records the read-outs build, and the
// accessors tests use.
#include "emulator/EmulatorState.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace emu {

namespace {

void PutText(Bytes& b, std::size_t at, const char* text)
{
    std::size_t n = std::strlen(text);
    std::copy_n(text, std::min(n, b.size() - at), b.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace

RegisterEmulator::Impl::Impl()
{
    InstallHandlers();
}

std::size_t RegisterEmulator::Impl::TableRecordSize(uint8_t table)
{
    switch (table) {
    case 'K': return 324;
    case 'R': return 36;
    case 'F': return 31;
    case 'W': return 42;
    case 'G': return 26;
    case 'Z': return 66;
    default: return 0;
    }
}

std::size_t RegisterEmulator::Impl::TableReadFrameLength(uint8_t table)
{
    return table == 'K' ? 338 : TableRecordSize(table) + 9;
}

std::string RegisterEmulator::Impl::NameKey(const uint8_t* p, std::size_t width)
{
    std::size_t n = 0;
    while (n < width && p[n] != 0)
        ++n;
    while (n > 0 && p[n - 1] == ' ')
        --n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

void RegisterEmulator::Impl::SetGoods(uint16_t plu, Bytes record)
{
    EraseGoods(plu);
    record.resize(RegisterGoodsRecordSize, 0);
    PutU16(&record[goodsrec::Plu], plu);
    std::string key = NameKey(&record[goodsrec::Name], goodsrec::NameWidth);
    if (!key.empty())
        goodsNames.emplace(key, plu);
    goods[plu] = std::move(record);
}

void RegisterEmulator::Impl::EraseGoods(uint16_t plu)
{
    auto it = goods.find(plu);
    if (it == goods.end())
        return;
    std::string key = NameKey(&it->second[goodsrec::Name], goodsrec::NameWidth);
    auto [b, e] = goodsNames.equal_range(key);
    for (auto n = b; n != e; ++n)
        if (n->second == plu) {
            goodsNames.erase(n);
            break;
        }
    goods.erase(it);
}

void RegisterEmulator::Impl::ClearGoodsLocked()
{
    goods.clear();
    goodsNames.clear();
}

void RegisterEmulator::Impl::ResetTablesLocked()
{
    ClearGoodsLocked();
    tables.clear();
    quickKeys.clear();
    settings.clear();

    // The register leaves the factory as the program's new database does: the manager, the basic
    // goods group, the usual VAT rates and HALO amounts.
    Bytes manager(TableRecordSize('K'), 0);
    manager[0] = 1;
    PutText(manager, 1, "Kierownik");
    PutText(manager, 22, "9473");
    std::fill(manager.begin() + 224, manager.begin() + 231, 1);
    tables['K'][1] = manager;

    Bytes group(TableRecordSize('G'), 0);
    group[0] = 1;
    PutText(group, 1, "Grupa podstawowa");
    tables['G'][1] = group;

    Bytes vat(22, 0);
    const uint16_t rates[7] = {2300, 800, 0, 500, 0xFFFE, 0xFFFE, 0xFFFF};
    for (int i = 0; i < 7; ++i) {
        vat[3 * i] = static_cast<uint8_t>('A' + i);
        PutU16(&vat[3 * i + 1], rates[i]);
    }
    settings['P'] = vat;

    Bytes halo(36, 0);
    const uint32_t amounts[9] = {100, 200, 500, 1000, 2000, 3000, 5000, 10000, 50000};
    for (int i = 0; i < 9; ++i)
        PutU32(&halo[4 * i], amounts[i]);
    settings['L'] = halo;

    Bytes header(259, 0);
    std::fill(header.begin(), header.begin() + 252, ' ');
    settings['N'] = header;
    Bytes footer(131, 0);
    std::fill(footer.begin(), footer.begin() + 126, ' ');
    settings['D'] = footer;
    settings['q'] = Bytes(9, 0);

    // Configuration: register 1, amounts in grosze, 25 minutes without mains, 100 ms drawer pulse,
    // standard print speed, RIVO transmission, key sounds on, sleep 1 minute, backlights 60 %.
    settings[0x03] = Bytes{1, 1, 0, 25, 100, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 60, 60, 0, 0, 0, 0, 0, 0, 0};

    headerGraphic.assign(96 * 48, 0);
    footerGraphic.assign(96 * 48, 0);
    cacheMemory.resize(512);
    for (std::size_t i = 0; i < cacheMemory.size(); ++i)
        cacheMemory[i] = static_cast<uint8_t>(i % 251);
    copyDocuments.clear();
    groupTurnover.clear();
    groupTurnoverSet = false;
    vatWrites = 0;
    managerPassword.assign(10, ' ');
}

Bytes RegisterEmulator::Impl::ConfigurationRecord() const
{
    Bytes c = settings.at(0x03);
    c.resize(model == Model::Rivo ? 27 : 22);
    return c;
}

bool RegisterEmulator::Impl::VatLetterInUse(uint8_t letter) const
{
    const Bytes& vat = settings.at('P');
    for (int i = 0; i < 7; ++i)
        if (vat[3 * i] == letter)
            return GetU16(&vat[3 * i + 1]) != 0xFFFE;
    return false;
}

Bytes RegisterEmulator::Impl::InfoRecord() const
{
    // Built in the newer layout; the older model drops two characters of the unique number and
    // the Wi-Fi byte.
    Bytes r(118, 0);
    PutU16(&r[0], 105);
    PutText(r, 2, "RIVO 01.05");
    auto unique = settings.find('M');
    if (unique != settings.end())
        std::copy_n(unique->second.begin(), std::min<std::size_t>(14, unique->second.size()), r.begin() + 12);
    else
        PutText(r, 12, "ABC 1234567890");
    auto nip = settings.find('I');
    if (nip != settings.end())
        std::copy_n(nip->second.begin(), std::min<std::size_t>(16, nip->second.size()), r.begin() + 26);
    PutU16(&r[43], 0x1234);                 // fiscal memory signature
    r[45] = 0;                              // not fiscal
    r[46] = 0;                              // fiscal memory open
    r[59] = 1;                              // electronic copy medium 1
    r[69] = settings.at('N')[252] != 0 ? 1 : 0;
    r[70] = static_cast<uint8_t>(vatWrites);
    r[71] = settings.at(0x03)[0];
    if (auto cashiers = tables.find('K'); cashiers != tables.end())
        for (const auto& [n, rec] : cashiers->second)
            if (rec[246] != 0) {
                std::copy_n(rec.begin() + 1, 21, r.begin() + 72);
                break;
            }
    auto currency = settings.find('E');
    if (currency != settings.end() && currency->second.size() >= 14) {
        // The new record currency takes effect on its date: shown as a planned change.
        const Bytes& e = currency->second;
        PutText(r, 93, "PLN");
        r[102] = 1;
        std::copy_n(e.begin() + 5, 3, r.begin() + 103);
        PutU16(&r[106], GetU16(&e[10]));
        r[108] = e[12];
        r[109] = e[13];
    } else {
        PutText(r, 93, "PLN");
    }
    r[96] = 20;
    r[97] = 24;
    r[98] = 1;
    r[99] = 1;
    r[112] = 0; // COM A: PC
    r[113] = 3; // COM B: none
    r[114] = 1; // USB: PC
    r[115] = 0; // Wi-Fi: none
    PutU16(&r[116], 2048);
    if (model == Model::Rivo)
        return r;
    Bytes old;
    old.insert(old.end(), r.begin(), r.begin() + 24);      // up to 12 characters of the unique number
    old.insert(old.end(), r.begin() + 26, r.begin() + 115); // NIP .. USB
    old.insert(old.end(), r.begin() + 116, r.end());        // card size
    return old;
}

Bytes RegisterEmulator::Impl::MakeScreenBitmap() const
{
    // A 128 x 64 monochrome BMP: header, two-colour palette, pixel rows bottom-up.
    Bytes b(1086, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutU32(&b[2], 1086);
    PutU32(&b[10], 62);
    PutU32(&b[14], 40);
    PutU32(&b[18], 128);
    PutU32(&b[22], 64);
    PutU16(&b[26], 1);
    PutU16(&b[28], 1);
    PutU32(&b[34], 1024);
    PutU32(&b[38], 2835);
    PutU32(&b[42], 2835);
    PutU32(&b[46], 2);
    PutU32(&b[50], 2);
    b[58] = b[59] = b[60] = 0xFF; // colour 1 white
    for (int row = 0; row < 64; ++row)
        for (int col = 0; col < 16; ++col) {
            uint8_t v = 0xFF;
            if (row == 0 || row == 63)
                v = 0x00;
            else if (col == 0)
                v = 0x7F;
            else if (col == 15)
                v = 0xFE;
            else if (row / 8 == col / 2)
                v = 0x0F;
            b[62 + row * 16 + col] = v;
        }
    return b;
}

// ---------------------------------------------------------------------------------------------
// public accessors

Bytes RegisterEmulator::GoodsRecord(uint16_t plu) const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    auto it = impl_->goods.find(plu);
    return it == impl_->goods.end() ? Bytes(RegisterGoodsRecordSize, 0) : it->second;
}

void RegisterEmulator::PutGoodsRecord(const Bytes& record83)
{
    if (record83.size() < 2)
        return;
    std::lock_guard<std::mutex> l(impl_->mu);
    uint16_t plu = GetU16(record83.data());
    if (plu == 0 || plu > impl_->Capacity())
        return;
    impl_->SetGoods(plu, record83);
}

void RegisterEmulator::ClearGoods()
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->ClearGoodsLocked();
}

std::size_t RegisterEmulator::GoodsCount() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->goods.size();
}

std::size_t RegisterEmulator::GoodsCapacity() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->Capacity();
}

Bytes RegisterEmulator::TableRecord(uint8_t table, uint8_t number) const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    Bytes empty(Impl::TableRecordSize(table), 0);
    auto t = impl_->tables.find(table);
    if (t == impl_->tables.end())
        return empty;
    auto r = t->second.find(number);
    return r == t->second.end() ? empty : r->second;
}

void RegisterEmulator::PutTableRecord(uint8_t table, const Bytes& record)
{
    const std::size_t size = Impl::TableRecordSize(table);
    if (size == 0 || record.empty() || record[0] == 0)
        return;
    std::lock_guard<std::mutex> l(impl_->mu);
    Bytes r = record;
    r.resize(size, 0);
    impl_->tables[table][r[0]] = r;
}

void RegisterEmulator::DeleteTableRecord(uint8_t table, uint8_t number)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->tables[table].erase(number);
}

std::size_t RegisterEmulator::TableCount(uint8_t table) const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    auto t = impl_->tables.find(table);
    return t == impl_->tables.end() ? 0 : t->second.size();
}

Bytes RegisterEmulator::Setting(uint8_t command) const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    if (command == 0x03)
        return impl_->ConfigurationRecord();
    auto it = impl_->settings.find(command);
    return it == impl_->settings.end() ? Bytes{} : it->second;
}

void RegisterEmulator::PutSetting(uint8_t command, const Bytes& payload)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    Bytes& s = impl_->settings[command];
    if (command == 0x03 || command == 'P' || command == 'N' || command == 'D' || command == 'L' || command == 'q') {
        // Blocks of a fixed size keep it.
        std::copy_n(payload.begin(), std::min(payload.size(), s.size()), s.begin());
        return;
    }
    s = payload;
}

Bytes RegisterEmulator::QuickKeyRecord(uint8_t cashier, uint8_t key) const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    auto it = impl_->quickKeys.find(static_cast<uint16_t>(cashier * 256 + key));
    return it == impl_->quickKeys.end() ? Bytes(34, 0) : it->second;
}

Bytes RegisterEmulator::GraphicRows(uint8_t command) const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return command == 'd' ? impl_->footerGraphic : impl_->headerGraphic;
}

void RegisterEmulator::SetCacheMemory(const Bytes& bytes)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->cacheMemory = bytes;
}

void RegisterEmulator::SetElectronicCopy(const std::vector<std::string>& documents)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->copyDocuments = documents;
}

void RegisterEmulator::SetGroupTurnover(const std::vector<Bytes>& records83)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->groupTurnover = records83;
    impl_->groupTurnoverSet = true;
}

Bytes RegisterEmulator::ScreenBitmap() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->MakeScreenBitmap();
}

void RegisterEmulator::ResetTables()
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->ResetTablesLocked();
}

} // namespace emu
