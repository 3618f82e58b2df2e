#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "App.h"
#include "ExchangeFixture.h"
#include "MessagePresenter.h"
#include "ProgramWindow.h"
#include "QtPrinters.h"
#include "compiler/ScanList.h"

using namespace brisa;

TEST(Compilar, ScanListWithPriorityRepeatsAndCounts) {
    struct Case {
        const char* pri1;
        const char* pri2;
        const char* used;
        bool memH;
        const char* scan;
        const char* counts;  // the report's lines with T and, with high memory, H
    };
    const Case cases[] = {
        {"", "", "000 001 002", false, "000 001 002", "Recorrido total bloques: 3\r\n"},
        {"010", "", "", false, "010", "Recorrido total bloques: 1\r\n"},
        {"010", "011", "000 001", false, "010 011 000 001 010 011",
         "Recorrido total bloques: 6\r\n"},
        // The repeated priority block counts once among the high-memory entries.
        {"250", "", "200 201", true, "250 200 201 250",
         "Recorrido total bloques: 4\r\n3 de memoria alta\r\n"},
        {"", "011", "000 001 002 003 004", false, "011 000 001 011 002 003 011 004",
         "Recorrido total bloques: 8\r\n"},
        {"", "", "", false, "", "Recorrido total bloques: 0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pri1 << "|" << c.pri2 << "|" << c.used);
        ProgramWindow w;
        w.load("", c.used, c.pri1, c.pri2);
        if (c.memH) w.act(QStringLiteral("memh"));
        w.act(QStringLiteral("compilar"));
        EXPECT_EQ(w.form.lstCompilado.items(), blockList(c.scan));
        EXPECT_TRUE(w.form.lbCompilado.caption().startsWith(QString::fromLatin1(c.counts)))
            << w.form.lbCompilado.caption().toStdString();
        EXPECT_TRUE(w.form.cmdProgramar.visible());
    }
}

TEST(Compilar, ReportText) {
    struct Case {
        const char* name;
        const char* pri1;
        const char* pri2;
        const char* used;
        bool memH;
        const char* separator;
        const char* report;
    };
    const Case cases[] = {
        {"11 entries, comma locale", "010", "011", "000-004", false, ",",
         "Recorrido total bloques: 11\r\nTiempo estimado de scan: 1,1 seg.\r\n"
         "Bloques con prioridad: 2\r\n"},
        {"high memory on, no block above 191", "", "", "000-009", true, ".",
         "Recorrido total bloques: 10\r\n0 de memoria alta\r\nTiempo estimado de scan: 1 seg.\r\n"
         "Bloques con prioridad: 0\r\n"},
        {"empty selection", "", "", "", false, ",",
         "Recorrido total bloques: 0\r\nTiempo estimado de scan: 0 seg.\r\n"
         "Bloques con prioridad: 0\r\n"},
        // Left out of the scan list, yet counted as a priority block.
        {"priority field holding a space", " ", "", "", false, ",",
         "Recorrido total bloques: 0\r\nTiempo estimado de scan: 0 seg.\r\n"
         "Bloques con prioridad: 1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramWindow w;
        w.separator = QString::fromLatin1(c.separator);
        w.load("", c.used, c.pri1, c.pri2);
        if (c.memH) w.act(QStringLiteral("memh"));
        w.act(QStringLiteral("compilar"));
        EXPECT_EQ(w.form.lbCompilado.caption(), QString::fromLatin1(c.report));
    }
}

TEST(Compilar, ReplacesTheLastResultAndClearsWhatIsStale) {
    ProgramWindow w;
    w.load("", "003 004");
    w.form.lstCompilado.addItem(QStringLiteral("099"));
    w.form.lbProgramado.setCaption(QStringLiteral("Programado!"));
    w.form.PgBar1.setValue(6);
    for (form::Label* label : w.form.nodeInfoLabels()) label->setCaption(QStringLiteral("x"));
    ASSERT_FALSE(w.form.cmdProgramar.visible());

    w.act(QStringLiteral("compilar"));
    EXPECT_EQ(w.form.lstCompilado.items(), blockList("003 004"));
    EXPECT_TRUE(w.form.cmdProgramar.visible());
    EXPECT_EQ(w.form.lbProgramado.caption(), QString());
    EXPECT_EQ(w.form.PgBar1.value(), 0);
    for (form::Label* label : w.form.nodeInfoLabels())
        EXPECT_EQ(label->caption(), QString()) << label->objectName().toStdString();
}

// The node keeps only as many entries as its scan-list blocks hold, while its header would
// claim the whole list: such a list is reported and cannot be programmed.
TEST(Compilar, ScanListLongerThanTheNodeTakesHidesProgramar) {
    struct Case {
        float hardVer;
        float softVer;
        int used;
        int limit;  // 0: the node takes them all
    };
    const Case cases[] = {
        {1, 1.0f, 64, 0},    {1, 1.0f, 65, 64}, {1, 1.5f, 65, 0},
        {1, 2.0f, 192, 0},   {1, 2.0f, 193, 192},
        {4, 1.5f, 64, 0},    {4, 1.5f, 65, 64},  // Ethernet nodes get no blocks 7..14
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hardware " << c.hardVer << " software " << c.softVer
                                        << " used " << c.used);
        ProgramWindow w;
        w.session.hardVer = c.hardVer;
        w.session.softVer = c.softVer;
        for (int i = 0; i < c.used; ++i)
            w.form.lstUsed.addItem(exchange::BlockSelection::blockText(i % 192));
        w.act(QStringLiteral("compilar"));
        EXPECT_EQ(w.form.lstCompilado.count(), c.used);
        const QString tooLong =
            QStringLiteral("El recorrido supera el máximo de %1 bloques del nodo\r\n").arg(c.limit);
        if (c.limit == 0) {
            EXPECT_TRUE(w.form.cmdProgramar.visible());
            EXPECT_FALSE(w.form.lbCompilado.caption().contains(QStringLiteral("supera")));
        } else {
            EXPECT_FALSE(w.form.cmdProgramar.visible());
            EXPECT_TRUE(w.form.lbCompilado.caption().endsWith(tooLong))
                << w.form.lbCompilado.caption().toStdString();
        }
    }
}

namespace {
class NoMessages : public MessagePresenter {
  public:
    void information(const QString& title, const QString& text) override {
        ADD_FAILURE() << title.toStdString() << ": " << text.toStdString();
    }
    void warning(const QString& title, const QString& text) override {
        ADD_FAILURE() << title.toStdString() << ": " << text.toStdString();
    }
};
}  // namespace

// The window and brisa-cli drive the App: its controls reach the block selection.
TEST(Compilar, TheAppsControlsDriveTheBlockSelection) {
    NoMessages messages;
    App app(messages);
    app.form.cmdRstProg.press();
    app.form.lstBlockFree.setListIndex(5);
    app.form.cmdAdd.press();
    app.form.cmdAddPri1.press();
    app.form.cmdCompilar.press();
    EXPECT_EQ(app.form.lstCompilado.items(), QStringList({"006", "005"}));
    EXPECT_TRUE(app.form.cmdProgramar.visible());
    app.form.mnMemH.choose();
    EXPECT_TRUE(app.session.memH);
}

// A software version without high memory takes it away everywhere: menu, flag and lists.
TEST(Compilar, NodeWithoutHighMemoryLosesItsHighBlocks) {
    NoMessages messages;
    App app(messages);
    QTemporaryDir settings;  // choosing a software version saves it
    app.session.appFolder = settings.path() + QLatin1Char('/');
    app.handlers.FillPortLists();
    app.handlers.FillSoftVerList();
    app.form.opNodo232x485.setValue(true);
    ASSERT_TRUE(app.form.cbSoftVer.setListIndex(50));  // 1.50 takes high memory
    app.form.cmdRstProg.press();
    ASSERT_TRUE(app.form.mnMemH.enabled());
    app.form.mnMemH.choose();
    app.form.lstBlockFree.setListIndex(app.form.lstBlockFree.find(QStringLiteral("200")));
    app.form.cmdAdd.press();
    ASSERT_EQ(app.form.lstUsed.items(), QStringList({"200"}));

    ASSERT_TRUE(app.form.cbSoftVer.setListIndex(0));  // 1.00 does not
    EXPECT_FALSE(app.form.mnMemH.checked());
    EXPECT_FALSE(app.session.memH);
    EXPECT_TRUE(app.form.lstUsed.items().isEmpty());
    EXPECT_EQ(app.form.lstBlockFree.find(QStringLiteral("192")), -1);
}

namespace {

// An empty network field would be programmed as zeros (IP 0.168.1.50, TCP port 0) and the
// run would end "Programado!". The gateway may stay empty.
struct NetworkCase {
    const char* name;
    bool ethernet;
    std::function<void(form::MainForm&)> clear;
    QStringList lines;
};

class NetworkFields : public ExchangeFixture, public ::testing::WithParamInterface<NetworkCase> {};

TEST_P(NetworkFields, EmptyOnesAreReportedAndProgramarStaysHidden) {
    const NetworkCase& c = GetParam();
    chooseNode(c.ethernet, QStringLiteral("1.15"));
    for (int i = 0; i < 4; ++i) {
        form.txtIP[i].setText(QStringLiteral("192"));
        form.txtMsk[i].setText(QStringLiteral("255"));
        form.txtGW[i].setText(QStringLiteral("1"));
    }
    form.txtPort.setText(QStringLiteral("502"));
    c.clear(form);

    form.cmdCompilar.press();

    QString missing;
    for (const QString& line : c.lines) missing += QStringLiteral("Falta el valor de ") + line + QStringLiteral("\r\n");
    EXPECT_TRUE(form.lbCompilado.caption().endsWith(
        QStringLiteral("Bloques con prioridad: 0\r\n") + missing))
        << form.lbCompilado.caption().toStdString();
    EXPECT_EQ(form.cmdProgramar.visible(), c.lines.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NetworkFields,
    ::testing::Values(
        NetworkCase{"AllFilled", true, [](form::MainForm&) {}, {}},
        NetworkCase{"FirstIpOctet", true, [](form::MainForm& f) { f.txtIP[0].setText({}); },
                    {"Dirección IP"}},
        NetworkCase{"MaskOctetOfSpaces", true,
                    [](form::MainForm& f) { f.txtMsk[3].setText(QStringLiteral("  ")); },
                    {"Máscara de red"}},
        NetworkCase{"IpAndTcpPort", true,
                    [](form::MainForm& f) {
                        f.txtIP[3].setText({});
                        f.txtPort.setText({});
                    },
                    {"Dirección IP", "Puerto Tcp/Ip"}},
        NetworkCase{"GatewayMayBeEmpty", true,
                    [](form::MainForm& f) {
                        for (auto& octet : f.txtGW) octet.setText({});
                    },
                    {}},
        NetworkCase{"SerialNodeHasNoNetwork", false,
                    [](form::MainForm& f) {
                        f.txtIP[0].setText({});
                        f.txtPort.setText({});
                    },
                    {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// A node that reads its mailbox recognises the mails meant for it by a password of exactly 4
// letters or digits; with any other it would ignore them all, while the run says
// "Programado!".
struct PasswordCase {
    const char* name;
    bool ethernet;
    const char* minutes;  // cbMinutosPop
    const char* password;
    bool reported;
};

class NodePassword : public ExchangeFixture, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(NodePassword, IsReportedWhenTheNodeReadsEMail) {
    const PasswordCase& c = GetParam();
    chooseNode(c.ethernet, QStringLiteral("1.15"));
    ASSERT_TRUE(form.cbMinutosPop.setListIndex(form.cbMinutosPop.find(QLatin1String(c.minutes))));
    form.txtNodoPASS.setText(QString::fromUtf8(c.password));  // as a file may bring it

    form.cmdCompilar.press();

    const QString line = compiler::nodePasswordLine() + QStringLiteral("\r\n");
    EXPECT_EQ(form.lbCompilado.caption().endsWith(line), c.reported)
        << form.lbCompilado.caption().toStdString();
    EXPECT_EQ(form.cmdProgramar.visible(), !c.reported);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NodePassword,
    ::testing::Values(PasswordCase{"FourLettersAndDigits", true, "3", "ab12", false},
                      PasswordCase{"Empty", true, "10", "", true},
                      PasswordCase{"Short", true, "PLC", "abc", true},
                      PasswordCase{"NotALetter", true, "3", "ab-1", true},
                      PasswordCase{"Accented", true, "3", "añ12", true},
                      PasswordCase{"NeverReadsMail", true, "Nunca", "", false},
                      PasswordCase{"SerialNodeSendsNoMail", false, "3", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
