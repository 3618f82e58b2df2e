#include "Wizard.h"

namespace brisa::wizard {

namespace {

// Where each step turns the main window: the page of Tab1 and, on the network page, of tabEth.
struct StepPage {
    int tab1;
    int tabEth;  // -1: left as it is
};
constexpr StepPage stepPages[Wizard::LastStep] = {{0, -1}, {1, -1}, {2, 0}, {2, 1}, {3, -1}};

}  // namespace

Wizard::Wizard(WizardForm& wizard, TipForm& tips, form::MainForm& main, const Session& session,
               QObject* parent)
    : QObject(parent), wizard_(wizard), tips_(tips), main_(main), session_(session) {
    connect(&main_.cmdWizard, &form::Label::click, this, &Wizard::open);
    connect(&wizard_.cmdSiguiente, &form::Label::click, this, &Wizard::next);
    connect(&wizard_.cmdAnterior, &form::Label::click, this, &Wizard::previous);
    connect(&wizard_.cmdCancel, &form::Label::click, this, &Wizard::close);
    connect(&wizard_.cmdTip, &form::Label::click, this, &Wizard::showTips);
}

void Wizard::open() {
    if (!wizard_.window.visible()) wizard_.cmdTip.setVisible(true);
    step_ = FirstStep;
    NextPaso();
    wizard_.window.setVisible(true);
}

void Wizard::next() {
    step_ += 1;
    direction_ = +1;
    NextPaso();
}

void Wizard::previous() {
    step_ -= 1;
    direction_ = -1;
    NextPaso();
}

void Wizard::close() { wizard_.window.setVisible(false); }

void Wizard::showTips() {
    wizard_.cmdTip.setVisible(false);
    tips_.window.setVisible(true);
}

void Wizard::NextPaso() {
    if (step_ < FirstStep) step_ = FirstStep;
    if (step_ > LastStep) {
        step_ = LastStep;
        return;
    }
    if ((step_ == 3 || step_ == 4) && !hasNetwork(session_.hardVer))
        step_ = direction_ == +1 ? 5 : 2;
    const StepPage& page = stepPages[step_ - 1];
    main_.Tab1.setCurrentPage(page.tab1);
    if (page.tabEth >= 0) main_.tabEth.setCurrentPage(page.tabEth);
    wizard_.lbW.setCaption(instruction(step_));
}

QString Wizard::instruction(int step) {
    switch (step) {
        case 1:
            return QStringLiteral(" Elija el tipo de nodo y la versión del mismo.") +
                   QStringLiteral("Cuando halla concluido haga click en el botón ") +
                   QStringLiteral("'siguiente' para continuar. Puede obtener estos") +
                   QStringLiteral("parámetros de las inscripciones en el nodo");
        case 2:
            return QStringLiteral("Configure los puertos del nodo según las necesidades.") +
                   QStringLiteral("Es indispensable haber consultado los manuales de los ") +
                   QStringLiteral("dispositivos que interconectará con el nodo. Usualmete ") +
                   QStringLiteral("el puerto RS-232 se conecta la PLC.");
        case 3:
            return QStringLiteral("Configuración correspondiente al al red donde se ") +
                   QStringLiteral("incorporará el nodo. Consulte con el administrador de ") +
                   QStringLiteral("red para completar estos datos.");
        case 4:
            return QStringLiteral(
                " Cuentas de correo electrónico (hasta 5 destinatarios) y "
                "parámetros para enviar y recibir correo.");
        case 5:
            return QStringLiteral(
                " Seleccione los bloques que se usarán en la comunicación. "
                "Cada bloque son 16 bytes de datos. Debe compilar antes de "
                "enviar al nodo.");
        default:
            return QString();
    }
}

}  // namespace brisa::wizard
