// 1 000 programmings in a row against the simulator at full speed, in one window's core:
// every one completes, the resident size after the last is within 5% of the size after the
// tenth, and the process holds the same descriptors.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "DrillWindow.h"
#include "SimProcess.h"

namespace {

using namespace drills;

// VmRSS of this process, in kB.
qint64 residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// The descriptors this process holds, each with what it stands for.
QStringList descriptors() {
    QStringList all;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System))
        all << fd + QStringLiteral(" -> ") + QFile::symLinkTarget(fds.filePath(fd));
    return all;
}

TEST(Endurance, AThousandProgrammingsInARow) {
    constexpr int Runs = 1000;
    simtest::SimProcess sim;
    ASSERT_TRUE(sim.start());
    DrillWindow window(sim.link());
    QString why;
    ASSERT_TRUE(window.prepare(dataFile("ethernet.nod"), true, QStringLiteral("1.15"), &why))
        << why.toStdString();

    qint64 rssAfterTenth = 0;
    int fdsAfterTenth = 0;
    QStringList heldAfterTenth;
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i <= Runs; ++i) {
        const ProgrammingRun run = window.program();
        ASSERT_TRUE(run.completed) << "programming " << i << ": " << run.status.toStdString();
        ASSERT_EQ(run.blocks.size(), 138) << "programming " << i;
        if (i == 10) {
            rssAfterTenth = residentKb();
            heldAfterTenth = descriptors();
            fdsAfterTenth = int(heldAfterTenth.size());
        }
    }
    const qint64 rssAfterLast = residentKb();
    const QStringList heldAfterLast = descriptors();
    std::printf(
        "[ endurance ] %d programmings (138 blocks each) in %.1f s; resident %lld kB after "
        "the 10th, %lld kB after the last; %d descriptors after the 10th, %d after the "
        "last\n",
        Runs, clock.elapsed() / 1000.0, rssAfterTenth, rssAfterLast, fdsAfterTenth,
        int(heldAfterLast.size()));
    ASSERT_GT(rssAfterTenth, 0);
    EXPECT_LE(rssAfterLast, rssAfterTenth * 105 / 100)
        << "the resident size grew from " << rssAfterTenth << " kB to " << rssAfterLast << " kB";
    EXPECT_EQ(heldAfterLast.size(), fdsAfterTenth) << heldAfterLast.join(u'\n').toStdString();
}

}  // namespace
