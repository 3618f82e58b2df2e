#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "CommZTK90.h"
#include "MainFormHandlers.h"
#include "Session.h"
#include "form/MainForm.h"

namespace brisa::exchange {

// The node type options, the software version and the adaptation of the window to them
// (AdaptaAlNodo): which frames and menus apply, the PC link speed, and the description of the
// node taken from "Hardware.dsc" in the application folder.
class NodeType : public QObject {
    Q_OBJECT
  public:
    NodeType(form::MainForm& form, Session& session, ztklink::CommZTK90& link,
             MainFormHandlers& handlers, QObject* parent = nullptr);

    void opNodo232x485_Click();
    void opNodoEth_Click();
    // The software version list's text changed: take its value and adapt the window.
    void cbSoftVer_Change();
    void AdaptaAlNodo();
    // The PC link speed list: the link control takes the chosen speed.
    void cbBaudios_Click();

    // The system's decimal symbol, which the description keys use; tests give their own.
    std::function<QString()> decimalSymbol = &NodeType::systemDecimalSymbol;
    static QString systemDecimalSymbol();

    // The key of the description in section "Des" of "Hardware.dsc": "1_1.50", "4_1,20".
    static QString descriptionKey(float hardVer, float softVer, const QString& decimalSymbol);

  signals:
    // A software version without high memory was chosen for an RS-232/485 node: the blocks
    // above 191 must leave the lists and the priority fields.
    void removeHighMemoryRequested();

  private:
    form::MainForm& form_;
    Session& session_;
    ztklink::CommZTK90& link_;
};

}  // namespace brisa::exchange
