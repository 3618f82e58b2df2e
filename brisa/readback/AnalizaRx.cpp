#include "AnalizaRx.h"

#include "compiler/Text.h"

namespace brisa::readback {

namespace {

using compiler::bytesToUWord;
using compiler::bytesToWord;

QString threeDigits(std::uint8_t b) { return QStringLiteral("%1").arg(b, 3, 10, QLatin1Char('0')); }

QString dotted(const std::array<std::uint8_t, 4>& parts) {
    QStringList t;
    for (std::uint8_t p : parts) t << threeDigits(p);
    return t.join(QLatin1Char('.'));
}

// A high byte of FF (the header's "no priority block") shows nothing.
QString priorityText(std::uint8_t low, std::uint8_t high) {
    return high > 254 ? QString() : QString::number(low);
}

}  // namespace

DwPrgTexts analizaRx(const ReadBackBuffer& b, ConfNodo& conf) {
    DwPrgTexts t;
    t.lstPrg.reserve(ReadBackSize);
    for (std::uint8_t byte : b) t.lstPrg << QString::number(byte);

    conf.entryCount = b[Offset::EntryCount];
    t.lbBlUsed = QString::number(conf.entryCount);
    for (int i = 0; i < conf.storedEntries(); ++i) {
        conf.scanEntries[i] = b[Offset::ScanList + i];
        t.lstBloques << QString::number(conf.scanEntries[i]);
    }

    const int p1 = Offset::Priority1, p2 = Offset::Priority2;
    conf.priority1 = bytesToWord(b[p1 + 1], b[p1]);
    conf.priority2 = bytesToWord(b[p2 + 1], b[p2]);
    t.lbPri[0] = priorityText(b[p1], b[p1 + 1]);
    t.lbPri[1] = priorityText(b[p2], b[p2 + 1]);

    conf.id485 = b[Offset::Id485];
    conf.id232 = b[Offset::Id232];
    conf.baud232 = bytesToWord(b[Offset::Baud232 + 1], b[Offset::Baud232]);
    conf.baud485 = bytesToWord(b[Offset::Baud485 + 1], b[Offset::Baud485]);
    conf.plcPort = b[Offset::PlcPort];
    t.lbId485 = QString::number(conf.id485);
    t.lbBaud485 = QString::number(bytesToUWord(b[Offset::Baud485 + 1], b[Offset::Baud485]));
    t.lbId232 = QString::number(conf.id232);
    t.lbBaud232 = QString::number(conf.baud232);
    t.lbPort232 = conf.plcPort != 0 ? QStringLiteral("B") : QStringLiteral("A");

    for (int i = 0; i < 4; ++i) {
        conf.ip[i] = b[Offset::Ip + i];
        conf.mask[i] = b[Offset::Mask + i];
    }
    conf.tcpPort = bytesToUWord(b[Offset::TcpPort], b[Offset::TcpPort + 1]);
    t.lbIpMsk[0] = dotted(conf.ip);
    t.lbIpMsk[1] = dotted(conf.mask);
    t.lbTcpPort = QString::number(conf.tcpPort);
    return t;
}

}  // namespace brisa::readback
