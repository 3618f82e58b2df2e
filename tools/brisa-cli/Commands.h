#pragma once

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <functional>

namespace brisacli {

// What a subcommand accepts besides its file.
enum OptionGroup {
    NodeOptions = 1,  // --node, --sw, --memh, --tcp-port
    LinkOptions = 2,  // --port, --baud, --plc-port
    JsonOption = 4,   // --json
    SaveOptions = 8,  // --save, --nod
    VerifyOption = 16,  // --verify
};

struct Subcommand {
    QString name;
    QString synopsis;  // the usage line after "brisa-cli "
    int options;       // OptionGroup flags
    // Runs with the parsed command line (its file given, when it takes one); returns the exit
    // status.
    std::function<int(const QCommandLineParser&)> run;
    bool takesFile = true;  // a program file as its one argument; otherwise none
};

// Every subcommand, in the order the usage text lists them. New ones are added here.
const QList<Subcommand>& subcommands();

QString usageText();

}  // namespace brisacli
