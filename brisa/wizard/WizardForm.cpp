#include "WizardForm.h"

namespace brisa::wizard {

WizardForm::WizardForm(QObject* parent) : QObject(parent) {
    for (auto [c, n] :
         std::initializer_list<std::pair<QObject*, const char*>>{{&window, "frmWizard"},
                                                                 {&lbW, "lbW"},
                                                                 {&cmdAnterior, "cmdAnterior"},
                                                                 {&cmdSiguiente, "cmdSiguiente"},
                                                                 {&cmdCancel, "cmdCancel"},
                                                                 {&cmdTip, "cmdTip"}})
        c->setObjectName(QLatin1String(n));
    window.setVisible(false);
    cmdAnterior.setCaption(QStringLiteral("Anterior "));
    cmdSiguiente.setCaption(QStringLiteral("Siguiente"));
    cmdCancel.setCaption(QStringLiteral("Cerrar"));
    cmdTip.setCaption(QStringLiteral("Sugerencia"));
    cmdTip.setToolTip(QStringLiteral("Cómo obtener ayuda de cada elemento de la pantalla"));
}

}  // namespace brisa::wizard
