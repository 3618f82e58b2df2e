#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "App.h"

namespace drills {

// Messages are recorded: the drills read what the user was told.
class RecordingPresenter : public brisa::MessagePresenter {
  public:
    void information(const QString& title, const QString& text) override {
        shown << title + QStringLiteral(": ") + text;
    }
    void warning(const QString& title, const QString& text) override {
        shown << title + QStringLiteral(": ") + text;
    }
    bool question(const QString& title, const QString& text) override {
        shown << title + QStringLiteral(": ") + text;
        return true;
    }
    QStringList shown;
};

// What one press of "&Programar " came to.
struct ProgrammingRun {
    bool completed = false;  // Programming::completed was raised
    bool ended = false;      // the exchange ended within the time given
    QString programado;      // lbProgramado at the end
    QString status;          // lbStatus at the end
    QString modelo;          // lbModelo at the end
    QList<int> blocks;       // the blocks sent, in order
    QList<qint64> sentMs;    // when each went out, from the press
    qint64 endedMs = -1;     // when the exchange ended, from the press
    QStringList failures;    // every Dispatch::failed text, in order
    QStringList captions;    // every lbProgramado caption shown, in order
};

// The configurator's core as the window runs it (brisa::App::startUp over an application
// folder of its own) on the real serial port and timers, with COM1: pointing at `link` through
// section Puertos of its "Brisa.ini", as run.sh sets it up for the window.
class DrillWindow {
  public:
    explicit DrillWindow(const QString& link);
    ~DrillWindow();

    brisa::App& app() { return *app_; }
    brisa::form::MainForm& form() { return app_->form; }
    RecordingPresenter& messages() { return messages_; }
    QString folder() const { return dir_.path(); }

    // "Car&gar " of a file in tests/data, the node type and software version chosen, and
    // "&Compilar ". False (with the reason in `why`) when "&Programar " is not offered.
    bool prepare(const QString& dataFile, bool ethernet, const QString& softVer, QString* why);
    // Presses "&Programar " and runs the event loop until the exchange ends or `timeoutMs`.
    ProgrammingRun program(int timeoutMs = 30000);

  private:
    QTemporaryDir dir_;
    RecordingPresenter messages_;
    std::unique_ptr<brisa::App> app_;
};

// The configurator's core started as the window starts (brisa::App::startUp) over `folder`,
// its "Brisa.ini" as the folder holds it, with system conventions that need no warning and no
// serial devices offered.
std::unique_ptr<brisa::App> startWindowCore(brisa::MessagePresenter& messages,
                                            const QString& folder);

// tests/data/<name>
QString dataFile(const char* name);

// Whether the controls a user needs for the next programming are there: "&Programar "
// visible and enabled, no exchange running, the normal pointer, the program free to end.
QString unusableBecause(brisa::App& app);

// The number after "Error BL " in `text` (either "Error BL 7" or "Error BL 007: ..."), or -1.
int blockNamed(const QString& text);

}  // namespace drills
