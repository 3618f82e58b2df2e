// Verifying a programming run: which node memory bytes the sent blocks fix, the comparison,
// and "Verificar" after "Programado".
#include "FormSnapshot.h"
#include "ReadBackFixture.h"
#include "readback/ImageVerification.h"

using namespace brisa;
using readback::ByteDifference;

namespace {

struct AlterCase {
    const char* name;
    const char* softVer;  // 1.00 sends scan-list blocks 1 to 4 only
    int offset;           // node memory byte changed after programming
    bool differs;         // whether verification must see it
};

class Verify : public ReadBackFixture, public ::testing::WithParamInterface<AlterCase> {
  protected:
    QList<compiler::ImageBlock> programmedImage(const QString& softVer) {
        chooseNode(false, softVer);
        form.txtPri[0].setText(QStringLiteral("5"));
        for (const char* b : {"5", "10", "11", "5", "12"})
            form.lstCompilado.addItem(QLatin1String(b));
        return compiler::buildImage(app.session.hardVer, app.session.softVer,
                                    exchange::imageSnapshot(form));
    }
};

TEST_P(Verify, OnlyTheBytesTheImageFixesAreCompared) {
    const AlterCase c = GetParam();
    const auto image = programmedImage(QLatin1String(c.softVer));
    readback::NodeImage memory = nodeMemoryOf(image);
    EXPECT_TRUE(readback::compareNodeImage(image, memory).isEmpty());

    const std::uint8_t was = memory[c.offset];
    memory[c.offset] = std::uint8_t(~was);
    const QList<ByteDifference> d = readback::compareNodeImage(image, memory);
    if (c.differs)
        EXPECT_EQ(d, QList<ByteDifference>({{c.offset, was, std::uint8_t(~was)}}));
    else
        EXPECT_TRUE(d.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Offsets, Verify,
                         ::testing::Values(AlterCase{"FirstScanEntry", "2.00", 0, true},
                                           AlterCase{"ZeroPastTheListEnd", "2.00", 63, true},
                                           AlterCase{"ScanBlock14", "2.00", 191, true},
                                           AlterCase{"ScanBlock7NotSent", "1.00", 64, false},
                                           AlterCase{"NoBlockLandsThere", "2.00", 200, false},
                                           AlterCase{"Priority1", "2.00", 216, true},
                                           AlterCase{"PlcPort", "2.00", 226, true},
                                           AlterCase{"HeaderByte11Unassigned", "2.00", 227, false},
                                           AlterCase{"EntryCount", "2.00", 229, true},
                                           AlterCase{"HeaderByte15", "2.00", 231, true},
                                           AlterCase{"IpFirstPart", "2.00", 232, true},
                                           AlterCase{"TcpPortLowByte", "2.00", 241, true},
                                           AlterCase{"NetworkBytes10To14NotAssigned", "2.00", 244,
                                                     false},
                                           AlterCase{"HighMemoryMark", "2.00", 247, true},
                                           AlterCase{"PastTheNetworkBlock", "2.00", 250, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VerificationText, ListsOffsetsWithExpectedAndActualBytes) {
    EXPECT_EQ(readback::verificationText({}), "Verificado");
    const QList<ByteDifference> d{{216, 0x05, 0xFA}, {229, 0x08, 0x00}, {240, 0x01, 0x00}};
    EXPECT_EQ(readback::verificationText(d),
              "No verificado: 3 bytes difieren\n216: esperado 05, leído FA\n229: esperado 08, "
              "leído 00\n240: esperado 01, leído 00");
    EXPECT_EQ(readback::verificationText(d, 1),
              "No verificado: 3 bytes difieren\n216: esperado 05, leído FA\n(y 2 más)");
}

// --- "Verificar" on the window ---

class Verificar : public ReadBackFixture {
  protected:
    // Programs the small block program and answers every write; the node memory it leaves.
    readback::NodeImage program(bool ethernet, const QString& softVer) {
        chooseNode(ethernet, softVer);
        compileSomeBlocks();
        form.cmdProgramar.press();
        acknowledgeAll();
        return nodeMemoryOf(app.programming.sentBlocks());
    }
};

TEST_F(Verificar, IsOfferedAfterProgrammingAndReadsTheImageBack) {
    EXPECT_FALSE(form.cmdVerificar.visible());
    readback::NodeImage memory = program(false, QStringLiteral("2.00"));
    EXPECT_EQ(form.lbProgramado.caption(), "Programado!");
    ASSERT_TRUE(form.cmdVerificar.visible());

    QList<QList<ByteDifference>> results;
    QObject::connect(&app.verification, &readback::Verification::verified,
                     [&](const QList<ByteDifference>& d) { results << d; });
    form.cmdVerificar.press();
    EXPECT_TRUE(app.exchange.running());
    EXPECT_EQ(answerAllReads(memory), 16);
    ASSERT_EQ(results.size(), 1);
    EXPECT_TRUE(results[0].isEmpty());
    EXPECT_EQ(form.lbProgramado.caption(), "Verificado");
    EXPECT_FALSE(app.dwPrg.window.visible());  // the read-back window is not involved

    memory[218] = 0x00;  // priority 2 (none: FF) altered in the node
    form.cmdVerificar.press();
    answerAllReads(memory);
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[1], QList<ByteDifference>({{218, 0xFF, 0x00}}));
    EXPECT_TRUE(form.lbProgramado.caption().startsWith("No verificado: 1 byte difiere\n218:"));
}

TEST_F(Verificar, ARunThatFailsOrANewRunWithdrawsIt) {
    program(false, QStringLiteral("1.00"));
    EXPECT_EQ(form.lbProgramado.caption(), "Programado");
    EXPECT_TRUE(form.cmdVerificar.visible());
    form.cmdProgramar.press();
    EXPECT_FALSE(form.cmdVerificar.visible());
    clock.advance(exchange::ReplyWatchdogMs);
    EXPECT_FALSE(form.cmdVerificar.visible());
}

TEST_F(Verificar, IsNotOfferedForANodeWithoutReadBack) {
    program(true, QStringLiteral("1.15"));
    EXPECT_EQ(form.lbProgramado.caption(), "Programado!");
    EXPECT_FALSE(form.cmdVerificar.visible());
    const qsizetype sent = port->written.size();
    app.verification.cmdVerificar_Click();
    EXPECT_EQ(port->written.size(), sent);
}

}  // namespace
