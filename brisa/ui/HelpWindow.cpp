#include "HelpWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "Manual.h"

namespace brisa::ui {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmAyuda"));
    setWindowTitle(QStringLiteral("Ayuda - Programador de nodos TALVO"));

    back_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("A&trás"),
                            this);
    back_->setObjectName(QStringLiteral("cmdAtras"));
    back_->setToolTip(QStringLiteral("Volver a la sección anterior (Alt+Izquierda)"));
    forward_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward),
                               QStringLiteral("A&delante"), this);
    forward_->setObjectName(QStringLiteral("cmdAdelante"));
    forward_->setToolTip(QStringLiteral("Ir a la sección siguiente ya vista (Alt+Derecha)"));
    contents_ = new QPushButton(QStringLiteral("&Contenido"), this);
    contents_->setObjectName(QStringLiteral("cmdContenido"));
    contents_->setToolTip(QStringLiteral("Ir al índice del manual"));
    auto* close = new QPushButton(QStringLiteral("Ce&rrar"), this);
    close->setObjectName(QStringLiteral("cmdCerrar"));
    for (QPushButton* b : {back_, forward_, contents_, close}) b->setAutoDefault(false);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtAyuda"));
    // Links to the maker's site and the like go to the system's browser.
    browser_->setOpenExternalLinks(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(contents_);
    bar->addStretch(1);
    bar->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addLayout(bar);
    v->addWidget(browser_, 1);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, [this] {
        if (contentsUrl_.isValid()) browser_->setSource(contentsUrl_);
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (auto [keys, target] :
         {std::pair{QKeySequence::Back, back_}, std::pair{QKeySequence::Forward, forward_}}) {
        auto* s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, target, &QPushButton::click);
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    resize(QSize(fontMetrics().averageCharWidth() * 130, fontMetrics().lineSpacing() * 40));
}

void HelpWindow::showAt(const QUrl& url) {
    const QString file = url.toLocalFile();
    if (!QFileInfo(file).isFile()) {
        contentsUrl_ = QUrl();
        browser_->clearHistory();
        browser_->setHtml(QStringLiteral("<h2>Ayuda</h2><p>No se encontró el manual \"%1\".</p>"
                                         "<p>Debe estar en la carpeta del programa. Mientras "
                                         "tanto, deje el puntero del mouse inmóvil sobre "
                                         "cualquier elemento de la pantalla para ver su "
                                         "ayuda.</p>")
                              .arg(file.toHtmlEscaped()));
    } else {
        contentsUrl_ = QUrl::fromLocalFile(file);
        contentsUrl_.setFragment(QLatin1String(manual::Contents));
        if (browser_->source() == url)
            browser_->scrollToAnchor(url.fragment());  // already there: back to its top
        else
            browser_->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace brisa::ui
