// The whole work of a technician without a mouse, against the simulated node: the link's
// device, the node type and version, the blocks, "Compilar" and "Programar".
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "QtPrinters.h"
#include "SimProcess.h"
#include "WindowFixture.h"

namespace {

class KeyboardWorkflow : public WindowFixture {
  protected:
    // A key to whatever has the focus, as the keyboard sends it.
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }
    void alt(char letter) { QTest::keyClick(&window, letter, Qt::AltModifier); }

    simtest::SimProcess sim;
};

TEST_F(KeyboardWorkflow, ProgramsTheSimulatedNodeFromTheKeyboardAlone) {
    brisa::form::MainForm& f = app->form;
    ASSERT_TRUE(sim.start()) << sim.standardError().constData();
    ASSERT_TRUE(focus(widget("opNodo232x485")));

    // "Seteos": the simulator's link becomes the device of COM1:.
    key(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(focused(), QStringLiteral("cbPSerie"));
    for (int i = 0; i < 4; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("txtDevice"));
    QTest::keyClicks(QApplication::focusWidget(), sim.link());
    key(Qt::Key_Return);
    ASSERT_EQ(app->portDevices.map().device(1), sim.link());

    // "Tipo Nodo": the serial node with software 2.00.
    key(Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(focused(), QStringLiteral("opNodo232x485"));
    key(Qt::Key_Space);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("cbSoftVer"));
    key(Qt::Key_End);
    ASSERT_EQ(f.cbSoftVer.text(), QStringLiteral("2.00"));

    // "Programa": three blocks at once, compiled and programmed.
    for (int i = 0; i < 3; ++i) key(Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(focused(), QStringLiteral("lstBlockFree"));
    key(Qt::Key_Home);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Return);
    EXPECT_EQ(f.lstUsed.items(), (QStringList{"000", "001", "002"}));

    alt('c');
    ASSERT_TRUE(testsupport::waitUntil([&] { return f.cmdProgramar.visible(); }, 2000))
        << f.lbCompilado.caption().toStdString();
    alt('p');
    EXPECT_TRUE(testsupport::waitUntil(
        [&] { return f.lbProgramado.caption() == QStringLiteral("Programado!"); }, 15000))
        << f.lbProgramado.caption().toStdString() << " " << f.lbStatus.caption().toStdString();
    EXPECT_FALSE(f.pointer.busy());
    EXPECT_NE(f.lbModelo.caption(), QStringLiteral("Error"));
}

}  // namespace
