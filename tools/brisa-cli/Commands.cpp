#include "Commands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <unistd.h>

#include "FormSnapshot.h"
#include "AppFolders.h"
#include "FrameMonitor.h"
#include "Headless.h"
#include "NumberText.h"
#include "PortOption.h"
#include "QtSerialPort.h"
#include "compiler/Image.h"
#include "compiler/ProgrammingSequence.h"
#include "readback/ImageVerification.h"

namespace brisacli {

namespace {

void print(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

int fail(const Failure& f) {
    printError(f.message);
    return f.exitCode;
}

Failure usage(const QString& why) { return Failure{2, why}; }

// The node-type options of the command line, checked before anything is loaded.
std::optional<Failure> readNodeChoices(const QCommandLineParser& p, NodeChoices& c) {
    if (p.isSet(QStringLiteral("node"))) {
        const QString node = p.value(QStringLiteral("node")).toLower();
        if (node != QLatin1String("232") && node != QLatin1String("eth"))
            return usage(QStringLiteral("Tipo de nodo no válido: \"%1\" (232 o eth).")
                             .arg(p.value(QStringLiteral("node"))));
        c.ethernet = node == QLatin1String("eth");
    }
    if (p.isSet(QStringLiteral("sw"))) c.softVer = p.value(QStringLiteral("sw"));
    c.highMemory = p.isSet(QStringLiteral("memh"));
    if (p.isSet(QStringLiteral("tcp-port"))) {
        // The limits of the window's entry field, as for the value in a file.
        const auto port = brisa::parseInteger(p.value(QStringLiteral("tcp-port")));
        if (!port || *port < 0 || *port > brisa::limits::TcpPort)
            return usage(QStringLiteral("Puerto TCP no válido: \"%1\" (de 0 a %2).")
                             .arg(p.value(QStringLiteral("tcp-port")))
                             .arg(brisa::limits::TcpPort));
        c.tcpPort = int(*port);
    }
    return std::nullopt;
}

struct LinkChoices {
    PortChoice port;
    std::optional<int> baud;
    ztklink::ModeloPuertoPLC plcPort = ztklink::B;
    QString trace;  // the file that gets the frame monitor's lines, or none
};

std::optional<Failure> readLinkChoices(const QCommandLineParser& p, LinkChoices& c) {
    if (!p.isSet(QStringLiteral("port")))
        return usage(QStringLiteral("Falta --port: el puerto serie del nodo."));
    const QString settings =
        brisa::chooseAppFolders(QCoreApplication::applicationDirPath()).settings + QStringLiteral("Brisa.ini");
    const auto choice = resolvePort(p.value(QStringLiteral("port")), settings);
    if (!choice)
        return usage(QStringLiteral("Puerto no válido: \"%1\" (un dispositivo como /dev/ttyUSB0, "
                                    "o COM1 a COM16).")
                         .arg(p.value(QStringLiteral("port"))));
    c.port = *choice;
    if (p.isSet(QStringLiteral("baud"))) {
        const auto baud = brisa::parseInteger(p.value(QStringLiteral("baud")));
        if (!baud || !QList<qint64>{1200, 2400, 4800, 9600, 19200}.contains(*baud))
            return usage(QStringLiteral("Velocidad no válida: \"%1\" (1200, 2400, 4800, 9600 o "
                                        "19200).")
                             .arg(p.value(QStringLiteral("baud"))));
        c.baud = int(*baud);
    }
    if (p.isSet(QStringLiteral("plc-port"))) {
        const QString port = p.value(QStringLiteral("plc-port")).toUpper();
        if (port != QLatin1String("A") && port != QLatin1String("B"))
            return usage(QStringLiteral("Puerto del PLC no válido: \"%1\" (A o B).")
                             .arg(p.value(QStringLiteral("plc-port"))));
        c.plcPort = port == QLatin1String("A") ? ztklink::A : ztklink::B;
    }
    if (p.isSet(QStringLiteral("trace"))) {
        c.trace = p.value(QStringLiteral("trace"));
        if (c.trace.isEmpty()) return usage(QStringLiteral("--trace necesita un nombre de archivo."));
    }
    return std::nullopt;
}

QString fileArgument(const QCommandLineParser& p) { return p.positionalArguments().value(0); }

// Loads the file into a headless configurator and makes the user's choices on it.
std::optional<Failure> prepare(brisa::App& app, const QString& file, const NodeChoices* choices) {
    startHeadless(app);
    if (auto f = loadProgram(app, file)) return f;
    if (choices)
        if (auto f = applyNodeChoices(app, *choices)) return f;
    return std::nullopt;
}

int runCompile(const QCommandLineParser& p) {
    StderrPresenter messages;
    brisa::App app(messages);
    if (auto f = prepare(app, fileArgument(p), nullptr)) return fail(*f);
    const std::optional<Failure> refused = compile(app);
    const QStringList scan = app.form.lstCompilado.items();
    const QString report = app.form.lbCompilado.caption();
    if (p.isSet(QStringLiteral("json"))) {
        const QJsonObject o{{QStringLiteral("scan"), QJsonArray::fromStringList(scan)},
                            {QStringLiteral("report"), report}};
        print(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) +
              QLatin1Char('\n'));
    } else {
        QString text = scan.join(QLatin1Char(' ')) + QLatin1Char('\n');
        QString lines = report;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        print(text + lines);
    }
    // The report says why; stderr and the exit status say that the node cannot take the list.
    if (refused) printError(QStringLiteral("El nodo no puede recibir esta lista de bloques."));
    return refused ? 1 : 0;
}

int runImage(const QCommandLineParser& p) {
    NodeChoices choices;
    if (auto f = readNodeChoices(p, choices)) return fail(*f);
    StderrPresenter messages;
    brisa::App app(messages);
    if (auto f = prepare(app, fileArgument(p), &choices)) return fail(*f);
    if (auto f = compile(app)) return fail(*f);
    const auto image = brisa::compiler::buildImage(app.session.hardVer, app.session.softVer,
                                                   brisa::exchange::imageSnapshot(app.form));
    QString out;
    for (const brisa::compiler::ImageBlock& b : image) {
        out += QStringLiteral("%1:").arg(b.block, 3, 10, QLatin1Char('0'));
        for (std::uint8_t byte : b.bytes)
            out += QStringLiteral(" %1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        out += QLatin1Char('\n');
    }
    print(out);
    return 0;
}

// The progress of a run on stderr, redrawn in place; only for a person at a terminal.
class ProgressLine {
  public:
    explicit ProgressLine(int total) : total_(total), shown_(::isatty(STDERR_FILENO) == 1) {}
    void blockSent(int block) {
        ++sent_;
        if (!shown_) return;
        constexpr int Width = 30;
        const int done = total_ > 0 ? sent_ * Width / total_ : 0;
        std::fprintf(stderr, "\rProgramando [%s%s] %3d/%d bloque %03d", QByteArray(done, '#').constData(),
                     QByteArray(Width - done, '.').constData(), sent_, total_, block);
        std::fflush(stderr);
    }
    void end() {
        if (shown_ && sent_ > 0) std::fputc('\n', stderr);
    }

  private:
    int total_;
    int sent_ = 0;
    bool shown_;
};

// The frame monitor's lines written to a file as they come, so that a run that fails or is
// interrupted leaves every line before it.
class TraceFile : public QObject {
  public:
    TraceFile(ztklink::CommZTK90& link, const QString& path, QObject* parent)
        : QObject(parent), file_(path), monitor_([this] { return clock_.elapsed(); }, this) {
        monitor_.watch(link);
        connect(&monitor_, &brisa::monitor::FrameMonitor::appended, this,
                [this](const brisa::monitor::FrameLine& line) {
                    file_.write((brisa::monitor::lineText(line) + QLatin1Char('\n')).toUtf8());
                    file_.flush();
                });
    }
    bool open() { return file_.open(QIODevice::WriteOnly | QIODevice::Truncate); }
    QString errorText() const { return file_.errorString(); }

  private:
    static QElapsedTimer started() {
        QElapsedTimer t;
        t.start();
        return t;
    }
    QElapsedTimer clock_ = started();  // before the monitor, which reads it first
    QFile file_;
    brisa::monitor::FrameMonitor monitor_;
};

// The PC link as the options chose it, on the device they named, traced when asked.
std::optional<Failure> applyLink(brisa::App& app, const LinkChoices& link) {
    if (!link.trace.isEmpty()) {
        auto* trace = new TraceFile(*app.ZTK90, link.trace, &app);
        if (!trace->open())
            return Failure{1, QStringLiteral("No se pudo abrir el archivo de traza \"%1\": %2.")
                                  .arg(link.trace, trace->errorText())};
    }
    // The PC link speed is chosen last, as a user who sets it after the node type.
    if (link.baud) app.form.cbBaudios.setListIndex(app.form.cbBaudios.find(QString::number(*link.baud)));
    app.ZTK90->setPuertoPLC(link.plcPort);
    ztklink::PortMap map;
    map.set(link.port.number, link.port.device);
    app.ZTK90->qtPort()->setPortMap(map);
    (void)app.ZTK90->setCOMM(link.port.number);  // always within the driver's range
    return std::nullopt;
}

// What a link failure means, from the window's status line: while an exchange runs, every
// failure names the block just sent and what went wrong with it ("Error BL 007: ...").
Failure linkFailure(brisa::App& app) {
    QString text = app.form.lbStatus.caption();
    if (text.isEmpty()) text = app.form.lbProgramado.caption();
    if (text.endsWith(QStringLiteral("no respondió")))
        text += QStringLiteral(" a tiempo (¿está conectado y en \"Modo prog\"?)");
    return Failure{1, text + QLatin1Char('.')};
}

// Runs one exchange that `start` begins until it ends, the way the window lives through it: a
// failure (a partial reply, a bad checksum) is shown and the exchange still waits for a reply
// or its watchdog. Nothing when `sender` raised `done`; otherwise what failed. Every request
// has its watchdog, so the end always comes.
template <typename Sender, typename Signal>
std::optional<Failure> runExchange(brisa::App& app, Sender* sender, Signal done,
                                   const std::function<void()>& start) {
    bool succeeded = false;
    QEventLoop loop;
    const auto finished = QObject::connect(sender, done, &loop, [&] {
        succeeded = true;
        loop.quit();
    });
    const auto ended = QObject::connect(&app.exchange, &brisa::exchange::Exchange::runningChanged,
                                        &loop, [&](bool running) {
                                            if (!running) loop.quit();
                                        });
    start();
    const bool began = succeeded || app.exchange.running();
    if (!succeeded && app.exchange.running()) loop.exec();
    QObject::disconnect(finished);
    QObject::disconnect(ended);
    if (succeeded) return std::nullopt;
    if (!began) return Failure{1, QStringLiteral("No se pudo iniciar el intercambio con el nodo.")};
    return linkFailure(app);
}

// A configurator without windows on the node's link that the command line names.
struct LinkedApp {
    StderrPresenter messages;
    brisa::App app{messages};
};

std::optional<Failure> connectLink(const QCommandLineParser& p, LinkedApp& linked) {
    LinkChoices link;
    if (auto f = readLinkChoices(p, link)) return f;
    startHeadless(linked.app);
    return applyLink(linked.app, link);
}

// Labels as the window shows them: "caption: text" lines, or one JSON object keyed by the
// labels' names (without the brackets of control arrays); `blocks`, when given, follow them.
template <typename Fields>
void printLabels(bool json, const Fields& fields, const std::optional<QStringList>& blocks) {
    if (json) {
        QJsonObject o;
        for (const auto& field : fields)
            o.insert(field.label->objectName().remove(QLatin1Char('(')).remove(QLatin1Char(')')),
                     field.label->caption());
        if (blocks) o.insert(QStringLiteral("bloques"), QJsonArray::fromStringList(*blocks));
        print(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
        return;
    }
    QString text;
    for (const auto& field : fields)
        text += field.caption + QStringLiteral(": ") + field.label->caption() + QLatin1Char('\n');
    if (blocks) text += blocks->join(QLatin1Char(' ')) + QLatin1Char('\n');
    print(text);
}

int runProgram(const QCommandLineParser& p) {
    NodeChoices choices;
    LinkChoices link;
    if (auto f = readNodeChoices(p, choices)) return fail(*f);
    if (auto f = readLinkChoices(p, link)) return fail(*f);
    const bool verify = p.isSet(QStringLiteral("verify"));
    StderrPresenter messages;
    brisa::App app(messages);
    if (auto f = prepare(app, fileArgument(p), &choices)) return fail(*f);
    if (verify && !app.verification.available())
        return fail(usage(QStringLiteral("--verify: este tipo de nodo no permite leer su memoria "
                                         "(solo el nodo RS-232/485).")));
    if (auto f = applyLink(app, link)) return fail(*f);
    if (auto f = compile(app)) return fail(*f);

    ProgressLine progress(int(
        brisa::compiler::sendingOrder(app.session.hardVer, app.session.softVer).size()));
    QObject::connect(&app.programming, &brisa::exchange::Programming::blockSent,
                     [&](int block) { progress.blockSent(block); });
    std::optional<QString> refused;
    QObject::connect(&app.programming, &brisa::exchange::Programming::refused,
                     [&](const QString& reason) { refused = reason; });
    const auto failure =
        runExchange(app, &app.programming, &brisa::exchange::Programming::completed,
                    [&] { app.form.cmdProgramar.press(); });
    progress.end();
    if (refused) return fail(Failure{1, *refused});
    if (failure) return fail(*failure);
    print(app.form.lbProgramado.caption() + QLatin1Char('\n'));
    if (!verify) return 0;

    QList<brisa::readback::ByteDifference> differences;
    QObject::connect(&app.verification, &brisa::readback::Verification::verified,
                     [&](const QList<brisa::readback::ByteDifference>& d) { differences = d; });
    if (auto f = runExchange(app, &app.verification, &brisa::readback::Verification::verified,
                             [&] { app.form.cmdVerificar.press(); }))
        return fail(*f);
    if (!differences.isEmpty())
        return fail(Failure{1, brisa::readback::verificationText(differences)});
    print(brisa::readback::verificationText(differences) + QLatin1Char('\n'));
    return 0;
}

std::optional<Failure> saveWindowAsProgram(brisa::App& app, const QString& path);

int runReadBack(const QCommandLineParser& p) {
    for (const char* option : {"save", "nod"})
        if (p.isSet(QLatin1String(option)) && p.value(QLatin1String(option)).isEmpty())
            return fail(usage(QStringLiteral("--%1 necesita un nombre de archivo.").arg(QLatin1String(option))));
    LinkedApp linked;
    if (auto f = connectLink(p, linked)) return fail(*f);
    brisa::App& app = linked.app;
    if (auto f = runExchange(app, &app.readBack, &brisa::readback::DwPrgHandlers::completed,
                             [&] { app.form.nmRecupProg.choose(); }))
        return fail(*f);

    brisa::readback::DwPrgForm& dw = app.dwPrg;
    printLabels(p.isSet(QStringLiteral("json")), dw.decodedFields(), dw.lstBloques.items());

    // The core has told on stderr why a file could not be written.
    if (p.isSet(QStringLiteral("save")) && !app.readBack.saveTo(p.value(QStringLiteral("save"))))
        return 1;
    if (p.isSet(QStringLiteral("nod"))) {
        // Taken back into a window that holds the defaults, then saved as "Salvar" saves.
        dw.cmdDescompilar.press();
        if (auto f = saveWindowAsProgram(app, p.value(QStringLiteral("nod")))) return fail(*f);
    }
    return 0;
}

// A program file from the window as it is now, as "Salvar" writes it.
std::optional<Failure> saveWindowAsProgram(brisa::App& app, const QString& path) {
    app.files.CollectSettings();
    const brisa::SaveResult r = app.files.SaveConfig(path);
    if (!r.ok)
        return Failure{1, QStringLiteral("No se pudo guardar el archivo \"%1\": %2.").arg(path, r.error)};
    return std::nullopt;
}

int runQuery(const QCommandLineParser& p) {
    LinkedApp linked;
    if (auto f = connectLink(p, linked)) return fail(*f);
    brisa::App& app = linked.app;
    if (auto f = runExchange(app, &app.dispatch, &brisa::exchange::Dispatch::queryCompleted,
                             [&] { app.form.cmdQuery.press(); }))
        return fail(*f);
    printLabels(p.isSet(QStringLiteral("json")), app.form.nodeInfoFields(), std::nullopt);
    return 0;
}

int runMode(const QCommandLineParser& p) {
    const QString mode = fileArgument(p).toLower();
    if (mode != QLatin1String("inspect") && mode != QLatin1String("normal"))
        return fail(usage(QStringLiteral("Modo no válido: \"%1\" (inspect o normal).").arg(fileArgument(p))));
    LinkedApp linked;
    if (auto f = connectLink(p, linked)) return fail(*f);
    brisa::App& app = linked.app;
    brisa::form::CommandButton& button =
        mode == QLatin1String("inspect") ? app.form.cmdNodoInsp : app.form.cmdNodoNorm;
    if (auto f = runExchange(app, &app.query, &brisa::exchange::NodeQuery::modeSwitched,
                             [&] { button.press(); }))
        return fail(*f);
    print(app.form.lbStatus.caption() + QLatin1Char('\n'));
    return 0;
}

int runInspect(const QCommandLineParser& p) {
    const auto seconds = brisa::parseInteger(p.value(QStringLiteral("seconds")));
    if (!seconds || *seconds < 1 || *seconds > 3600)
        return fail(usage(p.isSet(QStringLiteral("seconds"))
                              ? QStringLiteral("Segundos no válidos: \"%1\" (de 1 a 3600).")
                                    .arg(p.value(QStringLiteral("seconds")))
                              : QStringLiteral("Falta --seconds: cuántos segundos escuchar.")));
    if (p.isSet(QStringLiteral("nod")) && p.value(QStringLiteral("nod")).isEmpty())
        return fail(usage(QStringLiteral("--nod necesita un nombre de archivo.")));
    LinkedApp linked;
    if (auto f = connectLink(p, linked)) return fail(*f);
    brisa::App& app = linked.app;

    std::optional<QString> failure;
    QEventLoop loop;
    QTimer::singleShot(std::chrono::seconds(*seconds), &loop, &QEventLoop::quit);
    QObject::connect(&app.dispatch, &brisa::exchange::Dispatch::failed, &loop,
                     [&](const QString& text) {
                         failure = text;
                         loop.quit();
                     });
    app.form.chkInspec.setValue(1);
    if (!failure) loop.exec();
    app.form.chkInspec.setValue(0);
    if (failure) return fail(linkFailure(app));

    const QStringList blocks = app.form.lstInspec.items();
    if (p.isSet(QStringLiteral("json")))
        print(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("bloques"),
                                                           QJsonArray::fromStringList(blocks)}})
                                    .toJson(QJsonDocument::Compact)) +
              QLatin1Char('\n'));
    else
        print(blocks.isEmpty() ? QString() : blocks.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    if (p.isSet(QStringLiteral("nod"))) {
        // What the node asked for becomes the program of a default configuration.
        app.form.cmdAPrg.press();
        if (auto f = saveWindowAsProgram(app, p.value(QStringLiteral("nod")))) return fail(*f);
    }
    return 0;
}

}  // namespace

const QList<Subcommand>& subcommands() {
    static const QList<Subcommand> all{
        {QStringLiteral("compile"), QStringLiteral("compile ARCHIVO.nod [--json]"), JsonOption,
         runCompile},
        {QStringLiteral("image"),
         QStringLiteral("image ARCHIVO.nod [--node 232|eth] [--sw X.XX] [--memh] [--tcp-port N]"),
         NodeOptions, runImage},
        {QStringLiteral("program"),
         QStringLiteral("program ARCHIVO.nod --port DISPOSITIVO|COMn|n [--baud N] [--plc-port A|B] [--trace F]\n"
                        "          [--node 232|eth] [--sw X.XX] [--memh] [--tcp-port N] [--verify]"),
         NodeOptions | LinkOptions | VerifyOption, runProgram},
        {QStringLiteral("readback"),
         QStringLiteral("readback --port DISPOSITIVO|COMn|n [--baud N] [--plc-port A|B] [--trace F] [--json]\n"
                        "          [--save ARCHIVO.nd] [--nod ARCHIVO.nod]"),
         LinkOptions | JsonOption | SaveOption | NodOption, runReadBack, false},
        {QStringLiteral("query"),
         QStringLiteral("query --port DISPOSITIVO|COMn|n [--baud N] [--plc-port A|B] [--trace F] [--json]"),
         LinkOptions | JsonOption, runQuery, false},
        {QStringLiteral("mode"),
         QStringLiteral("mode inspect|normal --port DISPOSITIVO|COMn|n [--baud N] [--plc-port A|B] [--trace F]"),
         LinkOptions, runMode, true, QStringLiteral("Falta el modo: inspect o normal.")},
        {QStringLiteral("inspect"),
         QStringLiteral("inspect --port DISPOSITIVO|COMn|n --seconds N [--baud N] [--plc-port A|B] [--trace F]\n"
                        "          [--json] [--nod ARCHIVO.nod]"),
         LinkOptions | JsonOption | NodOption | SecondsOption, runInspect, false},
    };
    return all;
}

QString usageText() {
    QString text = QStringLiteral("Uso:\n");
    for (const Subcommand& c : subcommands()) text += QStringLiteral("  brisa-cli ") + c.synopsis + QLatin1Char('\n');
    text += QStringLiteral(
        "\nOpciones:\n"
        "  --port P       puerto serie: un dispositivo (/dev/ttyUSB0), o COMn / n según la\n"
        "                 sección Puertos de Brisa.ini (junto al programa, o en\n"
        "                 ~/.config/brisa/ si el programa está instalado)\n"
        "  --baud N       velocidad del enlace con el nodo (1200 a 19200)\n"
        "  --plc-port A|B entramado del enlace: A = 8E2, B = 8N1 (B si no se indica)\n"
        "  --trace F      escribir en F cada trama enviada y recibida, como el monitor de tramas\n"
        "  --node 232|eth tipo de nodo (232 si no se indica)\n"
        "  --sw X.XX      versión de software del nodo (la del archivo si no se indica)\n"
        "  --memh         activar memoria alta\n"
        "  --tcp-port N   puerto TCP del nodo Ethernet\n"
        "  --json         salida en JSON\n"
        "  --verify       tras programar, leer la memoria del nodo y compararla con lo enviado\n"
        "                 (nodo RS-232/485)\n"
        "  --save F.nd    guardar la memoria leída del nodo (301 bytes)\n"
        "  --nod F.nod    readback: descompilar lo leído y guardarlo como archivo de programa;\n"
        "                 inspect: la lista capturada pasada a programa, guardada así\n"
        "  --seconds N    inspect: cuántos segundos escuchar (1 a 3600)\n"
        "\nSalida: 0 bien, 1 falla (mensaje en stderr), 2 uso incorrecto.\n");
    return text;
}

}  // namespace brisacli
