#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "Result.h"
#include "ztklink_export.h"

namespace ztklink {

// Codes of the port notification (`commEvent()` while `onComm` is being raised).
namespace CommEvent {
constexpr int Send = 1;          // output buffer emptied
constexpr int Receive = 2;       // at least one byte received
constexpr int Frame = 1004;      // framing error
constexpr int Overrun = 1006;    // hardware overrun
constexpr int RxOver = 1008;     // receive buffer overflow
constexpr int RxParity = 1009;   // parity error
constexpr int Config = 1011;     // port configuration error
// The device went away (adapter unplugged, peer closed). The port has closed itself;
// `lastError()` says why. Raised once per loss.
constexpr int DeviceLost = 1100;
}  // namespace CommEvent

// The serial line as the driver sees it: one small table of members, whatever sits behind
// it (a real port, a pseudo-terminal, a scripted fake).
//
// Promises every implementation keeps:
//  - received bytes are delivered unchanged, and input() returns everything waiting;
//  - `onComm` with CommEvent::Receive is raised as soon as at least one byte has arrived;
//  - a closed port reports 0 for outBufferCount() instead of failing;
//  - a failure carries an error number and a Spanish text.
class ZTKLINK_EXPORT SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // Port number n (1 and up); the implementation maps it to a device.
    virtual Result setCommPort(int n) = 0;
    virtual int commPort() const = 0;

    // Settings text "baud,parity,databits,stopbits", e.g. "4800,e,8,2". Taken at once while
    // the port is closed, applied to the line at once while it is open.
    virtual Result setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;

    virtual Result setDtrEnable(bool enable) = 0;

    virtual bool portOpen() const = 0;
    virtual Result setPortOpen(bool open) = 0;

    virtual Checked<int> inBufferCount() const = 0;
    // Discards every received byte not yet read (InBufferCount = 0).
    virtual Result clearInBuffer() = 0;

    virtual Checked<int> outBufferCount() const = 0;
    // Discards every byte queued for sending (OutBufferCount = 0).
    virtual Result clearOutBuffer() = 0;

    // All waiting received bytes, removed from the port.
    virtual QByteArray input() = 0;
    // Queues bytes for sending in one call.
    virtual Result output(const QByteArray& bytes) = 0;

    // Code of the notification being raised.
    virtual int commEvent() const = 0;

    // Why the device was lost (with CommEvent::DeviceLost) or the last failure.
    virtual Error lastError() const = 0;

signals:
    // One entry for every notification; read commEvent() inside the handler.
    void onComm();
};

// Parsed settings text.
struct ZTKLINK_EXPORT LineSettings {
    int baud = 9600;
    char parity = 'n';  // n, e, o, m, s
    int dataBits = 8;
    int stopBits = 1;   // 1 or 2

    // Parses "4800,e,8,2" (case-insensitive parity, blanks tolerated). nullopt when invalid.
    static std::optional<LineSettings> parse(const QString& text);
    // Bits on the line per character: start + data + parity + stop.
    int bitsPerCharacter() const;
};

}  // namespace ztklink
