// The main window for a screen reader, and on a screen smaller than its pages.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>

#include "QtPrinters.h"
#include "WindowFixture.h"

using namespace brisa::form;

namespace {

QAccessibleInterface* accessible(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

// What a screen reader says a field is. A drop-down list on this platform gives its value as
// its name and its label through the "label" relation (the label beside it first, then its
// frame), which the reader speaks instead.
QString spokenName(QWidget* w) {
    QAccessibleInterface* a = accessible(w);
    if (!a) return {};
    if (!qobject_cast<QComboBox*>(w)) return a->text(QAccessible::Name);
    if (!w->accessibleName().isEmpty()) return w->accessibleName();
    const auto labels = a->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

class MainWindowAccess : public WindowFixture {
  protected:
    MainWindowAccess() {
        MainForm& f = app->form;
        f.opNodoEth.setValue(true);
        f.cbSoftVer.setListIndex(f.cbSoftVer.find(QStringLiteral("1.15")));
    }
};

TEST_F(MainWindowAccess, EveryFieldAndListIsNamedByItsLabel) {
    // Every entry field and list of every page has a name.
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window || w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"))
            continue;
        if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QPlainTextEdit*>(w) &&
            !qobject_cast<QComboBox*>(w) && !qobject_cast<QListWidget*>(w))
            continue;
        EXPECT_FALSE(spokenName(w).trimmed().isEmpty()) << w->objectName().toStdString();
    }
    // The names of a few, each from where it comes: its label, or its own where the label
    // beside it would not say what it is.
    const std::pair<const char*, const char*> names[] = {
        {"txtIP(0)", "Dirección IP, octeto 1"},
        {"txtGW(3)", "Puerta de acceso, octeto 4"},
        {"txtPort", "Puerto"},
        {"txtDestinatario(2)", "Destinatario"},
        {"txtMensaje(0)", "Mensaje"},
        {"txtTriggerMail(5)", "Revisar cuando la variable"},
        {"txtValTriggerMail(1)", "Valor de comparación"},
        {"txtSMTP", "Servidor de correo saliente (SMTP)"},
        {"txtAutPass", "Contraseña"},
        {"cbMinutosPop", "Revisar correo cada"},
        {"cbSoftVer", "Versión de software"},
        {"cbBaudios232", "Baudios"},
        {"cbDevices", "Dispositivos encontrados"},
        {"lstBlockFree", "Bloques libres"},
        {"lstInspec", "Bloques pedidos por el nodo"},
        {"txtPri(1)", "Bloque prioritario 2"},
    };
    for (auto [name, spoken] : names)
        EXPECT_EQ(spokenName(widget(name)), QString::fromUtf8(spoken)) << name;
}

TEST_F(MainWindowAccess, AResultIsSpokenWithItsCaption) {
    MainForm& f = app->form;
    f.lbIP.setCaption(QStringLiteral("192.168.001.050"));
    f.lbNumBlqInsp.setCaption(QStringLiteral("4"));
    EXPECT_EQ(accessible(widget("lbIP"))->text(QAccessible::Name),
              QStringLiteral("Dirección ip: 192.168.001.050"));
    EXPECT_EQ(accessible(widget("lbNumBlqInsp"))->text(QAccessible::Name), QStringLiteral("Detectados: 4"));
    QStringList spoken;
    for (auto [label, caption] : f.nodeInfoFields()) {
        label->setCaption(QStringLiteral("x"));
        spoken << accessible(window.binding().widgetFor(label))->text(QAccessible::Name);
        EXPECT_EQ(spoken.last(), caption + QStringLiteral(": x"));
    }
}

// The links at the bottom are reached with Tab, followed with Enter, and pressed by a screen
// reader.
TEST_F(MainWindowAccess, LinksTakeTheFocusAndFollowWithEnter) {
    MainForm& f = app->form;
    QWidget* link = widget("lbComNodo");
    ASSERT_TRUE(link->focusPolicy() & Qt::TabFocus);
    showPage(0);
    ASSERT_TRUE(focus(link));
    QTest::keyClick(link, Qt::Key_Return);
    EXPECT_EQ(f.Tab1.currentPage(), 5);

    QAccessibleInterface* a = accessible(widget("lbVerTipo"));
    EXPECT_EQ(a->role(), QAccessible::Link);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Versión y tipo"));
    ASSERT_NE(a->actionInterface(), nullptr);
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(f.Tab1.currentPage(), 4);
}

// Whichever way an option is set, its group stays exclusive and its handlers run.
TEST_F(MainWindowAccess, AnOptionSetByAnAssistiveToolStaysExclusive) {
    MainForm& f = app->form;
    auto* radio232 = widget<QRadioButton>("opNodo232x485");
    auto* radioEth = widget<QRadioButton>("opNodoEth");
    QAccessibleActionInterface* actions = accessible(radio232)->actionInterface();
    ASSERT_NE(actions, nullptr);
    QStringList names;
    for (const QString& action : {QAccessibleActionInterface::pressAction(),
                                  QAccessibleActionInterface::toggleAction()})
        if (actions->actionNames().contains(action)) names << action;
    ASSERT_FALSE(names.isEmpty());
    for (const QString& action : names) {
        SCOPED_TRACE(action.toStdString());
        f.opNodoEth.setValue(true);
        accessible(radio232)->actionInterface()->doAction(action);
        ASSERT_TRUE(testsupport::waitUntil([&] { return f.opNodo232x485.value(); }, 2000));
        EXPECT_FALSE(f.opNodoEth.value());
        EXPECT_TRUE(radio232->isChecked());
        EXPECT_FALSE(radioEth->isChecked());
        EXPECT_TRUE(f.fr485.enabled()) << "the node type's handler ran";
        EXPECT_EQ(app->session.hardVer, 1.0f);
    }
    // Toggled off, an option stays on: options are cleared only by choosing another.
    radio232->toggle();
    EXPECT_TRUE(radio232->isChecked());
    EXPECT_TRUE(f.opNodo232x485.value());

    // A check box toggled the same way runs its handler.
    f.opNodoEth.setValue(true);  // e-mail settings open
    f.cbMinutosPop.setListIndex(0);
    accessible(widget("chkAutenticacion"))->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(f.chkAutenticacion.value(), 1);
    EXPECT_TRUE(f.pnlAutent.enabled());
}

TEST_F(MainWindowAccess, TheProgressBarAnnouncesItsValue) {
    app->form.PgBar1.setMax(14);
    app->form.PgBar1.setValue(7);
    QAccessibleInterface* a = accessible(widget("PgBar1"));
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Progreso de la programación"));
    ASSERT_NE(a->valueInterface(), nullptr);
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), 7);
    EXPECT_EQ(a->valueInterface()->maximumValue().toInt(), 14);
}

// Never larger than the screen's free area; smaller than its pages, they scroll.
TEST_F(MainWindowAccess, TheWindowFitsTheScreenAndItsPagesScroll) {
    window.fitToScreen();
    const QRect free = window.screen()->availableGeometry();
    EXPECT_TRUE(free.contains(window.frameGeometry()));

    // The smallest the window gets still fits a 1280x900 screen at a scale of 1.5.
    const QSize smallest = window.minimumSizeHint();
    EXPECT_LE(smallest.width(), 800);
    EXPECT_LE(smallest.height(), 560);
    window.resize(smallest);
    QApplication::processEvents();
    auto* tab1 = widget<QTabWidget>("Tab1");
    for (int p = 0; p < tab1->count(); ++p) {
        showPage(p, 1, 0);
        auto* area = qobject_cast<QScrollArea*>(tab1->widget(p));
        ASSERT_NE(area, nullptr) << p;
        const QSize need = area->widget()->minimumSizeHint();
        EXPECT_GE(area->widget()->width(), need.width()) << p;
        EXPECT_GE(area->widget()->height(), need.height()) << p;
    }
}

}  // namespace
