// The electronic copy: frames and flushes of the stream reader, and the window against the
// emulator's stream over both links.
#include "service/CopyStream.h"
#include "service/OdczytKopii.h"
#include "tests/service/ServiceTestUtil.h"

#include <QComboBox>
#include <QTabWidget>

namespace {

CopyStreamReader::Chunk Take(CopyStreamReader& r, const std::string& bytes)
{
    return r.Take(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

struct CopyRig : ServiceRig {
    explicit CopyRig(bool tcp) : ServiceRig(tcp)
    {
        w.SilenceMs = 400;
        w.Edit1->setText("3");
        w.Edit2->setText("5");
    }
    TOdczytKopii w;
};

const std::vector<std::string> ThreeDocuments = {"Raport 3\nPTU A\n", "Raport 4\n", "Raport 5\n"};

} // namespace

TEST(CopyStream, FramesErrorFramesAndFlushes)
{
    std::vector<std::string> blocks;
    CopyStreamReader r(1, [&](const std::string& s) { blocks.push_back(s); });
    EXPECT_EQ(Take(r, std::string("\x02\x01\x0A\x00\x01\x80\x06\x00\x8C\x03", 10)), CopyStreamReader::Chunk::Frame);
    EXPECT_EQ(Take(r, std::string("\x02\x01\x0B\x00\x01\x80\x41\x00\x4B\x00\x03", 11)),
              CopyStreamReader::Chunk::Frame);   // a wrong checksum: no error code is believed
    EXPECT_EQ(Take(r, std::string("\x02\x01\x0B\x00\x01\x80\x41\x00\x4B\x81\x03", 11)),
              CopyStreamReader::Chunk::ErrorFrame);
    EXPECT_EQ(r.ErrorCode, 0x4B);
    EXPECT_EQ(r.Documents(), 0);

    // A big chunk goes on in blocks that never pass the text buffer, and a CR LF never splits.
    std::string big(CopyTextBufferSize - 1, 'x');
    big += "\nyy";
    EXPECT_EQ(Take(r, big), CopyStreamReader::Chunk::Text);
    r.Finish();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].size(), CopyTextBufferSize - 1);
    EXPECT_EQ(blocks[1], "\r\nyy");
    EXPECT_EQ(r.Total(), CopyTextBufferSize + 3);
}

TEST_P(LinkTest, CopyStreamIntoTheMemo)
{
    // Per chunk size, the chunks sent (a link frame first with 7), each to get exactly one 0xAA,
    // over a serial line paced at 115200 baud.
    for (auto [chunk, chunks] : {std::pair<std::size_t, std::size_t>{0, 3}, {7, 7}, {1000, 1}}) {
        SCOPED_TRACE(chunk);
        CopyRig rig(GetParam());
        ASSERT_TRUE(rig.connected);
        if (!GetParam()) {
            rig.fx.SetBaud(115200);
            LinkSettings.BaudRate = 115200;
        }
        rig.fx.Emu().SetElectronicCopy(ThreeDocuments);
        rig.fx.Emu().SetCopyStreaming(chunk, chunk == 7);
        rig.w.BitBtn1Click();
        EXPECT_EQ(rig.prompts.Texts(), QStringList{QStringLiteral("Odebrano [ 3 ] dokum.")});
        EXPECT_EQ(rig.w.Memo1->toPlainText(), "Raport 3\nPTU A\nRaport 4\nRaport 5\n");
        EXPECT_EQ(rig.w.Edit5->text(), "37");
        EXPECT_EQ(rig.w.Edit6->text(), "37");
        EXPECT_TRUE(WaitUntil([&] { return rig.fx.Emu().CopyAcks() >= chunks; }));
        EXPECT_EQ(rig.fx.Emu().CopyAcks(), chunks);
        const auto requests = rig.fx.Emu().ReceivedFramesWithCommand(0x01);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0][7], 2);
        EXPECT_EQ(emu::GetU16(&requests[0][8]), 3);
        EXPECT_EQ(emu::GetU16(&requests[0][14]), 5);
        EXPECT_EQ(requests[0][20], 2);
        EXPECT_EQ(requests[0][21], 2);
        EXPECT_TRUE(rig.w.BitBtn1->isEnabled());
        EXPECT_TRUE(rig.w.Edit1->isEnabled());
    }
}

TEST(CopyWindow, SilenceErrorsBadInputPrintedCopyAndSave)
{
    CopyRig rig(false);
    ASSERT_TRUE(rig.connected);
    rig.fx.Emu().SetElectronicCopy(ThreeDocuments);

    // Silence after two documents, then silence from the start.
    rig.fx.Emu().LockFaults()->SilentAfterDataFrames = 2;
    rig.w.BitBtn1Click();
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{QStringLiteral("Odebrano [ 2 ] dokum.")});
    EXPECT_EQ(rig.w.Memo1->toPlainText(), "Raport 3\nPTU A\nRaport 4\n");
    rig.fx.Emu().LockFaults()->SilentRequests = 1;
    rig.w.BitBtn1Click();
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{QStringLiteral("Błąd Transmisji 0xAA")});

    // The register's error frame ends the reception at once.
    rig.fx.Emu().LockFaults()->ErrorCode = 75;
    rig.w.BitBtn1Click();
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{QStringLiteral("Błąd 75: ") + ErrorText(75)});

    // A chunk larger than the input buffer.
    rig.w.InputBufferSize = 8;
    rig.w.BitBtn1Click();
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{QStringLiteral("Przekroczony BUFOR!")});
    rig.w.InputBufferSize = CopyInputBufferSize;

    // A copy printed on the register reads nothing back.
    rig.w.PageControl1->setCurrentIndex(3);
    rig.w.ComboBox6->setCurrentIndex(0);
    rig.w.BitBtn1Click();
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());
    ASSERT_TRUE(rig.fx.Emu().WaitForFramesWithCommand(0x01, 5, 3000));
    EXPECT_EQ(rig.fx.Emu().ReceivedFramesWithCommand(0x01)[4][21], 1);

    rig.fx.Emu().SetElectronicCopy({ToCp1250(QStringLiteral("Zażółć\ngęślą"))});
    rig.w.ComboBox6->setCurrentIndex(1);
    rig.w.BitBtn1Click();
    const std::string path = rig.env.Path("kopia.rtf");
    WriteWhole(path, std::string(100, 'x'));
    rig.prompts.SaveFile(QString::fromStdString(path));
    rig.prompts.Answer(PromptAnswer::Yes);
    rig.w.SpeedButton1Click();
    EXPECT_EQ(ReadWhole(path), ToCp1250(QStringLiteral("Zażółć\r\ngęślą\r\n")));

    // A last report below the first, a negative receipt and a report 0 send nothing.
    rig.w.PageControl1->setCurrentIndex(0);
    for (auto [first, last, receipt] : {std::tuple{"5", "3", "1"}, std::tuple{"1", "2", "-1"},
                                        std::tuple{"0", "2", "1"}}) {
        rig.prompts.Clear();
        rig.w.Edit1->setText(first);
        rig.w.Edit2->setText(last);
        rig.w.Edit3->setText(receipt);
        rig.w.BitBtn1Click();
        EXPECT_EQ(rig.prompts.Texts(), QStringList{QStringLiteral("Błędnie wprowadzone dane")});
    }
    EXPECT_EQ(rig.fx.Emu().ReceivedFramesWithCommand(0x01).size(), 6u);
}
