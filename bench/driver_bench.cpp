// The driver's own cost per request and reply: build the frame, hand it to the port, take in a
// 20-byte reply, raise RespuestaPLC. The port is a scripted fake, so no line time is counted;
// the timers are the real ones. Goal: under 5 microseconds per round trip.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "CommZTK90.h"
#include "FakeSerialPort.h"

namespace {

void RoundTrip(benchmark::State& state, bool write) {
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
    state.counters["round_trips_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void ReadRoundTrip(benchmark::State& state) { RoundTrip(state, false); }
void WriteRoundTrip(benchmark::State& state) { RoundTrip(state, true); }

BENCHMARK(ReadRoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
