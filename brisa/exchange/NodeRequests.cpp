#include "NodeRequests.h"

#include "Frame.h"

namespace brisa::exchange {

namespace {
// The driver's text for a block number outside its range check (its error number 6).
const QString kBlockRangeWarning = QStringLiteral("El Bloque está fuera del rango 0 - 37; 256 - 511");
constexpr int ModeSwitchBlock = 240;

// Marks the block being requested for as long as the driver's call lasts: the driver raises
// its warnings synchronously, inside the call.
class Sending {
  public:
    Sending(int& slot, int block) : slot_(slot) { slot_ = block; }
    ~Sending() { slot_ = -1; }
    Sending(const Sending&) = delete;
    Sending& operator=(const Sending&) = delete;

  private:
    int& slot_;
};
}  // namespace

void NodeRequests::armWatchdog() {
    link_.setWatchDogAuto(false);
    (void)link_.setWatchDogTime(ReplyWatchdogMs);  // within the driver's range: never refused
}

void NodeRequests::remember(int block, bool write) {
    const auto address = ztklink::frame::blockAddress(block, write);
    last_ = {block, address.command, address.blockByte};
    ++count_;
}

void NodeRequests::write(int block, const compiler::TxArea& data) {
    for (int i = 0; i < 16; ++i) (void)link_.setDato(i, data[i]);  // bytes: never refused
    remember(block, true);
    Sending mark(sending_, block);
    link_.EnviarPLC(NodeId, block);
}

void NodeRequests::read(int block) {
    remember(block, false);
    Sending mark(sending_, block);
    link_.RecibirPLC(NodeId, block);
}

bool NodeRequests::isReplyToLastRequest(quint8 command, quint8 block) const {
    return last_.block >= 0 && command == last_.command && block == last_.blockByte;
}

bool NodeRequests::nodeTakesBlock(int block) {
    return (block >= 38 && block <= compiler::LastStreamBlock) || block == ModeSwitchBlock;
}

bool NodeRequests::isExpectedRangeWarning(int number, const QString& text) const {
    return number == ztklink::ErrArgument && text == kBlockRangeWarning && nodeTakesBlock(sending_);
}

}  // namespace brisa::exchange
