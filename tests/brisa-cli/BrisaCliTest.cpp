// brisa-cli as a process: each subcommand end to end, failures of the node, bad usage.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "Pty.h"
#include "QtPrinters.h"
#include "QtSerialPort.h"
#include "SimProcess.h"
#include "Wait.h"

namespace {

const QString kData = QStringLiteral(TEST_DATA_DIR);

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs brisa-cli to its end without blocking the event loop the simulator needs.
CliRun brisaCli(const QStringList& args, int timeoutMs = 20000) {
    QProcess p;
    p.start(QStringLiteral(BRISA_CLI_PATH), args);
    testsupport::waitUntil([&] { return p.state() == QProcess::NotRunning; }, timeoutMs);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(3000);
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString data(const char* name) { return kData + QLatin1Char('/') + QLatin1String(name); }

TEST(BrisaCli, CompilePrintsTheScanListAndTheReport) {
    const CliRun text = brisaCli({"compile", data("serial.nod")});
    EXPECT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, QStringLiteral("005 010 011 005 012 020 005 021\n"
                                       "Recorrido total bloques: 8\n"
                                       "Tiempo estimado de scan: 0.8 seg.\n"
                                       "Bloques con prioridad: 1\n"));

    const CliRun json = brisaCli({"compile", data("serial.nod"), "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o.value("scan").toArray().size(), 8);
    EXPECT_EQ(o.value("scan").toArray().first().toString(), QStringLiteral("005"));
    EXPECT_TRUE(o.value("report").toString().startsWith("Recorrido total bloques: 8\r\n"));
}

TEST(BrisaCli, ImagePrintsEveryBlockInSendingOrder) {
    const CliRun serial = brisaCli({"image", data("serial.nod")});
    ASSERT_EQ(serial.exitCode, 0) << serial.err.toStdString();
    const QStringList lines = serial.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);  // the file's software version 2.00
    EXPECT_EQ(lines[0], QStringLiteral("005: 05 00 FF FF 05 02 C0 12 00 4B 00 00 00 08 00 00"));
    EXPECT_EQ(lines[1], QStringLiteral("001: 05 0A 0B 05 0C 14 05 15 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(lines[5], QStringLiteral("006: C0 A8 01 0A FF FF FF 00 01 F6 00 00 00 00 00 00"));

    const CliRun eth = brisaCli({"image", data("ethernet.nod"), "--node", "eth", "--sw", "1.15",
                              "--tcp-port", "502"});
    ASSERT_EQ(eth.exitCode, 0) << eth.err.toStdString();
    const QStringList e = eth.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(e.size(), 138);
    EXPECT_EQ(e[5], QStringLiteral("006: 0A 00 00 07 FF FF 00 00 01 F6 00 00 00 00 00 00"));
    EXPECT_EQ(e[6], QStringLiteral("030: 0A 00 00 07 FF FF 00 00 01 F6 00 00 00 00 00 00"));
    EXPECT_EQ(e[9], QStringLiteral("033: 9C 40 00 01 00 00 00 00 00 00 02 01 01 01 01 02"));
    EXPECT_TRUE(e[137].startsWith("161: ") && e[137].endsWith(" 04 05 06 07"));

    const CliRun sw100 = brisaCli({"image", data("serial.nod"), "--sw", "1.00"});
    EXPECT_EQ(sw100.out.split('\n', Qt::SkipEmptyParts).size(), 6);
}

TEST(BrisaCli, ValuesOutsideTheirFieldsAreSkippedAndNamedOnStderr) {
    QTemporaryDir dir;
    QFile original(data("ethernet.nod"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray bytes = original.readAll();
    bytes.replace("0IP=10\r\n", "0IP=300\r\n");
    bytes.replace("TcpPort=50000\r\n", "TcpPort=70000\r\n");
    ASSERT_TRUE(bytes.contains("0IP=300") && bytes.contains("TcpPort=70000"));
    const QString path = dir.filePath("fuera.nod");
    QFile copy(path);
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    copy.close();

    const CliRun r = brisaCli({"image", path, "--node", "eth", "--sw", "1.15"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("0IP, TcpPort")) << r.err.toStdString();
    // The fields keep what they had: IP 0.0.0.7 and port 502, not 0x2C (300) and 0x1170.
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 5);
    EXPECT_EQ(lines[5], QStringLiteral("006: 00 00 00 07 FF FF 00 00 01 F6 00 00 00 00 00 00"));
}

class ProgramCli : public ::testing::Test {
  protected:
    void SetUp() override {}
    bool startSim(const QStringList& args = {}) {
        return sim.start(args + QStringList{"--log", sim.pathInFolder("log")});
    }
    int writesLogged() {
        QFile log(sim.pathInFolder("log"));
        if (!log.open(QIODevice::ReadOnly)) return 0;
        int n = 0;
        for (const QByteArray& line : log.readAll().split('\n'))
            if (line.startsWith("< ") && line.split(' ').value(3) == "0A") ++n;
        return n;
    }
    simtest::SimProcess sim;
};

TEST_F(ProgramCli, ProgramsBothNodeTypes) {
    ASSERT_TRUE(startSim());
    const CliRun eth = brisaCli({"program", data("ethernet.nod"), "--node", "eth", "--sw", "1.15",
                              "--port", sim.link()});
    EXPECT_EQ(eth.exitCode, 0) << eth.err.toStdString();
    EXPECT_EQ(eth.out, QStringLiteral("Programado!\n"));
    EXPECT_EQ(writesLogged(), 138);

    const CliRun serial = brisaCli({"program", data("serial.nod"), "--sw", "1.00", "--port",
                                 sim.link(), "--baud", "9600", "--plc-port", "A"});
    EXPECT_EQ(serial.exitCode, 0) << serial.err.toStdString();
    EXPECT_EQ(serial.out, QStringLiteral("Programado\n"));
    EXPECT_EQ(writesLogged(), 138 + 6);
}

// The settings file beside the program is the window's: whatever brisa-cli runs, the user's
// saved program and settings stay as they were (a read-back taken into the defaults once wrote
// them over). brisa-cli is copied into a folder of its own so that its settings file is the
// test's.
TEST_F(ProgramCli, RunsLeaveTheWindowsSettingsFileAsItWas) {
    ASSERT_TRUE(startSim());
    QTemporaryDir folder;
    const QString cli = folder.filePath("brisa-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRISA_CLI_PATH), cli));
    const QString ini = folder.filePath("Brisa.ini");
    const QByteArray saved = "[Sets]\r\nSoftVer=50\r\nBaudios=2\r\nPort=3\r\n"
                             "[Prog]\r\nBlockUsed=100,101,102\r\n"
                             "[Puertos]\r\nCOM3=" + sim.link().toUtf8() + "\r\n";
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(saved);
    }
    const QStringList runs[] = {
        {"program", data("serial.nod"), "--port", "COM3"},
        {"readback", "--port", "COM3", "--nod", folder.filePath("back.nod"), "--save",
         folder.filePath("back.nd")},
        {"query", "--port", "COM3"},
        {"mode", "normal", "--port", "COM3"},
    };
    for (const QStringList& args : runs) {
        QProcess p;
        p.start(cli, args);
        testsupport::waitUntil([&] { return p.state() == QProcess::NotRunning; }, 20000);
        EXPECT_EQ(p.exitCode(), 0) << args.join(' ').toStdString() << ": "
                                   << p.readAllStandardError().toStdString();
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromLatin1(f.readAll()), QString::fromLatin1(saved)) << args.join(' ').toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(folder.filePath("back.nod")));
}

struct FaultCase {
    const char* name;
    QStringList simArgs;
    QString message;
};

class ProgramFaults : public ProgramCli, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ProgramFaults, EndWithExitOneAndTheWindowsText) {
    ASSERT_TRUE(startSim(GetParam().simArgs));
    const CliRun r = brisaCli({"program", data("serial.nod"), "--port", sim.link()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(GetParam().message)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ProgramFaults,
    ::testing::Values(FaultCase{"Drop", {"--drop", "7"}, "Error BL 007: el nodo no respondió a tiempo"},
                      FaultCase{"Partial", {"--partial", "8"}, "Error BL 008: respuesta incompleta del nodo."},
                      FaultCase{"Corrupt", {"--corrupt", "3"},
                                "Error BL 002: Los datos recibidos no son validos (no da checksum)."}),
    [](const auto& info) { return std::string(info.param.name); });

// --trace: every frame of the run in the file, as the frame monitor shows it, byte for byte
// what the node took in and sent.
struct TraceCase {
    const char* name;
    QStringList simArgs;
    // Verdicts of the trace's last lines; every line before them is "OK". After a faulty reply
    // the run still waits for a good one until the watchdog expires.
    QStringList lastVerdicts;
    int exitCode;
};

class ProgramTrace : public ProgramCli, public ::testing::WithParamInterface<TraceCase> {};

TEST_P(ProgramTrace, WritesEveryFrameWithItsVerdictAndMeaning) {
    const TraceCase& c = GetParam();
    ASSERT_TRUE(startSim(c.simArgs));
    const QString trace = sim.pathInFolder("trace.txt");
    const CliRun r = brisaCli({"program", data("serial.nod"), "--port", sim.link(), "--trace", trace});
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();

    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    // Columns: time, direction, bytes (59 wide), verdict (14 wide), meaning.
    const auto field = [](const QString& line, int from, int width) { return line.mid(from, width).trimmed(); };
    QStringList seen;  // "< hex" taken in by the node, "> hex" sent by it, as its log has them
    QString request;   // meaning of the last frame sent
    QStringList verdicts;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& l = lines[i];
        EXPECT_TRUE(l.left(11).endsWith(" ms")) << l.toStdString();
        const QString direction = field(l, 13, 9), hex = field(l, 24, 59), meaning = l.mid(101);
        const bool sent = direction == QStringLiteral("PC → nodo");
        if (sent) {
            EXPECT_TRUE(meaning.startsWith("escritura bloque ")) << l.toStdString();
            EXPECT_TRUE(request.isEmpty()) << "two frames sent without a reply between: " << l.toStdString();
            request = meaning;
        } else {
            EXPECT_EQ(direction, QStringLiteral("nodo → PC")) << l.toStdString();
            EXPECT_EQ(meaning, "respuesta a " + request) << l.toStdString();
            if (field(l, 85, 14) == QStringLiteral("OK")) request.clear();
        }
        verdicts << field(l, 85, 14);
        if (!hex.isEmpty()) seen << (sent ? "< " : "> ") + hex;
    }
    const qsizetype ok = lines.size() - c.lastVerdicts.size();
    ASSERT_GE(ok, 0);
    EXPECT_EQ(verdicts.mid(0, ok), QStringList(ok, QStringLiteral("OK")));
    EXPECT_EQ(verdicts.mid(ok), c.lastVerdicts);

    EXPECT_EQ(seen, simtest::SimProcess::loggedFrames(sim.pathInFolder("log")));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ProgramTrace,
    ::testing::Values(TraceCase{"None", {}, {"OK"}, 0},
                      TraceCase{"Drop", {"--drop", "7"}, {"sin respuesta"}, 1},
                      TraceCase{"Partial", {"--partial", "8"}, {"incompleta", "sin respuesta"}, 1},
                      TraceCase{"Corrupt", {"--corrupt", "3"}, {"checksum", "sin respuesta"}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramCli, TraceOnQueryAndModeAndAnUnwritableFile) {
    ASSERT_TRUE(startSim());
    const QString trace = sim.pathInFolder("q.txt");
    ASSERT_EQ(brisaCli({"query", "--port", sim.link(), "--trace", trace}).exitCode, 0);
    QFile q(trace);
    ASSERT_TRUE(q.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(q.readAll());
    EXPECT_TRUE(text.contains("lectura bloque 0") && text.contains("respuesta a lectura bloque 1")) << text.toStdString();

    const QString modeTrace = sim.pathInFolder("m.txt");
    ASSERT_EQ(brisaCli({"mode", "inspect", "--port", sim.link(), "--trace", modeTrace}).exitCode, 0);
    QFile m(modeTrace);
    ASSERT_TRUE(m.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(m.readAll()).contains("respuesta a cambio de modo: inspección"));

    const CliRun bad = brisaCli({"query", "--port", sim.link(), "--trace", sim.pathInFolder("no/such/dir/t.txt")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains("No se pudo abrir el archivo de traza")) << bad.err.toStdString();
}

// --- the node query, the mode switch and inspection ---

TEST_F(ProgramCli, QueryShowsWhatWasProgrammed) {
    ASSERT_TRUE(startSim());
    ASSERT_EQ(brisaCli({"program", data("serial.nod"), "--port", sim.link()}).exitCode, 0);

    const CliRun text = brisaCli({"query", "--port", sim.link()});
    EXPECT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, QStringLiteral("Modelo: EtModbus <> TALVO (Ethernet <> 232)\n"
                                       "Software versión: 1.15\n"
                                       "Prioritario 1: 5 (80 - 95)\nPrioritario 2: No usado\n"
                                       "Bloques: 8\nBaudios232: 4800\nID: 2\nBaudios485: 19200\n"
                                       "ID: 5\nPuerto PLC: A\nDirección ip: 192.168.001.010\n"
                                       "Máscara: 255.255.255.000\nPuerto: 502\n"));

    const CliRun json = brisaCli({"query", "--port", sim.link(), "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o.keys(), QStringList({"lbBaud232", "lbBaud485", "lbBlPri1", "lbBlPri2",
                                     "lbBloquesEnNodo", "lbIP", "lbId232", "lbId485", "lbIpPort",
                                     "lbModelo", "lbMsk", "lbPortPLC", "lbSoftwarever"}));
    EXPECT_EQ(o.value("lbId485").toString(), "5");
    EXPECT_EQ(o.value("lbBlPri1").toString(), "5 (80 - 95)");
}

TEST_F(ProgramCli, AQueryWhoseSecondBlockGetsNoAnswerNamesIt) {
    ASSERT_TRUE(startSim({"--drop", "2"}));
    const CliRun r = brisaCli({"query", "--port", sim.link()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Error BL 001")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
}

// Program, inspected, capture, normal again: the capture is the programmed scan list.
TEST_F(ProgramCli, InspectionCapturesTheScanListOfTheNode) {
    QTemporaryDir dir;
    ASSERT_TRUE(startSim());
    ASSERT_EQ(brisaCli({"program", data("serial.nod"), "--port", sim.link()}).exitCode, 0);
    const CliRun inspect = brisaCli({"mode", "inspect", "--port", sim.link()});
    EXPECT_EQ(inspect.exitCode, 0) << inspect.err.toStdString();
    EXPECT_EQ(inspect.out, QStringLiteral("Nodo en modo inspección\n"));

    const QString nod = dir.filePath("capturado.nod");
    const CliRun capture = brisaCli({"inspect", "--port", sim.link(), "--seconds", "1", "--json", "--nod", nod});
    ASSERT_EQ(capture.exitCode, 0) << capture.err.toStdString();
    const QJsonArray blocks = QJsonDocument::fromJson(capture.out.toUtf8()).object().value("bloques").toArray();
    EXPECT_EQ(blocks.toVariantList(), QVariantList({"005", "010", "011", "012", "020", "021"}));
    const CliRun compiled = brisaCli({"compile", nod});
    EXPECT_TRUE(compiled.out.startsWith("005 010 011 012 020 021\n")) << compiled.out.toStdString();

    // An inspected node answers nothing but the switch.
    EXPECT_EQ(brisaCli({"query", "--port", sim.link()}).exitCode, 1);
    const CliRun normal = brisaCli({"mode", "normal", "--port", sim.link()});
    EXPECT_EQ(normal.exitCode, 0) << normal.err.toStdString();
    EXPECT_EQ(normal.out, QStringLiteral("Nodo en modo normal\n"));
    EXPECT_EQ(brisaCli({"query", "--port", sim.link()}).exitCode, 0);
}

// --- reading the node back, and programming with verification ---

class ReadBackCli : public ProgramCli {
  protected:
    QTemporaryDir dir;
};

TEST_F(ReadBackCli, ReadsWhatWasProgrammedAsTextJsonAndFiles) {
    ASSERT_TRUE(startSim());
    ASSERT_EQ(brisaCli({"program", data("serial.nod"), "--port", sim.link()}).exitCode, 0);

    const CliRun text = brisaCli({"readback", "--port", sim.link()});
    EXPECT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, QStringLiteral("Bloques usados: 8\nPrioridad 1: 5\nPrioridad 2: \nId 485: 5\n"
                                       "Baudios 485: 19200\nId 232: 2\nBaudios 232: 4800\n"
                                       "Puerto PLC: A\nDirección IP: 192.168.001.010\n"
                                       "Máscara de red: 255.255.255.000\nPuerto Tcp/Ip: 502\n"
                                       "5 10 11 5 12 20 5 21\n"));

    const QString nd = dir.filePath("nodo.nd"), nod = dir.filePath("nodo.nod");
    const CliRun json = brisaCli({"readback", "--port", sim.link(), "--json", "--save", nd, "--nod", nod});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o.keys(), QStringList({"bloques", "lbBaud232", "lbBaud485", "lbBlUsed", "lbId232",
                                     "lbId485", "lbIpMsk0", "lbIpMsk1", "lbPort232", "lbPri0",
                                     "lbPri1", "lbTcpPort"}));
    EXPECT_EQ(o.value("lbIpMsk0").toString(), "192.168.001.010");
    EXPECT_EQ(o.value("lbPri1").toString(), "");
    EXPECT_EQ(o.value("bloques").toArray().size(), 8);
    EXPECT_EQ(o.value("bloques").toArray().at(1).toString(), "10");

    QFile file(nd);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 301);
    EXPECT_EQ(quint8(bytes[229]), 8);
    EXPECT_EQ(quint8(bytes[1]), 10);

    // The program file compiles to the scan list the node holds.
    const CliRun again = brisaCli({"compile", nod});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.startsWith("5 010 011 5 012 020 5 021\n")) << again.out.toStdString();
}

TEST_F(ReadBackCli, AFileThatCannotBeWrittenIsAFailure) {
    ASSERT_TRUE(startSim());
    const QString nd = dir.filePath("no-existe/nodo.nd");
    const CliRun r = brisaCli({"readback", "--port", sim.link(), "--save", nd});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("No se pudo guardar el archivo \"" + nd + "\"")) << r.err.toStdString();
}

TEST_F(ReadBackCli, ALinkFailureEndsWithExitOneAndTheWindowsText) {
    ASSERT_TRUE(startSim({"--drop", "5"}));
    const CliRun r = brisaCli({"readback", "--port", sim.link(), "--save", dir.filePath("n.nd")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Error BL 104: el nodo no respondió a tiempo")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("n.nd")));
}

// The driver's refusal reaches the user as it is: what to do about a port another program holds.
TEST(BrisaCli, APortHeldByAnotherProgramIsSaidSoOnStderr) {
    testsupport::Pty pty;
    ASSERT_TRUE(pty.ok());
    ztklink::QtSerialPort holder;
    ztklink::PortMap map;
    map.set(1, pty.slavePath());
    holder.setPortMap(map);
    ASSERT_TRUE(holder.setCommPort(1).ok());
    ASSERT_TRUE(holder.setPortOpen(true).ok());
    const CliRun r = brisaCli({"query", "--port", pty.slavePath()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("está en uso por otro programa")) << r.err.toStdString();
}

struct VerifyCase {
    const char* name;
    QStringList simArgs;
    int exitCode;
    QString out;
    QString err;  // contained in stderr
};

class ProgramVerify : public ProgramCli, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(ProgramVerify, ReadsTheNodeBackAndComparesWhatWasSent) {
    const VerifyCase c = GetParam();
    ASSERT_TRUE(startSim(c.simArgs));
    const CliRun r = brisaCli({"program", data("serial.nod"), "--port", sim.link(), "--verify"});
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
    EXPECT_EQ(r.out, c.out);
    EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, ProgramVerify,
    ::testing::Values(
        VerifyCase{"Sound", {}, 0, "Programado!\nVerificado\n", ""},
        // Entry count 8 and the RS-485 id 5 come back inverted.
        VerifyCase{"FaultyCells", {"--flip", "229", "--flip", "220"}, 1, "Programado!\n",
                   "No verificado: 2 bytes difieren\n220: esperado 05, leído FA\n229: esperado 08, "
                   "leído F7"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UsageCase {
    const char* name;
    QStringList args;
    int exitCode;
    QString message;
};

class BadUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(BadUsage, IsRefusedWithAClearMessageAndNothingWritten) {
    QTemporaryDir dir;
    const QString copy = dir.filePath("serial.nod");
    ASSERT_TRUE(QFile::copy(data("serial.nod"), copy));
    const QString settings = QFileInfo(QStringLiteral(BRISA_CLI_PATH)).dir().filePath("Brisa.ini");
    const bool hadSettings = QFile::exists(settings);
    QStringList args = GetParam().args;
    args.replaceInStrings("FILE", copy);
    args.replaceInStrings("MISSING", dir.filePath("no-existe.nod"));
    args.replaceInStrings("FOLDER", dir.path());

    const CliRun r = brisaCli(args);
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(GetParam().message)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"serial.nod"});
    EXPECT_EQ(QFile::exists(settings), hadSettings);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadUsage,
    ::testing::Values(
        UsageCase{"NoArguments", {}, 2, "Uso:"},
        UsageCase{"UnknownSubcommand", {"burn", "FILE"}, 2, "Orden desconocida"},
        UsageCase{"UnknownOption", {"image", "FILE", "--fast"}, 2, "fast"},
        UsageCase{"OptionOfAnotherSubcommand", {"compile", "FILE", "--node", "eth"}, 2, "node"},
        UsageCase{"NoFile", {"image"}, 2, "Falta el archivo"},
        UsageCase{"MissingFile", {"compile", "MISSING"}, 1, "No existe el archivo"},
        UsageCase{"FolderForFile", {"image", "FOLDER"}, 1, "No se puede leer el archivo"},
        UsageCase{"BadNode", {"image", "FILE", "--node", "485"}, 2, "Tipo de nodo no válido"},
        UsageCase{"BadSoftwareVersion", {"image", "FILE", "--sw", "3.00"}, 2, "Versión de software"},
        UsageCase{"HighMemoryOnEthernet", {"image", "FILE", "--node", "eth", "--memh"}, 2,
                  "memoria alta"},
        UsageCase{"BadTcpPort", {"image", "FILE", "--tcp-port", "70000"}, 2, "Puerto TCP"},
        UsageCase{"NegativeTcpPort", {"image", "FILE", "--tcp-port", "-1"}, 2, "Puerto TCP"},
        UsageCase{"NoPort", {"program", "FILE"}, 2, "Falta --port"},
        UsageCase{"BadPort", {"program", "FILE", "--port", "COM99"}, 2, "Puerto no válido"},
        UsageCase{"BadBaud", {"program", "FILE", "--port", "/dev/null", "--baud", "300"}, 2,
                  "Velocidad no válida"},
        UsageCase{"BadPlcPort", {"program", "FILE", "--port", "/dev/null", "--plc-port", "C"}, 2,
                  "Puerto del PLC"},
        UsageCase{"PortThatDoesNotExist", {"program", "FILE", "--port", "FOLDER/ttyNADA"}, 1,
                  "Error BL 005: No existe el puerto"},
        UsageCase{"VerifyANodeWithoutReadBack",
                  {"program", "FILE", "--node", "eth", "--port", "/dev/null", "--verify"}, 2,
                  "--verify"},
        UsageCase{"ReadBackWithoutPort", {"readback"}, 2, "Falta --port"},
        UsageCase{"QueryWithoutPort", {"query"}, 2, "Falta --port"},
        UsageCase{"ModeWithoutMode", {"mode", "--port", "/dev/null"}, 2, "Falta el modo"},
        UsageCase{"UnknownMode", {"mode", "sleep", "--port", "/dev/null"}, 2, "Modo no válido"},
        UsageCase{"InspectWithoutSeconds", {"inspect", "--port", "/dev/null"}, 2, "Falta --seconds"},
        UsageCase{"InspectForNoTime", {"inspect", "--port", "/dev/null", "--seconds", "0"}, 2,
                  "Segundos no válidos"},
        UsageCase{"ReadBackTakesNoFile", {"readback", "FILE", "--port", "/dev/null"}, 2,
                  "Sobran argumentos"},
        UsageCase{"ReadBackSaveWithoutName", {"readback", "--port", "/dev/null", "--save="}, 2,
                  "--save"},
        UsageCase{"ReadBackFromAPortThatDoesNotExist", {"readback", "--port", "FOLDER/ttyNADA"},
                  1, "Error BL 100: No existe el puerto"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
