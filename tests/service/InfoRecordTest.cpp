// The information record: decoding both layouts, and the window against the emulator over a
// pseudo-terminal and over loopback TCP.
#include "emulator/FrameCodec.h"
#include "platform/Cp1250.h"
#include "service/DaneInformacyjne.h"
#include "service/InfoRecordLogic.h"
#include "tests/service/ServiceTestUtil.h"

#include <QLabel>
#include <cstring>
#include <gtest/gtest.h>

namespace {

void PutText(emu::Bytes& b, std::size_t at, const std::string& text) { std::memcpy(&b[at], text.data(), text.size()); }

// A record in the new layout with a value in every field.
emu::Bytes NewPayload()
{
    emu::Bytes p(118, 0);
    // Offset and bytes: version 1,05; signature 4660; fiscal, memory closed; last write 5-3-2024;
    // last report 09:05 31-12-2025 number 321; medium 0, 2 RAM clears, receipts 17 and 123456;
    // flags; 4 PTU writes, register 7; planned change on 13:45 2-1-2024 (u16 year); ports.
    const std::pair<std::size_t, emu::Bytes> fields[] = {
        {0, {105, 0}},
        {43, {0x34, 0x12, 1, 1, 20, 24, 3, 5, 20, 25, 12, 31, 9, 5, 0x41, 1, 0, 2, 17, 0, 0x40, 0xE2, 1, 0}},
        {67, {1, 0, 1, 4, 7}},
        {102, {1, 'E', 'U', 0, 0xE8, 0x07, 1, 2, 13, 45, 4, 6, 3, 2, 0, 8}},
    };
    for (const auto& [at, bytes] : fields)
        std::copy(bytes.begin(), bytes.end(), p.begin() + long(at));
    PutText(p, 2, "RIVO 01.05");
    PutText(p, 12, "ABC 1234567890");
    PutText(p, 26, "5260250995");
    PutText(p, 72, ToCp1250("Łucja"));
    PutText(p, 93, "PLN");
    return p;
}

// The same record in the old layout: two characters less of the unique number, no Wi-Fi byte.
emu::Bytes OldPayload()
{
    emu::Bytes n = NewPayload();
    emu::Bytes o(n.begin(), n.begin() + 24);
    o.insert(o.end(), n.begin() + 26, n.begin() + 115);
    o.insert(o.end(), n.begin() + 116, n.end());
    return o;
}

InfoRecordTexts Decode(const emu::Bytes& payload, InfoLayout layout) { return DecodeInfoRecord(payload.data(), layout); }

} // namespace

TEST(InfoRecordDecode, NewLayoutFillsEveryText)
{
    const InfoRecordTexts t = Decode(NewPayload(), InfoLayout::New);
    const std::pair<const QString*, const char*> cases[] = {
        {&t.Version, "1,05"}, {&t.ProgramMemory, "RIVO 01.05"}, {&t.UniqueNumber, "ABC 1234567890"},
        {&t.Nip, "5260250995"}, {&t.Signature, "4660"}, {&t.WorkingMode, "FISKALNY"},
        {&t.MemoryState, "ZAMKNIĘTA. TYLKO DO ODCZYTU"}, {&t.LastWrite, "5-3-2024"},
        {&t.LastReport, "09:05   31-12-2025"}, {&t.ReportNumber, "321"}, {&t.CopyMedium, "Niezainicjowany"},
        {&t.RamClears, "2"}, {&t.ReceiptsSinceReport, "17"}, {&t.ReceiptsSinceFiscal, "123456"},
        {&t.SalesStarted, "TAK"}, {&t.ServiceMode, "NIE"}, {&t.HeaderProgrammed, "TAK"}, {&t.VatWrites, "4"},
        {&t.RegisterNumber, "7"}, {&t.Cashier, "Łucja"}, {&t.CurrencySymbol, "PLN"},
        {&t.CurrencyDate, "00:00   0-0-0"},   // no "brak" for this date
        {&t.ChangePlanned, "TAK"}, {&t.NewSymbol, "EU"}, {&t.ChangeDate, "13:45   2-1-2024"},
        {&t.ComA, "Wirtualna klawiatura"}, {&t.ComB, "6"},   // outside the list: the byte itself
        {&t.Usb, "Monitoring"}, {&t.Wifi, "Wirtualna klawiatura"}, {&t.CardSize, "2048"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(*text, QString::fromUtf8(expected));
    EXPECT_TRUE(t.ChangeRowsEnabled);
}

// ---- the window against the emulator ----

using InfoWindow = LinkTest;

TEST_P(InfoWindow, BothLayoutsShowAsTheRecordSays)
{
    ServiceRig rig(GetParam());
    ASSERT_TRUE(rig.connected);
    TDaneInformacyjne w;
    // An error frame shows the register's error and fills nothing.
    rig.fx.Emu().LockFaults()->ErrorCode = 75;
    w.Button1Click();
    ASSERT_EQ(rig.prompts.Texts().size(), 1);
    EXPECT_TRUE(rig.prompts.Texts()[0].startsWith("Błąd 75: ")) << rig.prompts.Texts()[0].toStdString();
    EXPECT_EQ(w.Label26->text(), "________");
    rig.prompts.Clear();

    rig.fx.Emu().SetInfoRecord(NewPayload());
    w.Button1Click();
    EXPECT_TRUE(rig.prompts.Texts().isEmpty()) << rig.prompts.Texts().join("|").toStdString();
    EXPECT_EQ(w.Label26->text(), "ABC 1234567890");
    EXPECT_EQ(w.Label66->text(), "Wirtualna klawiatura");
    EXPECT_EQ(w.Label56->text(), "13:45   2-1-2024");
    EXPECT_TRUE(w.Label54->isEnabled());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(w.Panel7->isHidden());

    emu::Bytes old = OldPayload();
    old[100] = 0;   // no planned change
    old[48] = 0;    // no fiscal-memory write yet
    rig.fx.Emu().SetInfoRecord(old);
    w.Button1Click();
    // Two characters less of the unique number, fields shifted, the shorter port lists.
    EXPECT_EQ(w.Label26->text(), "ABC 12345678");
    EXPECT_EQ(w.Label27->text(), "5260250995");
    EXPECT_EQ(w.Label42->text(), "Łucja");
    EXPECT_EQ(w.Label46->text(), "4");
    EXPECT_EQ(w.Label48->text(), "3");
    EXPECT_EQ(w.Label66->text(), "Nie zainstalowane");
    EXPECT_EQ(w.Label43->text(), "2048");
    EXPECT_EQ(w.Label51->text(), "NIE");
    EXPECT_EQ(w.Label31->text(), "brak");
    for (QLabel* l : {w.Label52, w.Label53, w.Label54, w.Label55, w.Label56, w.Label57})
        EXPECT_FALSE(l->isEnabled());
}

TEST_P(InfoWindow, BrokenRepliesLeaveTheLabelsAsTheyWere)
{
    ServiceRig rig(GetParam());
    ASSERT_TRUE(rig.connected);
    TDaneInformacyjne w;
    rig.fx.Emu().SetInfoRecord(NewPayload());
    w.Button1Click();
    ASSERT_EQ(w.Label25->text(), "1,05");

    struct Fault {
        const char* Name;
        std::function<void()> Set;
    };
    const Fault faults[] = {
        {"checksum", [&] { rig.fx.Emu().LockFaults()->WrongChecksumReplies = 1; }},
        {"truncated", [&] { rig.fx.Emu().LockFaults()->ShortReplyBytes = 90; }},
        {"length 125", [&] { rig.fx.Emu().SetInfoRecord(emu::Bytes(116, 0x31)); }},
        {"length 383", [&] { rig.fx.Emu().SetInfoRecord(emu::Bytes(374, 0x31)); }},
    };
    for (const Fault& f : faults) {
        rig.prompts.Clear();
        f.Set();
        w.Button1Click();
        EXPECT_EQ(rig.prompts.Texts(), QStringList{"Brak komunikacji"}) << f.Name;
        EXPECT_EQ(w.Label25->text(), "1,05") << f.Name;
        EXPECT_EQ(w.Label26->text(), "ABC 1234567890") << f.Name;
        EXPECT_TRUE(w.isEnabled()) << f.Name;
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, InfoWindow, ::testing::Values(false, true), LinkName);
