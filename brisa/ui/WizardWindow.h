#pragma once

#include <QDialog>
#include <memory>

#include "App.h"
#include "FormBinding.h"

namespace brisa::ui {

class TipWindow;

// frmWizard, "Asistente de configuración": a view of App::wizardForm, owned by the main
// window and not modal, so the user fills in the page it turns to while it stays open. It
// opens and closes as the form says. A dialog for its keys: Enter is "Siguiente", Esc and the
// title bar's close are "Cerrar". It holds the tips window frmTip, which has no owner.
class WizardWindow : public QDialog {
    Q_OBJECT
  public:
    WizardWindow(App& app, QWidget* owner);
    ~WizardWindow() override;

    TipWindow& tipWindow() { return *tips_; }

  private:
    template <typename W, typename C>
    W* make(C& control);
    // Beside the main window where the screen has room, so the page to fill stays in view.
    void placeBesideOwner();

    App& app_;
    wizard::WizardForm& f_;
    FormBinding binding_;
    std::unique_ptr<TipWindow> tips_;
};

}  // namespace brisa::ui
