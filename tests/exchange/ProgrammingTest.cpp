// Programming a node through the core on a scripted port: order, completion, the window's
// texts, blocks built from the window as it is at each acknowledgement, and the watchdog.
#include <QSignalSpy>

#include "ExchangeFixture.h"
#include "Frame.h"
#include "FormSnapshot.h"
#include "compiler/Image.h"
#include "compiler/ProgrammingSequence.h"

using namespace brisa;

namespace {

QByteArray dataOf(const QByteArray& frame) { return frame.mid(3, 16); }
QByteArray bytes(const compiler::TxArea& a) {
    return QByteArray(reinterpret_cast<const char*>(a.data()), 16);
}

struct RunCase {
    const char* name;
    bool ethernet;
    const char* softVer;
    int blocks;
    const char* completion;
};

class WholeRun : public ExchangeFixture, public ::testing::WithParamInterface<RunCase> {};

TEST_P(WholeRun, WritesTheImageInOrderAndCompletesWithoutAnError) {
    const RunCase c = GetParam();
    chooseNode(c.ethernet, QLatin1String(c.softVer));
    compileSomeBlocks();
    form.txtDestinatario[0].setText(QStringLiteral("jefe@ejemplo.com"));
    QSignalSpy driverErrors(app.ZTK90.get(), &ztklink::CommZTK90::ErrorComm);

    form.cmdProgramar.press();
    EXPECT_TRUE(form.pointer.busy());
    acknowledgeAll();

    const auto expected = compiler::buildImage(app.session.hardVer, app.session.softVer,
                                               exchange::imageSnapshot(form));
    ASSERT_EQ(port->written.size(), c.blocks);
    ASSERT_EQ(expected.size(), c.blocks);
    for (int i = 0; i < c.blocks; ++i) {
        EXPECT_EQ(quint8(port->written[i].at(2)), expected[i].block) << i;
        EXPECT_EQ(dataOf(port->written[i]), bytes(expected[i].bytes)) << "block " << expected[i].block;
    }
    EXPECT_EQ(form.lbProgramado.caption(), QLatin1String(c.completion));
    EXPECT_FALSE(form.pointer.busy());
    // The driver warns about every e-mail block above 37; the window must not show it.
    EXPECT_EQ(driverErrors.count(), c.ethernet ? 161 - 37 : 0);
    EXPECT_EQ(form.lbModelo.caption(), QString());
    EXPECT_EQ(form.lbStatus.caption(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, WholeRun,
    ::testing::Values(RunCase{"Serial100", false, "1.00", 6, "Programado"},
                      RunCase{"Serial200", false, "2.00", 14, "Programado!"},
                      RunCase{"Ethernet115", true, "1.15", 138, "Programado!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExchangeFixture, StartShowsTheBarAndSendsTheHeaderFirst) {
    for (bool highMemory : {false, true}) {
        chooseNode(false, QStringLiteral("1.50"));
        compileSomeBlocks();
        form.mnMemH.setChecked(highMemory);
        form.cmdProgramar.press();
        EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("..."));
        EXPECT_EQ(form.PgBar1.max(), highMemory ? 14 : 6);
        EXPECT_EQ(form.PgBar1.value(), 1);
        EXPECT_EQ(lastBlock(), 5);
        // Header written out by hand: priority 5, no priority 2, ids 2 and 2, 4800, 19200,
        // port B, five entries.
        EXPECT_EQ(dataOf(port->written.last()),
                  QByteArray::fromHex("0500ffff0202c012004b010000050000"));
        clock.advance(exchange::ReplyWatchdogMs);  // no answer: the run ends
    }
}

TEST_F(ExchangeFixture, EachBlockTakesTheWindowAsItIsWhenThePreviousOneIsAcknowledged) {
    chooseNode(true, QStringLiteral("1.15"));
    compileSomeBlocks();
    form.txtDestinatario[0].setText(QStringLiteral("antes@ejemplo.com"));
    form.cmdProgramar.press();
    while (lastBlock() != 4) acknowledge();
    form.txtIP[3].setText(QStringLiteral("99"));  // edited while block 4 is on its way
    acknowledge();
    ASSERT_EQ(lastBlock(), 6);
    EXPECT_EQ(quint8(dataOf(port->written.last()).at(3)), 99);

    while (lastBlock() != 31) acknowledge();  // the text stream was taken with block 30's reply
    form.txtDestinatario[0].setText(QStringLiteral("despues@ejemplo.com"));
    while (lastBlock() != 35) acknowledge();
    EXPECT_EQ(dataOf(port->written.last()), QByteArray("antes@ejemplo.co"));
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Datos e-mail..."));
    EXPECT_EQ(form.PgBar1.max(), 129);
}

// A completed short run leaves the watchdog off; starting again must arm it all the same, or
// a node that does not answer leaves the busy pointer for ever.
TEST_F(ExchangeFixture, StartArmsTheWatchdogEvenAfterARunThatSwitchedItOff) {
    chooseNode(false, QStringLiteral("1.00"));
    compileSomeBlocks();
    form.cmdProgramar.press();
    acknowledgeAll();
    ASSERT_EQ(form.lbProgramado.caption(), QStringLiteral("Programado"));
    ASSERT_EQ(app.ZTK90->WatchDogTime(), 0);

    form.cmdProgramar.press();  // this header gets no reply
    clock.advance(1999);
    EXPECT_TRUE(form.pointer.busy());
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("..."));
    clock.advance(1);
    EXPECT_FALSE(form.pointer.busy());
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Error"));
    EXPECT_EQ(form.lbModelo.caption(), QStringLiteral("Error"));
}

TEST_F(ExchangeFixture, ANodeThatStopsAnsweringEndsWithErrorAndPressingAgainStartsOver) {
    chooseNode(false, QStringLiteral("2.00"));
    compileSomeBlocks();
    form.cmdProgramar.press();
    while (lastBlock() != 8) acknowledge();
    clock.advance(2000);
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Error"));
    EXPECT_FALSE(form.pointer.busy());

    const qsizetype before = port->written.size();
    form.cmdProgramar.press();
    acknowledgeAll();
    EXPECT_EQ(blocksWritten(before), compiler::sendingOrder(1.0, 2.0));
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Programado!"));
    EXPECT_FALSE(form.pointer.busy());
}

}  // namespace

namespace {

// A node whose reply names another command or block than the one just sent: the run must end
// as a link failure at once, not wait for ever and not take it as an acknowledgement.
struct WrongReplyCase {
    const char* name;
    int acknowledged;  // good acknowledgements before the wrong reply
    quint8 command;
    int blockOffset;  // added to the block just sent
};

class WrongReply : public ExchangeFixture, public ::testing::WithParamInterface<WrongReplyCase> {};

TEST_P(WrongReply, EndsTheRunWithErrorAndTheBlockSent) {
    const WrongReplyCase& c = GetParam();
    chooseNode(false, QStringLiteral("2.00"));
    compileSomeBlocks();
    QSignalSpy failed(&app.dispatch, &exchange::Dispatch::failed);
    form.cmdProgramar.press();
    for (int i = 0; i < c.acknowledged; ++i) acknowledge();
    const int sent = lastBlock();
    const qsizetype written = port->written.size();

    port->receive(ztklink::frame::toByteArray(ztklink::frame::blockFrame(
        1, c.command, quint8(sent + c.blockOffset), ztklink::frame::Data{})));

    EXPECT_EQ(port->written.size(), written);  // nothing more is sent
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Error BL %1").arg(sent));
    EXPECT_EQ(form.lbModelo.caption(), QStringLiteral("Error"));
    EXPECT_FALSE(form.lbStatus.caption().isEmpty());
    EXPECT_FALSE(form.pointer.busy());
    EXPECT_FALSE(app.exchange.running());
    EXPECT_EQ(failed.count(), 1);
    // The run is over: the acknowledgement it waited for changes nothing now.
    acknowledge();
    EXPECT_EQ(port->written.size(), written);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, WrongReply,
    ::testing::Values(WrongReplyCase{"OtherCommandToTheHeader", 0, 0x4A, 0},
                      WrongReplyCase{"ReadReplyToTheHeader", 0, 0x0B, 0},
                      WrongReplyCase{"NextBlockAcknowledged", 1, 0x0A, 1},
                      WrongReplyCase{"EarlierBlockAcknowledged", 3, 0x0A, -1}),
    [](const auto& info) { return std::string(info.param.name); });

// After a run, a late or repeated acknowledgement of the header must not start another one.
TEST_F(ExchangeFixture, RepliesAfterTheRunEndedStartNothing) {
    chooseNode(false, QStringLiteral("2.00"));
    compileSomeBlocks();
    form.cmdProgramar.press();
    const QByteArray header = port->written.first();
    acknowledgeAll();
    ASSERT_EQ(form.lbProgramado.caption(), QStringLiteral("Programado!"));
    const qsizetype written = port->written.size();
    port->receive(header);
    EXPECT_EQ(port->written.size(), written);
    EXPECT_EQ(form.lbProgramado.caption(), QStringLiteral("Programado!"));
}

// Compiled for software 2.00 (192 entries), then 1.00 chosen (64): the header would claim 70
// entries while the node keeps 64.
TEST_F(ExchangeFixture, ProgramarRefusesAListTheChosenNodeCannotTake) {
    chooseNode(false, QStringLiteral("2.00"));
    form.lstCompilado.clear();
    for (int i = 0; i < 70; ++i) form.lstCompilado.addItem(QStringLiteral("%1").arg(i % 32, 3, 10, QLatin1Char('0')));
    chooseNode(false, QStringLiteral("1.00"));
    QSignalSpy refused(&app.programming, &exchange::Programming::refused);

    app.programming.cmdProgramar_Click();  // as a stale button would

    EXPECT_TRUE(port->written.isEmpty());
    EXPECT_EQ(form.lbProgramado.caption(),
              QStringLiteral("El recorrido supera el máximo de 64 bloques del nodo"));
    EXPECT_FALSE(form.cmdProgramar.visible());
    EXPECT_FALSE(app.exchange.running());
    EXPECT_EQ(refused.count(), 1);

    // 64 entries fit.
    while (form.lstCompilado.count() > 64) form.lstCompilado.removeItem(form.lstCompilado.count() - 1);
    app.programming.cmdProgramar_Click();
    EXPECT_EQ(lastBlock(), 5);
}

}  // namespace
