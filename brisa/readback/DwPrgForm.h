#pragma once

#include <QObject>
#include <array>

#include "form/Controls.h"

namespace brisa::readback {

// What the window frmDwPrg ("Programa recuperado") shows, under its controls' names, without
// any widget. `window`'s visibility is the window being open.
class DwPrgForm : public QObject {
    Q_OBJECT
  public:
    explicit DwPrgForm(QObject* parent = nullptr);

    form::Control window;
    form::ListBox lstPrg;      // the buffer, one byte per line
    form::ListBox lstBloques;  // the scan list
    form::Label lbBlUsed, lbId485, lbBaud485, lbId232, lbBaud232, lbPort232, lbTcpPort;
    std::array<form::Label, 2> lbPri, lbIpMsk;
    form::Label lbIndex;   // position of the selected lstPrg line
    form::Label lbEstado;  // how the reading goes
    form::ProgressBar Pg1;
    form::CommandButton cmdSave, cmdExit, cmdDescompilar;

    // The decoded labels in the order the window shows them, each with its caption.
    struct Field {
        form::Label* label;
        QString caption;
    };
    std::array<Field, 11> decodedFields();
};

}  // namespace brisa::readback
