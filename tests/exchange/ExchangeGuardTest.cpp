// While a programming runs, nothing starts a second exchange, changes what is being sent or
// ends the program without asking.
#include <QSignalSpy>

#include "ExchangeFixture.h"
#include "compiler/ProgrammingSequence.h"

using namespace brisa;

namespace {

class ExchangeGuard : public ExchangeFixture {
  protected:
    ExchangeGuard() {
        chooseNode(true, QStringLiteral("1.15"));  // Ethernet: the read-back menu item is off
        compileSomeBlocks();
    }
    std::vector<form::Control*> guarded() {
        return {&form.cmdProgramar, &form.cmdCompilar, &form.cmdLoadPrg, &form.mnCargarArchivo,
                &form.cmdQuery,     &form.nmRecupProg, &form.cmdNodoInsp, &form.cmdNodoNorm,
                &form.opNodoEth,    &form.cbSoftVer,   &form.cmdAdd,      &form.cmdRstProg};
    }
    std::vector<bool> enabledStates() {
        std::vector<bool> states;
        for (form::Control* c : guarded()) states.push_back(c->enabled());
        return states;
    }
};

TEST_F(ExchangeGuard, ControlsThatStartOrChangeAnExchangeAreOffWhileItRuns) {
    const std::vector<bool> before = enabledStates();
    ASSERT_FALSE(form.nmRecupProg.enabled());
    form.cmdProgramar.press();
    for (form::Control* c : guarded()) EXPECT_FALSE(c->enabled()) << c->objectName().toStdString();

    acknowledgeAll();
    ASSERT_EQ(form.lbProgramado.caption(), QStringLiteral("Programado!"));
    // Each gets its own state back: the read-back item stays off for this node.
    EXPECT_EQ(enabledStates(), before);
}

TEST_F(ExchangeGuard, ControlsComeBackWhenTheRunFails) {
    const std::vector<bool> before = enabledStates();
    form.cmdProgramar.press();
    acknowledge();
    clock.advance(exchange::ReplyWatchdogMs);
    ASSERT_EQ(form.lbProgramado.caption(), QStringLiteral("Error"));
    EXPECT_EQ(enabledStates(), before);
}

// A second start in the middle would send the header again (501 frames instead of 276).
TEST_F(ExchangeGuard, ASecondStartDuringARunSendsNothing) {
    form.cmdProgramar.press();
    acknowledge();
    const qsizetype written = port->written.size();
    app.programming.cmdProgramar_Click();
    EXPECT_EQ(port->written.size(), written);
    acknowledgeAll();
    EXPECT_EQ(blocksWritten(), compiler::sendingOrder(4.0, 1.15));
}

struct EndCase {
    const char* name;
    bool running;
    bool answer;
    bool ends;
};

class EndingTheProgram : public ExchangeGuard, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndingTheProgram, AsksOnlyWhileAnExchangeRuns) {
    const EndCase& c = GetParam();
    messages.answer = c.answer;
    if (c.running) form.cmdProgramar.press();
    QSignalSpy quit(&app, &App::quitRequested);

    form.cmdEnd.press();

    EXPECT_EQ(messages.questions,
              c.running ? QStringList{QStringLiteral(
                              "Hay una programación en curso. ¿Terminar de todos modos?")}
                        : QStringList{});
    EXPECT_EQ(quit.count(), c.ends ? 1 : 0);
    // Closing the window after "Terminar" does not ask again.
    if (c.ends) {
        EXPECT_TRUE(app.mayEnd());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EndingTheProgram,
                         ::testing::Values(EndCase{"Idle", false, false, true},
                                           EndCase{"RunningNo", true, false, false},
                                           EndCase{"RunningYes", true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
