// frmWizard and frmTip as windows: who owns them, that they do not block the main window,
// that the main window's tabs follow the steps, and how each one closes.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "AppFixture.h"
#include "MainWindow.h"
#include "QtPrinters.h"
#include "TipWindow.h"

namespace {

class WizardWindowTest : public AppFixture {
  protected:
    WizardWindowTest() : window(*app) {
        startUp();
        window.show();
    }
    template <typename W>
    W* in(QWidget& parent, const char* name) {
        return parent.findChild<W*>(QLatin1String(name));
    }
    brisa::ui::WizardWindow& wizard() { return window.wizardWindow(); }
    brisa::ui::TipWindow& tips() { return wizard().tipWindow(); }
    void openWizard() { in<QPushButton>(window, "cmdWizard")->click(); }
    void openTips() {
        openWizard();
        in<QPushButton>(wizard(), "cmdTip")->click();
    }
    brisa::ui::MainWindow window;
};

TEST_F(WizardWindowTest, AsistenteOpensAWindowOwnedByTheMainWindowThatTurnsItsPages) {
    EXPECT_FALSE(wizard().isVisible());
    app->form.opNodoEth.setValue(true);
    openWizard();
    ASSERT_TRUE(wizard().isVisible());
    EXPECT_TRUE(wizard().isWindow());
    EXPECT_FALSE(wizard().isModal());
    EXPECT_EQ(wizard().parentWidget(), &window);
    EXPECT_EQ(in<QLabel>(wizard(), "lbW")->text(), brisa::wizard::Wizard::instruction(1));

    auto* tab1 = in<QTabWidget>(window, "Tab1");
    auto* tabEth = in<QTabWidget>(window, "tabEth");
    auto* next = in<QPushButton>(wizard(), "cmdSiguiente");
    for (int i = 0; i < 3; ++i) next->click();
    EXPECT_EQ(tab1->currentIndex(), 2);
    EXPECT_EQ(tabEth->currentIndex(), 1);
    EXPECT_EQ(in<QLabel>(wizard(), "lbW")->text(), brisa::wizard::Wizard::instruction(4));
    in<QPushButton>(wizard(), "cmdAnterior")->click();
    EXPECT_EQ(tabEth->currentIndex(), 0);

    // Enter is "Siguiente"; Esc is "Cerrar", the main window staying where the step left it.
    QTest::keyClick(&wizard(), Qt::Key_Return);
    EXPECT_EQ(app->wizard.step(), 4);
    QTest::keyClick(&wizard(), Qt::Key_Escape);
    EXPECT_FALSE(wizard().isVisible());
    EXPECT_FALSE(app->wizardForm.window.visible());
    EXPECT_EQ(tabEth->currentIndex(), 1);
}

TEST_F(WizardWindowTest, ClosingByTheTitleBarIsCerrar) {
    openWizard();
    wizard().close();
    EXPECT_FALSE(app->wizardForm.window.visible());
    openWizard();
    EXPECT_TRUE(wizard().isVisible());
    EXPECT_TRUE(in<QPushButton>(wizard(), "cmdTip")->isVisible());
}

TEST_F(WizardWindowTest, TheTipsAreAWindowOfTheirOwnThatDoesNotKeepTheProgramAlive) {
    openTips();
    EXPECT_FALSE(in<QPushButton>(wizard(), "cmdTip")->isVisible());
    ASSERT_TRUE(tips().isVisible());
    EXPECT_TRUE(tips().isWindow());
    EXPECT_EQ(tips().parentWidget(), nullptr);
    EXPECT_FALSE(tips().isModal());
    EXPECT_FALSE(tips().testAttribute(Qt::WA_QuitOnClose));
    EXPECT_TRUE(wizard().isVisible());
}

TEST_F(WizardWindowTest, TheTipsCloseOnTheirButtonAClickOrAnyKey) {
    struct Way {
        const char* name;
        std::function<void(brisa::ui::TipWindow&)> close;
    };
    const Way ways[] = {
        {"button", [](auto& t) { t.template findChild<QPushButton*>("cmdOK")->click(); }},
        {"click on the text",
         [](auto& t) {
             QTest::mouseClick(t.template findChild<QLabel*>("lbTip"), Qt::LeftButton);
         }},
        {"click on the window", [](auto& t) { QTest::mouseClick(&t, Qt::LeftButton); }},
        {"key", [](auto& t) { QTest::keyClick(&t, Qt::Key_A); }},
        {"title bar", [](auto& t) { t.close(); }},
    };
    for (const Way& way : ways) {
        app->tipForm.window.setVisible(true);
        ASSERT_TRUE(tips().isVisible()) << way.name;
        way.close(tips());
        EXPECT_FALSE(tips().isVisible()) << way.name;
        EXPECT_FALSE(app->tipForm.window.visible()) << way.name;
    }
}

}  // namespace
