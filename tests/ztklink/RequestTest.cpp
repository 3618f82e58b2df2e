#include "DriverFixture.h"

using namespace ztklink;
using testsupport::FakeSerialPort;

namespace {

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

using Requests = DriverFixture;

TEST_F(Requests, EachOperationSendsItsFrame) {
    struct Case {
        const char* name;
        std::function<bool()> send;
        QByteArray frame;
    };
    const Case cases[] = {
        {"RecibirPLC(1, 5)", [&] { return ztk->RecibirPLC(1, 5); },
         hex("010b0500000000000000000000000000000000" "0f")},
        {"RecibirPLC(1, 300)", [&] { return ztk->RecibirPLC(1, 300); },
         hex("011b2c00000000000000000000000000000000" "36")},
        {"PorComando(1, 11, 5) is the same frame as RecibirPLC(1, 5)",
         [&] { return ztk->PorComando(1, 11, 5); }, hex("010b0500000000000000000000000000000000" "0f")},
        {"LecturaAnalogica(1)", [&] { return ztk->LecturaAnalogica(1); },
         hex("01080000000000000000000000000000000000" "09")},
        {"EcrituraAnalogica(1)", [&] { return ztk->EcrituraAnalogica(1); },
         hex("01090000000000000000000000000000000000" "08")},
    };
    for (const auto& c : cases) {
        SetUp();
        ASSERT_TRUE(c.send()) << c.name;
        ASSERT_EQ(port->written.size(), 1) << c.name;
        EXPECT_EQ(port->written[0].toHex(), c.frame.toHex()) << c.name;
        EXPECT_EQ(ztk->TXs(), 1) << c.name;
    }
}

TEST_F(Requests, WriteCarriesTheTransmitDataArea) {
    for (int i = 0; i < 16; ++i) ASSERT_TRUE(ztk->setDato(i, i + 1).ok());
    ASSERT_TRUE(ztk->EnviarPLC(1, 5));
    EXPECT_EQ(port->written[0].toHex(), hex("010a05" "0102030405060708090a0b0c0d0e0f10" "1e").toHex());
}

TEST_F(Requests, AnalogRequestsShiftTheTransmitDataForGood) {
    for (int i = 0; i < 16; ++i) ASSERT_TRUE(ztk->setDato(i, 0xA0 + i).ok());
    ASSERT_TRUE(ztk->LecturaAnalogica(1));
    const QByteArray analog = port->written[0];
    EXPECT_EQ(static_cast<quint8>(analog[2]), 0xA0);   // data index 0 at offset 2
    EXPECT_EQ(static_cast<quint8>(analog[17]), 0xAF);  // index 15 at offset 17
    EXPECT_EQ(static_cast<quint8>(analog[18]), 0x00);
    // The data area stays shifted: a following write sends it one place down, 0 last.
    ASSERT_TRUE(ztk->EnviarPLC(1, 5));
    const QByteArray write = port->written[1];
    for (int i = 0; i < 15; ++i) EXPECT_EQ(static_cast<quint8>(write[3 + i]), 0xA1 + i) << i;
    EXPECT_EQ(static_cast<quint8>(write[18]), 0x00);
}

TEST_F(Requests, ArgumentProblemsAreReportedButTheFrameStillGoesOut) {
    struct Case {
        const char* name;
        std::function<bool()> send;
        QStringList events;
        QByteArray head;  // first three bytes sent, empty when nothing may be sent
    };
    const Case cases[] = {
        {"id 0", [&] { return ztk->RecibirPLC(0, 5); },
         {"ErrorComm 6 El ID está fuera del rango 1 - 255"}, hex("000b05")},
        {"block 5", [&] { return ztk->EnviarPLC(1, 5); }, {}, hex("010a05")},
        {"block 300", [&] { return ztk->EnviarPLC(1, 300); }, {}, hex("011a2c")},
        {"block 240", [&] { return ztk->EnviarPLC(1, 240); },
         {"ErrorComm 6 El Bloque está fuera del rango 0 - 37; 256 - 511"}, hex("010af0")},
        {"id 0 and block 100: the last problem is the one told", [&] { return ztk->RecibirPLC(0, 100); },
         {"ErrorComm 6 El Bloque está fuera del rango 0 - 37; 256 - 511"}, hex("000b64")},
        {"block -1 has no block byte: nothing is sent", [&] { return ztk->RecibirPLC(1, -1); },
         {"ErrorComm 6 El Bloque está fuera del rango 0 - 37; 256 - 511"}, {}},
        {"block 512 has no block byte: nothing is sent", [&] { return ztk->EnviarPLC(1, 512); },
         {"ErrorComm 6 El Bloque está fuera del rango 0 - 37; 256 - 511"}, {}},
        {"raw commands do not check their block", [&] { return ztk->PorComando(1, 0x0A, 240); }, {},
         hex("010af0")},
    };
    for (const auto& c : cases) {
        SetUp();
        EXPECT_TRUE(c.send()) << c.name;
        EXPECT_EQ(takeEvents(), c.events) << c.name;
        if (c.head.isEmpty()) {
            EXPECT_TRUE(port->written.isEmpty()) << c.name;
            EXPECT_EQ(ztk->TXs(), 0) << c.name;
            EXPECT_FALSE(ztk->WatchDogStatus()) << c.name;
        } else {
            ASSERT_EQ(port->written.size(), 1) << c.name;
            EXPECT_EQ(port->written[0].left(3).toHex(), c.head.toHex()) << c.name;
            EXPECT_TRUE(ztk->WatchDogStatus()) << c.name;
        }
    }
}

TEST_F(Requests, StepsRunInOrderOnAClosedPort) {
    ASSERT_TRUE(ztk->EnviarPLC(1, 5));
    EXPECT_EQ(port->log, QStringList({"settings 4800,e,8,2", "dtr 0", "open", "clear in", "clear out",
                                      "output"}));
    port->log.clear();
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));  // reads too empty what was received before them
    EXPECT_EQ(port->log, QStringList({"clear in", "clear out", "output"}));
}

TEST_F(Requests, ReadWaitsForQueuedOutputWriteDiscardsIt) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->setQueuedOutput(3);
    EXPECT_FALSE(ztk->RecibirPLC(1, 6));
    EXPECT_EQ(port->written.size(), 1);
    EXPECT_TRUE(takeEvents().isEmpty());

    EXPECT_TRUE(ztk->EnviarPLC(1, 6));
    EXPECT_EQ(port->written.size(), 2);
    EXPECT_EQ(port->outBufferCount().value(), 0);
}

TEST_F(Requests, ReadIsBusyWhenThePortCannotTellItsQueuedOutput) {
    port->failOn(FakeSerialPort::Member::OutCount, {8018, QStringLiteral("no")});
    EXPECT_FALSE(ztk->RecibirPLC(1, 5));
    EXPECT_FALSE(port->portOpen());
    EXPECT_TRUE(port->log.isEmpty());
}

TEST_F(Requests, NestedRequestFromTheErrorHandlerOfTheSameOperationIsRefused) {
    QList<bool> nested;
    QObject::connect(ztk.get(), &CommZTK90::ErrorComm, [&] {
        nested << ztk->RecibirPLC(1, 5) << ztk->EnviarPLC(1, 5) << ztk->LecturaAnalogica(1)
               << ztk->EcrituraAnalogica(1) << ztk->PorComando(1, 1, 1);
    });
    EXPECT_TRUE(ztk->RecibirPLC(0, 5));
    EXPECT_EQ(nested, QList<bool>({false, false, false, false, false}));
    EXPECT_EQ(port->written.size(), 1);
    // Between operations the driver is free again.
    EXPECT_TRUE(ztk->RecibirPLC(1, 5));
}

TEST_F(Requests, PortThatCannotOpenIsReportedOnceAndTheWatchdogStillRuns) {
    port->failOn(FakeSerialPort::Member::Open, {8002, QStringLiteral("No existe el puerto COM1")});
    EXPECT_TRUE(ztk->RecibirPLC(0, 5));  // the port failure comes last and wins
    EXPECT_EQ(ztk->TXs(), 1);
    EXPECT_TRUE(port->written.isEmpty());
    clock.advance(1000);
    EXPECT_EQ(takeEvents(), QStringList({"ErrorComm 8002 No existe el puerto COM1",
                                         "PerroGuardian 1 0 @1000"}));
}

TEST_F(Requests, DataPropertiesCheckTheirIndex) {
    EXPECT_TRUE(ztk->setDato(15, 255).ok());
    const Result badSet = ztk->setDato(16, 1);
    EXPECT_EQ(badSet.number(), 6);
    EXPECT_EQ(badSet.description(), QStringLiteral("El Indice está fuera del rango 0 - 15"));
    EXPECT_EQ(ztk->setDato(-1, 1).number(), 6);
    EXPECT_EQ(ztk->Dato(16).error().number, 6);
    EXPECT_EQ(ztk->Dato(-1).error().number, 6);

    ASSERT_TRUE(ztk->setWord(14, -2).ok());
    const Result badWord = ztk->setWord(15, 1);  // 15 is refused though the message names it
    EXPECT_EQ(badWord.number(), 6);
    EXPECT_EQ(badWord.description(), QStringLiteral("El Indice está fuera del rango 0 - 15"));
    EXPECT_EQ(ztk->Word(15).error().number, 6);

    ASSERT_TRUE(ztk->EnviarPLC(1, 5));
    EXPECT_EQ(static_cast<quint8>(port->written[0][3 + 14]), 0xFE);
    EXPECT_EQ(static_cast<quint8>(port->written[0][3 + 15]), 0xFF);
}

TEST_F(Requests, WordReadsLittleEndianSigned) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    ztklink::frame::Data d{};
    d[0] = 0x02; d[1] = 0x01;  // 258
    d[2] = 0xFF; d[3] = 0xFF;  // -1
    port->receive(ztklink::frame::toByteArray(ztklink::frame::blockFrame(1, 0x0B, 5, d)));
    EXPECT_EQ(ztk->Word(0).value(), 258);
    EXPECT_EQ(ztk->Word(2).value(), -1);
    EXPECT_EQ(ztk->Word(1).value(), static_cast<qint16>(0xFF01));
}

TEST_F(Requests, AnalogReplyDataIsReadAtTheUsualIndexes) {
    ASSERT_TRUE(ztk->LecturaAnalogica(1));
    ztklink::frame::Data d{};
    for (int i = 0; i < 16; ++i) d[i] = static_cast<quint8>(0xA0 + i);
    port->receive(ztklink::frame::toByteArray(ztklink::frame::analogFrame(1, 0x08, d)));
    EXPECT_EQ(takeEvents(), QStringList({"RespuestaPLC 1 160 8"}));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(ztk->Dato(i).value(), 0xA0 + i) << i;
}

TEST(DriverIdentity, VersionText) { EXPECT_EQ(CommZTK90::Version(), QStringLiteral("1.00.000")); }

}  // namespace
