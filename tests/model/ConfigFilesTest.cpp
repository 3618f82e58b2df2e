#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include "ModelFixture.h"

using namespace brisa;

namespace {

class ConfigFilesTest : public ModelFixture {};

// The program file of a known record, byte for byte.
QByteArray knownFile() {
    QByteArray b =
        "[Sets]\r\nBaudios=4800\r\nPort=3\r\n"
        "[Net]\r\n0IP=192\r\n0MASK=255\r\n0Gate=10\r\n1IP=168\r\n1MASK=255\r\n1Gate=0\r\n"
        "2IP=1\r\n2MASK=255\r\n2Gate=0\r\n3IP=20\r\n3MASK=0\r\n3Gate=1\r\n"
        "From=nodo@ejemplo.com\r\nPass=se\xf1"
        "a\x80\r\nPOP=pop.x\r\nSMTP=smtp.x\r\nUsser=Jos\xe9\r\n"
        "MinPop=8\r\nNodoPASS=Ab1Z\r\nMailRta=2\r\nAutenticar=1\r\nTcpPort=8080\r\n";
    for (int n = 0; n < 5; ++n) {
        const QByteArray d = QByteArray::number(n);
        b += d + "Msg=" + (n == 0 ? QByteArray("Alarma: \xe1rea 1") : QByteArray()) + "\r\n";
        b += d + "Dst=" + (n == 0 ? QByteArray("op@x") : QByteArray()) + "\r\n";
        b += d + "Subject=\r\n";
        b += d + "VrTr=" + (n == 0 ? "511" : "0") + "\r\n";
        b += d + "VlTr=" + (n == 0 ? "40000" : "0") + "\r\n";
        b += d + "VarAttch=0\r\n" + d + "Attch=" + (n == 0 ? "1" : "0") + "\r\n";
        b += d + "MBit=" + (n == 0 ? "False" : "True") + "\r\n";
        b += d + "MByte=False\r\n";
        b += d + "MWord=" + (n == 0 ? "True" : "False") + "\r\n";
        b += d + "Menor=False\r\n" + d + "Igual=True\r\n" + d + "Mayor=False\r\n";
    }
    b += "5MBit=True\r\n5MByte=False\r\n5MWord=False\r\n5Menor=True\r\n5Igual=False\r\n"
         "5Mayor=False\r\n5VrTr=7\r\n5VlTr=65535\r\n"
         "[Prog]\r\nBlockFree=000,001,\r\nBlockUsed=005,006,\r\nBlockF1=005\r\nBlockF2=\r\n"
         "Baud232=3\r\nBaud485=5\r\nPort232=-1\r\nId232=1\r\nId485=254\r\n";
    return b;
}

NodeConfig knownRecord() {
    NodeConfig c;
    c.port = 3;
    c.ip = {192, 168, 1, 20};
    c.mask = {255, 255, 255, 0};
    c.gate = {10, 0, 0, 1};
    c.from = "nodo@ejemplo.com";
    c.pass = "seña€";
    c.pop = "pop.x";
    c.smtp = "smtp.x";
    c.usser = "José";
    c.minPop = 8;
    c.nodoPass = "Ab1Z";
    c.mailRta = 2;
    c.autenticar = 1;
    c.tcpPort = 8080;
    c.mail[0] = {"Alarma: área 1", "op@x", "", 0, 1};
    c.trigger[0] = {511, 40000, false, false, true, false, true, false};
    c.trigger[5] = {7, 65535, true, false, false, true, false, false};
    c.blockFree = "000,001,";
    c.blockUsed = "005,006,";
    c.blockF1 = "005";
    c.baud232 = 3;
    c.baud485 = 5;
    c.port232 = -1;
    c.id232 = 1;
    c.id485 = 254;
    return c;
}

}  // namespace

TEST_F(ConfigFilesTest, SaveConfigWritesTheKnownFileByteForByte) {
    session.config = knownRecord();
    const QString path = filePath("conocido.nod");
    ASSERT_TRUE(files.SaveConfig(path).ok);
    EXPECT_EQ(read(path), knownFile());
}

TEST_F(ConfigFilesTest, LoadConfigReadsTheKnownFileIntoRecordAndWindow) {
    const QString path = filePath("conocido.nod");
    write(path, knownFile());
    const LoadResult r = files.LoadConfig(path);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.skipped.isEmpty());
    NodeConfig expected = knownRecord();
    // A program file has no SoftVer: the default position comes with it.
    expected.softVer = 50;
    EXPECT_EQ(session.config, expected);
    EXPECT_EQ(form.txtAutPass.text(), QStringLiteral("seña€"));
    EXPECT_EQ(form.txtAutUser.text(), QStringLiteral("José"));
    EXPECT_EQ(form.txtMensaje[0].text(), QStringLiteral("Alarma: área 1"));
    EXPECT_EQ(form.txtIP[0].text(), QStringLiteral("192"));
    EXPECT_EQ(form.txtMsk[3].text(), QStringLiteral("0"));
    EXPECT_EQ(form.txtPort.text(), QStringLiteral("8080"));
    EXPECT_EQ(form.txtValTriggerMail[0].text(), QStringLiteral("40000"));
    EXPECT_EQ(form.txtValTriggerMail[5].text(), QStringLiteral("65535"));
    EXPECT_TRUE(form.opVarTipoWord[0].value());
    EXPECT_FALSE(form.opVarTipoBit[0].value());
    EXPECT_TRUE(form.opValMenor[5].value());
    EXPECT_EQ(form.mailRtaGroup.selected(), 2);
    EXPECT_EQ(form.chkAttachVar[0].value(), 1);
    EXPECT_EQ(form.lstBlockFree.items(), QStringList({"000", "001"}));
    EXPECT_EQ(form.lstUsed.items(), QStringList({"005", "006"}));
    EXPECT_EQ(form.txtPri[0].text(), QStringLiteral("005"));
    EXPECT_EQ(form.cbBaudios232.text(), QStringLiteral("4800"));
    EXPECT_EQ(form.cbBaudios485.text(), QStringLiteral("19200"));
    EXPECT_TRUE(form.opPortPLC[0].value());
    EXPECT_EQ(form.cbId232.text(), QStringLiteral("2"));
    EXPECT_EQ(form.cbId485.text(), QStringLiteral("255"));
    EXPECT_EQ(form.cbSoftVer.text(), QStringLiteral("1.50"));
    EXPECT_EQ(form.cbPSerie.text(), QStringLiteral("COM3:"));
    EXPECT_EQ(form.lbPortPC.caption(), QStringLiteral("PC COM3:"));
    EXPECT_EQ(pcPorts.last(), 3);
    EXPECT_TRUE(form.frPopPLC.enabled());
    EXPECT_TRUE(form.pnlAutent.enabled());
    EXPECT_FLOAT_EQ(session.softVer, 1.5f);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(ConfigFilesTest, FileWithoutKeysGivesTheDefaults) {
    form.txtPort.setText("502");
    ASSERT_TRUE(files.LoadConfig(filePath("vacio.nod")).ok());
    NodeConfig expected;
    expected.blockFree = allBlocksList();
    EXPECT_EQ(session.config, expected);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(form.txtMsk[i].text(), QStringLiteral("0"));
    for (int n = 0; n < TriggerSets; ++n) {
        EXPECT_TRUE(form.opVarTipoBit[n].value());
        EXPECT_TRUE(form.opValIgual[n].value());
    }
    EXPECT_EQ(form.lstBlockFree.count(), 32);
    EXPECT_EQ(form.lstUsed.count(), 0);
    EXPECT_EQ(form.cbBaudios232.text(), QStringLiteral("600"));
    EXPECT_TRUE(form.opPortPLC[1].value());
    EXPECT_EQ(form.cbId232.text(), QStringLiteral("2"));
    EXPECT_EQ(form.cbPSerie.text(), QStringLiteral("COM1:"));
    EXPECT_EQ(form.mailRtaGroup.selected(), 0);
}

TEST_F(ConfigFilesTest, ProgramFileRoundTripRestoresEveryWindowField) {
    fillEveryField();
    const QString path = filePath("todo.nod");
    ASSERT_TRUE(files.saveProgramFile(path));
    const QStringList saved = windowState();

    // Move every field elsewhere, then load the file back.
    ModelFixture::write(filePath("otro.nod"), "");
    ASSERT_TRUE(files.LoadConfig(filePath("otro.nod")).ok());
    form.txtPort.setText("1");
    ASSERT_NE(windowState(), saved);

    ASSERT_TRUE(files.loadProgramFile(path));
    QStringList expected = saved;
    // The software version is not in a program file: it comes back as 1.50.
    const QString softVer = expected.filter(QRegularExpression("^cbSoftVer=")).first();
    expected.replace(expected.indexOf(softVer), QString(softVer).replace("=73:", "=50:"));
    // "Cargar" selects the first used block.
    const qsizetype used = expected.indexOf("lstUsed=-1:007|005|200");
    ASSERT_GE(used, 0);
    expected[used] = "lstUsed=0:007|005|200";
    const QStringList loaded = windowState();
    ASSERT_EQ(loaded.size(), expected.size());
    for (int i = 0; i < loaded.size(); ++i) EXPECT_EQ(loaded[i], expected[i]);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(ConfigFilesTest, SavedFileKeepsWhatItDoesNotOwn) {
    const QString path = settingsPath();
    write(path, "; notas del instalador\n[Sets]\nSoftVer=73\nBaudios=9600\n[Extra]\nA=\"1\"\n");
    ASSERT_TRUE(files.LoadConfig(path).ok());
    ASSERT_TRUE(files.CollectAndSaveSettings().ok);
    const IniFile f = *IniFile::load(path);
    EXPECT_EQ(f.value("Sets", "SoftVer"), QStringLiteral("73"));
    EXPECT_EQ(f.value("Sets", "Baudios"), QStringLiteral("9600"));  // not from the window
    EXPECT_EQ(f.value("Extra", "A"), QStringLiteral("\"1\""));
    EXPECT_TRUE(read(path).startsWith("; notas del instalador\r\n[Sets]\r\n"));
}

TEST_F(ConfigFilesTest, BlockListsOnLoad) {
    struct Case {
        const char* free;
        const char* used;
        QStringList freeItems;
        QStringList usedItems;
    };
    const Case cases[] = {
        {"3,7,", "", {"003", "007"}, {}},
        {"3,7,", "007,", {"003"}, {"007"}},
        {"000,001,002", "", {"000", "001"}, {}},  // no final comma: the last entry is lost
        {"005,005,", "005,", {"005"}, {"005"}},   // only the first equal entry leaves
        {"", "200,", {}, {"200"}},                // a high block was never in the free list
        {"3,7,", "7,", {"003", "007"}, {"7"}},    // compared as text
        // The free list is in ascending numeric order whatever the file's order.
        {"007,003,010,", "", {"003", "007", "010"}, {}},
        {"31,200,5,", "", {"005", "031", "200"}, {}},
        {"010,003,007,", "003,", {"007", "010"}, {"003"}},
    };
    for (const Case& c : cases) {
        write(filePath("b.nod"),
              QByteArray("[Prog]\nBlockFree=") + c.free + "\nBlockUsed=" + c.used + "\n");
        ASSERT_TRUE(files.LoadConfig(filePath("b.nod")).ok());
        EXPECT_EQ(form.lstBlockFree.items(), c.freeItems) << c.free << " / " << c.used;
        EXPECT_EQ(form.lstUsed.items(), c.usedItems) << c.free << " / " << c.used;
    }
}

TEST_F(ConfigFilesTest, FlagAndNumberFormatsOnLoad) {
    struct Case {
        const char* line;
        bool mBit;
    };
    for (const Case& c :
         {Case{"0MBit=TRUE", true}, Case{"0MBit=false", false}, Case{"0MBit=0", false},
          Case{"0MBit=-1", true}, Case{"0MBit= True ", true}, Case{"0mbit=FaLsE", false}}) {
        write(filePath("f.nod"), QByteArray("[net]\n") + c.line + "\n0VlTr=+40000\n");
        ASSERT_TRUE(files.LoadConfig(filePath("f.nod")).ok()) << c.line;
        EXPECT_EQ(session.config.trigger[0].mBit, c.mBit) << c.line;
        EXPECT_EQ(session.config.trigger[0].vlTr, 40000);
    }
}

TEST_F(ConfigFilesTest, DamagedProgramFileIsRefusedAndChangesNothing) {
    fillEveryField();
    files.CollectSettings();
    const NodeConfig before = session.config;
    const QStringList window = windowState();
    const QByteArray settings = read(settingsPath());
    struct Case {
        const char* file;
        const char* key;
    };
    const Case cases[] = {
        {"[Sets]\nPort=dos\n", "Port"},
        {"[Sets]\nPort=\n", "Port"},
        {"[Sets]\nPort=1.5\n", "Port"},
        {"[Net]\nTcpPort=5O2\n", "TcpPort"},  // a letter O: not a number at all
        {"[Net]\n4MWord=si\n", "4MWord"},
        {"[Net]\n5VlTr=1e3\n", "5VlTr"},
        {"[Prog]\nBlockUsed=001,\nId485=x\n", "Id485"},  // after a good value
    };
    for (const Case& c : cases) {
        const QString path = filePath("malo.nod");
        write(path, c.file);
        messages.messages.clear();
        EXPECT_FALSE(files.loadProgramFile(path)) << c.file;
        EXPECT_EQ(session.config, before) << c.file;
        EXPECT_EQ(windowState(), window) << c.file;
        ASSERT_EQ(messages.messages.size(), 1) << c.file;
        EXPECT_TRUE(messages.messages[0].text.contains(path));
        EXPECT_TRUE(messages.messages[0].text.contains(QString(" %1 ").arg(c.key)))
            << messages.messages[0].text.toStdString();
    }
    EXPECT_EQ(read(settingsPath()), settings);
}

TEST_F(ConfigFilesTest, TruncatedFileLoadsWholeOrNotAtAll) {
    // Cut a complete file anywhere: a load either keeps every key before the cut and defaults
    // after it, or refuses the file; never half a record.
    const QByteArray whole = knownFile();
    const QString path = filePath("cortado.nod");
    for (int cut = 0; cut < whole.size(); cut += 5) {
        ASSERT_TRUE(files.LoadConfig(filePath("ninguno.nod")).ok());
        const NodeConfig before = session.config;
        const QStringList window = windowState();
        write(path, whole.left(cut));
        const LoadResult r = files.LoadConfig(path);
        if (r.ok()) {
            EXPECT_EQ(session.config.baudios, 4800);
            if (whole.left(cut).contains("Id485=254")) {
                EXPECT_EQ(session.config.id485, 254);
            }
        } else {
            EXPECT_EQ(r.status, LoadResult::Status::BadValue) << cut;
            EXPECT_EQ(session.config, before) << cut;
            EXPECT_EQ(windowState(), window) << cut;
        }
    }
}

TEST_F(ConfigFilesTest, OutOfRangeValuesSkipOnlyTheirFieldInOneMessage) {
    const QString path = filePath("fuera.nod");
    write(path,
          "[Sets]\nPort=20\nSoftVer=101\n[Net]\n0IP=300\n1IP=10\nMailRta=7\nMinPop=9\n"
          "TcpPort=70000\n0VlTr=70000\n"
          "[Prog]\nBaud232=6\nId232=255\nId485=-1\nBaud485=2\nBlockF2=009\n");
    messages.messages.clear();
    ASSERT_TRUE(files.loadProgramFile(path));
    // The rest is filled.
    EXPECT_EQ(form.txtIP[1].text(), QStringLiteral("10"));
    EXPECT_EQ(form.cbBaudios485.listIndex(), 2);
    EXPECT_EQ(form.txtPri[1].text(), QStringLiteral("009"));
    ASSERT_EQ(messages.messages.size(), 1);
    const QString text = messages.messages[0].text;
    EXPECT_TRUE(text.contains(path));
    EXPECT_TRUE(
        text.contains("0IP, TcpPort, 0VlTr, Port, MinPop, MailRta, Baud232, Id232, Id485, SoftVer"))
        << text.toStdString();
}

// Each value outside its list or its entry field's range: the file loads, the key is reported,
// and the field keeps what it showed, in the window and in what is saved from it.
TEST_F(ConfigFilesTest, OutOfRangeValueKeepsWhatItsFieldHad) {
    using Shown = std::function<QString(const form::MainForm&)>;
    const auto text = [](auto field) -> Shown {
        return [field](const form::MainForm& f) { return (f.*field).text(); };
    };
    const auto at = [](auto array, int i) -> Shown {
        return [array, i](const form::MainForm& f) { return (f.*array)[i].text(); };
    };
    const auto position = [](auto list) -> Shown {
        return [list](const form::MainForm& f) { return QString::number((f.*list).listIndex()); };
    };
    using F = form::MainForm;
    struct Case {
        const char* file;
        const char* key;  // nullptr: in range, the file's value is shown
        Shown shown;
    };
    const Case cases[] = {
        {"[Net]\n0IP=300\n", "0IP", at(&F::txtIP, 0)},
        {"[Net]\n3MASK=256\n", "3MASK", at(&F::txtMsk, 3)},
        {"[Net]\n2Gate=-1\n", "2Gate", at(&F::txtGW, 2)},
        {"[Net]\n1IP=40000\n", "1IP", at(&F::txtIP, 1)},  // beyond a 16-bit number
        {"[Net]\n0IP=99999999999999999999\n", "0IP", at(&F::txtIP, 0)},
        {"[Net]\nTcpPort=70000\n", "TcpPort", text(&F::txtPort)},
        {"[Net]\nTcpPort=-1\n", "TcpPort", text(&F::txtPort)},
        {"[Net]\n0VlTr=70000\n", "0VlTr", at(&F::txtValTriggerMail, 0)},
        {"[Net]\n5VlTr=-5\n", "5VlTr", at(&F::txtValTriggerMail, 5)},
        {"[Net]\n0VrTr=600\n", "0VrTr", at(&F::txtTriggerMail, 0)},
        {"[Net]\n5VrTr=512\n", "5VrTr", at(&F::txtTriggerMail, 5)},
        {"[Net]\n4VarAttch=512\n", "4VarAttch", at(&F::txtVarAttach, 4)},
        {"[Sets]\nPort=20\n", "Port", position(&F::cbPSerie)},
        {"[Sets]\nPort=0\n", "Port", position(&F::cbPSerie)},
        {"[Sets]\nSoftVer=101\n", "SoftVer", position(&F::cbSoftVer)},
        {"[Net]\nMinPop=9\n", "MinPop", position(&F::cbMinutosPop)},
        {"[Net]\nMailRta=7\n", "MailRta",
         [](const F& f) { return QString::number(f.mailRtaGroup.selected()); }},
        {"[Prog]\nBaud232=6\n", "Baud232", position(&F::cbBaudios232)},
        {"[Prog]\nId485=-1\n", "Id485", position(&F::cbId485)},
        // The limits themselves are in range.
        {"[Net]\n0IP=255\n", nullptr, at(&F::txtIP, 0)},
        {"[Net]\nTcpPort=65535\n", nullptr, text(&F::txtPort)},
        {"[Net]\nTcpPort=0\n", nullptr, text(&F::txtPort)},
        {"[Net]\n0VlTr=65535\n", nullptr, at(&F::txtValTriggerMail, 0)},
        {"[Net]\n4VarAttch=511\n", nullptr, at(&F::txtVarAttach, 4)},
    };
    const QString path = filePath("fuera.nod");
    for (const Case& c : cases) {
        fillEveryField();
        const QString before = c.shown(form);
        write(path, c.file);
        messages.messages.clear();
        ASSERT_TRUE(files.loadProgramFile(path)) << c.file;
        if (!c.key) {
            EXPECT_EQ(c.shown(form), QString(c.file).section('=', 1).trimmed()) << c.file;
            EXPECT_TRUE(messages.messages.isEmpty()) << c.file;
            continue;
        }
        EXPECT_EQ(c.shown(form), before) << c.file;
        // The record holds what the window shows: saving stores the kept value.
        const NodeConfig loaded = session.config;
        files.CollectSettings();
        EXPECT_EQ(session.config, loaded) << c.file;
        ASSERT_EQ(messages.messages.size(), 1) << c.file;
        EXPECT_TRUE(messages.messages[0].text.endsWith(QStringLiteral(": %1.").arg(c.key)))
            << messages.messages[0].text.toStdString();
    }
}

// A host that never selected a list position (brisa-cli) saves what the record holds, never
// the -1 of "no selection", which the next load would skip and report.
TEST_F(ConfigFilesTest, AListWithNothingSelectedSavesTheRecordsValue) {
    session.config.port = 3;
    session.config.minPop = 2;
    session.config.id485 = 7;
    for (form::ListControl* l : std::initializer_list<form::ListControl*>{
             &form.cbPSerie, &form.cbMinutosPop, &form.cbId485})
        ASSERT_TRUE(l->setListIndex(-1));
    files.CollectSettings();
    EXPECT_EQ(session.config.port, 3);
    EXPECT_EQ(session.config.minPop, 2);
    EXPECT_EQ(session.config.id485, 7);
    ASSERT_TRUE(files.SaveConfig(filePath("sin.nod")).ok);
    messages.messages.clear();
    ASSERT_TRUE(files.loadProgramFile(filePath("sin.nod")));
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(form.cbId485.listIndex(), 7);
}

TEST_F(ConfigFilesTest, PortTheDriverRefusesIsReportedAfterTheLoadAndThePortInUseStays) {
    form.cbPSerie.setListIndex(3);  // COM4:, taken by the driver
    const QByteArray settings = read(settingsPath());
    write(filePath("com12.nod"), "[Sets]\nPort=12\n[Net]\n0IP=10\n");
    messages.messages.clear();
    ASSERT_TRUE(files.loadProgramFile(filePath("com12.nod")));
    EXPECT_EQ(form.txtIP[0].text(), QStringLiteral("10"));
    EXPECT_EQ(driverPort, 4);
    EXPECT_EQ(form.cbPSerie.text(), QStringLiteral("COM4:"));
    EXPECT_EQ(form.lbPortPC.caption(), QStringLiteral("PC COM4:"));
    EXPECT_EQ(session.config.port, 4);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].title, QStringLiteral("Puerto serie"));
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("COM12: no se puede usar para programar: El puerto serie puede ser "
                             "solo entre el 1 y el 8)\nSe sigue usando COM4:."));
    // Loading saves no more than before (only SoftVer).
    IniFile expected = IniFile::fromBytes(settings);
    expected.setValue("Sets", "SoftVer", "50");
    EXPECT_EQ(read(settingsPath()), expected.toBytes());
}

TEST_F(ConfigFilesTest, TcpPortIsKeptAndOldFilesLeaveItAlone) {
    form.txtPort.setText("1502");
    files.CollectSettings();
    ASSERT_TRUE(files.SaveConfig(filePath("con.nod")).ok);
    EXPECT_EQ(IniFile::load(filePath("con.nod"))->value("Net", "TcpPort"), QStringLiteral("1502"));

    form.txtPort.setText("502");
    ASSERT_TRUE(files.LoadConfig(filePath("con.nod")).ok());
    EXPECT_EQ(form.txtPort.text(), QStringLiteral("1502"));

    form.txtPort.setText("777");
    write(filePath("viejo.nod"), "[Net]\n0IP=1\n");
    ASSERT_TRUE(files.LoadConfig(filePath("viejo.nod")).ok());
    EXPECT_EQ(form.txtPort.text(), QStringLiteral("777"));
    EXPECT_EQ(session.config.tcpPort, 777);
}

TEST_F(ConfigFilesTest, ALineBreakCannotBreakTheFile) {
    // Pasted into a field, it becomes a space: the keys after it survive the next start.
    fillEveryField();
    form.txtSMTP.setText("smtp.x\n[Otra]");
    ASSERT_TRUE(files.CollectAndSaveSettings().ok);
    // The software version is not in the comparison: loading the other file writes its own.
    const auto state = [this] {
        return windowState().filter(QRegularExpression("^(?!cbSoftVer=)"));
    };
    const QStringList saved = state();
    ASSERT_TRUE(files.LoadConfig(filePath("otro.nod")).ok());
    ASSERT_NE(state(), saved);
    ASSERT_TRUE(files.LoadConfig(settingsPath()).ok());
    EXPECT_EQ(form.txtSMTP.text(), QStringLiteral("smtp.x [Otra]"));
    EXPECT_EQ(state(), saved);

    // Put into the record by any other way, it is refused with the reason, and the files stay.
    const QByteArray settings = read(settingsPath());
    session.config.mail[2].msg = "uno\r\ndos";
    const SaveResult r = files.SaveConfig(settingsPath());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("2Msg")) << r.error.toStdString();
    EXPECT_EQ(read(settingsPath()), settings);
}

TEST_F(ConfigFilesTest, NoAccountChosenKeepsThePreviousMailRta) {
    session.config.mailRta = 4;
    for (auto& o : form.opMailRta) o.setValue(false);
    files.CollectSettings();
    EXPECT_EQ(session.config.mailRta, 4);
    form.opMailRta[1].setValue(true);
    files.CollectSettings();
    EXPECT_EQ(session.config.mailRta, 1);
}

TEST_F(ConfigFilesTest, LoadingAProgramFileSavesOnlySoftVerIntoTheSettingsFile) {
    // Choosing the file's port inside the fill must not save the half-filled window.
    fillEveryField();
    ASSERT_TRUE(files.CollectAndSaveSettings().ok);
    const QByteArray before = read(settingsPath());
    write(filePath("p.nod"), "[Sets]\nPort=5\n[Net]\nFrom=otro@x\n");
    ASSERT_TRUE(files.loadProgramFile(filePath("p.nod")));
    EXPECT_EQ(pcPorts.last(), 5);
    EXPECT_FALSE(session.loading);
    IniFile expected = IniFile::fromBytes(before);
    expected.setValue("Sets", "SoftVer", "50");
    EXPECT_EQ(read(settingsPath()), expected.toBytes());
}

TEST_F(ConfigFilesTest, SavingIntoAReadOnlyFolderTellsTheUser) {
    ReadOnlyFolder folder;
    const QString path = folder.path() + "/Brisa.ini";
    fillEveryField();
    messages.messages.clear();
    EXPECT_FALSE(files.saveProgramFile(path));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].title, QStringLiteral("Salvar programa"));
    EXPECT_TRUE(messages.messages[0].text.contains(path));
    if (folder.hadFile()) {
        EXPECT_EQ(folder.fileBytes(), folder.originalBytes());
    }
}

TEST_F(ConfigFilesTest, ClosingNeverAsksEvenWhenTheSettingsCannotBeSaved) {
    ReadOnlyFolder folder;
    session.appFolder = folder.path() + u'/';
    messages.messages.clear();
    EXPECT_FALSE(files.saveSettingsAtShutdown());
    EXPECT_TRUE(messages.messages.isEmpty());
    if (folder.hadFile()) {
        EXPECT_EQ(folder.fileBytes(), folder.originalBytes());
    }

    session.appFolder = dir.path() + u'/';
    EXPECT_TRUE(files.saveSettingsAtShutdown());
    EXPECT_TRUE(QFile::exists(settingsPath()));
}

TEST_F(ConfigFilesTest, DamagedSettingsFileIsSetAsideAtStartUp) {
    const QByteArray damaged = "[Sets]\nPort=3\n[Net]\n0IP=abc\n";
    write(settingsPath(), damaged);
    write(settingsPath() + ".bad", "anterior");
    files.loadSettingsAtStartUp();

    EXPECT_EQ(read(settingsPath() + ".bad"), QByteArray("anterior"));
    EXPECT_EQ(read(settingsPath() + ".bad.1"), damaged);
    NodeConfig defaults;
    defaults.blockFree = allBlocksList();
    EXPECT_EQ(session.config, defaults);
    EXPECT_EQ(form.cbPSerie.text(), QStringLiteral("COM1:"));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.contains("0IP"));
    EXPECT_TRUE(messages.messages[0].text.contains(settingsPath() + ".bad.1"));
    // The next save creates a fresh settings file.
    ASSERT_TRUE(files.saveSettingsAtShutdown());
    EXPECT_TRUE(IniFile::load(settingsPath())->value("Net", "0IP").has_value());
}

TEST_F(ConfigFilesTest, StartUpWithoutSettingsFileIsQuiet) {
    files.loadSettingsAtStartUp();
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(session.config.port, 1);
    EXPECT_FALSE(QFile::exists(settingsPath() + ".bad"));
}

TEST_F(ConfigFilesTest, NumbersReadTheSameUnderAnyLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    write(filePath("l.nod"), "[Net]\n0VlTr=40000\n");
    const bool ok = files.LoadConfig(filePath("l.nod")).ok();
    form.cbSoftVer.setListIndex(73);
    files.CollectSettings();
    ASSERT_TRUE(files.SaveConfig(filePath("l2.nod")).ok);
    QLocale::setDefault(previous);
    EXPECT_TRUE(ok);
    EXPECT_FLOAT_EQ(session.softVer, 1.73f);
    EXPECT_EQ(IniFile::load(filePath("l2.nod"))->value("Net", "0VlTr"), QStringLiteral("40000"));
}
