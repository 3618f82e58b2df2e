// Against the simulated node through a pseudo-terminal: program, read back, "Descompilar",
// compile gives the programmed scan list; "Verificar" passes, and names the byte a faulty
// memory cell changed.
#include <gtest/gtest.h>

#include "App.h"
#include "ExchangeFixture.h"
#include "QtSerialPort.h"
#include "AppOnSim.h"
#include "SimProcess.h"
#include "Wait.h"
#include "compiler/Text.h"

using namespace brisa;

namespace {

class ReadBackOnSim : public ::testing::Test {
  protected:
    void startSim(const QStringList& args = {}) {
        ASSERT_TRUE(sim.start(args)) << sim.standardError().constData();
        simtest::linkAppToSim(app, sim);
        form.cbSoftVer.setListIndex(form.cbSoftVer.find(QStringLiteral("2.00")));
        form.opNodo232x485.setValue(true);
    }
    // A selection with both priority blocks, an odd used count and high memory, compiled.
    void selectAndCompile() {
        app.blocks.PrgClear();
        form.mnMemH.choose();
        for (const char* b : {"003", "200", "017", "031", "255"}) {
            form.lstBlockFree.setListIndex(form.lstBlockFree.find(QLatin1String(b)));
            form.cmdAdd.press();
        }
        form.lstBlockFree.setListIndex(form.lstBlockFree.find(QStringLiteral("010")));
        form.cmdAddPri1.press();
        form.lstBlockFree.setListIndex(form.lstBlockFree.find(QStringLiteral("192")));
        form.cmdAddPri2.press();
        form.cbId485.setListIndex(6);
        form.cbBaudios232.setListIndex(4);
        form.cmdCompilar.press();
    }
    void waitIdle() {
        testsupport::waitUntil([&] { return !app.exchange.running(); }, 10000);
    }
    QList<int> compiled() const {
        QList<int> blocks;
        for (const QString& e : form.lstCompilado.items()) blocks << compiler::textInt(e);
        return blocks;
    }

    simtest::SimProcess sim;
    SilentPresenter messages;
    App app{messages};
    form::MainForm& form = app.form;
};

TEST_F(ReadBackOnSim, DescompilarOfTheProgrammedNodeCompilesToTheSameScanList) {
    startSim();
    selectAndCompile();
    const QList<int> programmed = compiled();
    ASSERT_EQ(programmed.size(), 11);
    form.cmdProgramar.press();
    waitIdle();
    ASSERT_EQ(form.lbProgramado.caption(), "Programado!");

    form.nmRecupProg.choose();
    waitIdle();
    ASSERT_TRUE(app.readBack.hasImage()) << form.lbProgramado.caption().toStdString();
    EXPECT_EQ(app.dwPrg.lbBlUsed.caption(), "11");
    EXPECT_EQ(app.dwPrg.lbPri[0].caption(), "10");
    EXPECT_EQ(app.dwPrg.lbId485.caption(), "7");
    EXPECT_EQ(app.dwPrg.lbBaud232.caption(), "9600");

    app.blocks.PrgClear();
    app.dwPrg.cmdDescompilar.press();
    EXPECT_EQ(form.cbId485.text(), "7");
    EXPECT_EQ(form.cbBaudios232.text(), "9600");
    form.cmdCompilar.press();
    EXPECT_EQ(compiled(), programmed);
}

struct VerifyCase {
    const char* name;
    QStringList simArgs;
    QList<readback::ByteDifference> differences;
    const char* status;
};

class VerifiesOnSim : public ReadBackOnSim, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(VerifiesOnSim, ReadsTheNodeBackAfterProgramming) {
    const VerifyCase c = GetParam();
    startSim(c.simArgs);
    selectAndCompile();
    form.cmdProgramar.press();
    waitIdle();
    ASSERT_TRUE(form.cmdVerificar.visible()) << form.lbProgramado.caption().toStdString();
    QList<readback::ByteDifference> result{{-1, 0, 0}};
    QObject::connect(&app.verification, &readback::Verification::verified,
                     [&](const QList<readback::ByteDifference>& d) { result = d; });
    form.cmdVerificar.press();
    waitIdle();
    EXPECT_EQ(result, c.differences);
    EXPECT_TRUE(form.lbProgramado.caption().startsWith(QString::fromUtf8(c.status)))
        << form.lbProgramado.caption().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, VerifiesOnSim,
    ::testing::Values(
        VerifyCase{"Sound", {}, {}, "Verificado"},
        // The entry count (11) and a scan entry (priority 2, block 192) come back inverted.
        VerifyCase{"FaultyCells",
                   {"--flip", "229", "--flip", "1"},
                   {{1, 192, 192 ^ 0xFF}, {229, 11, 11 ^ 0xFF}},
                   "No verificado: 2 bytes difieren\n1: esperado C0, leído 3F\n229: esperado 0B, "
                   "leído F4"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
