// The driver's own cost per request and reply: build the frame, hand it to the port, take in a
// 20-byte reply, raise RespuestaPLC. The port is a scripted fake, so no line time is counted;
// the timers are the real ones. Goal: under 5 microseconds per round trip.
//
// The same round trip watched three ways, side by side: nobody listening to frameTraffic
// (what every run without the frame monitor pays), a listener that only counts, and the frame
// monitor itself building its lines.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>

#include "CommZTK90.h"
#include "FakeSerialPort.h"
#include "FrameMonitor.h"

namespace {

enum class Watcher { None, Counter, Monitor };

void RoundTrip(benchmark::State& state, bool write, Watcher watcher = Watcher::None) {
    auto fake = std::make_unique<testsupport::FakeSerialPort>();
    auto* port = fake.get();
    port->logging = false;
    ztklink::QtTimerFactory timers;
    ztklink::CommZTK90 ztk(std::move(fake), timers);
    ztk.readProperties(ztklink::MemoryPropertyStore{});
    ztklink::frame::Data data{};
    for (int i = 0; i < 16; ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    const QByteArray reply = ztklink::frame::toByteArray(
        ztklink::frame::blockFrame(1, write ? 0x0A : 0x0B, 5, data));
    qint64 replies = 0;
    QObject::connect(&ztk, &ztklink::CommZTK90::RespuestaPLC, [&] { ++replies; });
    qint64 frames = 0;
    std::unique_ptr<brisa::monitor::FrameMonitor> monitor;
    QElapsedTimer clock;
    clock.start();
    if (watcher == Watcher::Counter)
        QObject::connect(&ztk, &ztklink::CommZTK90::frameTraffic, [&] { ++frames; });
    if (watcher == Watcher::Monitor) {
        monitor = std::make_unique<brisa::monitor::FrameMonitor>([&] { return clock.elapsed(); });
        monitor->watch(ztk);
        QObject::connect(monitor.get(), &brisa::monitor::FrameMonitor::appended, [&] { ++frames; });
    }

    for (auto _ : state) {
        if (write) {
            for (int i = 0; i < 16; ++i) (void)ztk.setDato(i, data[i]);
            ztk.EnviarPLC(1, 5);
        } else {
            ztk.RecibirPLC(1, 5);
        }
        port->receive(reply);
    }
    if (replies != state.iterations()) state.SkipWithError("a reply was not raised at once");
    // A request and its reply: two frames per round trip for whoever listens.
    if (watcher != Watcher::None && frames != 2 * state.iterations())
        state.SkipWithError("the listener missed frames");
    state.counters["round_trips_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void ReadRoundTrip(benchmark::State& state) { RoundTrip(state, false); }
void WriteRoundTrip(benchmark::State& state) { RoundTrip(state, true); }

void WriteRoundTripCountingFrames(benchmark::State& state) { RoundTrip(state, true, Watcher::Counter); }
void WriteRoundTripFrameMonitor(benchmark::State& state) { RoundTrip(state, true, Watcher::Monitor); }

BENCHMARK(ReadRoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteRoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteRoundTripCountingFrames)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteRoundTripFrameMonitor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
