#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "compiler/Image.h"

using namespace brisa::compiler;

namespace {
TxArea hex(const char* text) {
    const QByteArray b = QByteArray::fromHex(QByteArray(text));
    TxArea a{};
    EXPECT_EQ(b.size(), 16) << text;
    for (int i = 0; i < 16 && i < b.size(); ++i) a[i] = static_cast<std::uint8_t>(b[i]);
    return a;
}
QByteArray toHex(const TxArea& a) {
    return QByteArray(reinterpret_cast<const char*>(a.data()), 16).toHex(' ').toUpper();
}

// Each block is built onto an area that still holds the previous block, as the link control
// keeps it; a dirty area shows which bytes a block leaves alone.
class BlockTest : public ::testing::Test {
  protected:
    ImageSnapshot s;
    TxArea tx = hex("A0A1A2A3A4A5A6A7A8A9AAABACADAEAF");

    QByteArray build(int block, const TextStream* stream = nullptr) {
        EXPECT_TRUE(buildBlock(block, s, stream, tx));
        return toHex(tx);
    }
};
}  // namespace

TEST_F(BlockTest, HeaderAssignsEveryByte) {
    s.priority1 = QStringLiteral("5");
    s.priority2 = QString();
    s.id485 = 7;
    s.id232 = 255;
    s.baud232 = 19200;
    s.baud485 = 9600;
    s.plcPort = PlcPort::A;
    s.scanList = QStringList(20, QStringLiteral("001"));
    EXPECT_EQ(build(HeaderBlock), "05 00 FF FF 07 FF 00 4B 80 25 00 00 00 14 00 00");

    s.priority1 = QStringLiteral("200");
    s.priority2 = QStringLiteral("000");
    s.baud232 = s.baud485 = 600;
    s.plcPort = PlcPort::B;
    s.scanList.clear();
    EXPECT_EQ(build(HeaderBlock), "C8 00 00 00 07 FF 58 02 58 02 01 00 00 00 00 00");
}

TEST_F(BlockTest, ScanListOfTwentyEntries) {
    for (int i = 0; i < 20; ++i)
        s.scanList << QStringLiteral("%1").arg(100 + i, 3, 10, QChar(u'0'));
    EXPECT_EQ(build(1), "64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 70 71 72 73");
    EXPECT_EQ(build(2), "74 75 76 77 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(build(3), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(build(4), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
}

TEST_F(BlockTest, LaterScanListBlocksCarryEntries64To191) {
    for (int i = 0; i < 192; ++i) s.scanList << QString::number(i);
    EXPECT_EQ(build(4), "30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F");
    EXPECT_EQ(build(7), "40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F");
    EXPECT_EQ(build(14), "B0 B1 B2 B3 B4 B5 B6 B7 B8 B9 BA BB BC BD BE BF");
}

TEST_F(BlockTest, NetworkTcpPortHighByteFirstAndCarryOver) {
    struct Case {
        int port;
        bool highMemory;
        const char* bytes;
    };
    const Case cases[] = {
        {502, false, "C0 A8 00 0A FF FF 00 00 01 F6 AA AB AC AD AE 00"},
        {50000, true, "C0 A8 00 0A FF FF 00 00 C3 50 AA AB AC AD AE 48"},
        {65535, false, "C0 A8 00 0A FF FF 00 00 FF FF AA AB AC AD AE 00"},
    };
    s.ip = {192, 168, 0, 10};
    s.mask = {255, 255, 0, 0};
    for (const Case& c : cases) {
        tx = hex("A0A1A2A3A4A5A6A7A8A9AAABACADAEAF");
        s.tcpPort = c.port;
        s.highMemory = c.highMemory;
        EXPECT_EQ(build(NetworkBlock), c.bytes) << c.port;
        // Block 30 assigns nothing: it goes out as the network block left the area.
        EXPECT_EQ(build(MailStartBlock), c.bytes);
    }
}

TEST_F(BlockTest, TriggerBlocks) {
    s.triggers[0].variable = 300;
    s.triggers[0].value = 40000;
    s.triggers[0].comparison = Comparison::Mayor;
    s.triggers[1].variable = -1;
    s.triggers[1].value = 65535;
    s.triggers[1].comparison = Comparison::Menor;
    s.triggers[PopTrigger].comparison = Comparison::Mayor;
    s.accounts[0].destination = QStringLiteral("a@b.c");
    s.accounts[2].destination = QStringLiteral("   ");  // blank: account unused
    EXPECT_EQ(build(TriggersBlock), "01 2C FF FF 00 00 00 00 00 00 FF 00 00 00 00 02");
    EXPECT_EQ(build(TriggerValuesBlock), "9C 40 FF FF 00 00 00 00 00 00 02 00 01 01 01 02");
    s.mailRta = 4;
    EXPECT_EQ(build(TriggerValuesBlock), "9C 40 FF FF 00 00 00 00 00 00 02 00 01 01 01 04");
    s.mailRta = 0;
    EXPECT_EQ(build(TriggerValuesBlock), "9C 40 FF FF 00 00 00 00 00 00 02 00 01 01 01 00");
}

TEST_F(BlockTest, NoReplyAccountLeavesByte15AsTheTriggersBlockSetIt) {
    s.triggers[PopTrigger].comparison = Comparison::Igual;
    build(TriggersBlock);
    EXPECT_EQ(tx[15], 0x01);
    s.mailRta.reset();
    build(TriggerValuesBlock);
    EXPECT_EQ(tx[15], 0x01);
}

TEST_F(BlockTest, MailSettingsAndAttachments) {
    s.gateway = {10, 0, 0, 1};
    s.accounts[1].attach = true;
    s.accounts[4].attach = true;
    s.triggers[0].type = VarType::Word;
    s.triggers[1].type = VarType::Byte;
    s.triggers[2].type = VarType::None;
    s.authentication = true;
    s.popMinutesIndex = 8;
    EXPECT_EQ(build(MailSettingsBlock), "0A 00 00 01 00 FF 00 00 FF 04 02 00 01 01 FF 08");

    s.accounts[0].attachVariable = 511;
    s.accounts[4].attachVariable = 300;
    s.nodePassword = QStringLiteral("Añ1Z");
    s.triggers[PopTrigger].variable = 258;
    EXPECT_EQ(build(AttachBlock), "01 FF 00 00 00 00 00 00 01 2C 41 F1 31 5A 01 02");
    s.nodePassword = QStringLiteral("ab");
    EXPECT_EQ(build(AttachBlock), "01 FF 00 00 00 00 00 00 01 2C 61 62 00 00 01 02");
}

TEST(TextStream, SlotsPaddingAndCuts) {
    ImageSnapshot s;
    s.accounts[0].destination = QStringLiteral("  ana@x.es  ");
    s.accounts[1].subject = QStringLiteral("  Aviso");  // subjects keep their spaces
    s.accounts[2].subject = QString(60, u'S');          // cut to 50
    s.accounts[0].message = QString(300, u'm');         // cut to 254, then NUL
    s.accounts[1].message = QStringLiteral("Nº 2");
    s.authPassword = QStringLiteral("clave€");
    const TextStream st = buildTextStream(s);
    const QByteArray b(reinterpret_cast<const char*>(st.data()), TextStreamSize);

    EXPECT_EQ(b.mid(0, 50), QByteArray("ana@x.es") + QByteArray(42, '\0'));
    EXPECT_EQ(b.mid(50, 50), QByteArray(50, '\0'));
    EXPECT_EQ(b.mid(300, 50), QByteArray("  Aviso") + QByteArray(43, '\0'));
    EXPECT_EQ(b.mid(350, 50), QByteArray(50, 'S'));
    EXPECT_EQ(b.mid(400, 1), QByteArray(1, '\0'));
    EXPECT_EQ(b.mid(500, 255), QByteArray(254, 'm') + QByteArray(1, '\0'));
    EXPECT_EQ(b.mid(755, 255), QByteArray("N\xBA 2") + QByteArray(250, ' ') + QByteArray(1, '\0'));
    EXPECT_EQ(b.mid(1010, 255), QByteArray(254, ' ') + QByteArray(1, '\0'));
    EXPECT_EQ(b.mid(1775, 200), QByteArray(200, '\0'));
    EXPECT_EQ(b.mid(1975, 50), QByteArray("clave\x80") + QByteArray(44, '\0'));
}

TEST_F(BlockTest, StreamBlocksAndTheTailOfTheLast) {
    s.accounts[0].destination = QStringLiteral("0123456789abcdefXYZ");
    s.authPassword = QString(50, u'p');
    s.triggers[PopTrigger].type = VarType::Word;
    s.triggers[PopTrigger].value = 40000;
    const TextStream st = buildTextStream(s);
    EXPECT_EQ(build(FirstStreamBlock, &st), "30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66");
    EXPECT_EQ(build(36, &st), "58 59 5A 00 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(build(LastStreamBlock, &st), "70 70 70 70 70 70 70 70 70 04 40 9C 04 05 06 07");

    // The stream taken earlier wins over later edits of the fields.
    s.authPassword.clear();
    EXPECT_EQ(build(LastStreamBlock, &st), "70 70 70 70 70 70 70 70 70 04 40 9C 04 05 06 07");
    EXPECT_EQ(build(LastStreamBlock), "00 00 00 00 00 00 00 00 00 04 40 9C 04 05 06 07");
}

TEST(Image, NotAnImageBlock) {
    ImageSnapshot s;
    TxArea before;
    before.fill(0x11);
    for (int block : {0, 15, 29, 162, 240}) {
        TxArea tx = before;
        EXPECT_FALSE(buildBlock(block, s, nullptr, tx)) << block;
        EXPECT_EQ(tx, before) << block;
    }
}
