#include "NodeQuery.h"

#include "Frame.h"

namespace brisa::exchange {

NodeQuery::NodeQuery(form::MainForm& form, NodeRequests& requests, Exchange& exchange,
                     QObject* parent)
    : QObject(parent), form_(form), requests_(requests), exchange_(exchange) {
    connect(&form.cmdQuery, &form::CommandButton::click, this, &NodeQuery::cmdQuery_Click);
    connect(&form.cmdNodoInsp, &form::CommandButton::click, this, &NodeQuery::cmdNodoInsp_Click);
    connect(&form.cmdNodoNorm, &form::CommandButton::click, this, &NodeQuery::cmdNodoNorm_Click);
}

void NodeQuery::cmdQuery_Click() {
    if (exchange_.running()) return;
    exchange_.begin(Exchange::Kind::Query);
    form_.lbStatus.setCaption(QString());
    form_.pointer.setBusy(true);
    requests_.link().setWatchDogAuto(true);
    requests_.read(0);
}

void NodeQuery::cmdNodoInsp_Click() { sendModeSwitch(ztklink::frame::InspectedMarker); }
void NodeQuery::cmdNodoNorm_Click() { sendModeSwitch(ztklink::frame::NormalMarker); }

void NodeQuery::sendModeSwitch(quint8 marker) {
    if (exchange_.running()) return;
    exchange_.begin(Exchange::Kind::ModeSwitch);
    marker_ = marker;
    form_.lbStatus.setCaption(QString());
    // Without a watchdog a node that never answers would leave the switch running for ever.
    requests_.armWatchdog();
    const ztklink::frame::Data data = ztklink::frame::modeSwitchData(NodeId, marker);
    compiler::TxArea tx{};
    std::copy(data.begin(), data.end(), tx.begin());
    requests_.write(ztklink::frame::ModeSwitchBlock, tx);
}

void NodeQuery::modeSwitchAcknowledged() {
    const bool inspected = marker_ == ztklink::frame::InspectedMarker;
    form_.lbStatus.setCaption(inspected ? QStringLiteral("Nodo en modo inspección")
                                        : QStringLiteral("Nodo en modo normal"));
    exchange_.end();
    emit modeSwitched(inspected);
}

}  // namespace brisa::exchange
