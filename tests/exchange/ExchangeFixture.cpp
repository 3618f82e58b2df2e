#include "ExchangeFixture.h"

ExchangeFixture::ExchangeFixture() : app(messages, options()), form(app.form) {
    app.session.appFolder = dir.path() + QLatin1Char('/');
    app.handlers.FillPortLists();
    app.handlers.cbMinutosPopStartUp();
    app.handlers.FillSoftVerList();
    form.cbId232.setListIndex(1);
    form.cbId485.setListIndex(1);
    form.cbBaudios232.setListIndex(3);
    form.cbBaudios485.setListIndex(5);
}

brisa::App::Options ExchangeFixture::options() {
    auto fake = std::make_unique<testsupport::FakeSerialPort>();
    port = fake.get();
    brisa::App::Options o;
    o.port = std::move(fake);
    o.timers = &clock;
    return o;
}

void ExchangeFixture::chooseNode(bool ethernet, const QString& softVer) {
    form.cbSoftVer.setListIndex(form.cbSoftVer.find(softVer));
    (ethernet ? form.opNodoEth : form.opNodo232x485).setValue(true);
}

void ExchangeFixture::compileSomeBlocks() {
    form.lstCompilado.clear();
    for (const char* b : {"005", "010", "011", "005", "012"}) form.lstCompilado.addItem(QLatin1String(b));
    form.txtPri[0].setText(QStringLiteral("005"));
    form.cmdProgramar.setVisible(true);
}

void ExchangeFixture::acknowledgeAll() {
    for (;;) {
        const qsizetype before = port->written.size();
        acknowledge();
        if (port->written.size() == before) return;
    }
}

QList<int> ExchangeFixture::blocksWritten(qsizetype from) const {
    QList<int> blocks;
    for (qsizetype i = from; i < port->written.size(); ++i) blocks << quint8(port->written[i].at(2));
    return blocks;
}
