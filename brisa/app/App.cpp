#include "App.h"

#include "AppFolders.h"

#include "exchange/NodeInfoLabels.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>

#include "NumberText.h"

Q_DECLARE_LOGGING_CATEGORY(lcConfig)

namespace brisa {
namespace {

std::unique_ptr<ztklink::CommZTK90> makeDriver(App::Options& o) {
    if (!o.port) return std::make_unique<ztklink::CommZTK90>();
    static ztklink::QtTimerFactory realTimers;
    return std::make_unique<ztklink::CommZTK90>(std::move(o.port), o.timers ? *o.timers : realTimers);
}

}  // namespace

App::App(MessagePresenter& messages_, QObject* parent) : App(messages_, Options{}, parent) {}

App::App(MessagePresenter& messages_, Options options, QObject* parent)
    : QObject(parent),
      messages(messages_),
      ZTK90(makeDriver(options)),
      files(session, form, messages_),
      handlers(form, session, files, messages_,
               [this](int port) { return ZTK90->setCOMM(port); },
               [this] { return ZTK90->COMM(); }),
      blocks(form, session),
      portDevices(form, session, *ZTK90, messages_,
                  options.listDevices ? std::move(options.listDevices)
                                      : PortDevices::ListDevices([] { return ztklink::listSerialDevices(); })),
      windowHandlers(form, handlers) {
    // The control as a host keeps it: loaded from an empty property store, its defaults.
    ZTK90->readProperties(ztklink::MemoryPropertyStore{});
    connect(&form.cmdEnd, &form::Label::click, this, &App::requestQuit);
    connect(&exchange, &exchange::Exchange::runningChanged, this, &App::lockForExchange);
    // A node that cannot take high memory loses it, as switching it off by hand would.
    connect(&nodeType, &exchange::NodeType::removeHighMemoryRequested, this, [this] {
        blocks.RemoveMemH();
        session.memH = false;
    });
    for (readback::ImageReader* reader : {&readBack.reader(), &verification.reader()})
        connect(&dispatch, &exchange::Dispatch::readBackReply, reader,
                &readback::ImageReader::blockRead);
}

App::~App() = default;

bool App::componentsAnswer() {
    bool ok = SettingsStore::startUpProbe(QStringLiteral("a.a"));
    (void)form.txtAutPass.text();  // the window's state is ours: it always answers
    ok = ZTK90->Baudios() > 0 && ok;
    return ok;
}

void App::CheckRegionalSettings() {
    const RegionalSettings r = regionalSettings();
    QString problems;
    if (r.digitGrouping == QLatin1String(","))
        problems += QStringLiteral("El agrupador de dígitos (separador de miles) no puede ser coma (,)\n");
    if (r.listSeparator != QLatin1String(","))
        problems += QStringLiteral("El separador de listas debe ser coma (,)\n");
    if (problems.isEmpty()) return;
    messages.information(QStringLiteral("Configuración sistema"),
                         QStringLiteral("La configuración regional de su sistema no es la apropiada.\n"
                                        "Verifique/Modifique desde el panel de control.\n\n") +
                             problems);
}

void App::lbInfNodoClear() { exchange::lbInfNodoClear(form); }

void App::StartUpControls() {
    form.lstCompilado.clear();
    form.lbCompilado.setCaption(QString());
    form.lbProgramado.setCaption(QString());
    form.lbMsg.setCaption(QString());
    lbInfNodoClear();
    if (form.lstBlockFree.count() > 0) form.lstBlockFree.setListIndex(0);
    form.cbPSerie.setListIndex(session.config.port - 1);
    form.lbPortPC.setCaption(QStringLiteral("PC ") + form.cbPSerie.text());
}

QString App::versionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(BRISA_VERSION_MAJOR)
        .arg(BRISA_VERSION_MINOR, 2, 10, QLatin1Char('0'))
        .arg(BRISA_VERSION_PATCH, 2, 10, QLatin1Char('0'));
}

void App::startUp(const QString& appFolder) {
    if (!componentsAnswer()) qCWarning(lcConfig) << "a component of the program does not answer";
    CheckRegionalSettings();
    session.loading = true;

    if (appFolder.isEmpty()) {
        const AppFolders folders = chooseAppFolders(QCoreApplication::applicationDirPath());
        session.appFolder = folders.settings;
        session.dataFolder = folders.portable ? QString() : folders.data;
    } else {
        const QString given = QDir::toNativeSeparators(appFolder);
        session.appFolder = given.endsWith(QDir::separator()) ? given : given + QDir::separator();
        session.dataFolder.clear();
    }

    handlers.FillPortLists();
    form.Tab1.setCurrentPage(0);
    form.TabMail.setCurrentPage(5);
    handlers.cbMinutosPopStartUp();
    for (form::ComboBox* list : {&form.cbSoftVer, &form.cbId232, &form.cbId485, &form.cbPSerie})
        SettingsStore::setDropDownHeight(*list, 300);
    handlers.FillSoftVerList();

    files.loadSettingsAtStartUp();
    if (form.lstUsed.count() > 0) form.lstUsed.setListIndex(0);
    portDevices.load();

    QString driverFolder = session.appFolder;
    driverFolder.chop(1);
    ZTK90->AppPath(driverFolder);
    (void)ZTK90->setBaudios(session.config.baudios);
    (void)ZTK90->setCOMM(session.config.port);
    ZTK90->setPuertoPLC(1);
    (void)ZTK90->setWatchDogTime(1500);

    StartUpControls();
    // The speed list shows the speed the driver was given.
    form.cbBaudios.setListIndex(form.cbBaudios.find(QString::number(ZTK90->Baudios())));
    portDevices.refresh();
    portDevices.showCurrent();

    const QString filesFolder = session.appFolder + QStringLiteral("Files");
    if (!SettingsStore::folderExists(filesFolder) && !QDir().mkpath(filesFolder))
        qCWarning(lcConfig) << "cannot create" << filesFolder;

    form.lbVersion.setCaption(QStringLiteral("Programador de nodos TALVO   ver. ") + versionText());
    form.opNodo232x485.setValue(true);
    session.loading = false;
}

void App::lockForExchange(bool running) {
    if (!running) {
        for (const auto& [control, enabled] : std::as_const(locked_)) control->setEnabled(enabled);
        locked_.clear();
        return;
    }
    if (!locked_.isEmpty()) return;
    form::MainForm& f = form;
    for (form::Control* c : std::initializer_list<form::Control*>{
             // another exchange
             &f.cmdProgramar, &f.cmdQuery, &f.nmRecupProg, &f.cmdNodoInsp, &f.cmdNodoNorm,
             &f.chkInspec, &f.cmdVerificar,
             // the read-back's "Descompilar" rewrites the block program
             &dwPrg.cmdDescompilar,
             // what the next blocks are built from: the compiled list and the node type
             &f.cmdCompilar, &f.cmdLoadPrg, &f.mnCargarArchivo, &f.opNodo232x485, &f.opNodoEth,
             &f.cbSoftVer, &f.mnMemH, &f.cmdAdd, &f.cmdQuita, &f.cmdAddPri1, &f.cmdAddPri2,
             &f.cmdRemovePri1, &f.cmdRemovePri2, &f.cmdRstProg, &f.cmdAPrg}) {
        locked_.append({c, c->enabled()});
        c->setEnabled(false);
    }
}

bool App::mayEnd() {
    if (shutDown_ || !exchange.running()) return true;
    return messages.question(QStringLiteral("Terminar"),
                             QStringLiteral("Hay una programación en curso. ¿Terminar de todos modos?"));
}

void App::requestQuit() {
    if (!mayEnd()) return;
    shutDown();
    emit quitRequested();
}

void App::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    files.saveSettingsAtShutdown();
}

}  // namespace brisa
