#pragma once

#include <QObject>
#include <memory>

#include "CommZTK90.h"
#include "ConfigFiles.h"
#include "MainFormHandlers.h"
#include "MessagePresenter.h"
#include "Session.h"
#include "Dispatch.h"
#include "NodeRequests.h"
#include "NodeType.h"
#include "Programming.h"
#include "form/MainForm.h"

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
    exchange::NodeRequests requests{*ZTK90};
    exchange::Programming programming{form, session, requests};
    exchange::Dispatch dispatch{form, session, requests, programming};
    exchange::NodeType nodeType{form, session, *ZTK90, handlers};
};

}  // namespace brisa
