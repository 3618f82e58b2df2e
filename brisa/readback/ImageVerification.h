#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <cstdint>

#include "NodeImage.h"
#include "compiler/Image.h"

// Whether a node holds what programming just sent: the blocks sent, placed where they land in
// node memory, against the memory image read back.
namespace brisa::readback {

struct ByteDifference {
    int offset;
    std::uint8_t expected;
    std::uint8_t actual;
    bool operator==(const ByteDifference&) const = default;
};

// The node memory bytes the sent blocks fix, by offset: every byte of the scan-list blocks
// (entries, and 0 past the end of the list), the header but its byte 11, and the network block
// but its bytes 10 to 14. Those three are left over from the transmit area or not assigned by
// any rule, so a node may hold anything there. Blocks that do not land in node memory (the
// e-mail data) fix nothing.
QMap<int, std::uint8_t> expectedNodeMemory(const QList<compiler::ImageBlock>& sent);

// Every fixed byte that the image read back holds otherwise, in offset order.
QList<ByteDifference> compareNodeImage(const QList<compiler::ImageBlock>& sent,
                                       const NodeImage& read);

// "Verificado", or one line per difference ("216: esperado 05, leído FA") after a heading;
// at most `maxLines` differences, then how many more there are (-1: all).
QString verificationText(const QList<ByteDifference>& differences, int maxLines = -1);

}  // namespace brisa::readback
