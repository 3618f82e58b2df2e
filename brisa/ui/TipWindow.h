#pragma once

#include <QWidget>

#include "FormBinding.h"
#include "wizard/TipForm.h"

namespace brisa::ui {

// frmTip: shows that every element of the screen has a tooltip, with a field and its tooltip
// drawn as a sample. A top-level window of its own (no owner) that does not keep the program
// running; its button, a click anywhere on it or any key close it.
class TipWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TipWindow(wizard::TipForm& form);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    template <typename W, typename C>
    W* make(C& control);

    wizard::TipForm& f_;
    FormBinding binding_;
};

}  // namespace brisa::ui
