// The wizard walked without widgets: which step, page and inner page each button leads to for
// nodes with and without network settings, the instructions, opening again, and the tips.
#include <gtest/gtest.h>

#include <QString>
#include <vector>

#include "QtPrinters.h"
#include "Session.h"
#include "wizard/TipForm.h"
#include "wizard/Wizard.h"
#include "wizard/WizardForm.h"

using brisa::wizard::Wizard;

namespace {

// The instructions as the user reads them, pieces joined with nothing between them.
const QString Instructions[] = {
    QStringLiteral(" Elija el tipo de nodo y la versión del mismo.Cuando halla concluido haga "
                   "click en el botón 'siguiente' para continuar. Puede obtener "
                   "estosparámetros de las inscripciones en el nodo"),
    QStringLiteral("Configure los puertos del nodo según las necesidades.Es indispensable haber "
                   "consultado los manuales de los dispositivos que interconectará con el nodo. "
                   "Usualmete el puerto RS-232 se conecta la PLC."),
    QStringLiteral("Configuración correspondiente al al red donde se incorporará el nodo. "
                   "Consulte con el administrador de red para completar estos datos."),
    QStringLiteral(" Cuentas de correo electrónico (hasta 5 destinatarios) y parámetros para "
                   "enviar y recibir correo."),
    QStringLiteral(" Seleccione los bloques que se usarán en la comunicación. Cada bloque son 16 "
                   "bytes de datos. Debe compilar antes de enviar al nodo."),
};

class WizardTest : public ::testing::Test {
  protected:
    brisa::Session session;
    brisa::form::MainForm main;
    brisa::wizard::WizardForm form;
    brisa::wizard::TipForm tips;
    Wizard wizard{form, tips, main, session};
};

enum class Button { Open, Siguiente, Anterior };

struct After {
    Button button;
    int step, tab1, tabEth;
};

struct Walk {
    float hardVer;
    std::vector<After> moves;
};

const char* name(Button b) {
    return b == Button::Open ? "Asistente" : b == Button::Siguiente ? "Siguiente" : "Anterior";
}

TEST_F(WizardTest, WalksThePagesOfTheNodeType) {
    using enum Button;
    // Without network settings the walk skips steps 3 and 4 both ways; the network pages
    // belong to hardware versions 3 to 6, both included.
    const std::vector<After> serial = {
        {Open, 1, 0, 0},     {Siguiente, 2, 1, 0}, {Siguiente, 5, 3, 0}, {Siguiente, 5, 3, 0},
        {Anterior, 2, 1, 0}, {Anterior, 1, 0, 0},  {Anterior, 1, 0, 0},  {Siguiente, 2, 1, 0}};
    const std::vector<After> network = {
        {Open, 1, 0, 0},      {Siguiente, 2, 1, 0}, {Siguiente, 3, 2, 0}, {Siguiente, 4, 2, 1},
        {Siguiente, 5, 3, 1}, {Siguiente, 5, 3, 1}, {Anterior, 4, 2, 1},  {Anterior, 3, 2, 0},
        {Anterior, 2, 1, 0},  {Anterior, 1, 0, 0},  {Anterior, 1, 0, 0}};
    const Walk walks[] = {{1.0f, serial},  {4.0f, network}, {6.0f, network},
                          {3.0f, network}, {7.0f, serial},  {0.0f, serial}};
    for (const Walk& w : walks) {
        session.hardVer = w.hardVer;
        main.Tab1.setCurrentPage(0);
        main.tabEth.setCurrentPage(0);
        form.window.setVisible(false);
        for (std::size_t i = 0; i < w.moves.size(); ++i) {
            const After& m = w.moves[i];
            switch (m.button) {
                case Open:
                    main.cmdWizard.press();
                    break;
                case Siguiente:
                    form.cmdSiguiente.press();
                    break;
                case Anterior:
                    form.cmdAnterior.press();
                    break;
            }
            const std::string where = "hardware " + std::to_string(w.hardVer) + ", move " +
                                      std::to_string(i) + " (" + name(m.button) + ")";
            EXPECT_EQ(wizard.step(), m.step) << where;
            EXPECT_EQ(main.Tab1.currentPage(), m.tab1) << where;
            EXPECT_EQ(main.tabEth.currentPage(), m.tabEth) << where;
            EXPECT_EQ(form.lbW.caption(), Instructions[m.step - 1]) << where;
            EXPECT_TRUE(form.window.visible()) << where;
        }
    }
}

// The last step stays put, even when the user has turned the main window elsewhere; the
// first step shown again turns it back to "Tipo Nodo".
TEST_F(WizardTest, BeyondTheEndsOnlyTheFirstStepTurnsTheWindow) {
    session.hardVer = 4.0f;
    wizard.open();
    for (int i = 0; i < 4; ++i) wizard.next();
    ASSERT_EQ(wizard.step(), 5);
    main.Tab1.setCurrentPage(5);
    form.lbW.setCaption(QStringLiteral("otra"));
    wizard.next();
    EXPECT_EQ(wizard.step(), 5);
    EXPECT_EQ(main.Tab1.currentPage(), 5);
    EXPECT_EQ(form.lbW.caption(), QStringLiteral("otra"));

    for (int i = 0; i < 4; ++i) wizard.previous();
    ASSERT_EQ(wizard.step(), 1);
    main.Tab1.setCurrentPage(4);
    wizard.previous();
    EXPECT_EQ(wizard.step(), 1);
    EXPECT_EQ(main.Tab1.currentPage(), 0);
    EXPECT_EQ(form.lbW.caption(), Instructions[0]);
}

// The node type may change while the wizard is open: each step asks the current one.
TEST_F(WizardTest, ChangingTheNodeTypeMidWayChangesTheWalk) {
    session.hardVer = 1.0f;
    wizard.open();
    wizard.next();
    session.hardVer = 4.0f;
    wizard.next();
    EXPECT_EQ(wizard.step(), 3);
    wizard.next();
    session.hardVer = 1.0f;
    wizard.previous();  // from step 4 back to 3, which this node has not: step 2
    EXPECT_EQ(wizard.step(), 2);
    EXPECT_EQ(main.Tab1.currentPage(), 1);
}

TEST_F(WizardTest, CerrarLeavesTheMainWindowOnTheLastStepShownAndOpeningStartsAgain) {
    session.hardVer = 4.0f;
    main.cmdWizard.press();
    form.cmdSiguiente.press();
    form.cmdSiguiente.press();
    form.cmdSiguiente.press();
    form.cmdCancel.press();
    EXPECT_FALSE(form.window.visible());
    EXPECT_EQ(main.Tab1.currentPage(), 2);
    EXPECT_EQ(main.tabEth.currentPage(), 1);

    main.cmdWizard.press();
    EXPECT_TRUE(form.window.visible());
    EXPECT_EQ(wizard.step(), 1);
    EXPECT_EQ(main.Tab1.currentPage(), 0);
    EXPECT_EQ(form.lbW.caption(), Instructions[0]);
    // An open wizard asked again starts again too.
    form.cmdSiguiente.press();
    main.cmdWizard.press();
    EXPECT_EQ(wizard.step(), 1);
}

TEST_F(WizardTest, TheTipsButtonHidesItselfForTheLifeOfTheWindow) {
    main.cmdWizard.press();
    ASSERT_TRUE(form.cmdTip.visible());
    EXPECT_FALSE(tips.window.visible());
    form.cmdTip.press();
    EXPECT_FALSE(form.cmdTip.visible());
    EXPECT_TRUE(tips.window.visible());
    EXPECT_TRUE(form.window.visible()) << "the tips do not replace the wizard";

    tips.cmdOK.press();
    EXPECT_FALSE(tips.window.visible());
    form.cmdSiguiente.press();
    main.cmdWizard.press();  // asked again while open: the same window
    EXPECT_FALSE(form.cmdTip.visible());

    form.cmdCancel.press();
    main.cmdWizard.press();  // a new window
    EXPECT_TRUE(form.cmdTip.visible());
}

// The tips belong to no wizard: closing the wizard leaves them open.
TEST_F(WizardTest, TheTipsOutliveTheWizard) {
    main.cmdWizard.press();
    form.cmdTip.press();
    form.cmdCancel.press();
    EXPECT_TRUE(tips.window.visible());
    EXPECT_EQ(tips.lbTip.caption(),
              QStringLiteral(" Obtenga ayuda desde los elementos de la pantalla dejando inmóvil "
                             "el puntero del mouse sobre alguno de ellos."));
}

}  // namespace
