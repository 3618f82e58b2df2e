#include <QRegularExpression>
#include <QSignalSpy>

#include "AppFixture.h"

using brisa::App;

namespace {

class StartUpTest : public AppFixture {};

TEST_F(StartUpTest, FirstStartUsesTheDefaultsWritesOnlyTheSoftwareVersionAndMakesTheFilesFolder) {
    startUp();

    const auto& f = app->form;
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_FALSE(app->session.loading);
    EXPECT_EQ(app->session.appFolder, folder() + QLatin1Char('/'));
    // Only the software version handler writes during the start-up.
    EXPECT_EQ(settingsBytes(), QByteArray("[Sets]\r\nSoftVer=50\r\n"));
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Files"))).exists());

    EXPECT_EQ(f.cbPSerie.count(), 16);
    EXPECT_EQ(f.cbPSerie.text(), QStringLiteral("COM1:"));
    EXPECT_EQ(f.lbPortPC.caption(), QStringLiteral("PC COM1:"));
    EXPECT_EQ(f.cbSoftVer.count(), 101);
    EXPECT_EQ(f.cbSoftVer.text(), QStringLiteral("1.50"));
    EXPECT_FLOAT_EQ(app->session.softVer, 1.5f);
    EXPECT_EQ(f.cbMinutosPop.text(), QStringLiteral("Nunca"));
    EXPECT_EQ(f.Tab1.currentPage(), 0);
    EXPECT_EQ(f.TabMail.currentPage(), 5);
    EXPECT_TRUE(f.opNodo232x485.value());
    EXPECT_FALSE(f.opNodoEth.value());
    EXPECT_EQ(f.lstBlockFree.listIndex(), 0);
    for (brisa::form::Label* label : app->form.nodeInfoLabels()) EXPECT_EQ(label->caption(), QString());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Programador de nodos TALVO   ver\\. \\d+\\.\\d\\d\\.\\d\\d$"))
                    .match(f.lbVersion.caption())
                    .hasMatch())
        << f.lbVersion.caption().toStdString();

    EXPECT_EQ(app->ZTK90->COMM(), 1);
    EXPECT_EQ(app->ZTK90->Baudios(), 4800);
    EXPECT_EQ(app->ZTK90->PuertoPLC(), 1);
    EXPECT_EQ(app->ZTK90->WatchDogTime(), 1500);
}

TEST_F(StartUpTest, SavedPortIsSelectedShownAndGivenToTheDriverWithoutRewritingTheFile) {
    const QByteArray saved("[Sets]\r\nBaudios=9600\r\nPort=3\r\nSoftVer=10\r\n"
                           "[Net]\r\n0IP=192\r\n[Otra]\r\nclave=valor\r\n");
    writeSettings(saved);
    startUp();

    EXPECT_EQ(app->form.cbPSerie.text(), QStringLiteral("COM3:"));
    EXPECT_EQ(app->form.lbPortPC.caption(), QStringLiteral("PC COM3:"));
    EXPECT_EQ(app->ZTK90->COMM(), 3);
    // The record keeps its speed; the driver ends at the speed the node type picks (4800).
    EXPECT_EQ(app->session.config.baudios, 9600);
    EXPECT_EQ(app->ZTK90->Baudios(), 4800);
    EXPECT_EQ(app->form.cbSoftVer.text(), QStringLiteral("1.10"));
    EXPECT_EQ(app->form.txtIP[0].text(), QStringLiteral("192"));
    // SoftVer is written back with the value it had: the file is byte for byte the same.
    EXPECT_EQ(settingsBytes(), saved);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(StartUpTest, ExistingFilesFolderIsLeftAsItIs) {
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("Files")));
    QFile kept(dir.filePath(QStringLiteral("Files/uno.nod")));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("[Prog]\r\n");
    kept.close();
    startUp();
    EXPECT_TRUE(QFile::exists(kept.fileName()));
}

struct RegionalCase {
    const char* name;
    QString grouping, list, decimal;
    QStringList lines;  // the problem lines, in order; none: no box
};

void PrintTo(const RegionalCase& c, std::ostream* os) { *os << c.name; }

class RegionalTest : public AppFixture, public ::testing::WithParamInterface<RegionalCase> {};

TEST_P(RegionalTest, OneBoxWithTheProblemLinesInOrder) {
    const RegionalCase& c = GetParam();
    regional = {c.grouping, c.list, c.decimal};
    startUp();
    if (c.lines.isEmpty()) {
        EXPECT_TRUE(messages.messages.isEmpty());
        return;
    }
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].title, QStringLiteral("Configuración sistema"));
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("La configuración regional de su sistema no es la apropiada.\n"
                             "Verifique/Modifique desde el panel de control.\n\n") +
                  c.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    // The warning does not stop the start-up.
    EXPECT_FALSE(app->session.loading);
    EXPECT_EQ(app->form.cbPSerie.text(), QStringLiteral("COM1:"));
}

const QString grouping = QStringLiteral("El agrupador de dígitos (separador de miles) no puede ser coma (,)");
const QString list = QStringLiteral("El separador de listas debe ser coma (,)");

INSTANTIATE_TEST_SUITE_P(
    Settings, RegionalTest,
    ::testing::Values(
        RegionalCase{"Suitable", ".", ",", ".", {}},
        RegionalCase{"SpaceGrouping", QStringLiteral("\u00a0"), ",", ".", {}},
        RegionalCase{"CommaGroupingSemicolonList", ",", ";", ".", {grouping, list}},
        // The POSIX locale has no grouping symbol at all.
        RegionalCase{"NoGrouping", "", ",", ".", {}},
        // Our numbers never depend on the decimal symbol: es_ES and es_AR are fine.
        RegionalCase{"SpanishDecimalComma", ".", ",", ",", {}},
        RegionalCase{"CommaGroupingSemicolonListDecimalComma", ",", ";", ",", {grouping, list}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, TerminarAndClosingSaveTheWindowOnce) {
    startUp();
    app->form.txtIP[0].setText(QStringLiteral("10"));
    app->form.txtSMTP.setText(QStringLiteral("smtp.example.com"));
    QSignalSpy quit(app.get(), &App::quitRequested);

    app->form.cmdEnd.press();

    EXPECT_EQ(quit.count(), 1);
    const QByteArray bytes = settingsBytes();
    EXPECT_TRUE(bytes.contains("0IP=10\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("SMTP=smtp.example.com\r\n")) << bytes.toStdString();

    // The window's closing after "Terminar" does not save a second time.
    app->form.txtIP[0].setText(QStringLiteral("11"));
    app->shutDown();
    EXPECT_TRUE(settingsBytes().contains("0IP=10\r\n"));
}

TEST_F(StartUpTest, ClosingSavesTheSettingsFile) {
    startUp();
    app->form.cbBaudios232.setListIndex(5);
    app->shutDown();
    EXPECT_TRUE(settingsBytes().contains("Baud232=5\r\n")) << settingsBytes().toStdString();
}

// --- devices behind the PC ports ---

class PortDevicesTest : public AppFixture {};

TEST_F(PortDevicesTest, SavedDevicesFeedTheDriverAndMissingOnesAreTheSerialPorts) {
    writeSettings("[Sets]\r\nPort=3\r\n[Puertos]\r\nCOM3=/dev/pts/77\r\n");
    startUp();
    ASSERT_NE(app->ZTK90->qtPort(), nullptr);
    const ztklink::PortMap& map = app->ZTK90->qtPort()->portMap();
    EXPECT_EQ(map.device(3), QStringLiteral("/dev/pts/77"));
    EXPECT_EQ(map.device(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(map.device(16), QStringLiteral("/dev/ttyS15"));
    EXPECT_EQ(app->form.txtDevice.text(), QStringLiteral("/dev/pts/77"));
    EXPECT_TRUE(app->form.lbDevice.caption().startsWith(QStringLiteral("COM3: es /dev/pts/77")));

    // Choosing another port shows its device.
    app->form.cbPSerie.setListIndex(4);
    EXPECT_EQ(app->form.txtDevice.text(), QStringLiteral("/dev/ttyS4"));
}

TEST_F(PortDevicesTest, TypedDeviceIsSavedForTheChosenPortKeepingTheOtherKeys) {
    writeSettings("[Sets]\r\nPort=2\r\n[Puertos]\r\nCOM5=/dev/ttyACM0\r\n; nota\r\n");
    startUp();
    app->form.txtDevice.setText(QStringLiteral("  /dev/pts/9 "));
    app->form.txtDevice.confirm();

    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(app->ZTK90->qtPort()->portMap().device(2), QStringLiteral("/dev/pts/9"));
    const QByteArray bytes = settingsBytes();
    EXPECT_TRUE(bytes.contains("[Puertos]\r\nCOM5=/dev/ttyACM0\r\n; nota\r\nCOM2=/dev/pts/9\r\n"))
        << bytes.toStdString();

    // Saving the window keeps the map.
    app->shutDown();
    EXPECT_TRUE(settingsBytes().contains("COM2=/dev/pts/9\r\n"));
}

TEST_F(PortDevicesTest, FoundDevicesAreOfferedAndChoosingOneAssignsIt) {
    devices = {{QStringLiteral("/dev/serial/by-id/usb-FTDI_A1-if00-port0"), QStringLiteral("/dev/ttyUSB0"),
                QStringLiteral("FTDI FT232R")},
               {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS0"), QString()}};
    startUp();
    ASSERT_EQ(app->form.cbDevices.count(), 2);
    EXPECT_EQ(app->form.cbDevices.item(0),
              QStringLiteral("/dev/serial/by-id/usb-FTDI_A1-if00-port0 (FTDI FT232R)"));
    EXPECT_EQ(app->form.cbDevices.item(1), QStringLiteral("/dev/ttyS0"));

    app->form.cbDevices.setListIndex(0);
    EXPECT_EQ(app->ZTK90->qtPort()->portMap().device(1),
              QStringLiteral("/dev/serial/by-id/usb-FTDI_A1-if00-port0"));
    EXPECT_TRUE(settingsBytes().contains("COM1=/dev/serial/by-id/usb-FTDI_A1-if00-port0\r\n"));

    // Looking again finds what is plugged in now.
    devices.removeFirst();
    app->form.cmdDevices.press();
    EXPECT_EQ(app->form.cbDevices.items(), QStringList{QStringLiteral("/dev/ttyS0")});
}

TEST_F(PortDevicesTest, EmptyDeviceIsRefusedWithAMessage) {
    startUp();
    app->form.txtDevice.setText(QStringLiteral("   "));
    app->form.txtDevice.confirm();
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].title, QStringLiteral("Puerto serie"));
    EXPECT_EQ(app->form.txtDevice.text(), QStringLiteral("/dev/ttyS0"));
    EXPECT_FALSE(settingsBytes().contains("Puertos"));
}

TEST_F(PortDevicesTest, PortTheDriverRefusesIsReportedAndThePortInUseStays) {
    startUp();
    app->form.cbPSerie.setListIndex(8);  // COM9:

    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(
        messages.messages[0].text,
        QStringLiteral("COM9: no se puede usar para programar: El puerto serie puede ser solo "
                       "entre el 1 y el 8)\nSe sigue usando COM1:."));
    EXPECT_EQ(app->ZTK90->COMM(), 1);
    EXPECT_EQ(app->form.cbPSerie.text(), QStringLiteral("COM1:"));
    EXPECT_EQ(app->form.lbPortPC.caption(), QStringLiteral("PC COM1:"));
    EXPECT_TRUE(app->form.lbDevice.caption().startsWith(QStringLiteral("COM1: es /dev/ttyS0")));
    EXPECT_TRUE(settingsBytes().contains("Port=1\r\n")) << settingsBytes().toStdString();
}

// A saved port that the window cannot use (the driver refuses it, or it is not in the list) is
// reported once; the window starts on the port in use and saves that one, so the next start
// is quiet.
TEST_F(StartUpTest, SavedPortThatCannotBeUsedIsReportedOnceAndNotSavedAgain) {
    struct Case {
        const char* port;
        const char* message;
    };
    const auto restart = [this] {
        app.reset();
        messages.messages.clear();
        App::Options o;
        o.listDevices = [this] { return devices; };
        app = std::make_unique<App>(messages, std::move(o));
        app->regionalSettings = [this] { return regional; };
        startUp();
    };
    for (const Case& c : {Case{"12", "COM12: no se puede usar para programar"},
                          Case{"20", "fuera de su lista"}, Case{"0", "fuera de su lista"}}) {
        writeSettings(QByteArray("[Sets]\r\nPort=") + c.port + "\r\n");
        restart();
        ASSERT_EQ(messages.messages.size(), 1) << c.port;
        EXPECT_TRUE(messages.messages[0].text.contains(QLatin1String(c.message)))
            << messages.messages[0].text.toStdString();
        EXPECT_EQ(app->form.cbPSerie.text(), QStringLiteral("COM1:")) << c.port;
        EXPECT_EQ(app->form.lbPortPC.caption(), QStringLiteral("PC COM1:")) << c.port;
        EXPECT_EQ(app->ZTK90->COMM(), 1) << c.port;

        app->shutDown();
        EXPECT_TRUE(settingsBytes().contains("Port=1\r\n")) << settingsBytes().toStdString();
        restart();
        EXPECT_TRUE(messages.messages.isEmpty()) << c.port;
    }
}

}  // namespace
