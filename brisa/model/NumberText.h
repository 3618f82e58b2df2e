#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace brisa {

// Numbers in the program's own texts (files, entry fields, list entries) are always written
// with digits and "." whatever the system's regional settings, so they are parsed here with
// the C locale rules, never with QLocale::system().

// A whole decimal number with an optional sign, spaces around it allowed; nullopt otherwise
// (empty text included).
std::optional<qint64> parseInteger(QStringView text);

// The number an entry field shows, as the field's value: the leading digits (with an optional
// sign) after any spaces, 0 when there are none. "007" gives 7, "" gives 0, "12a" gives 12.
qint64 leadingNumber(QStringView text);

// A decimal fraction such as "1.50"; nullopt when the text is not one.
std::optional<double> parseDecimal(QStringView text);

}  // namespace brisa
