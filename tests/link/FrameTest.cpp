// Checksum bounds.
#include "link/Link.h"
#include "tests/link/LinkTestUtil.h"

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
