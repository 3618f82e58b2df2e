#pragma once

#include <QObject>
#include <functional>

#include "AnalizaRx.h"
#include "ConfNodo.h"
#include "DwPrgForm.h"
#include "Exchange.h"
#include "ImageReader.h"
#include "MessagePresenter.h"
#include "NodeImage.h"
#include "NodeRequests.h"
#include "Session.h"
#include "exchange/BlockSelection.h"
#include "form/MainForm.h"

namespace brisa::readback {

// "Recuperar configuración desde el nodo" and the window frmDwPrg: the node's memory image read
// into the read-back buffer, shown raw and decoded, taken back into the main window
// ("Descompilar") or saved as a ".nd" file ("Salvar"). The buffer and the decoded record live
// as long as the program; closing the window keeps them.
class DwPrgHandlers : public QObject {
    Q_OBJECT
  public:
    DwPrgHandlers(DwPrgForm& dw, form::MainForm& main, Session& session,
                  exchange::NodeRequests& requests, exchange::Exchange& exchange,
                  exchange::BlockSelection& blocks, MessagePresenter& messages,
                  std::function<void()> startUpControls, QObject* parent = nullptr);

    const ReadBackBuffer& buffer() const { return buffer_; }
    const ConfNodo& confNodo() const { return conf_; }
    // True once a whole image has been read and decoded.
    bool hasImage() const { return hasImage_; }
    ImageReader& reader() { return reader_; }

    // The menu command: opens the window and reads blocks 100 to 115. The window shows nothing
    // decoded until the last block has come; the previous image stays until then.
    void nmRecupProg_Click();
    // Decodes the buffer into the record and the window.
    void AnalizaRx();
    void lstPrg_Click();
    void cmdExit_Click();
    void cmdDescompilar_Click();
    // "Salvar": the window asks where (saveRequested) and calls saveTo.
    void cmdSave_Click();
    // Writes the buffer to `path`; a failure is told to the user, naming the file.
    bool saveTo(const QString& path);

    // Puts an image into the buffer and decodes it, as the last reply of a reading does.
    void takeImage(const NodeImage& image);

  signals:
    void saveRequested();
    // A reading ended: the image is decoded, or the chain broke off.
    void completed();
    void failed();

  private:
    void clearWindow();

    DwPrgForm& dw_;
    form::MainForm& main_;
    Session& session_;
    exchange::Exchange& exchange_;
    exchange::BlockSelection& blocks_;
    MessagePresenter& messages_;
    std::function<void()> startUpControls_;
    ImageReader reader_;
    ReadBackBuffer buffer_{};
    ConfNodo conf_;
    bool hasImage_ = false;
};

}  // namespace brisa::readback
