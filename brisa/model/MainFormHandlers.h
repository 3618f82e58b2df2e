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
    // The PC port number the link driver uses.
    using PcPortInUse = std::function<int()>;

    MainFormHandlers(form::MainForm& form, Session& session, ConfigFiles& files,
                     MessagePresenter& messages, SetPcPort setPcPort, PcPortInUse pcPortInUse,
                     QObject* parent = nullptr);

    // The fixed lists of the window, filled once at start-up: ids 1..255, speeds 600..19200,
    // PC speeds 1200..19200, PC ports COM1: .. COM16:, the all-blocks list.
    void FillPortLists();
    // "Nunca", 3 .. 240 minutes, "PLC"; selects "Nunca".
    void cbMinutosPopStartUp();
    // Software versions 1.00 .. 2.00.
    void FillSoftVerList();

    // A port the driver takes becomes the record's `Port` (saved at once outside a load); when
    // it is another port, the status bar's link error, which belonged to the port left behind,
    // is cleared. A port the driver refuses is reported, and the list goes back to the port in
    // use.
    void cbPSerie_Click();
    void cbSoftVer_Click();
    void cbMinutosPop_Click();
    void chkAutenticacion_Click();
    // A change that makes a compiled image stale: "Programar" is hidden until the next compile.
    void invalidateCompiled();

  signals:
    // The software version changed: the window must adapt to the node (AdaptaAlNodo).
    void adaptToNodeRequested();

  private:
    void refusePcPort(const ztklink::Result& refusal);

    form::MainForm& form_;
    Session& session_;
    ConfigFiles& files_;
    MessagePresenter& messages_;
    SetPcPort setPcPort_;
    PcPortInUse pcPortInUse_;
    SettingsStore store_;
};

}  // namespace brisa
