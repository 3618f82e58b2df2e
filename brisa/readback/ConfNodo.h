#pragma once

#include <array>
#include <cstdint>

#include "NodeImage.h"

namespace brisa::readback {

// A node's configuration as decoded from its memory image: what "Descompilar" turns back into
// a block program.
struct ConfNodo {
    std::array<std::uint8_t, MaxScanEntries> scanEntries{};
    std::int16_t priority1 = -1;  // 0..255 a block, anything else none
    std::int16_t priority2 = -1;
    std::uint8_t id485 = 0;
    std::uint8_t id232 = 0;
    std::int16_t baud232 = 0;
    std::int16_t baud485 = 0;
    std::uint8_t plcPort = 0;     // 0 channel A, anything else B
    std::uint8_t entryCount = 0;  // as the node says; at most MaxScanEntries are kept
    std::array<std::uint8_t, 4> ip{};
    std::array<std::uint8_t, 4> mask{};
    std::uint16_t tcpPort = 0;

    // How many of scanEntries hold entries of the image.
    int storedEntries() const { return entryCount < MaxScanEntries ? entryCount : MaxScanEntries; }
};

}  // namespace brisa::readback
