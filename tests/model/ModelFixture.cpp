#include "ModelFixture.h"

#include <unistd.h>

#include <QDir>
#include <QFile>

using namespace brisa;

ReadOnlyFolder::ReadOnlyFolder() {
    QFile f(dir_.filePath("Brisa.ini"));
    if (f.open(QIODevice::WriteOnly)) f.write(originalBytes());
    f.close();
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (geteuid() == 0) {
        path_ = QStringLiteral("/proc");
    } else {
        path_ = dir_.path();
        hadFile_ = true;
    }
}

ReadOnlyFolder::~ReadOnlyFolder() {
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray ReadOnlyFolder::fileBytes() const {
    return ModelFixture::read(dir_.filePath("Brisa.ini"));
}

ModelFixture::ModelFixture() {
    session.appFolder = dir.path() + u'/';
    handlers = std::make_unique<MainFormHandlers>(
        form, session, files, messages,
        [this](int port) -> ztklink::Result {
            pcPorts.append(port);
            if (port > refusePortsAbove)
                return ztklink::Result(
                    6, QStringLiteral("El puerto serie puede ser solo entre el 1 y el 8)"));
            driverPort = port;
            return {};
        },
        [this] { return driverPort; });
    handlers->FillPortLists();
    handlers->cbMinutosPopStartUp();
    handlers->FillSoftVerList();
}

void ModelFixture::write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ModelFixture::read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QStringList ModelFixture::windowState() const {
    QStringList s;
    const auto text = [&s](const form::TextBox& t) { s << t.objectName() + "=" + t.text(); };
    const auto list = [&s](const form::ListControl& l) {
        s << l.objectName() + "=" + QString::number(l.listIndex()) + ":" + l.items().join(u'|');
    };
    const auto opt = [&s](const form::OptionButton& o) {
        s << o.objectName() + "=" + QString::number(o.value());
    };
    const auto chk = [&s](const form::CheckBox& c) {
        s << c.objectName() + "=" + QString::number(c.value());
    };
    for (int i = 0; i < 4; ++i) {
        text(form.txtIP[i]);
        text(form.txtMsk[i]);
        text(form.txtGW[i]);
    }
    text(form.txtPort);
    for (int n = 0; n < MailAccounts; ++n) {
        text(form.txtAsunto[n]);
        text(form.txtDestinatario[n]);
        text(form.txtMensaje[n]);
        text(form.txtVarAttach[n]);
        chk(form.chkAttachVar[n]);
        opt(form.opMailRta[n]);
    }
    for (int n = 0; n < TriggerSets; ++n) {
        text(form.txtTriggerMail[n]);
        text(form.txtValTriggerMail[n]);
        for (const auto* o : {&form.opVarTipoBit[n], &form.opVarTipoByte[n], &form.opVarTipoWord[n],
                              &form.opValMenor[n], &form.opValIgual[n], &form.opValMayor[n]})
            opt(*o);
    }
    for (const auto* t : {&form.txtSMTP, &form.txtPop, &form.txtRemitente, &form.txtAutUser,
                          &form.txtAutPass, &form.txtNodoPASS, &form.txtPri[0], &form.txtPri[1]})
        text(*t);
    chk(form.chkAutenticacion);
    for (const form::ListControl* l : std::initializer_list<const form::ListControl*>{
             &form.cbMinutosPop, &form.cbSoftVer, &form.cbBaudios232, &form.cbBaudios485,
             &form.cbId232, &form.cbId485, &form.lstBlockFree, &form.lstUsed, &form.cbPSerie})
        list(*l);
    opt(form.opPortPLC[0]);
    opt(form.opPortPLC[1]);
    s << "pnlAutent=" + QString::number(form.pnlAutent.enabled());
    s << "frPopPLC=" + QString::number(form.frPopPLC.enabled());
    s << "lbPortPC=" + form.lbPortPC.caption();
    return s;
}

void ModelFixture::fillEveryField() {
    for (int i = 0; i < 4; ++i) {
        form.txtIP[i].setText(QString::number(192 - i));
        form.txtMsk[i].setText(QString::number(255 - i));
        form.txtGW[i].setText(QString::number(10 + i));
    }
    form.txtPort.setText("8080");
    form.cbPSerie.setListIndex(2);
    form.txtAutPass.setText("clave€ñ");
    form.txtAutUser.setText("usuario");
    form.txtPop.setText("pop.ejemplo.com");
    form.txtRemitente.setText("nodo@ejemplo.com");
    form.txtSMTP.setText("smtp.ejemplo.com");
    form.cbMinutosPop.setListIndex(8);
    form.txtNodoPASS.setText("Ab1Z");
    form.chkAutenticacion.setValue(1);
    for (int n = 0; n < MailAccounts; ++n) {
        form.txtAsunto[n].setText(QStringLiteral("Alarma número %1").arg(n));
        form.txtDestinatario[n].setText(QStringLiteral("op%1@ejemplo.com").arg(n));
        form.txtMensaje[n].setText(QStringLiteral("Señal, \"alta\"; valor=%1").arg(n));
        form.txtVarAttach[n].setText(QString::number(500 + n));
        form.chkAttachVar[n].setValue(n % 2);
    }
    for (int n = 0; n < TriggerSets; ++n) {
        form.txtTriggerMail[n].setText(QString::number(100 + n));
        form.txtValTriggerMail[n].setText(QString::number(40000 + n));
        (n % 3 == 0   ? form.opVarTipoBit
         : n % 3 == 1 ? form.opVarTipoByte
                      : form.opVarTipoWord)[n]
            .setValue(true);
        (n % 3 == 0   ? form.opValMayor
         : n % 3 == 1 ? form.opValMenor
                      : form.opValIgual)[n]
            .setValue(true);
    }
    form.opMailRta[3].setValue(true);
    form.lstBlockFree.clear();
    for (const char* b : {"001", "004", "031"}) form.lstBlockFree.addItem(b);
    form.lstUsed.clear();
    for (const char* b : {"007", "005", "200"}) form.lstUsed.addItem(b);
    form.txtPri[0].setText("005");
    form.txtPri[1].setText("200");
    form.cbBaudios232.setListIndex(4);
    form.cbBaudios485.setListIndex(5);
    form.opPortPLC[0].setValue(true);
    form.cbId232.setListIndex(9);
    form.cbId485.setListIndex(254);
    form.cbSoftVer.setListIndex(73);
}
