#include "WizardWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "TipWindow.h"

namespace brisa::ui {

WizardWindow::WizardWindow(App& app, QWidget* owner)
    : QDialog(owner), app_(app), f_(app.wizardForm), binding_(this) {
    setObjectName(f_.window.objectName());
    setWindowTitle(QStringLiteral("Asistente de configuración"));

    auto* picture = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    picture->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(iconSize, iconSize));
    picture->setAlignment(Qt::AlignTop);
    auto* instruction = make<QLabel>(f_.lbW);
    instruction->setWordWrap(true);
    instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest instruction without the window changing size between steps.
    const QFontMetrics fm = instruction->fontMetrics();
    instruction->setMinimumWidth(fm.averageCharWidth() * 48);
    instruction->setMinimumHeight(fm.lineSpacing() * 6);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(instruction, 1);

    auto* tip = make<QPushButton>(f_.cmdTip);
    auto* previous = make<QPushButton>(f_.cmdAnterior);
    auto* next = make<QPushButton>(f_.cmdSiguiente);
    next->setDefault(true);  // Enter goes on to the next step
    auto* cancel = make<QPushButton>(f_.cmdCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tip);
    buttons->addStretch(1);
    buttons->addWidget(previous);
    buttons->addWidget(next);
    buttons->addWidget(cancel);

    auto* v = new QVBoxLayout(this);
    v->addLayout(top, 1);
    v->addLayout(buttons);

    // Esc and the title bar's close end the dialog: that is "Cerrar".
    connect(this, &QDialog::finished, &app_.wizard, &wizard::Wizard::close);

    tips_ = std::make_unique<TipWindow>(app.tipForm);

    // The form opens and closes the window.
    connect(&f_.window, &form::Control::changed, this, [this, next] {
        if (f_.window.visible() == isVisible()) {
            if (isVisible()) raise();
            return;
        }
        if (f_.window.visible()) {
            placeBesideOwner();
            show();
            raise();
            activateWindow();
            next->setFocus(Qt::OtherFocusReason);
        } else {
            hide();
        }
    });
}

WizardWindow::~WizardWindow() = default;

template <typename W, typename C>
W* WizardWindow::make(C& control) {
    auto* w = new W(this);
    w->setObjectName(control.objectName());
    binding_.bind(control, w);
    return w;
}

void WizardWindow::placeBesideOwner() {
    QWidget* owner = parentWidget();
    if (!owner) return;
    adjustSize();
    const QRect main = owner->frameGeometry();
    const QScreen* screen = owner->screen();
    const QRect room = screen ? screen->availableGeometry() : main;
    const QSize size = frameGeometry().size().expandedTo(sizeHint());
    const int gap = 8;
    QPoint at;
    if (main.right() + gap + size.width() <= room.right())  // to the right
        at = QPoint(main.right() + gap, main.bottom() - size.height());
    else if (main.bottom() + gap + size.height() <= room.bottom())  // below
        at = QPoint(main.right() - size.width(), main.bottom() + gap);
    else  // over the main window's lower right corner
        at = QPoint(room.right() - size.width(), main.bottom() - size.height());
    at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - size.width())));
    at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() - size.height())));
    move(at);
}

}  // namespace brisa::ui
