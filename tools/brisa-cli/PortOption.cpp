#include "PortOption.h"

#include <QRegularExpression>

#include "IniFile.h"
#include "NodeConfig.h"
#include "NumberText.h"
#include "QtSerialPort.h"

namespace brisacli {

namespace {
constexpr qint64 DriverPorts = 8;  // the driver's COMM takes 1..8
}  // namespace

std::optional<PortChoice> resolvePort(const QString& value, const QString& settingsFile) {
    if (value.contains(QLatin1Char('/'))) return PortChoice{value, 1};
    static const QRegularExpression portName(QStringLiteral("^(?:COM)?(\\d{1,2})$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = portName.match(value.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const auto n = brisa::parseInteger(m.captured(1));
    if (!n || *n < 1 || *n > brisa::limits::PcPorts) return std::nullopt;
    const QString key = QStringLiteral("COM%1").arg(*n);
    const int number = *n <= DriverPorts ? int(*n) : 1;
    if (const auto file = brisa::IniFile::load(settingsFile)) {
        const QString mapped = file->value(QStringLiteral("Puertos"), key, QString()).trimmed();
        if (!mapped.isEmpty()) return PortChoice{mapped, number};
    }
    return PortChoice{ztklink::PortMap::platformDefault(int(*n)), number};
}

}  // namespace brisacli
