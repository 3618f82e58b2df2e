#pragma once

#include <QList>
#include <QObject>

#include "Exchange.h"
#include "ImageReader.h"
#include "ImageVerification.h"
#include "NodeRequests.h"
#include "Programming.h"
#include "form/MainForm.h"

namespace brisa::readback {

// "Verificar": after a programming run, reads the node's memory image back and compares it
// with the blocks that run sent. Offered only for the node types whose memory can be read
// back (the same rule as the menu "Recuperar configuración desde el nodo").
class Verification : public QObject {
    Q_OBJECT
  public:
    Verification(form::MainForm& form, exchange::Programming& programming,
                 exchange::NodeRequests& requests, exchange::Exchange& exchange,
                 QObject* parent = nullptr);

    // Reads the image back; the result goes to lbProgramado. Does nothing without a completed
    // run, for a node type without read-back, or while an exchange runs.
    void cmdVerificar_Click();
    // Whether the node type now chosen can be read back.
    bool available() const;
    ImageReader& reader() { return reader_; }

  signals:
    // The image was read and compared: no differences means verified.
    void verified(const QList<brisa::readback::ByteDifference>& differences);
    // The reading broke off; the dispatch has shown why.
    void failed();

  private:
    void programmed();
    void compare(const NodeImage& image);

    form::MainForm& form_;
    exchange::Programming& programming_;
    exchange::Exchange& exchange_;
    ImageReader reader_;
    QList<compiler::ImageBlock> sent_;
};

}  // namespace brisa::readback
