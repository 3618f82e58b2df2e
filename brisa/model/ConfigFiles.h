#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "IniFile.h"
#include "MessagePresenter.h"
#include "Session.h"
#include "form/MainForm.h"

namespace brisa {

struct SaveResult {
    bool ok = true;
    QString error;  // why it failed, in Spanish
};

struct LoadResult {
    enum class Status { Loaded, Unreadable, BadValue };
    struct Warning {
        QString title, text;
    };
    Status status = Status::Loaded;
    QString key;    // BadValue: the first key whose value is not valid
    QString error;  // Unreadable: why
    // Loaded: keys whose list position or option is outside its list, or whose number is
    // outside its entry field's range. Their fields keep what they showed, and so does the
    // record.
    QStringList skipped;
    // Loaded: what the handlers that the fill ran had to tell the user.
    QList<Warning> warnings;
    bool ok() const { return status == Status::Loaded; }
};

// Moves the configuration record between the settings file or a program file and the window.
//
// A file is written whole or not at all. A file is loaded whole or not at all: a value that
// is not valid refuses the file, leaving the record and the window as they were. Filling the
// window selects lists and options, so their handlers run as if the user had chosen; the
// loading flag is held meanwhile.
class ConfigFiles {
  public:
    ConfigFiles(Session& session, form::MainForm& form, MessagePresenter& messages);

    // Writes every key of the record to `path`, keeping what else the file holds. Does not
    // read the window.
    SaveResult SaveConfig(const QString& path);
    // Reads `path` into the record, then fills the window. A missing file gives the defaults.
    // Shows no message: the callers below do.
    LoadResult LoadConfig(const QString& path);
    // Copies the window into the record and saves the settings file.
    SaveResult CollectAndSaveSettings();
    // Copies the window into the record (everything but Baudios and SoftVer).
    void CollectSettings();

    // "Cargar": loads a program file, tells the user what could not be loaded, and selects
    // the first used block. False when the file was refused.
    bool loadProgramFile(const QString& path);
    // "Salvar": saves the settings file and then the program file; tells the user when the
    // program file could not be written.
    bool saveProgramFile(const QString& path);
    // Start-up: loads the settings file. A damaged one is set aside as "Brisa.ini.bad" and the
    // program starts from the defaults; the user is told in either case.
    void loadSettingsAtStartUp();
    // Closing: saves the settings file. Never asks anything and never refuses the closing; a
    // failure is only logged.
    bool saveSettingsAtShutdown();

    static QString badCopyPath(const QString& path);

    // For a handler that the window's fill runs: the warning is kept for the load's caller to
    // show once the window is filled (in LoadResult::warnings); outside a fill it is shown now.
    void warnAfterFill(const QString& title, const QString& text);

  private:
    LoadResult loadFrom(const IniFile& file);
    // Fills the window from the record; `before` is the record before the load, `keep` the
    // keys whose fields stay as they are.
    QStringList fillWindow(const NodeConfig& before, const QStringList& keep);
    void reportSkipped(const QString& title, const QString& path, const QStringList& keys);
    void reportLoaded(const QString& title, const QString& path, const LoadResult& r);

    Session& session_;
    form::MainForm& form_;
    MessagePresenter& messages_;
    bool filling_ = false;
    QList<LoadResult::Warning> afterFill_;
};

}  // namespace brisa
