#pragma once

#include <QObject>
#include <memory>

#include "CommZTK90.h"
#include "ConfigFiles.h"
#include "MainFormHandlers.h"
#include "MessagePresenter.h"
#include "PortDevices.h"
#include "Session.h"
#include "SettingsStore.h"
#include "WindowHandlers.h"
#include "Dispatch.h"
#include "NodeRequests.h"
#include "NodeType.h"
#include "Programming.h"
#include "form/MainForm.h"
#include "exchange/BlockMap.h"
#include "exchange/BlockSelection.h"
#include "readback/DwPrgForm.h"
#include "readback/DwPrgHandlers.h"
#include "readback/Verification.h"
#include "wizard/TipForm.h"
#include "wizard/Wizard.h"
#include "wizard/WizardForm.h"

namespace brisa {

// The configurator without its windows: the record, the main window's state, its handlers
// and the link driver control ZTK90, wired together. The Qt window mirrors `form`;
// brisa-cli and the tests drive the same object.
class App : public QObject {
    Q_OBJECT
public:
    struct Options {
        // The link driver's serial port and timers; the real ones when not given.
        std::unique_ptr<ztklink::SerialPort> port;
        ztklink::TimerFactory* timers = nullptr;
        // The serial devices offered on the "Seteos" page; the system's when not given.
        PortDevices::ListDevices listDevices;
    };

    explicit App(MessagePresenter& messages, QObject* parent = nullptr);
    App(MessagePresenter& messages, Options options, QObject* parent = nullptr);
    ~App() override;

    MessagePresenter& messages;
    Session session;
    form::MainForm form;
    std::unique_ptr<ztklink::CommZTK90> ZTK90;
    ConfigFiles files;
    MainFormHandlers handlers;
    exchange::BlockSelection blocks;
    // The 256 blocks of the "Programa" page as a map.
    exchange::BlockMap blockMap{form};
    exchange::NodeRequests requests{*ZTK90};
    exchange::Exchange exchange;
    exchange::Programming programming{form, session, requests, exchange};
    exchange::NodeQuery query{form, requests, exchange};
    exchange::Inspection inspection{form, requests};
    exchange::Dispatch dispatch{form, session, requests, {programming, query, inspection}, exchange};
    exchange::NodeType nodeType{form, session, *ZTK90, handlers};
    // The window frmDwPrg and the read-back behind it; "Verificar" after programming.
    readback::DwPrgForm dwPrg;
    readback::DwPrgHandlers readBack{dwPrg,    form,     session, requests, exchange,
                                     blocks,   messages, [this] { StartUpControls(); }};
    readback::Verification verification{form, programming, requests, exchange};
    // The wizard frmWizard (" Asistente") and the tips window frmTip it opens.
    wizard::WizardForm wizardForm;
    wizard::TipForm tipForm;
    wizard::Wizard wizard{wizardForm, tipForm, form, session};

    // --- start-up and shutdown ---
    // The system's number conventions, asked once at start-up; tests give their own.
    std::function<RegionalSettings()> regionalSettings = &SettingsStore::regionalSettings;
    PortDevices portDevices;
    WindowHandlers windowHandlers;

    // Everything that happens before the user works, in this order, each step going on when
    // the one before failed: component check, regional settings warning, fixed lists, the
    // settings file, the driver's set-up, the result fields, the "Files" folder, the title,
    // the node type. `appFolder` is the executable's folder when empty.
    void startUp(const QString& appFolder = QString());
    // Saves the window into the settings file, once; never refuses to end.
    void shutDown();
    // Whether the program may end now: always, unless an exchange with the node runs and the
    // user, asked, says no.
    bool mayEnd();
    // "Terminar": asks while an exchange runs, then saves and asks the host to quit.
    void requestQuit();
    // Whether the program's own components answer (there is nothing to register here).
    bool componentsAnswer();
    // Warns when the system's number conventions would garble the program's numbers.
    void CheckRegionalSettings();
    void StartUpControls();
    void lbInfNodoClear();
    // "1.00.00": major, minor and revision of this build, the last two with two digits.
    static QString versionText();

  signals:
    // "Terminar": the settings are saved; the program must end now.
    void quitRequested();

  private:
    // While an exchange runs, the controls that would start another one or change what is
    // being sent are disabled; they get their own state back when it ends.
    void lockForExchange(bool running);
    QList<QPair<form::Control*, bool>> locked_;
    bool shutDown_ = false;
};

}  // namespace brisa
