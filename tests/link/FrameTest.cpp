// Checksum bounds, acknowledgement frames and the register's error texts.
#include "link/Link.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <memory>

TEST(Frame, ChecksumNeverReadsPastTheLengthItIsAllowed)
{
    // An exact-size heap block, so that a read past it is caught by the address sanitizer.
    auto small = std::make_unique<uint8_t[]>(10);
    const uint8_t bytes[10] = {0x02, 1, 0x00, 0x10, 1, 0, 6, 0, 0, 3};  // length field 4096
    std::copy(bytes, bytes + 10, small.get());
    EXPECT_EQ(FrameChecksum(small.get(), 10), 0);

    small[2] = 0xFF;
    small[3] = 0xFF;  // 65535
    EXPECT_EQ(FrameChecksum(small.get(), 10), 0);

    small[2] = 10;
    small[3] = 0;
    EXPECT_EQ(FrameChecksum(small.get(), 10), 0x0C);  // the acknowledgement of status 0
    EXPECT_EQ(FrameChecksum(small.get(), 3), 0) << "not even the length field fits";
}

TEST(Frame, AckFramesCarryTheirStatusToTheRegister)
{
    TestEnvironment env(false);
    ScriptedPrompts prompts;
    PtyPeer peer;
    ASSERT_TRUE(peer.Ok());
    SendAckStatus0(1);
    EXPECT_EQ(peer.Read(10, 2000), (Bytes{0x02, 0x01, 0x0A, 0x00, 0x01, 0x00, 0x06, 0x00, 0x0C, 0x03}));
    for (auto [send, status] : {std::pair{&SendAckStatus1, 1}, {&SendAckStatus3, 3}, {&SendAckStatus4, 4}}) {
        send(3);
        EXPECT_EQ(peer.Read(10, 2000), RegisterFrame(0x06, {uint8_t(status)}, 1, 3)) << status;
    }
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST(ErrorTexts, TableHoldsTheRegisterTextsAndEmptyOnesElsewhere)
{
    EXPECT_EQ(ErrorText(0), QString::fromUtf8("Nierozpoznany kod rozkazu"));
    EXPECT_EQ(ErrorText(2), QString::fromUtf8("Długość ramki nie zgadza się z wartością pola lenght"));
    EXPECT_EQ(ErrorText(11), QString::fromUtf8("Zła wartość parametru „Cena stała” (dozwolone 0 lub 1)"));
    EXPECT_EQ(ErrorText(71),
              QString::fromUtf8("Zła wartość pola „Numer raportu początkowego”/”Numer raportu końcowego”"));
    EXPECT_EQ(ErrorText(93), QString::fromUtf8("Za duża zmiana godziny"));
    EXPECT_EQ(ErrorText(95), QString::fromUtf8("Klucz pamięci fiskalnej poprawny"));
    EXPECT_EQ(ErrorText(111), QString::fromUtf8("Brak grupy towarowej o podanym numerze"));
    for (int code : {94, 102, 112, 119, 120, 255, -1})
        EXPECT_TRUE(ErrorText(code).isEmpty()) << code;
    int withText = 0;
    for (int code = 0; code < ErrorTextCount; ++code)
        withText += ErrorText(code).isEmpty() ? 0 : 1;
    EXPECT_EQ(withText, 110);
}
