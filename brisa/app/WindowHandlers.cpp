#include "WindowHandlers.h"

namespace brisa {

using namespace form;

WindowHandlers::WindowHandlers(MainForm& f, MainFormHandlers& handlers, QObject* parent)
    : QObject(parent), form_(f) {
    // The network address fields run one into the next, the TCP port back to the first.
    std::array<TextBox*, 13> net{&f.txtIP[0],  &f.txtIP[1],  &f.txtIP[2],  &f.txtIP[3],
                                 &f.txtMsk[0], &f.txtMsk[1], &f.txtMsk[2], &f.txtMsk[3],
                                 &f.txtGW[0],  &f.txtGW[1],  &f.txtGW[2],  &f.txtGW[3],
                                 &f.txtPort};
    for (std::size_t i = 0; i < net.size(); ++i) {
        moveOnConfirm(*net[i], *net[(i + 1) % net.size()]);
        connect(net[i], &TextBox::confirmed, &handlers, &MainFormHandlers::invalidateCompiled);
    }
    // "." moves within one address only: the mask is not the IP's fifth octet.
    for (auto* octets : {&f.txtIP, &f.txtMsk, &f.txtGW})
        for (int i = 0; i < 3; ++i)
            connect(&(*octets)[i], &TextBox::advanced, this,
                    [this, &next = (*octets)[i + 1]] { form_.setFocus(next); });
    for (int n = 0; n < MailAccounts; ++n) {
        moveOnConfirm(f.txtDestinatario[n], f.txtAsunto[n]);
        moveOnConfirm(f.txtAsunto[n], f.txtMensaje[n]);
        moveOnConfirm(f.txtMensaje[n], f.txtTriggerMail[n]);
        moveOnEnter(f.chkAttachVar[n], f.txtVarAttach[n]);
    }
    for (int n = 0; n < TriggerSets; ++n) moveOnConfirm(f.txtTriggerMail[n], f.opVarTipoBit[n]);
    moveOnConfirm(f.txtSMTP, f.txtPop);
    moveOnConfirm(f.txtPop, f.txtRemitente);
    moveOnConfirm(f.txtRemitente, f.chkAutenticacion);
    moveOnConfirm(f.txtAutUser, f.txtAutPass);
    moveOnEnter(f.chkAutenticacion, f.txtAutUser);

    connect(&f.TabMail, &TabControl::click, this, &WindowHandlers::TabMail_Click);

    linkToPage(f.lbComNodo, 5);
    linkToPage(f.lbPortPC, 5);
    linkToPage(f.lbTipoND, 0);
    linkToPage(f.lbVerTipo, 4);
    connect(&f.lbVersion, &Label::click, this,
            [this] { emit webSiteRequested(QLatin1String(MakerUrl)); });
}

void WindowHandlers::moveOnConfirm(TextBox& from, Control& to) {
    connect(&from, &TextBox::confirmed, this, [this, &to] { form_.setFocus(to); });
}

void WindowHandlers::moveOnEnter(CheckBox& from, Control& to) {
    connect(&from, &CheckBox::confirmed, this, [this, &to] { form_.setFocus(to); });
}

void WindowHandlers::linkToPage(Label& label, int page) {
    connect(&label, &Label::click, this, [this, page] { form_.Tab1.setCurrentPage(page); });
}

void WindowHandlers::TabMail_Click() {
    const int page = form_.TabMail.currentPage();
    if (page >= 0 && page < MailAccounts)
        form_.setFocus(form_.txtDestinatario[page]);
    else if (page == MailAccounts)
        form_.setFocus(form_.txtSMTP);
    else if (page == MailAccounts + 1)
        form_.setFocus(form_.cbMinutosPop);
}

}  // namespace brisa
