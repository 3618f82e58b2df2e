#include "MainForm.h"

namespace brisa::form {

namespace {

template <typename C, std::size_t N>
void name(std::array<C, N>& controls, const char* base) {
    for (std::size_t i = 0; i < N; ++i)
        controls[i].setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(i));
}

void limit(TextBox& t, int maxLength, const QString& tip) {
    t.setMaxLength(maxLength);
    t.setToolTip(tip);
}

void limitNumber(TextBox& t, int maxLength, int max, const QString& initial, const QString& tip) {
    limit(t, maxLength, tip);
    t.setRange(0, max);
    t.setText(initial);
}

}  // namespace

MainForm::MainForm(QObject* parent) : QObject(parent) {
    name(txtIP, "txtIP");
    name(txtMsk, "txtMsk");
    name(txtGW, "txtGW");
    name(txtAsunto, "txtAsunto");
    name(txtDestinatario, "txtDestinatario");
    name(txtMensaje, "txtMensaje");
    name(txtVarAttach, "txtVarAttach");
    name(txtTriggerMail, "txtTriggerMail");
    name(txtValTriggerMail, "txtValTriggerMail");
    name(chkAttachVar, "chkAttachVar");
    name(opVarTipoBit, "opVarTipoBit");
    name(opVarTipoByte, "opVarTipoByte");
    name(opVarTipoWord, "opVarTipoWord");
    name(opValMenor, "opValMenor");
    name(opValIgual, "opValIgual");
    name(opValMayor, "opValMayor");
    name(opMailRta, "opMailRta");
    name(opPortPLC, "opPortPLC");
    name(txtPri, "txtPri");
    for (auto [c, n] : std::initializer_list<std::pair<QObject*, const char*>>{
             {&txtPort, "txtPort"},           {&frPopPLC, "frPopPLC"},
             {&txtSMTP, "txtSMTP"},           {&txtPop, "txtPop"},
             {&txtRemitente, "txtRemitente"}, {&chkAutenticacion, "chkAutenticacion"},
             {&pnlAutent, "pnlAutent"},       {&txtAutUser, "txtAutUser"},
             {&txtAutPass, "txtAutPass"},     {&cbMinutosPop, "cbMinutosPop"},
             {&txtNodoPASS, "txtNodoPASS"},   {&cbSoftVer, "cbSoftVer"},
             {&cbBaudios232, "cbBaudios232"}, {&cbBaudios485, "cbBaudios485"},
             {&cbId232, "cbId232"},           {&cbId485, "cbId485"},
             {&lstBlockFree, "lstBlockFree"}, {&lstUsed, "lstUsed"},
             {&cmdProgramar, "cmdProgramar"}, {&cbPSerie, "cbPSerie"},
             {&cbBaudios, "cbBaudios"},       {&lbPortPC, "lbPortPC"},
         })
        c->setObjectName(QLatin1String(n));

    using namespace limits;
    for (int i = 0; i < 4; ++i) {
        limitNumber(txtIP[i], 3, Octet, QStringLiteral("000"), QStringLiteral("Dirección IP"));
        limitNumber(txtMsk[i], 3, Octet, i < 3 ? QStringLiteral("255") : QStringLiteral("000"),
                    QStringLiteral("Máscara de red"));
        limitNumber(txtGW[i], 3, Octet, QStringLiteral("000"), QStringLiteral("Dirección IP"));
    }
    limitNumber(txtPort, 5, TcpPort, QStringLiteral("502"), QStringLiteral("Puerto Tcp/Ip"));

    for (int n = 0; n < MailAccounts; ++n) {
        limit(txtDestinatario[n], TextLen, QStringLiteral("Dirección de quien recibirá el correo"));
        limit(txtAsunto[n], TextLen, QStringLiteral("Título del correo"));
        limit(txtMensaje[n], MsgLen, QStringLiteral("Texto del correo (mensaje)"));
        limitNumber(txtVarAttach[n], 5, Variable, QStringLiteral("0"),
                    QStringLiteral("Variable del PLC a enviar con el e-mail"));
        chkAttachVar[n].setCaption(QStringLiteral("Adjuntar valor de la variable al mensaje"));
        opMailRta[n].setCaption(QString::number(n + 1));
        mailRtaGroup.add(opMailRta[n]);
    }
    for (int n = 0; n < TriggerSets; ++n) {
        limitNumber(txtTriggerMail[n], 3, Variable, QStringLiteral("0"),
                    QStringLiteral("Variable del PLC"));
        limitNumber(txtValTriggerMail[n], 5, Value, QStringLiteral("0"),
                    QStringLiteral("Valor de comparación"));
        opVarTipoBit[n].setCaption(QStringLiteral("Bit"));
        opVarTipoByte[n].setCaption(QStringLiteral("Byte (8 bit)"));
        opVarTipoWord[n].setCaption(QStringLiteral("Word (16 bit)"));
        opValMenor[n].setCaption(QStringLiteral("Menor"));
        opValIgual[n].setCaption(QStringLiteral("Igual"));
        opValMayor[n].setCaption(QStringLiteral("Mayor"));
        for (OptionButton* b : {&opVarTipoBit[n], &opVarTipoByte[n], &opVarTipoWord[n]})
            varTipoGroup[n].add(*b);
        for (OptionButton* b : {&opValMenor[n], &opValIgual[n], &opValMayor[n]})
            valGroup[n].add(*b);
    }

    limit(txtSMTP, TextLen, QStringLiteral("Servidor de correo saliente (SMTP)"));
    limit(txtPop, TextLen, QStringLiteral("Servidor de correo entrante (POP)"));
    limit(txtRemitente, TextLen, QStringLiteral("Dirección de correo de quien envía"));
    limit(txtAutUser, TextLen, QStringLiteral("Nombre para identificarse en el servidor"));
    limit(txtAutPass, PassLen, QStringLiteral("Contraseña para identificarse en el servidor"));
    limit(txtNodoPASS, NodoPassLen, QStringLiteral("Contraseña: obligatorio 4 letras y/o números"));
    chkAutenticacion.setCaption(QStringLiteral("El servidor requiere autenticación"));
    cbMinutosPop.setToolTip(QStringLiteral("Métos usado por el nodo para revisar el e-mail"));

    cbSoftVer.setToolTip(QStringLiteral("Versión interna del nodo"));
    cbBaudios232.setToolTip(QStringLiteral("Velocidad"));
    cbBaudios485.setToolTip(QStringLiteral("Velocidad"));
    cbId232.setToolTip(QStringLiteral("Nº de identificación"));
    cbId485.setToolTip(QStringLiteral("Nº de identificación"));
    opPortPLC[0].setCaption(QStringLiteral("Puerto A"));
    opPortPLC[0].setToolTip(QStringLiteral("Por conectgor (cable plano)"));
    opPortPLC[1].setCaption(QStringLiteral("Puerto B"));
    opPortPLC[1].setToolTip(QStringLiteral("Por bornera (C RX TX)"));
    for (OptionButton& b : opPortPLC) portPLCGroup.add(b);
    opPortPLC[1].setValue(true);

    txtPri[0].setToolTip(QStringLiteral("Bloque prioritario 1"));
    txtPri[1].setToolTip(QStringLiteral("Bloque prioritario 2"));
    cmdProgramar.setCaption(QStringLiteral("&Programar "));
    cmdProgramar.setVisible(false);  // shown by compiling

    cbPSerie.setToolTip(QStringLiteral("Puerto serie para configurar nodo"));
    cbBaudios.setToolTip(QStringLiteral("Velocidad (típica 4800 BPS)"));
}

}  // namespace brisa::form
