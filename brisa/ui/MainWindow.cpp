#include "MainWindow.h"

#include <QStatusBar>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "AboutWindow.h"
#include "BlockMapWidget.h"
#include "Manual.h"

namespace brisa::ui {

using namespace form;

namespace {

// In the system's browser; the outcome is not reported.
void openWebAddress(const QString& url) { QDesktopServices::openUrl(QUrl::fromUserInput(url)); }

QLabel* text(const QString& t, QWidget* parent = nullptr) {
    auto* l = new QLabel(t, parent);
    l->setWordWrap(true);
    return l;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* h = new QHBoxLayout;
    for (QWidget* w : widgets) h->addWidget(w);
    if (stretch) h->addStretch(1);
    return h;
}

QWidget* page(QLayout* layout) {
    auto* w = new QWidget;
    w->setLayout(layout);
    return w;
}

// A caption beside a field: its buddy, which a screen reader speaks as the field's name.
QLabel* caption(const QString& t, QWidget* buddy) {
    auto* l = new QLabel(t);
    l->setBuddy(buddy);
    return l;
}

// A page of the main tab: it scrolls when the window is smaller than the page, instead of
// squeezing or cutting its fields.
QScrollArea* scrolling(QWidget* content) {
    auto* area = new QScrollArea;
    area->setWidget(content);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    return area;
}

// The first field of `page` that Tab would reach (the bars of inner tabs are passed over).
QWidget* firstTabStop(QWidget* page) {
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain())
        if (page->isAncestorOf(w) && w->isVisibleTo(page) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QTabBar*>(w) &&
            !qobject_cast<QTabWidget*>(w))
            return w;
    return nullptr;
}

// Shows the next (step 1) or previous (-1) page and puts the focus in its first field.
void turnPage(QTabWidget* tabs, int step) {
    const int n = tabs->count();
    tabs->setCurrentIndex((tabs->currentIndex() + step + n) % n);
    if (QWidget* first = firstTabStop(tabs->currentWidget())) first->setFocus(Qt::TabFocusReason);
}

// The innermost tabs around the focus, or `outer`.
QTabWidget* tabsAroundFocus(QTabWidget* outer) {
    for (QWidget* w = QApplication::focusWidget(); w && w != outer; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs;
    return outer;
}

const QString LinkStyle = QStringLiteral(
    "QLabel { color: palette(link); text-decoration: underline; border: 1px solid transparent; }"
    "QLabel:focus { border: 1px dotted palette(text); }");

const QString ProgramFilter = QStringLiteral("Programa conf. nodo (*.nod)");

}  // namespace

template <typename W, typename C>
W* MainWindow::make(C& control) {
    auto* w = new W(this);
    w->setObjectName(control.objectName());
    binding_.bind(control, w);
    return w;
}

QLineEdit* MainWindow::field(TextBox& t, int columns) {
    auto* e = make<QLineEdit>(t);
    if (columns > 0)
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QString(columns + 2, QLatin1Char('0'))));
    return e;
}

ClickableLabel* MainWindow::link(Label& l) {
    auto* w = make<ClickableLabel>(l);
    w->setCursor(Qt::PointingHandCursor);
    w->setStyleSheet(LinkStyle);
    return w;
}

MainWindow::MainWindow(App& app, QWidget* parent)
    : QMainWindow(parent), app_(app), f_(app.form), binding_(this) {
    setWindowTitle(QStringLiteral("Programador de nodos TALVO"));
    setObjectName(QStringLiteral("frmMain"));
    dwPrg_ = new DwPrgWindow(app, this);

    auto* central = new QWidget(this);
    auto* v = new QVBoxLayout(central);

    auto* title = link(f_.lbVersion);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title->setFont(big);
    title->setStyleSheet(QStringLiteral("QLabel { border: 1px solid transparent; }"
                                        "QLabel:focus { border: 1px dotted palette(text); }"));
    title->setToolTip(QStringLiteral("Visitar el sitio del fabricante"));
    auto* picture = new ztklink::CommZTK90Picture(central);
    picture->setObjectName(QStringLiteral("ZTK90"));
    picture->setToolTip(QStringLiteral("Controlador de enlace ZTK90"));
    auto* top = new QHBoxLayout;
    top->addWidget(title, 1);
    top->addWidget(picture);
    v->addLayout(top);

    auto* tab1 = new QTabWidget(central);
    tab1->setObjectName(f_.Tab1.objectName());
    for (QWidget* p : {pageTipoNodo(), pagePuertos(), pageEthernet(), pagePrograma(),
                       pageInterrogar(), pageSeteos()})
        tab1->addTab(scrolling(p), QString());
    binding_.bind(f_.Tab1, tab1);  // once its pages exist: their captions
    v->addWidget(tab1, 1);
    // Ctrl+Tab turns the main pages from anywhere in the window, Ctrl+PgDn/PgUp the pages of
    // the tabs the focus is in (the e-mail accounts); the focus goes to the new page's first
    // field.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), [tab1] { turnPage(tab1, 1); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), [tab1] { turnPage(tab1, -1); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), [tab1] { turnPage(tab1, -1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), [tab1] { turnPage(tabsAroundFocus(tab1), 1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), [tab1] { turnPage(tabsAroundFocus(tab1), -1); }},
    };
    for (const auto& [sequence, action] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, action);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(link(f_.lbComNodo));
    bottom->addWidget(link(f_.lbPortPC));
    bottom->addWidget(link(f_.lbTipoND));
    bottom->addWidget(link(f_.lbVerTipo));
    bottom->addStretch(1);
    bottom->addWidget(make<QPushButton>(f_.cmdLoadPrg));
    bottom->addWidget(make<QPushButton>(f_.cmdSavePrg));
    bottom->addWidget(make<QPushButton>(f_.cmdEnd));
    v->addLayout(bottom);
    setCentralWidget(central);

    // The driver's own words for the last link failure ("permiso denegado", "no existe"),
    // where "Error" alone would not tell the technician what to fix.
    auto* status = make<QLabel>(f_.lbStatus);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(status, 1);

    buildMenus();
    binding_.bind(f_.pointer);
    binding_.followFocus(f_);

    connect(&f_.cmdLoadPrg, &Label::click, this, &MainWindow::loadProgram);
    connect(&f_.mnCargarArchivo, &MenuItem::click, this, &MainWindow::loadProgram);
    connect(&f_.cmdSavePrg, &Label::click, this, &MainWindow::saveProgram);
    connect(&f_.mnAcercaDe, &MenuItem::click, this, [this] { showAbout(); });
    connect(&f_.mnAyuda, &MenuItem::click, this, &MainWindow::showHelp);

    // The wizard and the manual: F1 opens the manual at the page the window shows, also
    // while the wizard (which turns the pages) has the keyboard.
    wizard_ = new WizardWindow(app, this);
    help_ = new HelpWindow(this);
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(wizard_)}) {
        auto* f1 = new QShortcut(QKeySequence::HelpContents, w);
        connect(f1, &QShortcut::activated, this, &MainWindow::showPageHelp);
    }

    // The core only asks for the maker's site: a browser is the desktop's business.
    connect(&app_.windowHandlers, &WindowHandlers::webSiteRequested, this, &openWebAddress);
    connect(&app_, &App::quitRequested, this, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });
}

void MainWindow::buildMenus() {
    QMenu* archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    QAction* cargar = archivo->addAction(QString());
    binding_.bind(f_.mnCargarArchivo, cargar);
    archivo->addSeparator();
    QAction* about = archivo->addAction(QString());
    binding_.bind(f_.mnAcercaDe, about);
    QAction* help = archivo->addAction(QString());
    binding_.bind(f_.mnAyuda, help);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Herramientas"));
    QAction* memH = tools->addAction(QString());
    memH->setCheckable(true);
    binding_.bind(f_.mnMemH, memH);
    QAction* recup = tools->addAction(QString());
    binding_.bind(f_.nmRecupProg, recup);
    tools->addSeparator();
    QAction* monitor = tools->addAction(QStringLiteral("&Monitor de tramas"));
    monitor->setObjectName(QStringLiteral("mnMonitor"));
    monitor->setToolTip(QStringLiteral("Ver cada trama enviada al nodo y recibida de él"));
    connect(monitor, &QAction::triggered, this, [this] { showMonitor(); });
}

QWidget* MainWindow::pageTipoNodo() {
    auto* types = new QGroupBox(QStringLiteral("Tipo de nodo"));
    auto* tv = new QVBoxLayout(types);
    tv->addWidget(make<QRadioButton>(f_.opNodo232x485));
    tv->addWidget(make<QRadioButton>(f_.opNodoEth));

    auto* version = new QGroupBox(QStringLiteral("Versión"));
    auto* vv = new QVBoxLayout(version);
    auto* soft = make<QComboBox>(f_.cbSoftVer);
    soft->setWhatsThis(QStringLiteral("Elija una versión para el tipo selecto para activar las "
                                      "características correspondientes"));
    vv->addLayout(row({caption(QStringLiteral("Versión de software"), soft), soft}));
    auto* about = make<QLabel>(f_.lbAboutVer);
    about->setWordWrap(true);
    about->setMinimumHeight(about->fontMetrics().lineSpacing() * 3);
    vv->addWidget(about);

    auto* v = new QVBoxLayout;
    auto* h = new QHBoxLayout;
    h->addWidget(types);
    h->addWidget(version, 1);
    v->addLayout(h);
    v->addLayout(row({make<QPushButton>(f_.cmdWizard)}));
    v->addStretch(1);
    return page(v);
}

QWidget* MainWindow::pagePuertos() {
    auto* rs232 = new QGroupBox(QStringLiteral("Puerto RS-232"));
    auto* g232 = new QFormLayout(rs232);
    g232->addRow(QStringLiteral("Baudios"), make<QComboBox>(f_.cbBaudios232));
    g232->addRow(QStringLiteral("ID"), make<QComboBox>(f_.cbId232));
    auto* plc = new QGroupBox(QStringLiteral("Puerto del PLC"));
    plc->setToolTip(QStringLiteral("Puerto del PLC (canal A o B)"));
    auto* pv = new QHBoxLayout(plc);
    pv->addWidget(make<QRadioButton>(f_.opPortPLC[0]));
    pv->addWidget(make<QRadioButton>(f_.opPortPLC[1]));
    g232->addRow(plc);

    auto* rs485 = make<QGroupBox>(f_.fr485);
    rs485->setTitle(QStringLiteral("Puerto RS-485"));
    auto* g485 = new QFormLayout(rs485);
    g485->addRow(QStringLiteral("Baudios"), make<QComboBox>(f_.cbBaudios485));
    g485->addRow(QStringLiteral("ID"), make<QComboBox>(f_.cbId485));

    auto* v = new QVBoxLayout;
    v->addWidget(text(QStringLiteral("Configuración de los puertos del nodo")));
    auto* h = new QHBoxLayout;
    h->addWidget(rs232, 1);
    h->addWidget(rs485, 1);
    v->addLayout(h);
    v->addStretch(1);
    return page(v);
}

QWidget* MainWindow::ipRow(std::array<TextBox, 4>& octets, const QString& name) {
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) h->addWidget(new QLabel(QStringLiteral(".")));
        QLineEdit* octet = field(octets[i], 3);
        octet->setAccessibleName(QStringLiteral("%1, octeto %2").arg(name).arg(i + 1));
        h->addWidget(octet);
    }
    h->addStretch(1);
    return w;
}

QWidget* MainWindow::pageEthernet() {
    auto* eth = make<QGroupBox>(f_.frEth);
    eth->setTitle(QStringLiteral("Red"));
    auto* fl = new QFormLayout(eth);
    QWidget* ip = ipRow(f_.txtIP, QStringLiteral("Dirección IP"));
    ip->setToolTip(QStringLiteral("Dirección única en la red"));
    fl->addRow(QStringLiteral("Dirección IP"), ip);
    QWidget* msk = ipRow(f_.txtMsk, QStringLiteral("Máscara de red"));
    msk->setToolTip(QStringLiteral("Corresponde a la red donde funcionará"));
    fl->addRow(QStringLiteral("Máscara de red"), msk);
    QWidget* gw = ipRow(f_.txtGW, QStringLiteral("Puerta de acceso"));
    gw->setToolTip(QStringLiteral("IP Puerta de acceso o router para acceder a otras redes "
                                  "(necesario para enviar y recibir e-mail)."));
    fl->addRow(QStringLiteral("Puerta de acceso"), gw);
    auto* port = field(f_.txtPort, 5);
    fl->addRow(QStringLiteral("Puerto"), port);
    fl->addRow(text(QStringLiteral("Puerto de enlace (502 para ModBus esclavo)")));
    auto* ethPage = new QVBoxLayout;
    ethPage->addWidget(eth);
    ethPage->addStretch(1);

    auto* mail = make<QGroupBox>(f_.frMail);
    mail->setTitle(QStringLiteral("Correo electrónico"));
    auto* mv = new QVBoxLayout(mail);
    auto* tabMail = new QTabWidget;
    tabMail->setObjectName(f_.TabMail.objectName());
    for (int n = 0; n < MailAccounts; ++n) tabMail->addTab(pageMailAccount(n), QString());
    tabMail->addTab(pageMailConfig(), QString());
    tabMail->addTab(pageMailCorreo(), QString());
    binding_.bind(f_.TabMail, tabMail);
    mv->addWidget(tabMail);

    auto* tabEth = new QTabWidget;
    tabEth->setObjectName(f_.tabEth.objectName());
    tabEth->addTab(page(ethPage), QString());
    auto* mailPage = new QVBoxLayout;
    mailPage->addWidget(mail);
    tabEth->addTab(page(mailPage), QString());
    binding_.bind(f_.tabEth, tabEth);

    auto* v = new QVBoxLayout;
    v->addWidget(tabEth);
    return page(v);
}

QWidget* MainWindow::triggerRow(int n) {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    const QString first = n < MailAccounts ? QStringLiteral("Enviar cuando la variable")
                                           : QStringLiteral("Revisar cuando la variable");
    auto* types = new QHBoxLayout;
    QLineEdit* variable = field(f_.txtTriggerMail[n], 3);
    types->addWidget(caption(first, variable));
    types->addWidget(variable);
    types->addWidget(new QLabel(QStringLiteral("del tipo")));
    for (OptionButton* o : {&f_.opVarTipoBit[n], &f_.opVarTipoByte[n], &f_.opVarTipoWord[n]})
        types->addWidget(make<QRadioButton>(*o));
    types->addStretch(1);
    auto* values = new QHBoxLayout;
    values->addWidget(new QLabel(QStringLiteral("Tenga el valor")));
    for (OptionButton* o : {&f_.opValMenor[n], &f_.opValIgual[n], &f_.opValMayor[n]})
        values->addWidget(make<QRadioButton>(*o));
    values->addWidget(new QLabel(QStringLiteral("que")));
    QLineEdit* value = field(f_.txtValTriggerMail[n], 5);
    value->setAccessibleName(QStringLiteral("Valor de comparación"));
    values->addWidget(value);
    values->addStretch(1);
    v->addLayout(types);
    v->addLayout(values);
    return w;
}

QWidget* MainWindow::pageMailAccount(int n) {
    auto* fl = new QFormLayout;
    auto* to = field(f_.txtDestinatario[n], 0);
    to->setWhatsThis(QStringLiteral("Dejar vacío para no enviar (deshabilitado)"));
    fl->addRow(QStringLiteral("Destinatario"), to);
    fl->addRow(QStringLiteral("Asunto"), field(f_.txtAsunto[n], 0));
    auto* msg = make<QPlainTextEdit>(f_.txtMensaje[n]);
    msg->setMaximumHeight(msg->fontMetrics().lineSpacing() * 4);
    fl->addRow(QStringLiteral("Mensaje"), msg);
    fl->addRow(triggerRow(n));
    auto* attach = make<QCheckBox>(f_.chkAttachVar[n]);
    QLineEdit* attached = field(f_.txtVarAttach[n], 5);
    attached->setAccessibleName(QStringLiteral("Variable del PLC a enviar con el e-mail"));
    fl->addRow(row({attach, attached}));
    auto* v = new QVBoxLayout;
    v->addLayout(fl);
    v->addStretch(1);
    return page(v);
}

QWidget* MainWindow::pageMailConfig() {
    auto* fl = new QFormLayout;
    QLineEdit* smtp = field(f_.txtSMTP, 0);
    fl->addRow(caption(QStringLiteral("Servidor de correo saliente (SMTP)"), smtp));
    fl->addRow(smtp);
    QLineEdit* pop = field(f_.txtPop, 0);
    fl->addRow(caption(QStringLiteral("Servidor de correo entrante (POP)"), pop));
    fl->addRow(pop);
    fl->addRow(QStringLiteral("Remitente"), field(f_.txtRemitente, 0));
    auto* chk = make<QCheckBox>(f_.chkAutenticacion);
    chk->setToolTip(QStringLiteral("Habilita el uso de nombre y contraseña: consulte con su "
                                   "proveedor de acceso a internet si necesita activar esta "
                                   "característica"));
    fl->addRow(chk);
    auto* panel = make<QGroupBox>(f_.pnlAutent);
    auto* pl = new QFormLayout(panel);
    pl->addRow(QStringLiteral("Nombre Usuario"), field(f_.txtAutUser, 0));
    auto* pass = field(f_.txtAutPass, 15);
    pass->setEchoMode(QLineEdit::Password);
    pl->addRow(QStringLiteral("Contraseña"), pass);
    fl->addRow(panel);
    fl->addRow(text(QStringLiteral("Algunos servidores de correo requieren autenticación. "
                                   "Verifique con su proveedor si necesita activar esta "
                                   "característica")));
    return page(fl);
}

QWidget* MainWindow::pageMailCorreo() {
    auto* v = new QVBoxLayout;
    auto* minutes = make<QComboBox>(f_.cbMinutosPop);
    v->addLayout(row({caption(QStringLiteral("Revisar correo cada"), minutes), minutes,
                      new QLabel(QStringLiteral("minutos"))}));
    auto* rta = new QGroupBox(QStringLiteral("Usar para responder el e-mail #"));
    rta->setToolTip(QStringLiteral("Depende el comando que se envíe en el asunto del e-mail"));
    auto* rh = new QHBoxLayout(rta);
    for (OptionButton& o : f_.opMailRta) rh->addWidget(make<QRadioButton>(o));
    rh->addStretch(1);
    v->addWidget(rta);
    auto* pass = field(f_.txtNodoPASS, 4);
    pass->setWhatsThis(QStringLiteral("Contraseña identificadora para reconocer e-mails recibidos. "
                                      "Debe tener exactamente 4 caracteres."));
    v->addLayout(row({caption(QStringLiteral("Contraseña"), pass), pass}));
    auto* pop = make<QGroupBox>(f_.frPopPLC);
    pop->setTitle(QStringLiteral("Comando del PLC"));
    auto* pv = new QVBoxLayout(pop);
    pv->addWidget(triggerRow(TriggerSets - 1));
    v->addWidget(pop);
    v->addWidget(text(QStringLiteral("Nombre de Usuario y Contraseña deben ser completados en la "
                                     "solapa \"Configuración\"")));
    v->addStretch(1);
    return page(v);
}

QWidget* MainWindow::pagePrograma() {
    auto* lists = new QGridLayout;
    auto* freeList = make<QListWidget>(f_.lstBlockFree);
    freeList->setAccessibleName(QStringLiteral("Bloques libres"));
    lists->addWidget(caption(QStringLiteral("Libres"), freeList), 0, 0);
    lists->addWidget(freeList, 1, 0);
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(make<QPushButton>(f_.cmdAdd));
    moves->addWidget(make<QPushButton>(f_.cmdQuita));
    moves->addStretch(1);
    lists->addLayout(moves, 1, 1);
    auto* usedList = make<QListWidget>(f_.lstUsed);
    usedList->setAccessibleName(QStringLiteral("Bloques usados"));
    lists->addWidget(caption(QStringLiteral("Usados"), usedList), 0, 2);
    lists->addWidget(usedList, 1, 2);
    lists->setRowStretch(1, 1);

    auto* pri = new QGroupBox(QStringLiteral("Alta prioridad"));
    auto* pg = new QGridLayout(pri);
    const QIcon right = style()->standardIcon(QStyle::SP_ArrowRight);
    const QIcon left = style()->standardIcon(QStyle::SP_ArrowLeft);
    CommandButton* add[] = {&f_.cmdAddPri1, &f_.cmdAddPri2};
    CommandButton* remove[] = {&f_.cmdRemovePri1, &f_.cmdRemovePri2};
    for (int i = 0; i < 2; ++i) {
        const QString name = QStringLiteral("Bloque prioritario %1").arg(i + 1);
        auto* a = make<QPushButton>(*add[i]);
        a->setIcon(right);
        a->setAccessibleName(QStringLiteral("Usar como bloque prioritario %1").arg(i + 1));
        QLineEdit* block = field(f_.txtPri[i], 3);
        auto* r = make<QPushButton>(*remove[i]);
        r->setIcon(left);
        r->setAccessibleName(QStringLiteral("Quitar bloque prioritario %1").arg(i + 1));
        pg->addWidget(caption(name, block), i, 0);
        pg->addWidget(a, i, 1);
        pg->addWidget(block, i, 2);
        pg->addWidget(r, i, 3);
    }
    auto* middle = new QVBoxLayout;
    middle->addWidget(pri);
    middle->addWidget(make<QPushButton>(f_.cmdRstProg));
    auto* msg = make<QLabel>(f_.lbMsg);
    msg->setWordWrap(true);
    middle->addWidget(msg);
    middle->addStretch(1);

    auto* mapBox = new QGroupBox(QStringLiteral("Mapa de bloques"));
    auto* mapLayout = new QVBoxLayout(mapBox);
    mapLayout->setContentsMargins(4, 4, 4, 4);
    mapLayout->addWidget(new BlockMapWidget(app_.blockMap, mapBox), 1);

    auto* compiled = new QGroupBox(QStringLiteral("Compilado"));
    auto* cg = new QGridLayout(compiled);
    cg->addWidget(make<QPushButton>(f_.cmdCompilar), 0, 0);
    cg->addWidget(make<QPushButton>(f_.cmdProgramar), 0, 1);
    cg->addWidget(make<QPushButton>(f_.cmdVerificar), 0, 2);
    auto* compiledList = make<QListWidget>(f_.lstCompilado);
    compiledList->setAccessibleName(QStringLiteral("Recorrido compilado"));
    cg->addWidget(compiledList, 1, 0, 1, 3);
    auto* report = make<QLabel>(f_.lbCompilado);
    report->setWordWrap(true);
    cg->addWidget(report, 2, 0, 1, 3);
    cg->addWidget(text(QStringLiteral("No olvide poner al NODO en \"Modo prog\" para programarlo")),
                  3, 0, 1, 3);
    auto* bar = make<QProgressBar>(f_.PgBar1);
    bar->setAccessibleName(QStringLiteral("Progreso de la programación"));
    cg->addWidget(bar, 4, 0, 1, 3);
    auto* programmed = make<QLabel>(f_.lbProgramado);
    programmed->setWordWrap(true);
    cg->addWidget(programmed, 5, 0, 1, 3);
    cg->setRowStretch(1, 1);

    auto* selection = new QHBoxLayout;
    selection->addLayout(lists, 2);
    selection->addLayout(middle, 1);
    auto* choosing = new QVBoxLayout;
    choosing->addLayout(selection);
    choosing->addWidget(mapBox, 1);
    auto* h = new QHBoxLayout;
    h->addLayout(choosing, 3);
    h->addWidget(compiled, 2);
    return page(h);
}

QWidget* MainWindow::pageInterrogar() {
    auto* state = new QGroupBox(QStringLiteral("Estado del nodo"));
    auto* sg = new QGridLayout(state);
    int r = 0;
    for (auto [label, name] : f_.nodeInfoFields()) {
        sg->addWidget(new QLabel(name), r, 0);
        auto* value = new QLabel(this);
        value->setObjectName(label->objectName());
        binding_.bind(*label, value, name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        sg->addWidget(value, r, 1);
        ++r;
    }
    sg->addWidget(text(QStringLiteral("Requiere tener al nodo en \"Modo prog\".")), r++, 0, 1, 2);
    sg->addWidget(make<QPushButton>(f_.cmdQuery), r++, 0, 1, 2);
    sg->setColumnStretch(1, 1);
    sg->setRowStretch(r, 1);

    auto* behaviour = new QGroupBox(QStringLiteral("Comportamiento"));
    behaviour->setToolTip(QStringLiteral("Conducta que se le programa al nodo"));
    auto* bh = new QHBoxLayout(behaviour);
    bh->addWidget(make<QPushButton>(f_.cmdNodoInsp));
    bh->addWidget(make<QPushButton>(f_.cmdNodoNorm));

    auto* insp = new QGroupBox(QStringLiteral("Inspección"));
    auto* ig = new QGridLayout(insp);
    ig->addWidget(make<QCheckBox>(f_.chkInspec), 0, 0, 1, 2);
    ig->addWidget(new QLabel(QStringLiteral("Detectados")), 1, 0);
    auto* detected = new QLabel(this);
    detected->setObjectName(f_.lbNumBlqInsp.objectName());
    binding_.bind(f_.lbNumBlqInsp, detected, QStringLiteral("Detectados"));
    ig->addWidget(detected, 1, 1);
    auto* inspected = make<QListWidget>(f_.lstInspec);
    inspected->setAccessibleName(QStringLiteral("Bloques pedidos por el nodo"));
    ig->addWidget(inspected, 2, 0, 1, 2);
    ig->addWidget(make<QPushButton>(f_.cmdBorrarInspec), 3, 0);
    ig->addWidget(make<QPushButton>(f_.cmdAPrg), 3, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(behaviour);
    right->addWidget(insp, 1);
    auto* h = new QHBoxLayout;
    h->addWidget(state, 1);
    h->addLayout(right, 1);
    return page(h);
}

QWidget* MainWindow::pageSeteos() {
    auto* frame = new QGroupBox(QStringLiteral("Puerto de programación"));
    auto* fl = new QFormLayout(frame);
    fl->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto* port = make<QComboBox>(f_.cbPSerie);
    port->setWhatsThis(QStringLiteral("Puerto serie de la PC para programar el nodo"));
    fl->addRow(QStringLiteral("Puerto serie"), port);
    fl->addRow(QStringLiteral("Baudios"), make<QComboBox>(f_.cbBaudios));
    auto* device = make<QLabel>(f_.lbDevice);
    device->setWordWrap(true);
    device->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fl->addRow(device);
    auto* found = make<QComboBox>(f_.cbDevices);
    found->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    found->setMinimumContentsLength(30);
    auto* foundRow = new QHBoxLayout;
    foundRow->addWidget(found, 1);
    foundRow->addWidget(make<QPushButton>(f_.cmdDevices));
    fl->addRow(caption(QStringLiteral("Dispositivos encontrados"), found), foundRow);
    auto* typed = field(f_.txtDevice, 0);
    typed->setMinimumWidth(typed->fontMetrics().horizontalAdvance(QString(50, QLatin1Char('x'))));
    fl->addRow(QStringLiteral("Dispositivo"), typed);
    fl->addRow(text(QStringLiteral("Elija un dispositivo de la lista o escriba su ruta y pulse "
                                   "Enter: queda asignado al puerto serie elegido.")));
    auto* v = new QVBoxLayout;
    v->addWidget(frame);
    v->addStretch(1);
    return page(v);
}

QString MainWindow::filesFolder() const { return app_.session.appFolder + QStringLiteral("Files"); }

void MainWindow::loadProgram() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Cargar programa"),
                                                      filesFolder(), ProgramFilter);
    if (!path.isEmpty()) app_.files.loadProgramFile(path);
}

void MainWindow::saveProgram() {
    QFileDialog dialog(this, QStringLiteral("Salvar programa"), filesFolder(), ProgramFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds ".nod" to a name typed without it before it asks whether to replace an
    // existing file, so the question is about the file that will be written. A native dialog
    // would ask about the name as typed and get the suffix only afterwards.
    dialog.setDefaultSuffix(QStringLiteral("nod"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    app_.files.saveProgramFile(dialog.selectedFiles().first());
}

void MainWindow::fitToScreen() {
    const QRect free = screen()->availableGeometry();
    // Before the window is first shown its frame is not known: room for a title bar.
    QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isEmpty()) frame = QSize(16, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 16);
    const QSize room = (free.size() - frame).expandedTo(minimumSizeHint());
    resize(sizeHint().expandedTo(QSize(860, 620)).boundedTo(room));
    const QSize outer = size() + frame;
    move(free.x() + qMax(0, (free.width() - outer.width()) / 2),
         free.y() + qMax(0, (free.height() - outer.height()) / 2));
}

QDialog* MainWindow::showAbout() {
    auto* about = new QDialog(this);
    about->setObjectName(QStringLiteral("frmAbout"));
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowTitle(QStringLiteral("Acerca de"));
    auto* v = new QVBoxLayout(about);
    auto* picture = new ClickableLabel(about);
    picture->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    picture->setCursor(Qt::PointingHandCursor);
    auto* web = new ClickableLabel(QString::fromLatin1(WindowHandlers::MakerUrl), about);
    web->setCursor(Qt::PointingHandCursor);
    web->setStyleSheet(LinkStyle);
    picture->setAccessibleName(QStringLiteral("Sitio del fabricante"));
    for (ClickableLabel* l : {picture, web})
        connect(l, &ClickableLabel::clicked, about,
                [] { openWebAddress(QString::fromLatin1(WindowHandlers::MakerUrl)); });
    auto* h = new QHBoxLayout;
    h->addWidget(picture);
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QStringLiteral("Configurador/Programador de nodos de comunicación")));
    texts->addWidget(new QLabel(QStringLiteral("Versión  ") + App::versionText()));
    texts->addWidget(web);
    // Which settings the program uses: its own folder's, or the user's (installed program).
    auto* folder = new QLabel(QStringLiteral("Configuración en: ") +
                              QDir::toNativeSeparators(app_.session.appFolder));
    folder->setObjectName(QStringLiteral("lblCarpeta"));
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    texts->addWidget(folder);
    h->addLayout(texts);
    v->addLayout(h);
    auto* ok = new QPushButton(QStringLiteral("&Aceptar"), about);
    connect(ok, &QPushButton::clicked, about, &QDialog::close);
    v->addLayout(row({ok}, false));
    ok->setDefault(true);
    about->show();
    return about;
}

FrameMonitorWindow* MainWindow::showMonitor() {
    if (!monitor_) {
        monitor_ = new FrameMonitorWindow(*app_.ZTK90, app_.messages, this);
        monitor_->setAttribute(Qt::WA_DeleteOnClose);
    }
    monitor_->show();
    monitor_->raise();
    monitor_->activateWindow();
    return monitor_;
}

void MainWindow::showHelp() {
    help_->showAt(manual::url(app_.session.dataFolderPath(), QLatin1String(manual::Contents)));
}

void MainWindow::showPageHelp() {
    help_->showAt(manual::url(app_.session.dataFolderPath(), manual::pageAnchor(f_)));
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // A node left half-programmed is worse than a question.
    if (!app_.mayEnd()) {
        e->ignore();
        return;
    }
    app_.shutDown();
    e->accept();
}

}  // namespace brisa::ui
