// A line that carries more than the replies: garbage between frames and inside the receive
// gap, a node that answers twice, a node that answers after the watchdog. Each in the
// window's core and in brisa-cli, for both node types.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <memory>

#include "CliRun.h"
#include "DrillWindow.h"
#include "NodeRequests.h"
#include "SimProcess.h"
#include "Wait.h"

namespace {

using namespace drills;

struct Node {
    const char* name;
    bool ethernet;
    const char* file;
    const char* softVer;
};
const Node kNodes[] = {{"RS-232/485", false, "serial.nod", "2.00"},
                       {"Ethernet", true, "ethernet.nod", "1.15"}};

QStringList cliArgs(const Node& n, const QString& link) {
    QStringList args{QStringLiteral("program"), dataFile(n.file),
                     QStringLiteral("--port"),  link,
                     QStringLiteral("--sw"),    QLatin1String(n.softVer)};
    if (n.ethernet) args << QStringLiteral("--node") << QStringLiteral("eth");
    return args;
}

// The same line twice, each with a simulator of its own: brisa-cli programming on one (started
// at once), the window's core on the other, prepared with the node's program file.
struct BothRuns {
    simtest::SimProcess cliSim, sim;
    CliRun cli;
    std::unique_ptr<DrillWindow> window;

    bool start(const Node& n, const QStringList& simArgs, QString* why) {
        if (!cliSim.start(simArgs) || !sim.start(simArgs)) {
            *why = QStringLiteral("a simulator did not start");
            return false;
        }
        cli.start(cliArgs(n, cliSim.link()));
        window = std::make_unique<DrillWindow>(sim.link());
        return window->prepare(dataFile(n.file), n.ethernet, QLatin1String(n.softVer), why);
    }
};

// The noise leads no reply astray: both programmings complete, and the window's run raised
// `failures` failures on the way (the garbage that the receive gap drops is a partial reply).
void programsThrough(const QStringList& simArgs, bool failuresOnTheWay) {
    for (const Node& n : kNodes) {
        SCOPED_TRACE(n.name);
        BothRuns both;
        QString why;
        ASSERT_TRUE(both.start(n, simArgs, &why)) << why.toStdString();
        CliRun& cli = both.cli;
        DrillWindow& window = *both.window;
        const ProgrammingRun run = window.program(60000);
        EXPECT_TRUE(run.completed) << run.status.toStdString();
        EXPECT_EQ(run.programado, QStringLiteral("Programado!"));
        EXPECT_EQ(run.blocks.size(), (n.ethernet ? 138 : 14));
        EXPECT_EQ(!run.failures.isEmpty(), failuresOnTheWay)
            << run.failures.join(u' ').toStdString();
        EXPECT_EQ(unusableBecause(window.app()), QString());

        ASSERT_TRUE(cli.wait(60000));
        EXPECT_TRUE(cli.exitedNormally()) << cli.describe().toStdString();
        EXPECT_EQ(cli.exitCode(), 0) << cli.describe().toStdString();
        EXPECT_EQ(cli.out(), QStringLiteral("Programado!\n")) << cli.describe().toStdString();
    }
}

// Garbage right behind every reply: the next request empties it before its own reply comes.
TEST(LineNoise, GarbageBetweenFramesIsDropped) { programsThrough({"--garbage-after", "1"}, false); }

// Garbage before every third reply, then a silence longer than the receive gap: the gap drops
// it (shown as a partial reply) and the reply that follows goes on with the run.
TEST(LineNoise, GarbageInsideTheGapIsDropped) { programsThrough({"--garbage-before", "3"}, true); }

// Every reply twice, back to back: the copy is emptied by the next request.
TEST(LineNoise, ANodeThatAnswersTwice) { programsThrough({"--twice", "1"}, false); }

// The fourth reply comes 2.6 s late, after the 2 s watchdog: the run ends in "Error" naming
// that block; the late reply, when it comes, changes nothing. A query started before it comes
// fails naming its own block; one started after it is answered.
TEST(LineNoise, ANodeThatAnswersAfterTheWatchdog) {
    const QStringList simArgs{"--late", "4", "--late-ms", "2600"};
    for (const Node& n : kNodes) {
        SCOPED_TRACE(n.name);
        const int hit = 3;  // the fourth block of either run: 5, 1, 2, 3

        BothRuns both;
        QString why;
        ASSERT_TRUE(both.start(n, simArgs, &why)) << why.toStdString();
        CliRun& cli = both.cli;
        DrillWindow& window = *both.window;
        brisa::App& app = window.app();
        const ProgrammingRun run = window.program();
        ASSERT_TRUE(run.ended);
        EXPECT_FALSE(run.completed);
        EXPECT_EQ(run.programado, QStringLiteral("Error"));
        EXPECT_EQ(run.status, QStringLiteral("Error BL 003: el nodo no respondió"));
        ASSERT_EQ(run.blocks.size(), 4);
        EXPECT_LE(run.endedMs - run.sentMs.last(), brisa::exchange::ReplyWatchdogMs + 1500);

        // A query at once: its answer waits behind the late one, and the query fails naming
        // its own block.
        QSignalSpy queried(&app.dispatch, &brisa::exchange::Dispatch::queryCompleted);
        app.form.cmdQuery.press();
        ASSERT_TRUE(testsupport::waitUntil([&] { return !app.exchange.running(); }, 5000));
        EXPECT_EQ(queried.count(), 0);
        EXPECT_TRUE(app.form.lbProgramado.caption().startsWith(QLatin1String("Error")));
        EXPECT_EQ(blockNamed(app.form.lbStatus.caption()), 0)
            << app.form.lbStatus.caption().toStdString();
        // Both late answers arrive while nothing runs and change nothing.
        const QString status = app.form.lbStatus.caption();
        testsupport::waitUntil([] { return false; }, 1000);
        EXPECT_EQ(app.form.lbStatus.caption(), status);
        EXPECT_EQ(unusableBecause(app), QString());

        app.form.cmdQuery.press();
        ASSERT_TRUE(testsupport::waitUntil([&] { return !app.exchange.running(); }, 5000));
        EXPECT_EQ(queried.count(), 1) << app.form.lbStatus.caption().toStdString();
        EXPECT_EQ(app.form.lbSoftwarever.caption(), QStringLiteral("1.15"));

        ASSERT_TRUE(cli.wait());
        EXPECT_TRUE(cli.exitedNormally()) << cli.describe().toStdString();
        EXPECT_EQ(cli.exitCode(), 1) << cli.describe().toStdString();
        EXPECT_EQ(blockNamed(cli.err()), hit) << cli.describe().toStdString();
        EXPECT_TRUE(cli.err().contains(QStringLiteral("no respondió a tiempo")))
            << cli.describe().toStdString();
        EXPECT_TRUE(cli.out().isEmpty()) << cli.describe().toStdString();
    }
}

}  // namespace
