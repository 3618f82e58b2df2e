#include "DriverFixture.h"

#include "ReceiveEngine.h"

using namespace ztklink;

namespace {

QByteArray readReply5() { return DriverFixture::reply(1, 0x0B, 5, 0x11); }
// Data 0x20 to 0x2F: no run of it passes the checksum by chance.
QByteArray readReply6() {
    frame::Data d{};
    for (int i = 0; i < frame::DataSize; ++i) d[i] = static_cast<quint8>(0x20 + i);
    return frame::toByteArray(frame::blockFrame(1, 0x0B, 6, d));
}
QByteArray corrupted(QByteArray b) {
    b[7] = static_cast<char>(b[7] ^ 0x40);
    return b;
}

struct Scenario {
    const char* name;
    int watchDogTime;
    std::vector<Step> steps;
    QStringList expected;
    bool watchdogArmedAfter = false;  // WatchDogStatus() once the steps are done
};

using ReceiveEngineTiming = DriverFixture;

// The outcomes of one read request (RecibirPLC(1, 5), sent at time 0) for each way its reply
// can go.
TEST_F(ReceiveEngineTiming, EachWayAReplyCanGoRaisesItsEvents) {
    const QByteArray r = readReply5();
    const QByteArray r6 = readReply6();
    const QByteArray stray("\x55", 1);
    const std::vector<Scenario> scenarios = {
        {"valid reply in time", 1000, {bytes(r), advance(5000)}, {"RespuestaPLC 1 5 11"}},
        {"reply in two pieces within the gap", 1000,
         {bytes(r.left(12)), advance(49), bytes(r.mid(12)), advance(5000)},
         {"RespuestaPLC 1 5 11"}},
        {"two frames in one read", 1000, {bytes(r + r6), advance(5000)},
         {"RespuestaPLC 1 5 11", "RespuestaPLC 1 6 11"}},
        {"a stray byte, then a new request", 1000,
         {bytes(r + stray), readBlock(6), bytes(r6), advance(5000)},
         {"RespuestaPLC 1 5 11", "RespuestaPLC 1 6 11"}},
        {"a stray byte, silence, then a new request", 1000,
         {bytes(r + stray), advance(5000), readBlock(6), bytes(r6), advance(5000)},
         {"RespuestaPLC 1 5 11", "RespuestaPLC 1 6 11"}},
        {"a stray byte in its own read, then a new request answered after the gap", 1000,
         {bytes(r), bytes(stray), readBlock(6), advance(80), bytes(r6), advance(5000)},
         {"RespuestaPLC 1 5 11", "RespuestaPLC 1 6 11"}},
        {"no byte at all", 1000, {advance(999), advance(1), advance(5000)},
         {"PerroGuardian 1 0 @1000"}},
        {"no byte, watchdog time 0: armed, never expires", 0, {advance(100000)}, {}, true},
        {"valid reply, watchdog time 0", 0, {bytes(r)}, {"RespuestaPLC 1 5 11"}},
        {"19 bytes then silence", 1000, {bytes(r.left(19)), advance(49), advance(1), advance(5000)},
         {"RespuestaPLCNoRecibida 1 5", "PerroGuardian 1 0 @1000"}},
        {"bad checksum", 1000, {bytes(corrupted(r)), advance(5000)},
         {"ErrorComm 93 Los datos recibidos no son validos (no da checksum)",
          "PerroGuardian 1 1 @1000"}},
        {"line error, then the reply completes", 1000,
         {lineError(CommEvent::RxParity), bytes(r)},
         {"ErrorComm 17 Corrupción en datos recibidos", "RespuestaPLC 1 5 11"}},
        {"line error, then nothing", 1000, {lineError(CommEvent::Frame), advance(5000)},
         {"ErrorComm 17 Corrupción en datos recibidos", "PerroGuardian 1 0 @1000"}},
    };
    for (const auto& s : scenarios) {
        SetUp();  // a fresh control for every scenario
        ASSERT_TRUE(ztk->setWatchDogTime(s.watchDogTime).ok());
        ASSERT_TRUE(ztk->RecibirPLC(1, 5));
        const qint64 t0 = clock.now();
        for (const auto& step : s.steps) ASSERT_TRUE(play(step)) << s.name;
        QStringList got = takeEvents();
        // Times are relative to the request.
        for (auto& e : got) e.replace(QStringLiteral("@%1").arg(t0 + 1000), QStringLiteral("@1000"));
        EXPECT_EQ(got, s.expected) << s.name;
        EXPECT_EQ(ztk->WatchDogStatus(), s.watchdogArmedAfter) << s.name;
    }
}

using ReceiveEngine = DriverFixture;

TEST_F(ReceiveEngine, TwentyBytesAreTakenAtOnceWithoutWaitingForTheGap) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    EXPECT_TRUE(ztk->WatchDogStatus());
    port->receive(readReply5());
    EXPECT_EQ(takeEvents(), QStringList({"RespuestaPLC 1 5 11"}));
    EXPECT_FALSE(ztk->WatchDogStatus());
    EXPECT_EQ(ztk->RXs(), 1);
    EXPECT_EQ(ztk->Dato(0).value(), 0x11);
}

TEST_F(ReceiveEngine, BytesBeyondAFrameLeadTheNextFrameWhenNoRequestComesBetween) {
    const QByteArray first = readReply5();
    const QByteArray second = readReply6();
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->receive(first + second.left(5));
    EXPECT_EQ(takeEvents(), QStringList({"RespuestaPLC 1 5 11"}));
    // Fifteen more bytes: with the five kept back they make the frame.
    port->receive(second.mid(5));
    EXPECT_EQ(takeEvents(), QStringList({"RespuestaPLC 1 6 11"}));
    EXPECT_EQ(ztk->Dato(15).value(), 0x2F);
}

TEST_F(ReceiveEngine, TheGapEmptiesARemainderKeptBackFromAnEarlierRead) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->receive(readReply5() + readReply6().left(5));
    port->receive(readReply6().mid(5, 10));  // 15 bytes wait, then silence
    clock.advance(50);
    port->receive(readReply6());
    EXPECT_EQ(takeEvents(), QStringList({"RespuestaPLC 1 5 11", "RespuestaPLCNoRecibida 1 5",
                                         "RespuestaPLC 1 6 11"}));
}

TEST_F(ReceiveEngine, AHandlersNewRequestEndsTheFramesOfTheRead) {
    // A host that chains from its reply handler gets no reply that arrived before its request.
    QObject::connect(ztk.get(), &CommZTK90::RespuestaPLC, [&](quint8, quint8 block, quint8) {
        if (block == 5) {
            EXPECT_TRUE(ztk->RecibirPLC(1, 7));
        }
    });
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->receive(readReply5() + readReply6());
    EXPECT_EQ(takeEvents(), QStringList({"RespuestaPLC 1 5 11"}));
    EXPECT_TRUE(ztk->WatchDogStatus());
    port->receive(reply(1, 0x0B, 7, 0x77));
    EXPECT_EQ(takeEvents(), QStringList({"RespuestaPLC 1 7 11"}));
    EXPECT_EQ(ztk->Dato(0).value(), 0x77);
}

TEST_F(ReceiveEngine, PartialReplyIsDiscardedAndNamesTheLastRequest) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    ASSERT_TRUE(ztk->EnviarPLC(1, 300));  // replaces the frame that a gap will name
    port->receive(readReply5().left(19));
    clock.advance(60);
    EXPECT_EQ(takeEvents(), QStringList({"RespuestaPLCNoRecibida 1 44"}));
    EXPECT_TRUE(port->inBufferCount().value() == 0);
}

TEST_F(ReceiveEngine, RejectedFrameIsReadableAndALaterValidReplyIsAccepted) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    const QByteArray bad = corrupted(reply(1, 0x0B, 5, 0x33));
    port->receive(bad);
    EXPECT_EQ(ztk->RXs(), 1);
    EXPECT_EQ(ztk->Dato(4).value(), static_cast<quint8>(bad[7]));
    EXPECT_TRUE(ztk->WatchDogStatus());
    port->receive(readReply5());
    EXPECT_EQ(takeEvents(),
              QStringList({"ErrorComm 93 Los datos recibidos no son validos (no da checksum)",
                           "RespuestaPLC 1 5 11"}));
    EXPECT_EQ(ztk->RXs(), 2);
}

TEST_F(ReceiveEngine, LineErrorFlushesTheInputButLeavesTheTimers) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->receive(readReply5().left(10));
    port->deposit("garbage");
    port->notify(CommEvent::Overrun);
    EXPECT_EQ(port->inBufferCount().value(), 0);
    EXPECT_TRUE(ztk->WatchDogStatus());
    clock.advance(50);  // the gap timer still runs
    EXPECT_EQ(takeEvents(), QStringList({"ErrorComm 17 Corrupción en datos recibidos",
                                         "RespuestaPLCNoRecibida 1 5"}));
}

TEST(AutoWatchdog, IsTheTimeOf64BitsRoundedHalfToEven) {
    struct Case { int baud; int ms; };
    const Case cases[] = {{4800, 133}, {9600, 67}, {19200, 33}, {1200, 533}, {600, 1067},
                          {256000, 2}, {128000, 5}, {0, 0}};
    for (const auto& c : cases) EXPECT_EQ(autoWatchdogMs(c.baud), c.ms) << c.baud;
}

TEST_F(ReceiveEngine, AutoWatchdogFollowsThePortSpeed) {
    ASSERT_TRUE(ztk->setBaudios(9600).ok());
    ztk->setWatchDogAuto(true);
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    const qint64 sent = clock.now();
    clock.advance(66);
    EXPECT_TRUE(takeEvents().isEmpty());
    clock.advance(1);
    EXPECT_EQ(takeEvents(), QStringList({QStringLiteral("PerroGuardian 1 0 @%1").arg(sent + 67)}));
}

TEST_F(ReceiveEngine, NegativeWatchdogTimeLeavesTheWatchdogOff) {
    ASSERT_TRUE(ztk->setWatchDogTime(-5).ok());
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    EXPECT_FALSE(ztk->WatchDogStatus());
    clock.advance(100000);
    EXPECT_TRUE(takeEvents().isEmpty());
}

TEST_F(ReceiveEngine, EveryRequestRearmsTheWatchdogFromItsOwnSend) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    clock.advance(800);
    ASSERT_TRUE(ztk->RecibirPLC(1, 6));
    clock.advance(999);
    EXPECT_TRUE(takeEvents().isEmpty());
    clock.advance(1);
    EXPECT_EQ(takeEvents(), QStringList({"PerroGuardian 2 0 @1800"}));
}

TEST_F(ReceiveEngine, RequestFromTheWatchdogHandlerKeepsItsOwnWatchdog) {
    int retries = 0;
    QObject::connect(ztk.get(), &CommZTK90::PerroGuardian, [&] {
        if (retries++ == 0) ztk->RecibirPLC(1, 5);
    });
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    clock.advance(1000);
    EXPECT_TRUE(ztk->WatchDogStatus());
    clock.advance(1000);
    EXPECT_EQ(takeEvents(), QStringList({"PerroGuardian 1 0 @1000", "PerroGuardian 2 0 @2000"}));
    EXPECT_FALSE(ztk->WatchDogStatus());
}

TEST_F(ReceiveEngine, ChainedRequestFromTheReplyHandlerIsSentAndWatched) {
    QObject::connect(ztk.get(), &CommZTK90::RespuestaPLC, [&](quint8, quint8 block, quint8) {
        if (block == 5) {
            EXPECT_TRUE(ztk->EnviarPLC(1, 6));
        }
    });
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->receive(readReply5());
    EXPECT_EQ(port->written.size(), 2);
    EXPECT_EQ(static_cast<quint8>(port->written.last()[2]), 6);
    EXPECT_TRUE(ztk->WatchDogStatus());
}

TEST_F(ReceiveEngine, SnifferReportsEveryByteInOrderAndTakesNoFrame) {
    ztk->setModoSniffer(true);
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->receive(QByteArray::fromHex("0a0b0c"));
    port->receive(readReply5());  // a whole frame is still just bytes
    clock.advance(1000);
    QStringList got = takeEvents();
    ASSERT_EQ(got.size(), 3 + 20 + 1);
    EXPECT_EQ(got.mid(0, 3), QStringList({"NewByte 10", "NewByte 11", "NewByte 12"}));
    EXPECT_EQ(got[3], QStringLiteral("NewByte 1"));
    EXPECT_TRUE(got.last().startsWith(QStringLiteral("PerroGuardian")));
    EXPECT_EQ(ztk->RXs(), 0);
}

TEST_F(ReceiveEngine, SnifferNotificationWithNothingToReadReportsNothing) {
    ztk->setModoSniffer(true);
    port->notify(CommEvent::Receive);
    EXPECT_TRUE(takeEvents().isEmpty());
}

TEST_F(ReceiveEngine, OutputSentHandsOutTheReceiveCounterByReference) {
    QObject::connect(ztk.get(), &CommZTK90::TxCompletado, [](qint64, qint64& rxs, qint32) { rxs = 42; });
    ASSERT_TRUE(ztk->EnviarPLC(1, 5));
    port->deposit("xyz");
    port->notify(CommEvent::Send);
    EXPECT_EQ(takeEvents(), QStringList({"TxCompletado 1 0 3"}));
    EXPECT_EQ(ztk->RXs(), 42);

    port->setQueuedOutput(4);  // still sending: nothing to report
    port->notify(CommEvent::Send);
    EXPECT_TRUE(takeEvents().isEmpty());
}

TEST_F(ReceiveEngine, LostDeviceIsReportedWithThePortsOwnError) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->lastErrorToReport = {8020, QStringLiteral("Se perdió la conexión con /dev/ttyUSB0")};
    port->notify(CommEvent::DeviceLost);
    clock.advance(1000);
    EXPECT_EQ(takeEvents(), QStringList({"ErrorComm 8020 Se perdió la conexión con /dev/ttyUSB0",
                                         "PerroGuardian 1 0 @1000"}));
}

}  // namespace
