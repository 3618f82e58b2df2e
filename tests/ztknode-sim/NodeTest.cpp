#include <gtest/gtest.h>

#include <vector>

#include "Node.h"

using namespace nodesim;
namespace frame = ztklink::frame;
namespace Command = ztklink::frame::Command;

namespace {

Data dataOf(std::initializer_list<int> bytes) {
    Data d{};
    int i = 0;
    for (int b : bytes) d[i++] = static_cast<std::uint8_t>(b);
    return d;
}

Bytes request(std::uint8_t command, std::uint8_t block, const Data& data = {}, std::uint8_t id = 1) {
    return frame::blockFrame(id, command, block, data);
}

// A node programmed the way the configurator does it, with every field set apart from its
// neighbours so that a misplaced byte shows.
struct ProgrammedNode : ::testing::Test {
    // Priority 1 = block 5, priority 2 none, id485 3, id232 4, RS-232 9600, RS-485 19200,
    // PLC port A, 20 scan-list entries.
    const Data header = dataOf({0x05, 0x00, 0xFF, 0xFF, 3, 4, 0x80, 0x25, 0x00, 0x4B, 0, 0, 0, 20, 0, 0});
    // 192.168.1.20 / 255.255.0.0, TCP port 502 high byte first, high memory in use.
    const Data network = dataOf({192, 168, 1, 20, 255, 255, 0, 0, 0x01, 0xF6, 0, 0, 0, 0, 0, 0x48});
    const Data scan1 = dataOf({10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25});
    const Data scan2 = dataOf({26, 27, 28, 29});
    const Data scan7 = dataOf({200, 201, 202});

    Node node;

    void SetUp() override {
        for (const auto& [block, data] : {std::pair{5, header}, {6, network}, {1, scan1}, {2, scan2}, {7, scan7}}) {
            const auto ack = node.respond(request(Command::Write, block, data));
            ASSERT_TRUE(ack);
            EXPECT_EQ(*ack, request(Command::Write, block, data)) << "acknowledgement of block " << block;
        }
    }

    Data read(int block) {
        const auto reply = node.respond(request(Command::Read, static_cast<std::uint8_t>(block)));
        EXPECT_TRUE(reply && frame::isValid(*reply));
        if (!reply) return {};
        EXPECT_EQ((*reply)[1], Command::Read);
        EXPECT_EQ((*reply)[2], block);
        return frame::dataOf(*reply);
    }
};

TEST_F(ProgrammedNode, ImageBlocksReadBackTheProgramAtItsOffsets) {
    std::vector<std::uint8_t> image;
    for (int b = 100; b <= 115; ++b) {
        const Data d = read(b);
        image.insert(image.end(), d.begin(), d.end());
    }
    ASSERT_EQ(image.size(), 256u);
    const struct {
        int offset;
        Data expected;
    } regions[] = {{0, scan1}, {16, scan2}, {64, scan7}, {216, header}, {232, network}};
    for (const auto& r : regions)
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(image[r.offset + i], r.expected[i]) << "image offset " << r.offset + i;
    EXPECT_EQ(image[48], 0) << "scan-list block 4 was never written";
    EXPECT_EQ(image[192], 0);
}

TEST(Node, AFlippedCellInvertsWhatEachWriteLeavesThere) {
    Node node;
    node.flipAfterWrites(216 + 13);  // the header's entry count
    node.flipAfterWrites(40);        // inside scan-list block 3
    const Data header = dataOf({0xFF, 0xFF, 0xFF, 0xFF, 1, 1, 0, 0, 0, 0, 0, 0, 0, 20, 0, 0});
    const auto ack = node.respond(request(Command::Write, 5, header));
    ASSERT_TRUE(ack);
    EXPECT_EQ(frame::dataOf(*ack), header) << "the acknowledgement echoes what was written";
    EXPECT_EQ(node.memory()[229], 20 ^ 0xFF);
    EXPECT_EQ(node.memory()[40], 0) << "no write covered it yet";
    ASSERT_TRUE(node.respond(request(Command::Write, 3, dataOf({1, 2, 3, 4, 5, 6, 7, 8, 9}))));
    EXPECT_EQ(node.memory()[40], 9 ^ 0xFF);
    EXPECT_EQ(node.memory()[39], 8);
    ASSERT_TRUE(node.respond(request(Command::Write, 5, header)));
    EXPECT_EQ(node.memory()[229], 20 ^ 0xFF) << "every write flips it again from what it wrote";
}

TEST_F(ProgrammedNode, InformationBlocksDescribeTheProgram) {
    EXPECT_EQ(read(0), dataOf({1, 15, 4, 0, 0x05, 0x00, 0xFF, 0xFF, 20, 1, 168, 192, 0, 0, 255, 255}));
    EXPECT_EQ(read(1), dataOf({0xF6, 0x01, 0x80, 0x25, 0x00, 0x4B, 20, 0, 4, 3, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ProgrammedNode, ScanOrderIsTheProgrammedList) {
    std::vector<std::uint8_t> expected(scan1.begin(), scan1.end());
    expected.insert(expected.end(), scan2.begin(), scan2.begin() + 4);
    EXPECT_EQ(node.scanOrder(), expected);
}

TEST(Node, FreshNodeReportsItsIdentityAndDefaults) {
    Node node(Identity{.model = 0x0107, .swMajor = 2, .swMinor = 5});
    const auto b0 = node.respond(request(Command::Read, 0));
    const auto b1 = node.respond(request(Command::Read, 1));
    ASSERT_TRUE(b0 && b1);
    // Version 2.05, model 0x107, no priority blocks, IP 0.0.0.0, mask 255.255.255.0 last part first.
    EXPECT_EQ(frame::dataOf(*b0), dataOf({2, 5, 0x07, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 255, 255, 255}));
    // TCP 502, 4800 and 19200 low byte first, no blocks, ids 2, port B.
    EXPECT_EQ(frame::dataOf(*b1), dataOf({0xF6, 0x01, 0xC0, 0x12, 0x00, 0x4B, 0, 0, 2, 2, 1}));
    std::vector<std::uint8_t> all32;
    for (int b = 0; b < 32; ++b) all32.push_back(static_cast<std::uint8_t>(b));
    EXPECT_EQ(node.scanOrder(), all32) << "nothing programmed: the node scans blocks 0 to 31";
}

TEST(Node, BlocksOutsideTheImageKeepWhatWasWrittenApart) {
    Node node;
    const Data mail = dataOf({0x6D, 0x61, 0x69, 0x6C});
    // Block 100 is an e-mail block when written and an image block when read.
    ASSERT_TRUE(node.respond(request(Command::Write, 100, mail)));
    ASSERT_TRUE(node.respond(request(Command::Write, 35, mail)));
    ASSERT_TRUE(node.respond(request(Command::Write, 0, mail)));
    const auto high = node.respond(request(Command::WriteHigh, 44, mail));
    ASSERT_TRUE(high);
    EXPECT_EQ((*high)[1], Command::WriteHigh);

    EXPECT_EQ(node.readBlock(100), Data{}) << "image row 0: no scan list programmed";
    EXPECT_EQ(node.readBlock(35), mail);
    EXPECT_EQ(node.readBlock(0)[1], 15) << "block 0 reads as the information block";
    EXPECT_EQ(node.readBlock(44), Data{}) << "high block 300 is not low block 44";
    EXPECT_EQ(node.readBlock(50), Data{}) << "never written";
    const auto readHigh = node.respond(request(Command::ReadHigh, 44));
    ASSERT_TRUE(readHigh);
    EXPECT_EQ((*readHigh)[1], Command::ReadHigh);
    EXPECT_EQ(frame::dataOf(*readHigh), mail);
}

TEST(Node, StaysSilentOnRequestsItMustNotAnswer) {
    const Data header = dataOf({1, 0, 0xFF, 0xFF, 9, 9});
    Bytes badChecksum = request(Command::Write, 5, header);
    badChecksum[19] ^= 0x01;
    Bytes badCheck = request(Command::Write, ModeSwitchBlock, modeSwitchData(InspectedMarker));
    badCheck[17] ^= 0x01;
    badCheck[19] ^= 0x01;  // a sound frame that carries a wrong check value
    const struct {
        const char* name;
        Bytes frame;
    } cases[] = {
        {"bad checksum", badChecksum},
        {"other node id", request(Command::Write, 5, header, 2)},
        {"unknown command", request(0x30, 5, header)},
        {"mode switch with a bad check", badCheck},
    };
    for (const auto& c : cases) {
        Node node;
        const auto before = node.memory();
        EXPECT_FALSE(node.respond(c.frame)) << c.name;
        EXPECT_EQ(node.memory(), before) << c.name << ": nothing may change";
        EXPECT_EQ(node.mode(), Mode::Normal) << c.name;
    }
}

TEST(ModeSwitch, CheckValuesMatchTheCommandsTheConfiguratorSends) {
    const std::uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(crc16Modbus(check, 9), 0x4B37);
    EXPECT_EQ(modeSwitchData(InspectedMarker), dataOf({0xAA, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFD, 0xA9}));
    EXPECT_EQ(modeSwitchData(NormalMarker), dataOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x57, 0x03}));
}

TEST(ModeSwitch, InspectedNodeAnswersOnlyTheSwitchBack) {
    Node node;
    const auto toInspected = node.respond(request(Command::Write, ModeSwitchBlock, modeSwitchData(InspectedMarker)));
    ASSERT_TRUE(toInspected);
    EXPECT_EQ(*toInspected, request(Command::Write, ModeSwitchBlock, modeSwitchData(InspectedMarker)));
    EXPECT_EQ(node.mode(), Mode::Inspected);

    const auto before = node.memory();
    EXPECT_FALSE(node.respond(request(Command::Read, 0)));
    EXPECT_FALSE(node.respond(request(Command::Write, 5, dataOf({7, 0}))));
    EXPECT_EQ(node.memory(), before);

    const auto toNormal = node.respond(request(Command::Write, ModeSwitchBlock, modeSwitchData(NormalMarker)));
    ASSERT_TRUE(toNormal);
    EXPECT_EQ((*toNormal)[2], ModeSwitchBlock);
    EXPECT_EQ(node.mode(), Mode::Normal);
    EXPECT_TRUE(node.respond(request(Command::Read, 0)));
}

TEST(Node, ScanOrderStopsAtTheScanListBlocks) {
    Node node;
    Data header = node.readBlock(5);
    header[13] = 250;  // more entries than the scan-list blocks hold
    ASSERT_TRUE(node.respond(request(Command::Write, 5, header)));
    EXPECT_EQ(node.scanOrder().size(), 192u);
}

TEST(Node, AnalogRepliesUseTheAnalogLayout) {
    Node node;
    const auto first = node.respond(frame::analogFrame(1, Command::AnalogRead, {}));
    const auto second = node.respond(frame::analogFrame(1, Command::AnalogRead, {}));
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(frame::isValid(*first));
    EXPECT_EQ((*first)[1], Command::AnalogRead);
    EXPECT_EQ((*first)[18], 0) << "analog data stops at offset 17";
    EXPECT_NE(*first, *second) << "the inputs move between two readings";

    const Data outputs = dataOf({0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF});
    const auto written = node.respond(frame::analogFrame(1, Command::AnalogWrite, outputs));
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, frame::analogFrame(1, Command::AnalogWrite, outputs));
}

}  // namespace
