#include "TipWindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisa::ui {

TipWindow::TipWindow(wizard::TipForm& form)
    : QWidget(nullptr, Qt::Window), f_(form), binding_(this) {
    setObjectName(f_.window.objectName());
    setWindowTitle(QStringLiteral("Sugerencia"));
    // A window without owner would otherwise keep the program alive after the main window.
    setAttribute(Qt::WA_QuitOnClose, false);

    // The sample: a field with its caption, and below it the tooltip the pointer brings up.
    auto* sample = new QFrame(this);
    sample->setFrameShape(QFrame::StyledPanel);
    sample->setBackgroundRole(QPalette::Base);
    sample->setAutoFillBackground(true);
    auto* caption = make<QLabel>(f_.lbParametro);
    auto* value = make<QLabel>(f_.lbValor);
    value->setFrameShape(QFrame::Panel);
    value->setFrameShadow(QFrame::Sunken);
    value->setBackgroundRole(QPalette::Base);
    value->setAutoFillBackground(true);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    value->setContentsMargins(4, 2, 4, 2);
    auto* tooltip = make<QLabel>(f_.lbTooltip);
    tooltip->setFrameShape(QFrame::Box);
    tooltip->setForegroundRole(QPalette::ToolTipText);
    tooltip->setBackgroundRole(QPalette::ToolTipBase);
    tooltip->setAutoFillBackground(true);
    tooltip->setContentsMargins(4, 1, 4, 1);
    auto* g = new QGridLayout(sample);
    g->addWidget(caption, 0, 0);
    g->addWidget(value, 0, 1);
    g->addWidget(tooltip, 1, 1, 1, 2, Qt::AlignLeft);
    g->setColumnStretch(2, 1);
    g->setColumnMinimumWidth(2, value->minimumWidth() / 2);

    auto* text = make<QLabel>(f_.lbTip);
    text->setWordWrap(true);
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 40);
    auto* ok = make<QPushButton>(f_.cmdOK);
    ok->setDefault(true);

    auto* v = new QVBoxLayout(this);
    v->addWidget(sample);
    v->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    v->addLayout(buttons);

    // A click or a key anywhere closes it, whichever child has it.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);

    auto sync = [this] {
        if (f_.window.visible() == isVisible()) return;
        if (f_.window.visible()) {
            show();
            raise();
            activateWindow();
        } else {
            hide();
        }
    };
    connect(&f_.window, &form::Control::changed, this, sync);
}

template <typename W, typename C>
W* TipWindow::make(C& control) {
    auto* w = new W(this);
    w->setObjectName(control.objectName());
    binding_.bind(control, w);
    return w;
}

bool TipWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress) {
        f_.close();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void TipWindow::closeEvent(QCloseEvent* e) {
    f_.close();
    e->accept();
}

}  // namespace brisa::ui
