#include "CommZTK90.h"

#include <QDir>
#include <QMetaMethod>
#include <QPointer>
#include <utility>

#include "QtSerialPort.h"

namespace ztklink {
namespace {

constexpr int VersionMajor = 1;
constexpr int VersionMinor = 0;
constexpr int VersionRevision = 0;

const QString kIdRange = QStringLiteral("El ID está fuera del rango 1 - 255");
const QString kBlockRange = QStringLiteral("El Bloque está fuera del rango 0 - 37; 256 - 511");
const QString kIndexRange = QStringLiteral("El Indice está fuera del rango 0 - 15");
// An index or value that does not fit, without a message of the driver's own.
const Error kOverflow{ErrArgument, QStringLiteral("Desbordamiento")};

bool fits16(int v) { return v >= -32768 && v <= 32767; }

// Property store values as the control takes them; nullopt when they cannot be converted.
std::optional<int> toInt(const QVariant& v, bool sixteenBit) {
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok) return std::nullopt;
    if (sixteenBit ? !fits16(static_cast<int>(n)) || n != static_cast<int>(n)
                   : n < INT32_MIN || n > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(n);
}

std::optional<bool> toBool(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    const QString text = v.toString().trimmed();
    if (text.compare(u"true", Qt::CaseInsensitive) == 0) return true;
    if (text.compare(u"false", Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok) return std::nullopt;
    return n != 0;
}

}  // namespace

QtTimerFactory& realTimers() {
    static QtTimerFactory factory;  // stateless: one serves every control
    return factory;
}

CommZTK90::CommZTK90(QObject* parent)
    : CommZTK90(std::make_unique<QtSerialPort>(), realTimers(), parent) {}

CommZTK90::CommZTK90(std::unique_ptr<SerialPort> port, TimerFactory& timers, QObject* parent)
    : QObject(parent), link_(LinkState::forThisThread()), port_(std::move(port)) {
    port_->setParent(nullptr);
    gap_ = timers.createTimer();
    watchdog_ = timers.createTimer();
    ReceiveEngine::Events& events = *this;
    engine_ = std::make_unique<ReceiveEngine>(*port_, *link_, *gap_, *watchdog_, events);
    connect(port_.get(), &SerialPort::onComm, this, [this] { engine_->onComm(); });
    connect(gap_.get(), &Timer::timeout, this, [this] { engine_->onGapExpired(); });
    connect(watchdog_.get(), &Timer::timeout, this, [this] { engine_->onWatchdogExpired(); });
}

CommZTK90::~CommZTK90() {
    alive_.reset();
    if (port_->portOpen()) (void)port_->setPortOpen(false);
}

QtSerialPort* CommZTK90::qtPort() const { return qobject_cast<QtSerialPort*>(port_.get()); }

// ---------------------------------------------------------------- settings

QString CommZTK90::settingsText() const {
    return QString::number(link_->baudios) +
           (link_->puertoPLC == A ? QStringLiteral(",e,8,2") : QStringLiteral(",n,8,1"));
}

Result CommZTK90::setBaudios(int baudR) {
    // 32767 is the largest rate a 16-bit setting holds.
    if (baudR < 110 || baudR > 115200 || !fits16(baudR))
        return Result(ErrArgument, QStringLiteral("Los baudios están fuera de rango (%1)").arg(baudR));
    const qint16 previous = link_->baudios;
    link_->baudios = static_cast<qint16>(baudR);
    Result r;
    if (port_->portOpen()) r = port_->setPortOpen(false);
    if (r) r = port_->setSettings(settingsText());
    if (r) r = port_->setDtrEnable(false);
    if (!r) {
        link_->baudios = previous;
        return r;
    }
    emit propertyChanged(QStringLiteral("Baudios"));
    return {};
}

void CommZTK90::setPuertoPLC(qint32 pplc) {
    link_->puertoPLC = pplc;
    if (pplc != A && pplc != B) return;  // kept; any non-zero value frames as ",n,8,1"
    const bool wasOpen = port_->portOpen();
    if (wasOpen) (void)port_->setPortOpen(false);
    (void)port_->setSettings(settingsText());
    if (wasOpen) (void)port_->setPortOpen(true);
    emit propertyChanged(QStringLiteral("PuertoPLC"));
}

Result CommZTK90::setCOMM(int puertoSerie) {
    if (puertoSerie < 1 || puertoSerie > 8)
        return Result(ErrArgument, QStringLiteral("El puerto serie puede ser solo entre el 1 y el 8)"));
    link_->comm = static_cast<qint16>(puertoSerie);
    const bool wasOpen = port_->portOpen();
    if (wasOpen) (void)port_->setPortOpen(false);
    (void)port_->setCommPort(puertoSerie);
    if (wasOpen) (void)port_->setPortOpen(true);
    emit propertyChanged(QStringLiteral("COMM"));
    return {};
}

Result CommZTK90::setId(int idPlc) {
    if (idPlc < 1 || idPlc > 255)
        return Result(ErrArgument, QStringLiteral("El Dato está fuera del rango 0 - 255"));
    link_->id = static_cast<qint16>(idPlc);
    return {};
}

void CommZTK90::setModoSniffer(bool activado) {
    link_->modoSniffer = activado;
    emit propertyChanged(QStringLiteral("ModoSniffer"));
}

void CommZTK90::AppPath(const QString& ruta) {
    link_->appPath = ruta.endsWith(QDir::separator()) ? ruta : ruta + QDir::separator();
}

Result CommZTK90::setWatchDogTime(int milisegundos) {
    if (!fits16(milisegundos)) return kOverflow;
    watchDogTime_ = milisegundos;
    emit propertyChanged(QStringLiteral("WatchDogTime"));
    return {};
}

void CommZTK90::setWatchDogAuto(bool automatico) {
    watchDogAuto_ = automatico;
    emit propertyChanged(QStringLiteral("WatchDogAuto"));
}

void CommZTK90::readProperties(const PropertyStore& store) {
    // Each key on its own: one that cannot be converted leaves its setting as it was.
    auto value = [&](const char* key, QVariant fallback) {
        return store.read(QLatin1String(key)).value_or(fallback);
    };
    if (auto v = toInt(value("Baudios", 4800), true)) link_->baudios = static_cast<qint16>(*v);
    if (auto v = toInt(value("PuertoPLC", 0), false)) link_->puertoPLC = *v;
    if (auto v = toInt(value("COMM", 1), true)) link_->comm = static_cast<qint16>(*v);
    if (auto v = toInt(value("ID", QStringLiteral("1")), true)) link_->id = static_cast<qint16>(*v);
    if (auto v = toInt(value("WatchDogTime", 1000), true)) watchDogTime_ = *v;
    if (auto v = toBool(value("WatchDogAuto", false))) watchDogAuto_ = *v;
    if (auto v = toBool(value("ModoSniffer", false))) link_->modoSniffer = *v;
}

void CommZTK90::writeProperties(PropertyStore& store) const {
    store.write(QStringLiteral("Baudios"), QVariant::fromValue<qint16>(link_->baudios), QVariant::fromValue<qint16>(4800));
    store.write(QStringLiteral("PuertoPLC"), QVariant::fromValue<qint32>(link_->puertoPLC), QVariant::fromValue<qint32>(0));
    store.write(QStringLiteral("COMM"), QVariant::fromValue<qint16>(link_->comm), QVariant::fromValue<qint16>(1));
    store.write(QStringLiteral("ID"), QVariant::fromValue<qint16>(link_->id), QVariant::fromValue<qint16>(1));
    store.write(QStringLiteral("WatchDogTime"), QVariant::fromValue<qint16>(static_cast<qint16>(watchDogTime_)), QVariant());
    store.write(QStringLiteral("WatchDogAuto"), watchDogAuto_, QVariant());
    store.write(QStringLiteral("ModoSniffer"), link_->modoSniffer, QVariant());
}

// ---------------------------------------------------------------- data areas

Checked<int> CommZTK90::Dato(int index) const {
    if (index < 0 || index > 15) return kOverflow;
    return link_->rx[frame::DataOffset + index];
}

Result CommZTK90::setDato(int index, int value) {
    if (index < 0 || index > 15) return Result(ErrArgument, kIndexRange);
    if (value < 0 || value > 255) return kOverflow;
    link_->tx[frame::DataOffset + index] = static_cast<quint8>(value);
    return {};
}

Checked<int> CommZTK90::Word(int index) const {
    if (index < 0 || index > 14) return kOverflow;
    const auto& rx = link_->rx;
    return static_cast<int>(static_cast<qint16>(rx[frame::DataOffset + index] |
                                                (rx[frame::DataOffset + index + 1] << 8)));
}

Result CommZTK90::setWord(int index, int entero) {
    if (index < 0 || index > 14) return Result(ErrArgument, kIndexRange);
    if (!fits16(entero)) return kOverflow;
    const auto u = static_cast<quint16>(static_cast<qint16>(entero));
    link_->tx[frame::DataOffset + index] = static_cast<quint8>(u & 0xFF);
    link_->tx[frame::DataOffset + index + 1] = static_cast<quint8>(u >> 8);
    return {};
}

// ---------------------------------------------------------------- requests

bool CommZTK90::RecibirPLC(quint8 id, int bloque) { return request(Kind::Read, id, bloque); }
bool CommZTK90::EnviarPLC(quint8 id, int bloque) { return request(Kind::Write, id, bloque); }
bool CommZTK90::LecturaAnalogica(quint8 id) { return request(Kind::AnalogRead, id, 0); }
bool CommZTK90::EcrituraAnalogica(quint8 id) { return request(Kind::AnalogWrite, id, 0); }
bool CommZTK90::PorComando(quint8 id, quint8 cmd, quint8 bloque) {
    return request(Kind::Raw, id, bloque, cmd);
}

int CommZTK90::watchdogMs() const {
    if (!watchDogAuto_) return watchDogTime_;
    return autoWatchdogMs(port_->settings().section(u',', 0, 0).trimmed().toInt());
}

bool CommZTK90::request(Kind kind, quint8 id, int bloque, quint8 cmd) {
    const bool blockOp = kind == Kind::Read || kind == Kind::Write;

    // Argument checks never stop the request; the last failure is the one reported.
    std::optional<Error> failure;
    if (id == 0) failure = Error{ErrArgument, kIdRange};
    if (blockOp && !((bloque >= 0 && bloque <= 37) || (bloque >= 256 && bloque <= 511)))
        failure = Error{ErrArgument, kBlockRange};

    if (link_->busy) return false;
    if (kind == Kind::Read) {
        const auto queued = port_->outBufferCount();
        if (!queued || queued.value() > 0) return false;
    }

    const auto link = link_;  // outlives this control if a handler destroys it
    const QPointer<CommZTK90> self(this);
    link->busy = true;

    // A block number with no block byte: say so and send nothing.
    if (blockOp && (bloque < 0 || bloque > 511)) {
        emit ErrorComm(ErrArgument, kBlockRange);
        link->busy = false;
        return true;
    }

    auto& tx = link->tx;
    tx[0] = id;
    switch (kind) {
        case Kind::Read:
        case Kind::Write: {
            const auto addr = frame::blockAddress(bloque, kind == Kind::Write);
            tx[1] = addr.command;
            tx[2] = addr.blockByte;
            break;
        }
        case Kind::Raw:
            tx[1] = cmd;
            tx[2] = static_cast<quint8>(bloque);
            break;
        case Kind::AnalogRead:
        case Kind::AnalogWrite:
            tx[1] = kind == Kind::AnalogRead ? frame::Command::AnalogRead : frame::Command::AnalogWrite;
            frame::shiftDownForAnalog(tx);  // rearranges the transmit data area for good
            break;
    }
    frame::seal(tx);

    if (!port_->portOpen()) {
        if (Result r = port_->setSettings(settingsText()); !r) failure = r.error();
        if (Result r = port_->setDtrEnable(false); !r) failure = r.error();
        if (Result r = port_->setPortOpen(true); !r) failure = r.error();
    }
    if (failure) {
        emit ErrorComm(failure->number, failure->description);
        if (!self) {
            link->busy = false;
            return true;
        }
    }
    // Reads too: bytes still waiting belong to an earlier exchange, never to this request.
    if (!engine_->discardReceived()) {
        link->busy = false;
        return true;
    }
    (void)port_->clearOutBuffer();
    const QByteArray written = frame::toByteArray(tx);
    (void)port_->output(written);
    ++link->txs;
    if (tapped()) {
        emit frameTraffic(FrameDirection::ToNode, written, FrameVerdict::Ok);
        if (!self) {
            link->busy = false;
            return true;
        }
    }
    engine_->armWatchdog(watchdogMs());
    link->busy = false;
    return true;
}

// ---------------------------------------------------------------- events

void CommZTK90::reply(quint8 id, quint8 block, quint8 command) { emit RespuestaPLC(id, block, command); }
void CommZTK90::error(int number, const QString& description) { emit ErrorComm(number, description); }
void CommZTK90::noReply(quint8 id, quint8 block) { emit RespuestaPLCNoRecibida(id, block); }
void CommZTK90::watchdog() { emit PerroGuardian(link_->txs, link_->rxs); }
void CommZTK90::outputSent(int rxBytes) {
    const auto link = link_;
    emit TxCompletado(link->txs, link->rxs, rxBytes);
}
void CommZTK90::newByte(quint8 byte) { emit NewByte(byte); }
bool CommZTK90::tapped() const {
    static const QMetaMethod signal = QMetaMethod::fromSignal(&CommZTK90::frameTraffic);
    return isSignalConnected(signal);
}
void CommZTK90::traffic(FrameDirection direction, const QByteArray& bytes, FrameVerdict verdict) {
    emit frameTraffic(direction, bytes, verdict);
}

// ---------------------------------------------------------------- identity

QString CommZTK90::Version() {
    return QStringLiteral("%1.%2.%3")
        .arg(VersionMajor)
        .arg(VersionMinor, 2, 10, QLatin1Char('0'))
        .arg(VersionRevision, 3, 10, QLatin1Char('0'));
}

namespace {
std::function<void()>& aboutHandler() {
    // Function-local: the companion may install its handler while libraries are still loading.
    static std::function<void()> handler;
    return handler;
}
}  // namespace

std::function<void()> setAboutHandler(std::function<void()> handler) {
    return std::exchange(aboutHandler(), std::move(handler));
}

void CommZTK90::About() {
    // A copy: the handler may replace itself.
    if (const std::function<void()> handler = aboutHandler()) handler();
}

}  // namespace ztklink
