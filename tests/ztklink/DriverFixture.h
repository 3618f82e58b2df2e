#pragma once

#include <gtest/gtest.h>

#include <QStringList>

#include "CommZTK90.h"
#include "FakeSerialPort.h"
#include "ManualClock.h"
#include "QtPrinters.h"

// One thing happening on the line, the clock or the host after a request went out.
struct Step {
    enum Kind { Bytes, LineError, Advance, Request } kind;
    QByteArray bytes;
    int value = 0;
};
inline Step bytes(const QByteArray& b) { return {Step::Bytes, b, 0}; }
inline Step lineError(int code) { return {Step::LineError, {}, code}; }
inline Step advance(int ms) { return {Step::Advance, {}, ms}; }
// The host reads another block: RecibirPLC(1, block).
inline Step readBlock(int block) { return {Step::Request, {}, block}; }

// A driver control on a scripted port and a manual clock, loaded with its defaults, that
// records every event it raises as one line of text.
class DriverFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ztk.reset();  // the link state is per thread: let the previous control go first
        events.clear();
        auto fake = std::make_unique<testsupport::FakeSerialPort>();
        port = fake.get();
        ztk = std::make_unique<ztklink::CommZTK90>(std::move(fake), clock);
        ztk->readProperties(ztklink::MemoryPropertyStore{});
        using Z = ztklink::CommZTK90;
        QObject::connect(ztk.get(), &Z::RespuestaPLC, [this](quint8 id, quint8 b, quint8 c) {
            events << QStringLiteral("RespuestaPLC %1 %2 %3").arg(id).arg(b).arg(c);
        });
        QObject::connect(ztk.get(), &Z::ErrorComm, [this](qint32 er, const QString& d) {
            events << QStringLiteral("ErrorComm %1 %2").arg(er).arg(d);
        });
        QObject::connect(ztk.get(), &Z::RespuestaPLCNoRecibida, [this](quint8 id, quint8 b) {
            events << QStringLiteral("RespuestaPLCNoRecibida %1 %2").arg(id).arg(b);
        });
        QObject::connect(ztk.get(), &Z::PerroGuardian, [this](qint64 t, qint64 r) {
            events << QStringLiteral("PerroGuardian %1 %2 @%3").arg(t).arg(r).arg(clock.now());
        });
        QObject::connect(ztk.get(), &Z::TxCompletado, [this](qint64 t, qint64& r, qint32 n) {
            events << QStringLiteral("TxCompletado %1 %2 %3").arg(t).arg(r).arg(n);
        });
        QObject::connect(ztk.get(), &Z::NewByte, [this](quint8 b) {
            events << QStringLiteral("NewByte %1").arg(b);
        });
    }

public:
    // A valid reply frame.
    static QByteArray reply(quint8 id, quint8 cmd, quint8 block, quint8 fill = 0) {
        ztklink::frame::Data d{};
        d.fill(fill);
        return ztklink::frame::toByteArray(ztklink::frame::blockFrame(id, cmd, block, d));
    }

protected:
    // Plays one step; false when the driver refused a request.
    bool play(const Step& step) {
        switch (step.kind) {
            case Step::Bytes: port->receive(step.bytes); break;
            case Step::LineError: port->notify(step.value); break;
            case Step::Advance: clock.advance(step.value); break;
            case Step::Request: return ztk->RecibirPLC(1, step.value);
        }
        return true;
    }

    QStringList takeEvents() {
        QStringList all;
        all.swap(events);
        return all;
    }

    testsupport::ManualClock clock;
    testsupport::FakeSerialPort* port = nullptr;
    std::unique_ptr<ztklink::CommZTK90> ztk;
    QStringList events;
};

