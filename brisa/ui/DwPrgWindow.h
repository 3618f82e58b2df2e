#pragma once

#include <QFileDialog>
#include <QWidget>
#include <memory>

#include "App.h"
#include "FormBinding.h"

namespace brisa::ui {

// frmDwPrg, "Programa recuperado": the node image read back, raw and decoded. A view of
// App::dwPrg, owned by the main window and not modal; it opens and closes as the form says.
// What only a window can do lives here: the save dialog.
class DwPrgWindow : public QWidget {
    Q_OBJECT
  public:
    DwPrgWindow(App& app, QWidget* owner);

    // "Salvar": asks where, in the "Files" folder, and writes the buffer there.
    void save();
    // The save dialog "Salvar" opens: ".nd" files, the suffix added, overwriting confirmed.
    std::unique_ptr<QFileDialog> saveDialog();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    template <typename W, typename C>
    W* make(C& control);

    App& app_;
    readback::DwPrgForm& f_;
    FormBinding binding_;
};

}  // namespace brisa::ui
