#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>

#include "SerialPort.h"

namespace testsupport {

// A scripted serial port: bytes arrive when the test says, everything written is captured,
// every member call is logged in order, and any member can be made to fail.
class FakeSerialPort : public ztklink::SerialPort {
    Q_OBJECT
public:
    enum class Member { CommPort, Settings, Dtr, Open, Close, InCount, ClearIn, OutCount, ClearOut, Output };

    // --- test side ---
    // Bytes arrive on the line: queued in the input, then a receive notification.
    void receive(const QByteArray& bytes);
    // Bytes arrive without a notification (as if still in transit inside the port).
    void deposit(const QByteArray& bytes) { in_.append(bytes); }
    // Raises any notification code. For both: a handler may delete the control that owns this
    // port, so the port may be gone when they return.
    void notify(int code);
    void failOn(Member m, ztklink::Error e) { failures_[m] = std::move(e); }
    void succeedOn(Member m) { failures_.remove(m); }
    // Output bytes the port still holds, as reported while open.
    void setQueuedOutput(int n) { queued_ = n; }

    QList<QByteArray> written;  // every output() call, in order
    QStringList log;            // every member call, in order
    bool logging = true;        // off for benchmarks
    QByteArray inBuffer() const { return in_; }
    bool dtr() const { return dtr_; }

    // --- SerialPort ---
    ztklink::Result setCommPort(int n) override;
    int commPort() const override { return commPort_; }
    ztklink::Result setSettings(const QString& settings) override;
    QString settings() const override { return settings_; }
    ztklink::Result setDtrEnable(bool enable) override;
    bool portOpen() const override { return open_; }
    ztklink::Result setPortOpen(bool open) override;
    ztklink::Checked<int> inBufferCount() const override;
    ztklink::Result clearInBuffer() override;
    ztklink::Checked<int> outBufferCount() const override;
    ztklink::Result clearOutBuffer() override;
    QByteArray input() override;
    ztklink::Result output(const QByteArray& bytes) override;
    int commEvent() const override { return event_; }
    ztklink::Error lastError() const override { return lastError_; }
    ztklink::Error lastErrorToReport;  // what lastError() says after DeviceLost

private:
    std::optional<ztklink::Error> failure(Member m) const;

    int commPort_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    bool dtr_ = true;
    bool open_ = false;
    int queued_ = 0;
    int event_ = 0;
    QByteArray in_;
    ztklink::Error lastError_;
    QHash<Member, ztklink::Error> failures_;
};

}  // namespace testsupport
