#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "FileErrors.h"

namespace brisa {

namespace {

constexpr char Codec[] = "windows-1252";

// The code page leaves these bytes undefined; the converter passes them on as C1 controls,
// which would hide damage in a file.
bool undefinedInCodePage(char16_t c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

}  // namespace

QString IniFile::decode(const QByteArray& bytes) {
    QStringDecoder decoder(Codec);
    QString text = decoder(bytes);
    for (QChar& c : text)
        if (undefinedInCodePage(c.unicode())) c = QChar::ReplacementCharacter;
    return text;
}

QByteArray IniFile::encode(const QString& text) {
    QStringEncoder encoder(Codec);
    QByteArray bytes = encoder(text);
    bool clean = !encoder.hasError();
    for (QChar c : text)
        if (undefinedInCodePage(c.unicode())) clean = false;
    if (clean) return bytes;
    // Some character has no byte: convert one character at a time, "?" for those.
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        if (c.isSurrogate() || undefinedInCodePage(c.unicode())) {
            bytes += '?';
            continue;
        }
        QStringEncoder one(Codec);
        const QByteArray b = one(QStringView(&c, 1));
        bytes += one.hasError() || b.size() != 1 ? QByteArray("?") : b;
    }
    return bytes;
}

IniFile IniFile::fromBytes(const QByteArray& bytes) {
    IniFile file;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        const QByteArray raw = bytes.mid(start, end - start);
        file.lines_.append(Line{raw, decode(raw)});
        if (end < bytes.size() && bytes[end] == '\r') {
            ++end;
            if (end < bytes.size() && bytes[end] == '\n') ++end;
        } else if (end < bytes.size()) {
            ++end;
        }
        start = end;
    }
    return file;
}

std::optional<IniFile> IniFile::load(const QString& path, QString* error) {
    QFile f(path);
    if (!f.exists()) return IniFile();
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = fileErrorText(f.error());
        return std::nullopt;
    }
    // At most one byte more than the limit is read, whatever the file says its size is.
    const QByteArray bytes = f.read(MaxFileSize + 1);
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = fileErrorText(f.error());
        return std::nullopt;
    }
    if (bytes.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("es demasiado grande para ser un archivo de configuración "
                                    "(más de %1 KB)")
                         .arg(MaxFileSize / 1024);
        return std::nullopt;
    }
    return fromBytes(bytes);
}

std::optional<QString> IniFile::sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    if (close < 0) return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

std::optional<QString> IniFile::keyName(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(u';') || t.startsWith(u'[')) return std::nullopt;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) return std::nullopt;
    return line.left(eq).trimmed();
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i].text);
        if (name && name->compare(section, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const {
    int i = sectionLine + 1;
    while (i < lines_.size() && !sectionName(lines_[i].text)) ++i;
    return i;
}

int IniFile::findKey(int sectionLine, const QString& key) const {
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        const auto name = keyName(lines_[i].text);
        if (name && name->compare(key, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const int s = findSection(section);
    if (s < 0) return std::nullopt;
    const int k = findKey(s, key);
    if (k < 0) return std::nullopt;
    const QString& line = lines_[k].text;
    return line.mid(line.indexOf(u'=') + 1);
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const {
    return value(section, key).value_or(fallback);
}

QStringList IniFile::sections() const {
    QStringList names;
    for (const Line& l : lines_) {
        const auto name = sectionName(l.text);
        if (name && !names.contains(*name, Qt::CaseInsensitive)) names << *name;
    }
    return names;
}

QStringList IniFile::keys(const QString& section) const {
    const int s = findSection(section);
    if (s < 0) return {};
    QStringList names;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const auto name = keyName(lines_[i].text);
        if (name && !names.contains(*name, Qt::CaseInsensitive)) names << *name;
    }
    return names;
}

bool IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    for (const QString* text : {&section, &key, &value}) {
        if (text->contains(u'\r') || text->contains(u'\n')) {
            if (refusedKey_.isEmpty()) refusedKey_ = key;
            return false;
        }
    }
    const Line line{QByteArray(), key + u'=' + value};
    int s = findSection(section);
    if (s < 0) {
        lines_.append(Line{QByteArray(), u'[' + section + u']'});
        lines_.append(line);
        return true;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        // Keep the key's spelling from the file; only the value changes.
        const QString& old = lines_[k].text;
        const QString updated = old.left(old.indexOf(u'=') + 1) + value;
        if (updated != old) lines_[k] = Line{QByteArray(), updated};
        return true;
    }
    // After the section's last non-blank line, so that blank lines stay between sections.
    int at = sectionEnd(s);
    while (at > s + 1 && lines_[at - 1].text.trimmed().isEmpty()) --at;
    lines_.insert(at, line);
    return true;
}

QByteArray IniFile::toBytes() const {
    QByteArray out;
    for (const Line& l : lines_) {
        out += l.raw.isEmpty() ? encode(l.text) : l.raw;
        out += "\r\n";
    }
    return out;
}

bool IniFile::save(const QString& path, QString* error) const {
    if (!refusedKey_.isEmpty()) {
        if (error)
            *error = QStringLiteral("el valor de la clave %1 contiene un salto de línea")
                         .arg(refusedKey_);
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = fileErrorText(f.error());
        return false;
    }
    f.write(toBytes());
    if (!f.commit()) {
        if (error) *error = fileErrorText(f.error());
        return false;
    }
    return true;
}

}  // namespace brisa
