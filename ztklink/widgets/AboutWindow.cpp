#include "AboutWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "CommZTK90.h"

namespace ztklink {
namespace {

const char* const kMaker = "TALVO";
const char* const kMakerUrl = "https://www.talvo.com.ar";
const char* const kDeveloper = "Equipo Brisa";
const char* const kDeveloperUrl = "https://www.talvo.com.ar/brisa";

QPointer<AboutWindow>& currentWindow() {
    thread_local QPointer<AboutWindow> window;
    return window;
}

QLabel* linkLabel(const QString& text, const QString& url, QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(url, text.toHtmlEscaped()), parent);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    // Opened in the system's browser, never inside the program.
    label->setOpenExternalLinks(false);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    return label;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Acerca de..."));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* title = new QLabel(QStringLiteral("Driver comunicación ZTK90x"), this);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title->setFont(f);

    lbVersion_ = new QLabel(QStringLiteral("00.00.00"), this);
    lbDescription_ = new QLabel(this);
    lbDescription_->setWordWrap(true);

    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(new QLabel(QStringLiteral("Versión"), this));
    versionRow->addWidget(lbVersion_);
    versionRow->addStretch();

    auto* developerRow = new QHBoxLayout;
    developerRow->addWidget(new QLabel(QStringLiteral("Desarrollado por"), this));
    developerRow->addWidget(linkLabel(QString::fromUtf8(kDeveloper), QString::fromUtf8(kDeveloperUrl), this));
    developerRow->addStretch();

    cmdAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar_->setVisible(false);
    connect(cmdAceptar_, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAceptar_);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new CommZTK90Picture(this), 0, Qt::AlignTop);
    top->addWidget(title, 1);
    layout->addLayout(top);
    layout->addLayout(versionRow);
    layout->addWidget(new QLabel(QStringLiteral("Optimizado 9x  NT"), this));
    layout->addWidget(lbDescription_);
    layout->addLayout(developerRow);
    layout->addWidget(linkLabel(QString::fromUtf8(kMakerUrl), QString::fromUtf8(kMakerUrl), this));
    layout->addLayout(buttons);

    // Filled on opening.
    lbVersion_->setText(CommZTK90::Version());
    lbDescription_->setText(
        QStringLiteral("Driver de comunicación para PLCs TALVO ZTK90 y compatibles.\n"
                       "Este driver se provee \"como es\", sin garantía de ningún tipo y sin "
                       "soporte técnico gratuito por parte de %1.")
            .arg(QString::fromUtf8(kMaker)));
    QTimer::singleShot(AcceptDelayMs, cmdAceptar_, [b = cmdAceptar_] { b->setVisible(true); });
}

AboutWindow* AboutWindow::existingForThisThread() { return currentWindow().data(); }

AboutWindow* AboutWindow::showForThisThread() {
    auto& window = currentWindow();
    if (!window) window = new AboutWindow;
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

// ---------------------------------------------------------------- picture

namespace {
constexpr QSize kPictureSize(32, 32);
}

CommZTK90Picture::CommZTK90Picture(QWidget* parent) : QWidget(parent) {
    setFixedSize(kPictureSize);
    setToolTip(QStringLiteral("Driver comunicación ZTK90 Full Duplex"));
}

QSize CommZTK90Picture::sizeHint() const { return kPictureSize; }

void CommZTK90Picture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size() != kPictureSize) resize(kPictureSize);
}

void CommZTK90Picture::paintEvent(QPaintEvent*) {
    // A serial plug with the family name: drawn rather than shipped as a file.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xF0));
    p.setPen(QPen(QColor(0x20, 0x40, 0x80), 1.5));
    p.setBrush(QColor(0x30, 0x60, 0xB0));
    p.drawRoundedRect(QRectF(3, 6, 26, 14), 3, 3);
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(7.5 + i * 4.2, 11), 1.2, 1.2);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(9.6 + i * 4.2, 15.5), 1.2, 1.2);
    QFont f = font();
    f.setPixelSize(8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.drawText(QRect(0, 21, 32, 10), Qt::AlignCenter, QStringLiteral("ZTK90"));
}

// ---------------------------------------------------------------- the hook

namespace widgets {

void install() {
    setAboutHandler([] {
        // A console host that links this library anyway has no windows to show.
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) AboutWindow::showForThisThread();
    });
}

namespace {
// Installed on loading, so that every host that links the library gets the window.
const bool installedOnLoad = (install(), true);
}  // namespace

}  // namespace widgets
}  // namespace ztklink
