// The editors' rules through the real widgets: what one choice enables, disables, selects or
// hides in the window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "QtPrinters.h"
#include "WindowFixture.h"

using namespace brisa::form;

namespace {

using MainWindowEditors = WindowFixture;

TEST_F(MainWindowEditors, EthernetSelectsPuertoBAndTheSerialNodeGivesPuertoABack) {
    showPage(0);
    auto* puertoA = widget<QRadioButton>("opPortPLC(0)");
    auto* puertoB = widget<QRadioButton>("opPortPLC(1)");
    puertoA->click();  // chosen on the serial node
    ASSERT_TRUE(puertoA->isChecked());

    QTest::keyClick(&window, 'e', Qt::AltModifier);  // "Tipo &Ethernet ModBus"
    ASSERT_TRUE(testsupport::waitUntil([&] { return app->form.opNodoEth.value(); }, 2000));
    EXPECT_TRUE(puertoB->isChecked());
    EXPECT_FALSE(puertoA->isChecked());
    EXPECT_FALSE(puertoA->isEnabled());

    QTest::keyClick(&window, '2', Qt::AltModifier);  // "Tipo &232 <> 485"
    ASSERT_TRUE(testsupport::waitUntil([&] { return app->form.opNodo232x485.value(); }, 2000));
    EXPECT_TRUE(puertoA->isEnabled());
    EXPECT_FALSE(puertoA->isChecked());
    EXPECT_TRUE(puertoB->isChecked());
    EXPECT_FALSE(widget<QRadioButton>("opNodoEth")->isChecked());
}

// "Nunca", "3", "Nunca", authentication ticked and cleared; then "PLC" and its frame.
TEST_F(MainWindowEditors, PopIntervalAndAuthenticationOpenTheirFields) {
    MainForm& f = app->form;
    f.opNodoEth.setValue(true);
    f.cbSoftVer.setListIndex(f.cbSoftVer.find(QStringLiteral("1.15")));
    showPage(2, 1, 6);
    auto* minutes = widget<QComboBox>("cbMinutosPop");
    auto* user = widget<QLineEdit>("txtAutUser");
    auto* pass = widget<QLineEdit>("txtAutPass");
    auto* auth = widget<QCheckBox>("chkAutenticacion");
    auto* popPlc = widget<QGroupBox>("frPopPLC");
    ASSERT_TRUE(focus(minutes));
    auto fieldsOpen = [&] { return user->isEnabled() && pass->isEnabled(); };
    auto fieldsShut = [&] { return !user->isEnabled() && !pass->isEnabled(); };

    EXPECT_EQ(minutes->currentText(), QStringLiteral("Nunca"));
    EXPECT_TRUE(fieldsShut());
    QTest::keyClick(minutes, Qt::Key_Down);
    EXPECT_EQ(minutes->currentText(), QStringLiteral("3"));
    EXPECT_TRUE(fieldsOpen());
    QTest::keyClick(minutes, Qt::Key_Up);
    EXPECT_TRUE(fieldsShut());

    showPage(2, 1, 5);
    ASSERT_TRUE(focus(auth));
    QTest::keyClick(auth, Qt::Key_Space);
    EXPECT_TRUE(fieldsOpen());
    QTest::keyClick(auth, Qt::Key_Space);
    EXPECT_TRUE(fieldsShut());

    showPage(2, 1, 6);
    ASSERT_TRUE(focus(minutes));
    EXPECT_FALSE(popPlc->isEnabled());
    QTest::keyClick(minutes, Qt::Key_End);
    EXPECT_EQ(minutes->currentText(), QStringLiteral("PLC"));
    EXPECT_TRUE(popPlc->isEnabled());
    QTest::keyClick(minutes, Qt::Key_Up);
    EXPECT_FALSE(popPlc->isEnabled());
}

TEST_F(MainWindowEditors, EnterOnTheLastGatewayOctetGoesToThePortAndHidesProgramar) {
    MainForm& f = app->form;
    f.opNodoEth.setValue(true);
    showPage(3);
    f.cmdCompilar.press();
    auto* programar = widget<QPushButton>("cmdProgramar");
    ASSERT_TRUE(programar->isVisible());

    showPage(2);
    auto* gw3 = widget<QLineEdit>("txtGW(3)");
    ASSERT_TRUE(focus(gw3));
    QTest::keyClick(gw3, Qt::Key_Return);  // nothing changed
    EXPECT_EQ(focused(), QStringLiteral("txtPort"));
    EXPECT_FALSE(f.cmdProgramar.visible());
    EXPECT_TRUE(programar->isHidden());
}

// Confirming moves on and the next field's text is selected, so typing replaces it.
TEST_F(MainWindowEditors, EnterSelectsTheNextFieldSoTypingReplacesIt) {
    app->form.opNodoEth.setValue(true);
    showPage(2);
    ASSERT_TRUE(focus(widget("txtPort")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(focused(), QStringLiteral("txtIP(0)"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10"));
    EXPECT_EQ(app->form.txtIP[0].text(), QStringLiteral("10"));
}

// The About window does not block the main window and belongs to it.
TEST_F(MainWindowEditors, AboutIsOwnedAndDoesNotBlock) {
    QDialog* about = window.showAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), &window);
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    about->close();
}

// An installed program keeps its settings elsewhere than a portable one: the window says where.
TEST_F(MainWindowEditors, AboutNamesTheSettingsFolderInUse) {
    QDialog* about = window.showAbout();
    ASSERT_NE(about, nullptr);
    const auto* folder = about->findChild<QLabel*>(QStringLiteral("lblCarpeta"));
    ASSERT_NE(folder, nullptr);
    ASSERT_FALSE(app->session.appFolder.isEmpty());
    EXPECT_TRUE(folder->text().endsWith(QDir::toNativeSeparators(app->session.appFolder)))
        << folder->text().toStdString();
    about->close();
}

}  // namespace
