#pragma once

#include <QObject>
#include <functional>

#include "ConfigFiles.h"
#include "MessagePresenter.h"
#include "Result.h"
#include "Session.h"
#include "SettingsStore.h"
#include "form/MainForm.h"

namespace brisa {

// The main window's handlers for the controls that the configuration touches, connected to
// the controls' click signals, so that they run whether the user or a load makes the choice.
class MainFormHandlers : public QObject {
    Q_OBJECT
  public:
    // Hands a PC port number to the link driver (its COMM property).
    using SetPcPort = std::function<ztklink::Result(int)>;

    MainFormHandlers(form::MainForm& form, Session& session, ConfigFiles& files,
                     MessagePresenter& messages, SetPcPort setPcPort, QObject* parent = nullptr);

    // The fixed lists of the window, filled once at start-up: ids 1..255, speeds 600..19200,
    // PC speeds 1200..19200, PC ports COM1: .. COM16:, the all-blocks list.
    void FillPortLists();
    // "Nunca", 3 .. 240 minutes, "PLC"; selects "Nunca".
    void cbMinutosPopStartUp();
    // Software versions 1.00 .. 2.00.
    void FillSoftVerList();

    void cbPSerie_Click();
    // Tells the user that the driver refused the chosen PC port.
    void reportRefusedPort(const ztklink::Result& refusal);
    void cbSoftVer_Click();
    void cbMinutosPop_Click();
    void chkAutenticacion_Click();
    // A change that makes a compiled image stale: "Programar" is hidden until the next compile.
    void invalidateCompiled();

  signals:
    // The software version changed: the window must adapt to the node (AdaptaAlNodo).
    void adaptToNodeRequested();

  private:
    form::MainForm& form_;
    Session& session_;
    ConfigFiles& files_;
    MessagePresenter& messages_;
    SetPcPort setPcPort_;
    SettingsStore store_;
};

}  // namespace brisa
