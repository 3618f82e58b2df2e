#pragma once

#include <QElapsedTimer>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "CommZTK90.h"
#include "Frame.h"

namespace simtest {

// What the driver reported, in order.
struct Event {
    enum Kind { Reply, Error, NoReply, Watchdog, Byte };
    Kind kind;
    int a = 0;  // Reply: id; Error: number; NoReply: id; Byte: the byte
    int b = 0;  // Reply, NoReply: block byte
    int c = 0;  // Reply: command
    qint64 atNs = 0;  // since the client was made
    bool operator==(const Event& o) const {
        return kind == o.kind && a == o.a && b == o.b && c == o.c;
    }
};

inline Event reply(int id, int block, int command) { return {Event::Reply, id, block, command}; }
inline Event error(int number) { return {Event::Error, number}; }
inline Event noReply(int id, int block) { return {Event::NoReply, id, block}; }
inline Event watchdog() { return {Event::Watchdog}; }

// A CommZTK90 on the real QSerialPort implementation, with COMM 1 mapped to a simulator's
// link, recording every event it raises.
class DriverClient {
public:
    DriverClient(const QString& link, int baud, ztklink::ModeloPuertoPLC port, int watchdogMs);

    ztklink::CommZTK90& control() { return *control_; }
    std::vector<Event> events;
    qint64 nowNs() const { return clock_.nsecsElapsed(); }

    // Events from index `from` on, leaving out the block-range notices (number 6) that the
    // driver raises for blocks it sends all the same.
    std::vector<Event> eventsFrom(std::size_t from) const;

    // Runs the event loop until an event after index `from` matches, or the time runs out.
    const Event* waitFor(std::size_t from, Event::Kind kind, int timeoutMs);

    // One read or write, waiting for the matching reply; the reply's data when it came.
    std::optional<ztklink::frame::Data> read(int block, int timeoutMs = 2000);
    std::optional<ztklink::frame::Data> write(int block, const ztklink::frame::Data& data,
                                              int timeoutMs = 2000);
    void setData(const ztklink::frame::Data& data);
    ztklink::frame::Data data() const;

private:
    void record(Event e);

    std::unique_ptr<ztklink::CommZTK90> control_;
    QElapsedTimer clock_;
};

}  // namespace simtest
