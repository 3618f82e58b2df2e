#pragma once

#include <QObject>

#include "NodeRequests.h"
#include "form/MainForm.h"

namespace brisa::exchange {

// Inspection on the PC side: with "Activar modo inspección" the link control hands over every
// byte it receives, and each one is a block number the inspected node asks for. The list
// keeps them in ascending order, once each, until "Borrar".
class Inspection : public QObject {
    Q_OBJECT
  public:
    Inspection(form::MainForm& form, NodeRequests& requests, QObject* parent = nullptr);

    // Sniffer mode follows the box; switching it on also asks for node block 0.
    void chkInspec_Click();
    void cmdBorrarInspec_Click();
    // One captured byte: listed as "000" text at its place, unless it is there already.
    void capture(quint8 block);

  private:
    form::MainForm& form_;
    NodeRequests& requests_;
};

}  // namespace brisa::exchange
