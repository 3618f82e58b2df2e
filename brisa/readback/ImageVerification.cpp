#include "ImageVerification.h"

namespace brisa::readback {

namespace {

constexpr int HeaderUnassigned = 11;
constexpr int NetworkFreeFirst = 10;
constexpr int NetworkFreeLast = 14;

QString hexByte(std::uint8_t b) {
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

QMap<int, std::uint8_t> expectedNodeMemory(const QList<compiler::ImageBlock>& sent) {
    QMap<int, std::uint8_t> expected;
    for (const compiler::ImageBlock& b : sent) {
        for (int i = 0; i < 16; ++i) {
            if (compiler::isScanListBlock(b.block)) {
                expected.insert(Offset::ScanList + compiler::firstScanEntry(b.block) + i,
                                b.bytes[i]);
            } else if (b.block == compiler::HeaderBlock) {
                if (i != HeaderUnassigned) expected.insert(Offset::Header + i, b.bytes[i]);
            } else if (b.block == compiler::NetworkBlock) {
                if (i < NetworkFreeFirst || i > NetworkFreeLast)
                    expected.insert(Offset::Network + i, b.bytes[i]);
            }
        }
    }
    return expected;
}

QList<ByteDifference> compareNodeImage(const QList<compiler::ImageBlock>& sent,
                                       const NodeImage& read) {
    QList<ByteDifference> differences;
    const QMap<int, std::uint8_t> expected = expectedNodeMemory(sent);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const std::uint8_t actual = read[std::size_t(it.key())];
        if (actual != it.value()) differences.append({it.key(), it.value(), actual});
    }
    return differences;
}

QString verificationText(const QList<ByteDifference>& differences, int maxLines) {
    if (differences.isEmpty()) return QStringLiteral("Verificado");
    QString text = differences.size() == 1
                       ? QStringLiteral("No verificado: 1 byte difiere")
                       : QStringLiteral("No verificado: %1 bytes difieren").arg(differences.size());
    const qsizetype shown =
        maxLines < 0 ? differences.size() : qMin<qsizetype>(maxLines, differences.size());
    for (qsizetype i = 0; i < shown; ++i) {
        const ByteDifference& d = differences[i];
        text += QStringLiteral("\n%1: esperado %2, leído %3")
                    .arg(d.offset)
                    .arg(hexByte(d.expected), hexByte(d.actual));
    }
    if (shown < differences.size())
        text += QStringLiteral("\n(y %1 más)").arg(differences.size() - shown);
    return text;
}

}  // namespace brisa::readback
