#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "compiler/NodeInfo.h"

using namespace brisa::compiler;

namespace {
NodeData bytes(const char* hex) {
    const QByteArray b = QByteArray::fromHex(QByteArray(hex));
    NodeData d{};
    for (int i = 0; i < 16 && i < b.size(); ++i) d[i] = static_cast<std::uint8_t>(b[i]);
    return d;
}
}  // namespace

TEST(NodeBlock0, Captions) {
    int askedCode = -1;
    const NodeInfo0 n =
        decodeNodeBlock0(bytes("0105040005 00FFFF 0A01A8C0 00FFFFFF"), [&](int code) {
            askedCode = code;
            return QStringLiteral("nombre %1").arg(code);
        });
    EXPECT_EQ(n.softwareVersion, QStringLiteral("1.05"));
    EXPECT_EQ(n.modelCode, 4);
    EXPECT_EQ(askedCode, 4);
    EXPECT_EQ(n.model, QStringLiteral("nombre 4"));
    EXPECT_EQ(n.priority1, QStringLiteral("5 (80 - 95)"));
    EXPECT_EQ(n.priority2, QStringLiteral("No usado"));
    EXPECT_EQ(n.ip, QStringLiteral("192.168.001.010"));
    EXPECT_EQ(n.mask, QStringLiteral("255.255.255.000"));
}

TEST(NodeBlock0, WithoutANameFunctionOnlyTheCode) {
    const NodeInfo0 n = decodeNodeBlock0(bytes("020A 0900 0000 0000 00000000 00000000"), {});
    EXPECT_EQ(n.softwareVersion, QStringLiteral("2.10"));
    EXPECT_EQ(n.modelCode, 9);
    EXPECT_TRUE(n.model.isEmpty());
    EXPECT_EQ(n.ip, QStringLiteral("000.000.000.000"));
}

TEST(NodeBlock0, PriorityCaptions) {
    const std::pair<const char*, const char*> cases[] = {
        {"0000", "0 (0 - 15)"}, {"0F00", "15 (240 - 255)"}, {"FF00", "255 (4080 - 4095)"},
        {"0001", "No usado"},   {"FFFF", "No usado"},       {"FF7F", "No usado"},
    };
    for (const auto& [lowHigh, caption] : cases) {
        const NodeInfo0 n = decodeNodeBlock0(
            bytes((QByteArray("01000100") + lowHigh + "0000 00000000 00000000").constData()), {});
        EXPECT_EQ(n.priority1, QString::fromLatin1(caption)) << lowHigh;
    }
}

TEST(NodeBlock1, Captions) {
    // TCP port 50000 and RS-485 38400 read unsigned; the RS-232 rate reads signed.
    const NodeInfo1 n = decodeNodeBlock1(bytes("50C3 0096 0096 C0 00 03 07 01 0000000000"));
    EXPECT_EQ(n.tcpPort, QStringLiteral("50000"));
    EXPECT_EQ(n.baud232, QStringLiteral("-27136"));
    EXPECT_EQ(n.baud485, QStringLiteral("38400"));
    EXPECT_EQ(n.blocksInNode, QStringLiteral("192"));
    EXPECT_EQ(n.id232, QStringLiteral("3"));
    EXPECT_EQ(n.id485, QStringLiteral("7"));
    EXPECT_EQ(n.plcPort, QStringLiteral("B"));
}

TEST(NodeBlock1, PlcPort) {
    const std::pair<std::uint8_t, const char*> cases[] = {
        {0, "A"}, {1, "B"}, {2, "Error"}, {255, "Error"}};
    for (const auto& [value, caption] : cases) {
        NodeData d{};
        d[10] = value;
        EXPECT_EQ(decodeNodeBlock1(d).plcPort, QString::fromLatin1(caption)) << int(value);
    }
}
