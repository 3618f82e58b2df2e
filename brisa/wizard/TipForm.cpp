#include "TipForm.h"

namespace brisa::wizard {

TipForm::TipForm(QObject* parent) : QObject(parent) {
    for (auto [c, n] :
         std::initializer_list<std::pair<QObject*, const char*>>{{&window, "frmTip"},
                                                                 {&lbParametro, "lbParametro"},
                                                                 {&lbTooltip, "lbTooltip"},
                                                                 {&lbValor, "lbValor"},
                                                                 {&lbTip, "lbTip"},
                                                                 {&cmdOK, "cmdOK"}})
        c->setObjectName(QLatin1String(n));
    window.setVisible(false);
    lbParametro.setCaption(QStringLiteral("Parámetro"));
    lbTooltip.setCaption(QStringLiteral("Tooltip"));
    lbValor.setCaption(QStringLiteral("1234"));
    lbTip.setCaption(
        QStringLiteral(" Obtenga ayuda desde los elementos de la pantalla dejando "
                       "inmóvil el puntero del mouse sobre alguno de ellos."));
    cmdOK.setCaption(QStringLiteral("&Aceptar"));
    connect(&cmdOK, &form::Label::click, this, &TipForm::close);
}

}  // namespace brisa::wizard
