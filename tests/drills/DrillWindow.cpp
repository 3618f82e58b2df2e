#include "DrillWindow.h"

#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include "Headless.h"

namespace drills {

DrillWindow::DrillWindow(const QString& link) {
    QFile settings(dir_.filePath(QStringLiteral("Brisa.ini")));
    if (settings.open(QIODevice::WriteOnly))
        settings.write(QStringLiteral("[Puertos]\r\nCOM1=%1\r\n").arg(link).toLocal8Bit());
    settings.close();
    app_ = startWindowCore(messages_, dir_.path());
}

std::unique_ptr<brisa::App> startWindowCore(brisa::MessagePresenter& messages,
                                            const QString& folder) {
    brisa::App::Options o;
    o.listDevices = [] { return QList<ztklink::SerialDevice>{}; };
    auto app = std::make_unique<brisa::App>(messages, std::move(o));
    app->regionalSettings = [] {
        return brisa::RegionalSettings{QString(), QStringLiteral(","), QStringLiteral(".")};
    };
    app->startUp(folder);
    return app;
}

DrillWindow::~DrillWindow() = default;

bool DrillWindow::prepare(const QString& file, bool ethernet, const QString& softVer,
                          QString* why) {
    if (!app_->files.loadProgramFile(file)) {
        if (why) *why = QStringLiteral("not loaded: ") + messages_.shown.join(u' ');
        return false;
    }
    brisacli::NodeChoices choices;
    choices.ethernet = ethernet;
    choices.softVer = softVer;
    if (auto f = brisacli::applyNodeChoices(*app_, choices)) {
        if (why) *why = f->message;
        return false;
    }
    if (auto f = brisacli::compile(*app_)) {
        if (why) *why = f->message;
        return false;
    }
    return true;
}

ProgrammingRun DrillWindow::program(int timeoutMs) {
    ProgrammingRun run;
    brisa::App& a = *app_;
    QElapsedTimer clock;
    QEventLoop loop;
    QList<QMetaObject::Connection> links;
    links << QObject::connect(&a.programming, &brisa::exchange::Programming::blockSent, &loop,
                              [&](int block) {
                                  run.blocks << block;
                                  run.sentMs << clock.elapsed();
                              });
    links << QObject::connect(&a.programming, &brisa::exchange::Programming::completed, &loop,
                              [&] { run.completed = true; });
    links << QObject::connect(&a.dispatch, &brisa::exchange::Dispatch::failed, &loop,
                              [&](const QString& text) { run.failures << text; });
    links << QObject::connect(&a.form.lbProgramado, &brisa::form::Control::changed, &loop,
                              [&] { run.captions << a.form.lbProgramado.caption(); });
    links << QObject::connect(&a.exchange, &brisa::exchange::Exchange::runningChanged, &loop,
                              [&](bool running) {
                                  if (running) return;
                                  run.endedMs = clock.elapsed();
                                  loop.quit();
                              });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    clock.start();
    a.form.cmdProgramar.press();
    if (a.exchange.running()) loop.exec();
    for (const auto& l : links) QObject::disconnect(l);
    run.ended = !a.exchange.running();
    run.programado = a.form.lbProgramado.caption();
    run.status = a.form.lbStatus.caption();
    run.modelo = a.form.lbModelo.caption();
    return run;
}

QString dataFile(const char* name) {
    return QStringLiteral(TEST_DATA_DIR "/") + QLatin1String(name);
}

QString unusableBecause(brisa::App& app) {
    const brisa::form::MainForm& f = app.form;
    if (app.exchange.running()) return QStringLiteral("an exchange still runs");
    if (!f.cmdProgramar.visible()) return QStringLiteral("\"&Programar \" is hidden");
    if (!f.cmdProgramar.enabled()) return QStringLiteral("\"&Programar \" is disabled");
    if (!f.cmdCompilar.enabled()) return QStringLiteral("\"&Compilar \" is disabled");
    if (!f.cmdQuery.enabled()) return QStringLiteral("\"&Interrogar \" is disabled");
    if (f.pointer.busy()) return QStringLiteral("the pointer is still busy");
    if (!app.mayEnd()) return QStringLiteral("the program may not end");
    return {};
}

int blockNamed(const QString& text) {
    static const QRegularExpression re(QStringLiteral("Error BL 0*(\\d+)"));
    const auto m = re.match(text);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace drills
