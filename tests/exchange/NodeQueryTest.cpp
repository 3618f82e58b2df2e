// The mode-switch command and inspection on the PC side.
#include <QSignalSpy>

#include "ExchangeFixture.h"
#include "Frame.h"

using namespace brisa;

namespace {

struct SwitchCase {
    const char* name;
    bool inspect;
    const char* frame;  // the 20 bytes on the line, checksum included
    const char* status;
};

class ModeSwitch : public ExchangeFixture, public ::testing::WithParamInterface<SwitchCase> {
  protected:
    void press() { (GetParam().inspect ? form.cmdNodoInsp : form.cmdNodoNorm).press(); }
};

TEST_P(ModeSwitch, SendsBlock240WithItsCheckValueAndReportsTheAcknowledgement) {
    const SwitchCase& c = GetParam();
    QSignalSpy driverErrors(app.ZTK90.get(), &ztklink::CommZTK90::ErrorComm);
    press();
    ASSERT_EQ(port->written.size(), 1);
    EXPECT_EQ(port->written.last().toHex(), QByteArray(c.frame));
    EXPECT_TRUE(app.exchange.running());

    acknowledge();
    EXPECT_EQ(form.lbStatus.caption(), QString::fromUtf8(c.status));
    EXPECT_FALSE(app.exchange.running());
    // The driver's warning for block 240 is not shown.
    EXPECT_EQ(driverErrors.count(), 1);
    EXPECT_EQ(form.lbModelo.caption(), QString());
}

TEST_P(ModeSwitch, ANodeThatDoesNotAnswerEndsInError) {
    press();
    clock.advance(exchange::ReplyWatchdogMs);
    EXPECT_EQ(form.lbStatus.caption(), QStringLiteral("Error BL 240: el nodo no respondió"));
    EXPECT_FALSE(app.exchange.running());
}

INSTANTIATE_TEST_SUITE_P(
    Markers, ModeSwitch,
    ::testing::Values(SwitchCase{"Inspect", true, "010af0aa00000000000000000000000000fda905",
                                 "Nodo en modo inspección"},
                      SwitchCase{"Normal", false, "010af000000000000000000000000000005703af",
                                 "Nodo en modo normal"}),
    [](const auto& info) { return std::string(info.param.name); });

// An inspected node keeps putting block numbers on the line until it takes the switch back:
// those stray bytes are no failure of the switch.
TEST_F(ExchangeFixture, StrayBytesWhileSwitchingBackAreNoFailure) {
    form.cmdNodoNorm.press();
    const QByteArray request = port->written.last();
    port->receive(QByteArray(1, char(7)));
    clock.advance(60);
    EXPECT_EQ(form.lbProgramado.caption(), QString());
    port->receive(request);
    EXPECT_EQ(form.lbStatus.caption(), QStringLiteral("Nodo en modo normal"));
}

struct CaptureCase {
    const char* name;
    std::vector<quint8> bytes;
    QStringList list;
};

class Capture : public ExchangeFixture, public ::testing::WithParamInterface<CaptureCase> {};

TEST_P(Capture, ListsEachBlockOnceInAscendingOrder) {
    form.chkInspec.setValue(1);
    for (quint8 b : GetParam().bytes) port->receive(QByteArray(1, char(b)));
    EXPECT_EQ(form.lstInspec.items(), GetParam().list);
    EXPECT_EQ(form.lbNumBlqInsp.caption(), QString::number(GetParam().list.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Arrivals, Capture,
    ::testing::Values(CaptureCase{"RepeatsAndOrder", {12, 7, 12}, {"007", "012"}},
                      CaptureCase{"Descending", {200, 31, 0}, {"000", "031", "200"}},
                      CaptureCase{"ScanWithPriorityRepeats", {5, 10, 11, 5, 12, 13, 5},
                                  {"005", "010", "011", "012", "013"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExchangeFixture, InspectionAsksForBlockZeroAndNeverEndsInError) {
    form.chkInspec.setValue(1);
    EXPECT_TRUE(app.ZTK90->ModoSniffer());
    ASSERT_EQ(port->written.size(), 1);
    EXPECT_EQ(port->written.last().left(3), QByteArray::fromHex("010b00"));
    // No reply frame can be recognised in sniffer mode: no watchdog may report one missing.
    clock.advance(60000);
    EXPECT_EQ(form.lbProgramado.caption(), QString());
    EXPECT_EQ(form.lbModelo.caption(), QString());
}

TEST_F(ExchangeFixture, TheListSurvivesInspectionOffAndOnUntilBorrar) {
    form.chkInspec.setValue(1);
    port->receive(QByteArray("\x07\x0c", 2));
    form.chkInspec.setValue(0);
    EXPECT_FALSE(app.ZTK90->ModoSniffer());
    form.chkInspec.setValue(1);
    port->receive(QByteArray(1, char(3)));
    EXPECT_EQ(form.lstInspec.items(), (QStringList{"003", "007", "012"}));

    form.cmdBorrarInspec.press();
    EXPECT_TRUE(form.lstInspec.items().isEmpty());
    EXPECT_EQ(form.lbNumBlqInsp.caption(), QStringLiteral("0"));
}

}  // namespace
