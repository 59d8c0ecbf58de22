// The goods window against a register: sending goods, the automatic send after an add and the
// download of the register's goods table, over a pseudo-terminal and over loopback TCP.
#include "platform/ClientSocket.h"
#include "tables/ProgramowanieTowarow.h"
#include "tests/support/PtyPair.h"
#include "tests/tables/TablesTest.h"

#include <QFrame>
#include <QTableView>
#include <QTimer>

#include <thread>

namespace {

// The name of a register goods record, up to its first NUL.
std::string RegisterName(const emu::Bytes& rec)
{
    std::size_t n = 0;
    while (n < 42 && rec[2 + n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char*>(rec.data() + 2), n);
}

// A register goods record (83 bytes) as the register keeps it.
emu::Bytes RegisterRecord(uint16_t plu, const char* name, const char* barcode13, uint8_t unit)
{
    emu::Bytes r(83, 0);
    emu::PutU16(r.data(), plu);
    std::memcpy(r.data() + 2, name, std::strlen(name));
    r[44] = 'B';
    emu::PutU32(r.data() + 45, 1999);
    emu::PutU32(r.data() + 49, 30000);   // quantity sold
    emu::PutU32(r.data() + 53, 5997);    // sales value
    std::memcpy(r.data() + 57, barcode13, 13);
    r[70] = 1;
    r[71] = 0;
    r[72] = 1;
    r[73] = 0;
    r[74] = 2;
    r[79] = 24;
    r[81] = unit;
    return r;
}

} // namespace

class GoodsLink : public ::testing::TestWithParam<bool> {};

TEST_P(GoodsLink, SelectedGoodsIsSentAndStored)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_TRUE(fx.ConnectLink(GetParam()));
    StoreGoods(3, "Mleko");
    StoreGoods(5, "Chleb", 250);
    TProgramowanieTowarow w;
    w.FormShow();
    w.SelectRow(1);
    w.BitBtn1Click();

    EXPECT_EQ(prompts.Texts(), QStringList{"Towar zapisano w kasie"});
    const emu::Bytes rec = fx.Emu().GoodsRecord(5);
    EXPECT_EQ(emu::GetU16(rec.data()), 5);
    EXPECT_EQ(RegisterName(rec), "Chleb");
    EXPECT_EQ(emu::GetU32(rec.data() + 45), 250u);
    EXPECT_EQ(emu::GetU16(fx.Emu().GoodsRecord(3).data()), 0);
    const auto frames = fx.Emu().ReceivedFramesWithCommand('T');
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].size(), 93u);
    EXPECT_EQ(frames[0][90], 0);   // no confirmation asked

    // With confirmation ticked the flag travels in the frame.
    w.CheckBox3->setChecked(true);
    w.CheckBox3Click();
    EXPECT_EQ(w.ConfirmFlag, 1);
    w.BitBtn1Click();
    const auto again = fx.Emu().ReceivedFramesWithCommand('T');
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[1][90], 1);
}

TEST_P(GoodsLink, RepliesAreWaitedOutOrReportedAndTheNextDownloadReadsEveryRecord)
{
    enum Fault { Printing, Busy, Error };
    for (Fault fault : {Printing, Busy, Error}) {
        SCOPED_TRACE(fault);
        TestEnvironment env;
        ScriptedPrompts prompts;
        EmulatorFixture fx{emu::Model::Rivo};
        ASSERT_TRUE(fx.ConnectLink(GetParam()));
        fx.Emu().PutGoodsRecord(RegisterRecord(2, "Bulka", "   5900000001", 4));
        emu::Faults faults;
        faults.PrintingReplies = fault == Printing ? 1 : 0;
        faults.BusyReplies = fault == Busy ? 2 : 0;
        faults.BusyDelayMs = 50;
        faults.ErrorCode = fault == Error ? 5 : -1;
        fx.Emu().SetFaults(faults);
        StoreGoods(7, "Kawa");
        TProgramowanieTowarow w;
        w.FormShow();
        w.SelectRow(0);
        w.BitBtn1Click();
        if (fault == Error) {
            EXPECT_EQ(prompts.Texts(), QStringList{"Błąd! Kasa nie potwierdziła zapisu towaru!"});
            EXPECT_EQ(emu::GetU16(fx.Emu().GoodsRecord(7).data()), 0);
            continue;
        }
        EXPECT_EQ(prompts.Texts(), QStringList{"Towar zapisano w kasie"});
        EXPECT_EQ(RegisterName(fx.Emu().GoodsRecord(7)), "Kawa");

        prompts.Clear();
        w.BitBtn8Click();
        EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
        EXPECT_EQ(ReadGoodsName(2), "Bulka");
        EXPECT_EQ(ReadGoodsName(7), "Kawa");
    }
}

TEST_P(GoodsLink, AddSendsTheNewGoodsWhenAsked)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_TRUE(fx.ConnectLink(GetParam()));
    TProgramowanieTowarow w;
    w.FormShow();
    w.CheckBox4->setChecked(true);
    w.Edit1->setText("44");
    w.Edit2->setText("Sok jabłkowy");
    w.Edit3->setText("4,99");
    w.BitBtn4Click();
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    EXPECT_EQ(ReadGoodsName(44), ToCp1250("Sok jabłkowy"));
    const emu::Bytes rec = fx.Emu().GoodsRecord(44);
    EXPECT_EQ(RegisterName(rec), ToCp1250("Sok jabłkowy"));
    EXPECT_EQ(emu::GetU32(rec.data() + 45), 499u);

    // A refused add sends nothing.
    w.Edit1->setText("45");
    w.Edit2->setText("SOK JABŁKOWY");
    w.Edit3->setText("1,00");
    w.BitBtn4Click();
    EXPECT_EQ(fx.Emu().ReceivedFramesWithCommand('T').size(), 1u);
}

TEST_P(GoodsLink, DownloadMergesTheRegistersGoods)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_TRUE(fx.ConnectLink(GetParam()));
    fx.Emu().PutGoodsRecord(RegisterRecord(2, "Bulka", "   5900000001", 4));
    fx.Emu().PutGoodsRecord(RegisterRecord(8000, "Ostatni", "0000000000123", 9));
    StoreGoods(2, "Stara bulka");
    StoreGoods(10, "Tylko w PC");
    const uint8_t tail[15] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    DbWriteBytesAt(GoodsRecordOffset(2) + 68, tail, sizeof tail);
    const std::vector<uint8_t> only = ImageBytes(GoodsRecordOffset(10), 83);
    App.DatabaseModified = 0;

    TProgramowanieTowarow w;
    w.FormShow();
    Link.AbortRequestFlag = 1;   // a stale stop from an earlier transfer must not cut this one
    w.BitBtn8Click();

    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    EXPECT_EQ(ReadGoodsName(2), "Bulka");
    const std::vector<uint8_t> r2 = ImageBytes(GoodsRecordOffset(2), 83);
    // The whole layout of the merge is checked without a register; here what crossed the line.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r2.data() + 49), 13), "0005900000001");
    EXPECT_EQ(DbReadU32At(GoodsRecordOffset(2) + 45), 1999u);
    EXPECT_EQ(r2[67], 4);
    EXPECT_EQ(0, std::memcmp(r2.data() + 68, tail, sizeof tail));
    EXPECT_EQ(ReadGoodsName(8000), "Ostatni");
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(8000) + 67), 9);
    EXPECT_EQ(ImageBytes(GoodsRecordOffset(10), 83), only);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.GridRowCount(), 3);
    EXPECT_FALSE(w.Downloading());
    EXPECT_TRUE(w.BitBtn4->isEnabled());
    EXPECT_FALSE(w.Panel2->isVisibleTo(&w));
}

TEST(GoodsLinkDropped, DownloadOverALostTcpLinkSaysSoAndChangesNothing)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_TRUE(fx.ConnectLink(true));
    StoreGoods(4, "Herbata");
    TProgramowanieTowarow w;
    w.FormShow();
    TcpSocket().Close();   // the request cannot go out, and the send itself says nothing
    App.DatabaseModified = 0;
    w.BitBtn8Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Błąd komunikacji TCP/IP."});
    EXPECT_EQ(ReadGoodsName(4), "Herbata");
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_FALSE(w.Downloading());
}

TEST_P(GoodsLink, EscStopsTheDownloadAndKeepsWhatCame)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_TRUE(fx.ConnectLink(GetParam()));
    for (uint16_t plu = 1; plu <= 6; ++plu)
        fx.Emu().PutGoodsRecord(RegisterRecord(plu, "Towar", "0000000000001", 0));
    TProgramowanieTowarow w;
    w.show();
    bool lockedWhileRunning = false;
    QTimer::singleShot(0, &w, [&] {
        lockedWhileRunning = w.Downloading() && !w.BitBtn4->isEnabled() && !w.BitBtn1->isEnabled() &&
                             !w.StringGrid1->isEnabled() && w.BitBtn5->isEnabled() && w.Panel2->isVisible();
        PressKey(w, Qt::Key_Return);
        PressKey(w, Qt::Key_Escape);
    });
    w.BitBtn8Click();
    EXPECT_TRUE(lockedWhileRunning);
    EXPECT_TRUE(w.isVisible());   // Esc stopped the transfer, not the window
    int stored = 0;
    for (unsigned plu = 1; plu <= 6; ++plu)
        stored += GoodsSlotUsed(plu) ? 1 : 0;
    EXPECT_GE(stored, 1);
    EXPECT_LT(stored, 6);
    EXPECT_TRUE(w.BitBtn4->isEnabled());
    w.FormKeyDown(Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Lines, GoodsLink, ::testing::Bool(), LinkName);

TEST(GoodsLinkModes, NothingGoesOutWithoutARegisterOrADatabase)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    StoreGoods(5, "Chleb");
    TProgramowanieTowarow w;
    w.FormShow();
    w.SelectRow(0);
    w.BitBtn1Click();
    w.BitBtn8Click();
    w.Button2Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"Brak połączenia z Kasą Fiskalną!", "Brak połączenia z Kasą Fiskalną!",
                                            "Brak połączenia z Kasą Fiskalną!"}));

    // Register but no database: the add says why, fails (the editor stays open), keeps the
    // proposed PLU and sends nothing.
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_TRUE(fx.ConnectLink(false));
    App.WorkMode = WorkModeRegister;
    prompts.Clear();
    w.CheckBox4->setChecked(true);
    w.Edit1->setText("6");
    w.Edit2->setText("Bułka");
    w.Edit3->setText("0,80");
    App.DatabaseModified = 0;
    EXPECT_FALSE(w.AddGoods(w.InputFromControls()));
    EXPECT_EQ(prompts.Texts(), QStringList{"     Plik zamknięty.     "});
    EXPECT_EQ(w.Edit1->text(), "6");
    EXPECT_EQ(w.Edit2->text(), "Bułka");
    EXPECT_EQ(App.DatabaseModified, 0);
    App.WorkMode = WorkModeDatabase | WorkModeRegister;
    EXPECT_FALSE(GoodsSlotUsed(6));
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand('T').empty());
}

TEST(GoodsLinkModels, OlderModelGetsTheShortFrame)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = 69;
    App.RegisterModelFlag = 0;
    EmulatorFixture fx{emu::Model::TepoDux};
    ASSERT_TRUE(fx.ConnectLink(false));
    GoodsRecordFields chair = GoodsOf(2000, "Krzeslo", 12000);
    chair.Unit = 3;
    StoreGoods(chair);
    TProgramowanieTowarow w;
    w.FormShow();
    EXPECT_EQ(w.Label10->text(), QString("1999/8000a"));
    w.CheckBox3->setChecked(true);
    w.CheckBox3Click();
    w.SelectRow(0);
    w.BitBtn1Click();
    const auto frames = fx.Emu().ReceivedFramesWithCommand('T');
    ASSERT_EQ(frames.size(), 1u);
    ASSERT_EQ(frames[0].size(), 79u);
    EXPECT_EQ(emu::GetU16(frames[0].data() + 7), 2000);
    EXPECT_EQ(frames[0][76], 1);   // the confirmation flag sits before the checksum
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(frames[0].data() + 9), 7), "Krzeslo");
    EXPECT_EQ(prompts.LastText(), QString("Towar zapisano w kasie"));
    const emu::Bytes stored = fx.Emu().GoodsRecord(2000);
    EXPECT_EQ(RegisterName(stored), "Krzeslo");
    // The older model's record keeps its group and last barcode digit on the way.
    EXPECT_EQ(stored[70], DbReadByteAt(GoodsRecordOffset(2000) + GoodsField::Group));
    EXPECT_EQ(stored[69], DbReadByteAt(GoodsRecordOffset(2000) + GoodsField::Barcode + 12));
    EXPECT_EQ(stored[73], 1);  // whole units
    EXPECT_EQ(stored[81], 3);  // unit
}

namespace {

// Plays the register's side of a goods download on the master end of a pseudo-terminal.
void PlayDownload(PtyPair& pty, const std::vector<emu::Bytes>& frames, std::vector<emu::Bytes>& acks)
{
    const std::vector<uint8_t> request = pty.Read(11, 3000);
    if (request.size() != 11 || request[6] != 'T')
        return;
    for (const emu::Bytes& f : frames) {
        pty.Write(f);
        const std::vector<uint8_t> ack = pty.Read(10, 1500);
        if (ack.size() != 10)
            return;
        acks.push_back(ack);
    }
}

emu::Bytes DataFrame(uint16_t number, const emu::Bytes& record)
{
    return emu::MakeFrame(1, number, 'T', record, 92);
}

} // namespace

TEST(GoodsLinkDownloadByHand, BadPlusAreSkippedAndFramesBeforeAChecksumErrorKept)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    PtyPair pty(9);
    ASSERT_TRUE(pty.Ok());
    LinkSettings.LinkType = 0;
    LinkSettings.ComPortNumber = 9;
    ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);
    App.WorkMode = WorkModeDatabase | WorkModeRegister;
    const std::vector<uint8_t> before = ImageBytes(GoodsTableOffset, TableOffsets.HaloBlock + HaloBlockSize - GoodsTableOffset);

    emu::Bytes spoiled = DataFrame(5, RegisterRecord(5, "Zepsuty", "0000000000005", 0));
    spoiled[90] ^= 0x5A;
    const std::vector<emu::Bytes> frames = {
        DataFrame(1, RegisterRecord(3, "Trzeci", "0000000000003", 1)),
        DataFrame(2, RegisterRecord(0, "Zero", "0000000000000", 0)),
        DataFrame(3, RegisterRecord(9000, "Za duzy", "0000000000000", 0)),
        DataFrame(4, RegisterRecord(4, "Czwarty", "0000000000004", 2)),
        spoiled,
        DataFrame(0x8006, RegisterRecord(6, "Szosty", "0000000000006", 0)),
    };
    std::vector<emu::Bytes> acks;
    std::thread reg([&] { PlayDownload(pty, frames, acks); });
    TProgramowanieTowarow w;
    w.FormShow();
    w.BitBtn8Click();
    reg.join();

    EXPECT_EQ(acks.size(), 4u);   // the spoiled frame is not acknowledged
    for (const emu::Bytes& a : acks)
        EXPECT_EQ(a[7], 0);
    EXPECT_TRUE(prompts.Saw("Błąd CRC!"));
    EXPECT_EQ(ReadGoodsName(3), "Trzeci");
    EXPECT_EQ(ReadGoodsName(4), "Czwarty");
    EXPECT_FALSE(GoodsSlotUsed(5));
    EXPECT_FALSE(GoodsSlotUsed(6));
    // Nothing but records 3 and 4 changed anywhere from the goods table to the end of the tables.
    const std::vector<uint8_t> after = ImageBytes(GoodsTableOffset, before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        const bool inRecord3 = i >= 83 * 2 && i < 83 * 2 + 68;
        const bool inRecord4 = i >= 83 * 3 && i < 83 * 3 + 68;
        if (!inRecord3 && !inRecord4) {
            ASSERT_EQ(after[i], before[i]) << "offset " << GoodsTableOffset + i;
        }
    }
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.GridRowCount(), 2);
}
