// The receive engine through its control, CommZTK90, on a scripted port and a manual clock:
// arbitrary bytes in arbitrary chunks, interleaved with gap and watchdog expiries, requests
// (also from inside the event handlers, as the configurator chains them), line errors, port
// failures, sniffer mode and a handler that destroys the control.
//
// What must hold after every step:
//  - each frame taken in (RXs) raised exactly one of RespuestaPLC and ErrorComm 93;
//  - the frames taken never hold more bytes than arrived, and what waits (accumulator and
//    port input, as TxCompletado reports it) never exceeds what arrived and was not taken;
//  - in sniffer mode every byte reaches NewByte at most once;
//  - the watchdog is off when RespuestaPLC and PerroGuardian are raised;
// and AddressSanitizer sees no access out of range.
#include <fuzzer/FuzzedDataProvider.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "CommZTK90.h"
#include "FakeSerialPort.h"
#include "Frame.h"
#include "ManualClock.h"

namespace {

using testsupport::FakeSerialPort;
namespace frame = ztklink::frame;

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "receive engine invariant broken: %s\n", what);
    std::abort();
}

void check(bool holds, const char* what) {
    if (!holds) broken(what);
}

// What a handler does when its event comes.
enum class Reaction : std::uint8_t { Nothing, Read, Write, DestroyControl };

class Harness {
  public:
    explicit Harness(FuzzedDataProvider& in) : in_(in) { make(); }

    void run() {
        while (in_.remaining_bytes() > 0 && steps_++ < 400) step();
    }

  private:
    void make() {
        auto port = std::make_unique<FakeSerialPort>();
        port->logging = false;
        port_ = port.get();
        control_ = std::make_unique<ztklink::CommZTK90>(std::move(port), clock_);
        auto* c = control_.get();
        QObject::connect(c, &ztklink::CommZTK90::RespuestaPLC, [this](quint8, quint8, quint8) {
            ++replies_;
            check(!control_->WatchDogStatus(), "watchdog still on at RespuestaPLC");
            react(onReply_);
        });
        QObject::connect(c, &ztklink::CommZTK90::ErrorComm,
                         [this](qint32 number, const QString& text) {
                             check(!text.isEmpty(), "ErrorComm without a text");
                             if (number == ztklink::ErrBadChecksum) ++badChecksums_;
                             react(onError_);
                         });
        QObject::connect(c, &ztklink::CommZTK90::RespuestaPLCNoRecibida,
                         [this](quint8, quint8) { react(onNoReply_); });
        QObject::connect(c, &ztklink::CommZTK90::PerroGuardian, [this](qint64, qint64) {
            check(!control_->WatchDogStatus(), "watchdog still on at PerroGuardian");
            react(onWatchdog_);
        });
        QObject::connect(c, &ztklink::CommZTK90::TxCompletado,
                         [this](qint64, qint64&, qint32 rxBytes) { reportedWaiting_ = rxBytes; });
        QObject::connect(c, &ztklink::CommZTK90::NewByte, [this](quint8) { ++snifferBytes_; });
        (void)control_->setWatchDogTime(in_.ConsumeIntegralInRange<int>(-1, 300));
        arrived_ = 0;
        inCountFails_ = false;
        replies_ = badChecksums_ = snifferBytes_ = 0;
        rxsAtStart_ = control_->RXs();
    }

    void react(Reaction r) {
        switch (r) {
            case Reaction::Nothing:
                return;
            case Reaction::Read:
                (void)control_->RecibirPLC(1, in_.ConsumeIntegralInRange<int>(0, 40));
                return;
            case Reaction::Write:
                (void)control_->EnviarPLC(1, in_.ConsumeIntegralInRange<int>(0, 300));
                return;
            case Reaction::DestroyControl:
                // As a host closing its window from a handler; the next step makes a new one.
                control_.reset();
                port_ = nullptr;
                return;
        }
    }

    Reaction reaction() { return static_cast<Reaction>(in_.ConsumeIntegralInRange<int>(0, 3)); }

    QByteArray bytes(std::size_t max) {
        const auto n = in_.ConsumeIntegralInRange<std::size_t>(0, max);
        const std::string s = in_.ConsumeBytesAsString(n);
        return QByteArray(s.data(), qsizetype(s.size()));
    }

    // A frame that passes the checksum, so that the fuzzer reaches the replies quickly.
    QByteArray validFrame() {
        frame::Bytes f{};
        for (auto& b : f) b = in_.ConsumeIntegral<std::uint8_t>();
        if (in_.ConsumeBool()) f[1] = frame::Command::AnalogRead;
        frame::seal(f);
        return frame::toByteArray(f);
    }

    void arrive(const QByteArray& b, bool notify) {
        arrived_ += b.size();
        if (notify)
            port_->receive(b);
        else
            port_->deposit(b);
    }

    void step() {
        if (!control_) make();
        switch (in_.ConsumeIntegralInRange<int>(0, 15)) {
            case 0:
                arrive(bytes(64), true);
                break;
            case 1:
                arrive(bytes(64), false);
                break;
            case 2: {
                // A valid frame cut in two, the second piece perhaps with more behind it.
                const QByteArray f = validFrame() + bytes(8);
                const auto cut = in_.ConsumeIntegralInRange<qsizetype>(0, f.size());
                arrive(f.left(cut), true);
                if (control_) arrive(f.mid(cut), true);
                break;
            }
            case 3:
                clock_.advance(in_.ConsumeIntegralInRange<int>(0, 120));
                break;
            case 4:
                clock_.advance(in_.ConsumeIntegralInRange<int>(0, 3000));
                break;
            case 5:
                (void)control_->RecibirPLC(in_.ConsumeIntegral<quint8>(),
                                           in_.ConsumeIntegralInRange<int>(-2, 520));
                break;
            case 6:
                (void)control_->setDato(in_.ConsumeIntegralInRange<int>(0, 15),
                                        in_.ConsumeIntegral<quint8>());
                (void)control_->EnviarPLC(in_.ConsumeIntegral<quint8>(),
                                          in_.ConsumeIntegralInRange<int>(-2, 520));
                break;
            case 7:
                if (in_.ConsumeBool())
                    (void)control_->LecturaAnalogica(in_.ConsumeIntegral<quint8>());
                else
                    (void)control_->EcrituraAnalogica(in_.ConsumeIntegral<quint8>());
                break;
            case 8:
                (void)control_->PorComando(in_.ConsumeIntegral<quint8>(),
                                           in_.ConsumeIntegral<quint8>(),
                                           in_.ConsumeIntegral<quint8>());
                break;
            case 9: {
                static constexpr int codes[] = {ztklink::CommEvent::Frame,
                                                ztklink::CommEvent::Overrun,
                                                ztklink::CommEvent::RxOver,
                                                ztklink::CommEvent::RxParity,
                                                ztklink::CommEvent::Config,
                                                0,
                                                7};
                port_->notify(codes[in_.ConsumeIntegralInRange<int>(0, 6)]);
                break;
            }
            case 10:
                port_->lastErrorToReport = {8020, QStringLiteral("Se perdió la conexión")};
                port_->notify(ztklink::CommEvent::DeviceLost);
                break;
            case 11:
                control_->setModoSniffer(in_.ConsumeBool());
                break;
            case 12:
                if (in_.ConsumeBool())
                    (void)control_->setWatchDogTime(in_.ConsumeIntegralInRange<int>(-5, 3000));
                else
                    control_->setWatchDogAuto(in_.ConsumeBool());
                break;
            case 13:
                onReply_ = reaction();
                onError_ = reaction();
                onNoReply_ = reaction();
                onWatchdog_ = reaction();
                break;
            case 14: {
                using M = FakeSerialPort::Member;
                static constexpr M members[] = {M::Open,     M::ClearIn, M::InCount, M::OutCount,
                                                M::ClearOut, M::Output,  M::Settings};
                const M m = members[in_.ConsumeIntegralInRange<int>(0, 6)];
                const bool fails = in_.ConsumeBool();
                if (fails)
                    port_->failOn(m, {8018, QStringLiteral("El puerto falla")});
                else
                    port_->succeedOn(m);
                if (m == M::InCount) inCountFails_ = fails;
                break;
            }
            case 15:
                if (in_.ConsumeBool()) (void)port_->setPortOpen(in_.ConsumeBool());
                port_->setQueuedOutput(in_.ConsumeIntegralInRange<int>(0, 2));
                break;
        }
        if (control_) checkInvariants();
    }

    void checkInvariants() {
        const qint64 frames = control_->RXs() - rxsAtStart_;
        check(frames == replies_ + badChecksums_,
              "a frame taken in did not raise exactly one of RespuestaPLC and ErrorComm 93");
        check(frames * frame::Size <= arrived_, "more bytes taken in than arrived");
        check(snifferBytes_ <= arrived_, "a byte reached NewByte twice");
        // What waits, as the engine reports it when the output has gone.
        reportedWaiting_ = -1;
        port_->setQueuedOutput(0);
        port_->notify(ztklink::CommEvent::Send);
        if (reportedWaiting_ < 0) return;  // the port could not say that its output is empty
        check(reportedWaiting_ <= arrived_ - frames * frame::Size,
              "more bytes wait than arrived and were not taken");
        if (!inCountFails_)
            check(reportedWaiting_ >= port_->inBuffer().size(), "the port's input is not counted");
    }

    FuzzedDataProvider& in_;
    testsupport::ManualClock clock_;
    FakeSerialPort* port_ = nullptr;
    std::unique_ptr<ztklink::CommZTK90> control_;
    int steps_ = 0;
    qint64 arrived_ = 0;
    qint64 replies_ = 0;
    qint64 badChecksums_ = 0;
    qint64 snifferBytes_ = 0;
    qint64 rxsAtStart_ = 0;
    int reportedWaiting_ = -1;
    bool inCountFails_ = false;
    Reaction onReply_ = Reaction::Nothing;
    Reaction onError_ = Reaction::Nothing;
    Reaction onNoReply_ = Reaction::Nothing;
    Reaction onWatchdog_ = Reaction::Nothing;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Harness h(in);
    h.run();
    return 0;
}
