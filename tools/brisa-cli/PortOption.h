#pragma once

#include <QString>
#include <optional>

namespace brisacli {

struct PortChoice {
    QString device;
    // The driver's port number for it: n for COMn within the driver's 1..8 (its messages then
    // name the port the user gave), otherwise 1.
    int number = 1;
    bool operator==(const PortChoice&) const = default;
};

// The device that a --port value names: a device path as it is, or COMn / n (1 to 16)
// through section "Puertos" of the settings file, falling back to the platform's own device
// for that port. Nullopt for a value that is neither.
std::optional<PortChoice> resolvePort(const QString& value, const QString& settingsFile);

}  // namespace brisacli
