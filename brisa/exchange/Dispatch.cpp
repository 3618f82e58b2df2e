#include "Dispatch.h"

#include "NodeConfig.h"
#include "compiler/NodeInfo.h"

namespace brisa::exchange {

namespace {
constexpr quint8 WriteReply = 10;
constexpr quint8 ReadReply = 11;
constexpr int SerialHandlerMaximum = 15;
const QString kError = QStringLiteral("Error");
}  // namespace

Dispatch::Dispatch(form::MainForm& form, Session& session, NodeRequests& requests, Steps steps,
                   Exchange& exchange, QObject* parent)
    : QObject(parent),
      form_(form),
      session_(session),
      requests_(requests),
      steps_(steps),
      exchange_(exchange) {
    ztklink::CommZTK90* link = &requests.link();
    using C = ztklink::CommZTK90;
    connect(link, &C::RespuestaPLC, this, &Dispatch::RespuestaPLC);
    connect(link, &C::ErrorComm, this, &Dispatch::ErrorComm);
    connect(link, &C::RespuestaPLCNoRecibida, this, &Dispatch::RespuestaPLCNoRecibida);
    connect(link, &C::PerroGuardian, this, &Dispatch::PerroGuardian);
    connect(link, &C::NewByte, this, &Dispatch::NewByte);
}

void Dispatch::RespuestaPLC(quint8 /*id*/, quint8 block, quint8 command) {
    // A late or repeated reply after the exchange ended must not start anything.
    if (!exchange_.running()) return;
    // The driver stopped its watchdog on this reply: a reply of anything else than what was
    // asked would leave the chain waiting for ever, or be taken for the wrong block.
    if (!requests_.isReplyToLastRequest(command, block)) {
        unexpectedReply(command, block);
        return;
    }
    // One handler per reply, also for a (never used) version between 2 and 3: two handlers
    // would answer one reply with two requests.
    if (session_.hardVer < 3)
        RtaHV1(command, block);
    else
        RtaHV3(command, block);
}

void Dispatch::RtaHV1(quint8 command, quint8 block) {
    form_.PgBar1.setMax(SerialHandlerMaximum);
    handleReply(command, block);
}

void Dispatch::RtaHV3(quint8 command, quint8 block) { handleReply(command, block); }

void Dispatch::handleReply(quint8 command, quint8 block) {
    requests_.armWatchdog();
    if (command == ReadReply)
        readStep(block);
    else if (command == WriteReply && exchange_.kind() == Exchange::Kind::ModeSwitch)
        steps_.query.modeSwitchAcknowledged();
    else if (command == WriteReply)
        steps_.programming.writeAcknowledged(block);
}

void Dispatch::readStep(int block) {
    compiler::NodeData d{};
    for (int i = 0; i < 16; ++i) d[i] = std::uint8_t(requests_.link().Dato(i).valueOr(0));
    if (block == 0) {
        const compiler::NodeInfo0 info =
            compiler::decodeNodeBlock0(d, [](int code) { return NodeTypeShortName(code); });
        form_.lbSoftwarever.setCaption(info.softwareVersion);
        form_.lbModelo.setCaption(info.model);
        form_.lbBlPri1.setCaption(info.priority1);
        form_.lbBlPri2.setCaption(info.priority2);
        form_.lbIP.setCaption(info.ip);
        form_.lbMsk.setCaption(info.mask);
        requests_.read(1);
    } else if (block == 1) {
        const compiler::NodeInfo1 info = compiler::decodeNodeBlock1(d);
        form_.lbIpPort.setCaption(info.tcpPort);
        form_.lbBaud232.setCaption(info.baud232);
        form_.lbBaud485.setCaption(info.baud485);
        form_.lbBloquesEnNodo.setCaption(info.blocksInNode);
        form_.lbId232.setCaption(info.id232);
        form_.lbId485.setCaption(info.id485);
        form_.lbPortPLC.setCaption(info.plcPort);
        form_.pointer.setBusy(false);
        exchange_.end();
        emit queryCompleted();
    } else if (block >= 100 && block <= 115) {
        emit readBackReply(block, d);
    }
    // Any other block is no reply we wait for.
}

QString Dispatch::showBlockFailure(const QString& what) {
    const QString text = QStringLiteral("Error BL %1: %2")
                             .arg(requests_.lastBlock(), 3, 10, QLatin1Char('0'))
                             .arg(what);
    form_.lbStatus.setCaption(text);
    failureShownFor_ = requests_.requestCount();
    return text;
}

void Dispatch::unexpectedReply(quint8 command, quint8 block) {
    const int sent = requests_.lastBlock();
    exchange_.end();
    form_.pointer.setBusy(false);
    const QString text = QStringLiteral("Error BL %1").arg(sent);
    form_.lbProgramado.setCaption(text);
    form_.lbModelo.setCaption(kError);
    showBlockFailure(QStringLiteral("respuesta inesperada del nodo (comando %1, bloque %2)")
                         .arg(command)
                         .arg(block));
    emit failed(text);
}

void Dispatch::ErrorComm(qint32 number, const QString& text) {
    // The driver warns about blocks outside its own range even though it sends them; the node
    // takes the ones we send on purpose, and the exchange goes on.
    if (requests_.isExpectedRangeWarning(number, text)) return;
    form_.pointer.setBusy(false);
    form_.lbModelo.setCaption(kError);
    if (!exchange_.running()) {
        form_.lbStatus.setCaption(text);
        emit failed(text);
        return;
    }
    emit failed(showBlockFailure(text));
}

void Dispatch::RespuestaPLCNoRecibida(quint8 /*id*/, quint8 block) {
    // Stray bytes with nothing asked are no failure; nor are the block numbers an inspected
    // node keeps putting on the line while it is switched back (the watchdog decides there).
    if (!exchange_.running() || exchange_.kind() == Exchange::Kind::ModeSwitch) return;
    form_.pointer.setBusy(false);
    const QString text = QStringLiteral("Error BL %1").arg(block);
    form_.lbProgramado.setCaption(text);
    showBlockFailure(QStringLiteral("respuesta incompleta del nodo"));
    emit failed(text);
}

void Dispatch::PerroGuardian() {
    if (exchange_.running() && failureShownFor_ != requests_.requestCount())
        showBlockFailure(QStringLiteral("el nodo no respondió"));
    exchange_.end();
    form_.pointer.setBusy(false);
    form_.lbProgramado.setCaption(kError);
    form_.lbModelo.setCaption(kError);
    emit failed(kError);
}

void Dispatch::NewByte(quint8 byte) { steps_.inspection.capture(byte); }

}  // namespace brisa::exchange
