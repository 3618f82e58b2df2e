#pragma once

#include <QString>
#include <optional>

namespace brisacli {

// The device that a --port value names: a device path as it is, or COMn / n (1 to 16)
// through section "Puertos" of the settings file, falling back to the platform's own device
// for that port. Nullopt for a value that is neither.
std::optional<QString> resolvePort(const QString& value, const QString& settingsFile);

}  // namespace brisacli
