#pragma once

#include <QObject>
#include <optional>

#include "Exchange.h"
#include "NodeRequests.h"
#include "Session.h"
#include "compiler/Image.h"
#include "form/MainForm.h"

namespace brisa::exchange {

// "Programar": writes the configuration image into the node, one block per acknowledgement.
// Each block is built from the window as it is when the node acknowledged the previous one;
// the e-mail text stream is taken once, when block 30 is acknowledged, and kept for the run.
class Programming : public QObject {
    Q_OBJECT
  public:
    Programming(form::MainForm& form, Session& session, NodeRequests& requests,
                Exchange& exchange, QObject* parent = nullptr);

    // Starts: busy pointer, "...", the bar, then header block 5. Pressing "&Programar " runs
    // it. Refused while another exchange runs, and when the compiled scan list is longer than
    // the chosen node takes (the compile report's line goes to lbProgramado).
    void cmdProgramar_Click();
    // The node acknowledged the write of `block`: sends the next block or completes. False
    // when the acknowledgement belongs to no step (nothing changes then).
    bool writeAcknowledged(int block);
    // The blocks of the last run as they went out, in sending order.
    const QList<compiler::ImageBlock>& sentBlocks() const { return sent_; }

  signals:
    void blockSent(int block);
    // "Programado" or "Programado!" is shown.
    void completed(const QString& status);
    // "&Programar " was pressed but nothing was sent; `reason` says why.
    void refused(const QString& reason);

  private:
    void send(int block, const compiler::ImageSnapshot& snapshot);

    form::MainForm& form_;
    Session& session_;
    NodeRequests& requests_;
    Exchange& exchange_;
    // The bytes already in the control's transmit area, which a block leaves as they are
    // where it assigns nothing.
    compiler::TxArea tx_{};
    std::optional<compiler::TextStream> stream_;
    QList<compiler::ImageBlock> sent_;
};

}  // namespace brisa::exchange
