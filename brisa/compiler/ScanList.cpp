#include "compiler/ScanList.h"

#include "compiler/Text.h"

namespace brisa::compiler {

namespace {
constexpr int HighestOrdinaryBlock = 191;
const QString CrLf = QStringLiteral("\r\n");
}  // namespace

QString scanTimeText(int total, const QString& decimalSeparator) {
    const double seconds = total * 0.1;
    QString text = QString::number(seconds, 'g', 15);  // C locale: always "."
    text.replace(u'.', decimalSeparator);
    return text;
}

QString capacityExceededLine(int maxEntries) {
    return QStringLiteral("El recorrido supera el máximo de %1 bloques del nodo").arg(maxEntries);
}

QString nodePasswordLine() {
    return QStringLiteral("La contraseña del nodo debe tener exactamente 4 letras o números");
}

bool validNodePassword(const QString& password) {
    return password.size() == 4 && isAsciiAlphanumeric(password);
}

ScanResult armaRecorrido(const ScanInput& in) {
    ScanResult r;
    const bool pri1 = !isBlank(in.priority1);
    const bool pri2 = !isBlank(in.priority2);
    const auto isHigh = [](const QString& t) { return textValue(t) > HighestOrdinaryBlock; };

    const auto append = [&](const QString& entry) {
        r.scan << entry;
        ++r.total;
    };
    const auto appendPriorities = [&] {
        if (pri1) append(in.priority1);
        if (pri2) append(in.priority2);
    };
    appendPriorities();
    if (pri1 && isHigh(in.priority1)) ++r.highMemory;
    if (pri2 && isHigh(in.priority2)) ++r.highMemory;

    int run = 0;
    for (const QString& item : in.used) {
        append(item);
        if (isHigh(item)) ++r.highMemory;
        if (++run == 2) {
            run = 0;
            appendPriorities();  // repeats count in T, not in H
        }
    }
    // The list is a space-separated text split again at single spaces, so a field holding
    // spaces of its own yields more (or empty) entries than T counts; T stays the count of
    // fields taken, as the report has always shown it.
    const QString joined = r.scan.join(u' ');
    qsizetype lead = 0;
    while (lead < joined.size() && joined[lead] == u' ') ++lead;
    r.scan = lead == joined.size() ? QStringList{} : joined.mid(lead).split(u' ');

    r.priorities = (in.priority1.isEmpty() ? 0 : 1) + (in.priority2.isEmpty() ? 0 : 1);

    QString& t = r.report;
    t += QStringLiteral("Recorrido total bloques: ") + QString::number(r.total) + CrLf;
    if (in.highMemory)
        t += QString::number(r.highMemory) + QStringLiteral(" de memoria alta") + CrLf;
    t += QStringLiteral("Tiempo estimado de scan: ") + scanTimeText(r.total, in.decimalSeparator) +
         QStringLiteral(" seg.") + CrLf;
    t += QStringLiteral("Bloques con prioridad: ") + QString::number(r.priorities) + CrLf;
    if (r.scan.size() > in.maxEntries) {
        // The node keeps only the first maxEntries while its header would claim them all.
        t += capacityExceededLine(in.maxEntries) + CrLf;
        r.programmable = false;
    }
    // An empty field would go out as zeros and the node would take it without a word.
    for (const QString& field : in.missingFields) {
        t += QStringLiteral("Falta el valor de ") + field + CrLf;
        r.programmable = false;
    }
    for (const QString& fault : in.faults) {
        t += fault + CrLf;
        r.programmable = false;
    }
    return r;
}

}  // namespace brisa::compiler
