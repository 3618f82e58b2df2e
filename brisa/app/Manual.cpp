#include "Manual.h"

#include <iterator>

namespace brisa::manual {

namespace {

// By page of Tab1; the network page (2) is decided by its inner tabs.
const char* const tab1Anchors[] = {"tipo-nodo", "puertos",    "ethernet",
                                   "programa",  "interrogar", "seteos"};
const char* const MailAnchors[] = {"email-cuentas", "email-configuracion", "email-correo"};

}  // namespace

QString path(const QString& appFolder) { return appFolder + QLatin1String(FileName); }

QUrl url(const QString& appFolder, const QString& anchor) {
    QUrl u = QUrl::fromLocalFile(path(appFolder));
    if (!anchor.isEmpty()) u.setFragment(anchor);
    return u;
}

QString pageAnchor(const form::MainForm& f) {
    const int page = f.Tab1.currentPage();
    if (page == 2 && f.tabEth.currentPage() == 1) {
        const int mail = f.TabMail.currentPage();
        if (mail < MailAccounts) return QLatin1String(MailAnchors[0]);
        return QLatin1String(mail == MailAccounts ? MailAnchors[1] : MailAnchors[2]);
    }
    if (page < 0 || page >= int(std::size(tab1Anchors))) return QLatin1String(Contents);
    return QLatin1String(tab1Anchors[page]);
}

QStringList pageAnchors() {
    QStringList all;
    for (const char* a : tab1Anchors) all << QLatin1String(a);
    for (const char* a : MailAnchors) all << QLatin1String(a);
    return all;
}

}  // namespace brisa::manual
