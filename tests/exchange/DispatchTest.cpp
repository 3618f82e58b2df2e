// The handlers of the link control's events: which driver errors the window shows, the
// partial-reply and watchdog texts, the node query's read steps.
#include <QSignalSpy>

#include "ExchangeFixture.h"
#include "Frame.h"

using namespace brisa;

namespace {

const QString kRangeWarning = QStringLiteral("El Bloque está fuera del rango 0 - 37; 256 - 511");

struct ErrorCase {
    const char* name;
    std::function<void(ExchangeFixture&, App&, testsupport::FakeSerialPort&)> act;
    QString status;  // what the status label shows; empty: the warning is ignored
};

class DriverErrors : public ExchangeFixture, public ::testing::WithParamInterface<ErrorCase> {
  public:
    void run() { GetParam().act(*this, app, *port); }
};

TEST_P(DriverErrors, OnlyTheExpectedRangeWarningIsIgnored) {
    form.pointer.setBusy(true);
    run();
    const QString status = GetParam().status;
    EXPECT_EQ(form.lbStatus.caption(), status);
    EXPECT_EQ(form.lbModelo.caption(), status.isEmpty() ? QString() : QStringLiteral("Error"));
    EXPECT_EQ(form.pointer.busy(), status.isEmpty());
}

compiler::TxArea zeros{};

INSTANTIATE_TEST_SUITE_P(
    Cases, DriverErrors,
    ::testing::Values(
        ErrorCase{"EmailBlock", [](auto&, App& a, auto&) { a.requests.write(40, zeros); }, {}},
        ErrorCase{"LastEmailBlock", [](auto&, App& a, auto&) { a.requests.write(161, zeros); }, {}},
        ErrorCase{"ReadBack", [](auto&, App& a, auto&) { a.requests.read(100); }, {}},
        ErrorCase{"ModeSwitch", [](auto&, App& a, auto&) { a.requests.write(240, zeros); }, {}},
        ErrorCase{"BlockTheNodeDoesNotTake",
                  [](auto&, App& a, auto&) { a.requests.write(200, zeros); }, kRangeWarning},
        ErrorCase{"RequestNotMadeByTheConfigurator",
                  [](auto&, App& a, auto&) { a.ZTK90->RecibirPLC(1, 100); }, kRangeWarning},
        ErrorCase{"PortCannotOpen",
                  [](auto&, App& a, testsupport::FakeSerialPort& p) {
                      p.failOn(testsupport::FakeSerialPort::Member::Open,
                               {8002, QStringLiteral("Permiso denegado para abrir /dev/ttyS0")});
                      a.requests.write(40, zeros);
                  },
                  QStringLiteral("Permiso denegado para abrir /dev/ttyS0")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExchangeFixture, BadChecksumIsShownWithTheDriversText) {
    form.pointer.setBusy(true);
    app.requests.write(5, zeros);
    QByteArray reply = port->written.last();
    reply[19] = char(reply[19] ^ 0x55);
    port->receive(reply);
    EXPECT_EQ(form.lbModelo.caption(), QStringLiteral("Error"));
    EXPECT_FALSE(form.lbStatus.caption().isEmpty());
    EXPECT_FALSE(form.pointer.busy());
}

TEST_F(ExchangeFixture, APartialReplyShowsTheBlockOfTheLastRequest) {
    chooseNode(false, QStringLiteral("2.00"));
    compileSomeBlocks();
    form.cmdProgramar.press();
    acknowledge();
    ASSERT_EQ(lastBlock(), 1);
    port->receive(port->written.last().left(12));
    clock.advance(50);
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Error BL 1"));
    EXPECT_FALSE(form.pointer.busy());
}

// While a programming runs, every failure names the block just sent in the status line, and
// the watchdog that ends the run keeps a failure that says more than its own silence.
struct BlockFailureCase {
    const char* name;
    std::function<void(testsupport::FakeSerialPort&)> spoil;  // what the node sends instead
    QString status;       // block 1 is the second block of the run
    QString programado;   // lbProgramado right after the failure
};

class FailureNamesTheBlock : public ExchangeFixture,
                             public ::testing::WithParamInterface<BlockFailureCase> {};

TEST_P(FailureNamesTheBlock, UntilTheWatchdogEndsTheRun) {
    const BlockFailureCase& c = GetParam();
    chooseNode(false, QStringLiteral("2.00"));
    compileSomeBlocks();
    QSignalSpy failed(&app.dispatch, &exchange::Dispatch::failed);
    QSignalSpy completed(&app.programming, &exchange::Programming::completed);
    form.cmdProgramar.press();
    acknowledge();
    ASSERT_EQ(lastBlock(), 1);
    c.spoil(*port);
    clock.advance(ztklink::GapTimeoutMs);
    EXPECT_EQ(form.lbStatus.caption(), c.status);
    EXPECT_EQ(form.lbProgramado.caption(), c.programado);
    EXPECT_FALSE(form.pointer.busy());
    EXPECT_GE(failed.count(), 1);
    EXPECT_TRUE(app.exchange.running()) << "a valid reply may still come";

    clock.advance(exchange::ReplyWatchdogMs);
    EXPECT_FALSE(app.exchange.running());
    EXPECT_EQ(form.lbStatus.caption(), c.status);
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Error"));
    EXPECT_EQ(form.lbModelo.caption(), QStringLiteral("Error"));
    EXPECT_EQ(completed.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailureNamesTheBlock,
    ::testing::Values(
        BlockFailureCase{"Partial",
                         [](testsupport::FakeSerialPort& p) { p.receive(p.written.last().left(12)); },
                         QStringLiteral("Error BL 001: respuesta incompleta del nodo"),
                         QStringLiteral("Error BL 1")},
        BlockFailureCase{"BadChecksum",
                         [](testsupport::FakeSerialPort& p) {
                             QByteArray reply = p.written.last();
                             reply[19] = char(reply[19] ^ 0x55);
                             p.receive(reply);
                         },
                         QStringLiteral("Error BL 001: Los datos recibidos no son validos (no da "
                                        "checksum)"),
                         QStringLiteral("...")},
        BlockFailureCase{"DeviceLost",
                         [](testsupport::FakeSerialPort& p) {
                             p.lastErrorToReport = {8020, QStringLiteral("Se perdió la conexión")};
                             p.notify(ztklink::CommEvent::DeviceLost);
                         },
                         QStringLiteral("Error BL 001: Se perdió la conexión"), QStringLiteral("...")}),
    [](const auto& info) { return std::string(info.param.name); });

// A failure shown for one block does not stand for the next: once a valid reply came after
// it, the next block's silence is told as such.
TEST_F(ExchangeFixture, AReplyAfterAFailureGoesOnAndTheNextSilenceNamesItsOwnBlock) {
    chooseNode(false, QStringLiteral("2.00"));
    compileSomeBlocks();
    form.cmdProgramar.press();
    const QByteArray header = port->written.last();
    port->receive(header.left(12));
    clock.advance(ztklink::GapTimeoutMs);
    EXPECT_EQ(form.lbStatus.caption(), QStringLiteral("Error BL 005: respuesta incompleta del nodo"));
    acknowledge();  // the node's whole reply after all
    ASSERT_EQ(lastBlock(), 1);
    clock.advance(exchange::ReplyWatchdogMs);
    EXPECT_EQ(form.lbStatus.caption(), QStringLiteral("Error BL 001: el nodo no respondió"));
    EXPECT_FALSE(app.exchange.running());
}

TEST_F(ExchangeFixture, QueryRepliesFillTheNodeInformation) {
    chooseNode(false, QStringLiteral("1.50"));
    form.cmdQuery.press();
    EXPECT_TRUE(form.pointer.busy());
    EXPECT_TRUE(app.ZTK90->WatchDogAuto());
    ASSERT_EQ(port->written.size(), 1);
    EXPECT_EQ(port->written.last().left(3), QByteArray::fromHex("010b00"));
    using ztklink::frame::Data;
    const Data block0{1, 5, 4, 0, 0x0F, 0, 0xFF, 0xFF, 10, 1, 168, 192, 0, 255, 255, 255};
    port->receive(ztklink::frame::toByteArray(ztklink::frame::blockFrame(1, 0x0B, 0, block0)));
    EXPECT_EQ(form.lbSoftwarever.caption(), QStringLiteral("1.05"));
    EXPECT_EQ(form.lbBlPri1.caption(), QStringLiteral("15 (240 - 255)"));
    EXPECT_EQ(form.lbBlPri2.caption(), QStringLiteral("No usado"));
    EXPECT_EQ(form.lbIP.caption(), QStringLiteral("192.168.001.010"));
    EXPECT_EQ(port->written.last().left(3), QByteArray::fromHex("010b01"));  // block 1 asked for
    EXPECT_TRUE(form.pointer.busy());

    const Data block1{0xF6, 0x01, 0xC0, 0x12, 0x00, 0x4B, 9, 0, 2, 3, 2};
    port->receive(ztklink::frame::toByteArray(ztklink::frame::blockFrame(1, 0x0B, 1, block1)));
    EXPECT_EQ(form.lbIpPort.caption(), QStringLiteral("502"));
    EXPECT_EQ(form.lbBaud485.caption(), QStringLiteral("19200"));
    EXPECT_EQ(form.lbPortPLC.caption(), QStringLiteral("Error"));
    EXPECT_FALSE(form.pointer.busy());
    EXPECT_FALSE(app.exchange.running());
}

// A node that goes silent after block 0: the labels keep what block 0 put there and the
// status line names the block that got no answer.
TEST_F(ExchangeFixture, AQueryWithoutTheSecondBlockKeepsTheFirstOne) {
    chooseNode(false, QStringLiteral("1.50"));
    form.cmdQuery.press();
    using ztklink::frame::Data;
    const Data block0{2, 0, 4, 0, 5, 0, 0xFF, 0xFF, 10, 1, 168, 192, 0, 255, 255, 255};
    port->receive(ztklink::frame::toByteArray(ztklink::frame::blockFrame(1, 0x0B, 0, block0)));
    clock.advance(exchange::ReplyWatchdogMs);
    EXPECT_EQ(form.lbSoftwarever.caption(), QStringLiteral("2.00"));
    EXPECT_EQ(form.lbIP.caption(), QStringLiteral("192.168.001.010"));
    EXPECT_EQ(form.lbStatus.caption(), QStringLiteral("Error BL 001: el nodo no respondió"));
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Error"));
    EXPECT_FALSE(form.pointer.busy());
    EXPECT_FALSE(app.exchange.running());
}

// Nothing runs: whatever the node sends is no answer to anything.
TEST_F(ExchangeFixture, RepliesWhileNothingRunsChangeNothing) {
    chooseNode(false, QStringLiteral("1.50"));
    form.pointer.setBusy(true);
    form.lbProgramado.setCaption(QStringLiteral("..."));
    using namespace ztklink::frame;
    for (auto [command, block] : {std::pair{0x0B, 50}, std::pair{0x0A, 240}, std::pair{0x0B, 105}})
        port->receive(toByteArray(blockFrame(1, quint8(command), quint8(block), Data{})));
    EXPECT_TRUE(port->written.isEmpty());
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("..."));
    EXPECT_TRUE(form.pointer.busy());
}

}  // namespace
