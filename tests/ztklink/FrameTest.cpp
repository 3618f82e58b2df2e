#include <gtest/gtest.h>

#include "Frame.h"

using namespace ztklink;

namespace {

frame::Bytes hex(std::initializer_list<int> bytes) {
    frame::Bytes f{};
    int i = 0;
    for (int b : bytes) f[i++] = static_cast<std::uint8_t>(b);
    return f;
}

frame::Data counting() {
    frame::Data d{};
    for (int i = 0; i < 16; ++i) d[i] = static_cast<std::uint8_t>(i + 1);
    return d;
}

struct RequestCase {
    const char* name;
    frame::Bytes built;
    frame::Bytes expected;
};

TEST(Frame, RequestsAreBuiltByteForByte) {
    const auto read5 = frame::blockAddress(5, false);
    const auto read300 = frame::blockAddress(300, false);
    const auto write5 = frame::blockAddress(5, true);
    const RequestCase cases[] = {
        {"read block 5", frame::blockFrame(1, read5.command, read5.blockByte, {}),
         hex({0x01, 0x0B, 0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0F})},
        {"read block 300", frame::blockFrame(1, read300.command, read300.blockByte, {}),
         hex({0x01, 0x1B, 0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x36})},
        {"write block 5 with data 01..10", frame::blockFrame(1, write5.command, write5.blockByte, counting()),
         hex({0x01, 0x0A, 0x05, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B,
              0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x1E})},
        {"analog read", frame::analogFrame(1, frame::Command::AnalogRead, {}),
         hex({0x01, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x09})},
    };
    for (const auto& c : cases) EXPECT_EQ(c.built, c.expected) << c.name;
}

TEST(Frame, BlockAddressSplitsAt256) {
    struct Case { int block; bool write; std::uint8_t command; std::uint8_t byte; };
    const Case cases[] = {
        {37, false, 0x0B, 0x25}, {256, false, 0x1B, 0x00}, {255, false, 0x0B, 0xFF},
        {240, true, 0x0A, 0xF0}, {511, true, 0x1A, 0xFF}, {300, true, 0x1A, 0x2C},
    };
    for (const auto& c : cases) {
        const auto a = frame::blockAddress(c.block, c.write);
        EXPECT_EQ(a.command, c.command) << c.block;
        EXPECT_EQ(a.blockByte, c.byte) << c.block;
    }
}

TEST(Frame, ValidityIsTheXorOfAllTwentyBytes) {
    frame::Bytes zero{};
    EXPECT_TRUE(frame::isValid(zero));  // all zero: id 0, block 0, command 0

    // Id, command and block need not match any request: only the checksum counts.
    auto f = frame::blockFrame(7, 0x55, 0x99, counting());
    EXPECT_TRUE(frame::isValid(f));
    for (int i = 0; i < frame::Size; ++i) {
        auto broken = f;
        broken[i] ^= 0x01;
        EXPECT_FALSE(frame::isValid(broken)) << "byte " << i;
    }
}

TEST(Frame, AnalogReplyDataMovesUpOnePlace) {
    frame::Bytes f{};
    f[0] = 0x01;
    f[1] = 0x08;
    for (int i = 0; i < 16; ++i) f[2 + i] = static_cast<std::uint8_t>(0xA0 + i);
    f[18] = 0;
    frame::seal(f);
    ASSERT_TRUE(frame::isValid(f));
    frame::unpackAnalog(f);
    const auto d = frame::dataOf(f);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(d[i], 0xA0 + i) << i;
    EXPECT_EQ(f[2], 0xA0);  // reported as the block byte

    // Other commands are left alone.
    auto block = frame::blockFrame(1, 0x0B, 3, counting());
    const auto before = block;
    frame::unpackAnalog(block);
    EXPECT_EQ(block, before);
}

TEST(Frame, ShortInputCountsMissingBytesAsZero) {
    const auto f = frame::fromByteArray(QByteArray::fromHex("010b05"));
    EXPECT_EQ(f[0], 1);
    EXPECT_EQ(f[2], 5);
    EXPECT_EQ(f[19], 0);
    EXPECT_EQ(frame::toByteArray(f).size(), 20);
}

}  // namespace
