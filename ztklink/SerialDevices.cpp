#include "SerialDevices.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace ztklink {

void preferStableLinks(QList<SerialDevice>& devices, const QString& byIdFolder) {
    const QDir dir(byIdFolder);
    if (!dir.exists()) return;
    const QFileInfoList links = dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (auto& device : devices) {
        const QString target = QFileInfo(device.systemPath).canonicalFilePath();
        if (target.isEmpty()) continue;
        for (const QFileInfo& link : links) {
            if (link.isSymLink() && QFileInfo(link.absoluteFilePath()).canonicalFilePath() == target) {
                device.path = link.absoluteFilePath();
                break;
            }
        }
    }
}

QList<SerialDevice> listSerialDevices(const QString& byIdFolder) {
    QList<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice d;
        d.systemPath = info.systemLocation();
        d.path = d.systemPath;
        QStringList parts;
        for (const QString& p : {info.manufacturer(), info.description(), info.serialNumber()})
            if (!p.trimmed().isEmpty() && !parts.contains(p.trimmed())) parts << p.trimmed();
        d.description = parts.join(QStringLiteral(" · "));
        devices << d;
    }
    preferStableLinks(devices, byIdFolder);
    return devices;
}

}  // namespace ztklink
