#include <gtest/gtest.h>

#include <QPointer>
#include <QSerialPort>
#include <functional>

#include "CommZTK90.h"
#include "FakeSerialPort.h"
#include "ManualClock.h"
#include "Pty.h"
#include "QtSerialPort.h"
#include "Wait.h"

using namespace ztklink;

namespace {

// A host closes its window, and so deletes the control, from inside one of the control's own
// handlers. Nothing may touch the control, its engine, its port or Qt's serial port after that;
// a build with AddressSanitizer turns any such touch into a failure of the row.

QByteArray readReply(quint8 block) {
    frame::Data d{};
    d.fill(block);
    return frame::toByteArray(frame::blockFrame(1, 0x0B, block, d));
}

QByteArray corrupted(QByteArray b) {
    b[7] = static_cast<char>(b[7] ^ 0x40);
    return b;
}

using Destroy = std::function<void()>;
// Connects the handler that deletes the control.
using Handler = std::function<void(CommZTK90*, Destroy)>;

void onReply(CommZTK90* z, Destroy d) { QObject::connect(z, &CommZTK90::RespuestaPLC, d); }
void onError(CommZTK90* z, Destroy d) { QObject::connect(z, &CommZTK90::ErrorComm, d); }
void onNewByte(CommZTK90* z, Destroy d) { QObject::connect(z, &CommZTK90::NewByte, d); }
// A frame monitor's listener may close the window too.
void onRequestWritten(CommZTK90* z, Destroy d) {
    QObject::connect(z, &CommZTK90::frameTraffic, [d](FrameDirection dir, const QByteArray&, FrameVerdict) {
        if (dir == FrameDirection::ToNode) d();
    });
}
void onBytesFromNode(CommZTK90* z, Destroy d) {
    QObject::connect(z, &CommZTK90::frameTraffic, [d](FrameDirection dir, const QByteArray&, FrameVerdict) {
        if (dir == FrameDirection::FromNode) d();
    });
}

struct Row {
    const char* name;
    bool realPort;  // a pseudo-terminal behind QSerialPort, otherwise the scripted port
    bool sniffer;
    Handler handler;
    QByteArray bytes;  // what arrives after the request
    int lineError;     // or this notification instead (scripted port only)
};

TEST(HandlerDestroysControl, NothingIsTouchedAfterTheHandlerReturns) {
    const Row rows[] = {
        // The second reply must not be taken for a control that is gone.
        {"RespuestaPLC, two replies in one read", false, false, onReply,
         readReply(5) + readReply(6), 0},
        {"ErrorComm 93, a frame with a bad checksum", false, false, onError,
         corrupted(readReply(5)) + readReply(6), 0},
        {"ErrorComm 17, a line error", false, false, onError, {}, CommEvent::RxParity},
        {"NewByte, three bytes in one read", false, true, onNewByte, "abc", 0},
        {"RespuestaPLC on a real port, two replies in one read", true, false, onReply,
         readReply(5) + readReply(6), 0},
        {"frameTraffic, the request written", false, false, onRequestWritten, {}, 0},
        {"frameTraffic, a reply taken in", false, false, onBytesFromNode,
         readReply(5) + readReply(6), 0},
        {"frameTraffic, a line error", false, false, onBytesFromNode, {}, CommEvent::RxParity},
        {"frameTraffic, sniffed bytes", false, true, onBytesFromNode, "abc", 0},
    };
    testsupport::ManualClock clock;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<testsupport::Pty> pty;  // declared first: goes after the control
        std::unique_ptr<CommZTK90> ztk;
        testsupport::FakeSerialPort* fake = nullptr;
        if (row.realPort) {
            pty = std::make_unique<testsupport::Pty>();
            ASSERT_TRUE(pty->ok());
            ztk = std::make_unique<CommZTK90>();
            PortMap map;
            map.set(1, pty->slavePath());
            ztk->qtPort()->setPortMap(map);
        } else {
            auto port = std::make_unique<testsupport::FakeSerialPort>();
            fake = port.get();
            ztk = std::make_unique<CommZTK90>(std::move(port), clock);
        }
        ztk->readProperties(MemoryPropertyStore{});
        ASSERT_TRUE(ztk->setCOMM(1).ok());
        ztk->setPuertoPLC(B);
        ztk->setModoSniffer(row.sniffer);
        // Qt's serial port raises the notification that deletes the control: it must outlive
        // that notification and go once Qt's code on the stack has returned.
        QPointer<QSerialPort> device;
        if (row.realPort) device = ztk->qtPort()->findChild<QSerialPort*>();
        int raised = 0;
        row.handler(ztk.get(), [&] {
            ++raised;
            ztk.reset();
            if (row.realPort) {
                EXPECT_TRUE(device) << "QSerialPort freed inside its own readyRead";
            }
        });
        ASSERT_TRUE(ztk->RecibirPLC(1, 5));

        if (!ztk) {
            // Gone with the request: its port went with it.
        } else if (row.realPort) {
            EXPECT_TRUE(device) << "QSerialPort is not a child of the port";
            pty->write(row.bytes);
            EXPECT_TRUE(testsupport::waitUntil([&] { return !ztk && !device; }, 2000));
        } else if (row.lineError) {
            fake->notify(row.lineError);
        } else {
            fake->receive(row.bytes);
        }
        EXPECT_FALSE(ztk);
        EXPECT_EQ(raised, 1);
    }
}

}  // namespace
