#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace brisa {

// A configuration file in the Windows private-profile format that the configurator's users
// already have: "[Section]" lines and "Key=value" lines, text in Windows-1252.
//
// - Section and key names are compared without regard to letter case; the first occurrence
//   counts.
// - A value is the raw text after the first "=" up to the end of the line: nothing is quoted,
//   escaped or trimmed, so "000,001," reads and writes back as exactly that.
// - Lines ending in CR LF, LF or a lone CR are read; lines are written with CR LF.
// - Bytes that are no Windows-1252 character read as U+FFFD; characters that the code page
//   cannot hold are written as "?".
// - Lines the program does not change (unknown sections and keys, comments, blank lines) are
//   written back byte for byte.
class IniFile {
  public:
    // An empty file.
    IniFile() = default;
    static IniFile fromBytes(const QByteArray& bytes);

    // The largest file `load` takes. The files the program writes hold a few kilobytes; a
    // bigger one is no configuration file, and every key looked up scans the whole file.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    // Reads `path`. A missing file gives an empty one; a file that exists but cannot be read,
    // or is larger than MaxFileSize, gives nullopt, and `error` (when given) the reason.
    static std::optional<IniFile> load(const QString& path, QString* error = nullptr);

    std::optional<QString> value(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& fallback) const;
    // The sections in file order, each once (as first spelled), and the keys that `value`
    // finds in one, in file order, each once.
    QStringList sections() const;
    QStringList keys(const QString& section) const;
    // Changes the key in place, or adds it at the end of its section, adding the section at
    // the end of the file when missing. A section, key or value holding CR or LF would break
    // the lines of the file: it is refused (false), the file is left as it was, and `save`
    // fails naming the key until the file is loaded again.
    bool setValue(const QString& section, const QString& key, const QString& value);

    QByteArray toBytes() const;
    // Writes the whole file at once: the old file stays intact unless the new one is complete.
    bool save(const QString& path, QString* error = nullptr) const;

    // Windows-1252 conversions used for these files.
    static QString decode(const QByteArray& bytes);
    static QByteArray encode(const QString& text);

  private:
    struct Line {
        QByteArray raw;  // as read, without its line end; empty for a changed or new line
        QString text;
    };
    int findSection(const QString& section) const;  // line of "[section]", or -1
    // Line of the key inside the section starting at `sectionLine` (-1: before any section).
    int findKey(int sectionLine, const QString& key) const;
    int sectionEnd(int sectionLine) const;  // first line after the section
    static std::optional<QString> sectionName(const QString& line);
    static std::optional<QString> keyName(const QString& line);

    QVector<Line> lines_;
    QString refusedKey_;  // the first key whose value setValue refused
};

}  // namespace brisa
