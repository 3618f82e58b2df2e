#include "DwPrgHandlers.h"

#include <algorithm>

#include "Descompilar.h"
#include "NdFile.h"

namespace brisa::readback {

DwPrgHandlers::DwPrgHandlers(DwPrgForm& dw, form::MainForm& main, Session& session,
                             exchange::NodeRequests& requests, exchange::Exchange& exchange,
                             exchange::BlockSelection& blocks, MessagePresenter& messages,
                             std::function<void()> startUpControls, QObject* parent)
    : QObject(parent),
      dw_(dw),
      main_(main),
      session_(session),
      exchange_(exchange),
      blocks_(blocks),
      messages_(messages),
      startUpControls_(std::move(startUpControls)),
      reader_(requests, exchange, main.pointer) {
    connect(&main.nmRecupProg, &form::MenuItem::click, this, &DwPrgHandlers::nmRecupProg_Click);
    connect(&dw.lstPrg, &form::ListControl::click, this, &DwPrgHandlers::lstPrg_Click);
    connect(&dw.cmdExit, &form::CommandButton::click, this, &DwPrgHandlers::cmdExit_Click);
    connect(&dw.cmdDescompilar, &form::CommandButton::click, this,
            &DwPrgHandlers::cmdDescompilar_Click);
    connect(&dw.cmdSave, &form::CommandButton::click, this, &DwPrgHandlers::cmdSave_Click);
    connect(&reader_, &ImageReader::blockStored, this, [this](int block) {
        dw_.Pg1.setValue(block - FirstImageBlock + 1);
        dw_.lbEstado.setCaption(QStringLiteral("Leyendo bloque %1...").arg(block + 1));
    });
    connect(&reader_, &ImageReader::imageRead, this, &DwPrgHandlers::takeImage);
    connect(&reader_, &ImageReader::failed, this, [this] {
        dw_.lbEstado.setCaption(QStringLiteral("Error: la lectura no se completó (bloque %1).")
                                    .arg(FirstImageBlock + int(dw_.Pg1.value())));
        emit failed();
    });
}

void DwPrgHandlers::clearWindow() {
    for (form::ListBox* l : {&dw_.lstPrg, &dw_.lstBloques}) l->clear();
    for (const DwPrgForm::Field& f : dw_.decodedFields()) f.label->setCaption(QString());
    dw_.lbIndex.setCaption(QString());
}

void DwPrgHandlers::nmRecupProg_Click() {
    if (exchange_.running()) return;
    // Off before the exchange starts, so that its end does not give them back to a window
    // that has nothing whole to save.
    dw_.cmdSave.setEnabled(false);
    dw_.cmdDescompilar.setEnabled(false);
    clearWindow();
    dw_.Pg1.setValue(0);
    dw_.lbEstado.setCaption(QStringLiteral("Leyendo bloque %1...").arg(FirstImageBlock));
    dw_.window.setVisible(true);
    reader_.start();
}

void DwPrgHandlers::takeImage(const NodeImage& image) {
    std::copy(image.begin(), image.end(), buffer_.begin());
    hasImage_ = true;
    AnalizaRx();
    dw_.Pg1.setValue(dw_.Pg1.max());
    dw_.lbEstado.setCaption(QStringLiteral("Programa recuperado"));
    dw_.cmdSave.setEnabled(true);
    dw_.cmdDescompilar.setEnabled(!exchange_.running());
    emit completed();
}

void DwPrgHandlers::AnalizaRx() {
    const DwPrgTexts t = analizaRx(buffer_, conf_);
    dw_.lstPrg.setVisible(false);
    dw_.lstPrg.clear();
    for (const QString& line : t.lstPrg) dw_.lstPrg.addItem(line);
    dw_.lstPrg.setVisible(true);
    dw_.lstBloques.clear();
    for (const QString& entry : t.lstBloques) dw_.lstBloques.addItem(entry);
    dw_.lbBlUsed.setCaption(t.lbBlUsed);
    for (int i = 0; i < 2; ++i) {
        dw_.lbPri[i].setCaption(t.lbPri[i]);
        dw_.lbIpMsk[i].setCaption(t.lbIpMsk[i]);
    }
    dw_.lbId485.setCaption(t.lbId485);
    dw_.lbBaud485.setCaption(t.lbBaud485);
    dw_.lbId232.setCaption(t.lbId232);
    dw_.lbBaud232.setCaption(t.lbBaud232);
    dw_.lbPort232.setCaption(t.lbPort232);
    dw_.lbTcpPort.setCaption(t.lbTcpPort);
}

void DwPrgHandlers::lstPrg_Click() {
    const int i = dw_.lstPrg.listIndex();
    dw_.lbIndex.setCaption(i < 0 ? QString() : QString::number(i));
}

void DwPrgHandlers::cmdExit_Click() { dw_.window.setVisible(false); }

void DwPrgHandlers::cmdDescompilar_Click() {
    // The main window's program is what a running exchange sends.
    if (!hasImage_ || exchange_.running()) return;
    descompilar(conf_, main_, session_, blocks_, startUpControls_);
}

void DwPrgHandlers::cmdSave_Click() {
    if (hasImage_) emit saveRequested();
}

bool DwPrgHandlers::saveTo(const QString& path) {
    const bool wasBusy = main_.pointer.busy();
    main_.pointer.setBusy(true);
    const SaveResult r = saveNdFile(path, buffer_);
    main_.pointer.setBusy(wasBusy);
    if (!r.ok)
        messages_.warning(
            QStringLiteral("Guardar configuración nodo"),
            QStringLiteral("No se pudo guardar el archivo \"%1\": %2.").arg(path, r.error));
    return r.ok;
}

}  // namespace brisa::readback
