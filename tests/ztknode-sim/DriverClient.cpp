#include "DriverClient.h"

#include "QtSerialPort.h"
#include "Wait.h"

namespace simtest {

using ztklink::frame::Data;

DriverClient::DriverClient(const QString& link, int baud, ztklink::ModeloPuertoPLC port,
                           int watchdogMs)
    : control_(std::make_unique<ztklink::CommZTK90>()) {
    clock_.start();
    auto& c = *control_;
    c.readProperties(ztklink::MemoryPropertyStore{});
    ztklink::PortMap map;
    map.set(1, link);
    c.qtPort()->setPortMap(map);
    (void)c.setCOMM(1);
    (void)c.setBaudios(baud);
    c.setPuertoPLC(port);
    c.setWatchDogAuto(false);
    (void)c.setWatchDogTime(watchdogMs);
    QObject::connect(&c, &ztklink::CommZTK90::RespuestaPLC, [this](quint8 id, quint8 b, quint8 cmd) {
        record({Event::Reply, id, b, cmd});
    });
    QObject::connect(&c, &ztklink::CommZTK90::ErrorComm,
                     [this](qint32 er, const QString&) { record({Event::Error, er}); });
    QObject::connect(&c, &ztklink::CommZTK90::RespuestaPLCNoRecibida,
                     [this](quint8 id, quint8 b) { record({Event::NoReply, id, b}); });
    QObject::connect(&c, &ztklink::CommZTK90::PerroGuardian,
                     [this](qint64, qint64) { record({Event::Watchdog}); });
    QObject::connect(&c, &ztklink::CommZTK90::NewByte, [this](quint8 nb) { record({Event::Byte, nb}); });
}

void DriverClient::record(Event e) {
    e.atNs = clock_.nsecsElapsed();
    events.push_back(e);
}

std::vector<Event> DriverClient::eventsFrom(std::size_t from) const {
    std::vector<Event> out;
    for (std::size_t i = from; i < events.size(); ++i)
        if (!(events[i].kind == Event::Error && events[i].a == ztklink::ErrArgument))
            out.push_back(events[i]);
    return out;
}

const Event* DriverClient::waitFor(std::size_t from, Event::Kind kind, int timeoutMs) {
    std::size_t found = SIZE_MAX;
    testsupport::waitUntil(
        [&] {
            for (std::size_t i = from; i < events.size(); ++i)
                if (events[i].kind == kind) {
                    found = i;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found == SIZE_MAX ? nullptr : &events[found];
}

std::optional<Data> DriverClient::read(int block, int timeoutMs) {
    const std::size_t from = events.size();
    if (!control_->RecibirPLC(1, block)) return std::nullopt;
    const Event* e = waitFor(from, Event::Reply, timeoutMs);
    const auto addr = ztklink::frame::blockAddress(block, false);
    if (!e || e->b != addr.blockByte || e->c != addr.command) return std::nullopt;
    return data();
}

std::optional<Data> DriverClient::write(int block, const Data& d, int timeoutMs) {
    setData(d);
    const std::size_t from = events.size();
    if (!control_->EnviarPLC(1, block)) return std::nullopt;
    const Event* e = waitFor(from, Event::Reply, timeoutMs);
    const auto addr = ztklink::frame::blockAddress(block, true);
    if (!e || e->b != addr.blockByte || e->c != addr.command) return std::nullopt;
    return data();
}

void DriverClient::setData(const Data& d) {
    for (int i = 0; i < ztklink::frame::DataSize; ++i) (void)control_->setDato(i, d[i]);
}

Data DriverClient::data() const {
    Data d{};
    for (int i = 0; i < ztklink::frame::DataSize; ++i)
        d[i] = static_cast<std::uint8_t>(control_->Dato(i).valueOr(0));
    return d;
}

}  // namespace simtest
