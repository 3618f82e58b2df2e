#include "FakeSerialPort.h"

#include <QPointer>

namespace testsupport {

using ztklink::Checked;
using ztklink::Result;

std::optional<ztklink::Error> FakeSerialPort::failure(Member m) const {
    const auto it = failures_.constFind(m);
    if (it == failures_.constEnd()) return std::nullopt;
    return *it;
}

void FakeSerialPort::receive(const QByteArray& bytes) {
    in_.append(bytes);
    notify(ztklink::CommEvent::Receive);
}

void FakeSerialPort::notify(int code) {
    if (code == ztklink::CommEvent::DeviceLost) lastError_ = lastErrorToReport;
    // A handler may destroy this port (by deleting the control that owns it).
    const QPointer<FakeSerialPort> self(this);
    event_ = code;
    emit onComm();
    if (self) event_ = 0;
}

Result FakeSerialPort::setCommPort(int n) {
    if (logging) log << QStringLiteral("commport %1").arg(n);
    if (auto f = failure(Member::CommPort)) return *f;
    commPort_ = n;
    return {};
}

Result FakeSerialPort::setSettings(const QString& settings) {
    if (logging) log << QStringLiteral("settings %1").arg(settings);
    if (auto f = failure(Member::Settings)) return *f;
    if (!ztklink::LineSettings::parse(settings))
        return Result(380, QStringLiteral("Configuración del puerto no válida"));
    settings_ = settings;
    return {};
}

Result FakeSerialPort::setDtrEnable(bool enable) {
    if (logging) log << QStringLiteral("dtr %1").arg(enable ? 1 : 0);
    if (auto f = failure(Member::Dtr)) return *f;
    dtr_ = enable;
    return {};
}

Result FakeSerialPort::setPortOpen(bool open) {
    if (logging) log << (open ? QStringLiteral("open") : QStringLiteral("close"));
    if (auto f = failure(open ? Member::Open : Member::Close)) return *f;
    open_ = open;
    return {};
}

Checked<int> FakeSerialPort::inBufferCount() const {
    if (auto f = failure(Member::InCount)) return *f;
    return static_cast<int>(in_.size());
}

Result FakeSerialPort::clearInBuffer() {
    if (logging) log << QStringLiteral("clear in");
    if (auto f = failure(Member::ClearIn)) return *f;
    if (!open_) return Result(8018, QStringLiteral("El puerto no está abierto"));
    in_.clear();
    return {};
}

Checked<int> FakeSerialPort::outBufferCount() const {
    if (auto f = failure(Member::OutCount)) return *f;
    return open_ ? queued_ : 0;
}

Result FakeSerialPort::clearOutBuffer() {
    if (logging) log << QStringLiteral("clear out");
    if (auto f = failure(Member::ClearOut)) return *f;
    if (!open_) return Result(8018, QStringLiteral("El puerto no está abierto"));
    queued_ = 0;
    return {};
}

QByteArray FakeSerialPort::input() {
    QByteArray all;
    all.swap(in_);
    return all;
}

Result FakeSerialPort::output(const QByteArray& bytes) {
    if (logging) log << QStringLiteral("output");
    if (auto f = failure(Member::Output)) return *f;
    if (!open_) return Result(8018, QStringLiteral("El puerto no está abierto"));
    if (logging) written << bytes;
    return {};
}

}  // namespace testsupport
