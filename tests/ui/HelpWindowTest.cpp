// "A&yuda" and F1: the manual in the program's own help window, at its contents or at the
// section of the page shown, with back and forward; a missing manual is said so.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "AppFixture.h"
#include "MainWindow.h"
#include "QtPrinters.h"
#include "Wait.h"

namespace {

class HelpWindowTest : public AppFixture {
  protected:
    HelpWindowTest() : window(*app) {
        startUp();
        // The manual shipped next to the programs.
        app->session.appFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        window.show();
    }
    brisa::ui::HelpWindow& help() { return window.helpWindow(); }
    QTextBrowser& browser() { return help().browser(); }
    QPushButton* button(const char* name) {
        return help().findChild<QPushButton*>(QLatin1String(name));
    }
    void chooseAyuda() {
        for (QAction* menu : window.menuBar()->actions())
            for (QAction* a : menu->menu()->actions())
                if (a->text() == QStringLiteral("A&yuda")) return a->trigger();
        FAIL() << "no A&yuda";
    }
    // F1 goes to the window that has the keyboard.
    void pressF1In(QWidget& w) {
        w.activateWindow();
        ASSERT_TRUE(testsupport::waitUntil([&] { return w.isActiveWindow(); }, 2000));
        QTest::keyClick(&w, Qt::Key_F1);
    }
    brisa::ui::MainWindow window;
};

TEST_F(HelpWindowTest, AyudaOpensTheManualAtItsContentsBesideTheMainWindow) {
    chooseAyuda();
    ASSERT_TRUE(help().isVisible());
    EXPECT_TRUE(help().isWindow());
    EXPECT_FALSE(help().isModal());
    EXPECT_EQ(help().parentWidget(), &window);
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("contenido"));
    EXPECT_TRUE(browser().toPlainText().contains(QStringLiteral("El puerto serie en Linux")));
    EXPECT_FALSE(button("cmdAtras")->isEnabled());
}

TEST_F(HelpWindowTest, F1OpensTheSectionOfThePageShownAndBackReturns) {
    chooseAyuda();
    app->form.Tab1.setCurrentPage(5);
    pressF1In(window);
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("seteos"));
    EXPECT_GT(browser().verticalScrollBar()->value(), 0) << "scrolled to the section";

    ASSERT_TRUE(button("cmdAtras")->isEnabled());
    button("cmdAtras")->click();
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("contenido"));
    ASSERT_TRUE(button("cmdAdelante")->isEnabled());
    button("cmdAdelante")->click();
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("seteos"));
}

// The wizard turns the pages: F1 in it opens the section of the page it turned to.
TEST_F(HelpWindowTest, F1InTheWizardOpensTheSectionOfItsStep) {
    app->form.opNodoEth.setValue(true);
    app->form.cmdWizard.press();
    for (int i = 0; i < 3; ++i) app->wizardForm.cmdSiguiente.press();
    pressF1In(window.wizardWindow());
    ASSERT_TRUE(help().isVisible());
    // Step 4, the e-mail page, open where the start-up left it: "Configuración".
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("email-configuracion"));
}

TEST_F(HelpWindowTest, AMissingManualIsSaidSo) {
    app->session.appFolder = folder() + QLatin1Char('/');
    chooseAyuda();
    ASSERT_TRUE(help().isVisible());
    EXPECT_TRUE(browser().toPlainText().contains(QStringLiteral("No se encontró el manual")));
    button("cmdContenido")->click();  // nothing to go to, nothing happens
    EXPECT_TRUE(browser().toPlainText().contains(QStringLiteral("No se encontró el manual")));
}

}  // namespace
