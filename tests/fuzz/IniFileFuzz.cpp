// The INI reader and writer ("Brisa.ini", "*.nod") on arbitrary files:
//  - every line is written back byte for byte, each followed by CR LF;
//  - read, write, read again gives the same sections, keys and values, and writing that gives
//    the same bytes again;
//  - a value set reads back as the code page holds it (characters it has no byte for become
//    "?"); one holding a line break is refused, the file stays as it was and cannot be saved;
//  - what is saved to disk loads back as the same bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "IniFile.h"

namespace {

using brisa::IniFile;

void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "INI invariant broken: %s\n", what);
    std::abort();
}

// The lines of a file as the format defines them: ended by CR LF, LF or a lone CR.
QByteArray asWritten(const QByteArray& bytes) {
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        out += bytes.mid(start, i - start) + "\r\n";
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) out += bytes.mid(start) + "\r\n";
    return out;
}

struct Entry {
    QString section, key, value;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> entries(const IniFile& f) {
    std::vector<Entry> all;
    for (const QString& s : f.sections())
        for (const QString& k : f.keys(s)) all.push_back({s, k, f.value(s, k).value_or(QString())});
    return all;
}

// Keys the program itself writes.
const struct {
    const char* section;
    const char* key;
} kKeys[] = {{"Sets", "Baudios"},   {"Sets", "SoftVer"}, {"Net", "0IP"},
             {"Net", "From"},       {"Net", "4Msg"},     {"Prog", "BlockFree"},
             {"Prog", "BlockUsed"}, {"Puertos", "COM1"}, {"prog", "blockf1"}};

QString anyText(FuzzedDataProvider& in) {
    const std::string raw = in.ConsumeRandomLengthString(80);
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
        case 0:
            return QString::fromUtf8(raw.data(), qsizetype(raw.size()));
        case 1:
            return QString::fromLatin1(raw.data(), qsizetype(raw.size()));
        default:  // raw UTF-16, lone surrogates included
            return QString(reinterpret_cast<const QChar*>(raw.data()), qsizetype(raw.size() / 2));
    }
}

QTemporaryDir* folder = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool toDisk = in.ConsumeBool();
    const int sets = in.ConsumeIntegralInRange<int>(0, 4);
    struct Set {
        int key;
        QString value;
    };
    std::vector<Set> changes;
    for (int i = 0; i < sets; ++i) {
        const int key = in.ConsumeIntegralInRange<int>(0, int(std::size(kKeys)) - 1);
        changes.push_back({key, anyText(in)});
    }
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    IniFile file = IniFile::fromBytes(bytes);
    check(file.toBytes() == asWritten(bytes), "a line was not written back byte for byte");
    const std::vector<Entry> read = entries(file);
    check(entries(IniFile::fromBytes(file.toBytes())) == read,
          "reading what was written gives other sections, keys or values");

    bool refused = false;
    for (const Set& c : changes) {
        const QString section = QLatin1String(kKeys[c.key].section);
        const QString key = QLatin1String(kKeys[c.key].key);
        const QByteArray before = file.toBytes();
        const bool breaksLine = c.value.contains(u'\r') || c.value.contains(u'\n');
        const bool taken = file.setValue(section, key, c.value);
        check(taken == !breaksLine, "setValue took a line break or refused a value without one");
        if (!taken) {
            refused = true;
            check(file.toBytes() == before, "a refused value changed the file");
            continue;
        }
        check(file.value(section, key) == c.value, "a value set does not read back");
        const IniFile again = IniFile::fromBytes(file.toBytes());
        check(again.value(section, key) == IniFile::decode(IniFile::encode(c.value)),
              "a value set does not read back from the written bytes");
    }

    const QByteArray written = file.toBytes();
    const IniFile reread = IniFile::fromBytes(written);
    check(reread.toBytes() == written, "writing what was read back changed the bytes");
    check(entries(IniFile::fromBytes(reread.toBytes())) == entries(reread),
          "a second round trip changed sections, keys or values");

    if (toDisk) {
        const QString path = folder->filePath(QStringLiteral("fuzz.ini"));
        QString error;
        const bool saved = file.save(path, &error);
        check(saved == !refused, "save did not follow the refused values");
        check(saved || !error.isEmpty(), "a failed save gave no reason");
        if (saved) {
            const auto loaded = IniFile::load(path);
            check(loaded && loaded->toBytes() == written, "the saved file loads back otherwise");
        }
    }
    return 0;
}
