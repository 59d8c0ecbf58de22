// The sales download window against the emulator: its lines, the stop, the export and the clear.
#include "service/SciaganieSprzedazy.h"
#include "tests/service/ServiceTestUtil.h"

#include <QListWidget>

namespace {

emu::Bytes Sales(uint16_t plu, const char* name, char ptu, uint32_t quantity, uint32_t value)
{
    emu::Bytes r(53, 0);
    emu::PutU16(r.data(), plu);
    std::memcpy(r.data() + 2, name, std::strlen(name));
    r[44] = uint8_t(ptu);
    emu::PutU32(r.data() + 45, quantity);
    emu::PutU32(r.data() + 49, value);
    return r;
}

} // namespace

// Bad numbers are skipped, the rest listed by PLU; a stop keeps what came, the next download is whole.
TEST(SalesWindow, DownloadStopExportAndClear)
{
    ServiceRig rig(false);
    ASSERT_TRUE(rig.connected);
    rig.fx.Emu().SetRawSales({Sales(17, "Kawa", 'A', 5, 7), Sales(0, "Zero", 'A', 1, 1),
                              Sales(9000, "Poza", 'B', 1, 1), Sales(3, "Herbata", 'B', 250000, 12345),
                              Sales(2, "B", 0, 10000, 3000000000u)});
    TSciaganieSprzedazy w;
    // "Anuluj" is pressed while the first frame is awaited.
    QTimer::singleShot(0, w.Button3, [&] { w.Button3->click(); });
    w.BitBtn1Click();
    EXPECT_EQ(w.ListBox1->count(), 1);
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{TransferStoppedText + "\nLista jest niepełna: odczytano 1 rekord."});
    // The part read is saved only when the user says so.
    rig.prompts.Answer(PromptAnswer::No);
    w.BitBtn4Click();
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{"Lista sprzedaży jest niepełna: ściąganie przerwano. Zapisać ją mimo to?"});
    w.BitBtn1Click();
    EXPECT_EQ(rig.fx.Emu().ReceivedFramesWithCommand('X').size(), 2u);
    EXPECT_EQ(w.Label27->text(), "3");
    ASSERT_EQ(w.ListBox1->count(), 3);
    EXPECT_TRUE(w.ListBox1->item(0)->text().startsWith("   2. B "));
    EXPECT_TRUE(w.ListBox1->item(1)->text().startsWith("   3. Herbata"));
    EXPECT_EQ(w.ListBox1->item(2)->text(), "  17. Kawa" + QString(38, ' ') + " A " + "      0,0005" + "   " + "        0,07");
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());
    EXPECT_TRUE(w.BitBtn1->isEnabled());

    // The export asks before it replaces an older, longer file: "Nie" keeps it, "Tak" replaces it.
    // A value above 2^31 stays unsigned, a PTU of 0 is empty.
    const std::string path = rig.env.Path("sprzedaz.csv");
    WriteWhole(path, std::string(500, 'x'));
    for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        EXPECT_EQ(ReadWhole(path), std::string(500, 'x'));
        rig.prompts.Answer(answer);
        rig.prompts.SaveFile(QString::fromStdString(path));
        w.BitBtn4Click();
    }
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList(2, "Plik " + QString::fromStdString(path) + " już istnieje.Kontynuować? "));
    EXPECT_EQ(ReadWhole(path), ToCp1250(QStringLiteral("Numer;Nazwa;PTU;Ilość;Wartość;\n2;B;;1,0000;30000000,00\n"
                                                      "3;Herbata;B;25,0000;123,45\n17;Kawa;A;0,0005;0,07\n")));
    const QString missing = QString::fromStdString(rig.env.Path("brak/sprzedaz.csv"));
    rig.prompts.SaveFile(missing);
    w.BitBtn4Click();
    EXPECT_EQ(rig.prompts.Texts(), QStringList{QStringLiteral("Nie mogę zapisać do pliku") + missing + "."});

    // A checksum error ends the read with status 1.
    w.CheckBox1->setChecked(false);
    rig.fx.Emu().LockFaults()->WrongChecksumDataFrame = 2;
    rig.fx.Emu().ClearReceived();
    w.BitBtn1Click();
    EXPECT_EQ(rig.fx.Emu().ReceivedFramesWithCommand('Y').size(), 1u);
    EXPECT_EQ(w.ListBox1->count(), 1);
    EXPECT_TRUE(rig.prompts.TakeTexts().contains(QStringLiteral("Błąd CRC!")));
    EXPECT_TRUE(WaitForAck(rig.fx, 1));

    rig.fx.Emu().LockFaults()->PrintingReplies = 2;
    w.BitBtn2Click();
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{QStringLiteral("Sprzedaż skasowana")});
    rig.fx.Emu().LockFaults()->ErrorCode = 91;
    w.BitBtn2Click();
    EXPECT_EQ(rig.prompts.Texts(), QStringList{QStringLiteral("Błąd 91: ") + ErrorText(91)});
}
