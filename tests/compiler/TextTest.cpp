#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "compiler/Text.h"

using namespace brisa::compiler;

TEST(TextValue, ReadsTheLeadingNumberWhateverTheLocale) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"005", 5}, {" 200", 200}, {"\t191", 191}, {"12abc", 12}, {"", 0},
        {"   ", 0}, {"abc", 0},    {"-3", -3},     {"1 2", 12},   {"191.5", 191.5},
        {"1,5", 1}, {"+7", 7},     {"255 ", 255},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(textValue(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
}

TEST(TrimSpaces, RemovesOnlySpaces) {
    EXPECT_EQ(trimSpaces(u"  a b  "), QStringLiteral("a b"));
    EXPECT_EQ(trimSpaces(u"   "), QString());
    EXPECT_EQ(trimSpaces(u"\ta\t"), QStringLiteral("\ta\t"));
}

TEST(Windows1252, OneBytePerCharacterAndQuestionMarkForTheRest) {
    // á é ñ € º, then Greek omega and an emoji the code page lacks, then a plain SUB control.
    const QString text = QString::fromUtf8(
        "áéñ€ºΩ😀\x1a"
        "A");
    EXPECT_EQ(toWindows1252(text), QByteArray::fromHex("e1e9f180ba3f3f1a41"));
}

TEST(Words, SixteenBitPatternsBothWays) {
    EXPECT_EQ(wordToBytes(502).high, 0x01);
    EXPECT_EQ(wordToBytes(502).low, 0xF6);
    EXPECT_EQ(wordToBytes(50000).high, 0xC3);
    EXPECT_EQ(wordToBytes(-1).low, 0xFF);
    EXPECT_EQ(wordToBytes(-1).high, 0xFF);
    EXPECT_EQ(bytesToWord(1, 2), 258);
    EXPECT_EQ(bytesToWord(255, 255), -1);
    EXPECT_EQ(bytesToUWord(255, 255), 65535);
}
