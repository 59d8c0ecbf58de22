// The information window against the emulator over a pseudo-terminal and over loopback TCP:
// both record layouts and the replies that fill nothing.
#include "service/DaneInformacyjne.h"
#include "tests/service/ServiceTestUtil.h"

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

} // namespace

using InfoWindow = LinkTest;

TEST_P(InfoWindow, BothLayoutsFillEveryLabelAndBrokenRepliesNone)
{
    ServiceRig rig(GetParam());
    ASSERT_TRUE(rig.connected);
    TDaneInformacyjne w;
    emu::Bytes old = OldPayload();
    old[100] = 0;   // no planned change
    old[48] = 0;    // no fiscal-memory write yet
    struct Layout {
        emu::Bytes Payload;
        std::vector<std::pair<QLabel*, const char*>> Texts;
        bool ChangeRows;
    };
    const Layout layouts[] = {
        {NewPayload(),
         {{w.Label25, "1,05"}, {w.Label61, "RIVO 01.05"}, {w.Label26, "ABC 1234567890"}, {w.Label27, "5260250995"},
          {w.Label28, "4660"}, {w.Label29, "FISKALNY"}, {w.Label30, "ZAMKNIĘTA. TYLKO DO ODCZYTU"},
          {w.Label31, "5-3-2024"}, {w.Label32, "09:05   31-12-2025"}, {w.Label33, "321"},
          {w.Label34, "Niezainicjowany"}, {w.Label35, "2"}, {w.Label36, "17"}, {w.Label37, "123456"},
          {w.Label38, "TAK"}, {w.Label39, "NIE"}, {w.Label40, "TAK"}, {w.Label63, "4"}, {w.Label41, "7"},
          {w.Label42, "Łucja"}, {w.Label44, "PLN"},
          {w.Label45, "00:00   0-0-0"},   // no "brak" for this date
          {w.Label51, "TAK"}, {w.Label54, "EU"}, {w.Label56, "13:45   2-1-2024"}, {w.Label46, "Wirtualna klawiatura"},
          {w.Label47, "6"},   // outside the list: the byte itself
          {w.Label48, "Monitoring"}, {w.Label66, "Wirtualna klawiatura"}, {w.Label43, "2048"}},
         true},
        // Two characters less of the unique number, fields shifted, the shorter port lists.
        {old,
         {{w.Label26, "ABC 12345678"}, {w.Label27, "5260250995"}, {w.Label42, "Łucja"}, {w.Label46, "4"},
          {w.Label48, "3"}, {w.Label66, "Nie zainstalowane"}, {w.Label43, "2048"}, {w.Label51, "NIE"},
          {w.Label31, "brak"}},
         false},
    };
    for (const Layout& l : layouts) {
        rig.fx.Emu().SetInfoRecord(l.Payload);
        w.Button1Click();
        EXPECT_TRUE(rig.prompts.Texts().isEmpty()) << rig.prompts.Texts().join("|").toStdString();
        for (const auto& [label, text] : l.Texts)
            EXPECT_EQ(label->text(), QString::fromUtf8(text));
        for (QLabel* label : {w.Label52, w.Label53, w.Label54, w.Label55, w.Label56, w.Label57})
            EXPECT_EQ(label->isEnabled(), l.ChangeRows);
    }

    // Broken replies and an error frame leave the labels as they were.
    struct Fault {
        const char* Name;
        std::function<void()> Set;
        QString Message;
    };
    const Fault faults[] = {
        {"error frame", [&] { rig.fx.Emu().LockFaults()->ErrorCode = 75; }, "Błąd 75: " + ErrorText(75)},
        {"checksum", [&] { rig.fx.Emu().LockFaults()->WrongChecksumReplies = 1; }, "Brak komunikacji"},
        {"truncated", [&] { rig.fx.Emu().LockFaults()->ShortReplyBytes = 90; }, "Brak komunikacji"},
        {"length 125", [&] { rig.fx.Emu().SetInfoRecord(emu::Bytes(116, 0x31)); }, "Brak komunikacji"},
        {"length 383", [&] { rig.fx.Emu().SetInfoRecord(emu::Bytes(374, 0x31)); }, "Brak komunikacji"},
    };
    for (const Fault& f : faults) {
        f.Set();
        w.Button1Click();
        EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{f.Message}) << f.Name;
        EXPECT_EQ(w.Label25->text(), "1,05") << f.Name;
        EXPECT_EQ(w.Label26->text(), "ABC 12345678") << f.Name;
        EXPECT_TRUE(w.isEnabled()) << f.Name;
    }
    EXPECT_TRUE(w.Panel7->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Lines, InfoWindow, ::testing::Values(false, true), LinkName);
