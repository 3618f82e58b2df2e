#pragma once

#include <QObject>

#include "form/Controls.h"

namespace brisa::wizard {

// What the wizard window frmWizard shows, under its controls' names, without any widget.
// `window`'s visibility is the window being open.
class WizardForm : public QObject {
    Q_OBJECT
  public:
    explicit WizardForm(QObject* parent = nullptr);

    form::Control window;
    form::Label lbW;  // the step's instruction
    form::CommandButton cmdAnterior, cmdSiguiente, cmdCancel, cmdTip;
};

}  // namespace brisa::wizard
