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

// What went over the line, for hosts that watch the traffic (a frame monitor, a trace file).
enum class FrameDirection { ToNode, FromNode };
// Ok: a frame written, a valid reply, or bytes an inspected node put on the line; Checksum: a
// 20-byte frame that failed its check; Incomplete: bytes short of a frame, dropped; NoReply:
// the watchdog expired (no bytes); LineError: bytes dropped on a parity, framing or overrun
// error.
enum class FrameVerdict { Ok, Checksum, Incomplete, NoReply, LineError };

// Watchdog time derived from the line speed: the time of about 64 bits at `baud`, rounded to
// the nearest millisecond, halves to even (4800 -> 133, 9600 -> 67, 19200 -> 33).
int autoWatchdogMs(int baud);

// Collects reply bytes into 20-byte frames, validates them and reports every outcome to its
// owner; runs the receive-gap timer and the reply watchdog. Reacts only to port notifications
// and timer expiries, so it never waits.
//
// Bytes left over after a frame (a second reply in the same read, line noise, a node that
// pads) never outlive the exchange they came with: every frame that is complete is taken at
// once, and what is left is emptied when the next request is written or the gap expires, so
// it cannot lead a later reply.
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
        // The traffic tap: asked before any copy is made, so that nobody watching costs nothing.
        // Raised before the event the same bytes lead to; a receiver only watches.
        virtual bool tapped() const { return false; }
        virtual void traffic(FrameDirection, const QByteArray&, FrameVerdict) {}
        // Expires when the owner is destroyed (a handler may do that).
        virtual std::weak_ptr<void> lifetime() const = 0;
    };

    ReceiveEngine(SerialPort& port, LinkState& link, Timer& gap, Timer& watchdog, Events& events);

    void onComm();
    void onGapExpired();
    void onWatchdogExpired();

    // Empties everything received and not yet taken as a frame (accumulator and port input)
    // and stops the gap timer that was timing it. Called right before a request is written:
    // what is waiting then cannot be its reply.
    // False when a listener of the dropped bytes destroyed the control (and this engine).
    bool discardReceived();

    // Arms the watchdog for one request: `ms` > 0 expires after that many milliseconds, 0 is
    // armed and never expires, a negative time leaves it disabled.
    void armWatchdog(int ms);
    // From a request's send until a valid reply or the watchdog's expiry.
    bool watchdogActive() const { return watchdogArmed_; }

    const QByteArray& accumulator() const { return accumulator_; }

private:
    // Takes frames while 20 or more bytes wait. A handler's new request empties what waits,
    // which ends the loop. False when a handler destroyed the owner: nothing may be touched.
    bool takeInFrames();
    void takeInFrame();
    // Empties the port's input; returns what it held.
    QByteArray discardInput();
    void stopWatchdog();
    // Bytes received and not yet taken: the accumulator and the port's input.
    int waiting() const;

    SerialPort& port_;
    LinkState& link_;
    Timer& gap_;
    Timer& watchdog_;
    Events& events_;
    QByteArray accumulator_;
    bool watchdogArmed_ = false;
};

}  // namespace ztklink
