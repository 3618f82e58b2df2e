#include "SettingsStore.h"

#include <QDesktopServices>
#include <QDir>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QUrl>

namespace brisa {

void SettingsStore::openWebAddress(const QString& url) {
    QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

quint8 SettingsStore::characterCode(const QString& ch) {
    if (ch.isEmpty()) return 0;
    const qsizetype n = ch[0].isHighSurrogate() && ch.size() > 1 ? 2 : 1;
    const QByteArray b = IniFile::encode(ch.left(n));
    return b.isEmpty() ? 0 : quint8(b[0]);
}

bool SettingsStore::folderExists(const QString& path) {
    return !path.isEmpty() && QDir(path).exists();
}

bool SettingsStore::startUpProbe(const QString& text) {
    QStringEncoder encoder("windows-1252");
    QStringDecoder decoder("windows-1252");
    if (!encoder.isValid() || !decoder.isValid()) return false;
    return QString(decoder(encoder(text))) == text;
}

RegionalSettings SettingsStore::regionalSettings() {
    const QLocale system = QLocale::system();
    // Qt knows no list separator on this platform; "," is what the users' systems have.
    return RegionalSettings{system.groupSeparator(), QStringLiteral(","), system.decimalPoint()};
}

QString SettingsStore::readValue(const QString& section, const QString& key,
                                 const QString& fallback) const {
    const auto file = IniFile::load(path_);
    if (!file) return fallback;
    return file->value(section, key, fallback);
}

bool SettingsStore::writeValue(const QString& section, const QString& key, const QString& value,
                               QString* error) {
    auto file = IniFile::load(path_, error);
    if (!file) return false;
    file->setValue(section, key, value);
    return file->save(path_, error);
}

}  // namespace brisa
