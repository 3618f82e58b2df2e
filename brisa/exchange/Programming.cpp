#include "Programming.h"

#include "FormSnapshot.h"
#include "compiler/ProgrammingSequence.h"
#include "compiler/ScanList.h"

namespace brisa::exchange {

using namespace compiler;

Programming::Programming(form::MainForm& form, Session& session, NodeRequests& requests,
                         Exchange& exchange, QObject* parent)
    : QObject(parent), form_(form), session_(session), requests_(requests), exchange_(exchange) {
    connect(&form.cmdProgramar, &form::CommandButton::click, this,
            &Programming::cmdProgramar_Click);
}

void Programming::cmdProgramar_Click() {
    // A second start would send the header again in the middle of the chain.
    if (exchange_.running()) return;
    // The header tells the node how many entries follow; it must never claim more than the
    // node keeps, whatever changed since the compile.
    const int capacity = scanCapacity(session_.hardVer, session_.softVer);
    if (form_.lstCompilado.count() > capacity) {
        const QString line = capacityExceededLine(capacity);
        form_.cmdProgramar.setVisible(false);
        form_.lbProgramado.setCaption(line);
        emit refused(line);
        return;
    }
    exchange_.begin(Exchange::Kind::Programming);
    form_.pointer.setBusy(true);
    form_.lbProgramado.setCaption(QStringLiteral("..."));
    form_.lbStatus.setCaption(QString());
    const Progress start = startProgress(form_.mnMemH.checked());
    form_.PgBar1.setMax(start.maximum);
    stream_.reset();
    sent_.clear();
    // Whatever the last exchange left (a completed run leaves no watchdog at all), the header
    // must not wait for ever.
    requests_.armWatchdog();
    send(HeaderBlock, imageSnapshot(form_));
    form_.PgBar1.setValue(start.value);
}

bool Programming::writeAcknowledged(int block) {
    const Progress current{int(form_.PgBar1.value()), int(form_.PgBar1.max())};
    const WriteStep step = writeStep(session_.hardVer, session_.softVer, block, current);
    if (!step.handled) return false;

    if (!step.status.isEmpty()) form_.lbProgramado.setCaption(step.status);
    form_.PgBar1.setMax(step.progress.maximum);
    form_.PgBar1.setValue(step.progress.value);
    if (step.nextBlock >= 0) {
        const ImageSnapshot snapshot = imageSnapshot(form_);
        if (step.buildTextStream) stream_ = buildTextStream(snapshot);
        send(step.nextBlock, snapshot);
    }
    if (step.completion != Completion::None) {
        // The short serial run has always ended without a watchdog; the next start arms it.
        if (step.completion == Completion::Programado) (void)requests_.link().setWatchDogTime(0);
        form_.pointer.setBusy(false);
        stream_.reset();
        exchange_.end();
        emit completed(step.status);
    }
    return true;
}

void Programming::send(int block, const ImageSnapshot& snapshot) {
    buildBlock(block, snapshot, stream_ ? &*stream_ : nullptr, tx_);
    sent_.append({block, tx_});
    requests_.write(block, tx_);
    emit blockSent(block);
}

}  // namespace brisa::exchange
