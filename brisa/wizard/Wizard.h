#pragma once

#include <QObject>

#include "Session.h"
#include "TipForm.h"
#include "WizardForm.h"
#include "form/MainForm.h"

namespace brisa::wizard {

// The wizard: five steps through the main window's pages, each turning the window to the page
// to fill in and showing what to do there. It edits nothing itself. The network steps (3 and
// 4) are skipped for node types without network settings. Opened by the main window's
// " Asistente" button; its tips button opens the tips window.
class Wizard : public QObject {
    Q_OBJECT
  public:
    static constexpr int FirstStep = 1;
    static constexpr int LastStep = 5;

    Wizard(WizardForm& wizard, TipForm& tips, form::MainForm& main, const Session& session,
           QObject* parent = nullptr);

    int step() const { return step_; }
    int direction() const { return direction_; }

    // " Asistente": starts again at the first step. A closed wizard opens as a new window,
    // with its tips button.
    void open();
    // "Siguiente" and "Anterior ".
    void next();
    void previous();
    // "Cerrar": the main window stays on the page of the last step shown.
    void close();
    // The tips button: hides itself for the rest of this window's life, opens the tips.
    void showTips();

    // Clamps the step, skips the network steps where the node has none, then turns the main
    // window to the step's page and shows its instruction.
    void NextPaso();

    // The instruction of a step (1 to 5); empty for any other.
    static QString instruction(int step);
    // Whether the node type has network settings (Ethernet and e-mail).
    static bool hasNetwork(float hardVer) { return hardVer >= 3 && hardVer <= 6; }

  private:
    WizardForm& wizard_;
    TipForm& tips_;
    form::MainForm& main_;
    const Session& session_;
    int step_ = FirstStep;
    int direction_ = 0;
};

}  // namespace brisa::wizard
