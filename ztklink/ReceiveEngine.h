#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "LinkState.h"
#include "SerialPort.h"
#include "Timer.h"

namespace ztklink {

// Silence after the last received byte that ends a partial reply.
constexpr int GapTimeoutMs = 50;

constexpr int ErrLineCorrupt = 17;
constexpr int ErrBadChecksum = 93;
inline const QString& lineCorruptText() {
    static const QString t = QStringLiteral("Corrupción en datos recibidos");
    return t;
}
inline const QString& badChecksumText() {
    static const QString t = QStringLiteral("Los datos recibidos no son validos (no da checksum)");
    return t;
}

// Watchdog time derived from the line speed: the time of about 64 bits at `baud`, rounded to
// the nearest millisecond, halves to even (4800 -> 133, 9600 -> 67, 19200 -> 33).
int autoWatchdogMs(int baud);

// Collects reply bytes into 20-byte frames, validates them and reports every outcome to its
// owner; runs the receive-gap timer and the reply watchdog. Reacts only to port notifications
// and timer expiries, so it never waits.
class ReceiveEngine {
public:
    class Events {
    public:
        virtual ~Events() = default;
        virtual void reply(quint8 id, quint8 block, quint8 command) = 0;
        virtual void error(int number, const QString& description) = 0;
        virtual void noReply(quint8 id, quint8 block) = 0;
        virtual void watchdog() = 0;
        virtual void outputSent(int rxBytes) = 0;
        virtual void newByte(quint8 byte) = 0;
        // Expires when the owner is destroyed (a handler may do that).
        virtual std::weak_ptr<void> lifetime() const = 0;
    };

    ReceiveEngine(SerialPort& port, LinkState& link, Timer& gap, Timer& watchdog, Events& events);

    void onComm();
    void onGapExpired();
    void onWatchdogExpired();

    // Arms the watchdog for one request: `ms` > 0 expires after that many milliseconds,
    // anything else leaves it disabled (0 never expires).
    void armWatchdog(int ms);
    bool watchdogActive() const { return watchdog_.isActive(); }

    const QByteArray& accumulator() const { return accumulator_; }

private:
    void takeInFrame();
    void discardInput();
    int waiting() const;

    SerialPort& port_;
    LinkState& link_;
    Timer& gap_;
    Timer& watchdog_;
    Events& events_;
    QByteArray accumulator_;
};

}  // namespace ztklink
