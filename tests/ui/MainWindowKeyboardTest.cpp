// The main window from the keyboard: mnemonics, the order of Tab, Ctrl+Tab between pages, and
// the fields and lists as a technician types into them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>
#include <QTabWidget>
#include <string_view>

#include "QtPrinters.h"
#include "WindowFixture.h"

using namespace brisa::form;

namespace {

// Every page the window can show: the main pages, and on "Ethernet" each inner page.
struct PageState {
    const char* name;
    int tab1, tabEth, tabMail;
};
const PageState Pages[] = {
    {"Tipo Nodo", 0, 0, 5},       {"Puertos", 1, 0, 5},        {"Ethernet", 2, 0, 5},
    {"e-mail 1", 2, 1, 0},        {"e-mail 5", 2, 1, 4},       {"Configuración", 2, 1, 5},
    {"Correo", 2, 1, 6},          {"Programa", 3, 0, 5},       {"Interrogar", 4, 0, 5},
    {"Seteos", 5, 0, 5},
};

// The letter after a single "&", lower case; none when the text has no mnemonic.
QChar mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Records the shortcut events a widget gets and swallows them, so that a mnemonic can be
// checked without running what its button does (a file dialog, a programming run).
class ShortcutRecorder : public QObject {
  public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Shortcut) return false;
        hits << qMakePair(o, static_cast<QShortcutEvent*>(e)->isAmbiguous());
        return true;
    }
    QList<QPair<QObject*, bool>> hits;
};

class MainWindowKeys : public WindowFixture {
  protected:
    // Everything on the shown page that takes the focus, enabled, with frames opened.
    void openEverything() {
        MainForm& f = app->form;
        f.opNodoEth.setValue(true);
        f.cbSoftVer.setListIndex(f.cbSoftVer.find(QStringLiteral("1.15")));
        f.cbMinutosPop.setListIndex(brisa::limits::MinPopPlc);
        f.chkAutenticacion.setValue(1);
    }
};

// Each page's mnemonics (window-wide ones and the menus included) use distinct letters, and
// Alt with the letter reaches its widget unambiguously.
TEST_F(MainWindowKeys, EveryPagesMnemonicsAreDistinctAndReachTheirWidget) {
    for (const PageState& p : Pages) {
        SCOPED_TRACE(p.name);
        if (p.tab1 == 1)
            app->form.opNodo232x485.setValue(true);  // the RS-485 frame
        else
            openEverything();
        // Every button a page can show (choosing the node hides these two).
        app->form.cmdProgramar.setVisible(true);
        app->form.cmdVerificar.setVisible(true);
        showPage(p.tab1, p.tabEth, p.tabMail);

        QMap<QChar, QStringList> owners;
        for (QAction* menu : window.menuBar()->actions())
            if (QChar m = mnemonic(menu->text()); !m.isNull()) owners[m] << menu->text();
        QList<QPair<QWidget*, QChar>> pressable;
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (!w->isVisible()) continue;
            QString text;
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                text = b->text();
            else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
                text = l->text();
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                text = g->title();
            const QChar m = mnemonic(text);
            if (m.isNull()) continue;
            owners[m] << text;
            pressable << qMakePair(w, m);
        }
        for (auto it = owners.cbegin(); it != owners.cend(); ++it)
            EXPECT_EQ(it->size(), 1) << "Alt+" << QString(it.key()).toStdString() << ": "
                                     << it->join(QStringLiteral(" | ")).toStdString();

        for (auto [w, letter] : pressable) {
            if (!w->isEnabled()) continue;
            ShortcutRecorder recorder;
            w->installEventFilter(&recorder);
            QTest::keyClick(&window, char(letter.unicode()), Qt::AltModifier);
            w->removeEventFilter(&recorder);
            ASSERT_EQ(recorder.hits.size(), 1) << w->objectName().toStdString();
            EXPECT_FALSE(recorder.hits[0].second) << "ambiguous: " << w->objectName().toStdString();
        }
    }
}

// Within each menu, the items with a letter each have their own.
TEST_F(MainWindowKeys, EachMenusItemsHaveDistinctLetters) {
    for (QAction* menu : window.menuBar()->actions()) {
        SCOPED_TRACE(menu->text().toStdString());
        QMap<QChar, QStringList> owners;
        for (QAction* item : menu->menu()->actions())
            if (QChar m = mnemonic(item->text()); !m.isNull()) owners[m] << item->text();
        for (auto it = owners.cbegin(); it != owners.cend(); ++it)
            EXPECT_EQ(it->size(), 1) << it->join(QStringLiteral(" | ")).toStdString();
    }
    auto* monitor = window.findChild<QAction*>(QStringLiteral("mnMonitor"));
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(mnemonic(monitor->text()), u'm');
}

// Tab walks each page as it is read, left to right and top to bottom, from the title to the
// links and buttons at the bottom. Only the window's named controls are listed; tab bars
// come in between.
TEST_F(MainWindowKeys, TabFollowsEachPagesReadingOrder) {
    const QStringList top{"lbVersion"};
    const QStringList bottom{"lbComNodo", "lbPortPC",   "lbTipoND", "lbVerTipo",
                             "cmdLoadPrg", "cmdSavePrg", "cmdEnd"};
    auto account = [](int n) {
        QStringList names;
        for (const char* c : {"txtDestinatario", "txtAsunto", "txtMensaje", "txtTriggerMail",
                              "opVarTipoBit", "opVarTipoByte", "opVarTipoWord", "opValMenor",
                              "opValIgual", "opValMayor", "txtValTriggerMail", "chkAttachVar",
                              "txtVarAttach"})
            names << QStringLiteral("%1(%2)").arg(QLatin1String(c)).arg(n);
        return names;
    };
    QStringList correo{"cbMinutosPop"};
    for (int n = 0; n < 5; ++n) correo << QStringLiteral("opMailRta(%1)").arg(n);
    correo << "txtNodoPASS";
    for (const char* c : {"txtTriggerMail", "opVarTipoBit", "opVarTipoByte", "opVarTipoWord",
                          "opValMenor", "opValIgual", "opValMayor", "txtValTriggerMail"})
        correo << QStringLiteral("%1(5)").arg(QLatin1String(c));
    QStringList ethernet;
    for (const char* a : {"txtIP", "txtMsk", "txtGW"})
        for (int i = 0; i < 4; ++i) ethernet << QStringLiteral("%1(%2)").arg(QLatin1String(a)).arg(i);
    ethernet << "txtPort";

    struct Case {
        PageState page;
        QStringList order;
    };
    const Case cases[] = {
        {Pages[0], {"opNodo232x485", "opNodoEth", "cbSoftVer", "cmdWizard"}},
        {Pages[1], {"cbBaudios232", "cbId232", "opPortPLC(0)", "opPortPLC(1)", "cbBaudios485", "cbId485"}},
        {Pages[2], ethernet},
        {Pages[3], account(0)},
        {Pages[4], account(4)},
        {Pages[5], {"txtSMTP", "txtPop", "txtRemitente", "chkAutenticacion", "txtAutUser", "txtAutPass"}},
        {Pages[6], correo},
        {Pages[7], {"lstBlockFree", "cmdAdd", "cmdQuita", "lstUsed", "cmdAddPri1", "txtPri(0)",
                    "cmdRemovePri1", "cmdAddPri2", "txtPri(1)", "cmdRemovePri2", "cmdRstProg",
                    "blockMap", "cmdCompilar", "lstCompilado"}},
        {Pages[8], {"cmdQuery", "cmdNodoInsp", "cmdNodoNorm", "chkInspec", "lstInspec",
                    "cmdBorrarInspec", "cmdAPrg"}},
        {Pages[9], {"cbPSerie", "cbBaudios", "cbDevices", "cmdDevices", "txtDevice"}},
    };
    QWidget* title = widget("lbVersion");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page.name);
        if (c.page.tab1 == 1)
            app->form.opNodo232x485.setValue(true);
        else
            openEverything();
        showPage(c.page.tab1, c.page.tabEth, c.page.tabMail);
        ASSERT_TRUE(focus(title));
        QStringList walked{focused()};
        for (int k = 0; k < 200; ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (QApplication::focusWidget() == title) break;
            if (!focused().isEmpty() && !focused().startsWith(u"qt_")) walked << focused();
        }
        EXPECT_EQ(walked, top + c.order + bottom);
    }
}

TEST_F(MainWindowKeys, CtrlTabTurnsTheMainPagesFromAnywhere) {
    openEverything();
    struct Step {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        int page;
        const char* focus;
    };
    showPage(0);
    ASSERT_TRUE(focus(widget("cbSoftVer")));
    const Step steps[] = {
        {Qt::ControlModifier, Qt::Key_Tab, 1, "cbBaudios232"},
        {Qt::ControlModifier, Qt::Key_Tab, 2, "txtIP(0)"},  // the first field, past the inner tabs
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Backtab, 1, "cbBaudios232"},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Tab, 0, "opNodo232x485"},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Tab, 5, "cbPSerie"},
        {Qt::ControlModifier, Qt::Key_Tab, 0, "opNodo232x485"},
    };
    for (const Step& s : steps) {
        QTest::keyClick(QApplication::focusWidget(), s.key, s.modifiers);
        EXPECT_EQ(app->form.Tab1.currentPage(), s.page);
        EXPECT_EQ(focused(), QLatin1String(s.focus));
    }

    // Inside the e-mail pages Ctrl+PgDn turns them; Ctrl+Tab still turns the main pages.
    showPage(2, 1, 0);
    ASSERT_TRUE(focus(widget("txtAsunto(0)")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(app->form.TabMail.currentPage(), 1);
    EXPECT_EQ(focused(), QStringLiteral("txtDestinatario(1)"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(app->form.Tab1.currentPage(), 3);
    EXPECT_EQ(focused(), QStringLiteral("lstBlockFree"));
}

// An address is typed as it is written; "." after the last octet types nothing.
TEST_F(MainWindowKeys, AnAddressIsTypedInOneGo) {
    openEverything();
    showPage(2);
    struct Case {
        const char* first;
        const char* typed;
        QStringList octets;
        const char* focusAfter;
    };
    const Case cases[] = {
        {"txtIP(0)", "192.168.1.50.", {"192", "168", "1", "50"}, "txtIP(3)"},
        {"txtMsk(0)", "255.255.255.0", {"255", "255", "255", "0"}, "txtMsk(3)"},
        {"txtGW(1)", "7.", {"0", "7", "0", "0"}, "txtGW(2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        ASSERT_TRUE(focus(widget(c.first)));
        for (const char k : std::string_view(c.typed)) QTest::keyClick(QApplication::focusWidget(), k);
        const QString base = QLatin1String(c.first).left(QLatin1String(c.first).indexOf(u'('));
        QStringList octets;
        for (int i = 0; i < 4; ++i) octets << widget<QLineEdit>(QStringLiteral("%1(%2)").arg(base).arg(i))->text();
        EXPECT_EQ(octets, c.octets);
        EXPECT_EQ(focused(), QLatin1String(c.focusAfter));
    }
    EXPECT_EQ(app->form.txtIP[3].text(), QStringLiteral("50"));
}

TEST_F(MainWindowKeys, TheNodePasswordTakesOnlyLettersAndDigits) {
    openEverything();
    showPage(2, 1, 6);
    auto* pass = widget<QLineEdit>("txtNodoPASS");
    ASSERT_TRUE(focus(pass));
    QTest::keyClicks(pass, QStringLiteral("a-b 1"));
    QTest::sendKeyEvent(QTest::Click, pass, Qt::Key_unknown, QStringLiteral("ñ"), Qt::NoModifier);
    QTest::keyClicks(pass, QStringLiteral(".2Z"));
    EXPECT_EQ(app->form.txtNodoPASS.text(), QStringLiteral("ab12"));

    // One an old file brought in with a sign can still be corrected.
    app->form.txtNodoPASS.setText(QStringLiteral("ab-"));
    pass->end(false);
    QTest::keyClick(pass, Qt::Key_Backspace);
    EXPECT_EQ(app->form.txtNodoPASS.text(), QStringLiteral("ab"));
}

TEST_F(MainWindowKeys, ADisabledFrameSaysWhy) {
    MainForm& f = app->form;
    f.cbSoftVer.setListIndex(f.cbSoftVer.find(QStringLiteral("1.10")));
    f.opNodoEth.setValue(true);
    EXPECT_EQ(widget("fr485")->toolTip(), QStringLiteral("Sólo en nodos 232 <> 485"));
    EXPECT_EQ(widget("frMail")->toolTip(), QStringLiteral("Requiere software 1.11 a 1.20"));
    f.cbSoftVer.setListIndex(f.cbSoftVer.find(QStringLiteral("1.15")));
    EXPECT_TRUE(widget("frMail")->isEnabled());
    EXPECT_EQ(widget("frMail")->toolTip(), QString());
    f.opNodo232x485.setValue(true);
    EXPECT_EQ(widget("frEth")->toolTip(), QStringLiteral("Sólo en nodos Ethernet ModBus"));
    EXPECT_EQ(widget("fr485")->toolTip(), QString());
}

// Several blocks selected with Shift+Down go over with Enter; a double click brings one back.
TEST_F(MainWindowKeys, BlocksMoveWithEnterDoubleClickAndSeveralAtOnce) {
    MainForm& f = app->form;
    showPage(3);
    auto* freeList = widget<QListWidget>("lstBlockFree");
    auto* used = widget<QListWidget>("lstUsed");
    ASSERT_TRUE(focus(freeList));
    const QStringList before = f.lstUsed.items();
    f.lstBlockFree.setListIndex(0);
    const QStringList firstThree = f.lstBlockFree.items().mid(0, 3);
    QTest::keyClick(freeList, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(freeList, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(f.lstBlockFree.selection(), (QList<int>{0, 1, 2}));
    QTest::keyClick(freeList, Qt::Key_Return);
    EXPECT_EQ(f.lstUsed.items(), before + firstThree);
    EXPECT_EQ(used->selectedItems().size(), 3);

    const QString second = f.lstUsed.item(f.lstUsed.count() - 2);
    QListWidgetItem* item = used->item(f.lstUsed.count() - 2);
    const QPoint at = used->visualItemRect(item).center();
    QTest::mouseClick(used->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(used->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(f.lstUsed.items().contains(second));
    EXPECT_NE(f.lstBlockFree.find(second), -1);
}

}  // namespace
