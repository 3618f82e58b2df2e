// The frame monitor: what each frame means, the lines it keeps, and the lines of a programming
// run against the simulated node with each of its faults.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>

#include "App.h"
#include "ExchangeFixture.h"
#include "Frame.h"
#include "FrameMonitor.h"
#include "ManualClock.h"
#include "QtPrinters.h"
#include "QtSerialPort.h"
#include "AppOnSim.h"
#include "SimProcess.h"
#include "Wait.h"

using namespace brisa::monitor;
using ztklink::FrameDirection;
using ztklink::FrameVerdict;
namespace frame = ztklink::frame;

namespace {

QByteArray blockFrame(quint8 command, quint8 block, const frame::Data& data = {}) {
    return frame::toByteArray(frame::blockFrame(1, command, block, data));
}

TEST(FrameMeaning, NamesWhatTheConfiguratorAsks) {
    const struct {
        QByteArray frame;
        QString meaning;
    } cases[] = {
        {blockFrame(0x0B, 100), "lectura bloque 100"},
        {blockFrame(0x0A, 31), "escritura bloque 31"},
        {blockFrame(0x1A, 4), "escritura bloque 260"},
        {blockFrame(0x1B, 0), "lectura bloque 256"},
        {blockFrame(0x0A, 240, frame::modeSwitchData(1, frame::InspectedMarker)), "cambio de modo: inspección"},
        {blockFrame(0x0A, 240, frame::modeSwitchData(1, frame::NormalMarker)), "cambio de modo: normal"},
        {blockFrame(0x42, 3), ""},
        {QByteArray("\x01\x0B", 2), ""},  // not a frame
        {QByteArray(), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(requestMeaning(c.frame), c.meaning) << c.frame.toHex().constData();
}

class Monitor : public ::testing::Test {
  protected:
    testsupport::ManualClock clock;
    FrameMonitor monitor{[this] { return clock.now(); }};
};

TEST_F(Monitor, ALineHasTimeDirectionBytesVerdictAndMeaning) {
    clock.advance(7);  // the monitor counts from its start
    FrameMonitor m{[this] { return clock.now(); }};
    clock.advance(12);
    const QByteArray request = blockFrame(0x0A, 5);
    m.add(FrameDirection::ToNode, request, FrameVerdict::Ok);
    clock.advance(30);
    m.add(FrameDirection::FromNode, request.left(12), FrameVerdict::Incomplete);
    m.add(FrameDirection::ToNode, blockFrame(0x0B, 100), FrameVerdict::Ok);
    m.add(FrameDirection::FromNode, {}, FrameVerdict::NoReply);
    m.add(FrameDirection::ToNode, blockFrame(0x0B, 1), FrameVerdict::Ok);
    m.add(FrameDirection::FromNode, blockFrame(0x0B, 1), FrameVerdict::Ok);
    m.add(FrameDirection::FromNode, "\x55", FrameVerdict::LineError);

    ASSERT_EQ(m.lines().size(), 7u);
    EXPECT_EQ(lineText(m.lines()[0]),
              QStringLiteral("      12 ms  PC → nodo  ") + hexText(request) +
                  QStringLiteral("  OK              escritura bloque 5"));
    const QStringList verdicts{"OK", "incompleta", "OK", "sin respuesta", "OK", "OK", "error de línea"};
    const QStringList meanings{"escritura bloque 5",
                               "respuesta a escritura bloque 5",
                               "lectura bloque 100",
                               "respuesta a lectura bloque 100",
                               "lectura bloque 1",
                               "respuesta a lectura bloque 1",
                               "respuesta a lectura bloque 1"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(verdictText(m.lines()[i].verdict), verdicts[i]) << i;
        EXPECT_EQ(m.lines()[i].meaning, meanings[i]) << i;
        EXPECT_EQ(m.lines()[i].direction == FrameDirection::ToNode ? "PC → nodo" : "nodo → PC",
                  directionText(m.lines()[i].direction));
    }
    EXPECT_EQ(m.lines()[1].ms, 42);
    EXPECT_EQ(hexText(QByteArray("\x01\xAB", 2)), QStringLiteral("01 AB"));
    EXPECT_EQ(m.text().count('\n'), 7);
    EXPECT_TRUE(m.text().startsWith(lineText(m.lines()[0]) + '\n'));
}

TEST_F(Monitor, KeepsTheLastTenThousandPausesAndClears) {
    int removed = 0, appended = 0;
    QObject::connect(&monitor, &FrameMonitor::firstRemoved, [&] { ++removed; });
    QObject::connect(&monitor, &FrameMonitor::appended, [&] { ++appended; });
    for (int i = 0; i < FrameMonitor::Capacity + 5; ++i) {
        clock.advance(1);
        monitor.add(FrameDirection::ToNode, blockFrame(0x0B, quint8(i % 200)), FrameVerdict::Ok);
    }
    EXPECT_EQ(int(monitor.lines().size()), FrameMonitor::Capacity);
    EXPECT_EQ(removed, 5);
    EXPECT_EQ(appended, FrameMonitor::Capacity + 5);
    EXPECT_EQ(monitor.lines().front().ms, 6);  // the five oldest went
    EXPECT_EQ(monitor.lines().back().ms, FrameMonitor::Capacity + 5);

    // Paused, nothing is recorded; what a reply answers is still followed.
    monitor.clear();
    EXPECT_TRUE(monitor.lines().empty());
    monitor.setPaused(true);
    monitor.add(FrameDirection::ToNode, blockFrame(0x0A, 9), FrameVerdict::Ok);
    EXPECT_TRUE(monitor.lines().empty());
    monitor.setPaused(false);
    monitor.add(FrameDirection::FromNode, {}, FrameVerdict::NoReply);
    ASSERT_EQ(monitor.lines().size(), 1u);
    EXPECT_EQ(monitor.lines()[0].meaning, QStringLiteral("respuesta a escritura bloque 9"));
}

// --- a programming run against the simulated node ---

struct FaultCase {
    const char* name;
    QStringList simArgs;
    FrameVerdict fault;  // the first line that is not OK; Ok: none
    int faultBytes;
};

class MonitorOnSim : public ::testing::TestWithParam<FaultCase> {
  protected:
    // Frames in the simulator's log: '<' taken in, '>' sent; hex as the monitor writes it.
    simtest::SimProcess sim;
    SilentPresenter messages;
    brisa::App app{messages};
};

TEST_P(MonitorOnSim, ShowsEveryFrameOfAProgrammingRunAndTheFault) {
    const FaultCase& c = GetParam();
    ASSERT_TRUE(sim.start(c.simArgs + QStringList{"--log", sim.pathInFolder("log")}));
    simtest::linkAppToSim(app, sim);
    brisa::form::MainForm& form = app.form;
    form.cbSoftVer.setListIndex(form.cbSoftVer.find(QStringLiteral("1.15")));
    form.opNodo232x485.setValue(true);
    for (const char* b : {"005", "010", "011"}) form.lstCompilado.addItem(QLatin1String(b));
    form.cmdProgramar.setVisible(true);

    QElapsedTimer elapsed;
    elapsed.start();
    FrameMonitor monitor{[&] { return elapsed.elapsed(); }};
    monitor.watch(*app.ZTK90);
    form.cmdProgramar.press();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !form.pointer.busy(); }, 10000));

    const auto& lines = monitor.lines();
    ASSERT_GE(lines.size(), 2u);
    // Lines alternate: a write, then what came back for it.
    qint64 lastMs = 0;
    int firstFault = -1;
    for (int i = 0; i < int(lines.size()); ++i) {
        const FrameLine& l = lines[i];
        EXPECT_GE(l.ms, lastMs);
        lastMs = l.ms;
        if (i % 2 == 0) {
            EXPECT_EQ(l.direction, FrameDirection::ToNode) << i;
            EXPECT_TRUE(l.meaning.startsWith("escritura bloque ")) << l.meaning.toStdString();
        } else {
            EXPECT_EQ(l.direction, FrameDirection::FromNode) << i;
            EXPECT_EQ(l.meaning, "respuesta a " + lines[i - 1].meaning) << i;
        }
        if (l.verdict != FrameVerdict::Ok && firstFault < 0) firstFault = i;
    }
    EXPECT_EQ(lines[0].meaning, QStringLiteral("escritura bloque 5"));  // the header goes first
    if (c.fault == FrameVerdict::Ok) {
        EXPECT_EQ(firstFault, -1);
        EXPECT_TRUE(form.lbProgramado.caption().startsWith("Programado")) << form.lbProgramado.caption().toStdString();
    } else {
        // The third reply is the one the simulator spoils, and the run ends with it.
        ASSERT_EQ(firstFault, 5);
        EXPECT_EQ(lines[5].verdict, c.fault);
        EXPECT_EQ(lines[5].bytes.size(), c.faultBytes);
        EXPECT_EQ(int(lines.size()), 6);
    }
    // Byte for byte what the node took in and sent, in the same order.
    QStringList seen;
    for (const FrameLine& l : lines)
        if (!l.bytes.isEmpty())
            seen << (l.direction == FrameDirection::ToNode ? "< " : "> ") + hexText(l.bytes);
    EXPECT_EQ(seen, simtest::SimProcess::loggedFrames(sim.pathInFolder("log")));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MonitorOnSim,
    ::testing::Values(FaultCase{"None", {}, FrameVerdict::Ok, 20},
                      FaultCase{"Drop", {"--drop", "3"}, FrameVerdict::NoReply, 0},
                      FaultCase{"Partial", {"--partial", "3"}, FrameVerdict::Incomplete, 12},
                      FaultCase{"Corrupt", {"--corrupt", "3"}, FrameVerdict::Checksum, 20}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
