// The information record: decoding both layouts, checking the reply, and the window against the
// emulator over a pseudo-terminal and over loopback TCP.
#include "emulator/FrameCodec.h"
#include "platform/Cp1250.h"
#include "service/DaneInformacyjne.h"
#include "service/InfoRecordLogic.h"
#include "tests/service/ServiceTestUtil.h"
#include "tests/support/PtyPair.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QLabel>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

namespace {

void PutText(emu::Bytes& b, std::size_t at, const std::string& text) { std::memcpy(&b[at], text.data(), text.size()); }

// A record in the new layout with a value in every field.
emu::Bytes NewPayload()
{
    emu::Bytes p(118, 0);
    emu::PutU16(&p[0], 105);
    PutText(p, 2, "RIVO 01.05");
    PutText(p, 12, "ABC 1234567890");
    PutText(p, 26, "5260250995");
    emu::PutU16(&p[43], 4660);
    p[45] = 1;
    p[46] = 1;
    const uint8_t lastWrite[] = {20, 24, 3, 5};
    std::memcpy(&p[47], lastWrite, 4);
    const uint8_t lastReport[] = {20, 25, 12, 31, 9, 5};
    std::memcpy(&p[51], lastReport, 6);
    emu::PutU16(&p[57], 321);
    p[59] = 0;
    p[60] = 2;
    emu::PutU16(&p[61], 17);
    emu::PutU32(&p[63], 123456);
    p[67] = 1;
    p[68] = 0;
    p[69] = 1;
    p[70] = 4;
    p[71] = 7;
    PutText(p, 72, ToCp1250("Łucja"));
    PutText(p, 93, "PLN");
    p[102] = 1;
    PutText(p, 103, "EU");
    emu::PutU16(&p[106], 2024);
    const uint8_t change[] = {1, 2, 13, 45};
    std::memcpy(&p[108], change, 4);
    p[112] = 4;
    p[113] = 6;
    p[114] = 3;
    p[115] = 2;
    emu::PutU16(&p[116], 2048);
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
    EXPECT_EQ(t.Version, "1,05");
    EXPECT_EQ(t.ProgramMemory, "RIVO 01.05");
    EXPECT_EQ(t.UniqueNumber, "ABC 1234567890");
    EXPECT_EQ(t.Nip, "5260250995");
    EXPECT_EQ(t.Signature, "4660");
    EXPECT_EQ(t.WorkingMode, "FISKALNY");
    EXPECT_EQ(t.MemoryState, "ZAMKNIĘTA. TYLKO DO ODCZYTU");
    EXPECT_EQ(t.LastWrite, "5-3-2024");
    EXPECT_EQ(t.LastReport, "09:05   31-12-2025");
    EXPECT_EQ(t.ReportNumber, "321");
    EXPECT_EQ(t.CopyMedium, "Niezainicjowany");
    EXPECT_EQ(t.RamClears, "2");
    EXPECT_EQ(t.ReceiptsSinceReport, "17");
    EXPECT_EQ(t.ReceiptsSinceFiscal, "123456");
    EXPECT_EQ(t.SalesStarted, "TAK");
    EXPECT_EQ(t.ServiceMode, "NIE");
    EXPECT_EQ(t.HeaderProgrammed, "TAK");
    EXPECT_EQ(t.VatWrites, "4");
    EXPECT_EQ(t.RegisterNumber, "7");
    EXPECT_EQ(t.Cashier, "Łucja");
    EXPECT_EQ(t.CurrencySymbol, "PLN");
    EXPECT_EQ(t.CurrencyDate, "00:00   0-0-0");   // no "brak" for this date
    EXPECT_EQ(t.ChangePlanned, "TAK");
    EXPECT_TRUE(t.ChangeRowsEnabled);
    EXPECT_EQ(t.NewSymbol, "EU");                  // ends at its zero byte
    EXPECT_EQ(t.ChangeDate, "13:45   2-1-2024");   // plain u16 year
    EXPECT_EQ(t.ComA, "Wirtualna klawiatura");
    EXPECT_EQ(t.ComB, "6");                        // outside the list: the byte itself
    EXPECT_EQ(t.Usb, "Monitoring");
    EXPECT_EQ(t.Wifi, "Wirtualna klawiatura");
    EXPECT_EQ(t.CardSize, "2048");
}

TEST(InfoRecordDecode, OldLayoutShiftsFieldsAndShortensItsLists)
{
    const InfoRecordTexts t = Decode(OldPayload(), InfoLayout::Old);
    EXPECT_EQ(t.UniqueNumber, "ABC 12345678");
    EXPECT_EQ(t.Nip, "5260250995");
    EXPECT_EQ(t.LastReport, "09:05   31-12-2025");
    EXPECT_EQ(t.Cashier, "Łucja");
    EXPECT_EQ(t.ChangeDate, "13:45   2-1-2024");
    EXPECT_EQ(t.ComA, "4");
    EXPECT_EQ(t.ComB, "6");
    EXPECT_EQ(t.Usb, "3");
    EXPECT_EQ(t.Wifi, "Nie zainstalowane");
    EXPECT_EQ(t.CardSize, "2048");
}

TEST(InfoRecordDecode, ZeroDaysAndNoPlannedChange)
{
    emu::Bytes p = NewPayload();
    p[50] = 0;    // day of the last write
    p[54] = 0;    // day of the last report
    p[109] = 0;   // day of the change
    p[102] = 0;
    p[112] = 0;
    p[114] = 0;
    const InfoRecordTexts t = Decode(p, InfoLayout::New);
    EXPECT_EQ(t.LastWrite, "brak");
    EXPECT_EQ(t.LastReport, "brak");
    EXPECT_EQ(t.ChangeDate, "brak");
    EXPECT_EQ(t.ChangePlanned, "NIE");
    EXPECT_FALSE(t.ChangeRowsEnabled);
    EXPECT_EQ(t.ComA, "Komputer PC");
    EXPECT_EQ(t.Usb, "Brak");
}

TEST(InfoRecordReply, OnlyWholeRecordFramesOfTheTwoLengthsPass)
{
    struct Case {
        const char* Name;
        emu::Bytes Bytes;
        InfoReply Expected;
        InfoLayout Layout;
    };
    const emu::Bytes good = emu::MakeFrame(1, 0x8001, 'I', NewPayload(), 127);
    emu::Bytes badSum = good;
    badSum[125] ^= 0x55;
    emu::Bytes badEnd = good;
    badEnd[126] = 0;
    const emu::Bytes cut(good.begin(), good.begin() + 100);
    const Case cases[] = {
        {"new", good, InfoReply::Record, InfoLayout::New},
        {"old", emu::MakeFrame(1, 0x8001, 'I', OldPayload(), 124), InfoReply::Record, InfoLayout::Old},
        {"checksum", badSum, InfoReply::Broken, InfoLayout::New},
        {"end byte", badEnd, InfoReply::Broken, InfoLayout::New},
        {"truncated", cut, InfoReply::Broken, InfoLayout::New},
        {"length 125", emu::MakeFrame(1, 0x8001, 'I', emu::Bytes(116, 1), 125), InfoReply::Broken, InfoLayout::New},
        {"error", emu::MakeErrorFrame(1, 0x8001, 75), InfoReply::ErrorFrame, InfoLayout::New},
        {"nothing", {}, InfoReply::Broken, InfoLayout::New},
    };
    for (const Case& c : cases) {
        InfoLayout layout = InfoLayout::New;
        EXPECT_EQ(ClassifyInfoReply(c.Bytes.data(), c.Bytes.size(), layout), c.Expected) << c.Name;
        if (c.Expected == InfoReply::Record) {
            EXPECT_EQ(layout, c.Layout) << c.Name;
        }
    }
    // A length field beyond what arrived is never read past.
    emu::Bytes big = emu::MakeFrame(1, 0x8001, 'I', emu::Bytes(374, 1), 383);
    InfoLayout layout = InfoLayout::New;
    EXPECT_EQ(ClassifyInfoReply(big.data(), 127, layout), InfoReply::Broken);
}

// ---- the window against the emulator ----

class InfoWindow : public ::testing::TestWithParam<Line> {};

TEST_P(InfoWindow, BothLayoutsShowAsTheRecordSays)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    ASSERT_TRUE(ConnectService(fx, GetParam()));
    TDaneInformacyjne w;
    EXPECT_EQ(w.Label26->text(), "________");

    fx.Emu().SetInfoRecord(NewPayload());
    w.Button1Click();
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    EXPECT_EQ(w.Label26->text(), "ABC 1234567890");
    EXPECT_EQ(w.Label66->text(), "Wirtualna klawiatura");
    EXPECT_EQ(w.Label56->text(), "13:45   2-1-2024");
    EXPECT_TRUE(w.Label54->isEnabled());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(w.Panel7->isHidden());

    emu::Bytes old = OldPayload();
    old[100] = 0;   // no planned change
    fx.Emu().SetInfoRecord(old);
    w.Button1Click();
    EXPECT_EQ(w.Label26->text(), "ABC 12345678");
    EXPECT_EQ(w.Label66->text(), "Nie zainstalowane");
    EXPECT_EQ(w.Label51->text(), "NIE");
    for (QLabel* l : {w.Label52, w.Label53, w.Label54, w.Label55, w.Label56, w.Label57})
        EXPECT_FALSE(l->isEnabled());
    // The request: 'I' with the word 0, as the single frame.
    const auto frames = fx.Emu().ReceivedFramesWithCommand('I');
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].size(), 11u);
    EXPECT_EQ(emu::GetU16(&frames[0][4]), 0x8001);
}

TEST_P(InfoWindow, BrokenRepliesLeaveTheLabelsAsTheyWere)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    ASSERT_TRUE(ConnectService(fx, GetParam()));
    TDaneInformacyjne w;
    fx.Emu().SetInfoRecord(NewPayload());
    w.Button1Click();
    ASSERT_EQ(w.Label25->text(), "1,05");

    struct Fault {
        const char* Name;
        std::function<void()> Set;
    };
    const Fault faults[] = {
        {"checksum", [&] { fx.Emu().LockFaults()->WrongChecksumReplies = 1; }},
        {"truncated", [&] { fx.Emu().LockFaults()->ShortReplyBytes = 90; }},
        {"length 125", [&] { fx.Emu().SetInfoRecord(emu::Bytes(116, 0x31)); }},
        {"length 383", [&] { fx.Emu().SetInfoRecord(emu::Bytes(374, 0x31)); }},
    };
    for (const Fault& f : faults) {
        prompts.Clear();
        f.Set();
        w.Button1Click();
        EXPECT_EQ(prompts.Texts(), QStringList{"Brak komunikacji"}) << f.Name;
        EXPECT_EQ(w.Label25->text(), "1,05") << f.Name;
        EXPECT_EQ(w.Label26->text(), "ABC 1234567890") << f.Name;
        EXPECT_TRUE(w.isEnabled()) << f.Name;
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, InfoWindow, ::testing::Values(Line::Serial, Line::Tcp), LineName);

TEST(InfoWindowByHand, ErrorFrameShowsTheRegistersErrorAndSilenceNoLink)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    PtyPair pty(6);
    ASSERT_TRUE(pty.Ok());
    LinkSettings.ComPortNumber = 6;
    ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);
    TDaneInformacyjne w;

    std::thread reg([&] {
        if (pty.Read(11, 3000).size() == 11)
            pty.Write(emu::MakeErrorFrame(1, 0x8001, 75));
    });
    w.Button1Click();
    reg.join();
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_TRUE(prompts.Texts()[0].startsWith("Błąd 75: ")) << prompts.Texts()[0].toStdString();
    EXPECT_EQ(w.Label25->text(), "________");

    prompts.Clear();
    w.Button1Click();   // nobody answers
    EXPECT_EQ(prompts.Texts(), QStringList{"Brak komunikacji"});
}
