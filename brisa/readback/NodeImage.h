#pragma once

#include <array>
#include <cstdint>

// The node's memory as blocks 100 to 115 return it, and the read-back buffer that holds it.
namespace brisa::readback {

constexpr int FirstImageBlock = 100;
constexpr int LastImageBlock = 115;
constexpr int NodeImageSize = 256;  // 16 blocks of 16 bytes
// The buffer is longer than the image: its last 45 bytes stay 0 and go into ".nd" files too,
// which the users' tools expect at exactly this size.
constexpr int ReadBackSize = 301;

using NodeImage = std::array<std::uint8_t, NodeImageSize>;
using ReadBackBuffer = std::array<std::uint8_t, ReadBackSize>;

// Where the programmed blocks land in node memory.
namespace Offset {
constexpr int ScanList = 0;  // scan-list entry k at offset k
constexpr int Header = 216;  // block 5
constexpr int Priority1 = 216;
constexpr int Priority2 = 218;
constexpr int Id485 = 220;
constexpr int Id232 = 221;
constexpr int Baud232 = 222;
constexpr int Baud485 = 224;
constexpr int PlcPort = 226;
constexpr int EntryCount = 229;
constexpr int Network = 232;  // block 6
constexpr int Ip = 232;
constexpr int Mask = 236;
constexpr int TcpPort = 240;  // high byte first
}  // namespace Offset

// Scan entries an image can give: offsets 0 to 216, where the header starts.
constexpr int MaxScanEntries = 217;

}  // namespace brisa::readback
