#include "compiler/NodeInfo.h"

#include "compiler/Text.h"

namespace brisa::compiler {

namespace {
// Four address bytes shown from the last to the first, each in three digits.
QString addressCaption(const NodeData& d, int first) {
    QString out;
    for (int i = first + 3; i >= first; --i) {
        if (i != first + 3) out += u'.';
        out += QStringLiteral("%1").arg(d[i], 3, 10, QChar(u'0'));
    }
    return out;
}
}  // namespace

QString priorityCaption(std::int16_t block) {
    if (block < 0 || block > 255) return QStringLiteral("No usado");
    const int first = block * 16;
    return QStringLiteral("%1 (%2 - %3)").arg(block).arg(first).arg(first + 15);
}

NodeInfo0 decodeNodeBlock0(const NodeData& d, const ShortNameOf& shortName) {
    NodeInfo0 n;
    n.softwareVersion = QStringLiteral("%1.%2").arg(d[0]).arg(d[1], 2, 10, QChar(u'0'));
    n.modelCode = bytesToWord(d[3], d[2]);
    if (shortName) n.model = shortName(n.modelCode);
    n.priority1 = priorityCaption(bytesToWord(d[5], d[4]));
    n.priority2 = priorityCaption(bytesToWord(d[7], d[6]));
    n.ip = addressCaption(d, 8);
    n.mask = addressCaption(d, 12);
    return n;
}

NodeInfo1 decodeNodeBlock1(const NodeData& d) {
    NodeInfo1 n;
    n.tcpPort = QString::number(bytesToUWord(d[1], d[0]));
    n.baud232 = QString::number(bytesToWord(d[3], d[2]));
    n.baud485 = QString::number(bytesToUWord(d[5], d[4]));
    n.blocksInNode = QString::number(d[6]);
    n.id232 = QString::number(d[8]);
    n.id485 = QString::number(d[9]);
    n.plcPort = d[10] == 0   ? QStringLiteral("A")
                : d[10] == 1 ? QStringLiteral("B")
                             : QStringLiteral("Error");
    return n;
}

}  // namespace brisa::compiler
