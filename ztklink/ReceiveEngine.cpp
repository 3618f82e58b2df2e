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

int ReceiveEngine::waiting() const {
    return static_cast<int>(accumulator_.size()) + port_.inBufferCount().valueOr(0);
}

QByteArray ReceiveEngine::discardInput() {
    QByteArray held = port_.input();
    (void)port_.clearInBuffer();
    return held;
}

bool ReceiveEngine::discardReceived() {
    gap_.stop();
    if (events_.tapped()) {
        const QByteArray dropped = accumulator_ + discardInput();
        accumulator_.clear();
        if (!dropped.isEmpty()) {
            // A listener may destroy the control, and this engine with it.
            const auto owner = events_.lifetime();
            events_.traffic(FrameDirection::FromNode, dropped, FrameVerdict::Incomplete);
            if (owner.expired()) return false;
        }
        return true;
    }
    accumulator_.clear();
    (void)discardInput();
    return true;
}

void ReceiveEngine::onComm() {
    switch (port_.commEvent()) {
        case CommEvent::Frame:
        case CommEvent::Overrun:
        case CommEvent::RxOver:
        case CommEvent::RxParity:
        case CommEvent::Config: {
            const QByteArray dropped = discardInput();
            if (events_.tapped()) {
                const auto owner = events_.lifetime();
                events_.traffic(FrameDirection::FromNode, dropped, FrameVerdict::LineError);
                if (owner.expired()) return;
            }
            events_.error(ErrLineCorrupt, lineCorruptText());
            return;
        }
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
                if (events_.tapped() && !bytes.isEmpty()) {
                    events_.traffic(FrameDirection::FromNode, bytes, FrameVerdict::Ok);
                    if (owner.expired()) return;
                }
                for (char b : bytes) {
                    events_.newByte(static_cast<quint8>(b));
                    if (owner.expired()) return;
                }
                return;
            }
            gap_.start(GapTimeoutMs);
            if (waiting() >= frame::Size) {
                gap_.stop();
                (void)takeInFrames();
            }
            return;
        case CommEvent::Send:
            if (port_.outBufferCount().valueOr(-1) == 0) events_.outputSent(waiting());
            return;
        default:
            return;
    }
}

bool ReceiveEngine::takeInFrames() {
    const auto owner = events_.lifetime();
    while (waiting() >= frame::Size) {
        takeInFrame();
        // The handler may have destroyed the control, and this engine with it.
        if (owner.expired()) return false;
    }
    return true;
}

void ReceiveEngine::takeInFrame() {
    accumulator_.append(port_.input());
    const QByteArray bytes = accumulator_.left(frame::Size);
    accumulator_.remove(0, frame::Size);
    link_.rx = frame::fromByteArray(bytes);
    ++link_.rxs;
    const bool valid = frame::isValid(link_.rx);
    if (events_.tapped()) {
        const auto owner = events_.lifetime();
        events_.traffic(FrameDirection::FromNode, bytes, valid ? FrameVerdict::Ok : FrameVerdict::Checksum);
        if (owner.expired()) return;
    }
    if (!valid) {
        (void)discardInput();
        accumulator_.clear();
        events_.error(ErrBadChecksum, badChecksumText());
        return;  // the watchdog keeps running
    }
    stopWatchdog();
    frame::unpackAnalog(link_.rx);
    events_.reply(link_.rx[0], link_.rx[2], link_.rx[1]);
}

void ReceiveEngine::onGapExpired() {
    gap_.stop();
    if (waiting() >= frame::Size) {
        // Silence ends the exchange: a remainder short of a frame goes with it.
        if (takeInFrames()) (void)discardReceived();
        return;
    }
    if (!discardReceived()) return;
    events_.noReply(link_.tx[0], link_.tx[2]);
}

void ReceiveEngine::onWatchdogExpired() {
    // Stopped before the event, so that a request sent from the handler keeps its own watchdog.
    stopWatchdog();
    if (events_.tapped()) {
        const auto owner = events_.lifetime();
        events_.traffic(FrameDirection::FromNode, {}, FrameVerdict::NoReply);
        if (owner.expired()) return;
    }
    events_.watchdog();
}

void ReceiveEngine::stopWatchdog() {
    watchdog_.stop();
    watchdogArmed_ = false;
}

void ReceiveEngine::armWatchdog(int ms) {
    stopWatchdog();
    if (ms < 0) return;  // a timer cannot take it: no watchdog for this request
    watchdogArmed_ = true;
    if (ms > 0) watchdog_.start(ms);  // 0: armed, never expires
}

}  // namespace ztklink
