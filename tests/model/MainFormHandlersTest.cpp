#include <gtest/gtest.h>

#include <QSignalSpy>

#include "ModelFixture.h"

using namespace brisa;

namespace {
class MainFormHandlersTest : public ModelFixture {};
}  // namespace

TEST_F(MainFormHandlersTest, FixedLists) {
    EXPECT_EQ(form.cbId232.count(), 255);
    EXPECT_EQ(form.cbId485.item(254), QStringLiteral("255"));
    EXPECT_EQ(form.cbBaudios232.items(),
              QStringList({"600", "1200", "2400", "4800", "9600", "19200"}));
    EXPECT_EQ(form.cbBaudios.items(), QStringList({"1200", "2400", "4800", "9600", "19200"}));
    EXPECT_EQ(form.cbPSerie.count(), 16);
    EXPECT_EQ(form.cbPSerie.item(15), QStringLiteral("COM16:"));
    EXPECT_EQ(form.cbSoftVer.count(), 101);
    EXPECT_EQ(form.cbSoftVer.item(0), QStringLiteral("1.00"));
    EXPECT_EQ(form.cbSoftVer.item(50), QStringLiteral("1.50"));
    EXPECT_EQ(form.cbSoftVer.item(100), QStringLiteral("2.00"));
    EXPECT_EQ(form.cbMinutosPop.text(), QStringLiteral("Nunca"));
    EXPECT_EQ(form.cbMinutosPop.item(8), QStringLiteral("PLC"));
}

TEST_F(MainFormHandlersTest, ChoosingAPcPortOutsideLoadingSavesTheSettings) {
    form.txtRemitente.setText("a@b");
    form.cbPSerie.setListIndex(3);
    EXPECT_EQ(session.config.port, 4);
    EXPECT_EQ(pcPorts, QList<int>({4}));
    EXPECT_EQ(form.lbPortPC.caption(), QStringLiteral("PC COM4:"));
    const IniFile saved = *IniFile::load(settingsPath());
    EXPECT_EQ(saved.value("Sets", "Port"), QStringLiteral("4"));
    EXPECT_EQ(saved.value("Net", "From"), QStringLiteral("a@b"));

    QFile::remove(settingsPath());
    session.loading = true;
    form.cbPSerie.setListIndex(1);
    EXPECT_EQ(pcPorts.last(), 2);
    EXPECT_FALSE(QFile::exists(settingsPath()));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(MainFormHandlersTest, ARefusedPortIsReportedAndTheListReturnsToThePortInUse) {
    form.cbPSerie.setListIndex(3);  // COM4:
    form.lbStatus.setCaption(QStringLiteral("No existe el puerto COM4 (dispositivo /dev/ttyS3)"));
    pcPorts.clear();
    form.cbPSerie.setListIndex(11);  // COM12:

    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].title, QStringLiteral("Puerto serie"));
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("COM12: no se puede usar para programar: El puerto serie puede ser "
                             "solo entre el 1 y el 8)\nSe sigue usando COM4:."));
    EXPECT_EQ(form.cbPSerie.text(), QStringLiteral("COM4:"));
    EXPECT_EQ(form.lbPortPC.caption(), QStringLiteral("PC COM4:"));
    EXPECT_EQ(session.config.port, 4);
    EXPECT_EQ(driverPort, 4);
    EXPECT_EQ(pcPorts, QList<int>({12, 4}));
    EXPECT_EQ(IniFile::load(settingsPath())->value("Sets", "Port"), QStringLiteral("4"));
    // The error still belongs to the port in use.
    EXPECT_FALSE(form.lbStatus.caption().isEmpty());

    // Another port the driver takes clears the link error left by the one before.
    form.cbPSerie.setListIndex(1);
    EXPECT_EQ(form.lbStatus.caption(), QString());
    EXPECT_EQ(messages.messages.size(), 1);
}

TEST_F(MainFormHandlersTest, SoftwareVersionWritesSoftVerAndAsksForAdaptation) {
    QSignalSpy adapt(handlers.get(), &MainFormHandlers::adaptToNodeRequested);
    write(settingsPath(), "[Sets]\r\nPort=2\r\n");
    form.cbSoftVer.setListIndex(100);
    EXPECT_FLOAT_EQ(session.softVer, 2.0f);
    EXPECT_EQ(session.config.softVer, 100);
    EXPECT_EQ(read(settingsPath()), QByteArray("[Sets]\r\nPort=2\r\nSoftVer=100\r\n"));
    EXPECT_EQ(adapt.count(), 1);
}

TEST_F(MainFormHandlersTest, PopMinutesAndAuthenticationEnableThePanels) {
    struct Step {
        const char* action;
        int minutes;  // -1: leave the list alone
        int auth;     // -1: leave the tick alone
        bool panel;
        bool popFrame;
    };
    // Each step is one user action; the panel and frame after it.
    const Step steps[] = {
        {"Nunca", 0, -1, false, false},       {"3 minutos", 1, -1, true, false},
        {"Nunca again", 0, -1, false, false}, {"tick", -1, 1, true, false},
        {"untick", -1, 0, false, false},      {"PLC", 8, -1, true, true},
        {"untick at PLC", -1, 0, true, true}, {"tick", -1, 1, true, true},
        {"Nunca ticked", 0, -1, true, false}, {"240", 7, -1, true, false},
    };
    for (const Step& s : steps) {
        if (s.minutes >= 0) form.cbMinutosPop.setListIndex(s.minutes);
        if (s.auth >= 0) form.chkAutenticacion.setValue(s.auth);
        EXPECT_EQ(form.pnlAutent.enabled(), s.panel) << s.action;
        EXPECT_EQ(form.frPopPLC.enabled(), s.popFrame) << s.action;
    }
}

TEST_F(MainFormHandlersTest, PortSettingsHideProgramar) {
    const auto choices = std::initializer_list<std::function<void()>>{
        [&] { form.cbBaudios232.setListIndex(1); }, [&] { form.cbBaudios485.setListIndex(0); },
        [&] { form.cbId232.setListIndex(5); },      [&] { form.cbId485.setListIndex(5); },
        [&] { form.opPortPLC[0].setValue(true); },  [&] { form.opPortPLC[1].setValue(true); },
    };
    int i = 0;
    for (const auto& choose : choices) {
        form.cmdProgramar.setVisible(true);
        choose();
        EXPECT_FALSE(form.cmdProgramar.visible()) << i++;
    }
    form.cmdProgramar.setVisible(true);
    form.cbSoftVer.setListIndex(3);
    form.txtIP[0].setText("10");
    EXPECT_TRUE(form.cmdProgramar.visible());
}
