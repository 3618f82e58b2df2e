#include "SerialPort.h"

#include <QStringList>

namespace ztklink {

std::optional<LineSettings> LineSettings::parse(const QString& text) {
    const QStringList fields = text.split(u',');
    if (fields.size() != 4) return std::nullopt;
    LineSettings s;
    bool ok = false;
    s.baud = fields[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0) return std::nullopt;
    const QString parity = fields[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("neoms").contains(parity)) return std::nullopt;
    s.parity = parity[0].toLatin1();
    s.dataBits = fields[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8) return std::nullopt;
    s.stopBits = fields[3].trimmed().toInt(&ok);
    if (!ok || (s.stopBits != 1 && s.stopBits != 2)) return std::nullopt;
    return s;
}

int LineSettings::bitsPerCharacter() const {
    return 1 + dataBits + (parity == 'n' ? 0 : 1) + stopBits;
}

}  // namespace ztklink
