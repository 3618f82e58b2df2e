#pragma once

#include <QObject>
#include <QString>

#include "Exchange.h"
#include "Inspection.h"
#include "NodeQuery.h"
#include "NodeRequests.h"
#include "Programming.h"
#include "Session.h"
#include "compiler/NodeInfo.h"
#include "form/MainForm.h"

namespace brisa::exchange {

// The main window's handlers of the link control's events. While an exchange runs, a reply
// must name the command and block just sent; it then goes to the handler of the node's
// hardware version. Any other reply ends the exchange as a link failure, and replies that come
// while nothing runs are ignored. The watchdog ends a running exchange; the other failures
// only put their texts on the window, and a valid reply may still come.
//
// While an exchange runs, every failure puts into the status line the block just sent and what
// went wrong with it ("Error BL 007: el nodo no respondió"). The watchdog that follows a
// failure already shown for the same request (a partial reply, a bad checksum, a lost device)
// keeps that text: it says more than the silence that ends the exchange.
class Dispatch : public QObject {
    Q_OBJECT
  public:
    // The parts of the window that take the replies of their exchanges.
    struct Steps {
        Programming& programming;
        NodeQuery& query;
        Inspection& inspection;
    };
    Dispatch(form::MainForm& form, Session& session, NodeRequests& requests, Steps steps,
             Exchange& exchange, QObject* parent = nullptr);

    void RespuestaPLC(quint8 id, quint8 block, quint8 command);
    void ErrorComm(qint32 number, const QString& text);
    void RespuestaPLCNoRecibida(quint8 id, quint8 block);
    void PerroGuardian();
    void NewByte(quint8 byte);

    // The reply handlers: RS-232/485 nodes and Ethernet nodes.
    void RtaHV1(quint8 command, quint8 block);
    void RtaHV3(quint8 command, quint8 block);

  signals:
    // A link failure was shown: the text the window put up ("Error", "Error BL 7", or the
    // status line for an error the driver reported). Several may come for one request; the
    // exchange ends with the watchdog or an unexpected reply.
    void failed(const QString& text);
    // The node query's second block was shown.
    void queryCompleted();
    // A read-back block (100 to 115) came, answering the read just sent.
    void readBackReply(int block, const brisa::compiler::NodeData& data);

  private:
    void handleReply(quint8 command, quint8 block);
    void readStep(int block);
    void unexpectedReply(quint8 command, quint8 block);
    // Puts "Error BL nnn: `what`" for the block just sent into the status line.
    QString showBlockFailure(const QString& what);

    form::MainForm& form_;
    Session& session_;
    NodeRequests& requests_;
    Steps steps_;
    Exchange& exchange_;
    int failureShownFor_ = -1;  // the request (NodeRequests::requestCount) the status names
};

}  // namespace brisa::exchange
