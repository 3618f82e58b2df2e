#include "AppFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace brisa {

namespace {

QString withSeparator(const QString& folder) {
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

// Tried for real: permission bits say nothing for root or on a read-only file system.
bool canWriteIn(const QString& folder) {
    QFile settings(QDir(folder).filePath(QStringLiteral("Brisa.ini")));
    if (settings.exists() && settings.open(QIODevice::ReadWrite | QIODevice::Append)) return true;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".brisa-XXXXXX")));
    return probe.open();
}

// The installed data: beside the executable's prefix first (an install moved elsewhere),
// then the system's data folders.
QString installedData(const QString& exeFolder) {
    QStringList candidates{QDir(exeFolder).filePath(QStringLiteral("../share/brisa"))};
    const QString located = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                   QStringLiteral("brisa"),
                                                   QStandardPaths::LocateDirectory);
    if (!located.isEmpty()) candidates << located;
    for (const QString& c : std::as_const(candidates))
        if (QFileInfo::exists(QDir(c).filePath(QStringLiteral("Hardware.dsc"))))
            return QDir::cleanPath(c);
    return exeFolder;
}

}  // namespace

AppFolders chooseAppFolders(const QString& exeFolder) {
    if (canWriteIn(exeFolder)) return {withSeparator(exeFolder), withSeparator(exeFolder), true};
    const QString user = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                             .filePath(QStringLiteral("brisa"));
    QDir().mkpath(user);
    return {withSeparator(user), withSeparator(installedData(exeFolder)), false};
}

}  // namespace brisa
