#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include "AppFolders.h"
#include "Unprivileged.h"

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
    // The prefix readable by everybody, its "bin" writable by nobody: an installed program as an
    // ordinary user meets it.
    void makeReachableByAll() {
        const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QFile::setPermissions(prefix.path(), readable | QFile::WriteOwner);
        QFile::setPermissions(prefix.filePath(QStringLiteral("share")), readable | QFile::WriteOwner);
        QFile::setPermissions(prefix.filePath(QStringLiteral("share/brisa")), readable | QFile::WriteOwner);
        QFile::setPermissions(bin(), readable);
    }

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
    makeReachableByAll();
    QFile::setPermissions(config.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    const QString folder = bin();
    const QString data = QDir::cleanPath(prefix.filePath(QStringLiteral("share/brisa"))) + u'/';
    const QString user = userFolder();
    EXPECT_EQ(testsupport::asOrdinaryUser([&]() -> std::string {
                  const AppFolders f = chooseAppFolders(folder);
                  if (f.portable) return "portable";
                  if (f.settings != user) return "settings in " + f.settings.toStdString();
                  if (f.data != data) return "data from " + f.data.toStdString();
                  return {};
              }),
              "");
    EXPECT_TRUE(QDir(user).exists());
}

TEST_F(AppFoldersTest, AWritableSettingsFileInAnUnwritableFolderKeepsTheProgramPortable) {
    QFile ini(QDir(bin()).filePath(QStringLiteral("Brisa.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.close();
    // Everybody may reach and write the file, nobody but its owner the folder.
    ini.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    makeReachableByAll();
    const QString folder = bin();
    EXPECT_EQ(testsupport::asOrdinaryUser([&]() -> std::string {
                  return chooseAppFolders(folder).portable ? "" : "a writable Brisa.ini was not used";
              }),
              "");
    ini.setPermissions(QFile::ReadOwner | QFile::ReadOther);
    EXPECT_EQ(testsupport::asOrdinaryUser([&]() -> std::string {
                  return chooseAppFolders(folder).portable ? "a read-only Brisa.ini was used" : "";
              }),
              "");
}

}  // namespace
