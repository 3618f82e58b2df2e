#include "DwPrgWindow.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisa::ui {

DwPrgWindow::DwPrgWindow(App& app, QWidget* owner)
    : QWidget(owner, Qt::Window), app_(app), f_(app.dwPrg), binding_(this) {
    setObjectName(f_.window.objectName());
    setWindowTitle(QStringLiteral("Programa recuperado"));

    auto* raw = new QGroupBox(QStringLiteral("Memoria del nodo"));
    auto* rv = new QVBoxLayout(raw);
    auto* bytes = make<QListWidget>(f_.lstPrg);
    bytes->setMaximumWidth(bytes->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 40);
    rv->addWidget(bytes, 1);
    auto* index = new QHBoxLayout;
    index->addWidget(new QLabel(QStringLiteral("Índice:")));
    index->addWidget(make<QLabel>(f_.lbIndex), 1);
    rv->addLayout(index);

    auto* decoded = new QGroupBox(QStringLiteral("Configuración"));
    auto* form = new QFormLayout(decoded);
    for (const readback::DwPrgForm::Field& field : f_.decodedFields())
        form->addRow(field.caption + QLatin1Char(':'), make<QLabel>(*field.label));

    auto* scan = new QGroupBox(QStringLiteral("Recorrido de bloques"));
    auto* sv = new QVBoxLayout(scan);
    sv->addWidget(make<QListWidget>(f_.lstBloques));

    auto* middle = new QHBoxLayout;
    middle->addWidget(raw);
    middle->addWidget(decoded, 2);
    middle->addWidget(scan, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(make<QPushButton>(f_.cmdDescompilar));
    buttons->addStretch(1);
    buttons->addWidget(make<QPushButton>(f_.cmdSave));
    buttons->addWidget(make<QPushButton>(f_.cmdExit));

    auto* v = new QVBoxLayout(this);
    v->addLayout(middle, 1);
    auto* bar = make<QProgressBar>(f_.Pg1);
    bar->setFormat(QStringLiteral("%v / %m"));
    v->addWidget(bar);
    auto* status = make<QLabel>(f_.lbEstado);
    status->setWordWrap(true);
    v->addWidget(status);
    v->addLayout(buttons);

    // The form opens and closes the window.
    auto sync = [this] { setVisible(f_.window.visible()); };
    connect(&f_.window, &form::Control::changed, this, [this, sync] {
        sync();
        if (isVisible()) raise();
    });
    connect(&app.readBack, &readback::DwPrgHandlers::saveRequested, this, &DwPrgWindow::save);
    resize(sizeHint().expandedTo(QSize(640, 460)));
}

template <typename W, typename C>
W* DwPrgWindow::make(C& control) {
    auto* w = new W(this);
    w->setObjectName(control.objectName());
    binding_.bind(control, w);
    return w;
}

std::unique_ptr<QFileDialog> DwPrgWindow::saveDialog() {
    auto dialog = std::make_unique<QFileDialog>(this, QStringLiteral("Guardar configuración nodo"),
                                                app_.session.appFolder + QStringLiteral("Files"),
                                                QStringLiteral("Nodo conf. (*.nd)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("nd"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    return dialog;
}

void DwPrgWindow::save() {
    const auto dialog = saveDialog();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
    app_.readBack.saveTo(dialog->selectedFiles().constFirst());
}

void DwPrgWindow::closeEvent(QCloseEvent* e) {
    // Closing by the title bar is "Cerrar".
    f_.window.setVisible(false);
    e->accept();
}

}  // namespace brisa::ui
