// The sales download window: its lines and CSV, the download against the emulator, the stop,
// the clear, and the export.
#include "core/AppState.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "service/SciaganieSprzedazy.h"
#include "tests/service/ServiceTestUtil.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <fstream>

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

QStringList ListLines(const TSciaganieSprzedazy& w)
{
    QStringList out;
    for (int i = 0; i < w.ListBox1->count(); ++i)
        out << w.ListBox1->item(i)->text();
    return out;
}

} // namespace

TEST(SalesLines, QuantityValueAndLayout)
{
    const emu::Bytes r = Sales(17, "Kawa", 'A', 5, 7);
    EXPECT_EQ(SalesListLine(17, r.data()), "  17. Kawa" + std::string(38, ' ') + " A " + "      0,0005" + "   " +
                                               "        0,07");
    // A value above 2^31 stays unsigned; a PTU byte of 0 is an empty field.
    const emu::Bytes big = Sales(2, "B", 0, 10000, 3000000000u);
    EXPECT_EQ(SalesCsvLine(2, big.data()), std::string("2;B;;1,0000;30000000,00"));
}

TEST_P(LinkTest, SalesDownloadStoresByPluAndSkipsBadNumbers)
{
    ServiceRig rig(GetParam());
    ASSERT_TRUE(rig.connected);
    rig.fx.Emu().SetRawSales({Sales(17, "Kawa", 'A', 5, 7), Sales(0, "Zero", 'A', 1, 1),
                              Sales(9000, "Poza", 'B', 1, 1), Sales(3, "Herbata", 'B', 250000, 12345)});
    TSciaganieSprzedazy w;
    w.BitBtn1Click();
    EXPECT_EQ(rig.fx.Emu().ReceivedFramesWithCommand('X').size(), 1u);
    EXPECT_EQ(w.Label27->text(), "2");
    const QStringList lines = ListLines(w);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("   3. Herbata"));
    EXPECT_TRUE(lines[1].startsWith("  17. Kawa"));
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());
    EXPECT_TRUE(w.BitBtn1->isEnabled());

    w.CheckBox1->setChecked(false);
    w.BitBtn1Click();
    EXPECT_EQ(rig.fx.Emu().ReceivedFramesWithCommand('Y').size(), 1u);

    // The export, over an older, longer file.
    const std::string path = rig.env.Path("sprzedaz.csv");
    { std::ofstream(path) << std::string(500, 'x'); }
    rig.prompts.SaveFile(QString::fromStdString(path));
    w.BitBtn4Click();
    EXPECT_EQ(ReadFile(path), ToCp1250(QStringLiteral("Numer;Nazwa;PTU;Ilość;Wartość;\n3;Herbata;B;25,0000;123,45\n"
                                                      "17;Kawa;A;0,0005;0,07\n")));
}


TEST(SalesWindow, StopKeepsTheListAndTheNextDownloadIsWhole)
{
    ServiceRig rig(false);
    ASSERT_TRUE(rig.connected);
    std::vector<emu::Bytes> records;
    for (uint16_t plu = 1; plu <= 5; ++plu)
        records.push_back(Sales(plu, "T", 'A', 1, 1));
    rig.fx.Emu().SetRawSales(records);
    TSciaganieSprzedazy w;
    // "Anuluj" is pressed while the first frame is awaited.
    QTimer::singleShot(0, w.Button3, [&] { w.Button3->click(); });
    w.BitBtn1Click();
    EXPECT_EQ(w.ListBox1->count(), 1);
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());
    w.BitBtn1Click();
    EXPECT_EQ(w.ListBox1->count(), 5);

    // A checksum error ends the read with status 1.
    rig.fx.Emu().LockFaults()->WrongChecksumDataFrame = 2;
    rig.fx.Emu().ClearReceived();
    w.BitBtn1Click();
    EXPECT_EQ(w.ListBox1->count(), 1);
    EXPECT_TRUE(rig.prompts.Saw(QStringLiteral("Błąd CRC!")));
    EXPECT_TRUE(WaitForAck(rig.fx, 1));
}

TEST(SalesWindow, ClearAndFailedExport)
{
    ServiceRig rig(false);
    ASSERT_TRUE(rig.connected);
    TSciaganieSprzedazy w;
    w.BitBtn2Click();
    EXPECT_EQ(rig.prompts.Texts(), QStringList{QStringLiteral("Sprzedaż skasowana")});
    rig.prompts.Clear();
    rig.fx.Emu().LockFaults()->ErrorCode = 91;
    w.BitBtn2Click();
    EXPECT_EQ(rig.prompts.Texts(), QStringList{QStringLiteral("Błąd 91: ") + ErrorText(91)});

    rig.prompts.Clear();
    const QString path = QString::fromStdString(rig.env.Path("brak/sprzedaz.csv"));
    rig.prompts.SaveFile(path);
    w.BitBtn4Click();
    EXPECT_EQ(rig.prompts.Texts(), QStringList{QStringLiteral("Nie mogę zapisać do pliku") + path + "."});
}
