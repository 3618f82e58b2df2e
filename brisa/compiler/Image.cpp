#include "compiler/Image.h"

#include "compiler/ProgrammingSequence.h"
#include "compiler/Text.h"

namespace brisa::compiler {

namespace {
constexpr std::uint8_t Yes = 0xFF;
constexpr std::uint8_t No = 0x00;
constexpr std::uint8_t HighMemoryMark = 0x48;  // "H"
constexpr int ShortSlot = 50;
constexpr int MessageSlot = 255;  // 254 characters and a NUL

std::uint8_t flag(bool b) { return b ? Yes : No; }
std::uint8_t byteOf(int v) { return static_cast<std::uint8_t>(v); }

void putLowFirst(TxArea& tx, int at, int value) {
    const WordBytes w = wordToBytes(value);
    tx[at] = w.low;
    tx[at + 1] = w.high;
}
void putHighFirst(TxArea& tx, int at, int value) {
    const WordBytes w = wordToBytes(value);
    tx[at] = w.high;
    tx[at + 1] = w.low;
}

// A priority block: its number, or FF FF when the field is empty (a field of spaces is a
// number, 0, here: only the compiler trims it).
void putPriority(TxArea& tx, int at, const QString& field) {
    if (field.isEmpty()) {
        tx[at] = tx[at + 1] = 0xFF;
    } else {
        putLowFirst(tx, at, textInt(field));
    }
}

// Appends `text` in exactly `size` bytes: cut, or padded with `pad`.
void appendSlot(QByteArray& out, const QString& text, int size, char pad) {
    QByteArray b = toWindows1252(text).left(size);
    b.append(QByteArray(size - b.size(), pad));
    out.append(b);
}
}  // namespace

bool isScanListBlock(int block) {
    return (block >= 1 && block <= 4) || (block >= 7 && block <= 14);
}

int firstScanEntry(int block) { return (block <= 4 ? block - 1 : block - 3) * 16; }

void buildHeader(const ImageSnapshot& s, TxArea& tx) {
    putPriority(tx, 0, s.priority1);
    putPriority(tx, 2, s.priority2);
    tx[4] = byteOf(s.id485);
    tx[5] = byteOf(s.id232);
    putLowFirst(tx, 6, s.baud232);
    putLowFirst(tx, 8, s.baud485);
    tx[10] = static_cast<std::uint8_t>(s.plcPort);
    tx[11] = 0;  // unused by the node; sent as 0 rather than whatever the area held
    tx[12] = 0;
    tx[13] = byteOf(static_cast<int>(s.scanList.size()));
    tx[14] = 0;
    tx[15] = 0;
}

void buildScanListBlock(int block, const ImageSnapshot& s, TxArea& tx) {
    const int first = firstScanEntry(block);
    for (int i = 0; i < 16; ++i) {
        const int entry = first + i;
        tx[i] = entry < s.scanList.size() ? byteOf(textInt(s.scanList[entry])) : 0;
    }
}

void buildNetwork(const ImageSnapshot& s, TxArea& tx) {
    for (int i = 0; i < 4; ++i) {
        tx[i] = byteOf(s.ip[i]);
        tx[4 + i] = byteOf(s.mask[i]);
    }
    putHighFirst(tx, 8, s.tcpPort);
    // 10..14 carry no field.
    tx[15] = s.highMemory ? HighMemoryMark : 0;
}

void buildMailSettings(const ImageSnapshot& s, TxArea& tx) {
    for (int i = 0; i < 4; ++i) tx[i] = byteOf(s.gateway[i]);
    for (int i = 0; i < MailAccounts; ++i) {
        tx[4 + i] = flag(s.accounts[i].attach);
        tx[9 + i] = static_cast<std::uint8_t>(s.triggers[i].type);
    }
    tx[14] = flag(s.authentication);
    tx[15] = byteOf(s.popMinutesIndex);
}

void buildTriggers(const ImageSnapshot& s, TxArea& tx) {
    for (int i = 0; i < MailAccounts; ++i) {
        putHighFirst(tx, 2 * i, s.triggers[i].variable);
        tx[10 + i] = flag(!isBlank(s.accounts[i].destination));
    }
    tx[15] = static_cast<std::uint8_t>(s.triggers[PopTrigger].comparison);
}

void buildTriggerValues(const ImageSnapshot& s, TxArea& tx) {
    for (int i = 0; i < MailAccounts; ++i) {
        putHighFirst(tx, 2 * i, s.triggers[i].value);
        tx[10 + i] = static_cast<std::uint8_t>(s.triggers[i].comparison);
    }
    if (s.mailRta) tx[15] = byteOf(*s.mailRta);
}

void buildAttach(const ImageSnapshot& s, TxArea& tx) {
    for (int i = 0; i < MailAccounts; ++i) putHighFirst(tx, 2 * i, s.accounts[i].attachVariable);
    // The window insists on 4 characters; a shorter password is completed with NULs.
    const QByteArray pass = toWindows1252(s.nodePassword);
    for (int i = 0; i < 4; ++i)
        tx[10 + i] = i < pass.size() ? static_cast<std::uint8_t>(pass[i]) : 0;
    putHighFirst(tx, 14, s.triggers[PopTrigger].variable);
}

TextStream buildTextStream(const ImageSnapshot& s) {
    QByteArray out;
    out.reserve(TextStreamSize);
    for (const MailAccount& a : s.accounts)
        appendSlot(out, trimSpaces(a.destination), ShortSlot, '\0');
    for (const MailAccount& a : s.accounts) appendSlot(out, a.subject, ShortSlot, '\0');
    for (const MailAccount& a : s.accounts) {
        appendSlot(out, a.message, MessageSlot - 1, ' ');
        out.append('\0');
    }
    for (const QString* t : {&s.smtp, &s.pop, &s.sender, &s.authUser, &s.authPassword})
        appendSlot(out, *t, ShortSlot, '\0');

    TextStream stream{};
    for (int i = 0; i < TextStreamSize; ++i) stream[i] = static_cast<std::uint8_t>(out[i]);
    return stream;
}

void buildStreamBlock(int block, const ImageSnapshot& s, const TextStream& stream, TxArea& tx) {
    const int first = (block - FirstStreamBlock) * 16;
    for (int i = 0; i < 16; ++i) {
        if (first + i < TextStreamSize) {
            tx[i] = stream[first + i];
            continue;
        }
        // Only the last block gets here, at byte 9: the POP command record's type and value,
        // then the closing mark 4 5 6 7.
        const TriggerSet& pop = s.triggers[PopTrigger];
        tx[i] = static_cast<std::uint8_t>(pop.type);
        putLowFirst(tx, i + 1, pop.value);
        tx[i + 3] = 4;
        tx[i + 4] = 5;
        tx[i + 5] = 6;
        tx[i + 6] = 7;
        break;
    }
}

bool buildBlock(int block, const ImageSnapshot& s, const TextStream* stream, TxArea& tx) {
    if (isScanListBlock(block)) {
        buildScanListBlock(block, s, tx);
    } else if (block == HeaderBlock) {
        buildHeader(s, tx);
    } else if (block == NetworkBlock) {
        buildNetwork(s, tx);
    } else if (block == MailStartBlock) {
        // Nothing assigned: the block repeats the network block.
    } else if (block == MailSettingsBlock) {
        buildMailSettings(s, tx);
    } else if (block == TriggersBlock) {
        buildTriggers(s, tx);
    } else if (block == TriggerValuesBlock) {
        buildTriggerValues(s, tx);
    } else if (block == AttachBlock) {
        buildAttach(s, tx);
    } else if (block >= FirstStreamBlock && block <= LastStreamBlock) {
        if (stream) {
            buildStreamBlock(block, s, *stream, tx);
        } else {
            buildStreamBlock(block, s, buildTextStream(s), tx);
        }
    } else {
        return false;
    }
    return true;
}

QList<ImageBlock> buildImage(double hardwareVersion, double softwareVersion,
                             const ImageSnapshot& s) {
    QList<ImageBlock> image;
    TxArea tx{};
    const TextStream stream = buildTextStream(s);
    for (int block : sendingOrder(hardwareVersion, softwareVersion)) {
        buildBlock(block, s, &stream, tx);
        image.append({block, tx});
    }
    return image;
}

}  // namespace brisa::compiler
