#pragma once

#include <QString>
#include <optional>

#include "App.h"
#include "MessagePresenter.h"

namespace brisacli {

// A failure that ends the command: the exit status and the Spanish message for stderr.
struct Failure {
    int exitCode = 1;
    QString message;
};

// Messages of the configurator's core, printed on stderr: nobody is there to answer a box.
class StderrPresenter : public brisa::MessagePresenter {
  public:
    void information(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
};

void printError(const QString& text);

// The choices a user makes on the node-type page before compiling.
struct NodeChoices {
    bool ethernet = false;
    std::optional<QString> softVer;  // "1.50"; none: what loading the file selected
    bool highMemory = false;
    std::optional<int> tcpPort;
};

// The configurator's core set up as the window's start-up leaves it, without windows and
// without ever rewriting the window's settings file: fixed lists, node type "232 <> 485",
// PLC port B on the link. The application folder is the executable's.
void startHeadless(brisa::App& app);

// Loads a program file the way "Cargar" does. Refuses a file that cannot be read (the core
// would take a missing file as the defaults).
std::optional<Failure> loadProgram(brisa::App& app, const QString& path);

// Node type, software version, high memory and TCP port, chosen as the user would.
std::optional<Failure> applyNodeChoices(brisa::App& app, const NodeChoices& c);

// "Compilar": fills lstCompilado and lbCompilado; a failure when the node cannot take the
// scan list.
std::optional<Failure> compile(brisa::App& app);

}  // namespace brisacli
