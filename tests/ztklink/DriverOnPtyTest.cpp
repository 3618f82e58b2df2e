#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QSignalSpy>

#include "CommZTK90.h"
#include "Pty.h"
#include "QtSerialPort.h"
#include "Wait.h"

using namespace ztklink;
using testsupport::Pty;
using testsupport::waitUntil;

namespace {

// The real driver on a real serial device (a pseudo-terminal); the test plays the node.
class DriverOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        ztk.readProperties(MemoryPropertyStore{});
        PortMap map;
        map.set(1, pty.slavePath());
        ztk.qtPort()->setPortMap(map);
        ASSERT_TRUE(ztk.setCOMM(1).ok());
        ztk.setPuertoPLC(B);
        ASSERT_TRUE(ztk.setWatchDogTime(300).ok());
        QObject::connect(&ztk, &CommZTK90::ErrorComm, [this](qint32 n, const QString& d) {
            errors << QStringLiteral("%1 %2").arg(n).arg(d);
        });
    }

    // Waits for one whole request frame from the driver.
    QByteArray nextRequest() {
        if (!waitUntil([&] { return pty.received().size() >= 20; }, 2000)) return {};
        const QByteArray all = pty.takeReceived();
        return all.left(20);
    }

    Pty pty;
    CommZTK90 ztk;
    QStringList errors;
};

TEST_F(DriverOnPty, ReadsABlock) {
    QSignalSpy replies(&ztk, &CommZTK90::RespuestaPLC);
    ASSERT_TRUE(ztk.RecibirPLC(1, 7));
    const QByteArray request = nextRequest();
    ASSERT_EQ(request.toHex(), QByteArray("010b0700000000000000000000000000000000" "0d"));

    frame::Data d{};
    for (int i = 0; i < 16; ++i) d[i] = static_cast<quint8>(0xF0 + i);
    pty.write(frame::toByteArray(frame::blockFrame(1, 0x0B, 7, d)));
    ASSERT_TRUE(replies.wait(2000));
    EXPECT_EQ(replies[0], (QVariantList{quint8(1), quint8(7), quint8(0x0B)}));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(ztk.Dato(i).value(), 0xF0 + i);
    EXPECT_FALSE(ztk.WatchDogStatus());
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(DriverOnPty, WritesABlockAndTakesTheAcknowledgement) {
    QSignalSpy replies(&ztk, &CommZTK90::RespuestaPLC);
    for (int i = 0; i < 16; ++i) ASSERT_TRUE(ztk.setDato(i, i).ok());
    ASSERT_TRUE(ztk.EnviarPLC(1, 300));
    const QByteArray request = nextRequest();
    ASSERT_EQ(request.size(), 20);
    EXPECT_EQ(request.left(3).toHex(), QByteArray("011a2c"));
    pty.write(request);  // a node acknowledges with what it was sent
    ASSERT_TRUE(replies.wait(2000));
    EXPECT_EQ(replies[0], (QVariantList{quint8(1), quint8(0x2C), quint8(0x1A)}));
}

TEST_F(DriverOnPty, BadChecksumThenTheWatchdog) {
    QSignalSpy watchdog(&ztk, &CommZTK90::PerroGuardian);
    ASSERT_TRUE(ztk.RecibirPLC(1, 5));
    ASSERT_EQ(nextRequest().size(), 20);
    QByteArray bad = frame::toByteArray(frame::blockFrame(1, 0x0B, 5, {}));
    bad[19] = static_cast<char>(bad[19] ^ 0xFF);
    pty.write(bad);
    ASSERT_TRUE(watchdog.wait(2000));
    EXPECT_EQ(errors, QStringList({"93 Los datos recibidos no son validos (no da checksum)"}));
}

TEST_F(DriverOnPty, SilentPeerEndsInTheWatchdogAfterItsTime) {
    QSignalSpy watchdog(&ztk, &CommZTK90::PerroGuardian);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(ztk.RecibirPLC(1, 5));
    ASSERT_TRUE(watchdog.wait(3000));
    EXPECT_GE(t.elapsed(), 290);
    EXPECT_TRUE(errors.isEmpty());
}

TEST(DriverPortErrors, MissingDeviceIsReportedAndTheWatchdogFollows) {
    CommZTK90 ztk;
    ztk.readProperties(MemoryPropertyStore{});
    PortMap map;
    map.set(2, QStringLiteral("/dev/no-such-serial-device"));
    ztk.qtPort()->setPortMap(map);
    ASSERT_TRUE(ztk.setCOMM(2).ok());
    ASSERT_TRUE(ztk.setWatchDogTime(100).ok());
    QSignalSpy errors(&ztk, &CommZTK90::ErrorComm);
    QSignalSpy watchdog(&ztk, &CommZTK90::PerroGuardian);
    EXPECT_TRUE(ztk.RecibirPLC(1, 5));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0][0].toInt(), 8002);
    EXPECT_TRUE(watchdog.wait(2000));
}

}  // namespace
