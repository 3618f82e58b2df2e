#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QFile>
#include <QSignalSpy>
#include <sys/stat.h>
#include <unistd.h>

#include "Pty.h"
#include "Unprivileged.h"
#include "QtSerialPort.h"
#include "Wait.h"

using namespace ztklink;
using testsupport::Pty;
using testsupport::waitUntil;

namespace {

TEST(LineSettings, ParsesTheSettingsText) {
    struct Case { const char* text; bool ok; int baud; char parity; int data; int stop; int bits; };
    const Case cases[] = {
        {"4800,e,8,2", true, 4800, 'e', 8, 2, 12},
        {"9600,N,8,1", true, 9600, 'n', 8, 1, 10},
        {" 19200 , o , 7 , 1 ", true, 19200, 'o', 7, 1, 10},
        {"4800,e,8", false, 0, 0, 0, 0, 0},
        {"0,e,8,2", false, 0, 0, 0, 0, 0},
        {"abc,e,8,2", false, 0, 0, 0, 0, 0},
        {"4800,x,8,2", false, 0, 0, 0, 0, 0},
        {"4800,e,9,2", false, 0, 0, 0, 0, 0},
        {"4800,e,8,3", false, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto s = LineSettings::parse(QString::fromLatin1(c.text));
        ASSERT_EQ(s.has_value(), c.ok) << c.text;
        if (!s) continue;
        EXPECT_EQ(s->baud, c.baud) << c.text;
        EXPECT_EQ(s->parity, c.parity) << c.text;
        EXPECT_EQ(s->dataBits, c.data) << c.text;
        EXPECT_EQ(s->stopBits, c.stop) << c.text;
        EXPECT_EQ(s->bitsPerCharacter(), c.bits) << c.text;
    }
}

TEST(PortMap, HostEntriesWinOverThePlatformPattern) {
    PortMap map;
    EXPECT_EQ(map.device(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(map.device(8), QStringLiteral("/dev/ttyS7"));
    map.set(3, QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
    EXPECT_EQ(map.device(3), QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
    map.set(4, QString());  // an empty entry falls back
    EXPECT_EQ(map.device(4), QStringLiteral("/dev/ttyS3"));
}

class QtSerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        PortMap map;
        map.set(1, pty.slavePath());
        port.setPortMap(map);
        ASSERT_TRUE(port.setCommPort(1).ok());
    }
    Pty pty;
    QtSerialPort port;
};

TEST_F(QtSerialPortOnPty, OpensWithEvenParityAndTwoStopBitsAndDtrOff) {
    // A pseudo-terminal refuses parity and has no DTR line: that must not stop the opening.
    ASSERT_TRUE(port.setSettings(QStringLiteral("4800,e,8,2")).ok());
    ASSERT_TRUE(port.setDtrEnable(false).ok());
    const Result r = port.setPortOpen(true);
    ASSERT_TRUE(r.ok()) << r.description().toStdString();
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(port.settings(), QStringLiteral("4800,e,8,2"));
    EXPECT_EQ(port.outBufferCount().valueOr(-1), 0);
}

TEST_F(QtSerialPortOnPty, BytesPassUnchangedBothWays) {
    ASSERT_TRUE(port.setPortOpen(true).ok());
    QByteArray all;
    for (int i = 0; i < 256; ++i) all.append(static_cast<char>(i));

    ASSERT_TRUE(port.output(all).ok());
    ASSERT_TRUE(waitUntil([&] { return pty.received().size() >= all.size(); }, 2000));
    EXPECT_EQ(pty.takeReceived(), all);

    QByteArray got;
    QObject::connect(&port, &SerialPort::onComm, [&] {
        if (port.commEvent() == CommEvent::Receive) got.append(port.input());
    });
    pty.write(all);
    ASSERT_TRUE(waitUntil([&] { return got.size() >= all.size(); }, 2000));
    EXPECT_EQ(got, all);
    EXPECT_EQ(port.inBufferCount().valueOr(-1), 0);
}

TEST_F(QtSerialPortOnPty, ClearingTheInputDiscardsWaitingBytes) {
    ASSERT_TRUE(port.setPortOpen(true).ok());
    pty.write("abc");
    ASSERT_TRUE(waitUntil([&] { return port.inBufferCount().valueOr(0) == 3; }, 2000));
    ASSERT_TRUE(port.clearInBuffer().ok());
    EXPECT_EQ(port.inBufferCount().valueOr(-1), 0);
    EXPECT_TRUE(port.input().isEmpty());
}

TEST_F(QtSerialPortOnPty, ClosedPortReportsNoQueuedOutput) {
    EXPECT_FALSE(port.portOpen());
    const auto queued = port.outBufferCount();
    ASSERT_TRUE(queued.ok());
    EXPECT_EQ(queued.value(), 0);
    EXPECT_FALSE(port.output("x").ok());
}

TEST(QtSerialPortErrors, MissingDeviceIsRefusedInSpanishWithItsNumber) {
    QtSerialPort port;
    PortMap map;
    map.set(2, QStringLiteral("/dev/no-such-serial-device"));
    port.setPortMap(map);
    ASSERT_TRUE(port.setCommPort(2).ok());
    const Result r = port.setPortOpen(true);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.number(), 8002);
    EXPECT_TRUE(r.description().contains(QStringLiteral("COM2"))) << r.description().toStdString();
    EXPECT_TRUE(r.description().contains(QStringLiteral("/dev/no-such-serial-device")));
    EXPECT_FALSE(port.portOpen());
}

// The two refusals that look alike to Qt say what the user can do about each.
TEST_F(QtSerialPortOnPty, APortHeldByAnotherProgramIsSaidToBeInUse) {
    ASSERT_TRUE(port.setPortOpen(true).ok());
    QtSerialPort other;
    PortMap map;
    map.set(1, pty.slavePath());
    other.setPortMap(map);
    ASSERT_TRUE(other.setCommPort(1).ok());
    const Result r = other.setPortOpen(true);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.number(), 8005);
    EXPECT_TRUE(r.description().contains(QStringLiteral("en uso por otro programa")))
        << r.description().toStdString();
    EXPECT_TRUE(r.description().contains(pty.slavePath()));
    EXPECT_FALSE(r.description().contains(QStringLiteral("dialout")));
    EXPECT_TRUE(port.portOpen());
}

TEST_F(QtSerialPortOnPty, APortTheUserMayNotUseSaysHowToBeAllowed) {
    ASSERT_EQ(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0), 0);
    const std::string failure = testsupport::asOrdinaryUser([&]() -> std::string {
        const Result r = port.setPortOpen(true);
        const std::string text = r.description().toStdString();
        if (r.ok()) return "the port opened";
        if (r.number() != 8005) return "error " + std::to_string(r.number()) + ": " + text;
        if (!r.description().contains(QStringLiteral("grupo dialout")) ||
            !r.description().contains(QStringLiteral("vuelva a iniciar la sesión")) ||
            r.description().contains(QStringLiteral("en uso")))
            return "wrong advice: " + text;
        return {};
    });
    EXPECT_EQ(failure, "");
}

TEST(QtSerialPortErrors, BadSettingsTextIsRefusedAndKeepsTheOldOne) {
    QtSerialPort port;
    const Result r = port.setSettings(QStringLiteral("fast,e,8,2"));
    EXPECT_EQ(r.number(), 380);
    EXPECT_EQ(port.settings(), QStringLiteral("9600,n,8,1"));
}

TEST_F(QtSerialPortOnPty, LosingTheDeviceClosesThePortAndIsReportedOnce) {
    ASSERT_TRUE(port.setPortOpen(true).ok());
    int lost = 0;
    QObject::connect(&port, &SerialPort::onComm, [&] {
        if (port.commEvent() == CommEvent::DeviceLost) ++lost;
    });
    pty.closeMaster();
    ASSERT_TRUE(waitUntil([&] { return lost > 0; }, 2000));
    // Give Qt the chance to repeat its error: it must not reach us again.
    waitUntil([] { return false; }, 100);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(port.portOpen());
    EXPECT_NE(port.lastError().number, 0);
    EXPECT_FALSE(port.lastError().description.isEmpty());
}

}  // namespace
