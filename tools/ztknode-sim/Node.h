#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "Frame.h"

// A TALVO gateway node as the configurator sees it over the ZTK90 link: its memory, its
// information blocks, its mode and its answer to each request frame. Plain code, no I/O.
namespace nodesim {

using ztklink::frame::Bytes;
using ztklink::frame::Data;

// Where the programmed blocks land in the node's 256-byte memory (read back as blocks
// 100 to 115). Scan-list entry k sits at offset k.
namespace Memory {
constexpr int Size = 256;
constexpr int ScanList = 0;         // blocks 1..4, then 7..14: entries 0..191
constexpr int ScanListMax = 192;
constexpr int Header = 216;         // block 5
constexpr int Network = 232;        // block 6
constexpr int FirstImageBlock = 100;
constexpr int LastImageBlock = 115;
// Fields inside the header and network blocks.
constexpr int Priority1 = Header + 0;
constexpr int Priority2 = Header + 2;
constexpr int Id485 = Header + 4;
constexpr int Id232 = Header + 5;
constexpr int Baud232 = Header + 6;
constexpr int Baud485 = Header + 8;
constexpr int PlcPort = Header + 10;
constexpr int ScanCount = Header + 13;
constexpr int Ip = Network + 0;
constexpr int Mask = Network + 4;
constexpr int TcpPort = Network + 8;  // high byte first
}  // namespace Memory

constexpr int FirstMailBlock = 30;
constexpr int LastMailBlock = 161;
constexpr std::uint8_t NodeId = 1;

// Block 240 written with a CRC-checked marker switches the node's behaviour.
using ztklink::frame::crc16Modbus;
using ztklink::frame::InspectedMarker;
using ztklink::frame::ModeSwitchBlock;
using ztklink::frame::NormalMarker;

// The 16 data bytes of a mode-switch command to this node with a good check value.
inline Data modeSwitchData(std::uint8_t marker) { return ztklink::frame::modeSwitchData(NodeId, marker); }

struct Identity {
    std::uint16_t model = 4;
    std::uint8_t swMajor = 1;
    std::uint8_t swMinor = 15;
};

enum class Mode { Normal, Inspected };

class Node {
public:
    explicit Node(Identity identity = {});

    // The reply to one request frame, or nothing when the node stays silent: bad checksum,
    // another node id, a command it does not know, a mode switch with a bad check, or any
    // request but a mode switch while inspected (the line then carries the inspected bytes).
    std::optional<Bytes> respond(const Bytes& request);

    // What a read of `block` (0..511) returns.
    Data readBlock(int block) const;
    Data informationBlock0() const;
    Data informationBlock1() const;

    const std::array<std::uint8_t, Memory::Size>& memory() const { return memory_; }
    // A faulty memory cell: every write that covers `offset` leaves its bits inverted, so a
    // programming run that reads back what it wrote finds that byte changed.
    void flipAfterWrites(int offset);
    Mode mode() const { return mode_; }
    // The block numbers the node asks for while inspected, one round of its scan.
    std::vector<std::uint8_t> scanOrder() const;

private:
    void writeBlock(int block, const Data& data);
    std::optional<Bytes> modeSwitch(const Bytes& request);
    Data analogInputs();

    Identity identity_;
    std::array<std::uint8_t, Memory::Size> memory_{};
    std::array<Data, LastMailBlock - FirstMailBlock + 1> mail_{};
    std::map<int, Data> other_;  // every other block, by number (high blocks 256..511)
    std::vector<int> flips_;
    Mode mode_ = Mode::Normal;
    std::uint32_t analogTick_ = 0;
    Data analogOutputs_{};
};

}  // namespace nodesim
