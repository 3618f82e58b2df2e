#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <tuple>

#include "IniFile.h"
#include "ModelFixture.h"

using namespace brisa;

TEST(IniFileTest, SectionsAndKeysIgnoreCaseAndValuesAreRaw) {
    const IniFile f = IniFile::fromBytes(
        "; comentario\r\n[PROG]\r\nblockfree=000,001,\r\nBlockUsed= 007 ,\r\n"
        "Quoted=\"x\"\r\nEq=a=b\r\nBlockFree=second\r\n[Prog]\r\nBlockF1=dup\r\n");
    EXPECT_EQ(f.value("Prog", "BlockFree"), QStringLiteral("000,001,"));
    EXPECT_EQ(f.value("prog", "BLOCKUSED"), QStringLiteral(" 007 ,"));
    EXPECT_EQ(f.value("Prog", "Quoted"), QStringLiteral("\"x\""));
    EXPECT_EQ(f.value("Prog", "Eq"), QStringLiteral("a=b"));
    // The first section and key of a name count.
    EXPECT_FALSE(f.value("Prog", "BlockF1").has_value());
    EXPECT_FALSE(f.value("Net", "BlockFree").has_value());
    EXPECT_EQ(f.value("Net", "x", QStringLiteral("def")), QStringLiteral("def"));
}

TEST(IniFileTest, ListsSectionsAndTheKeysValueFinds) {
    const IniFile f = IniFile::fromBytes(
        "; comentario\r\nsuelta=1\r\n[PROG]\r\nblockfree=000,\r\nBlockUsed=7,\r\nBLOCKFREE=x\r\n"
        "[Net]\r\n0IP=10\r\n[Prog]\r\nBlockF1=dup\r\n");
    EXPECT_EQ(f.sections(), (QStringList{"PROG", "Net"}));
    EXPECT_EQ(f.keys("prog"), (QStringList{"blockfree", "BlockUsed"}));
    EXPECT_EQ(f.keys("Net"), QStringList{"0IP"});
    EXPECT_TRUE(f.keys("Sets").isEmpty());
}

TEST(IniFileTest, ReadsEveryLineEnd) {
    for (const QByteArray& bytes :
         {QByteArray("[S]\r\nA=1\r\nB=2\r\n"), QByteArray("[S]\nA=1\nB=2\n"),
          QByteArray("[S]\rA=1\rB=2"), QByteArray("[S]\nA=1\r\nB=2")}) {
        const IniFile f = IniFile::fromBytes(bytes);
        EXPECT_EQ(f.value("S", "A"), QStringLiteral("1")) << bytes.constData();
        EXPECT_EQ(f.value("S", "B"), QStringLiteral("2")) << bytes.constData();
    }
}

TEST(IniFileTest, WritesBackWhatItDoesNotKnowByteForByte) {
    // Unknown section, comment, blank line, a key spelled in other letter case, and a byte that
    // is no Windows-1252 character: all survive; lines are written with CR LF.
    const QByteArray in =
        "[Otro]\nclave = valor raro \x81\n; nota\n\n[net]\nfrom=viejo\nZ=1\n\n[Prog]\nBlockUsed=\n";
    IniFile f = IniFile::fromBytes(in);
    f.setValue("Net", "From", QStringLiteral("nuevo"));
    f.setValue("Net", "Pass", QStringLiteral("añadido"));
    f.setValue("Sets", "Port", QStringLiteral("3"));
    EXPECT_EQ(
        f.toBytes(),
        QByteArray("[Otro]\r\nclave = valor raro \x81\r\n; nota\r\n\r\n[net]\r\nfrom=nuevo\r\n"
                   "Z=1\r\nPass=a\xf1"
                   "adido\r\n\r\n[Prog]\r\nBlockUsed=\r\n[Sets]\r\nPort=3\r\n"));
}

TEST(IniFileTest, Windows1252BothWays) {
    const QByteArray bytes("\xe1\xe9\xed\xf3\xfa\xf1\xd1\xbf\xa1\x80\x81\x8d\x8f\x90\x9d", 15);
    EXPECT_EQ(IniFile::decode(bytes), QStringLiteral("áéíóúñÑ¿¡€\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"));
    EXPECT_EQ(IniFile::encode(QStringLiteral("Contraseña €")), QByteArray("Contrase\xf1"
                                                                          "a \x80"));
    // Characters without a byte in the code page become "?", one per character.
    EXPECT_EQ(IniFile::encode(QStringLiteral("a中\U0001F600b\uFFFD\u0081")), QByteArray("a??b??"));
}

TEST(IniFileTest, FailedSaveLeavesTheOldFileWhole) {
    ReadOnlyFolder folder;
    const QString path = folder.path() + "/Brisa.ini";
    IniFile f;
    f.setValue("Sets", "Port", QStringLiteral("2"));
    QString error;
    EXPECT_FALSE(f.save(path, &error));
    EXPECT_FALSE(error.isEmpty());
    if (folder.hadFile()) {
        EXPECT_EQ(folder.fileBytes(), folder.originalBytes());
    }
}

TEST(IniFileTest, ALineBreakIsRefusedAndTheFileIsNotWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Brisa.ini");
    const QByteArray original = "[Net]\r\nSMTP=smtp.x\r\nUsser=op\r\n";
    ModelFixture::write(path, original);
    for (const auto& [section, key, value] :
         {std::tuple{"Net", "SMTP", "smtp.x\n[Otra]"}, std::tuple{"Net", "SMTP", "a\rb"},
          std::tuple{"Net", "Nueva\r\n", "1"}, std::tuple{"Net\n", "SMTP", "1"}}) {
        IniFile f = *IniFile::load(path);
        EXPECT_FALSE(f.setValue(section, key, value)) << value;
        EXPECT_EQ(f.toBytes(), original) << value;
        // Good values after it do not make the file savable again.
        EXPECT_TRUE(f.setValue("Net", "Usser", "otro"));
        QString error;
        EXPECT_FALSE(f.save(path, &error)) << value;
        EXPECT_TRUE(error.contains(QLatin1String(key))) << error.toStdString();
        EXPECT_EQ(ModelFixture::read(path), original);
    }
}

TEST(IniFileTest, MissingFileIsEmptyAndUnreadableFileIsAnError) {
    QTemporaryDir dir;
    const auto missing = IniFile::load(dir.filePath("nada.ini"));
    ASSERT_TRUE(missing.has_value());
    EXPECT_TRUE(missing->toBytes().isEmpty());
    QString error;
    EXPECT_FALSE(IniFile::load(dir.path(), &error).has_value());  // a folder, not a file
    EXPECT_FALSE(error.isEmpty());
}

TEST(IniFileTest, AFileLargerThanAnyConfigurationIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath("grande.nod");
    QByteArray bytes = "[Sets]\r\nPort=2\r\n";
    bytes += QByteArray(IniFile::MaxFileSize - bytes.size(), ';');
    ModelFixture::write(path, bytes);
    const auto largest = IniFile::load(path);
    ASSERT_TRUE(largest.has_value());
    EXPECT_EQ(largest->value("Sets", "Port"), QStringLiteral("2"));

    ModelFixture::write(path, bytes + ";");
    QString error;
    EXPECT_FALSE(IniFile::load(path, &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("demasiado grande"))) << error.toStdString();
}
