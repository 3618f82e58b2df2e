// The simulator as a process on a pseudo-terminal, driven through CommZTK90 and its real
// QSerialPort implementation.

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <cstdio>

#include "DriverClient.h"
#include "Node.h"
#include "NodeLink.h"
#include "SimProcess.h"
#include "Wait.h"

using namespace simtest;
using ztklink::frame::Data;

namespace {

constexpr int Watchdog = 1000;

Data dataOf(std::initializer_list<int> bytes) {
    Data d{};
    int i = 0;
    for (int b : bytes) d[i++] = static_cast<std::uint8_t>(b);
    return d;
}

std::string describe(const std::vector<Event>& events) {
    static const char* names[] = {"Reply", "Error", "NoReply", "Watchdog", "Byte"};
    std::string s;
    for (const auto& e : events)
        s += std::string(names[e.kind]) + "(" + std::to_string(e.a) + "," + std::to_string(e.b) +
             "," + std::to_string(e.c) + ") ";
    return s;
}

TEST(SimEndToEnd, QueryReadsTheNodeInformationBlocks) {
    SimProcess sim;
    ASSERT_TRUE(sim.start({"--model", "7", "--sw", "2.05"})) << sim.standardError().constData();
    DriverClient client(sim.link(), 4800, ztklink::B, Watchdog);

    const auto b0 = client.read(0);
    ASSERT_TRUE(b0) << describe(client.events);
    EXPECT_EQ(*b0, dataOf({2, 5, 7, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 255, 255, 255}));
    const auto b1 = client.read(1);
    ASSERT_TRUE(b1) << describe(client.events);
    EXPECT_EQ(*b1, dataOf({0xF6, 0x01, 0xC0, 0x12, 0x00, 0x4B, 0, 0, 2, 2, 1}));
    EXPECT_EQ(client.eventsFrom(0), (std::vector<Event>{reply(1, 0, 0x0B), reply(1, 1, 0x0B)}));
}

TEST(SimEndToEnd, ProgramSurvivesReopeningAndReadsBackThroughTheImage) {
    SimProcess sim;
    ASSERT_TRUE(sim.start());
    const Data header = dataOf({0x0F, 0x00, 0xFF, 0xFF, 3, 4, 0x80, 0x25, 0x00, 0x4B, 1, 0, 0, 3, 0, 0});
    const Data network = dataOf({10, 0, 0, 7, 255, 255, 255, 0, 0xC3, 0x50});
    const Data scan = dataOf({7, 12, 3});
    {
        DriverClient programmer(sim.link(), 4800, ztklink::B, Watchdog);
        for (const auto& [block, data] : {std::pair{5, header}, {1, scan}, {6, network}}) {
            const auto ack = programmer.write(block, data);
            ASSERT_TRUE(ack) << "block " << block << ": " << describe(programmer.events);
            EXPECT_EQ(*ack, data) << "the acknowledgement carries the bytes written";
        }
    }  // the port closes here; the next client opens the link again

    DriverClient reader(sim.link(), 4800, ztklink::B, Watchdog);
    std::vector<std::uint8_t> image;
    for (int b = 100; b <= 115; ++b) {
        const auto d = reader.read(b);
        ASSERT_TRUE(d) << "block " << b << ": " << describe(reader.events);
        image.insert(image.end(), d->begin(), d->end());
    }
    EXPECT_TRUE(std::equal(scan.begin(), scan.end(), image.begin() + 0));
    EXPECT_TRUE(std::equal(header.begin(), header.end(), image.begin() + 216));
    EXPECT_TRUE(std::equal(network.begin(), network.end(), image.begin() + 232));

    const auto b0 = reader.read(0);
    const auto b1 = reader.read(1);
    ASSERT_TRUE(b0 && b1);
    EXPECT_EQ(*b0, dataOf({1, 15, 4, 0, 0x0F, 0x00, 0xFF, 0xFF, 7, 0, 0, 10, 0, 255, 255, 255}));
    EXPECT_EQ(*b1, dataOf({0x50, 0xC3, 0x80, 0x25, 0x00, 0x4B, 3, 0, 4, 3, 1}));
}

// The scan of an inspected node as the configurator captures it: sniffer on, one NewByte per
// block the node asks for.
TEST(SimEndToEnd, ModeSwitchAndInspectedCapture) {
    SimProcess sim;
    ASSERT_TRUE(sim.start());
    DriverClient client(sim.link(), 4800, ztklink::B, 400);
    const std::vector<int> scan = {7, 12, 3, 200};
    ASSERT_TRUE(client.write(1, dataOf({7, 12, 3, 200})));
    ASSERT_TRUE(client.write(5, dataOf({0xFF, 0xFF, 0xFF, 0xFF, 2, 2, 0xC0, 0x12, 0x00, 0x4B, 1, 0, 0, 4})));

    // A wrong check value is not acknowledged.
    Data badCheck = nodesim::modeSwitchData(nodesim::InspectedMarker);
    badCheck[14] ^= 0xFF;
    std::size_t from = client.events.size();
    client.setData(badCheck);
    ASSERT_TRUE(client.control().EnviarPLC(1, nodesim::ModeSwitchBlock));
    ASSERT_TRUE(client.waitFor(from, Event::Watchdog, 2000));
    EXPECT_EQ(client.eventsFrom(from), std::vector<Event>{watchdog()}) << describe(client.eventsFrom(from));

    const auto toInspected = client.write(nodesim::ModeSwitchBlock, nodesim::modeSwitchData(nodesim::InspectedMarker));
    ASSERT_TRUE(toInspected) << describe(client.events);

    from = client.events.size();
    client.control().setModoSniffer(true);
    auto captured = [&] {
        std::vector<int> bytes;
        for (std::size_t i = from; i < client.events.size(); ++i)
            if (client.events[i].kind == Event::Byte) bytes.push_back(client.events[i].a);
        return bytes;
    };
    ASSERT_TRUE(testsupport::waitUntil([&] { return captured().size() >= 10; }, 3000));
    client.control().setModoSniffer(false);
    const auto bytes = captured();
    // Wherever the capture started, it follows the scan list round and round.
    const auto start = std::find(scan.begin(), scan.end(), bytes[0]);
    ASSERT_NE(start, scan.end()) << "first byte " << bytes[0];
    for (std::size_t i = 0; i < bytes.size(); ++i)
        EXPECT_EQ(bytes[i], scan[(start - scan.begin() + i) % scan.size()]) << "byte " << i;

    ASSERT_TRUE(client.write(nodesim::ModeSwitchBlock, nodesim::modeSwitchData(nodesim::NormalMarker)))
        << describe(client.eventsFrom(from));
    // Back to normal: the line is quiet again (a stray inspected byte would end, 50 ms on, as
    // a partial reply) and requests are answered cleanly.
    from = client.events.size();
    EXPECT_EQ(client.waitFor(from, Event::NoReply, 4 * nodesim::NodeLink::StreamIntervalMs), nullptr)
        << describe(client.eventsFrom(from));
    ASSERT_TRUE(client.read(0));
    ASSERT_TRUE(client.read(1));
    EXPECT_EQ(client.eventsFrom(from), (std::vector<Event>{reply(1, 0, 0x0B), reply(1, 1, 0x0B)}))
        << describe(client.eventsFrom(from));
}

struct FaultCase {
    const char* name;
    QStringList args;
    std::vector<Event> faulty;  // what the second request brings
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class SimFaults : public ::testing::TestWithParam<FaultCase> {};

// Every second reply is hit: the first and third requests are answered, the second shows
// the fault's event sequence and ends with the watchdog.
TEST_P(SimFaults, EveryNthRequestShowsTheFaultsEvents) {
    SimProcess sim;
    ASSERT_TRUE(sim.start(GetParam().args));
    DriverClient client(sim.link(), 4800, ztklink::B, 300);
    std::vector<Event> expected;
    for (int request = 1; request <= 3; ++request) {
        const std::size_t from = client.events.size();
        ASSERT_TRUE(client.control().RecibirPLC(1, 2));
        ASSERT_TRUE(testsupport::waitUntil(
            [&] {
                for (std::size_t i = from; i < client.events.size(); ++i)
                    if (client.events[i].kind == Event::Reply || client.events[i].kind == Event::Watchdog)
                        return true;
                return false;
            },
            3000))
            << "request " << request;
        if (request == 2) {
            expected.insert(expected.end(), GetParam().faulty.begin(), GetParam().faulty.end());
        } else {
            expected.push_back(reply(1, 2, 0x0B));
        }
    }
    EXPECT_EQ(client.eventsFrom(0), expected) << describe(client.events);
}

INSTANTIATE_TEST_SUITE_P(
    Options, SimFaults,
    ::testing::Values(FaultCase{"drop", {"--drop", "2"}, {watchdog()}},
                      FaultCase{"partial", {"--partial", "2"}, {noReply(1, 2), watchdog()}},
                      FaultCase{"corrupt", {"--corrupt", "2"}, {error(93), watchdog()}},
                      // The next request empties what is left behind the reply.
                      FaultCase{"garbage_after", {"--garbage-after", "2"}, {reply(1, 2, 0x0B)}},
                      // The receive gap drops the garbage before the reply comes.
                      FaultCase{"garbage_before", {"--garbage-before", "2"}, {noReply(1, 2), reply(1, 2, 0x0B)}},
                      FaultCase{"twice", {"--twice", "2"}, {reply(1, 2, 0x0B), reply(1, 2, 0x0B)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimEndToEnd, ALateReplyComesAfterTheWatchdog) {
    SimProcess sim;
    ASSERT_TRUE(sim.start({"--late", "1", "--late-ms", "400"}));
    DriverClient client(sim.link(), 4800, ztklink::B, 250);
    const qint64 sent = client.nowNs();
    ASSERT_TRUE(client.control().RecibirPLC(1, 2));
    const Event* late = client.waitFor(0, Event::Reply, 2000);
    ASSERT_NE(late, nullptr) << describe(client.events);
    EXPECT_GE(late->atNs - sent, 400'000'000);
    EXPECT_EQ(client.eventsFrom(0), (std::vector<Event>{watchdog(), reply(1, 2, 0x0B)}))
        << describe(client.events);
}

TEST(SimEndToEnd, DelayHoldsEveryReply) {
    SimProcess sim;
    ASSERT_TRUE(sim.start({"--delay", "150"}));
    DriverClient client(sim.link(), 4800, ztklink::B, Watchdog);
    for (int i = 0; i < 2; ++i) {
        const qint64 sent = client.nowNs();
        ASSERT_TRUE(client.read(3));
        EXPECT_GE(client.events.back().atNs - sent, 150'000'000);
    }
}

struct PaceCase {
    const char* name;
    int baud;
    ztklink::ModeloPuertoPLC port;
    const char* framing;
    double expectedMs;  // two frame times
};

void PrintTo(const PaceCase& c, std::ostream* os) { *os << c.name; }

class SimPace : public ::testing::TestWithParam<PaceCase> {};

TEST_P(SimPace, RoundTripTakesTwoFrameTimes) {
    const auto& c = GetParam();
    SimProcess sim;
    ASSERT_TRUE(sim.start({"--pace", "--baud", QString::number(c.baud), "--framing", c.framing}));
    DriverClient client(sim.link(), c.baud, c.port, Watchdog);
    ASSERT_TRUE(client.read(0));  // opens the port outside the measurement
    // From the call to the reply event, as the driver raised it.
    std::vector<qint64> trips;
    for (int i = 0; i < 5; ++i) {
        const qint64 sent = client.nowNs();
        ASSERT_TRUE(client.read(2));
        trips.push_back(client.events.back().atNs - sent);
    }
    std::sort(trips.begin(), trips.end());
    const double medianMs = trips[trips.size() / 2] / 1e6;
    std::printf("[ pace     ] %s: read round trip %.2f ms (min %.2f, max %.2f; line time %.2f ms)\n",
                c.name, medianMs, trips.front() / 1e6, trips.back() / 1e6, c.expectedMs);
    EXPECT_GE(medianMs, c.expectedMs - 1.0);
    EXPECT_LE(medianMs, c.expectedMs + 50.0);
}

INSTANTIATE_TEST_SUITE_P(Lines, SimPace,
                         ::testing::Values(PaceCase{"b4800_8E2", 4800, ztklink::A, "8E2", 100.0},
                                           PaceCase{"b19200_8N1", 19200, ztklink::B, "8N1", 20.833}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimEndToEnd, AnalogReadingsMove) {
    SimProcess sim;
    ASSERT_TRUE(sim.start());
    DriverClient client(sim.link(), 4800, ztklink::B, Watchdog);
    std::vector<Data> readings;
    for (int i = 0; i < 2; ++i) {
        const std::size_t from = client.events.size();
        ASSERT_TRUE(client.control().LecturaAnalogica(1));
        const Event* e = client.waitFor(from, Event::Reply, 2000);
        ASSERT_TRUE(e) << describe(client.events);
        EXPECT_EQ(e->c, 8);
        readings.push_back(client.data());
        EXPECT_EQ(e->b, readings.back()[0]) << "an analog reply reports its first data byte";
    }
    EXPECT_NE(readings[0], readings[1]);
}

TEST(SimEndToEnd, LogHasEveryFrameInArrivalOrder) {
    SimProcess sim;
    const QString logPath = sim.pathInFolder(QStringLiteral("frames.log"));
    ASSERT_TRUE(sim.start({"--log", logPath}));
    {
        DriverClient client(sim.link(), 4800, ztklink::B, Watchdog);
        client.setData({});
        ASSERT_TRUE(client.read(3));
        ASSERT_TRUE(client.write(4, dataOf({0xDE, 0xAD})));
    }
    ASSERT_TRUE(sim.stop());
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    ASSERT_EQ(lines.size(), 5) << "four frames and the final newline";
    const struct {
        char direction;
        QByteArray hex;
    } expected[] = {
        {'<', "01 0B 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 09"},
        {'>', "01 0B 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 09"},
        {'<', "01 0A 04 DE AD 00 00 00 00 00 00 00 00 00 00 00 00 00 00 7C"},
        {'>', "01 0A 04 DE AD 00 00 00 00 00 00 00 00 00 00 00 00 00 00 7C"},
    };
    qint64 previous = 0;
    for (int i = 0; i < 4; ++i) {
        const QList<QByteArray> fields = lines[i].split(' ');
        ASSERT_GE(fields.size(), 22) << lines[i].constData();
        EXPECT_EQ(fields[0], QByteArray(1, expected[i].direction)) << lines[i].constData();
        bool ok = false;
        const qint64 ms = fields[1].toLongLong(&ok);
        EXPECT_TRUE(ok && ms >= previous) << lines[i].constData();
        previous = ms;
        EXPECT_EQ(fields.mid(2).join(' '), expected[i].hex);
    }
}

}  // namespace
