#pragma once

#include <QObject>
#include <array>

#include "Controls.h"
#include "NodeConfig.h"

namespace brisa::form {

// What the main window frmMain shows, under its controls' names, without any widget.
// Control arrays are std::arrays indexed from 0. Each control's objectName is its name in the
// window ("txtIP(2)", "cbPSerie"), for the widget binding. Controls are added here as the
// window's parts are built; none of them depends on another's place in this class.
class MainForm : public QObject {
    Q_OBJECT
  public:
    explicit MainForm(QObject* parent = nullptr);

    // --- page "Ethernet" ---
    std::array<TextBox, 4> txtIP, txtMsk, txtGW;
    TextBox txtPort;

    // --- page "e-mail": accounts 0..4, and the POP command record at index 5 ---
    std::array<TextBox, MailAccounts> txtAsunto, txtDestinatario, txtMensaje, txtVarAttach;
    std::array<TextBox, TriggerSets> txtTriggerMail, txtValTriggerMail;
    std::array<CheckBox, MailAccounts> chkAttachVar;
    std::array<OptionButton, TriggerSets> opVarTipoBit, opVarTipoByte, opVarTipoWord;
    std::array<OptionButton, TriggerSets> opValMenor, opValIgual, opValMayor;
    Frame frPopPLC;

    // --- e-mail "Configuración" and "Correo" ---
    TextBox txtSMTP, txtPop, txtRemitente;
    CheckBox chkAutenticacion;
    Frame pnlAutent;
    TextBox txtAutUser, txtAutPass;
    ComboBox cbMinutosPop;
    std::array<OptionButton, MailAccounts> opMailRta;
    TextBox txtNodoPASS;

    // --- the window itself ---
    Label lbVersion;                       // title with the program version; a link to the maker
    TabControl Tab1, tabEth, TabMail;
    MenuItem mnCargarArchivo, mnAcercaDe, mnAyuda, mnMemH, nmRecupProg;
    CommandButton cmdEnd, cmdLoadPrg, cmdSavePrg;
    Label lbComNodo, lbTipoND, lbVerTipo;  // labels that act as links to pages
    MousePointer pointer;
    Label lbStatus;  // the link driver's last error text, for the window's status bar
    // Where the focus should go (the widget binding follows it).
    void setFocus(Control& c) { emit focusRequested(&c); }

    // --- page "Tipo Nodo" ---
    OptionButton opNodo232x485, opNodoEth;
    ComboBox cbSoftVer;
    CommandButton cmdWizard;
    Label lbAboutVer;  // description of the node type and version chosen
    Frame fr485, frEth, frMail;

    // --- page "Puertos" ---
    ComboBox cbBaudios232, cbBaudios485, cbId232, cbId485;
    std::array<OptionButton, 2> opPortPLC;  // 0: "Puerto A", 1: "Puerto B"

    // --- page "Programa" ---
    ListBox lstBlockFree, lstUsed;
    std::array<TextBox, 2> txtPri;
    CommandButton cmdAdd, cmdQuita, cmdAddPri1, cmdAddPri2, cmdRemovePri1, cmdRemovePri2;
    CommandButton cmdRstProg, cmdAPrg, cmdCompilar, cmdProgramar;
    CommandButton cmdVerificar;  // offered after a completed programming run
    Label lbMsg;
    ListBox lstCompilado;
    Label lbCompilado, lbProgramado;
    ProgressBar PgBar1;

    // --- page "Interrogar" ---
    CommandButton cmdQuery, cmdNodoInsp, cmdNodoNorm, cmdBorrarInspec;
    CheckBox chkInspec;
    ListBox lstInspec;
    Label lbNumBlqInsp;
    // Node information, filled by a query.
    Label lbModelo, lbSoftwarever, lbBlPri1, lbBlPri2, lbBloquesEnNodo, lbBaud232, lbBaud485;
    Label lbId232, lbId485, lbPortPLC, lbIP, lbMsk, lbIpPort;

    // --- page "Seteos" ---
    ComboBox cbPSerie, cbBaudios;
    Label lbPortPC;
    // The device the chosen COM port stands for on this machine, the serial devices found,
    // a device typed by hand (Enter assigns it) and the button that looks for devices again.
    Label lbDevice;
    ComboBox cbDevices;
    TextBox txtDevice;
    CommandButton cmdDevices;

    // The exclusive option groups (the frames around them).
    std::array<OptionGroup, TriggerSets> varTipoGroup, valGroup;
    OptionGroup mailRtaGroup, portPLCGroup, nodeTypeGroup;

    // The thirteen node-information labels, in the order lbInfNodoClear empties them.
    std::array<Label*, 13> nodeInfoLabels();
    // The same labels with the caption the window shows beside each, in the window's order
    // (each "ID" follows the speed of its side).
    struct CaptionedLabel {
        Label* label;
        QString caption;
    };
    std::array<CaptionedLabel, 13> nodeInfoFields();

  signals:
    void focusRequested(brisa::form::Control* control);
};

}  // namespace brisa::form
