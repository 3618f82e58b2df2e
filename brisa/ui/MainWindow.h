#pragma once

#include <QMainWindow>
#include <QPointer>

#include "App.h"
#include "DwPrgWindow.h"
#include "FormBinding.h"
#include "FrameMonitorWindow.h"
#include "HelpWindow.h"
#include "WizardWindow.h"

class QDialog;
class QGridLayout;
class QGroupBox;
class QLineEdit;

namespace brisa::ui {

// frmMain: the configurator's main window. It lays out widgets for the controls of the App's
// form and binds them; every decision is the App's. What only a window can do lives here:
// the file dialogs, the About window, help, and closing.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(App& app, QWidget* parent = nullptr);

    FormBinding& binding() { return binding_; }
    // frmDwPrg, the read-back window (hidden until "Recuperar configuración desde el nodo").
    DwPrgWindow& dwPrgWindow() { return *dwPrg_; }
    // The program's About window (not modal, owned by this window).
    QDialog* showAbout();
    // Sizes the window to its content, never beyond the screen's free area (its pages scroll
    // instead), and centres it there.
    void fitToScreen();
    // "A&yuda": the manual at its contents; F1: at the section about the page shown.
    void showHelp();
    void showPageHelp();
    HelpWindow& helpWindow() { return *help_; }
    // frmWizard (" Asistente"), hidden until the wizard opens.
    WizardWindow& wizardWindow() { return *wizard_; }
    // "Monitor de tramas": opened the first time, brought to the front while it is open. It
    // is destroyed when closed, so nobody listens to the link while nobody looks.
    FrameMonitorWindow* showMonitor();
    FrameMonitorWindow* monitorWindow() const { return monitor_; }
    void loadProgram();
    void saveProgram();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    template <typename W, typename C>
    W* make(C& control);
    QLineEdit* field(form::TextBox& t, int columns);
    ClickableLabel* link(form::Label& l);
    QWidget* ipRow(std::array<form::TextBox, 4>& octets, const QString& name);
    QWidget* triggerRow(int n);
    QWidget* pageTipoNodo();
    QWidget* pagePuertos();
    QWidget* pageEthernet();
    QWidget* pageMailAccount(int n);
    QWidget* pageMailConfig();
    QWidget* pageMailCorreo();
    QWidget* pagePrograma();
    QWidget* pageInterrogar();
    QWidget* pageSeteos();
    void buildMenus();
    QString filesFolder() const;

    App& app_;
    form::MainForm& f_;
    FormBinding binding_;
    DwPrgWindow* dwPrg_ = nullptr;
    WizardWindow* wizard_ = nullptr;
    HelpWindow* help_ = nullptr;
    QPointer<FrameMonitorWindow> monitor_;
};

}  // namespace brisa::ui
