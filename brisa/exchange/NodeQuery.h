#pragma once

#include <QObject>

#include "Exchange.h"
#include "NodeRequests.h"
#include "form/MainForm.h"

namespace brisa::exchange {

// "&Interrogar " and the two mode-switch buttons: short exchanges of one or two requests.
// The query's replies are shown by the dispatch's read steps (blocks 0 and 1); the switch's
// acknowledgement comes back here.
class NodeQuery : public QObject {
    Q_OBJECT
  public:
    NodeQuery(form::MainForm& form, NodeRequests& requests, Exchange& exchange,
              QObject* parent = nullptr);

    // Hourglass, the watchdog following the line speed, then node block 0.
    void cmdQuery_Click();
    // "Nodo a inspec." / "Nodo normal": block 240 with the marker and its check value.
    void cmdNodoInsp_Click();
    void cmdNodoNorm_Click();
    // The node took the mode-switch command: the status line says so.
    void modeSwitchAcknowledged();

  signals:
    void modeSwitched(bool inspected);

  private:
    void sendModeSwitch(quint8 marker);

    form::MainForm& form_;
    NodeRequests& requests_;
    Exchange& exchange_;
    quint8 marker_ = 0;
};

}  // namespace brisa::exchange
