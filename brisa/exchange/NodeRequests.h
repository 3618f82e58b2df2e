#pragma once

#include <QString>

#include "CommZTK90.h"
#include "compiler/Image.h"

namespace brisa::exchange {

// How long the node has to answer each request of an exchange.
constexpr int ReplyWatchdogMs = 2000;
// Every request of the configurator goes to this node id.
constexpr quint8 NodeId = 1;

// The configurator's requests to the node through the link control. It knows which block is
// being sent, so that the driver's block-range warning can be told apart from real failures.
class NodeRequests {
  public:
    explicit NodeRequests(ztklink::CommZTK90& link) : link_(link) {}

    ztklink::CommZTK90& link() { return link_; }

    // Gives the node ReplyWatchdogMs to answer the next request.
    void armWatchdog();
    // Puts the 16 bytes into the control's transmit data area and writes them as `block`.
    void write(int block, const compiler::TxArea& data);
    void read(int block);

    // The reply the last request waits for: its command and block byte as the node echoes
    // them. A reply that names anything else does not belong to the chain.
    bool isReplyToLastRequest(quint8 command, quint8 block) const;
    // The block of the last request, -1 before the first.
    int lastBlock() const { return last_.block; }
    // How many requests were made: tells one request from the next.
    int requestCount() const { return count_; }

    // True for the warning the driver raises (number 6, block range) while sending a block
    // that its range check refuses but the node takes: the e-mail and read-back blocks 38 to
    // 161 and the mode-switch block 240.
    bool isExpectedRangeWarning(int number, const QString& text) const;
    static bool nodeTakesBlock(int block);

  private:
    ztklink::CommZTK90& link_;
    int sending_ = -1;  // the block of the request being made, -1 outside a request
    int count_ = 0;
    struct Request {
        int block = -1;
        quint8 command = 0;
        quint8 blockByte = 0;
    } last_;
    void remember(int block, bool write);
};

}  // namespace brisa::exchange
