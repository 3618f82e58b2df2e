#pragma once

#include <QList>
#include <QString>

#include "ztklink_export.h"

namespace ztklink {

// A serial device found on this machine, as offered to a technician choosing a port.
struct SerialDevice {
    QString path;         // what to open: the stable /dev/serial/by-id link when there is one
    QString systemPath;   // the kernel's name for it (/dev/ttyUSB0), which may change on replug
    QString description;  // maker, product and serial number, as far as known
};

// The serial devices present now. A device with a link in `byIdFolder` is offered by that
// link, because /dev/ttyUSB<n> numbers change when adapters are plugged in another order.
ZTKLINK_EXPORT QList<SerialDevice> listSerialDevices(
    const QString& byIdFolder = QStringLiteral("/dev/serial/by-id"));

// Fills in the by-id links for devices found elsewhere (the part of listSerialDevices that
// does not ask the system, kept apart so it can be checked on its own).
ZTKLINK_EXPORT void preferStableLinks(QList<SerialDevice>& devices, const QString& byIdFolder);

}  // namespace ztklink
