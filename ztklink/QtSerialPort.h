#pragma once

#include <QHash>
#include <QSerialPort>
#include <functional>

#include "SerialPort.h"

namespace ztklink {

// Turns a port number into a device: a name Qt knows ("ttyS0", "COM3") or a full path
// ("/dev/serial/by-id/usb-FTDI_...", "/dev/pts/7"). Entries set by the host win; other
// numbers fall back to the platform's pattern: /dev/ttyS<n-1> on Linux, COMn on Windows.
class ZTKLINK_EXPORT PortMap {
public:
    void set(int n, const QString& device) { entries_[n] = device; }
    void clear() { entries_.clear(); }
    QString device(int n) const;
    static QString platformDefault(int n);

private:
    QHash<int, QString> entries_;
};

// The serial port on a real device through QSerialPort.
class ZTKLINK_EXPORT QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    void setPortMap(const PortMap& map) { map_ = map; }
    const PortMap& portMap() const { return map_; }
    // The device that the current port number stands for.
    QString device() const { return map_.device(commPort_); }

    Result setCommPort(int n) override;
    int commPort() const override { return commPort_; }
    Result setSettings(const QString& settings) override;
    QString settings() const override { return settingsText_; }
    Result setDtrEnable(bool enable) override;
    bool portOpen() const override { return port_->isOpen(); }
    Result setPortOpen(bool open) override;
    Checked<int> inBufferCount() const override;
    Result clearInBuffer() override;
    Checked<int> outBufferCount() const override;
    Result clearOutBuffer() override;
    QByteArray input() override;
    Result output(const QByteArray& bytes) override;
    int commEvent() const override { return commEvent_; }
    Error lastError() const override { return lastError_; }

private:
    void onReadyRead();
    void onBytesWritten();
    void onErrorOccurred(QSerialPort::SerialPortError error);
    // Raises onComm; false when a handler destroyed this port, which must then not be touched.
    bool raise(int code);
    Result applyLineSettings();
    void askForLowLatency();
    bool readLineErrorCounters(int counters[4]) const;
    Error errorFor(QSerialPort::SerialPortError error) const;

    // A child until this port goes, then released with deleteLater() (see the destructor).
    QSerialPort* port_;
    PortMap map_;
    int commPort_ = 1;
    QString settingsText_ = QStringLiteral("9600,n,8,1");
    bool dtr_ = false;
    int commEvent_ = 0;
    Error lastError_;
    bool haveCounters_ = false;
    int counters_[4] = {0, 0, 0, 0};  // frame, overrun, parity, buffer overrun
};

}  // namespace ztklink
