// Every fault option of the simulated node (--drop, --partial, --corrupt) at every block
// position of an RS-232/485 programming (software 2.00: 14 blocks) and of an Ethernet one
// (software 1.15: 138 blocks), in the window's core and in brisa-cli, each on a simulator of
// its own: the run ends in "Error" naming the block that was hit, within the watchdog, and
// nothing is reported as success.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "DrillWindow.h"
#include "NodeRequests.h"
#include "SimProcess.h"
#include "compiler/ProgrammingSequence.h"

namespace {

using namespace drills;

struct FaultCase {
    QString fault;  // drop, partial, corrupt
    bool ethernet;
    int position;  // 1 = the first block sent
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.fault.toStdString() << (c.ethernet ? " Ethernet" : " RS-232/485") << " block #"
        << c.position;
}

// The node types of the drills: hardware version and software version.
QList<int> order(bool ethernet) {
    return ethernet ? brisa::compiler::sendingOrder(4, 1.15)
                    : brisa::compiler::sendingOrder(1, 2.0);
}

std::vector<FaultCase> everyCase() {
    std::vector<FaultCase> cases;
    for (const char* fault : {"drop", "partial", "corrupt"})
        for (bool ethernet : {false, true})
            for (int p = 1; p <= order(ethernet).size(); ++p)
                cases.push_back({QLatin1String(fault), ethernet, p});
    return cases;
}

// How late the end may come after the watchdog's own time: a loaded machine runs many drills
// at once.
constexpr int LateMarginMs = 1500;

class AtEveryBlock : public ::testing::TestWithParam<FaultCase> {};

TEST_P(AtEveryBlock, EndsInErrorNamingTheBlock) {
    const FaultCase& c = GetParam();
    const int block = order(c.ethernet).at(c.position - 1);
    const QStringList simArgs{QStringLiteral("--") + c.fault, QString::number(c.position)};
    const QString file = dataFile(c.ethernet ? "ethernet.nod" : "serial.nod");
    QStringList nodeArgs{QStringLiteral("--sw"),
                         c.ethernet ? QStringLiteral("1.15") : QStringLiteral("2.00")};
    if (c.ethernet) nodeArgs << QStringLiteral("--node") << QStringLiteral("eth");

    // brisa-cli runs at the same time, against a simulator of its own.
    simtest::SimProcess cliSim;
    ASSERT_TRUE(cliSim.start(simArgs)) << cliSim.standardError().constData();
    CliRun cli;
    cli.start(
        QStringList{QStringLiteral("program"), file, QStringLiteral("--port"), cliSim.link()} +
        nodeArgs);

    simtest::SimProcess sim;
    ASSERT_TRUE(sim.start(simArgs)) << sim.standardError().constData();
    DrillWindow window(sim.link());
    QString why;
    ASSERT_TRUE(window.prepare(file, c.ethernet, nodeArgs[1], &why)) << why.toStdString();
    const ProgrammingRun run = window.program();

    ASSERT_TRUE(run.ended) << "the run never ended";
    EXPECT_FALSE(run.completed);
    for (const QString& caption : run.captions)
        EXPECT_FALSE(caption.startsWith(QLatin1String("Programado"))) << caption.toStdString();
    ASSERT_FALSE(run.blocks.isEmpty());
    EXPECT_EQ(run.blocks.size(), c.position) << "blocks were sent after the one hit";
    EXPECT_EQ(run.blocks.last(), block);
    EXPECT_TRUE(run.programado.startsWith(QLatin1String("Error"))) << run.programado.toStdString();
    EXPECT_EQ(run.modelo, QStringLiteral("Error"));
    EXPECT_EQ(blockNamed(run.status), block) << run.status.toStdString();
    const qint64 took = run.endedMs - run.sentMs.last();
    EXPECT_LE(took, brisa::exchange::ReplyWatchdogMs + LateMarginMs);
    EXPECT_EQ(unusableBecause(window.app()), QString());

    ASSERT_TRUE(cli.wait()) << "brisa-cli did not end";
    EXPECT_TRUE(cli.exitedNormally()) << cli.describe().toStdString();
    EXPECT_EQ(cli.exitCode(), 1) << cli.describe().toStdString();
    EXPECT_FALSE(cli.out().contains(QLatin1String("Programado"))) << cli.describe().toStdString();
    EXPECT_EQ(blockNamed(cli.err()), block) << cli.describe().toStdString();
    EXPECT_LE(cli.elapsedMs(), brisa::exchange::ReplyWatchdogMs + 5000)
        << cli.describe().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Faults, AtEveryBlock, ::testing::ValuesIn(everyCase()),
                         [](const auto& info) {
                             const FaultCase& c = info.param;
                             return c.fault.toStdString() +
                                    (c.ethernet ? "_ethernet_" : "_serial_") +
                                    std::to_string(c.position);
                         });

}  // namespace
