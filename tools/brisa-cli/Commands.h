#pragma once

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <functional>

namespace brisacli {

// What a subcommand accepts besides its file.
enum OptionGroup {
    NodeOptions = 1,  // --node, --sw, --memh, --tcp-port
    LinkOptions = 2,  // --port, --baud, --plc-port, --trace
    JsonOption = 4,   // --json
    SaveOption = 8,     // --save
    VerifyOption = 16,  // --verify
    NodOption = 32,     // --nod
    SecondsOption = 64, // --seconds
};

struct Subcommand {
    QString name;
    QString synopsis;  // the usage line after "brisa-cli "
    int options;       // OptionGroup flags
    // Runs with the parsed command line (its file given, when it takes one); returns the exit
    // status.
    std::function<int(const QCommandLineParser&)> run;
    bool takesFile = true;  // one argument (a program file, unless it says otherwise); or none
    QString missingArgument = QStringLiteral("Falta el archivo de programa (.nod).");
};

// Every subcommand, in the order the usage text lists them. New ones are added here.
const QList<Subcommand>& subcommands();

QString usageText();

}  // namespace brisacli
