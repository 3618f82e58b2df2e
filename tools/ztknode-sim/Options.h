#pragma once

#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

#include "Faults.h"
#include "LineTiming.h"
#include "Node.h"

namespace nodesim {

struct Options {
    QString link;
    Identity identity;
    Framing framing = Framing::N1;  // the node's PLC port starts as port B
    int baud = 4800;
    bool pace = false;
    QString logFile;
    FaultOptions faults;
    int delayMs = 0;
    std::vector<int> flips;  // node memory offsets inverted after each write covering them
};

struct HelpRequested {
    QString text;
};

struct UsageError {
    QString message;
};

using ParsedOptions = std::variant<Options, HelpRequested, UsageError>;

// Reads the command line (program name first).
ParsedOptions parseOptions(const QStringList& arguments);

}  // namespace nodesim
