#include "FormSnapshot.h"

#include "compiler/Text.h"

namespace brisa::exchange {

using compiler::textInt;

namespace {

compiler::VarType varType(const form::MainForm& f, int i) {
    if (f.opVarTipoBit[i].value()) return compiler::VarType::Bit;
    if (f.opVarTipoByte[i].value()) return compiler::VarType::Byte;
    if (f.opVarTipoWord[i].value()) return compiler::VarType::Word;
    return compiler::VarType::None;
}

compiler::Comparison comparison(const form::MainForm& f, int i) {
    if (f.opValIgual[i].value()) return compiler::Comparison::Igual;
    if (f.opValMayor[i].value()) return compiler::Comparison::Mayor;
    return compiler::Comparison::Menor;
}

std::array<int, 4> octets(const std::array<form::TextBox, 4>& fields) {
    return {textInt(fields[0].text()), textInt(fields[1].text()), textInt(fields[2].text()),
            textInt(fields[3].text())};
}

}  // namespace

compiler::ImageSnapshot imageSnapshot(const form::MainForm& f) {
    compiler::ImageSnapshot s;
    s.priority1 = f.txtPri[0].text();
    s.priority2 = f.txtPri[1].text();
    s.id485 = textInt(f.cbId485.text());
    s.id232 = textInt(f.cbId232.text());
    s.baud232 = textInt(f.cbBaudios232.text());
    s.baud485 = textInt(f.cbBaudios485.text());
    s.plcPort = f.opPortPLC[0].value() ? compiler::PlcPort::A : compiler::PlcPort::B;
    s.scanList = f.lstCompilado.items();

    s.ip = octets(f.txtIP);
    s.mask = octets(f.txtMsk);
    s.gateway = octets(f.txtGW);
    s.tcpPort = textInt(f.txtPort.text());
    // The menu's check mark is the high-memory flag.
    s.highMemory = f.mnMemH.checked();

    for (int i = 0; i < compiler::MailAccounts + 1; ++i) {
        compiler::TriggerSet& t = s.triggers[i];
        t.variable = textInt(f.txtTriggerMail[i].text());
        t.value = textInt(f.txtValTriggerMail[i].text());
        t.type = varType(f, i);
        t.comparison = comparison(f, i);
    }
    for (int i = 0; i < compiler::MailAccounts; ++i) {
        compiler::MailAccount& a = s.accounts[i];
        a.destination = f.txtDestinatario[i].text();
        a.subject = f.txtAsunto[i].text();
        a.message = f.txtMensaje[i].text();
        a.attach = f.chkAttachVar[i].value() != 0;
        a.attachVariable = textInt(f.txtVarAttach[i].text());
    }
    s.smtp = f.txtSMTP.text();
    s.pop = f.txtPop.text();
    s.sender = f.txtRemitente.text();
    s.authUser = f.txtAutUser.text();
    s.authPassword = f.txtAutPass.text();
    s.nodePassword = f.txtNodoPASS.text();
    const int reply = f.mailRtaGroup.selected();
    if (reply >= 0) s.mailRta = reply;
    s.authentication = f.chkAutenticacion.value() != 0;
    s.popMinutesIndex = qMax(0, f.cbMinutosPop.listIndex());  // "Nunca" when none is chosen
    return s;
}

}  // namespace brisa::exchange
