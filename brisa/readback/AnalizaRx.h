#pragma once

#include <QString>
#include <QStringList>

#include "ConfNodo.h"
#include "NodeImage.h"

namespace brisa::readback {

// What frmDwPrg shows for a read-back buffer, under its controls' names.
struct DwPrgTexts {
    QStringList lstPrg;      // every buffer byte in decimal, one line each
    QStringList lstBloques;  // the scan list, in decimal
    QString lbBlUsed;
    QString lbPri[2];
    QString lbId485, lbBaud485, lbId232, lbBaud232, lbPort232;
    QString lbIpMsk[2];
    QString lbTcpPort;
};

// Decodes a read-back buffer into `conf` and the window's texts. Any buffer is taken: an entry
// count beyond what the image holds lists the entries it does hold, and nothing outside the
// buffer is read. Scan entries of `conf` beyond the new count keep what they held.
DwPrgTexts analizaRx(const ReadBackBuffer& buffer, ConfNodo& conf);

}  // namespace brisa::readback
