#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AboutWindow.h"
#include "MainWindow.h"
#include "QtPrinters.h"
#include "Wait.h"
#include "WindowFixture.h"

using namespace brisa::form;
using brisa::ui::MainWindow;

namespace {

using MainWindowTest = WindowFixture;

TEST_F(MainWindowTest, EveryControlHasItsWidget) {
    MainForm& f = app->form;
    QList<Control*> controls{&f.txtPort,  &f.frPopPLC,   &f.txtSMTP,     &f.txtPop,      &f.txtRemitente,
                             &f.chkAutenticacion, &f.pnlAutent, &f.txtAutUser, &f.txtAutPass,
                             &f.cbMinutosPop, &f.txtNodoPASS, &f.lbVersion, &f.Tab1, &f.tabEth,
                             &f.TabMail, &f.cmdEnd, &f.cmdLoadPrg, &f.cmdSavePrg, &f.lbComNodo,
                             &f.lbTipoND, &f.lbVerTipo, &f.opNodo232x485, &f.opNodoEth, &f.cbSoftVer,
                             &f.cmdWizard, &f.lbAboutVer, &f.fr485, &f.frEth, &f.frMail,
                             &f.cbBaudios232, &f.cbBaudios485, &f.cbId232, &f.cbId485,
                             &f.lstBlockFree, &f.lstUsed, &f.cmdAdd, &f.cmdQuita, &f.cmdAddPri1,
                             &f.cmdAddPri2, &f.cmdRemovePri1, &f.cmdRemovePri2, &f.cmdRstProg,
                             &f.cmdAPrg, &f.cmdCompilar, &f.cmdProgramar, &f.cmdVerificar, &f.lbMsg, &f.lstCompilado,
                             &f.lbCompilado, &f.lbProgramado, &f.PgBar1, &f.cmdQuery, &f.cmdNodoInsp,
                             &f.cmdNodoNorm, &f.cmdBorrarInspec, &f.chkInspec, &f.lstInspec,
                             &f.lbNumBlqInsp, &f.cbPSerie, &f.cbBaudios, &f.lbPortPC, &f.lbDevice,
                             &f.cbDevices, &f.txtDevice, &f.cmdDevices};
    for (Label* l : f.nodeInfoLabels()) controls << l;
    auto addAll = [&controls](auto& array) {
        for (auto& c : array) controls << &c;
    };
    addAll(f.txtIP), addAll(f.txtMsk), addAll(f.txtGW), addAll(f.txtAsunto), addAll(f.txtDestinatario);
    addAll(f.txtMensaje), addAll(f.txtVarAttach), addAll(f.txtTriggerMail), addAll(f.txtValTriggerMail);
    addAll(f.chkAttachVar), addAll(f.opVarTipoBit), addAll(f.opVarTipoByte), addAll(f.opVarTipoWord);
    addAll(f.opValMenor), addAll(f.opValIgual), addAll(f.opValMayor), addAll(f.opMailRta);
    addAll(f.opPortPLC), addAll(f.txtPri);
    for (Control* c : controls) {
        QWidget* w = window.binding().widgetFor(c);
        ASSERT_NE(w, nullptr) << c->objectName().toStdString();
        EXPECT_EQ(w->objectName(), c->objectName());
    }
}

TEST_F(MainWindowTest, ShowsTheStartedWindow) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Programador de nodos TALVO"));
    auto* tab1 = widget<QTabWidget>("Tab1");
    ASSERT_NE(tab1, nullptr);
    EXPECT_EQ(tab1->count(), 6);
    EXPECT_EQ(tab1->tabText(5), QStringLiteral("Seteos"));
    EXPECT_EQ(tab1->currentIndex(), 0);
    EXPECT_EQ(widget<QTabWidget>("TabMail")->currentIndex(), 5);
    EXPECT_EQ(widget<QComboBox>("cbPSerie")->currentText(), QStringLiteral("COM1:"));
    EXPECT_EQ(widget<QComboBox>("cbBaudios")->currentText(), QStringLiteral("4800"));
    EXPECT_EQ(widget<QLineEdit>("txtPort")->text(), QStringLiteral("502"));
    EXPECT_NE(window.findChild<ztklink::CommZTK90Picture*>(), nullptr);
}

TEST_F(MainWindowTest, EnterInAnAddressFieldMovesTheFocusOn) {
    app->form.opNodoEth.setValue(true);  // the address fields belong to the Ethernet node
    auto* tab1 = widget<QTabWidget>("Tab1");
    tab1->setCurrentIndex(2);
    auto* ip3 = widget<QLineEdit>("txtIP(3)");
    ip3->setFocus();
    ASSERT_TRUE(testsupport::waitUntil([&] { return ip3->hasFocus(); }, 2000));
    QTest::keyClick(ip3, Qt::Key_Return);
    EXPECT_TRUE(widget<QLineEdit>("txtMsk(0)")->hasFocus());
}

TEST_F(MainWindowTest, ClosingTheWindowSavesTheSettings) {
    // E-mail settings are open on an Ethernet node whose software has e-mail (1.11 to 1.20).
    app->form.opNodoEth.setValue(true);
    ASSERT_TRUE(app->form.cbSoftVer.setListIndex(15));
    ASSERT_TRUE(app->form.frMail.enabled());
    auto* smtp = widget<QLineEdit>("txtSMTP");
    smtp->setText(QString());
    QTest::keyClicks(smtp, QStringLiteral("smtp.talvo.com"));
    EXPECT_EQ(app->form.txtSMTP.text(), QStringLiteral("smtp.talvo.com"));
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(settingsBytes().contains("SMTP=smtp.talvo.com\r\n")) << settingsBytes().toStdString();
}

// A node left half-programmed is worse than a question: "no" keeps the window and the run.
TEST_F(MainWindowTest, ClosingDuringAnExchangeAsksFirst) {
    auto* programar = widget<QPushButton>("cmdProgramar");
    ASSERT_NE(programar, nullptr);
    app->form.cmdProgramar.setVisible(true);
    app->exchange.begin(brisa::exchange::Exchange::Kind::Programming);
    EXPECT_FALSE(programar->isEnabled());

    messages.answer = false;
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_EQ(messages.questions[0].text,
              QStringLiteral("Hay una programación en curso. ¿Terminar de todos modos?"));
    EXPECT_FALSE(QFile::exists(settingsPath()) && settingsBytes().contains("[Net]"))
        << "nothing is saved while the program goes on";

    messages.answer = true;
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(settingsBytes().contains("[Net]"));
}

TEST_F(MainWindowTest, ChoosingAPortOnTheSeteosPageSavesAndShowsItsDevice) {
    auto* tab1 = widget<QTabWidget>("Tab1");
    tab1->setCurrentIndex(5);
    auto* port = widget<QComboBox>("cbPSerie");
    port->setFocus();
    QTest::keyClick(port, Qt::Key_Down);
    EXPECT_EQ(app->ZTK90->COMM(), 2);
    EXPECT_EQ(widget<QLineEdit>("txtDevice")->text(), QStringLiteral("/dev/ttyS1"));
    EXPECT_TRUE(settingsBytes().contains("Port=2\r\n"));
}

// Runs `act` on the modal dialog of type W from inside the dialog's own event loop, as soon as
// it is shown.
template <typename W>
void whenShown(std::function<void(W*)> act, int tries = 100) {
    QTimer::singleShot(0, [act, tries] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget()))
            act(w);
        else if (tries > 0)
            whenShown<W>(act, tries - 1);
        else
            ADD_FAILURE() << "no dialog was shown";
    });
}

TEST_F(MainWindowTest, SalvarAsksBeforeReplacingAFileNamedWithoutItsSuffix) {
    const QString existing = dir.filePath(QStringLiteral("Files/prog.nod"));
    for (const bool replace : {false, true}) {
        QFile old(existing);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("[Sets]\r\nPort=7\r\n");
        old.close();
        QString question;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            whenShown<QMessageBox>([&](QMessageBox* box) {
                question = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            dialog->selectFile(QStringLiteral("prog"));  // typed without ".nod"
            static_cast<QDialog*>(dialog)->accept();     // "Guardar"
            if (dialog->isVisible()) dialog->reject();   // the user said no: cancel
        });
        window.saveProgram();

        EXPECT_TRUE(question.contains(QStringLiteral("prog.nod"))) << question.toStdString();
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll().contains("Port=7"), !replace) << replace;
        old.close();
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Files/prog"))));
    }
}

}  // namespace

TEST_F(MainWindowTest, TheDriversErrorTextShowsInTheStatusBar) {
    app->form.lbStatus.setCaption(QStringLiteral("No existe el puerto COM1 (dispositivo /dev/ttyS0)"));
    auto* status = widget<QLabel>("lbStatus");
    EXPECT_EQ(status->text(), QStringLiteral("No existe el puerto COM1 (dispositivo /dev/ttyS0)"));
    EXPECT_TRUE(window.statusBar()->isAncestorOf(status));
}
