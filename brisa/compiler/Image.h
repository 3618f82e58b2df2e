#pragma once

#include <QList>
#include <array>
#include <cstdint>

#include "compiler/ImageSnapshot.h"

// The configuration image: every block that programming writes into a node.
//
// A block is built onto the transmit area that the link control keeps between requests: the
// bytes a block assigns are overwritten, the others go out as the previous block left them.
// Block 6 bytes 10..14 and the whole of block 30 rely on that, as does block 33 byte 15 when no
// reply account is chosen.
namespace brisa::compiler {

using TxArea = std::array<std::uint8_t, 16>;

constexpr int TextStreamSize = 2025;
using TextStream = std::array<std::uint8_t, TextStreamSize>;

constexpr int HeaderBlock = 5;
constexpr int NetworkBlock = 6;
constexpr int MailStartBlock = 30;
constexpr int MailSettingsBlock = 31;
constexpr int TriggersBlock = 32;
constexpr int TriggerValuesBlock = 33;
constexpr int AttachBlock = 34;
constexpr int FirstStreamBlock = 35;
constexpr int LastStreamBlock = 161;

// The e-mail texts as one stream: five destinations (trimmed), five subjects, five messages,
// SMTP, POP, sender, user and password, each in its fixed slot.
TextStream buildTextStream(const ImageSnapshot& s);

// True for the blocks that carry scan-list entries: 1..4 and 7..14.
bool isScanListBlock(int block);
// Index of the first scan-list entry that a scan-list block carries.
int firstScanEntry(int block);

// Builds `block` onto `tx`. Stream blocks read `stream` (the stream taken when the e-mail data
// started); without one they build it from the snapshot. Returns false for a number that is
// not an image block, leaving `tx` untouched.
bool buildBlock(int block, const ImageSnapshot& s, const TextStream* stream, TxArea& tx);

// The single block builders, for callers and tests that want one kind.
void buildHeader(const ImageSnapshot& s, TxArea& tx);
void buildScanListBlock(int block, const ImageSnapshot& s, TxArea& tx);
void buildNetwork(const ImageSnapshot& s, TxArea& tx);
void buildMailSettings(const ImageSnapshot& s, TxArea& tx);
void buildTriggers(const ImageSnapshot& s, TxArea& tx);
void buildTriggerValues(const ImageSnapshot& s, TxArea& tx);
void buildAttach(const ImageSnapshot& s, TxArea& tx);
void buildStreamBlock(int block, const ImageSnapshot& s, const TextStream& stream, TxArea& tx);

struct ImageBlock {
    int block;
    TxArea bytes;
    bool operator==(const ImageBlock&) const = default;
};

// The whole image in sending order for a node, as a fresh programming writes it (transmit area
// starting from zeros, the stream taken once from the same snapshot).
QList<ImageBlock> buildImage(double hardwareVersion, double softwareVersion,
                             const ImageSnapshot& s);

}  // namespace brisa::compiler
