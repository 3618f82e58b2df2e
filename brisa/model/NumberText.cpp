#include "NumberText.h"

#include <QLocale>

namespace brisa {

std::optional<qint64> parseInteger(QStringView text) {
    const QStringView t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    qsizetype i = (t[0] == u'-' || t[0] == u'+') ? 1 : 0;
    if (i == t.size()) return std::nullopt;
    for (qsizetype k = i; k < t.size(); ++k)
        if (t[k] < u'0' || t[k] > u'9') return std::nullopt;
    bool ok = false;
    const qint64 v = QLocale::c().toLongLong(t, &ok);
    if (!ok) return std::nullopt;
    return v;
}

qint64 leadingNumber(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype end = (!t.isEmpty() && (t[0] == u'-' || t[0] == u'+')) ? 1 : 0;
    const qsizetype digitsFrom = end;
    while (end < t.size() && t[end] >= u'0' && t[end] <= u'9' && end - digitsFrom < 18) ++end;
    if (end == digitsFrom) return 0;
    return parseInteger(t.left(end)).value_or(0);
}

std::optional<double> parseDecimal(QStringView text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok) return std::nullopt;
    return v;
}

}  // namespace brisa
