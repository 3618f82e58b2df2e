#include "ReceiveEngine.h"

#include <cmath>

namespace ztklink {

int autoWatchdogMs(int baud) {
    if (baud <= 0) return 0;
    // Single precision and round-half-to-even, as the line time was always computed.
    const float ms = 640000.0f / static_cast<float>(baud);
    return static_cast<int>(std::nearbyint(ms));
}

ReceiveEngine::ReceiveEngine(SerialPort& port, LinkState& link, Timer& gap, Timer& watchdog,
                             Events& events)
    : port_(port), link_(link), gap_(gap), watchdog_(watchdog), events_(events) {}

int ReceiveEngine::waiting() const { return port_.inBufferCount().valueOr(0); }

void ReceiveEngine::discardInput() {
    port_.input();
    (void)port_.clearInBuffer();
}

void ReceiveEngine::onComm() {
    switch (port_.commEvent()) {
        case CommEvent::Frame:
        case CommEvent::Overrun:
        case CommEvent::RxOver:
        case CommEvent::RxParity:
        case CommEvent::Config:
            discardInput();
            events_.error(ErrLineCorrupt, lineCorruptText());
            return;
        case CommEvent::DeviceLost: {
            const Error e = port_.lastError();
            events_.error(e.number, e.description);
            return;
        }
        case CommEvent::Receive:
            gap_.stop();
            if (link_.modoSniffer) {
                // Every byte counts in sniffer mode: an inspected node sends one block number per
                // byte, and the port may hand over several at once.
                const QByteArray bytes = port_.input();
                const auto owner = events_.lifetime();
                for (char b : bytes) {
                    events_.newByte(static_cast<quint8>(b));
                    if (owner.expired()) return;
                }
                return;
            }
            gap_.start(GapTimeoutMs);
            if (waiting() >= frame::Size) {
                gap_.stop();
                takeInFrame();
            }
            return;
        case CommEvent::Send:
            if (port_.outBufferCount().valueOr(-1) == 0) events_.outputSent(waiting());
            return;
        default:
            return;
    }
}

void ReceiveEngine::takeInFrame() {
    accumulator_.append(port_.input());
    const QByteArray bytes = accumulator_.left(frame::Size);
    accumulator_.remove(0, frame::Size);
    link_.rx = frame::fromByteArray(bytes);
    ++link_.rxs;
    if (!frame::isValid(link_.rx)) {
        discardInput();
        accumulator_.clear();
        events_.error(ErrBadChecksum, badChecksumText());
        return;  // the watchdog keeps running
    }
    watchdog_.stop();
    frame::unpackAnalog(link_.rx);
    events_.reply(link_.rx[0], link_.rx[2], link_.rx[1]);
}

void ReceiveEngine::onGapExpired() {
    gap_.stop();
    if (waiting() >= frame::Size) {
        takeInFrame();
        return;
    }
    discardInput();
    events_.noReply(link_.tx[0], link_.tx[2]);
}

void ReceiveEngine::onWatchdogExpired() {
    // Stopped before the event, so that a request sent from the handler keeps its own watchdog.
    watchdog_.stop();
    events_.watchdog();
}

void ReceiveEngine::armWatchdog(int ms) {
    watchdog_.stop();
    if (ms > 0) watchdog_.start(ms);
}

}  // namespace ztklink
