#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

#include "ztklink_export.h"

// The ZTK90 link frame: 20 raw bytes in both directions, recognised by length alone.
//
//   offset 0      node id
//   offset 1      command
//   offset 2      block byte            (analog frames: data index 0)
//   offset 3..18  data index 0..15      (analog frames: 3..17 = data 1..15, 18 = 0 / ignored)
//   offset 19     XOR of offsets 0..18
namespace ztklink::frame {

constexpr int Size = 20;
constexpr int DataSize = 16;
constexpr int DataOffset = 3;  // data index i sits at offset 3 + i (after unpacking)

using Bytes = std::array<std::uint8_t, Size>;
using Data = std::array<std::uint8_t, DataSize>;

namespace Command {
constexpr std::uint8_t AnalogRead = 0x08;
constexpr std::uint8_t AnalogWrite = 0x09;
constexpr std::uint8_t Write = 0x0A;
constexpr std::uint8_t Read = 0x0B;
constexpr std::uint8_t WriteHigh = 0x1A;
constexpr std::uint8_t ReadHigh = 0x1B;
}  // namespace Command

inline bool isAnalog(std::uint8_t command) {
    return command == Command::AnalogRead || command == Command::AnalogWrite;
}

// XOR of the first n bytes.
ZTKLINK_EXPORT std::uint8_t xorOf(const std::uint8_t* bytes, int n);

// Command and block byte for a block read or write: blocks 256 and up use the high command
// with the block number less 256. `write` picks 0x0A/0x1A, otherwise 0x0B/0x1B.
struct BlockAddress {
    std::uint8_t command;
    std::uint8_t blockByte;
};
ZTKLINK_EXPORT BlockAddress blockAddress(int block, bool write);

// Analog layout in place: data index 0..15 move from offsets 3..18 to 2..17, offset 18 = 0.
ZTKLINK_EXPORT void shiftDownForAnalog(Bytes& frame);
// Sets offset 19 to the XOR of offsets 0..18.
ZTKLINK_EXPORT void seal(Bytes& frame);

// A block frame (read, write, raw command), sealed.
ZTKLINK_EXPORT Bytes blockFrame(std::uint8_t id, std::uint8_t command, std::uint8_t block,
                                const Data& data);
// An analog frame (commands 8 and 9), sealed: data at offsets 2..17, offset 18 = 0.
ZTKLINK_EXPORT Bytes analogFrame(std::uint8_t id, std::uint8_t command, const Data& data);

// True when all 20 bytes XOR to 0.
ZTKLINK_EXPORT bool isValid(const Bytes& frame);
// Moves an analog reply's data (offsets 2..17) one place up so that data index i is always at
// offset 3 + i; offset 2 keeps its value. Does nothing for other commands.
ZTKLINK_EXPORT void unpackAnalog(Bytes& frame);

// The data bytes of a frame laid out as a block frame (offsets 3..18).
ZTKLINK_EXPORT Data dataOf(const Bytes& frame);

// Block 240 written with a marker and a CRC-16/MODBUS check switches the node's behaviour:
// inspected (it puts the block numbers it asks for on the line) or normal.
constexpr int ModeSwitchBlock = 240;
constexpr std::uint8_t InspectedMarker = 0xAA;
constexpr std::uint8_t NormalMarker = 0x00;

// CRC-16/MODBUS: initial 0xFFFF, reflected polynomial 0xA001, no final XOR.
ZTKLINK_EXPORT std::uint16_t crc16Modbus(const std::uint8_t* bytes, int n);

// The 16 data bytes of the mode-switch command for node `id`: the marker, 13 zeros, then the
// check value (low byte first) of the frame's first 17 bytes.
ZTKLINK_EXPORT Data modeSwitchData(std::uint8_t id, std::uint8_t marker);

ZTKLINK_EXPORT QByteArray toByteArray(const Bytes& frame);
// The first 20 bytes of `bytes`; missing bytes count as 0.
ZTKLINK_EXPORT Bytes fromByteArray(const QByteArray& bytes);

}  // namespace ztklink::frame
