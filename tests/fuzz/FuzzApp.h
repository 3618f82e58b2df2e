#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "App.h"
#include "ManualClock.h"

namespace fuzz {

// Messages are recorded: nobody answers them.
class RecordingPresenter : public brisa::MessagePresenter {
  public:
    void information(const QString& title, const QString& text) override {
        shown << title + QStringLiteral(": ") + text;
    }
    void warning(const QString& title, const QString& text) override {
        shown << title + QStringLiteral(": ") + text;
    }
    QStringList shown;
};

// The configurator's core on a scripted port and a manual clock, started as the window
// starts (App::startUp) in an application folder of its own, where the settings file is
// missing: the defaults, node type "232 <> 485", software version 1.50, COM1:.
struct FuzzApp {
    FuzzApp();
    QTemporaryDir folder;
    RecordingPresenter messages;
    testsupport::ManualClock clock;
    std::unique_ptr<brisa::App> app;
};

// What the main window shows that a load, "Descompilar" or the block selection can change,
// one line per control. With `numbers`, a numeric field shows its value ("000" and "0" are
// the same address part).
QStringList windowState(const brisa::form::MainForm& form, bool numbers = false);

// Every entry field with a range shows a number inside it (or nothing), and every list
// selection is inside its list. Empty when it holds; otherwise the control's name.
QString windowOutOfRange(const brisa::form::MainForm& form);

[[noreturn]] void broken(const char* target, const QString& what);

}  // namespace fuzz
