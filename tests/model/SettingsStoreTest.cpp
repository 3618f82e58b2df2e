#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ModelFixture.h"
#include "SettingsStore.h"

using namespace brisa;

TEST(SettingsStoreTest, ReadWithDefaultAndWriteCreatesWhatIsMissing) {
    QTemporaryDir dir;
    SettingsStore store;
    store.selectFile(dir.filePath("sub.ini"));
    EXPECT_EQ(store.readValue("Sets", "Port", "1"), QStringLiteral("1"));
    ASSERT_TRUE(store.writeValue("Sets", "Port", "000,001,"));
    ASSERT_TRUE(store.writeValue("net", "From", "José"));
    EXPECT_EQ(store.readValue("SETS", "port", "1"), QStringLiteral("000,001,"));
    EXPECT_EQ(store.readValue("Net", "From", ""), QStringLiteral("José"));
    EXPECT_EQ(ModelFixture::read(dir.filePath("sub.ini")),
              QByteArray("[Sets]\r\nPort=000,001,\r\n[net]\r\nFrom=Jos\xe9\r\n"));
}

TEST(SettingsStoreTest, WriteIntoAReadOnlyFolderFails) {
    ReadOnlyFolder folder;
    SettingsStore store;
    store.selectFile(folder.path() + "/Brisa.ini");
    QString error;
    EXPECT_FALSE(store.writeValue("Sets", "SoftVer", "3", &error));
    EXPECT_FALSE(error.isEmpty());
    if (folder.hadFile()) {
        EXPECT_EQ(folder.fileBytes(), folder.originalBytes());
    }
}

TEST(SettingsStoreTest, CharacterCodesAreWindows1252) {
    struct Case {
        const char* ch;
        quint8 code;
    };
    for (const Case& c : {Case{"A", 65}, Case{"ñ", 0xF1}, Case{"€", 0x80}, Case{"Ñandú", 0xD1},
                          Case{"中", '?'}, Case{"", 0}})
        EXPECT_EQ(SettingsStore::characterCode(QString::fromUtf8(c.ch)), c.code) << c.ch;
}

TEST(SettingsStoreTest, SystemQueries) {
    QTemporaryDir dir;
    EXPECT_TRUE(SettingsStore::folderExists(dir.path()));
    EXPECT_FALSE(SettingsStore::folderExists(dir.filePath("Files")));
    EXPECT_FALSE(SettingsStore::folderExists(""));
    EXPECT_TRUE(SettingsStore::startUpProbe("a.a"));
}

// What the C library says, not Qt: Qt gives the POSIX locale a "," grouping symbol, which
// would put the regional warning in front of every start on servers and minimal installs.
TEST(SettingsStoreTest, NumberConventionsOfThePosixLocales) {
    for (const char* name : {"C", "POSIX", "C.UTF-8", "xx_NOWHERE.UTF-8"}) {
        const RegionalSettings r = SettingsStore::numericConventions(name);
        EXPECT_EQ(r.digitGrouping, QString()) << name;
        EXPECT_EQ(r.decimalSymbol, QStringLiteral(".")) << name;
        EXPECT_EQ(r.listSeparator, QStringLiteral(",")) << name;
    }
}
