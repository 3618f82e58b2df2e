// The simulator's life as a process: the link it makes, refuses and removes.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "Pty.h"
#include "SimProcess.h"

using namespace simtest;

namespace {

QString linkTarget(const QString& path) {
    char buf[512];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buf, sizeof buf);
    return n < 0 ? QString() : QString::fromLocal8Bit(buf, static_cast<int>(n));
}

bool exists(const QString& path) {
    struct stat st{};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

class SimSignals : public ::testing::TestWithParam<int> {};

// A link left behind by a simulator that died is taken over; the signal ends the run cleanly
// and takes the link away.
TEST_P(SimSignals, StaleLinkIsReplacedAndRemovedOnSignal) {
    SimProcess sim;
    ASSERT_EQ(::symlink("/dev/pts/987654", QFile::encodeName(sim.link()).constData()), 0);
    ASSERT_TRUE(sim.start()) << sim.standardError().constData();

    const QString target = linkTarget(sim.link());
    EXPECT_TRUE(target.startsWith(QLatin1String("/proc/"))) << target.toStdString();
    EXPECT_NE(target, QLatin1String("/dev/pts/987654"));
    EXPECT_TRUE(QFileInfo::exists(target));

    ASSERT_TRUE(sim.stop(GetParam()));
    EXPECT_TRUE(sim.exitedNormally());
    EXPECT_EQ(sim.exitCode(), 0) << sim.standardError().constData();
    EXPECT_FALSE(exists(sim.link()));
}

INSTANTIATE_TEST_SUITE_P(Quit, SimSignals, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) { return info.param == SIGTERM ? "SIGTERM" : "SIGINT"; });

TEST(SimCommandLine, RefusesAPathThatIsNotItsOwnStaleLink) {
    const struct {
        const char* name;
        std::function<bool(const QString&)> make;
    } cases[] = {
        {"regular file", [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly) && f.write("keep me") == 7;
         }},
        {"link to a file", [](const QString& p) {
             return ::symlink("/etc/hostname", QFile::encodeName(p).constData()) == 0;
         }},
        {"link to a live terminal", [](const QString& p) {
             return ::symlink("/dev/ptmx", QFile::encodeName(p).constData()) == 0;
         }},
    };
    for (const auto& c : cases) {
        SimProcess sim;
        ASSERT_TRUE(c.make(sim.link())) << c.name;
        const QString before = linkTarget(sim.link());
        ASSERT_TRUE(sim.runToEnd({})) << c.name;
        EXPECT_EQ(sim.exitCode(), 2) << c.name;
        EXPECT_TRUE(sim.standardError().contains(QFile::encodeName(sim.link()))) << c.name;
        EXPECT_FALSE(sim.standardOutput().contains("ready")) << c.name;
        EXPECT_TRUE(exists(sim.link())) << c.name << ": left alone";
        EXPECT_EQ(linkTarget(sim.link()), before) << c.name;
    }
}

// A simulator killed outright leaves its link behind, leading nowhere: not to the terminal
// number that another program gets next. The next simulator on that path takes it over; a
// link that a running simulator was started on stays that simulator's.
TEST(SimCommandLine, TakesOverTheLinkOfAKilledSimulator) {
    SimProcess first;
    ASSERT_TRUE(first.start());
    const QString served = linkTarget(first.link());
    QProcess twin;  // a second simulator on the same path
    twin.start(QStringLiteral(ZTKNODE_SIM_PATH), {QStringLiteral("--link"), first.link()});
    ASSERT_TRUE(twin.waitForFinished(5000));
    EXPECT_EQ(twin.exitCode(), 2) << "the link of a running simulator was taken";
    EXPECT_EQ(linkTarget(first.link()), served);

    ASSERT_TRUE(first.stop(SIGKILL));
    EXPECT_EQ(linkTarget(first.link()), served) << "a killed simulator removes nothing";
    testsupport::Pty other;  // the next terminal anybody opens: the killed one's number
    ASSERT_TRUE(other.ok());
    EXPECT_FALSE(QFileInfo::exists(first.link())) << "the link leads to " << other.slavePath().toStdString();
    ASSERT_TRUE(first.start()) << first.standardError().constData();
    EXPECT_NE(linkTarget(first.link()), served);
    EXPECT_TRUE(QFileInfo::exists(first.link()));

    // A link that an older simulator made into /dev/pts, to a number taken since.
    ASSERT_TRUE(first.stop(SIGKILL));
    ASSERT_TRUE(QFile::remove(first.link()));
    ASSERT_EQ(::symlink(QFile::encodeName(other.slavePath()).constData(),
                        QFile::encodeName(first.link()).constData()),
              0);
    ASSERT_TRUE(first.start()) << first.standardError().constData();
    EXPECT_NE(linkTarget(first.link()), other.slavePath());
}

TEST(SimCommandLine, BadOptionExitsWithUsageError) {
    SimProcess sim;
    ASSERT_TRUE(sim.runToEnd({"--framing", "7O1"}));
    EXPECT_EQ(sim.exitCode(), 2);
    EXPECT_TRUE(sim.standardError().contains("--framing"));
    EXPECT_FALSE(exists(sim.link()));
}

}  // namespace
