// The simulator killed in the middle of a programming (the device disappears): the window's
// core and brisa-cli say so in Spanish, naming the block, and the window stays usable; once the
// simulator is started again on the same link, the next programming succeeds without
// restarting anything.
#include <gtest/gtest.h>

#include <QFile>
#include <csignal>

#include "CliRun.h"
#include "DrillWindow.h"
#include "NodeRequests.h"
#include "SimProcess.h"
#include "Wait.h"

namespace {

using namespace drills;

// The driver's texts for a device that went away or cannot be opened.
bool saysTheDeviceIsGone(const QString& text) {
    return text.contains(QStringLiteral("Se perdió la conexión")) ||
           text.contains(QLatin1String("Error al leer")) ||
           text.contains(QLatin1String("Error al escribir")) ||
           text.contains(QLatin1String("No existe el puerto"));
}

// Frames the simulator has taken in, from its log.
int framesReceived(const simtest::SimProcess& sim) {
    QFile log(sim.pathInFolder(QStringLiteral("log")));
    if (!log.open(QIODevice::ReadOnly)) return 0;
    return int(log.readAll().count("\n<"));
}

TEST(SimulatorKilled, TheWindowSaysSoStaysUsableAndProgramsOnceItIsBack) {
    simtest::SimProcess sim;
    // Paced at 4800 baud: every block takes its line time, so there is a middle to kill in.
    const QStringList simArgs{"--pace"};
    ASSERT_TRUE(sim.start(simArgs));
    DrillWindow window(sim.link());
    brisa::App& app = window.app();
    QString why;
    ASSERT_TRUE(window.prepare(dataFile("serial.nod"), false, QStringLiteral("2.00"), &why))
        << why.toStdString();

    QObject::connect(&app.programming, &brisa::exchange::Programming::blockSent, [&](int) {
        if (app.programming.sentBlocks().size() == 5) sim.kill();
    });
    const ProgrammingRun killed = window.program();
    ASSERT_TRUE(killed.ended);
    EXPECT_FALSE(killed.completed);
    EXPECT_TRUE(testsupport::waitUntil([&] { return !sim.running(); }, 5000));
    ASSERT_GE(killed.blocks.size(), 5);
    EXPECT_EQ(blockNamed(killed.status), killed.blocks.last()) << killed.status.toStdString();
    EXPECT_TRUE(saysTheDeviceIsGone(killed.status)) << killed.status.toStdString();
    EXPECT_TRUE(killed.programado.startsWith(QLatin1String("Error")));
    EXPECT_LE(killed.endedMs - killed.sentMs.last(), brisa::exchange::ReplyWatchdogMs + 1500);
    EXPECT_EQ(unusableBecause(app), QString());
    QObject::disconnect(&app.programming, &brisa::exchange::Programming::blockSent, nullptr,
                        nullptr);

    // With nothing on the link: the device cannot be opened, and the window says so.
    const ProgrammingRun absent = window.program();
    ASSERT_TRUE(absent.ended);
    EXPECT_FALSE(absent.completed);
    EXPECT_EQ(blockNamed(absent.status), 5) << absent.status.toStdString();
    EXPECT_TRUE(saysTheDeviceIsGone(absent.status)) << absent.status.toStdString();
    EXPECT_EQ(unusableBecause(app), QString());

    // The simulator back on the same link: the next programming goes through.
    ASSERT_TRUE(sim.start(simArgs)) << sim.standardError().constData();
    const ProgrammingRun again = window.program();
    EXPECT_TRUE(again.completed) << again.status.toStdString();
    EXPECT_EQ(again.programado, QStringLiteral("Programado!"));
    EXPECT_EQ(again.blocks.size(), 14);
    EXPECT_EQ(unusableBecause(app), QString());
}

TEST(SimulatorKilled, BrisaCliSaysSoInSpanishNamingTheBlock) {
    simtest::SimProcess sim;
    ASSERT_TRUE(sim.start({"--pace", "--log", sim.pathInFolder(QStringLiteral("log"))}));
    CliRun cli;
    cli.start({QStringLiteral("program"), dataFile("ethernet.nod"), QStringLiteral("--node"),
               QStringLiteral("eth"), QStringLiteral("--sw"), QStringLiteral("1.15"),
               QStringLiteral("--port"), sim.link()});
    ASSERT_TRUE(testsupport::waitUntil([&] { return framesReceived(sim) >= 8; }, 20000))
        << "the programming did not start";
    sim.stop(SIGKILL);
    ASSERT_TRUE(cli.wait(brisa::exchange::ReplyWatchdogMs + 5000)) << "brisa-cli did not end";
    EXPECT_TRUE(cli.exitedNormally()) << cli.describe().toStdString();
    EXPECT_EQ(cli.exitCode(), 1) << cli.describe().toStdString();
    EXPECT_GE(blockNamed(cli.err()), 0) << cli.describe().toStdString();
    EXPECT_TRUE(saysTheDeviceIsGone(cli.err())) << cli.describe().toStdString();
    EXPECT_TRUE(cli.out().isEmpty()) << cli.describe().toStdString();
}

}  // namespace
