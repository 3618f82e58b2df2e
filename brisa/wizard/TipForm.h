#pragma once

#include <QObject>

#include "form/Controls.h"

namespace brisa::wizard {

// What the tips window frmTip shows, without any widget: a field with its tooltip, drawn as a
// sample, and how to get such help. `window`'s visibility is the window being open; its
// button, a click anywhere on it or any key close it.
class TipForm : public QObject {
    Q_OBJECT
  public:
    explicit TipForm(QObject* parent = nullptr);

    form::Control window;
    form::Label lbParametro, lbTooltip, lbValor, lbTip;
    form::CommandButton cmdOK;

    void close() { window.setVisible(false); }
};

}  // namespace brisa::wizard
