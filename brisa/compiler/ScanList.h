#pragma once

#include <QString>
#include <QStringList>

// "Compilar": the scan list that the node cycles through and the report shown beside it.
namespace brisa::compiler {

struct ScanInput {
    QString priority1;  // txtPri(0), as the user left it (not trimmed)
    QString priority2;  // txtPri(1)
    QStringList used;   // lstUsed, in the user's order
    bool highMemory = false;
    QString decimalSeparator = QStringLiteral(".");  // the user's locale, for the scan time
    int maxEntries = 192;  // what the chosen node takes: scanCapacity() of the sequence
    // Names of the fields the node needs that are empty ("Dirección IP"): each is reported
    // and the list is not programmable.
    QStringList missingFields;
    // Further lines about values the node cannot use as they are: each is reported as it is
    // and the list is not programmable.
    QStringList faults;
};

struct ScanResult {
    QStringList scan;          // lstCompilado: each entry exactly as taken from the fields
    int total = 0;             // T: entries, priority repeats included
    int highMemory = 0;        // H: entries above 191, each field and used block counted once
    int priorities = 0;        // P: priority fields whose text is not empty (spaces count)
    QString report;            // lbCompilado: every line followed by CR LF
    bool programmable = true;  // false when the node cannot take the whole scan list
};

// The report's line for a scan list longer than the node takes.
QString capacityExceededLine(int maxEntries);
// The report's line for a node that reads e-mail with a password it cannot use.
QString nodePasswordLine();
// Whether the node can recognise its e-mails with this password: exactly 4 ASCII letters or
// digits.
bool validNodePassword(const QString& password);

// ArmaRecorrido: the priority blocks first, then the used blocks with the priority blocks
// repeated after every complete pair.
ScanResult armaRecorrido(const ScanInput& in);

// T x 0.1 s as the shortest text with up to 15 significant digits ("1.1", "1", "0").
QString scanTimeText(int total, const QString& decimalSeparator);

}  // namespace brisa::compiler
