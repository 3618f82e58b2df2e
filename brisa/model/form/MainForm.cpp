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
             {&cmdVerificar, "cmdVerificar"},
             {&cbBaudios, "cbBaudios"},       {&lbPortPC, "lbPortPC"},
             {&lbVersion, "lbVersion"},       {&Tab1, "Tab1"},
             {&tabEth, "tabEth"},             {&TabMail, "TabMail"},
             {&mnCargarArchivo, "mnCargarArchivo"}, {&mnAcercaDe, "mnAcercaDe"},
             {&mnAyuda, "mnAyuda"},           {&mnMemH, "mnMemH"},
             {&nmRecupProg, "nmRecupProg"},   {&cmdEnd, "cmdEnd"},
             {&cmdLoadPrg, "cmdLoadPrg"},     {&cmdSavePrg, "cmdSavePrg"},
             {&lbComNodo, "lbComNodo"},       {&lbTipoND, "lbTipoND"},
             {&lbVerTipo, "lbVerTipo"},       {&pointer, "pointer"},
             {&opNodo232x485, "opNodo232x485"}, {&opNodoEth, "opNodoEth"},
             {&cmdWizard, "cmdWizard"},       {&lbAboutVer, "lbAboutVer"},
             {&fr485, "fr485"},               {&frEth, "frEth"},
             {&frMail, "frMail"},             {&cmdAdd, "cmdAdd"},
             {&cmdQuita, "cmdQuita"},         {&cmdAddPri1, "cmdAddPri1"},
             {&cmdAddPri2, "cmdAddPri2"},     {&cmdRemovePri1, "cmdRemovePri1"},
             {&cmdRemovePri2, "cmdRemovePri2"}, {&cmdRstProg, "cmdRstProg"},
             {&cmdAPrg, "cmdAPrg"},           {&cmdCompilar, "cmdCompilar"},
             {&lbMsg, "lbMsg"},               {&lstCompilado, "lstCompilado"},
             {&lbCompilado, "lbCompilado"},   {&lbProgramado, "lbProgramado"},
             {&PgBar1, "PgBar1"},             {&cmdQuery, "cmdQuery"},
             {&cmdNodoInsp, "cmdNodoInsp"},   {&cmdNodoNorm, "cmdNodoNorm"},
             {&cmdBorrarInspec, "cmdBorrarInspec"}, {&chkInspec, "chkInspec"},
             {&lstInspec, "lstInspec"},       {&lbNumBlqInsp, "lbNumBlqInsp"},
             {&lbModelo, "lbModelo"},         {&lbSoftwarever, "lbSoftwarever"},
             {&lbBlPri1, "lbBlPri1"},         {&lbBlPri2, "lbBlPri2"},
             {&lbBloquesEnNodo, "lbBloquesEnNodo"}, {&lbBaud232, "lbBaud232"},
             {&lbBaud485, "lbBaud485"},       {&lbId232, "lbId232"},
             {&lbId485, "lbId485"},           {&lbPortPLC, "lbPortPLC"},
             {&lbIP, "lbIP"},                 {&lbMsk, "lbMsk"},
             {&lbIpPort, "lbIpPort"},         {&lbDevice, "lbDevice"},
             {&cbDevices, "cbDevices"},       {&txtDevice, "txtDevice"},
             {&cmdDevices, "cmdDevices"},
             {&lbStatus, "lbStatus"},
         })
        c->setObjectName(QLatin1String(n));

    using namespace limits;
    for (int i = 0; i < 4; ++i) {
        limitNumber(txtIP[i], 3, Octet, QStringLiteral("000"), QStringLiteral("Dirección IP"));
        limitNumber(txtMsk[i], 3, Octet, i < 3 ? QStringLiteral("255") : QStringLiteral("000"),
                    QStringLiteral("Máscara de red"));
        limitNumber(txtGW[i], 3, Octet, QStringLiteral("000"), QStringLiteral("Dirección IP"));
        // An address is typed as it is written: "192.168.1.50" in one go.
        for (TextBox* octet : {&txtIP[i], &txtMsk[i], &txtGW[i]}) octet->setAdvanceKey(u'.');
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
    txtNodoPASS.setAlphanumeric(true);
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

    txtPri[0].setToolTip(QStringLiteral("Bloque de alta prioridad 1"));
    txtPri[1].setToolTip(QStringLiteral("Bloque de alta prioridad 2"));
    for (TextBox& t : txtPri) t.setLocked(true);
    cmdProgramar.setCaption(QStringLiteral("&Programar "));
    cmdProgramar.setToolTip(QStringLiteral("Enviar al nodo configuración"));
    cmdProgramar.setVisible(false);  // shown by compiling
    cmdVerificar.setCaption(QStringLiteral("&Verificar"));
    cmdVerificar.setToolTip(QStringLiteral("Leer la memoria del nodo y compararla con lo enviado"));
    cmdVerificar.setVisible(false);  // shown when a programming run completes

    // The window itself.
    Tab1.setCaptions({QStringLiteral("Tipo Nodo"), QStringLiteral("Puertos"), QStringLiteral("Ethernet"),
                      QStringLiteral("Programa"), QStringLiteral("Interrogar"), QStringLiteral("Seteos")});
    tabEth.setCaptions({QStringLiteral("Ethernet"), QStringLiteral("e-mail")});
    TabMail.setCaptions({QStringLiteral("e-mail 1"), QStringLiteral("e-mail 2"), QStringLiteral("e-mail 3"),
                         QStringLiteral("e-mail 4"), QStringLiteral("e-mail 5"),
                         QStringLiteral("Configuración"), QStringLiteral("Correo")});
    mnCargarArchivo.setCaption(QStringLiteral("Cargar archivo guardado"));
    mnAcercaDe.setCaption(QStringLiteral("Acerca de"));
    mnAyuda.setCaption(QStringLiteral("A&yuda"));
    mnMemH.setCaption(QStringLiteral("Activar memoria alta"));
    nmRecupProg.setCaption(QStringLiteral("Recuperar configuración desde el nodo"));
    cmdEnd.setCaption(QStringLiteral("Terminar"));
    cmdEnd.setToolTip(QStringLiteral("Terminar programa"));
    cmdLoadPrg.setCaption(QStringLiteral("Car&gar "));
    cmdSavePrg.setCaption(QStringLiteral("&Salvar "));
    lbComNodo.setCaption(QStringLiteral("Comunicación con nodo"));
    lbComNodo.setToolTip(QStringLiteral("Ir a la configuración de comunicación con nodo"));
    lbTipoND.setCaption(QStringLiteral("tipo de nodo"));
    lbTipoND.setToolTip(QStringLiteral("Elección del tipo de nodo"));
    lbVerTipo.setCaption(QStringLiteral("Versión y tipo"));
    lbVerTipo.setToolTip(QStringLiteral("Ir a la solapa de interrogación"));

    // Page "Tipo Nodo".
    opNodo232x485.setCaption(QStringLiteral("Tipo &232 <> 485"));
    opNodo232x485.setToolTip(QStringLiteral("Modelo con puerto RS-232 y RS-485"));
    opNodoEth.setCaption(QStringLiteral("Tipo &Ethernet ModBus"));
    opNodoEth.setToolTip(QStringLiteral("Modelo con puerto RS-232 y Ethernet"));
    nodeTypeGroup.add(opNodo232x485);
    nodeTypeGroup.add(opNodoEth);
    cmdWizard.setCaption(QStringLiteral(" Asistente"));
    cmdWizard.setToolTip(QStringLiteral("Asistente de configuración"));
    fr485.setDisabledTip(QStringLiteral("Sólo en nodos 232 <> 485"));
    frEth.setDisabledTip(QStringLiteral("Sólo en nodos Ethernet ModBus"));

    // Page "Programa".
    // Several blocks are moved at once; double click or Enter moves the selected ones.
    lstBlockFree.setMultiSelect(true);
    lstUsed.setMultiSelect(true);
    lstBlockFree.setToolTip(QStringLiteral("Bloques para usar"));
    lstUsed.setToolTip(QStringLiteral("Bloques usados"));
    cmdAdd.setCaption(QStringLiteral("&Usar  >>"));
    cmdAdd.setToolTip(QStringLiteral("Usar bloque libre selecto"));
    cmdQuita.setCaption(QStringLiteral("<< &Quitar"));
    cmdQuita.setToolTip(QStringLiteral("Quita ítem selecto de la lista"));
    for (CommandButton* b : {&cmdAddPri1, &cmdAddPri2})
        b->setToolTip(QStringLiteral("Usar como bloque de alta prioridad"));
    for (CommandButton* b : {&cmdRemovePri1, &cmdRemovePri2})
        b->setToolTip(QStringLiteral("Quitar de alta prioridad"));
    cmdRstProg.setCaption(QStringLiteral("&Borrar prog. "));
    cmdRstProg.setToolTip(QStringLiteral("Borra el programa e inicializa uno nuevo"));
    cmdAPrg.setCaption(QStringLiteral("A programa"));
    cmdAPrg.setToolTip(QStringLiteral("Pasar la lista a un programa"));
    cmdCompilar.setCaption(QStringLiteral("&Compilar "));

    // Page "Interrogar".
    cmdQuery.setCaption(QStringLiteral("&Interrogar "));
    cmdQuery.setToolTip(QStringLiteral("Averiguar configuración del nodo"));
    cmdNodoInsp.setCaption(QStringLiteral("Nodo a inspec."));
    cmdNodoInsp.setToolTip(QStringLiteral("Pone en modo inspección al nodo"));
    cmdNodoNorm.setCaption(QStringLiteral("Nodo normal"));
    cmdNodoNorm.setToolTip(QStringLiteral("Retorna al modo normal al nodo"));
    chkInspec.setCaption(QStringLiteral("Activar modo inspección"));
    chkInspec.setToolTip(QStringLiteral("Crea lista de bloques que pide el nodo"));
    cmdBorrarInspec.setCaption(QStringLiteral("Borrar"));
    cmdBorrarInspec.setToolTip(QStringLiteral("Borrar lista"));
    lbSoftwarever.setCaption(QStringLiteral("00.00"));

    cbPSerie.setToolTip(QStringLiteral("Puerto serie para configurar nodo"));
    cbBaudios.setToolTip(QStringLiteral("Velocidad (típica 4800 BPS)"));
    lbDevice.setToolTip(QStringLiteral("Dispositivo serie que usa el puerto elegido"));
    cbDevices.setToolTip(QStringLiteral("Dispositivos serie encontrados en esta PC"));
    txtDevice.setMaxLength(255);
    txtDevice.setToolTip(QStringLiteral("Ruta del dispositivo para el puerto elegido; Enter la asigna"));
    cmdDevices.setCaption(QStringLiteral("&Buscar"));
    cmdDevices.setToolTip(QStringLiteral("Buscar otra vez los dispositivos serie"));
}

std::array<Label*, 13> MainForm::nodeInfoLabels() {
    return {&lbModelo, &lbSoftwarever, &lbBlPri1, &lbBlPri2, &lbBloquesEnNodo, &lbBaud232,
            &lbBaud485, &lbId232, &lbId485, &lbPortPLC, &lbIP, &lbMsk, &lbIpPort};
}

std::array<MainForm::CaptionedLabel, 13> MainForm::nodeInfoFields() {
    return {{{&lbModelo, QStringLiteral("Modelo")},
             {&lbSoftwarever, QStringLiteral("Software versión")},
             {&lbBlPri1, QStringLiteral("Prioritario 1")},
             {&lbBlPri2, QStringLiteral("Prioritario 2")},
             {&lbBloquesEnNodo, QStringLiteral("Bloques")},
             {&lbBaud232, QStringLiteral("Baudios232")},
             {&lbId232, QStringLiteral("ID")},
             {&lbBaud485, QStringLiteral("Baudios485")},
             {&lbId485, QStringLiteral("ID")},
             {&lbPortPLC, QStringLiteral("Puerto PLC")},
             {&lbIP, QStringLiteral("Dirección ip")},
             {&lbMsk, QStringLiteral("Máscara")},
             {&lbIpPort, QStringLiteral("Puerto")}}};
}

}  // namespace brisa::form
