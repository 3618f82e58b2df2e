#include "SettingsStore.h"

#include <langinfo.h>
#include <locale.h>

#include <QDir>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

namespace brisa {

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

RegionalSettings SettingsStore::numericConventions(const char* localeName) {
    // The C library's own view of LC_NUMERIC: Qt reports "," as the grouping symbol of the
    // POSIX locale, which has none.
    RegionalSettings r{QString(), QStringLiteral(","), QStringLiteral(".")};
    const locale_t loc = ::newlocale(LC_NUMERIC_MASK, localeName, locale_t(0));
    if (loc == locale_t(0)) return r;
    r.digitGrouping = QString::fromLocal8Bit(::nl_langinfo_l(THOUSEP, loc));
    const QString decimal = QString::fromLocal8Bit(::nl_langinfo_l(RADIXCHAR, loc));
    if (!decimal.isEmpty()) r.decimalSymbol = decimal;
    ::freelocale(loc);
    return r;
}

RegionalSettings SettingsStore::regionalSettings() {
    // This platform has no list separator of its own; "," is what the users' systems have.
    return numericConventions("");
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
