#include <gtest/gtest.h>

#include "NodeConfig.h"

using namespace brisa;

TEST(NodeTypeNames, LongAndShortNamesOfEveryType) {
    struct Case {
        float hardVer;
        int code;
        const char* longName;
        const char* shortName;
    };
    const Case cases[] = {
        {1.0f, 1, "Modbus <--> TALVO (485 <--> 232)", "Modbus <> TALVO (485 <> 232)"},
        {2.0f, 2, "TALVO <--> TALVO (485 <--> 232)", "TALVO <> TALVO (485 <> 232)"},
        {3.0f, 3, "Ethernet TALVO <--> TALVO (Ethernet <--> 232)",
         "EtTALVO <> TALVO (Ethernet <> 232)"},
        {4.0f, 4, "Ethernet Modbus <--> TALVO (Ethernet <--> 232)",
         "EtModbus <> TALVO (Ethernet <> 232)"},
        {5.0f, 5, "Ethernet Modbus/Modbus <--> TALVO (Ethernet/485 <--> 232)",
         "EtModbus/Modbus <> TALVO (Ethernet/485 <> 232)"},
        {6.0f, 6, "Ethernet TALVO/ModBUS <--> TALVO (Ethernet/485 <--> 232)", "Desconocido 6"},
        {2.5f, 9, "", "Desconocido 9"},
        {0.0f, 0, "", "Desconocido 0"},
        {7.0f, -1, "", "Desconocido -1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrHardVer(c.hardVer), QString::fromLatin1(c.longName)) << c.hardVer;
        EXPECT_EQ(NodeTypeShortName(c.code), QString::fromLatin1(c.shortName)) << c.code;
    }
}

TEST(WordBytes, BothDirections) {
    struct Case {
        quint8 high, low;
        qint16 word;
    };
    const Case cases[] = {{1, 2, 258},         {255, 255, -1},       {0, 0, 0},
                          {0x7F, 0xFF, 32767}, {0x80, 0x00, -32768}, {0x01, 0xF4, 500}};
    for (const Case& c : cases) {
        EXPECT_EQ(BytesToWord(c.high, c.low), c.word);
        const auto [low, high] = WordToBytes(c.word);
        EXPECT_EQ(low, c.low) << c.word;
        EXPECT_EQ(high, c.high) << c.word;
    }
}

TEST(NodeConfigDefaults, AllBlocksListHasEveryOrdinaryBlockWithItsComma) {
    const QString all = allBlocksList();
    EXPECT_TRUE(all.startsWith(QStringLiteral("000,001,002,")));
    EXPECT_TRUE(all.endsWith(QStringLiteral("030,031,")));
    EXPECT_EQ(all.size(), 32 * 4);
}
