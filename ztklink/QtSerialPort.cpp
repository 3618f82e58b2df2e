#include "QtSerialPort.h"

#include <QFile>
#include <QMetaObject>
#include <QPointer>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace ztklink {

QString PortMap::device(int n) const {
    const auto it = entries_.constFind(n);
    if (it != entries_.constEnd() && !it->isEmpty()) return *it;
    return platformDefault(n);
}

QString PortMap::platformDefault(int n) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

QtSerialPort::QtSerialPort(QObject* parent) : SerialPort(parent), port_(new QSerialPort(this)) {
    connect(port_, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
    connect(port_, &QSerialPort::bytesWritten, this, &QtSerialPort::onBytesWritten);
    connect(port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onErrorOccurred);
}

QtSerialPort::~QtSerialPort() {
    // This port may be destroyed from a handler of its own notification, while QSerialPort is
    // still inside readyRead or bytesWritten: it is closed now and freed once that has returned.
    port_->disconnect(this);
    if (port_->isOpen()) port_->close();
    port_->setParent(nullptr);
    port_->deleteLater();
}

Result QtSerialPort::setCommPort(int n) {
    if (n < 1) return Result(8002, QStringLiteral("Número de puerto no válido (%1)").arg(n));
    if (port_->isOpen()) return Result(8005, QStringLiteral("El puerto ya está abierto"));
    commPort_ = n;
    return {};
}

Result QtSerialPort::setSettings(const QString& settings) {
    if (!LineSettings::parse(settings))
        return Result(380, QStringLiteral("Configuración del puerto no válida (\"%1\")").arg(settings));
    settingsText_ = settings;
    if (port_->isOpen()) return applyLineSettings();
    return {};
}

// Gives QSerialPort the settings text. Called before open() as well, so that open() starts the
// line with them. A pseudo-terminal strips parity and has no modem lines: the parity
// refusal there is harmless and not reported.
Result QtSerialPort::applyLineSettings() {
    const auto s = *LineSettings::parse(settingsText_);
    bool ok = port_->setBaudRate(s.baud);
    ok = port_->setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) && ok;
    ok = port_->setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) && ok;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (s.parity) {
        case 'e': parity = QSerialPort::EvenParity; break;
        case 'o': parity = QSerialPort::OddParity; break;
        case 'm': parity = QSerialPort::MarkParity; break;
        case 's': parity = QSerialPort::SpaceParity; break;
        default: break;
    }
    port_->setParity(parity);  // refused on pseudo-terminals: harmless
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok && port_->isOpen())
        return Result(380, QStringLiteral("El puerto %1 no admite la configuración \"%2\"")
                               .arg(device(), settingsText_));
    return {};
}

Result QtSerialPort::setDtrEnable(bool enable) {
    dtr_ = enable;
    // A pseudo-terminal has no DTR line; that refusal is harmless.
    if (port_->isOpen()) port_->setDataTerminalReady(enable);
    return {};
}

Result QtSerialPort::setPortOpen(bool open) {
    if (open == port_->isOpen()) return {};
    if (!open) {
        port_->close();
        return {};
    }
    port_->setPortName(device());
    (void)applyLineSettings();  // refusals show up when open() applies them
    if (!port_->open(QIODevice::ReadWrite)) {
        lastError_ = errorFor(port_->error());
        port_->clearError();
        return lastError_;
    }
    port_->setDataTerminalReady(dtr_);
    askForLowLatency();
    haveCounters_ = readLineErrorCounters(counters_);
    return {};
}

Checked<int> QtSerialPort::inBufferCount() const {
    return port_->isOpen() ? static_cast<int>(port_->bytesAvailable()) : 0;
}

Result QtSerialPort::clearInBuffer() {
    if (!port_->isOpen()) return Result(8018, QStringLiteral("El puerto no está abierto"));
    port_->clear(QSerialPort::Input);
    return {};
}

Checked<int> QtSerialPort::outBufferCount() const {
    return port_->isOpen() ? static_cast<int>(port_->bytesToWrite()) : 0;
}

Result QtSerialPort::clearOutBuffer() {
    if (!port_->isOpen()) return Result(8018, QStringLiteral("El puerto no está abierto"));
    port_->clear(QSerialPort::Output);
    return {};
}

QByteArray QtSerialPort::input() { return port_->isOpen() ? port_->readAll() : QByteArray(); }

Result QtSerialPort::output(const QByteArray& bytes) {
    if (!port_->isOpen()) return Result(8018, QStringLiteral("El puerto no está abierto"));
    if (port_->write(bytes) != bytes.size())
        return Result(8021, QStringLiteral("No se pudo escribir en %1").arg(device()));
    // Hand the frame to the kernel now rather than on the next loop turn.
    port_->flush();
    return {};
}

bool QtSerialPort::raise(int code) {
    // A handler may destroy this port (by deleting the control that owns it).
    const QPointer<QtSerialPort> self(this);
    commEvent_ = code;
    emit onComm();
    if (!self) return false;
    commEvent_ = 0;
    return true;
}

void QtSerialPort::onReadyRead() {
    // Qt reports no parity or framing errors: the kernel's line-error counters tell.
    int now[4];
    if (haveCounters_ && readLineErrorCounters(now)) {
        static constexpr int codes[4] = {CommEvent::Frame, CommEvent::Overrun, CommEvent::RxParity,
                                         CommEvent::RxOver};
        for (int i = 0; i < 4; ++i) {
            if (now[i] > counters_[i]) {
                counters_[i] = now[i];
                if (!raise(codes[i])) return;
            }
        }
    }
    if (port_->isOpen() && port_->bytesAvailable() > 0) raise(CommEvent::Receive);
}

void QtSerialPort::onBytesWritten() {
    if (port_->isOpen() && port_->bytesToWrite() == 0) raise(CommEvent::Send);
}

void QtSerialPort::onErrorOccurred(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError &&
        error != QSerialPort::WriteError)
        return;
    if (!port_->isOpen()) return;
    // Qt keeps repeating these until the port is closed: close it once and report once.
    lastError_ = errorFor(error);
    port_->close();
    port_->clearError();
    // Queued to this port: dropped if the port is destroyed before it runs.
    QMetaObject::invokeMethod(this, [this] { raise(CommEvent::DeviceLost); },
                              Qt::QueuedConnection);
}

void QtSerialPort::askForLowLatency() {
#ifdef Q_OS_LINUX
    // USB adapters otherwise hold received bytes up to 16 ms before passing them on.
    serial_struct ss{};
    const int fd = static_cast<int>(port_->handle());
    if (::ioctl(fd, TIOCGSERIAL, &ss) == 0 && !(ss.flags & ASYNC_LOW_LATENCY)) {
        ss.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &ss);  // some drivers refuse: the port is used as it is
    }
#endif
}

bool QtSerialPort::readLineErrorCounters(int counters[4]) const {
#ifdef Q_OS_LINUX
    serial_icounter_struct ic{};
    if (::ioctl(static_cast<int>(port_->handle()), TIOCGICOUNT, &ic) != 0) return false;
    counters[0] = ic.frame;
    counters[1] = ic.overrun;
    counters[2] = ic.parity;
    counters[3] = ic.buf_overrun;
    return true;
#else
    Q_UNUSED(counters);
    return false;
#endif
}

namespace {

// Qt reports the same error for a device the user may not open and for one that another
// program holds (its lock file, or the kernel's "busy"); the device's access rights tell.
Error deniedOrBusy(const QString& dev) {
    const Error busy{8005, QStringLiteral("El puerto %1 está en uso por otro programa. Ciérrelo "
                                          "y vuelva a intentarlo.")
                               .arg(dev)};
#ifdef Q_OS_UNIX
    const QString path = dev.startsWith(u'/') ? dev : QStringLiteral("/dev/") + dev;
    if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0 || errno != EACCES)
        return busy;
#ifdef Q_OS_LINUX
    return {8005, QStringLiteral("No tiene permiso para usar el puerto %1. Agregue su usuario al "
                                 "grupo dialout (sudo usermod -aG dialout $USER) y vuelva a "
                                 "iniciar la sesión.")
                      .arg(dev)};
#else
    return {8005, QStringLiteral("No tiene permiso para usar el puerto %1.").arg(dev)};
#endif
#else
    return busy;
#endif
}

}  // namespace

Error QtSerialPort::errorFor(QSerialPort::SerialPortError error) const {
    const QString dev = device();
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return {8002, QStringLiteral("No existe el puerto COM%1 (dispositivo %2)").arg(commPort_).arg(dev)};
        case QSerialPort::PermissionError:
            return deniedOrBusy(dev);
        case QSerialPort::OpenError:
            return {8005, QStringLiteral("El puerto %1 ya está abierto").arg(dev)};
        case QSerialPort::UnsupportedOperationError:
            return {380, QStringLiteral("El puerto %1 no admite la configuración \"%2\"").arg(dev, settingsText_)};
        case QSerialPort::ResourceError:
            return {8020, QStringLiteral("Se perdió la conexión con %1 (¿adaptador desconectado?)").arg(dev)};
        case QSerialPort::ReadError:
            return {8020, QStringLiteral("Error al leer de %1").arg(dev)};
        case QSerialPort::WriteError:
            return {8021, QStringLiteral("Error al escribir en %1").arg(dev)};
        default:
            return {8010, QStringLiteral("Error desconocido en el puerto %1").arg(dev)};
    }
}

}  // namespace ztklink
