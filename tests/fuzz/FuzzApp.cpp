#include "FuzzApp.h"

#include <cstdio>
#include <cstdlib>

#include "FakeSerialPort.h"
#include "NumberText.h"

namespace fuzz {

using namespace brisa;

FuzzApp::FuzzApp() {
    App::Options o;
    auto port = std::make_unique<testsupport::FakeSerialPort>();
    port->logging = false;
    o.port = std::move(port);
    o.timers = &clock;
    o.listDevices = [] { return QList<ztklink::SerialDevice>{}; };
    app = std::make_unique<App>(messages, std::move(o));
    // Conventions that need no warning, whatever the machine's.
    app->regionalSettings = [] {
        return RegionalSettings{QString(), QStringLiteral(","), QStringLiteral(".")};
    };
    app->startUp(folder.path());
    messages.shown.clear();
}

namespace {

template <typename Control, std::size_t N>
void each(const std::array<Control, N>& controls, const std::function<void(const Control&)>& f) {
    for (const Control& c : controls) f(c);
}

}  // namespace

QStringList windowState(const form::MainForm& form, bool numbers) {
    QStringList s;
    const std::function<void(const form::TextBox&)> text = [&](const form::TextBox& t) {
        const auto n = numbers && t.range() ? parseInteger(t.text()) : std::nullopt;
        s << t.objectName() + u'=' + (n ? QString::number(*n) : t.text());
    };
    const auto list = [&s](const form::ListControl& l) {
        s << l.objectName() + u'=' + QString::number(l.listIndex()) + u':' + l.items().join(u'|');
    };
    const std::function<void(const form::OptionButton&)> opt = [&s](const form::OptionButton& o) {
        s << o.objectName() + u'=' + QString::number(o.value());
    };
    const std::function<void(const form::CheckBox&)> chk = [&s](const form::CheckBox& c) {
        s << c.objectName() + u'=' + QString::number(c.value());
    };
    each(form.txtIP, text);
    each(form.txtMsk, text);
    each(form.txtGW, text);
    each(form.txtAsunto, text);
    each(form.txtDestinatario, text);
    each(form.txtMensaje, text);
    each(form.txtVarAttach, text);
    each(form.txtTriggerMail, text);
    each(form.txtValTriggerMail, text);
    each(form.txtPri, text);
    each(form.chkAttachVar, chk);
    for (const auto* group : {&form.opVarTipoBit, &form.opVarTipoByte, &form.opVarTipoWord,
                              &form.opValMenor, &form.opValIgual, &form.opValMayor})
        each(*group, opt);
    each(form.opMailRta, opt);
    each(form.opPortPLC, opt);
    for (const form::TextBox* t : {&form.txtPort, &form.txtSMTP, &form.txtPop, &form.txtRemitente,
                                   &form.txtAutUser, &form.txtAutPass, &form.txtNodoPASS})
        text(*t);
    chk(form.chkAutenticacion);
    for (const form::ListControl* l : std::initializer_list<const form::ListControl*>{
             &form.cbMinutosPop, &form.cbSoftVer, &form.cbBaudios232, &form.cbBaudios485,
             &form.cbId232, &form.cbId485, &form.lstBlockFree, &form.lstUsed, &form.cbPSerie})
        list(*l);
    s << QStringLiteral("mnMemH=") + QString::number(form.mnMemH.checked());
    s << QStringLiteral("pnlAutent=") + QString::number(form.pnlAutent.enabled());
    s << QStringLiteral("frPopPLC=") + QString::number(form.frPopPLC.enabled());
    return s;
}

QString windowOutOfRange(const form::MainForm& form) {
    QString bad;
    const std::function<void(const form::TextBox&)> field = [&bad](const form::TextBox& t) {
        const auto range = t.range();
        if (!range || t.text().isEmpty()) return;
        const auto n = parseInteger(t.text());
        if (!n || *n < range->min || *n > range->max) bad = t.objectName() + u'=' + t.text();
    };
    each(form.txtIP, field);
    each(form.txtMsk, field);
    each(form.txtGW, field);
    each(form.txtVarAttach, field);
    each(form.txtTriggerMail, field);
    each(form.txtValTriggerMail, field);
    field(form.txtPort);
    for (const form::ListControl* l : std::initializer_list<const form::ListControl*>{
             &form.cbMinutosPop, &form.cbSoftVer, &form.cbBaudios232, &form.cbBaudios485,
             &form.cbId232, &form.cbId485, &form.lstBlockFree, &form.lstUsed, &form.cbPSerie})
        if (l->listIndex() < -1 || l->listIndex() >= l->count())
            bad = l->objectName() + QStringLiteral(" selects ") + QString::number(l->listIndex());
    return bad;
}

void broken(const char* target, const QString& what) {
    std::fprintf(stderr, "%s invariant broken: %s\n", target, what.toLocal8Bit().constData());
    std::abort();
}

}  // namespace fuzz
