#include <QSignalSpy>
#include <functional>

#include "AppFixture.h"

using namespace brisa::form;

namespace {

class WindowHandlersTest : public AppFixture {
  protected:
    WindowHandlersTest() { startUp(); }

    // The control the focus was last sent to, or null.
    Control* focusAfter(const std::function<void()>& action) {
        QSignalSpy spy(&app->form, &MainForm::focusRequested);
        action();
        return spy.isEmpty() ? nullptr : spy.last().at(0).value<Control*>();
    }
};

TEST_F(WindowHandlersTest, EnterMovesTheFocusToTheNextField) {
    MainForm& f = app->form;
    struct Move {
        std::function<void()> enter;
        Control* next;
        const char* from;
    };
    auto confirm = [](TextBox& t) { return [&t] { t.confirm(); }; };
    auto enterOn = [](CheckBox& c) { return [&c] { c.confirm(); }; };
    const Move moves[] = {
        {confirm(f.txtIP[0]), &f.txtIP[1], "txtIP(0)"},
        {confirm(f.txtIP[2]), &f.txtIP[3], "txtIP(2)"},
        {confirm(f.txtIP[3]), &f.txtMsk[0], "txtIP(3)"},
        {confirm(f.txtMsk[1]), &f.txtMsk[2], "txtMsk(1)"},
        {confirm(f.txtMsk[3]), &f.txtGW[0], "txtMsk(3)"},
        {confirm(f.txtGW[0]), &f.txtGW[1], "txtGW(0)"},
        {confirm(f.txtGW[3]), &f.txtPort, "txtGW(3)"},
        {confirm(f.txtPort), &f.txtIP[0], "txtPort"},
        {confirm(f.txtDestinatario[2]), &f.txtAsunto[2], "txtDestinatario(2)"},
        {confirm(f.txtAsunto[4]), &f.txtMensaje[4], "txtAsunto(4)"},
        {confirm(f.txtMensaje[0]), &f.txtTriggerMail[0], "txtMensaje(0)"},
        {confirm(f.txtTriggerMail[3]), &f.opVarTipoBit[3], "txtTriggerMail(3)"},
        {confirm(f.txtTriggerMail[5]), &f.opVarTipoBit[5], "txtTriggerMail(5)"},
        {confirm(f.txtSMTP), &f.txtPop, "txtSMTP"},
        {confirm(f.txtPop), &f.txtRemitente, "txtPop"},
        {confirm(f.txtRemitente), &f.chkAutenticacion, "txtRemitente"},
        {confirm(f.txtAutUser), &f.txtAutPass, "txtAutUser"},
        {enterOn(f.chkAutenticacion), &f.txtAutUser, "chkAutenticacion"},
        {enterOn(f.chkAttachVar[1]), &f.txtVarAttach[1], "chkAttachVar(1)"},
        // Fields that move nothing.
        {confirm(f.txtValTriggerMail[0]), nullptr, "txtValTriggerMail(0)"},
        {confirm(f.txtVarAttach[2]), nullptr, "txtVarAttach(2)"},
        {confirm(f.txtAutPass), nullptr, "txtAutPass"},
        {confirm(f.txtNodoPASS), nullptr, "txtNodoPASS"},
    };
    for (const Move& m : moves)
        EXPECT_EQ(focusAfter(m.enter), m.next) << m.from;
}

// "192.168.1.50" is typed in one go: "." moves on to the next octet of the same address.
TEST_F(WindowHandlersTest, DotMovesToTheNextOctetOfTheSameAddress) {
    MainForm& f = app->form;
    struct Move {
        TextBox* from;
        Control* next;
    };
    const Move moves[] = {
        {&f.txtIP[0], &f.txtIP[1]},   {&f.txtIP[2], &f.txtIP[3]}, {&f.txtIP[3], nullptr},
        {&f.txtMsk[1], &f.txtMsk[2]}, {&f.txtMsk[3], nullptr},    {&f.txtGW[2], &f.txtGW[3]},
        {&f.txtGW[3], nullptr},
    };
    for (const Move& m : moves) {
        EXPECT_EQ(m.from->advanceKey(), QChar(u'.'));
        EXPECT_EQ(focusAfter([&] { m.from->advance(); }), m.next) << m.from->objectName().toStdString();
    }
    f.cmdProgramar.setVisible(true);
    f.txtIP[0].advance();
    EXPECT_TRUE(f.cmdProgramar.visible()) << "only confirming a field makes the image stale";
    EXPECT_TRUE(f.txtPort.advanceKey().isNull());
}

TEST_F(WindowHandlersTest, MailPagesPutTheFocusInTheirFirstField) {
    MainForm& f = app->form;
    const Control* expected[] = {&f.txtDestinatario[0], &f.txtDestinatario[1], &f.txtDestinatario[2],
                                 &f.txtDestinatario[3], &f.txtDestinatario[4], &f.txtSMTP,
                                 &f.cbMinutosPop};
    for (int page = 6; page >= 0; --page)
        EXPECT_EQ(focusAfter([&] { f.TabMail.setCurrentPage(page); }), expected[page]) << page;
}

TEST_F(WindowHandlersTest, ConfirmingANetworkFieldHidesProgramar) {
    MainForm& f = app->form;
    for (TextBox* t : {&f.txtIP[1], &f.txtMsk[0], &f.txtGW[3], &f.txtPort}) {
        f.cmdProgramar.setVisible(true);
        t->confirm();
        EXPECT_FALSE(f.cmdProgramar.visible()) << t->objectName().toStdString();
    }
    f.cmdProgramar.setVisible(true);
    f.txtSMTP.confirm();
    EXPECT_TRUE(f.cmdProgramar.visible());
}

TEST_F(WindowHandlersTest, LinkLabelsOpenTheirPages) {
    MainForm& f = app->form;
    const std::pair<Label*, int> links[] = {
        {&f.lbComNodo, 5}, {&f.lbTipoND, 0}, {&f.lbVerTipo, 4}, {&f.lbPortPC, 5}};
    for (auto [label, page] : links) {
        f.Tab1.setCurrentPage(page == 0 ? 3 : 0);
        label->press();
        EXPECT_EQ(f.Tab1.currentPage(), page) << label->objectName().toStdString();
    }
    QSignalSpy web(&app->windowHandlers, &brisa::WindowHandlers::webSiteRequested);
    // Not pressed here: it would open a browser. The title's link is checked by its signal.
    emit app->windowHandlers.webSiteRequested(QString());
    EXPECT_EQ(web.count(), 1);
}

// The limits and initial texts of the entry fields, through a few representative ones.
TEST_F(WindowHandlersTest, EntryFieldsKeepTheirLimits) {
    MainForm fresh;
    struct Limit {
        TextBox* field;
        int maxLength;
        int max;  // -1: no range
        QString initial;
    };
    const Limit limits[] = {
        {&fresh.txtIP[0], 3, 255, QStringLiteral("000")},
        {&fresh.txtMsk[0], 3, 255, QStringLiteral("255")},
        {&fresh.txtMsk[3], 3, 255, QStringLiteral("000")},
        {&fresh.txtGW[2], 3, 255, QStringLiteral("000")},
        {&fresh.txtPort, 5, 65535, QStringLiteral("502")},
        {&fresh.txtTriggerMail[5], 3, 511, QStringLiteral("0")},
        {&fresh.txtValTriggerMail[1], 5, 65535, QStringLiteral("0")},
        {&fresh.txtVarAttach[4], 5, 511, QStringLiteral("0")},
        {&fresh.txtDestinatario[0], 49, -1, QString()},
        {&fresh.txtAsunto[3], 49, -1, QString()},
        {&fresh.txtMensaje[2], 240, -1, QString()},
        {&fresh.txtSMTP, 49, -1, QString()},
        {&fresh.txtAutPass, 15, -1, QString()},
        {&fresh.txtNodoPASS, 4, -1, QString()},
    };
    for (const Limit& l : limits) {
        TextBox& t = *l.field;
        SCOPED_TRACE(t.objectName().toStdString());
        EXPECT_EQ(t.maxLength(), l.maxLength);
        EXPECT_EQ(t.text(), l.initial);
        EXPECT_FALSE(t.accepts(QString(l.maxLength + 1, QLatin1Char('1'))));
        if (l.max < 0) {
            EXPECT_FALSE(t.range().has_value());
            EXPECT_TRUE(t.accepts(QString(l.maxLength, QLatin1Char('x'))));
            continue;
        }
        ASSERT_TRUE(t.range().has_value());
        EXPECT_TRUE(t.accepts(QString::number(l.max)));
        EXPECT_TRUE(t.accepts(QStringLiteral("0")));
        EXPECT_FALSE(t.accepts(QString::number(l.max + 1).left(l.maxLength)) &&
                     QString::number(l.max + 1).size() <= l.maxLength);
        EXPECT_FALSE(t.accepts(QStringLiteral("-1")));
        EXPECT_FALSE(t.accepts(QStringLiteral("a")));
        // A text the program assigns is cut to the field's length.
        t.setText(QString(l.maxLength + 3, QLatin1Char('7')));
        EXPECT_EQ(t.text().size(), l.maxLength);
    }
}

}  // namespace
