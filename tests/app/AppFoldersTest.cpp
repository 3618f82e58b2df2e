#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include "AppFolders.h"

using brisa::AppFolders;
using brisa::chooseAppFolders;

namespace {

// An installed program's prefix: "bin" (the executable's folder), "share/brisa" with the data
// files, and a per-user configuration folder given by XDG_CONFIG_HOME.
class AppFoldersTest : public ::testing::Test {
  protected:
    AppFoldersTest() {
        QDir(prefix.path()).mkpath(QStringLiteral("bin"));
        QDir(prefix.path()).mkpath(QStringLiteral("share/brisa"));
        QFile dsc(prefix.filePath(QStringLiteral("share/brisa/Hardware.dsc")));
        EXPECT_TRUE(dsc.open(QIODevice::WriteOnly));
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    }
    ~AppFoldersTest() override {
        QFile::setPermissions(bin(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
    QString bin() const { return prefix.filePath(QStringLiteral("bin")); }
    QString userFolder() const { return config.filePath(QStringLiteral("brisa")) + u'/'; }
    void makeBinReadOnly() { QFile::setPermissions(bin(), QFile::ReadOwner | QFile::ExeOwner); }

    QTemporaryDir prefix;
    QTemporaryDir config;
    QByteArray oldConfig;
};

TEST_F(AppFoldersTest, AWritableExecutableFolderKeepsEverythingThere) {
    const AppFolders f = chooseAppFolders(bin());
    EXPECT_TRUE(f.portable);
    EXPECT_EQ(f.settings, bin() + u'/');
    EXPECT_EQ(f.data, bin() + u'/');
    EXPECT_FALSE(QDir(userFolder()).exists());
    // The write probe leaves nothing behind.
    EXPECT_TRUE(QDir(bin()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(AppFoldersTest, AnUnwritableFolderUsesThePerUserFolderAndTheInstalledData) {
    makeBinReadOnly();
    // Root writes anywhere but in /proc: there it stands for an unwritable folder without data.
    const bool root = geteuid() == 0;
    const AppFolders f = chooseAppFolders(root ? QStringLiteral("/proc") : bin());
    EXPECT_FALSE(f.portable);
    EXPECT_EQ(f.settings, userFolder());
    EXPECT_TRUE(QDir(userFolder()).exists());
    if (!root) {
        EXPECT_EQ(f.data, QDir::cleanPath(prefix.filePath(QStringLiteral("share/brisa"))) + u'/');
    }
}

TEST_F(AppFoldersTest, AWritableSettingsFileInAnUnwritableFolderKeepsTheProgramPortable) {
    if (geteuid() == 0) GTEST_SKIP() << "root can write in any folder made for the test";
    QFile ini(QDir(bin()).filePath(QStringLiteral("Brisa.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.close();
    makeBinReadOnly();
    EXPECT_TRUE(chooseAppFolders(bin()).portable);
    ini.setPermissions(QFile::ReadOwner);
    EXPECT_FALSE(chooseAppFolders(bin()).portable);
}

}  // namespace
