// Decoding a read-back buffer: the window's texts and the record, for prepared images and for
// images no node would hold.
#include <gtest/gtest.h>

#include <functional>

#include "QtPrinters.h"
#include "readback/AnalizaRx.h"

using namespace brisa::readback;

namespace {

// A fresh node's memory: nothing scanned, no priority blocks.
ReadBackBuffer freshImage() {
    ReadBackBuffer b{};
    b[216] = b[217] = b[218] = b[219] = 0xFF;
    return b;
}

struct DecodeCase {
    const char* name;
    std::function<void(ReadBackBuffer&)> prepare;
    std::function<void(const DwPrgTexts&, const ConfNodo&)> check;
};

class Decodes : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decodes, PreparedImage) {
    ReadBackBuffer b = freshImage();
    GetParam().prepare(b);
    ConfNodo conf;
    const DwPrgTexts t = analizaRx(b, conf);
    ASSERT_EQ(t.lstPrg.size(), ReadBackSize);
    for (int i = 0; i < ReadBackSize; ++i) ASSERT_EQ(t.lstPrg[i], QString::number(b[i])) << i;
    GetParam().check(t, conf);
}

INSTANTIATE_TEST_SUITE_P(
    Images, Decodes,
    ::testing::Values(
        DecodeCase{"NoEntries", [](ReadBackBuffer& b) { b[0] = 7; },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_TRUE(t.lstBloques.isEmpty());
                       EXPECT_EQ(t.lbBlUsed, "0");
                       EXPECT_EQ(c.entryCount, 0);
                       EXPECT_EQ(c.storedEntries(), 0);
                   }},
        DecodeCase{"ScanList",
                   [](ReadBackBuffer& b) {
                       const std::uint8_t scan[] = {10, 11, 0, 1, 10, 11};
                       std::copy(std::begin(scan), std::end(scan), b.begin());
                       b[229] = 6;
                   },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lstBloques, QStringList({"10", "11", "0", "1", "10", "11"}));
                       EXPECT_EQ(t.lbBlUsed, "6");
                       EXPECT_EQ(c.scanEntries[5], 11);
                   }},
        DecodeCase{"PriorityFiveAndNone",
                   [](ReadBackBuffer& b) {
                       b[216] = 0x05, b[217] = 0x00;
                       b[218] = 0xFF, b[219] = 0xFF;
                   },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lbPri[0], "5");
                       EXPECT_EQ(t.lbPri[1], "");
                       EXPECT_EQ(c.priority1, 5);
                       EXPECT_EQ(c.priority2, -1);
                   }},
        DecodeCase{"PriorityHighByteBelowFF",  // only a high byte of FF means none
                   [](ReadBackBuffer& b) { b[218] = 0x07, b[219] = 0xFE; },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lbPri[1], "7");
                       EXPECT_EQ(c.priority2, std::int16_t(0xFE07));
                   }},
        DecodeCase{"TcpPortHighByteFirst", [](ReadBackBuffer& b) { b[240] = 0x01, b[241] = 0xF6; },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lbTcpPort, "502");
                       EXPECT_EQ(c.tcpPort, 502);
                   }},
        DecodeCase{"TcpPortAbove32767", [](ReadBackBuffer& b) { b[240] = 0xC3, b[241] = 0x50; },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lbTcpPort, "50000");
                       EXPECT_EQ(c.tcpPort, 50000);
                   }},
        DecodeCase{"AddressAndMaskInThreeDigits",
                   [](ReadBackBuffer& b) {
                       const std::uint8_t net[] = {0x0A, 0x01, 0x02, 0x03, 255, 255, 255, 0};
                       std::copy(std::begin(net), std::end(net), b.begin() + 232);
                   },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lbIpMsk[0], "010.001.002.003");
                       EXPECT_EQ(t.lbIpMsk[1], "255.255.255.000");
                       EXPECT_EQ(c.ip[0], 10);
                       EXPECT_EQ(c.mask[3], 0);
                   }},
        DecodeCase{"IdsSpeedsAndPort",
                   [](ReadBackBuffer& b) {
                       b[220] = 3, b[221] = 9;
                       b[222] = 0xC0, b[223] = 0x12;  // 4800
                       b[224] = 0x00, b[225] = 0x96;  // 38400: the 485 rate is unsigned
                       b[226] = 0;
                   },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lbId485, "3");
                       EXPECT_EQ(t.lbId232, "9");
                       EXPECT_EQ(t.lbBaud232, "4800");
                       EXPECT_EQ(t.lbBaud485, "38400");
                       EXPECT_EQ(t.lbPort232, "A");
                       EXPECT_EQ(c.baud485, std::int16_t(0x9600));
                       EXPECT_EQ(c.plcPort, 0);
                   }},
        DecodeCase{"AnyNonZeroPortIsB", [](ReadBackBuffer& b) { b[226] = 7; },
                   [](const DwPrgTexts& t, const ConfNodo&) { EXPECT_EQ(t.lbPort232, "B"); }},
        DecodeCase{"EntryCountBeyondTheImage",
                   [](ReadBackBuffer& b) {
                       for (int i = 0; i < 216; ++i) b[i] = std::uint8_t(i);
                       b[229] = 250;
                   },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lbBlUsed, "250");
                       ASSERT_EQ(t.lstBloques.size(), MaxScanEntries);
                       EXPECT_EQ(t.lstBloques.last(), "255");  // offset 216: priority 1's low byte
                       EXPECT_EQ(c.entryCount, 250);
                       EXPECT_EQ(c.storedEntries(), MaxScanEntries);
                   }},
        DecodeCase{"EveryByteFF", [](ReadBackBuffer& b) { b.fill(0xFF); },
                   [](const DwPrgTexts& t, const ConfNodo& c) {
                       EXPECT_EQ(t.lstBloques.size(), MaxScanEntries);
                       EXPECT_EQ(t.lbPri[0], "");
                       EXPECT_EQ(t.lbBaud232, "-1");
                       EXPECT_EQ(t.lbBaud485, "65535");
                       EXPECT_EQ(t.lbIpMsk[0], "255.255.255.255");
                       EXPECT_EQ(t.lbTcpPort, "65535");
                       EXPECT_EQ(c.priority1, -1);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnalizaRx, AnotherImageReplacesTheDecodedRecord) {
    ReadBackBuffer first = freshImage();
    for (int i = 0; i < 5; ++i) first[i] = std::uint8_t(20 + i);
    first[229] = 5;
    first[216] = 4, first[217] = 0;
    ConfNodo conf;
    analizaRx(first, conf);

    ReadBackBuffer second = freshImage();
    second[0] = 1;
    second[229] = 1;
    const DwPrgTexts t = analizaRx(second, conf);
    EXPECT_EQ(t.lstBloques, QStringList{"1"});
    EXPECT_EQ(conf.storedEntries(), 1);
    EXPECT_EQ(conf.scanEntries[0], 1);
    EXPECT_EQ(conf.priority1, -1);
}

}  // namespace
