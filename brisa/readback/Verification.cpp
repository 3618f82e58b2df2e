#include "Verification.h"

namespace brisa::readback {

namespace {
// The status label has room for a few lines; brisa-cli lists them all.
constexpr int ShownDifferences = 6;
}  // namespace

Verification::Verification(form::MainForm& form, exchange::Programming& programming,
                           exchange::NodeRequests& requests, exchange::Exchange& exchange,
                           QObject* parent)
    : QObject(parent),
      form_(form),
      programming_(programming),
      exchange_(exchange),
      reader_(requests, exchange, form.pointer) {
    form.cmdVerificar.setVisible(false);
    connect(&form.cmdVerificar, &form::CommandButton::click, this,
            &Verification::cmdVerificar_Click);
    connect(&programming, &exchange::Programming::completed, this, &Verification::programmed);
    // A new run makes the last one's blocks meaningless.
    connect(&exchange, &exchange::Exchange::runningChanged, this, [this](bool running) {
        if (running && exchange_.kind() == exchange::Exchange::Kind::Programming) {
            sent_.clear();
            form_.cmdVerificar.setVisible(false);
        }
    });
    connect(&reader_, &ImageReader::blockStored, this,
            [this](int block) { form_.PgBar1.setValue(block - FirstImageBlock + 1); });
    connect(&reader_, &ImageReader::imageRead, this, &Verification::compare);
    connect(&reader_, &ImageReader::failed, this, &Verification::failed);
}

bool Verification::available() const {
    // The menu item is enabled by the node type alone while no exchange runs.
    return form_.nmRecupProg.enabled();
}

void Verification::programmed() {
    sent_ = programming_.sentBlocks();
    form_.cmdVerificar.setVisible(available());
}

void Verification::cmdVerificar_Click() {
    if (sent_.isEmpty() || exchange_.running() || !available()) return;
    form_.lbProgramado.setCaption(QStringLiteral("Verificando..."));
    form_.PgBar1.setMax(LastImageBlock - FirstImageBlock + 1);
    form_.PgBar1.setValue(0);
    reader_.start();
}

void Verification::compare(const NodeImage& image) {
    const QList<ByteDifference> differences = compareNodeImage(sent_, image);
    form_.lbProgramado.setCaption(verificationText(differences, ShownDifferences));
    emit verified(differences);
}

}  // namespace brisa::readback
