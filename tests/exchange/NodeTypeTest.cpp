// The node type options, the software version and the adaptation of the window to them.
#include <QCoreApplication>
#include <QFile>

#include "ExchangeFixture.h"
#include "NodeConfig.h"
#include "NodeType.h"

using namespace brisa;

namespace {

TEST_F(ExchangeFixture, NodeTypeOptionsSetTheirFramesMenusAndHardwareVersion) {
    form.frMail.setEnabled(true);
    chooseNode(true, QStringLiteral("1.50"));
    EXPECT_FALSE(form.fr485.enabled());
    EXPECT_FALSE(form.opPortPLC[0].enabled());
    EXPECT_TRUE(form.opPortPLC[1].value());
    EXPECT_TRUE(form.frEth.enabled());
    EXPECT_FALSE(form.mnMemH.enabled());
    EXPECT_FALSE(form.nmRecupProg.enabled());
    EXPECT_TRUE(form.cmdCompilar.enabled());
    EXPECT_EQ(app.session.hardVer, 4.0f);

    chooseNode(false, QStringLiteral("1.50"));
    EXPECT_TRUE(form.fr485.enabled());
    EXPECT_TRUE(form.opPortPLC[0].enabled());
    EXPECT_TRUE(form.opPortPLC[1].value());  // enabled again, not selected
    EXPECT_FALSE(form.frEth.enabled());
    EXPECT_FALSE(form.frMail.enabled());
    EXPECT_TRUE(form.mnMemH.enabled());
    EXPECT_TRUE(form.nmRecupProg.enabled());
    EXPECT_EQ(app.session.hardVer, 1.0f);
}

// A greyed frame says why: the technician otherwise looks for a fault.
TEST_F(ExchangeFixture, DisabledFramesSayWhyInTheirTooltips) {
    struct Case {
        bool ethernet;
        const char* softVer;
        const char* rs485;  // shown tooltip of fr485, frEth, frMail ("" when enabled)
        const char* eth;
        const char* mail;
    };
    const Case cases[] = {
        {false, "1.15", "", "Sólo en nodos Ethernet ModBus",
         "Sólo en nodos Ethernet ModBus con software 1.11 a 1.20"},
        {true, "1.10", "Sólo en nodos 232 <> 485", "", "Requiere software 1.11 a 1.20"},
        {true, "1.15", "Sólo en nodos 232 <> 485", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ethernet << " " << c.softVer);
        chooseNode(c.ethernet, QLatin1String(c.softVer));
        EXPECT_EQ(form.fr485.shownToolTip(), QString::fromUtf8(c.rs485));
        EXPECT_EQ(form.frEth.shownToolTip(), QString::fromUtf8(c.eth));
        EXPECT_EQ(form.frMail.shownToolTip(), QString::fromUtf8(c.mail));
    }
}

struct AdaptCase {
    bool ethernet;
    const char* softVer;
    bool highMemoryMenu;
    bool mail;
    int baud;
};

class Adaptation : public ExchangeFixture, public ::testing::WithParamInterface<AdaptCase> {};

TEST_P(Adaptation, FollowsTheNodeTypeAndSoftwareVersion) {
    const AdaptCase c = GetParam();
    form.mnMemH.setChecked(true);
    chooseNode(c.ethernet, QLatin1String(c.softVer));
    if (!c.ethernet) {
        EXPECT_EQ(form.mnMemH.enabled(), c.highMemoryMenu);
        EXPECT_EQ(form.mnMemH.checked(), c.highMemoryMenu);  // kept where the version allows it
    }
    if (c.ethernet) {
        EXPECT_EQ(form.frMail.enabled(), c.mail);
    }
    EXPECT_EQ(form.cbBaudios.text(), QString::number(c.baud));
    EXPECT_EQ(app.ZTK90->Baudios(), c.baud);
}

INSTANTIATE_TEST_SUITE_P(Versions, Adaptation,
                         ::testing::Values(AdaptCase{false, "1.05", false, false, 4800},
                                           AdaptCase{false, "1.09", false, false, 4800},
                                           AdaptCase{false, "1.10", true, false, 4800},
                                           AdaptCase{false, "2.00", true, false, 4800},
                                           AdaptCase{true, "1.10", false, false, 4800},
                                           AdaptCase{true, "1.11", false, true, 9600},
                                           AdaptCase{true, "1.15", false, true, 9600},
                                           AdaptCase{true, "1.20", false, true, 9600},
                                           AdaptCase{true, "1.25", false, false, 4800}));

TEST_F(ExchangeFixture, DescriptionComesFromTheHardwareFileWhenItHasTheKey) {
    chooseNode(true, QStringLiteral("1.50"));
    EXPECT_EQ(form.lbAboutVer.caption(), StrHardVer(4.0f) + QStringLiteral("\r\n"));

    const QString key = exchange::NodeType::descriptionKey(
        4.0f, 1.5f, SettingsStore::regionalSettings().decimalSymbol);
    QFile file(dir.filePath(QStringLiteral("Hardware.dsc")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Des]\r\n" + key.toLatin1() + "=Nodo Ethernet con correo\r\n");
    file.close();
    chooseNode(true, QStringLiteral("1.50"));
    EXPECT_EQ(form.lbAboutVer.caption(),
              StrHardVer(4.0f) + QStringLiteral("\r\nNodo Ethernet con correo"));
}

TEST(DescriptionKey, WholeHardwareVersionAndTwoDecimalsWithTheSystemsSeparator) {
    EXPECT_EQ(exchange::NodeType::descriptionKey(1.0f, 1.5f, "."), QStringLiteral("1_1.50"));
    EXPECT_EQ(exchange::NodeType::descriptionKey(4.0f, 1.2f, ","), QStringLiteral("4_1,20"));
    EXPECT_EQ(exchange::NodeType::descriptionKey(4.0f, 1.15f, "."), QStringLiteral("4_1.15"));
}

}  // namespace

namespace {

// "Hardware.dsc" is written with points; on a system with a decimal comma its keys are still
// found, and a key written with the system's own symbol wins.
struct DescriptionCase {
    const char* name;
    const char* decimal;
    const char* file;
    const char* shown;
};

class Description : public ExchangeFixture, public ::testing::WithParamInterface<DescriptionCase> {};

TEST_P(Description, IsFoundWithTheSystemsSymbolOrWithAPoint) {
    const DescriptionCase& c = GetParam();
    app.nodeType.decimalSymbol = [&] { return QString::fromLatin1(c.decimal); };
    QFile file(dir.filePath(QStringLiteral("Hardware.dsc")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("[Des]\r\n") + c.file);
    file.close();
    chooseNode(true, QStringLiteral("1.15"));
    EXPECT_EQ(form.lbAboutVer.caption(),
              StrHardVer(4.0f) + QStringLiteral("\r\n") + QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Description,
    ::testing::Values(
        DescriptionCase{"PointSystem", ".", "4_1.15=Con correo\r\n", "Con correo"},
        DescriptionCase{"CommaSystemPointFile", ",", "4_1.15=Con correo\r\n", "Con correo"},
        DescriptionCase{"CommaSystemBothKeys", ",", "4_1.15=Punto\r\n4_1,15=Coma\r\n", "Coma"},
        DescriptionCase{"CommaSystemNoKey", ",", "4_1.20=Otra\r\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A compiled image was made for the node chosen at that time; another node may not take it.
TEST_F(ExchangeFixture, ChangingTheNodeTypeOrVersionHidesProgramar) {
    const std::vector<std::pair<bool, const char*>> choices{
        {false, "1.00"}, {true, "2.00"}, {false, "2.00"}};
    chooseNode(false, QStringLiteral("2.00"));
    for (const auto& [ethernet, version] : choices) {
        form.cmdProgramar.setVisible(true);
        chooseNode(ethernet, QLatin1String(version));
        EXPECT_FALSE(form.cmdProgramar.visible()) << version;
    }
}

}  // namespace

namespace {

// The shipped "Hardware.dsc" (copied next to the programs) describes every node type and
// software version the window offers, and its accents survive the file's code page.
TEST_F(ExchangeFixture, TheShippedHardwareFileDescribesEveryChoice) {
    // The shipped file is read from beside the tests; settings stay in the fixture's folder.
    app.session.dataFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    ASSERT_TRUE(QFile::exists(app.session.dataFolderPath() + QStringLiteral("Hardware.dsc")));
    for (bool ethernet : {false, true}) {
        for (const QString& version : form.cbSoftVer.items()) {
            chooseNode(ethernet, version);
            const QStringList lines = form.lbAboutVer.caption().split(QStringLiteral("\r\n"));
            ASSERT_EQ(lines.size(), 2);
            EXPECT_GT(lines[1].size(), 40) << version.toStdString();
        }
    }
    chooseNode(true, QStringLiteral("1.15"));
    EXPECT_TRUE(form.lbAboutVer.caption().contains(QStringLiteral("dirección IP, máscara")));
    EXPECT_TRUE(form.lbAboutVer.caption().contains(QStringLiteral("9600")));
    chooseNode(false, QStringLiteral("1.05"));
    EXPECT_TRUE(form.lbAboutVer.caption().contains(QStringLiteral("sin memoria alta")));
}

// A file whose software version is not in the list keeps the version shown, and the window
// stays adapted to it: an Ethernet node takes no PLC port A, whatever the file says.
TEST_F(ExchangeFixture, ALoadThatSkipsTheSoftwareVersionKeepsTheWindowAdaptedToIt) {
    chooseNode(true, QStringLiteral("1.15"));
    const QString path = dir.filePath(QStringLiteral("puerto-a.nod"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Sets]\r\nSoftVer=965\r\n[Prog]\r\nPort232=-1\r\n");
    f.close();
    ASSERT_TRUE(app.files.loadProgramFile(path));
    EXPECT_EQ(form.cbSoftVer.text(), QStringLiteral("1.15"));
    EXPECT_TRUE(form.opPortPLC[1].value());
    EXPECT_FALSE(form.opPortPLC[0].value());

    chooseNode(false, QStringLiteral("1.15"));  // an RS-232/485 node does take port A
    ASSERT_TRUE(app.files.loadProgramFile(path));
    EXPECT_TRUE(form.opPortPLC[0].value());
}

}  // namespace
