// Programming the simulated node through a pseudo-terminal with the real serial port: the node
// ends up holding exactly the image, and a node that stops answering can be programmed again.
#include <gtest/gtest.h>

#include <QFile>

#include "App.h"
#include "ExchangeFixture.h"
#include "FormSnapshot.h"
#include "QtSerialPort.h"
#include "AppOnSim.h"
#include "SimProcess.h"
#include "Wait.h"
#include "compiler/Image.h"

using namespace brisa;

namespace {

class ProgramOnSim : public ::testing::Test {
  protected:
    void startSim(const QStringList& args) {
        ASSERT_TRUE(sim.start(args + QStringList{"--log", sim.pathInFolder("log")}))
            << sim.standardError().constData();
        simtest::linkAppToSim(app, sim);
    }
    void chooseNode(bool ethernet, const QString& softVer) {
        form.cbSoftVer.setListIndex(form.cbSoftVer.find(softVer));
        (ethernet ? form.opNodoEth : form.opNodo232x485).setValue(true);
        form.cbId232.setListIndex(1);
        form.cbId485.setListIndex(1);
        form.cbBaudios232.setListIndex(3);
        form.cbBaudios485.setListIndex(5);
        for (const char* b : {"005", "010", "011", "005", "012"})
            form.lstCompilado.addItem(QLatin1String(b));
        form.txtPri[0].setText(QStringLiteral("005"));
        form.txtDestinatario[2].setText(QStringLiteral("señal@ejemplo.com"));
        form.cmdProgramar.setVisible(true);  // compiled
    }
    // Presses "&Programar " and waits for the pointer to come back; the status shown.
    QString program() {
        form.cmdProgramar.press();
        testsupport::waitUntil([&] { return !form.pointer.busy(); }, 10000);
        return form.lbProgramado.caption();
    }
    // The write frames the node took in, as its log has them.
    QList<QByteArray> writesReceived() {
        QFile log(sim.pathInFolder("log"));
        if (!log.open(QIODevice::ReadOnly)) return {};
        QList<QByteArray> frames;
        for (const QByteArray& line : log.readAll().split('\n')) {
            if (!line.startsWith('<')) continue;
            const QByteArray frame = QByteArray::fromHex(line.split(' ').mid(2).join());
            if (frame.size() == 20 && frame[1] == 0x0A) frames << frame;
        }
        return frames;
    }

    simtest::SimProcess sim;
    SilentPresenter messages;
    App app{messages};
    form::MainForm& form = app.form;
};

struct SimCase {
    const char* name;
    bool ethernet;
    const char* softVer;
    const char* completion;
};

class ProgramsTheNode : public ProgramOnSim, public ::testing::WithParamInterface<SimCase> {};

TEST_P(ProgramsTheNode, NodeHoldsExactlyTheImage) {
    const SimCase c = GetParam();
    startSim({});
    chooseNode(c.ethernet, QLatin1String(c.softVer));
    EXPECT_EQ(program(), QLatin1String(c.completion));
    EXPECT_NE(form.lbModelo.caption(), QStringLiteral("Error"));

    const auto image = compiler::buildImage(app.session.hardVer, app.session.softVer,
                                            exchange::imageSnapshot(form));
    const QList<QByteArray> frames = writesReceived();
    ASSERT_EQ(frames.size(), image.size());
    for (qsizetype i = 0; i < image.size(); ++i) {
        EXPECT_EQ(quint8(frames[i][2]), image[i].block);
        EXPECT_EQ(frames[i].mid(3, 16),
                  QByteArray(reinterpret_cast<const char*>(image[i].bytes.data()), 16));
    }
    // Written out by hand: the header, and the network block (mask 255.255.255.0, port 502).
    EXPECT_EQ(frames[0].mid(3, 16).toHex(), QByteArray("0500ffff0202c012004b010000050000"));
    EXPECT_EQ(frames[5].mid(3, 16).toHex(), QByteArray("00000000ffffff0001f6000000000000"));
    if (c.ethernet) {  // block 41: the end of destination 2 (empty), then "señal@ejempl"
        EXPECT_EQ(quint8(frames[17][2]), 41);
        EXPECT_EQ(frames[17].mid(3, 16).toHex(), QByteArray("000000007365f1616c40656a656d706c"));
    }
}

INSTANTIATE_TEST_SUITE_P(Nodes, ProgramsTheNode,
                         ::testing::Values(SimCase{"Serial100", false, "1.00", "Programado"},
                                           SimCase{"Serial200", false, "2.00", "Programado!"},
                                           SimCase{"Ethernet115", true, "1.15", "Programado!"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramOnSim, ANodeThatStopsAnsweringHalfWayCanBeProgrammedAgain) {
    // The node drops its 22nd reply: the 8th block of the second run.
    startSim({"--drop", "22"});
    chooseNode(false, QStringLiteral("2.00"));
    EXPECT_EQ(program(), QStringLiteral("Programado!"));
    EXPECT_EQ(program(), QStringLiteral("Error"));
    EXPECT_EQ(form.lbModelo.caption(), QStringLiteral("Error"));
    EXPECT_FALSE(form.pointer.busy());
    EXPECT_EQ(program(), QStringLiteral("Programado!"));
    EXPECT_EQ(writesReceived().size(), 14 + 8 + 14);
}

}  // namespace

namespace {

// The window's whole inspection flow against the simulated node: what an inspected node asks
// for is exactly its scan list, and "A programa" turns it back into the used list.
TEST_F(ProgramOnSim, InspectionCapturesTheProgrammedScanListAndMakesAProgramOfIt) {
    startSim({});
    chooseNode(false, QStringLiteral("2.00"));
    ASSERT_EQ(program(), QStringLiteral("Programado!"));

    const auto waitForExchange = [&] {
        return testsupport::waitUntil([&] { return !app.exchange.running(); }, 5000);
    };
    form.cmdNodoInsp.press();
    ASSERT_TRUE(waitForExchange());
    ASSERT_EQ(form.lbStatus.caption(), QStringLiteral("Nodo en modo inspección"));

    form.chkInspec.setValue(1);
    // The node puts one block number on the line every 50 ms: 5 distinct blocks in 8 entries.
    EXPECT_TRUE(testsupport::waitUntil([&] { return form.lstInspec.count() == 4; }, 5000));
    form.chkInspec.setValue(0);
    EXPECT_EQ(form.lstInspec.items(), (QStringList{"005", "010", "011", "012"}));
    EXPECT_EQ(form.lbNumBlqInsp.caption(), QStringLiteral("4"));

    form.cmdNodoNorm.press();
    ASSERT_TRUE(waitForExchange());
    EXPECT_EQ(form.lbStatus.caption(), QStringLiteral("Nodo en modo normal"));

    form.cmdAPrg.press();
    EXPECT_EQ(form.lstUsed.items(), (QStringList{"005", "010", "011", "012"}));

    // The node answers queries again.
    form.cmdQuery.press();
    ASSERT_TRUE(waitForExchange());
    EXPECT_EQ(form.lbBlPri1.caption(), QStringLiteral("5 (80 - 95)"));
    EXPECT_EQ(form.lbBloquesEnNodo.caption(), QStringLiteral("5"));
}

}  // namespace
