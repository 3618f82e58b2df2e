#include "Inspection.h"

#include "compiler/Text.h"

namespace brisa::exchange {

Inspection::Inspection(form::MainForm& form, NodeRequests& requests, QObject* parent)
    : QObject(parent), form_(form), requests_(requests) {
    connect(&form.chkInspec, &form::CheckBox::click, this, &Inspection::chkInspec_Click);
    connect(&form.cmdBorrarInspec, &form::CommandButton::click, this,
            &Inspection::cmdBorrarInspec_Click);
}

void Inspection::chkInspec_Click() {
    const bool on = form_.chkInspec.value() != 0;
    ztklink::CommZTK90& link = requests_.link();
    link.setModoSniffer(on);
    if (!on) return;
    // No reply frame can be recognised in sniffer mode: a watchdog would only ever end in
    // "Error" although nothing failed.
    link.setWatchDogAuto(false);
    (void)link.setWatchDogTime(0);
    requests_.read(0);
}

void Inspection::cmdBorrarInspec_Click() {
    form_.lstInspec.clear();
    form_.lbNumBlqInsp.setCaption(QStringLiteral("0"));
}

void Inspection::capture(quint8 block) {
    form::ListBox& list = form_.lstInspec;
    int at = 0;
    for (; at < list.count(); ++at) {
        const double value = compiler::textValue(list.item(at));
        if (value == block) return;
        if (value > block) break;
    }
    list.insertItem(at, QStringLiteral("%1").arg(block, 3, 10, QLatin1Char('0')));
    form_.lbNumBlqInsp.setCaption(QString::number(list.count()));
}

}  // namespace brisa::exchange
